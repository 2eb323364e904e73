// Wire records: their sizes, and decoding replies written by hand from the protocol tables.
// Also the framing layer on an in-memory transport, where every byte of a reply is chosen.

#include "comm/vpumsg.h"
#include "comm/vpurecords.h"
#include "support/memcom.h"

#include <QtTest>

namespace {
QByteArray Hex(const char *pcHex)
{
    return QByteArray::fromHex(QByteArray(pcHex).replace(' ', ""));
}
} // namespace

class TestVpuRecords : public QObject
{
    Q_OBJECT

private slots:
    void recordSizes_data();
    void recordSizes();
    void decodeHeaderAndAddress();
    void decodeVpuConfig();
    void decodeVideoBlocks();
    void decodeVideoInFormat();
    void decodeFixturesNum();
    void decodeFixtureConfigReply();
    void decodeSensorValuesReply();
    void decodeSmallRecords();
    void decodeRefusesShortBuffer();
    void messageNames();

    void sendMsgWritesHeaderThenPayload();
    void waitMsgWrongIdReadsNothingMore();
    void waitMsgWrongLengthReadsNothingMore();
    void waitMsgShortPayloadFails();
    void waitStatusGivesSignedStatus();
    void exchangeTypedOverMemory();
};

void TestVpuRecords::recordSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    QTest::newRow("VpuMsgHeader_t") << int(sizeof(VpuMsgHeader_t)) << 5;
    QTest::newRow("FixtureAddr_t") << int(sizeof(FixtureAddr_t)) << 5;
    QTest::newRow("VpuConfig_t") << int(sizeof(VpuConfig_t)) << 20;
    QTest::newRow("VideoSettings_t") << int(sizeof(VideoSettings_t)) << 11;
    QTest::newRow("InputCorr_t") << int(sizeof(InputCorr_t)) << 5;
    QTest::newRow("OutputCorr_t") << int(sizeof(OutputCorr_t)) << 15;
    QTest::newRow("VideoPreset_t") << int(sizeof(VideoPreset_t)) << 31;
    QTest::newRow("VideoInFormat_t") << int(sizeof(VideoInFormat_t)) << 32;
    QTest::newRow("FixturesNum_t") << int(sizeof(FixturesNum_t)) << 20;
    QTest::newRow("SasuConfig_t") << int(sizeof(SasuConfig_t)) << 6;
    QTest::newRow("FixtureConfig_t") << int(sizeof(FixtureConfig_t)) << 138;
    QTest::newRow("SensorValues_t") << int(sizeof(SensorValues_t)) << 28;
    QTest::newRow("I2cRegister_t") << int(sizeof(I2cRegister_t)) << 5;
    QTest::newRow("SdramRect_t") << int(sizeof(SdramRect_t)) << 8;
    QTest::newRow("Color_t") << int(sizeof(Color_t)) << 3;
    QTest::newRow("FixtureMemReq_t") << int(sizeof(FixtureMemReq_t)) << 13;
}

void TestVpuRecords::recordSizes()
{
    QFETCH(int, size);
    QFETCH(int, expected);
    QCOMPARE(size, expected);
}

void TestVpuRecords::decodeHeaderAndAddress()
{
    VpuMsgHeader_t tHeader;
    QVERIFY(DecodeRecord(Hex("06 80 07 00 00"), 0, &tHeader));
    QCOMPARE(quint8(tHeader.MsgId), quint8(6));
    QCOMPARE(quint32(tHeader.Length), 1920u);
    FixtureAddr_t tAddr;
    QVERIFY(DecodeRecord(Hex("02 07 01 00 00"), 0, &tAddr));
    QCOMPARE(quint8(tAddr.output), quint8(2));
    QCOMPARE(quint32(tAddr.number), 263u);
}

