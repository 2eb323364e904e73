#pragma once
// The one VPU link of the program, owned by the main window. On the GUI thread it opens and
// closes the link and offers one request function per VPU message; each request function
// only queues its request. The object's own thread (the worker) takes the requests one at a
// time in posting order, runs the exchange over the transport and reports the outcome
// through the message's completion signal, exactly once per request, failures included.
//
// The wire carries no sequence numbers, so a reply is always the next thing read: after a
// transport failure the stream position is unknown and the worker takes no further request
// until the link has been reopened. It asks for that through sigRestartComMsg; the restart
// itself (s_OnRestartComMsg) runs on the GUI thread while the main window has it armed.

#include "comm/com.h"
#include "comm/vpumsg.h"
#include "comm/vpurecords.h"
#include "config/dmxconf.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

#pragma pack(push, 1)

// What a fixture keeps of its making, written once by the factory tools (146 bytes).
struct FixtureFactoryParam_t
{
    quint32 SerialNumber;
    quint32 Type; // board type
    quint32 ManufacturerCode;
    quint8 SizeX;
    quint8 SizeY;
    quint8 Reserved1[2];
    FixtureTileWire_t tiles[4];
    FixtureSensorWire_t sensor0;
    quint8 Reserved2[14];
    FixtureSensorWire_t sensor1;
    quint8 Reserved3[14];
    FixtureSensorWire_t sensor2;
    quint8 Reserved4[14];
    FixtureSensorWire_t sensor3;
};
static_assert(sizeof(FixtureFactoryParam_t) == 146);

#pragma pack(pop)

class CVpuCom : public QThread
{
    Q_OBJECT

public:
    enum ComType_t : quint32 {
        COM_TYPE_NONE = 1,
        COM_TYPE_USB = 2,
        COM_TYPE_NET = 3,
    };

    // Lengths of the fixed blocks some request functions take as built by their callers.
    static constexpr int FIXT_SCENE_BLOCK_SIZE = 14;
    static constexpr int FIXT_WRITE_CONFIG_SIZE = 51;
    // Below this offset the fixture flash holds what only the factory may change.
    static constexpr quint32 FIXT_FLASH_READ_ONLY_END = 0xC0000;
    // Size of the VPU's flash; a read beyond it is refused before anything is sent.
    static constexpr quint32 VPU_FLASH_SIZE = 0x2000000;
    // Largest fixture memory read taken in one request.
    static constexpr quint32 FIXT_MEM_READ_MAX = 0x1000000;
    // Size of a fixture's flash.
    static constexpr quint32 FIXT_FLASH_SIZE = 0x200000;

    explicit CVpuCom(QObject *pParent = nullptr);
    ~CVpuCom() override;

    int SetUsbParams(quint16 usVid, quint16 usPid, quint16 usDeviceIndex);
    int SetNetParams(const QString &qsHost, quint16 usPort);
    void GetComType(quint32 *puiType) const;

    // Opens the transport of the stored kind and starts the worker: 0, -3 when already open,
    // -4 without a link kind, or the transport's code (the link then stays closed).
    int Open();
    // Stops the worker, at the earliest when the running request has ended, and deletes the
    // transport. Requests still queued stay queued for the next Open.
    void Close();
    int CloseIfOpen();
    bool IsOpen() const { return m_bOpened; }
    // What the system said when the last Open failed to reach the VPU over the network;
    // empty when the failure has no such cause.
    QString OpenError() const { return m_qsOpenError; }

    // Queues a request; the payload is copied. Always 0.
    int PostRequest(VpuMsgId_t eId, quint32 uiLength, const char *pcData, quint32 uiTimeoutMs);

    // Several senders share one completion signal (the fixture panels, the group runs, the
    // test tools): each request gets a ticket when it is queued, and while a completion
    // signal is being delivered on the GUI thread, ReplyTicket() is the ticket of the request
    // it completes. A sender keeps LastTicket() after its request function and takes a reply
    // as its own only when the tickets match. 0 is never a ticket.
    quint64 LastTicket() const;
    quint64 ReplyTicket() const { return m_uiReplyTicket; }

    // Budget of each request posted from now on (60000 ms unless a test shortens it).
    void SetRequestTimeoutMs(quint32 uiTimeoutMs) { m_uiRequestTimeoutMs = uiTimeoutMs; }
    quint32 RequestTimeoutMs() const { return m_uiRequestTimeoutMs; }

