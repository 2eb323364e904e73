// The main window under a real window manager on a 1366 x 768 screen: the manager's frame,
// title bar included, is whole on the screen at the first start, after a restart and from a
// stored geometry, and a window the operator made as large as the screen comes back as large.
// Its floating docks come back above it after a restart, and a dock floated again from the
// window lands whole on the screen, where Qt believes it is even when the manager's first
// report of it is stale. Rows whose names end in "held" hold the GUI thread while the manager
// answers, as a busy machine does, so that the program reads the manager's reports late and in
// one go.
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/mainwindowtest.h"
#include "support/serverpeer.h"
#include "support/windowtest.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDockWidget>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QTranslator>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

constexpr int kFramedMs = 10000;
// How long the GUI thread is held past the server's showing what was asked: long enough for a
// manager to send every report of its answer, as a busy machine gives it time to.
constexpr int kHeldMs = 100;

QString Text(const QRect &rect)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// A window's frame as the operator sees it: with the margins its native window has now (a
// widget keeps the first it learned, which may be Qt's own reckoning from a frame not yet sized).
QRect Frame(QWidget *pWindow)
{
    return pWindow->windowHandle()->frameGeometry();
}

// The manager's stacking order of its windows, bottom first (xprop, package x11-utils).
QList<WId> Stacking()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!xprop.waitForFinished(5000))
        return {};
    QList<WId> order;
    static const QRegularExpression reId(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const QRegularExpressionMatch &match : reId.globalMatch(QString::fromLatin1(xprop.readAllStandardOutput())))
        order.append(match.captured().toULongLong(nullptr, 16));
    return order;
}

// The menu and tool bars the docks keep clear of, in screen coordinates.
QList<QRect> Bars(QMainWindow *pWnd)
{
    QToolBar *pTools = pWnd->findChild<QToolBar *>();
    return {QRect(pWnd->menuBar()->mapToGlobal(QPoint(0, 0)), pWnd->menuBar()->size()),
            QRect(pTools->mapToGlobal(QPoint(0, 0)), pTools->size())};
}

// A floating dock the manager has framed and shown, and where Qt has it is where the server
// shows it: what the operator sees of it, and what its popups and layout go by, is then its
// place for good (a docked dock lies in the window).
bool Settled(QDockWidget *pDock)
{
    return !pDock->isFloating() || (pDock->windowHandle() && pDock->windowHandle()->isExposed() &&
                                    Viewable(pDock->winId()) && ServerPlace(pDock->winId()) == pDock->geometry());
}

// What keeps a window's frame from being all in reach: off the screen or over a bar.
QStringList PlaceFaults(const QString &qsWhat, const QRect &frame, const QString &qsWhere, const QList<QRect> &bars)
{
    QStringList found;
    if (!Available().contains(frame))
        found << qsWhat + QStringLiteral(" off the screen: ") + qsWhere;
    for (const QRect &bar : bars) {
        if (bar.intersects(frame))
            found << qsWhat + QStringLiteral(" over a bar: ") + qsWhere + QStringLiteral(" over ") + Text(bar);
    }
    return found;
}

// Where the server shows a dock, with the frame its manager drew around it. Asked of a settled
// dock, so that where Qt has it is there too.
QStringList PlaceFaults(QDockWidget *pDock, const QList<QRect> &bars)
{
    const QRect frame = ServerPlace(pDock->winId()).marginsAdded(FrameExtents(pDock->winId()));
    return PlaceFaults(pDock->windowTitle(), frame,
                       Text(frame) + QStringLiteral(" (Qt has it at ") + Text(pDock->geometry()) +
                           QStringLiteral(" without its frame)"),
                       bars);
}

const char *const kPassword = "S3cret9";

// In rows held, the program's GUI thread held still while the manager answers what was just
// asked of it, until the server shows what the manager made of it, and a while longer.
bool g_bHeld = false;

void HoldGuiThread(const std::function<bool()> &serverShows)
{
    if (g_bHeld)
        ::HoldGuiThread(serverShows, kFramedMs, kHeldMs);
}

// Held until the window is shown on the server. A dock is then framed at the screen's corner,
// where openbox makes a new frame before it sizes and places it: when the program reads the
// manager's first report of the dock, the server shows it there, over the window's bars.
void HoldUntilShown(QWidget *pWidget)
{
    if (!g_bHeld)
        return;
    const WId window = pWidget->winId();
    HoldGuiThread([window] { return Viewable(window); });
    if (qobject_cast<QDockWidget *>(pWidget)) {
        const QPoint shown = ServerPlace(window).topLeft();
        QVERIFY(ManagerMove(window, QPoint(0, 0)));
        HoldGuiThread([window, shown] { return ServerPlace(window).topLeft() != shown; });
    }
}

bool ShownFloating(QDockWidget *pDock)
{
    return pDock->isVisible() && pDock->isFloating() && pDock->windowHandle() && pDock->windowHandle()->isExposed();
}

