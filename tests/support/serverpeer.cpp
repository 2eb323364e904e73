#include "serverpeer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace {

// What asking on a connection of our own gives, or the given value where none can be had.
template <typename Result, typename Ask>
Result Asked(Result none, const Ask &ask)
{
    xcb_connection_t *pConnection = xcb_connect(nullptr, nullptr);
    const Result result = xcb_connection_has_error(pConnection) ? none : ask(pConnection);
    xcb_disconnect(pConnection);
    return result;
}

} // namespace

bool ReportPlace(WId window, const QRect &place)
{
    return Asked(false, [window, place](xcb_connection_t *pConnection) {
        xcb_configure_notify_event_t event = {};
        event.response_type = XCB_CONFIGURE_NOTIFY;
        event.event = event.window = static_cast<xcb_window_t>(window);
        event.x = static_cast<int16_t>(place.x());
        event.y = static_cast<int16_t>(place.y());
        event.width = static_cast<uint16_t>(place.width());
        event.height = static_cast<uint16_t>(place.height());
        return SendEvent(pConnection, event.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, event);
    });
}

bool CloseByItsX(WId window)
{
    return Asked(false, [window](xcb_connection_t *pConnection) {
        const auto atom = [pConnection](const QByteArray &name) {
            xcb_intern_atom_reply_t *pAtom = xcb_intern_atom_reply(
                pConnection, xcb_intern_atom(pConnection, 0, static_cast<uint16_t>(name.size()), name.constData()),
                nullptr);
            const xcb_atom_t found = pAtom ? pAtom->atom : xcb_atom_t(XCB_ATOM_NONE);
            free(pAtom);
            return found;
        };
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = static_cast<xcb_window_t>(window);
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        return event.type != XCB_ATOM_NONE && event.data.data32[0] != XCB_ATOM_NONE &&
               SendEvent(pConnection, event.window, XCB_EVENT_MASK_NO_EVENT, event);
    });
}

bool Viewable(WId window)
{
    return Asked(false, [window](xcb_connection_t *pConnection) {
        xcb_get_window_attributes_reply_t *pAttributes = xcb_get_window_attributes_reply(
            pConnection, xcb_get_window_attributes(pConnection, static_cast<xcb_window_t>(window)), nullptr);
        const bool bViewable = pAttributes && pAttributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(pAttributes);
        return bViewable;
    });
}

QRect ServerPlace(WId window)
{
    return Asked(QRect(), [window](xcb_connection_t *pConnection) {
        const auto id = static_cast<xcb_window_t>(window);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
        xcb_translate_coordinates_reply_t *pOrigin =
            xcb_translate_coordinates_reply(pConnection, xcb_translate_coordinates(pConnection, id, root, 0, 0), nullptr);
        xcb_get_geometry_reply_t *pSize =
            xcb_get_geometry_reply(pConnection, xcb_get_geometry(pConnection, id), nullptr);
        QRect place;
        if (pOrigin && pSize)
            place = QRect(pOrigin->dst_x, pOrigin->dst_y, pSize->width, pSize->height);
        free(pOrigin);
        free(pSize);
        return place;
    });
}

QMargins FrameExtents(WId window)
{
    return Asked(QMargins(), [window](xcb_connection_t *pConnection) {
        const QByteArray name("_NET_FRAME_EXTENTS");
        xcb_intern_atom_reply_t *pAtom = xcb_intern_atom_reply(
            pConnection, xcb_intern_atom(pConnection, 1, static_cast<uint16_t>(name.size()), name.constData()),
            nullptr);
        xcb_get_property_reply_t *pProperty =
            pAtom ? xcb_get_property_reply(pConnection,
                                           xcb_get_property(pConnection, 0, static_cast<xcb_window_t>(window),
                                                            pAtom->atom, XCB_ATOM_CARDINAL, 0, 4),
                                           nullptr)
                  : nullptr;
        QMargins extents;
        if (pProperty && xcb_get_property_value_length(pProperty) == 16) {
            const auto *pSides = static_cast<const uint32_t *>(xcb_get_property_value(pProperty));
            extents = QMargins(int(pSides[0]), int(pSides[2]), int(pSides[1]), int(pSides[3]));
        }
        free(pProperty);
        free(pAtom);
        return extents;
    });
}

bool Framed(QWidget *pWindow)
{
    return pWindow->windowHandle() && !pWindow->windowHandle()->frameMargins().isNull() &&
           pWindow->windowHandle()->frameMargins() == FrameExtents(pWindow->winId());
}

bool ShownWhereQtHasIt(QWidget *pWindow)
{
    return pWindow->isVisible() && pWindow->windowHandle() && pWindow->windowHandle()->isExposed() &&
           Viewable(pWindow->winId()) && ServerPlace(pWindow->winId()) == pWindow->geometry();
}

void HoldGuiThread(const std::function<bool()> &serverShows, int iMaxMs, int iPastMs)
{
    xcb_flush(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    QElapsedTimer held;
    held.start();
    while (!serverShows() && held.elapsed() < iMaxMs)
        QThread::msleep(10);
    QThread::msleep(iPastMs);
}
