#pragma once
// A stand-in VPU for the tests: the protocol model (VpuSimModel: one handler per message
// id, with the state that the handlers keep), served over loopback TCP by VpuSimulator or
// behind the fake USB backend (fakeusb.h). Every message is logged byte for byte in both
// directions, and faults can be injected per message id.
//
// The model is written from the protocol tables with explicit byte offsets; it never uses
// the program's record structs, so a layout mistake on either side shows up as a failure.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Little-endian field access at explicit offsets.
quint16 SimGetU16(const QByteArray &ba, int iOffset);
quint32 SimGetU32(const QByteArray &ba, int iOffset);
void SimPutU16(QByteArray &ba, quint16 usValue);
void SimPutU32(QByteArray &ba, quint32 uiValue);
QByteArray SimHeader(quint8 ucId, quint32 uiLength);

// What to do wrong when answering one message id.
struct VpuSimFault
{
    int iStatus = 0;              // VPU status the handlers put in their replies
    int iDelayMs = 0;             // wait before answering
    bool bSilent = false;         // never answer
    int iReplyId = -1;            // id put in the first reply header instead of the right one
    qint64 llReplyLength = -1;    // Length put in the first reply header instead of the right one
    int iCloseAfterBytes = -1;    // close the connection after this many reply bytes
    bool bOneByteAtATime = false; // each reply byte in a write of its own
    int iAfter = 0;               // requests of this id answered rightly before the fault applies
};

struct VpuSimLogEntry
{
    bool bFromHost;
    QByteArray baBytes; // one request (header + payload), raw block, or reply piece
    bool bRaw = false;  // raw bytes that followed a request (bulk data)
};

// The byte stream between the model and the host: a TCP connection or the USB endpoints.
class VpuSimLink
{
public:
    virtual ~VpuSimLink() = default;
    // Blocks for exactly iLength bytes; false when the host went away or the link stops.
    virtual bool ReadExact(int iLength, QByteArray *pbaOut) = 0;
    virtual bool Send(const QByteArray &baBytes, bool bOneByteAtATime) = 0;
    virtual void Drop() = 0;
    // INIT_COM puts the USB endpoint rotation back to the first endpoint.
    virtual void ResetRotation() {}
};

class VpuSimModel;

// One request being answered, as a handler sees it.
class VpuSimRequest
{
public:
    VpuSimRequest(VpuSimModel &tModel, VpuSimLink &tLink, quint8 ucId, const QByteArray &baPayload,
                  const VpuSimFault &tFault);
    quint8 Id() const { return m_ucId; }
    const QByteArray &Payload() const { return m_baPayload; }
    int Status() const { return m_tFault.iStatus; }
    VpuSimModel &Model() { return m_tModel; }
    VpuSimLink &Link() { return m_tLink; }

    // Raw bytes that follow the request (bulk data); logged as from the host.
    bool ReadRaw(int iLength, QByteArray *pbaOut);
    // A message: header then body. The fault's id, length and closing apply here.
    bool Reply(quint8 ucId, const QByteArray &baBody);
    bool ReplyStatus(int iStatus);
    // Bytes with no header (the INIT_COM answer).
    bool SendRaw(const QByteArray &baBytes);

private:
    bool SendPiece(QByteArray baPiece, int iSplitAt);
    VpuSimModel &m_tModel;
    VpuSimLink &m_tLink;
    quint8 m_ucId;
    QByteArray m_baPayload;
    VpuSimFault m_tFault;
    bool m_bFirstPiece = true;
    qint64 m_llSent = 0;
};

// Reads a bulk write's data as the host sends it: blocks of at most 1920 bytes, each answered
// with a status; fnBlock stores a block (its offset in the data) and gives the status for it.
bool SimServeBulk(VpuSimRequest &r, quint32 uiSize, const std::function<int(quint32, const QByteArray &)> &fnBlock);
// Chunked read: DATA_RSP of a status and at most 1916 bytes until the data are served. A
// refused read answers one chunk of the requested length with the status and no meaning.
bool SimServeChunks(VpuSimRequest &r, const QByteArray &baData, int iStatus, quint32 uiRequested);

class VpuSimModel
{
public:
    // A handler answers one request; false when the link broke while it did.
    using Handler = std::function<bool(VpuSimRequest &)>;