void TestVpuRecords::decodeVpuConfig()
{
    // GET_CONFIG_RSP payload: status, then the record.
    const QByteArray baReply = Hex("00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00");
    VpuConfig_t tConfig;
    QVERIFY(DecodeRecord(baReply, 4, &tConfig));
    QCOMPARE(quint8(tConfig.FpgaMajor), quint8(1));
    QCOMPARE(quint8(tConfig.FpgaMinor), quint8(2));
    QCOMPARE(quint8(tConfig.BootMajor), quint8(3));
    QCOMPARE(quint8(tConfig.BootMinor), quint8(4));
    QCOMPARE(quint8(tConfig.SoftMajor), quint8(5));
    QCOMPARE(quint8(tConfig.SoftMinor), quint8(6));
    QCOMPARE(quint32(tConfig.Type), 0x10000020u);
    QCOMPARE(quint32(tConfig.SerialNumber), 0x12345678u);
    QCOMPARE(quint32(tConfig.ManufacturerCode), 0x544Cu);
}

void TestVpuRecords::decodeVideoBlocks()
{
    // VIDEO_PRESET_READ_RSP payload: status, u32, then settings, input and output blocks.
    const QByteArray baReply = Hex("00 00 00 00 02 00 00 00"
                                   "02 01 a6 10 00 20 00 80 07 38 04"               // settings
                                   "03 c8 80 7f 05"                                 // input correction
                                   "28 00 2d 00 32 00 01 64 19 00 02 01 02 ff 01"); // output
    VideoPreset_t tPreset;
    QVERIFY(DecodeRecord(baReply, 8, &tPreset));
    QCOMPARE(quint8(tPreset.VideoSettings.Channel), quint8(2));
    QCOMPARE(quint8(tPreset.VideoSettings.ScalingEnabled), quint8(1));
    QCOMPARE(qint8(tPreset.VideoSettings.Rotation), qint8(-90));
    QCOMPARE(quint16(tPreset.VideoSettings.OffsetX), quint16(16));
    QCOMPARE(quint16(tPreset.VideoSettings.OffsetY), quint16(32));
    QCOMPARE(quint16(tPreset.VideoSettings.Width), quint16(1920));
    QCOMPARE(quint16(tPreset.VideoSettings.Height), quint16(1080));
    QCOMPARE(quint8(tPreset.InputCorr.source), quint8(3));
    QCOMPARE(quint8(tPreset.InputCorr.brightness), quint8(200));
    QCOMPARE(quint8(tPreset.InputCorr.contrast), quint8(128));
    QCOMPARE(quint8(tPreset.InputCorr.saturation), quint8(127));
    QCOMPARE(quint8(tPreset.InputCorr.hue), quint8(5));
    QCOMPARE(quint16(tPreset.OutputCorr.gammaRed), quint16(40));
    QCOMPARE(quint16(tPreset.OutputCorr.gammaGreen), quint16(45));
    QCOMPARE(quint16(tPreset.OutputCorr.gammaBlue), quint16(50));
    QCOMPARE(quint8(tPreset.OutputCorr.whiteMode), quint8(1));
    QCOMPARE(quint16(tPreset.OutputCorr.colorTemp), quint16(6500));
    QCOMPARE(quint16(tPreset.OutputCorr.coefRed), quint16(512));
    QCOMPARE(quint16(tPreset.OutputCorr.coefGreen), quint16(513));
    QCOMPARE(quint16(tPreset.OutputCorr.coefBlue), quint16(511));

    // And back: the record's bytes are the wire bytes.
    QByteArray baPayload;
    AppendRecord(baPayload, tPreset);
    QCOMPARE(baPayload, baReply.mid(8));
}

