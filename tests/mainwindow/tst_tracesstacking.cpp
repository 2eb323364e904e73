// The trace window beside the main window under metacity, as the operator meets them at a start
// with tracing on (the trace window first, then the main window): a click on either window's
// title bar or body brings that window in front of the other. The clicks are real pointer events
// on the X server, so that the window manager sees them as it sees the operator's.
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/windowtest.h"
#include "trace/traces.h"

#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <QWindow>

#include <memory>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

constexpr int kManagerMs = 10000;

// The part of a window the operator aims at: its title bar (away from the buttons at its ends)
// or its contents.
QRect Target(QWidget *pWindow, bool bTitle)
{
    const QRect frame = pWindow->windowHandle()->frameGeometry();
    const QRect client = pWindow->windowHandle()->geometry();
    if (!bTitle)
        return client.adjusted(20, 20, -20, -20);
    const int iInset = frame.width() * 15 / 100;
    return QRect(frame.left() + iInset, frame.top(), frame.width() - 2 * iInset, client.top() - frame.top());
}

// The largest part of the area that the cover leaves in sight.
QRect InSight(const QRect &area, const QRect &cover)
{
    const QRect hidden = area.intersected(cover);
    if (hidden.isEmpty())
        return area;
    const QList<QRect> parts = {QRect(area.topLeft(), QPoint(hidden.left() - 1, area.bottom())),
                                QRect(QPoint(hidden.right() + 1, area.top()), area.bottomRight()),
                                QRect(area.topLeft(), QPoint(area.right(), hidden.top() - 1)),
                                QRect(QPoint(area.left(), hidden.bottom() + 1), area.bottomRight())};
    QRect best;
    for (const QRect &part : parts) {
        if (part.isValid() && part.width() * part.height() > best.width() * best.height())
            best = part;
    }
    return best;
}

bool Framed(QWidget *pWindow)
{
    return pWindow->windowHandle() && pWindow->windowHandle()->isExposed() &&
           !pWindow->windowHandle()->frameMargins().isNull();
}

