// Bulk writes, chunked reads and the two flash sequencers against the simulated VPU: the
// pieces on the wire, byte-exact reassembly, the stop at the first refused block or step,
// the order of erase and write requests with NOR rules kept (the flash around a job holds a
// pattern first, so a write into a sector that was not erased shows up), exactly one done
// signal, and the requests refused before anything is sent.
#include "comm/vpucom.h"
#include "config/softconf.h"
#include "runone.h"
#include "support/vpucomharness.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace {

const QString kAddress = QStringLiteral("127.0.0.42");
const QString kFactoryAddress = QStringLiteral("127.0.0.81");
const FixtureAddr_t kF12{1, 2};
constexpr char kFill = char(0xA5); // what the flash holds before a job: anything but erased

QByteArray Pattern(int iSize, int iSeed)
{
    QByteArray ba(iSize, Qt::Uninitialized);
    quint32 x = 0x9E3779B9u * quint32(iSeed + 1);
    for (char &c : ba) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    return ba;
}

const quint8 *Data(const QByteArray &ba)
{
    return reinterpret_cast<const quint8 *>(ba.constData());
}

// A flash request as "E|W offset size" (hex).
QStringList Steps(VpuSimModel &tModel)
{
    QStringList l;
    for (const QByteArray &ba : tModel.Messages()) {
        const quint8 ucId = quint8(ba[0]);
        const int iAt = (ucId == 56 || ucId == 57) ? 10 : 5;
        const QString qsKind = (ucId == 20 || ucId == 56)   ? "E"
                               : (ucId == 22 || ucId == 57) ? "W"
                                                            : QString::number(ucId);
        l.append(
            QStringLiteral("%1 %2 %3").arg(qsKind).arg(SimGetU32(ba, iAt), 0, 16).arg(SimGetU32(ba, iAt + 4), 0, 16));
    }
    return l;
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

// The flash around a job, from the sector before it to the sector after it.
struct Window
{
    quint32 uiStart;
    quint32 uiSize;
};
Window Around(quint32 uiOffset, quint32 uiSize, quint32 uiFlashSize)
{
    const quint32 uiStart = uiOffset >= 0x40000 ? uiOffset - 0x40000 : 0;
    const quint32 uiEnd = qMin<quint64>(quint64(uiOffset) + uiSize + 0x40000, uiFlashSize);
    return Window{uiStart, uiEnd - uiStart};
}

} // namespace