void TestVpuRecords::decodeVideoInFormat()
{
    const QByteArray baReply = Hex("00 00 00 00"
                                   "80 07 38 04 01 00 01 01 01 00 98 08 65 04 58 00"
                                   "2c 00 94 00 04 00 05 00 24 00 20 ee d9 08 3c 00");
    VideoInFormat_t tFormat;
    QVERIFY(DecodeRecord(baReply, 4, &tFormat));
    QCOMPARE(quint16(tFormat.Width), quint16(1920));
    QCOMPARE(quint16(tFormat.Height), quint16(1080));
    QCOMPARE(quint8(tFormat.RxLock), quint8(1));
    QCOMPARE(quint8(tFormat.Encryption), quint8(0));
    QCOMPARE(quint8(tFormat.HdmiMode), quint8(1));
    QCOMPARE(quint8(tFormat.HsPolarity), quint8(1));
    QCOMPARE(quint8(tFormat.VsPolarity), quint8(1));
    QCOMPARE(quint8(tFormat.Interlaced), quint8(0));
    QCOMPARE(quint16(tFormat.TotalWidth), quint16(2200));
    QCOMPARE(quint16(tFormat.TotalHeight), quint16(1125));
    QCOMPARE(quint16(tFormat.HsFrontPorch), quint16(88));
    QCOMPARE(quint16(tFormat.HsPulseWidth), quint16(44));
    QCOMPARE(quint16(tFormat.HsBackPorch), quint16(148));
    QCOMPARE(quint16(tFormat.VsFrontPorch), quint16(4));
    QCOMPARE(quint16(tFormat.VsPulseWidth), quint16(5));
    QCOMPARE(quint16(tFormat.VsBackPorch), quint16(36));
    QCOMPARE(quint32(tFormat.TmdsFreq), 148500000u);
    QCOMPARE(quint16(tFormat.RefreshRate), quint16(60));
}

void TestVpuRecords::decodeFixturesNum()
{
    // FIXT_GET_NUMBER_RSP has no status: the record is the whole payload.
    FixturesNum_t tNum;
    QVERIFY(DecodeRecord(Hex("01 01 00 00 05 00 03 00 00 00 00 00 01 00 ff ff 00 00 00 00"), 0, &tNum));
    QCOMPARE(quint8(tNum.Enumerated[1]), quint8(1));
    QCOMPARE(quint8(tNum.Enumerated[2]), quint8(0));
    QCOMPARE(qint16(tNum.LpuNumber[0]), qint16(5));
    QCOMPARE(qint16(tNum.LpuNumber[1]), qint16(3));
    QCOMPARE(qint16(tNum.SasuNumber[0]), qint16(1));
    QCOMPARE(qint16(tNum.SasuNumber[1]), qint16(-1));
}

