// The main window outside factory mode: what a first run shows, what a stored layout may and
// may not bring back, the password-guarded update docks, the status bar and the panels in
// their docks.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/vpusim.h"

#include "panels/device/dmxconfig.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/sasusettings.h"
#include "panels/device/testcontrol.h"
#include "panels/device/videoinput.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/groupsettings.h"
#include "panels/scene/paintbrushtools.h"
#include "panels/scene/workspace.h"
#include "scene/view.h"
#include "update/fixtureupdate.h"
#include "update/vpuupdate.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGraphicsRectItem>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

const char *const kDockTitles[] = {
    "Video settings",
    "Fixture settings",
    "Workspace settings",
    "Fixtures Lists",
    "SASU Settings and Monitoring",
    "Test Functions",
    "Global Color Settings",
    "Color Control",
    "Custom Fixture Paintbrush",
    "Group Settings",
    "Fixture Update",
    "VPU Update",
    "DMX Mapping Configuration",
    "Test Tools",
};

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

    void firstRunShowsNoDock();
    void panelsSitInTheirDocks();
    void menusOutsideFactoryMode();
    void sceneAndView();
    void statusBarFields();
    void workingFoldersCreated();
    void storedLayoutComesBackButNotTheGuardedDocks();
    void closedUpdateDockUnchecksItsAction();
    void guardedDock_data();
    void guardedDock();
    void switchingOffNeedsNoPassword();
    void viewMenuShowsAndRaises();
    void errorReportsStopWithTheWindow();
    void openLinkEndsWithTheWindow();
    void dockAreas();
    void everyDockShownFitsSmallScreen();

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

void TestZelvor::everyDockShownFitsSmallScreen()
{
    Zelvor *pWnd = Make();
    pWnd->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    // No room beside the window: a dock shown floating for the first time goes below the menu bar.
    QDockWidget *pFirst = DockByTitle(pWnd, QStringLiteral("Video settings"));
    pFirst->toggleViewAction()->trigger();
    QVERIFY(pFirst->isFloating());
    QVERIFY(pFirst->frameGeometry().top() > pWnd->menuBar()->mapToGlobal(QPoint(0, pWnd->menuBar()->height())).y());
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        pDock->setFloating(false);
        pDock->show();
    }
    const QSize size = pWnd->minimumSizeHint().expandedTo(pWnd->layout()->minimumSize());
    QVERIFY2(size.width() <= 1366 && size.height() <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
}

Zelvor *TestZelvor::Make()
{
    delete g_pMainWnd.exchange(nullptr);
    m_pWnd = new Zelvor;
    g_pMainWnd.store(m_pWnd);
    return m_pWnd;
}

void TestZelvor::firstRunShowsNoDock()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QCOMPARE(VisibleDocks(pWnd), QStringList());
    QCOMPARE(pWnd->findChildren<QDockWidget *>().size(), 14);
    for (const char *pcTitle : kDockTitles)
        QVERIFY2(DockByTitle(pWnd, QLatin1String(pcTitle)), pcTitle);
    auto *pToolBar = pWnd->findChild<QToolBar *>(QStringLiteral("m_pMainToolBar"));
    QVERIFY(pToolBar && pToolBar->isVisible());
    QCOMPARE(pToolBar->windowTitle(), QStringLiteral("Tools"));
    QVERIFY(pWnd->statusBar()->isVisible());
    QVERIFY(pWnd->findChild<View *>()->isVisible());
    QCOMPARE(pWnd->size(), QSize(1211, 781));
    QVERIFY(QRegularExpression(QStringLiteral("^Lantrel - V1\\.0\\.0 - [A-Z][a-z]{2} [ 0-9]\\d \\d{4} "
                                              "\\d{2}:\\d{2}:\\d{2}$"))
                .match(pWnd->windowTitle())
                .hasMatch());
    QVERIFY(!pWnd->m_pTestTools);
    QCOMPARE(pWnd->findChild<QWidget *>(QStringLiteral("m_pTestToolsDock")) != nullptr, true);
}

void TestZelvor::panelsSitInTheirDocks()
{
    Zelvor *pWnd = Make();
    const QList<QPair<const char *, QWidget *>> expected = {
        {"Video settings", pWnd->m_pVideoInput},
        {"Fixture settings", pWnd->m_pFixtureSettings},
        {"Workspace settings", pWnd->m_pWorkspace},
        {"Fixtures Lists", pWnd->m_pFixtureLists},
        {"SASU Settings and Monitoring", pWnd->m_pSasuSettings},
        {"Test Functions", pWnd->m_pTestControl},
        {"Global Color Settings", pWnd->m_pInputColorCtrl},
        {"Color Control", pWnd->m_pOutputColorCtrl},
        {"Custom Fixture Paintbrush", pWnd->m_pPaintBrushTools},
        {"Group Settings", pWnd->m_pGroupSettings},
        {"Fixture Update", pWnd->m_pFixtureUpdate},
        {"VPU Update", pWnd->m_pVpuUpdate},
        {"DMX Mapping Configuration", pWnd->m_pDMXConfig},
    };
    for (const auto &entry : expected) {
        QVERIFY(entry.second);
        const auto *pArea = qobject_cast<QScrollArea *>(DockByTitle(pWnd, QLatin1String(entry.first))->widget());
        QVERIFY(pArea);
        QCOMPARE(pArea->widget(), entry.second);
    }
    // Outside factory mode the Test Tools dock keeps the form's empty placeholder.
    QCOMPARE(DockByTitle(pWnd, QStringLiteral("Test Tools"))->widget()->objectName(),
             QStringLiteral("m_pTestToolsWidget"));
    // The panels start offline: their device buttons are off.
    QCOMPARE(pWnd->findChild<QWidget *>(QStringLiteral("m_pDmxWriteToVpuBtn"))->isEnabled(), false);
    QCOMPARE(pWnd->findChild<QWidget *>(QStringLiteral("m_pMcuProgFromBootLoaderBtn"))->isEnabled(), true);
    QCOMPARE(pWnd->m_pTestControl->isEnabled(), false);
}

