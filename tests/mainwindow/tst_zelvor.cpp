// The main window outside factory mode: what a stored layout may and may not bring back, the
// password-guarded update docks, and the link and reports that end with the window.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/testenv.h"
#include "support/windowtest.h"
#include "support/vpusim.h"

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

namespace {

QAction *ActionNamed(QMainWindow *pWnd, const char *pcName)
{
    return pWnd->findChild<QAction *>(QLatin1String(pcName));
}

} // namespace

class TestZelvor : public WindowTest
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
    void errorReportsStopWithTheWindow();
    void openLinkEndsWithTheWindow();
    void everyDockShownFitsSmallScreen();
};

void TestZelvor::initTestCase()
{
    Begin(QStringLiteral("<Factory_mode>no</Factory_mode><Factory_pwd>S3cret9</Factory_pwd>"));
}

void TestZelvor::cleanupTestCase()
{
    End();
}

void TestZelvor::init()
{
    QSettings().clear();
}

void TestZelvor::cleanup()
{
    DropWindow();
}

void TestZelvor::everyDockShownFitsSmallScreen()
{
    Zelvor *pWnd = MakeWindow();
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

void TestZelvor::workingFoldersCreated()
{
    TestEnv env; // an empty working folder
    MakeWindow();
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
    Zelvor *pWnd = MakeWindow();
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

    pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QCOMPARE(VisibleDocks(pWnd), QStringList{QStringLiteral("Workspace settings")});
    QVERIFY(!ActionNamed(pWnd, "actionVPU_Update")->isChecked());
    QVERIFY(!ActionNamed(pWnd, "actionFixtures_Update")->isChecked());
}

void TestZelvor::closedUpdateDockUnchecksItsAction()
{
    Zelvor *pWnd = MakeWindow();
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
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    m_pPrompts->AnswerText(typed);
    QAction *pAction = pWnd->findChild<QAction *>(action);
    pAction->trigger();

    const auto calls = m_pPrompts->Calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).eKind, PromptCall_t::TEXT);
    QCOMPARE(calls.at(0).iEchoMode, int(QLineEdit::Password));

    QCOMPARE(DockByTitle(pWnd, dock)->isVisible(), shown);
    QCOMPARE(pAction->isChecked(), shown);
    if (shown) {
        QCOMPARE(pWnd->statusBar()->currentMessage(), QString());
        // Switching off needs no password.
        pAction->trigger();
        QVERIFY(!DockByTitle(pWnd, dock)->isVisible());
        QVERIFY(!pAction->isChecked());
        QCOMPARE(m_pPrompts->Calls().size(), 1);
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

// Reports of a worker that arrive after the window is gone fall back to the trace.
void TestZelvor::errorReportsStopWithTheWindow()
{
    MakeWindow();
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
    Zelvor *pWnd = MakeWindow();
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

QTEST_MAIN(TestZelvor)
#include "tst_zelvor.moc"