// Docks a floating dock by a double click on its title, then floats it again as the operator
// does: by a double click there, or by its float button. False if a step never came about.
bool DockAndFloatAgain(QDockWidget *pDock, bool bFloatButton)
{
    auto *pFloat = pDock->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_floatbutton"));
    if (!pFloat)
        return false;
    const auto title = [pDock] { return QPoint(pDock->width() / 4, pDock->widget()->y() / 2); };
    QTest::mouseDClick(pDock, Qt::LeftButton, {}, title());
    if (!QTest::qWaitFor([pDock] { return !pDock->isFloating(); }))
        return false;
    if (bFloatButton)
        QTest::mouseClick(pFloat, Qt::LeftButton);
    else
        QTest::mouseDClick(pDock, Qt::LeftButton, {}, title());
    HoldUntilShown(pDock);
    return QTest::qWaitFor([pDock] { return ShownFloating(pDock); });
}

// The operator's hands on the server's keyboard and pointer (XTEST, package libxcb-xtest0-dev):
// a window dragged with Alt held, by the manager's own move.
class AltDrag
{
public:
    AltDrag() : m_pX(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_pX))
            return;
        const xcb_setup_t *pSetup = xcb_get_setup(m_pX);
        m_Root = xcb_setup_roots_iterator(pSetup).data->root;
        const int iKeys = pSetup->max_keycode - pSetup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *pMap = xcb_get_keyboard_mapping_reply(
            m_pX, xcb_get_keyboard_mapping(m_pX, pSetup->min_keycode, static_cast<uint8_t>(iKeys)), nullptr);
        if (pMap) {
            const xcb_keysym_t *pSyms = xcb_get_keyboard_mapping_keysyms(pMap);
            constexpr xcb_keysym_t kAltL = 0xffe9;
            for (int i = 0; i < iKeys * pMap->keysyms_per_keycode && !m_Alt; ++i) {
                if (pSyms[i] == kAltL)
                    m_Alt = static_cast<xcb_keycode_t>(pSetup->min_keycode + i / pMap->keysyms_per_keycode);
            }
        }
        free(pMap);
    }
    ~AltDrag()
    {
        if (m_bHeld)
            Drop();
        xcb_disconnect(m_pX);
    }
    AltDrag(const AltDrag &) = delete;
    AltDrag &operator=(const AltDrag &) = delete;

    bool Ready() const
    {
        const xcb_query_extension_reply_t *pTest =
            xcb_connection_has_error(m_pX) ? nullptr : xcb_get_extension_data(m_pX, &xcb_test_id);
        return pTest && pTest->present && m_Alt;
    }
    // Alt and the left button pressed at from, the pointer then moved to to in steps, as a hand
    // moves, the button held: each step until dragged reports the window's frame at its place.
    bool Grab(const QPoint &from, const QPoint &to, const std::function<bool(const QPoint &)> &dragged)
    {
        m_bHeld = Fake(XCB_KEY_PRESS, m_Alt) && Fake(XCB_MOTION_NOTIFY, 0, from) && Fake(XCB_BUTTON_PRESS, 1);
        for (int i = 1; m_bHeld && i <= 8; ++i) {
            const QPoint at = from + (to - from) * i / 8;
            // A manager takes up its move once it has handled the press: a motion it read before
            // is moved again, as a hand goes on moving.
            bool bDragged = false;
            for (int iTry = 0; m_bHeld && !bDragged && iTry < 100; ++iTry) {
                m_bHeld = Fake(XCB_MOTION_NOTIFY, 0, at + QPoint(iTry % 2, 0)) && Fake(XCB_MOTION_NOTIFY, 0, at);
                for (int iWait = 0; !bDragged && iWait < 10; ++iWait) {
                    bDragged = dragged(at - from);
                    if (!bDragged)
                        QThread::msleep(5);
                }
            }
            m_bHeld = m_bHeld && bDragged;
        }
        return m_bHeld;
    }
    bool Drop()
    {
        m_bHeld = false;
        return Fake(XCB_BUTTON_RELEASE, 1) && Fake(XCB_KEY_RELEASE, m_Alt);
    }

private:
    bool Fake(uint8_t type, uint8_t detail, const QPoint &at = QPoint())
    {
        const xcb_window_t root = type == XCB_MOTION_NOTIFY ? m_Root : xcb_window_t(XCB_NONE);
        xcb_generic_error_t *pError = xcb_request_check(
            m_pX, xcb_test_fake_input_checked(m_pX, type, detail, XCB_CURRENT_TIME, root, static_cast<int16_t>(at.x()),
                                              static_cast<int16_t>(at.y()), 0));
        free(pError);
        return !pError;
    }

    xcb_connection_t *m_pX;
    xcb_window_t m_Root = XCB_NONE;
    xcb_keycode_t m_Alt = 0;
    bool m_bHeld = false;
};

// The places the window system reported for a top-level widget, as Qt took them.
class ReportedPlaces : public QObject
{
public:
    explicit ReportedPlaces(QWidget *pWidget) : m_pWidget(pWidget) { pWidget->installEventFilter(this); }
    QList<QRect> places;

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pWatched == m_pWidget && m_pWidget->isWindow() && pEvent->spontaneous() &&
            (pEvent->type() == QEvent::Move || pEvent->type() == QEvent::Resize)) {
            places.append(m_pWidget->geometry());
        }
        return false;
    }

private:
    QWidget *m_pWidget;
};

} // namespace

