// The request queue and its worker against the simulated VPU: posting order, exactly one
// completion per request, requests posted while closed, Open and Close rules, the time-out
// and the restart that follows it, and that a restart is carried out once.
#include "comm/usbcom.h"
#include "comm/vpucom.h"
#include "support/fakeusb.h"
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

    // An id nothing executes (a reply id, an unused one) is dropped without a word on the
    // wire; the request behind it runs as usual.
    void unknownIdsDropped()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        SignalLog status(&h.Com(), &CVpuCom::sigStatusMsg);
        QCOMPARE(h.Com().PostRequest(VPU_MSG_GET_CONFIG_RSP, 0, nullptr, 1000), 0);
        QCOMPARE(h.Com().PostRequest(VpuMsgId_t(61), 3, "abc", 1000), 0);
        QCOMPARE(h.Com().PostRequest(VPU_MSG_STATUS, 0, nullptr, 1000), 0);
        QVERIFY(status.wait());
        QCOMPARE(status.first().at(0).toInt(), 0);
        QCOMPARE(Hex(h.Model().Requests().join()), QByteArray("02 00 00 00 00"));
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

    // Failures complete like successes: once each, in posting order. After a time-out the
    // requests behind it wait for the link to be reopened instead of reading its late reply.
    void failuresCompleteOnceInOrder()
    {
        VpuComHarness h(kAddress);
        QVERIFY(h.Start());
        CVpuCom &c = h.Com();
        VpuSimFault tError;
        tError.iStatus = -5;
        h.Model().SetFault(14, tError);
        VpuSimFault tLate;
        tLate.iDelayMs = 400; // answered, but after the budget
        h.Model().SetFault(8, tLate);
        QStringList lOrder;
        connect(&c, &CVpuCom::sigStatusMsg, this, [&](int i) { lOrder.append(QStringLiteral("status %1").arg(i)); });
        connect(&c, &CVpuCom::sigSetGamma, this, [&](int i) { lOrder.append(QStringLiteral("gamma %1").arg(i)); });
        connect(&c, &CVpuCom::sigGetConfig, this,
                [&](int i, VpuConfig_t) { lOrder.append(QStringLiteral("config %1").arg(i)); });
        connect(&c, &CVpuCom::sigFixturesNumbersMsg, this,
                [&](int i, FixturesNum_t) { lOrder.append(QStringLiteral("numbers %1").arg(i)); });
        c.GetStatus();
        c.SetGamma(0, 1, 2, 3);
        c.SetRequestTimeoutMs(150);
        c.GetConfig();
        c.SetRequestTimeoutMs(VPU_REQUEST_TIMEOUT_MS);
        c.FixtGetNumber();
        QTRY_COMPARE(lOrder, (QStringList{"status 0", "gamma -5", "config -202"}));
        // The late GET_CONFIG reply is on its way: nothing more goes out on this stream.
        QTest::qWait(600);
        QCOMPARE(lOrder.size(), 3);
        QCOMPARE(h.Model().Requests().size(), 3);
        c.Close();
        QCOMPARE(c.Open(), 0);
        QTRY_COMPARE(lOrder.size(), 4);
        QCOMPARE(lOrder.last(), QStringLiteral("numbers 0"));
        QTest::qWait(50);
        QCOMPARE(lOrder.size(), 4);
    }

    // The same worker over the USB transport: device index, INIT_COM and a typed request.
    void usbLink()
    {
        TestEnv tEnv;
        const UsbDeviceId_t tVpu{0x04D8, 0x0204};
        FakeUsbBus tBus({tVpu});
        VpuSimDevice tDevice(tBus.Model());
        CUsbCom::SetDefaultBackendFactory([&tBus] { return tBus.MakeBackend(); });
        {
            CVpuCom c;
            c.SetUsbParams(0x04D8, 0x0204, 1);
            QCOMPARE(c.Open(), -206);
            QVERIFY(!c.isRunning());
            c.SetUsbParams(0x04D8, 0x0204, 0);
            quint32 uiType = 0;
            c.GetComType(&uiType);
            QCOMPARE(uiType, quint32(CVpuCom::COM_TYPE_USB));
            QCOMPARE(c.Open(), 0);
            SignalLog init(&c, &CVpuCom::sigInitCom);
            SignalLog config(&c, &CVpuCom::sigGetConfig);
            c.InitCom();
            c.GetConfig();
            QVERIFY(config.wait());
            QCOMPARE(init.count(), 1);
            QCOMPARE(init.first().at(0).toInt(), 0);
            QCOMPARE(config.first().at(0).toInt(), 0);
            QCOMPARE(config.first().at(1).value<VpuConfig_t>().SerialNumber, 0x12345678u);
            c.Close();
        }
        CUsbCom::SetDefaultBackendFactory(nullptr);
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
