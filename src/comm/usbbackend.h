#pragma once
// What CUsbCom needs of a USB library: enumerate devices, open one with interface 0
// claimed, and run asynchronous bulk transfers in six fixed slots (one per endpoint).
// The program uses libusb-1.0 (CLibUsbBackend); tests put a simulated VPU behind it.
//
// A slot holds at most one transfer. Reap waits for it to complete; a time-out leaves it
// in flight, to be reaped later or cancelled. Cancel returns only once the transfer is no
// longer in flight, so its buffer may then be reused or freed.

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

struct UsbDeviceId_t
{
    quint16 usVendorId;
    quint16 usProductId;
};

class CUsbBackend
{
public:
    static constexpr int SLOT_COUNT = 6;

    virtual ~CUsbBackend() = default;
    // Library version for the start-up trace: major, minor, micro, nano.
    virtual void GetVersion(int aiVersion[4]) = 0;
    // Every attached device in enumeration order; 0 or -3.
    virtual int ListDevices(QVector<UsbDeviceId_t> *pDevices) = 0;
    // Opens the device at that position of ListDevices and claims interface 0. 0, or -200.
    virtual int OpenDevice(int iListIndex) = 0;
    // Cancels whatever is in flight and releases the device. 0 or -207.
    virtual int CloseDevice() = 0;
    // Starts a bulk transfer of iLength bytes on ucEndpoint (bit 7 set: IN) into or from
    // pucBuffer, which must stay valid until the transfer is reaped or cancelled. 0 or -3
    // (also when the slot still has a transfer in flight).
    virtual int Submit(int iSlot, quint8 ucEndpoint, quint8 *pucBuffer, int iLength) = 0;
    // Waits at most iTimeoutMs (> 0) for the slot's transfer. 0 with *piActual bytes moved,
    // -202 when it is still in flight, -3 when it failed or nothing was submitted.
    virtual int Reap(int iSlot, int iTimeoutMs, int *piActual) = 0;
    // Cancels the slot's transfer, if any, and waits until it is gone. 0 or -3.
    virtual int Cancel(int iSlot) = 0;
};

using UsbBackendFactory_t = std::function<std::unique_ptr<CUsbBackend>()>;
