#include "update/gainfile.h"

#include "trace/trace.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>

namespace {

constexpr int STATUS_INVALID_PARAM = -4;
constexpr int STATUS_FILE_OPEN = -10;
constexpr int STATUS_FILE_SAVE = -13;
constexpr int STATUS_FILE_DATA = -14;

const char kVu3Header[] = "[VU30]";
constexpr int kRealFields = 11;
constexpr int kEldimFields = 10;
constexpr quint16 kEldimMax = 255;

// Kept from the last CoefReadFile for the VU3 reader.
bool s_bGainCorrection = false;

// A gain file line by line, each cleaned as the formats define it: the bytes up to the first
// NUL as Latin-1, without line ends, backslashes and terminal escape sequences.
class CLineReader
{
public:
    int Open(const QString &qsFileName)
    {
        m_File.setFileName(qsFileName);
        if (!m_File.open(QIODevice::ReadOnly | QIODevice::Text)) {
            TraceError("Failed to open '%s' file!", U8(qsFileName).constData());
            return STATUS_FILE_OPEN;
        }
        return 0;
    }

    bool Next(QString &qsLine)
    {
        if (m_File.atEnd())
            return false;
        QByteArray baLine = m_File.readLine();
        const qsizetype nul = baLine.indexOf('\0');
        if (nul >= 0)
            baLine.truncate(nul);
        qsLine = QString::fromLatin1(baLine);
        // Most lines hold none of what is stripped: spare them the pattern search.
        if (qsLine.contains(QLatin1Char('\\')) || qsLine.contains(QChar(0x1B)))
            qsLine = TraceStripControlChars(qsLine);
        else {
            qsLine.remove(QLatin1Char('\r'));
            qsLine.remove(QLatin1Char('\n'));
        }
        return true;
    }

private:
    QFile m_File;
};

// A data line without its spaces, and its fields (views into Text).
struct Row
{
    QString Text;
    QList<QStringView> Fields;

    explicit Row(const QString &qsLine) : Text(QString(qsLine).remove(QLatin1Char(' ')))
    {
        Fields = QStringView(Text).split(QLatin1Char(','));
    }
    Row(const Row &) = delete;
    Row &operator=(const Row &) = delete;
};

int DataError(int iLine, const QString &qsText, const QString &qsWhy)
{
    TraceError("Data format of the line %d is not valid ('%s')%s", iLine, U8(qsText).constData(),
               U8(qsWhy).constData());
    return STATUS_FILE_DATA;
}

int CoefError(int iLine, const QString &qsText, int k, double dMax)
{
    return DataError(iLine, qsText,
                     QString::asprintf(" - Invalid RGB coefficient %d! (Must be in range [%f;%f]", k, 0.0, dMax));
}

// A decimal field that fits 16 bits and lies in [iMin; iMax]; the value read (0 when the
// field is no number) goes to pusValue for the message.
bool FieldInRange(QStringView field, int iMin, int iMax, quint16 *pusValue)
{
    bool bOk = false;
    *pusValue = field.toUShort(&bOk, 10);
    return bOk && *pusValue >= iMin && *pusValue <= iMax;
}

// The nine reals of a VU3 or RADIANT row from field iFirst on, in [0; 1]; NaN is refused.
int ReadReals(int iLine, const Row &row, int iFirst, double adReal[COEF_COUNT])
{
    for (int k = 0; k < COEF_COUNT; ++k) {
        bool bOk = false;
        adReal[k] = row.Fields[iFirst + k].toDouble(&bOk);
        if (!bOk || !(adReal[k] >= 0 && adReal[k] <= 1))
            return CoefError(iLine, row.Text, k, 1.0);
    }
    return 0;
}

void Store(GainTable ppTable, int iColumn, int iLine, const quint16 ausCoef[COEF_COUNT])
{
    GainCoef_t &entry = ppTable[iColumn][iLine];
    std::copy(ausCoef, ausCoef + COEF_COUNT, entry.Coef);
    entry.Valid = 1;
}

// Opens the file for writing, hands it to the body, and checks that what was buffered
// reached the file too: a full disk shows only when the buffer is flushed.
template <typename Body> int WriteLines(const QString &qsFileName, Body body)
{
    QFile file(qsFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        TraceError("Failed to open '%s' file!", U8(qsFileName).constData());
        return STATUS_FILE_OPEN;
    }
    int iStatus = body(file);
    if (!file.flush() && iStatus == 0) {
        TraceError("Failed to write data in '%s' file!", U8(qsFileName).constData());
        iStatus = STATUS_FILE_SAVE;
    }
    file.close();
    return iStatus;
}

// The row shared by VU3 (column, line) and RADIANT (line + 1, column + 1).
QString RealRow(int iFirst, int iSecond, const quint16 *pusCoef, int iDecimals)
{
    QString qsLine = QString::number(iFirst) + QLatin1Char(',') + QString::number(iSecond);
    for (int k = 0; k < COEF_COUNT; ++k)
        qsLine += QLatin1Char(',') + QString::number(CoefToReal(pusCoef[k]), 'f', iDecimals);
    return qsLine;
}

template <typename MakeLine> int WriteRows(QIODevice &device, quint32 uiCount, MakeLine makeLine)
{
    for (quint32 i = 0; i < uiCount; ++i) {
        if (const int iStatus = CoefWriteLine(&device, makeLine(i)))
            return iStatus;
    }
    return 0;
}

} // namespace

