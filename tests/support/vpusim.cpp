#include "vpusim.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

quint16 SimGetU16(const QByteArray &ba, int iOffset)
{
    if (iOffset < 0 || iOffset + 2 > ba.size())
        return 0;
    return quint16(quint8(ba[iOffset]) | quint8(ba[iOffset + 1]) << 8);
}

quint32 SimGetU32(const QByteArray &ba, int iOffset)
{
    if (iOffset < 0 || iOffset + 4 > ba.size())
        return 0;
    return quint32(quint8(ba[iOffset])) | quint32(quint8(ba[iOffset + 1])) << 8 |
           quint32(quint8(ba[iOffset + 2])) << 16 | quint32(quint8(ba[iOffset + 3])) << 24;
}

void SimPutU16(QByteArray &ba, quint16 usValue)
{
    ba.append(char(usValue & 0xFF));
    ba.append(char(usValue >> 8));
}

void SimPutU32(QByteArray &ba, quint32 uiValue)
{
    for (int i = 0; i < 4; ++i)
        ba.append(char((uiValue >> (8 * i)) & 0xFF));
}

QByteArray SimHeader(quint8 ucId, quint32 uiLength)
{
    QByteArray ba(1, char(ucId));
    SimPutU32(ba, uiLength);
    return ba;
}

// ---- one request -------------------------------------------------------------------------

VpuSimRequest::VpuSimRequest(VpuSimModel &tModel, VpuSimLink &tLink, quint8 ucId, const QByteArray &baPayload,
                             const VpuSimFault &tFault)
    : m_tModel(tModel), m_tLink(tLink), m_ucId(ucId), m_baPayload(baPayload), m_tFault(tFault)
{
}

bool VpuSimRequest::ReadRaw(int iLength, QByteArray *pbaOut)
{
    if (iLength == 0) {
        pbaOut->clear();
        return true;
    }
    if (!m_tLink.ReadExact(iLength, pbaOut))
        return false;
    m_tModel.AddLog(true, *pbaOut, true);
    return true;
}

bool VpuSimRequest::Reply(quint8 ucId, const QByteArray &baBody)
{
    quint8 ucSentId = ucId;
    quint32 uiSentLength = quint32(baBody.size());
    if (m_bFirstPiece) {
        if (m_tFault.iReplyId >= 0)
            ucSentId = quint8(m_tFault.iReplyId);
        if (m_tFault.llReplyLength >= 0)
            uiSentLength = quint32(m_tFault.llReplyLength);
    }
    // The host reads the header and the body as two pieces; over USB each is cut into
    // packets on its own.
    return SendPiece(SimHeader(ucSentId, uiSentLength) + baBody, 5);
}

bool VpuSimRequest::ReplyStatus(int iStatus)
{
    QByteArray baBody;
    SimPutU32(baBody, quint32(iStatus));
    return Reply(1, baBody);
}

bool VpuSimRequest::SendRaw(const QByteArray &baBytes)
{
    return SendPiece(baBytes, int(baBytes.size()));
}

bool VpuSimRequest::SendPiece(QByteArray baPiece, int iSplitAt)
{
    m_bFirstPiece = false;
    bool bClose = false;
    if (m_tFault.iCloseAfterBytes >= 0 && m_llSent + baPiece.size() >= m_tFault.iCloseAfterBytes) {
        baPiece.truncate(int(std::max<qint64>(0, m_tFault.iCloseAfterBytes - m_llSent)));
        bClose = true;
    }
    m_llSent += baPiece.size();
    m_tModel.AddLog(false, baPiece);
    bool bSent = true;
    const QByteArray baFirst = baPiece.left(iSplitAt);
    const QByteArray baSecond = baPiece.mid(iSplitAt);
    if (!baFirst.isEmpty())
        bSent = m_tLink.Send(baFirst, m_tFault.bOneByteAtATime);
    if (bSent && !baSecond.isEmpty())
        bSent = m_tLink.Send(baSecond, m_tFault.bOneByteAtATime);
    if (bClose) {
        m_tLink.Drop();
        return false;
    }
    return bSent;
}

