// The two flash sequencers against the simulated VPU over loopback TCP: the exact order of
// erase and write requests (ids, offsets, sizes), NOR rules kept (the flash around a job is
// filled with a pattern first, so a write into a sector that was not erased shows up), data
// read back, the fixture flash's read-only area, exactly one done signal with the first
// failing status; then the sector geometry and the word-swapped compare.
#include "comm/vpucom.h"
#include "config/softconf.h"
#include "support/vpucomharness.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace {

const QString kAddress = QStringLiteral("127.0.0.80");
const QString kFactoryAddress = QStringLiteral("127.0.0.81");
const FixtureAddr_t kF12{1, 2};
constexpr char kFill = char(0xA5); // what the flash holds before a job: anything but erased

// A request as "E|W offset size" (hex); the fixture's address and the write flag are checked
// apart from the order.
QString Step(const QByteArray &baMsg)
{
    const quint8 ucId = quint8(baMsg[0]);
    const bool bFixture = ucId == 56 || ucId == 57;
    const int iAt = bFixture ? 10 : 5;
    const QString qsKind = (ucId == 20 || ucId == 56) ? "E" : (ucId == 22 || ucId == 57) ? "W" : QString::number(ucId);
    return QStringLiteral("%1 %2 %3")
        .arg(qsKind)
        .arg(SimGetU32(baMsg, iAt), 0, 16)
        .arg(SimGetU32(baMsg, iAt + 4), 0, 16);
}

QStringList Steps(VpuSimModel &tModel)
{
    QStringList l;
    for (const QByteArray &ba : tModel.Messages())
        l.append(Step(ba));
    return l;
}

QByteArray Pattern(int iSize, int iSeed)
{
    QByteArray ba(iSize, Qt::Uninitialized);
    quint32 x = 0x9E3779B9u * quint32(iSeed + 1);
    for (int i = 0; i < iSize; ++i) {
        x = x * 1664525u + 1013904223u;
        ba[i] = char(x >> 24);
    }
    return ba;
}

struct Window
{
    quint32 uiStart;
    quint32 uiSize;
};

// The flash around a job, from the sector before it to the sector after it.
Window Around(quint32 uiOffset, quint32 uiSize, quint32 uiFlashSize)
{
    const quint32 uiStart = uiOffset >= 0x40000 ? uiOffset - 0x40000 : 0;
    const quint32 uiEnd = qMin<quint64>(quint64(uiOffset) + uiSize + 0x40000, uiFlashSize);
    return Window{uiStart, uiEnd - uiStart};
}

// Bytes of the window outside the erased sectors must still hold the fill.
void CheckOutside(const QByteArray &baWindow, const Window &w, quint32 uiEraseStart, quint32 uiEraseEnd)
{
    for (quint32 i = 0; i < w.uiSize; ++i) {
        const quint32 uiAt = w.uiStart + i;
        if ((uiAt < uiEraseStart || uiAt >= uiEraseEnd) && baWindow[i] != kFill)
            QFAIL(qPrintable(QString("byte at 0x%1 changed").arg(uiAt, 0, 16)));
    }
}

} // namespace

