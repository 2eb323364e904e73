// Arbitrary bytes as a gain file of each format: a reader either refuses the file or fills a
// rectangle of the picture, and never writes outside the table. A file that is read whole is
// cut into a fixture's gain image, written back in its own format and read again: the
// second read must accept it and give the same coefficients. The first input byte picks the
// format and whether the rest is the file, the file behind a valid header, or the seed of a
// made file of mostly valid rows.
// The seeds in corpus/fuzz_gainfile/ are files of each format behind their format byte ('0' VU3,
// '1' ELDIM, '2' RADIANT).
#include "update/gainfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMadeMaxWidth = 7;

QString Path(const char *pcName)
{
    return QDir::tempPath() +
           QStringLiteral("/fuzz_gainfile_%1_%2").arg(QCoreApplication::applicationPid()).arg(pcName);
}

bool WriteInput(const QString &qsPath, const QByteArray &bytes)
{
    QFile file(qsPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A file made of one row per input byte, over a rectangle whose width the first byte picks;
// its bits also ask for a last line left short and for one spoilt field. Random
// bytes rarely make a valid file; this way most inputs reach the storage and the round trip.
QByteArray MadeRows(int iFormat, const uint8_t *data, size_t size)
{
    const size_t width = 1 + data[0] % kMadeMaxWidth;
    size_t rows = std::min<size_t>(size - 1, 200);
    if (rows < 2)
        return QByteArray();
    if (!(data[0] & 0x80))
        rows -= rows % width; // whole lines: the table check passes

    QByteArray out = iFormat == COEF_FORMAT_VU3 ? QByteArray("[VU30]\n") : QByteArray();
    if (iFormat == COEF_FORMAT_ELDIM)
        out += QByteArray::number(qulonglong((rows + width - 1) / width)) + ',' +
               QByteArray::number(qulonglong(width)) + ",9\n";
    for (size_t i = 0; i < rows; ++i) {
        const quint8 b = data[i + 1];
        QByteArrayList fields;
        if (iFormat == COEF_FORMAT_VU3)
            fields << QByteArray::number(qulonglong(i % width)) << QByteArray::number(qulonglong(i / width));
        else if (iFormat == COEF_FORMAT_RADIANT)
            fields << QByteArray::number(qulonglong(i / width + 1)) << QByteArray::number(qulonglong(i % width + 1));
        for (int k = 0; k < COEF_COUNT; ++k) {
            const int v = (b * (k + 3)) % 256;
            fields << (iFormat == COEF_FORMAT_ELDIM ? QByteArray::number(v) : QByteArray::number(v / 255.0, 'f', 5));
        }
        if ((data[0] & 0x20) && i == data[1] % rows)
            fields[(b >> 4) % fields.size()] = "1e9";
        out += fields.join(',') + (iFormat == COEF_FORMAT_ELDIM ? ",\n" : "\n");
    }
    return out;
}

void Check(bool bOk)
{
    if (!bOk)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_gainfile";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *pApp = new QCoreApplication(argc, argv);
    // Clearing 41 MB for every input would leave little time for inputs. Entries left by
    // earlier inputs beyond the columns cleared below cannot reach the table check of a
    // made file, whose width stops at the first column without entries.
    static CGainTable *pTable = new CGainTable;
    static CGainTable *pBack = new CGainTable;
    static std::vector<quint32> image(GAIN_IMAGE_WORDS);
    Q_UNUSED(pApp);
    if (size == 0)
        return 0;
    const int iFormat = data[0] % 3;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (data[0] & 0x40)
        bytes = size > 1 ? MadeRows(iFormat, data + 1, size - 1) : QByteArray();
    else if (data[0] & 0x80)
        bytes.prepend(iFormat == COEF_FORMAT_VU3 ? "[VU30]\n" : iFormat == COEF_FORMAT_ELDIM ? "3,4,9\n" : "");
    if (!WriteInput(Path("in"), bytes))
        return 0;
    for (int c = 0; c <= kMadeMaxWidth; ++c)
        std::fill_n(static_cast<GainTable>(*pTable)[c], COEF_MAX_LINES, GainCoef_t{});
    quint16 usHeight = 0, usWidth = 0;
    if (CoefReadFile(false, iFormat, Path("in"), &usHeight, &usWidth, *pTable) != 0) {
        Check(usHeight == 0 && usWidth == 0);
        return 0;
    }
    Check(usHeight >= 1 && usHeight <= COEF_MAX_LINES && usWidth >= 1 && usWidth <= COEF_MAX_COLUMNS);
    const GainTable table = *pTable;
    const quint16 usSize =
        quint16(qMin<int>(usHeight, GAIN_IMAGE_MAX_SIDE) << 8 | qMin<int>(usWidth, GAIN_IMAGE_MAX_SIDE));
    Check(CoefBuildGainImage(0, usSize, table, image.data()) == 0);

    std::vector<PixelCoef_t> list;
    for (quint16 l = 0; l < usHeight; ++l)
        for (quint16 c = 0; c < usWidth; ++c) {
            PixelCoef_t t{l, c, {}};
            std::copy(table[c][l].Coef, table[c][l].Coef + COEF_COUNT, t.Coef);
            list.push_back(t);
        }
    Check(CoefWriteFile(iFormat, Path("back"), quint32(list.size()), list.data()) == 0);
    pBack->Clear();
    quint16 usBackHeight = 0, usBackWidth = 0;
    Check(CoefReadFile(false, iFormat, Path("back"), &usBackHeight, &usBackWidth, *pBack) == 0);
    Check(usBackHeight == usHeight && usBackWidth == usWidth);
    // ELDIM keeps 256 steps: a coefficient comes back as its nearest step.
    const GainTable back = *pBack;
    for (const PixelCoef_t &t : list)
        for (int k = 0; k < COEF_COUNT; ++k)
            Check(back[t.Column][t.Line].Coef[k] ==
                  (iFormat == COEF_FORMAT_ELDIM ? Coef255To512(quint8(Coef512To255(t.Coef[k]))) : t.Coef[k]));
    return 0;
}
