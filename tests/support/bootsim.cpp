#include "bootsim.h"

#include "comm/condwait.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace {

// Wire bytes of the frame, from the protocol table.
constexpr char kSoh = 0x01;
constexpr char kEot = 0x04;
constexpr char kDle = 0x10;
constexpr int kMaxFrameBody = 1000;

constexpr quint32 kFlashBase = 0x9D000000u;
constexpr quint32 kFlashSize = 0x500000u;

quint32 Le32(const QByteArray &ba, int iOffset)
{
    return quint32(quint8(ba[iOffset])) | quint32(quint8(ba[iOffset + 1])) << 8 |
           quint32(quint8(ba[iOffset + 2])) << 16 | quint32(quint8(ba[iOffset + 3])) << 24;
}

qint64 NowMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

} // namespace

QByteArray HexRecordLine(quint8 ucType, quint16 usAddress, const QByteArray &baData, const char *pcLineEnd)
{
    // Offsets: 0 count, 1-2 address (big-endian), 3 type, 4.. data, then the checksum.
    QByteArray baBytes;
    baBytes.append(char(baData.size()));
    baBytes.append(char(usAddress >> 8));
    baBytes.append(char(usAddress & 0xFF));
    baBytes.append(char(ucType));
    baBytes.append(baData);
    quint8 ucSum = 0;
    for (char c : std::as_const(baBytes))
        ucSum = quint8(ucSum + quint8(c));
    baBytes.append(char(quint8(-ucSum)));
    return ':' + baBytes.toHex().toUpper() + pcLineEnd;
}

// ---------------------------------------------------------------------------------------

BootSimCore::BootSimCore() : m_baFlash(int(kFlashSize), char(0xFF)) {}

void BootSimCore::SetReplySink(ReplySink sink)
{
    QMutexLocker lock(&m_Mutex);
    m_Sink = std::move(sink);
}

