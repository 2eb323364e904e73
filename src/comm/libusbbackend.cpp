#include "comm/libusbbackend.h"

#include "comm/com.h"
#include "trace/trace.h"

#include <QElapsedTimer>
#include <libusb.h>

namespace {

void LIBUSB_CALL OnTransferDone(libusb_transfer *pTransfer)
{
    auto *pSlot = static_cast<CLibUsbBackend::Slot *>(pTransfer->user_data);
    pSlot->iStatus = pTransfer->status;
    pSlot->iActual = pTransfer->actual_length;
    pSlot->iCompleted = 1;
}

// The longest a cancelled transfer may take to come back before we give up on it; the
// transfer is then left allocated (never freed while the library may still write to it).
constexpr int CANCEL_WAIT_MS = 2000;

} // namespace

CLibUsbBackend::CLibUsbBackend()
{
    if (libusb_init(&m_pContext) != 0) {
        TraceError("libusb initialisation failed!");
        m_pContext = nullptr;
    }
}

CLibUsbBackend::~CLibUsbBackend()
{
    CloseDevice();
    if (m_pContext != nullptr)
        libusb_exit(m_pContext);
}

void CLibUsbBackend::GetVersion(int aiVersion[4])
{
    const libusb_version *ptVersion = libusb_get_version();
    aiVersion[0] = ptVersion->major;
    aiVersion[1] = ptVersion->minor;
    aiVersion[2] = ptVersion->micro;
    aiVersion[3] = ptVersion->nano;
}

int CLibUsbBackend::ListDevices(QVector<UsbDeviceId_t> *pDevices)
{
    pDevices->clear();
    if (m_pContext == nullptr)
        return COM_ERR_FAILED;
    libusb_device **ppList = nullptr;
    const ssize_t llCount = libusb_get_device_list(m_pContext, &ppList);
    if (llCount < 0)
        return COM_ERR_FAILED;
    for (ssize_t i = 0; i < llCount; ++i) {
        libusb_device_descriptor tDesc{};
        if (libusb_get_device_descriptor(ppList[i], &tDesc) == 0)
            pDevices->append(UsbDeviceId_t{tDesc.idVendor, tDesc.idProduct});
        else
            pDevices->append(UsbDeviceId_t{0, 0});
    }
    libusb_free_device_list(ppList, 1);
    return COM_OK;
}

int CLibUsbBackend::OpenDevice(int iListIndex)
{
    if (m_pContext == nullptr || m_pHandle != nullptr)
        return COM_ERR_CONNECT;
    libusb_device **ppList = nullptr;
    const ssize_t llCount = libusb_get_device_list(m_pContext, &ppList);
    if (llCount < 0)
        return COM_ERR_CONNECT;
    int iRet = LIBUSB_ERROR_NO_DEVICE;
    if (iListIndex >= 0 && iListIndex < llCount)
        iRet = libusb_open(ppList[iListIndex], &m_pHandle);
    libusb_free_device_list(ppList, 1);
    if (iRet != 0) {
        m_pHandle = nullptr;
        TraceError("Failed to open connexion with device!");
        return COM_ERR_CONNECT;
    }
    libusb_set_auto_detach_kernel_driver(m_pHandle, 1);
    iRet = libusb_claim_interface(m_pHandle, 0);
    if (iRet != 0) {
        TraceError("error claiming interface #%d:'%s'", 0, libusb_error_name(iRet));
        libusb_close(m_pHandle);
        m_pHandle = nullptr;
        return COM_ERR_CONNECT;
    }
    for (Slot &tSlot : m_atSlots) {
        tSlot = Slot{};
        tSlot.pTransfer = libusb_alloc_transfer(0);
        if (tSlot.pTransfer == nullptr) {
            TraceError("error usb_bulk_setup_async: '%s'", libusb_error_name(LIBUSB_ERROR_NO_MEM));
            CloseDevice();
            return COM_ERR_CONNECT;
        }
    }
    return COM_OK;
}