    // Request functions, one per message; each returns what PostRequest returns unless named.
    int GetStatus();
    int InitCom();
    int McuFlashProgram(quint32 uiAddress, quint32 uiValue);
    int VpuSoftReset();
    int SetFactoryParam(quint32 uiType, quint32 uiSerialNumber, quint32 uiManufacturerCode);
    int GetConfig();
    int SetVideoSettings(VideoSettings_t tSettings);
    int GetVideoInputFormat(quint8 ucInput);
    int SetVideoInCorr(InputCorr_t tInputCorr);
    int SetGamma(quint8 ucMode, quint16 usGammaRed, quint16 usGammaGreen, quint16 usGammaBlue);
    // Sends the white-balance part of the output correction (mode, temperature, coefficients).
    int SetColorTemp(const OutputCorr_t &tOutputCorr);
    int SetFullScreenTestColor(Color_t tColor);
    int FreezeVideoOutput();
    int ShowFixtNum();
    int StopTestPattern();
    int FlashErase(quint32 uiOffset, quint32 uiSize);
    int FlashRead(quint32 uiOffset, quint32 uiSize);
    // The data is copied at once.
    int FlashWrite(quint32 uiOffset, quint32 uiSize, quint8 ucFlag, const char *pcData);
    int FpgaRegRead(quint8 ucFirst, quint16 usSecond);
    int FpgaRegWrite(quint8 ucFirst, quint16 usSecond, quint8 ucMask, quint8 ucValue);
    int I2cRead(I2cRegister_t tI2cReg);
    int I2cWrite(I2cRegister_t tI2cReg);
    int SdramRead(SdramRect_t tRect);
    // Width x Height pixels, row by row, copied at once.
    int SdramWrite(SdramRect_t tRect, const Color_t *ptPixels);
    int DmxMapWrite(quint32 uiSlot, const QList<DMX_Mapping_t> &lMapping);
    int DmxMapRead(quint32 uiSlot);
    int VideoPresetWrite(quint32 uiSlot, VideoPreset_t tPreset);
    int VideoPresetRead(quint32 uiSlot);
    int FixtReadReg(FixtureAddr_t tAddr, quint32 uiRegister);
    int FixtWriteReg(FixtureAddr_t tAddr, quint32 uiRegister, quint32 uiValue);
    int FixtEnumerate();
    int FixtGetNumber();
    int FixtGetConfig(FixtureAddr_t tAddr);
    int FixtGetSensorValues(FixtureAddr_t tAddr);
    int SasuSetConfig(FixtureAddr_t tAddr, SasuConfig_t tSasuConfig);
    int SasuGetConfig(FixtureAddr_t tAddr);
    // uiOrigin = x + y x 65536.
    int FixtSetOrigin(FixtureAddr_t tAddr, quint32 uiOrigin);
    // -4 without queuing when the block is not 14 bytes.
    int FixtSetScene(FixtureAddr_t tAddr, const QByteArray &baScene);
    int FixtSetLuminosity(FixtureAddr_t tAddr, quint32 uiRegister);
    // pucTiles: the four 4-byte tiles in order.
    int FixtSetRotation(FixtureAddr_t tAddr, quint32 uiOrigin, qint16 sAngle, quint16 usAnchorX, quint16 usAnchorY,
                        const quint8 *pucTiles);
    int FixtWriteFactoryParam(FixtureAddr_t tAddr, FixtureFactoryParam_t tParam);
    // The 51-byte block as the fixture builds it, address first; -4 without queuing otherwise.
    int FixtWriteConfig(const QByteArray &baBlock);
    int FixtReboot(FixtureAddr_t tAddr);
    // Both refuse the read-only area of the fixture flash (-4, nothing queued, no signal)
    // unless factory mode is on.
    int FixtEraseFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize);
    int FixtWriteFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize, const char *pcData);
    int ResetFixtures();
    int FixtReadMem(FixtureMemReq_t tReq);
    // The first Size bytes of the data are copied at once.
    int FixtWriteMem(FixtureMemReq_t tReq, const char *pcData);

    // Sector (start, size) that holds a flash offset: always 0 for the VPU flash; -1 for a
    // fixture flash offset beyond its end.
    static int GetVpuFlashSector(quint32 uiOffset, quint32 *puiStart, quint32 *puiSize);
    static int GetFixtureFlashSector(quint32 uiOffset, quint32 *puiStart, quint32 *puiSize);

    // Flash sequencers: write a range of any size into a flash, erasing each sector before
    // the first byte goes into it, one request at a time. Each ends with exactly one done
    // signal carrying 0 or the first failing status, also when the first step already fails
    // (the signal then comes before the call returns). The data stays the caller's and must
    // live until the done signal. Return the result of the first step; -3 without any signal
    // while a job of the same kind is still running.
    int WriteVpuFlash(quint32 uiOffset, quint32 uiSize, quint8 ucFlag, const quint8 *pucData);
    int WriteFixtureFlash(FixtureAddr_t tFixture, quint32 uiOffset, quint32 uiSize, const quint8 *pucData);

    // A fixture hands back each 32-bit word of its flash byte-reversed: 0 when every word of
    // b is the word of a at the same place with its bytes reversed, -1 at the first that is
    // not (and for a negative length).
    static int CompareSwapped32(const quint8 *pucA, const quint8 *pucB, int iLength);

