// The main window on an X display with no window manager, where nothing frames it: closed and
// started again with the same settings, it comes back where it was, with no strip kept free
// above it for a title bar that no one draws.
#include "mainwindow/x11window.h"
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/windowtest.h"

#include <QAction>
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

private:
    // Starts the window, and ends it by File > Exit once it has been up for iUpMs; its place on
    // the screen while it was up, or a null rectangle if it never came up or Qt had it elsewhere.
    QRect RunOnce(int iUpMs);
};

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

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestZelvorNoManager, 1366, 768, FramingDisplay::NoManager)

#include "tst_zelvornomanager.moc"
