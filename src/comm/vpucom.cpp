#include "comm/vpucom.h"

#include "comm/condwait.h"
#include "comm/netcom.h"
#include "comm/usbcom.h"
#include "config/softconf.h"
#include "config/texttables.h"
#include "trace/trace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <cstring>
#include <limits>

namespace {

void RegisterMetaTypes()
{
    static const bool s_bDone = [] {
        qRegisterMetaType<VideoInFormat_t>("VideoInFormat_t");
        qRegisterMetaType<I2cRegister_t>("I2cRegister_t");
        qRegisterMetaType<SdramRect_t>("SdramRect_t");
        qRegisterMetaType<FixturesNum_t>("FixturesNum_t");
        qRegisterMetaType<FixtureConfig_t>("FixtureConfig_t");
        qRegisterMetaType<SensorValues_t>("SensorValues_t");
        qRegisterMetaType<SasuConfig_t>("SasuConfig_t");
        qRegisterMetaType<FixtureMemReq_t>("FixtureMemReq_t");
        qRegisterMetaType<DMX_Mapping_t>("DMX_Mapping_t");
        qRegisterMetaType<VideoPreset_t>("VideoPreset_t");
        qRegisterMetaType<VpuConfig_t>("VpuConfig_t");
        return true;
    }();
    Q_UNUSED(s_bDone);
}

// The slot's name as traces show it (the untranslated text).
QByteArray SlotName(quint32 uiSlot)
{
    return VpuMemorySlotNames.value(int(uiSlot), QString::number(uiSlot)).toUtf8();
}

} // namespace

CVpuCom::CVpuCom(QObject *pParent) : QThread(pParent), m_bFactoryMode(g_SoftConf.GetFactoryMode())
{
    RegisterMetaTypes();
    // Queued (the worker emits it): it reaches the GUI thread in order with the completions.
    connect(this, &CVpuCom::sigTicketStarted, this, [this](quint64 uiTicket) { m_uiReplyTicket = uiTicket; });
}

CVpuCom::~CVpuCom()
{
    CloseIfOpen();
}

int CVpuCom::SetUsbParams(quint16 usVid, quint16 usPid, quint16 usDeviceIndex)
{
    m_uiComType = COM_TYPE_USB;
    m_usVid = usVid;
    m_usPid = usPid;
    m_usDeviceIndex = usDeviceIndex;
    return 0;
}

int CVpuCom::SetNetParams(const QString &qsHost, quint16 usPort)
{
    m_uiComType = COM_TYPE_NET;
    m_qsHost = qsHost;
    m_usPort = usPort;
    return 0;
}

void CVpuCom::GetComType(quint32 *puiType) const
{
    *puiType = m_uiComType;
}

int CVpuCom::Open()
{
    // A second transport on top of a running worker would leave the first one to a thread
    // that nobody stops.
    if (m_bOpened)
        return COM_ERR_FAILED;

    int iStatus = COM_OK;
    m_qsOpenError.clear();
    if (m_uiComType == COM_TYPE_NET) {
        auto *pNet = new CNetCom;
        iStatus = pNet->Connect(m_qsHost.toUtf8().constData(), m_usPort);
        if (iStatus != COM_OK) {
            m_qsOpenError = pNet->LastConnectError();
            delete pNet;
            return iStatus;
        }
        m_pCom = pNet;
    } else if (m_uiComType == COM_TYPE_USB) {
        auto *pUsb = new CUsbCom;
        iStatus = pUsb->SetVidPid(m_usVid, m_usPid);
        if (iStatus == COM_OK)
            iStatus = pUsb->SelectDevice(m_usDeviceIndex);
        if (iStatus == COM_OK)
            iStatus = pUsb->Open();
        if (iStatus != COM_OK) {
            delete pUsb;
            return iStatus;
        }
        m_pCom = pUsb;
    } else {
        return COM_ERR_PARAM;
    }

    {
        QMutexLocker lock(&m_Mutex);
        m_bStop = false;
        m_bLinkFailed = false;
    }
    start();
    QCoreApplication::processEvents();
    m_bOpened = true;
    return COM_OK;
}