// ---- model ---------------------------------------------------------------------------------

namespace {

struct TypedReply
{
    quint8 ucRequest;
    quint8 ucReply;
    int iBodyLength;   // record bytes, status not counted
    int iStatusOffset; // -1: no status; 0: status first; else after the body
};

// Replies that carry a record (GET_VIDEO_INPUT_FORMAT and the others): id, record length,
// where the status sits.
const TypedReply s_atTypedReplies[] = {
    {8, 9, 20, 0},    // GET_CONFIG: st, VpuConfig_t
    {11, 12, 32, 0},  // GET_VIDEO_INPUT_FORMAT: st, VideoInFormat_t
    {23, 24, 1, -1},  // FPGA_REG_READ: u8 value
    {26, 27, 1, 0},   // I2C_READ: st, u8 value
    {36, 37, 4, 0},   // FIXT_READ_REG: st, u32 value
    {40, 41, 20, -1}, // FIXT_GET_NUMBER: FixturesNum_t
    {42, 43, 144, 0}, // FIXT_GET_CONFIG: st, FixtureConfig_t, SasuConfig_t
    {44, 45, 28, 1},  // FIXT_GET_SENSOR_VALUES: SensorValues_t, st
    {47, 48, 6, 0},   // SASU_GET_CONFIG: st, SasuConfig_t
};

const quint8 s_aucStatusOnly[] = {2,  4,  5,  7,  10, 13, 14, 15, 16, 17, 18, 19, 20, 25,
                                  28, 38, 39, 46, 49, 50, 51, 52, 53, 54, 55, 56, 58};

struct BulkWrite
{
    quint8 ucId;
    int iSizeOffset; // u32 size in the parameter block; -1: SdramRect_t width x height x 3
};
const BulkWrite s_atBulkWrites[] = {{22, 4}, {30, -1}, {57, 9}, {60, 9}};

// The picture memory as the VPU addresses it, wider and taller than one picture.
constexpr int SCREEN_W = 2048;
constexpr int SCREEN_H = 6144;

} // namespace

int VpuSimModel::RequestLength(quint8 ucId)
{
    static const QHash<quint8, int> s_Lengths = {
        {2, 0},    {3, 5},   {4, 8},  {5, 0},   {7, 12},  {8, 0},  {10, 11}, {11, 1},  {13, 5}, {14, 7},
        {15, 9},   {16, 3},  {17, 0}, {18, 0},  {19, 0},  {20, 9}, {21, 9},  {22, 9},  {23, 3}, {25, 5},
        {26, 3},   {28, 5},  {29, 8}, {30, 8},  {31, 6},  {32, 4}, {33, 35}, {34, 4},  {36, 9}, {38, 13},
        {39, 0},   {40, 0},  {42, 5}, {44, 5},  {46, 11}, {47, 5}, {49, 9},  {50, 19}, {51, 9}, {52, 31},
        {53, 151}, {54, 51}, {55, 5}, {56, 13}, {57, 13}, {58, 0}, {59, 13}, {60, 13},
    };
    return s_Lengths.value(ucId, -1);
}

VpuSimModel::VpuSimModel()
{
    InstallDefaultHandlers();
}

void VpuSimModel::SetHandler(quint8 ucId, Handler fnHandler)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Handlers[ucId] = std::move(fnHandler);
}

void VpuSimModel::SetFault(quint8 ucId, const VpuSimFault &tFault)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Faults[ucId] = tFault;
    m_FaultSeen.remove(ucId);
}

void VpuSimModel::ClearFaults()
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Faults.clear();
    m_FaultSeen.clear();
}

void VpuSimModel::Stop()
{
    m_bStop = true;
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Changed.notify_all();
}

void VpuSimModel::SleepMs(int iMs)
{
    const auto tDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(iMs);
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Changed.wait_until(tLock, tDeadline, [this] { return m_bStop.load(); });
}

