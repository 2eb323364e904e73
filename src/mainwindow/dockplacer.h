#pragma once
// Where the main window's docks go when they float, and that what Qt believes of a floating
// dock's place is where the dock is on the screen.
//
// A floating dock is placed at its show, before its window is mapped, so that a window manager
// maps it there: at its first show in a run, when the operator floats it again by a double
// click on its title or its float button, and when a menu reopens it off the screen; at its
// panel's size, beside the window or below its bars. A dock shown in an earlier run comes back
// where, and as large as, it was left, while that is whole on the screen and off the bars.
// Floating docks of a stored layout are held back until the window is exposed and placed by
// its manager, so that a manager stacks them above it and they are judged against its bars
// where the manager shows them; a dock shown before then is judged against them again then.
// A floating dock not shown keeps the place it was closed or restored at, whatever the window
// system reports of its native window meanwhile.
//
// Each place the program asks for a floating dock, and the window's own once restored from
// maximised, is settled against the X server (PlaceSettler): a manager's stale report of it
// never reaches Qt.

#include "mainwindow/placesettler.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QRect>
#include <QSet>
#include <QStringList>

class QDockWidget;
class QMainWindow;

class DockPlacer : public QObject
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

    // Before the layout is restored: no dock it shows reaches the screen yet.
    void KeepDocksOffScreen();
    // Floating docks the restored layout shows are hidden until the window is exposed (or,
    // should it never be, for a while after its first show).
    void HoldRestoredDocks();
    // A dock opened from a menu or the tool bar, whole on a screen and in front.
    void ShowDock(QDockWidget *pDock);
    // The manager has reported the window's frame, or has had its time, or there is none.
    void SetFrameKnown();
    PlaceSettler *Settler() const { return m_pSettler; }
    // Whether the server shows the window where Qt has it, no place of it being awaited.
    bool WindowSettled() const;
    // A top-level window's frame on the screen with the margins its native window has now. The
    // widget's own frame geometry keeps the margins it first learned, which Qt may have worked
    // out from a frame the manager had yet to size (1 px wide for a window 1211 px wide).
    static QRect Frame(const QWidget *pWindow);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

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
    // Exposed, its frame known, and the server shows the window where Qt has it, with that frame:
    // its bars are where the operator sees them.
    bool WindowPlaced() const;
    // Once the window is placed: the held docks shown, and the docks shown before then, still
    // where they were placed, placed anew unless they are in reach of the bars where they now are.
    void ShowHeldDocksOnceSettled();
    // A dock the program placed, shown where it was placed: placed anew should the frame its
    // manager drew around it, which only shows once the manager has taken it (twm, which frames
    // every window), reach over the bars or off the screen.
    void KeepFrameInReach(QDockWidget *pDock);

    QMainWindow *m_pWindow;
    QStringList m_PlacedDocks;
    QList<QDockWidget *> m_HeldDocks;
    // Floating docks shown before the window was placed, and where they were placed.
    QHash<QDockWidget *, QRect> m_EarlyDocks;
    // Floating docks not shown, and the place each keeps until it is.
    QHash<QDockWidget *, QRect> m_HiddenPlaces;
    // Docks hidden while docked: shown floating next, they were floated again.
    QSet<QDockWidget *> m_HiddenDocked;
    // Floating docks judged with their manager's frame since they were last shown.
    QSet<QDockWidget *> m_FramedInReach;
    QList<QDockWidget *> m_Docks;
    PlaceSettler *m_pSettler;
    bool m_bWindowExposed = false;
    bool m_bFrameKnown = false;
};
