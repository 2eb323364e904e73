// The message framing against the simulated VPU over loopback TCP: bytes on the wire both
// ways, and every way a reply can go wrong. The bulk and chunked patterns on the wire are
// checked through the link's worker in tst_vpucomtransfer.

#include "comm/netcom.h"
#include "comm/vpumsg.h"
#include "support/testenv.h"
#include "support/vpusim.h"

#include <QElapsedTimer>
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

const quint8 *Bytes(const QByteArray &ba)
{
    return reinterpret_cast<const quint8 *>(ba.constData());
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

    void statusExchangeOnTheWire_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("vpuStatus");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("set video settings")
            << 10 << Hex("02 01 00 10 00 20 00 80 07 38 04") << 0
            << Hex("0a 0b 00 00 00 02 01 00 10 00 20 00 80 07 38 04") << Hex("01 04 00 00 00 00 00 00 00");
        QTest::newRow("vpu error passed on")
            << 13 << Hex("03 80 80 80 00") << -7 << Hex("0d 05 00 00 00 03 80 80 80 00")
            << Hex("01 04 00 00 00 f9 ff ff ff");
        QTest::newRow("no payload") << 39 << QByteArray() << 0 << Hex("27 00 00 00 00")
                                    << Hex("01 04 00 00 00 00 00 00 00");
    }
    void statusExchangeOnTheWire()
    {
        QFETCH(int, id);
        QFETCH(QByteArray, payload);
        QFETCH(int, vpuStatus);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        VpuSimFault tFault;
        tFault.iStatus = vpuStatus;
        SetFault(quint8(id), tFault);
        int iVpuStatus = 12345;
        quint32 uiTimeout = 5000;
        QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{quint8(id), quint32(payload.size())}, Bytes(payload),
                                        &iVpuStatus, &uiTimeout),
                 0);
        QCOMPARE(iVpuStatus, vpuStatus);
        QCOMPARE(m_pSim->Model().Requests(), QList<QByteArray>{request});
        QCOMPARE(m_pSim->Model().Replies(), QList<QByteArray>{reply});
        QVERIFY(uiTimeout <= 5000);
        QVERIFY(m_pSim->Model().Violations().isEmpty());
    }

    // The reply arrives whole, or one byte at a time.
    void typedReplyOnTheWire_data()
    {
        QTest::addColumn<bool>("oneByteAtATime");
        QTest::newRow("whole") << false;
        QTest::newRow("one byte at a time") << true;
    }
    void typedReplyOnTheWire()
    {
        QFETCH(bool, oneByteAtATime);
        VpuSimFault tFault;
        tFault.bOneByteAtATime = oneByteAtATime;
        SetFault(VPU_MSG_GET_CONFIG, tFault);
        QByteArray baReply;
        quint32 uiTimeout = 5000;
        QCOMPARE(GetConfig(&baReply, &uiTimeout), 0);
        QCOMPARE(baReply.toHex(' '), kConfigRecord);
        QCOMPARE(m_pSim->Model().Replies().value(0).toHex(' '), "09 18 00 00 00 " + kConfigRecord);
    }

    void chunkedReadStopsAtChunkError()
    {
        VpuSimFault tFault;
        tFault.iStatus = -3;
        SetFault(VPU_MSG_FIXT_READ_MEM, tFault);
        const QByteArray baParams = Hex("01 05 00 00 00 00 00 00 00 a0 0f 00 00");
        QByteArray baOut(4000, 0);
        int iVpuStatus = 0;
        quint32 uiTimeout = 5000;
        QCOMPARE(m_pCom->ExchangeChunkedRead(VpuMsgHeader_t{VPU_MSG_FIXT_READ_MEM, 13}, Bytes(baParams),
                                             reinterpret_cast<quint8 *>(baOut.data()), 4000, &iVpuStatus, &uiTimeout),
                 0);
        QCOMPARE(iVpuStatus, -3);
        QCOMPARE(m_pSim->Model().Replies().size(), 1);
        QCOMPARE(baOut, QByteArray(4000, 0)); // a failed chunk's bytes are not taken
    }

    void silentPeerTimesOutWithinBudget()
    {
        VpuSimFault tFault;
        tFault.bSilent = true;
        SetFault(VPU_MSG_STATUS, tFault);
        int iVpuStatus = 0;
        quint32 uiTimeout = 300;
        QElapsedTimer tTimer;
        tTimer.start();
        QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), -202);
        const qint64 llElapsed = tTimer.elapsed();
        QVERIFY2(llElapsed >= 250 && llElapsed < 3000, qPrintable(QString::number(llElapsed)));
        QCOMPARE(uiTimeout, 0u);
    }

    void budgetIsSharedAcrossTransfers()
    {
        // Each reply piece is late by less than the budget, but together they overrun it.
        VpuSimFault tFault;
        tFault.iDelayMs = 250;
        SetFault(VPU_MSG_SET_GAMMA, tFault);
        SetFault(VPU_MSG_SHOW_FIXT_NUM, tFault);
        const QByteArray baGamma = Hex("00 28 00 28 00 28 00");
        int iVpuStatus = 0;
        quint32 uiTimeout = 400;
        QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_SET_GAMMA, 7}, Bytes(baGamma), &iVpuStatus, &uiTimeout),
                 0);
        QVERIFY2(uiTimeout < 200, qPrintable(QString::number(uiTimeout)));
        QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_SHOW_FIXT_NUM, 0}, nullptr, &iVpuStatus, &uiTimeout),
                 -202);
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
        int iVpuStatus = 0;
        quint32 uiTimeout = 5000;
        QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), -3);
        const QByteArray baBlock(65536, 'x');
        int iStatus = 0;
        for (int i = 0; i < 50 && iStatus == 0; ++i) {
            uiTimeout = 2000;
            iStatus = m_pCom->Write(quint32(baBlock.size()), Bytes(baBlock), &uiTimeout);
        }
        std::signal(SIGPIPE, pfnOld);
        QCOMPARE(iStatus, -3);
    }
};

QTEST_GUILESS_MAIN(TestVpuFraming)
#include "tst_vpuframing.moc"
