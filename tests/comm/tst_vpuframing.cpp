// The message framing and the four exchange patterns against the simulated VPU over
// loopback TCP: bytes on the wire both ways, and every way a reply can go wrong.

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

QByteArray Hex(const char *pcHex)
{
    return QByteArray::fromHex(QByteArray(pcHex).replace(' ', ""));
}

QByteArray Pattern(int iSize, int iSeed)
{
    QByteArray ba(iSize, 0);
    for (int i = 0; i < iSize; ++i)
        ba[i] = char((i * 7 + iSeed) & 0xFF);
    return ba;
}

const quint8 *Bytes(const QByteArray &ba)
{
    return reinterpret_cast<const quint8 *>(ba.constData());
}
} // namespace

class TestVpuFraming : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void statusExchangeOnTheWire_data();
    void statusExchangeOnTheWire();
    void emptyRequestIsFiveBytes();
    void typedReplyOnTheWire();
    void bulkWriteCutsDataInBlocks();
    void bulkWriteStopsAtFirstVpuError();
    void chunkedReadExpectsChunkLengths();
    void chunkedReadStopsAtChunkError();
    void initComSequence();
    void silentPeerTimesOutWithinBudget();
    void budgetIsSharedAcrossTransfers();
    void peerClosingMidReplyFails();
    void wrongReplyIdLeavesRestUnread();
    void wrongReplyLengthLeavesRestUnread();
    void replyOneByteAtATimeIsReadWhole();
    void peerGoneDoesNotKillWithSigpipe();

private:
    std::unique_ptr<VpuSimulator> m_pSim;
    std::unique_ptr<CNetCom> m_pCom;
    TestEnv *m_pEnv = nullptr;
};

void TestVpuFraming::init()
{
    m_pEnv = new TestEnv;
    m_pSim = std::make_unique<VpuSimulator>(SIM_ADDRESS);
    QVERIFY(m_pSim->Start(0));
    m_pCom = std::make_unique<CNetCom>();
    QCOMPARE(m_pCom->Connect(SIM_ADDRESS, m_pSim->Port()), 0);
}

void TestVpuFraming::cleanup()
{
    m_pCom.reset();
    m_pSim.reset();
    delete m_pEnv;
    m_pEnv = nullptr;
}

void TestVpuFraming::statusExchangeOnTheWire_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("vpuStatus");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("set video settings") << 10 << Hex("02 01 00 10 00 20 00 80 07 38 04") << 0
                                        << Hex("0a 0b 00 00 00 02 01 00 10 00 20 00 80 07 38 04")
                                        << Hex("01 04 00 00 00 00 00 00 00");
    QTest::newRow("vpu error passed on") << 13 << Hex("03 80 80 80 00") << -7 << Hex("0d 05 00 00 00 03 80 80 80 00")
                                         << Hex("01 04 00 00 00 f9 ff ff ff");
    QTest::newRow("no payload") << 39 << QByteArray() << 0 << Hex("27 00 00 00 00")
                                << Hex("01 04 00 00 00 00 00 00 00");
}

void TestVpuFraming::statusExchangeOnTheWire()
{
    QFETCH(int, id);
    QFETCH(QByteArray, payload);
    QFETCH(int, vpuStatus);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);

    VpuSimFault tFault;
    tFault.iStatus = vpuStatus;
    m_pSim->Model().SetFault(quint8(id), tFault);

    int iVpuStatus = 12345;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{quint8(id), quint32(payload.size())}, Bytes(payload), &iVpuStatus,
                                    &uiTimeout),
             0);
    QCOMPARE(iVpuStatus, vpuStatus);
    QCOMPARE(m_pSim->Model().Requests(), QList<QByteArray>{request});
    QCOMPARE(m_pSim->Model().Replies(), QList<QByteArray>{reply});
    QVERIFY(uiTimeout <= 5000);
    QVERIFY(m_pSim->Model().Violations().isEmpty());
}

void TestVpuFraming::emptyRequestIsFiveBytes()
{
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, &uiTimeout), 0);
    QVERIFY(m_pSim->Model().WaitForRequests(1, 5000));
    QCOMPARE(m_pSim->Model().Requests().value(0).toHex(' '), QByteArray("08 00 00 00 00"));
}

void TestVpuFraming::typedReplyOnTheWire()
{
    QByteArray baReply;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24, &baReply,
                                   &uiTimeout),
             0);
    QCOMPARE(baReply.toHex(' '), QByteArray("00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00"));
    QCOMPARE(m_pSim->Model().Replies().value(0).toHex(' '),
             QByteArray("09 18 00 00 00 00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00"));
    VpuConfig_t tConfig;
    QVERIFY(DecodeRecord(baReply, 4, &tConfig));
    QCOMPARE(quint8(tConfig.SoftMinor), quint8(6));
    QCOMPARE(quint32(tConfig.Type), 0x10000020u);
    QCOMPARE(quint32(tConfig.SerialNumber), 0x12345678u);
}

