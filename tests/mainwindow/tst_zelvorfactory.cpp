// The main window in factory mode: the test tools panel in its dock, its menu toggle, and the
// dock's close handled like the update docks'.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/windowtest.h"
#include "testtools/testtools.h"

#include <QScrollArea>
#include <QTest>

class TestZelvorFactory : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Begin(QStringLiteral("<Factory_mode>yes</Factory_mode><Factory_pwd>S3cret9</Factory_pwd>"));
        QVERIFY(MakeWindow()->IsFactoryMode());
    }
    void cleanupTestCase() { End(); }
    void testToolsPanelInItsDock();
    void testToolsToggleNeedsNoPassword();
    void closedTestToolsDockUnchecksItsAction();
};

void TestZelvorFactory::testToolsPanelInItsDock()
{
    QVERIFY(m_pWnd->m_pTestTools);
    QDockWidget *pDock = DockByTitle(m_pWnd, QStringLiteral("Test Tools"));
    const auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
    QVERIFY(pArea);
    QCOMPARE(pArea->widget(), static_cast<QWidget *>(m_pWnd->m_pTestTools));
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));
    // A first run shows no dock, the test tools' included.
    QCOMPARE(VisibleDocks(m_pWnd), QStringList());
    // Offline: the device-access parts are off, the file generators stay usable.
    QVERIFY(!m_pWnd->m_pTestTools->findChild<QWidget *>(QStringLiteral("m_pRegReadBtn"))->isEnabled());
    QVERIFY(m_pWnd->m_pTestTools->findChild<QWidget *>(QStringLiteral("m_pLpuGainGpBox"))->isEnabled());
}

void TestZelvorFactory::testToolsToggleNeedsNoPassword()
{
    QDockWidget *pDock = DockByTitle(m_pWnd, QStringLiteral("Test Tools"));
    pDock->toggleViewAction()->trigger();
    QVERIFY(pDock->isVisible());
    QCOMPARE(m_pPrompts->Calls().size(), 0);
}

void TestZelvorFactory::closedTestToolsDockUnchecksItsAction()
{
    QAction *pAction = m_pWnd->findChild<QAction *>(QStringLiteral("actionTest_Tools"));
    QDockWidget *pDock = DockByTitle(m_pWnd, QStringLiteral("Test Tools"));
    pAction->setChecked(true);
    pDock->show();
    QVERIFY(pDock->close());
    QVERIFY(!pAction->isChecked());
}

QTEST_MAIN(TestZelvorFactory)
#include "tst_zelvorfactory.moc"
