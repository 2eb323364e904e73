// The test tools' SDRAM tab: one pixel, a rectangle to and from image files, test patterns,
// and the histories of the image files.
#include "config/softconf.h"
#include "testtools/testtoolsrequest.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"

#include <QDateTime>
#include <QImage>
#include <QImageReader>

#include <random>

namespace {

const char *const kCoordinates = "   Sdram coordinates: X=%d, Y=%d, width=%d, heigth=%d";
const char *const kImageSize = "   Image Size: width=%d, heigth=%d";
constexpr int kPatternWidth = 1920;
constexpr int kPatternHeight = 1080;

void TraceRect(const char *pcFormat, SdramRect_t tRect)
{
    TraceInfo(pcFormat, tRect.X, tRect.Y, tRect.Width, tRect.Height);
}

// Pixel (c, r) of a transfer is at r x Width + c, three bytes red, green, blue.
QImage PixelsToImage(const QByteArray &baPixels, int iWidth, int iHeight)
{
    QImage image(iWidth, iHeight, QImage::Format_ARGB32);
    const auto *pucPixel = reinterpret_cast<const uchar *>(baPixels.constData());
    for (int r = 0; r < iHeight; ++r) {
        auto *puiLine = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < iWidth; ++c, pucPixel += 3)
            puiLine[c] = qRgb(pucPixel[0], pucPixel[1], pucPixel[2]);
    }
    return image;
}

} // namespace

void TestTools::SetupSdramTab()
{
    connect(m_pUi->m_pSDRAMRdPixelBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramRdPixelBtn);
    connect(m_pUi->m_pSDRAMWrPixelBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramWrPixelBtn);
    connect(m_pUi->m_pSDRAMRdFileBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramRdFileBtn);
    connect(m_pUi->m_pSDRAMRdFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramRdFileChoiceBtn);
    connect(m_pUi->m_pSDRAMWrFileBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramWrFileBtn);
    connect(m_pUi->m_pSDRAMWrFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramWrFileChoiceBtn);
    connect(m_pUi->m_SDRAMWrPatternBtn, &QPushButton::clicked, this, &TestTools::s_OnSdramWrPatternBtn);
}

bool TestTools::GetSdramRect(SdramRect_t *ptRect)
{
    const int iLeft = m_pUi->m_pSDRAMLeftSpin->value();
    const int iRight = m_pUi->m_pSDRAMRightSpin->value();
    const int iTop = m_pUi->m_pSDRAMTopSpin->value();
    const int iBottom = m_pUi->m_pSDRAMBottomSpin->value();
    if (iLeft > iRight || iTop > iBottom) {
        TraceError("Invalid Sdram Rect Configuration! (Top>Bottom or Left>Right)");
        return false;
    }
    *ptRect = SdramRect_t{quint16(iLeft), quint16(iTop), quint16(iRight - iLeft + 1), quint16(iBottom - iTop + 1)};
    return true;
}

// ---- one pixel ----

void TestTools::s_OnSdramRdPixelBtn()
{
    const SdramRect_t tRect{quint16(m_pUi->m_pSDRAMRdWrPixelXPosSpin->value()),
                            quint16(m_pUi->m_pSDRAMRdWrPixelYPosSpin->value()), 1, 1};
    StartRequest(&CVpuCom::sigSdramReadMsg, &TestTools::s_OnSdramReadPixelDone,
                 [tRect](CVpuCom &com) { return com.SdramRead(tRect); });
}

void TestTools::s_OnSdramReadPixelDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels)
{
    if (!TakeReply(&CVpuCom::sigSdramReadMsg, &TestTools::s_OnSdramReadPixelDone))
        return;
    QLineEdit *const apEdits[3] = {m_pUi->m_pSDRAMRdWrPixelRedSpin, m_pUi->m_pSDRAMRdWrPixelGreenSpin,
                                   m_pUi->m_pSDRAMRdWrPixelBlueSpin};
    if (iStatus != 0 || baPixels.size() < 3) {
        TraceError("Failed to read pixel value in sdram at position X=%d, Y=%d (Error = %d)", tSdramRect.X,
                   tSdramRect.Y, iStatus);
        for (QLineEdit *pEdit : apEdits)
            pEdit->setText(QStringLiteral("FF"));
        return;
    }
    for (int i = 0; i < 3; ++i)
        apEdits[i]->setText(HexText(quint8(baPixels.at(i)), 2));
    TraceSuccess("Read pixel values in sdram at position X=%d, Y=%d: Red=0x%02X - Green=0x%02X - Blue=0x%02X",
                 tSdramRect.X, tSdramRect.Y, quint8(baPixels.at(0)), quint8(baPixels.at(1)), quint8(baPixels.at(2)));
}

