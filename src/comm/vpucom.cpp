#include "comm/vpucom.h"

#include "comm/condwait.h"
#include "comm/netcom.h"
#include "comm/usbcom.h"
#include "config/softconf.h"
#include "config/texttables.h"
#include "trace/trace.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <cstring>

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

template <typename T> void Append(QByteArray &baPayload, T tValue)
{
    AppendRecord(baPayload, tValue);
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
    if (m_uiComType == COM_TYPE_NET) {
        auto *pNet = new CNetCom;
        iStatus = pNet->Connect(m_qsHost.toUtf8().constData(), m_usPort);
        if (iStatus != COM_OK) {
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
        m_bBusy = false;
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
    m_lRequests.append(Request_t{eId, std::move(baPayload), uiTimeoutMs});
    m_WakeWorker.wakeOne();
    return 0;
}

int CVpuCom::Post(VpuMsgId_t eId, const QByteArray &baPayload)
{
    QMutexLocker lock(&m_Mutex);
    m_lRequests.append(Request_t{eId, baPayload, m_uiRequestTimeoutMs});
    m_WakeWorker.wakeOne();
    return 0;
}

void CVpuCom::run()
{
    QMutexLocker lock(&m_Mutex);
    for (;;) {
        m_bBusy = false;
        while (!m_bStop && (m_lRequests.isEmpty() || m_bLinkFailed))
            CondWait(m_WakeWorker, m_Mutex);
        if (m_bStop)
            return;
        Request_t tRequest = m_lRequests.takeFirst();
        m_bBusy = true;
        lock.unlock();

        m_baCurrentPayload = std::move(tRequest.baPayload);
        m_uiCurrentTimeoutMs = tRequest.uiTimeoutMs;
        const int iResult = Execute(tRequest.eId);
        m_baCurrentPayload = QByteArray();

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
    QByteArray ba;
    Append(ba, uiAddress);
    Append(ba, uiValue);
    return Post(VPU_MSG_MCU_FLASH_PROGRAM, ba);
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
    QByteArray ba;
    Append(ba, uiType);
    Append(ba, uiSerialNumber);
    Append(ba, uiManufacturerCode);
    return Post(VPU_MSG_SET_FACTORY_PARAM, ba);
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
    QByteArray ba;
    Append(ba, tSettings.Channel);
    Append(ba, tSettings.ScalingEnabled);
    Append(ba, tSettings.Rotation);
    Append(ba, tSettings.OffsetX);
    Append(ba, tSettings.OffsetY);
    Append(ba, tSettings.Width);
    Append(ba, tSettings.Height);
    return Post(VPU_MSG_SET_VIDEO_SETTINGS, ba);
}

int CVpuCom::GetVideoInputFormat(quint8 ucInput)
{
    TraceInfo("Getting video format on video input %d...", ucInput);
    QByteArray ba;
    Append(ba, ucInput);
    return Post(VPU_MSG_GET_VIDEO_INPUT_FORMAT, ba);
}

int CVpuCom::SetVideoInCorr(InputCorr_t tInputCorr)
{
    TraceInfo("Applying input color correction on VPU! (Brightness=0x%02X, Contrast=0x%02X, Hue=0x%02X, "
              "Saturation=0x%02X)...",
              tInputCorr.brightness, tInputCorr.contrast, tInputCorr.hue, tInputCorr.saturation);
    QByteArray ba;
    Append(ba, tInputCorr.source);
    Append(ba, tInputCorr.brightness);
    Append(ba, tInputCorr.contrast);
    Append(ba, tInputCorr.saturation);
    Append(ba, tInputCorr.hue);
    return Post(VPU_MSG_SET_VIDEO_IN_CORR, ba);
}

int CVpuCom::SetGamma(quint8 ucMode, quint16 usGammaRed, quint16 usGammaGreen, quint16 usGammaBlue)
{
    TraceInfo("Applying Gamma correction on LPUs in mode %d (0=volatile - sram; 1=permanent - flash)...", ucMode);
    TraceInfo("    Gamma_R=%0.1f, Gamma_G=%0.1f, Gamma_B=%0.1f", usGammaRed / 100.0, usGammaGreen / 100.0,
              usGammaBlue / 100.0);
    QByteArray ba;
    Append(ba, ucMode);
    Append(ba, usGammaRed);
    Append(ba, usGammaGreen);
    Append(ba, usGammaBlue);
    return Post(VPU_MSG_SET_GAMMA, ba);
}

int CVpuCom::SetColorTemp(const OutputCorr_t &tOutputCorr)
{
    QByteArray ba;
    Append(ba, tOutputCorr.whiteMode);
    Append(ba, tOutputCorr.colorTemp);
    Append(ba, tOutputCorr.coefRed);
    Append(ba, tOutputCorr.coefGreen);
    Append(ba, tOutputCorr.coefBlue);
    return Post(VPU_MSG_SET_COLOR_TEMP, ba);
}

int CVpuCom::SetFullScreenTestColor(Color_t tColor)
{
    QByteArray ba;
    Append(ba, tColor.red);
    Append(ba, tColor.green);
    Append(ba, tColor.blue);
    return Post(VPU_MSG_SET_FULLSCREEN_TEST_COLOR, ba);
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
    QByteArray ba;
    Append(ba, uiOffset);
    Append(ba, uiSize);
    Append(ba, quint8(0));
    return Post(VPU_MSG_FLASH_ERASE, ba);
}

int CVpuCom::FlashRead(quint32 uiOffset, quint32 uiSize)
{
    QByteArray ba;
    Append(ba, uiOffset);
    Append(ba, uiSize);
    Append(ba, quint8(0));
    return Post(VPU_MSG_FLASH_READ, ba);
}

int CVpuCom::FlashWrite(quint32 uiOffset, quint32 uiSize, quint8 ucFlag, const char *pcData)
{
    TraceInfo("        Writing VPU's Flash at offset 0x%08X - size = 0x%08X ...", uiOffset, uiSize);
    QByteArray ba;
    Append(ba, uiOffset);
    Append(ba, uiSize);
    Append(ba, ucFlag);
    if (uiSize != 0 && pcData != nullptr)
        ba.append(pcData, qsizetype(uiSize));
    return Post(VPU_MSG_FLASH_WRITE, ba);
}

int CVpuCom::FpgaRegRead(quint8 ucFirst, quint16 usSecond)
{
    QByteArray ba;
    Append(ba, ucFirst);
    Append(ba, usSecond);
    return Post(VPU_MSG_FPGA_REG_READ, ba);
}

int CVpuCom::FpgaRegWrite(quint8 ucFirst, quint16 usSecond, quint8 ucMask, quint8 ucValue)
{
    QByteArray ba;
    Append(ba, ucFirst);
    Append(ba, usSecond);
    Append(ba, ucMask);
    Append(ba, ucValue);
    return Post(VPU_MSG_FPGA_REG_WRITE, ba);
}

int CVpuCom::I2cRead(I2cRegister_t tI2cReg)
{
    QByteArray ba;
    Append(ba, tI2cReg.Link);
    Append(ba, tI2cReg.ChipAddress);
    Append(ba, tI2cReg.SubAddress);
    return Post(VPU_MSG_I2C_READ, ba);
}

int CVpuCom::I2cWrite(I2cRegister_t tI2cReg)
{
    QByteArray ba;
    Append(ba, tI2cReg.Link);
    Append(ba, tI2cReg.ChipAddress);
    Append(ba, tI2cReg.SubAddress);
    Append(ba, tI2cReg.Mask);
    Append(ba, tI2cReg.Value);
    return Post(VPU_MSG_I2C_WRITE, ba);
}

namespace {

void AppendRect(QByteArray &ba, const SdramRect_t &tRect)
{
    Append(ba, tRect.X);
    Append(ba, tRect.Y);
    Append(ba, tRect.Width);
    Append(ba, tRect.Height);
}

void AppendAddr(QByteArray &ba, const FixtureAddr_t &tAddr)
{
    Append(ba, tAddr.output);
    Append(ba, tAddr.number);
}

// Bytes of a rectangle's pixels; false when they would not fit the 32-bit sizes of the wire.
bool SdramByteCount(const SdramRect_t &tRect, quint32 *puiBytes)
{
    const quint64 ullBytes = quint64(tRect.Width) * tRect.Height * sizeof(Color_t);
    if (ullBytes > 0xFFFFFFFFull)
        return false;
    *puiBytes = quint32(ullBytes);
    return true;
}

} // namespace

int CVpuCom::SdramRead(SdramRect_t tRect)
{
    QByteArray ba;
    AppendRect(ba, tRect);
    return Post(VPU_MSG_SDRAM_READ, ba);
}

int CVpuCom::SdramWrite(SdramRect_t tRect, const Color_t *ptPixels)
{
    QByteArray ba;
    AppendRect(ba, tRect);
    // A rectangle too large for the wire goes without pixels: the worker refuses it and
    // answers through the completion signal like any other failure.
    quint32 uiBytes = 0;
    if (SdramByteCount(tRect, &uiBytes) && uiBytes != 0 && ptPixels != nullptr)
        ba.append(reinterpret_cast<const char *>(ptPixels), qsizetype(uiBytes));
    return Post(VPU_MSG_SDRAM_WRITE, ba);
}

int CVpuCom::DmxMapWrite(quint32 uiSlot, const QList<DMX_Mapping_t> &lMapping)
{
    QByteArray ba;
    Append(ba, uiSlot);
    Append(ba, quint16(lMapping.size()));
    for (const DMX_Mapping_t &tEntry : lMapping) {
        Append(ba, tEntry.command);
        Append(ba, tEntry.channel);
        Append(ba, tEntry.size);
    }
    return Post(VPU_MSG_DMX_MAP_WRITE, ba);
}

int CVpuCom::DmxMapRead(quint32 uiSlot)
{
    QByteArray ba;
    Append(ba, uiSlot);
    return Post(VPU_MSG_DMX_MAP_READ, ba);
}

int CVpuCom::VideoPresetWrite(quint32 uiSlot, VideoPreset_t tPreset)
{
    TraceInfo("Writing video setting on VPU setting '%s'...", SlotName(uiSlot).constData());
    TracePreset(tPreset);
    QByteArray ba;
    Append(ba, uiSlot);
    AppendRecord(ba, tPreset);
    return Post(VPU_MSG_VIDEO_PRESET_WRITE, ba);
}

int CVpuCom::VideoPresetRead(quint32 uiSlot)
{
    TraceInfo("Read video setting on VPU setting '%s'...", SlotName(uiSlot).constData());
    QByteArray ba;
    Append(ba, uiSlot);
    return Post(VPU_MSG_VIDEO_PRESET_READ, ba);
}

int CVpuCom::FixtReadReg(FixtureAddr_t tAddr, quint32 uiRegister)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, uiRegister);
    return Post(VPU_MSG_FIXT_READ_REG, ba);
}

int CVpuCom::FixtWriteReg(FixtureAddr_t tAddr, quint32 uiRegister, quint32 uiValue)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, uiRegister);
    Append(ba, uiValue);
    return Post(VPU_MSG_FIXT_WRITE_REG, ba);
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
    QByteArray ba;
    AppendAddr(ba, tAddr);
    return Post(VPU_MSG_FIXT_GET_CONFIG, ba);
}

