#pragma once
// The request pattern of the device tabs, and the field readers they share. Included only by
// the test tools' sources, which know the main window.

#include "comm/vpucom.h"
#include "mainwindow/zelvor.h"
#include "panels/hexfield.h"
#include "testtools/testtools.h"

#include <QLineEdit>

class QImage;

template <class Signal, class Slot, class Call>
bool TestTools::StartRequest(Signal pfnSignal, Slot pfnSlot, Call fnCall)
{
    CVpuCom &com = m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(&com, pfnSignal, this, pfnSlot, Qt::UniqueConnection);
    if (fnCall(com) != 0) {
        EndRequest(pfnSignal, pfnSlot);
        return false;
    }
    m_Pending.Expect(com);
    return true;
}

template <class Signal, class Slot> bool TestTools::TakeReply(Signal pfnSignal, Slot pfnSlot)
{
    if (!m_Pending.Take(m_pMainWnd->m_VpuCom))
        return false;
    EndRequest(pfnSignal, pfnSlot);
    return true;
}

template <class Signal, class Slot> void TestTools::EndRequest(Signal pfnSignal, Slot pfnSlot)
{
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, pfnSignal, this, pfnSlot);
}

// The address bytes of an FPGA register request are [offset high][0x00][offset low]: the
// request's two arguments for a 16-bit offset.
inline quint8 FpgaRegHigh(quint16 usOffset)
{
    return quint8(usOffset >> 8);
}

inline quint16 FpgaRegLow(quint16 usOffset)
{
    return quint16((usOffset << 8) & 0xFF00);
}

// Writes the bytes of a read into the file; false, traced, when the file was not made whole.
bool SaveReadData(const QString &qsName, const QByteArray &baData);
// The picture of an input file named ".bmp" or ".jpg", its format taken from its content;
// false, traced, when the name or the file is refused.
bool LoadInputImage(const QString &qsName, QImage *pImage);
