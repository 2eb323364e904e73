// The message catalogue against the simulated VPU over loopback TCP: every request's bytes on
// the wire, every typed reply decoded into its record, the reports and traces of the
// executors, and the post-processing of fixture configurations and presets.
#include "comm/vpucom.h"
#include "support/vpucomharness.h"

#include <QMutex>
#include <QTest>
#include <cstring>
#include <functional>

namespace {

const QString kAddress = QStringLiteral("127.0.0.40");
const FixtureAddr_t kF12{1, 2};

struct RequestCase
{
    const char *pcName;
    std::function<int(CVpuCom &)> fnPost;
    const char *pcSignal; // SIGNAL() signature
    const char *pcWire;   // header and payload as the VPU receives them
    const char *pcRaw;    // raw data that follows, if any
};

VideoSettings_t Settings()
{
    VideoSettings_t t{};
    t.Channel = 2;
    t.ScalingEnabled = 1;
    t.Rotation = -90;
    t.OffsetX = 100;
    t.OffsetY = 50;
    t.Width = 1280;
    t.Height = 720;
    return t;
}

InputCorr_t InCorr()
{
    return InputCorr_t{3, 0x80, 0x81, 0x82, 0x05};
}

OutputCorr_t OutCorr()
{
    OutputCorr_t t{};
    t.gammaRed = 220;
    t.gammaGreen = 240;
    t.gammaBlue = 260;
    t.whiteMode = 2;
    t.colorTemp = 6500;
    t.coefRed = 512;
    t.coefGreen = 500;
    t.coefBlue = 480;
    return t;
}

FixtureFactoryParam_t FactoryParam()
{
    FixtureFactoryParam_t t;
    std::memset(&t, 0, sizeof(t));
    t.SerialNumber = 0x11223344;
    t.Type = 0x20;
    t.ManufacturerCode = 0x544C;
    t.SizeX = 64;
    t.SizeY = 32;
    for (int i = 0; i < 4; ++i)
        t.tiles[i] = FixtureTileWire_t{quint8(4 * i + 1), quint8(4 * i + 2), quint8(4 * i + 3), quint8(4 * i + 4)};
    t.sensor0 = FixtureSensorWire_t{1, 5.0f, 0.0f, 100.0f, -40.0f};
    return t;
}

const QList<RequestCase> &Cases()
{
    static const quint8 aucTiles[16] = {0x40, 0x20, 0, 0, 0x40, 0x20, 0x40, 0};
    static const QList<RequestCase> s_Cases = {
        {"GetStatus", [](CVpuCom &c) { return c.GetStatus(); }, SIGNAL(sigStatusMsg(int)), "02 00 00 00 00", ""},
        {"InitCom", [](CVpuCom &c) { return c.InitCom(); }, SIGNAL(sigInitCom(int)), "03 05 00 00 00 03 05 00 00 00",
         "03 05 00 00 00"},
        {"McuFlashProgram", [](CVpuCom &c) { return c.McuFlashProgram(0x9D000000, 0x12345678); },
         SIGNAL(sigMcuFlashProgram(int)), "04 08 00 00 00 00 00 00 9d 78 56 34 12", ""},
        {"VpuSoftReset", [](CVpuCom &c) { return c.VpuSoftReset(); }, SIGNAL(sigVpuSoftReset(int)), "05 00 00 00 00",
         ""},
        {"SetFactoryParam", [](CVpuCom &c) { return c.SetFactoryParam(0x10000020, 0xCAFEBABE, 0x544C); },
         SIGNAL(sigSetFactoryParam(int)), "07 0c 00 00 00 20 00 00 10 be ba fe ca 4c 54 00 00", ""},
        {"GetConfig", [](CVpuCom &c) { return c.GetConfig(); }, SIGNAL(sigGetConfig(int, VpuConfig_t)),
         "08 00 00 00 00", ""},
        {"SetVideoSettings", [](CVpuCom &c) { return c.SetVideoSettings(Settings()); },
         SIGNAL(sigSetVideoSettings(int)), "0a 0b 00 00 00 02 01 a6 64 00 32 00 00 05 d0 02", ""},
        {"GetVideoInputFormat", [](CVpuCom &c) { return c.GetVideoInputFormat(3); },
         SIGNAL(sigGetVideoInputFormat(int, VideoInFormat_t)), "0b 01 00 00 00 03", ""},
        {"SetVideoInCorr", [](CVpuCom &c) { return c.SetVideoInCorr(InCorr()); }, SIGNAL(sigSetVideoInCorrection(int)),
         "0d 05 00 00 00 03 80 81 82 05", ""},
        {"SetGamma", [](CVpuCom &c) { return c.SetGamma(1, 220, 240, 260); }, SIGNAL(sigSetGamma(int)),
         "0e 07 00 00 00 01 dc 00 f0 00 04 01", ""},
        {"SetColorTemp", [](CVpuCom &c) { return c.SetColorTemp(OutCorr()); }, SIGNAL(sigSetColorTemp(int)),
         "0f 09 00 00 00 02 64 19 00 02 f4 01 e0 01", ""},
        {"SetFullScreenTestColor",
         [](CVpuCom &c) {
             return c.SetFullScreenTestColor(Color_t{0x10, 0x20, 0x30});
         },
         SIGNAL(sigSetFullScreenTestColor(int)), "10 03 00 00 00 10 20 30", ""},
        {"FreezeVideoOutput", [](CVpuCom &c) { return c.FreezeVideoOutput(); }, SIGNAL(sigSetFreezeVideoOutput(int)),
         "11 00 00 00 00", ""},
        {"ShowFixtNum", [](CVpuCom &c) { return c.ShowFixtNum(); }, SIGNAL(sigShowFixtNumber(int)), "12 00 00 00 00",
         ""},
        {"StopTestPattern", [](CVpuCom &c) { return c.StopTestPattern(); }, SIGNAL(sigStopTestPattern(int)),
         "13 00 00 00 00", ""},
        {"FlashErase", [](CVpuCom &c) { return c.FlashErase(0x20000, 0x20000); }, SIGNAL(sigFlashEraseMsg(int, uint)),
         "14 09 00 00 00 00 00 02 00 00 00 02 00 00", ""},
        {"FlashRead", [](CVpuCom &c) { return c.FlashRead(0x100, 0x10); },
         SIGNAL(sigFlashReadMsg(int, uint, uint, QByteArray)), "15 09 00 00 00 00 01 00 00 10 00 00 00 00", ""},
        {"FlashWrite", [](CVpuCom &c) { return c.FlashWrite(0x300, 4, 1, "\xde\xad\xbe\xef"); },
         SIGNAL(sigFlashWriteMsg(int)), "16 09 00 00 00 00 03 00 00 04 00 00 00 01", "de ad be ef"},
        {"FpgaRegRead", [](CVpuCom &c) { return c.FpgaRegRead(0x12, 0x3400); },
         SIGNAL(sigFpgaRegReadMsg(int, unsigned char)), "17 03 00 00 00 12 00 34", ""},
        {"FpgaRegWrite", [](CVpuCom &c) { return c.FpgaRegWrite(0x12, 0x3400, 0x0F, 0x05); },
         SIGNAL(sigFpgaRegWriteMsg(int)), "19 05 00 00 00 12 00 34 0f 05", ""},
        {"I2cRead",
         [](CVpuCom &c) {
             return c.I2cRead(I2cRegister_t{1, 0x50, 0x10, 0, 0});
         },
         SIGNAL(sigI2cReadMsg(int, I2cRegister_t)), "1a 03 00 00 00 01 50 10", ""},
        {"I2cWrite",
         [](CVpuCom &c) {
             return c.I2cWrite(I2cRegister_t{1, 0x50, 0x10, 0xFF, 0x42});
         },
         SIGNAL(sigI2cWriteMsg(int, I2cRegister_t)), "1c 05 00 00 00 01 50 10 ff 42", ""},
        {"SdramRead",
         [](CVpuCom &c) {
             return c.SdramRead(SdramRect_t{10, 20, 2, 1});
         },
         SIGNAL(sigSdramReadMsg(int, SdramRect_t, QByteArray)), "1d 08 00 00 00 0a 00 14 00 02 00 01 00", ""},
        {"SdramWrite",
         [](CVpuCom &c) {
             const Color_t at[2] = {{1, 2, 3}, {4, 5, 6}};
             return c.SdramWrite(SdramRect_t{10, 20, 2, 1}, at);
         },
         SIGNAL(sigSdramWriteMsg(int)), "1e 08 00 00 00 0a 00 14 00 02 00 01 00", "01 02 03 04 05 06"},
        {"DmxMapWrite",
         [](CVpuCom &c) {
             return c.DmxMapWrite(3, {DMX_Mapping_t{1, 1, 1}, DMX_Mapping_t{7, 0x107, 4}});
         },
         SIGNAL(sigDmxMapWrite(int)), "1f 06 00 00 00 03 00 00 00 02 00", "01 01 00 01 07 07 01 04"},
        {"DmxMapRead", [](CVpuCom &c) { return c.DmxMapRead(3); }, SIGNAL(sigDmxMapRead(int, short, QByteArray)),
         "20 04 00 00 00 03 00 00 00", ""},
        {"VideoPresetWrite",
         [](CVpuCom &c) {
             return c.VideoPresetWrite(2, VideoPreset_t{Settings(), InCorr(), OutCorr()});
         },
         SIGNAL(sigVideoPresetWrite(int)),
         "21 23 00 00 00 02 00 00 00 02 01 a6 64 00 32 00 00 05 d0 02 03 80 81 82 05 dc 00 f0 00 04 01 02 64 19 00 02 "
         "f4 01 e0 01",
         ""},
        {"VideoPresetRead", [](CVpuCom &c) { return c.VideoPresetRead(2); },
         SIGNAL(sigVideoPresetRead(int, VideoPreset_t)), "22 04 00 00 00 02 00 00 00", ""},
        {"FixtReadReg", [](CVpuCom &c) { return c.FixtReadReg(kF12, 0x200504); },
         SIGNAL(sigReadFixtureRegMsg(int, uint)), "24 09 00 00 00 01 02 00 00 00 04 05 20 00", ""},
        {"FixtWriteReg", [](CVpuCom &c) { return c.FixtWriteReg(kF12, 0x200504, 0x00FF8000); },
         SIGNAL(sigWriteFixtureRegMsg(int)), "26 0d 00 00 00 01 02 00 00 00 04 05 20 00 00 80 ff 00", ""},
        {"FixtEnumerate", [](CVpuCom &c) { return c.FixtEnumerate(); }, SIGNAL(sigEnumerateFixturesMsg(int)),
         "27 00 00 00 00", ""},
        {"FixtGetNumber", [](CVpuCom &c) { return c.FixtGetNumber(); },
         SIGNAL(sigFixturesNumbersMsg(int, FixturesNum_t)), "28 00 00 00 00", ""},
        {"FixtGetConfig", [](CVpuCom &c) { return c.FixtGetConfig(kF12); },
         SIGNAL(sigGetFixtureConfigMsg(int, FixtureConfig_t, SasuConfig_t)), "2a 05 00 00 00 01 02 00 00 00", ""},
        {"FixtGetSensorValues", [](CVpuCom &c) { return c.FixtGetSensorValues(kF12); },
         SIGNAL(sigGetSensorsValuesMsg(int, SensorValues_t)), "2c 05 00 00 00 01 02 00 00 00", ""},
        {"SasuSetConfig",
         [](CVpuCom &c) {
             return c.SasuSetConfig(kF12, SasuConfig_t{1, 70, 60, 1, 40, 30});
         },
         SIGNAL(sigSetSasuConfigMsg(int)), "2e 0b 00 00 00 01 02 00 00 00 01 46 3c 01 28 1e", ""},
        {"SasuGetConfig", [](CVpuCom &c) { return c.SasuGetConfig(kF12); },
         SIGNAL(sigGetSasuConfigMsg(int, SasuConfig_t)), "2f 05 00 00 00 01 02 00 00 00", ""},
        {"FixtSetOrigin", [](CVpuCom &c) { return c.FixtSetOrigin(kF12, 100 + 200 * 65536); },
         SIGNAL(sigSetFixtureOriginMsg(int)), "31 09 00 00 00 01 02 00 00 00 64 00 c8 00", ""},
        {"FixtSetScene", [](CVpuCom &c) { return c.FixtSetScene(kF12, Bytes("0102030405060708090a0b0c0d0e")); },
         SIGNAL(sigSetFixtureSceneMsg(int)), "32 13 00 00 00 01 02 00 00 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e",
         ""},
        {"FixtSetLuminosity", [](CVpuCom &c) { return c.FixtSetLuminosity(kF12, 0x20080200); },
         SIGNAL(sigSetFixtureLuminosityMsg(int)), "33 09 00 00 00 01 02 00 00 00 00 02 08 20", ""},
        {"FixtSetRotation",
         [](CVpuCom &c) { return c.FixtSetRotation(kF12, 100 + 200 * 65536, -30, 32, 16, aucTiles); },
         SIGNAL(sigSetFixtureRotationMsg(int)),
         "34 1f 00 00 00 01 02 00 00 00 64 00 c8 00 e2 ff 20 00 10 00 40 20 00 00 40 20 40 00 00 00 00 00 00 00 00 00",
         ""},
        {"FixtWriteFactoryParam", [](CVpuCom &c) { return c.FixtWriteFactoryParam(kF12, FactoryParam()); },
         SIGNAL(sigWriteFixtureFactoryParamMsg(int)),
         "35 97 00 00 00 01 02 00 00 00 44 33 22 11 20 00 00 00 4c 54 00 00 40 20 00 00 "
         "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 "
         "01 00 00 00 a0 40 00 00 00 00 00 00 c8 42 00 00 20 c2 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
         ""},
        {"FixtWriteConfig",
         [](CVpuCom &c) {
             return c.FixtWriteConfig(
                 Bytes("01 02 00 00 00 00 02 08 20 32 00 64 00 c8 00 1e 00 20 00 10 00 01 00 0a 00 "
                       "30 00 40 00 01 46 3c 01 28 1e 40 20 00 00 40 20 40 00 00 00 00 00 00 00 "
                       "00 00"));
         },
         SIGNAL(sigWriteFixtureConfigMsg(int)),
         "36 33 00 00 00 01 02 00 00 00 00 02 08 20 32 00 64 00 c8 00 1e 00 20 00 10 00 01 00 0a 00 30 00 40 00 01 46 "
         "3c 01 28 1e 40 20 00 00 40 20 40 00 00 00 00 00 00 00 00 00",
         ""},
        {"FixtReboot",
         [](CVpuCom &c) {
             return c.FixtReboot(FixtureAddr_t{255, 0xFFFFFFFF});
         },
         SIGNAL(sigRebootFixtureMsg(int)), "37 05 00 00 00 ff ff ff ff ff", ""},
        {"FixtEraseFlash", [](CVpuCom &c) { return c.FixtEraseFlash(kF12, 0xC0000, 0x10000); },
         SIGNAL(sigEraseFixtureFlashMsg(int)), "38 0d 00 00 00 01 02 00 00 00 00 00 0c 00 00 00 01 00", ""},
        {"FixtWriteFlash", [](CVpuCom &c) { return c.FixtWriteFlash(kF12, 0xC0000, 4, "\x01\x02\x03\x04"); },
         SIGNAL(sigWriteFixtureFlashMsg(int)), "39 0d 00 00 00 01 02 00 00 00 00 00 0c 00 04 00 00 00", "01 02 03 04"},
        {"ResetFixtures", [](CVpuCom &c) { return c.ResetFixtures(); }, SIGNAL(sigResetFixturesMsg(int)),
         "3a 00 00 00 00", ""},
        {"FixtReadMem",
         [](CVpuCom &c) {
             return c.FixtReadMem(FixtureMemReq_t{kF12, 0x380000, 8});
         },
         SIGNAL(sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray)),
         "3b 0d 00 00 00 01 02 00 00 00 00 00 38 00 08 00 00 00", ""},
        {"FixtWriteMem",
         [](CVpuCom &c) {
             return c.FixtWriteMem(FixtureMemReq_t{kF12, 0x380000, 4}, "\x0a\x0b\x0c\x0d");
         },
         SIGNAL(sigWriteFixtureMemMsg(int)), "3c 0d 00 00 00 01 02 00 00 00 00 00 38 00 04 00 00 00", "0a 0b 0c 0d"},
    };
    return s_Cases;
}