int CoefWriteLine(QIODevice *pDevice, const QString &qsLine)
{
    const QByteArray baLine = qsLine.toUtf8();
    if (pDevice->write(baLine) != baLine.size() || pDevice->write("\n", 1) != 1)
        return STATUS_FILE_SAVE;
    return 0;
}

int CoefReadFile(bool bGainCorrection, int iFormat, const QString &qsFileName, quint16 *pusHeight, quint16 *pusWidth,
                 GainTable ppTable)
{
    s_bGainCorrection = bGainCorrection;
    *pusHeight = 0;
    *pusWidth = 0;
    if (qsFileName.isEmpty())
        return STATUS_INVALID_PARAM;
    int iStatus = STATUS_INVALID_PARAM;
    switch (iFormat) {
    case COEF_FORMAT_VU3:
        iStatus = CoefReadVu3(qsFileName, ppTable);
        break;
    case COEF_FORMAT_ELDIM:
        iStatus = CoefReadEldim(qsFileName, ppTable);
        break;
    case COEF_FORMAT_RADIANT:
        iStatus = CoefReadRadiant(qsFileName, ppTable);
        break;
    }
    if (iStatus != 0)
        return iStatus;
    return CoefCheckTable(ppTable, pusHeight, pusWidth);
}

int CoefReadVu3(const QString &qsFileName, GainTable ppTable)
{
    CLineReader reader;
    if (const int iStatus = reader.Open(qsFileName))
        return iStatus;
    QString qsLine;
    if (!reader.Next(qsLine) || qsLine != QLatin1String(kVu3Header)) {
        TraceError("Invalid File format! (first line does not contain '%s')", kVu3Header);
        return STATUS_FILE_DATA;
    }
    for (int n = 1; reader.Next(qsLine); ++n) {
        // The read runs on the window's thread; keep the window painting meanwhile.
        QCoreApplication::processEvents();
        const Row row(qsLine);
        if (row.Fields.size() != kRealFields)
            return DataError(n, row.Text, QStringLiteral(" does not contain 11 fields!"));
        quint16 usLine = 0, usColumn = 0;
        if (!FieldInRange(row.Fields[1], 0, COEF_MAX_LINES - 1, &usLine))
            return DataError(
                n, row.Text,
                QString::asprintf(" - Invalid line number! (must be in range[%d;%d])", 0, COEF_MAX_LINES - 1));
        if (!FieldInRange(row.Fields[0], 0, COEF_MAX_COLUMNS - 1, &usColumn))
            return DataError(
                n, row.Text,
                QString::asprintf(" - Invalid column number! (must be in range[%d;%d])", 0, COEF_MAX_COLUMNS - 1));
        double adReal[COEF_COUNT];
        if (const int iStatus = ReadReals(n, row, 2, adReal))
            return iStatus;
        quint16 ausCoef[COEF_COUNT];
        for (int k = 0; k < COEF_COUNT; ++k) {
            if (!s_bGainCorrection) {
                ausCoef[k] = CoefFromReal(adReal[k]);
                continue;
            }
            // 255 x r^(1/2.8), as exp(ln(r x 255^2.8) / 2.8); r = 0 gives 0.
            const double dY = std::exp(std::log(adReal[k] * 5474097.207393283) / 2.8);
            ausCoef[k] = CoefFromReal(dY / 255);
            if (n <= 9)
                TraceInfo("Gain Line %d - Coef %d - Input Coef = %f - Output Coef = %f", n, k, adReal[k], dY / 255);
        }
        Store(ppTable, usColumn, usLine, ausCoef);
    }
    return 0;
}

int CoefReadEldim(const QString &qsFileName, GainTable ppTable)
{
    CLineReader reader;
    if (const int iStatus = reader.Open(qsFileName))
        return iStatus;
    QString qsHeader;
    reader.Next(qsHeader);
    const QList<QStringView> header = QStringView(qsHeader).split(QLatin1Char(','));
    if (header.size() != 3)
        return DataError(1, qsHeader, QStringLiteral(" does not contain 3 fields!"));
    quint16 usLines = 0, usColumns = 0;
    if (!FieldInRange(header[0], 0, COEF_MAX_LINES, &usLines))
        return DataError(
            1, qsHeader,
            QString::asprintf(" - Invalid line number! (read value = %d - must be <= %d)", usLines, COEF_MAX_LINES));
    if (!FieldInRange(header[1], 0, COEF_MAX_COLUMNS, &usColumns))
        return DataError(1, qsHeader,
                         QString::asprintf(" - Invalid column number! (read value = %d - must be <= %d)", usColumns,
                                           COEF_MAX_COLUMNS));
    // Rows carry no positions: without columns no row would ever leave line 0.
    if (usColumns == 0)
        return DataError(1, qsHeader,
                         QString::asprintf(" - Invalid column number! (read value = %d - must be in range[%d;%d])",
                                           usColumns, 1, COEF_MAX_COLUMNS));
    int iColumn = 0, iLine = 0;
    QString qsLine;
    for (int n = 2; reader.Next(qsLine); ++n) {
        const Row row(qsLine);
        if (row.Fields.size() != kEldimFields)
            return DataError(
                n, row.Text,
                QString::asprintf(" does not contain 10 fields! (%d fields read)", int(row.Fields.size())));
        quint16 ausCoef[COEF_COUNT];
        for (int k = 0; k < COEF_COUNT; ++k) {
            quint16 usValue = 0;
            if (!FieldInRange(row.Fields[k], 0, kEldimMax, &usValue))
                return CoefError(n, row.Text, k, kEldimMax);
            ausCoef[k] = Coef255To512(quint8(usValue));
        }
        if (iLine >= COEF_MAX_LINES)
            return DataError(
                n, row.Text,
                QString::asprintf(" - Too many rows! (pixel line %d - must be <= %d)", iLine, COEF_MAX_LINES - 1));
        Store(ppTable, iColumn, iLine, ausCoef);
        if (++iColumn == usColumns) {
            iColumn = 0;
            ++iLine;
        }
    }
    return 0;
}

