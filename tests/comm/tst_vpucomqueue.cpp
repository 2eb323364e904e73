// The request queue and its worker against the simulated VPU: posting order, exactly one
// completion per request, requests posted while closed, Open and Close rules, the time-out
// and the restart that follows it, and that a restart is carried out once.
#include "comm/vpucom.h"
#include "support/vpucomharness.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <atomic>

namespace {

const QString kAddress = QStringLiteral("127.0.0.41");

// The part of the main window that the restart relies on: going offline disarms the
// restart, a good INIT_COM answer brings the program online and arms it again.
class OnlineStandIn : public QObject
{
    Q_OBJECT
public:
    explicit OnlineStandIn(CVpuCom &tCom) : m_tCom(tCom)
    {
        connect(&m_tCom, &CVpuCom::sigSetOnline, this, &OnlineStandIn::SetOnline, Qt::DirectConnection);
        connect(&m_tCom, &CVpuCom::sigInitCom, this, [this](int iStatus) {
            m_lEvents.append(QStringLiteral("init %1").arg(iStatus));
            if (iStatus == 0)
                SetOnline(true);
            else
                m_tCom.CloseIfOpen();
        });
    }
    void SetOnline(bool bOnline)
    {
        m_lEvents.append(bOnline ? QStringLiteral("online") : QStringLiteral("offline"));
        if (!bOnline && m_bArmed)
            disconnect(&m_tCom, &CVpuCom::sigRestartComMsg, &m_tCom, &CVpuCom::s_OnRestartComMsg);
        if (bOnline && !m_bArmed)
            connect(&m_tCom, &CVpuCom::sigRestartComMsg, &m_tCom, &CVpuCom::s_OnRestartComMsg);
        m_bArmed = bOnline;
    }
    QStringList m_lEvents;

private:
    CVpuCom &m_tCom;
    bool m_bArmed = false;
};

} // namespace

