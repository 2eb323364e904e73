#include "comm/bootloader.h"

#include "comm/netcom.h"

#include <cstring>

namespace {

constexpr quint8 SOH = 0x01;
constexpr quint8 EOT = 0x04;
constexpr quint8 DLE = 0x10;

// CRC-16/XMODEM, a nibble at a time, high nibble first.
constexpr quint16 kCrcTable[16] = {0x0000, 0x1021, 0x2042, 0x3063, 0x4084, 0x50A5, 0x60C6, 0x70E7,
                                   0x8108, 0x9129, 0xA14A, 0xB16B, 0xC18C, 0xD1AD, 0xE1CE, 0xF1EF};

// A frame escapes at most every byte of its body and CRC, between SOH and EOT: a body up to
// this size can never make a frame longer than the transmit buffer.
constexpr int MaxBodyFor(int iFrameSize)
{
    return (iFrameSize - 2) / 2 - 2;
}

void AppendLe(QByteArray &ba, quint32 uiValue, int iBytes)
{
    for (int i = 0; i < iBytes; ++i)
        ba.append(char((uiValue >> (8 * i)) & 0xFF));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Receiver

int CBootFrameReceiver::ParseRxData(const quint8 *pData, int iLength)
{
    int i = 0;
    while (i < iLength && !m_bFrameReceived) {
        const quint8 b = pData[i++];
        // A reply never comes near this size: an overrun means a lost frame, which the
        // resend of the command makes good.
        if (m_iRxCount >= RX_BODY_SIZE)
            m_iRxCount = 0;
        if (m_bEscape) {
            m_bEscape = false;
            m_RxBuf[m_iRxCount++] = b;
        } else if (b == EOT) {
            if (m_iRxCount >= 3) {
                const quint16 usCrc = CBootLoader::CalcCrc16(m_RxBuf, quint32(m_iRxCount - 2));
                const quint16 usGot = quint16(m_RxBuf[m_iRxCount - 2] | m_RxBuf[m_iRxCount - 1] << 8);
                if (usCrc == usGot)
                    m_bFrameReceived = true;
            }
        } else if (b == DLE) {
            m_bEscape = true;
        } else if (b == SOH) {
            m_iRxCount = 0;
        } else {
            m_RxBuf[m_iRxCount++] = b;
        }
    }
    return i;
}

QByteArray CBootFrameReceiver::Body() const
{
    if (!m_bFrameReceived)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(m_RxBuf), m_iRxCount - 2);
}

void CBootFrameReceiver::Reset()
{
    m_iRxCount = 0;
    m_bEscape = false;
    m_bFrameReceived = false;
}

// ---------------------------------------------------------------------------------------
// Bootloader

quint16 CBootLoader::CalcCrc16(const quint8 *pData, quint32 uiLength)
{
    quint16 usCrc = 0;
    for (quint32 i = 0; i < uiLength; ++i) {
        usCrc = quint16(usCrc << 4) ^ kCrcTable[(usCrc >> 12) ^ (pData[i] >> 4)];
        usCrc = quint16(usCrc << 4) ^ kCrcTable[(usCrc >> 12) ^ (pData[i] & 0x0F)];
    }
    return usCrc;
}

QByteArray CBootLoader::BuildFrame(const QByteArray &baBody, int iMaxSize)
{
    QByteArray baPlain = baBody;
    const quint16 usCrc = CalcCrc16(reinterpret_cast<const quint8 *>(baBody.constData()), quint32(baBody.size()));
    AppendLe(baPlain, usCrc, 2);

    QByteArray baFrame;
    baFrame.reserve(2 * baPlain.size() + 2);
    baFrame.append(char(SOH));
    for (char c : std::as_const(baPlain)) {
        const quint8 b = quint8(c);
        if (b == SOH || b == EOT || b == DLE)
            baFrame.append(char(DLE));
        baFrame.append(c);
    }
    baFrame.append(char(EOT));
    if (baFrame.size() > iMaxSize)
        return QByteArray();
    return baFrame;
}

CBootLoader::CBootLoader(QObject *pParent) : QThread(pParent)
{
    m_Clock.start();
}

CBootLoader::~CBootLoader()
{
    Stop();
    ClosePort();
    m_HexFile.Close();
}

int CBootLoader::OpenPort(int iMode, quint16 usVid, quint16 usPid, quint16 usUdpPort, quint32 uiIp)
{
    m_iMode = iMode;
    if (iMode == BL_MODE_USB_HID)
        return m_UsbHid.Open(usVid, usPid) ? 0 : BL_ERR_NOT_FOUND;
    if (iMode == BL_MODE_UDP) {
        delete m_pNetCom;
        m_pNetCom = new CNetCom();
        return m_pNetCom->OpenUdp(uiIp, usUdpPort);
    }
    return 0;
}

int CBootLoader::IsPortOpen(int iMode) const
{
    if (iMode == BL_MODE_USB_HID)
        return m_UsbHid.IsOpen();
    if (iMode == BL_MODE_UDP)
        return m_pNetCom ? m_pNetCom->IsUdpOpen() : 0;
    return 0;
}

void CBootLoader::ClosePort()
{
    if (m_iMode == BL_MODE_USB_HID) {
        m_UsbHid.Close();
    } else if (m_iMode == BL_MODE_UDP) {
        if (m_pNetCom)
            m_pNetCom->Close();
        delete m_pNetCom;
        m_pNetCom = nullptr;
    }
}

void CBootLoader::Start()
{
    m_iStop.storeRelaxed(0);
    start();
}

void CBootLoader::Stop()
{
    m_iStop.storeRelaxed(1);
    wait();
    QMutexLocker lock(&m_Mutex);
}

int CBootLoader::LoadHexFile(const QString &qsPath)
{
    QMutexLocker lock(&m_Mutex);
    m_bRewind = true;
    return m_HexFile.Open(qsPath);
}

quint16 CBootLoader::CalcImageCrc()
{
    QMutexLocker lock(&m_Mutex);
    return m_HexFile.LoadImage(nullptr, nullptr, nullptr);
}

bool CBootLoader::WaitSent(int iTimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        {
            QMutexLocker lock(&m_Mutex);
            if (m_iTxState != TX_IDLE || m_usRetriesLeft == 0)
                return true;
        }
        if (!isRunning() || clock.elapsed() >= iTimeoutMs)
            return false;
        QThread::msleep(1);
    }
}

