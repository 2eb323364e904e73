#pragma once
// Where the main window's docks go when they float, and that what Qt believes of a floating
// dock's place is where the dock is on the screen.
//
// A floating dock is placed at its show, before its window is mapped, so that a window manager
// maps it there: at its first show in a run, when the operator floats it again by a double
// click on its title or its float button, and when a menu reopens it off the screen; at its
// panel's size, beside the window or below its bars. A dock shown in an earlier run comes back
// where, and as large as, it was left, while that is whole on the screen and off the bars.
// Floating docks of a stored layout are held back until the window is exposed, so that a window
// manager stacks them above it.
//
// A manager framing a dock may still report a stale place for it (its new frame's corner, or
// the frame's first 1 x 1 size), later than the place it shows the dock at when the machine is
// busy. Every place reported for a floating dock is therefore weighed before Qt takes it:
// - until the dock is mapped, one other than the place the program asked for is not taken, and
//   the server is asked where the dock is once it is shown;
// - once it is mapped, a place a manager sends stands if the X server bears it out, whoever
//   moved the dock (the operator dragging it with the manager's own move included); a stale
//   one is dropped, and Qt is told the server's place, should it hold another, as the manager
//   tells it: nothing is asked of the manager and nothing moves on the screen;
// - the server's own report of a dock's size reaches Qt with the place weighed here: Qt would
//   ask the server where the window is later, by when a manager may have put it in a frame it
//   has not yet placed.

#include "mainwindow/x11window.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

class QDockWidget;
class QMainWindow;
class QWindow;

class DockPlacer : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit DockPlacer(QMainWindow *pWindow);
    ~DockPlacer() override;
    // From here on the docks are placed and followed; a layout restored before is not placed
    // by its show.
    void Watch(const QList<QDockWidget *> &docks);

    // Docks shown in this run or an earlier one: their stored floating place is their own.
    void SetPlacedDocks(const QStringList &docks) { m_PlacedDocks = docks; }
    QStringList PlacedDocks() const { return m_PlacedDocks; }

    // Floating docks the restored layout shows are hidden until the window is exposed (or,
    // should it never be, for a while after its first show).
    void HoldRestoredDocks();
    // A dock opened from a menu or the tool bar, whole on a screen and in front.
    void ShowDock(QDockWidget *pDock);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;
    // Reports of a floating dock's place are weighed before Qt takes them.
    bool nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *pResult) override;

private:
    // A floating dock at no less than its panel's size hint (within the screen), beside the
    // window's frame or below its bars; a place kept from an earlier run stays if it is sound.
    void PlaceFloatingDock(QDockWidget *pDock);
    // At its show, before its window is mapped: a dock shown for the first time in a run, floated
    // again from the window, or reopened off the screen.
    void PlaceBeforeMapping(QDockWidget *pDock);
    // A dock shown in an earlier run, at its first show in this one: true, and the dock left as
    // the stored layout has it, while that is whole on the screen and off the bars.
    bool KeepsStoredPlace(QDockWidget *pDock);
    void ShowHeldDocks();
    // Whether Qt may take a place the window system reports for a floating dock.
    bool TakesReport(QDockWidget *pDock, const X11Window::Report &report);
    // Tells Qt where the server has a dock, should Qt have it elsewhere.
    void FollowServer(QWidget *pWidget);

    QMainWindow *m_pWindow;
    QStringList m_PlacedDocks;
    QList<QDockWidget *> m_HeldDocks;
    // Docks hidden while docked: shown floating next, they were floated again.
    QSet<QDockWidget *> m_HiddenDocked;
    QList<QDockWidget *> m_Docks;
    // Where the program last put each floating dock (Qt's own moves, not the window system's).
    QHash<QDockWidget *, QRect> m_Asked;
    // Windows of docks whose place is asked again once they are shown.
    QList<QPointer<QWindow>> m_Unmapped;
    // The server's places told to Qt in a row for each dock; a bound against a window whose
    // place Qt never takes as told.
    QHash<QWidget *, int> m_Followed;
};