class TestFlashSeq : public QObject
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

    // A fixture job that the sequencer must carry out without a fault.
    void RunFixtureJob(quint32 uiOffset, quint32 uiSize, const QStringList &lExpected)
    {
        const Window w = Around(uiOffset, uiSize, CVpuCom::FIXT_FLASH_SIZE);
        H().Device().SetFixtureFlash(1, 2, w.uiStart, QByteArray(int(w.uiSize), kFill));
        H().Device().SetFixtureFlash(1, 3, w.uiStart, QByteArray(int(w.uiSize), kFill));
        const QByteArray baData = Pattern(int(uiSize), int(uiOffset));

        SignalLog spy(&H().Com(), &CVpuCom::sigFixtureFlashDone);
        QCOMPARE(
            H().Com().WriteFixtureFlash(kF12, uiOffset, uiSize, reinterpret_cast<const quint8 *>(baData.constData())),
            0);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), 0);

        QCOMPARE(Steps(H().Model()), lExpected);
        for (const QByteArray &ba : H().Model().Messages())
            QCOMPARE(Hex(ba.mid(5, 5)), QByteArray("01 02 00 00 00"));
        QCOMPARE(H().Device().Violations(), QStringList());
        QCOMPARE(H().Model().Violations(), QStringList());
        QCOMPARE(H().Device().FixtureFlash(1, 2, uiOffset, uiSize), baData);

        quint32 uiEraseStart = 0, uiLastStart = 0, uiLastSize = 0, uiDummy = 0;
        CVpuCom::GetFixtureFlashSector(uiOffset, &uiEraseStart, &uiDummy);
        CVpuCom::GetFixtureFlashSector(uiOffset + uiSize - 1, &uiLastStart, &uiLastSize);
        CheckOutside(H().Device().FixtureFlash(1, 2, w.uiStart, w.uiSize), w, uiEraseStart, uiLastStart + uiLastSize);
        // The neighbour in the chain was not addressed.
        QCOMPARE(H().Device().FixtureFlash(1, 3, w.uiStart, w.uiSize), QByteArray(int(w.uiSize), kFill));
        QVERIFY(H().Traces().Contains(QStringLiteral("    File written to fixture flash with success!"),
                                      TRACE_KIND_SUCCESS));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
    }