quint16 BootSimCore::Crc16(const QByteArray &baData)
{
    quint16 usCrc = 0;
    for (char c : baData) {
        usCrc ^= quint16(quint8(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            usCrc = (usCrc & 0x8000) ? quint16((usCrc << 1) ^ 0x1021) : quint16(usCrc << 1);
    }
    return usCrc;
}

QByteArray BootSimCore::MakeFrame(const QByteArray &baBody)
{
    const quint16 usCrc = Crc16(baBody);
    QByteArray baPlain = baBody;
    baPlain.append(char(usCrc & 0xFF));
    baPlain.append(char(usCrc >> 8));
    QByteArray baFrame(1, kSoh);
    for (char c : baPlain) {
        if (c == kSoh || c == kEot || c == kDle)
            baFrame.append(kDle);
        baFrame.append(c);
    }
    baFrame.append(kEot);
    return baFrame;
}

void BootSimCore::AddFault(Fault eFault, quint8 ucCmd, int iSkip, int iCount)
{
    QMutexLocker lock(&m_Mutex);
    m_Faults.append({eFault, ucCmd, iSkip, iCount});
}

void BootSimCore::SetReplyDelay(int iMs)
{
    QMutexLocker lock(&m_Mutex);
    m_iReplyDelayMs = iMs;
}

void BootSimCore::SetDuplicateDelay(int iMs)
{
    QMutexLocker lock(&m_Mutex);
    m_iDuplicateDelayMs = iMs;
}

bool BootSimCore::TakeFault(Fault eFault, quint8 ucCmd)
{
    for (FaultRule &rule : m_Faults) {
        if (rule.eFault != eFault || (rule.ucCmd != 0 && rule.ucCmd != ucCmd) || rule.iCount == 0)
            continue;
        if (rule.iSkip > 0) {
            --rule.iSkip;
            continue;
        }
        if (rule.iCount > 0)
            --rule.iCount;
        return true;
    }
    return false;
}

void BootSimCore::Receive(const QByteArray &baBytes)
{
    QMutexLocker lock(&m_Mutex);
    for (char c : baBytes) {
        if (!m_bInFrame) {
            // Between frames (HID padding, noise) nothing counts until a SOH.
            if (c == kSoh) {
                m_bInFrame = true;
                m_bEscape = false;
                m_baBody.clear();
                m_baRaw = QByteArray(1, c);
            }
            continue;
        }
        m_baRaw.append(c);
        if (m_bEscape) {
            m_bEscape = false;
            m_baBody.append(c);
        } else if (c == kDle) {
            m_bEscape = true;
        } else if (c == kSoh) {
            m_baBody.clear();
            m_baRaw = QByteArray(1, c);
        } else if (c == kEot) {
            m_bInFrame = false;
            m_RawFrames.append(m_baRaw);
            if (m_baBody.size() < 3) {
                ++m_iBadCrc;
                continue;
            }
            const QByteArray baBody = m_baBody.left(m_baBody.size() - 2);
            const quint16 usGot =
                quint16(quint8(m_baBody[m_baBody.size() - 2]) | quint8(m_baBody[m_baBody.size() - 1]) << 8);
            if (Crc16(baBody) != usGot) {
                ++m_iBadCrc;
                continue;
            }
            HandleFrame(baBody);
        } else {
            m_baBody.append(c);
        }
        if (m_baBody.size() > kMaxFrameBody)
            m_bInFrame = false;
    }
}

void BootSimCore::HandleFrame(const QByteArray &baBody)
{
    const quint8 ucCmd = quint8(baBody[0]);
    if (TakeFault(Fault::Drop, ucCmd))
        return;
    m_Bodies.append(baBody);
    switch (ucCmd) {
    case 1: // connect
        m_uiUpperAddress = 0;
        Reply(QByteArray(1, char(1)), ucCmd);
        break;
    case 2: // erase
        m_baFlash.fill(char(0xFF));
        m_uiUpperAddress = 0;
        Reply(QByteArray(1, char(2)), ucCmd);
        break;
    case 3: // program: the records as in the file
        Program(baBody);
        Reply(QByteArray(1, char(3)), ucCmd);
        break;
    case 4: { // verify: offset 1 start, 5 length, 9 CRC, all little-endian
        if (baBody.size() != 11)
            return;
        const quint32 uiStart = Le32(baBody, 1);
        const quint32 uiLength = Le32(baBody, 5);
        QByteArray baRange(int(uiLength), char(0xFF));
        for (quint32 i = 0; i < uiLength; ++i) {
            const quint32 uiAddress = uiStart + i;
            if (uiAddress >= kFlashBase && uiAddress < kFlashBase + kFlashSize)
                baRange[int(i)] = m_baFlash[int(uiAddress - kFlashBase)];
        }
        const quint16 usCrc = Crc16(baRange);
        QByteArray baReply(1, char(4));
        baReply.append(char(usCrc & 0xFF));
        baReply.append(char(usCrc >> 8));
        Reply(baReply, ucCmd);
        break;
    }
    case 5: // launch: the application starts, no answer
        m_bLaunched = true;
        break;
    default:
        break;
    }
}

void BootSimCore::Program(const QByteArray &baBody)
{
    // Record at offset o: o+0 count, o+1 address high, o+2 address low, o+3 type,
    // o+4 .. o+4+count-1 data, o+4+count checksum.
    int o = 1;
    while (o + 5 <= baBody.size()) {
        const int iCount = quint8(baBody[o]);
        if (o + 5 + iCount > baBody.size())
            return;
        quint8 ucSum = 0;
        for (int i = 0; i < iCount + 5; ++i)
            ucSum = quint8(ucSum + quint8(baBody[o + i]));
        if (ucSum != 0)
            return; // a damaged record: the device stops taking this frame
        const quint32 uiAddress16 = quint32(quint8(baBody[o + 1])) << 8 | quint8(baBody[o + 2]);
        const quint8 ucType = quint8(baBody[o + 3]);
        if (ucType == 0x00) {
            const quint32 uiAddress = (m_uiUpperAddress + uiAddress16) | 0x80000000u;
            for (int i = 0; i < iCount; ++i) {
                const quint32 a = uiAddress + quint32(i);
                // Programming can only clear bits of erased flash.
                if (a >= kFlashBase && a < kFlashBase + kFlashSize)
                    m_baFlash[int(a - kFlashBase)] =
                        char(quint8(m_baFlash[int(a - kFlashBase)]) & quint8(baBody[o + 4 + i]));
            }
        } else if (ucType == 0x02 && iCount == 2) {
            m_uiUpperAddress = (quint32(quint8(baBody[o + 4])) << 8 | quint8(baBody[o + 5])) << 4;
        } else if (ucType == 0x04 && iCount == 2) {
            m_uiUpperAddress = (quint32(quint8(baBody[o + 4])) << 8 | quint8(baBody[o + 5])) << 16;
        }
        ++m_iRecords;
        o += iCount + 5;
    }
}

void BootSimCore::Reply(const QByteArray &baBody, quint8 ucCmd)
{
    if (TakeFault(Fault::Silent, ucCmd) || !m_Sink)
        return;
    QByteArray baFrame = MakeFrame(baBody);
    if (TakeFault(Fault::CorruptCrc, ucCmd)) {
        // Flip a bit of the CRC's last byte, one that keeps it an ordinary byte: SOH, EOT
        // or DLE would change the frame's shape rather than its CRC.
        const int iCrc = baFrame.size() - 2;
        char c = char(baFrame[iCrc] ^ 0x40);
        if (c == kSoh || c == kEot || c == kDle)
            c = char(baFrame[iCrc] ^ 0x80);
        baFrame[iCrc] = c;
    }
    m_Sink(baFrame, m_iReplyDelayMs);
    if (TakeFault(Fault::Duplicate, ucCmd))
        m_Sink(baFrame, m_iReplyDelayMs + m_iDuplicateDelayMs);
}

QList<QByteArray> BootSimCore::Bodies() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Bodies;
}

QList<QByteArray> BootSimCore::RawFrames() const
{
    QMutexLocker lock(&m_Mutex);
    return m_RawFrames;
}

int BootSimCore::CountOf(quint8 ucCmd) const
{
    QMutexLocker lock(&m_Mutex);
    int n = 0;
    for (const QByteArray &ba : m_Bodies)
        n += quint8(ba[0]) == ucCmd;
    return n;
}

int BootSimCore::BadCrcCount() const
{
    QMutexLocker lock(&m_Mutex);
    return m_iBadCrc;
}

int BootSimCore::RecordsProgrammed() const
{
    QMutexLocker lock(&m_Mutex);
    return m_iRecords;
}

bool BootSimCore::Launched() const
{
    QMutexLocker lock(&m_Mutex);
    return m_bLaunched;
}

QByteArray BootSimCore::Flash(quint32 uiAddress, quint32 uiLength) const
{
    QMutexLocker lock(&m_Mutex);
    QByteArray ba(int(uiLength), char(0xFF));
    for (quint32 i = 0; i < uiLength; ++i) {
        const quint32 a = uiAddress + i;
        if (a >= kFlashBase && a < kFlashBase + kFlashSize)
            ba[int(i)] = m_baFlash[int(a - kFlashBase)];
    }
    return ba;
}

// ---------------------------------------------------------------------------------------

BootSimUdp::BootSimUdp(const char *pcAddress, quint16 usPort)
{
    m_iSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(usPort);
    ::inet_pton(AF_INET, pcAddress, &addr.sin_addr);
    // No SO_REUSEADDR: on UDP it would let two simulators share the port and split the
    // datagrams between them; a second one must fail to bind instead.
    if (m_iSocket < 0 || ::bind(m_iSocket, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        if (m_iSocket >= 0)
            ::close(m_iSocket);
        m_iSocket = -1;
        return;
    }
    socklen_t len = sizeof addr;
    if (::getsockname(m_iSocket, reinterpret_cast<sockaddr *>(&addr), &len) == 0)
        m_usPort = ntohs(addr.sin_port);
    m_pNotifier = new QSocketNotifier(qintptr(m_iSocket), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &BootSimUdp::OnReadyRead);
    m_Core.SetReplySink([this](const QByteArray &baFrame, int iDelayMs) {
        if (iDelayMs <= 0)
            SendNow(baFrame);
        else
            QTimer::singleShot(iDelayMs, this, [this, baFrame] { SendNow(baFrame); });
    });
}

BootSimUdp::~BootSimUdp()
{
    delete m_pNotifier;
    if (m_iSocket >= 0)
        ::close(m_iSocket);
}

bool BootSimUdp::IsListening() const
{
    return m_iSocket >= 0;
}

void BootSimUdp::OnReadyRead()
{
    char buffer[2048];
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t n =
        ::recvfrom(m_iSocket, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&from), &fromLength);
    if (n < 0)
        return;
    m_baPeer = QByteArray(reinterpret_cast<const char *>(&from), int(fromLength));
    const QByteArray baDatagram(buffer, int(n));
    m_Datagrams.append(baDatagram);
    m_Core.Receive(baDatagram);
}

void BootSimUdp::SendNow(const QByteArray &baFrame)
{
    if (m_baPeer.isEmpty())
        return;
    ::sendto(m_iSocket, baFrame.constData(), size_t(baFrame.size()), 0,
             reinterpret_cast<const sockaddr *>(m_baPeer.constData()), socklen_t(m_baPeer.size()));
}

// ---------------------------------------------------------------------------------------

class BootSimHidPort : public CHidPort
{
public:
    explicit BootSimHidPort(std::shared_ptr<BootSimHidDevice> pDevice) : m_pDevice(std::move(pDevice)) {}
    ~BootSimHidPort() override { Close(); }
    bool Open(quint16 usVid, quint16 usPid) override
    {
        m_bOpen = m_pDevice->Open(usVid, usPid);
        return m_bOpen;
    }
    void Close() override
    {
        if (m_bOpen)
            m_pDevice->Close();
        m_bOpen = false;
    }
    int Write(const quint8 *pReport, int iLength) override { return m_bOpen ? m_pDevice->Write(pReport, iLength) : -1; }
    int Read(quint8 *pData, int iLength, int iTimeoutMs) override
    {
        return m_bOpen ? m_pDevice->Read(pData, iLength, iTimeoutMs) : -1;
    }

private:
    std::shared_ptr<BootSimHidDevice> m_pDevice;
    bool m_bOpen = false;
};

BootSimHidDevice::BootSimHidDevice(quint16 usVid, quint16 usPid) : m_usVid(usVid), m_usPid(usPid)
{
    m_Core.SetReplySink([this](const QByteArray &baFrame, int iDelayMs) {
        // The device answers in whole 64-byte reports, padded with 0xFF.
        QMutexLocker lock(&m_Mutex);
        for (int i = 0; i < baFrame.size(); i += 64) {
            QByteArray baReport = baFrame.mid(i, 64);
            baReport.append(QByteArray(64 - baReport.size(), char(0xFF)));
            m_Pending.push_back({NowMs() + iDelayMs, baReport});
        }
        m_Ready.wakeAll();
    });
}

void BootSimHidDevice::Install(const std::shared_ptr<BootSimHidDevice> &pDevice)
{
    CUsbHid::SetPortFactory(
        [pDevice]() -> std::unique_ptr<CHidPort> { return std::make_unique<BootSimHidPort>(pDevice); });
}

QList<QByteArray> BootSimHidDevice::Reports() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Reports;
}

