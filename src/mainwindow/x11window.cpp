#include "mainwindow/x11window.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_connection_t *Connection()
{
    const auto *pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 ? pX11->connection() : nullptr;
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply *pReply)
{
    return ReplyPtr<Reply>(pReply, &std::free);
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

std::optional<bool> Viewable(const QWidget *pWidget)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    const auto attributes = Owned(xcb_get_window_attributes_reply(
        pConnection, xcb_get_window_attributes(pConnection, static_cast<xcb_window_t>(id)), nullptr));
    if (!attributes)
        return std::nullopt;
    return attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::optional<QMargins> FrameExtents(const QWidget *pWidget)
{
    xcb_connection_t *pConnection = Connection();
    const WId id = pWidget->internalWinId();
    if (!pConnection || !id)
        return std::nullopt;
    static const QByteArray name("_NET_FRAME_EXTENTS");
    const auto atom = Owned(xcb_intern_atom_reply(
        pConnection, xcb_intern_atom(pConnection, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return QMargins();
    const auto property = Owned(xcb_get_property_reply(
        pConnection,
        xcb_get_property(pConnection, 0, static_cast<xcb_window_t>(id), atom->atom, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) != 16)
        return QMargins();
    // Left, right, top, bottom.
    const auto *pSides = static_cast<const uint32_t *>(xcb_get_property_value(property.get()));
    return QMargins(int(pSides[0]), int(pSides[2]), int(pSides[1]), int(pSides[3]));
}

std::optional<bool> ManagerRuns()
{
    xcb_connection_t *pConnection = Connection();
    if (!pConnection)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
    const auto attributes =
        Owned(xcb_get_window_attributes_reply(pConnection, xcb_get_window_attributes(pConnection, root), nullptr));
    if (!attributes)
        return std::nullopt;
    return (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
}

std::optional<Report> ReportedPlace(const QByteArray &eventType, void *pMessage,
                                    const std::function<bool(WId)> &asksOf)
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
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
        const auto translated = Owned(xcb_translate_coordinates_reply(
            pConnection, xcb_translate_coordinates(pConnection, pEvent->window, root, 0, 0), nullptr));
        if (!translated)
            return std::nullopt;
        origin = QPoint(translated->dst_x, translated->dst_y);
    }
    return Report{pEvent->event, QRect(origin, QSize(pEvent->width, pEvent->height)), bSent};
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
    xcb_send_event(pConnection, 0, event.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, acEvent);
    xcb_flush(pConnection);
    return true;
}

} // namespace X11Window
