#pragma once
// Per-pixel colour correction: each LED pixel has a 3 x 3 gain matrix of 16-bit coefficients
// in units of 1/512 (512 = gain 1.0), stored row by row (red, green, blue rows). Two forms
// carry them: a list of records (what generators make and the file writers take) and a
// 1920 x 1080 table (what the file readers fill). From the table, CoefBuildGainImage cuts
// the flash image of one fixture. Free functions without state; statuses are the
// program-wide codes (0 success, -4 bad rectangle, -60 bad coefficient data), each failure
// traced where it happens.

#include <QtGlobal>

#include <memory>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the gain image is written word by word for a little-endian fixture");

constexpr int COEF_COUNT = 9;
constexpr quint16 COEF_ONE = 512;
constexpr int COEF_MAX_COLUMNS = 1920;
constexpr int COEF_MAX_LINES = 1080;

// The flash image of one fixture: 65536 little-endian words, four banks of 64 x 64 pixels.
constexpr int GAIN_IMAGE_WORDS = 0x10000;
constexpr int GAIN_IMAGE_BYTES = GAIN_IMAGE_WORDS * 4;
constexpr int GAIN_IMAGE_BANK_WORDS = 16384;
constexpr int GAIN_IMAGE_MAX_SIDE = 128;
// Words filled with identity triples before the fixture's pixels are placed.
constexpr int GAIN_IMAGE_IDENTITY_WORDS = 49536;

// Plain records: every field is 16 or 8 bits, so neither has padding.

// List form: one record per pixel, in whatever order its producer chose.
struct PixelCoef_t
{
    quint16 Line;
    quint16 Column;
    quint16 Coef[COEF_COUNT];
};
static_assert(sizeof(PixelCoef_t) == 22);

// Table form: one entry per pixel of the picture; Valid is set by a file row.
struct GainCoef_t
{
    quint16 Coef[COEF_COUNT];
    quint8 Valid;
    quint8 Pad;
};
static_assert(sizeof(GainCoef_t) == 20);

// A gain table is 1920 column pointers, each to 1080 entries, indexed [column][line].
using GainTable = GainCoef_t *const *;

// Owns the storage of one gain table, all entries cleared; converts to the table the
// functions below take. About 41 MB: make one per operation, not per fixture.
class CGainTable
{
public:
    CGainTable();
    operator GainTable() const { return m_Columns; }
    GainCoef_t &At(int iColumn, int iLine) { return m_Columns[iColumn][iLine]; }
    void Clear();

private:
    std::unique_ptr<GainCoef_t[]> m_pEntries;
    GainCoef_t *m_Columns[COEF_MAX_COLUMNS];
};

double CoefToReal(quint16 usCoef);
// Nearest integer to 512 x dReal, halves away from zero; dReal is expected in [0; 1].
quint16 CoefFromReal(double dReal);
quint16 Coef512To255(quint16 usCoef);
quint16 Coef255To512(quint8 ucValue);

// Checks that the list covers a rectangle anchored at line 0, column 0 without a hole
// (duplicates allowed) and gives its height and width; -60 otherwise, outputs untouched.
int CoefCheckList(quint32 uiCount, const PixelCoef_t *ptList, quint16 *pusHeight, quint16 *pusWidth);
// Checks the table's valid rectangle from line 0, column 0 and gives its height and width.
int CoefCheckTable(GainTable ppTable, quint16 *pusHeight, quint16 *pusWidth);
// Packs the fixture at uiOrigin (x in bits 0-15, y in bits 16-31) of usSize (width in bits
// 0-7, height in bits 8-15, each at most 128) from the table into the image. -4 before the
// image is touched when the rectangle leaves the picture or a side exceeds 128.
int CoefBuildGainImage(quint32 uiOrigin, quint16 usSize, GainTable ppTable, quint32 *puiImage);

// Generators: write exactly width x height records into ptOut; 0.
int CoefGenConstant(const quint16 ausCoef[COEF_COUNT], quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut);
int CoefGenRandom(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut);
int CoefGenRamp(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut);
int CoefGenPositionCode(quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptOut);

// For each position of the list's rectangle (line x width + column) the index of the first
// record placed there, -1 where none is. The list's lines and columns must lie inside
// the given height and width.
std::unique_ptr<qint32[]> CoefPositionIndex(quint32 uiCount, const PixelCoef_t *ptList, quint16 usHeight,
                                            quint16 usWidth);
