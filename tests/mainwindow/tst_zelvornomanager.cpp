// The main window on an X display with no window manager, where nothing frames it: closed and
// started again with the same settings, it comes back where it was, with no strip kept free
// above it for a title bar that no one draws; and a dock closed before the exit opens at the
// next start where, and as large as, it was closed.
#include "mainwindow/x11window.h"
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/windowtest.h"

#include <QAction>
#include <QDockWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTest>

class TestZelvorNoManager : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { Begin(); }
    void cleanupTestCase() { End(); }
    void cleanup() { DropWindow(); }
    void backWhereItWas_data();
    void backWhereItWas();
    void closedDockBackAsLeft_data();
    void closedDockBackAsLeft();

private:
    // Starts the window, and ends it by File > Exit once it has been up for iUpMs; its place on
    // the screen while it was up, or a null rectangle if it never came up or Qt had it elsewhere.
    QRect RunOnce(int iUpMs);
};

namespace {

QString Text(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Shown, and the server has it where Qt does.
bool ShownWhereQtHasIt(QWidget *pWindow)
{
    return pWindow->isVisible() && pWindow->windowHandle() && pWindow->windowHandle()->isExposed() &&
           X11Window::ServerPlace(pWindow) == pWindow->geometry();
}

} // namespace

QRect TestZelvorNoManager::RunOnce(int iUpMs)
{
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    if (!QTest::qWaitForWindowExposed(pWnd))
        return {};
    QTest::qWait(iUpMs);
    const QRect place = X11Window::ServerPlace(pWnd).value_or(QRect());
    if (place != pWnd->geometry())
        return {};
    m_pPrompts->AnswerQuestion(QMessageBox::No); // the empty project is not saved
    pWnd->findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
    if (!QTest::qWaitFor([pWnd] { return !pWnd->isVisible(); }))
        return {};
    return place;
}

void TestZelvorNoManager::backWhereItWas_data()
{
    QTest::addColumn<int>("iUpMs"); // how long each run is up before File > Exit
    QTest::newRow("ended at once") << 0;
    QTest::newRow("ended after a while") << 1000;
}

void TestZelvorNoManager::backWhereItWas()
{
    QFETCH(int, iUpMs);
    QSettings().clear();
    const QRect first = RunOnce(iUpMs);
    QVERIFY(first.isValid());
    QVERIFY2(QGuiApplication::primaryScreen()->availableGeometry().contains(first), qPrintable(QStringLiteral(
                 "%1,%2 %3 x %4").arg(first.x()).arg(first.y()).arg(first.width()).arg(first.height())));
    for (int iRestart = 1; iRestart <= 2; ++iRestart) {
        const QRect again = RunOnce(iUpMs);
        QVERIFY2(again == first, qPrintable(QStringLiteral("restart %1: %2,%3 %4 x %5 for %6,%7 %8 x %9")
                                                .arg(iRestart)
                                                .arg(again.x())
                                                .arg(again.y())
                                                .arg(again.width())
                                                .arg(again.height())
                                                .arg(first.x())
                                                .arg(first.y())
                                                .arg(first.width())
                                                .arg(first.height())));
    }
}

void TestZelvorNoManager::closedDockBackAsLeft_data()
{
    QTest::addColumn<QString>("qsDock");
    QTest::addColumn<bool>("bClosedStart"); // a start in between where the dock stays closed
    for (const char *pcDock : {"m_pGroupSetDock", "m_pWorkspaceDock", "m_pListsDock", "m_pDMXConfigDock"})
        QTest::addRow("%s", pcDock) << pcDock << false;
    QTest::addRow("m_pGroupSetDock, a start closed") << "m_pGroupSetDock" << true;
}

// Opened from its menu and closed there before File > Exit: at the next start it opens where it
// was closed, at the size it had, not at the size of a window nothing has sized.
void TestZelvorNoManager::closedDockBackAsLeft()
{
    QFETCH(QString, qsDock);
    QFETCH(bool, bClosedStart);
    QSettings().clear();
    const auto exitWithoutSaving = [this](Zelvor *pWnd) {
        m_pPrompts->AnswerQuestion(QMessageBox::No);
        pWnd->findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
        return QTest::qWaitFor([pWnd] { return !pWnd->isVisible(); });
    };
    const auto start = [this, qsDock](QDockWidget **ppDock) -> Zelvor * {
        Zelvor *pWnd = MakeWindow();
        pWnd->show();
        *ppDock = pWnd->findChild<QDockWidget *>(qsDock);
        return *ppDock && QTest::qWaitFor([pWnd] { return ShownWhereQtHasIt(pWnd); }) ? pWnd : nullptr;
    };

    QDockWidget *pDock = nullptr;
    Zelvor *pWnd = start(&pDock);
    QVERIFY(pWnd);
    pDock->toggleViewAction()->trigger();
    QVERIFY(QTest::qWaitFor([pDock] { return pDock->isFloating() && ShownWhereQtHasIt(pDock); }));
    const QRect left = pDock->geometry();
    pDock->toggleViewAction()->trigger();
    QVERIFY(!pDock->isVisible());
    QVERIFY(exitWithoutSaving(pWnd));
    if (bClosedStart) {
        pWnd = start(&pDock);
        QVERIFY(pWnd);
        QVERIFY(exitWithoutSaving(pWnd));
    }

    pWnd = start(&pDock);
    QVERIFY(pWnd);
    QVERIFY(!pDock->isVisible());
    pDock->toggleViewAction()->trigger();
    const bool bBack =
        QTest::qWaitFor([pDock, left] { return ShownWhereQtHasIt(pDock) && pDock->geometry() == left; });
    QVERIFY2(bBack, qPrintable(QStringLiteral("on the screen %1, in Qt %2, closed at %3")
                                   .arg(Text(X11Window::ServerPlace(pDock).value_or(QRect())),
                                        Text(pDock->geometry()), Text(left))));
    QVERIFY(exitWithoutSaving(pWnd));
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestZelvorNoManager, 1366, 768, FramingDisplay::NoManager)

#include "tst_zelvornomanager.moc"