void TestVpuRecords::decodeFixtureConfigReply()
{
    // FIXT_GET_CONFIG_RSP, 148 bytes: status, FixtureConfig_t at 4, SasuConfig_t at 142.
    const QByteArray baReply = Hex("00 00 00 00"
                                   "00 00 00 00" // 0 not interpreted
                                   "44 33 22 11" // 4 SerialNumber
                                   "01 00 00 20" // 8 Type (SASU)
                                   "4c 54 00 00" // 12 ManufacturerCode
                                   "64 00 c8 00" // 16 PosX 100, 18 PosY 200
                                   "04 02"       // 20 SizeX 4, SizeY 2
                                   "1e 00"       // 22 Angle 30
                                   "0a 00 14 00" // 24 AnchorX 10, AnchorY 20
                                   "03 00 f6 ff" // 28 GroupNumber 3, 30 GroupAngle -10
                                   "28 00 32 00" // 32 GroupAnchorX 40, GroupAnchorY 50
                                   "00 00 07 00" // 36 not interpreted, 38 PcbVersion 7
                                   "32 04 01 09" // 40 FpgaVersion 0x32, FpgaMinor 4, Nios 1.9
                                   "ff 03 10 00" // 44 LuminosityReg 0x001003FF
                                   "50 00"       // 48 LuminosityGlobal 80
                                   "10 08 00 00 10 08 10 00 00 00 00 00 00 00 00 00"       // 50 tiles
                                   "01 00 00 00 a0 40 00 00 00 00 00 00 c8 42 00 00 20 c2" // 66 sensor 0
                                   "02 00 00 00 80 3f 00 00 00 00 00 00 c8 42 00 00 00 00" // 84 sensor 1
                                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00" // 102 sensor 2
                                   "03 00 00 00 a0 40 00 00 80 3f 00 00 c8 42 00 00 00 00" // 120 sensor 3
                                   "01 2d 28 01 23 1e");                                   // SasuConfig_t
    QCOMPARE(baReply.size(), 148);
    FixtureConfig_t tConfig;
    SasuConfig_t tSasu;
    QVERIFY(DecodeRecord(baReply, 4, &tConfig));
    QVERIFY(DecodeRecord(baReply, 142, &tSasu));
    QCOMPARE(quint32(tConfig.SerialNumber), 0x11223344u);
    QCOMPARE(quint32(tConfig.Type), 0x20000001u);
    QCOMPARE(quint32(tConfig.ManufacturerCode), 0x544Cu);
    QCOMPARE(quint16(tConfig.PosX), quint16(100));
    QCOMPARE(quint16(tConfig.PosY), quint16(200));
    QCOMPARE(quint8(tConfig.SizeX), quint8(4));
    QCOMPARE(quint8(tConfig.SizeY), quint8(2));
    QCOMPARE(qint16(tConfig.Angle), qint16(30));
    QCOMPARE(quint16(tConfig.AnchorX), quint16(10));
    QCOMPARE(quint16(tConfig.AnchorY), quint16(20));
    QCOMPARE(quint16(tConfig.GroupNumber), quint16(3));
    QCOMPARE(qint16(tConfig.GroupAngle), qint16(-10));
    QCOMPARE(quint16(tConfig.GroupAnchorX), quint16(40));
    QCOMPARE(quint16(tConfig.GroupAnchorY), quint16(50));
    QCOMPARE(quint16(tConfig.PcbVersion), quint16(7));
    QCOMPARE(quint8(tConfig.FpgaVersion), quint8(0x32));
    QCOMPARE(quint8(tConfig.FpgaMinor), quint8(4));
    QCOMPARE(quint8(tConfig.NiosMajor), quint8(1));
    QCOMPARE(quint8(tConfig.NiosMinor), quint8(9));
    QCOMPARE(quint32(tConfig.LuminosityReg), 0x001003FFu);
    QCOMPARE(quint16(tConfig.LuminosityGlobal), quint16(80));
    QCOMPARE(quint8(tConfig.tiles[0].width), quint8(16));
    QCOMPARE(quint8(tConfig.tiles[0].height), quint8(8));
    QCOMPARE(quint8(tConfig.tiles[1].offsetX), quint8(16));
    QCOMPARE(quint8(tConfig.tiles[1].offsetY), quint8(0));
    QCOMPARE(quint16(tConfig.sensors[0].type), quint16(1));
    QCOMPARE(float(tConfig.sensors[0].VInMax), 5.0f);
    QCOMPARE(float(tConfig.sensors[0].VInMin), 0.0f);
    QCOMPARE(float(tConfig.sensors[0].SensorMax), 100.0f);
    QCOMPARE(float(tConfig.sensors[0].SensorMin), -40.0f);
    QCOMPARE(quint16(tConfig.sensors[1].type), quint16(2));
    QCOMPARE(float(tConfig.sensors[1].VInMax), 1.0f);
    QCOMPARE(quint16(tConfig.sensors[3].type), quint16(3));
    QCOMPARE(float(tConfig.sensors[3].VInMin), 1.0f);
    QCOMPARE(quint8(tSasu.BlackoutMode), quint8(1));
    QCOMPARE(qint8(tSasu.BlackoutTempOn), qint8(45));
    QCOMPARE(qint8(tSasu.BlackoutTempOff), qint8(40));
    QCOMPARE(quint8(tSasu.FanMonitoringMode), quint8(1));
    QCOMPARE(qint8(tSasu.FanTempOn), qint8(35));
    QCOMPARE(qint8(tSasu.FanTempOff), qint8(30));
}

