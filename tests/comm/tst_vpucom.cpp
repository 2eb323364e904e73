// The message catalogue against the simulated VPU over loopback TCP: every request's bytes on
// the wire, every typed reply decoded into its record, the reports and traces of the
// executors, and the post-processing of fixture configurations and presets.
#include "comm/vpucom.h"
#include "recordfields.h"
#include "runone.h"
#include "support/vpucomharness.h"

#include <QMutex>
#include <QTest>
#include <cstring>
#include <functional>
#include <string>

namespace {

const QString kAddress = QStringLiteral("127.0.0.40");
const FixtureAddr_t kF12{1, 2};
// The rest of a factory parameter block: three unused sensors and the reserved bytes.
const std::string kZeros96 = QByteArray(" 00").repeated(96).toStdString();

struct RequestCase
{
    const char *pcName;
    std::function<int(CVpuCom &)> fnPost;
    const char *pcSignal;  // SIGNAL() signature
    std::string sWire;     // header and payload as the VPU receives them
    std::string sRaw = ""; // raw data that follows, if any
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

// One request: the call, its completion signal, the header and payload as the VPU receives
// them, and the raw data that follows, if any.
// clang-format off
#define REQ(fn, args, sig, ...) {#fn, [](CVpuCom &c) { return c.fn args; }, SIGNAL(sig), __VA_ARGS__}
// clang-format on

const QList<RequestCase> &Cases()
{
    static const quint8 aucTiles[16] = {0x40, 0x20, 0, 0, 0x40, 0x20, 0x40, 0};
    static const Color_t kPixels[2] = {{1, 2, 3}, {4, 5, 6}};
    static const QList<RequestCase> s_Cases = {
        REQ(GetStatus, (), sigStatusMsg(int), "02 00 00 00 00"),
        REQ(InitCom, (), sigInitCom(int), "03 05 00 00 00 03 05 00 00 00", "03 05 00 00 00"),
        REQ(McuFlashProgram, (0x9D000000, 0x12345678), sigMcuFlashProgram(int),
            "04 08 00 00 00 00 00 00 9d 78 56 34 12"),
        REQ(VpuSoftReset, (), sigVpuSoftReset(int), "05 00 00 00 00"),
        REQ(SetFactoryParam, (0x10000020, 0xCAFEBABE, 0x544C), sigSetFactoryParam(int),
            "07 0c 00 00 00 20 00 00 10 be ba fe ca 4c 54 00 00"),
        REQ(GetConfig, (), sigGetConfig(int, VpuConfig_t), "08 00 00 00 00"),
        REQ(SetVideoSettings, (Settings()), sigSetVideoSettings(int),
            "0a 0b 00 00 00 02 01 a6 64 00 32 00 00 05 d0 02"),
        REQ(GetVideoInputFormat, (3), sigGetVideoInputFormat(int, VideoInFormat_t), "0b 01 00 00 00 03"),
        REQ(SetVideoInCorr, (InCorr()), sigSetVideoInCorrection(int), "0d 05 00 00 00 03 80 81 82 05"),
        REQ(SetGamma, (1, 220, 240, 260), sigSetGamma(int), "0e 07 00 00 00 01 dc 00 f0 00 04 01"),
        REQ(SetColorTemp, (OutCorr()), sigSetColorTemp(int), "0f 09 00 00 00 02 64 19 00 02 f4 01 e0 01"),
        REQ(SetFullScreenTestColor, (Color_t{0x10, 0x20, 0x30}), sigSetFullScreenTestColor(int),
            "10 03 00 00 00 10 20 30"),
        REQ(FreezeVideoOutput, (), sigSetFreezeVideoOutput(int), "11 00 00 00 00"),
        REQ(ShowFixtNum, (), sigShowFixtNumber(int), "12 00 00 00 00"),
        REQ(StopTestPattern, (), sigStopTestPattern(int), "13 00 00 00 00"),
        REQ(FlashErase, (0x20000, 0x20000), sigFlashEraseMsg(int, uint), "14 09 00 00 00 00 00 02 00 00 00 02 00 00"),
        REQ(FlashRead, (0x100, 0x10), sigFlashReadMsg(int, uint, uint, QByteArray),
            "15 09 00 00 00 00 01 00 00 10 00 00 00 00"),
        REQ(FlashWrite, (0x300, 4, 1, "\xde\xad\xbe\xef"), sigFlashWriteMsg(int),
            "16 09 00 00 00 00 03 00 00 04 00 00 00 01", "de ad be ef"),
        REQ(FpgaRegRead, (0x12, 0x3400), sigFpgaRegReadMsg(int, unsigned char), "17 03 00 00 00 12 00 34"),
        REQ(FpgaRegWrite, (0x12, 0x3400, 0x0F, 0x05), sigFpgaRegWriteMsg(int), "19 05 00 00 00 12 00 34 0f 05"),
        REQ(I2cRead, (I2cRegister_t{1, 0x50, 0x10, 0, 0}), sigI2cReadMsg(int, I2cRegister_t),
            "1a 03 00 00 00 01 50 10"),
        REQ(I2cWrite, (I2cRegister_t{1, 0x50, 0x10, 0xFF, 0x42}), sigI2cWriteMsg(int, I2cRegister_t),
            "1c 05 00 00 00 01 50 10 ff 42"),
        REQ(SdramRead, (SdramRect_t{10, 20, 2, 1}), sigSdramReadMsg(int, SdramRect_t, QByteArray),
            "1d 08 00 00 00 0a 00 14 00 02 00 01 00"),
        REQ(SdramWrite, (SdramRect_t{10, 20, 2, 1}, kPixels), sigSdramWriteMsg(int),
            "1e 08 00 00 00 0a 00 14 00 02 00 01 00", "01 02 03 04 05 06"),
        REQ(DmxMapWrite, (3, {DMX_Mapping_t{1, 1, 1}, DMX_Mapping_t{7, 0x107, 4}}), sigDmxMapWrite(int),
            "1f 06 00 00 00 03 00 00 00 02 00", "01 01 00 01 07 07 01 04"),
        REQ(DmxMapRead, (3), sigDmxMapRead(int, short, QByteArray), "20 04 00 00 00 03 00 00 00"),
        REQ(VideoPresetWrite, (2, VideoPreset_t{Settings(), InCorr(), OutCorr()}), sigVideoPresetWrite(int),
            "21 23 00 00 00 02 00 00 00 02 01 a6 64 00 32 00 00 05 d0 02 03 80 81 82 05 dc 00 f0 00 04 01 02 64 19 00 "
            "02 f4 01 e0 01"),
        REQ(VideoPresetRead, (2), sigVideoPresetRead(int, VideoPreset_t), "22 04 00 00 00 02 00 00 00"),
        REQ(FixtReadReg, (kF12, 0x200504), sigReadFixtureRegMsg(int, uint),
            "24 09 00 00 00 01 02 00 00 00 04 05 20 00"),
        REQ(FixtWriteReg, (kF12, 0x200504, 0x00FF8000), sigWriteFixtureRegMsg(int),
            "26 0d 00 00 00 01 02 00 00 00 04 05 20 00 00 80 ff 00"),
        REQ(FixtEnumerate, (), sigEnumerateFixturesMsg(int), "27 00 00 00 00"),
        REQ(FixtGetNumber, (), sigFixturesNumbersMsg(int, FixturesNum_t), "28 00 00 00 00"),
        REQ(FixtGetConfig, (kF12), sigGetFixtureConfigMsg(int, FixtureConfig_t, SasuConfig_t),
            "2a 05 00 00 00 01 02 00 00 00"),
        REQ(FixtGetSensorValues, (kF12), sigGetSensorsValuesMsg(int, SensorValues_t), "2c 05 00 00 00 01 02 00 00 00"),
        REQ(SasuSetConfig, (kF12, SasuConfig_t{1, -5, -10, 1, 40, 30}), sigSetSasuConfigMsg(int),
            "2e 0b 00 00 00 01 02 00 00 00 01 fb f6 01 28 1e"),
        REQ(SasuGetConfig, (kF12), sigGetSasuConfigMsg(int, SasuConfig_t), "2f 05 00 00 00 01 02 00 00 00"),
        REQ(FixtSetOrigin, (kF12, 100 + 200 * 65536), sigSetFixtureOriginMsg(int),
            "31 09 00 00 00 01 02 00 00 00 64 00 c8 00"),
        REQ(FixtSetScene, (kF12, Bytes("0102030405060708090a0b0c0d0e")), sigSetFixtureSceneMsg(int),
            "32 13 00 00 00 01 02 00 00 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e"),
        REQ(FixtSetLuminosity, (kF12, 0x20080200), sigSetFixtureLuminosityMsg(int),
            "33 09 00 00 00 01 02 00 00 00 00 02 08 20"),
        REQ(FixtSetRotation, (kF12, 100 + 200 * 65536, -30, 32, 16, aucTiles), sigSetFixtureRotationMsg(int),
            "34 1f 00 00 00 01 02 00 00 00 64 00 c8 00 e2 ff 20 00 10 00 40 20 00 00 40 20 40 00 00 00 00 00 00 00 00 "
            "00"),
        REQ(FixtWriteFactoryParam, (kF12, FactoryParam()), sigWriteFixtureFactoryParamMsg(int),
            "35 97 00 00 00 01 02 00 00 00 44 33 22 11 20 00 00 00 4c 54 00 00 40 20 00 00 "
            "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 "
            "01 00 00 00 a0 40 00 00 00 00 00 00 c8 42 00 00 20 c2" +
                kZeros96),
        REQ(FixtWriteConfig,
            (Bytes("01 02 00 00 00 00 02 08 20 32 00 64 00 c8 00 1e 00 20 00 10 00 01 00 0a 00 30 00 40 00 01 46 3c 01 "
                   "28 1e 40 20 00 00 40 20 40 00 00 00 00 00 00 00 00 00")),
            sigWriteFixtureConfigMsg(int),
            "36 33 00 00 00 01 02 00 00 00 00 02 08 20 32 00 64 00 c8 00 1e 00 20 00 10 00 01 00 0a 00 30 00 40 00 01 "
            "46 3c 01 28 1e 40 20 00 00 40 20 40 00 00 00 00 00 00 00 00 00"),
        REQ(FixtReboot, (FixtureAddr_t{255, 0xFFFFFFFF}), sigRebootFixtureMsg(int), "37 05 00 00 00 ff ff ff ff ff"),
        REQ(FixtEraseFlash, (kF12, 0xC0000, 0x10000), sigEraseFixtureFlashMsg(int),
            "38 0d 00 00 00 01 02 00 00 00 00 00 0c 00 00 00 01 00"),
        REQ(FixtWriteFlash, (kF12, 0xC0000, 4, "\x01\x02\x03\x04"), sigWriteFixtureFlashMsg(int),
            "39 0d 00 00 00 01 02 00 00 00 00 00 0c 00 04 00 00 00", "01 02 03 04"),
        REQ(ResetFixtures, (), sigResetFixturesMsg(int), "3a 00 00 00 00"),
        REQ(FixtReadMem, (FixtureMemReq_t{kF12, 0x380000, 8}), sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray),
            "3b 0d 00 00 00 01 02 00 00 00 00 00 38 00 08 00 00 00"),
        REQ(FixtWriteMem, (FixtureMemReq_t{kF12, 0x380000, 4}, "\x0a\x0b\x0c\x0d"), sigWriteFixtureMemMsg(int),
            "3c 0d 00 00 00 01 02 00 00 00 00 00 38 00 04 00 00 00", "0a 0b 0c 0d"),
    };
    return s_Cases;
}
#undef REQ

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
        QCOMPARE(Hex(lRequests.first()), QByteArray::fromStdString(c.sWire));
        QCOMPARE(Hex(lRequests.mid(1).join()), QByteArray::fromStdString(c.sRaw));
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
        QCOMPARE(a.value(0), QVariant(0));
        const VpuConfig_t t = a.value(1).value<VpuConfig_t>();
        QCOMPARE(Fields(t.FpgaMajor, t.FpgaMinor, t.BootMajor, t.BootMinor, t.SoftMajor, t.SoftMinor, t.Type,
                        t.SerialNumber, t.ManufacturerCode),
                 Fields(1, 2, 3, 4, 5, 6, 0x10000020, 0x12345678, 0x544C));
        QVERIFY(H().Traces().Contains(QStringLiteral("    Version Soft: BootLoader = V3.4 - Software = V5.6")));
    }

    void videoInputFormatDecodes()
    {
        H().Device().SetVideoInFormat(
            2,
            Bytes("80 07 38 04 01 00 01 01 01 00 98 08 65 04 58 00 2c 00 94 00 04 00 05 00 24 00 20 ee d9 08 3c 00"));
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigGetVideoInputFormat(int, VideoInFormat_t)),
                                         [](CVpuCom &c) { return c.GetVideoInputFormat(2); });
        QCOMPARE(a.value(0), QVariant(0));
        const VideoInFormat_t t = a.value(1).value<VideoInFormat_t>();
        QCOMPARE(Fields(t.Width, t.Height, t.RxLock, t.Encryption, t.HdmiMode, t.HsPolarity, t.VsPolarity, t.Interlaced,
                        t.TotalWidth, t.TotalHeight, t.HsFrontPorch, t.HsPulseWidth, t.HsBackPorch, t.VsFrontPorch,
                        t.VsPulseWidth, t.VsBackPorch, t.TmdsFreq, t.RefreshRate),
                 Fields(1920, 1080, 1, 0, 1, 1, 1, 0, 2200, 1125, 88, 44, 148, 4, 5, 36, 148500000, 60));
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
        QCOMPARE(a.value(0), QVariant(0));
        const FixtureConfig_t t = a.value(1).value<FixtureConfig_t>();
        QCOMPARE(Fields(t.LuminosityReg, t.Angle, t.LuminosityGlobal), Fields(uiExpectedReg, iExpectedAngle, iGlobal));
        QCOMPARE(Fields(t.SerialNumber, t.PosX, t.PosY, t.SizeX), Fields(0x5555, 10, 20, 64));
        const SasuConfig_t s = a.value(2).value<SasuConfig_t>();
        QCOMPARE(Fields(s.BlackoutMode, s.BlackoutTempOn, s.FanTempOff), Fields(1, 70, 30));
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
        const VideoPreset_t r = a.value(1).value<VideoPreset_t>();
        QCOMPARE(Fields(r.InputCorr.brightness, r.InputCorr.contrast, r.VideoSettings.Rotation, r.VideoSettings.Height,
                        r.OutputCorr.colorTemp, r.OutputCorr.coefBlue),
                 Fields(128, 0x81, -90, 720, 6500, 480));
        QVERIFY(H().Traces().Contains(QStringLiteral("    Brightness=128; Contrast=129; Hue=5; Saturation=130")));
    }

    void sensorsSasuAndCounts()
    {
        H().Device().AddFixture(1, 3, SimFixtureConfig(0x77, 0x10000001, 0, 0, 0, 0, 0, 0, 100)); // a SASU
        H().Device().AddFixture(3, 1, SimFixtureConfig(0x78, 0x20, 0, 0, 0, 0, 0, 0, 100));
        H().Device().SetSasuConfig(1, 2, Bytes("01 fb f6 01 28 1e"));
        QVERIFY(
            !RunOne(H(), SIGNAL(sigEnumerateFixturesMsg(int)), [](CVpuCom &c) { return c.FixtEnumerate(); }).isEmpty());
        QList<QVariant> a = RunOne(H(), SIGNAL(sigFixturesNumbersMsg(int, FixturesNum_t)),
                                   [](CVpuCom &c) { return c.FixtGetNumber(); });
        const FixturesNum_t n = a.value(1).value<FixturesNum_t>();
        QCOMPARE(Fields(n.Enumerated[0], n.Enumerated[1], n.Enumerated[2], n.LpuNumber[0], n.SasuNumber[0],
                        n.LpuNumber[2], n.SasuNumber[2]),
                 Fields(1, 0, 1, 1, 1, 1, 0));

        a = RunOne(H(), SIGNAL(sigGetSasuConfigMsg(int, SasuConfig_t)),
                   [](CVpuCom &c) { return c.SasuGetConfig(kF12); });
        const SasuConfig_t s = a.value(1).value<SasuConfig_t>();
        QCOMPARE(Fields(s.BlackoutTempOn, s.BlackoutTempOff, s.FanTempOn), Fields(-5, -10, 40));

        auto fnSensors = [](CVpuCom &c) { return c.FixtGetSensorValues(FixtureAddr_t{1, 3}); };
        a = RunOne(H(), SIGNAL(sigGetSensorsValuesMsg(int, SensorValues_t)), fnSensors);
        QCOMPARE(a.value(0), QVariant(0));
        const SensorValues_t v = a.value(1).value<SensorValues_t>();
        QCOMPARE(Fields(v.Sensor[0].Type, v.Sensor[0].Status, v.Sensor[0].Value, v.Sensor[1].Type),
                 Fields(1, 0, 25.5f, 0));

        // A link failure leaves the documented defaults: type 0, status 1, value -1.
        VpuSimFault tFault;
        tFault.iReplyId = 1;
        H().Model().SetFault(44, tFault);
        a = RunOne(H(), SIGNAL(sigGetSensorsValuesMsg(int, SensorValues_t)), fnSensors);
        QCOMPARE(a.value(0), QVariant(-203));
        for (const SensorValue_t &d : a.value(1).value<SensorValues_t>().Sensor)
            QCOMPARE(Fields(d.Type, d.Status, d.Value), Fields(0, 1, -1.0f));
    }

    // Single values: a u32 after the status, a u8 with no status, an I2C register record.
    void registerReadsDecode()
    {
        H().Device().SetFixtureRegister(1, 2, 0x290004, 0xDEADBEEF);
        H().Device().SetFpgaRegister(0x340012, 0xF5);
        H().Device().SetI2c(1, 0x50, 0x10, 0x42);
        QList<QVariant> a = RunOne(H(), SIGNAL(sigReadFixtureRegMsg(int, uint)),
                                   [](CVpuCom &c) { return c.FixtReadReg(kF12, 0x290004); });
        QCOMPARE(a, (QList<QVariant>{0, 0xDEADBEEFu}));
        a = RunOne(H(), SIGNAL(sigFpgaRegReadMsg(int, unsigned char)),
                   [](CVpuCom &c) { return c.FpgaRegRead(0x12, 0x3400); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(a.value(1).value<unsigned char>(), (unsigned char)0xF5);
        a = RunOne(H(), SIGNAL(sigI2cReadMsg(int, I2cRegister_t)), [](CVpuCom &c) {
            return c.I2cRead(I2cRegister_t{1, 0x50, 0x10, 0, 0});
        });
        const I2cRegister_t r = a.value(1).value<I2cRegister_t>();
        QCOMPARE(Fields(r.Link, r.ChipAddress, r.SubAddress, r.Value), Fields(1, 0x50, 0x10, 0x42));
    }

    // Failing link: the value reads as 0xFFFFFFFF and the status is the transport's.
    void readFailuresCarryTheirMarkers()
    {
        VpuSimFault tFault;
        tFault.llReplyLength = 3;
        H().Model().SetFault(36, tFault);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigReadFixtureRegMsg(int, uint)), [](CVpuCom &c) { return c.FixtReadReg(kF12, 1); });
        QCOMPARE(a, (QList<QVariant>{-204, 0xFFFFFFFFu}));
        QVERIFY(H().Traces().Contains(QStringLiteral("Wait for VPU_MSG_FIXT_READ_REG_RSP Failed!"), TRACE_KIND_ERROR));
    }

    // A VPU error is shown to the user once, with the VPU's status, and the link goes on
    // without a restart; success leaves a trace and no box.
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
        add("GetConfig", 8, "Failed to read VPU configuration!", "Current VPU configuration read!");
        add("SetVideoSettings", 10, "Applying video settings on VPU Failed!", "Applying video settings on VPU Done!");
        add("SetGamma", 14, "Applying Gamma on LPUs Failed!", "Applying Gamma on LPUs Done!");
        add("DmxMapWrite", 31, "Failed to write DMX mapping on VPU!", "DMX mapping writen on VPU!");
        add("VideoPresetRead", 34, "Failed to read video preset from VPU!", "");
        add("FixtGetConfig", 42, "    Failed to get fixture F1.2 configuration!", "");
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
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        QVERIFY(!RunOne(H(), c.pcSignal, c.fnPost).isEmpty());
        QVERIFY(qsSuccess.isEmpty() || H().Traces().Contains(qsSuccess));
        QCOMPARE(H().Sink().Errors().size(), 0);
        VpuSimFault tFault;
        tFault.iStatus = -33;
        H().Model().SetFault(quint8(iId), tFault);
        QCOMPARE(RunOne(H(), c.pcSignal, c.fnPost).value(0), QVariant(-33));
        QCOMPARE(H().Sink().Errors(), (QList<QPair<QString, int>>{{qsFail, -33}}));
        H().Model().ClearFaults();
        QVERIFY(!RunOne(H(), SIGNAL(sigStatusMsg(int)), [](CVpuCom &c) { return c.GetStatus(); }).isEmpty());
        QCOMPARE(restart.count(), 0);
        QCOMPARE(H().Sim().ConnectionCount(), 1);
    }

    // Blocks of the wrong size and writes into the fixture flash's read-only area never
    // reach the queue.
    void refusedBeforeQueueing()
    {
        SignalLog spy(&H().Com(), &CVpuCom::sigWriteFixtureConfigMsg);
        QCOMPARE(H().Com().FixtWriteConfig(QByteArray(50, 0)), -4);
        QCOMPARE(H().Com().FixtSetScene(kF12, QByteArray(15, 0)), -4);
        QCOMPARE(H().Com().FixtSetScene(kF12, QByteArray(13, 0)), -4);
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