void CVpuCom::Close()
{
    {
        QMutexLocker lock(&m_Mutex);
        m_bStop = true;
        m_WakeWorker.wakeAll();
    }
    wait();
    {
        // The worker's last act was to give the mutex up: taking it orders everything the
        // worker did before the transport is deleted (QThread::wait alone is invisible to
        // a ThreadSanitizer build).
        QMutexLocker lock(&m_Mutex);
    }
    if (m_pCom != nullptr) {
        m_pCom->Close();
        delete m_pCom;
        m_pCom = nullptr;
    }
    m_bOpened = false;
}

int CVpuCom::CloseIfOpen()
{
    if (m_bOpened)
        Close();
    return 0;
}

int CVpuCom::PostRequest(VpuMsgId_t eId, quint32 uiLength, const char *pcData, quint32 uiTimeoutMs)
{
    QByteArray baPayload =
        (uiLength != 0 && pcData != nullptr) ? QByteArray(pcData, qsizetype(uiLength)) : QByteArray();
    QMutexLocker lock(&m_Mutex);
    m_lRequests.append(Request_t{eId, std::move(baPayload), uiTimeoutMs, ++m_uiLastTicket});
    m_uiQueuedCount.fetch_add(1, std::memory_order_release);
    m_WakeWorker.wakeOne();
    return 0;
}

int CVpuCom::Post(VpuMsgId_t eId, const QByteArray &baPayload)
{
    QMutexLocker lock(&m_Mutex);
    m_lRequests.append(Request_t{eId, baPayload, m_uiRequestTimeoutMs, ++m_uiLastTicket});
    m_uiQueuedCount.fetch_add(1, std::memory_order_release);
    m_WakeWorker.wakeOne();
    return 0;
}

quint64 CVpuCom::LastTicket() const
{
    QMutexLocker lock(&m_Mutex);
    return m_uiLastTicket;
}

void CVpuCom::run()
{
    constexpr qint64 kAwakeNs = 100000;
    QMutexLocker lock(&m_Mutex);
    bool bJustDone = false;
    for (;;) {
        // The receiver of a reply often asks again at once: a moment awake after a request
        // takes the next one without the cost of being woken from sleep.
        if (bJustDone && !m_bStop && m_lRequests.isEmpty()) {
            const quint64 uiSeen = m_uiQueuedCount.load(std::memory_order_acquire);
            lock.unlock();
            QElapsedTimer tAwake;
            tAwake.start();
            while (m_uiQueuedCount.load(std::memory_order_acquire) == uiSeen && tAwake.nsecsElapsed() < kAwakeNs)
                QThread::yieldCurrentThread();
            lock.relock();
        }
        bJustDone = false;
        while (!m_bStop && (m_lRequests.isEmpty() || m_bLinkFailed))
            CondWait(m_WakeWorker, m_Mutex);
        if (m_bStop)
            return;
        Request_t tRequest = m_lRequests.takeFirst();
        lock.unlock();

        m_baCurrentPayload = std::move(tRequest.baPayload);
        m_uiCurrentTimeoutMs = tRequest.uiTimeoutMs;
        m_uiCurrentTicket = tRequest.uiTicket;
        const int iResult = Execute(tRequest.eId);
        m_baCurrentPayload = QByteArray();
        bJustDone = true;

        lock.relock();
        if (iResult != COM_OK) {
            // What follows on the stream is unknown (a late reply, the rest of a message):
            // nothing more is sent on this opening, the queue waits for the reopened link.
            m_bLinkFailed = true;
            lock.unlock();
            emit sigRestartComMsg(iResult);
            lock.relock();
        }
    }
}

void CVpuCom::s_OnRestartComMsg(int iReturn)
{
    Q_UNUSED(iReturn);
    if (m_bRestarting)
        return;
    {
        QMutexLocker lock(&m_Mutex);
        if (!m_bLinkFailed)
            return;
    }
    m_bRestarting = true;
    emit sigSetOnline(false);
    QCoreApplication::processEvents();
    if (m_bOpened)
        Close();
    {
        QMutexLocker lock(&m_Mutex);
        m_bLinkFailed = false;
    }
    const int iStatus = Open();
    if (iStatus == COM_OK)
        InitCom();
    m_bRestarting = false;
    // The program is offline now and stays so: the user has to know, and why.
    if (iStatus != COM_OK)
        ErrorMsg(tr("Failed to open connexion with VPU!"), iStatus);
}

