// The main window's VPU link: start in the three modes, the online state of every panel in its
// order, the restart armed while online, and the fixture commands with the window disabled
// until their last answer.
#include "comm/usbcom.h"
#include "mainwindow/toolbox.h"
#include "panels/device/dmxconfig.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/sasusettings.h"
#include "panels/device/testcontrol.h"
#include "panels/device/videoinput.h"
#include "panels/scene/groupsettings.h"
#include "panels/scene/workspace.h"
#include "scene/fixture.h"
#include "scene/scenetest.h"
#include "support/fakeusb.h"
#include "support/linktest.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "testtools/testtools.h"
#include "update/fixtureupdate.h"
#include "update/vpuupdate.h"

#include <QPushButton>
#include <QTest>

namespace {

const QString kFactoryXml = QStringLiteral("<Factory_mode>yes</Factory_mode>");

// Names, in order, the panels whose widgets changed their enabled state: each change is put
// down to the panel that holds the widget, and repeats of the same panel count once.
class EnabledOrder : public QObject
{
public:
    explicit EnabledOrder(const QList<QPair<QWidget *, QString>> &panels) : m_Panels(panels)
    {
        qApp->installEventFilter(this);
    }
    ~EnabledOrder() override { qApp->removeEventFilter(this); }
    QStringList Order() const { return m_Order; }
    void Clear() { m_Order.clear(); }

    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pEvent->type() != QEvent::EnabledChange || !pWatched->isWidgetType())
            return false;
        for (QWidget *w = static_cast<QWidget *>(pWatched); w; w = w->parentWidget()) {
            for (const auto &panel : m_Panels) {
                if (panel.first == w) {
                    if (m_Order.isEmpty() || m_Order.last() != panel.second)
                        m_Order << panel.second;
                    return false;
                }
            }
        }
        return false;
    }

private:
    QList<QPair<QWidget *, QString>> m_Panels;
    QStringList m_Order;
};

// Logs each change of a window's own enabled state.
class WindowEnabledLog : public QObject
{
public:
    WindowEnabledLog(QWidget *pWindow, QStringList *pEvents) : m_pWindow(pWindow), m_pEvents(pEvents)
    {
        pWindow->installEventFilter(this);
    }
    ~WindowEnabledLog() override { m_pWindow->removeEventFilter(this); }
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pWatched == m_pWindow && pEvent->type() == QEvent::EnabledChange)
            *m_pEvents << (m_pWindow->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"));
        return false;
    }

private:
    QWidget *m_pWindow;
    QStringList *m_pEvents;
};

bool EnabledIn(QWidget *pPanel, const char *pcChild)
{
    QWidget *pChild = pPanel->findChild<QWidget *>(QLatin1String(pcChild));
    return pChild && pChild->isEnabledTo(pPanel);
}

} // namespace

class TestLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }

    void setOnlineOrder_data();
    void setOnlineOrder();
    void restartArmedOnceWhileOnline();
    void usbStart_data();
    void usbStart();
    void ethernetStart();
    void ethernetStartFails_data();
    void ethernetStartFails();
    void fixtureCommandKeepsWindowDisabledUntilCount_data();
    void fixtureCommandKeepsWindowDisabledUntilCount();
    void failedFixtureCommandSkipsCount();
    void restartWhoseReopenFailsReportsIt();
};

void TestLink::setOnlineOrder_data()
{
    QTest::addColumn<bool>("bFactory");
    QTest::newRow("user") << false;
    QTest::newRow("factory") << true;
}

