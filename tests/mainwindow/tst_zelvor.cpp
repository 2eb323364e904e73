// The main window outside factory mode: what a stored layout may and may not bring back, the
// password-guarded update docks, and the link and reports that end with the window.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/vpusim.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

QAction *ActionNamed(QMainWindow *pWnd, const char *pcName)
{
    return pWnd->findChild<QAction *>(QLatin1String(pcName));
}

} // namespace

class TestZelvor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void workingFoldersCreated();
    void storedLayoutComesBackButNotTheGuardedDocks();
    void closedUpdateDockUnchecksItsAction();
    void guardedDock_data();
    void guardedDock();
    void switchingOffNeedsNoPassword();
    void errorReportsStopWithTheWindow();
    void openLinkEndsWithTheWindow();
    void dockAreas();

private:
    Zelvor *Make();
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCapture> m_pTraces;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    Zelvor *m_pWnd = nullptr;
};

void TestZelvor::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    m_pEnv = std::make_unique<TestEnv>();
    m_pTraces = std::make_unique<TraceCapture>(
        QStringLiteral("<Factory_mode>no</Factory_mode><Factory_pwd>S3cret9</Factory_pwd>"));
}

void TestZelvor::cleanupTestCase()
{
    m_pTraces.reset();
    m_pEnv.reset();
}

void TestZelvor::init()
{
    QSettings().clear();
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pTraces->Reset();
}

void TestZelvor::cleanup()
{
    delete g_pMainWnd.exchange(nullptr);
    m_pWnd = nullptr;
    m_pPrompts.reset();
}

Zelvor *TestZelvor::Make()
{
    delete g_pMainWnd.exchange(nullptr);
    m_pWnd = new Zelvor;
    g_pMainWnd.store(m_pWnd);
    return m_pWnd;
}

void TestZelvor::workingFoldersCreated()
{
    TestEnv env; // an empty working folder
    Make();
    for (const char *pcFolder : {"Projects", "Scripts", "Gain", "Firmwares", "Data"})
        QVERIFY2(QDir(QLatin1String(pcFolder)).exists(), pcFolder);
    QCOMPARE(MakeDirectory(QStringLiteral("Projects/")), 0);
    QCOMPARE(MakeDirectory(QStringLiteral("a/b/c")), 0);
    QVERIFY(QDir(QStringLiteral("a/b/c")).exists());
    QVERIFY(WriteTestFile(env.FilePath(QStringLiteral("plain")), "x"));
    QCOMPARE(MakeDirectory(QStringLiteral("plain/sub")), -6);
    delete g_pMainWnd.exchange(nullptr);
}

void TestZelvor::storedLayoutComesBackButNotTheGuardedDocks()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    for (const char *pcTitle : {"Workspace settings", "VPU Update", "Fixture Update", "DMX Mapping Configuration"}) {
        QDockWidget *pDock = DockByTitle(pWnd, QLatin1String(pcTitle));
        pDock->setFloating(false);
        pDock->show();
    }
    m_pPrompts->AnswerQuestion(QMessageBox::No); // do not save the empty project
    QVERIFY(pWnd->close());
    QSettings settings;
    QVERIFY(settings.contains(QStringLiteral("Zelvor/geometry")));
    QVERIFY(settings.contains(QStringLiteral("Zelvor/windowState")));

    pWnd = Make();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QCOMPARE(VisibleDocks(pWnd), QStringList{QStringLiteral("Workspace settings")});
    QVERIFY(!ActionNamed(pWnd, "actionVPU_Update")->isChecked());
    QVERIFY(!ActionNamed(pWnd, "actionFixtures_Update")->isChecked());
}