bool BootSimHidDevice::IsOpen() const
{
    QMutexLocker lock(&m_Mutex);
    return m_bOpen;
}

bool BootSimHidDevice::Open(quint16 usVid, quint16 usPid)
{
    QMutexLocker lock(&m_Mutex);
    if (usVid != m_usVid || usPid != m_usPid)
        return false;
    m_bOpen = true;
    return true;
}

void BootSimHidDevice::Close()
{
    QMutexLocker lock(&m_Mutex);
    m_bOpen = false;
}

int BootSimHidDevice::Write(const quint8 *pReport, int iLength)
{
    {
        QMutexLocker lock(&m_Mutex);
        m_Reports.append(QByteArray(reinterpret_cast<const char *>(pReport), iLength));
    }
    // Byte 0 is the report id; the data follow.
    if (iLength > 1)
        m_Core.Receive(QByteArray(reinterpret_cast<const char *>(pReport) + 1, iLength - 1));
    return iLength;
}

int BootSimHidDevice::Read(quint8 *pData, int iLength, int iTimeoutMs)
{
    QMutexLocker lock(&m_Mutex);
    QDeadlineTimer deadline(iTimeoutMs);
    for (;;) {
        if (!m_Pending.empty() && m_Pending.front().llDueMs <= NowMs()) {
            const QByteArray baReport = m_Pending.front().baReport;
            m_Pending.pop_front();
            const int n = qMin(iLength, int(baReport.size()));
            std::memcpy(pData, baReport.constData(), size_t(n));
            return n;
        }
        if (deadline.hasExpired())
            return 0;
        // Wake at the deadline or when the first pending report falls due.
        qint64 llWait = deadline.remainingTime();
        if (!m_Pending.empty())
            llWait = qMin(llWait, qMax<qint64>(1, m_Pending.front().llDueMs - NowMs()));
        CondWait(m_Ready, m_Mutex, QDeadlineTimer(llWait));
    }
}
