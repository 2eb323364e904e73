// The test tools' device tabs against the simulated VPU: flash erase, words and files; SDRAM
// rectangles, image files and patterns; fixture registers, memory files, acquisition buffer
// and reboots. Requests are checked byte for byte, files with ImageMagick and Python.
#include "comm/vpumsg.h"
#include "support/quietqpa.h"
#include "toolsrig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

// Every request but the link's own start.
QStringList DeviceRequests(VpuSimModel &model)
{
    return Requests(model).filter(QRegularExpression(QStringLiteral("^(?!3:)")));
}

// A true-colour gradient picture made by ImageMagick.
bool MakeImage(const QString &qsSize, const QString &qsGradient, const QString &qsFile)
{
    QDir().mkpath(QFileInfo(qsFile).path());
    bool bOk = false;
    Run(QStringLiteral("convert"),
        {QStringLiteral("-size"), qsSize, "gradient:" + qsGradient, QStringLiteral("-type"),
         QStringLiteral("TrueColor"), "bmp3:" + qsFile},
        &bOk);
    return bOk;
}

// Pixels of a rectangle of an image file as ImageMagick reads them, three bytes each.
QByteArray ImageRgb(const QString &qsFile, const QRect &crop)
{
    return Run(QStringLiteral("convert"),
               {qsFile, QStringLiteral("-crop"),
                QStringLiteral("%1x%2+%3+%4").arg(crop.width()).arg(crop.height()).arg(crop.x()).arg(crop.y()),
                QStringLiteral("+repage"), QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
}

// "BM width height bits" from the file's own headers.
QByteArray BmpHeader(const QString &qsFile)
{
    return Run(QStringLiteral("python3"), {QStringLiteral("-c"),
                                           QStringLiteral("import struct,sys; d=open(sys.argv[1],'rb').read(30); "
                                                          "w,h,p,b=struct.unpack('<iiHH',d[18:30]); "
                                                          "print(d[:2].decode(), w, abs(h), b)"),
                                           qsFile})
        .trimmed();
}

QByteArray Counting(int iSize, int iStart = 0)
{
    QByteArray ba;
    for (int i = 0; i < iSize; ++i)
        ba += char((iStart + i * 7) & 0xFF);
    return ba;
}

void SetText(QWidget *pPanel, const char *pcName, const QString &qsText)
{
    QLineEdit *pEdit = Child<QLineEdit>(pPanel, pcName);
    pEdit->clear();
    QTest::keyClicks(pEdit, qsText);
}

} // namespace

class TestTestToolsDevice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }
    void flashErase_data();
    void flashErase();
    void flashTools_data();
    void flashTools();
    void rebootMcu_data();
    void rebootMcu();
    void sdramRead_data();
    void sdramRead();
    void sdramWriteBmp();
    void sdramPattern_data();
    void sdramPattern();
    void fixtureTools_data();
    void fixtureTools();
    void acquisitionBufferRoundTrip();
};

void TestTestToolsDevice::flashErase_data()
{
    QTest::addColumn<int>("iFailAfter"); // -1: no failure
    QTest::addColumn<QStringList>("requests");
    const QStringList all{"20: 00 00 04 00 00 00 02 00 00", "20: 00 00 00 00 00 00 02 00 00",
                          "20: 00 00 fe 01 00 80 00 00 00"};
    QTest::newRow("three sectors, one after another") << -1 << all;
    QTest::newRow("failure on the second stops") << 1 << all.mid(0, 2);
}

void TestTestToolsDevice::flashErase()
{
    QFETCH(int, iFailAfter);
    QFETCH(QStringList, requests);
    ToolsRig rig(QStringLiteral("127.0.27.1"));
    QVERIFY(rig.bStarted);
    if (iFailAfter >= 0) {
        VpuSimFault fault{-5};
        fault.iAfter = iFailAfter;
        rig.link.Model().SetFault(VPU_MSG_FLASH_ERASE, fault);
    }
    QListWidget *pList = Child<QListWidget>(rig.pTools, "m_pFlashSectorsList");
    for (int iRow : {2, 0, 255})
        pList->setCurrentItem(pList->item(iRow), QItemSelectionModel::Select);
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pFlashEraseBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_COMPARE(DeviceRequests(rig.link.Model()), requests);
    const QStringList boxes = rig.link.ErrorBoxes();
    QCOMPARE(boxes.size(), iFailAfter >= 0 ? 1 : 0);
    if (iFailAfter >= 0)
        QVERIFY(boxes.first().startsWith("Failed to Erase Flash Sector at offset 0x00000000! Stop Erase sequence!|"));
    else
        QVERIFY(rig.link.Traces().Contains(QStringLiteral("VPU Flash Sector at offset 0x01FE0000 erased!")));
}

