// The operator's arrangement under each kind of window manager: a floating dock moved or resized
// by the manager's own move or by another program, and the main window maximised and restored.
// Qt has the place and size the server shows, the content is laid out at that size, and closing
// and opening the dock again, File > Exit and the next start keep them. Runs on a 1366 x 768
// display of its own under openbox, metacity (LANTREL_TEST_MANAGER=metacity), twm (=twm, a
// manager that knows nothing of the extended hints and sets no frame extents) and no manager
// (=none). With no manager, the test itself maximises the window as a manager does. Rows whose names
// end in "held" hold the GUI thread until the server shows what was asked and a while past it,
// so that the program reads every report of it late and in one go.
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/restarttest.h"
#include "support/serverpeer.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

namespace {

QString Text(const QRect &rect)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

bool Ewmh()
{
    const FramingDisplay::Manager manager = FramingDisplay::OfTheRun();
    return manager == FramingDisplay::Openbox || manager == FramingDisplay::Metacity;
}

// How a floating dock lays itself out: the room its title and borders take around its panel, and
// its close button's distance from its right edge. Neither changes with the dock's size.
struct Laid
{
    QSize chrome;
    int iCloseFromRight = 0;
    bool operator==(const Laid &other) const
    {
        return chrome == other.chrome && iCloseFromRight == other.iCloseFromRight;
    }
};

Laid LaidOut(QDockWidget *pDock)
{
    const auto *pClose = pDock->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_closebutton"));
    return {pDock->size() - pDock->widget()->size(), pClose ? pDock->width() - pClose->geometry().right() : -1};
}

// Shown where Qt has it, at the given place, and laid out as a dock of that size.
bool At(QDockWidget *pDock, const QRect &place, const Laid &laid)
{
    return ShownWhereQtHasIt(pDock) && pDock->geometry() == place && LaidOut(pDock) == laid;
}

QString Seen(QDockWidget *pDock, const QRect &place)
{
    const Laid laid = LaidOut(pDock);
    return QStringLiteral("in Qt %1, on the screen %2, expected %3; chrome %4 x %5, close button %6 from the right")
        .arg(Text(pDock->geometry()), Text(ServerPlace(pDock->winId())), Text(place))
        .arg(laid.chrome.width())
        .arg(laid.chrome.height())
        .arg(laid.iCloseFromRight);
}

// The main window laid out at its size: its bars span it, whatever size Qt last laid it out at.
bool LaidOutWhole(Zelvor *pWnd)
{
    return pWnd->menuBar()->width() == pWnd->width() && pWnd->statusBar()->width() == pWnd->width() &&
           pWnd->statusBar()->geometry().bottom() == pWnd->height() - 1;
}

QString Seen(Zelvor *pWnd)
{
    return QStringLiteral("in Qt %1, on the screen %2, status bar %3")
        .arg(Text(pWnd->geometry()), Text(ServerPlace(pWnd->winId())), Text(pWnd->statusBar()->geometry()));
}

} // namespace

class TestManagedPlaces : public RestartTest
{
    Q_OBJECT
    // Fixtures Lists opened from its menu: floating, shown where Qt has it; null if it is not.
    QDockWidget *OpenLists(Zelvor *pWnd);

private slots:
    void initTestCase() { BeginFactory(); }
    void cleanupTestCase() { End(); }
    void init() { QSettings().clear(); }
    void cleanup() { DropWindow(); }
    void dockKeepsWhereItWasPut_data();
    void dockKeepsWhereItWasPut();
    void dockPutPastTheEdge_data();
    void dockPutPastTheEdge();
    void docksLeftOpenComeBack_data();
    void docksLeftOpenComeBack();
    void maximisedAndRestored_data();
    void maximisedAndRestored();
    void placesToldToTheProgramAlone();
};

void TestManagedPlaces::dockKeepsWhereItWasPut_data()
{
    QTest::addColumn<bool>("bByManager"); // by the manager's own move or resize, else by another program
    QTest::addColumn<bool>("bResized");   // else moved
    for (const char *pcPace : {"", ", held"}) {
        for (const bool bByManager : {false, true}) {
            // Only a manager of the extended hints takes a move from a pager or the keyboard.
            if (bByManager && !Ewmh())
                continue;
            for (const bool bResized : {false, true})
                QTest::addRow("%s by %s%s", bResized ? "resized" : "moved",
                              bByManager ? "the manager" : "another program", pcPace)
                    << bByManager << bResized;
        }
    }
}

