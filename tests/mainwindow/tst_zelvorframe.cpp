// The main window under a real window manager on a 1366 x 768 screen: the manager's frame,
// title bar included, is whole on the screen at the first start, after a restart and from a
// stored geometry, and a window the operator made as large as the screen comes back as large.
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/mainwindowtest.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QWindow>

namespace {

constexpr int kFramedMs = 10000;

QString Text(const QRect &rect)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// True once the manager has framed the window and reported its frame.
bool Framed(QWidget *pWindow)
{
    return pWindow->windowHandle() && !pWindow->windowHandle()->frameMargins().isNull();
}

} // namespace

class TestZelvorFrame : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { End(); }
    void init() { QSettings().clear(); }
    void cleanup() { DropWindow(); }
    void frameWholeOnTheScreen_data();
    void frameWholeOnTheScreen();
    void docksWholeOffTheBars();

private:
    // Shows a window, lets the manager frame it, and closes it without saving: the settings then
    // hold its geometry. bFill: first made as large as the screen, frame included.
    bool RunOnce(const QRect &stored, bool bFill);
};

void TestZelvorFrame::initTestCase()
{
    Begin(QStringLiteral("<Factory_mode>yes</Factory_mode>")); // the test tools' dock too
    QCOMPARE(Available(), QRect(0, 0, 1366, 768));
}

bool TestZelvorFrame::RunOnce(const QRect &stored, bool bFill)
{
    Zelvor *pWnd = MakeWindow();
    if (!stored.isNull())
        pWnd->setGeometry(stored);
    pWnd->show();
    if (!QTest::qWaitForWindowExposed(pWnd) || !QTest::qWaitFor([pWnd] { return Framed(pWnd); }, kFramedMs))
        return false;
    if (bFill) {
        pWnd->setGeometry(Available().marginsRemoved(pWnd->windowHandle()->frameMargins()));
        if (!QTest::qWaitFor([pWnd] { return pWnd->windowHandle()->frameGeometry() == Available(); }, kFramedMs))
            return false;
    }
    m_pPrompts->AnswerQuestion(QMessageBox::No); // the empty project is not saved
    return pWnd->close();
}

void TestZelvorFrame::frameWholeOnTheScreen_data()
{
    QTest::addColumn<bool>("bEarlierRun");
    QTest::addColumn<QRect>("stored"); // the earlier run's geometry as it was set; null: its own
    QTest::addColumn<bool>("bFill");   // the earlier run made as large as the screen
    QTest::newRow("first start") << false << QRect() << false;
    QTest::newRow("restart") << true << QRect() << false;
    QTest::newRow("stored on a larger screen") << true << QRect(100, 80, 1800, 1000) << false;
    QTest::newRow("stored partly off the screen") << true << QRect(900, 500, 800, 600) << false;
    QTest::newRow("stored above the screen") << true << QRect(200, -300, 900, 600) << false;
    QTest::newRow("stored as large as the screen") << true << QRect() << true;
}

void TestZelvorFrame::frameWholeOnTheScreen()
{
    QFETCH(bool, bEarlierRun);
    QFETCH(QRect, stored);
    QFETCH(bool, bFill);
    if (bEarlierRun)
        QVERIFY(RunOnce(stored, bFill));

    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QVERIFY2(QTest::qWaitFor([pWnd] { return Framed(pWnd); }, kFramedMs), "the manager never framed the window");
    QWindow *pWindow = pWnd->windowHandle();
    // The frame the manager drew, title bar and its buttons included, whole on the screen;
    // the window is refitted once the manager reports it, so this may take a moment.
    QTRY_VERIFY2_WITH_TIMEOUT(Available().contains(pWindow->frameGeometry()),
                              qPrintable(Text(pWindow->frameGeometry())), 2000);
    if (bFill)
        QCOMPARE(pWindow->frameGeometry(), Available());
    // And what the operator works with is below the title bar, on the screen.
    const QRect menu(pWnd->menuBar()->mapToGlobal(QPoint(0, 0)), pWnd->menuBar()->size());
    QVERIFY2(Available().contains(menu), qPrintable(Text(menu)));
}

// Every dock, floating at its first size beside the framed window (a floating dock draws its own
// title bar): whole on the screen, and clear of the window's menu bar and tool bar.
void TestZelvorFrame::docksWholeOffTheBars()
{
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QVERIFY(QTest::qWaitFor([pWnd] { return Framed(pWnd); }, kFramedMs));
    QTRY_VERIFY(Available().contains(pWnd->windowHandle()->frameGeometry()));
    const QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    for (QDockWidget *pDock : docks)
        pDock->show();
    QCoreApplication::processEvents();
    const QList<QRect> bars = {QRect(pWnd->menuBar()->mapToGlobal(QPoint(0, 0)), pWnd->menuBar()->size()),
                               QRect(pWnd->findChild<QToolBar *>()->mapToGlobal(QPoint(0, 0)),
                                     pWnd->findChild<QToolBar *>()->size())};
    auto faults = [&] {
        QStringList found;
        for (QDockWidget *pDock : docks) {
            const QRect frame = pDock->frameGeometry();
            if (!Available().contains(frame))
                found << pDock->windowTitle() + QStringLiteral(" off the screen: ") + Text(frame);
            for (const QRect &bar : bars) {
                if (bar.intersects(frame))
                    found << pDock->windowTitle() + QStringLiteral(" over a bar: ") + Text(frame);
            }
        }
        return found;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(faults().isEmpty(), qPrintable(faults().join(QLatin1Char('\n'))), 2000);
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY(TestZelvorFrame, 1366, 768)

#include "tst_zelvorframe.moc"
