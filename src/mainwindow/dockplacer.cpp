#include "mainwindow/dockplacer.h"

#include "mainwindow/x11window.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

const char *const kPlacedProperty = "lantrelPlaced";
// Should the window never be exposed (started minimised), its held docks come after this.
constexpr int kHeldDocksMaxMs = 5000;
// Told the server's place this many times in a row without Qt taking it, a dock is left be.
constexpr int kFollowMax = 8;

// Where a floating dock of the given size goes: beside the window's frame on the side with
// room, else inside the window below its menu bar and tool bar, there no taller than the room
// left; always within the screen.
QRect FloatingDockPlace(const QRect &frame, int iBarsBottom, QSize size, const QRect &screen)
{
    size = size.boundedTo(screen.size());
    QPoint pos(frame.right() + 1, frame.top());
    if (pos.x() + size.width() - 1 > screen.right())
        pos.setX(frame.left() - size.width());
    if (pos.x() < screen.left()) {
        pos = QPoint(frame.right() - size.width() + 1, iBarsBottom + 1);
        size.setHeight(std::min(size.height(), std::max(1, screen.bottom() - iBarsBottom)));
    }
    pos.setX(std::clamp(pos.x(), screen.left(), std::max(screen.left(), screen.right() - size.width() + 1)));
    pos.setY(std::clamp(pos.y(), screen.top(), std::max(screen.top(), screen.bottom() - size.height() + 1)));
    return QRect(pos, size);
}

// What a panel needs to show all of itself at once: its size hint with every scroll area in it
// as large as its content and every tab bar whole. Alone, a scroll area offers a few dozen
// lines and a tab bar with scroll buttons a couple of hundred pixels, and texts are cut.
QSize FullSizeHint(QWidget *pPanel)
{
    // A layout learns of texts, ranges and minimum sizes set below it since it was measured (a
    // form's scroll area measures its content before the form's texts are set) only when its
    // posted request is handled, and a dock shown with the window comes before that. They are
    // handled here for the widget alone, each one's below it first, the window left as it is.
    // On a tab page never shown, a layout also keeps the hints its items had when it was last
    // measured (a page of the test tools 120 px narrower than it lays itself out once shown):
    // every hint is asked anew.
    const auto measured = [](QWidget *pWidget) {
        QList<QWidget *> widgets = pWidget->findChildren<QWidget *>();
        widgets.prepend(pWidget);
        for (auto it = widgets.crbegin(); it != widgets.crend(); ++it)
            (*it)->updateGeometry();
        for (auto it = widgets.crbegin(); it != widgets.crend(); ++it)
            QCoreApplication::sendPostedEvents(*it, QEvent::LayoutRequest);
        return pWidget->sizeHint();
    };
    const QList<QTabWidget *> tabs = pPanel->findChildren<QTabWidget *>();
    QList<bool> scrollButtons;
    for (QTabWidget *pTabs : tabs) {
        scrollButtons.append(pTabs->usesScrollButtons());
        pTabs->setUsesScrollButtons(false);
    }
    // Innermost first: an outer area then measures its content with the inner ones grown.
    const QList<QScrollArea *> areas = pPanel->findChildren<QScrollArea *>();
    QList<QSize> minimumSizes;
    for (auto it = areas.crbegin(); it != areas.crend(); ++it) {
        QScrollArea *pArea = *it;
        minimumSizes.prepend(pArea->minimumSize());
        if (pArea->widget()) {
            const int iFrame = 2 * pArea->frameWidth();
            pArea->setMinimumSize(pArea->minimumSize().expandedTo(measured(pArea->widget()) + QSize(iFrame, iFrame)));
        }
    }
    const QSize hint = measured(pPanel);
    for (int i = 0; i < areas.size(); ++i)
        areas.at(i)->setMinimumSize(minimumSizes.at(i));
    for (int i = 0; i < tabs.size(); ++i)
        tabs.at(i)->setUsesScrollButtons(scrollButtons.at(i));
    return hint;
}

