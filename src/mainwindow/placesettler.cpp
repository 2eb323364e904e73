#include "mainwindow/placesettler.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// A manager that places the window elsewhere this many times in a row has its reasons (a
// constraint of its own): the window is then where the manager put it.
constexpr int kAskAgainMax = 3;
// Events read while the server has yet to show a window as the program awaits it (mapped and
// taken by the manager, maximised or restored), past which the program awaits it no longer: a
// manager may never do what is awaited, and a window is then where the server shows it.
constexpr int kAwaitedEventsMax = 32;
// Told the server's place this many times in a row without Qt taking it, a window is left be.
constexpr int kTellMax = 8;

} // namespace

PlaceSettler::PlaceSettler(QObject *pParent) : QObject(pParent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

PlaceSettler::~PlaceSettler()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

PlaceSettler::Followed &PlaceSettler::Follow(QWidget *pWindow)
{
    auto it = std::find_if(m_Followed.begin(), m_Followed.end(),
                           [pWindow](const Followed &followed) { return followed.pWindow == pWindow; });
    if (it == m_Followed.end()) {
        Followed followed;
        followed.pWindow = pWindow;
        m_Followed.append(followed);
        it = std::prev(m_Followed.end());
    }
    it->iAskedAgain = 0;
    it->iAwaitedEvents = 0;
    it->unanswered.reset();
    return *it;
}

bool PlaceSettler::Followable(QWidget *pWindow)
{
    // On a scaled screen Qt's places are not the server's pixels: nothing is compared there.
    if (pWindow->devicePixelRatioF() == 1.0)
        return true;
    Forget(pWindow);
    return false;
}

void PlaceSettler::Ask(QWidget *pWindow, const QRect &place)
{
    if (!Followable(pWindow))
        return;
    // Asked for where the window already is, for good, it stays settled: Qt repeats its place
    // with every resize of its own.
    if (const Followed *pSettled = Entry(pWindow);
        pSettled && pSettled->state == State::Settled && pSettled->asked == place)
        return;
    Followed &followed = Follow(pWindow);
    followed.asked = place;
    followed.state = State::Asked;
    Check(followed);
}

void PlaceSettler::Weigh(QWidget *pWindow)
{
    if (!Followable(pWindow) || Entry(pWindow))
        return;
    Followed &followed = Follow(pWindow);
    followed.asked = pWindow->geometry();
    followed.state = State::Settled;
}

void PlaceSettler::Restyle(QWidget *pWindow, bool bMaximised)
{
    if (!Followable(pWindow))
        return;
    Followed &followed = Follow(pWindow);
    followed.bMaximised = bMaximised;
    followed.state = State::Restyled;
    Check(followed);
}

void PlaceSettler::Forget(QWidget *pWindow)
{
    m_Followed.erase(std::remove_if(m_Followed.begin(), m_Followed.end(),
                                    [pWindow](const Followed &followed) {
                                        return !followed.pWindow || followed.pWindow == pWindow;
                                    }),
                     m_Followed.end());
}

const PlaceSettler::Followed *PlaceSettler::Entry(const QWidget *pWindow) const
{
    for (const Followed &followed : m_Followed) {
        if (followed.pWindow == pWindow)
            return &followed;
    }
    return nullptr;
}

std::optional<PlaceSettler::State> PlaceSettler::StateOf(const QWidget *pWindow) const
{
    if (const Followed *pFollowed = Entry(pWindow))
        return pFollowed->state;
    return std::nullopt;
}

std::optional<QRect> PlaceSettler::AskedOf(const QWidget *pWindow) const
{
    if (const Followed *pFollowed = Entry(pWindow))
        return pFollowed->asked;
    return std::nullopt;
}

PlaceSettler::Followed *PlaceSettler::Find(WId window)
{
    if (!window)
        return nullptr;
    for (Followed &followed : m_Followed) {
        if (followed.pWindow && followed.pWindow->internalWinId() == window)
            return &followed;
    }
    return nullptr;
}

bool PlaceSettler::nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *)
{
    if (m_Followed.isEmpty())
        return false;
    const std::optional<quint16> sequence = X11Window::EventSequence(eventType, pMessage);
    if (Followed *pChanged = Find(X11Window::ChangedWindow(eventType, pMessage))) {
        Check(*pChanged, sequence);
        return false;
    }
    Followed *pReported = nullptr;
    const auto followed = [this, &pReported](WId window) { return (pReported = Find(window)) != nullptr; };
    const std::optional<X11Window::Report> report = X11Window::ReportedPlace(eventType, pMessage, followed);
    return report && pReported && !TakesReport(*pReported, *report, sequence);
}

