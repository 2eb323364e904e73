#pragma once
// CUsbBackend on libusb-1.0: one library context per object; transfers are completed by
// running the context's event handling inside Reap and Cancel, on the caller's thread.

#include "comm/usbbackend.h"

struct libusb_context;
struct libusb_device_handle;
struct libusb_transfer;

class CLibUsbBackend : public CUsbBackend
{
public:
    CLibUsbBackend();
    ~CLibUsbBackend() override;

    void GetVersion(int aiVersion[4]) override;
    int ListDevices(QVector<UsbDeviceId_t> *pDevices) override;
    int OpenDevice(int iListIndex) override;
    int CloseDevice() override;
    int Submit(int iSlot, quint8 ucEndpoint, quint8 *pucBuffer, int iLength) override;
    int Reap(int iSlot, int iTimeoutMs, int *piActual) override;
    int Cancel(int iSlot) override;

    struct Slot
    {
        libusb_transfer *pTransfer = nullptr;
        bool bInFlight = false;
        int iCompleted = 0; // set by the callback; libusb's completion flag
        int iStatus = 0;
        int iActual = 0;
    };

private:
    libusb_context *m_pContext = nullptr;
    libusb_device_handle *m_pHandle = nullptr;
    Slot m_atSlots[SLOT_COUNT];
};