void TestTools::s_OnSdramWrPixelBtn()
{
    const SdramRect_t tRect{quint16(m_pUi->m_pSDRAMRdWrPixelXPosSpin->value()),
                            quint16(m_pUi->m_pSDRAMRdWrPixelYPosSpin->value()), 1, 1};
    const Color_t tColor{quint8(HexField(m_pUi->m_pSDRAMRdWrPixelRedSpin)),
                         quint8(HexField(m_pUi->m_pSDRAMRdWrPixelGreenSpin)),
                         quint8(HexField(m_pUi->m_pSDRAMRdWrPixelBlueSpin))};
    StartRequest(&CVpuCom::sigSdramWriteMsg, &TestTools::s_OnSdramWritePixelDone,
                 [tRect, &tColor](CVpuCom &com) { return com.SdramWrite(tRect, &tColor); });
}

void TestTools::s_OnSdramWritePixelDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigSdramWriteMsg, &TestTools::s_OnSdramWritePixelDone))
        return;
    const int iX = m_pUi->m_pSDRAMRdWrPixelXPosSpin->value();
    const int iY = m_pUi->m_pSDRAMRdWrPixelYPosSpin->value();
    const quint8 ucRed = quint8(HexField(m_pUi->m_pSDRAMRdWrPixelRedSpin));
    const quint8 ucGreen = quint8(HexField(m_pUi->m_pSDRAMRdWrPixelGreenSpin));
    const quint8 ucBlue = quint8(HexField(m_pUi->m_pSDRAMRdWrPixelBlueSpin));
    if (iStatus == 0)
        TraceSuccess("Write pixel values in sdram done! (Position X=%d, Y=%d - Red=0x%02X, Green=0x%02X, Blue=0x%02X)",
                     iX, iY, ucRed, ucGreen, ucBlue);
    else
        TraceError("Failed to write pixel values in sdram! (Position X=%d, Y=%d - Red=0x%02X, Green=0x%02X, "
                   "Blue=0x%02X - Error: %d)",
                   iX, iY, ucRed, ucGreen, ucBlue, iStatus);
}

// ---- rectangle to file ----

void TestTools::s_OnSdramRdFileBtn()
{
    const QString qsName = m_pUi->m_pSDRAMRdFileCbBox->currentText();
    TraceInfo("Read Sdram and save image in '%s'...", U8(qsName).constData());
    SdramRect_t tRect{};
    if (!GetSdramRect(&tRect))
        return;
    TraceRect(kCoordinates, tRect);
    if (qsName.isEmpty()) {
        TraceError("Invalid Output file name!");
        return;
    }
    UpdateSdramReadHistory();
    StartRequest(&CVpuCom::sigSdramReadMsg, &TestTools::s_OnSdramReadFileDone,
                 [tRect](CVpuCom &com) { return com.SdramRead(tRect); });
}

void TestTools::s_OnSdramReadFileDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels)
{
    if (!TakeReply(&CVpuCom::sigSdramReadMsg, &TestTools::s_OnSdramReadFileDone))
        return;
    const QByteArray baName = U8(m_pUi->m_pSDRAMRdFileCbBox->currentText());
    if (iStatus != 0) {
        TraceError("Failed to read pixel data from sdram (X=%d, Y=%d, width = %d, heigth=%d) (Error = %d)",
                   tSdramRect.X, tSdramRect.Y, tSdramRect.Width, tSdramRect.Height, iStatus);
        return;
    }
    if (baPixels.size() != qsizetype(tSdramRect.Width) * tSdramRect.Height * 3) {
        TraceError("Invalid Data Buffer pointer read from SDRAM");
        return;
    }
    // BMP whatever the name says: the file is what the name shows of it.
    if (!PixelsToImage(baPixels, tSdramRect.Width, tSdramRect.Height)
             .save(m_pUi->m_pSDRAMRdFileCbBox->currentText(), "BMP")) {
        TraceError("Failed to save SDRAM data to '%s'", baName.constData());
        return;
    }
    TraceSuccess("Read SDRAM values from sdram (X=%d, Y=%d, width = %d, heigth=%d) to '%s'!", tSdramRect.X,
                 tSdramRect.Y, tSdramRect.Width, tSdramRect.Height, baName.constData());
}

