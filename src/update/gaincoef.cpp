#include "update/gaincoef.h"

#include "trace/trace.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr int STATUS_INVALID_PARAM = -4;
constexpr int STATUS_GAIN_DATA = -60;

const quint32 kIdentity[3] = {0x20000000u, 0x00080000u, 0x00000200u};

quint32 PackRow(const quint16 *pusCoef)
{
    return (quint32(pusCoef[0] & 0x3FF) << 20) | (quint32(pusCoef[1] & 0x3FF) << 10) | quint32(pusCoef[2] & 0x3FF);
}

int ReportMissing(int iLine, int iColumn)
{
    TraceError("Invalid coefficients data : Pixel coefficients on line %d and column %d are missing!", iLine, iColumn);
    return STATUS_GAIN_DATA;
}

// Column by column, each column from line 0: the order of the constant, random and ramp patterns.
template <typename Fill> void GenColumnOrder(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut, Fill fill)
{
    const quint64 ullCount = quint64(uiWidth) * uiHeight;
    for (quint64 i = 0; i < ullCount; ++i) {
        ptOut[i].Column = quint16(i / uiHeight);
        ptOut[i].Line = quint16(i % uiHeight);
        fill(ptOut[i].Coef);
    }
}

} // namespace

CGainTable::CGainTable() : m_pEntries(new GainCoef_t[size_t(COEF_MAX_COLUMNS) * COEF_MAX_LINES])
{
    for (int c = 0; c < COEF_MAX_COLUMNS; ++c)
        m_Columns[c] = m_pEntries.get() + size_t(c) * COEF_MAX_LINES;
    Clear();
}

void CGainTable::Clear()
{
    std::memset(m_pEntries.get(), 0, sizeof(GainCoef_t) * size_t(COEF_MAX_COLUMNS) * COEF_MAX_LINES);
}

double CoefToReal(quint16 usCoef)
{
    return usCoef / double(COEF_ONE);
}

quint16 CoefFromReal(double dReal)
{
    return quint16(std::lround(dReal * COEF_ONE));
}

quint16 Coef512To255(quint16 usCoef)
{
    return quint16((quint32(usCoef) * 255u + 256u) / 512u);
}

quint16 Coef255To512(quint8 ucValue)
{
    // 255 is odd, so v x 512 / 255 is never a half: adding half the divisor rounds it.
    return quint16((quint32(ucValue) * 512u + 127u) / 255u);
}

std::unique_ptr<qint32[]> CoefPositionIndex(quint32 uiCount, const PixelCoef_t *ptList, quint16 usHeight,
                                            quint16 usWidth)
{
    const size_t positions = size_t(usHeight) * usWidth;
    std::unique_ptr<qint32[]> pIndex(new qint32[positions]);
    std::fill_n(pIndex.get(), positions, -1);
    // Walking backwards leaves the first record of each position in place, as a search from
    // the start of the list would find it.
    for (quint32 i = uiCount; i-- > 0;)
        pIndex[size_t(ptList[i].Line) * usWidth + ptList[i].Column] = qint32(i);
    return pIndex;
}

int CoefCheckList(quint32 uiCount, const PixelCoef_t *ptList, quint16 *pusHeight, quint16 *pusWidth)
{
    if (uiCount == 0 || !ptList) {
        TraceError("Invalid coefficients data : coefficient does not start from column 0!");
        return STATUS_GAIN_DATA;
    }
    quint16 usMinLine = 0xFFFF, usMaxLine = 0, usMinColumn = 0xFFFF, usMaxColumn = 0;
    for (quint32 i = 0; i < uiCount; ++i) {
        usMinLine = std::min(usMinLine, ptList[i].Line);
        usMaxLine = std::max(usMaxLine, ptList[i].Line);
        usMinColumn = std::min(usMinColumn, ptList[i].Column);
        usMaxColumn = std::max(usMaxColumn, ptList[i].Column);
    }
    if (usMinColumn != 0) {
        TraceError("Invalid coefficients data : coefficient does not start from column 0!");
        return STATUS_GAIN_DATA;
    }
    if (usMinLine != 0) {
        TraceError("Invalid coefficients data : coefficient does not start from line 0!");
        return STATUS_GAIN_DATA;
    }
    if (usMaxColumn > COEF_MAX_COLUMNS - 1) {
        TraceError("Invalid coefficients data : Max Column number is out of range (>%d)!", COEF_MAX_COLUMNS - 1);
        return STATUS_GAIN_DATA;
    }
    if (usMaxLine > COEF_MAX_LINES - 1) {
        TraceError("Invalid coefficients data : Max Line number is out of range (>%d)!", COEF_MAX_LINES - 1);
        return STATUS_GAIN_DATA;
    }
    const quint16 usWidth = usMaxColumn + 1, usHeight = usMaxLine + 1;
    const std::unique_ptr<qint32[]> pIndex = CoefPositionIndex(uiCount, ptList, usHeight, usWidth);
    const size_t positions = size_t(usHeight) * usWidth;
    for (size_t p = 0; p < positions; ++p) {
        if (pIndex[p] < 0)
            return ReportMissing(int(p / usWidth), int(p % usWidth));
    }
    *pusHeight = usHeight;
    *pusWidth = usWidth;
    return 0;
}