signals:
    void sigStatusMsg(int iStatus);
    void sigRestartComMsg(int iReturn);
    void sigInitCom(int iStatus);
    void sigMcuFlashProgram(int iStatus);
    void sigVpuSoftReset(int iStatus);
    void sigSetFactoryParam(int iStatus);
    void sigGetConfig(int iStatus, VpuConfig_t tVpuConfig);
    void sigSetVideoSettings(int iStatus);
    void sigGetVideoInputFormat(int iStatus, VideoInFormat_t tVideoInFormat);
    void sigSetVideoInCorrection(int iStatus);
    void sigSetGamma(int iStatus);
    void sigSetColorTemp(int iStatus);
    void sigSetFullScreenTestColor(int iStatus);
    void sigSetFreezeVideoOutput(int iStatus);
    void sigShowFixtNumber(int iStatus);
    void sigStopTestPattern(int iStatus);
    void sigFpgaRegReadMsg(int iStatus, unsigned char ucValue);
    void sigFpgaRegWriteMsg(int iStatus);
    void sigI2cReadMsg(int iStatus, I2cRegister_t tI2cReg);
    void sigI2cWriteMsg(int iStatus, I2cRegister_t tI2cReg);
    void sigFlashEraseMsg(int iStatus, uint uiOffset);
    void sigFlashWriteMsg(int iStatus);
    // The data buffers below are empty when nothing was received.
    void sigFlashReadMsg(int iStatus, uint uiOffset, uint uiLength, QByteArray baData);
    void sigSdramWriteMsg(int iStatus);
    void sigSdramReadMsg(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels);
    void sigDmxMapWrite(int iStatus);
    void sigDmxMapRead(int iStatus, short sDmxCmdNum, QByteArray baData);
    void sigVideoPresetWrite(int iStatus);
    void sigVideoPresetRead(int iStatus, VideoPreset_t tVideoPreset);
    void sigEnumerateFixturesMsg(int iStatus);
    void sigFixturesNumbersMsg(int iStatus, FixturesNum_t tFixturesNum);
    void sigGetFixtureConfigMsg(int iStatus, FixtureConfig_t tFixtConfig, SasuConfig_t tSasuConfig);
    void sigSetSasuConfigMsg(int iStatus);
    void sigGetSasuConfigMsg(int iStatus, SasuConfig_t tSasuConfig);
    void sigGetSensorsValuesMsg(int iStatus, SensorValues_t tSensorsValues);
    void sigSetFixtureOriginMsg(int iStatus);
    void sigSetFixtureSceneMsg(int iStatus);
    void sigSetFixtureLuminosityMsg(int iStatus);
    void sigSetFixtureRotationMsg(int iStatus);
    void sigRebootFixtureMsg(int iStatus);
    void sigWriteFixtureFactoryParamMsg(int iStatus);
    void sigWriteFixtureConfigMsg(int iStatus);
    void sigEraseFixtureFlashMsg(int iStatus);
    void sigWriteFixtureFlashMsg(int iStatus);
    void sigReadFixtureRegMsg(int iStatus, uint uiValue);
    void sigWriteFixtureRegMsg(int iStatus);
    void sigResetFixturesMsg(int iStatus);
    void sigWriteFixtureMemMsg(int iStatus);
    void sigReadFixtureMemMsg(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData);
    void sigVpuFlashDone(int iStatus);
    void sigFixtureFlashDone(int iStatus);
    // The restart's way to the main window's online state; GUI thread, so the main window
    // connects it directly to its SetOnline.
    void sigSetOnline(bool bOnline);
    // The worker starts the request with this ticket; emitted before its completion signal,
    // so that ReplyTicket() is set when the completion reaches the GUI thread.
    void sigTicketStarted(quint64 uiTicket);

public slots:
    // Closes, reopens and re-initialises the link after a transport failure. A request for a
    // restart that the current opening has already had, or that comes from an earlier
    // opening, is ignored.
    void s_OnRestartComMsg(int iReturn);

    // Completions of the sequencers' own requests, connected only while a job runs.
    void s_OnEraseVpuFlashDone(int iStatus, uint uiOffset);
    void s_OnWriteVpuFlashDone(int iStatus);
    void s_OnEraseFixtureFlashDone(int iStatus);
    void s_OnWriteFixtureFlashDone(int iStatus);