// The frame around a floating dock: the manager's own, where the window system has managers. Qt
// measures the frame itself the moment a window is reparented, before the manager has sized
// the frame to the window, and keeps that until the window moves again.
QMargins DockFrame(const QDockWidget *pDock)
{
    if (const std::optional<QMargins> extents = X11Window::FrameExtents(pDock))
        return *extents;
    const QRect frame = pDock->frameGeometry();
    const QRect inner = pDock->geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

QRect AvailableScreen(const QMainWindow *pWindow)
{
    const QScreen *pScreen = pWindow->screen() ? pWindow->screen() : QGuiApplication::primaryScreen();
    return pScreen->availableGeometry();
}

// The menu bar and the tool bars in screen coordinates, which docks never cover; and the lowest
// bottom of those at the top, below which a dock goes there.
QList<QRect> Bars(QMainWindow *pWindow, int *piBarsBottom = nullptr)
{
    QMenuBar *pMenu = pWindow->menuBar();
    QList<QRect> bars = {QRect(pMenu->mapToGlobal(QPoint(0, 0)), pMenu->size())};
    int iBarsBottom = bars.first().bottom();
    for (QToolBar *pBar : pWindow->findChildren<QToolBar *>()) {
        if (pBar->isHidden() || pBar->isFloating())
            continue;
        bars.append(QRect(pBar->mapToGlobal(QPoint(0, 0)), pBar->size()));
        if (pWindow->toolBarArea(pBar) == Qt::TopToolBarArea)
            iBarsBottom = std::max(iBarsBottom, bars.last().bottom());
    }
    if (piBarsBottom)
        *piBarsBottom = iBarsBottom;
    return bars;
}

// A floating dock's frame all in reach: whole on the screen and off the bars.
bool InReach(const QRect &frame, const QRect &screen, const QList<QRect> &bars)
{
    return screen.contains(frame) &&
           std::none_of(bars.cbegin(), bars.cend(), [&frame](const QRect &bar) { return bar.intersects(frame); });
}

} // namespace

DockPlacer::DockPlacer(QMainWindow *pWindow) : QObject(pWindow), m_pWindow(pWindow)
{
    m_pWindow->installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DockPlacer::~DockPlacer()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

void DockPlacer::Watch(const QList<QDockWidget *> &docks)
{
    for (QDockWidget *pDock : docks) {
        pDock->installEventFilter(this);
        m_Docks.append(pDock);
        connect(pDock, &QObject::destroyed, this, [this, pDock] {
            m_HeldDocks.removeAll(pDock);
            m_HiddenDocked.remove(pDock);
            m_Docks.removeAll(pDock);
            m_Followed.remove(pDock);
            m_Asked.remove(pDock);
        });
    }
}

bool DockPlacer::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    if (pWatched == m_pWindow) {
        // The window is mapped right after its show event, and a manager has taken it on once
        // it is exposed.
        if (pEvent->type() == QEvent::Show && !m_HeldDocks.isEmpty() && m_pWindow->windowHandle()) {
            m_pWindow->windowHandle()->installEventFilter(this);
            QTimer::singleShot(kHeldDocksMaxMs, this, &DockPlacer::ShowHeldDocks);
        }
        return false;
    }
    if (auto *pWindow = qobject_cast<QWindow *>(pWatched); pWindow && m_Unmapped.contains(pWindow)) {
        if (pEvent->type() == QEvent::Expose && pWindow->isExposed()) {
            m_Unmapped.removeAll(pWindow);
            pWindow->removeEventFilter(this);
            for (QDockWidget *pDock : std::as_const(m_Docks)) {
                if (pDock->windowHandle() == pWindow && pDock->isFloating())
                    FollowServer(pDock);
            }
        }
        return false;
    }
    if (m_pWindow->windowHandle() && pWatched == m_pWindow->windowHandle()) {
        if (pEvent->type() == QEvent::Expose && m_pWindow->windowHandle()->isExposed()) {
            m_pWindow->windowHandle()->removeEventFilter(this);
            QTimer::singleShot(0, this, &DockPlacer::ShowHeldDocks);
        }
        return false;
    }
    auto *pDock = qobject_cast<QDockWidget *>(pWatched);
    if (!pDock)
        return false;
    switch (pEvent->type()) {
    case QEvent::Hide:
        // Floated again, a dock is hidden while still docked and shown floating.
        if (pDock->isFloating())
            m_HiddenDocked.remove(pDock);
        else
            m_HiddenDocked.insert(pDock);
        break;
    case QEvent::Show:
        // The show event comes before the window is mapped: a dock placed now is mapped where it
        // belongs, and no manager ever frames it elsewhere first.
        PlaceBeforeMapping(pDock);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // The program's own moves; the window system's come spontaneous.
        if (pDock->isFloating() && !pEvent->spontaneous())
            m_Asked.insert(pDock, pDock->geometry());
        break;
    default:
        break;
    }
    return false;
}