void VpuSimModel::Serve(VpuSimLink &tLink)
{
    while (!m_bStop) {
        QByteArray baHeader;
        if (!tLink.ReadExact(5, &baHeader))
            return;
        const quint8 ucId = quint8(baHeader[0]);
        const quint32 uiLength = SimGetU32(baHeader, 1);
        if (uiLength > MAX_PAYLOAD) {
            AddLog(true, baHeader);
            AddViolation(QString("message %1 announces %2 payload bytes").arg(ucId).arg(uiLength));
            tLink.Drop();
            return;
        }
        QByteArray baPayload;
        if (uiLength > 0 && !tLink.ReadExact(int(uiLength), &baPayload)) {
            AddLog(true, baHeader + baPayload);
            return;
        }
        AddLog(true, baHeader + baPayload);
        if (RequestLength(ucId) != int(uiLength))
            AddViolation(QString("message %1 with %2 payload bytes").arg(ucId).arg(uiLength));

        Handler fnHandler;
        VpuSimFault tFault;
        {
            std::unique_lock<std::mutex> tLock(m_Mutex);
            fnHandler = m_Handlers.value(ucId);
            auto it = m_Faults.constFind(ucId);
            if (it != m_Faults.constEnd() && m_FaultSeen[ucId]++ >= it->iAfter)
                tFault = *it;
        }
        if (tFault.bSilent)
            continue;
        if (tFault.iDelayMs > 0)
            SleepMs(tFault.iDelayMs);
        VpuSimRequest tRequest(*this, tLink, ucId, baPayload, tFault);
        bool bAlive = true;
        if (fnHandler)
            bAlive = fnHandler(tRequest);
        else
            bAlive = tRequest.ReplyStatus(-205); // unknown command
        if (!bAlive)
            return;
    }
}

QList<VpuSimLogEntry> VpuSimModel::Log() const
{
    // Deep copies: nothing the test thread holds shares storage with the list the serving
    // thread appends to (Qt's shared storage is not visible to ThreadSanitizer as synchronised).
    std::unique_lock<std::mutex> tLock(m_Mutex);
    QList<VpuSimLogEntry> tOut;
    tOut.reserve(m_Log.size());
    for (const VpuSimLogEntry &tEntry : std::as_const(m_Log))
        tOut.append(VpuSimLogEntry{tEntry.bFromHost, QByteArray(tEntry.baBytes.constData(), tEntry.baBytes.size()),
                                   tEntry.bRaw});
    return tOut;
}

namespace {

// Entries of the log that pass a filter. A const copy of the log: iterating a non-const one
// would detach it while the serving thread appends.
template <typename Pred> QList<QByteArray> Entries(const QList<VpuSimLogEntry> &tLog, Pred fnTake)
{
    QList<QByteArray> tOut;
    for (const VpuSimLogEntry &tEntry : tLog)
        if (fnTake(tEntry))
            tOut.append(tEntry.baBytes);
    return tOut;
}

} // namespace

QList<QByteArray> VpuSimModel::Requests() const
{
    return Entries(Log(), [](const VpuSimLogEntry &t) { return t.bFromHost; });
}

QList<QByteArray> VpuSimModel::Replies() const
{
    return Entries(Log(), [](const VpuSimLogEntry &t) { return !t.bFromHost; });
}

QList<QByteArray> VpuSimModel::Messages() const
{
    return Entries(Log(), [](const VpuSimLogEntry &t) { return t.bFromHost && !t.bRaw; });
}

void VpuSimModel::ClearLog()
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Log.clear();
    m_Violations.clear();
}

bool VpuSimModel::WaitForRequests(int iCount, int iTimeoutMs) const
{
    const auto tDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(iTimeoutMs);
    std::unique_lock<std::mutex> tLock(m_Mutex);
    for (;;) {
        const auto iHave =
            std::count_if(m_Log.begin(), m_Log.end(), [](const VpuSimLogEntry &t) { return t.bFromHost; });
        if (iHave >= iCount)
            return true;
        if (std::chrono::steady_clock::now() >= tDeadline)
            return false;
        m_Changed.wait_until(tLock, tDeadline);
    }
}