class TestVpuComTransfer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VpuComHarness> m_pH;
    VpuComHarness &H() { return *m_pH; }

    bool StartHarness(const QString &qsAddress)
    {
        m_pH = std::make_unique<VpuComHarness>(qsAddress);
        if (!H().Start())
            return false;
        H().Device().AddFixture(1, 2, SimFixtureConfig(0xABCD, 0x20, 100, 200, 0, 0, 0, 0x20080200, 100));
        H().Device().AddFixture(1, 3, SimFixtureConfig(0xABCE, 0x20, 164, 200, 0, 0, 0, 0x20080200, 100));
        return true;
    }
    // A status request still answered in order after whatever went before.
    bool LinkInStep()
    {
        return RunOne(H(), SIGNAL(sigStatusMsg(int)), [](CVpuCom &c) { return c.GetStatus(); }) == QList<QVariant>{0};
    }
    QByteArray Flash(bool bFixture, quint8 ucNumber, quint32 uiOffset, quint32 uiSize)
    {
        return bFixture ? H().Device().FixtureFlash(1, ucNumber, uiOffset, uiSize)
                        : H().Device().VpuFlash(uiOffset, uiSize);
    }
    void Fill(bool bFixture, const Window &w)
    {
        const QByteArray baFill(int(w.uiSize), kFill);
        if (!bFixture)
            return H().Device().SetVpuFlash(w.uiStart, baFill);
        H().Device().SetFixtureFlash(1, 2, w.uiStart, baFill);
        H().Device().SetFixtureFlash(1, 3, w.uiStart, baFill);
    }
    // A job the sequencer must carry out without a fault: its steps, the data in place, the
    // flash outside the erased sectors and the fixture's neighbour untouched, one done signal.
    void RunJob(bool bFixture, quint32 uiOffset, quint32 uiSize, int iFlag, const QStringList &lExpected)
    {
        const Window w = Around(uiOffset, uiSize, bFixture ? CVpuCom::FIXT_FLASH_SIZE : VpuSimDevice::VPU_FLASH_SIZE);
        Fill(bFixture, w);
        const QByteArray baData = Pattern(int(uiSize), int(uiOffset));
        SignalLog spy(&H().Com(), bFixture ? SIGNAL(sigFixtureFlashDone(int)) : SIGNAL(sigVpuFlashDone(int)));
        QCOMPARE(bFixture ? H().Com().WriteFixtureFlash(kF12, uiOffset, uiSize, Data(baData))
                          : H().Com().WriteVpuFlash(uiOffset, uiSize, quint8(iFlag), Data(baData)),
                 0);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), 0);
        QCOMPARE(Steps(H().Model()), lExpected);
        for (const QByteArray &ba : H().Model().Messages()) {
            if (bFixture)
                QCOMPARE(Hex(ba.mid(5, 5)), QByteArray("01 02 00 00 00"));
            else if (quint8(ba[0]) == 22)
                QCOMPARE(int(ba[13]), iFlag);
        }
        QCOMPARE(H().Device().Violations(), QStringList());
        QCOMPARE(H().Model().Violations(), QStringList());
        QCOMPARE(Flash(bFixture, 2, uiOffset, uiSize), baData);
        const QStringList lFirst = lExpected.first().split(' ');
        const QStringList lLast = lExpected.at(lExpected.size() - 2).split(' ');
        const quint32 uiEraseStart = lFirst[1].toUInt(nullptr, 16);
        const quint32 uiEraseEnd = lLast[1].toUInt(nullptr, 16) + lLast[2].toUInt(nullptr, 16);
        const QByteArray baWindow = Flash(bFixture, 2, w.uiStart, w.uiSize);
        for (quint32 i = 0; i < w.uiSize; ++i) {
            const quint32 uiAt = w.uiStart + i;
            if ((uiAt < uiEraseStart || uiAt >= uiEraseEnd) && baWindow[i] != kFill)
                QFAIL(qPrintable(QString("byte at 0x%1 changed").arg(uiAt, 0, 16)));
        }
        if (bFixture)
            QCOMPARE(Flash(true, 3, w.uiStart, w.uiSize), QByteArray(int(w.uiSize), kFill));
        QVERIFY(H().Traces().Contains(bFixture ? QStringLiteral("    File written to fixture flash with success!")
                                               : QStringLiteral("    Data written to VPU flash with success!"),
                                      TRACE_KIND_SUCCESS));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
    }