void DockPlacer::PlaceFloatingDock(QDockWidget *pDock)
{
    const QRect screen = AvailableScreen(m_pWindow);
    int iBarsBottom = 0;
    const QList<QRect> bars = Bars(m_pWindow, &iBarsBottom);

    // The panel at its own size hint: the scroll area alone would offer a few dozen lines.
    auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
    QWidget *pContent = pArea && pArea->widget() ? pArea->widget() : pDock->widget();
    const QSize chrome = pDock->sizeHint() - (pDock->widget() ? pDock->widget()->sizeHint() : QSize(0, 0));
    const QMargins frame = DockFrame(pDock);
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    QSize size = pContent ? FullSizeHint(pContent) + chrome.expandedTo(QSize(0, 0)) : pDock->size();
    const bool bPlacedBefore = m_PlacedDocks.contains(pDock->objectName());
    if (bPlacedBefore)
        size = size.expandedTo(pDock->size());
    size = size.boundedTo(screen.size() - frameExtra);

    // A place from an earlier run is kept while it is whole on the screen and off the bars.
    QRect place(pDock->geometry().marginsAdded(frame).topLeft(), size + frameExtra);
    if (!(bPlacedBefore && InReach(place, screen, bars)))
        place = FloatingDockPlace(m_pWindow->frameGeometry(), iBarsBottom, size + frameExtra, screen);
    pDock->setGeometry(place.marginsRemoved(frame));
}

bool DockPlacer::KeepsStoredPlace(QDockWidget *pDock)
{
    // The restored layout holds the dock where, and as large as, the operator left it, and so it
    // stays. It is not grown to its panel's size hint here: a dock that the room below the bars
    // made shorter than its panel would then reach past the screen, and be placed anew.
    if (!m_PlacedDocks.contains(pDock->objectName()))
        return false;
    if (!InReach(pDock->geometry().marginsAdded(DockFrame(pDock)), AvailableScreen(m_pWindow), Bars(m_pWindow)))
        return false;
    // The place the layout asked for, before the docks were watched: a manager's stale report
    // of the dock before it is mapped is answered with it, as for a placed dock.
    m_Asked.insert(pDock, pDock->geometry());
    return true;
}

void DockPlacer::PlaceBeforeMapping(QDockWidget *pDock)
{
    const bool bFirstShow = !pDock->property(kPlacedProperty).toBool();
    const bool bFloatedAgain = m_HiddenDocked.remove(pDock) && pDock->isFloating();
    pDock->setProperty(kPlacedProperty, true);
    // Shown bypassing the manager, the dock is being dragged out of the window by the operator:
    // it goes where it is dropped.
    if (pDock->isFloating() && !pDock->windowFlags().testFlag(Qt::X11BypassWindowManagerHint)) {
        // Reopened where it was closed, it stays there while that is whole on a screen.
        const QScreen *pScreen = pDock->screen();
        const bool bOnScreen =
            pScreen && pScreen->availableGeometry().contains(pDock->geometry().marginsAdded(DockFrame(pDock)));
        if ((bFirstShow && !KeepsStoredPlace(pDock)) || bFloatedAgain || !bOnScreen)
            PlaceFloatingDock(pDock);
    }
    // Placed once, a dock's stored floating place is its own.
    if (!m_PlacedDocks.contains(pDock->objectName()))
        m_PlacedDocks.append(pDock->objectName());
}