void TestVpuRecords::decodeSensorValuesReply()
{
    // FIXT_GET_SENSOR_VALUES_RSP: the record first, the status last.
    const QByteArray baReply = Hex("01 00 00 00 00 c8 41"
                                   "02 00 01 00 00 80 bf"
                                   "00 00 00 00 00 00 00"
                                   "03 00 00 00 00 c8 42"
                                   "f6 ff ff ff");
    SensorValues_t tValues;
    QVERIFY(DecodeRecord(baReply, 0, &tValues));
    qint32 iStatus = 0;
    QVERIFY(DecodeRecord(baReply, 28, &iStatus));
    QCOMPARE(iStatus, -10);
    QCOMPARE(quint16(tValues.Sensor[0].Type), quint16(1));
    QCOMPARE(quint8(tValues.Sensor[0].Status), quint8(0));
    QCOMPARE(float(tValues.Sensor[0].Value), 25.0f);
    QCOMPARE(quint8(tValues.Sensor[1].Status), quint8(1));
    QCOMPARE(float(tValues.Sensor[1].Value), -1.0f);
    QCOMPARE(quint16(tValues.Sensor[3].Type), quint16(3));
    QCOMPARE(float(tValues.Sensor[3].Value), 100.0f);
}

void TestVpuRecords::decodeSmallRecords()
{
    I2cRegister_t tI2c;
    QVERIFY(DecodeRecord(Hex("01 50 10 ff 7f"), 0, &tI2c));
    QCOMPARE(quint8(tI2c.Link), quint8(1));
    QCOMPARE(quint8(tI2c.ChipAddress), quint8(0x50));
    QCOMPARE(quint8(tI2c.SubAddress), quint8(0x10));
    QCOMPARE(quint8(tI2c.Mask), quint8(0xFF));
    QCOMPARE(quint8(tI2c.Value), quint8(0x7F));

    SdramRect_t tRect;
    QVERIFY(DecodeRecord(Hex("0a 00 14 00 40 00 20 00"), 0, &tRect));
    QCOMPARE(quint16(tRect.X), quint16(10));
    QCOMPARE(quint16(tRect.Y), quint16(20));
    QCOMPARE(quint16(tRect.Width), quint16(64));
    QCOMPARE(quint16(tRect.Height), quint16(32));

    Color_t tColor;
    QVERIFY(DecodeRecord(Hex("ff 80 00"), 0, &tColor));
    QCOMPARE(quint8(tColor.red), quint8(255));
    QCOMPARE(quint8(tColor.green), quint8(128));
    QCOMPARE(quint8(tColor.blue), quint8(0));

    FixtureMemReq_t tReq;
    QVERIFY(DecodeRecord(Hex("01 03 00 00 00 00 10 00 00 00 04 00 00"), 0, &tReq));
    QCOMPARE(quint8(tReq.Addr.output), quint8(1));
    QCOMPARE(quint32(tReq.Addr.number), 3u);
    QCOMPARE(quint32(tReq.Offset), 0x1000u);
    QCOMPARE(quint32(tReq.Size), 0x400u);

    SasuConfig_t tSasu;
    QVERIFY(DecodeRecord(Hex("00 f6 ec 02 05 00"), 0, &tSasu));
    QCOMPARE(qint8(tSasu.BlackoutTempOn), qint8(-10));
    QCOMPARE(qint8(tSasu.BlackoutTempOff), qint8(-20));
}

void TestVpuRecords::decodeRefusesShortBuffer()
{
    VpuConfig_t tConfig;
    std::memset(&tConfig, 0xAB, sizeof(tConfig));
    QVERIFY(!DecodeRecord(QByteArray(23, 0), 4, &tConfig));
    QVERIFY(!DecodeRecord(QByteArray(40, 0), -1, &tConfig));
    QCOMPARE(quint32(tConfig.Type), 0xABABABABu);
}

void TestVpuRecords::messageNames()
{
    QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_GET_CONFIG)), QByteArray("GET_CONFIG"));
    QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_GET_CONFIG_RSP)), QByteArray("GET_CONFIG"));
    QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_STATUS_RSP)), QByteArray("STATUS"));
    QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_DATA_RSP)), QByteArray("DATA"));
    QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_FIXT_WRITE_MEM)), QByteArray("FIXT_WRITE_MEM"));
    QCOMPARE(QByteArray(VpuMsgName(61)), QByteArray("UNKNOWN"));
}