void TestTestToolsDevice::flashTools_data()
{
    QTest::addColumn<QString>("qsButton");
    QTest::addColumn<QString>("qsOffset");
    QTest::addColumn<QString>("qsSize");
    QTest::addColumn<int>("iFileBytes"); // of the file to write; -1 none
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QString>("qsTrace");
    const auto row = [](const char *pcName, const char *pcButton, const char *pcOffset, const char *pcSize,
                        int iFileBytes, const QStringList &requests, const char *pcTrace) {
        QTest::newRow(pcName) << QStringLiteral("m_pFlash%1Btn").arg(pcButton) << pcOffset << pcSize << iFileBytes
                              << requests << pcTrace;
    };
    row("word write, low byte first", "Write", "100", "0", -1, {"22: 00 01 00 00 02 00 00 00 00"},
        "Write flash short word at offset 0x00000100 = 0xBEEF");
    row("word read", "Read", "200", "0", -1, {"21: 00 02 00 00 02 00 00 00 00"},
        "Read flash short word at offset 0x00000200 - Value = 0x0700");
    row("word across the flash end", "Read", "1FFFFFF", "0", -1, {},
        "Invalid Flash Offset (Must be [0x0000000;0x1FFFFFE])!");
    row("dump", "RdFile", "200", "10", -1, {"21: 00 02 00 00 10 00 00 00 00"},
        "0x00000010 bytes read on flash from offset 0x00000200 and written on file 'Data/dump.bin'");
    row("dump of nothing", "RdFile", "200", "0", -1, {}, "Invalid length!");
    row("dump past the end", "RdFile", "1FFFFF0", "11", -1, {},
        "Flash read out of range: 0x00000011 bytes from offset 0x01FFFFF0 pass the end of the flash (0x02000000)!");
    row("file up to the last byte", "WrFile", "1FFFFF0", "FFFFFFFF", 16, {"22: f0 ff ff 01 10 00 00 00 01"},
        "'Data/in.bin' file written on flash at offset 0x01FFFFF0");
    row("file one byte further", "WrFile", "1FFFFF1", "FFFFFFFF", 16, {}, "File does not fit in flash!");
    row("file cut to the size", "WrFile", "0", "20", 64, {"22: 00 00 00 00 20 00 00 00 01"},
        "'Data/in.bin' file written on flash at offset 0x00000000");
    row("file write of size 0", "WrFile", "0", "0", 64, {}, "Invalid length!");
    row("empty file", "WrFile", "0", "FF", 0, {}, "Invalid length!");
}