void CVpuCom::TracePreset(const VideoPreset_t &tPreset)
{
    const VideoSettings_t &v = tPreset.VideoSettings;
    const InputCorr_t &i = tPreset.InputCorr;
    const OutputCorr_t &o = tPreset.OutputCorr;
    TraceInfo("    Channel=%d; Offset: X=%d, Y=%d; Size: Width=%d, Height=%d; Rotation=%d", v.Channel, v.OffsetX,
              v.OffsetY, v.Width, v.Height, v.Rotation);
    TraceInfo("    Brightness=%d; Contrast=%d; Hue=%d; Saturation=%d", i.brightness, i.contrast, i.hue, i.saturation);
    TraceInfo("    White Temperature: Mode=%d; Temp=%d; Coef_R=%d; Coef_G=%d; Coef_B=%d", o.whiteMode, o.colorTemp,
              o.coefRed, o.coefGreen, o.coefBlue);
    TraceInfo("    Gamma: Red=%d; Green=%d; Blue=%d", o.gammaRed, o.gammaGreen, o.gammaBlue);
}

// ---- Request functions (GUI thread): build the payload in wire order and queue it ----

namespace {

// The fields' bytes one after the other, each as it lies on the wire (the records are
// packed and the host is little-endian). By value: fields of packed records are unaligned.
template <typename... T> QByteArray Fields(T... tFields)
{
    QByteArray ba;
    (AppendRecord(ba, tFields), ...);
    return ba;
}

// Raw data that follows a parameter block; nothing when there is none to take.
QByteArray Data(const void *pData, quint64 ullSize)
{
    if (pData == nullptr || ullSize == 0 || ullSize > quint64(std::numeric_limits<qsizetype>::max()))
        return QByteArray();
    return QByteArray(static_cast<const char *>(pData), qsizetype(ullSize));
}

// A rectangle's pixel bytes; false when they do not fit the 32-bit sizes of the wire.
bool SdramByteCount(const SdramRect_t &tRect, quint32 *puiBytes)
{
    const quint64 ullBytes = quint64(tRect.Width) * tRect.Height * sizeof(Color_t);
    *puiBytes = ullBytes > 0xFFFFFFFFull ? 0 : quint32(ullBytes);
    return ullBytes <= 0xFFFFFFFFull;
}

bool FixtFlashReadOnly(bool bFactoryMode, quint32 uiOffset)
{
    if (bFactoryMode || uiOffset >= CVpuCom::FIXT_FLASH_READ_ONLY_END)
        return false;
    TraceError("Fixture FLASH offset is read-only!");
    return true;
}

} // namespace

int CVpuCom::GetStatus()
{
    return Post(VPU_MSG_STATUS, QByteArray());
}

int CVpuCom::InitCom()
{
    // The executor sends its own fixed synchronisation bytes; the filler keeps the request
    // the shape it always had.
    return Post(VPU_MSG_INIT_COM, QByteArray(4, '\0'));
}

int CVpuCom::McuFlashProgram(quint32 uiAddress, quint32 uiValue)
{
    return Post(VPU_MSG_MCU_FLASH_PROGRAM, Fields(uiAddress, uiValue));
}

int CVpuCom::VpuSoftReset()
{
    TraceInfo("    Requesting VPU software reset...");
    return Post(VPU_MSG_VPU_SOFT_RESET, QByteArray());
}

int CVpuCom::SetFactoryParam(quint32 uiType, quint32 uiSerialNumber, quint32 uiManufacturerCode)
{
    TraceInfo("Programming VPU factory parameters...");
    TraceInfo("    Type: 0x%08X", uiType);
    TraceInfo("    Serial Number: 0x%08X", uiSerialNumber);
    TraceInfo("    Manufacturer Code: 0x%08X", uiManufacturerCode);
    return Post(VPU_MSG_SET_FACTORY_PARAM, Fields(uiType, uiSerialNumber, uiManufacturerCode));
}

int CVpuCom::GetConfig()
{
    TraceInfo("Get Current VPU Configuration...");
    return Post(VPU_MSG_GET_CONFIG, QByteArray());
}

