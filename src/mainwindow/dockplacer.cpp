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
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <utility>

namespace {

const char *const kPlacedProperty = "lantrelPlaced";
// Should the window never be exposed (started minimised), its held docks come after this.
constexpr int kHeldDocksMaxMs = 5000;

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

// A floating dock the manager frames and the program places. Shown bypassing the manager, a
// dock is being dragged out of the window by the operator: it goes where it is dropped.
bool PlacedFloating(const QDockWidget *pDock)
{
    return pDock->isFloating() && !pDock->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
}

// A floating dock's frame all in reach: whole on the screen and off the bars.
bool InReach(const QRect &frame, const QRect &screen, const QList<QRect> &bars)
{
    return screen.contains(frame) &&
           std::none_of(bars.cbegin(), bars.cend(), [&frame](const QRect &bar) { return bar.intersects(frame); });
}

} // namespace

DockPlacer::DockPlacer(QMainWindow *pWindow) : QObject(pWindow), m_pWindow(pWindow), m_pSettler(new PlaceSettler(this))
{
    m_pWindow->installEventFilter(this);
    connect(m_pSettler, &PlaceSettler::sigSettled, this, [this](QWidget *pSettled) {
        if (pSettled == m_pWindow)
            ShowHeldDocksOnceSettled();
        else if (auto *pDock = qobject_cast<QDockWidget *>(pSettled))
            KeepFrameInReach(pDock);
    });
}

DockPlacer::~DockPlacer() = default;

void DockPlacer::Watch(const QList<QDockWidget *> &docks)
{
    for (QDockWidget *pDock : docks) {
        pDock->installEventFilter(this);
        m_Docks.append(pDock);
        // Where the restored layout, or the form, left it.
        if (pDock->isFloating() && pDock->isHidden())
            m_HiddenPlaces.insert(pDock, pDock->geometry());
        connect(pDock, &QObject::destroyed, this, [this, pDock] {
            m_HiddenPlaces.remove(pDock);
            m_HeldDocks.removeAll(pDock);
            m_EarlyDocks.remove(pDock);
            m_HiddenDocked.remove(pDock);
            m_FramedInReach.remove(pDock);
            m_Docks.removeAll(pDock);
            m_pSettler->Forget(pDock);
        });
    }
}

bool DockPlacer::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    if (pWatched == m_pWindow) {
        switch (pEvent->type()) {
        case QEvent::Show:
            // A manager's stale report of the window (its new frame's first 1 x 1 size, say) would
            // otherwise reach Qt, and a dock placed beside the window then lands at the corner.
            m_pSettler->Weigh(m_pWindow);
            // The window is mapped right after its show event, and a manager has taken it on
            // once it is exposed.
            if (!m_bWindowExposed && m_pWindow->windowHandle())
                m_pWindow->windowHandle()->installEventFilter(this);
            if (!m_HeldDocks.isEmpty())
                QTimer::singleShot(kHeldDocksMaxMs, this, &DockPlacer::ShowHeldDocks);
            break;
        case QEvent::WindowStateChange: {
            // Maximised or restored, by the program or the manager: the manager gives the window
            // its place, and reports places on its way there.
            const auto *pChange = static_cast<QWindowStateChangeEvent *>(pEvent);
            constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;
            const bool bMaximised = (m_pWindow->windowState() & kLarge) != 0;
            if (m_pWindow->isVisible() && !(m_pWindow->windowState() & Qt::WindowMinimized) &&
                bMaximised != ((pChange->oldState() & kLarge) != 0))
                m_pSettler->Restyle(m_pWindow, bMaximised);
            break;
        }
        case QEvent::Move:
        case QEvent::Resize:
            ShowHeldDocksOnceSettled();
            break;
        default:
            break;
        }
        return false;
    }
    if (m_pWindow->windowHandle() && pWatched == m_pWindow->windowHandle()) {
        if (pEvent->type() == QEvent::Expose && m_pWindow->windowHandle()->isExposed()) {
            m_pWindow->windowHandle()->removeEventFilter(this);
            m_bWindowExposed = true;
            ShowHeldDocksOnceSettled();
        }
        return false;
    }
    auto *pDock = qobject_cast<QDockWidget *>(pWatched);
    if (!pDock)
        return false;
    switch (pEvent->type()) {
    case QEvent::Hide:
        if (pDock->isFloating() && !pDock->isVisible())
            m_HiddenPlaces.insert(pDock, pDock->geometry());
        m_EarlyDocks.remove(pDock);
        m_FramedInReach.remove(pDock);
        // Floated again, a dock is hidden while still docked and shown floating.
        if (pDock->isFloating())
            m_HiddenDocked.remove(pDock);
        else
            m_HiddenDocked.insert(pDock);
        m_pSettler->Forget(pDock);
        break;
    case QEvent::Show:
        m_HiddenPlaces.remove(pDock);
        // The show event comes before the window is mapped: a dock placed now is mapped where it
        // belongs, and no manager ever frames it elsewhere first.
        PlaceBeforeMapping(pDock);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // The program's own moves; the window system's come spontaneous.
        if (PlacedFloating(pDock) && pDock->isVisible() && !pEvent->spontaneous())
            m_pSettler->Ask(pDock, pDock->geometry());
        // A dock not shown keeps the place it was closed or restored at: the window system
        // reports the native window's own size late, which for a dock the form had floated
        // before any layout sized it is Qt's 200 x 100, and its next show and the layout saved
        // at the exit would take that.
        if (pEvent->spontaneous() && pDock->isFloating() && !pDock->isVisible()) {
            const auto held = m_HiddenPlaces.constFind(pDock);
            if (held != m_HiddenPlaces.cend() && pDock->geometry() != *held)
                pDock->setGeometry(*held);
        }
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
        place = FloatingDockPlace(Frame(m_pWindow), iBarsBottom, size + frameExtra, screen);
    pDock->setGeometry(place.marginsRemoved(frame));
}

