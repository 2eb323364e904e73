#pragma once
// Holds each top-level window the program places to the place it asked for, until the X server
// shows it there, and keeps what Qt believes of the window's place the server's.
//
// A window manager framing or restoring a window reports places for it on its way (the corner
// of a new frame, the frame's first size, the maximised size), and on a busy machine the program
// reads them in any order, late, beside the server's state of some time later. No report is
// judged by itself here; the server is read instead, each time anything happens to the window:
// - Asked: until the server shows the window framed where it was asked for, Qt keeps that place
//   and takes no other. Shown anywhere else, it is asked for again, a bounded number of times;
//   unless a pointer button is held: that place is the operator's (the manager's own move).
// - Restyled: maximised or restored, the window's place is the manager's to give. Until the
//   server shows it in that state, no report reaches Qt; then Qt is told where the server has it.
// - Settled: seen where it was asked for, moved by the operator, or asked for as often as is
//   worth it. A place a manager reports stands if the server bears it out, whoever moved the
//   window; Qt is told the server's place instead of a stale one.

#include "mainwindow/x11window.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>

class QWidget;

class PlaceSettler : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    enum class State { Asked, Restyled, Settled };

    explicit PlaceSettler(QObject *pParent = nullptr);
    ~PlaceSettler() override;

    // The program asked for the window at this place (its client area on the root).
    void Ask(QWidget *pWindow, const QRect &place);
    // The program or the manager maximised or restored the window.
    void Restyle(QWidget *pWindow, bool bMaximised);
    // Followed from here on, no place asked for: its reports weighed as a settled window's.
    void Weigh(QWidget *pWindow);
    // No longer followed: hidden, docked, or about to be destroyed.
    void Forget(QWidget *pWindow);
    // Nothing while the window is not followed.
    std::optional<State> StateOf(const QWidget *pWindow) const;
    // The place last asked for the window; nothing while it is not followed.
    std::optional<QRect> AskedOf(const QWidget *pWindow) const;

    bool nativeEventFilter(const QByteArray &eventType, void *pMessage, qintptr *pResult) override;

signals:
    // The server shows the window where Qt has it, for now.
    void sigSettled(QWidget *pWindow);

private:
    struct Followed
    {
        QPointer<QWidget> pWindow;
        QRect asked;
        State state = State::Asked;
        // Restyled: whether the manager is to show it maximised.
        bool bMaximised = false;
        // Events read while the server did not yet show what is awaited of the window.
        int iAwaitedEvents = 0;
        // Times the place was asked for again while the server showed another.
        int iAskedAgain = 0;
        // The request last asking for it again, until an event the server sent after handling it
        // is read: the events read before tell of the server's state before the manager could
        // answer, and nothing is asked again for them.
        std::optional<quint16> unanswered;
        // The server's places told to Qt in a row: a bound against a window whose place Qt never
        // takes as told.
        int iTold = 0;
    };

    Followed *Find(WId window);
    const Followed *Entry(const QWidget *pWindow) const;
    // False on a scaled screen, where the window is no longer followed.
    bool Followable(QWidget *pWindow);
    Followed &Follow(QWidget *pWindow);
    // Reads the server and moves the window on if it can; the sequence of the event read, if any.
    void Check(Followed &followed, std::optional<quint16> sequence = std::nullopt);
    void Settle(Followed &followed);
    // Whether Qt may take the place reported.
    bool TakesReport(Followed &followed, const X11Window::Report &report, std::optional<quint16> sequence);
    // Tells Qt where the server has the window, should Qt have it elsewhere.
    void FollowServer(Followed &followed);
    // A place reported and borne out by the server is the widget's too, once Qt has taken it.
    void AlignWidget(QWidget *pWindow, const QRect &place);

    QList<Followed> m_Followed;
};
