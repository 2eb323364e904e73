#include "mainwindow/dockplacer.h"

#include "mainwindow/x11window.h"

#include <QAbstractButton>
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

} // namespace

DockPlacer::DockPlacer(QMainWindow *pWindow) : QObject(pWindow), m_pWindow(pWindow)
{
    m_pWindow->installEventFilter(this);
}

void DockPlacer::Watch(const QList<QDockWidget *> &docks)
{
    for (QDockWidget *pDock : docks) {
        pDock->installEventFilter(this);
        if (auto *pFloat = pDock->findChild<QAbstractButton *>(QStringLiteral("qt_dockwidget_floatbutton")))
            connect(pFloat, &QAbstractButton::clicked, this, [this, pDock] { PlaceOnceFloated(pDock); });
        connect(pDock, &QObject::destroyed, this, [this, pDock] {
            m_HeldDocks.removeAll(pDock);
            m_Checking.removeAll(pDock);
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
            for (QDockWidget *pDock : m_pWindow->findChildren<QDockWidget *>()) {
                if (pDock->windowHandle() == pWindow && pDock->isFloating())
                    CheckReportedPlace(pDock);
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
    case QEvent::Show:
        // Once a run: a dock the operator later drags out of the window stays where it is dropped.
        if (!pDock->property(kPlacedProperty).toBool()) {
            pDock->setProperty(kPlacedProperty, true);
            if (pDock->isFloating())
                PlaceFloatingDock(pDock);
            if (!m_PlacedDocks.contains(pDock->objectName()))
                m_PlacedDocks.append(pDock->objectName());
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (!pDock->isFloating())
            break;
        if (pEvent->spontaneous())
            CheckReportedPlace(pDock);
        else
            m_Asked.insert(pDock, pDock->geometry());
        break;
    case QEvent::MouseButtonDblClick:
        if (!pDock->isFloating())
            PlaceOnceFloated(pDock);
        break;
    default:
        break;
    }
    return false;
}

void DockPlacer::PlaceFloatingDock(QDockWidget *pDock)
{
    const QScreen *pScreen = m_pWindow->screen() ? m_pWindow->screen() : QGuiApplication::primaryScreen();
    const QRect screen = pScreen->availableGeometry();
    // The menu bar and the tool bars are never covered; a dock goes below those at the top.
    QMenuBar *pMenu = m_pWindow->menuBar();
    QList<QRect> bars = {QRect(pMenu->mapToGlobal(QPoint(0, 0)), pMenu->size())};
    int iBarsBottom = bars.first().bottom();
    for (QToolBar *pBar : m_pWindow->findChildren<QToolBar *>()) {
        if (pBar->isHidden() || pBar->isFloating())
            continue;
        bars.append(QRect(pBar->mapToGlobal(QPoint(0, 0)), pBar->size()));
        if (m_pWindow->toolBarArea(pBar) == Qt::TopToolBarArea)
            iBarsBottom = std::max(iBarsBottom, bars.last().bottom());
    }

    // The panel at its own size hint: the scroll area alone would offer a few dozen lines.
    auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
    QWidget *pContent = pArea && pArea->widget() ? pArea->widget() : pDock->widget();
    const QSize chrome = pDock->sizeHint() - (pDock->widget() ? pDock->widget()->sizeHint() : QSize(0, 0));
    const QSize frameExtra = pDock->frameGeometry().size() - pDock->size();
    QSize size = pContent ? FullSizeHint(pContent) + chrome.expandedTo(QSize(0, 0)) : pDock->size();
    const bool bPlacedBefore = m_PlacedDocks.contains(pDock->objectName());
    if (bPlacedBefore)
        size = size.expandedTo(pDock->size());
    size = size.boundedTo(screen.size() - frameExtra);

    // A place from an earlier run is kept while it is whole on the screen and off the bars.
    QRect place(pDock->frameGeometry().topLeft(), size + frameExtra);
    bool bKeep = bPlacedBefore && screen.contains(place);
    for (const QRect &bar : std::as_const(bars))
        bKeep = bKeep && !bar.intersects(place);
    if (!bKeep)
        place = FloatingDockPlace(m_pWindow->frameGeometry(), iBarsBottom, size + frameExtra, screen);
    pDock->resize(place.size() - frameExtra);
    pDock->move(place.topLeft());
}

void DockPlacer::PlaceOnceFloated(QDockWidget *pDock)
{
    QTimer::singleShot(0, pDock, [this, pDock] {
        if (pDock->isFloating() && pDock->isVisible())
            PlaceFloatingDock(pDock);
    });
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
    // Reopened where it was closed: kept there while that is whole on a screen.
    const QScreen *pScreen = pDock->screen();
    if (pDock->isFloating() && !(pScreen && pScreen->availableGeometry().contains(pDock->frameGeometry())))
        PlaceFloatingDock(pDock);
    pDock->raise();
}

void DockPlacer::CheckReportedPlace(QDockWidget *pDock)
{
    if (m_Checking.contains(pDock))
        return;
    m_Checking.append(pDock);
    QTimer::singleShot(0, this, [this, pDock] {
        m_Checking.removeAll(pDock);
        if (pDock->isFloating() && pDock->isVisible())
            FollowServer(pDock);
    });
}

void DockPlacer::FollowServer(QDockWidget *pDock)
{
    // On a scaled screen Qt's places are not the server's pixels, and neither are those told.
    if (pDock->devicePixelRatioF() != 1.0)
        return;
    // Not yet framed and mapped, the window is where the program asked for it, whatever a
    // manager framing it reports: Qt must not take another place then, or it asks for that
    // place itself with its next resize. The server is asked again once the window is shown.
    if (X11Window::Viewable(pDock) == false) {
        if (const auto asked = m_Asked.constFind(pDock); asked != m_Asked.constEnd() && *asked != pDock->geometry())
            X11Window::TellPlace(pDock, *asked);
        m_Unmapped.removeAll(nullptr);
        if (QWindow *pWindow = pDock->windowHandle(); pWindow && !m_Unmapped.contains(pWindow)) {
            m_Unmapped.append(pWindow);
            pWindow->installEventFilter(this);
        }
        return;
    }
    const std::optional<QRect> server = X11Window::ServerPlace(pDock);
    if (!server)
        return;
    if (*server == pDock->geometry()) {
        m_Followed.remove(pDock);
        return;
    }
    int &iFollowed = m_Followed[pDock];
    if (++iFollowed > kFollowMax)
        return;
    // The report was stale, or the dock has moved on since: Qt is told where the window is,
    // and no request goes to the manager, which may be in the middle of the operator's move.
    X11Window::TellPlace(pDock, *server);
}