int CoefCheckTable(GainTable ppTable, quint16 *pusHeight, quint16 *pusWidth)
{
    int iHeight = 0;
    while (iHeight < COEF_MAX_LINES && ppTable[0][iHeight].Valid == 1)
        ++iHeight;
    int iWidth = 0;
    while (iWidth < COEF_MAX_COLUMNS && ppTable[iWidth][0].Valid == 1)
        ++iWidth;
    if (iWidth == 0) {
        TraceError("Invalid coefficients data : width is 0!");
        return STATUS_GAIN_DATA;
    }
    if (iHeight == 0) {
        TraceError("Invalid coefficients data : height is 0!");
        return STATUS_GAIN_DATA;
    }
    for (int l = 0; l < iHeight; ++l) {
        for (int c = 0; c < iWidth; ++c) {
            if (ppTable[c][l].Valid != 1)
                return ReportMissing(l, c);
        }
    }
    *pusHeight = quint16(iHeight);
    *pusWidth = quint16(iWidth);
    return 0;
}

int CoefBuildGainImage(quint32 uiOrigin, quint16 usSize, GainTable ppTable, quint32 *puiImage)
{
    const int iX = int(uiOrigin & 0xFFFF), iY = int(uiOrigin >> 16);
    const int iW = usSize & 0xFF, iH = usSize >> 8;
    // A side above 128 would run into the next bank and overwrite other pixels.
    if (iX + iW > COEF_MAX_COLUMNS || iY + iH > COEF_MAX_LINES || iW > GAIN_IMAGE_MAX_SIDE ||
        iH > GAIN_IMAGE_MAX_SIDE) {
        TraceError("Invalid size and/or offset!");
        return STATUS_INVALID_PARAM;
    }
    for (int w = 0; w < GAIN_IMAGE_IDENTITY_WORDS; ++w)
        puiImage[w] = kIdentity[w % 3];
    for (int rl = 0; rl < iH; ++rl) {
        for (int rc = 0; rc < iW; ++rc) {
            const int iBank = (rl >= 64 ? 2 : 0) + (rc >= 64 ? 1 : 0);
            quint32 *puiPixel = puiImage + iBank * GAIN_IMAGE_BANK_WORDS + 192 * (rl % 64) + 3 * (rc % 64);
            const quint16 *pusCoef = ppTable[iX + rc][iY + rl].Coef;
            for (int row = 0; row < 3; ++row)
                puiPixel[row] = PackRow(pusCoef + 3 * row);
        }
    }
    return 0;
}

int CoefGenConstant(const quint16 ausCoef[COEF_COUNT], quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut)
{
    GenColumnOrder(uiWidth, uiHeight, ptOut,
                   [&](quint16 *pusCoef) { std::copy(ausCoef, ausCoef + COEF_COUNT, pusCoef); });
    return 0;
}

int CoefGenRandom(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut)
{
    std::mt19937 rng{quint32(QDateTime::currentSecsSinceEpoch())};
    std::uniform_int_distribution<quint32> draw(0, 32767);
    GenColumnOrder(uiWidth, uiHeight, ptOut, [&](quint16 *pusCoef) {
        for (int k = 0; k < COEF_COUNT; ++k)
            pusCoef[k] = quint16(draw(rng) * COEF_ONE / 32767u);
    });
    return 0;
}

int CoefGenRamp(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut)
{
    quint16 usCounter = 0;
    GenColumnOrder(uiWidth, uiHeight, ptOut, [&](quint16 *pusCoef) {
        for (int k = 0; k < COEF_COUNT; ++k) {
            pusCoef[k] = usCounter;
            usCounter = usCounter == COEF_ONE ? 0 : usCounter + 1;
        }
    });
    return 0;
}

int CoefGenPositionCode(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut)
{
    for (quint32 l = 0; l < uiHeight; ++l) {
        for (quint32 c = 0; c < uiWidth; ++c) {
            const quint32 n = l * uiWidth + c;
            PixelCoef_t &t = ptOut[n];
            t.Line = quint16(l);
            t.Column = quint16(c);
            const quint32 values[COEF_COUNT] = {90,      c / 100,   c % 100,         165,    l / 100,
                                                l % 100, n / 10000, (n / 100) % 100, n % 100};
            for (int k = 0; k < COEF_COUNT; ++k)
                t.Coef[k] = quint16(values[k]);
        }
    }
    return 0;
}