void TestZelvor::closedUpdateDockUnchecksItsAction()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    const QList<QPair<const char *, const char *>> pairs = {{"VPU Update", "actionVPU_Update"},
                                                            {"Fixture Update", "actionFixtures_Update"}};
    for (const auto &pair : pairs) {
        QAction *pAction = ActionNamed(pWnd, pair.second);
        QDockWidget *pDock = DockByTitle(pWnd, QLatin1String(pair.first));
        pAction->setChecked(true);
        pDock->show();
        QVERIFY(pDock->close());
        QVERIFY(!pDock->isVisible());
        QVERIFY2(!pAction->isChecked(), pair.first);
    }
}

void TestZelvor::guardedDock_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dock");
    QTest::addColumn<QString>("typed"); // null: cancelled
    QTest::addColumn<bool>("shown");
    QTest::newRow("vpu right") << "actionVPU_Update"
                               << "VPU Update"
                               << "S3cret9" << true;
    QTest::newRow("vpu wrong") << "actionVPU_Update"
                               << "VPU Update"
                               << "s3cret9" << false;
    QTest::newRow("vpu empty") << "actionVPU_Update"
                               << "VPU Update"
                               << "" << false;
    QTest::newRow("vpu cancelled") << "actionVPU_Update"
                                   << "VPU Update" << QString() << false;
    QTest::newRow("fixtures right") << "actionFixtures_Update"
                                    << "Fixture Update"
                                    << "S3cret9" << true;
    QTest::newRow("fixtures wrong") << "actionFixtures_Update"
                                    << "Fixture Update"
                                    << "S3cret" << false;
}

void TestZelvor::guardedDock()
{
    QFETCH(QString, action);
    QFETCH(QString, dock);
    QFETCH(QString, typed);
    QFETCH(bool, shown);
    Zelvor *pWnd = Make();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    m_pPrompts->AnswerText(typed);
    m_pTraces->Reset();
    QAction *pAction = pWnd->findChild<QAction *>(action);
    pAction->trigger();

    const auto calls = m_pPrompts->Calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).eKind, PromptCall_t::TEXT);
    QCOMPARE(calls.at(0).qsTitle, QStringLiteral(" Restricted Function "));
    QCOMPARE(calls.at(0).qsText, QStringLiteral("Password:"));
    QCOMPARE(calls.at(0).iEchoMode, int(QLineEdit::Password));
    QCOMPARE(calls.at(0).qsDetail, QString());
    QCOMPARE(calls.at(0).extra, (QStringList{"Ok", "Cancel"}));
    QCOMPARE(calls.at(0).pParent, static_cast<QWidget *>(pWnd));

    QCOMPARE(DockByTitle(pWnd, dock)->isVisible(), shown);
    QCOMPARE(pAction->isChecked(), shown);
    if (shown) {
        QCOMPARE(pWnd->statusBar()->currentMessage(), QString());
    } else if (typed.isNull()) {
        QVERIFY(m_pTraces->Texts(TRACE_KIND_INFO).contains(QStringLiteral("Get Password Cancelled!")));
        QCOMPARE(pWnd->statusBar()->currentMessage(), QString());
    } else {
        QCOMPARE(pWnd->statusBar()->currentMessage(), QStringLiteral("Invalid Password!"));
        QCOMPARE(pWnd->statusBar()->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(m_pTraces->Texts(TRACE_KIND_ERROR), QStringList{QStringLiteral("Invalid Password!")});
    }
    // A refused password is a status message, never an error box.
    QCOMPARE(m_pPrompts->Messages().size(), 0);
}

void TestZelvor::switchingOffNeedsNoPassword()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    m_pPrompts->AnswerText(QStringLiteral("S3cret9"));
    QAction *pAction = ActionNamed(pWnd, "actionFixtures_Update");
    pAction->trigger();
    QVERIFY(DockByTitle(pWnd, QStringLiteral("Fixture Update"))->isVisible());
    pAction->trigger();
    QVERIFY(!DockByTitle(pWnd, QStringLiteral("Fixture Update"))->isVisible());
    QVERIFY(!pAction->isChecked());
    QCOMPARE(m_pPrompts->Calls().size(), 1);
}