class TestZelvorFrame : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { End(); }
    // Rows whose tag ends in "held" hold the GUI thread while the manager answers.
    void init()
    {
        QSettings().clear();
        g_bHeld = QByteArray(QTest::currentDataTag()).endsWith("held");
    }
    void cleanup() { DropWindow(); }
    void frameWholeOnTheScreen_data();
    void frameWholeOnTheScreen();
    void docksWholeOffTheBars();
    void restoredDocksAboveTheWindow();
    void dockFloatedAgainOnTheScreen_data();
    void dockFloatedAgainOnTheScreen();
    void staleReportOfAPlacedDock_data();
    void staleReportOfAPlacedDock();
    void managersMoveStands_data();
    void managersMoveStands();
    void altDragAtOnceStands();
    void restoredDockAsItWasLeft_data();
    void restoredDockAsItWasLeft();
    void reopenedDockOffTheBars();
    void dockOpenedBeforeTheWindowIsFramed_data();
    void dockOpenedBeforeTheWindowIsFramed();
    void restoredDockOffTheBars_data();
    void restoredDockOffTheBars();
    void everyDockDockedOnTheScreen_data();
    void everyDockDockedOnTheScreen();

private:
    // Shows a window, lets the manager frame it, and closes it without saving: the settings then
    // hold its geometry. bFill: first made as large as the screen, frame included.
    bool RunOnce(const QRect &stored, bool bFill);
    // The window shown and framed; once settled too, unless bSettled is false.
    Zelvor *FramedWindow(bool bSettled = true);
    // Ends the run by File > Exit, the empty project not saved; false if the window stays.
    bool ExitWithoutSaving(Zelvor *pWnd);
    // Opens a dock as the operator does, from its menu entry (typing the password where the
    // entry asks for one).
    void OpenFromMenu(Zelvor *pWnd, QDockWidget *pDock);
    // Opens a dock from its menu, floating and shown; then, for "double click" or "float button",
    // docks it and floats it again that way. False if a step never came about.
    bool OpenFloating(Zelvor *pWnd, QDockWidget *pDock, const QString &qsHow);
};