protected:
    void run() override;

private:
    struct Request_t
    {
        VpuMsgId_t eId;
        QByteArray baPayload;
        quint32 uiTimeoutMs;
        quint64 uiTicket = 0;
    };

    int Post(VpuMsgId_t eId, const QByteArray &baPayload);
    int Execute(VpuMsgId_t eId);

    // Exchange helpers over the current payload and budget. They return the transport code;
    // *piStatus receives the status to emit (the transport code on failure, else the VPU's).
    int ExchangeStatus(VpuMsgId_t eId, int *piStatus);
    int ExchangeTyped(VpuMsgId_t eId, quint8 ucReplyId, quint32 uiReplyLength, QByteArray *pbaReply);
    int ExchangeBulk(VpuMsgId_t eId, quint32 uiParamLength, int *piStatus, const char *pcVpuFailTrace);
    void Report(int iStatus, const char *pcFailMsg, const char *pcSuccess);

    // Executors, worker thread only; each emits its message's signal once and returns the
    // transport code.
    int ExecInitCom();
    int ExecGetConfig();
    int ExecGetVideoInputFormat();
    int ExecFlashErase();
    int ExecFlashRead();
    int ExecFlashWrite();
    int ExecFpgaRegRead();
    int ExecI2cRead();
    int ExecI2cWrite();
    int ExecSdramRead();
    int ExecSdramWrite();
    int ExecDmxMapWrite();
    int ExecDmxMapRead();
    int ExecVideoPresetRead();
    int ExecFixtReadReg();
    int ExecFixtGetNumber();
    int ExecFixtGetConfig();
    int ExecFixtGetSensorValues();
    int ExecSasuGetConfig();
    int ExecFixtEraseFlash();
    int ExecFixtWriteFlash();
    int ExecFixtReadMem();
    int ExecFixtWriteMem();
    int ExecChunkedRead(VpuMsgId_t eId, quint32 uiSize, quint32 uiMaxEnd, quint32 uiOffset, QByteArray *pbaData,
                        int *piStatus, const char *pcChunkFailTrace, bool *pbSent);

    void TracePreset(const VideoPreset_t &tPreset);

    static constexpr quint32 NONE_ERASED = 0xFFFFFFFF;
    // One flash sequence in progress (GUI thread).
    struct FlashJob_t
    {
        bool bRunning = false;
        bool bFixture = false;
        quint8 ucFlag = 0;        // VPU flash: passed to every write
        FixtureAddr_t tFixture{}; // fixture flash: whose
        const quint8 *pucData = nullptr;
        quint32 uiOffset = 0;   // next flash offset
        quint32 uiPosition = 0; // next byte of the data
        quint32 uiRemaining = 0;
        quint32 uiLastErased = NONE_ERASED;
        QMetaObject::Connection tEraseConn;
        QMetaObject::Connection tWriteConn;
    };

    int StartFlashJob(FlashJob_t &tJob, quint32 uiSize);
    int FlashJobStep(FlashJob_t &tJob);
    void FlashJobDone(FlashJob_t &tJob, int iStatus);
    void FinishFlashJob(FlashJob_t &tJob, int iStatus);

    // Link parameters and transport (GUI thread; the worker uses the transport while it runs).
    quint16 m_usPort = 0;
    QString m_qsHost;
    quint16 m_usVid = 0;
    quint16 m_usPid = 0;
    quint16 m_usDeviceIndex = 0;
    CCom *m_pCom = nullptr;
    quint32 m_uiComType = COM_TYPE_NONE;
    QString m_qsOpenError;

    // Guarded by m_Mutex.
    QList<Request_t> m_lRequests;
    // Requests ever queued, read by the worker without the mutex while it waits awake.
    std::atomic<quint64> m_uiQueuedCount{0};
    bool m_bStop = false;
    bool m_bLinkFailed = false; // the current opening has lost its stream position
    mutable QMutex m_Mutex;
    QWaitCondition m_WakeWorker;

    // Worker thread only while it runs.
    QByteArray m_baCurrentPayload;
    quint32 m_uiCurrentTimeoutMs = 0;
    quint64 m_uiCurrentTicket = 0;

    // GUI thread only.
    bool m_bFactoryMode = false;
    bool m_bOpened = false;
    bool m_bRestarting = false;
    FlashJob_t m_tVpuFlashJob;
    FlashJob_t m_tFixtFlashJob;
    quint32 m_uiRequestTimeoutMs = VPU_REQUEST_TIMEOUT_MS;
    quint64 m_uiLastTicket = 0;  // guarded by m_Mutex
    quint64 m_uiReplyTicket = 0; // GUI thread
};