bool DockPlacer::KeepsStoredPlace(QDockWidget *pDock)
{
    // The restored layout holds the dock where, and as large as, the operator left it, and so it
    // stays. It is not grown to its panel's size hint here: a dock that the room below the bars
    // made shorter than its panel would then reach past the screen, and be placed anew.
    if (!m_PlacedDocks.contains(pDock->objectName()))
        return false;
    return InReach(pDock->geometry().marginsAdded(DockFrame(pDock)), AvailableScreen(m_pWindow), Bars(m_pWindow));
}

void DockPlacer::PlaceBeforeMapping(QDockWidget *pDock)
{
    const bool bFirstShow = !pDock->property(kPlacedProperty).toBool();
    const bool bFloatedAgain = m_HiddenDocked.remove(pDock) && pDock->isFloating();
    pDock->setProperty(kPlacedProperty, true);
    if (PlacedFloating(pDock)) {
        // Reopened where it was closed, it stays there while that is whole on a screen and off the
        // window's bars; any other place Qt has for it (its undocked place, one a manager gave a
        // window of it shown before) is not the operator's.
        const QScreen *pScreen = pDock->screen();
        const bool bInReach = pScreen && InReach(pDock->geometry().marginsAdded(DockFrame(pDock)),
                                                 pScreen->availableGeometry(), Bars(m_pWindow));
        if ((bFirstShow && !KeepsStoredPlace(pDock)) || bFloatedAgain || !bInReach)
            PlaceFloatingDock(pDock);
        m_pSettler->Ask(pDock, pDock->geometry());
        // The window's bars may yet move: the manager frames the window, and the window is then
        // fitted on the screen.
        if (!WindowPlaced())
            m_EarlyDocks.insert(pDock, pDock->geometry());
    }
    // Placed once, a dock's stored floating place is its own.
    if (!m_PlacedDocks.contains(pDock->objectName()))
        m_PlacedDocks.append(pDock->objectName());
}

void DockPlacer::KeepFrameInReach(QDockWidget *pDock)
{
    // Where the program placed it: a place the operator or the manager gave it stands.
    if (!PlacedFloating(pDock) || !pDock->isVisible() || m_pSettler->AskedOf(pDock) != pDock->geometry())
        return;
    // Once a show: placed anew, it is in reach with the frame it now has.
    if (m_FramedInReach.contains(pDock))
        return;
    m_FramedInReach.insert(pDock);
    if (!InReach(pDock->geometry().marginsAdded(DockFrame(pDock)), AvailableScreen(m_pWindow), Bars(m_pWindow)))
        PlaceFloatingDock(pDock);
}

void DockPlacer::KeepDocksOffScreen()
{
    for (QDockWidget *pDock : m_pWindow->findChildren<QDockWidget *>())
        pDock->setAttribute(Qt::WA_DontShowOnScreen);
}

void DockPlacer::HoldRestoredDocks()
{
    // A floating dock the layout shows would be mapped at once, before the window: a manager
    // cannot yet tie it to its window then, and stacks the window above it once that is mapped.
    // Nor is it mapped and unmapped again at once: a manager that read both requests at once (twm,
    // kept busy) lost the dock's window altogether. It is hidden before it reaches the screen.
    for (QDockWidget *pDock : m_pWindow->findChildren<QDockWidget *>()) {
        if (pDock->isFloating() && pDock->isVisible()) {
            pDock->hide();
            m_HeldDocks.append(pDock);
        }
        pDock->setAttribute(Qt::WA_DontShowOnScreen, false);
    }
}

bool DockPlacer::WindowSettled() const
{
    const std::optional<PlaceSettler::State> state = m_pSettler->StateOf(m_pWindow);
    if (state && state != PlaceSettler::State::Settled)
        return false;
    const std::optional<QRect> server = X11Window::ServerPlace(m_pWindow);
    return (!server || *server == m_pWindow->geometry()) && X11Window::FrameAgrees(m_pWindow).value_or(true);
}

QRect DockPlacer::Frame(const QWidget *pWindow)
{
    const QWindow *pHandle = pWindow->windowHandle();
    return pHandle && pHandle->handle() ? pHandle->frameGeometry() : pWindow->frameGeometry();
}

bool DockPlacer::WindowPlaced() const
{
    if (!m_bWindowExposed || !WindowSettled())
        return false;
    // Off X11 no manager reports a frame.
    return m_bFrameKnown || !X11Window::ManagerRuns().has_value();
}

void DockPlacer::SetFrameKnown()
{
    m_bFrameKnown = true;
    ShowHeldDocksOnceSettled();
}

void DockPlacer::ShowHeldDocksOnceSettled()
{
    // The held docks are judged against the window's bars where the manager shows them: once it
    // has framed and placed the window, and Qt has it there too.
    if ((m_HeldDocks.isEmpty() && m_EarlyDocks.isEmpty()) || !WindowPlaced())
        return;
    // Past the events being handled, as a dock shown from the window's own expose would be.
    QTimer::singleShot(0, this, [this] {
        if (!m_HeldDocks.isEmpty())
            ShowHeldDocks();
        // One the operator has moved since stays where it is.
        const QHash<QDockWidget *, QRect> early = std::exchange(m_EarlyDocks, {});
        for (auto it = early.cbegin(); it != early.cend(); ++it) {
            QDockWidget *pDock = it.key();
            if (pDock->isVisible() && PlacedFloating(pDock) && pDock->geometry() == it.value())
                PlaceFloatingDock(pDock);
        }
    });
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
