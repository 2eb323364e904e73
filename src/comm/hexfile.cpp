#include "comm/hexfile.h"

#include "comm/bootloader.h"
#include "trace/trace.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// Value of a hexadecimal digit, -1 for any other character.
struct HexDigits
{
    signed char value[256];
    constexpr HexDigits() : value()
    {
        for (int i = 0; i < 256; ++i)
            value[i] = -1;
        for (int i = 0; i < 10; ++i)
            value['0' + i] = static_cast<signed char>(i);
        for (int i = 0; i < 6; ++i) {
            value['a' + i] = static_cast<signed char>(10 + i);
            value['A' + i] = static_cast<signed char>(10 + i);
        }
    }
};
constexpr HexDigits kDigits;

enum RecordType : quint8 {
    REC_DATA = 0x00,
    REC_END = 0x01,
    REC_SEGMENT = 0x02,
    REC_START_SEGMENT = 0x03,
    REC_LINEAR = 0x04,
    REC_START_LINEAR = 0x05,
};

// The count each record type must carry; data records may carry any.
int ExpectedCount(quint8 ucType)
{
    switch (ucType) {
    case REC_END:
        return 0;
    case REC_SEGMENT:
    case REC_LINEAR:
        return 2;
    case REC_START_SEGMENT:
    case REC_START_LINEAR:
        return 4;
    default:
        return -1;
    }
}

} // namespace

int CHexFile::Fail(int iLine, const QString &qsWhy)
{
    m_iErrorLine = iLine;
    m_qsError = qsWhy;
    Close();
    return HEX_ERR_FORMAT;
}

int CHexFile::Open(const QString &qsPath)
{
    Close();
    QFile file(qsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_iErrorLine = 0;
        m_qsError = file.errorString();
        return HEX_ERR_OPEN;
    }
    const QByteArray baText = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_iErrorLine = 0;
        m_qsError = file.errorString();
        return HEX_ERR_OPEN;
    }
    const int iResult = Parse(baText);
    if (iResult != HEX_OK)
        TraceError("Invalid HEX file '%s' - line %d: %s", qsPath.toUtf8().constData(), m_iErrorLine,
                   m_qsError.toUtf8().constData());
    return iResult;
}

int CHexFile::Parse(const QByteArray &baText)
{
    Close();
    m_qsError.clear();
    m_iErrorLine = 0;
    // A record line is at least 11 characters for 5 bytes: reserving by that bound avoids
    // growing the buffers while reading a large file.
    m_baRecords.reserve(baText.size() / 2 + 1);
    m_Offsets.reserve(baText.size() / 11 + 1);

    const char *p = baText.constData();
    const char *const pEnd = p + baText.size();
    int iLine = 0;
    while (p < pEnd) {
        ++iLine;
        const char *pEol = static_cast<const char *>(std::memchr(p, '\n', pEnd - p));
        if (!pEol)
            pEol = pEnd;
        const char *pLineEnd = pEol;
        while (pLineEnd > p && (pLineEnd[-1] == '\r' || pLineEnd[-1] == ' ' || pLineEnd[-1] == '\t'))
            --pLineEnd;
        const char *pLine = p;
        p = pEol + 1;
        if (pLineEnd == pLine)
            continue; // a blank line carries nothing

        if (*pLine != ':')
            return Fail(iLine, QStringLiteral("the line does not start with ':'"));
        const qsizetype nDigits = pLineEnd - pLine - 1;
        if (nDigits % 2 != 0)
            return Fail(iLine, QStringLiteral("odd number of hexadecimal digits"));
        const int nBytes = static_cast<int>(nDigits / 2);
        if (nBytes < 5)
            return Fail(iLine, QStringLiteral("the record is too short"));
        if (nBytes > MAX_RECORD_BYTES)
            return Fail(iLine, QStringLiteral("the record is too long"));

        const int iOffset = m_baRecords.size();
        m_baRecords.resize(iOffset + nBytes);
        quint8 *pOut = reinterpret_cast<quint8 *>(m_baRecords.data()) + iOffset;
        const unsigned char *pDigit = reinterpret_cast<const unsigned char *>(pLine + 1);
        unsigned uSum = 0;
        for (int i = 0; i < nBytes; ++i) {
            const int iHigh = kDigits.value[pDigit[2 * i]];
            const int iLow = kDigits.value[pDigit[2 * i + 1]];
            if ((iHigh | iLow) < 0)
                return Fail(iLine, QStringLiteral("invalid hexadecimal digit"));
            pOut[i] = static_cast<quint8>(iHigh << 4 | iLow);
            uSum += pOut[i];
        }
        if (pOut[0] + 5 != nBytes)
            return Fail(iLine, QStringLiteral("the byte count does not match the line"));
        if ((uSum & 0xFF) != 0)
            return Fail(iLine, QStringLiteral("checksum error"));
        const quint8 ucType = pOut[3];
        if (ucType > REC_START_LINEAR)
            return Fail(iLine, QStringLiteral("unknown record type %1").arg(ucType));
        const int iExpected = ExpectedCount(ucType);
        if (iExpected >= 0 && pOut[0] != iExpected)
            return Fail(iLine, QStringLiteral("wrong byte count for record type %1").arg(ucType));
        m_Offsets.append(iOffset);
    }
    m_bOpen = true;
    m_iNext = 0;
    return HEX_OK;
}

