// Bulk writes and chunked reads against the simulated VPU: the pieces on the wire, byte-exact
// reassembly, the stop at the first refused block, the frame memory and the
// DMX mapping, and the reads that are refused before anything is sent.
#include "comm/vpucom.h"
#include "runone.h"
#include "support/vpucomharness.h"

#include <QMutex>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QString kAddress = QStringLiteral("127.0.0.42");
const FixtureAddr_t kF11{1, 1};

QByteArray Random(int iSize, quint32 uiSeed)
{
    QRandomGenerator tGen(uiSeed);
    QByteArray ba(iSize, 0);
    for (char &c : ba)
        c = char(tGen.bounded(256));
    return ba;
}

// Lengths of the raw blocks the host sent (entries that are not a request header).
QList<int> RawBlocks(const QList<QByteArray> &lRequests)
{
    QList<int> lOut;
    for (int i = 1; i < lRequests.size(); ++i)
        lOut.append(int(lRequests.at(i).size()));
    return lOut;
}

// (id, Length) of every message header among the replies.
QList<QPair<int, int>> ReplyHeaders(const QList<QByteArray> &lReplies)
{
    QList<QPair<int, int>> lOut;
    for (const QByteArray &ba : lReplies)
        lOut.append({quint8(ba.at(0)), int(SimGetU32(ba, 1))});
    return lOut;
}

} // namespace

class TestVpuComTransfer : public QObject
{
    Q_OBJECT

private:
    VpuComHarness *m_pH = nullptr;
    VpuComHarness &H() { return *m_pH; }
    // A status request still answered in order after whatever went before.
    bool LinkInStep()
    {
        return RunOne(H(), SIGNAL(sigStatusMsg(int)), [](CVpuCom &c) { return c.GetStatus(); }) == QList<QVariant>{0};
    }

private slots:
    void init()
    {
        m_pH = new VpuComHarness(kAddress);
        QVERIFY(H().Start());
        H().Device().AddFixture(1, 1, SimFixtureConfig(1, 0x20, 0, 0, 0, 0, 0, 0, 100));
    }
    void cleanup()
    {
        delete m_pH;
        m_pH = nullptr;
    }