int CVpuCom::SetVideoSettings(VideoSettings_t tSettings)
{
    TraceInfo("Applying video settings on VPU...");
    TraceInfo("    Channel=%d; Offset: X=%d, Y=%d; Size: Width=%d, Height=%d; Rotation=%d", tSettings.Channel,
              tSettings.OffsetX, tSettings.OffsetY, tSettings.Width, tSettings.Height, tSettings.Rotation);
    return Post(VPU_MSG_SET_VIDEO_SETTINGS, Fields(tSettings));
}

int CVpuCom::GetVideoInputFormat(quint8 ucInput)
{
    TraceInfo("Getting video format on video input %d...", ucInput);
    return Post(VPU_MSG_GET_VIDEO_INPUT_FORMAT, Fields(ucInput));
}

int CVpuCom::SetVideoInCorr(InputCorr_t tInputCorr)
{
    TraceInfo("Applying input color correction on VPU! (Brightness=0x%02X, Contrast=0x%02X, Hue=0x%02X, "
              "Saturation=0x%02X)...",
              tInputCorr.brightness, tInputCorr.contrast, tInputCorr.hue, tInputCorr.saturation);
    return Post(VPU_MSG_SET_VIDEO_IN_CORR, Fields(tInputCorr));
}

int CVpuCom::SetGamma(quint8 ucMode, quint16 usGammaRed, quint16 usGammaGreen, quint16 usGammaBlue)
{
    TraceInfo("Applying Gamma correction on LPUs in mode %d (0=volatile - sram; 1=permanent - flash)...", ucMode);
    TraceInfo("    Gamma_R=%0.1f, Gamma_G=%0.1f, Gamma_B=%0.1f", usGammaRed / 100.0, usGammaGreen / 100.0,
              usGammaBlue / 100.0);
    return Post(VPU_MSG_SET_GAMMA, Fields(ucMode, usGammaRed, usGammaGreen, usGammaBlue));
}

int CVpuCom::SetColorTemp(const OutputCorr_t &tOutputCorr)
{
    const OutputCorr_t &o = tOutputCorr;
    return Post(VPU_MSG_SET_COLOR_TEMP, Fields(o.whiteMode, o.colorTemp, o.coefRed, o.coefGreen, o.coefBlue));
}

int CVpuCom::SetFullScreenTestColor(Color_t tColor)
{
    return Post(VPU_MSG_SET_FULLSCREEN_TEST_COLOR, Fields(tColor));
}

int CVpuCom::FreezeVideoOutput()
{
    TraceInfo("Freeze Current Video Output...");
    return Post(VPU_MSG_FREEZE_VIDEO_OUTPUT, QByteArray());
}

int CVpuCom::ShowFixtNum()
{
    TraceInfo("Show Fixture Sequence Number...");
    return Post(VPU_MSG_SHOW_FIXT_NUM, QByteArray());
}

int CVpuCom::StopTestPattern()
{
    TraceInfo("Stop test functions...");
    return Post(VPU_MSG_STOP_TEST_PATTERN, QByteArray());
}

int CVpuCom::FlashErase(quint32 uiOffset, quint32 uiSize)
{
    TraceInfo("        Erasing VPU's Flash at offset 0x%08X - size = 0x%08X ...", uiOffset, uiSize);
    return Post(VPU_MSG_FLASH_ERASE, Fields(uiOffset, uiSize, quint8(0)));
}

int CVpuCom::FlashRead(quint32 uiOffset, quint32 uiSize)
{
    return Post(VPU_MSG_FLASH_READ, Fields(uiOffset, uiSize, quint8(0)));
}

int CVpuCom::FlashWrite(quint32 uiOffset, quint32 uiSize, quint8 ucFlag, const char *pcData)
{
    TraceInfo("        Writing VPU's Flash at offset 0x%08X - size = 0x%08X ...", uiOffset, uiSize);
    return Post(VPU_MSG_FLASH_WRITE, Fields(uiOffset, uiSize, ucFlag) + Data(pcData, uiSize));
}

int CVpuCom::FpgaRegRead(quint8 ucFirst, quint16 usSecond)
{
    return Post(VPU_MSG_FPGA_REG_READ, Fields(ucFirst, usSecond));
}