void DockPlacer::HoldRestoredDocks()
{
    // A floating dock is mapped as soon as the layout is restored, before the window: a manager
    // cannot yet tie it to its window then, and stacks the window above it once that is mapped.
    for (QDockWidget *pDock : m_pWindow->findChildren<QDockWidget *>()) {
        if (pDock->isFloating() && pDock->isVisible()) {
            pDock->hide();
            m_HeldDocks.append(pDock);
        }
    }
}

void DockPlacer::ShowHeldDocks()
{
    const QList<QDockWidget *> held = std::exchange(m_HeldDocks, {});
    for (QDockWidget *pDock : held)
        pDock->show();
}

void DockPlacer::ShowDock(QDockWidget *pDock)
{
    pDock->show();
    pDock->raise();
}

bool DockPlacer::nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *)
{
    QDockWidget *pFound = nullptr;
    const auto followed = [this, &pFound](WId window) {
        for (QDockWidget *pDock : std::as_const(m_Docks)) {
            if (pDock->isFloating() && pDock->internalWinId() == window)
                pFound = pDock;
        }
        return pFound != nullptr;
    };
    const std::optional<X11Window::Report> report = X11Window::ReportedPlace(eventType, pMessage, followed);
    return report && !TakesReport(pFound, *report);
}

bool DockPlacer::TakesReport(QDockWidget *pDock, const X11Window::Report &report)
{
    // On a scaled screen Qt's places are not the server's pixels, and neither are those told.
    if (pDock->devicePixelRatioF() != 1.0)
        return true;
    QRect place = report.place;
    if (X11Window::Viewable(pDock) == false) {
        // Not yet framed and mapped, the window is where the program asked for it, whatever a
        // manager framing it reports (the corner of its new frame, the frame's first size): Qt
        // must not take another place then, or it asks for that place itself with its next
        // resize. Where the window is is asked of the server once it is shown.
        const auto asked = m_Asked.constFind(pDock);
        if (asked != m_Asked.constEnd() && *asked != place) {
            m_Unmapped.removeAll(nullptr);
            if (QWindow *pWindow = pDock->windowHandle(); pWindow && !m_Unmapped.contains(pWindow)) {
                m_Unmapped.append(pWindow);
                pWindow->installEventFilter(this);
            }
            if (report.bSent)
                return false;
            place = *asked;
        }
    } else if (report.bSent) {
        // The server has the window where it is now: the place the manager sends must be there.
        // A place borne out stands, whoever moved the dock (the operator dragging it with the
        // manager's own move included); a stale one never reaches Qt.
        const std::optional<QRect> server = X11Window::ServerPlace(pDock);
        if (!server || *server == place) {
            m_Followed.remove(pDock);
            return true;
        }
        FollowServer(pDock);
        return false;
    }
    if (report.bSent)
        return true;
    // The server's own report of a window's size goes with no place Qt can use: Qt asks the
    // server where the window is once it comes to the report, by when a manager may have put
    // the window in a frame it has not yet placed (at the screen's corner). It is told the
    // place weighed here instead, with the same size, as a manager tells it.
    X11Window::TellPlace(pDock, place);
    return false;
}

void DockPlacer::FollowServer(QWidget *pWidget)
{
    if (pWidget->devicePixelRatioF() != 1.0)
        return;
    const std::optional<QRect> server = X11Window::ServerPlace(pWidget);
    if (!server)
        return;
    if (*server == pWidget->geometry()) {
        m_Followed.remove(pWidget);
        return;
    }
    int &iFollowed = m_Followed[pWidget];
    if (++iFollowed > kFollowMax)
        return;
    // Qt is told where the window is as a manager tells it, and no request goes to the manager,
    // which may be in the middle of the operator's move: nothing moves on the screen.
    X11Window::TellPlace(pWidget, *server);
}
