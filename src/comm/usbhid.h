#pragma once
// The MCU bootloader's USB HID link: finds the device by vendor and product id and carries
// the bootloader's byte stream in 64-byte reports. Member of CBootLoader; opened and closed
// from the GUI thread while the bootloader thread is stopped, read and written from that
// thread only. The platform's HID calls sit behind CHidPort so that tests can put a
// simulated device behind the link.

#include <QtGlobal>

#include <functional>
#include <memory>

// One HID device as the platform's HID library sees it.
class CHidPort
{
public:
    virtual ~CHidPort() = default;
    // Opens the first present device with these ids, in enumeration order.
    virtual bool Open(quint16 usVid, quint16 usPid) = 0;
    virtual void Close() = 0;
    // Writes one output report, report id first; the bytes written or -1.
    virtual int Write(const quint8 *pReport, int iLength) = 0;
    // Waits up to iTimeoutMs for one input report and copies its data bytes (no report id)
    // into pData: their number, 0 when none came in time, -1 on failure.
    virtual int Read(quint8 *pData, int iLength, int iTimeoutMs) = 0;
};

using HidPortFactory = std::function<std::unique_ptr<CHidPort>()>;

class CUsbHid
{
public:
    static constexpr int HID_REPORT_SIZE = 65; // report id 0 and 64 data bytes
    static constexpr int HID_DATA_SIZE = 64;
    static constexpr int HID_READ_TIMEOUT_MS = 100;

    CUsbHid();
    ~CUsbHid();
    CUsbHid(const CUsbHid &) = delete;
    CUsbHid &operator=(const CUsbHid &) = delete;

    // 1 when a device with these ids was opened, else 0 (traced).
    int Open(quint16 usVid, quint16 usPid);
    // Sends the data as reports of 64 bytes, the last one padded with 0xFF; non-zero when
    // the last report was written, 0 when not open or iLength < 1.
    int Write(const quint8 *pData, int iLength);
    // Data bytes of one report that came within the read time-out (at most iLength, at most
    // 64), 0 when none came or the device is not open.
    int Read(quint8 *pBuffer, int iLength);
    // Takes whatever reports are already waiting, without waiting for more.
    void Discard();
    int IsOpen() const { return m_iAttached; }
    void Close();

    // Tests shorten the wait; the program keeps 100 ms.
    void SetReadTimeout(int iMs) { m_iReadTimeoutMs = iMs; }

    // Every CUsbHid constructed afterwards gets its port from this factory; an empty one
    // restores the platform's HID library.
    static void SetPortFactory(HidPortFactory factory);

private:
    std::unique_ptr<CHidPort> m_pPort;
    int m_iAttached = 0;
    int m_iReadTimeoutMs = HID_READ_TIMEOUT_MS;
};
