#include "mainwindow/x11window.h"

#include <QGuiApplication>
#include <QHash>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_connection_t *Connection()
{
    const auto *pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 ? pX11->connection() : nullptr;
}

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> Owned(Reply *pReply)
{
    return ReplyPtr<Reply>(pReply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t *pConnection, const QByteArray &name)
{
    // An atom stands for the server's life once it exists; one not yet made (by a manager still
    // to start) is asked for again. Only the GUI thread asks.
    static QHash<QByteArray, xcb_atom_t> known;
    if (const auto it = known.constFind(name); it != known.constEnd())
        return *it;
    const auto atom = Owned(xcb_intern_atom_reply(
        pConnection, xcb_intern_atom(pConnection, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return XCB_ATOM_NONE;
    known.insert(name, atom->atom);
    return atom->atom;
}

// The gravity the window's size hints give its manager: where a requested place puts the frame.
uint32_t Gravity(xcb_connection_t *pConnection, xcb_window_t window)
{
    // WM_NORMAL_HINTS: 18 cards, the flags first and the gravity last.
    constexpr uint32_t kWinGravityFlag = 1u << 9;
    const auto hints = Owned(xcb_get_property_reply(
        pConnection, xcb_get_property(pConnection, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
        nullptr));
    if (!hints || hints->format != 32 || xcb_get_property_value_length(hints.get()) < 18 * 4)
        return XCB_GRAVITY_NORTH_WEST;
    const auto *pCards = static_cast<const uint32_t *>(xcb_get_property_value(hints.get()));
    return (pCards[0] & kWinGravityFlag) ? pCards[17] : uint32_t(XCB_GRAVITY_NORTH_WEST);
}

// The frame a manager has drawn around the window, as it sets it once it has taken the window on
// (_NET_FRAME_EXTENTS); nothing before, a frame of no width being a frame too.
std::optional<QMargins> ExtentsProperty(xcb_connection_t *pConnection, xcb_window_t window)
{
    const auto property = Owned(xcb_get_property_reply(
        pConnection,
        xcb_get_property(pConnection, 0, window, Atom(pConnection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) != 16)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto *pSides = static_cast<const uint32_t *>(xcb_get_property_value(property.get()));
    return QMargins(int(pSides[0]), int(pSides[2]), int(pSides[1]), int(pSides[3]));
}

xcb_window_t Root(xcb_connection_t *pConnection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
}

// Whether the manager keeps a window's frame extents in its property, as it tells on the root
// (_NET_SUPPORTED); a manager that knows nothing of the extended hints tells nothing there.
bool ManagerTellsExtents(xcb_connection_t *pConnection)
{
    const xcb_atom_t extents = Atom(pConnection, "_NET_FRAME_EXTENTS");
    const auto supported =
        Owned(xcb_get_property_reply(pConnection,
                                     xcb_get_property(pConnection, 0, Root(pConnection),
                                                      Atom(pConnection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 1024),
                                     nullptr));
    if (!supported || supported->format != 32 || extents == XCB_ATOM_NONE)
        return false;
    const auto *pAtoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported.get()));
    const int iAtoms = xcb_get_property_value_length(supported.get()) / 4;
    return std::find(pAtoms, pAtoms + iAtoms, extents) != pAtoms + iAtoms;
}

// Whether the manager has taken the window on: it sets WM_STATE, normal or iconic, on every
// window it manages.
bool TakenByManager(xcb_connection_t *pConnection, xcb_window_t window)
{
    const xcb_atom_t wmState = Atom(pConnection, "WM_STATE");
    const auto state = Owned(
        xcb_get_property_reply(pConnection, xcb_get_property(pConnection, 0, window, wmState, wmState, 0, 2), nullptr));
    // The state first: 0 withdrawn, 1 normal, 3 iconic.
    return state && state->format == 32 && xcb_get_property_value_length(state.get()) >= 4 &&
           *static_cast<const uint32_t *>(xcb_get_property_value(state.get())) != 0;
}

// The frame of a manager that tells no extents: the window it put the widget's window in, as the
// tree shows it, its border included, around the window's place; none for a window not
// reparented.
std::optional<QMargins> TreeFrame(xcb_connection_t *pConnection, xcb_window_t window, const QRect &place)
{
    const xcb_window_t root = Root(pConnection);
    xcb_window_t frame = window;
    for (;;) {
        const auto tree = Owned(xcb_query_tree_reply(pConnection, xcb_query_tree(pConnection, frame), nullptr));
        if (!tree)
            return std::nullopt;
        if (tree->parent == root || tree->parent == XCB_NONE)
            break;
        frame = tree->parent;
    }
    if (frame == window)
        return QMargins();
    const auto outer = Owned(xcb_get_geometry_reply(pConnection, xcb_get_geometry(pConnection, frame), nullptr));
    if (!outer)
        return std::nullopt;
    const int iBorder = outer->border_width;
    const QRect edges(outer->x, outer->y, outer->width + 2 * iBorder, outer->height + 2 * iBorder);
    const QMargins margins(place.left() - edges.left(), place.top() - edges.top(), edges.right() - place.right(),
                           edges.bottom() - place.bottom());
    // A frame that does not hold the window is not one.
    if (std::min({margins.left(), margins.top(), margins.right(), margins.bottom()}) < 0)
        return std::nullopt;
    return margins;
}

} // namespace

namespace X11Window {

std::optional<QRect> ServerPlace(const QWidget *pWidget)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    const auto window = static_cast<xcb_window_t>(id);
    const auto size = Owned(xcb_get_geometry_reply(pConnection, xcb_get_geometry(pConnection, window), nullptr));
    if (!size)
        return std::nullopt;
    const auto origin = Owned(xcb_translate_coordinates_reply(
        pConnection, xcb_translate_coordinates(pConnection, window, size->root, 0, 0), nullptr));
    if (!origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, size->width, size->height);
}

std::optional<QMargins> FrameExtents(const QWidget *pWidget)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    const auto window = static_cast<xcb_window_t>(id);
    if (const std::optional<QMargins> extents = ExtentsProperty(pConnection, window))
        return extents;
    if (!TakenByManager(pConnection, window) || ManagerTellsExtents(pConnection))
        return QMargins();
    const std::optional<QRect> place = ServerPlace(pWidget);
    return (place ? TreeFrame(pConnection, window, *place) : std::nullopt).value_or(QMargins());
}

std::optional<bool> FrameAgrees(const QWidget *pWidget)
{
    const QWindow *pWindow = pWidget->windowHandle();
    if (!Connection() || !pWindow || !pWidget->internalWinId())
        return std::nullopt;
    const QMargins frame = pWindow->frameMargins();
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return false;
    // A manager that gives no extents (or none yet) leaves nothing to compare with.
    const QMargins extents = FrameExtents(pWidget).value_or(QMargins());
    return extents.isNull() || extents == frame;
}

std::optional<Shown> ServerShows(const QWidget *pWidget)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    const auto window = static_cast<xcb_window_t>(id);
    const auto attributes =
        Owned(xcb_get_window_attributes_reply(pConnection, xcb_get_window_attributes(pConnection, window), nullptr));
    const std::optional<QRect> place = ServerPlace(pWidget);
    if (!attributes || !place)
        return std::nullopt;
    const bool bManaged = ManagerRuns().value_or(false);
    const bool bTaken = attributes->override_redirect || !bManaged || TakenByManager(pConnection, window) ||
                        ExtentsProperty(pConnection, window).has_value();
    bool bMaximised = false;
    const auto states = Owned(xcb_get_property_reply(
        pConnection, xcb_get_property(pConnection, 0, window, Atom(pConnection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32),
        nullptr));
    if (states && states->format == 32) {
        const xcb_atom_t maximised[] = {Atom(pConnection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                                        Atom(pConnection, "_NET_WM_STATE_MAXIMIZED_HORZ"),
                                        Atom(pConnection, "_NET_WM_STATE_FULLSCREEN")};
        const auto *pStates = static_cast<const xcb_atom_t *>(xcb_get_property_value(states.get()));
        const int iStates = xcb_get_property_value_length(states.get()) / 4;
        for (int i = 0; i < iStates; ++i)
            bMaximised =
                bMaximised || std::find(std::begin(maximised), std::end(maximised), pStates[i]) != std::end(maximised);
    }
    return Shown{attributes->map_state == XCB_MAP_STATE_VIEWABLE, bManaged, bTaken, *place, bMaximised};
}

std::optional<bool> ButtonHeld()
{
    xcb_connection_t *pConnection = Connection();
    if (!pConnection)
        return std::nullopt;
    const xcb_window_t root = Root(pConnection);
    const auto pointer = Owned(xcb_query_pointer_reply(pConnection, xcb_query_pointer(pConnection, root), nullptr));
    if (!pointer)
        return std::nullopt;
    constexpr uint16_t kButtons = XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2 | XCB_KEY_BUT_MASK_BUTTON_3 |
                                  XCB_KEY_BUT_MASK_BUTTON_4 | XCB_KEY_BUT_MASK_BUTTON_5;
    return (pointer->mask & kButtons) != 0;
}

std::optional<quint16> AskPlace(const QWidget *pWidget, const QRect &place)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    const auto window = static_cast<xcb_window_t>(id);
    // With static gravity the place asked is the window's own; otherwise it is the frame's corner,
    // the manager's frame being drawn around the window from there.
    QPoint corner = place.topLeft();
    if (Gravity(pConnection, window) != XCB_GRAVITY_STATIC) {
        const QMargins frame = FrameExtents(pWidget).value_or(QMargins());
        corner -= QPoint(frame.left(), frame.top());
    }
    const uint32_t values[] = {uint32_t(corner.x()), uint32_t(corner.y()), uint32_t(place.width()),
                               uint32_t(place.height())};
    const xcb_void_cookie_t request = xcb_configure_window(
        pConnection, window,
        XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(pConnection);
    // Events carry the low 16 bits of the sequence.
    return static_cast<quint16>(request.sequence);
}

std::optional<quint16> EventSequence(const QByteArray &eventType, void *pMessage)
{
    if (eventType != "xcb_generic_event_t" || !pMessage)
        return std::nullopt;
    return static_cast<const xcb_generic_event_t *>(pMessage)->sequence;
}

std::optional<bool> ManagerRuns()
{
    xcb_connection_t *pConnection = Connection();
    if (!pConnection)
        return std::nullopt;
    const xcb_window_t root = Root(pConnection);
    const auto attributes =
        Owned(xcb_get_window_attributes_reply(pConnection, xcb_get_window_attributes(pConnection, root), nullptr));
    if (!attributes)
        return std::nullopt;
    return (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
}

std::optional<Report> ReportedPlace(const QByteArray &eventType, void *pMessage, const std::function<bool(WId)> &asksOf)
{
    xcb_connection_t *pConnection = Connection();
    if (!pConnection || eventType != "xcb_generic_event_t" || !pMessage)
        return std::nullopt;
    const auto *pGeneric = static_cast<const xcb_generic_event_t *>(pMessage);
    if ((pGeneric->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY)
        return std::nullopt;
    const auto *pEvent = static_cast<const xcb_configure_notify_event_t *>(pMessage);
    if (!asksOf(pEvent->event))
        return std::nullopt;
    const bool bSent = (pGeneric->response_type & 0x80) != 0;
    QPoint origin(pEvent->x, pEvent->y);
    // The server's own report is relative to the window's parent, a manager's frame perhaps:
    // Qt asks where that is on the root, and so does this.
    if (!bSent) {
        const xcb_window_t root = Root(pConnection);
        const auto translated = Owned(xcb_translate_coordinates_reply(
            pConnection, xcb_translate_coordinates(pConnection, pEvent->window, root, 0, 0), nullptr));
        if (!translated)
            return std::nullopt;
        origin = QPoint(translated->dst_x, translated->dst_y);
    }
    return Report{pEvent->event, QRect(origin, QSize(pEvent->width, pEvent->height)), bSent};
}

WId ChangedWindow(const QByteArray &eventType, void *pMessage)
{
    if (eventType != "xcb_generic_event_t" || !pMessage)
        return 0;
    switch (static_cast<const xcb_generic_event_t *>(pMessage)->response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
        return static_cast<const xcb_map_notify_event_t *>(pMessage)->window;
    case XCB_EXPOSE:
        return static_cast<const xcb_expose_event_t *>(pMessage)->window;
    case XCB_REPARENT_NOTIFY:
        return static_cast<const xcb_reparent_notify_event_t *>(pMessage)->window;
    case XCB_PROPERTY_NOTIFY:
        return static_cast<const xcb_property_notify_event_t *>(pMessage)->window;
    default:
        return 0;
    }
}

bool TellPlace(const QWidget *pWidget, const QRect &place)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return false;
    // In root coordinates, from SendEvent: Qt takes such a place as it stands.
    xcb_configure_notify_event_t event = {};
    event.response_type = XCB_CONFIGURE_NOTIFY;
    event.event = event.window = static_cast<xcb_window_t>(id);
    event.above_sibling = XCB_NONE;
    event.x = static_cast<int16_t>(place.x());
    event.y = static_cast<int16_t>(place.y());
    event.width = static_cast<uint16_t>(place.width());
    event.height = static_cast<uint16_t>(place.height());
    // The server takes every event as 32 bytes.
    char acEvent[32] = {};
    static_assert(sizeof(event) <= sizeof(acEvent));
    std::memcpy(acEvent, &event, sizeof(event));
    // To the program alone, which made the window: the manager, which follows the window's
    // structure too, would take a place told to Qt (a stale one among them) for its own word, and
    // a compositing manager (mutter) then went on showing a frame of the window's old size.
    xcb_send_event(pConnection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, acEvent);
    xcb_flush(pConnection);
    return true;
}

} // namespace X11Window