void TestTestToolsDevice::flashTools()
{
    QFETCH(QString, qsButton);
    QFETCH(QString, qsOffset);
    QFETCH(QString, qsSize);
    QFETCH(int, iFileBytes);
    QFETCH(QStringList, requests);
    QFETCH(QString, qsTrace);
    ToolsRig rig(QStringLiteral("127.0.27.2"));
    QVERIFY(rig.bStarted);
    rig.device.SetVpuFlash(0x200, Counting(0x20));
    const QByteArray baFile = Counting(qMax(iFileBytes, 0), 3);
    QVERIFY(WriteFile(QStringLiteral("Data/in.bin"), baFile));
    TestTools *p = rig.pTools;
    SetText(p, "m_pFlashOffsetLE", qsOffset);
    SetText(p, "m_pFlashRdSize", qsSize);
    SetText(p, "m_pFlashRdWrShortLE", QStringLiteral("BEEF"));
    Child<QComboBox>(p, "m_pFlashRdFileCbBox")->setEditText(QStringLiteral("Data/dump.bin"));
    Child<QComboBox>(p, "m_pFlashWrFileCbBox")->setEditText(QStringLiteral("Data/in.bin"));
    QTest::mouseClick(Child<QPushButton>(p, qPrintable(qsButton)), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_VERIFY2(rig.link.Traces().Contains(qsTrace), qPrintable(rig.link.Traces().Texts().join('\n')));
    QCOMPARE(DeviceRequests(rig.link.Model()), requests);
    const quint32 uiOffset = qsOffset.toUInt(nullptr, 16);
    if (qsButton == "m_pFlashWriteBtn")
        QCOMPARE(rig.device.VpuFlash(uiOffset, 2), QByteArray("\xef\xbe"));
    if (qsButton == "m_pFlashReadBtn" && !requests.isEmpty())
        QCOMPARE(Child<QLineEdit>(p, "m_pFlashRdWrShortLE")->text(), qsTrace.right(4));
    if (qsButton == "m_pFlashRdFileBtn")
        QCOMPARE(ReadFile("Data/dump.bin"), requests.isEmpty() ? QByteArray() : Counting(16));
    if (qsButton == "m_pFlashWrFileBtn" && !requests.isEmpty()) {
        const quint32 uiCount = qMin(quint32(iFileBytes), qsSize.toUInt(nullptr, 16));
        QCOMPARE(rig.device.VpuFlash(uiOffset, uiCount), baFile.left(uiCount));
    }
}

void TestTestToolsDevice::rebootMcu_data()
{
    QTest::addColumn<int>("iStatus");
    QTest::newRow("acknowledged") << 0;
    QTest::newRow("refused") << -6;
}

void TestTestToolsDevice::rebootMcu()
{
    QFETCH(int, iStatus);
    ToolsRig rig(QStringLiteral("127.0.27.3"));
    QVERIFY(rig.bStarted);
    rig.link.Model().SetFault(VPU_MSG_VPU_SOFT_RESET, VpuSimFault{iStatus});
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pRebootMCUBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_COMPARE(rig.link.Wnd()->m_VpuCom.IsOpen(), iStatus != 0);
    QCOMPARE(rig.link.ErrorBoxes().size(), iStatus != 0 ? 1 : 0);
    QCOMPARE(Child<QWidget>(rig.pTools, "m_pFlashScrollContents")->isEnabled(), iStatus != 0);
}

void TestTestToolsDevice::sdramRead_data()
{
    QTest::addColumn<QRect>("rect"); // left, top, width, height as the spins give them
    QTest::addColumn<QString>("qsName");
    QTest::addColumn<QRect>("crop"); // checked part of the file
    QTest::addColumn<QString>("qsRequest");
    QTest::newRow("default rectangle, named .jpg")
        << QRect(0, 240, 1920, 1080) << "Data/sdram.jpg" << QRect(1000, 500, 4, 2) << "29: 00 00 f0 00 80 07 38 04";
    QTest::newRow("far corner of the memory")
        << QRect(2040, 6140, 8, 4) << "Data/corner.bmp" << QRect(0, 0, 8, 4) << "29: f8 07 fc 17 08 00 04 00";
}

void TestTestToolsDevice::sdramRead()
{
    QFETCH(QRect, rect);
    QFETCH(QString, qsName);
    QFETCH(QRect, crop);
    QFETCH(QString, qsRequest);
    ToolsRig rig(QStringLiteral("127.0.27.4"));
    QVERIFY(rig.bStarted);
    const QByteArray baMemory = Counting(rect.width() * rect.height() * 3);
    rig.link.Model().SetSdram(rect.x(), rect.y(), rect.width(), rect.height(), baMemory);
    TestTools *p = rig.pTools;
    Child<QSpinBox>(p, "m_pSDRAMLeftSpin")->setValue(rect.left());
    Child<QSpinBox>(p, "m_pSDRAMRightSpin")->setValue(rect.right());
    Child<QSpinBox>(p, "m_pSDRAMTopSpin")->setValue(rect.top());
    Child<QSpinBox>(p, "m_pSDRAMBottomSpin")->setValue(rect.bottom());
    Child<QComboBox>(p, "m_pSDRAMRdFileCbBox")->setEditText(qsName);
    QTest::mouseClick(Child<QPushButton>(p, "m_pSDRAMRdFileBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QCOMPARE(DeviceRequests(rig.link.Model()), QStringList{qsRequest});
    QTRY_VERIFY(QFile::exists(qsName));
    QCOMPARE(BmpHeader(qsName), QStringLiteral("BM %1 %2 24").arg(rect.width()).arg(rect.height()).toLatin1());
    QCOMPARE(ImageRgb("bmp:" + qsName, crop),
             rig.link.Model().Sdram(rect.x() + crop.x(), rect.y() + crop.y(), crop.width(), crop.height()));
    QCOMPARE(Child<QComboBox>(p, "m_pSDRAMRdFileCbBox")->itemText(0), qsName);
}

void TestTestToolsDevice::sdramWriteBmp()
{
    ToolsRig rig(QStringLiteral("127.0.27.5"));
    QVERIFY(rig.bStarted);
    QVERIFY(MakeImage(QStringLiteral("100x50"), QStringLiteral("red-blue"), QStringLiteral("Data/in.bmp")));
    Child<QComboBox>(rig.pTools, "m_pSDRAMWrFileCbBox")->setEditText(QStringLiteral("Data/in.bmp"));
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pSDRAMWrFileBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_VERIFY(rig.link.Traces().Contains(QStringLiteral("Image written to sdram!")));
    QCOMPARE(DeviceRequests(rig.link.Model()), QStringList{"30: 00 00 f0 00 64 00 32 00"});
    QCOMPARE(rig.link.Model().Sdram(0, 240, 100, 50), ImageRgb(QStringLiteral("Data/in.bmp"), QRect(0, 0, 100, 50)));
}

void TestTestToolsDevice::sdramPattern_data()
{
    QTest::addColumn<int>("iPattern");
    QTest::addColumn<int>("iTop");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QByteArray>("baPixels"); // three bytes per point
    QTest::newRow("ramp") << 0 << 240 << QList<QPoint>{{0, 240}, {254, 240}, {255, 240}, {0, 600}, {4, 1319}}
                          << QByteArray::fromHex("010000 ff0000 000000 000100 000005");
    QTest::newRow("noise") << 1 << 240 << QList<QPoint>{{0, 240}, {1, 240}, {2, 240}, {3, 240}}
                           << QByteArray::fromHex("ffffff 000200 ff0080 000000");
    QTest::newRow("whole memory red") << 2 << 240 << QList<QPoint>{{0, 0}, {2047, 6143}, {0, 1400}}
                                      << QByteArray::fromHex("ff0000 ff0000 ff0000");
    QTest::newRow("inverted rectangle refused") << 2 << 1320 << QList<QPoint>{{0, 0}} << QByteArray::fromHex("000000");
}

void TestTestToolsDevice::sdramPattern()
{
    QFETCH(int, iPattern);
    QFETCH(int, iTop);
    QFETCH(QList<QPoint>, points);
    QFETCH(QByteArray, baPixels);
    ToolsRig rig(QStringLiteral("127.0.27.6"));
    QVERIFY(rig.bStarted);
    int iDraw = 0;
    const int aiDraws[] = {32767, 1, 16384, 0};
    rig.pTools->SetNoiseSource([&] { return aiDraws[iDraw++ % 4]; });
    Child<QSpinBox>(rig.pTools, "m_pSDRAMTopSpin")->setValue(iTop);
    Child<QComboBox>(rig.pTools, "m_pSDRAMWrPatternCbBox")->setCurrentIndex(iPattern);
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_SDRAMWrPatternBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle(120000));
    QByteArray baSeen;
    for (const QPoint &point : points)
        baSeen += rig.link.Model().Sdram(point.x(), point.y(), 1, 1);
    QCOMPARE(baSeen.toHex(), baPixels.toHex());
    QCOMPARE(DeviceRequests(rig.link.Model()).size(), iTop > 1319 ? 0 : 1);
}

void TestTestToolsDevice::fixtureTools_data()
{
    QTest::addColumn<QString>("qsButton"); // a button, or the compare slot that no button has
    QTest::addColumn<int>("iLink");        // -2: broadcast radio
    QTest::addColumn<int>("iNumber");
    QTest::addColumn<QString>("qsSize");
    QTest::addColumn<QByteArray>("baFile");   // the memory file
    QTest::addColumn<QByteArray>("baMemory"); // fixture memory at 0x100
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QString>("qsTrace");
    const QByteArray file = QByteArray::fromHex("0102030405060708"), none;
    const QStringList read8{"59: 01 02 00 00 00 00 01 00 00 08 00 00 00"};
    const auto row = [](const char *pcName, const char *pcButton, int iLink, int iNumber, const char *pcSize,
                        const QByteArray &baFile, const QByteArray &baMemory, const QStringList &requests,
                        const char *pcTrace) {
        QTest::newRow(pcName) << pcButton << iLink << iNumber << pcSize << baFile << baMemory << requests << pcTrace;
    };
    row("register write", "m_pLpuRegWriteBtn", 1, 2, "0", none, none, {"38: 01 02 00 00 00 00 01 00 00 78 56 34 12"},
        "Write F1.2 Register at Offset 0x00000100 = 0x12345678");
    row("register read", "m_pLpuRegReadBtn", 1, 2, "0", none, none, {"36: 01 02 00 00 00 00 01 00 00"},
        "Read F1.2 register at Offset 0x00000100 = 0xCAFEBABE");
    row("reboot beyond number 4", "m_pLpuRebootBtn", 1, 7, "0", none, none, {"55: 01 07 00 00 00"},
        "Fixtures F1.7 rebooted!");
    row("reboot of 0.0", "m_pLpuRebootBtn", 0, 0, "0", none, none, {},
        "Invalid Fixture Address - 0 is not a valid Link or address!");
    row("memory read to file", "m_pLpuMemRdFileBtn", 1, 2, "8", none, file, read8,
        "0x00000008 bytes read on fixture's memory offset 0x00000100 and written on file 'Data/out.dat'");
    row("memory read from every fixture", "m_pLpuMemRdFileBtn", -2, 0, "8", none, file, {},
        "Invalid Fixture Address - a read needs one fixture, not the broadcast address!");
    row("memory read of 0xFFFFFFFF bytes", "m_pLpuMemRdFileBtn", 1, 2, "FFFFFFFF", none, file, {},
        "Failed to read data from fixture's memory (Error = -4)");
    row("memory write, size cut to the file", "m_pLpuMemWrFileBtn", 1, 2, "FF", file, none,
        {"60: 01 02 00 00 00 00 01 00 00 08 00 00 00"}, "File written to fixture memory!");
    row("memory write of an empty file", "m_pLpuMemWrFileBtn", 1, 2, "FF", "", none, {}, "Invalid length!");
    row("compare, words reversed", "s_OnLpuMemFileVerifBtn", 1, 2, "8", file, QByteArray::fromHex("0403020108070605"),
        read8, "Verification Succeed");
    row("compare, same order", "s_OnLpuMemFileVerifBtn", 1, 2, "8", file, file, read8,
        "Verification Failed - Fixture memory data differ from file data! (F1.2)");
}

void TestTestToolsDevice::fixtureTools()
{
    QFETCH(QString, qsButton);
    QFETCH(int, iLink);
    QFETCH(int, iNumber);
    QFETCH(QString, qsSize);
    QFETCH(QByteArray, baFile);
    QFETCH(QByteArray, baMemory);
    QFETCH(QStringList, requests);
    QFETCH(QString, qsTrace);
    ToolsRig rig(QStringLiteral("127.0.27.7"));
    QVERIFY(rig.bStarted);
    rig.device.AddFixture(1, 2, SimFixtureConfig(1, 2, 0, 0, 0, 0, 0, 0, 0));
    rig.device.SetFixtureRegister(1, 2, 0x100, 0xCAFEBABE);
    if (!baMemory.isNull())
        rig.device.SetFixtureMem(1, 2, 0x100, baMemory);
    if (!baFile.isNull())
        QVERIFY(WriteFile(QStringLiteral("Data/in.dat"), baFile));
    TestTools *p = rig.pTools;
    if (iLink == -2)
        Child<QRadioButton>(p, "m_pLpuRegAdrBroadcastRadio")->click();
    for (const char *pcSpin : {"m_pLpuAdrLinkSpin", "m_pLpuRebootAdrLinkSpin"})
        Child<QSpinBox>(p, pcSpin)->setValue(qMax(iLink, 0));
    for (const char *pcSpin : {"m_pLpuAdrSpin", "m_pLpuRebootAdrSpin"})
        Child<QSpinBox>(p, pcSpin)->setValue(iNumber);
    Child<QRadioButton>(p, "m_pLpuRegOffsetSpinRadio")->click();
    SetText(p, "m_pLpuRegOffsetLE", QStringLiteral("100"));
    SetText(p, "m_pLpuRegValueLineEdit", QStringLiteral("12345678"));
    SetText(p, "m_pLpuMemRdSize", qsSize);
    Child<QComboBox>(p, "m_pLpuMemWrFileCbBox")->setEditText(QStringLiteral("Data/in.dat"));
    Child<QComboBox>(p, "m_pLpuMemRdFileCbBox")->setEditText(QStringLiteral("Data/out.dat"));
    if (qsButton.startsWith("s_On"))
        QMetaObject::invokeMethod(p, qPrintable(qsButton));
    else
        QTest::mouseClick(Child<QPushButton>(p, qPrintable(qsButton)), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_VERIFY2(rig.link.Traces().Contains(qsTrace), qPrintable(rig.link.Traces().Texts().join('\n')));
    QCOMPARE(DeviceRequests(rig.link.Model()), requests);
    if (qsButton == "m_pLpuMemRdFileBtn")
        QCOMPARE(ReadFile(QStringLiteral("Data/out.dat")), requests.isEmpty() ? QByteArray() : baMemory);
    if (qsButton == "m_pLpuMemWrFileBtn" && !requests.isEmpty())
        QCOMPARE(rig.device.FixtureMem(1, 2, 0x100, 8), baFile);
    if (qsButton == "m_pLpuRegReadBtn")
        QCOMPARE(Child<QLineEdit>(p, "m_pLpuRegValueLineEdit")->text(), QStringLiteral("CAFEBABE"));
}

void TestTestToolsDevice::acquisitionBufferRoundTrip()
{
    ToolsRig rig(QStringLiteral("127.0.27.8"));
    QVERIFY(rig.bStarted);
    rig.device.AddFixture(2, 3, SimFixtureConfig(1, 2, 0, 0, 0, 0, 0, 0, 0));
    QVERIFY(MakeImage(QStringLiteral("300x260"), QStringLiteral("yellow-navy"), QStringLiteral("Data/acq.bmp")));
    TestTools *p = rig.pTools;
    Child<QSpinBox>(p, "m_pLpuAdrLinkSpin")->setValue(2);
    Child<QSpinBox>(p, "m_pLpuAdrSpin")->setValue(3);
    Child<QComboBox>(p, "m_pLpuAcqBuffWrFileCbBox")->setEditText(QStringLiteral("Data/acq.bmp"));
    Child<QComboBox>(p, "m_pLpuAcqBuffRdFileCbBox")->setEditText(QStringLiteral("Data/back.bmp"));
    QTest::mouseClick(Child<QPushButton>(p, "m_pLpuAcqBuffWrFileBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTest::mouseClick(Child<QPushButton>(p, "m_pLpuAcqBuffRdFileBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QCOMPARE(DeviceRequests(rig.link.Model()),
             (QStringList{"60: 02 03 00 00 00 00 00 38 00 00 00 04 00", "59: 02 03 00 00 00 00 00 38 00 00 00 04 00"}));
    // In memory each pixel is 0, red, green, blue of the top-left 256 x 256 of the picture.
    const QByteArray baRgb = ImageRgb(QStringLiteral("Data/acq.bmp"), QRect(0, 0, 256, 256));
    QByteArray baExpected;
    for (qsizetype i = 0; i + 2 < baRgb.size(); i += 3)
        baExpected += '\0' + baRgb.mid(i, 3);
    QCOMPARE(rig.device.FixtureMem(2, 3, 0x380000, 0x40000), baExpected);
    QTRY_VERIFY(QFile::exists(QStringLiteral("Data/back.bmp")));
    QCOMPARE(BmpHeader(QStringLiteral("Data/back.bmp")), QByteArray("BM 256 256 24"));
    QCOMPARE(ImageRgb(QStringLiteral("Data/back.bmp"), QRect(0, 0, 256, 256)), baRgb);
}

QTEST_MAIN(TestTestToolsDevice)
#include "tst_testtoolsdevice.moc"