int CVpuCom::FixtGetSensorValues(FixtureAddr_t tAddr)
{
    TraceInfo("    Reading fixture's sensors values (F%d.%d)...", tAddr.output, int(tAddr.number));
    QByteArray ba;
    AppendAddr(ba, tAddr);
    return Post(VPU_MSG_FIXT_GET_SENSOR_VALUES, ba);
}

int CVpuCom::SasuSetConfig(FixtureAddr_t tAddr, SasuConfig_t tSasuConfig)
{
    TraceInfo("    Setting Sasu Configuration (F%d.%d)...", tAddr.output, int(tAddr.number));
    QByteArray ba;
    AppendAddr(ba, tAddr);
    AppendRecord(ba, tSasuConfig);
    return Post(VPU_MSG_SASU_SET_CONFIG, ba);
}

int CVpuCom::SasuGetConfig(FixtureAddr_t tAddr)
{
    TraceInfo("    Getting Sasu Configuration (F%d.%d)...", tAddr.output, int(tAddr.number));
    QByteArray ba;
    AppendAddr(ba, tAddr);
    return Post(VPU_MSG_SASU_GET_CONFIG, ba);
}

int CVpuCom::FixtSetOrigin(FixtureAddr_t tAddr, quint32 uiOrigin)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, quint16(uiOrigin & 0xFFFF));
    Append(ba, quint16(uiOrigin >> 16));
    return Post(VPU_MSG_FIXT_SET_ORIGIN, ba);
}