QDockWidget *TestManagedPlaces::OpenLists(Zelvor *pWnd)
{
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pListsDock"));
    if (!pDock)
        return nullptr;
    ToggleFromMenu(pWnd, pDock);
    if (pDock->isFloating() && StandsWhereShown(pDock, kFramedMs))
        return pDock;
    qWarning("%s", qPrintable(Seen(pDock, QRect())));
    return nullptr;
}

// Fixtures Lists opened from its menu, then moved (to a place well on the screen and off the
// bars) or resized by the manager or another program: Qt and the dock's content follow; closed
// and opened again from its menu, and left open at File > Exit and shown at the next start, it
// is where and as large as the server showed it.
void TestManagedPlaces::dockKeepsWhereItWasPut()
{
    QFETCH(bool, bByManager);
    QFETCH(bool, bResized);
    const bool bHeld = QByteArray(QTest::currentDataTag()).endsWith("held");
    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    QDockWidget *pDock = OpenLists(pWnd);
    QVERIFY(pDock);
    const Laid laid = LaidOut(pDock);
    const WId window = pDock->winId();
    const QRect was = ServerPlace(window);
    const QMargins frame = FrameExtents(window);

    const QSize size(420, 400);
    const QPoint corner = bResized ? was.topLeft() - QPoint(frame.left(), frame.top()) : QPoint(513, 164);
    if (bByManager)
        QVERIFY(ManagerMove(window, corner, bResized ? size : QSize()));
    else if (bResized)
        QVERIFY(ClientConfigure(window, std::nullopt, size));
    else
        QVERIFY(ClientConfigure(window, corner, std::nullopt));
    const auto changed = [window, was, bResized, size] {
        const QRect now = ServerPlace(window);
        return bResized ? now.size() == size : now.topLeft() != was.topLeft() && now.size() == was.size();
    };
    if (bHeld)
        HoldGuiThread(changed, kFramedMs, kHeldMs);
    QVERIFY2(QTest::qWaitFor(changed, kFramedMs), qPrintable(Text(ServerPlace(window))));
    const QRect shown = ServerPlace(window);
    QVERIFY2(QTest::qWaitFor([pDock, shown, laid] { return At(pDock, shown, laid); }, kFramedMs),
             qPrintable(Seen(pDock, shown)));

    ToggleFromMenu(pWnd, pDock);
    QVERIFY(QTest::qWaitFor([pDock] { return !pDock->isVisible(); }));
    ToggleFromMenu(pWnd, pDock);
    QVERIFY2(QTest::qWaitFor([pDock, shown, laid] { return At(pDock, shown, laid); }, kFramedMs),
             qPrintable(QStringLiteral("opened again: ") + Seen(pDock, shown)));

    QVERIFY(Exit(pWnd));
    pWnd = Start(bHeld);
    QVERIFY(pWnd);
    pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pListsDock"));
    QVERIFY(pDock);
    QVERIFY2(QTest::qWaitFor([pDock, shown, laid] { return pDock->isVisible() && At(pDock, shown, laid); }, kFramedMs),
             qPrintable(QStringLiteral("next start: visible %1, ").arg(pDock->isVisible()) + Seen(pDock, shown)));
}

void TestManagedPlaces::dockPutPastTheEdge_data()
{
    QTest::addColumn<bool>("bHeld");
    QTest::newRow("normal pace") << false;
    QTest::newRow("held") << true;
}