    VpuSimModel();
    void SetHandler(quint8 ucId, Handler fnHandler);
    void SetFault(quint8 ucId, const VpuSimFault &tFault);
    void ClearFaults();

    // Serves requests over the link until it ends or Stop() is called.
    void Serve(VpuSimLink &tLink);
    void Stop();
    bool Stopping() const { return m_bStop; }
    // Waits iMs unless the model stops first.
    void SleepMs(int iMs);

    QList<VpuSimLogEntry> Log() const;
    QList<QByteArray> Requests() const; // host-to-VPU entries
    QList<QByteArray> Replies() const;  // VPU-to-host entries
    QList<QByteArray> Messages() const; // host-to-VPU requests (header + payload), no raw data
    void ClearLog();
    bool WaitForRequests(int iCount, int iTimeoutMs) const;
    void AddLog(bool bFromHost, const QByteArray &baBytes, bool bRaw = false);
    // Requests whose Length did not match the protocol table, and other misuse.
    QStringList Violations() const;
    void AddViolation(const QString &qsText);

    // State kept by the default handlers.
    void SetReplyBody(quint8 ucReplyId, const QByteArray &baBody);
    QByteArray ReplyBody(quint8 ucReplyId) const;
    QByteArray Flash(quint32 uiOffset, quint32 uiSize) const;
    void SetFlash(quint32 uiOffset, const QByteArray &baData);
    QByteArray FixtureMemory(const QByteArray &baAddr, quint32 uiOffset, quint32 uiSize) const;
    void SetFixtureMemory(const QByteArray &baAddr, quint32 uiOffset, const QByteArray &baData);
    QByteArray Sdram(quint16 usX, quint16 usY, quint16 usWidth, quint16 usHeight) const;
    void SetSdram(quint16 usX, quint16 usY, quint16 usWidth, quint16 usHeight, const QByteArray &baPixels);
    QByteArray DmxMap(quint32 uiSlot) const; // count x 4 entry bytes
    void SetDmxMap(quint32 uiSlot, const QByteArray &baEntries);
    QByteArray VideoPreset(quint32 uiSlot) const; // 31 bytes
    void SetVideoPreset(quint32 uiSlot, const QByteArray &baPreset);

    // Payload length of each request id in the protocol table (-1: not a request).
    static int RequestLength(quint8 ucId);
    // Largest payload the model accepts before it drops the connection.
    static constexpr quint32 MAX_PAYLOAD = 1 << 20;

private:
    void InstallDefaultHandlers();
    static void Write(QByteArray &baMem, quint32 uiOffset, const QByteArray &baData, char cFill);
    static QByteArray Read(const QByteArray &baMem, quint32 uiOffset, quint32 uiSize, char cFill);

    mutable std::mutex m_Mutex; // std:: primitives: Qt is not built for ThreadSanitizer
    mutable std::condition_variable m_Changed;
    std::atomic<bool> m_bStop{false};
    QHash<quint8, Handler> m_Handlers;
    QHash<quint8, VpuSimFault> m_Faults;
    QHash<quint8, int> m_FaultSeen; // requests of an id since its fault was set
    QList<VpuSimLogEntry> m_Log;
    QStringList m_Violations;
    QHash<quint8, QByteArray> m_ReplyBodies;
    QByteArray m_baFlash;
    QHash<QByteArray, QByteArray> m_FixtureMem;
    QByteArray m_baSdram; // 2048 x 6144 x 3, grows with writes
    QHash<quint32, QByteArray> m_DmxMaps;
    QHash<quint32, QByteArray> m_Presets;
};

// The model served over TCP on a loopback address, one connection at a time, in a thread
// of its own.
class VpuSimulator
{
public:
    explicit VpuSimulator(const QString &qsAddress);
    ~VpuSimulator();
    // Listens on the address (port 0: any free port); false when that failed.
    bool Start(quint16 usPort = 0);
    void Stop();
    quint16 Port() const { return m_usPort; }
    QString Address() const { return m_qsAddress; }
    VpuSimModel &Model() { return m_Model; }
    int ConnectionCount() const { return m_iConnections; }

private:
    void Run();
    QString m_qsAddress;
    quint16 m_usPort = 0;
    int m_iListen = -1;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_iConnections{0};
    std::thread m_Thread;
    VpuSimModel m_Model;
};