// ---- image file and patterns to SDRAM ----

void TestTools::s_OnSdramWrFileBtn()
{
    const QString qsName = m_pUi->m_pSDRAMWrFileCbBox->currentText();
    TraceInfo("Write '%s' image file in SDRAM...", U8(qsName).constData());
    SdramRect_t tRect{};
    if (!GetSdramRect(&tRect))
        return;
    TraceRect(kCoordinates, tRect);
    QImage image;
    if (!LoadInputImage(qsName, &image))
        return;
    TraceInfo(kImageSize, image.width(), image.height());
    WriteImageToSdram(std::move(image), tRect, false);
}

bool LoadInputImage(const QString &qsName, QImage *pImage)
{
    if (!qsName.contains(QLatin1String(".bmp")) && !qsName.contains(QLatin1String(".jpg"))) {
        TraceError("Invalid Input file name!");
        return false;
    }
    QImageReader reader(qsName);
    reader.setDecideFormatFromContent(true);
    *pImage = reader.read();
    if (pImage->isNull()) {
        TraceError("Failed to read image file '%s'!", U8(qsName).constData());
        return false;
    }
    return true;
}

void TestTools::s_OnSdramWrPatternBtn()
{
    const int iPattern = m_pUi->m_pSDRAMWrPatternCbBox->currentIndex();
    const QByteArray baPattern = U8(m_pUi->m_pSDRAMWrPatternCbBox->currentText());
    TraceInfo("Write '%s' pattern in SDRAM...", baPattern.constData());
    SdramRect_t tRect{};
    if (!GetSdramRect(&tRect))
        return;
    QImage image;
    switch (iPattern) {
    case 0:
        image = MakeRgbRampImage();
        break;
    case 1:
        image = MakeNoiseImage();
        break;
    case 2:
        image = MakeFullColorImage(Color_t{0xFF, 0, 0});
        tRect = SdramRect_t{0, 0, SDRAM_WIDTH, SDRAM_HEIGHT};
        break;
    default:
        TraceError("Invalid pattern type!");
        return;
    }
    if (image.isNull()) {
        TraceError("Failed to read image file '%s'!", baPattern.constData());
        return;
    }
    TraceRect(kCoordinates, tRect);
    TraceInfo(kImageSize, image.width(), image.height());
    WriteImageToSdram(std::move(image), tRect, true);
}

void TestTools::WriteImageToSdram(QImage image, SdramRect_t tRect, bool bPattern)
{
    tRect.Width = quint16(std::min<int>(tRect.Width, image.width()));
    tRect.Height = quint16(std::min<int>(tRect.Height, image.height()));
    TraceRect(bPattern ? "   Write pattern to SDRAM: X=%d, Y=%d, width=%d, heigth=%d"
                       : "   Write image file to SDRAM: X=%d, Y=%d, width=%d, heigth=%d",
              tRect);
    QByteArray baPixels;
    try {
        baPixels.resize(qsizetype(tRect.Width) * tRect.Height * 3);
    } catch (const std::bad_alloc &) {
        TraceError("Failed to allocate pixel buffer to write in sdram!");
        return;
    }
    image.convertTo(QImage::Format_ARGB32);
    char *pcPixel = baPixels.data();
    for (int r = 0; r < tRect.Height; ++r) {
        const auto *puiLine = reinterpret_cast<const QRgb *>(image.constScanLine(r));
        for (int c = 0; c < tRect.Width; ++c) {
            *pcPixel++ = char(qRed(puiLine[c]));
            *pcPixel++ = char(qGreen(puiLine[c]));
            *pcPixel++ = char(qBlue(puiLine[c]));
        }
    }
    // A whole-memory pattern would otherwise hold its picture and its pixels at once.
    image = QImage();
    if (!bPattern)
        UpdateSdramWriteHistory();
    StartRequest(&CVpuCom::sigSdramWriteMsg, &TestTools::s_OnSdramWriteFileDone, [&](CVpuCom &com) {
        return com.SdramWrite(tRect, reinterpret_cast<const Color_t *>(baPixels.constData()));
    });
}