int CVpuCom::FixtSetScene(FixtureAddr_t tAddr, const QByteArray &baScene)
{
    if (baScene.size() != FIXT_SCENE_BLOCK_SIZE)
        return COM_ERR_PARAM;
    QByteArray ba;
    AppendAddr(ba, tAddr);
    ba.append(baScene);
    return Post(VPU_MSG_FIXT_SET_SCENE, ba);
}

int CVpuCom::FixtSetLuminosity(FixtureAddr_t tAddr, quint32 uiRegister)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, uiRegister);
    return Post(VPU_MSG_FIXT_SET_LUMINOSITY, ba);
}

int CVpuCom::FixtSetRotation(FixtureAddr_t tAddr, quint32 uiOrigin, qint16 sAngle, quint16 usAnchorX, quint16 usAnchorY,
                             const quint8 *pucTiles)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, quint16(uiOrigin & 0xFFFF));
    Append(ba, quint16(uiOrigin >> 16));
    Append(ba, sAngle);
    Append(ba, usAnchorX);
    Append(ba, usAnchorY);
    if (pucTiles != nullptr)
        ba.append(reinterpret_cast<const char *>(pucTiles), 16);
    else
        ba.append(16, '\0');
    return Post(VPU_MSG_FIXT_SET_ROTATION, ba);
}