class TestVpuComQueue : public QObject
{
    Q_OBJECT

private slots:
    void postedWhileClosedRunsAfterOpen()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Sim().Start());
        SignalLog spy(&h.Com(), &CVpuCom::sigStatusMsg);
        QCOMPARE(h.Com().GetStatus(), 0);
        QTest::qWait(100);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(h.Model().Requests().size(), 0);
        h.Com().SetNetParams(h.Sim().Address(), h.Sim().Port());
        QCOMPARE(h.Com().Open(), 0);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().at(0).toInt(), 0);
    }

    void openRules()
    {
        VpuComHarness h(kAddress);
        quint32 uiType = 0;
        h.Com().GetComType(&uiType);
        QCOMPARE(uiType, quint32(CVpuCom::COM_TYPE_NONE));
        QCOMPARE(h.Com().Open(), -4);
        QVERIFY(!h.Com().isRunning());
        QCOMPARE(h.Com().CloseIfOpen(), 0);

        // Nobody listening yet: the link stays closed and can be opened later.
        QVERIFY(h.Sim().Start());
        const quint16 usPort = h.Sim().Port();
        h.Sim().Stop();
        h.Com().SetNetParams(kAddress, usPort);
        QCOMPARE(h.Com().Open(), -200);
        QVERIFY(!h.Com().IsOpen());
        QVERIFY(!h.Com().isRunning());
        QVERIFY(h.Sim().Start(usPort));
        QCOMPARE(h.Com().Open(), 0);
        // A second opening would orphan the running worker's transport.
        QCOMPARE(h.Com().Open(), -3);
        QVERIFY(h.Com().IsOpen());
        QTRY_COMPARE(h.Sim().ConnectionCount(), 1);
        h.Com().Close();
        QVERIFY(!h.Com().isRunning());
        QCOMPARE(h.Com().CloseIfOpen(), 0);
    }

    // Many requests of several kinds: their signals come in posting order, one each, and
    // request n+1 reaches the VPU only after request n's signal was emitted.
    void fifoOrderAndOneSignalEach()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        // Recorded on the worker thread as each signal is emitted, before anything else runs.
        QMutex tMutex;
        QStringList lOrder;
        QList<int> lSeenBySim;
        auto fnRecord = [&](const QString &qsName) {
            const int iSeen = int(h.Model().Requests().size());
            QMutexLocker tLock(&tMutex);
            lOrder.append(qsName);
            lSeenBySim.append(iSeen);
        };
        auto fnCount = [&] {
            QMutexLocker tLock(&tMutex);
            return lOrder.size();
        };
        CVpuCom &c = h.Com();
        connect(
            &c, &CVpuCom::sigStatusMsg, this, [&](int) { fnRecord("status"); }, Qt::DirectConnection);
        connect(
            &c, &CVpuCom::sigGetConfig, this, [&](int, VpuConfig_t) { fnRecord("config"); }, Qt::DirectConnection);
        connect(
            &c, &CVpuCom::sigSetGamma, this, [&](int) { fnRecord("gamma"); }, Qt::DirectConnection);
        connect(
            &c, &CVpuCom::sigFixturesNumbersMsg, this, [&](int, FixturesNum_t) { fnRecord("numbers"); },
            Qt::DirectConnection);
        QStringList lExpected;
        for (int i = 0; i < 10; ++i) {
            c.GetStatus();
            c.GetConfig();
            c.SetGamma(0, 100, 100, 100);
            c.FixtGetNumber();
            lExpected << "status"
                      << "config"
                      << "gamma"
                      << "numbers";
        }
        QTRY_COMPARE_WITH_TIMEOUT(fnCount(), lExpected.size(), 10000);
        QTest::qWait(50);
        QMutexLocker tLock(&tMutex);
        QCOMPARE(lOrder, lExpected);
        for (int i = 0; i < lSeenBySim.size(); ++i)
            QCOMPARE(lSeenBySim.at(i), i + 1);
    }

    void closeWaitsForTheRunningRequest()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        VpuSimFault tFault;
        tFault.iDelayMs = 300;
        h.Model().SetFault(8, tFault);
        SignalLog spy(&h.Com(), &CVpuCom::sigGetConfig);
        std::atomic<int> iEmitted{0};
        connect(
            &h.Com(), &CVpuCom::sigGetConfig, this, [&](int, VpuConfig_t) { ++iEmitted; }, Qt::DirectConnection);
        SignalLog status(&h.Com(), &CVpuCom::sigStatusMsg);
        h.Com().GetConfig();
        h.Com().GetStatus();
        QVERIFY(h.Model().WaitForRequests(1, 5000));
        QElapsedTimer tTimer;
        tTimer.start();
        h.Com().Close();
        QVERIFY(tTimer.elapsed() >= 200);
        QCOMPARE(iEmitted.load(), 1);
        QVERIFY(spy.wait());
        QCOMPARE(spy.first().at(0).toInt(), 0);
        QVERIFY(!h.Com().IsOpen());
        // The request behind it stayed queued and runs on the next opening.
        QCOMPARE(status.count(), 0);
        QCOMPARE(h.Com().Open(), 0);
        QVERIFY(status.wait(5000));
        QCOMPARE(status.first().at(0).toInt(), 0);
    }

    // A request that gets no answer: its own signal with -202, then the restart (offline,
    // close, reopen, the queued requests on the new link, INIT_COM, online).
    void timeoutRestartsAndQueuedRequestsSurvive()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        OnlineStandIn tMain(h.Com());
        tMain.SetOnline(true);
        h.Com().SetRequestTimeoutMs(300);
        VpuSimFault tSilent;
        tSilent.bSilent = true;
        h.Model().SetFault(2, tSilent);

        QStringList &lEvents = tMain.m_lEvents;
        lEvents.clear();
        CVpuCom &c = h.Com();
        connect(&c, &CVpuCom::sigStatusMsg, this, [&](int iStatus) {
            lEvents.append(QStringLiteral("status %1").arg(iStatus));
            h.Model().ClearFaults();
        });
        connect(&c, &CVpuCom::sigRestartComMsg, this,
                [&](int iReturn) { lEvents.append(QStringLiteral("restart %1").arg(iReturn)); });
        // Which connection the VPU served the request on, taken as the answer is emitted.
        std::atomic<int> iConnectionAtConfig{0};
        connect(
            &c, &CVpuCom::sigGetConfig, this,
            [&](int, VpuConfig_t) { iConnectionAtConfig = h.Sim().ConnectionCount(); }, Qt::DirectConnection);
        connect(&c, &CVpuCom::sigGetConfig, this,
                [&](int iStatus, VpuConfig_t) { lEvents.append(QStringLiteral("config %1").arg(iStatus)); });
        connect(&c, &CVpuCom::sigSetGamma, this,
                [&](int iStatus) { lEvents.append(QStringLiteral("gamma %1").arg(iStatus)); });

        c.GetStatus();
        c.GetConfig();
        c.SetGamma(1, 100, 100, 100);
        QTRY_COMPARE_WITH_TIMEOUT(lEvents.size(), 7, 10000);
        QTest::qWait(100);
        // The restart slot was connected first (by going online) and so runs before the
        // test's own record of the restart signal.
        QCOMPARE(lEvents,
                 (QStringList{"status -202", "offline", "restart -202", "config 0", "gamma 0", "init 0", "online"}));
        QCOMPARE(iConnectionAtConfig.load(), 2);
        QCOMPARE(h.Sim().ConnectionCount(), 2);
        QVERIFY(h.Com().IsOpen());
        // The time-out is no error box of its own; the request's trace tells it.
        QVERIFY(h.Traces().Contains(QStringLiteral("Wait for VPU_MSG_STATUS_RSP Failed!"), TRACE_KIND_ERROR));
    }

    // Duplicate restart requests (a second connection, one left over from before the
    // reopening) do not reopen the link again.
    void restartRunsOnce()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        CVpuCom &c = h.Com();
        QStringList lOnline;
        connect(&c, &CVpuCom::sigSetOnline, this, [&](bool b) { lOnline.append(b ? "on" : "off"); });
        connect(&c, &CVpuCom::sigRestartComMsg, &c, &CVpuCom::s_OnRestartComMsg);
        connect(&c, &CVpuCom::sigRestartComMsg, &c, &CVpuCom::s_OnRestartComMsg);
        SignalLog init(&c, &CVpuCom::sigInitCom);
        c.SetRequestTimeoutMs(200);
        VpuSimFault tSilent;
        tSilent.bSilent = true;
        h.Model().SetFault(2, tSilent);
        c.GetStatus();
        QVERIFY(init.wait(5000));
        QTest::qWait(200);
        QCOMPARE(h.Sim().ConnectionCount(), 2);
        QCOMPARE(lOnline, QStringList{"off"});
        QCOMPARE(init.count(), 1);
        // A stale request after the reopening changes nothing either.
        c.s_OnRestartComMsg(-202);
        QCOMPARE(h.Sim().ConnectionCount(), 2);
    }

    // When the VPU is gone the restart leaves the link closed and offline.
    void restartWithoutVpuStaysClosed()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        CVpuCom &c = h.Com();
        QStringList lOnline;
        connect(&c, &CVpuCom::sigSetOnline, this, [&](bool b) { lOnline.append(b ? "on" : "off"); });
        connect(&c, &CVpuCom::sigRestartComMsg, &c, &CVpuCom::s_OnRestartComMsg);
        SignalLog status(&c, &CVpuCom::sigStatusMsg);
        SignalLog init(&c, &CVpuCom::sigInitCom);
        h.Sim().Stop();
        c.GetStatus();
        QVERIFY(status.wait(5000));
        QVERIFY(status.first().at(0).toInt() < 0);
        QTRY_COMPARE(lOnline, QStringList{"off"});
        QTRY_VERIFY(!c.IsOpen());
        QTest::qWait(100);
        QCOMPARE(init.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestVpuComQueue)
#include "tst_vpucomqueue.moc"