int CVpuCom::FpgaRegWrite(quint8 ucFirst, quint16 usSecond, quint8 ucMask, quint8 ucValue)
{
    return Post(VPU_MSG_FPGA_REG_WRITE, Fields(ucFirst, usSecond, ucMask, ucValue));
}

int CVpuCom::I2cRead(I2cRegister_t tI2cReg)
{
    return Post(VPU_MSG_I2C_READ, Fields(tI2cReg.Link, tI2cReg.ChipAddress, tI2cReg.SubAddress));
}

int CVpuCom::I2cWrite(I2cRegister_t tI2cReg)
{
    return Post(VPU_MSG_I2C_WRITE, Fields(tI2cReg));
}

int CVpuCom::SdramRead(SdramRect_t tRect)
{
    return Post(VPU_MSG_SDRAM_READ, Fields(tRect));
}

int CVpuCom::SdramWrite(SdramRect_t tRect, const Color_t *ptPixels)
{
    // A rectangle too large for the wire goes without pixels: the worker refuses it and
    // answers through the completion signal like any other failure.
    quint32 uiBytes = 0;
    SdramByteCount(tRect, &uiBytes);
    return Post(VPU_MSG_SDRAM_WRITE, Fields(tRect) + Data(ptPixels, uiBytes));
}

int CVpuCom::DmxMapWrite(quint32 uiSlot, const QList<DMX_Mapping_t> &lMapping)
{
    QByteArray ba = Fields(uiSlot, quint16(lMapping.size()));
    for (const DMX_Mapping_t &tEntry : lMapping)
        ba += Fields(tEntry.command, tEntry.channel, tEntry.size);
    return Post(VPU_MSG_DMX_MAP_WRITE, ba);
}

int CVpuCom::DmxMapRead(quint32 uiSlot)
{
    return Post(VPU_MSG_DMX_MAP_READ, Fields(uiSlot));
}

int CVpuCom::VideoPresetWrite(quint32 uiSlot, VideoPreset_t tPreset)
{
    TraceInfo("Writing video setting on VPU setting '%s'...", SlotName(uiSlot).constData());
    TracePreset(tPreset);
    return Post(VPU_MSG_VIDEO_PRESET_WRITE, Fields(uiSlot, tPreset));
}

int CVpuCom::VideoPresetRead(quint32 uiSlot)
{
    TraceInfo("Read video setting on VPU setting '%s'...", SlotName(uiSlot).constData());
    return Post(VPU_MSG_VIDEO_PRESET_READ, Fields(uiSlot));
}

int CVpuCom::FixtReadReg(FixtureAddr_t tAddr, quint32 uiRegister)
{
    return Post(VPU_MSG_FIXT_READ_REG, Fields(tAddr, uiRegister));
}

int CVpuCom::FixtWriteReg(FixtureAddr_t tAddr, quint32 uiRegister, quint32 uiValue)
{
    return Post(VPU_MSG_FIXT_WRITE_REG, Fields(tAddr, uiRegister, uiValue));
}

int CVpuCom::FixtEnumerate()
{
    TraceInfo("Launch Enumeration on VPU...");
    return Post(VPU_MSG_FIXT_ENUMERATE, QByteArray());
}

int CVpuCom::FixtGetNumber()
{
    TraceInfo("Getting Fixture Numbers detected by VPU...");
    return Post(VPU_MSG_FIXT_GET_NUMBER, QByteArray());
}

int CVpuCom::FixtGetConfig(FixtureAddr_t tAddr)
{
    TraceInfo("Getting configuration of fixture F%d.%d...", tAddr.output, int(tAddr.number));
    return Post(VPU_MSG_FIXT_GET_CONFIG, Fields(tAddr));
}

int CVpuCom::FixtGetSensorValues(FixtureAddr_t tAddr)
{
    TraceInfo("    Reading fixture's sensors values (F%d.%d)...", tAddr.output, int(tAddr.number));
    return Post(VPU_MSG_FIXT_GET_SENSOR_VALUES, Fields(tAddr));
}

int CVpuCom::SasuSetConfig(FixtureAddr_t tAddr, SasuConfig_t tSasuConfig)
{
    TraceInfo("    Setting Sasu Configuration (F%d.%d)...", tAddr.output, int(tAddr.number));
    return Post(VPU_MSG_SASU_SET_CONFIG, Fields(tAddr, tSasuConfig));
}