void TestVpuRecords::sendMsgWritesHeaderThenPayload()
{
    MemCom tCom;
    quint32 uiTimeout = 100;
    const QByteArray baPayload = Hex("00 00 00 00 01 00 00 00");
    QCOMPARE(tCom.SendMsg(VpuMsgHeader_t{VPU_MSG_MCU_FLASH_PROGRAM, 8},
                          reinterpret_cast<const quint8 *>(baPayload.constData()), &uiTimeout),
             0);
    QCOMPARE(tCom.SendMsg(VpuMsgHeader_t{VPU_MSG_FIXT_ENUMERATE, 0}, nullptr, &uiTimeout), 0);
    QCOMPARE(tCom.Written().toHex(' '), QByteArray("04 08 00 00 00 00 00 00 00 01 00 00 00 27 00 00 00 00"));
}

void TestVpuRecords::waitMsgWrongIdReadsNothingMore()
{
    MemCom tCom(Hex("01 04 00 00 00 00 00 00 00"));
    quint8 *pucPayload = reinterpret_cast<quint8 *>(&tCom); // must come back null
    quint32 uiTimeout = 100;
    QCOMPARE(tCom.WaitMsg(VpuMsgHeader_t{VPU_MSG_GET_CONFIG_RSP, 24}, &pucPayload, &uiTimeout), -203);
    QCOMPARE(pucPayload, nullptr);
    QCOMPARE(tCom.Consumed(), qsizetype(5));
}

void TestVpuRecords::waitMsgWrongLengthReadsNothingMore()
{
    MemCom tCom(Hex("09 14 00 00 00") + QByteArray(20, 0));
    QByteArray baPayload("stale");
    quint32 uiTimeout = 100;
    QCOMPARE(tCom.WaitMsg(VpuMsgHeader_t{VPU_MSG_GET_CONFIG_RSP, 24}, &baPayload, &uiTimeout), -204);
    QVERIFY(baPayload.isEmpty());
    QCOMPARE(tCom.Consumed(), qsizetype(5));
}

void TestVpuRecords::waitMsgShortPayloadFails()
{
    MemCom tCom(Hex("09 18 00 00 00 00 00 00 00 01 02"));
    quint8 *pucPayload = nullptr;
    quint32 uiTimeout = 100;
    QCOMPARE(tCom.WaitMsg(VpuMsgHeader_t{VPU_MSG_GET_CONFIG_RSP, 24}, &pucPayload, &uiTimeout), -202);
    QCOMPARE(pucPayload, nullptr);
}

void TestVpuRecords::waitStatusGivesSignedStatus()
{
    MemCom tCom(Hex("01 04 00 00 00 38 ff ff ff"));
    int iVpuStatus = 0;
    quint32 uiTimeout = 100;
    QCOMPARE(tCom.WaitStatus(&iVpuStatus, &uiTimeout), 0);
    QCOMPARE(iVpuStatus, -200);
}

void TestVpuRecords::exchangeTypedOverMemory()
{
    MemCom tCom(Hex("30 0a 00 00 00 00 00 00 00 01 d8 dc 01 e2 e7"));
    QByteArray baReply;
    quint32 uiTimeout = 100;
    const QByteArray baAddr = Hex("01 02 00 00 00");
    QCOMPARE(tCom.ExchangeTyped(VpuMsgHeader_t{VPU_MSG_SASU_GET_CONFIG, 5},
                                reinterpret_cast<const quint8 *>(baAddr.constData()), VPU_MSG_SASU_GET_CONFIG_RSP, 10,
                                &baReply, &uiTimeout),
             0);
    QCOMPARE(tCom.Written().toHex(' '), QByteArray("2f 05 00 00 00 01 02 00 00 00"));
    SasuConfig_t tSasu;
    QVERIFY(DecodeRecord(baReply, 4, &tSasu));
    QCOMPARE(qint8(tSasu.BlackoutTempOn), qint8(-40));
    QCOMPARE(qint8(tSasu.FanTempOff), qint8(-25));
}

QTEST_GUILESS_MAIN(TestVpuRecords)
#include "tst_vpurecords.moc"