void TestLink::setOnlineOrder()
{
    QFETCH(bool, bFactory);
    LinkFixture f(QStringLiteral("127.0.0.110"), bFactory ? kFactoryXml : QString());
    // The fixture update panel shows only fixtures of a type its catalogue knows.
    QVERIFY(LoadProjectTestCatalogue(bFactory));
    Zelvor *w = f.Build();
    QCOMPARE(w->IsFactoryMode(), bFactory);

    // Fixtures in the lists, so that the fixture panels are in use and their buttons follow
    // the link.
    QList<CFixture *> fixtures;
    for (int i = 0; i < 2; ++i) {
        auto *pFixture = new CFixture(w->Scene());
        pFixture->SetType(TestType(64, 32));
        w->Scene()->addItem(pFixture);
        pFixture->SetNumber(1, i + 1);
        fixtures << pFixture;
    }
    w->m_pFixtureSettings->UpdateFixtureList(fixtures);
    w->m_pSasuSettings->UpdateFixtureList(fixtures);
    w->m_pFixtureUpdate->UpdateFixtureList(fixtures);
    w->m_pGroupSettings->setEnabled(true);

    QList<QPair<QWidget *, QString>> panels = {
        {w->m_pWorkspace, "Workspace"},           {w->m_pVideoInput, "VideoInput"},
        {w->m_pInputColorCtrl, "InputColorCtrl"}, {w->m_pOutputColorCtrl, "OutputColorCtrl"},
        {w->m_pTestControl, "TestControl"},       {w->m_pFixtureSettings, "FixtureSettings"},
        {w->m_pGroupSettings, "GroupSettings"},   {w->m_pSasuSettings, "SasuSettings"},
        {w->m_pFixtureUpdate, "FixtureUpdate"},   {w->m_pToolBox, "ToolBox"},
        {w->m_pDMXConfig, "DMXConfig"},           {w->m_pVpuUpdate, "VpuUpdate"},
    };
    QStringList expected = {"Workspace",     "VideoInput",      "InputColorCtrl", "OutputColorCtrl",
                            "TestControl",   "FixtureSettings", "GroupSettings",  "SasuSettings",
                            "FixtureUpdate", "ToolBox",         "DMXConfig",      "VpuUpdate"};
    if (bFactory) {
        QVERIFY(w->m_pTestTools);
        panels << qMakePair(static_cast<QWidget *>(w->m_pTestTools), QStringLiteral("TestTools"));
        expected.insert(expected.indexOf("TestControl") + 1, QStringLiteral("TestTools"));
    } else {
        QVERIFY(!w->m_pTestTools);
    }

    EnabledOrder order(panels);
    QCOMPARE(w->SetOnline(true), 0);
    QCOMPARE(order.Order(), expected);
    QVERIFY(EnabledIn(w->m_pVideoInput, "m_pApplyBtn"));
    QVERIFY(EnabledIn(w->m_pWorkspace, "m_pVpuUploadSnapBtn"));
    QVERIFY(EnabledIn(w->m_pTestControl, "m_pFullRedBtn"));
    QVERIFY(EnabledIn(w->m_pFixtureUpdate, "m_pFirmProgAllBtn"));
    QVERIFY(EnabledIn(w->m_pDMXConfig, "m_pDmxWriteToVpuBtn"));
    QVERIFY(EnabledIn(w->m_pVpuUpdate, "m_pFpgaProgBtn"));
    QVERIFY(!EnabledIn(w->m_pVpuUpdate, "m_pMcuProgFromBootLoaderBtn"));
    QVERIFY(EnabledIn(w->m_pToolBox, "m_pEnumerateBtn"));
    QVERIFY(w->m_pToolBox->findChild<QPushButton *>("m_pConnectBtn")->isChecked());
    if (bFactory)
        QVERIFY(EnabledIn(w->m_pTestTools, "m_pRegReadBtn"));

    // The same order going offline, and the mode field says so.
    order.Clear();
    w->SetModeText(QStringLiteral("something else"));
    QCOMPARE(w->SetOnline(false), 0);
    QCOMPARE(order.Order(), expected);
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    QVERIFY(!EnabledIn(w->m_pVideoInput, "m_pApplyBtn"));
    QVERIFY(!EnabledIn(w->m_pTestControl, "m_pFullRedBtn"));
    QVERIFY(!EnabledIn(w->m_pFixtureUpdate, "m_pFirmProgAllBtn"));
    QVERIFY(EnabledIn(w->m_pVpuUpdate, "m_pMcuProgFromBootLoaderBtn"));
    QVERIFY(!EnabledIn(w->m_pToolBox, "m_pEnumerateBtn"));
    if (bFactory)
        QVERIFY(!EnabledIn(w->m_pTestTools, "m_pRegReadBtn"));

    w->m_pFixtureSettings->ClearFixtureList();
    w->m_pSasuSettings->ClearFixtureList();
    w->m_pFixtureUpdate->ClearFixtureList();
    qDeleteAll(fixtures);
}