int CLibUsbBackend::CloseDevice()
{
    if (m_pHandle == nullptr)
        return COM_OK;
    int iStatus = COM_OK;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (Cancel(i) != COM_OK) {
            TraceError("error usb_free_async: '%s'", "cancel did not complete");
            iStatus = COM_ERR_CLOSE;
        }
        Slot &tSlot = m_atSlots[i];
        if (tSlot.pTransfer != nullptr && !tSlot.bInFlight)
            libusb_free_transfer(tSlot.pTransfer);
        tSlot = Slot{};
    }
    libusb_release_interface(m_pHandle, 0);
    libusb_close(m_pHandle);
    m_pHandle = nullptr;
    return iStatus;
}

int CLibUsbBackend::Submit(int iSlot, quint8 ucEndpoint, quint8 *pucBuffer, int iLength)
{
    if (m_pHandle == nullptr || iSlot < 0 || iSlot >= SLOT_COUNT)
        return COM_ERR_FAILED;
    Slot &tSlot = m_atSlots[iSlot];
    if (tSlot.pTransfer == nullptr || tSlot.bInFlight)
        return COM_ERR_FAILED;
    // No library time-out: the caller's budget bounds every wait in Reap instead.
    libusb_fill_bulk_transfer(tSlot.pTransfer, m_pHandle, ucEndpoint, pucBuffer, iLength, OnTransferDone, &tSlot, 0);
    tSlot.iCompleted = 0;
    tSlot.iStatus = 0;
    tSlot.iActual = 0;
    const int iRet = libusb_submit_transfer(tSlot.pTransfer);
    if (iRet != 0) {
        TraceError("error usb_submit_async: '%s'", libusb_error_name(iRet));
        return COM_ERR_FAILED;
    }
    tSlot.bInFlight = true;
    return COM_OK;
}

int CLibUsbBackend::Reap(int iSlot, int iTimeoutMs, int *piActual)
{
    if (m_pHandle == nullptr || iSlot < 0 || iSlot >= SLOT_COUNT || !m_atSlots[iSlot].bInFlight)
        return COM_ERR_FAILED;
    Slot &tSlot = m_atSlots[iSlot];
    QElapsedTimer tTimer;
    tTimer.start();
    while (!tSlot.iCompleted) {
        const qint64 llLeft = iTimeoutMs - tTimer.elapsed();
        if (llLeft <= 0)
            return COM_ERR_TIMEOUT;
        timeval tWait{long(llLeft / 1000), long((llLeft % 1000) * 1000)};
        const int iRet = libusb_handle_events_timeout_completed(m_pContext, &tWait, &tSlot.iCompleted);
        if (iRet != 0 && iRet != LIBUSB_ERROR_INTERRUPTED && iRet != LIBUSB_ERROR_TIMEOUT)
            return COM_ERR_FAILED;
    }
    tSlot.bInFlight = false;
    if (piActual != nullptr)
        *piActual = tSlot.iActual;
    return tSlot.iStatus == LIBUSB_TRANSFER_COMPLETED ? COM_OK : COM_ERR_FAILED;
}

int CLibUsbBackend::Cancel(int iSlot)
{
    if (iSlot < 0 || iSlot >= SLOT_COUNT)
        return COM_ERR_FAILED;
    Slot &tSlot = m_atSlots[iSlot];
    if (!tSlot.bInFlight)
        return COM_OK;
    // The transfer may still complete before the cancel lands; either way the callback
    // runs once more, and only then is the transfer ours again.
    libusb_cancel_transfer(tSlot.pTransfer);
    QElapsedTimer tTimer;
    tTimer.start();
    while (!tSlot.iCompleted && tTimer.elapsed() < CANCEL_WAIT_MS) {
        timeval tWait{0, 100000};
        libusb_handle_events_timeout_completed(m_pContext, &tWait, &tSlot.iCompleted);
    }
    if (!tSlot.iCompleted)
        return COM_ERR_FAILED;
    tSlot.bInFlight = false;
    return COM_OK;
}