void PlaceSettler::Check(Followed &followed, std::optional<quint16> sequence)
{
    QWidget *pWindow = followed.pWindow;
    if (!pWindow || followed.state == State::Settled)
        return;
    const std::optional<X11Window::Shown> shown = X11Window::ServerShows(pWindow);
    // Off X11 there is no server to wait for.
    if (!shown) {
        if (!X11Window::ManagerRuns().has_value())
            Settle(followed);
        return;
    }
    // Not yet mapped and taken by the manager, the window may still be placed without a word to
    // the program: whatever happens next to it is read again. Mapped, it is taken by any manager
    // that marks the windows it takes; one that does not has had its time after a while.
    if (!shown->bViewable)
        return;
    if (!shown->bTaken) {
        if (++followed.iAwaitedEvents > kAwaitedEventsMax) {
            Settle(followed);
            FollowServer(followed);
        }
        return;
    }
    // With no manager the server carries out the program's requests as they come, and nothing
    // maximises the window: a place it shows is the program's own or another client's.
    if (!shown->bManaged) {
        Settle(followed);
        FollowServer(followed);
        return;
    }
    if (followed.state == State::Restyled) {
        // A manager that leaves the window as it was after this many events has refused.
        if (shown->bMaximised == followed.bMaximised || ++followed.iAwaitedEvents > kAwaitedEventsMax) {
            Settle(followed);
            FollowServer(followed);
        }
        return;
    }
    if (shown->place == followed.asked) {
        Settle(followed);
        return;
    }
    // The operator's place, the manager's own move with the pointer's button held: it stands.
    if (X11Window::ButtonHeld().value_or(false)) {
        Settle(followed);
        FollowServer(followed);
        return;
    }
    // Asked again, the place is not judged by what the server showed before the manager could
    // answer: a manager's stale place would otherwise use up the tries in one go.
    if (followed.unanswered) {
        const bool bBefore =
            !sequence || static_cast<qint16>(static_cast<quint16>(*sequence - *followed.unanswered)) < 0;
        if (bBefore && ++followed.iAwaitedEvents <= kAwaitedEventsMax)
            return;
        followed.unanswered.reset();
    }
    if (followed.iAskedAgain >= kAskAgainMax) {
        Settle(followed);
        FollowServer(followed);
        return;
    }
    ++followed.iAskedAgain;
    followed.unanswered = X11Window::AskPlace(pWindow, followed.asked);
}

void PlaceSettler::Settle(Followed &followed)
{
    followed.state = State::Settled;
    followed.iTold = 0;
    emit sigSettled(followed.pWindow);
}

bool PlaceSettler::TakesReport(Followed &followed, const X11Window::Report &report, std::optional<quint16> sequence)
{
    Check(followed, sequence);
    // Until the manager has the window in its new state, every place it reports is on the way.
    if (followed.state == State::Restyled)
        return false;
    if (followed.state == State::Asked) {
        // Qt keeps the place asked for: taken now, any other would be what its next resize asks
        // for. The server's own report goes with no place Qt can use (Qt asks the server where
        // the window is later, when a manager may have it in a frame not yet placed).
        if (report.bSent)
            return report.place == followed.asked;
        if (report.place == followed.asked)
            X11Window::TellPlace(followed.pWindow, followed.asked);
        return false;
    }
    if (report.bSent) {
        // The server has the window where it is now: the place the manager sends must be there.
        // A place borne out stands, whoever moved the window; a stale one never reaches Qt.
        const std::optional<QRect> server = X11Window::ServerPlace(followed.pWindow);
        if (!server || *server == report.place) {
            followed.iTold = 0;
            if (server)
                AlignWidget(followed.pWindow, report.place);
            return true;
        }
        FollowServer(followed);
        return false;
    }
    // The server's own report, with the place weighed here instead of Qt's later lookup.
    X11Window::TellPlace(followed.pWindow, report.place);
    return false;
}

void PlaceSettler::AlignWidget(QWidget *pWindow, const QRect &place)
{
    // Qt takes no report of the place it last had reported, whatever the widget has asked for
    // since (a dock the operator drags past the screen's edge, where the manager holds it at the
    // place it had): the widget then keeps the place it asked for. Once Qt has handled the report,
    // such a widget is set to the place: asked for where the server shows the window, nothing
    // moves.
    QTimer::singleShot(0, this, [pWindow = QPointer<QWidget>(pWindow), place] {
        if (pWindow && pWindow->isVisible() && pWindow->geometry() != place && X11Window::ServerPlace(pWindow) == place)
            pWindow->setGeometry(place);
    });
}

void PlaceSettler::FollowServer(Followed &followed)
{
    const std::optional<QRect> server = X11Window::ServerPlace(followed.pWindow);
    if (!server)
        return;
    if (*server == followed.pWindow->geometry()) {
        followed.iTold = 0;
        return;
    }
    if (++followed.iTold > kTellMax)
        return;
    // Qt is told where the window is as a manager tells it, and no request goes to the manager,
    // which may be in the middle of the operator's move: nothing moves on the screen.
    X11Window::TellPlace(followed.pWindow, *server);
}