void CHexFile::Close()
{
    m_bOpen = false;
    m_baRecords.clear();
    m_Offsets.clear();
    m_iNext = 0;
}

int CHexFile::Rewind()
{
    if (!m_bOpen)
        return 0;
    m_iNext = 0;
    return 1;
}

int CHexFile::NextRecordLength() const
{
    if (!m_bOpen || m_iNext >= m_Offsets.size())
        return 0;
    return static_cast<quint8>(m_baRecords.at(m_Offsets.at(m_iNext))) + 5;
}

int CHexFile::ReadRecord(quint8 *pOut, int iMax)
{
    const int iLength = NextRecordLength();
    if (iLength == 0 || iLength > iMax)
        return 0;
    std::memcpy(pOut, m_baRecords.constData() + m_Offsets.at(m_iNext), iLength);
    ++m_iNext;
    return iLength;
}

quint16 CHexFile::LoadImage(quint32 *puiStart, quint32 *puiLength, quint16 *pusCrc)
{
    m_baImage.resize(IMAGE_SIZE);
    m_baImage.fill(char(0xFF));
    quint8 *pImage = reinterpret_cast<quint8 *>(m_baImage.data());

    quint32 uiSegmentBase = 0;
    quint32 uiLinearBase = 0;
    quint64 ullLowest = ~quint64(0);
    quint64 ullHighestEnd = 0;
    const quint8 *pRecords = reinterpret_cast<const quint8 *>(m_baRecords.constData());
    for (int iOffset : std::as_const(m_Offsets)) {
        const quint8 *pRec = pRecords + iOffset;
        const quint8 ucCount = pRec[0];
        switch (pRec[3]) {
        case REC_DATA: {
            // The records hold physical addresses; the image is the device's cached view of
            // program memory, which has bit 31 set.
            const quint32 uiAddress = (quint32(pRec[1] << 8 | pRec[2]) + uiSegmentBase + uiLinearBase) | 0x80000000u;
            if (uiAddress >= BOOT_AREA)
                break;
            // Only what falls inside the image window is programmed and counted in the range.
            const quint64 ullFirst = std::max<quint64>(uiAddress, IMAGE_BASE);
            const quint64 ullEnd = std::min<quint64>(quint64(uiAddress) + ucCount, quint64(IMAGE_BASE) + IMAGE_SIZE);
            if (ullFirst >= ullEnd)
                break;
            std::memcpy(pImage + (ullFirst - IMAGE_BASE), pRec + 4 + (ullFirst - uiAddress), ullEnd - ullFirst);
            ullLowest = std::min(ullLowest, ullFirst);
            ullHighestEnd = std::max(ullHighestEnd, ullEnd);
            break;
        }
        case REC_SEGMENT:
            uiSegmentBase = quint32(pRec[4] << 8 | pRec[5]) * 16u;
            uiLinearBase = 0;
            break;
        case REC_LINEAR:
            uiLinearBase = quint32(pRec[4] << 8 | pRec[5]) << 16;
            uiSegmentBase = 0;
            break;
        case REC_END:
            uiSegmentBase = 0;
            uiLinearBase = 0;
            break;
        default:
            // Start addresses say where to run, not where data lies.
            break;
        }
    }

    quint32 uiStart = 0;
    quint32 uiLength = 0;
    quint16 usCrc = 0;
    if (ullHighestEnd > 0) {
        uiStart = quint32(ullLowest) & ~3u;
        const quint32 uiEnd = (quint32(ullHighestEnd) + 3u) & ~3u;
        uiLength = uiEnd - uiStart;
        usCrc = CBootLoader::CalcCrc16(pImage + (uiStart - IMAGE_BASE), uiLength);
    }
    if (puiStart)
        *puiStart = uiStart;
    if (puiLength)
        *puiLength = uiLength;
    if (pusCrc)
        *pusCrc = usCrc;
    return usCrc;
}
