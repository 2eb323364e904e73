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