// The program moves a floating dock most of the way past the screen's bottom, as its own drag of
// the dock by its title does step by step: a manager that holds it whole on the screen (metacity)
// keeps it at the screen's edge. Qt and the dock's content follow the server; opened again, the
// dock is where the server showed it, if that is whole on the screen, else placed anew on it.
void TestManagedPlaces::dockPutPastTheEdge()
{
    QFETCH(bool, bHeld);
    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    QDockWidget *pDock = OpenLists(pWnd);
    QVERIFY(pDock);
    const Laid laid = LaidOut(pDock);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const WId window = pDock->winId();
    const QRect was = ServerPlace(window);
    // Two steps of the drag: where the manager holds the dock, it holds it for both at one place,
    // and reports the second the same as the first.
    pDock->move(pDock->x(), screen.bottom() - 150);
    QVERIFY(QTest::qWaitFor([window, was] { return ServerPlace(window) != was; }, kFramedMs));
    QVERIFY(StandsWhereShown(pDock, kFramedMs));
    const QRect first = ServerPlace(window);
    pDock->move(pDock->x(), screen.bottom() - 100);
    if (bHeld)
        HoldGuiThread([window, first] { return ServerPlace(window) != first; }, kFramedMs, kHeldMs);
    QVERIFY2(StandsWhereShown(pDock, kFramedMs) && LaidOut(pDock) == laid, qPrintable(Seen(pDock, QRect())));
    const QRect shown = ServerPlace(window);

    ToggleFromMenu(pWnd, pDock);
    QVERIFY(QTest::qWaitFor([pDock] { return !pDock->isVisible(); }));
    ToggleFromMenu(pWnd, pDock);
    QVERIFY2(StandsWhereShown(pDock, kFramedMs), qPrintable(Seen(pDock, shown)));
    // Opened again, the dock has a new window.
    const QMargins margins = FrameExtents(pDock->winId());
    const QRect frame = ServerPlace(pDock->winId()).marginsAdded(margins);
    if (screen.contains(shown.marginsAdded(margins)))
        QCOMPARE(pDock->geometry(), shown);
    else
        QVERIFY2(screen.contains(frame), qPrintable(Text(frame)));
}

void TestManagedPlaces::docksLeftOpenComeBack_data()
{
    QTest::addColumn<bool>("bHeld");
    QTest::addColumn<bool>("bManagerBusy");
    QTest::newRow("normal pace") << false << false;
    QTest::newRow("held") << true << false;
    if (FramingDisplay::OfTheRun() != FramingDisplay::NoManager)
        QTest::newRow("the manager busy at the start") << false << true;
}

// Two docks opened from their menus and left open at File > Exit: at the next start both are
// shown where, and as large as, they were left, in front of the window and clear of its bars;
// also when the manager reads all that the program asks of it at its start in one go, late.
void TestManagedPlaces::docksLeftOpenComeBack()
{
    QFETCH(bool, bHeld);
    QFETCH(bool, bManagerBusy);
    const QStringList names = {QStringLiteral("m_pListsDock"), QStringLiteral("m_pGroupSetDock")};
    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    QHash<QString, QRect> left;
    for (const QString &qsName : names) {
        auto *pDock = pWnd->findChild<QDockWidget *>(qsName);
        QVERIFY(pDock);
        ToggleFromMenu(pWnd, pDock);
        QVERIFY2(pDock->isFloating() && StandsWhereShown(pDock, kFramedMs), qPrintable(Seen(pDock, QRect())));
        left.insert(qsName, pDock->geometry());
    }
    QVERIFY(Exit(pWnd));
    pWnd = Start(bHeld, bManagerBusy);
    QVERIFY(pWnd);
    const auto back = [pWnd, &names, &left] {
        QStringList faults;
        for (const QString &qsName : names) {
            auto *pDock = pWnd->findChild<QDockWidget *>(qsName);
            if (!pDock->isVisible() || !ShownWhereQtHasIt(pDock) || pDock->geometry() != left.value(qsName)) {
                faults << pDock->windowTitle() + QStringLiteral(": visible %1, ").arg(pDock->isVisible()) +
                              Seen(pDock, left.value(qsName));
                continue;
            }
            if (!StackedAbove(pDock->winId(), pWnd->winId()))
                faults << pDock->windowTitle() + QStringLiteral(": behind the window");
            const QRect frame = ServerPlace(pDock->winId()).marginsAdded(FrameExtents(pDock->winId()));
            auto *pTools = pWnd->findChild<QToolBar *>();
            for (QWidget *pBar : {static_cast<QWidget *>(pWnd->menuBar()), static_cast<QWidget *>(pTools)}) {
                if (QRect(pBar->mapToGlobal(QPoint(0, 0)), pBar->size()).intersects(frame))
                    faults << pDock->windowTitle() + QStringLiteral(": over the bars at ") + Text(frame);
            }
        }
        return faults;
    };
    QVERIFY2(QTest::qWaitFor([&back] { return back().isEmpty(); }, kFramedMs), qPrintable(back().join(", ")));
}

void TestManagedPlaces::maximisedAndRestored_data()
{
    QTest::addColumn<QString>("qsHow");
    for (const char *pcPace : {"", ", held"}) {
        if (Ewmh())
            QTest::addRow("by the manager%s", pcPace) << "by the manager";
        // With no manager, the test does as one does; as managers differ in it, in either order.
        if (FramingDisplay::OfTheRun() == FramingDisplay::NoManager) {
            QTest::addRow("its size first, then its state%s", pcPace) << "size first";
            QTest::addRow("its state first, then its size%s", pcPace) << "state first";
        }
    }
}

