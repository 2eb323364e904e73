#pragma once
// A panel's own reply on a completion signal of the VPU link that other senders share.
//
// Several panels connect the same completion signal (fixture luminosity, fixture register
// writes, the fixture configuration requests); a done slot that takes every reply as its own
// would end another panel's request or run, or enable a window another request disabled.
// The panel keeps the ticket of the request it queued and its done slot acts only on the reply
// that carries that ticket.
//
//     m_Pending.Expect(m_pMainWnd->m_VpuCom);      // right after the request function
//     ...
//     if (!m_Pending.Take(m_pMainWnd->m_VpuCom))   // first thing in the done slot
//         return;

#include "comm/vpucom.h"

class CPendingReply
{
public:
    void Expect(const CVpuCom &vpuCom) { m_uiTicket = vpuCom.LastTicket(); }
    // True, and nothing pending any more, when the reply being delivered is the expected one.
    bool Take(const CVpuCom &vpuCom)
    {
        if (m_uiTicket == 0 || vpuCom.ReplyTicket() != m_uiTicket)
            return false;
        m_uiTicket = 0;
        return true;
    }
    void Forget() { m_uiTicket = 0; }

private:
    quint64 m_uiTicket = 0;
};
