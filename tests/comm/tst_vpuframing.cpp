// The message framing: against the simulated VPU over loopback TCP, the ways a reply can go
// wrong on the wire; on an in-memory transport, refusals where every byte is chosen; and
// the record a reply decodes into, at the offsets of the protocol table.

#include "comm/netcom.h"
#include "comm/vpumsg.h"
#include "comm/vpurecords.h"
#include "recordfields.h"
#include "support/memcom.h"
#include "support/testenv.h"
#include "support/vpusim.h"

#include <QtTest>
#include <csignal>
#include <memory>

namespace {
const char *const SIM_ADDRESS = "127.0.0.22";
const QByteArray kConfigRecord("00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00");

QByteArray Hex(const char *pcHex)
{
    return QByteArray::fromHex(QByteArray(pcHex).replace(' ', ""));
}
} // namespace

class TestVpuFraming : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<VpuSimulator> m_pSim;
    std::unique_ptr<CNetCom> m_pCom;

    void SetFault(quint8 ucId, const VpuSimFault &tFault) { m_pSim->Model().SetFault(ucId, tFault); }
    // GET_CONFIG and its typed reply of 24 bytes.
    int GetConfig(QByteArray *pbaReply, quint32 *puiTimeout)
    {
        return m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24,
                                     pbaReply, puiTimeout);
    }
    int Status(quint8 ucId, quint32 *puiTimeout)
    {
        int iVpuStatus = 0;
        const QByteArray baPayload(VpuSimModel::RequestLength(ucId), 0);
        return m_pCom->ExchangeStatus(VpuMsgHeader_t{ucId, quint32(baPayload.size())},
                                      reinterpret_cast<const quint8 *>(baPayload.constData()), &iVpuStatus, puiTimeout);
    }