void TestLink::restartArmedOnceWhileOnline()
{
    LinkFixture f(QStringLiteral("127.0.0.110"));
    Zelvor *w = f.Build();
    CVpuCom *c = &w->m_VpuCom;
    w->SetOnline(true);
    w->SetOnline(true);
    // Exactly one connection: the first disconnect finds it, a second finds nothing.
    QVERIFY(QObject::disconnect(c, &CVpuCom::sigRestartComMsg, c, &CVpuCom::s_OnRestartComMsg));
    QVERIFY(!QObject::disconnect(c, &CVpuCom::sigRestartComMsg, c, &CVpuCom::s_OnRestartComMsg));

    w->SetOnline(false); // knows it as armed: disarms, finds nothing, stays consistent
    w->SetOnline(true);
    w->SetOnline(false);
    w->SetOnline(false);
    QVERIFY(!QObject::disconnect(c, &CVpuCom::sigRestartComMsg, c, &CVpuCom::s_OnRestartComMsg));
}

void TestLink::usbStart_data()
{
    QTest::addColumn<QString>("qsParam");
    QTest::addColumn<int>("iDevices");
    QTest::addColumn<int>("iResult");
    QTest::addColumn<int>("iOpenedIndex");
    QTest::newRow("USB0 of one") << "USB0" << 1 << 0 << 0;
    QTest::newRow("USB1 of two") << "USB1" << 2 << 0 << 1;
    QTest::newRow("no number") << "USBx" << 1 << -4 << -1;
    QTest::newRow("too large") << "USB70000" << 1 << -4 << -1;
    QTest::newRow("empty tail") << "USB" << 1 << -4 << -1;
    QTest::newRow("device gone") << "USB3" << 1 << -206 << -1;
}

void TestLink::usbStart()
{
    QFETCH(QString, qsParam);
    QFETCH(int, iDevices);
    QFETCH(int, iResult);
    QFETCH(int, iOpenedIndex);
    LinkFixture f(QStringLiteral("127.0.0.110"));
    Zelvor *w = f.Build();
    // The configured ids: a device with other ids in front must not count.
    QVector<UsbDeviceId_t> devices = {{0x1234, 0x5678}};
    for (int i = 0; i < iDevices; ++i)
        devices << UsbDeviceId_t{0x04D8, 0x0204};
    FakeUsbBus bus(devices);
    CUsbCom::SetDefaultBackendFactory([&bus] { return bus.MakeBackend(); });

    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_USB, qsParam), iResult);
    if (iResult == 0) {
        QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
        QCOMPARE(f.ModeText(), QStringLiteral("Online : Connected to '%1'").arg(qsParam));
        QCOMPARE(bus.OpenedListIndex(), iOpenedIndex + 1);
        QCOMPARE(bus.Model().Messages().value(0).toHex(' '), QByteArray("03 05 00 00 00 03 05 00 00 00"));
    } else {
        QVERIFY(w->isEnabled());
        QVERIFY(!w->m_VpuCom.IsOpen());
        QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    }
    // The start itself shows no box: its caller reports.
    QVERIFY(f.ErrorBoxes().isEmpty());
    w->m_VpuCom.CloseIfOpen();
    CUsbCom::SetDefaultBackendFactory(nullptr);
}

void TestLink::ethernetStart()
{
    LinkFixture f(QStringLiteral("127.0.0.111"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    // The answer waits, so the disabled window can be seen.
    f.DelayAnswer(VPU_MSG_INIT_COM, 200);
    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_NET, f.Address()), 0);
    QVERIFY(!w->isEnabled());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
    QCOMPARE(f.ModeText(), QStringLiteral("Online : Connected to '127.0.0.111'"));
    // The bytes of INIT_COM are checked by the end-to-end run.
    QVERIFY(w->m_pToolBox->IsConnected());
    QVERIFY(EnabledIn(w->m_pVideoInput, "m_pApplyBtn"));
    QCOMPARE(f.Sim().ConnectionCount(), 1);
}

void TestLink::ethernetStartFails_data()
{
    QTest::addColumn<bool>("bListening");
    QTest::addColumn<QStringList>("boxes");
    // The start itself shows no box: its caller reports.
    QTest::newRow("nobody listens") << false << QStringList();
    QTest::newRow("init answer dropped") << true
                                         << QStringList{"Failed to initialize communication with VPU!|(Error Code = "
                                                        "-3) - Communication with VPU failed!"};
}

