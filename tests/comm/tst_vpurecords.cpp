// Wire records decoded from replies written by hand from the protocol tables, and the framing
// layer on an in-memory transport, where every byte of a reply is chosen.

#include "comm/vpumsg.h"
#include "comm/vpurecords.h"
#include "recordfields.h"
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
    void decodeVideoBlocks()
    {
        // VIDEO_PRESET_READ_RSP payload: status, u32, then settings, input and output blocks.
        const QByteArray baReply = Hex("00 00 00 00 02 00 00 00"
                                       "02 01 a6 10 00 20 00 80 07 38 04"               // settings
                                       "03 c8 80 7f 05"                                 // input correction
                                       "28 00 2d 00 32 00 01 64 19 00 02 01 02 ff 01"); // output
        VideoPreset_t t;
        QVERIFY(DecodeRecord(baReply, 8, &t));
        const VideoSettings_t &v = t.VideoSettings;
        QCOMPARE(Fields(v.Channel, v.ScalingEnabled, v.Rotation, v.OffsetX, v.OffsetY, v.Width, v.Height),
                 Fields(2, 1, -90, 16, 32, 1920, 1080));
        const InputCorr_t &i = t.InputCorr;
        QCOMPARE(Fields(i.source, i.brightness, i.contrast, i.saturation, i.hue), Fields(3, 200, 128, 127, 5));
        const OutputCorr_t &o = t.OutputCorr;
        QCOMPARE(
            Fields(o.gammaRed, o.gammaGreen, o.gammaBlue, o.whiteMode, o.colorTemp, o.coefRed, o.coefGreen, o.coefBlue),
            Fields(40, 45, 50, 1, 6500, 512, 513, 511));
        // And back: the record's bytes are the wire bytes.
        QByteArray baPayload;
        AppendRecord(baPayload, t);
        QCOMPARE(baPayload, baReply.mid(8));
    }

    void decodeFixtureConfigReply()
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
        FixtureConfig_t t;
        SasuConfig_t s;
        QVERIFY(DecodeRecord(baReply, 4, &t));
        QVERIFY(DecodeRecord(baReply, 142, &s));
        QCOMPARE(Fields(t.SerialNumber, t.Type, t.ManufacturerCode, t.PosX, t.PosY, t.SizeX, t.SizeY, t.Angle,
                        t.AnchorX, t.AnchorY, t.GroupNumber, t.GroupAngle, t.GroupAnchorX, t.GroupAnchorY),
                 Fields(0x11223344, 0x20000001, 0x544C, 100, 200, 4, 2, 30, 10, 20, 3, -10, 40, 50));
        QCOMPARE(Fields(t.PcbVersion, t.FpgaVersion, t.FpgaMinor, t.NiosMajor, t.NiosMinor, t.LuminosityReg,
                        t.LuminosityGlobal),
                 Fields(7, 0x32, 4, 1, 9, 0x001003FF, 80));
        QCOMPARE(Fields(t.tiles[0].width, t.tiles[0].height, t.tiles[1].offsetX, t.tiles[1].offsetY),
                 Fields(16, 8, 16, 0));
        QCOMPARE(Fields(t.sensors[0].type, t.sensors[0].VInMax, t.sensors[0].VInMin, t.sensors[0].SensorMax,
                        t.sensors[0].SensorMin, t.sensors[1].type, t.sensors[1].VInMax, t.sensors[3].type,
                        t.sensors[3].VInMin),
                 Fields(1, 5.0f, 0.0f, 100.0f, -40.0f, 2, 1.0f, 3, 1.0f));
        QCOMPARE(
            Fields(s.BlackoutMode, s.BlackoutTempOn, s.BlackoutTempOff, s.FanMonitoringMode, s.FanTempOn, s.FanTempOff),
            Fields(1, 45, 40, 1, 35, 30));
    }

    void decodeSensorValuesReply()
    {
        // FIXT_GET_SENSOR_VALUES_RSP: the record first, the status last.
        const QByteArray baReply = Hex("01 00 00 00 00 c8 41"
                                       "02 00 01 00 00 80 bf"
                                       "00 00 00 00 00 00 00"
                                       "03 00 00 00 00 c8 42"
                                       "f6 ff ff ff");
        SensorValues_t t;
        QVERIFY(DecodeRecord(baReply, 0, &t));
        qint32 iStatus = 0;
        QVERIFY(DecodeRecord(baReply, 28, &iStatus));
        QCOMPARE(iStatus, -10);
        QCOMPARE(Fields(t.Sensor[0].Type, t.Sensor[0].Status, t.Sensor[0].Value, t.Sensor[1].Status, t.Sensor[1].Value,
                        t.Sensor[3].Type, t.Sensor[3].Value),
                 Fields(1, 0, 25.0f, 1, -1.0f, 3, 100.0f));
    }

    void decodeSmallRecords()
    {
        I2cRegister_t i;
        QVERIFY(DecodeRecord(Hex("01 50 10 ff 7f"), 0, &i));
        QCOMPARE(Fields(i.Link, i.ChipAddress, i.SubAddress, i.Mask, i.Value), Fields(1, 0x50, 0x10, 0xFF, 0x7F));
        SdramRect_t r;
        QVERIFY(DecodeRecord(Hex("0a 00 14 00 40 00 20 00"), 0, &r));
        QCOMPARE(Fields(r.X, r.Y, r.Width, r.Height), Fields(10, 20, 64, 32));
        Color_t c;
        QVERIFY(DecodeRecord(Hex("ff 80 00"), 0, &c));
        QCOMPARE(Fields(c.red, c.green, c.blue), Fields(255, 128, 0));
        FixtureMemReq_t m;
        QVERIFY(DecodeRecord(Hex("01 03 00 00 00 00 10 00 00 00 04 00 00"), 0, &m));
        QCOMPARE(Fields(m.Addr.output, m.Addr.number, m.Offset, m.Size), Fields(1, 3, 0x1000, 0x400));
        SasuConfig_t s;
        QVERIFY(DecodeRecord(Hex("00 f6 ec 02 05 00"), 0, &s));
        QCOMPARE(Fields(s.BlackoutTempOn, s.BlackoutTempOff), Fields(-10, -20));
    }

    void decodeRefusesShortBuffer()
    {
        VpuConfig_t tConfig;
        std::memset(&tConfig, 0xAB, sizeof(tConfig));
        QVERIFY(!DecodeRecord(QByteArray(23, 0), 4, &tConfig));
        QVERIFY(!DecodeRecord(QByteArray(40, 0), -1, &tConfig));
        QCOMPARE(quint32(tConfig.Type), 0xABABABABu);
    }

    void messageNames()
    {
        QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_GET_CONFIG_RSP)), QByteArray("GET_CONFIG"));
        QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_STATUS_RSP)), QByteArray("STATUS"));
        QCOMPARE(QByteArray(VpuMsgName(VPU_MSG_DATA_RSP)), QByteArray("DATA"));
        QCOMPARE(QByteArray(VpuMsgName(61)), QByteArray("UNKNOWN"));
    }

    // A reply that is not the one expected: the payload pointer comes back null, and past a
    // wrong header nothing more is read.
    void waitMsgRefusals_data()
    {
        QTest::addColumn<QByteArray>("incoming");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("consumed"); // -1: not looked at
        QTest::newRow("wrong id") << Hex("01 04 00 00 00 00 00 00 00") << -203 << 5;
        QTest::newRow("wrong length") << Hex("09 14 00 00 00") + QByteArray(20, 0) << -204 << 5;
        QTest::newRow("short payload") << Hex("09 18 00 00 00 00 00 00 00 01 02") << -202 << -1;
    }
    void waitMsgRefusals()
    {
        QFETCH(QByteArray, incoming);
        QFETCH(int, result);
        QFETCH(int, consumed);
        MemCom tCom(incoming);
        quint8 *pucPayload = reinterpret_cast<quint8 *>(&tCom); // must come back null
        quint32 uiTimeout = 100;
        QCOMPARE(tCom.WaitMsg(VpuMsgHeader_t{VPU_MSG_GET_CONFIG_RSP, 24}, &pucPayload, &uiTimeout), result);
        QCOMPARE(pucPayload, nullptr);
        if (consumed >= 0)
            QCOMPARE(tCom.Consumed(), qsizetype(consumed));
    }
};

QTEST_GUILESS_MAIN(TestVpuRecords)
#include "tst_vpurecords.moc"