// Posts through fnPost and waits for the one completion signal; its arguments.
QList<QVariant> RunOne(VpuComHarness &h, const char *pcSignal, const std::function<int(CVpuCom &)> &fnPost)
{
    SignalLog spy(&h.Com(), pcSignal);
    if (fnPost(h.Com()) != 0 || !spy.wait(5000) || spy.count() != 1)
        return {};
    return spy.first();
}

} // namespace

class TestVpuCom : public QObject
{
    Q_OBJECT

private:
    VpuComHarness *m_pH = nullptr;
    VpuComHarness &H() { return *m_pH; }

private slots:
    void init()
    {
        m_pH = new VpuComHarness(kAddress);
        QVERIFY(H().Start());
        H().Device().AddFixture(1, 2, SimFixtureConfig(0xABCD, 0x20, 100, 200, 30, 0, 0, 0x20080200, 100));
        // The INIT_COM every opening starts with, as the main window posts it.
        SignalLog spy(&H().Com(), &CVpuCom::sigInitCom);
        H().Com().InitCom();
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().at(0).toInt(), 0);
        H().Model().ClearLog();
        H().Sink().Reset();
        H().Traces().Clear();
    }
    void cleanup()
    {
        delete m_pH;
        m_pH = nullptr;
    }

    void requestBytes_data()
    {
        QTest::addColumn<int>("iCase");
        for (int i = 0; i < Cases().size(); ++i)
            QTest::newRow(Cases()[i].pcName) << i;
    }
    void requestBytes()
    {
        QFETCH(int, iCase);
        const RequestCase &c = Cases()[iCase];
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QList<QVariant> lArgs = RunOne(H(), c.pcSignal, c.fnPost);
        QVERIFY(!lArgs.isEmpty());
        QCOMPARE(lArgs.at(0).toInt(), 0);
        const QList<QByteArray> lRequests = H().Model().Requests();
        QVERIFY(!lRequests.isEmpty());
        QCOMPARE(Hex(lRequests.first()), QByteArray(c.pcWire));
        QCOMPARE(Hex(lRequests.mid(1).join()), QByteArray(c.pcRaw));
        QCOMPARE(H().Model().Violations(), QStringList());
        QCOMPARE(H().Device().Violations(), QStringList());
        QCOMPARE(restart.count(), 0);
        QCOMPARE(H().Sink().Errors().size(), 0);
    }

    // Each typed reply lands in its record, field by field, from bytes the device built at
    // the table's offsets.
    void getConfigDecodes()
    {
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigGetConfig(int, VpuConfig_t)), [](CVpuCom &c) { return c.GetConfig(); });
        QVERIFY(!a.isEmpty());
        const VpuConfig_t t = a.at(1).value<VpuConfig_t>();
        QCOMPARE(a.at(0).toInt(), 0);
        QCOMPARE(int(t.FpgaMajor), 1);
        QCOMPARE(int(t.FpgaMinor), 2);
        QCOMPARE(int(t.BootMajor), 3);
        QCOMPARE(int(t.BootMinor), 4);
        QCOMPARE(int(t.SoftMajor), 5);
        QCOMPARE(int(t.SoftMinor), 6);
        QCOMPARE(t.Type, 0x10000020u);
        QCOMPARE(t.SerialNumber, 0x12345678u);
        QCOMPARE(t.ManufacturerCode, 0x544Cu);
        QVERIFY(H().Traces().Contains(QStringLiteral("    Serial Number: 0x12345678"), TRACE_KIND_SUCCESS));
        QVERIFY(H().Traces().Contains(QStringLiteral("    Version Soft: BootLoader = V3.4 - Software = V5.6")));
        QVERIFY(H().Traces().Contains(QStringLiteral("Current VPU configuration read!")));
    }

    // A VPU error on GET_CONFIG is shown to the user, and the record comes as received; the
    // link is not restarted for it.
    void getConfigVpuError()
    {
        VpuSimFault tFault;
        tFault.iStatus = -7;
        H().Model().SetFault(8, tFault);
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigGetConfig(int, VpuConfig_t)), [](CVpuCom &c) { return c.GetConfig(); });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), -7);
        QCOMPARE(a.at(1).value<VpuConfig_t>().SerialNumber, 0x12345678u);
        QCOMPARE(H().Sink().Errors(),
                 (QList<QPair<QString, int>>{{QStringLiteral("Failed to read VPU configuration!"), -7}}));
        // The next request still runs on the same link.
        H().Model().ClearFaults();
        QVERIFY(!RunOne(H(), SIGNAL(sigStatusMsg(int)), [](CVpuCom &c) { return c.GetStatus(); }).isEmpty());
        QCOMPARE(restart.count(), 0);
        QCOMPARE(H().Sim().ConnectionCount(), 1);
    }

    void videoInputFormatDecodes()
    {
        H().Device().SetVideoInFormat(
            2,
            Bytes("80 07 38 04 01 00 01 01 00 00 98 08 65 04 58 00 2c 00 94 00 04 00 05 00 24 00 f0 49 86 08 3c 00"));
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigGetVideoInputFormat(int, VideoInFormat_t)),
                                         [](CVpuCom &c) { return c.GetVideoInputFormat(2); });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), 0);
        const VideoInFormat_t t = a.at(1).value<VideoInFormat_t>();
        QCOMPARE(int(t.Width), 1920);
        QCOMPARE(int(t.Height), 1080);
        QCOMPARE(int(t.RxLock), 1);
        QCOMPARE(int(t.Encryption), 0);
        QCOMPARE(int(t.HdmiMode), 1);
        QCOMPARE(int(t.HsPolarity), 1);
        QCOMPARE(int(t.Interlaced), 0);
        QCOMPARE(int(t.TotalWidth), 2200);
        QCOMPARE(int(t.TotalHeight), 1125);
        QCOMPARE(int(t.HsFrontPorch), 88);
        QCOMPARE(int(t.HsPulseWidth), 44);
        QCOMPARE(int(t.HsBackPorch), 148);
        QCOMPARE(int(t.VsFrontPorch), 4);
        QCOMPARE(int(t.VsPulseWidth), 5);
        QCOMPARE(int(t.VsBackPorch), 36);
        QCOMPARE(t.TmdsFreq, 0x088649F0u);
        QCOMPARE(int(t.RefreshRate), 60);
        QCOMPARE(restart.count(), 0);
    }

    // A VPU that cannot tell its input format gets the link restarted, after the answer.
    void videoInputFormatErrorRestarts()
    {
        VpuSimFault tFault;
        tFault.iStatus = -9;
        H().Model().SetFault(11, tFault);
        QList<QString> lOrder;
        connect(&H().Com(), &CVpuCom::sigGetVideoInputFormat, this,
                [&](int iStatus, VideoInFormat_t) { lOrder.append(QString::number(iStatus)); });
        connect(&H().Com(), &CVpuCom::sigRestartComMsg, this,
                [&](int iReturn) { lOrder.append(QStringLiteral("restart %1").arg(iReturn)); });
        H().Com().GetVideoInputFormat(0);
        QTRY_COMPARE(lOrder, (QList<QString>{QStringLiteral("-9"), QStringLiteral("restart -9")}));
        QCOMPARE(H().Sink().Errors(),
                 (QList<QPair<QString, int>>{{QStringLiteral("Getting video input format on VPU Failed!"), -9}}));
    }

    // Gains read back are unscaled by the global luminosity and held within 10 bits; a
    // grouped fixture's angle comes back relative to its group.
    void fixtureConfigPostProcessing_data()
    {
        QTest::addColumn<quint32>("uiReg");
        QTest::addColumn<int>("iGlobal");
        QTest::addColumn<int>("iGroup");
        QTest::addColumn<quint32>("uiExpectedReg");
        QTest::addColumn<int>("iExpectedAngle");
        // red 256, green 128, blue 0 at 50 %: 512, 256, 0.
        QTest::newRow("half") << ((256u << 20) | (128u << 10)) << 50 << 1 << ((512u << 20) | (256u << 10)) << 20;
        // red 517 at 50 % would be 1034: held at 1023, not wrapped to 10.
        QTest::newRow("clamped") << ((517u << 20) | 1023u) << 50 << 0 << ((1023u << 20) | 1023u) << 30;
        QTest::newRow("global 0") << ((512u << 20) | (512u << 10) | 512u) << 0 << 0 << 0u << 30;
        QTest::newRow("full") << ((1000u << 20) | (7u << 10) | 3u) << 100 << 0 << ((1000u << 20) | (7u << 10) | 3u)
                              << 30;
    }
    void fixtureConfigPostProcessing()
    {
        QFETCH(quint32, uiReg);
        QFETCH(int, iGlobal);
        QFETCH(int, iGroup);
        QFETCH(quint32, uiExpectedReg);
        QFETCH(int, iExpectedAngle);
        H().Device().AddFixture(
            2, 5, SimFixtureConfig(0x5555, 0x20, 10, 20, 30, quint16(iGroup), 10, uiReg, quint16(iGlobal)));
        H().Device().SetSasuConfig(2, 5, Bytes("01 46 3c 01 28 1e"));
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigGetFixtureConfigMsg(int, FixtureConfig_t, SasuConfig_t)), [](CVpuCom &c) {
                return c.FixtGetConfig(FixtureAddr_t{2, 5});
            });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), 0);
        const FixtureConfig_t t = a.at(1).value<FixtureConfig_t>();
        QCOMPARE(t.LuminosityReg, uiExpectedReg);
        QCOMPARE(int(t.Angle), iExpectedAngle);
        QCOMPARE(t.SerialNumber, 0x5555u);
        QCOMPARE(int(t.PosX), 10);
        QCOMPARE(int(t.PosY), 20);
        QCOMPARE(int(t.SizeX), 64);
        QCOMPARE(int(t.PcbVersion), 3);
        QCOMPARE(int(t.FpgaVersion), 0x21);
        QCOMPARE(int(t.NiosMinor), 9);
        QCOMPARE(int(t.LuminosityGlobal), iGlobal);
        const SasuConfig_t s = a.at(2).value<SasuConfig_t>();
        QCOMPARE(int(s.BlackoutMode), 1);
        QCOMPARE(int(s.BlackoutTempOn), 70);
        QCOMPARE(int(s.FanTempOff), 30);
        QVERIFY(H().Traces().Contains(QStringLiteral("        Version Fpga = V1.7 - Type = 2")));
    }

    void fixtureConfigOfMissingFixture()
    {
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigGetFixtureConfigMsg(int, FixtureConfig_t, SasuConfig_t)), [](CVpuCom &c) {
                return c.FixtGetConfig(FixtureAddr_t{4, 9});
            });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), SIM_ERR_NO_FIXTURE);
        QCOMPARE(H().Sink().Errors(),
                 (QList<QPair<QString, int>>{
                     {QStringLiteral("    Failed to get fixture F4.9 configuration!"), SIM_ERR_NO_FIXTURE}}));
    }

    void presetRoundTripAndBrightnessLimit()
    {
        VideoPreset_t tPreset{Settings(), InCorr(), OutCorr()};
        tPreset.InputCorr.brightness = 200;
        QVERIFY(!RunOne(H(), SIGNAL(sigVideoPresetWrite(int)), [&](CVpuCom &c) {
                     return c.VideoPresetWrite(5, tPreset);
                 }).isEmpty());
        QCOMPARE(
            Hex(H().Device().Preset(5)),
            QByteArray("02 01 a6 64 00 32 00 00 05 d0 02 03 c8 81 82 05 dc 00 f0 00 04 01 02 64 19 00 02 f4 01 e0 01"));
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigVideoPresetRead(int, VideoPreset_t)),
                                         [](CVpuCom &c) { return c.VideoPresetRead(5); });
        QVERIFY(!a.isEmpty());
        const VideoPreset_t r = a.at(1).value<VideoPreset_t>();
        QCOMPARE(int(r.InputCorr.brightness), 128);
        QCOMPARE(int(r.InputCorr.contrast), 0x81);
        QCOMPARE(int(r.VideoSettings.Rotation), -90);
        QCOMPARE(int(r.VideoSettings.Height), 720);
        QCOMPARE(int(r.OutputCorr.colorTemp), 6500);
        QCOMPARE(int(r.OutputCorr.coefBlue), 480);
        QVERIFY(H().Traces().Contains(QStringLiteral("Read video setting on VPU setting 'Preset 4 (Permanent)'...")));
        QVERIFY(H().Traces().Contains(QStringLiteral("    Brightness=128; Contrast=129; Hue=5; Saturation=130")));
    }

    // A preset that never arrived reads as all 0xFF.
    void presetReadOfBadSlot()
    {
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigVideoPresetRead(int, VideoPreset_t)),
                                         [](CVpuCom &c) { return c.VideoPresetRead(12); });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), SIM_ERR_SLOT);
        QCOMPARE(H().Sink().Errors().size(), 1);
        QCOMPARE(H().Sink().Errors().first().first, QStringLiteral("Failed to read video preset from VPU!"));
    }

    void sensorsSasuAndCounts()
    {
        H().Device().AddFixture(1, 3, SimFixtureConfig(0x77, 0x10000001, 0, 0, 0, 0, 0, 0, 100)); // a SASU
        H().Device().AddFixture(3, 1, SimFixtureConfig(0x78, 0x20, 0, 0, 0, 0, 0, 0, 100));
        QVERIFY(
            !RunOne(H(), SIGNAL(sigEnumerateFixturesMsg(int)), [](CVpuCom &c) { return c.FixtEnumerate(); }).isEmpty());
        QList<QVariant> a = RunOne(H(), SIGNAL(sigFixturesNumbersMsg(int, FixturesNum_t)),
                                   [](CVpuCom &c) { return c.FixtGetNumber(); });
        QVERIFY(!a.isEmpty());
        const FixturesNum_t n = a.at(1).value<FixturesNum_t>();
        QCOMPARE(int(n.Enumerated[0]), 1);
        QCOMPARE(int(n.Enumerated[1]), 0);
        QCOMPARE(int(n.Enumerated[2]), 1);
        QCOMPARE(int(n.LpuNumber[0]), 1);
        QCOMPARE(int(n.SasuNumber[0]), 1);
        QCOMPARE(int(n.LpuNumber[2]), 1);
        QCOMPARE(int(n.SasuNumber[2]), 0);
        QVERIFY(H().Traces().Contains(
            QStringLiteral("    HDMI Out 1: Enumeration=1 (0:Not Done - 1:Done) - Lpu Number=1 - Sasu Number=1")));

        a = RunOne(H(), SIGNAL(sigGetSensorsValuesMsg(int, SensorValues_t)), [](CVpuCom &c) {
            return c.FixtGetSensorValues(FixtureAddr_t{1, 3});
        });
        QVERIFY(!a.isEmpty());
        const SensorValues_t v = a.at(1).value<SensorValues_t>();
        QCOMPARE(int(v.Sensor[0].Type), 1);
        QCOMPARE(int(v.Sensor[0].Status), 0);
        const float fValue = v.Sensor[0].Value; // packed: copy before binding a reference
        QCOMPARE(fValue, 25.5f);
        QCOMPARE(int(v.Sensor[1].Type), 0);

        // A link failure leaves the documented defaults: type 0, status 1, value -1.
        VpuSimFault tFault;
        tFault.iReplyId = 1;
        H().Model().SetFault(44, tFault);
        a = RunOne(H(), SIGNAL(sigGetSensorsValuesMsg(int, SensorValues_t)), [](CVpuCom &c) {
            return c.FixtGetSensorValues(FixtureAddr_t{1, 3});
        });
        QVERIFY(!a.isEmpty());
        QCOMPARE(a.at(0).toInt(), -203);
        const SensorValues_t d = a.at(1).value<SensorValues_t>();
        for (const SensorValue_t &s : d.Sensor) {
            QCOMPARE(int(s.Type), 0);
            QCOMPARE(int(s.Status), 1);
            const float fDefault = s.Value;
            QCOMPARE(fDefault, -1.0f);
        }
    }

    void sasuConfigRoundTrip()
    {
        QVERIFY(!RunOne(H(), SIGNAL(sigSetSasuConfigMsg(int)), [](CVpuCom &c) {
                     return c.SasuSetConfig(kF12, SasuConfig_t{1, -5, -10, 1, 40, 30});
                 }).isEmpty());
        QCOMPARE(Hex(H().Device().SasuConfig(1, 2)), QByteArray("01 fb f6 01 28 1e"));
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigGetSasuConfigMsg(int, SasuConfig_t)),
                                         [](CVpuCom &c) { return c.SasuGetConfig(kF12); });
        QVERIFY(!a.isEmpty());
        const SasuConfig_t s = a.at(1).value<SasuConfig_t>();
        QCOMPARE(int(s.BlackoutTempOn), -5);
        QCOMPARE(int(s.BlackoutTempOff), -10);
        QVERIFY(H().Traces().Contains(
            QStringLiteral("        Blackout Mode=1 (1:On-Others:Off) - Temperature Off=-10 - Temperature On=-5")));
    }

    void registersRoundTrip()
    {
        QVERIFY(!RunOne(H(), SIGNAL(sigWriteFixtureRegMsg(int)), [](CVpuCom &c) {
                     return c.FixtWriteReg(kF12, 0x290004, 0xDEADBEEF);
                 }).isEmpty());
        QList<QVariant> a = RunOne(H(), SIGNAL(sigReadFixtureRegMsg(int, uint)),
                                   [](CVpuCom &c) { return c.FixtReadReg(kF12, 0x290004); });
        QCOMPARE(a.at(1).toUInt(), 0xDEADBEEFu);
        a = RunOne(H(), SIGNAL(sigReadFixtureRegMsg(int, uint)), [](CVpuCom &c) {
            return c.FixtReadReg(FixtureAddr_t{4, 4}, 0x290004);
        });
        QCOMPARE(a.at(0).toInt(), SIM_ERR_NO_FIXTURE);

        H().Device().SetFpgaRegister(0x340012, 0xF0);
        QVERIFY(!RunOne(H(), SIGNAL(sigFpgaRegWriteMsg(int)), [](CVpuCom &c) {
                     return c.FpgaRegWrite(0x12, 0x3400, 0x0F, 0x05);
                 }).isEmpty());
        a = RunOne(H(), SIGNAL(sigFpgaRegReadMsg(int, unsigned char)),
                   [](CVpuCom &c) { return c.FpgaRegRead(0x12, 0x3400); });
        QCOMPARE(a.at(0).toInt(), 0);
        QCOMPARE(a.at(1).value<unsigned char>(), (unsigned char)0xF5);

        QList<QVariant> w = RunOne(H(), SIGNAL(sigI2cWriteMsg(int, I2cRegister_t)), [](CVpuCom &c) {
            return c.I2cWrite(I2cRegister_t{1, 0x50, 0x10, 0xFF, 0x42});
        });
        QCOMPARE(w.at(1).value<I2cRegister_t>().Value, quint8(0x42)); // the request echoed
        a = RunOne(H(), SIGNAL(sigI2cReadMsg(int, I2cRegister_t)), [](CVpuCom &c) {
            return c.I2cRead(I2cRegister_t{1, 0x50, 0x10, 0, 0});
        });
        const I2cRegister_t r = a.at(1).value<I2cRegister_t>();
        QCOMPARE(int(r.Link), 1);
        QCOMPARE(int(r.ChipAddress), 0x50);
        QCOMPARE(int(r.SubAddress), 0x10);
        QCOMPARE(int(r.Value), 0x42);
    }

    // Failing link: the value reads as 0xFFFFFFFF / 255 / 0xFF and the status is the
    // transport's.
    void readFailuresCarryTheirMarkers()
    {
        VpuSimFault tFault;
        tFault.llReplyLength = 3;
        H().Model().SetFault(36, tFault);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigReadFixtureRegMsg(int, uint)), [](CVpuCom &c) { return c.FixtReadReg(kF12, 1); });
        QCOMPARE(a.at(0).toInt(), -204);
        QCOMPARE(a.at(1).toUInt(), 0xFFFFFFFFu);
        QVERIFY(H().Traces().Contains(QStringLiteral("Wait for VPU_MSG_FIXT_READ_REG_RSP Failed!"), TRACE_KIND_ERROR));
    }

    void executorReports_data()
    {
        QTest::addColumn<int>("iCase");
        QTest::addColumn<int>("iId");
        QTest::addColumn<QString>("qsFail");
        QTest::addColumn<QString>("qsSuccess");
        auto add = [](const char *pcName, int iId, const char *pcFail, const char *pcSuccess) {
            for (int i = 0; i < Cases().size(); ++i)
                if (QByteArray(Cases()[i].pcName) == pcName)
                    QTest::newRow(pcName) << i << iId << QString(pcFail) << QString(pcSuccess);
        };
        add("VpuSoftReset", 5, "VPU sofware reset request failed!", "    Software reset acknowledged by VPU!");
        add("SetVideoSettings", 10, "Applying video settings on VPU Failed!", "Applying video settings on VPU Done!");
        add("SetGamma", 14, "Applying Gamma on LPUs Failed!", "Applying Gamma on LPUs Done!");
        add("DmxMapWrite", 31, "Failed to write DMX mapping on VPU!", "DMX mapping writen on VPU!");
        add("FixtReboot", 55, "Failed to reset fixture(s) on VPU!", "Reset fixtures done!");
        add("FixtSetLuminosity", 51, "Failed to set intensity on fixture!", "Intensity set on fixture (volatile)!");
        add("FixtWriteConfig", 54, "Failed to write configuration in fixture!", "Configuration writen on fixture!");
    }
    void executorReports()
    {
        QFETCH(int, iCase);
        QFETCH(int, iId);
        QFETCH(QString, qsFail);
        QFETCH(QString, qsSuccess);
        const RequestCase &c = Cases()[iCase];
        QVERIFY(!RunOne(H(), c.pcSignal, c.fnPost).isEmpty());
        QVERIFY(H().Traces().Contains(qsSuccess));
        QCOMPARE(H().Sink().Errors().size(), 0);
        VpuSimFault tFault;
        tFault.iStatus = -33;
        H().Model().SetFault(quint8(iId), tFault);
        const QList<QVariant> a = RunOne(H(), c.pcSignal, c.fnPost);
        QCOMPARE(a.at(0).toInt(), -33);
        QCOMPARE(H().Sink().Errors(), (QList<QPair<QString, int>>{{qsFail, -33}}));
    }

    void requestFunctionTraces()
    {
        H().Com().SetGamma(0, 220, 245, 100);
        H().Com().FixtGetConfig(FixtureAddr_t{3, 17});
        H().Com().FlashWrite(0x1000, 0, 0, nullptr);
        const QStringList l = H().Traces().Lines(TRACE_KIND_INFO);
        QVERIFY(l.contains(
            QStringLiteral("Applying Gamma correction on LPUs in mode 0 (0=volatile - sram; 1=permanent - flash)...")));
        QVERIFY(l.contains(QStringLiteral("    Gamma_R=2.2, Gamma_G=2.5, Gamma_B=1.0")));
        QVERIFY(l.contains(QStringLiteral("Getting configuration of fixture F3.17...")));
        QVERIFY(l.contains(QStringLiteral("        Writing VPU's Flash at offset 0x00001000 - size = 0x00000000 ...")));
        QTRY_COMPARE(H().Model().Requests().size(), 3);
    }

    // Blocks of the wrong size never reach the queue.
    void malformedBlocksRefused()
    {
        SignalLog spy(&H().Com(), &CVpuCom::sigWriteFixtureConfigMsg);
        QCOMPARE(H().Com().FixtWriteConfig(QByteArray(50, 0)), -4);
        QCOMPARE(H().Com().FixtSetScene(kF12, QByteArray(15, 0)), -4);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(H().Model().Requests().size(), 0);
    }

    void fixtureFlashReadOnlyArea()
    {
        SignalLog spy(&H().Com(), &CVpuCom::sigEraseFixtureFlashMsg);
        QCOMPARE(H().Com().FixtEraseFlash(kF12, 0xBFFFF, 0x10000), -4);
        QCOMPARE(H().Com().FixtWriteFlash(kF12, 0x80000, 4, "abcd"), -4);
        QVERIFY(H().Traces().Contains(QStringLiteral("Fixture FLASH offset is read-only!"), TRACE_KIND_ERROR));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(H().Model().Requests().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestVpuCom)
#include "tst_vpucom.moc"