// The main window maximised by its manager, File > Exit, a new start (maximised, as it was
// left), restored by the manager: it comes back as large as before it was maximised, and is laid
// out at the size the server shows, maximised and restored.
void TestManagedPlaces::maximisedAndRestored()
{
    if (FramingDisplay::OfTheRun() == FramingDisplay::Twm)
        QSKIP("twm maximises no window, and plays no part in what another program does of it");
    QFETCH(QString, qsHow);
    const bool bHeld = QByteArray(QTest::currentDataTag()).endsWith("held");
    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    const QRect normal = ServerPlace(pWnd->winId());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

    const WId window = pWnd->winId();
    if (qsHow == QLatin1String("by the manager")) {
        QVERIFY(ManagerMaximise(window, true));
    } else {
        // At the normal pace the program has taken the first change before the second comes, as
        // from a manager that takes its time between the two; held, it reads both at once.
        if (qsHow == QLatin1String("size first")) {
            QVERIFY(ClientConfigure(window, screen.topLeft(), screen.size()));
            QVERIFY(bHeld || QTest::qWaitFor([pWnd, screen] { return pWnd->size() == screen.size(); }, kFramedMs));
        }
        QVERIFY(SetMaximisedState(window, true));
        if (qsHow == QLatin1String("state first")) {
            QVERIFY(bHeld || QTest::qWaitFor([pWnd] { return pWnd->isMaximized(); }, kFramedMs));
            QVERIFY(ClientConfigure(window, screen.topLeft(), screen.size()));
        }
    }
    const auto maximised = [window, normal] { return ShownMaximised(window) && ServerPlace(window) != normal; };
    if (bHeld)
        HoldGuiThread(maximised, kFramedMs, kHeldMs);
    QVERIFY2(QTest::qWaitFor(maximised, kFramedMs), qPrintable(Text(ServerPlace(window))));
    QVERIFY2(QTest::qWaitFor([pWnd] { return pWnd->isMaximized() && ShownWhereQtHasIt(pWnd) && LaidOutWhole(pWnd); },
                             kFramedMs),
             qPrintable(Seen(pWnd)));
    QVERIFY(Exit(pWnd));

    pWnd = Start(bHeld);
    QVERIFY(pWnd);
    QVERIFY(QTest::qWaitFor([pWnd] { return pWnd->isMaximized(); }, kFramedMs));
    const WId restarted = pWnd->winId();
    if (qsHow == QLatin1String("by the manager")) {
        QVERIFY(ManagerMaximise(restarted, false));
    } else {
        // A manager restores the window to where the program put it before it was maximised: here,
        // where it was mapped.
        QVERIFY(SetMaximisedState(restarted, false));
    }
    const auto restored = [restarted] { return !ShownMaximised(restarted); };
    if (bHeld)
        HoldGuiThread(restored, kFramedMs, kHeldMs);
    QVERIFY(QTest::qWaitFor(restored, kFramedMs));
    QVERIFY2(QTest::qWaitFor(
                 [pWnd, normal] {
                     return !pWnd->isMaximized() && ShownWhereQtHasIt(pWnd) && LaidOutWhole(pWnd) &&
                            pWnd->size() == normal.size();
                 },
                 kFramedMs),
             qPrintable(Seen(pWnd) + QStringLiteral(", before it was maximised ") + Text(normal)));
}

// The main window moved by another program, on a display where nothing else sends the window a
// place: Qt follows it, and no client following the window's structure (a manager, a compositor)
// reads a place that the program told Qt.
void TestManagedPlaces::placesToldToTheProgramAlone()
{
    if (FramingDisplay::OfTheRun() != FramingDisplay::NoManager)
        QSKIP("a manager sends places of its own");
    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    StructureWatch other(pWnd->winId());
    const QPoint to = pWnd->geometry().topLeft() + QPoint(40, 30);
    QVERIFY(ClientConfigure(pWnd->winId(), to, std::nullopt));
    QVERIFY2(
        QTest::qWaitFor([pWnd, to] { return ShownWhereQtHasIt(pWnd) && pWnd->geometry().topLeft() == to; }, kFramedMs),
        qPrintable(Seen(pWnd)));
    QCOMPARE(other.SentPlaces(), QList<QRect>());
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestManagedPlaces, 1366, 768, FramingDisplay::OfTheRun())

#include "tst_managedplaces.moc"
