#pragma once
// Habits shared by every panel.
//
// A programmatic change of a control (a project loaded, a preset read, the selection moved
// by the scene) must not come back through the control's own signal and send a request or
// store a value. ConnectionGuard cuts exactly the one connection that would bring it back for
// its lifetime and makes it again on destruction with Qt::UniqueConnection, so that however
// often the change happens, the connection exists exactly once afterwards.
//
//     {
//         ConnectionGuard guard(m_pUi->m_pLumiSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnLumiSpin);
//         m_pUi->m_pLumiSpin->setValue(iLumi);
//     }
//
// Only member-function pointers: a lambda connection cannot be cut alone or made unique.

#include <QObject>

template <class Sender, class Signal, class Receiver, class Slot> class ConnectionGuard
{
public:
    ConnectionGuard(Sender *pSender, Signal signal, Receiver *pReceiver, Slot slot)
        : m_pSender(pSender), m_Signal(signal), m_pReceiver(pReceiver), m_Slot(slot)
    {
        QObject::disconnect(m_pSender, m_Signal, m_pReceiver, m_Slot);
    }
    ~ConnectionGuard() { QObject::connect(m_pSender, m_Signal, m_pReceiver, m_Slot, Qt::UniqueConnection); }

    ConnectionGuard(const ConnectionGuard &) = delete;
    ConnectionGuard &operator=(const ConnectionGuard &) = delete;

private:
    Sender *m_pSender;
    Signal m_Signal;
    Receiver *m_pReceiver;
    Slot m_Slot;
};

// Makes (once, however often it is asked) or cuts one connection; for links that a panel keeps
// open or shut across calls, such as a done slot connected for one pending request.
template <class Sender, class Signal, class Receiver, class Slot>
void LinkConnection(Sender *pSender, Signal signal, Receiver *pReceiver, Slot slot, bool bLink)
{
    if (bLink)
        QObject::connect(pSender, signal, pReceiver, slot, Qt::UniqueConnection);
    else
        QObject::disconnect(pSender, signal, pReceiver, slot);
}

// Sets a control's value with the one connection that would react to it cut for the change.
template <class Control, class Setter, class Value, class Signal, class Receiver, class Slot>
void SetQuietly(Control *pControl, Setter setter, const Value &value, Signal signal, Receiver *pReceiver, Slot slot)
{
    ConnectionGuard<Control, Signal, Receiver, Slot> guard(pControl, signal, pReceiver, slot);
    (pControl->*setter)(value);
}
