// The main window on a 1366 x 768 screen: its first size and a stored larger one fit the
// screen with the status line whole, and every dock, floating for the first time or restored
// from a layout in which it was never shown, opens whole on the screen at its panel's size,
// beside the window or below its menu bar and tool bar.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/offscreenscreens.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

QRect GlobalRect(const QWidget *pWidget)
{
    return QRect(pWidget->mapToGlobal(QPoint(0, 0)), pWidget->size());
}

QString Text(const QRect &rect)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

} // namespace

class TestZelvorSmallScreen : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { End(); }
    void init() { QSettings().clear(); }
    void cleanup() { DropWindow(); }
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void docksOpenWholeOnTheScreen();

private:
    // Shows the window and closes it without saving: the settings then hold its layout.
    bool ShowAndClose(Zelvor *pWnd);
};

void TestZelvorSmallScreen::initTestCase()
{
    Begin(QStringLiteral("<Factory_mode>yes</Factory_mode>"));
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768));
}

bool TestZelvorSmallScreen::ShowAndClose(Zelvor *pWnd)
{
    pWnd->show();
    if (!QTest::qWaitForWindowExposed(pWnd))
        return false;
    m_pPrompts->AnswerQuestion(QMessageBox::No); // the empty project is not saved
    return pWnd->close();
}

void TestZelvorSmallScreen::windowFitsTheScreen_data()
{
    QTest::addColumn<QRect>("stored"); // null: nothing stored
    QTest::newRow("first start") << QRect();
    QTest::newRow("stored on a larger screen") << QRect(100, 80, 1800, 1000);
    QTest::newRow("stored partly off the screen") << QRect(900, 500, 800, 600);
}

void TestZelvorSmallScreen::windowFitsTheScreen()
{
    QFETCH(QRect, stored);
    if (!stored.isNull()) {
        Zelvor *pOld = MakeWindow();
        pOld->setGeometry(stored);
        QVERIFY(ShowAndClose(pOld));
    }
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    const QRect screen = pWnd->screen()->availableGeometry();
    QVERIFY2(screen.contains(pWnd->frameGeometry()), qPrintable(Text(pWnd->frameGeometry())));
    // The status line's fields, the last of them "Mode:", are whole in the window.
    QLabel *pMode = nullptr;
    for (QLabel *pLabel : pWnd->statusBar()->findChildren<QLabel *>())
        pMode = pLabel->text() == QLatin1String("Mode:") ? pLabel : pMode;
    QVERIFY(pMode && pMode->isVisible());
    QVERIFY2(screen.contains(GlobalRect(pWnd->statusBar())), qPrintable(Text(GlobalRect(pWnd->statusBar()))));
    QVERIFY(GlobalRect(pWnd->statusBar()).contains(GlobalRect(pMode)));
}

void TestZelvorSmallScreen::docksOpenWholeOnTheScreen()
{
    // A narrow window leaves room at its right for the narrower docks.
    Zelvor *pOld = MakeWindow();
    pOld->setGeometry(0, 0, 760, 600);
    QVERIFY(ShowAndClose(pOld));

    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    const QRect screen = pWnd->screen()->availableGeometry();
    QStringList faults;
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>())
        pDock->show();
    QCoreApplication::processEvents();
    // The window as it stands with its docks open: a dock placed beside it must stay beside it.
    const QRect frame = pWnd->frameGeometry();
    const QList<QRect> bars = {GlobalRect(pWnd->menuBar()), GlobalRect(pWnd->findChild<QToolBar *>())};
    const int iBarsBottom = std::max(bars[0].bottom(), bars[1].bottom());
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        QVERIFY(pDock->isFloating());
        const QRect place = pDock->frameGeometry();
        const QString qsWhere = pDock->windowTitle() + QLatin1Char(' ') + Text(place);
        if (!screen.contains(place))
            faults << qsWhere + QStringLiteral(": off the screen");
        for (const QRect &bar : bars) {
            if (bar.intersects(place))
                faults << qsWhere + QStringLiteral(": over the bars ") + Text(bar);
        }
        if (frame.intersects(place) && place.top() <= iBarsBottom)
            faults << qsWhere + QStringLiteral(": neither beside the window nor below its bars");
        if (place.width() <= screen.right() - frame.right() && place.left() != frame.right() + 1)
            faults << qsWhere + QStringLiteral(": not beside the window though there is room");
        // The panel is shown whole, unless the room on the screen ends first.
        auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
        QVERIFY(pArea && pArea->widget());
        const QSize hint = pArea->widget()->sizeHint();
        const QSize shown = pArea->viewport()->size();
        if ((shown.width() < hint.width() && place.width() < screen.width()) ||
            (shown.height() < hint.height() && place.bottom() < screen.bottom()))
            faults << qsWhere + QStringLiteral(": panel %1 x %2 in %3 x %4")
                                    .arg(hint.width())
                                    .arg(hint.height())
                                    .arg(shown.width())
                                    .arg(shown.height());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

    // A place the operator chose is kept by the next run.
    QDockWidget *pMoved = DockByTitle(pWnd, QStringLiteral("Workspace settings"));
    pMoved->move(900, 150);
    const QRect chosen = pMoved->frameGeometry();
    QVERIFY(screen.contains(chosen));
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    QVERIFY(pWnd->close());
    pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QTRY_VERIFY(DockByTitle(pWnd, QStringLiteral("Workspace settings"))->isVisible());
    QCOMPARE(DockByTitle(pWnd, QStringLiteral("Workspace settings"))->frameGeometry(), chosen);
}

LANTREL_TEST_MAIN_ON_SCREENS(TestZelvorSmallScreen,
                             R"([{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}])")

#include "tst_zelvorsmallscreen.moc"