void TestZelvorFrame::initTestCase()
{
    // The test tools' dock too.
    Begin(
        QStringLiteral("<Factory_mode>yes</Factory_mode><Factory_pwd>%1</Factory_pwd>").arg(QLatin1String(kPassword)));
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

    Zelvor *pWnd = FramedWindow(false);
    QVERIFY2(pWnd, "the manager never framed the window");
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
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    QTRY_VERIFY(Available().contains(pWnd->windowHandle()->frameGeometry()));
    const QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    for (QDockWidget *pDock : docks)
        pDock->show();
    const QList<QRect> bars = Bars(pWnd);
    QStringList faults;
    for (QDockWidget *pDock : docks) {
        QVERIFY2(QTest::qWaitFor([pDock] { return Settled(pDock); }, kFramedMs), qPrintable(pDock->windowTitle()));
        faults += PlaceFaults(pDock, bars);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

Zelvor *TestZelvorFrame::FramedWindow(bool bSettled)
{
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    HoldUntilShown(pWnd);
    // Framed, fitted on the screen, and where Qt has it is where the server shows it: the window
    // is settled, and what is placed beside its bars is placed beside them on the screen.
    const auto settled = [pWnd, bSettled] {
        return Framed(pWnd) && (!bSettled || (Available().contains(Frame(pWnd)) &&
                                              ServerPlace(pWnd->winId()) == pWnd->geometry()));
    };
    if (!QTest::qWaitForWindowExposed(pWnd) || !QTest::qWaitFor(settled, kFramedMs))
        return nullptr;
    return pWnd;
}

bool TestZelvorFrame::ExitWithoutSaving(Zelvor *pWnd)
{
    QAction *pExit = pWnd->findChild<QAction *>(QStringLiteral("actionExit"));
    if (!pExit)
        return false;
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    pExit->trigger();
    return QTest::qWaitFor([pWnd] { return !pWnd->isVisible(); });
}

void TestZelvorFrame::OpenFromMenu(Zelvor *pWnd, QDockWidget *pDock)
{
    QAction *pEntry = DockMenuEntry(pWnd, pDock);
    if (pEntry != pDock->toggleViewAction())
        m_pPrompts->AnswerText(QLatin1String(kPassword));
    pEntry->trigger();
    if (pDock->isVisible() && pDock->isFloating())
        HoldUntilShown(pDock);
}

bool TestZelvorFrame::OpenFloating(Zelvor *pWnd, QDockWidget *pDock, const QString &qsHow)
{
    OpenFromMenu(pWnd, pDock);
    if (!QTest::qWaitFor([pDock] { return ShownFloating(pDock); }))
        return false;
    if (qsHow != QLatin1String("double click") && qsHow != QLatin1String("float button"))
        return true;
    return DockAndFloatAgain(pDock, qsHow == QLatin1String("float button"));
}

// Docks left floating open at the end of a run, closed from its menu: at the next start the
// manager stacks each of them above the window, where the operator sees it.
void TestZelvorFrame::restoredDocksAboveTheWindow()
{
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    QStringList open;
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        // The update and DMX docks never come back at a start.
        if (QStringList({"m_pFixtUpdateDock", "m_pVPUUpdateDock", "m_pDMXConfigDock"}).contains(pDock->objectName()))
            continue;
        OpenFromMenu(pWnd, pDock);
        QVERIFY2(pDock->isVisible() && pDock->isFloating(), qPrintable(pDock->windowTitle()));
        open << pDock->windowTitle();
    }
    QCOMPARE(open.size(), 11);
    QVERIFY(ExitWithoutSaving(pWnd));

    pWnd = FramedWindow();
    QVERIFY(pWnd);
    QList<QDockWidget *> docks;
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        if (open.contains(pDock->windowTitle()))
            docks << pDock;
    }
    QCOMPARE(docks.size(), open.size());
    // Eleven windows for the manager to map at once: on a busy machine that takes a while.
    for (QDockWidget *pDock : std::as_const(docks))
        QTRY_VERIFY2_WITH_TIMEOUT(pDock->isVisible() && pDock->windowHandle() && pDock->windowHandle()->isExposed(),
                                  qPrintable(pDock->windowTitle()), kFramedMs);
    auto below = [&] {
        const QList<WId> order = Stacking();
        QStringList found;
        const qsizetype iWindow = order.indexOf(pWnd->winId());
        if (iWindow < 0)
            return QStringList{QStringLiteral("the window is not in the stacking order")};
        for (QDockWidget *pDock : std::as_const(docks)) {
            if (order.indexOf(pDock->winId()) < iWindow)
                found << pDock->windowTitle();
        }
        return found;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(below().isEmpty(), qPrintable(below().join(QStringLiteral(", ")) + " below the window"),
                              3000);
    // And they stay there once the manager has activated the window and refitted its frame.
    QTest::qWait(1000);
    QVERIFY2(below().isEmpty(), qPrintable(below().join(QStringLiteral(", ")) + " below the window"));
}

void TestZelvorFrame::dockFloatedAgainOnTheScreen_data()
{
    QTest::addColumn<QString>("qsLanguage");
    QTest::addColumn<QString>("qsDock");
    const QStringList docks = {
        "m_pPaintBrushToolsDock", "m_pVideoInputDock", "m_pWorkspaceDock",   "m_pListsDock",      "m_pFixtSetDock",
        "m_pGroupSetDock",        "m_pSASUDock",       "m_pOutputColorDock", "m_pInputColorDock", "m_pVPUUpdateDock",
        "m_pFixtUpdateDock",      "m_pTestToolsDock",  "m_pTestDock",        "m_pDMXConfigDock"};
    for (const char *pcLanguage : {"en", "fr"}) {
        for (const QString &qsDock : docks)
            QTest::addRow("%s %s", pcLanguage, qPrintable(qsDock)) << pcLanguage << qsDock;
    }
    for (const QString &qsDock : docks)
        QTest::addRow("en %s, held", qPrintable(qsDock)) << "en" << qsDock;
}

// A dock docked into the window by a double click on its title, then floated again by a double
// click or by its float button, lands whole on the screen and clear of the bars; closed and
// opened again from its menu it is whole on the screen.
void TestZelvorFrame::dockFloatedAgainOnTheScreen()
{
    QFETCH(QString, qsLanguage);
    QFETCH(QString, qsDock);
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/zelvor_") + qsLanguage +
                            QStringLiteral(".qm")));
    QCoreApplication::installTranslator(&translator);
    const auto untranslate = qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });

    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(qsDock);
    QVERIFY(pDock);
    OpenFromMenu(pWnd, pDock);
    QTRY_VERIFY(pDock->isVisible() && pDock->isFloating());
    const QList<QRect> bars = Bars(pWnd);

    for (const char *pcHow : {"double click", "float button"}) {
        ReportedPlaces reported(pDock);
        QVERIFY2(DockAndFloatAgain(pDock, QByteArray(pcHow) == "float button"), pcHow);
        QVERIFY2(QTest::qWaitFor([pDock] { return Settled(pDock); }, kFramedMs), pcHow);
        QVERIFY2(PlaceFaults(pDock, bars).isEmpty(),
                 qPrintable(pcHow + QStringLiteral(": ") + PlaceFaults(pDock, bars).join(", ")));
        // Nor did Qt believe it anywhere else on its way there: its next resize would have asked
        // for that place, and its popups would have opened from it.
        QStringList taken;
        const QMargins extents = FrameExtents(pDock->winId());
        for (const QRect &place : std::as_const(reported.places))
            taken += PlaceFaults(pDock->windowTitle() + QStringLiteral(" taken"), place.marginsAdded(extents),
                                 Text(place), bars);
        QVERIFY2(taken.isEmpty(), qPrintable(pcHow + QStringLiteral(": ") + taken.join(", ")));
    }

    // Dragged partly past the screen's corner, where the operator may leave it, then closed and
    // opened again from the menu.
    pDock->move(Available().right() - pDock->width() / 2, Available().bottom() - 40);
    QTRY_VERIFY(!Available().contains(Frame(pDock)));
    QVERIFY(pDock->close());
    OpenFromMenu(pWnd, pDock);
    QTRY_VERIFY(pDock->isVisible());
    QVERIFY(QTest::qWaitFor([pDock] { return Settled(pDock); }, kFramedMs));
    QVERIFY2(Available().contains(Frame(pDock)), qPrintable(Text(Frame(pDock))));
}