void TestTools::s_OnSdramWriteFileDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigSdramWriteMsg, &TestTools::s_OnSdramWriteFileDone))
        return;
    if (iStatus == 0)
        TraceSuccess("Image written to sdram!");
    else
        TraceError("Failed to write image file to sdram (Error = %d)", iStatus);
}

// Red, green then blue bands of 360 lines; in each line the band's channel climbs from 1 and
// wraps after 255.
QImage TestTools::MakeRgbRampImage()
{
    QImage image(kPatternWidth, kPatternHeight, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    for (int r = 0; r < kPatternHeight; ++r) {
        auto *puiLine = reinterpret_cast<QRgb *>(image.scanLine(r));
        const int iBand = r / (kPatternHeight / 3);
        for (int c = 0; c < kPatternWidth; ++c) {
            const int iLevel = (c + 1) % 256;
            puiLine[c] = qRgb(iBand == 0 ? iLevel : 0, iBand == 1 ? iLevel : 0, iBand == 2 ? iLevel : 0);
        }
    }
    return image;
}

QImage TestTools::MakeNoiseImage()
{
    QImage image(kPatternWidth, kPatternHeight, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    std::function<int()> fnDraw = m_fnNoiseDraw;
    if (!fnDraw) {
        auto pEngine = std::make_shared<std::minstd_rand>(quint32(QDateTime::currentSecsSinceEpoch()));
        fnDraw = [pEngine] { return std::uniform_int_distribution<int>(0, 32767)(*pEngine); };
    }
    for (int r = 0; r < kPatternHeight; ++r) {
        auto *puiLine = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < kPatternWidth; ++c) {
            // 32767 x 16777215 does not fit an int.
            const quint32 uiValue = quint32(qint64(fnDraw()) * 16777215 / 32767);
            puiLine[c] = qRgb(int(uiValue & 0xFF), int((uiValue >> 8) & 0xFF), int((uiValue >> 16) & 0xFF));
        }
    }
    return image;
}

QImage TestTools::MakeFullColorImage(Color_t tColor)
{
    QImage image(SDRAM_WIDTH, SDRAM_HEIGHT, QImage::Format_ARGB32);
    if (!image.isNull())
        image.fill(qRgb(tColor.red, tColor.green, tColor.blue));
    return image;
}

// ---- histories ----

bool TestTools::PushHistory(QComboBox *pCombo, QStringList *pList, int iMax)
{
    const QString qsName = pCombo->currentText();
    const qsizetype iIdx = pList->indexOf(qsName);
    if (qsName.isEmpty() || iIdx == 0)
        return false;
    if (iIdx > 0)
        pList->move(iIdx, 0);
    else
        pList->prepend(qsName);
    while (pList->size() > iMax)
        pList->removeLast();
    pCombo->clear();
    pCombo->addItems(*pList);
    return true;
}

void TestTools::UpdateSdramReadHistory()
{
    if (!PushHistory(m_pUi->m_pSDRAMRdFileCbBox, &m_SdramReadHistory, SDRAM_HISTORY_MAX))
        return;
    g_SoftConf.UpdateSdramReadHistory(m_SdramReadHistory);
    g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
}

void TestTools::UpdateSdramWriteHistory()
{
    if (!PushHistory(m_pUi->m_pSDRAMWrFileCbBox, &m_SdramWriteHistory, SDRAM_HISTORY_MAX))
        return;
    g_SoftConf.UpdateSdramWriteHistory(m_SdramWriteHistory);
    g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
}

void TestTools::s_OnSdramRdFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pSDRAMRdFileCbBox, true, tr("Select the SDRAM Output file (%1)").arg("*.bmp"),
               QStringLiteral("*.bmp"), true);
}

void TestTools::s_OnSdramWrFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pSDRAMWrFileCbBox, false, tr("Select the SDRAM Input file (%1)").arg("*.bmp;*.jpg"),
               QStringLiteral("*.bmp;*.jpg"), true);
}