void CBootLoader::ResetTx()
{
    QMutexLocker lock(&m_Mutex);
    m_usRetriesLeft = 0;
    m_iTxState = TX_IDLE;
}

void CBootLoader::GetProgress(quint32 *puiDone, quint32 *puiTotal)
{
    QMutexLocker lock(&m_Mutex);
    if (m_ucCurCommand == BL_PROGRAM) {
        *puiDone = quint32(m_HexFile.RecordsRead());
        *puiTotal = quint32(m_HexFile.RecordCount());
    } else {
        *puiDone = quint32(m_usRetryCount - m_usRetriesLeft);
        *puiTotal = m_usRetryCount;
    }
}

int CBootLoader::SendCommand(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs)
{
    QMutexLocker lock(&m_Mutex);
    return BuildCommandLocked(ucCommand, usTries, usTimeoutMs);
}

int CBootLoader::BuildCommandLocked(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs)
{
    if (ucCommand < BL_CONNECT || ucCommand > BL_LAUNCH)
        return BL_ERR_COMMAND;

    QByteArray baBody(1, char(ucCommand));
    switch (ucCommand) {
    case BL_PROGRAM: {
        if (!m_HexFile.IsOpen() || (m_bRewind && !m_HexFile.Rewind()))
            return BL_ERR_NO_FILE;
        const int iMaxBody = MaxBodyFor(TX_FRAME_SIZE);
        quint8 record[CHexFile::MAX_RECORD_BYTES];
        for (int i = 0; i < MAX_RECORDS_PER_BLOCK; ++i) {
            const int iLength = m_HexFile.NextRecordLength();
            if (iLength == 0)
                break;
            // Stop before the frame could outgrow the transmit buffer, even fully escaped;
            // the record goes in the next block.
            if (baBody.size() + iLength > iMaxBody) {
                if (i == 0)
                    return BL_ERR_TOO_LONG;
                break;
            }
            m_HexFile.ReadRecord(record, iLength);
            baBody.append(reinterpret_cast<const char *>(record), iLength);
        }
        if (baBody.size() == 1)
            return BL_ERR_NO_RECORD;
        break;
    }
    case BL_VERIFY: {
        if (!m_HexFile.IsOpen())
            return BL_ERR_NO_FILE;
        quint32 uiStart = 0;
        quint32 uiLength = 0;
        quint16 usCrc = 0;
        m_HexFile.LoadImage(&uiStart, &uiLength, &usCrc);
        // Nothing to compare: a verify would pass whatever the flash holds.
        if (uiLength == 0)
            return BL_ERR_EMPTY_IMAGE;
        AppendLe(baBody, uiStart, 4);
        AppendLe(baBody, uiLength, 4);
        AppendLe(baBody, usCrc, 2);
        break;
    }
    case BL_LAUNCH:
        // The application starts at once and the bootloader answers nothing.
        usTries = 1;
        usTimeoutMs = 10;
        break;
    default:
        break;
    }

    const QByteArray baFrame = BuildFrame(baBody);
    if (baFrame.isEmpty())
        return BL_ERR_TOO_LONG;

    m_baTxFrame = baFrame;
    m_ucCurCommand = ucCommand;
    m_usRetryCount = qMax<quint16>(usTries, 1);
    m_usRetriesLeft = m_usRetryCount;
    m_usTimeoutMs = usTimeoutMs;
    m_iTxState = TX_IDLE;
    m_bNoResp = false;
    return BL_ARMED;
}

void CBootLoader::run()
{
    while (!m_iStop.loadRelaxed()) {
        RxTask();
        TxTask();
        msleep(1);
    }
    // The thread's last act goes through the mutex that Stop() takes after joining: the join
    // itself happens inside Qt, where a ThreadSanitizer build cannot see it.
    QMutexLocker lock(&m_Mutex);
}