void VpuSimModel::AddLog(bool bFromHost, const QByteArray &baBytes, bool bRaw)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Log.append(VpuSimLogEntry{bFromHost, baBytes, bRaw});
    m_Changed.notify_all();
}

QStringList VpuSimModel::Violations() const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_Violations;
}

void VpuSimModel::AddViolation(const QString &qsText)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Violations.append(qsText);
}

void VpuSimModel::SetReplyBody(quint8 ucReplyId, const QByteArray &baBody)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_ReplyBodies[ucReplyId] = baBody;
}

QByteArray VpuSimModel::ReplyBody(quint8 ucReplyId) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_ReplyBodies.value(ucReplyId);
}

void VpuSimModel::Write(QByteArray &baMem, quint32 uiOffset, const QByteArray &baData, char cFill)
{
    const qsizetype iEnd = qsizetype(uiOffset) + baData.size();
    if (baMem.size() < iEnd)
        baMem.append(QByteArray(iEnd - baMem.size(), cFill));
    std::copy(baData.begin(), baData.end(), baMem.begin() + uiOffset);
}

QByteArray VpuSimModel::Read(const QByteArray &baMem, quint32 uiOffset, quint32 uiSize, char cFill)
{
    QByteArray baOut(qsizetype(uiSize), cFill);
    for (quint32 i = 0; i < uiSize && qsizetype(uiOffset) + i < baMem.size(); ++i)
        baOut[i] = baMem[qsizetype(uiOffset) + i];
    return baOut;
}

QByteArray VpuSimModel::Flash(quint32 uiOffset, quint32 uiSize) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return Read(m_baFlash, uiOffset, uiSize, char(0xFF));
}

void VpuSimModel::SetFlash(quint32 uiOffset, const QByteArray &baData)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    Write(m_baFlash, uiOffset, baData, char(0xFF));
}

QByteArray VpuSimModel::FixtureMemory(const QByteArray &baAddr, quint32 uiOffset, quint32 uiSize) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return Read(m_FixtureMem.value(baAddr), uiOffset, uiSize, char(0xFF));
}

void VpuSimModel::SetFixtureMemory(const QByteArray &baAddr, quint32 uiOffset, const QByteArray &baData)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    Write(m_FixtureMem[baAddr], uiOffset, baData, char(0xFF));
}

QByteArray VpuSimModel::Sdram(quint16 usX, quint16 usY, quint16 usWidth, quint16 usHeight) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    QByteArray baOut;
    for (int y = usY; y < usY + usHeight; ++y)
        baOut += Read(m_baSdram, quint32((qint64(y) * SCREEN_W + usX) * 3), quint32(usWidth) * 3, 0);
    return baOut;
}

void VpuSimModel::SetSdram(quint16 usX, quint16 usY, quint16 usWidth, quint16 usHeight, const QByteArray &baPixels)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    for (int r = 0; r < usHeight; ++r) {
        const int y = usY + r;
        if (y >= SCREEN_H || usX >= SCREEN_W)
            break;
        const int iWidth = std::min<int>(usWidth, SCREEN_W - usX);
        Write(m_baSdram, quint32((y * SCREEN_W + usX) * 3), baPixels.mid(r * usWidth * 3, iWidth * 3), 0);
    }
}

QByteArray VpuSimModel::DmxMap(quint32 uiSlot) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_DmxMaps.value(uiSlot);
}

void VpuSimModel::SetDmxMap(quint32 uiSlot, const QByteArray &baEntries)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_DmxMaps[uiSlot] = baEntries;
}

QByteArray VpuSimModel::VideoPreset(quint32 uiSlot) const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_Presets.value(uiSlot, QByteArray(31, 0));
}

void VpuSimModel::SetVideoPreset(quint32 uiSlot, const QByteArray &baPreset)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_Presets[uiSlot] = baPreset;
}

