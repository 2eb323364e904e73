#pragma once
// The X server as another client sees it, for tests on a framing display: where a window is,
// whether it is mapped, the frame its manager drew, and the events a manager or the operator
// sends a window. Each call opens a connection of its own, so that what it reads does not go
// through the program's.

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QList>
#include <QMargins>
#include <QRect>
#include <qwindowdefs.h>

#include <xcb/xcb.h>

#include <cstring>
#include <functional>
#include <optional>

class QWidget;

// Sends an event of ours as another client would; the server takes every event as 32 bytes.
template <typename Event>
bool SendEvent(xcb_connection_t *pConnection, xcb_window_t destination, uint32_t uMask, const Event &event)
{
    static_assert(sizeof(Event) <= 32);
    char acEvent[32] = {};
    std::memcpy(acEvent, &event, sizeof(Event));
    return !xcb_request_check(pConnection, xcb_send_event_checked(pConnection, 0, destination, uMask, acEvent));
}

// What a manager sends a window it has placed (a configure notify from SendEvent, in root
// coordinates; Qt takes its place as it stands), sent here with a place of our choosing.
bool ReportPlace(WId window, const QRect &place);
// What the x on a window's title bar does: the manager asks the program to close the window
// (WM_DELETE_WINDOW in a WM_PROTOCOLS message).
bool CloseByItsX(WId window);
// Whether the window is mapped, and so is every window it lies in (the manager's frame).
bool Viewable(WId window);
// Where the X server has the window: its place on the root and its size.
QRect ServerPlace(WId window);
// The frame the manager drew around a window, as it tells it in _NET_FRAME_EXTENTS; from a
// manager that tells none (twm), the frame window it put the window in, as the tree shows it.
QMargins FrameExtents(WId window);
// The manager moves (and, given a size, resizes) a window's frame to the given place, as it does
// when the operator drags the window with its own move or a pager asks it to
// (_NET_MOVERESIZE_WINDOW to the root): the frame's corner, the window's size.
bool ManagerMove(WId window, const QPoint &frame, const QSize &size = QSize());
// Another program moves or resizes the window, or both (a ConfigureWindow of its own, as xdotool
// sends): under a manager, a request the manager carries out as it sees fit.
bool ClientConfigure(WId window, std::optional<QPoint> at, std::optional<QSize> size);
// Asks the manager to maximise the window or to restore it, as a double click on its title does
// (a _NET_WM_STATE message to the root).
bool ManagerMaximise(WId window, bool bMaximised);
// With no manager on the display, the test is the manager: the window's _NET_WM_STATE set as a
// manager sets it (maximised in both directions) or emptied.
bool SetMaximisedState(WId window, bool bMaximised);
// Whether the server shows the window maximised in both directions (its _NET_WM_STATE).
bool ShownMaximised(WId window);
// Whether the server stacks the first window, with the frame its manager put it in, above the
// second, with its own.
bool StackedAbove(WId upper, WId lower);
// True once the manager has framed the window and Qt has the frame the manager gives it. Qt
// works a frame out by itself when asked before the manager tells it (from a frame not yet
// sized: a right side of -1210 px), and that one is not the frame.
bool Framed(QWidget *pWindow);
// Shown and exposed, mapped on the server, and the server has it where Qt does.
bool ShownWhereQtHasIt(QWidget *pWindow);
// Once the program has read and handled every event the server sent it before now (a message it
// sends itself comes after them): false if that never came about within iMaxMs.
bool CaughtUp(int iMaxMs);
// Shown where Qt has it, and still so once the program has handled every event that told it so:
// the program then stands by that place.
bool StandsWhereShown(QWidget *pWindow, int iMaxMs);
// The program's GUI thread held still while the server and the manager answer, as on a busy
// machine: until serverShows (iMaxMs at most), then iPastMs longer, with no event read
// meanwhile. Every report sent meanwhile is then queued before the program reads the first.
void HoldGuiThread(const std::function<bool()> &serverShows, int iMaxMs, int iPastMs);

// Another client following a window's structure (as a manager, a pager or a compositor does):
// the configure notifies sent to it by a client (SendEvent), not by the server, that it read.
class StructureWatch
{
public:
    explicit StructureWatch(WId window);
    ~StructureWatch();
    StructureWatch(const StructureWatch &) = delete;
    StructureWatch &operator=(const StructureWatch &) = delete;
    // Every one read so far; all the server has for this client, up to now, read first.
    QList<QRect> SentPlaces();

private:
    xcb_connection_t *m_pConnection;
    QList<QRect> m_Sent;
};

// The places sent to a window as a manager sends them (configure notifies from SendEvent) that
// reached the program, whatever it then made of them. Installed after the program's own filters,
// it is asked first.
class SentPlaces : public QAbstractNativeEventFilter
{
public:
    explicit SentPlaces(WId window) : m_Window(window) { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~SentPlaces() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    QList<QRect> places;

    bool nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *) override
    {
        const auto *pEvent = static_cast<const xcb_configure_notify_event_t *>(pMessage);
        if (eventType == "xcb_generic_event_t" && pEvent->response_type == (XCB_CONFIGURE_NOTIFY | 0x80) &&
            pEvent->window == m_Window)
            places.append(QRect(pEvent->x, pEvent->y, pEvent->width, pEvent->height));
        return false;
    }

private:
    WId m_Window;
};