void TestLink::ethernetStartFails()
{
    QFETCH(bool, bListening);
    QFETCH(QStringList, boxes);
    LinkFixture f(QStringLiteral("127.0.0.112"));
    QVERIFY(!bListening || f.StartSim());
    Zelvor *w = f.Build();
    f.DropAnswer(VPU_MSG_INIT_COM);
    const int iStatus = w->InitCom(CVpuCom::COM_TYPE_NET, f.Address());
    QCOMPARE(iStatus < 0, !bListening);
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
    QTRY_COMPARE(f.ErrorBoxes(), boxes);
    QVERIFY(!w->m_VpuCom.IsOpen());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    QVERIFY(!w->m_pToolBox->IsConnected());
    QVERIFY(!w->m_pToolBox->findChild<QPushButton *>("m_pConnectBtn")->isChecked());
}

void TestLink::fixtureCommandKeepsWindowDisabledUntilCount_data()
{
    QTest::addColumn<bool>("bEnumerate");
    QTest::newRow("enumerate") << true;
    QTest::newRow("reset") << false;
}

void TestLink::fixtureCommandKeepsWindowDisabledUntilCount()
{
    QFETCH(bool, bEnumerate);
    LinkFixture f(QStringLiteral("127.0.0.113"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    CVpuCom *c = &w->m_VpuCom;

    f.Model().ClearLog();
    // One line of events: the window's enabled changes and the count's answer as it leaves
    // the link. Connected before posting, so no emission of the worker can slip past; it runs
    // ahead of the main window's count handler, which is connected later.
    QStringList events;
    WindowEnabledLog enabledLog(w, &events);
    connect(c, &CVpuCom::sigFixturesNumbersMsg, this, [&](int, FixturesNum_t) { events << "count answered"; });
    QCOMPARE(bEnumerate ? w->EnumerateFixtures() : w->ResetFixtures(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(events.size(), 3, 10000);
    QCOMPARE(events, (QStringList{"disabled", "count answered", "enabled"}));
    disconnect(c, &CVpuCom::sigFixturesNumbersMsg, this, nullptr);

    const QList<QByteArray> messages = f.Model().Messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(quint8(messages.at(0).at(0)), quint8(bEnumerate ? VPU_MSG_FIXT_ENUMERATE : VPU_MSG_RESET_FIXTURES));
    QCOMPARE(quint8(messages.at(1).at(0)), quint8(VPU_MSG_FIXT_GET_NUMBER));
    // Every answer signal is let go once handled.
    QVERIFY(!disconnect(c, &CVpuCom::sigEnumerateFixturesMsg, w, &Zelvor::s_OnEnumerateFixturesDone));
    QVERIFY(!disconnect(c, &CVpuCom::sigResetFixturesMsg, w, &Zelvor::s_OnResetFixturesDone));
    QVERIFY(!disconnect(c, &CVpuCom::sigFixturesNumbersMsg, w, &Zelvor::s_OnGetFixturesNumbersDone));
}

void TestLink::failedFixtureCommandSkipsCount()
{
    LinkFixture f(QStringLiteral("127.0.0.113"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    VpuSimFault refused;
    refused.iStatus = -5;
    f.Model().SetFault(VPU_MSG_FIXT_ENUMERATE, refused);
    f.Model().ClearLog();
    QCOMPARE(w->EnumerateFixtures(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
    QTest::qWait(100);
    QCOMPARE(f.RequestCount(VPU_MSG_FIXT_GET_NUMBER), 0);
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg, w, &Zelvor::s_OnEnumerateFixturesDone));
    // A VPU status is no transport failure: the link stays up.
    QVERIFY(w->m_pToolBox->IsConnected());
}

void TestLink::restartWhoseReopenFailsReportsIt()
{
    LinkFixture f(QStringLiteral("127.0.0.113"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    f.Sim().Stop();
    QCOMPARE(w->EnumerateFixtures(), 0);
    // The failed request reports itself; then the restart cannot reach the VPU again.
    QTRY_COMPARE_WITH_TIMEOUT(f.ErrorBoxes().size(), 2, 10000);
    QCOMPARE(f.ErrorBoxes().at(0), QStringLiteral("Failed to enumerate fixtures on VPU!|(Error Code = -3) - "
                                                  "Communication with VPU failed!"));
    QCOMPARE(f.ErrorBoxes().at(1),
             QStringLiteral("Failed to open connexion with VPU!|(Error Code = -200) - Failed to connect to VPU!"));
    QTRY_VERIFY(w->isEnabled());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    QVERIFY(!w->m_VpuCom.IsOpen());
    QVERIFY(!w->m_pToolBox->IsConnected());
    QVERIFY(!EnabledIn(w->m_pVideoInput, "m_pApplyBtn"));
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