void TestVpuFraming::bulkWriteCutsDataInBlocks()
{
    const QByteArray baData = Pattern(4000, 3);
    const QByteArray baParams = Hex("00 00 01 00 a0 0f 00 00 01"); // offset 0x10000, size 4000, flag 1
    int iVpuStatus = -1;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeBulkWrite(VpuMsgHeader_t{VPU_MSG_FLASH_WRITE, 9}, Bytes(baParams), Bytes(baData),
                                       quint32(baData.size()), &iVpuStatus, &uiTimeout),
             0);
    QCOMPARE(iVpuStatus, 0);
    const QList<QByteArray> tRequests = m_pSim->Model().Requests();
    QCOMPARE(tRequests.size(), 4);
    QCOMPARE(tRequests[0].toHex(' '), QByteArray("16 09 00 00 00 00 00 01 00 a0 0f 00 00 01"));
    QCOMPARE(tRequests[1], baData.mid(0, 1920));
    QCOMPARE(tRequests[2], baData.mid(1920, 1920));
    QCOMPARE(tRequests[3], baData.mid(3840, 160));
    QCOMPARE(m_pSim->Model().Replies(), QList<QByteArray>(3, Hex("01 04 00 00 00 00 00 00 00")));
    QCOMPARE(m_pSim->Model().Flash(0x10000, 4000), baData);
}

void TestVpuFraming::bulkWriteStopsAtFirstVpuError()
{
    VpuSimFault tFault;
    tFault.iStatus = -12;
    m_pSim->Model().SetFault(VPU_MSG_FIXT_WRITE_MEM, tFault);
    const QByteArray baData = Pattern(3000, 1);
    const QByteArray baParams = Hex("01 02 00 00 00 00 00 00 00 b8 0b 00 00");
    int iVpuStatus = 0;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeBulkWrite(VpuMsgHeader_t{VPU_MSG_FIXT_WRITE_MEM, 13}, Bytes(baParams), Bytes(baData),
                                       quint32(baData.size()), &iVpuStatus, &uiTimeout),
             0);
    QCOMPARE(iVpuStatus, -12);
    QCOMPARE(m_pSim->Model().Requests().size(), 2); // header + parameters, one block
    QCOMPARE(m_pSim->Model().Replies(), QList<QByteArray>{Hex("01 04 00 00 00 f4 ff ff ff")});
}

void TestVpuFraming::chunkedReadExpectsChunkLengths()
{
    const QByteArray baData = Pattern(4000, 9);
    m_pSim->Model().SetFlash(0x200, baData);
    const QByteArray baParams = Hex("00 02 00 00 a0 0f 00 00 00");
    QByteArray baOut(4000, 0);
    int iVpuStatus = -1;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeChunkedRead(VpuMsgHeader_t{VPU_MSG_FLASH_READ, 9}, Bytes(baParams),
                                         reinterpret_cast<quint8 *>(baOut.data()), 4000, &iVpuStatus, &uiTimeout),
             0);
    QCOMPARE(iVpuStatus, 0);
    QCOMPARE(baOut, baData);
    QCOMPARE(m_pSim->Model().Requests(), QList<QByteArray>{Hex("15 09 00 00 00 00 02 00 00 a0 0f 00 00 00")});
    const QList<QByteArray> tReplies = m_pSim->Model().Replies();
    QCOMPARE(tReplies.size(), 3);
    QCOMPARE(tReplies[0].left(9).toHex(' '), QByteArray("06 80 07 00 00 00 00 00 00")); // 1920
    QCOMPARE(tReplies[1].left(5).toHex(' '), QByteArray("06 80 07 00 00"));
    QCOMPARE(tReplies[2].left(5).toHex(' '), QByteArray("06 ac 00 00 00")); // 4 + 4000 - 2 x 1916
}

void TestVpuFraming::chunkedReadStopsAtChunkError()
{
    VpuSimFault tFault;
    tFault.iStatus = -3;
    m_pSim->Model().SetFault(VPU_MSG_FIXT_READ_MEM, tFault);
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

void TestVpuFraming::initComSequence()
{
    const QByteArray baInit = Hex("03 05 00 00 00");
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_INIT_COM, 5}, Bytes(baInit), &uiTimeout), 0);
    QCOMPARE(m_pCom->Write(5, Bytes(baInit), &uiTimeout), 0);
    for (int i = 0; i < 3; ++i) {
        quint8 aucPiece[5] = {};
        QCOMPARE(m_pCom->Read(5, aucPiece, &uiTimeout), 0);
    }
    QCOMPARE(m_pSim->Model().Requests(), (QList<QByteArray>{Hex("03 05 00 00 00 03 05 00 00 00"), baInit}));
    QCOMPARE(m_pSim->Model().Replies(), QList<QByteArray>(3, baInit));
}