void TestZelvor::menusOutsideFactoryMode()
{
    Zelvor *pWnd = Make();
    QCOMPARE(MenuTexts(pWnd, QStringLiteral("m_pFileMenu")),
             (QStringList{"New Empty Project", "Open Project", "Save Project", "Save Project As...", "-",
                          "Recent Projects", "-", "Exit"}));
    QCOMPARE(MenuTexts(pWnd, QStringLiteral("menuView")),
             (QStringList{"Custom Fixture Paintbrush", "Video settings", "Workspace settings", "Fixtures Lists",
                          "Fixture settings", "Group Settings", "SASU Settings and Monitoring", "Color Control",
                          "Global Color Settings", "Tools"}));
    QCOMPARE(MenuTexts(pWnd, QStringLiteral("menuTools")),
             (QStringList{"VPU Update", "Fixtures Update", "Test Functions", "DMX Mapping Configuration"}));
    QStringList bar;
    for (QAction *pAction : pWnd->menuBar()->actions())
        bar.append(pAction->text());
    QCOMPARE(bar, (QStringList{"File", "View", "Tools"}));
}

void TestZelvor::sceneAndView()
{
    Zelvor *pWnd = Make();
    QGraphicsScene *pScene = pWnd->Scene();
    QCOMPARE(pScene->sceneRect(), QRectF(-0.5, -0.5, 1920, 1080));
    QCOMPARE(pScene->backgroundBrush().color(), QColor(Qt::lightGray));
    // The screen area, and above it the new project's video input area.
    const QList<QGraphicsItem *> items = pScene->items();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.first()->zValue(), 3.0);
    auto *pScreen = qgraphicsitem_cast<QGraphicsRectItem *>(items.last());
    QVERIFY(pScreen);
    QCOMPARE(pScreen->rect(), QRectF(-0.5, -0.5, 1920, 1080));
    QCOMPARE(pScreen->brush().color(), QColor(Qt::white));
    View *pView = pWnd->findChild<View *>();
    QCOMPARE(pView->scene(), pScene);
    QCOMPARE(pView->parentWidget()->objectName(), QStringLiteral("frame"));
}

void TestZelvor::statusBarFields()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    pWnd->SetModeText(QStringLiteral("Offline"));
    // Left to right: "Project:", project field, "Mode:", mode field.
    QList<QWidget *> fields;
    for (QWidget *pChild : pWnd->statusBar()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLabel *>(pChild) || qobject_cast<QLineEdit *>(pChild))
            fields.append(pChild);
    }
    std::sort(fields.begin(), fields.end(), [](QWidget *a, QWidget *b) { return a->x() < b->x(); });
    QStringList texts;
    for (QWidget *pField : fields) {
        if (auto *pLabel = qobject_cast<QLabel *>(pField))
            texts.append(pLabel->text());
        else
            texts.append(QStringLiteral("[%1]").arg(pField->width()));
    }
    QCOMPARE(texts, (QStringList{"Project:", "[450]", "Mode:", "[250]"}));
    auto *pMode = qobject_cast<QLineEdit *>(fields.last());
    QCOMPARE(pMode->text(), QStringLiteral("Offline"));
    // A project inside the application folder is shown relative to it; others in full.
    auto *pProject = qobject_cast<QLineEdit *>(fields.at(1));
    const QString qsAppDir = QCoreApplication::applicationDirPath();
    pWnd->SetProjectText(qsAppDir + QStringLiteral("/Projects/wall.prj"));
    QCOMPARE(pProject->text(), QStringLiteral("Projects/wall.prj"));
    pWnd->SetProjectText(QStringLiteral("/elsewhere") + qsAppDir + QStringLiteral("/wall.prj"));
    QCOMPARE(pProject->text(), QStringLiteral("/elsewhere") + qsAppDir + QStringLiteral("/wall.prj"));
    QVERIFY(pMode->isReadOnly());
    QVERIFY(!pMode->isEnabled());
    // A message leaves the fields in place.
    StatusMessage(0, QStringLiteral("Working"), 0);
    QVERIFY(pMode->isVisible());
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

void TestZelvor::viewMenuShowsAndRaises()
{
    Zelvor *pWnd = Make();
    pWnd->show();
    QDockWidget *pGroup = DockByTitle(pWnd, QStringLiteral("Group Settings"));
    pGroup->toggleViewAction()->trigger();
    QVERIFY(pGroup->isVisible());
    pGroup->toggleViewAction()->trigger();
    QVERIFY(!pGroup->isVisible());
    auto *pToolBar = pWnd->findChild<QToolBar *>(QStringLiteral("m_pMainToolBar"));
    pToolBar->toggleViewAction()->trigger();
    QVERIFY(!pToolBar->isVisible());
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