void CBootLoader::RxTask()
{
    quint8 buffer[RX_READ_SIZE];
    const int iRead = ReadPort(buffer, RX_READ_SIZE);
    if (iRead > 0)
        m_Receiver.ParseRxData(buffer, iRead);

    enum { EMIT_NONE, EMIT_OK, EMIT_NO_RESP } eEmit = EMIT_NONE;
    quint8 ucCmd = 0;
    QByteArray baData;
    {
        QMutexLocker lock(&m_Mutex);
        if (m_Receiver.IsFrameReceived()) {
            const QByteArray baBody = m_Receiver.Body();
            m_Receiver.Reset();
            // Only a reply to the frame on the wire counts: a late or repeated reply to an
            // earlier one must neither acknowledge the next program block nor start a
            // finished command again.
            if (m_iTxState == TX_WAITING && quint8(baBody.at(0)) == m_ucCurCommand) {
                m_usRetriesLeft = 0;
                m_iTxState = TX_IDLE;
                ucCmd = m_ucCurCommand;
                baData = baBody.mid(1);
                if (ucCmd == BL_PROGRAM) {
                    m_bRewind = false;
                    const int iNext = BuildCommandLocked(BL_PROGRAM, m_usRetryCount, m_usTimeoutMs);
                    if (iNext != BL_ARMED) {
                        m_bRewind = true;
                        // Only the end of the records completes the programming.
                        eEmit = iNext == BL_ERR_NO_RECORD ? EMIT_OK : EMIT_NO_RESP;
                    }
                } else if (ucCmd != BL_LAUNCH) {
                    eEmit = EMIT_OK;
                }
            }
        } else if (m_bNoResp) {
            m_bNoResp = false;
            ucCmd = m_ucCurCommand;
            if (ucCmd >= BL_CONNECT && ucCmd <= BL_VERIFY)
                eEmit = EMIT_NO_RESP;
            if (ucCmd == BL_PROGRAM)
                m_bRewind = true;
        }
    }
    if (eEmit == EMIT_OK)
        emit sigBootLoaderRespOk(ucCmd, baData);
    else if (eEmit == EMIT_NO_RESP)
        emit sigBootLoaderNoResp(ucCmd);
}

void CBootLoader::TxTask()
{
    QMutexLocker lock(&m_Mutex);
    if (m_iTxState == TX_IDLE && m_usRetriesLeft > 0) {
        // A newly armed frame: whatever arrived before it was sent cannot answer it.
        DiscardInput();
        m_Receiver.Reset();
        WritePort(m_baTxFrame);
        --m_usRetriesLeft;
        m_iTxState = TX_WAITING;
        m_llDeadline = m_Clock.elapsed() + m_usTimeoutMs;
    } else if (m_iTxState == TX_WAITING && m_Clock.elapsed() >= m_llDeadline) {
        if (m_usRetriesLeft > 0) {
            WritePort(m_baTxFrame);
            --m_usRetriesLeft;
            m_llDeadline = m_Clock.elapsed() + m_usTimeoutMs;
        } else {
            // The last send has had its full time-out.
            m_bNoResp = true;
            m_iTxState = TX_IDLE;
        }
    }
}

int CBootLoader::ReadPort(quint8 *pBuffer, int iLength)
{
    if (m_iMode == BL_MODE_USB_HID)
        return m_UsbHid.Read(pBuffer, iLength);
    if (m_iMode == BL_MODE_UDP && m_pNetCom) {
        const int iRead = int(m_pNetCom->RecvFrom(quint32(iLength), pBuffer));
        return iRead > 0 ? iRead : 0;
    }
    return 0;
}

void CBootLoader::WritePort(const QByteArray &baFrame)
{
    const quint8 *pData = reinterpret_cast<const quint8 *>(baFrame.constData());
    if (m_iMode == BL_MODE_USB_HID) {
        m_UsbHid.Write(pData, int(baFrame.size()));
        return;
    }
    if (m_iMode == BL_MODE_UDP && m_pNetCom)
        m_pNetCom->SendTo(quint32(baFrame.size()), pData);
}

void CBootLoader::DiscardInput()
{
    if (m_iMode == BL_MODE_USB_HID) {
        m_UsbHid.Discard();
        return;
    }
    if (m_iMode == BL_MODE_UDP && m_pNetCom) {
        // Only what has already arrived matters: a short wait keeps the extra time per
        // program block small. Bounded, so that a flood cannot hold the thread here.
        m_pNetCom->SetUdpReceiveTimeoutMs(1);
        quint8 buffer[RX_READ_SIZE];
        for (int i = 0; i < 16 && m_pNetCom->RecvFrom(RX_READ_SIZE, buffer) > 0; ++i) {
        }
        m_pNetCom->SetUdpReceiveTimeoutMs(CNetCom::DEFAULT_UDP_RECV_TIMEOUT_MS);
    }
}
