#include "serverpeer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <initializer_list>

namespace {

// What asking on a connection of our own gives, or the given value where none can be had.
template <typename Result, typename Ask> Result Asked(Result none, const Ask &ask)
{
    xcb_connection_t *pConnection = xcb_connect(nullptr, nullptr);
    const Result result = xcb_connection_has_error(pConnection) ? none : ask(pConnection);
    xcb_disconnect(pConnection);
    return result;
}

xcb_atom_t AtomOf(xcb_connection_t *pConnection, const QByteArray &name)
{
    xcb_intern_atom_reply_t *pAtom = xcb_intern_atom_reply(
        pConnection, xcb_intern_atom(pConnection, 0, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    const xcb_atom_t atom = pAtom ? pAtom->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(pAtom);
    return atom;
}

xcb_window_t Root(xcb_connection_t *pConnection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
}

// A message to the manager about a window, sent to the root as the extended hints have it.
bool ToManager(xcb_connection_t *pConnection, xcb_window_t window, const QByteArray &type,
               std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = AtomOf(pConnection, type);
    std::copy(data.begin(), data.end(), event.data.data32);
    return event.type != XCB_ATOM_NONE &&
           SendEvent(pConnection, Root(pConnection),
                     XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY, event);
}

// The window's top-level ancestor, the manager's frame where it put the window in one.
xcb_window_t TopLevel(xcb_connection_t *pConnection, xcb_window_t window)
{
    const xcb_window_t root = Root(pConnection);
    for (;;) {
        xcb_query_tree_reply_t *pTree = xcb_query_tree_reply(pConnection, xcb_query_tree(pConnection, window), nullptr);
        const xcb_window_t parent = pTree ? pTree->parent : xcb_window_t(XCB_NONE);
        free(pTree);
        if (parent == XCB_NONE || parent == root)
            return window;
        window = parent;
    }
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
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = static_cast<xcb_window_t>(window);
        event.type = AtomOf(pConnection, "WM_PROTOCOLS");
        event.data.data32[0] = AtomOf(pConnection, "WM_DELETE_WINDOW");
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
        xcb_translate_coordinates_reply_t *pOrigin = xcb_translate_coordinates_reply(
            pConnection, xcb_translate_coordinates(pConnection, id, root, 0, 0), nullptr);
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
        const auto id = static_cast<xcb_window_t>(window);
        xcb_get_property_reply_t *pProperty = xcb_get_property_reply(
            pConnection,
            xcb_get_property(pConnection, 0, id, AtomOf(pConnection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
            nullptr);
        QMargins extents;
        const bool bTold = pProperty && xcb_get_property_value_length(pProperty) == 16;
        if (bTold) {
            const auto *pSides = static_cast<const uint32_t *>(xcb_get_property_value(pProperty));
            extents = QMargins(int(pSides[0]), int(pSides[2]), int(pSides[1]), int(pSides[3]));
        }
        free(pProperty);
        const xcb_window_t frame = TopLevel(pConnection, id);
        if (bTold || frame == id)
            return extents;
        // The frame's outer edges, its border included, around the window's place on the root.
        xcb_get_geometry_reply_t *pFrame =
            xcb_get_geometry_reply(pConnection, xcb_get_geometry(pConnection, frame), nullptr);
        const QRect inner = ServerPlace(window);
        if (pFrame && inner.isValid()) {
            const QRect outer(pFrame->x, pFrame->y, pFrame->width + 2 * pFrame->border_width,
                              pFrame->height + 2 * pFrame->border_width);
            extents = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                               outer.bottom() - inner.bottom());
        }
        free(pFrame);
        return extents;
    });
}

bool ManagerMove(WId window, const QPoint &frame, const QSize &size)
{
    return Asked(false, [window, frame, size](xcb_connection_t *pConnection) {
        // x and y (and the size, if given), from a pager: the operator's own request. Gravity 0:
        // the window's own, north-west for Qt's windows, so the place is the frame's corner.
        const uint32_t uSize = size.isValid() ? (1u << 10) | (1u << 11) : 0u;
        return ToManager(pConnection, static_cast<xcb_window_t>(window), "_NET_MOVERESIZE_WINDOW",
                         {(1u << 8) | (1u << 9) | uSize | (2u << 12), static_cast<uint32_t>(frame.x()),
                          static_cast<uint32_t>(frame.y()), static_cast<uint32_t>(size.width()),
                          static_cast<uint32_t>(size.height())});
    });
}

bool ClientConfigure(WId window, std::optional<QPoint> at, std::optional<QSize> size)
{
    return Asked(false, [window, at, size](xcb_connection_t *pConnection) {
        QList<uint32_t> values;
        uint16_t uMask = 0;
        if (at) {
            uMask |= XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
            values << static_cast<uint32_t>(at->x()) << static_cast<uint32_t>(at->y());
        }
        if (size) {
            uMask |= XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
            values << static_cast<uint32_t>(size->width()) << static_cast<uint32_t>(size->height());
        }
        return !xcb_request_check(
            pConnection,
            xcb_configure_window_checked(pConnection, static_cast<xcb_window_t>(window), uMask, values.constData()));
    });
}

bool ManagerMaximise(WId window, bool bMaximised)
{
    return Asked(false, [window, bMaximised](xcb_connection_t *pConnection) {
        // Add or remove both maximised states, from a pager.
        return ToManager(pConnection, static_cast<xcb_window_t>(window), "_NET_WM_STATE",
                         {bMaximised ? 1u : 0u, AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                          AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_HORZ"), 2u});
    });
}

bool SetMaximisedState(WId window, bool bMaximised)
{
    return Asked(false, [window, bMaximised](xcb_connection_t *pConnection) {
        const xcb_atom_t states[] = {AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                                     AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_HORZ")};
        return !xcb_request_check(
            pConnection, xcb_change_property_checked(
                             pConnection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                             AtomOf(pConnection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, bMaximised ? 2 : 0, states));
    });
}

bool ShownMaximised(WId window)
{
    return Asked(false, [window](xcb_connection_t *pConnection) {
        xcb_get_property_reply_t *pStates =
            xcb_get_property_reply(pConnection,
                                   xcb_get_property(pConnection, 0, static_cast<xcb_window_t>(window),
                                                    AtomOf(pConnection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32),
                                   nullptr);
        int iFound = 0;
        if (pStates && pStates->format == 32) {
            const auto *pAtoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(pStates));
            const xcb_atom_t vertical = AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_VERT");
            const xcb_atom_t horizontal = AtomOf(pConnection, "_NET_WM_STATE_MAXIMIZED_HORZ");
            for (int i = 0; i < xcb_get_property_value_length(pStates) / 4; ++i)
                iFound += (pAtoms[i] == vertical || pAtoms[i] == horizontal) ? 1 : 0;
        }
        free(pStates);
        return iFound == 2;
    });
}

bool StackedAbove(WId upper, WId lower)
{
    return Asked(false, [upper, lower](xcb_connection_t *pConnection) {
        const xcb_window_t upperFrame = TopLevel(pConnection, static_cast<xcb_window_t>(upper));
        const xcb_window_t lowerFrame = TopLevel(pConnection, static_cast<xcb_window_t>(lower));
        xcb_query_tree_reply_t *pTree =
            xcb_query_tree_reply(pConnection, xcb_query_tree(pConnection, Root(pConnection)), nullptr);
        if (!pTree)
            return false;
        // The root's children, bottom first.
        const xcb_window_t *pChildren = xcb_query_tree_children(pTree);
        const xcb_window_t *pEnd = pChildren + xcb_query_tree_children_length(pTree);
        const xcb_window_t *pUpper = std::find(pChildren, pEnd, upperFrame);
        const xcb_window_t *pLower = std::find(pChildren, pEnd, lowerFrame);
        const bool bAbove = pUpper != pEnd && pLower != pEnd && pUpper > pLower;
        free(pTree);
        return bAbove;
    });
}

StructureWatch::StructureWatch(WId window) : m_pConnection(xcb_connect(nullptr, nullptr))
{
    const uint32_t uMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (!xcb_connection_has_error(m_pConnection))
        xcb_request_check(m_pConnection,
                          xcb_change_window_attributes_checked(m_pConnection, static_cast<xcb_window_t>(window),
                                                               XCB_CW_EVENT_MASK, &uMask));
}

StructureWatch::~StructureWatch()
{
    xcb_disconnect(m_pConnection);
}

QList<QRect> StructureWatch::SentPlaces()
{
    if (xcb_connection_has_error(m_pConnection))
        return m_Sent;
    // A round trip: every event the server had for this client before it is queued then.
    free(xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
    while (xcb_generic_event_t *pEvent = xcb_poll_for_queued_event(m_pConnection)) {
        const auto *pConfigure = reinterpret_cast<const xcb_configure_notify_event_t *>(pEvent);
        if (pEvent->response_type == (XCB_CONFIGURE_NOTIFY | 0x80))
            m_Sent.append(QRect(pConfigure->x, pConfigure->y, pConfigure->width, pConfigure->height));
        free(pEvent);
    }
    return m_Sent;
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

bool CaughtUp(int iMaxMs)
{
    // A client message of a type of the test's own, sent by the program's connection to a window
    // of its own and to no one else: the server queues it behind every event it sent before.
    class Mark : public QAbstractNativeEventFilter
    {
    public:
        explicit Mark(xcb_atom_t type) : m_Type(type) { QCoreApplication::instance()->installNativeEventFilter(this); }
        ~Mark() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
        bool nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *) override
        {
            const auto *pEvent = static_cast<const xcb_client_message_event_t *>(pMessage);
            const bool bMark = eventType == "xcb_generic_event_t" &&
                               (pEvent->response_type & 0x7f) == XCB_CLIENT_MESSAGE && pEvent->type == m_Type;
            bSeen = bSeen || bMark;
            return bMark;
        }
        bool bSeen = false;

    private:
        xcb_atom_t m_Type;
    };
    xcb_connection_t *pConnection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_atom_t type = AtomOf(pConnection, "LANTREL_TEST_CAUGHT_UP");
    const QWindowList windows = QGuiApplication::topLevelWindows();
    const auto own = std::find_if(windows.cbegin(), windows.cend(), [](QWindow *pWindow) { return pWindow->handle(); });
    if (type == XCB_ATOM_NONE || own == windows.cend())
        return false;
    Mark mark(type);
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>((*own)->winId());
    event.type = type;
    if (!SendEvent(pConnection, event.window, XCB_EVENT_MASK_NO_EVENT, event))
        return false;
    return QTest::qWaitFor([&mark] { return mark.bSeen; }, iMaxMs);
}

bool StandsWhereShown(QWidget *pWindow, int iMaxMs)
{
    QElapsedTimer clock;
    clock.start();
    while (QTest::qWaitFor([pWindow] { return ShownWhereQtHasIt(pWindow); }, int(iMaxMs - clock.elapsed()))) {
        const QRect at = pWindow->geometry();
        if (!CaughtUp(int(iMaxMs - clock.elapsed())))
            return false;
        if (ShownWhereQtHasIt(pWindow) && pWindow->geometry() == at)
            return true;
    }
    return false;
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