private slots:
    void init() { QVERIFY(StartHarness(kAddress)); }
    void cleanup() { m_pH.reset(); }

    // 4000 bytes: the parameter block, then 1920 + 1920 + 160, each acknowledged; read back
    // as DATA_RSP of a status and 1916, 1916 and 168 bytes.
    void vpuFlashWriteAndReadBack()
    {
        const QByteArray baData = Pattern(4000, 1);
        H().Device().SetVpuFlash(0x40000, QByteArray(0x20000, char(0xFF)));
        QList<QVariant> a = RunOne(H(), SIGNAL(sigFlashWriteMsg(int)),
                                   [&](CVpuCom &c) { return c.FlashWrite(0x40010, 4000, 0, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(Hex(H().Model().Requests().first()), QByteArray("16 09 00 00 00 10 00 04 00 a0 0f 00 00 00"));
        QCOMPARE(RawBlocks(H().Model().Requests()), (QList<int>{1920, 1920, 160}));
        QCOMPARE(H().Model().Replies().size(), 3);
        QCOMPARE(H().Device().VpuFlash(0x40010, 4000), baData);

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
        const QByteArray baData = Pattern(5000, 2);
        const QList<QVariant> a = RunOne(H(), SIGNAL(sigFlashWriteMsg(int)),
                                         [&](CVpuCom &c) { return c.FlashWrite(0, 5000, 1, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(-9));
        QCOMPARE(RawBlocks(H().Model().Requests()), QList<int>{1920});
        QVERIFY(H().Traces().Contains(
            QStringLiteral("VPU_MSG_FLASH_WRITE_REQ Failed - VPU Flash write failed! (Return = 0)"), TRACE_KIND_ERROR));
        QCOMPARE(restart.count(), 0);
        QVERIFY(LinkInStep());
    }

    // Nothing to write: the bare request awaits no acknowledgement; the sequencers end at
    // once without a word on the wire.
    void zeroLengthWrites()
    {
        QCOMPARE(
            RunOne(H(), SIGNAL(sigFlashWriteMsg(int)), [](CVpuCom &c) { return c.FlashWrite(0x200, 0, 0, nullptr); }),
            QList<QVariant>{0});
        QVERIFY(LinkInStep());
        QCOMPARE(H().Model().Requests().size(), 2);
        H().Model().ClearLog();
        SignalLog vpu(&H().Com(), &CVpuCom::sigVpuFlashDone);
        SignalLog fixt(&H().Com(), &CVpuCom::sigFixtureFlashDone);
        QCOMPARE(H().Com().WriteVpuFlash(0x400000, 0, 0, nullptr), 0);
        QCOMPARE(H().Com().WriteFixtureFlash(kF12, 0x100000, 0, nullptr), 0);
        QVERIFY(vpu.wait(1000) && fixt.wait(1000));
        QCOMPARE(vpu.first().at(0).toInt() | fixt.first().at(0).toInt(), 0);
        QTest::qWait(50);
        QCOMPARE(H().Model().Messages(), QList<QByteArray>());
    }

    // Data missing for the size announced: refused before a byte goes out (the VPU would
    // otherwise wait for blocks that never come).
    void writeWithoutDataRefused()
    {
        SignalLog flash(&H().Com(), &CVpuCom::sigFlashWriteMsg);
        SignalLog fixture(&H().Com(), &CVpuCom::sigWriteFixtureFlashMsg);
        SignalLog mem(&H().Com(), &CVpuCom::sigWriteFixtureMemMsg);
        H().Com().FlashWrite(0x100, 100, 0, nullptr);
        H().Com().FixtWriteFlash(kF12, 0xC0000, 100, nullptr);
        H().Com().FixtWriteMem(FixtureMemReq_t{kF12, 0, 100}, nullptr);
        QVERIFY(mem.wait());
        QCOMPARE(flash.first().at(0).toInt(), -4);
        QCOMPARE(fixture.first().at(0).toInt(), -4);
        QCOMPARE(mem.first().at(0).toInt(), -4);
        QCOMPARE(H().Model().Requests().size(), 0);
    }

    void fixtureMemoryRoundTrip()
    {
        const QByteArray baData = Pattern(5000, 3);
        const FixtureMemReq_t tReq{kF12, 0x380000, 5000};
        QList<QVariant> a = RunOne(H(), SIGNAL(sigWriteFixtureMemMsg(int)),
                                   [&](CVpuCom &c) { return c.FixtWriteMem(tReq, baData.constData()); });
        QCOMPARE(a.value(0), QVariant(0));
        H().Model().ClearLog();
        a = RunOne(H(), SIGNAL(sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray)),
                   [&](CVpuCom &c) { return c.FixtReadMem(tReq); });
        QCOMPARE(a.value(0), QVariant(0));
        const FixtureMemReq_t tBack = a.value(1).value<FixtureMemReq_t>();
        QCOMPARE((QList<quint32>{tBack.Offset, tBack.Size}), (QList<quint32>{0x380000u, 5000u}));
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
                return c.FixtReadMem(FixtureMemReq_t{kF12, 0, 100});
            });
        QCOMPARE(a.value(0), QVariant(-12));
        QCOMPARE(a.value(2), QVariant(QByteArray()));
        QVERIFY(H().Traces().Contains(
            QStringLiteral("VPU_MSG_FIXT_READ_MEM_REQ Failed - Fixture memory read failed! (Return = 0)")));
        H().Model().ClearFaults();
        QVERIFY(LinkInStep());
    }

    // Sizes that cannot be right are refused before the request goes out, so the stream
    // stays in step and nothing is allocated for them.
    void oversizedRefusedBeforeSending_data()
    {
        QTest::addColumn<int>("iKind");
        QTest::addColumn<quint32>("uiOffset");
        QTest::addColumn<quint32>("uiSize");
        QTest::newRow("flash past the end") << 0 << 0x1FFFF00u << 0x200u;
        QTest::newRow("flash 4 GB") << 0 << 0u << 0xFFFFFFFFu;
        QTest::newRow("flash offset wraps") << 0 << 0xFFFFFF00u << 0x200u;
        QTest::newRow("fixture memory too large") << 1 << 0u << 0x2000000u;
        QTest::newRow("sdram read over 32 bits") << 2 << 0u << 65535u;
        QTest::newRow("sdram write over 32 bits") << 3 << 0u << 40000u;
    }
    void oversizedRefusedBeforeSending()
    {
        QFETCH(int, iKind);
        QFETCH(quint32, uiOffset);
        QFETCH(quint32, uiSize);
        static const char *const s_apcSignals[] = {SIGNAL(sigFlashReadMsg(int, uint, uint, QByteArray)),
                                                   SIGNAL(sigReadFixtureMemMsg(int, FixtureMemReq_t, QByteArray)),
                                                   SIGNAL(sigSdramReadMsg(int, SdramRect_t, QByteArray)),
                                                   SIGNAL(sigSdramWriteMsg(int))};
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        SignalLog spy(&H().Com(), s_apcSignals[iKind]);
        const quint16 usSide = quint16(uiSize);
        if (iKind == 0)
            H().Com().FlashRead(uiOffset, uiSize);
        else if (iKind == 1)
            H().Com().FixtReadMem(FixtureMemReq_t{kF12, uiOffset, uiSize});
        else if (iKind == 2)
            H().Com().SdramRead(SdramRect_t{0, 0, usSide, usSide});
        else
            H().Com().SdramWrite(SdramRect_t{0, 0, usSide, usSide}, nullptr);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().at(0).toInt(), -4);
        if (iKind < 3)
            QVERIFY(spy.first().last().toByteArray().isEmpty());
        QCOMPARE(H().Model().Requests().size(), 0);
        QCOMPARE(restart.count(), 0);
    }

    // Pixels in blocks of the bulk size; a final VPU error on reading still hands over the
    // pixels that arrived.
    void sdramRoundTrip()
    {
        const SdramRect_t tRect{100, 50, 40, 30};
        const QByteArray baPixels = Pattern(40 * 30 * 3, 4);
        QList<QVariant> a = RunOne(H(), SIGNAL(sigSdramWriteMsg(int)), [&](CVpuCom &c) {
            return c.SdramWrite(tRect, reinterpret_cast<const Color_t *>(baPixels.constData()));
        });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(RawBlocks(H().Model().Requests()), (QList<int>{1920, 1680}));
        VpuSimFault tFault;
        tFault.iStatus = -5;
        H().Model().SetFault(29, tFault);
        a = RunOne(H(), SIGNAL(sigSdramReadMsg(int, SdramRect_t, QByteArray)),
                   [&](CVpuCom &c) { return c.SdramRead(tRect); });
        QCOMPARE(a.value(0), QVariant(-5));
        QCOMPARE(a.value(1).value<SdramRect_t>().Width, quint16(40));
        QCOMPARE(a.value(2).toByteArray(), baPixels);
    }

    void dmxMappingRoundTrip()
    {
        const QByteArray baEntries = Bytes("01 01 00 01 02 02 00 01 03 03 00 01 04 04 00 01 05 05 00 01 06 06 00 01 "
                                           "07 07 00 04 08 0b 00 03 09 0e 00 03 0a 11 00 01");
        QList<DMX_Mapping_t> lMapping;
        for (int i = 0; i < baEntries.size(); i += 4)
            lMapping.append(DMX_Mapping_t{quint8(baEntries[i]), SimGetU16(baEntries, i + 1), quint8(baEntries[i + 3])});
        QList<QVariant> a =
            RunOne(H(), SIGNAL(sigDmxMapWrite(int)), [&](CVpuCom &c) { return c.DmxMapWrite(7, lMapping); });
        QCOMPARE(a.value(0), QVariant(0));
        QCOMPARE(H().Device().DmxMap(7), baEntries);
        a = RunOne(H(), SIGNAL(sigDmxMapRead(int, short, QByteArray)), [](CVpuCom &c) { return c.DmxMapRead(7); });
        QCOMPARE(a, (QList<QVariant>{0, QVariant::fromValue(short(10)), baEntries}));
    }

    // A count no mapping can have is a framing error: the rest left unread, the link
    // restarted. A VPU error ends the reply after the status.
    void dmxMapReadRefusals_data()
    {
        QTest::addColumn<int>("iCount"); // -1000: the slot does not exist
        QTest::addColumn<int>("iStatus");
        QTest::newRow("eleven") << 11 << -204;
        QTest::newRow("negative") << -1 << -204;
        QTest::newRow("vpu error") << -1000 << SIM_ERR_SLOT;
    }
    void dmxMapReadRefusals()
    {
        QFETCH(int, iCount);
        QFETCH(int, iStatus);
        if (iCount != -1000)
            H().Model().SetHandler(32, [iCount](VpuSimRequest &r) {
                QByteArray baStatus, baCount;
                SimPutU32(baStatus, 0);
                SimPutU16(baCount, quint16(iCount));
                return r.Reply(6, baStatus) && r.Reply(6, baCount) && r.Reply(6, QByteArray(44, 1));
            });
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const QList<QVariant> a =
            RunOne(H(), SIGNAL(sigDmxMapRead(int, short, QByteArray)), [](CVpuCom &c) { return c.DmxMapRead(12); });
        QCOMPARE(a, (QList<QVariant>{iStatus, QVariant::fromValue(short(0)), QByteArray()}));
        QCOMPARE(H().Sink().Errors().value(0).first, QStringLiteral("Failed to read DMX mapping from VPU!"));
        if (iStatus == -204)
            QTRY_COMPARE(restart.count(), 1);
        else
            QVERIFY(LinkInStep());
    }

    void jobs_data()
    {
        QTest::addColumn<bool>("fixture");
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("VPU 192 KB at 4 MB")
            << false << 0x400000u << 0x30000u << 0
            << QStringList{"E 400000 20000", "W 400000 20000", "E 420000 20000", "W 420000 10000"};
        QTest::newRow("VPU 64 KB in the small sectors")
            << false << 0x1FE8000u << 0x10000u << 1
            << QStringList{"E 1fe8000 8000", "W 1fe8000 8000", "E 1ff0000 8000", "W 1ff0000 8000"};
        QTest::newRow("VPU unaligned over two sectors")
            << false << 0x410000u << 0x20000u << 0
            << QStringList{"E 400000 20000", "W 410000 10000", "E 420000 20000", "W 420000 10000"};
        QTest::newRow("VPU unaligned over the zone border")
            << false << 0x1FD0000u << 0x18000u << 1
            << QStringList{"E 1fc0000 20000", "W 1fd0000 10000", "E 1fe0000 8000", "W 1fe0000 8000"};
        QTest::newRow("VPU odd size inside one sector")
            << false << 0x401234u << 1000u << 0 << QStringList{"E 400000 20000", "W 401234 3e8"};
        QTest::newRow("VPU up to the end")
            << false << 0x1FF4000u << 0xC000u << 1
            << QStringList{"E 1ff0000 8000", "W 1ff4000 4000", "E 1ff8000 8000", "W 1ff8000 8000"};
        QTest::newRow("fixture LED map in the last sector")
            << true << 0x1FC000u << 768u << 0 << QStringList{"E 1fc000 4000", "W 1fc000 300"};
        QTest::newRow("fixture 8 KB above 0x1F8000")
            << true << 0x1FA000u << 0x4000u << 0
            << QStringList{"E 1fa000 2000", "W 1fa000 2000", "E 1fc000 4000", "W 1fc000 2000"};
        QTest::newRow("fixture gain tables")
            << true << 0x180000u << 0x40000u << 0
            << QStringList{"E 180000 10000", "W 180000 10000", "E 190000 10000", "W 190000 10000",
                           "E 1a0000 10000", "W 1a0000 10000", "E 1b0000 10000", "W 1b0000 10000"};
        QTest::newRow("fixture unaligned over three zones")
            << true << 0x1EF000u << 0xB000u << 0 << QStringList{"E 1e0000 10000", "W 1ef000 1000", "E 1f0000 8000",
                                                                "W 1f0000 8000",  "E 1f8000 2000", "W 1f8000 2000"};
        QTest::newRow("fixture first writable byte")
            << true << 0xC0000u << 0x100u << 0 << QStringList{"E c0000 10000", "W c0000 100"};
        QTest::newRow("fixture unaligned up to the end")
            << true << 0x1FE000u << 0x2000u << 0 << QStringList{"E 1fc000 4000", "W 1fe000 2000"};
    }
    void jobs()
    {
        QFETCH(bool, fixture);
        QFETCH(quint32, offset);
        QFETCH(quint32, size);
        QFETCH(int, flag);
        QFETCH(QStringList, expected);
        RunJob(fixture, offset, size, flag, expected);
    }

    // Refusals found before anything is queued end the job at once, with one done signal.
    void jobRefusedBeforeAnything_data()
    {
        QTest::addColumn<bool>("fixture");
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("trace");
        const QString qsReadOnly = QStringLiteral("Fixture FLASH offset is read-only!");
        const QString qsInvalid = QStringLiteral("Invalid Flash Offset!");
        QTest::newRow("fixture read-only") << true << 0x80000u << 0x1000u << -4 << qsReadOnly;
        QTest::newRow("fixture read-only, unaligned") << true << 0xBF000u << 0x2000u << -4 << qsReadOnly;
        QTest::newRow("fixture at 2 MB") << true << 0x200000u << 16u << -1 << qsInvalid;
        QTest::newRow("fixture running off the end") << true << 0x1FF000u << 0x2000u << -1 << qsInvalid;
        QTest::newRow("fixture size wraps") << true << 0x100000u << 0xFFFFFF00u << -1 << qsInvalid;
        QTest::newRow("VPU running off the end") << false << 0x1FF8000u << 0x8001u << -1 << qsInvalid;
        QTest::newRow("VPU beyond the end") << false << 0x2000000u << 1u << -1 << qsInvalid;
    }
    void jobRefusedBeforeAnything()
    {
        QFETCH(bool, fixture);
        QFETCH(quint32, offset);
        QFETCH(quint32, size);
        QFETCH(int, status);
        QFETCH(QString, trace);
        const Window w = Around(qMin(offset, 0x1F0000u), 0x1000, CVpuCom::FIXT_FLASH_SIZE);
        H().Device().SetFixtureFlash(1, 2, w.uiStart, QByteArray(int(w.uiSize), kFill));
        const QByteArray baData = Pattern(0x10000, 3);
        SignalLog spy(&H().Com(), fixture ? SIGNAL(sigFixtureFlashDone(int)) : SIGNAL(sigVpuFlashDone(int)));
        QCOMPARE(fixture ? H().Com().WriteFixtureFlash(kF12, offset, size, Data(baData))
                         : H().Com().WriteVpuFlash(offset, size, 0, Data(baData)),
                 status);
        QVERIFY(spy.wait(1000));
        QCOMPARE(spy.first().at(0).toInt(), status);
        QVERIFY(H().Traces().Contains(trace, TRACE_KIND_ERROR));
        QVERIFY(H().Traces().Contains(fixture ? QStringLiteral("    File write to fixture flash failed!")
                                              : QStringLiteral("    Data write to VPU flash failed!"),
                                      TRACE_KIND_ERROR));
        QTest::qWait(100);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(H().Model().Messages(), QList<QByteArray>());
        QCOMPARE(H().Device().FixtureFlash(1, 2, w.uiStart, w.uiSize), QByteArray(int(w.uiSize), kFill));
        // The sequencer is free for the next job.
        RunJob(true, 0x1FC000, 16, 0, {"E 1fc000 4000", "W 1fc000 10"});
    }

    // The VPU refuses a step, or the link fails during one: the job stops right there and ends
    // once with that status.
    void jobFailureInjected_data()
    {
        QTest::addColumn<bool>("fixture");
        QTest::addColumn<int>("faultId");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("expected");
        const QStringList lVpu{"E 400000 20000", "W 400000 20000", "E 420000 20000", "W 420000 10000"};
        const QStringList lFixt{"E 100000 10000", "W 100000 10000", "E 110000 10000", "W 110000 8000"};
        QTest::newRow("VPU first erase") << false << 20 << 0 << false << -77 << lVpu.mid(0, 1);
        QTest::newRow("VPU first write") << false << 22 << 0 << false << -79 << lVpu.mid(0, 2);
        QTest::newRow("VPU last write") << false << 22 << 1 << false << -80 << lVpu;
        QTest::newRow("VPU erase times out") << false << 20 << 1 << true << -202 << lVpu.mid(0, 3);
        QTest::newRow("fixture second erase") << true << 56 << 1 << false << -82 << lFixt.mid(0, 3);
        QTest::newRow("fixture first write") << true << 57 << 0 << false << -83 << lFixt.mid(0, 2);
        QTest::newRow("fixture last write") << true << 57 << 1 << false << -84 << lFixt;
        QTest::newRow("fixture erase times out") << true << 56 << 1 << true << -202 << lFixt.mid(0, 3);
    }
    void jobFailureInjected()
    {
        QFETCH(bool, fixture);
        QFETCH(int, faultId);
        QFETCH(int, after);
        QFETCH(bool, silent);
        QFETCH(int, status);
        QFETCH(QStringList, expected);
        VpuSimFault tFault;
        tFault.iStatus = status;
        tFault.bSilent = silent;
        tFault.iAfter = after;
        H().Model().SetFault(quint8(faultId), tFault);
        // Short only for the request the VPU leaves unanswered: a busy machine may take longer
        // than that to answer any other, and the job would end in a time-out one step early. A
        // request takes the budget set when it is asked; this slot, queued ahead of the job's
        // own, sets it as the step before the silent one is answered, before the job asks for
        // the next.
        int iAnswered = 0;
        const auto answered = [this, &iAnswered, silent, &expected] {
            if (silent && ++iAnswered == expected.size() - 1)
                H().Com().SetRequestTimeoutMs(300);
        };
        const QList<QMetaObject::Connection> steps =
            fixture ? QList<QMetaObject::Connection>{connect(&H().Com(), &CVpuCom::sigEraseFixtureFlashMsg, this,
                                                             answered, Qt::QueuedConnection),
                                                     connect(&H().Com(), &CVpuCom::sigWriteFixtureFlashMsg, this,
                                                             answered, Qt::QueuedConnection)}
                    : QList<QMetaObject::Connection>{
                          connect(&H().Com(), &CVpuCom::sigFlashEraseMsg, this, answered, Qt::QueuedConnection),
                          connect(&H().Com(), &CVpuCom::sigFlashWriteMsg, this, answered, Qt::QueuedConnection)};
        const auto restoreTimeout = qScopeGuard([this, &steps] {
            for (const QMetaObject::Connection &step : steps)
                disconnect(step);
            H().Com().SetRequestTimeoutMs(VPU_REQUEST_TIMEOUT_MS);
        });
        const QByteArray baData = Pattern(0x30000, 4);
        SignalLog spy(&H().Com(), fixture ? SIGNAL(sigFixtureFlashDone(int)) : SIGNAL(sigVpuFlashDone(int)));
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        QCOMPARE(fixture ? H().Com().WriteFixtureFlash(kF12, 0x100000, 0x18000, Data(baData))
                         : H().Com().WriteVpuFlash(0x400000, 0x30000, 0, Data(baData)),
                 0);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), status);
        QTest::qWait(200);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Steps(H().Model()), expected);
        QCOMPARE(restart.count(), silent ? 1 : 0);
        QVERIFY(H().Traces().Contains(fixture ? QStringLiteral("    File write to fixture flash failed!")
                                              : QStringLiteral("    Data write to VPU flash failed!"),
                                      TRACE_KIND_ERROR));
        QCOMPARE(H().Device().Violations(), QStringList());
    }

    // A second job of a kind while the first runs is refused and leaves the first alone; a
    // plain erase after a job has ended does not bring the job back.
    void secondJobRefusedAndPlainEraseAfter()
    {
        const QByteArray baData = Pattern(0x30000, 5);
        SignalLog spy(&H().Com(), &CVpuCom::sigVpuFlashDone);
        QCOMPARE(H().Com().WriteVpuFlash(0x400000, 0x30000, 0, Data(baData)), 0);
        QCOMPARE(H().Com().WriteVpuFlash(0x800000, 0x1000, 0, Data(baData)), -3);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), 0);
        QCOMPARE(H().Device().VpuFlash(0x400000, 0x30000), baData);
        H().Model().ClearLog();

        SignalLog erase(&H().Com(), &CVpuCom::sigEraseFixtureFlashMsg);
        SignalLog done(&H().Com(), &CVpuCom::sigFixtureFlashDone);
        H().Com().WriteFixtureFlash(kF12, 0x100000, 0x100, Data(baData));
        QVERIFY(done.wait(5000));
        QCOMPARE(erase.count(), 1);
        QCOMPARE(H().Com().FixtEraseFlash(kF12, 0x110000, 0x10000), 0);
        QVERIFY(erase.wait(5000));
        QTest::qWait(50);
        QCOMPARE(spy.count() + done.count(), 2);
        QCOMPARE(Steps(H().Model()), (QStringList{"E 100000 10000", "W 100000 100", "E 110000 10000"}));
    }

    void compareSwapped32_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("result");
        QTest::newRow("reversed word") << Bytes("01 02 03 04") << Bytes("04 03 02 01") << 4 << 0;
        QTest::newRow("same order") << Bytes("01 02 03 04") << Bytes("01 02 03 04") << 4 << -1;
        QTest::newRow("halves swapped only") << Bytes("01 02 03 04") << Bytes("03 04 01 02") << 4 << -1;
        QTest::newRow("second word differs")
            << Bytes("01 02 03 04 05 06 07 08") << Bytes("04 03 02 01 08 07 06 00") << 8 << -1;
        QTest::newRow("3 trailing, mirrored pair equal")
            << Bytes("01 02 03 04 05 06 07") << Bytes("04 03 02 01 ff 07 06") << 7 << 0;
        QTest::newRow("3 trailing, mirrored pair differs")
            << Bytes("01 02 03 04 05 06 07") << Bytes("04 03 02 01 ff 07 00") << 7 << -1;
        QTest::newRow("1 trailing") << Bytes("05") << Bytes("aa") << 1 << 0;
        QTest::newRow("negative length") << Bytes("01 02 03 04") << Bytes("04 03 02 01") << -4 << -1;
    }
    void compareSwapped32()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, length);
        QFETCH(int, result);
        // Buffers of exactly the length, so a read beyond it trips the address sanitizer.
        const int iLen = qMax(length, 0);
        std::vector<quint8> vA(a.begin(), a.begin() + iLen);
        std::vector<quint8> vB(b.begin(), b.begin() + iLen);
        QCOMPARE(CVpuCom::CompareSwapped32(vA.data(), vB.data(), length), result);
    }

    // Runs last: factory mode cannot be switched off again in the one configuration object.
    void factoryModeOpensReadOnlyArea()
    {
        m_pH.reset();
        QTemporaryDir tDir;
        const QString qsConf = tDir.filePath(QStringLiteral("Lantrel.xml"));
        QVERIFY(WriteTestFile(qsConf,
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel><General><Traces>yes</Traces>"
                              "<Factory_mode>yes</Factory_mode><Factory_pwd>secret1</Factory_pwd></General>"
                              "</Lantrel>\n"));
        QCOMPARE(g_SoftConf.Open(qsConf), 0);
        g_SoftConf.Parse();
        QVERIFY(g_SoftConf.GetFactoryMode());
        QVERIFY(StartHarness(kFactoryAddress));
        RunJob(true, 0x80000, 0x11000, 0, {"E 80000 10000", "W 80000 10000", "E 90000 10000", "W 90000 1000"});
        H().Model().ClearLog();
        RunJob(true, 0x0, 0x100, 0, {"E 0 10000", "W 0 100"});
    }
};

QTEST_GUILESS_MAIN(TestVpuComTransfer)
#include "tst_vpucomtransfer.moc"