int CoefReadRadiant(const QString &qsFileName, GainTable ppTable)
{
    CLineReader reader;
    if (const int iStatus = reader.Open(qsFileName))
        return iStatus;
    QString qsLine;
    for (int n = 1; reader.Next(qsLine); ++n) {
        const Row row(qsLine);
        if (row.Fields.size() != kRealFields)
            return DataError(n, row.Text, QStringLiteral(" does not contain 11 fields!"));
        quint16 usLine = 0, usColumn = 0;
        if (!FieldInRange(row.Fields[0], 1, COEF_MAX_LINES, &usLine))
            return DataError(n, row.Text,
                             QString::asprintf(" - Invalid line number! (equal %d and must be in range[%d;%d])", usLine,
                                               1, COEF_MAX_LINES));
        if (!FieldInRange(row.Fields[1], 1, COEF_MAX_COLUMNS, &usColumn))
            return DataError(n, row.Text,
                             QString::asprintf(" - Invalid column number! (equal %d and must be in range[%d;%d])",
                                               usColumn, 1, COEF_MAX_COLUMNS));
        double adReal[COEF_COUNT];
        if (const int iStatus = ReadReals(n, row, 2, adReal))
            return iStatus;
        quint16 ausCoef[COEF_COUNT];
        for (int k = 0; k < COEF_COUNT; ++k)
            ausCoef[k] = CoefFromReal(adReal[k]);
        Store(ppTable, usColumn - 1, usLine - 1, ausCoef);
    }
    return 0;
}

int CoefWriteFile(int iFormat, const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList)
{
    if (qsFileName.isEmpty())
        return STATUS_INVALID_PARAM;
    switch (iFormat) {
    case COEF_FORMAT_VU3:
        return CoefWriteVu3(qsFileName, uiCount, ptList);
    case COEF_FORMAT_ELDIM:
        return CoefWriteEldim(qsFileName, uiCount, ptList);
    case COEF_FORMAT_RADIANT:
        return CoefWriteRadiant(qsFileName, uiCount, ptList);
    }
    return STATUS_INVALID_PARAM;
}

int CoefWriteVu3(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList)
{
    return WriteLines(qsFileName, [&](QIODevice &file) {
        if (const int iStatus = CoefWriteLine(&file, QLatin1String(kVu3Header)))
            return iStatus;
        return WriteRows(file, uiCount,
                         [&](quint32 i) { return RealRow(ptList[i].Column, ptList[i].Line, ptList[i].Coef, 6); });
    });
}

int CoefWriteEldim(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList)
{
    // Checked before the file is opened: a refused list leaves an existing file as it was.
    quint16 usHeight = 0, usWidth = 0;
    if (const int iStatus = CoefCheckList(uiCount, ptList, &usHeight, &usWidth))
        return iStatus;
    return WriteLines(qsFileName, [&](QIODevice &file) {
        const QString qsHeader =
            QString::number(usHeight) + QLatin1Char(',') + QString::number(usWidth) + QStringLiteral(",9");
        if (const int iStatus = CoefWriteLine(&file, qsHeader))
            return iStatus;
        // Rows carry no positions, so they must go out in line order whatever the list's order.
        const std::unique_ptr<qint32[]> pIndex = CoefPositionIndex(uiCount, ptList, usHeight, usWidth);
        return WriteRows(file, quint32(usHeight) * usWidth, [&](quint32 p) {
            QString qsLine;
            for (const quint16 usCoef : ptList[pIndex[p]].Coef)
                qsLine += QString::number(Coef512To255(usCoef)) + QLatin1Char(',');
            return qsLine;
        });
    });
}

int CoefWriteRadiant(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList)
{
    return WriteLines(qsFileName, [&](QIODevice &file) {
        return WriteRows(file, uiCount, [&](quint32 i) {
            return RealRow(ptList[i].Line + 1, ptList[i].Column + 1, ptList[i].Coef, 4);
        });
    });
}
