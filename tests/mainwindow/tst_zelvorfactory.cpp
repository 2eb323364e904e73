// The main window in factory mode: the test tools panel in its dock, its menu toggle, and the
// dock's close handled like the update docks'.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "testtools/testtools.h"

#include <QScrollArea>
#include <QSettings>
#include <QTest>

#include <memory>

class TestZelvorFactory : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void testToolsPanelInItsDock();
    void testToolsToggleInToolsMenu();
    void closedTestToolsDockUnchecksItsAction();

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCapture> m_pTraces;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<Zelvor> m_pWnd;
};

void TestZelvorFactory::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    m_pEnv = std::make_unique<TestEnv>();
    m_pTraces = std::make_unique<TraceCapture>(
        QStringLiteral("<Factory_mode>yes</Factory_mode><Factory_pwd>S3cret9</Factory_pwd>"));
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pWnd = std::make_unique<Zelvor>();
    g_pMainWnd.store(m_pWnd.get());
    QVERIFY(m_pWnd->IsFactoryMode());
}

void TestZelvorFactory::cleanupTestCase()
{
    g_pMainWnd.store(nullptr);
    m_pWnd.reset();
    m_pPrompts.reset();
    m_pTraces.reset();
    m_pEnv.reset();
}

void TestZelvorFactory::testToolsPanelInItsDock()
{
    QVERIFY(m_pWnd->m_pTestTools);
    QDockWidget *pDock = DockByTitle(m_pWnd.get(), QStringLiteral("Test Tools"));
    const auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
    QVERIFY(pArea);
    QCOMPARE(pArea->widget(), static_cast<QWidget *>(m_pWnd->m_pTestTools));
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd.get()));
    // A first run shows no dock, the test tools' included.
    QCOMPARE(VisibleDocks(m_pWnd.get()), QStringList());
    // Offline: the device-access parts are off, the file generators stay usable.
    QVERIFY(!m_pWnd->m_pTestTools->findChild<QWidget *>(QStringLiteral("m_pFpgaScroll"))->isEnabled());
    QVERIFY(m_pWnd->m_pTestTools->findChild<QWidget *>(QStringLiteral("m_pLpuGainGpBox"))->isEnabled());
}

void TestZelvorFactory::testToolsToggleInToolsMenu()
{
    QCOMPARE(
        MenuTexts(m_pWnd.get(), QStringLiteral("menuTools")),
        (QStringList{"VPU Update", "Fixtures Update", "Test Tools", "Test Functions", "DMX Mapping Configuration"}));
    QDockWidget *pDock = DockByTitle(m_pWnd.get(), QStringLiteral("Test Tools"));
    pDock->toggleViewAction()->trigger();
    QVERIFY(pDock->isVisible());
    // The toggle needs no password.
    QCOMPARE(m_pPrompts->Calls().size(), 0);
}

void TestZelvorFactory::closedTestToolsDockUnchecksItsAction()
{
    QAction *pAction = m_pWnd->findChild<QAction *>(QStringLiteral("actionTest_Tools"));
    QDockWidget *pDock = DockByTitle(m_pWnd.get(), QStringLiteral("Test Tools"));
    pAction->setChecked(true);
    pDock->show();
    QVERIFY(pDock->close());
    QVERIFY(!pAction->isChecked());
}

QTEST_MAIN(TestZelvorFactory)
#include "tst_zelvorfactory.moc"