private slots:
    void init()
    {
        m_pEnv = std::make_unique<TestEnv>();
        m_pSim = std::make_unique<VpuSimulator>(SIM_ADDRESS);
        QVERIFY(m_pSim->Start(0));
        m_pCom = std::make_unique<CNetCom>();
        QCOMPARE(m_pCom->Connect(SIM_ADDRESS, m_pSim->Port()), 0);
    }
    void cleanup()
    {
        m_pCom.reset();
        m_pSim.reset();
        m_pEnv.reset();
    }

    // A reply that trickles in one byte at a time is put together whole.
    void replyOneByteAtATime()
    {
        VpuSimFault tFault;
        tFault.bOneByteAtATime = true;
        SetFault(VPU_MSG_GET_CONFIG, tFault);
        QByteArray baReply;
        quint32 uiTimeout = 5000;
        QCOMPARE(GetConfig(&baReply, &uiTimeout), 0);
        QCOMPARE(baReply.toHex(' '), kConfigRecord);
    }

    void budgetIsSharedAcrossTransfers()
    {
        // Each reply is late by less than the budget, but together they overrun it.
        VpuSimFault tFault;
        tFault.iDelayMs = 250;
        SetFault(VPU_MSG_SET_GAMMA, tFault);
        SetFault(VPU_MSG_SHOW_FIXT_NUM, tFault);
        quint32 uiTimeout = 400;
        QCOMPARE(Status(VPU_MSG_SET_GAMMA, &uiTimeout), 0);
        QVERIFY2(uiTimeout < 200, qPrintable(QString::number(uiTimeout)));
        QCOMPARE(Status(VPU_MSG_SHOW_FIXT_NUM, &uiTimeout), -202);
        QCOMPARE(uiTimeout, 0u);
    }

    void peerClosingMidReplyFails()
    {
        VpuSimFault tFault;
        tFault.iCloseAfterBytes = 12; // header and 7 of the 24 payload bytes
        SetFault(VPU_MSG_GET_CONFIG, tFault);
        QByteArray baReply("x");
        quint32 uiTimeout = 5000;
        QCOMPARE(GetConfig(&baReply, &uiTimeout), -3);
        QVERIFY(baReply.isEmpty());
        QCOMPARE(uiTimeout, 0u);
    }

    void wrongReplyLeavesRestUnread_data()
    {
        QTest::addColumn<int>("replyId");
        QTest::addColumn<qlonglong>("replyLength");
        QTest::addColumn<int>("expected");
        QTest::newRow("status id instead of GET_CONFIG_RSP") << 1 << -1LL << -203;
        QTest::newRow("20 bytes announced instead of 24") << -1 << 20LL << -204;
    }
    void wrongReplyLeavesRestUnread()
    {
        QFETCH(int, replyId);
        QFETCH(qlonglong, replyLength);
        QFETCH(int, expected);
        VpuSimFault tFault;
        tFault.iReplyId = replyId;
        tFault.llReplyLength = replyLength;
        SetFault(VPU_MSG_GET_CONFIG, tFault);
        QByteArray baReply("stale");
        quint32 uiTimeout = 5000;
        QCOMPARE(GetConfig(&baReply, &uiTimeout), expected);
        QVERIFY(baReply.isEmpty());
        // Only the header was taken: the record's 24 bytes are still the next thing on the link.
        QByteArray baRest(24, 0);
        QCOMPARE(m_pCom->Read(24, reinterpret_cast<quint8 *>(baRest.data()), &uiTimeout), 0);
        QCOMPARE(baRest.toHex(' '), kConfigRecord);
    }

    void peerGoneDoesNotKillWithSigpipe()
    {
        // The default disposition: a send on a dead connection would end the process.
        const auto pfnOld = std::signal(SIGPIPE, SIG_DFL);
        VpuSimFault tFault;
        tFault.iCloseAfterBytes = 0;
        SetFault(VPU_MSG_STATUS, tFault);
        quint32 uiTimeout = 5000;
        QCOMPARE(Status(VPU_MSG_STATUS, &uiTimeout), -3);
        const QByteArray baBlock(65536, 'x');
        int iStatus = 0;
        for (int i = 0; i < 50 && iStatus == 0; ++i) {
            uiTimeout = 2000;
            iStatus = m_pCom->Write(quint32(baBlock.size()), reinterpret_cast<const quint8 *>(baBlock.constData()),
                                    &uiTimeout);
        }
        std::signal(SIGPIPE, pfnOld);
        QCOMPARE(iStatus, -3);
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
        QTest::newRow("longer than expected") << Hex("09 1c 00 00 00") + QByteArray(28, 0) << -204 << 5;
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

    // The fixture record, the one decoded with fields the requests never send, from a
    // FIXT_GET_CONFIG_RSP written by hand: status, FixtureConfig_t at 4, SasuConfig_t at 142.
    void fixtureConfigLayout()
    {
        const QByteArray baReply = Hex("00 00 00 00 00 00 00 00"             // status, 0 not interpreted
                                       "44 33 22 11 01 00 00 20 4c 54 00 00" // 4 serial, type, manufacturer
                                       "64 00 c8 00 04 02 1e 00 0a 00 14 00" // 16 pos, size, angle, anchor
                                       "03 00 f6 ff 28 00 32 00 00 00 07 00" // 28 group, angle, anchor; 38 PCB
                                       "32 04 01 09 ff 03 10 00 50 00"       // 40 FPGA, Nios, luminosity
                                       "10 08 00 00 10 08 10 00 00 00 00 00 00 00 00 00"       // 50 tiles
                                       "01 00 00 00 a0 40 00 00 00 00 00 00 c8 42 00 00 20 c2" // 66 sensor 0
                                       "02 00 00 00 80 3f 00 00 00 00 00 00 c8 42 00 00 00 00" // 84 sensor 1
                                       "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00" // 102 sensor 2
                                       "03 00 00 00 a0 40 00 00 80 3f 00 00 c8 42 00 00 00 00" // 120 sensor 3
                                       "01 2d 28 01 23 1e");                                   // SasuConfig_t
        FixtureConfig_t t;
        SasuConfig_t s;
        QVERIFY(DecodeRecord(baReply, 4, &t));
        QVERIFY(DecodeRecord(baReply, 142, &s));
        QVERIFY(!DecodeRecord(baReply, 143, &s));
        QCOMPARE(Fields(t.SerialNumber, t.Type, t.ManufacturerCode, t.PosX, t.PosY, t.SizeX, t.SizeY, t.Angle,
                        t.AnchorX, t.AnchorY, t.GroupNumber, t.GroupAngle, t.GroupAnchorX, t.GroupAnchorY),
                 Fields(0x11223344, 0x20000001, 0x544C, 100, 200, 4, 2, 30, 10, 20, 3, -10, 40, 50));
        QCOMPARE(Fields(t.PcbVersion, t.FpgaVersion, t.FpgaMinor, t.NiosMajor, t.NiosMinor, t.LuminosityReg,
                        t.LuminosityGlobal),
                 Fields(7, 0x32, 4, 1, 9, 0x001003FF, 80));
        QCOMPARE(Fields(t.tiles[0].width, t.tiles[0].height, t.tiles[1].offsetX, t.tiles[1].offsetY),
                 Fields(16, 8, 16, 0));
        QCOMPARE(Fields(t.sensors[0].type, t.sensors[0].VInMax, t.sensors[0].SensorMax, t.sensors[0].SensorMin,
                        t.sensors[1].VInMax, t.sensors[3].type, t.sensors[3].VInMin),
                 Fields(1, 5.0f, 100.0f, -40.0f, 1.0f, 3, 1.0f));
        QCOMPARE(
            Fields(s.BlackoutMode, s.BlackoutTempOn, s.BlackoutTempOff, s.FanMonitoringMode, s.FanTempOn, s.FanTempOff),
            Fields(1, 45, 40, 1, 35, 30));
    }
};

QTEST_GUILESS_MAIN(TestVpuFraming)
#include "tst_vpuframing.moc"
