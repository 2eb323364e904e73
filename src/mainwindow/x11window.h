#pragma once
// What the program asks of the X server itself about its top-level windows, where Qt's own idea
// can lag behind: where a window is, whether a window manager runs, and telling Qt a window's
// place as a manager tells it. Off X11 (the offscreen platform of the tests) there is nothing
// to ask and every answer is empty.

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <qwindowdefs.h>

#include <functional>
#include <optional>

class QWidget;

namespace X11Window {

// Where the server has a top-level widget's window: its place on the root and its size.
std::optional<QRect> ServerPlace(const QWidget *pWidget);

// The frame a window manager has drawn around the widget's window (its _NET_FRAME_EXTENTS), none
// until a manager has taken the window on, whatever frame Qt made out meanwhile; nothing off X11.
// A manager that keeps no such property (twm) draws its frame as a window the widget's window
// lies in: the frame is then read from the window tree, once the manager has taken the window.
std::optional<QMargins> FrameExtents(const QWidget *pWidget);

// Whether the frame Qt has for the widget's window is one the window can have: Qt works a frame
// out by itself when asked before the manager has told it, from a frame the manager has yet to
// size (a side of -1210 px), and keeps that until the window's next move. False for such a frame
// and for one other than the extents the manager gives; nothing off X11.
std::optional<bool> FrameAgrees(const QWidget *pWidget);

// What the server shows of a top-level widget's window now.
struct Shown
{
    // Mapped, and so is every window it lies in (a manager's frame included). Until it is, its
    // place may still change without a word to the program.
    bool bViewable;
    // A window manager holds the screen.
    bool bManaged;
    // Taken on by the manager, or a window no manager takes: the display has none, or the window
    // bypasses it. Every manager marks a window it has taken (WM_STATE); not every one frames it,
    // reparents it or tells its frame's extents (none of it for an undecorated window under
    // metacity, no extents ever under twm).
    bool bTaken;
    // Its place on the root and its size.
    QRect place;
    // Maximised or full screen, as its manager has it (_NET_WM_STATE).
    bool bMaximised;
};
std::optional<Shown> ServerShows(const QWidget *pWidget);

// Whether a pointer button is held down: a manager's own move or resize of a window holds one.
std::optional<bool> ButtonHeld();

// Asks for the widget's window at the given place (its client area on the root), as Qt asks for
// it, whatever Qt believes of the window: a manager carries the request out, or answers it. The
// request's sequence number: events the program reads from then on carry it or a later one.
std::optional<quint16> AskPlace(const QWidget *pWidget, const QRect &place);

// The sequence number a native event carries: that of the program's last request the server had
// handled when it sent the event. Nothing for an event of another kind than the server's.
std::optional<quint16> EventSequence(const QByteArray &eventType, void *pMessage);

// Whether a window manager holds the screen (it redirects the root's children to itself).
std::optional<bool> ManagerRuns();

// A place the window system reports for a top-level window, as Qt would take it.
struct Report
{
    WId window;
    QRect place;
    // Sent by a client (a manager telling where it has put the window), not by the server.
    bool bSent;
};
// The place a native event reports, if it is a configure notify of a window the caller asks of
// (the server is asked where a window is only for those).
std::optional<Report> ReportedPlace(const QByteArray &eventType, void *pMessage,
                                    const std::function<bool(WId)> &asksOf);

// The window a native event tells of that changes what the server shows of it (mapped,
// exposed, reparented, a property such as its frame set), none for any other event.
WId ChangedWindow(const QByteArray &eventType, void *pMessage);

// Sends the widget's window the configure notify a manager sends a window it has placed, so
// that Qt takes the given place as the window's; nothing is asked of the manager.
bool TellPlace(const QWidget *pWidget, const QRect &place);

} // namespace X11Window
