#pragma once
// Speaks the VPU's MCU bootloader protocol over USB HID or UDP on a thread of its own:
// builds a command frame, sends it and resends it on silence, takes the replies apart,
// programs a whole Intel HEX file block by block and reports each outcome by a queued
// signal. The VPU update panel embeds one for its whole life and drives the sequence
// connect, erase, program, verify, launch.
//
// Frame (both directions): SOH (0x01), the body, then the CRC-16 of the body low byte
// first, body and CRC escaped (0x01, 0x04 and 0x10 are sent preceded by DLE, 0x10), EOT
// (0x04). The body's first byte is the command; a reply starts with the command it answers.

#include "comm/hexfile.h"
#include "comm/usbhid.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

class CNetCom;

// Takes received bytes apart into frames; a complete frame stops the consumption of the
// block it came in, so that the caller can handle it before anything else is looked at.
class CBootFrameReceiver
{
public:
    static constexpr int RX_BODY_SIZE = 253; // body and CRC of the longest reply

    // Feeds bytes; returns how many were consumed. When a frame with a valid CRC was
    // completed, IsFrameReceived() is true and no more bytes are taken until Reset().
    int ParseRxData(const quint8 *pData, int iLength);
    bool IsFrameReceived() const { return m_bFrameReceived; }
    // The body of the received frame (command byte first, CRC removed).
    QByteArray Body() const;
    void Reset();

private:
    quint8 m_RxBuf[RX_BODY_SIZE];
    int m_iRxCount = 0;
    bool m_bEscape = false;
    bool m_bFrameReceived = false;
};

class CBootLoader : public QThread
{
    Q_OBJECT

public:
    enum { BL_CONNECT = 1, BL_ERASE = 2, BL_PROGRAM = 3, BL_VERIFY = 4, BL_LAUNCH = 5 };
    enum { BL_MODE_USB_HID = 0, BL_MODE_UDP = 1 };

    // SendCommand results. A refused command sends nothing.
    static constexpr int BL_ARMED = 1;
    static constexpr int BL_ERR_COMMAND = -1;     // command outside 1..5
    static constexpr int BL_ERR_NO_FILE = -2;     // program or verify with no HEX file loaded
    static constexpr int BL_ERR_NO_RECORD = -3;   // program with no record left
    static constexpr int BL_ERR_TOO_LONG = -4;    // a record that cannot fit a frame
    static constexpr int BL_ERR_EMPTY_IMAGE = -5; // verify of a file with no data to verify
    // OpenPort result when no HID device with the ids is present.
    static constexpr int BL_ERR_NOT_FOUND = -1;

    static constexpr int TX_FRAME_SIZE = 1000;
    static constexpr int MAX_RECORDS_PER_BLOCK = 11;
    static constexpr int RX_READ_SIZE = 245;

    explicit CBootLoader(QObject *pParent = nullptr);
    ~CBootLoader() override;

    // Mode 0: the USB HID device with these ids (0, or BL_ERR_NOT_FOUND); mode 1: a UDP
    // socket to the IPv4 address (first dotted field in the lowest byte) and port (0 or the
    // socket's negative code); other modes: 0, nothing opened. The mode is remembered.
    int OpenPort(int iMode, quint16 usVid, quint16 usPid, quint16 usUdpPort, quint32 uiIp);
    int IsPortOpen(int iMode) const;
    void ClosePort();

    void Start();
    void Stop();

    // Builds the command's frame and arms it for the thread, which sends it at once and
    // again after each time-out without a reply, usTries sends in all. Returns BL_ARMED, or
    // one of the negative BL_ERR_ codes when refused (nothing is then sent).
    int SendCommand(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs);
    // 0, or a negative CHexFile code when the file cannot be opened or is not valid Intel HEX.
    int LoadHexFile(const QString &qsPath);
    // The CRC of the HEX file's image, which the verify reply must equal.
    quint16 CalcImageCrc();
    void ResetTx();
    // Waits until the armed frame has gone out once (a launch, which no reply confirms, must
    // not be lost to a Stop()); false when it has not within the time.
    bool WaitSent(int iTimeoutMs);
    void GetProgress(quint32 *puiDone, quint32 *puiTotal);

    // CRC-16/XMODEM (polynomial 0x1021, initial 0, no reflection, no final XOR).
    static quint16 CalcCrc16(const quint8 *pData, quint32 uiLength);
    // SOH, the escaped body and its CRC, EOT; empty when the frame would exceed iMaxSize.
    static QByteArray BuildFrame(const QByteArray &baBody, int iMaxSize = TX_FRAME_SIZE);

    // The HID link, whose read wait tests shorten.
    CUsbHid &UsbHid() { return m_UsbHid; }

signals:
    // A reply to command 1, 2 or 4, or the reply to the last program block (command 3);
    // baData holds the reply bytes after the command byte.
    void sigBootLoaderRespOk(unsigned char ucCmd, QByteArray baData);
    // No valid reply to command 1..4 within the time-out after its last send.
    void sigBootLoaderNoResp(unsigned char ucLastSentCommand);

protected:
    void run() override;

private:
    int BuildCommandLocked(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs);
    void RxTask();
    void TxTask();
    int ReadPort(quint8 *pBuffer, int iLength);
    void WritePort(const QByteArray &baFrame);
    void DiscardInput();

    CUsbHid m_UsbHid;
    CHexFile m_HexFile;
    CNetCom *m_pNetCom = nullptr; // owned; only while a UDP port is open
    int m_iMode = -1;
    QAtomicInt m_iStop = 0;

    // Everything below is shared by the GUI thread (SendCommand) and the bootloader thread.
    mutable QMutex m_Mutex;
    QByteArray m_baTxFrame;
    quint16 m_usRetryCount = 0;
    quint16 m_usRetriesLeft = 0;
    quint16 m_usTimeoutMs = 0;
    quint8 m_ucCurCommand = 0;
    enum { TX_IDLE = 0, TX_WAITING = 1 };
    int m_iTxState = TX_IDLE;
    bool m_bNoResp = false;
    bool m_bRewind = true;
    qint64 m_llDeadline = 0;
    // Used by the bootloader thread only.
    CBootFrameReceiver m_Receiver;
    QElapsedTimer m_Clock;
};
