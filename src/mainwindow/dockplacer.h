#pragma once
// Where the main window's docks go when they float, and that what Qt believes of a floating
// dock's place is where the dock is on the screen.
//
// A floating dock is placed at its first show in a run, when the operator floats it again by a
// double click on its title or its float button, and when a menu reopens it off the screen: at
// its panel's size, beside the window or below its bars. Floating docks of a stored layout are
// held back until the window is exposed, so that a window manager stacks them above it.
//
// A window manager that frames a dock just placed may report a stale place for it (its new
// frame's corner, or the frame's first 1 x 1 size) while the dock is shown where it was placed.
// Every place the window system reports for a floating dock is therefore checked against the X
// server, which knows where the window is: a report the server bears out stands, whoever moved
// the dock (the operator dragging it with the manager's own move included); a stale one is
// followed by the server's place, told to Qt as the manager tells it, so that nothing is asked
// of the manager and nothing moves on the screen. Until the dock's frame is mapped, the server
// may not yet have the place the program asked for: Qt keeps that place, and the server is
// asked again once the dock is shown.

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QDockWidget;
class QMainWindow;
class QWindow;

class DockPlacer : public QObject
{
    Q_OBJECT

public:
    explicit DockPlacer(QMainWindow *pWindow);
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

private:
    // A floating dock at no less than its panel's size hint (within the screen), beside the
    // window's frame or below its bars; a place kept from an earlier run stays if it is sound.
    void PlaceFloatingDock(QDockWidget *pDock);
    // Qt gives a dock floated again its place and native window after the click is handled.
    void PlaceOnceFloated(QDockWidget *pDock);
    void ShowHeldDocks();
    // A reported move and resize come as two events: the server is asked once, after both.
    void CheckReportedPlace(QDockWidget *pDock);
    void FollowServer(QDockWidget *pDock);

    QMainWindow *m_pWindow;
    QStringList m_PlacedDocks;
    QList<QDockWidget *> m_HeldDocks;
    QList<QDockWidget *> m_Checking;
    // Where the program last put each floating dock (Qt's own moves, not the window system's).
    QHash<QDockWidget *, QRect> m_Asked;
    // Windows of docks whose place is asked again once they are shown.
    QList<QPointer<QWindow>> m_Unmapped;
    // The server's places told to Qt in a row for each dock; a bound against a window whose
    // place Qt never takes as told.
    QHash<QDockWidget *, int> m_Followed;
};
