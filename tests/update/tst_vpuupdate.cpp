// The VPU update panel driven by its buttons against the simulated VPU and bootloader: the
// settings shown, the factory and FPGA writes byte for byte, the MCU update over UDP and HID
// with its failures, and MCU data lists with their refusals and shared sectors.
#include "comm/bootloader.h"
#include "comm/usbhid.h"
#include "comm/vpumsg.h"
#include "mainwindow/zelvor.h"
#include "support/bootsim.h"
#include "support/linktest.h"
#include "support/quietqpa.h"
#include "support/tracecapture.h"
#include "support/vpusimdevice.h"
#include "update/vpuupdate.h"
#include "updaterig.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// A firmware of 40 data records of 16 bytes from 0x1D000000 and the end record.
QByteArray HexFirmware(QByteArray *pbaImage)
{
    *pbaImage = Pattern(640, 3);
    QByteArray baText = HexRecordLine(0x04, 0, QByteArray::fromHex("1D00"));
    for (int i = 0; i < 40; ++i)
        baText += HexRecordLine(0x00, quint16(i * 16), pbaImage->mid(i * 16, 16));
    return baText + HexRecordLine(0x01, 0, QByteArray());
}

// The window on the simulated VPU, its update panel at hand.
struct Rig : LinkFixture
{
    explicit Rig(const char *pcAddress) : LinkFixture(QLatin1String(pcAddress)), device(Model()) {}
    bool Online() { return StartSim() && Offline() && ConnectEthernet(); }
    bool Offline() { return (w = Build()) && (p = w->m_pVpuUpdate); }
    void Set(const char *pcEdit, const QString &qsText) { Child<QLineEdit>(p, pcEdit)->setText(qsText); }
    void Click(const char *pcButton) { QTest::mouseClick(Child<QPushButton>(p, pcButton), Qt::LeftButton); }
    bool Idle(int iMs = 10000)
    {
        return QTest::qWaitFor([this] { return w->isEnabled(); }, iMs);
    }
    VpuSimDevice device;
    Zelvor *w = nullptr;
    VpuUpdate *p = nullptr;
};

} // namespace

class TestVpuUpdate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }
    void settingsAndFactory_data();
    void settingsAndFactory();
    void fpgaImage_data();
    void fpgaImage();
    void mcuFullAutomatic_data();
    void mcuFullAutomatic();
    void mcuFromBootloaderFaults_data();
    void mcuFromBootloaderFaults();
    void mcuData_data();
    void mcuData();
    void mcuDataFileChanged();
};