void VpuSimModel::InstallDefaultHandlers()
{
    for (quint8 ucId : s_aucStatusOnly)
        m_Handlers[ucId] = [](VpuSimRequest &r) { return r.ReplyStatus(r.Status()); };

    for (const TypedReply &tTyped : s_atTypedReplies) {
        m_ReplyBodies[tTyped.ucReply] = QByteArray(tTyped.iBodyLength, 0);
        m_Handlers[tTyped.ucRequest] = [tTyped](VpuSimRequest &r) {
            QByteArray baBody = r.Model().ReplyBody(tTyped.ucReply);
            QByteArray baStatus;
            SimPutU32(baStatus, quint32(r.Status()));
            if (tTyped.iStatusOffset == 0)
                baBody.prepend(baStatus);
            else if (tTyped.iStatusOffset > 0)
                baBody.append(baStatus);
            return r.Reply(tTyped.ucReply, baBody);
        };
    }
    // GET_CONFIG: FPGA V1.2, boot V3.4, soft V5.6, type 0x10000020, serial 0x12345678,
    // manufacturer 0x0000544C.
    m_ReplyBodies[9] = QByteArray::fromHex("0102030405060000"
                                           "20000010"
                                           "78563412"
                                           "4c540000");

    // INIT_COM: five more raw bytes follow the request; three 5-byte pieces answer it.
    m_Handlers[3] = [](VpuSimRequest &r) {
        QByteArray baRaw;
        if (!r.ReadRaw(5, &baRaw))
            return false;
        const QByteArray baEcho = QByteArray::fromHex("0305000000");
        for (int i = 0; i < 3; ++i)
            if (!r.SendRaw(baEcho))
                return false;
        r.Link().ResetRotation();
        return true;
    };

    for (const BulkWrite &tBulk : s_atBulkWrites) {
        m_Handlers[tBulk.ucId] = [tBulk](VpuSimRequest &r) {
            const QByteArray &p = r.Payload();
            quint32 uiSize = 0;
            if (tBulk.iSizeOffset >= 0)
                uiSize = SimGetU32(p, tBulk.iSizeOffset);
            else
                uiSize = quint32(SimGetU16(p, 4)) * SimGetU16(p, 6) * 3;
            // Stored before the last status goes out, so a host that has its answer finds
            // the data in place.
            QByteArray baAll;
            return SimServeBulk(r, uiSize, [&](quint32 uiAt, const QByteArray &baBlock) {
                baAll += baBlock;
                if (uiAt + quint32(baBlock.size()) < uiSize)
                    return 0;
                if (tBulk.ucId == 22)
                    r.Model().SetFlash(SimGetU32(p, 0), baAll);
                else if (tBulk.ucId == 30)
                    r.Model().SetSdram(SimGetU16(p, 0), SimGetU16(p, 2), SimGetU16(p, 4), SimGetU16(p, 6), baAll);
                else
                    r.Model().SetFixtureMemory(p.left(5), SimGetU32(p, 5), baAll);
                return 0;
            });
        };
    }

    // Chunked reads; FIXT_READ_MEM ends with a STATUS_RSP.
    auto fnChunked = [](VpuSimRequest &r, const QByteArray &baData) {
        return SimServeChunks(r, baData, r.Status(), quint32(baData.size()));
    };
    m_Handlers[21] = [fnChunked](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        return fnChunked(r, r.Model().Flash(SimGetU32(p, 0), std::min<quint32>(SimGetU32(p, 4), 64u << 20)));
    };
    m_Handlers[59] = [fnChunked](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const QByteArray baData =
            r.Model().FixtureMemory(p.left(5), SimGetU32(p, 5), std::min<quint32>(SimGetU32(p, 9), 64u << 20));
        if (!fnChunked(r, baData))
            return false;
        return r.Status() != 0 || r.ReplyStatus(0);
    };

    // SDRAM_READ: one DATA_RSP of width x height x 3 pixel bytes, then STATUS_RSP.
    m_Handlers[29] = [](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const QByteArray baPixels = r.Model().Sdram(SimGetU16(p, 0), SimGetU16(p, 2), SimGetU16(p, 4), SimGetU16(p, 6));
        return r.Reply(6, baPixels) && r.ReplyStatus(r.Status());
    };

    // DMX_MAP_WRITE: slot, count, then count x 4 entry bytes in one raw write.
    m_Handlers[31] = [](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QByteArray baEntries;
        if (!r.ReadRaw(int(SimGetU16(p, 4)) * 4, &baEntries))
            return false;
        if (r.Status() == 0)
            r.Model().SetDmxMap(SimGetU32(p, 0), baEntries);
        return r.ReplyStatus(r.Status());
    };
    // DMX_MAP_READ: DATA_RSP {st}, DATA_RSP {i16 count}, DATA_RSP {entries}.
    m_Handlers[32] = [](VpuSimRequest &r) {
        QByteArray baStatus;
        SimPutU32(baStatus, quint32(r.Status()));
        if (!r.Reply(6, baStatus))
            return false;
        if (r.Status() != 0)
            return true;
        const QByteArray baEntries = r.Model().DmxMap(SimGetU32(r.Payload(), 0));
        QByteArray baCount;
        SimPutU16(baCount, quint16(baEntries.size() / 4));
        return r.Reply(6, baCount) && r.Reply(6, baEntries);
    };

    // VIDEO_PRESET_WRITE: slot then 31 preset bytes. VIDEO_PRESET_READ: st, u32, preset.
    m_Handlers[33] = [](VpuSimRequest &r) {
        if (r.Status() == 0)
            r.Model().SetVideoPreset(SimGetU32(r.Payload(), 0), r.Payload().mid(4, 31));
        return r.ReplyStatus(r.Status());
    };
    m_Handlers[34] = [](VpuSimRequest &r) {
        const quint32 uiSlot = SimGetU32(r.Payload(), 0);
        QByteArray baBody;
        SimPutU32(baBody, quint32(r.Status()));
        SimPutU32(baBody, uiSlot);
        baBody += r.Model().VideoPreset(uiSlot);
        return r.Reply(35, baBody);
    };
}