void TestZelvorFrame::staleReportOfAPlacedDock_data()
{
    QTest::addColumn<QString>("qsHow");
    QTest::addColumn<bool>("bFrameSize");
    for (const char *pcPace : {"", ", held"}) {
        for (const char *pcHow : {"opened from its menu", "double click", "float button"}) {
            // A manager frames a window in a frame of its own, made at the screen's corner and
            // 1 x 1 before it is sized and moved; its first report can carry either.
            QTest::addRow("%s, at the corner%s", pcHow, pcPace) << pcHow << false;
            QTest::addRow("%s, at the frame's first size%s", pcHow, pcPace) << pcHow << true;
        }
    }
}

// Right after a dock is placed, the manager reports another place for it, as openbox does on a
// busy machine: the dock is shown where it was placed, and Qt must never believe the stale place
// (the dock's contents laid out for it, its popups opened from it, its next resize asking for it).
void TestZelvorFrame::staleReportOfAPlacedDock()
{
    QFETCH(QString, qsHow);
    QFETCH(bool, bFrameSize);
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pTestDock"));
    QVERIFY(pDock);
    QVERIFY(OpenFloating(pWnd, pDock, qsHow));
    const QList<QRect> bars = Bars(pWnd);
    QVERIFY(QTest::qWaitFor([pDock] { return Settled(pDock); }, kFramedMs));
    QVERIFY2(PlaceFaults(pDock, bars).isEmpty(), qPrintable(PlaceFaults(pDock, bars).join(", ")));
    const QRect placed = pDock->geometry();

    const QRect stale(bFrameSize ? QPoint(1, 0) : QPoint(0, 0), bFrameSize ? QSize(1, 1) : placed.size());
    ReportedPlaces reported(pDock);
    SentPlaces sent(pDock->winId());
    QVERIFY(ReportPlace(pDock->winId(), stale));
    QVERIFY2(QTest::qWaitFor([&sent, stale] { return sent.places.contains(stale); }, kFramedMs),
             "the report never reached the program");
    QVERIFY2(!reported.places.contains(stale), qPrintable("Qt took the stale place " + Text(stale)));
    QCOMPARE(pDock->geometry(), placed);
    QTRY_COMPARE(ServerPlace(pDock->winId()), placed);
    QVERIFY2(PlaceFaults(pDock, bars).isEmpty(), qPrintable(PlaceFaults(pDock, bars).join(", ")));
    // And it stays so.
    QTest::qWait(300);
    QCOMPARE(pDock->geometry(), placed);
}

void TestZelvorFrame::managersMoveStands_data()
{
    QTest::addColumn<QString>("qsHow");
    for (const char *pcPace : {"", ", held"}) {
        for (const char *pcHow : {"first shown", "restored at a start", "double click", "float button"})
            QTest::addRow("%s%s", pcHow, pcPace) << pcHow;
    }
}

// The operator moves a dock with the manager's own move the moment it appears: the dock stays
// where it was moved, and Qt knows it there.
void TestZelvorFrame::managersMoveStands()
{
    QFETCH(QString, qsHow);
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pListsDock"));
    QVERIFY(pDock);
    QVERIFY(OpenFloating(pWnd, pDock, qsHow));
    if (qsHow == QLatin1String("restored at a start")) {
        QVERIFY(ExitWithoutSaving(pWnd));
        pWnd = FramedWindow(false);
        QVERIFY(pWnd);
        pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pListsDock"));
        QVERIFY(pDock);
        QTRY_VERIFY_WITH_TIMEOUT(ShownFloating(pDock), kFramedMs);
    }

    // Well inside the screen, away from where the dock is placed beside the window.
    const QPoint target(300, 250);
    // The window inside the moved frame: below and right of its corner by the frame's border
    // and title bar.
    const auto moved = [&pDock, target] {
        const QPoint offset = ServerPlace(pDock->winId()).topLeft() - target;
        return offset.x() >= 0 && offset.x() < 20 && offset.y() >= 0 && offset.y() < 60;
    };
    QVERIFY(ManagerMove(pDock->winId(), target));
    HoldGuiThread(moved);
    QTRY_VERIFY2_WITH_TIMEOUT(moved(), qPrintable(Text(ServerPlace(pDock->winId()))), kFramedMs);
    const QRect place = ServerPlace(pDock->winId());
    QTRY_COMPARE(pDock->geometry(), place);
    // Past any time a placed dock might be held to its place.
    QTest::qWait(2500);
    QCOMPARE(ServerPlace(pDock->winId()), place);
    QCOMPARE(pDock->geometry(), place);
}