int CVpuCom::SasuGetConfig(FixtureAddr_t tAddr)
{
    TraceInfo("    Getting Sasu Configuration (F%d.%d)...", tAddr.output, int(tAddr.number));
    return Post(VPU_MSG_SASU_GET_CONFIG, Fields(tAddr));
}

int CVpuCom::FixtSetOrigin(FixtureAddr_t tAddr, quint32 uiOrigin)
{
    // x in the low half, y in the high half: on the wire u16 x then u16 y.
    return Post(VPU_MSG_FIXT_SET_ORIGIN, Fields(tAddr, uiOrigin));
}

int CVpuCom::FixtSetScene(FixtureAddr_t tAddr, const QByteArray &baScene)
{
    if (baScene.size() != FIXT_SCENE_BLOCK_SIZE)
        return COM_ERR_PARAM;
    return Post(VPU_MSG_FIXT_SET_SCENE, Fields(tAddr) + baScene);
}

int CVpuCom::FixtSetLuminosity(FixtureAddr_t tAddr, quint32 uiRegister)
{
    return Post(VPU_MSG_FIXT_SET_LUMINOSITY, Fields(tAddr, uiRegister));
}

int CVpuCom::FixtSetRotation(FixtureAddr_t tAddr, quint32 uiOrigin, qint16 sAngle, quint16 usAnchorX, quint16 usAnchorY,
                             const quint8 *pucTiles)
{
    QByteArray baTiles = Data(pucTiles, 16);
    baTiles.resize(16, '\0');
    return Post(VPU_MSG_FIXT_SET_ROTATION, Fields(tAddr, uiOrigin, sAngle, usAnchorX, usAnchorY) + baTiles);
}

int CVpuCom::FixtWriteFactoryParam(FixtureAddr_t tAddr, FixtureFactoryParam_t tParam)
{
    return Post(VPU_MSG_FIXT_WRITE_FACTORY_PARAM, Fields(tAddr, tParam));
}

int CVpuCom::FixtWriteConfig(const QByteArray &baBlock)
{
    if (baBlock.size() != FIXT_WRITE_CONFIG_SIZE)
        return COM_ERR_PARAM;
    return Post(VPU_MSG_FIXT_WRITE_CONFIG, baBlock);
}

int CVpuCom::FixtReboot(FixtureAddr_t tAddr)
{
    return Post(VPU_MSG_FIXT_REBOOT, Fields(tAddr));
}

int CVpuCom::FixtEraseFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize)
{
    TraceInfo("        Erasing fixture's Flash (F%d.%d) at offset 0x%08X - size = 0x%08X ...", tAddr.output,
              int(tAddr.number), uiOffset, uiSize);
    if (FixtFlashReadOnly(m_bFactoryMode, uiOffset))
        return COM_ERR_PARAM;
    return Post(VPU_MSG_FIXT_ERASE_FLASH, Fields(tAddr, uiOffset, uiSize));
}

int CVpuCom::FixtWriteFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize, const char *pcData)
{
    TraceInfo("        Writing fixture's Flash (F%d.%d) at offset 0x%08X - size = 0x%08X ...", tAddr.output,
              int(tAddr.number), uiOffset, uiSize);
    if (FixtFlashReadOnly(m_bFactoryMode, uiOffset))
        return COM_ERR_PARAM;
    return Post(VPU_MSG_FIXT_WRITE_FLASH, Fields(tAddr, uiOffset, uiSize) + Data(pcData, uiSize));
}

int CVpuCom::ResetFixtures()
{
    TraceInfo("Reset fixtures...");
    return Post(VPU_MSG_RESET_FIXTURES, QByteArray());
}

int CVpuCom::FixtReadMem(FixtureMemReq_t tReq)
{
    return Post(VPU_MSG_FIXT_READ_MEM, Fields(tReq));
}

int CVpuCom::FixtWriteMem(FixtureMemReq_t tReq, const char *pcData)
{
    return Post(VPU_MSG_FIXT_WRITE_MEM, Fields(tReq) + Data(pcData, tReq.Size));
}