private slots:
    void init() { QVERIFY(StartHarness(kAddress)); }
    void cleanup() { m_pH.reset(); }

    void vpuJob_data()
    {
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("192 KB at 4 MB") << 0x400000u << 0x30000u << 0
                                        << QStringList{"E 400000 20000", "W 400000 20000", "E 420000 20000",
                                                       "W 420000 10000"};
        QTest::newRow("64 KB at 32 KB above the small sectors")
            << 0x1FE8000u << 0x10000u << 1
            << QStringList{"E 1fe8000 8000", "W 1fe8000 8000", "E 1ff0000 8000", "W 1ff0000 8000"};
        QTest::newRow("unaligned over two sectors")
            << 0x410000u << 0x20000u << 0
            << QStringList{"E 400000 20000", "W 410000 10000", "E 420000 20000", "W 420000 10000"};
        QTest::newRow("unaligned over the zone border")
            << 0x1FD0000u << 0x18000u << 1
            << QStringList{"E 1fc0000 20000", "W 1fd0000 10000", "E 1fe0000 8000", "W 1fe0000 8000"};
        QTest::newRow("odd size inside one sector")
            << 0x401234u << 1000u << 0 << QStringList{"E 400000 20000", "W 401234 3e8"};
        QTest::newRow("up to the end of the flash")
            << 0x1FF4000u << 0xC000u << 1
            << QStringList{"E 1ff0000 8000", "W 1ff4000 4000", "E 1ff8000 8000", "W 1ff8000 8000"};
    }
    void vpuJob()
    {
        QFETCH(quint32, offset);
        QFETCH(quint32, size);
        QFETCH(int, flag);
        QFETCH(QStringList, expected);
        const Window w = Around(offset, size, VpuSimDevice::VPU_FLASH_SIZE);
        H().Device().SetVpuFlash(w.uiStart, QByteArray(int(w.uiSize), kFill));
        const QByteArray baData = Pattern(int(size), int(offset));

        SignalLog spy(&H().Com(), &CVpuCom::sigVpuFlashDone);
        QCOMPARE(
            H().Com().WriteVpuFlash(offset, size, quint8(flag), reinterpret_cast<const quint8 *>(baData.constData())),
            0);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), 0);

        QCOMPARE(Steps(H().Model()), expected);
        for (const QByteArray &ba : H().Model().Messages()) {
            if (quint8(ba[0]) == 22)
                QCOMPARE(int(ba[13]), flag);
        }
        QCOMPARE(H().Device().Violations(), QStringList());
        QCOMPARE(H().Model().Violations(), QStringList());
        QCOMPARE(H().Device().VpuFlash(offset, size), baData);
        const QStringList lFirst = expected.first().split(' ');
        const QStringList lLast = expected.at(expected.size() - 2).split(' ');
        CheckOutside(H().Device().VpuFlash(w.uiStart, w.uiSize), w, lFirst[1].toUInt(nullptr, 16),
                     lLast[1].toUInt(nullptr, 16) + lLast[2].toUInt(nullptr, 16));

        QVERIFY(H().Traces().Contains(
            QString::asprintf("    Writing %u bytes in VPU's Flash at offset 0x%08X ...", size, offset),
            TRACE_KIND_INFO));
        QVERIFY(
            H().Traces().Contains(QStringLiteral("    Data written to VPU flash with success!"), TRACE_KIND_SUCCESS));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
    }

    // Every step tells the user where it is.
    void vpuJobProgressTraces()
    {
        const QByteArray baData = Pattern(0x30000, 1);
        SignalLog spy(&H().Com(), &CVpuCom::sigVpuFlashDone);
        H().Com().WriteVpuFlash(0x400000, 0x30000, 0, reinterpret_cast<const quint8 *>(baData.constData()));
        QVERIFY(spy.wait(10000));
        const QStringList l = H().Traces().Lines();
        const QStringList lExpected{
            "    Writing 196608 bytes in VPU's Flash at offset 0x00400000 ...",
            "        Erasing VPU's Flash at offset 0x00400000 - size = 0x00020000 ...",
            "        VPU flash sector at offset 0x00400000 erased!",
            "        Writing VPU's Flash at offset 0x00400000 - size = 0x00020000 ...",
            "        VPU flash sector at offset 0x00400000 written!",
            "        Erasing VPU's Flash at offset 0x00420000 - size = 0x00020000 ...",
            "        VPU flash sector at offset 0x00420000 erased!",
            "        Writing VPU's Flash at offset 0x00420000 - size = 0x00010000 ...",
            "        VPU flash sector at offset 0x00420000 written!",
            "    Data written to VPU flash with success!",
        };
        QCOMPARE(l, lExpected);
    }

    void fixtureJob_data()
    {
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("LED map in the last sector")
            << 0x1FC000u << 768u << QStringList{"E 1fc000 4000", "W 1fc000 300"};
        QTest::newRow("8 KB above 0x1F8000")
            << 0x1FA000u << 0x4000u << QStringList{"E 1fa000 2000", "W 1fa000 2000", "E 1fc000 4000", "W 1fc000 2000"};
        QTest::newRow("gain tables") << 0x180000u << 0x40000u
                                     << QStringList{"E 180000 10000", "W 180000 10000", "E 190000 10000",
                                                    "W 190000 10000", "E 1a0000 10000", "W 1a0000 10000",
                                                    "E 1b0000 10000", "W 1b0000 10000"};
        QTest::newRow("unaligned over three zones")
            << 0x1EF000u << 0xB000u << QStringList{"E 1e0000 10000", "W 1ef000 1000", "E 1f0000 8000",
                                                   "W 1f0000 8000",  "E 1f8000 2000", "W 1f8000 2000"};
        QTest::newRow("first writable byte") << 0xC0000u << 0x100u << QStringList{"E c0000 10000", "W c0000 100"};
        QTest::newRow("unaligned up to the end")
            << 0x1FE000u << 0x2000u << QStringList{"E 1fc000 4000", "W 1fe000 2000"};
    }
    void fixtureJob()
    {
        QFETCH(quint32, offset);
        QFETCH(quint32, size);
        QFETCH(QStringList, expected);
        RunFixtureJob(offset, size, expected);
        QVERIFY(H().Traces().Contains(
            QString::asprintf("    Writing %u bytes in fixture's Flash (F1.2) at offset 0x%08X ...", size, offset),
            TRACE_KIND_INFO));
    }

    // Refusals found before anything is queued end the job at once, with one done signal.
    void refusedBeforeAnything_data()
    {
        QTest::addColumn<bool>("fixture");
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("trace");
        QTest::newRow("fixture read-only") << true << 0x80000u << 0x1000u << -4 << "Fixture FLASH offset is read-only!";
        QTest::newRow("fixture read-only, unaligned")
            << true << 0xBF000u << 0x2000u << -4 << "Fixture FLASH offset is read-only!";
        QTest::newRow("fixture at 2 MB") << true << 0x200000u << 16u << -1 << "Invalid Flash Offset!";
        QTest::newRow("fixture running off the end") << true << 0x1FF000u << 0x2000u << -1 << "Invalid Flash Offset!";
        QTest::newRow("fixture size wraps") << true << 0x100000u << 0xFFFFFF00u << -1 << "Invalid Flash Offset!";
        QTest::newRow("VPU running off the end") << false << 0x1FF8000u << 0x8001u << -1 << "Invalid Flash Offset!";
        QTest::newRow("VPU beyond the end") << false << 0x2000000u << 1u << -1 << "Invalid Flash Offset!";
    }
    void refusedBeforeAnything()
    {
        QFETCH(bool, fixture);
        QFETCH(quint32, offset);
        QFETCH(quint32, size);
        QFETCH(int, status);
        QFETCH(QString, trace);
        const Window w = Around(qMin(offset, 0x1F0000u), 0x1000, CVpuCom::FIXT_FLASH_SIZE);
        H().Device().SetFixtureFlash(1, 2, w.uiStart, QByteArray(int(w.uiSize), kFill));
        const QByteArray baData = Pattern(0x10000, 3);
        const auto *pucData = reinterpret_cast<const quint8 *>(baData.constData());

        SignalLog spy(&H().Com(), fixture ? SIGNAL(sigFixtureFlashDone(int)) : SIGNAL(sigVpuFlashDone(int)));
        const int iResult = fixture ? H().Com().WriteFixtureFlash(kF12, offset, size, pucData)
                                    : H().Com().WriteVpuFlash(offset, size, 0, pucData);
        QCOMPARE(iResult, status);
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
        RunFixtureJob(0x1FC000, 16, {"E 1fc000 4000", "W 1fc000 10"});
    }

    void zeroLength()
    {
        SignalLog vpu(&H().Com(), &CVpuCom::sigVpuFlashDone);
        SignalLog fixt(&H().Com(), &CVpuCom::sigFixtureFlashDone);
        QCOMPARE(H().Com().WriteVpuFlash(0x400000, 0, 0, nullptr), 0);
        QCOMPARE(H().Com().WriteFixtureFlash(kF12, 0x100000, 0, nullptr), 0);
        QVERIFY(vpu.wait(1000));
        QVERIFY(fixt.wait(1000));
        QCOMPARE(vpu.first().at(0).toInt(), 0);
        QCOMPARE(fixt.first().at(0).toInt(), 0);
        QVERIFY(
            H().Traces().Contains(QStringLiteral("    Data written to VPU flash with success!"), TRACE_KIND_SUCCESS));
        QVERIFY(H().Traces().Contains(QStringLiteral("    File written to fixture flash with success!"),
                                      TRACE_KIND_SUCCESS));
        QTest::qWait(50);
        QCOMPARE(H().Model().Messages(), QList<QByteArray>());
    }

    // The VPU refuses a step, or the link fails during one: the job stops right there and ends
    // once with that status.
    void failureInjected_data()
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
        QTest::newRow("VPU second erase") << false << 20 << 1 << false << -78 << lVpu.mid(0, 3);
        QTest::newRow("VPU first write") << false << 22 << 0 << false << -79 << lVpu.mid(0, 2);
        QTest::newRow("VPU last write") << false << 22 << 1 << false << -80 << lVpu;
        QTest::newRow("VPU erase times out") << false << 20 << 1 << true << -202 << lVpu.mid(0, 3);
        QTest::newRow("fixture first erase") << true << 56 << 0 << false << -81 << lFixt.mid(0, 1);
        QTest::newRow("fixture second erase") << true << 56 << 1 << false << -82 << lFixt.mid(0, 3);
        QTest::newRow("fixture first write") << true << 57 << 0 << false << -83 << lFixt.mid(0, 2);
        QTest::newRow("fixture last write") << true << 57 << 1 << false << -84 << lFixt;
        QTest::newRow("fixture erase times out") << true << 56 << 1 << true << -202 << lFixt.mid(0, 3);
    }
    void failureInjected()
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
        H().Com().SetRequestTimeoutMs(300);
        const QByteArray baData = Pattern(0x30000, 4);
        const auto *pucData = reinterpret_cast<const quint8 *>(baData.constData());

        SignalLog spy(&H().Com(), fixture ? SIGNAL(sigFixtureFlashDone(int)) : SIGNAL(sigVpuFlashDone(int)));
        SignalLog restart(&H().Com(), &CVpuCom::sigRestartComMsg);
        const int iResult = fixture ? H().Com().WriteFixtureFlash(kF12, 0x100000, 0x18000, pucData)
                                    : H().Com().WriteVpuFlash(0x400000, 0x30000, 0, pucData);
        QCOMPARE(iResult, 0);
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

    // A second job of a kind while the first runs is refused and leaves the first alone.
    void secondJobRefused()
    {
        const QByteArray baData = Pattern(0x30000, 5);
        const auto *pucData = reinterpret_cast<const quint8 *>(baData.constData());
        SignalLog spy(&H().Com(), &CVpuCom::sigVpuFlashDone);
        QCOMPARE(H().Com().WriteVpuFlash(0x400000, 0x30000, 0, pucData), 0);
        QCOMPARE(H().Com().WriteVpuFlash(0x800000, 0x1000, 0, pucData), -3);
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.first().at(0).toInt(), 0);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Steps(H().Model()),
                 (QStringList{"E 400000 20000", "W 400000 20000", "E 420000 20000", "W 420000 10000"}));
        QCOMPARE(H().Device().VpuFlash(0x400000, 0x30000), baData);
    }

    // The request functions' completions reach the caller as well; a plain erase that comes
    // after a job has ended does not bring the job back.
    void completionsAfterTheJob()
    {
        SignalLog erase(&H().Com(), &CVpuCom::sigEraseFixtureFlashMsg);
        SignalLog done(&H().Com(), &CVpuCom::sigFixtureFlashDone);
        const QByteArray baData = Pattern(0x100, 6);
        H().Com().WriteFixtureFlash(kF12, 0x100000, 0x100, reinterpret_cast<const quint8 *>(baData.constData()));
        QVERIFY(done.wait(5000));
        QCOMPARE(erase.count(), 1);
        QCOMPARE(H().Com().FixtEraseFlash(kF12, 0x110000, 0x10000), 0);
        QVERIFY(erase.wait(5000));
        QTest::qWait(50);
        QCOMPARE(done.count(), 1);
        QCOMPARE(Steps(H().Model()), (QStringList{"E 100000 10000", "W 100000 100", "E 110000 10000"}));
    }

    void sectorGeometry_data()
    {
        QTest::addColumn<bool>("fixture");
        QTest::addColumn<quint32>("offset");
        QTest::addColumn<int>("result");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("size");
        QTest::newRow("VPU 0") << false << 0u << 0 << 0u << 0x20000u;
        QTest::newRow("VPU 4 MB + 1") << false << 0x400001u << 0 << 0x400000u << 0x20000u;
        QTest::newRow("VPU last large") << false << 0x1FDFFFFu << 0 << 0x1FC0000u << 0x20000u;
        QTest::newRow("VPU first small") << false << 0x1FE0000u << 0 << 0x1FE0000u << 0x8000u;
        QTest::newRow("VPU last byte") << false << 0x1FFFFFFu << 0 << 0x1FF8000u << 0x8000u;
        QTest::newRow("fixture 0") << true << 0u << 0 << 0u << 0x10000u;
        QTest::newRow("fixture last 64 KB") << true << 0x1EFFFFu << 0 << 0x1E0000u << 0x10000u;
        QTest::newRow("fixture 32 KB") << true << 0x1F7FFFu << 0 << 0x1F0000u << 0x8000u;
        QTest::newRow("fixture first 8 KB") << true << 0x1F8000u << 0 << 0x1F8000u << 0x2000u;
        QTest::newRow("fixture second 8 KB") << true << 0x1FBFFFu << 0 << 0x1FA000u << 0x2000u;
        QTest::newRow("fixture 16 KB") << true << 0x1FC000u << 0 << 0x1FC000u << 0x4000u;
        QTest::newRow("fixture last byte") << true << 0x1FFFFFu << 0 << 0x1FC000u << 0x4000u;
        QTest::newRow("fixture beyond the end") << true << 0x200000u << -1 << 0u << 0u;
        QTest::newRow("fixture 4 GB - 1") << true << 0xFFFFFFFFu << -1 << 0u << 0u;
    }
    void sectorGeometry()
    {
        QFETCH(bool, fixture);
        QFETCH(quint32, offset);
        QFETCH(int, result);
        QFETCH(quint32, start);
        QFETCH(quint32, size);
        quint32 uiStart = 1, uiSize = 1;
        QCOMPARE(fixture ? CVpuCom::GetFixtureFlashSector(offset, &uiStart, &uiSize)
                         : CVpuCom::GetVpuFlashSector(offset, &uiStart, &uiSize),
                 result);
        if (result == 0)
            QCOMPARE((QList<quint32>{uiStart, uiSize}), (QList<quint32>{start, size}));
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
        QTest::newRow("length 0") << Bytes("01 02 03 04") << Bytes("01 02 03 04") << 0 << 0;
        QTest::newRow("second word differs")
            << Bytes("01 02 03 04 05 06 07 08") << Bytes("04 03 02 01 08 07 06 00") << 8 << -1;
        QTest::newRow("two words") << Bytes("01 02 03 04 05 06 07 08") << Bytes("04 03 02 01 08 07 06 05") << 8 << 0;
        QTest::newRow("difference beyond the length")
            << Bytes("01 02 03 04 05 06 07 08") << Bytes("04 03 02 01 00 00 00 00") << 4 << 0;
        QTest::newRow("3 trailing, mirrored pair equal")
            << Bytes("01 02 03 04 05 06 07") << Bytes("04 03 02 01 ff 07 06") << 7 << 0;
        QTest::newRow("3 trailing, mirrored pair differs")
            << Bytes("01 02 03 04 05 06 07") << Bytes("04 03 02 01 ff 07 00") << 7 << -1;
        QTest::newRow("2 trailing") << Bytes("01 02 03 04 05 06") << Bytes("04 03 02 01 aa bb") << 6 << 0;
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
        std::vector<quint8> vA(a.begin(), a.begin() + qMin<qsizetype>(iLen, a.size()));
        std::vector<quint8> vB(b.begin(), b.begin() + qMin<qsizetype>(iLen, b.size()));
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
        RunFixtureJob(0x80000, 0x11000, {"E 80000 10000", "W 80000 10000", "E 90000 10000", "W 90000 1000"});
        QVERIFY(!H().Traces().Contains(QStringLiteral("Fixture FLASH offset is read-only!"), TRACE_KIND_ERROR));
        H().Model().ClearLog();
        RunFixtureJob(0x0, 0x100, {"E 0 10000", "W 0 100"});
    }
};

QTEST_GUILESS_MAIN(TestFlashSeq)
#include "tst_flashseq.moc"