// The operator drags a dock away with Alt held the moment the manager has shown it, before the
// program has read a word of the manager's: the dock stays where it was dragged, and Qt knows it
// there. The button is held until Qt does, as the hand holds it while the program catches up.
void TestZelvorFrame::altDragAtOnceStands()
{
    AltDrag hand;
    QVERIFY2(hand.Ready(), "no XTEST or no Alt key on the display");
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pListsDock"));
    QVERIFY(pDock);
    pDock->toggleViewAction()->trigger();
    QVERIFY(pDock->isVisible() && pDock->isFloating());
    const WId dock = pDock->winId();
    xcb_flush(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    QElapsedTimer held;
    held.start();
    while (!Viewable(dock) && held.elapsed() < kFramedMs)
        QThread::msleep(10);
    const QRect shown = ServerPlace(dock);
    const QPoint from = shown.center();
    const QPoint to(350, 300);
    QVERIFY2(hand.Grab(from, to, [dock, shown](const QPoint &by) { return ServerPlace(dock).topLeft() == shown.topLeft() + by; }),
             qPrintable(Text(shown) + " dragged to " + Text(ServerPlace(dock))));
    const QPoint moved = shown.topLeft() + (to - from);

    QVERIFY2(QTest::qWaitFor([pDock, moved] { return ShownFloating(pDock) && pDock->geometry().topLeft() == moved; },
                             kFramedMs),
             qPrintable(Text(pDock->geometry())));
    QVERIFY(hand.Drop());
    // Past any time a placed dock might be held to its place.
    QTest::qWait(2500);
    QCOMPARE(ServerPlace(dock).topLeft(), moved);
    QCOMPARE(pDock->geometry(), ServerPlace(dock));
}

void TestZelvorFrame::restoredDockAsItWasLeft_data()
{
    QTest::addColumn<QString>("qsDock");
    QTest::addColumn<bool>("bToTheBottom"); // placed reaching the screen's bottom, shorter than its panel
    QTest::addColumn<QPoint>("moved");      // then moved this far by the operator with the manager's move
    for (const char *pcPace : {"", ", held"}) {
        QTest::addRow("Fixture settings, to the screen's bottom%s", pcPace) << "m_pFixtSetDock" << true << QPoint();
        QTest::addRow("Fixture settings, moved along the bottom%s", pcPace)
            << "m_pFixtSetDock" << true << QPoint(-300, 0);
        QTest::addRow("Custom Fixture Paintbrush%s", pcPace) << "m_pPaintBrushToolsDock" << false << QPoint();
    }
}

// A dock left floating open at the end of a run comes back where, and as large as, it was left,
// at the next start and the one after it; a dock the room below the bars made shorter than its
// panel included.
void TestZelvorFrame::restoredDockAsItWasLeft()
{
    QFETCH(QString, qsDock);
    QFETCH(bool, bToTheBottom);
    QFETCH(QPoint, moved);
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(qsDock);
    QVERIFY(pDock);
    OpenFromMenu(pWnd, pDock);
    // Placed, past the manager's first report of its new frame's corner, and off the bars where
    // the server shows the window.
    const auto placed = [pWnd, pDock] {
        return ShownFloating(pDock) && Settled(pDock) && ServerPlace(pWnd->winId()) == pWnd->geometry() &&
               PlaceFaults(pDock, Bars(pWnd)).isEmpty();
    };
    QVERIFY2(QTest::qWaitFor(placed, kFramedMs), qPrintable(PlaceFaults(pDock, Bars(pWnd)).join(", ")));
    QVERIFY2((Frame(pDock).bottom() == Available().bottom()) == bToTheBottom,
             qPrintable(Text(Frame(pDock))));
    if (!moved.isNull()) {
        const QRect target = pDock->geometry().translated(moved);
        QVERIFY(ManagerMove(pDock->winId(), target.topLeft()));
        QVERIFY2(QTest::qWaitFor([pDock, target] { return Settled(pDock) && pDock->geometry() == target; }, kFramedMs),
                 qPrintable(Text(ServerPlace(pDock->winId()))));
    }
    const QRect left = pDock->geometry();

    for (int iStart = 1; iStart <= 2; ++iStart) {
        QVERIFY(ExitWithoutSaving(pWnd));
        pWnd = FramedWindow();
        QVERIFY(pWnd);
        pDock = pWnd->findChild<QDockWidget *>(qsDock);
        QVERIFY(pDock);
        // Settled: the server shows the dock where Qt has it.
        const bool bBack = QTest::qWaitFor(
            [pDock, left] { return ShownFloating(pDock) && Settled(pDock) && pDock->geometry() == left; }, kFramedMs);
        QVERIFY2(bBack, qPrintable(QStringLiteral("start %1: on the screen %2, in Qt %3, left %4")
                                       .arg(iStart)
                                       .arg(Text(ServerPlace(pDock->winId())), Text(pDock->geometry()), Text(left))));
    }
}

// A dock closed where it covers the window's bars and opened again from its menu comes back clear
// of them: only a place in reach is kept.
void TestZelvorFrame::reopenedDockOffTheBars()
{
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pGroupSetDock"));
    QVERIFY(pDock);
    OpenFromMenu(pWnd, pDock);
    QVERIFY(QTest::qWaitFor([pDock] { return ShownFloating(pDock) && Settled(pDock); }, kFramedMs));
    const QPoint left(1, 0);
    QVERIFY(ManagerMove(pDock->winId(), left));
    QVERIFY2(QTest::qWaitFor([pDock, left] { return Settled(pDock) && pDock->geometry().topLeft() == left; },
                             kFramedMs),
             qPrintable(Text(ServerPlace(pDock->winId()))));
    OpenFromMenu(pWnd, pDock); // its entry closes it
    QTRY_VERIFY(!pDock->isVisible());
    OpenFromMenu(pWnd, pDock);
    QVERIFY(QTest::qWaitFor([pDock] { return ShownFloating(pDock) && Settled(pDock); }, kFramedMs));
    QVERIFY2(PlaceFaults(pDock, Bars(pWnd)).isEmpty(), qPrintable(PlaceFaults(pDock, Bars(pWnd)).join(", ")));
}

void TestZelvorFrame::dockOpenedBeforeTheWindowIsFramed_data()
{
    QTest::addColumn<QString>("qsDock");
    for (const char *pcPace : {"", ", held"}) {
        for (const char *pcDock : {"m_pGroupSetDock", "m_pFixtSetDock"})
            QTest::addRow("%s%s", pcDock, pcPace) << pcDock;
    }
}

// A dock opened between the window's show and the manager's framing it (at once from the
// keyboard, or with the manager slow to answer) lands off the bars where the manager then shows
// them, not where they were before the window was framed.
void TestZelvorFrame::dockOpenedBeforeTheWindowIsFramed()
{
    QFETCH(QString, qsDock);
    Zelvor *pWnd = MakeWindow();
    auto *pDock = pWnd->findChild<QDockWidget *>(qsDock);
    QVERIFY(pDock);
    pWnd->show();
    QVERIFY(!Framed(pWnd));
    OpenFromMenu(pWnd, pDock);
    HoldUntilShown(pWnd);
    // Off the bars once the window is framed and whole on the screen, the title bar included.
    const auto placed = [pWnd, pDock] {
        return Framed(pWnd) && Available().contains(Frame(pWnd)) &&
               ServerPlace(pWnd->winId()) == pWnd->geometry() && ShownFloating(pDock) && Settled(pDock) &&
               PlaceFaults(pDock, Bars(pWnd)).isEmpty();
    };
    QVERIFY2(QTest::qWaitFor(placed, kFramedMs),
             qPrintable(Text(Frame(pWnd)) + QStringLiteral(": ") + PlaceFaults(pDock, Bars(pWnd)).join(", ")));
    QVERIFY(ExitWithoutSaving(pWnd));
}

void TestZelvorFrame::restoredDockOffTheBars_data()
{
    QTest::addColumn<bool>("bNoManager"); // the earlier run as on a display with no manager
    for (const char *pcPace : {"", ", held"}) {
        QTest::addRow("left over the bars%s", pcPace) << false;
        QTest::addRow("left below the bars with no manager%s", pcPace) << true;
    }
}

// A dock left floating where, at the next start, it would cover the window's bars comes back
// clear of them, where the manager shows the bars: left over them by the operator, or left just
// below them in a run with no manager (no title bar above the window), the next run's manager
// then putting its title bar there and the bars lower.
void TestZelvorFrame::restoredDockOffTheBars()
{
    QFETCH(bool, bNoManager);
    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pFixtSetDock"));
    QVERIFY(pDock);
    OpenFromMenu(pWnd, pDock);
    QVERIFY(QTest::qWaitFor([pDock] { return ShownFloating(pDock) && Settled(pDock); }, kFramedMs));
    const QRect window = pWnd->geometry();
    int iBarsBottom = 0;
    for (const QRect &bar : Bars(pWnd))
        iBarsBottom = std::max(iBarsBottom, bar.bottom());
    // Where it is left: with no manager, the window's frame is the window itself.
    const QPoint left = bNoManager ? QPoint(670, iBarsBottom + 1 - (window.y() - Frame(pWnd).y()))
                                   : QPoint(600, 40);
    QVERIFY(ManagerMove(pDock->winId(), left));
    QVERIFY2(QTest::qWaitFor([pDock, left] { return Settled(pDock) && pDock->geometry().topLeft() == left; },
                             kFramedMs),
             qPrintable(Text(ServerPlace(pDock->winId()))));
    QVERIFY(ExitWithoutSaving(pWnd));
    if (bNoManager) {
        // What a run with no manager stores: no frame, the window where its frame would be.
        QSettings settings;
        settings.setValue(QStringLiteral("Zelvor/frameMargins"), QVariantList({0, 0, 0, 0}));
        settings.setValue(QStringLiteral("Zelvor/framePlace"), QRect(QPoint(0, 0), window.size()));
    }

    pWnd = FramedWindow();
    QVERIFY(pWnd);
    pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pFixtSetDock"));
    QVERIFY(pDock);
    const auto settled = [pWnd, pDock] {
        return ShownFloating(pDock) && Settled(pDock) && ServerPlace(pWnd->winId()) == pWnd->geometry();
    };
    QVERIFY(QTest::qWaitFor(settled, kFramedMs));
    QVERIFY2(PlaceFaults(pDock, Bars(pWnd)).isEmpty(), qPrintable(PlaceFaults(pDock, Bars(pWnd)).join(", ")));
}

namespace {

// What of the window the operator cannot reach: its least size, frame included, larger than the
// screen, its frame or its status bar past the screen.
QStringList OffTheScreen(Zelvor *pWnd)
{
    QStringList found;
    const QSize least = pWnd->minimumSizeHint().grownBy(pWnd->windowHandle()->frameMargins());
    if (least.width() > Available().width() || least.height() > Available().height())
        found << QStringLiteral("least size %1 x %2 with the frame").arg(least.width()).arg(least.height());
    if (!Available().contains(Frame(pWnd)))
        found << QStringLiteral("frame ") + Text(Frame(pWnd));
    const QRect status(pWnd->statusBar()->mapToGlobal(QPoint(0, 0)), pWnd->statusBar()->size());
    if (!Available().contains(status))
        found << QStringLiteral("status bar ") + Text(status);
    return found;
}

// The program's catalogue of a language, installed for as long as it is held.
struct Uninstall
{
    void operator()(QTranslator *pCatalogue) const
    {
        QCoreApplication::removeTranslator(pCatalogue);
        delete pCatalogue;
    }
};
using Catalogue = std::unique_ptr<QTranslator, Uninstall>;

Catalogue InstalledCatalogue(const QString &qsLanguage)
{
    Catalogue pCatalogue(new QTranslator);
    if (!pCatalogue->load(qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/zelvor_") + qsLanguage +
                          QStringLiteral(".qm")))
        return nullptr;
    QCoreApplication::installTranslator(pCatalogue.get());
    return pCatalogue;
}

} // namespace

void TestZelvorFrame::everyDockDockedOnTheScreen_data()
{
    QTest::addColumn<QString>("qsLanguage");
    QTest::addColumn<bool>("bMaximised"); // the window maximised while the tall dock is closed
    for (const char *pcPace : {"", ", held"}) {
        for (const char *pcLanguage : {"en", "fr"}) {
            QTest::addRow("%s, dock closed%s", pcLanguage, pcPace) << pcLanguage << false;
            QTest::addRow("%s, dock closed while maximised%s", pcLanguage, pcPace) << pcLanguage << true;
        }
    }
}

// Every dock opened from its menu and docked into the window by a double click on its title: the
// window still fits the screen, frame and status bar included. A dock whose panel will not
// shrink grows the window past the screen: once it is closed (and the window, maximised
// meanwhile, restored), the window is back on the screen.
void TestZelvorFrame::everyDockDockedOnTheScreen()
{
    QFETCH(QString, qsLanguage);
    QFETCH(bool, bMaximised);
    const Catalogue pCatalogue = InstalledCatalogue(qsLanguage);
    QVERIFY(pCatalogue);

    Zelvor *pWnd = FramedWindow();
    QVERIFY(pWnd);
    const QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    QCOMPARE(docks.size(), 14);
    for (QDockWidget *pDock : docks) {
        OpenFromMenu(pWnd, pDock);
        QVERIFY2(QTest::qWaitFor([pDock] { return ShownFloating(pDock); }), qPrintable(pDock->windowTitle()));
        QTest::mouseDClick(pDock, Qt::LeftButton, {}, QPoint(pDock->width() / 4, pDock->widget()->y() / 2));
        QVERIFY2(QTest::qWaitFor([pDock] { return !pDock->isFloating(); }), qPrintable(pDock->windowTitle()));
    }
    // What the manager shows is where Qt has the window.
    const auto onScreen = [pWnd] {
        return ServerPlace(pWnd->winId()) == pWnd->geometry() && OffTheScreen(pWnd).isEmpty();
    };
    QTRY_VERIFY2_WITH_TIMEOUT(onScreen(), qPrintable(OffTheScreen(pWnd).join(QStringLiteral(", "))), kFramedMs);

    auto *pTall = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pTestToolsDock"));
    pTall->widget()->setMinimumHeight(Available().height());
    QTRY_VERIFY2(Frame(pWnd).height() > Available().height(), "the window did not grow past the screen");
    const QRect grown = pWnd->geometry();
    if (bMaximised) {
        pWnd->showMaximized();
        const WId window = pWnd->winId();
        HoldGuiThread([window] { return ServerPlace(window).width() == Available().width(); });
        // The manager's report of the window's place before it was maximised, read late.
        if (g_bHeld) {
            QVERIFY(ReportPlace(window, grown));
            HoldGuiThread([] { return true; });
        }
        QTRY_VERIFY_WITH_TIMEOUT(pWnd->isMaximized() && Frame(pWnd).width() == Available().width() &&
                                     ServerPlace(pWnd->winId()) == pWnd->geometry(),
                                 kFramedMs);
    }
    QTest::mouseClick(pTall->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_closebutton")), Qt::LeftButton);
    QTRY_VERIFY(!pTall->isVisible() && pWnd->minimumHeight() < Available().height());
    if (bMaximised) {
        const QRect maximised = pWnd->geometry();
        ReportedPlaces reported(pWnd);
        pWnd->showNormal();
        const WId window = pWnd->winId();
        HoldGuiThread([window] { return ServerPlace(window).width() != Available().width(); });
        // And of its maximised place, read after the window was restored.
        if (g_bHeld) {
            QVERIFY(ReportPlace(window, maximised));
            HoldGuiThread([] { return true; });
        }
        // The manager gives the window back the size it had before it was maximised.
        QTRY_VERIFY2_WITH_TIMEOUT(!pWnd->isMaximized() && pWnd->width() == grown.width(),
                                  qPrintable(QStringLiteral("maximised %1, %2 for %3, server %4")
                                                 .arg(pWnd->isMaximized())
                                                 .arg(Text(pWnd->geometry()), Text(grown), Text(ServerPlace(pWnd->winId())))),
                                  kFramedMs);
        QVERIFY2(!reported.places.contains(maximised), "Qt took the maximised place after the window was restored");
    }
    QTRY_VERIFY2_WITH_TIMEOUT(onScreen(), qPrintable(OffTheScreen(pWnd).join(QStringLiteral(", "))), kFramedMs);
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY(TestZelvorFrame, 1366, 768)

#include "tst_zelvorframe.moc"