// Reports of a worker that arrive after the window is gone fall back to the trace.
void TestZelvor::errorReportsStopWithTheWindow()
{
    Make();
    delete g_pMainWnd.exchange(nullptr);
    m_pTraces->Reset();
    ErrorMsg(QStringLiteral("Late report"), -3);
    QCOMPARE(m_pPrompts->Messages().size(), 0);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_ERROR), QStringList{QStringLiteral("Late report (Error Code = -3)")});
}

// The window owns the one link: deleting it with the link open closes the link and stops the
// worker, without waiting for the peer.
void TestZelvor::openLinkEndsWithTheWindow()
{
    VpuSimulator sim(QStringLiteral("127.0.0.50"));
    QVERIFY(sim.Start());
    Zelvor *pWnd = Make();
    QCOMPARE(pWnd->m_VpuCom.SetNetParams(sim.Address(), sim.Port()), 0);
    QCOMPARE(pWnd->m_VpuCom.Open(), 0);
    QVERIFY(pWnd->m_VpuCom.IsOpen());
    QTRY_COMPARE(sim.ConnectionCount(), 1);
    QElapsedTimer timer;
    timer.start();
    delete g_pMainWnd.exchange(nullptr);
    m_pWnd = nullptr;
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(m_pPrompts->Messages().size(), 0);
}

// The docks go to the areas of the form when docked: the layout a user builds from the View
// menu. Run by hand with a display and LANTREL_HOLD_MS to take a screenshot of it.
void TestZelvor::dockAreas()
{
    Zelvor *pWnd = Make();
    const QList<QPair<const char *, Qt::DockWidgetArea>> areas = {
        {"Video settings", Qt::LeftDockWidgetArea},
        {"Workspace settings", Qt::LeftDockWidgetArea},
        {"Fixtures Lists", Qt::LeftDockWidgetArea},
        {"Fixture settings", Qt::BottomDockWidgetArea},
        {"SASU Settings and Monitoring", Qt::BottomDockWidgetArea},
        {"Group Settings", Qt::BottomDockWidgetArea},
        {"Test Functions", Qt::RightDockWidgetArea},
        {"Global Color Settings", Qt::RightDockWidgetArea},
        {"Color Control", Qt::RightDockWidgetArea},
        {"Custom Fixture Paintbrush", Qt::RightDockWidgetArea},
    };
    pWnd->show();
    for (const auto &entry : areas) {
        QDockWidget *pDock = DockByTitle(pWnd, QLatin1String(entry.first));
        QCOMPARE(pDock->isFloating(), true);
        pDock->setFloating(false);
        pDock->show();
        QCOMPARE(pWnd->dockWidgetArea(pDock), entry.second);
    }
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    const int iHoldMs = qEnvironmentVariableIntValue("LANTREL_HOLD_MS");
    if (iHoldMs > 0) {
        // A working set that fits one screen: one or two docks in each area.
        for (const auto &entry : areas) {
            const QString qsTitle = QLatin1String(entry.first);
            DockByTitle(pWnd, qsTitle)
                ->setVisible(qsTitle == QLatin1String("Fixtures Lists") ||
                             qsTitle == QLatin1String("Custom Fixture Paintbrush") ||
                             qsTitle == QLatin1String("Global Color Settings") ||
                             qsTitle == QLatin1String("Fixture settings"));
        }
        StatusMessage(1, QStringLiteral("Ready"), 0);
        pWnd->SetModeText(QStringLiteral("Offline"));
        // No window manager maximises under a bare X server: take the screen by hand.
        QTest::qWait(100);
        pWnd->setGeometry(pWnd->screen()->availableGeometry());
        QTest::qWait(200);
        emit pWnd->sigZoomAll();
        QTest::qWait(iHoldMs);
    }
}

QTEST_MAIN(TestZelvor)
#include "tst_zelvor.moc"
