#pragma once
// A stand-in for the VPU's MCU bootloader, written from the protocol tables with explicit
// byte offsets and a CRC of its own, so that a mistake in the program's framing shows up
// as a failed test instead of agreeing with itself.
//
// BootSimCore takes the frames apart, checks their CRC, programs the HEX records of program
// frames into its own flash model and answers; faults can be injected per command.
// BootSimUdp puts it on a loopback UDP port; BootSimHidDevice behind the HID port seam.

#include "comm/usbhid.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <deque>
#include <functional>
#include <memory>

class QSocketNotifier;

// One Intel HEX record line with its checksum, ending in the line end given.
QByteArray HexRecordLine(quint8 ucType, quint16 usAddress, const QByteArray &baData, const char *pcLineEnd = "\n");

class BootSimCore
{
public:
    enum class Fault {
        Drop,       // the frame is not taken at all (as if lost on the way)
        CorruptCrc, // the reply goes out with a wrong CRC
        Duplicate,  // the reply goes out twice, the copy after the duplicate delay
        Silent,     // the frame is carried out but never answered
    };

    // Reply frames leave through this, each with the delay before it should go out.
    using ReplySink = std::function<void(const QByteArray &baFrame, int iDelayMs)>;

    BootSimCore();
    void SetReplySink(ReplySink sink);

    // Bytes from the host, in any pieces.
    void Receive(const QByteArray &baBytes);

    // Applies the fault to iCount frames (-1: all) of command ucCmd (0: any) after
    // iSkip of them have passed untouched.
    void AddFault(Fault eFault, quint8 ucCmd, int iSkip, int iCount);
    void SetReplyDelay(int iMs);
    void SetDuplicateDelay(int iMs);

    // What came in: the bodies of the frames with a good CRC, and the raw frames
    // (SOH to EOT, escapes included).
    QList<QByteArray> Bodies() const;
    QList<QByteArray> RawFrames() const;
    int CountOf(quint8 ucCmd) const;
    int BadCrcCount() const;
    int RecordsProgrammed() const;
    bool Launched() const;
    // The flash model: 0x500000 bytes from 0x9D000000; reads outside it give 0xFF.
    QByteArray Flash(quint32 uiAddress, quint32 uiLength) const;

    // CRC-16/XMODEM, bit by bit.
    static quint16 Crc16(const QByteArray &baData);
    static QByteArray MakeFrame(const QByteArray &baBody);

private:
    struct FaultRule
    {
        Fault eFault;
        quint8 ucCmd;
        int iSkip;
        int iCount;
    };
    bool TakeFault(Fault eFault, quint8 ucCmd);
    void HandleFrame(const QByteArray &baBody);
    void Program(const QByteArray &baBody);
    void Reply(const QByteArray &baBody, quint8 ucCmd);

    mutable QMutex m_Mutex;
    ReplySink m_Sink;
    QList<FaultRule> m_Faults;
    int m_iReplyDelayMs = 0;
    int m_iDuplicateDelayMs = 0;

    // Frame reader
    bool m_bInFrame = false;
    bool m_bEscape = false;
    QByteArray m_baBody;
    QByteArray m_baRaw;

    QList<QByteArray> m_Bodies;
    QList<QByteArray> m_RawFrames;
    int m_iBadCrc = 0;
    int m_iRecords = 0;
    bool m_bLaunched = false;
    quint32 m_uiUpperAddress = 0; // from extended linear or segment records
    QByteArray m_baFlash;
};

// The simulated bootloader on a loopback UDP port; answers the sender of the last datagram.
// Lives in the test's thread; its event loop must run (QTRY_ and signal spy waits do).
class BootSimUdp : public QObject
{
    Q_OBJECT
public:
    // Binds a UDP socket to the dotted IPv4 address and port (loopback only).
    BootSimUdp(const char *pcAddress, quint16 usPort);
    ~BootSimUdp() override;
    bool IsListening() const;
    // The bound port: the one asked for, or the one the system chose when 0 was asked.
    quint16 Port() const { return m_usPort; }
    BootSimCore &Core() { return m_Core; }
    QList<QByteArray> Datagrams() const { return m_Datagrams; }

private:
    void OnReadyRead();

    void SendNow(const QByteArray &baFrame);

    BootSimCore m_Core;
    int m_iSocket = -1;
    quint16 m_usPort = 0;
    QSocketNotifier *m_pNotifier = nullptr;
    QByteArray m_baPeer; // the last sender's socket address
    QList<QByteArray> m_Datagrams;
};

// The simulated bootloader as a HID device: reports written by the link are fed to the
// core; replies come back as 64-byte reports padded with 0xFF.
class BootSimHidDevice
{
public:
    BootSimHidDevice(quint16 usVid, quint16 usPid);
    BootSimCore &Core() { return m_Core; }
    // Every output report as written (65 bytes, report id first).
    QList<QByteArray> Reports() const;
    bool IsOpen() const;
    // Installs a factory that gives every new CUsbHid a port to this device.
    static void Install(const std::shared_ptr<BootSimHidDevice> &pDevice);

private:
    friend class BootSimHidPort;
    bool Open(quint16 usVid, quint16 usPid);
    void Close();
    int Write(const quint8 *pReport, int iLength);
    int Read(quint8 *pData, int iLength, int iTimeoutMs);

    BootSimCore m_Core;
    const quint16 m_usVid;
    const quint16 m_usPid;
    mutable QMutex m_Mutex;
    QWaitCondition m_Ready;
    bool m_bOpen = false;
    QList<QByteArray> m_Reports;
    struct Pending
    {
        qint64 llDueMs;
        QByteArray baReport;
    };
    std::deque<Pending> m_Pending;
};