// A connection of the test's own to the X server: what the manager stacks, and the pointer as the
// operator moves it (XTEST, package libxcb-xtest0-dev).
class Operator
{
public:
    Operator() : m_pX(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_pX))
            return;
        m_Root = xcb_setup_roots_iterator(xcb_get_setup(m_pX)).data->root;
        const char acName[] = "_NET_CLIENT_LIST_STACKING";
        xcb_intern_atom_reply_t *pAtom =
            xcb_intern_atom_reply(m_pX, xcb_intern_atom(m_pX, 1, sizeof acName - 1, acName), nullptr);
        m_Stacking = pAtom ? pAtom->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(pAtom);
    }
    ~Operator() { xcb_disconnect(m_pX); }
    Operator(const Operator &) = delete;
    Operator &operator=(const Operator &) = delete;

    bool Ready() const
    {
        if (xcb_connection_has_error(m_pX) || m_Stacking == XCB_ATOM_NONE)
            return false;
        const xcb_query_extension_reply_t *pTest = xcb_get_extension_data(m_pX, &xcb_test_id);
        return pTest && pTest->present;
    }

    // The manager's windows, bottom first.
    QList<WId> Stacking() const
    {
        QList<WId> order;
        xcb_get_property_reply_t *pReply = xcb_get_property_reply(
            m_pX, xcb_get_property(m_pX, 0, m_Root, m_Stacking, XCB_ATOM_WINDOW, 0, 4096), nullptr);
        if (!pReply)
            return order;
        const auto *pWindows = static_cast<const xcb_window_t *>(xcb_get_property_value(pReply));
        const int iCount = xcb_get_property_value_length(pReply) / int(sizeof(xcb_window_t));
        for (int i = 0; i < iCount; ++i)
            order.append(pWindows[i]);
        free(pReply);
        return order;
    }

    // Moves the pointer to the point of the screen and presses the left button there.
    bool Press(const QPoint &at)
    {
        const auto x = static_cast<int16_t>(at.x());
        const auto y = static_cast<int16_t>(at.y());
        return Done(xcb_test_fake_input_checked(m_pX, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_Root, x, y, 0)) &&
               Done(xcb_test_fake_input_checked(m_pX, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    }
    bool Release()
    {
        return Done(xcb_test_fake_input_checked(m_pX, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    }

    // False while a client holds the pointer: the manager does while it moves a window by its
    // title bar, and a press then is its, not the window's under the pointer.
    bool PointerFree()
    {
        xcb_grab_pointer_reply_t *pGrab =
            xcb_grab_pointer_reply(m_pX,
                                   xcb_grab_pointer(m_pX, 0, m_Root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                    XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                   nullptr);
        const bool bFree = pGrab && pGrab->status == XCB_GRAB_STATUS_SUCCESS;
        free(pGrab);
        if (bFree)
            Done(xcb_ungrab_pointer_checked(m_pX, XCB_CURRENT_TIME));
        return bFree;
    }

private:
    bool Done(xcb_void_cookie_t cookie)
    {
        xcb_generic_error_t *pError = xcb_request_check(m_pX, cookie);
        free(pError);
        return !pError;
    }

    xcb_connection_t *m_pX;
    xcb_window_t m_Root = XCB_NONE;
    xcb_atom_t m_Stacking = XCB_ATOM_NONE;
};

} // namespace

class TestTracesStacking : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { End(); }
    void init() { QSettings().clear(); }
    void cleanup();
    void clickedWindowInFront_data();
    void clickedWindowInFront();

private:
    // The windows bottom first by name, as far as they are the main and the trace window.
    QString Order() const;
    // Presses the part of the window that is in sight beside the other one, and waits for the
    // manager to stack it above the other before the button is released.
    void ClickInFront(QWidget *pClicked, QWidget *pOther, bool bTitle);

    std::unique_ptr<Operator> m_pOperator;
    std::unique_ptr<Traces> m_pTracesWnd;
};

void TestTracesStacking::initTestCase()
{
    Begin();
    m_pOperator = std::make_unique<Operator>();
    QVERIFY2(m_pOperator->Ready(), "no XTEST or no stacking list on the display");
}

void TestTracesStacking::cleanup()
{
    DropWindow();
    m_pTracesWnd.reset();
}

QString TestTracesStacking::Order() const
{
    QStringList names;
    for (WId id : m_pOperator->Stacking()) {
        if (m_pWnd && id == m_pWnd->winId())
            names << QStringLiteral("main window");
        else if (m_pTracesWnd && id == m_pTracesWnd->winId())
            names << QStringLiteral("trace window");
    }
    return names.join(QStringLiteral(", "));
}

void TestTracesStacking::ClickInFront(QWidget *pClicked, QWidget *pOther, bool bTitle)
{
    const QString qsWhat = (pClicked == m_pWnd ? QStringLiteral("main window's ") : QStringLiteral("trace window's ")) +
                           (bTitle ? QStringLiteral("title bar") : QStringLiteral("body"));
    const QRect aim = InSight(Target(pClicked, bTitle), pOther->windowHandle()->frameGeometry());
    QVERIFY2(!aim.isEmpty(), qPrintable(QStringLiteral("no part of the %1 in sight").arg(qsWhat)));
    // The operator holds the button until the window comes up, as a hand does, and lets the
    // manager end what the press began before the next one.
    QTRY_VERIFY2_WITH_TIMEOUT(m_pOperator->PointerFree(), "the pointer stays grabbed", kManagerMs);
    QVERIFY(m_pOperator->Press(aim.center()));
    const auto release = qScopeGuard([this] { m_pOperator->Release(); });
    const auto inFront = [&] {
        const QList<WId> order = m_pOperator->Stacking();
        return order.indexOf(pClicked->winId()) > order.indexOf(pOther->winId()) && order.contains(pOther->winId());
    };
    QTRY_VERIFY2_WITH_TIMEOUT(
        inFront(), qPrintable(QStringLiteral("after a click on the %1, bottom to top: %2").arg(qsWhat, Order())),
        kManagerMs);
}

void TestTracesStacking::clickedWindowInFront_data()
{
    QTest::addColumn<bool>("bTitle");
    QTest::newRow("title bars") << true;
    QTest::newRow("bodies") << false;
}

// The trace window clicked comes in front, the main window clicked then covers it, and the trace
// window clicked again comes back in front.
void TestTracesStacking::clickedWindowInFront()
{
    QFETCH(bool, bTitle);
    // As at a start with tracing on: the trace window is shown before any other window. Each
    // window is let take the focus the program asks for when it maps: a request still on its way
    // after a click would bring its window in front again.
    m_pTracesWnd = std::make_unique<Traces>(nullptr);
    m_pTracesWnd->show();
    QTRY_VERIFY_WITH_TIMEOUT(Framed(m_pTracesWnd.get()), kManagerMs);
    QTRY_VERIFY_WITH_TIMEOUT(m_pTracesWnd->isActiveWindow(), kManagerMs);
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QTRY_VERIFY_WITH_TIMEOUT(Framed(pWnd), kManagerMs);
    QTRY_VERIFY_WITH_TIMEOUT(pWnd->isActiveWindow(), kManagerMs);

    QWidget *pTraces = m_pTracesWnd.get();
    for (const auto &[pClicked, pOther] :
         {std::pair<QWidget *, QWidget *>(pTraces, pWnd), {pWnd, pTraces}, {pTraces, pWnd}}) {
        ClickInFront(pClicked, pOther, bTitle);
        if (QTest::currentTestFailed())
            return;
    }
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestTracesStacking, 1920, 1080, FramingDisplay::Metacity)

#include "tst_tracesstacking.moc"