// ---- TCP server ----------------------------------------------------------------------------

namespace {

class TcpSimLink : public VpuSimLink
{
public:
    TcpSimLink(int iSocket, const std::atomic<bool> &bStop) : m_iSocket(iSocket), m_bStop(bStop) {}

    bool ReadExact(int iLength, QByteArray *pbaOut) override
    {
        pbaOut->resize(iLength);
        int iDone = 0;
        while (iDone < iLength) {
            if (m_bStop || m_bDropped)
                return false;
            pollfd tFd{m_iSocket, POLLIN, 0};
            const int iReady = ::poll(&tFd, 1, 50);
            if (iReady < 0 && errno != EINTR)
                return false;
            if (iReady <= 0)
                continue;
            const ssize_t llGot = ::recv(m_iSocket, pbaOut->data() + iDone, size_t(iLength - iDone), 0);
            if (llGot < 0 && errno == EINTR)
                continue;
            if (llGot <= 0)
                return false;
            iDone += int(llGot);
        }
        return true;
    }

    bool Send(const QByteArray &baBytes, bool bOneByteAtATime) override
    {
        const int iStep = bOneByteAtATime ? 1 : int(baBytes.size());
        for (int iDone = 0; iDone < baBytes.size();) {
            if (m_bDropped)
                return false;
            const ssize_t llSent = ::send(m_iSocket, baBytes.constData() + iDone,
                                          size_t(std::min<int>(iStep, baBytes.size() - iDone)), MSG_NOSIGNAL);
            if (llSent < 0 && errno == EINTR)
                continue;
            if (llSent <= 0)
                return false;
            iDone += int(llSent);
            if (bOneByteAtATime)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    void Drop() override
    {
        m_bDropped = true;
        ::shutdown(m_iSocket, SHUT_RDWR);
    }

private:
    int m_iSocket;
    const std::atomic<bool> &m_bStop;
    bool m_bDropped = false;
};

} // namespace

VpuSimulator::VpuSimulator(const QString &qsAddress) : m_qsAddress(qsAddress) {}

VpuSimulator::~VpuSimulator()
{
    Stop();
}

bool VpuSimulator::Start(quint16 usPort)
{
    if (m_iListen >= 0)
        return false;
    m_iListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_iListen < 0)
        return false;
    const int iOne = 1;
    ::setsockopt(m_iListen, SOL_SOCKET, SO_REUSEADDR, &iOne, sizeof(iOne));
    sockaddr_in tAddr{};
    tAddr.sin_family = AF_INET;
    tAddr.sin_port = htons(usPort);
    if (::inet_pton(AF_INET, m_qsAddress.toLatin1().constData(), &tAddr.sin_addr) != 1 ||
        ::bind(m_iListen, reinterpret_cast<sockaddr *>(&tAddr), sizeof(tAddr)) != 0 || ::listen(m_iListen, 4) != 0) {
        ::close(m_iListen);
        m_iListen = -1;
        return false;
    }
    socklen_t uiLen = sizeof(tAddr);
    ::getsockname(m_iListen, reinterpret_cast<sockaddr *>(&tAddr), &uiLen);
    m_usPort = ntohs(tAddr.sin_port);
    m_bStop = false;
    m_Thread = std::thread([this] { Run(); });
    return true;
}

void VpuSimulator::Stop()
{
    m_bStop = true;
    m_Model.Stop();
    if (m_Thread.joinable())
        m_Thread.join();
    if (m_iListen >= 0) {
        ::close(m_iListen);
        m_iListen = -1;
    }
}

void VpuSimulator::Run()
{
    while (!m_bStop) {
        pollfd tFd{m_iListen, POLLIN, 0};
        if (::poll(&tFd, 1, 50) <= 0)
            continue;
        const int iSocket = ::accept4(m_iListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (iSocket < 0)
            continue;
        const int iOne = 1;
        ::setsockopt(iSocket, IPPROTO_TCP, TCP_NODELAY, &iOne, sizeof(iOne));
        ++m_iConnections;
        TcpSimLink tLink(iSocket, m_bStop);
        m_Model.Serve(tLink);
        ::close(iSocket);
    }
}

namespace {

QByteArray SimStatusBody(int iStatus)
{
    QByteArray ba;
    SimPutU32(ba, quint32(iStatus));
    return ba;
}

} // namespace

bool SimServeBulk(VpuSimRequest &r, quint32 uiSize, const std::function<int(quint32, const QByteArray &)> &fnBlock)
{
    quint32 uiDone = 0;
    while (uiDone < uiSize) {
        const quint32 uiBlock = std::min<quint32>(uiSize - uiDone, 1920);
        QByteArray baBlock;
        if (!r.ReadRaw(int(uiBlock), &baBlock))
            return false;
        int iStatus = r.Status();
        if (iStatus == 0)
            iStatus = fnBlock(uiDone, baBlock);
        if (!r.ReplyStatus(iStatus))
            return false;
        if (iStatus != 0)
            return true;
        uiDone += uiBlock;
    }
    return true;
}

bool SimServeChunks(VpuSimRequest &r, const QByteArray &baData, int iStatus, quint32 uiRequested)
{
    quint32 uiDone = 0;
    const quint32 uiSize = quint32(baData.size());
    if (iStatus != 0)
        return uiRequested == 0 ||
               r.Reply(6, SimStatusBody(iStatus) + QByteArray(int(std::min<quint32>(uiRequested, 1916)), 0));
    while (uiDone < uiSize) {
        const quint32 uiChunk = std::min<quint32>(uiSize - uiDone, 1916);
        if (!r.Reply(6, SimStatusBody(0) + baData.mid(uiDone, uiChunk)))
            return false;
        uiDone += uiChunk;
    }
    return true;
}