    // 4000 bytes: the parameter block, then 1920 + 1920 + 160, each acknowledged; read back
    // as DATA_RSP of a status and 1916, 1916 and 168 bytes.
    void vpuFlashWriteAndReadBack()
    {
        const QByteArray baData = Random(4000, 1);
        QList<QVariant> a =
            RunOne(H(), SIGNAL(sigFlashEraseMsg(int, uint)), [](CVpuCom &c) { return c.FlashErase(0x40000, 4000); });
        QCOMPARE(a, (QList<QVariant>{0, 0x40000u}));
        H().Model().ClearLog();
        a = RunOne(H(), SIGNAL(sigFlashWriteMsg(int)),
                   [&](CVpuCom &c) { return c.FlashWrite(0x40010, 4000, 0, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(Hex(H().Model().Requests().first()), QByteArray("16 09 00 00 00 10 00 04 00 a0 0f 00 00 00"));
        QCOMPARE(RawBlocks(H().Model().Requests()), (QList<int>{1920, 1920, 160}));
        QCOMPARE(H().Model().Replies().size(), 3);
        QCOMPARE(H().Device().VpuFlash(0x40010, 4000), baData);
        QCOMPARE(H().Device().Violations(), QStringList());

        H().Model().ClearLog();
        a = RunOne(H(), SIGNAL(sigFlashReadMsg(int, uint, uint, QByteArray)),
                   [](CVpuCom &c) { return c.FlashRead(0x40010, 4000); });
        QCOMPARE(a, (QList<QVariant>{0, 0x40010u, 4000u, baData}));
        QCOMPARE(ReplyHeaders(H().Model().Replies()), (QList<QPair<int, int>>{{6, 1920}, {6, 1920}, {6, 172}}));
    }

    // The first refused block ends the transfer: nothing more is sent, the status comes
    // back, and the link is not restarted for a VPU's refusal.
    void bulkStopsAtFirstFailure()
    {
        VpuSimFault tFault;
        tFault.iStatus = -9;
        H().Model().SetFault(22, tFault);
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QByteArray baData = Random(5000, 2);
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigFlashWriteMsg(int)),
                                         [&](CVpuCom &c) { return c.FlashWrite(0, 5000, 1, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(-9));
        QCOMPARE(RawBlocks(H().Model().Requests()), QList<int>{1920});
        QVERIFY(H().Traces().Contains(
            QStringLiteral("VPU_MSG_FLASH_WRITE_REQ Failed - VPU Flash write failed! (Return = 0)"), TRACE_KIND_ERROR));
        QCOMPARE(restart.count(), 0);
        QVERIFY(LinkInStep());
    }

    void zeroLengthWriteSendsOnlyTheParameters()
    {
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigFlashWriteMsg(int)), [](CVpuCom &c) { return c.FlashWrite(0x200, 0, 0, nullptr); });
        QCOMPARE(a.value(0), QVariant(0));
        // No acknowledgement is awaited, so the simulator's thread may log the request a little later.
        QTRY_COMPARE(H().Model().Requests().size(), 1);
        QVERIFY(LinkInStep());
        QCOMPARE(H().Model().Requests().size(), 2);
    }

    // Data missing for the size announced: refused before a byte goes out (the VPU would
    // otherwise wait for blocks that never come).
    void writeWithoutDataRefused()
    {
        SignalLog flash(&H().Com(), &CVpuCom::sigFlashWriteMsg);
        SignalLog fixture(&H().Com(), &CVpuCom::sigWriteFixtureFlashMsg);
        SignalLog mem(&H().Com(), &CVpuCom::sigWriteFixtureMemMsg);
        H().Com().FlashWrite(0x100, 100, 0, nullptr);
        H().Com().FixtWriteFlash(kF11, 0xC0000, 100, nullptr);
        H().Com().FixtWriteMem(FixtureMemReq_t{kF11, 0, 100}, nullptr);
        QVERIFY(mem.wait());
        QCOMPARE(flash.first().at(0).toInt(), -4);
        QCOMPARE(fixture.first().at(0).toInt(), -4);
        QCOMPARE(mem.first().at(0).toInt(), -4);
        QCOMPARE(H().Model().Requests().size(), 0);
    }

    void fixtureFlashAndMemoryRoundTrip()
    {
        const QByteArray baData = Random(5000, 3);
        QList<QVariant> a = RunOne(H(), SIGNAL(sigEraseFixtureFlashMsg(int)),
                                   [](CVpuCom &c) { return c.FixtEraseFlash(kF11, 0xC0000, 0x10000); });
        QCOMPARE(a.value(0), QVariant(0));
        a = RunOne(H(), SIGNAL(sigWriteFixtureFlashMsg(int)),
                   [&](CVpuCom &c) { return c.FixtWriteFlash(kF11, 0xC0000, 5000, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(H().Device().FixtureFlash(1, 1, 0xC0000, 5000), baData);
        QCOMPARE(H().Device().Violations(), QStringList());

        const FixtureMemReq_t tReq{kF11, 0x380000, 5000};
        a = RunOne(H(), SIGNAL(sigWriteFixtureMemMsg(int)),
                   [&](CVpuCom &c) { return c.FixtWriteMem(tReq, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(0));
        H().Model().ClearLog();
        a = RunOne(H(), SIGNAL(sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray)),
                   [&](CVpuCom &c) { return c.FixtReadMem(tReq); });
        QCOMPARE(a.value(0), QVariant(0));
        const FixtureMemReq_t tBack = a.value(1).value<FixtureMemReq_t>();
        QCOMPARE(tBack.Offset, 0x380000u);
        QCOMPARE(tBack.Size, 5000u);
        QCOMPARE(a.value(2).toByteArray(), baData);
        // Three chunks, then the fixture's final status.
        QCOMPARE(ReplyHeaders(H().Model().Replies()),
                 (QList<QPair<int, int>>{{6, 1920}, {6, 1920}, {6, 1172}, {1, 4}}));
    }

    // A refused chunk: its status, no data, and the final status is not waited for.
    void chunkFailureCarriesNoData()
    {
        VpuSimFault tFault;
        tFault.iStatus = -12;
        H().Model().SetFault(59, tFault);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray)), [](CVpuCom &c) {
                return c.FixtReadMem(FixtureMemReq_t{kF11, 0, 100});
            });
        QCOMPARE(a.value(0), QVariant(-12));
        QCOMPARE(a.value(2), QVariant(QByteArray()));
        QVERIFY(H().Traces().Contains(
            QStringLiteral("VPU_MSG_FIXT_READ_MEM_REQ Failed - Fixture memory read failed! (Return = 0)")));
        H().Model().ClearFaults();
        QVERIFY(LinkInStep());
    }

    // Reads whose size cannot be right are refused before the request goes out, so the
    // stream stays in step and nothing is allocated for them.
    void oversizedReadsRefusedBeforeSending_data()
    {
        QTest::addColumn<int>("iKind");
        QTest::addColumn<quint32>("uiOffset");
        QTest::addColumn<quint32>("uiSize");
        QTest::newRow("flash past the end") << 0 << 0x1FFFF00u << 0x200u;
        QTest::newRow("flash 4 GB") << 0 << 0u << 0xFFFFFFFFu;
        QTest::newRow("flash offset wraps") << 0 << 0xFFFFFF00u << 0x200u;
        QTest::newRow("fixture memory too large") << 1 << 0u << 0x2000000u;
    }
    void oversizedReadsRefusedBeforeSending()
    {
        QFETCH(int, iKind);
        QFETCH(quint32, uiOffset);
        QFETCH(quint32, uiSize);
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        SignalLog flash(&H().Com(), &CVpuCom::sigFlashReadMsg);
        SignalLog mem(&H().Com(), &CVpuCom::sigReadFixtureMemMsg);
        if (iKind == 0)
            H().Com().FlashRead(uiOffset, uiSize);
        else
            H().Com().FixtReadMem(FixtureMemReq_t{kF11, uiOffset, uiSize});
        SignalLog &spy = iKind == 0 ? flash : mem;
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().at(0).toInt(), -4);
        QVERIFY(spy.first().last().toByteArray().isEmpty());
        QCOMPARE(H().Model().Requests().size(), 0);
        QCOMPARE(restart.count(), 0);
    }

    void sdramRoundTrip()
    {
        const SdramRect_t tRect{100, 50, 40, 30};
        const QByteArray baPixels = Random(40 * 30 * 3, 4);
        QList<QVariant> a = RunOne(H(), SIGNAL(sigSdramWriteMsg(int)), [&](CVpuCom &c) {
            return c.SdramWrite(tRect, reinterpret_cast<const Color_t *>(baPixels.constData()));
        });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(RawBlocks(H().Model().Requests()), (QList<int>{1920, 1680}));
        a = RunOne(H(), SIGNAL(sigSdramReadMsg(int, SdramRect_t, QByteArray)),
                   [&](CVpuCom &c) { return c.SdramRead(tRect); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(a.value(1).value<SdramRect_t>().Width, quint16(40));
        QCOMPARE(a.value(2).toByteArray(), baPixels);
    }

    // A final VPU error still hands over the pixels that arrived.
    void sdramPixelsDespiteFinalError()
    {
        VpuSimFault tFault;
        tFault.iStatus = -5;
        H().Model().SetFault(29, tFault);
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigSdramReadMsg(int, SdramRect_t, QByteArray)), [](CVpuCom &c) {
            return c.SdramRead(SdramRect_t{0, 0, 4, 2});
        });
        QCOMPARE(a.value(0), QVariant(-5));
        QCOMPARE(a.value(2).toByteArray().size(), 24);
    }

    // A rectangle whose byte count does not fit 32 bits is refused without a word on the
    // wire, for reading and for writing.
    void sdramOverflowRefused()
    {
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        SignalLog read(&H().Com(), &CVpuCom::sigSdramReadMsg);
        SignalLog write(&H().Com(), &CVpuCom::sigSdramWriteMsg);
        H().Com().SdramRead(SdramRect_t{0, 0, 65535, 65535});
        H().Com().SdramWrite(SdramRect_t{0, 0, 40000, 40000}, nullptr);
        QVERIFY(write.wait(5000));
        QCOMPARE(read.count(), 1);
        QCOMPARE(read.first().at(0).toInt(), -4);
        QVERIFY(read.first().at(2).toByteArray().isEmpty());
        QCOMPARE(write.first().at(0).toInt(), -4);
        QCOMPARE(H().Model().Requests().size(), 0);
        QCOMPARE(restart.count(), 0);
    }

    void dmxMappingRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("baEntries");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("ten") << Bytes("01 01 00 01 02 02 00 01 03 03 00 01 04 04 00 01 05 05 00 01 06 06 00 01 "
                                      "07 07 00 04 08 0b 00 03 09 0e 00 03 0a 11 00 01");
    }
    void dmxMappingRoundTrip()
    {
        QFETCH(QByteArray, baEntries);
        QList<DMX_Mapping_t> lMapping;
        for (int i = 0; i < baEntries.size(); i += 4)
            lMapping.append(DMX_Mapping_t{quint8(baEntries[i]), SimGetU16(baEntries, i + 1), quint8(baEntries[i + 3])});
        QList<QVariant> a =
            RunOne(H(), SIGNAL(sigDmxMapWrite(int)), [&](CVpuCom &c) { return c.DmxMapWrite(7, lMapping); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(H().Device().DmxMap(7), baEntries);
        a = RunOne(H(), SIGNAL(sigDmxMapRead(int, short, QByteArray)), [](CVpuCom &c) { return c.DmxMapRead(7); });
        QCOMPARE(a, (QList<QVariant>{0, QVariant::fromValue(short(baEntries.size() / 4)), baEntries}));
        QVERIFY(H().Traces().Contains(QStringLiteral("DMX mapping read from VPU!"), TRACE_KIND_SUCCESS));
    }

    // A count no mapping can have: refused as a framing error, the rest left unread.
    void dmxMapReadBadCount_data()
    {
        QTest::addColumn<int>("iCount");
        QTest::newRow("eleven") << 11;
        QTest::newRow("negative") << -1;
    }
    void dmxMapReadBadCount()
    {
        QFETCH(int, iCount);
        H().Model().SetHandler(32, [iCount](VpuSimRequest &r) {
            QByteArray baStatus, baCount;
            SimPutU32(baStatus, 0);
            SimPutU16(baCount, quint16(iCount));
            return r.Reply(6, baStatus) && r.Reply(6, baCount) && r.Reply(6, QByteArray(44, 1));
        });
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigDmxMapRead(int, short, QByteArray)), [](CVpuCom &c) { return c.DmxMapRead(0); });
        QCOMPARE(a, (QList<QVariant>{-204, QVariant::fromValue(short(0)), QByteArray()}));
        QTRY_COMPARE(restart.count(), 1);
        QCOMPARE(restart.first().at(0).toInt(), -204);
        QCOMPARE(H().Sink().Errors().size(), 1);
        QCOMPARE(H().Sink().Errors().first().first, QStringLiteral("Failed to read DMX mapping from VPU!"));
    }

    void dmxMapReadVpuError()
    {
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigDmxMapRead(int, short, QByteArray)), [](CVpuCom &c) { return c.DmxMapRead(12); });
        QCOMPARE(a.value(0), QVariant(SIM_ERR_SLOT));
        QCOMPARE(a.value(1), QVariant::fromValue(short(0)));
        QVERIFY(H().Traces().Contains(QStringLiteral("Failed to read dmx mapping on VPU!"), TRACE_KIND_ERROR));
    }
};

QTEST_GUILESS_MAIN(TestVpuComTransfer)
#include "tst_vpucomtransfer.moc"