int CVpuCom::FixtWriteFactoryParam(FixtureAddr_t tAddr, FixtureFactoryParam_t tParam)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    AppendRecord(ba, tParam);
    return Post(VPU_MSG_FIXT_WRITE_FACTORY_PARAM, ba);
}

int CVpuCom::FixtWriteConfig(const QByteArray &baBlock)
{
    if (baBlock.size() != FIXT_WRITE_CONFIG_SIZE)
        return COM_ERR_PARAM;
    return Post(VPU_MSG_FIXT_WRITE_CONFIG, baBlock);
}

int CVpuCom::FixtReboot(FixtureAddr_t tAddr)
{
    QByteArray ba;
    AppendAddr(ba, tAddr);
    return Post(VPU_MSG_FIXT_REBOOT, ba);
}

int CVpuCom::FixtEraseFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize)
{
    TraceInfo("        Erasing fixture's Flash (F%d.%d) at offset 0x%08X - size = 0x%08X ...", tAddr.output,
              int(tAddr.number), uiOffset, uiSize);
    if (!m_bFactoryMode && uiOffset < FIXT_FLASH_READ_ONLY_END) {
        TraceError("Fixture FLASH offset is read-only!");
        return COM_ERR_PARAM;
    }
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, uiOffset);
    Append(ba, uiSize);
    return Post(VPU_MSG_FIXT_ERASE_FLASH, ba);
}

int CVpuCom::FixtWriteFlash(FixtureAddr_t tAddr, quint32 uiOffset, quint32 uiSize, const char *pcData)
{
    TraceInfo("        Writing fixture's Flash (F%d.%d) at offset 0x%08X - size = 0x%08X ...", tAddr.output,
              int(tAddr.number), uiOffset, uiSize);
    if (!m_bFactoryMode && uiOffset < FIXT_FLASH_READ_ONLY_END) {
        TraceError("Fixture FLASH offset is read-only!");
        return COM_ERR_PARAM;
    }
    QByteArray ba;
    AppendAddr(ba, tAddr);
    Append(ba, uiOffset);
    Append(ba, uiSize);
    if (uiSize != 0 && pcData != nullptr)
        ba.append(pcData, qsizetype(uiSize));
    return Post(VPU_MSG_FIXT_WRITE_FLASH, ba);
}

int CVpuCom::ResetFixtures()
{
    TraceInfo("Reset fixtures...");
    return Post(VPU_MSG_RESET_FIXTURES, QByteArray());
}

int CVpuCom::FixtReadMem(FixtureMemReq_t tReq)
{
    QByteArray ba;
    AppendAddr(ba, tReq.Addr);
    Append(ba, tReq.Offset);
    Append(ba, tReq.Size);
    return Post(VPU_MSG_FIXT_READ_MEM, ba);
}

int CVpuCom::FixtWriteMem(FixtureMemReq_t tReq, const char *pcData)
{
    QByteArray ba;
    AppendAddr(ba, tReq.Addr);
    Append(ba, tReq.Offset);
    Append(ba, tReq.Size);
    if (tReq.Size != 0 && pcData != nullptr)
        ba.append(pcData, qsizetype(tReq.Size));
    return Post(VPU_MSG_FIXT_WRITE_MEM, ba);
}