void TestVpuFraming::silentPeerTimesOutWithinBudget()
{
    VpuSimFault tFault;
    tFault.bSilent = true;
    m_pSim->Model().SetFault(VPU_MSG_STATUS, tFault);
    int iVpuStatus = 0;
    quint32 uiTimeout = 300;
    QElapsedTimer tTimer;
    tTimer.start();
    QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), -202);
    const qint64 llElapsed = tTimer.elapsed();
    QVERIFY2(llElapsed >= 250 && llElapsed < 3000, qPrintable(QString::number(llElapsed)));
    QCOMPARE(uiTimeout, 0u);
}

void TestVpuFraming::budgetIsSharedAcrossTransfers()
{
    // Each reply piece is late by less than the budget, but together they overrun it.
    VpuSimFault tFault;
    tFault.iDelayMs = 250;
    m_pSim->Model().SetFault(VPU_MSG_SET_GAMMA, tFault);
    m_pSim->Model().SetFault(VPU_MSG_SHOW_FIXT_NUM, tFault);
    const QByteArray baGamma = Hex("00 28 00 28 00 28 00");
    int iVpuStatus = 0;
    quint32 uiTimeout = 400;
    QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_SET_GAMMA, 7}, Bytes(baGamma), &iVpuStatus, &uiTimeout), 0);
    QVERIFY2(uiTimeout < 200, qPrintable(QString::number(uiTimeout)));
    QCOMPARE(m_pCom->ExchangeStatus(VpuMsgHeader_t{VPU_MSG_SHOW_FIXT_NUM, 0}, nullptr, &iVpuStatus, &uiTimeout), -202);
    QCOMPARE(uiTimeout, 0u);
}

void TestVpuFraming::peerClosingMidReplyFails()
{
    VpuSimFault tFault;
    tFault.iCloseAfterBytes = 12; // header and 7 of the 24 payload bytes
    m_pSim->Model().SetFault(VPU_MSG_GET_CONFIG, tFault);
    QByteArray baReply("x");
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24, &baReply,
                                   &uiTimeout),
             -3);
    QVERIFY(baReply.isEmpty());
    QCOMPARE(uiTimeout, 0u);
}

void TestVpuFraming::wrongReplyIdLeavesRestUnread()
{
    VpuSimFault tFault;
    tFault.iReplyId = 1;
    m_pSim->Model().SetFault(VPU_MSG_GET_CONFIG, tFault);
    QByteArray baReply;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24, &baReply,
                                   &uiTimeout),
             -203);
    QVERIFY(baReply.isEmpty());
    // Only the header was taken: the record's 24 bytes are still the next thing on the link.
    QByteArray baRest(24, 0);
    QCOMPARE(m_pCom->Read(24, reinterpret_cast<quint8 *>(baRest.data()), &uiTimeout), 0);
    QCOMPARE(baRest.toHex(' '), QByteArray("00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00"));
}

void TestVpuFraming::wrongReplyLengthLeavesRestUnread()
{
    VpuSimFault tFault;
    tFault.llReplyLength = 20;
    m_pSim->Model().SetFault(VPU_MSG_GET_CONFIG, tFault);
    QByteArray baReply;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24, &baReply,
                                   &uiTimeout),
             -204);
    QVERIFY(baReply.isEmpty());
    QByteArray baRest(24, 0);
    QCOMPARE(m_pCom->Read(24, reinterpret_cast<quint8 *>(baRest.data()), &uiTimeout), 0);
    QCOMPARE(baRest.left(8).toHex(' '), QByteArray("00 00 00 00 01 02 03 04"));
}

void TestVpuFraming::replyOneByteAtATimeIsReadWhole()
{
    VpuSimFault tFault;
    tFault.bOneByteAtATime = true;
    m_pSim->Model().SetFault(VPU_MSG_GET_CONFIG, tFault);
    QByteArray baReply;
    quint32 uiTimeout = 5000;
    QCOMPARE(m_pCom->ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24, &baReply,
                                   &uiTimeout),
             0);
    QCOMPARE(baReply.toHex(' '), QByteArray("00 00 00 00 01 02 03 04 05 06 00 00 20 00 00 10 78 56 34 12 4c 54 00 00"));
}

void TestVpuFraming::peerGoneDoesNotKillWithSigpipe()
{
    // The default disposition: a send on a dead connection would end the process.
    const auto pfnOld = std::signal(SIGPIPE, SIG_DFL);
    VpuSimFault tFault;
    tFault.iCloseAfterBytes = 0;
    m_pSim->Model().SetFault(VPU_MSG_STATUS, tFault);
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

QTEST_GUILESS_MAIN(TestVpuFraming)
#include "tst_vpuframing.moc"