void TestVpuUpdate::settingsAndFactory_data()
{
    QTest::addColumn<int>("iFault");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("read") << 0 << QStringList{"000012AB", "0A0B0C0D", "00C0FFEE", "V1.5", "V2.3", "V4.10"};
    QTest::newRow("refused") << -1 << QStringList{"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "Unknown", "Unknown", "Unknown"};
}

void TestVpuUpdate::settingsAndFactory()
{
    QFETCH(int, iFault);
    QFETCH(QStringList, shown);
    Rig f("127.0.25.0");
    QVERIFY(f.Online());
    f.device.SetConfig(QByteArray::fromHex("0105020304 0a0000 ab120000 0d0c0b0a eeffc000"));
    if (iFault)
        f.Model().SetFault(VPU_MSG_GET_CONFIG, VpuSimFault{iFault});
    f.Click("m_pGetCurrentVpuSetBtn");
    QVERIFY(!f.w->isEnabled());
    QVERIFY(f.Idle());
    QStringList texts;
    for (const char *pcEdit :
         {"m_pVpuTypeLE", "m_pVpuSNLE", "m_pVpuManufLE", "m_pFpgaVersLE", "m_pMcuBootVersLE", "m_pMcuSoftVersLE"})
        texts << Child<QLineEdit>(f.p, pcEdit)->text();
    QCOMPARE(texts, shown);
    // The link reports a failed read; the panel adds no box of its own.
    QCOMPARE(f.ErrorBoxes().size(), iFault ? 1 : 0);

    // The factory write sends what the three fields show: type, serial number, maker.
    f.Model().ClearLog();
    f.Set("m_pVpuTypeLE", QStringLiteral("00001234"));
    f.Set("m_pVpuSNLE", QStringLiteral("89ABCDEF"));
    f.Set("m_pVpuManufLE", QStringLiteral("00000042"));
    f.Click("m_pProgParamBtn");
    QVERIFY(f.Idle());
    QCOMPARE(f.Model().Messages().value(0).toHex(' '),
             QByteArray("07 0c 00 00 00 34 12 00 00 ef cd ab 89 42 00 00 00"));
}

void TestVpuUpdate::fpgaImage_data()
{
    QTest::addColumn<int>("iSize");
    QTest::newRow("exact") << int(VpuUpdate::FPGA_IMAGE_SIZE);
    QTest::newRow("one byte short") << int(VpuUpdate::FPGA_IMAGE_SIZE) - 1;
    QTest::newRow("one byte long") << int(VpuUpdate::FPGA_IMAGE_SIZE) + 1;
}

void TestVpuUpdate::fpgaImage()
{
    QFETCH(int, iSize);
    Rig f("127.0.25.1");
    QVERIFY(f.Online());
    f.Model().ClearLog();
    const QByteArray baImage = Pattern(iSize, 11);
    QVERIFY(WriteFile(QStringLiteral("user.rbf"), baImage));
    f.Set("m_pFpgaFileLE", QStringLiteral("user.rbf"));
    f.Click("m_pFpgaProgBtn");
    if (iSize != int(VpuUpdate::FPGA_IMAGE_SIZE)) {
        QCOMPARE(f.ErrorBoxes().size(), 1);
        QVERIFY(f.ErrorBoxes().first().contains(QLatin1String("-11")));
        QTest::qWait(50);
        QVERIFY(f.Model().Messages().isEmpty());
        return;
    }
    QVERIFY(f.Idle(30000));
    QVERIFY(f.Traces().Contains(QStringLiteral("VPU's User FPGA Firmware programmation Done!")));
    QCOMPARE(f.device.VpuFlash(VpuUpdate::FPGA_IMAGE_OFFSET, quint32(iSize)), baImage);
    QCOMPARE(f.device.Violations(), QStringList());
    // An erase of each 128 KB sector, then that sector's write, from 0x400000 on.
    QStringList steps, expected;
    for (const QByteArray &ba : f.Model().Messages())
        steps
            << QStringLiteral("%1@%2+%3").arg(int(ba.at(0))).arg(SimGetU32(ba, 5), 0, 16).arg(SimGetU32(ba, 9), 0, 16);
    for (quint32 uiAt = 0x400000; uiAt < 0x400000 + quint32(iSize); uiAt += 0x20000)
        expected
            << QStringLiteral("20@%1+20000").arg(uiAt, 0, 16)
            << QStringLiteral("22@%1+%2").arg(uiAt, 0, 16).arg(qMin<quint32>(0x20000, 0x400000 + iSize - uiAt), 0, 16);
    QCOMPARE(steps, expected);
}

void TestVpuUpdate::mcuFullAutomatic_data()
{
    QTest::addColumn<bool>("bUdp");
    QTest::newRow("udp") << true;
    QTest::newRow("usb hid") << false;
}

void TestVpuUpdate::mcuFullAutomatic()
{
    QFETCH(bool, bUdp);
    // The panel's bootloader takes its HID port when the window is built.
    auto pHid = std::make_shared<BootSimHidDevice>(0x04D8, 0x003C);
    BootSimHidDevice::Install(pHid);
    Rig f("127.0.25.2");
    QVERIFY(f.Online());
    BootSimUdp udp("127.0.25.3", 0);
    QVERIFY(udp.IsListening());
    BootSimCore &core = bUdp ? udp.Core() : pHid->Core();
    QByteArray baImage;
    QVERIFY(WriteFile(QStringLiteral("mcu.hex"), HexFirmware(&baImage)));
    f.p->SetMcuWaits(20, 20);
    f.Set("m_pMcuFileLE", QStringLiteral("mcu.hex"));
    f.Set("m_pMcuUpdtEthIpLE", QStringLiteral("127.000.025.003"));
    f.Set("m_pMcuUpdtEthPortLE", QString::number(udp.Port()));
    Child<QRadioButton>(f.p, bUdp ? "m_pMcuUpdtEthRad" : "m_pMcuUpdtUsbRad")->setChecked(true);

    // Twice in one process: the second update must find the first one's thread and port gone.
    for (int iRun = 1; iRun <= 2; ++iRun) {
        f.Model().ClearLog();
        f.Click("m_pMcuProgBtn");
        QVERIFY(f.Idle(30000));
        QCOMPARE(f.ErrorBoxes(), QStringList());
        QCOMPARE(f.Sim().ConnectionCount(), iRun + 1);
        QCOMPARE(f.ModeText(), QStringLiteral("Online : Connected to '127.0.25.2'"));
        // The trigger word for the chosen link, the reset, then INIT_COM on the new link.
        const QList<QByteArray> requests = f.Model().Messages();
        QVERIFY(requests.size() >= 3);
        QCOMPARE(requests.at(0).toHex(' '), bUdp ? QByteArray("04 08 00 00 00 00 f0 07 9d 02 a5 00 00")
                                                 : QByteArray("04 08 00 00 00 00 f0 07 9d 01 a5 00 00"));
        QCOMPARE(requests.at(1).toHex(' '), QByteArray("05 00 00 00 00"));
        QCOMPARE(int(requests.at(2).at(0)), int(VPU_MSG_INIT_COM));
        QVERIFY(core.Launched());
    }
    QList<quint8> commands;
    QByteArray baVerify;
    for (const QByteArray &ba : core.Bodies()) {
        if (commands.isEmpty() || commands.last() != quint8(ba.at(0)))
            commands << quint8(ba.at(0));
        if (quint8(ba.at(0)) == 4)
            baVerify = ba;
    }
    QCOMPARE(commands, (QList<quint8>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    QCOMPARE(core.Flash(0x9D000000, 640), baImage);
    QCOMPARE(baVerify.mid(1, 8).toHex(' '), QByteArray("00 00 00 9d 80 02 00 00"));
    QCOMPARE(
        QByteArray::number(quint8(baVerify.at(9)) | quint8(baVerify.at(10)) << 8),
        Python(QStringLiteral("import binascii,sys; print(binascii.crc_hqx(sys.stdin.buffer.read(), 0))"), baImage));
    CUsbHid::SetPortFactory({});
}

void TestVpuUpdate::mcuFromBootloaderFaults_data()
{
    QTest::addColumn<int>("iFault"); // BootSimCore::Fault, -1 none, -2 end record only
    QTest::addColumn<int>("iCommand");
    QTest::addColumn<int>("iStatus");
    QTest::newRow("no bootloader") << int(BootSimCore::Fault::Silent) << 1 << -71;
    QTest::newRow("no record to program") << -2 << 3 << -70;
    QTest::newRow("verify reply of one byte") << int(BootSimCore::Fault::Silent) << 4 << -72;
    QTest::newRow("connect answered late") << int(BootSimCore::Fault::Drop) << 1 << 0;
}

void TestVpuUpdate::mcuFromBootloaderFaults()
{
    QFETCH(int, iFault);
    QFETCH(int, iCommand);
    QFETCH(int, iStatus);
    Rig f("127.0.25.4");
    QVERIFY(f.Offline());
    BootSimUdp udp("127.0.25.5", 0);
    QVERIFY(udp.IsListening());
    QByteArray baImage;
    QVERIFY(WriteFile(QStringLiteral("mcu.hex"),
                      iFault == -2 ? HexRecordLine(0x01, 0, QByteArray()) : HexFirmware(&baImage)));
    if (iFault >= 0)
        udp.Core().AddFault(BootSimCore::Fault(iFault), quint8(iCommand), 0, iStatus == 0 ? 25 : -1);
    f.Set("m_pMcuFileLE", QStringLiteral("mcu.hex"));
    f.Set("m_pMcuUpdtEthIpLE", QStringLiteral("127.000.025.005"));
    f.Set("m_pMcuUpdtEthPortLE", QString::number(udp.Port()));
    f.Click("m_pMcuProgFromBootLoaderBtn");
    QVERIFY(!f.w->isEnabled());
    if (iStatus == -72) {
        // The verify goes unanswered; a reply too short to hold a CRC arrives instead.
        QTRY_VERIFY_WITH_TIMEOUT(udp.Core().CountOf(4) > 0, 10000);
        f.p->s_OnProgMcuBootLoaderRespOk(4, QByteArray(1, '\x12'));
    }
    QVERIFY(f.Idle(30000));
    const QStringList boxes = f.ErrorBoxes();
    if (iStatus == 0) {
        QCOMPARE(boxes, QStringList());
        QVERIFY(f.Traces().Contains(QStringLiteral("    Launch application request sent!")));
        QTRY_VERIFY(udp.Core().Launched());
        QCOMPARE(udp.Core().CountOf(1), 1); // the 26th send was the first one taken
        return;
    }
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().startsWith(QStringLiteral("Failed to program MCU!|(Error Code = %1)").arg(iStatus)),
             qPrintable(boxes.first()));
    QVERIFY(!udp.Core().Launched());
    QCOMPARE(f.p->BootLoader().isRunning(), false);
}

void TestVpuUpdate::mcuData_data()
{
    QTest::addColumn<QByteArray>("baList"); // in sub/ beside a.bin of 16 bytes and b.bin of 32; null: list "x.lst"
    QTest::addColumn<int>("iStatus");
    QTest::addColumn<QString>("qsTrace"); // error trace of a refusal
    QTest::newRow("two files in one sector") << QByteArray("800000;a.bin\n# note\n\n800010;b.bin\n") << 0 << QString();
    QTest::newRow("comments only") << QByteArray("# nothing\n\n#\n") << 0 << QString();
    QTest::newRow("tab after the separator") << QByteArray("800000;\ta.bin\n") << 0 << QString();
    QTest::newRow("last byte at the end") << QByteArray("1FFFFF0;a.bin\n") << 0 << QString();
    QTest::newRow("below the window")
        << QByteArray("7FFFFF;a.bin\n") << -14
        << "Invalid file list: Offset 0x007FFFFF of file 'a.bin' is  not in lower than 0x00800000";
    QTest::newRow("one byte beyond the end")
        << QByteArray("1FFFFF1;a.bin\n") << -14
        << "Invalid file list: File 'a.bin' not fit in flash [0x00800000;0x01FFFFFF]";
    QTest::newRow("overlap of one byte") << QByteArray("800000;b.bin\n80001F;a.bin\n") << -14
                                         << "Invalid MCU data file list: Files 'b.bin' and 'a.bin' overrides!";
    QTest::newRow("no separator") << QByteArray("# x\n800000 a.bin\n") << -14
                                  << "Data format of the line 2 is not valid ('800000 a.bin') different of 2 fields!";
    QTest::newRow("offset not hex") << QByteArray("ZZ;a.bin\n") << -14
                                    << "Offset is not a valid unsigned int value in hexadecimal format! (Line 1)";
    QTest::newRow("missing data file") << QByteArray("800000;c.bin\n") << -9 << "'sub/c.bin' file doesn't exists!";
    QTest::newRow("name too short") << QByteArray() << -8 << "MCU Data file list file name is not valid!";
}

void TestVpuUpdate::mcuData()
{
    QFETCH(QByteArray, baList);
    QFETCH(int, iStatus);
    QFETCH(QString, qsTrace);
    Rig f("127.0.25.6");
    QVERIFY(f.Online());
    f.Model().ClearLog();
    QVERIFY(QDir().mkpath(QStringLiteral("sub")));
    const QByteArray baA = Pattern(16, 1), baB = Pattern(32, 2);
    const QString qsListName = baList.isNull() ? QStringLiteral("x.lst") : QStringLiteral("sub/data.lst");
    QVERIFY(WriteFile(QStringLiteral("sub/a.bin"), baA) && WriteFile(QStringLiteral("sub/b.bin"), baB));
    QVERIFY(WriteFile(qsListName, baList));
    f.Set("m_pMcuDataFileLE", qsListName);
    f.Click("m_pMcuDataProgBtn");
    QVERIFY(f.Idle());
    const QStringList boxes = f.ErrorBoxes();
    if (iStatus != 0) {
        QVERIFY2(f.Traces().Errors().contains(qsTrace), qPrintable(f.Traces().Errors().join('\n')));
        QCOMPARE(boxes.size(), iStatus == -9 ? 3 : 2); // a missing file adds the loader's box
        QVERIFY(
            boxes.at(boxes.size() - 2).startsWith(QStringLiteral("Invalid MCU data file list: '%1'").arg(qsListName)));
        QVERIFY(boxes.last().startsWith(
            QStringLiteral("Failed to program MCU data in VPU's FLASH!|(Error Code = %1)").arg(iStatus)));
        QVERIFY(f.Model().Messages().isEmpty());
        return;
    }
    QCOMPARE(boxes, QStringList());
    QVERIFY(f.Traces().Contains(QStringLiteral("MCU data programmed in VPU's FLASH!")));
    QCOMPARE(f.device.Violations(), QStringList());
    if (baList.contains("b.bin")) {
        // Both files survive: one erase of their shared sector, one write holding both.
        QCOMPARE(f.device.VpuFlash(0x800000, 16), baA);
        QCOMPARE(f.device.VpuFlash(0x800010, 32), baB);
        QCOMPARE(f.RequestCount(VPU_MSG_FLASH_ERASE), 1);
    } else if (baList.contains("a.bin")) {
        QCOMPARE(f.device.VpuFlash(baList.startsWith("1FF") ? 0x1FFFFF0 : 0x800000, 16), baA);
    } else {
        QVERIFY(f.Model().Messages().isEmpty());
    }
}

void TestVpuUpdate::mcuDataFileChanged()
{
    Rig f("127.0.25.7");
    QVERIFY(f.Online());
    f.Model().SetFault(VPU_MSG_FLASH_WRITE, VpuSimFault{0, 200});
    QVERIFY(WriteFile(QStringLiteral("a.bin"), Pattern(16, 1)) && WriteFile(QStringLiteral("b.bin"), Pattern(16, 2)));
    QVERIFY(WriteFile(QStringLiteral("data.lst"), "800000;a.bin\n900000;b.bin\n"));
    f.Set("m_pMcuDataFileLE", QStringLiteral("data.lst"));
    f.Click("m_pMcuDataProgBtn");
    // The list has been read; b.bin grows before its turn.
    QVERIFY(WriteFile(QStringLiteral("b.bin"), Pattern(4096, 2)));
    QVERIFY(f.Idle());
    QVERIFY(f.ErrorBoxes().last().startsWith(
        QStringLiteral("Failed to program MCU data in VPU's FLASH!|(Error Code = -11)")));
    QCOMPARE(f.device.VpuFlash(0x800000, 16), Pattern(16, 1));
    QCOMPARE(f.device.VpuFlash(0x900000, 16), QByteArray(16, char(0xFF)));
}

QTEST_MAIN(TestVpuUpdate)
#include "tst_vpuupdate.moc"
