// The two generators of the LPU tab: fixture LED maps (".mif" for the FPGA design, ".map" for
// the fixture's flash) and gain patterns in the three gain-file formats. Both only write
// files, so they work without a link.
#include "config/config.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "testtools/testtools.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"
#include "update/gainfile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <algorithm>
#include <iterator>
#include <memory>
#include <new>

namespace {

constexpr int STATUS_INVALID_PARAM = -4;
constexpr int STATUS_FILE_OPEN = -10;
constexpr int STATUS_FILE_SAVE = -13;

constexpr int LED_DRIVERS = 12;
constexpr int LEDS_PER_DRIVER = 16;
constexpr int LED_MAP_FORMAT_MAP = 1;
// The ".map" file: one little-endian word per LED.
constexpr int LED_MAP_FILE_BYTES = TestTools::LED_MAP_LEDS * 4;

// Gain pattern combo rows that are not a diagonal matrix.
enum {
    GAIN_FIXED_ONE = 0,
    GAIN_RANDOM = 1,
    GAIN_RAMP = 2,
    GAIN_FIRST_DIAGONAL = 3,
    GAIN_ALL_ZERO = 20,
    GAIN_COUNTERS = 21,
};

// Red, green and blue gains of the diagonal patterns, from combo row 3 on.
const quint16 kGainDiagonals[][3] = {
    {512, 512, 512}, {128, 128, 128}, {256, 256, 256}, {384, 384, 384}, {128, 0, 0},     {256, 0, 0},
    {384, 0, 0},     {512, 0, 0},     {0, 128, 0},     {0, 256, 0},     {0, 384, 0},     {0, 512, 0},
    {0, 0, 128},     {0, 0, 256},     {0, 0, 384},     {0, 0, 512},     {410, 261, 354},
};
static_assert(GAIN_FIRST_DIAGONAL + std::size(kGainDiagonals) == GAIN_ALL_ZERO);

const char *const kGainExtensions[] = {".vu3", ".eldim", ".radiant"};
const char *const kGainFilters[] = {"*.vu3", "*.eldim", "*.radiant"};

// Keeps the main window disabled while one generation runs, however it ends.
class CDisabledWindow
{
public:
    explicit CDisabledWindow(QWidget *pWnd) : m_pWnd(pWnd)
    {
        m_pWnd->setDisabled(true);
        QCoreApplication::processEvents();
    }
    ~CDisabledWindow() { m_pWnd->setDisabled(false); }
    CDisabledWindow(const CDisabledWindow &) = delete;
    CDisabledWindow &operator=(const CDisabledWindow &) = delete;

private:
    QWidget *m_pWnd;
};

// The extension may stand anywhere in the name, so "x.map.txt" passes for ".map".
bool HasExtension(const QString &qsName, const char *pcExtension)
{
    if (qsName.contains(QLatin1String(pcExtension), Qt::CaseSensitive))
        return true;
    TraceError("Invalid file extension! (expected: %s)", pcExtension);
    return false;
}

// The default names are written with Windows separators ("Gain\test.vu3"); here they name
// the same file under the working folder rather than a file with a backslash in its name.
QString FilePath(const QString &qsName)
{
    return QString(qsName).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// A chosen name is kept relative to the application folder, as the form's own names are; a
// cancelled dialog leaves the name as it was.
void ChooseOutputFile(QWidget *pParent, QComboBox *pName, const QString &qsCaption, const QString &qsDir,
                      const QString &qsFilter)
{
    QString qsName = Prompts::Instance().GetSaveFileName(pParent, qsCaption, qsDir, qsFilter);
    if (qsName.isEmpty())
        return;
    CConfig::MakeRelativePath(qsName);
    pName->setEditText(qsName);
}

bool FillGainPattern(int iPattern, quint32 uiWidth, quint32 uiHeight, PixelCoef_t *ptList)
{
    quint16 ausCoef[COEF_COUNT] = {};
    switch (iPattern) {
    case GAIN_RANDOM:
        return CoefGenRandom(uiWidth, uiHeight, ptList) == 0;
    case GAIN_RAMP:
        return CoefGenRamp(uiWidth, uiHeight, ptList) == 0;
    case GAIN_COUNTERS:
        return CoefGenPositionCode(uiWidth, uiHeight, ptList) == 0;
    case GAIN_FIXED_ONE:
        std::fill(std::begin(ausCoef), std::end(ausCoef), COEF_ONE);
        break;
    case GAIN_ALL_ZERO:
        break;
    default:
        if (iPattern < GAIN_FIRST_DIAGONAL || iPattern >= GAIN_ALL_ZERO)
            return false;
        for (int k = 0; k < 3; ++k)
            ausCoef[4 * k] = kGainDiagonals[iPattern - GAIN_FIRST_DIAGONAL][k];
    }
    return CoefGenConstant(ausCoef, uiWidth, uiHeight, ptList) == 0;
}

} // namespace

void TestTools::SetUpGenerators()
{
    connect(m_pUi->m_pLpuGainOutFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuGainOutFileChoiceBtn);
    connect(m_pUi->m_pLpuGainGenerateBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuGainGenerateBtn);
    connect(m_pUi->m_pLpuLedMapOutFileChoiceBtn, &QPushButton::clicked, this,
            &TestTools::s_OnLpuLedMapOutFileChoiceBtn);
    connect(m_pUi->m_pLpuLedMapGeneBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuLedMapGenerateBtn);
    connect(m_pUi->m_pLpuLedMapOrderFirstCbBox, &QComboBox::currentIndexChanged, this,
            &TestTools::s_OnLpuLedMapOrderFirstCbBox);
    connect(m_pUi->m_pLpuLedMapOrderSecondCbBox, &QComboBox::currentIndexChanged, this,
            &TestTools::s_OnLpuLedMapOrderSecondCbBox);
    connect(m_pUi->m_pLpuLedMapOrderThirdCbBox, &QComboBox::currentIndexChanged, this,
            &TestTools::s_OnLpuLedMapOrderThirdCbBox);
    // Red, green, blue: set one by one through the slots, which keep the three distinct.
    m_pUi->m_pLpuLedMapOrderFirstCbBox->setCurrentIndex(2);
    m_pUi->m_pLpuLedMapOrderSecondCbBox->setCurrentIndex(1);
    m_pUi->m_pLpuLedMapOrderThirdCbBox->setCurrentIndex(0);
}

void TestTools::s_OnLpuGainOutFileChoiceBtn()
{
    const int iFormat = qBound(0, m_pUi->m_pLpuGainFormatCbBox->currentIndex(), 2);
    ChooseOutputFile(this, m_pUi->m_pLpuGainOutFileCbBox,
                     tr("Select the Gain Output file (%1)").arg(QStringLiteral("*.eldim;*.vu3;*.radiant")),
                     QStringLiteral("Gain/"), QLatin1String(kGainFilters[iFormat]));
}

void TestTools::s_OnLpuGainGenerateBtn()
{
    CDisabledWindow disabled(m_pMainWnd);
    const QString qsName = m_pUi->m_pLpuGainOutFileCbBox->currentText();
    const int iFormat = m_pUi->m_pLpuGainFormatCbBox->currentIndex();
    if (iFormat < 0 || iFormat > 2 || !HasExtension(qsName, kGainExtensions[iFormat]))
        return;
    const int iWidth = m_pUi->m_pLpuGainSizeXSpin->value();
    const int iHeight = m_pUi->m_pLpuGainSizeYSpin->value();
    // Our readers take no empty picture and nothing beyond the screen: such a file could never
    // be programmed, and an ELDIM writer would truncate the file before refusing.
    if (iWidth < 1 || iWidth > COEF_MAX_COLUMNS || iHeight < 1 || iHeight > COEF_MAX_LINES) {
        TraceError("Invalid gain pattern size %d x %d! (must be in range [1;%d] x [1;%d])", iWidth, iHeight,
                   COEF_MAX_COLUMNS, COEF_MAX_LINES);
        return;
    }
    const quint32 uiCount = quint32(iWidth) * quint32(iHeight);
    const std::unique_ptr<PixelCoef_t[]> pList(new (std::nothrow) PixelCoef_t[uiCount]);
    if (!pList) {
        TraceError("Failed to allocate memory!");
        return;
    }
    const int iPattern = m_pUi->m_pLpuGainPatternCbBox->currentIndex();
    if (!FillGainPattern(iPattern, quint32(iWidth), quint32(iHeight), pList.get()))
        return;
    TraceInfo("Generating fixture gain pattern...");
    TraceInfo("    Pattern '%s'", U8(m_pUi->m_pLpuGainPatternCbBox->currentText()).constData());
    TraceInfo("    Format '%s'", U8(m_pUi->m_pLpuGainFormatCbBox->currentText()).constData());
    TraceInfo("    File '%s'", U8(qsName).constData());
    const int iStatus = CoefWriteFile(iFormat, FilePath(qsName), uiCount, pList.get());
    if (iStatus == 0)
        TraceSuccess("Fixture gain file generated!");
    else
        ErrorMsg(tr("Failed to generate fixture gain file!"), iStatus);
}

void TestTools::s_OnLpuLedMapOrderFirstCbBox(int iIndex)
{
    KeepColoursDistinct(iIndex, m_pUi->m_pLpuLedMapOrderSecondCbBox, m_pUi->m_pLpuLedMapOrderThirdCbBox);
}

void TestTools::s_OnLpuLedMapOrderSecondCbBox(int iIndex)
{
    KeepColoursDistinct(iIndex, m_pUi->m_pLpuLedMapOrderFirstCbBox, m_pUi->m_pLpuLedMapOrderThirdCbBox);
}

void TestTools::s_OnLpuLedMapOrderThirdCbBox(int iIndex)
{
    KeepColoursDistinct(iIndex, m_pUi->m_pLpuLedMapOrderFirstCbBox, m_pUi->m_pLpuLedMapOrderSecondCbBox);
}

// The colour codes 0, 1 and 2 add up to 3: the one that neither iIndex nor the untouched
// combo shows is what is left of 3. The combo set here runs its own slot, which then finds
// the three distinct.
void TestTools::KeepColoursDistinct(int iIndex, QComboBox *pFirstOther, QComboBox *pSecondOther)
{
    if (iIndex < 0)
        return;
    if (pFirstOther->currentIndex() == iIndex)
        pFirstOther->setCurrentIndex(3 - iIndex - pSecondOther->currentIndex());
    else if (pSecondOther->currentIndex() == iIndex)
        pSecondOther->setCurrentIndex(3 - iIndex - pFirstOther->currentIndex());
}

void TestTools::s_OnLpuLedMapOutFileChoiceBtn()
{
    const bool bMap = m_pUi->m_pLpuLedMapFormatCbBox->currentIndex() == LED_MAP_FORMAT_MAP;
    ChooseOutputFile(this, m_pUi->m_pLpuLedMapOutFileCbBox,
                     tr("Select the LED Mapping Output file (%1)").arg(QStringLiteral("*.mif;*.map")),
                     QStringLiteral("Firmwares/"), bMap ? QStringLiteral("*.map") : QStringLiteral("*.mif"));
}

void TestTools::s_OnLpuLedMapGenerateBtn()
{
    CDisabledWindow disabled(m_pMainWnd);
    const int iFormat = m_pUi->m_pLpuLedMapFormatCbBox->currentIndex();
    const QString qsName = m_pUi->m_pLpuLedMapOutFileCbBox->currentText();
    if (!HasExtension(qsName, iFormat == LED_MAP_FORMAT_MAP ? ".map" : ".mif"))
        return;
    const int iLedNumber = m_pUi->m_pLpuLedMapOrderNumSpin->value();
    // Only a run length that divides 16 keeps the runs of three colours on whole pixels: any
    // other gives some pixels a colour twice and leaves others without it.
    if (iLedNumber < 1 || iLedNumber > LEDS_PER_DRIVER || LEDS_PER_DRIVER % iLedNumber != 0) {
        TraceError("Invalid LED number %d! (must be 1, 2, 4, 8 or 16)", iLedNumber);
        return;
    }
    const QComboBox *apColours[3] = {m_pUi->m_pLpuLedMapOrderFirstCbBox, m_pUi->m_pLpuLedMapOrderSecondCbBox,
                                     m_pUi->m_pLpuLedMapOrderThirdCbBox};
    TraceInfo("Generating LED Mapping table...");
    TraceInfo("    Type '%s'", U8(m_pUi->m_pLpuLedMapDriverInputCbBox->currentText()).constData());
    TraceInfo("    First Color:  %s", U8(apColours[0]->currentText()).constData());
    TraceInfo("    Second Color: %s", U8(apColours[1]->currentText()).constData());
    TraceInfo("    Third Color:  %s", U8(apColours[2]->currentText()).constData());
    TraceInfo("    LED Number:   %d", iLedNumber);
    TraceInfo("    File:         '%s'", U8(qsName).constData());
    quint8 aucMap[LED_MAP_ADDRESSES];
    ComputeLedMapping(m_pUi->m_pLpuLedMapDriverInputCbBox->currentIndex(), apColours[0]->currentIndex(),
                      apColours[1]->currentIndex(), apColours[2]->currentIndex(), iLedNumber, aucMap);
    if (WriteLedMappingFile(iFormat, qsName, aucMap) != 0)
        TraceError("Failed to generate LED Mapping table file!");
    else
        TraceSuccess("Fixture LED Mapping file generated!");
}

// Driver input 1 starts at LED 0 of driver 0, input 0 at LED 15 of driver 11. Colours run in
// blocks of iLedNumber LEDs from the input (third colour first); pixels are counted from
// driver 0 whatever the input, iLedNumber pixels per block of three runs.
int TestTools::ComputeLedMapping(int iDriverInput, int iFirst, int iSecond, int iThird, int iLedNumber, quint8 *pucMap)
{
    const bool bFromStart = iDriverInput == 1;
    const int aiRunColour[3] = {iThird, iSecond, iFirst};
    int aiColour[LED_MAP_LEDS];
    int aiPixel[LED_MAP_LEDS];
    TraceInfo("    Set Color:");
    for (int k = 0; k < LED_MAP_LEDS; ++k) {
        const int j = bFromStart ? k : LED_MAP_LEDS - 1 - k;
        aiColour[j] = aiRunColour[(k / iLedNumber) % 3];
        TraceInfo("        Driver %02d - Led %02d: Color %d (0:Blue-1:Green-2:Red)", j / LEDS_PER_DRIVER,
                  j % LEDS_PER_DRIVER, aiColour[j]);
    }
    TraceInfo("    Set Pixel number:");
    for (int j = 0; j < LED_MAP_LEDS; ++j) {
        aiPixel[j] = (j / (3 * iLedNumber)) * iLedNumber + j % iLedNumber;
        TraceInfo("        Driver %02d - Led %02d: Pixel %02d", j / LEDS_PER_DRIVER, j % LEDS_PER_DRIVER, aiPixel[j]);
    }
    // The fixture reads its LEDs interleaved over the drivers, the first and last blocks of 64
    // exchanged; the blocks are traced in the order the driver input gives them.
    struct Block
    {
        int iStart;
        int iPass;
    };
    static const Block aBlocks[2][3] = {{{0, 0}, {128, 1}, {64, 2}}, {{64, 2}, {0, 1}, {128, 0}}};
    TraceInfo("    Output Data:");
    for (const Block &block : aBlocks[bFromStart]) {
        for (int a = block.iStart; a < block.iStart + 64; ++a) {
            const int s = a < 64 ? a + 128 : (a >= 128 ? a - 128 : a);
            int iDriver = s % LED_DRIVERS;
            int iLed = s / LED_DRIVERS;
            if (bFromStart) {
                iDriver = LED_DRIVERS - 1 - iDriver;
                iLed = LEDS_PER_DRIVER - 1 - iLed;
            }
            const int j = iDriver * LEDS_PER_DRIVER + iLed;
            const int iPixel = aiPixel[j] & 0x3F;
            pucMap[a] = quint8(aiColour[j] * 64 + iPixel);
            TraceInfo("        Adr: 0x%08X - Pass %d, Pixel 0x%02X, Led Color=%d = 0x%02X", a, block.iPass, iPixel,
                      aiColour[j], pucMap[a]);
        }
    }
    std::fill(pucMap + LED_MAP_LEDS, pucMap + LED_MAP_ADDRESSES, quint8(0xFF));
    return 0;
}

int TestTools::WriteLedMappingFile(int iFormat, const QString &qsName, const quint8 *pucMap)
{
    switch (iFormat) {
    case 0:
        return WriteLedMappingMif(qsName, pucMap);
    case LED_MAP_FORMAT_MAP:
        return WriteLedMappingMap(qsName, pucMap);
    }
    return STATUS_INVALID_PARAM;
}

// Both files go through QSaveFile: a failed generation leaves the previous map whole.
int TestTools::WriteLedMappingMif(const QString &qsName, const quint8 *pucMap)
{
    QSaveFile file(FilePath(qsName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        TraceError("Failed to open '%s' file!", U8(qsName).constData());
        return STATUS_FILE_OPEN;
    }
    QStringList lines = {QStringLiteral("WIDTH=8;"),
                         QStringLiteral("DEPTH=256;"),
                         QString(),
                         QStringLiteral("ADDRESS_RADIX=HEX;"),
                         QStringLiteral("DATA_RADIX=HEX;"),
                         QString(),
                         QStringLiteral("CONTENT BEGIN"),
                         QString()};
    const int iEntriesFrom = int(lines.size());
    for (int a = 0; a < LED_MAP_ADDRESSES; ++a) {
        const QString qsAddress = QStringLiteral("%1").arg(a, 8, 16, QLatin1Char('0'));
        if (a < LED_MAP_LEDS)
            lines << QStringLiteral(" %1 : %2;").arg(qsAddress).arg(pucMap[a], 2, 16, QLatin1Char('0')).toUpper();
        else
            lines << QStringLiteral(" %1 : FF;").arg(qsAddress);
    }
    lines << QString() << QString() << QStringLiteral("END;") << QString();
    for (int i = 0; i < lines.size(); ++i) {
        if (CoefWriteLine(&file, lines[i]) != 0)
            return STATUS_FILE_SAVE;
        if (i >= iEntriesFrom && i < iEntriesFrom + LED_MAP_LEDS)
            TraceInfo("%s", U8(lines[i]).constData());
    }
    return file.commit() ? 0 : STATUS_FILE_SAVE;
}

int TestTools::WriteLedMappingMap(const QString &qsName, const quint8 *pucMap)
{
    QSaveFile file(FilePath(qsName));
    if (!file.open(QIODevice::WriteOnly)) {
        TraceError("Failed to open '%s' file!", U8(qsName).constData());
        return STATUS_FILE_OPEN;
    }
    QByteArray baData(LED_MAP_FILE_BYTES, '\0');
    TraceInfo("Mapping data table:");
    for (int a = 0; a < LED_MAP_LEDS; ++a) {
        baData[4 * a] = char(pucMap[a]);
        TraceInfo("    0x%04X: 0x%02X", a, pucMap[a]);
    }
    if (file.write(baData) != baData.size() || !file.commit())
        return STATUS_FILE_SAVE;
    return 0;
}
