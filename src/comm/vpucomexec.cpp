// The worker's side of CVpuCom: one executor per message. Each sends the current request,
// reads its reply with the message's exchange pattern, reports as the message asks, emits
// the completion signal once and returns the transport code to the worker.

#include "comm/usbcom.h"
#include "comm/vpucom.h"
#include "config/texttables.h"
#include "trace/trace.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

const quint8 *Bytes(const QByteArray &ba)
{
    return reinterpret_cast<const quint8 *>(ba.constData());
}

template <typename T> T Field(const QByteArray &ba, qsizetype iOffset)
{
    T tValue{};
    DecodeRecord(ba, iOffset, &tValue);
    return tValue;
}

// A gain read back from a fixture is stored scaled by the global luminosity; this undoes the
// scaling. Rounding can carry the result past what 10 bits hold, and a masked value would
// wrap to a dim one that a later permanent write keeps, so it is held at the top instead.
quint32 UnscaleGain(quint32 uiGain, quint16 usGlobal)
{
    if (usGlobal == 0)
        return 0;
    const quint32 uiValue = quint32(std::lround(double(uiGain) * 100.0 / usGlobal));
    return std::min<quint32>(uiValue, 0x3FF);
}

} // namespace

namespace {

// The messages answered by STATUS_RSP alone: what the user is told when the status is not 0,
// what is traced when it is (both optional), and the completion signal.
struct StatusMessage_t
{
    VpuMsgId_t eId;
    const char *pcFailMsg;
    const char *pcSuccess;
    void (CVpuCom::*pfnSignal)(int);
    bool bSuccessIsInfo = false;
};

const StatusMessage_t s_atStatusMessages[] = {
    {VPU_MSG_STATUS, nullptr, nullptr, &CVpuCom::sigStatusMsg},
    {VPU_MSG_MCU_FLASH_PROGRAM, QT_TRANSLATE_NOOP("CVpuCom", "    Failed to program MCU Flash!"),
     "    MCU Flash programmed!", &CVpuCom::sigMcuFlashProgram},
    {VPU_MSG_VPU_SOFT_RESET, QT_TRANSLATE_NOOP("CVpuCom", "VPU sofware reset request failed!"),
     "    Software reset acknowledged by VPU!", &CVpuCom::sigVpuSoftReset},
    {VPU_MSG_SET_FACTORY_PARAM, QT_TRANSLATE_NOOP("CVpuCom", "Failed to program VPU factory parameters!"),
     "VPU factory parameters programmed!", &CVpuCom::sigSetFactoryParam},
    {VPU_MSG_SET_VIDEO_SETTINGS, QT_TRANSLATE_NOOP("CVpuCom", "Applying video settings on VPU Failed!"),
     "Applying video settings on VPU Done!", &CVpuCom::sigSetVideoSettings},
    {VPU_MSG_SET_VIDEO_IN_CORR, QT_TRANSLATE_NOOP("CVpuCom", "Applying input color correction on VPU Failed!"),
     "Applying input color correction on VPU Done!", &CVpuCom::sigSetVideoInCorrection},
    {VPU_MSG_SET_GAMMA, QT_TRANSLATE_NOOP("CVpuCom", "Applying Gamma on LPUs Failed!"), "Applying Gamma on LPUs Done!",
     &CVpuCom::sigSetGamma},
    {VPU_MSG_SET_COLOR_TEMP, QT_TRANSLATE_NOOP("CVpuCom", "Applying white temperature correction on VPU Failed!"),
     "Applying white temperature correction on VPU Done!", &CVpuCom::sigSetColorTemp},
    {VPU_MSG_SET_FULLSCREEN_TEST_COLOR, QT_TRANSLATE_NOOP("CVpuCom", "Failed to set Full screen test color!"),
     "Full screen test color activated!", &CVpuCom::sigSetFullScreenTestColor},
    {VPU_MSG_FREEZE_VIDEO_OUTPUT, QT_TRANSLATE_NOOP("CVpuCom", "Failed to Freeze Current Video Output!"),
     "Current Video Output Freezed!", &CVpuCom::sigSetFreezeVideoOutput},
    {VPU_MSG_SHOW_FIXT_NUM, QT_TRANSLATE_NOOP("CVpuCom", "Failed to show fixtures number on!"),
     "Show fixtures number on!", &CVpuCom::sigShowFixtNumber},
    {VPU_MSG_STOP_TEST_PATTERN, QT_TRANSLATE_NOOP("CVpuCom", "Failed to stop tests functions!"),
     "Tests functions stopped!", &CVpuCom::sigStopTestPattern},
    {VPU_MSG_FPGA_REG_WRITE, nullptr, nullptr, &CVpuCom::sigFpgaRegWriteMsg},
    {VPU_MSG_VIDEO_PRESET_WRITE, QT_TRANSLATE_NOOP("CVpuCom", "Failed to write video setting on VPU!"),
     "Video setting writen on VPU!", &CVpuCom::sigVideoPresetWrite},
    {VPU_MSG_FIXT_WRITE_REG, nullptr, nullptr, &CVpuCom::sigWriteFixtureRegMsg},
    {VPU_MSG_FIXT_ENUMERATE, QT_TRANSLATE_NOOP("CVpuCom", "Failed to enumerate fixtures on VPU!"), "Enumeration done!",
     &CVpuCom::sigEnumerateFixturesMsg},
    {VPU_MSG_SASU_SET_CONFIG, QT_TRANSLATE_NOOP("CVpuCom", "    Failed to write SASU configuration!"),
     "    SASU configuration written!", &CVpuCom::sigSetSasuConfigMsg},
    {VPU_MSG_FIXT_SET_ORIGIN, QT_TRANSLATE_NOOP("CVpuCom", "Fixture's origin configuration failed!"),
     "Fixture's origin configuration done! (volatile)", &CVpuCom::sigSetFixtureOriginMsg},
    {VPU_MSG_FIXT_SET_SCENE, nullptr, nullptr, &CVpuCom::sigSetFixtureSceneMsg},
    {VPU_MSG_FIXT_SET_LUMINOSITY, QT_TRANSLATE_NOOP("CVpuCom", "Failed to set intensity on fixture!"),
     "Intensity set on fixture (volatile)!", &CVpuCom::sigSetFixtureLuminosityMsg, true},
    {VPU_MSG_FIXT_SET_ROTATION, QT_TRANSLATE_NOOP("CVpuCom", "Fixture rotation configuration failed!"),
     "Fixture rotation configuration done!", &CVpuCom::sigSetFixtureRotationMsg},
    {VPU_MSG_FIXT_WRITE_FACTORY_PARAM, nullptr, nullptr, &CVpuCom::sigWriteFixtureFactoryParamMsg},
    {VPU_MSG_FIXT_WRITE_CONFIG, QT_TRANSLATE_NOOP("CVpuCom", "Failed to write configuration in fixture!"),
     "Configuration writen on fixture!", &CVpuCom::sigWriteFixtureConfigMsg},
    {VPU_MSG_FIXT_REBOOT, QT_TRANSLATE_NOOP("CVpuCom", "Failed to reset fixture(s) on VPU!"), "Reset fixtures done!",
     &CVpuCom::sigRebootFixtureMsg},
    {VPU_MSG_RESET_FIXTURES, nullptr, nullptr, &CVpuCom::sigResetFixturesMsg},
};

} // namespace

int CVpuCom::Execute(VpuMsgId_t eId)
{
    for (const StatusMessage_t &t : s_atStatusMessages) {
        if (t.eId != eId)
            continue;
        int iStatus = 0;
        const int iResult = ExchangeStatus(eId, &iStatus);
        if (iStatus != 0 && t.pcFailMsg != nullptr)
            ErrorMsg(QCoreApplication::translate("CVpuCom", t.pcFailMsg), iStatus);
        else if (iStatus == 0 && t.pcSuccess != nullptr && t.bSuccessIsInfo)
            TraceInfo("%s", t.pcSuccess);
        else if (iStatus == 0 && t.pcSuccess != nullptr)
            TraceSuccess("%s", t.pcSuccess);
        // The ticket goes just before the reply, both queued to the GUI thread at once: sent
        // when the request starts, it would wake that thread a second time per request.
        emit sigTicketStarted(m_uiCurrentTicket);
        emit(this->*t.pfnSignal)(iStatus);
        return iResult;
    }

    emit sigTicketStarted(m_uiCurrentTicket);
    switch (eId) {
    case VPU_MSG_INIT_COM:
        return ExecInitCom();
    case VPU_MSG_GET_CONFIG:
        return ExecGetConfig();
    case VPU_MSG_GET_VIDEO_INPUT_FORMAT:
        return ExecGetVideoInputFormat();
    case VPU_MSG_FLASH_ERASE:
        return ExecFlashErase();
    case VPU_MSG_FLASH_READ:
        return ExecFlashRead();
    case VPU_MSG_FLASH_WRITE:
        return ExecFlashWrite();
    case VPU_MSG_FPGA_REG_READ:
        return ExecFpgaRegRead();
    case VPU_MSG_I2C_READ:
        return ExecI2cRead();
    case VPU_MSG_I2C_WRITE:
        return ExecI2cWrite();
    case VPU_MSG_SDRAM_READ:
        return ExecSdramRead();
    case VPU_MSG_SDRAM_WRITE:
        return ExecSdramWrite();
    case VPU_MSG_DMX_MAP_WRITE:
        return ExecDmxMapWrite();
    case VPU_MSG_DMX_MAP_READ:
        return ExecDmxMapRead();
    case VPU_MSG_VIDEO_PRESET_READ:
        return ExecVideoPresetRead();
    case VPU_MSG_FIXT_READ_REG:
        return ExecFixtReadReg();
    case VPU_MSG_FIXT_GET_NUMBER:
        return ExecFixtGetNumber();
    case VPU_MSG_FIXT_GET_CONFIG:
        return ExecFixtGetConfig();
    case VPU_MSG_FIXT_GET_SENSOR_VALUES:
        return ExecFixtGetSensorValues();
    case VPU_MSG_SASU_GET_CONFIG:
        return ExecSasuGetConfig();
    case VPU_MSG_FIXT_ERASE_FLASH:
        return ExecFixtEraseFlash();
    case VPU_MSG_FIXT_WRITE_FLASH:
        return ExecFixtWriteFlash();
    case VPU_MSG_FIXT_READ_MEM:
        return ExecFixtReadMem();
    case VPU_MSG_FIXT_WRITE_MEM:
        return ExecFixtWriteMem();
    default:
        // Reply-only and unused ids: nothing answers them, they are dropped.
        return COM_OK;
    }
}

// ---- Exchange helpers ----

int CVpuCom::ExchangeStatus(VpuMsgId_t eId, int *piStatus)
{
    int iVpuStatus = 0;
    const int iResult = m_pCom->ExchangeStatus(VpuMsgHeader_t{quint8(eId), quint32(m_baCurrentPayload.size())},
                                               Bytes(m_baCurrentPayload), &iVpuStatus, &m_uiCurrentTimeoutMs);
    *piStatus = iResult != COM_OK ? iResult : iVpuStatus;
    return iResult;
}

int CVpuCom::ExchangeTyped(VpuMsgId_t eId, quint8 ucReplyId, quint32 uiReplyLength, QByteArray *pbaReply)
{
    return m_pCom->ExchangeTyped(VpuMsgHeader_t{quint8(eId), quint32(m_baCurrentPayload.size())},
                                 Bytes(m_baCurrentPayload), ucReplyId, uiReplyLength, pbaReply, &m_uiCurrentTimeoutMs);
}

int CVpuCom::ExchangeBulk(VpuMsgId_t eId, quint32 uiParamLength, int *piStatus, const char *pcVpuFailTrace)
{
    int iVpuStatus = 0;
    const quint32 uiDataLength = quint32(m_baCurrentPayload.size()) - uiParamLength;
    const int iResult = m_pCom->ExchangeBulkWrite(VpuMsgHeader_t{quint8(eId), uiParamLength}, Bytes(m_baCurrentPayload),
                                                  Bytes(m_baCurrentPayload) + uiParamLength, uiDataLength, &iVpuStatus,
                                                  &m_uiCurrentTimeoutMs);
    if (iResult == COM_OK && iVpuStatus != 0)
        TraceError(pcVpuFailTrace, iResult);
    *piStatus = iResult != COM_OK ? iResult : iVpuStatus;
    return iResult;
}

void CVpuCom::Report(int iStatus, const char *pcFailMsg, const char *pcSuccess)
{
    if (iStatus != 0)
        ErrorMsg(QCoreApplication::translate("CVpuCom", pcFailMsg), iStatus);
    else
        TraceSuccess("%s", pcSuccess);
}

// ---- Executors with more than a status exchange ----

int CVpuCom::ExecInitCom()
{
    // The synchronisation message carries its own header bytes as payload, then once more
    // raw; the VPU answers with three 5-byte blocks whose content does not matter.
    static const quint8 s_aucSync[5] = {0x03, 0x05, 0x00, 0x00, 0x00};
    int iResult = m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_INIT_COM, 5}, s_aucSync, &m_uiCurrentTimeoutMs);
    if (iResult != COM_OK) {
        TraceError("VPU_MSG_INIT_COM_REQ Failed!");
    } else {
        iResult = m_pCom->Write(sizeof(s_aucSync), s_aucSync, &m_uiCurrentTimeoutMs);
        if (iResult != COM_OK)
            TraceError("VPU_MSG_INIT_COM_REQ Failed to send data!");
    }
    for (int i = 0; i < 3 && iResult == COM_OK; ++i) {
        quint8 aucReply[5];
        iResult = m_pCom->Read(sizeof(aucReply), aucReply, &m_uiCurrentTimeoutMs);
        if (iResult != COM_OK)
            TraceError("VPU_MSG_INIT_COM_REQ Failed to read data!");
    }
    // Over USB both sides start their endpoint rotation afresh after the synchronisation.
    if (auto *pUsb = dynamic_cast<CUsbCom *>(m_pCom); iResult == COM_OK && pUsb != nullptr)
        pUsb->ResetEndpointRotation();
    if (iResult != COM_OK)
        TraceError("Failed to init COM with VPU! (Error = %d)", iResult);
    emit sigInitCom(iResult);
    return iResult;
}

int CVpuCom::ExecGetConfig()
{
    VpuConfig_t tConfig;
    std::memset(&tConfig, 0xFF, sizeof(tConfig));
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_GET_CONFIG, VPU_MSG_GET_CONFIG_RSP, 4 + sizeof(VpuConfig_t), &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        DecodeRecord(baReply, 4, &tConfig);
    }
    if (iStatus != 0) {
        ErrorMsg(tr("Failed to read VPU configuration!"), iStatus);
    } else {
        TraceSuccess("    Type: 0x%08X", tConfig.Type);
        TraceSuccess("    Serial Number: 0x%08X", tConfig.SerialNumber);
        TraceSuccess("    Manufacturer Code: 0x%08X", tConfig.ManufacturerCode);
        TraceSuccess("    Version Fpga: V%d.%d", tConfig.FpgaMajor, tConfig.FpgaMinor);
        TraceSuccess("    Version Soft: BootLoader = V%d.%d - Software = V%d.%d", tConfig.BootMajor, tConfig.BootMinor,
                     tConfig.SoftMajor, tConfig.SoftMinor);
        TraceSuccess("Current VPU configuration read!");
    }
    emit sigGetConfig(iStatus, tConfig);
    return iResult;
}

int CVpuCom::ExecGetVideoInputFormat()
{
    VideoInFormat_t tFormat{};
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_GET_VIDEO_INPUT_FORMAT, VPU_MSG_GET_VIDEO_INPUT_FORMAT_RSP,
                                      4 + sizeof(VideoInFormat_t), &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        DecodeRecord(baReply, 4, &tFormat);
    }
    if (iStatus != 0) {
        ErrorMsg(tr("Getting video input format on VPU Failed!"), iStatus);
    } else {
        TraceSuccess("Video input format (0:DVI_1, 1:DVI_2, 2:HDMI_1, 3:HDMI_2) is:");
        TraceSuccess("    Width=%d; Height=%d", tFormat.Width, tFormat.Height);
        TraceSuccess("    RxLock=%d; Encryption=%d; HdmiMode=%d", tFormat.RxLock, tFormat.Encryption, tFormat.HdmiMode);
        TraceSuccess("    HsPolarity=%d; VsPolarity=%d; Interlaced=%d", tFormat.HsPolarity, tFormat.VsPolarity,
                     tFormat.Interlaced);
        TraceSuccess("    TotalWidth=%d; TotalHeight=%d", tFormat.TotalWidth, tFormat.TotalHeight);
        TraceSuccess("    HsFrontPorch=%d; HsPulseWidth=%d; HsBackPorch=%d", tFormat.HsFrontPorch, tFormat.HsPulseWidth,
                     tFormat.HsBackPorch);
        TraceSuccess("    VsFrontPorch=%d; VsPulseWidth=%d; VsBackPorch=%d", tFormat.VsFrontPorch, tFormat.VsPulseWidth,
                     tFormat.VsBackPorch);
        TraceSuccess("    TmdsFreq=%u; RefreshRate=%d", tFormat.TmdsFreq, tFormat.RefreshRate);
    }
    emit sigGetVideoInputFormat(iStatus, tFormat);
    // A VPU that cannot tell its own input format is taken as a link in trouble.
    return iStatus;
}

int CVpuCom::ExecFlashErase()
{
    const quint32 uiOffset = Field<quint32>(m_baCurrentPayload, 0);
    int iStatus = 0;
    const int iResult = ExchangeStatus(VPU_MSG_FLASH_ERASE, &iStatus);
    if (iStatus == 0)
        TraceSuccess("        VPU flash sector at offset 0x%08X erased!", uiOffset);
    else
        TraceError("        Failed to erase VPU flash sector at offset 0x%08X erased! (Error = %d)", uiOffset, iStatus);
    emit sigFlashEraseMsg(iStatus, uiOffset);
    return iResult;
}

int CVpuCom::ExecChunkedRead(VpuMsgId_t eId, quint32 uiSize, quint32 uiMaxEnd, quint32 uiOffset, QByteArray *pbaData,
                             int *piStatus, const char *pcChunkFailTrace, bool *pbSent)
{
    *pbSent = false;
    // Everything that can refuse the read does so before the VPU starts sending: once the
    // request is out, the chunks must be taken off the stream.
    if (quint64(uiOffset) + uiSize > uiMaxEnd) {
        TraceError("VPU_MSG_%s_REQ refused: 0x%08X bytes at offset 0x%08X are out of range!", VpuMsgName(eId), uiSize,
                   uiOffset);
        *piStatus = COM_ERR_PARAM;
        return COM_OK;
    }
    try {
        *pbaData = QByteArray(qsizetype(uiSize), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        pbaData->clear();
        *piStatus = COM_ERR_ALLOC;
        return COM_OK;
    }
    int iVpuStatus = 0;
    *pbSent = true;
    const int iResult = m_pCom->ExchangeChunkedRead(
        VpuMsgHeader_t{quint8(eId), quint32(m_baCurrentPayload.size())}, Bytes(m_baCurrentPayload),
        reinterpret_cast<quint8 *>(pbaData->data()), uiSize, &iVpuStatus, &m_uiCurrentTimeoutMs);
    if (iResult == COM_OK && iVpuStatus != 0)
        TraceError(pcChunkFailTrace, iResult);
    *piStatus = iResult != COM_OK ? iResult : iVpuStatus;
    if (*piStatus != 0)
        pbaData->clear();
    return iResult;
}

int CVpuCom::ExecFlashRead()
{
    const quint32 uiOffset = Field<quint32>(m_baCurrentPayload, 0);
    const quint32 uiSize = Field<quint32>(m_baCurrentPayload, 4);
    QByteArray baData;
    int iStatus = 0;
    bool bSent = false;
    const int iResult = ExecChunkedRead(VPU_MSG_FLASH_READ, uiSize, VPU_FLASH_SIZE, uiOffset, &baData, &iStatus,
                                        "VPU_MSG_DATA_RSP Failed - VPU Flash Read Failed!(Return = %d)", &bSent);
    emit sigFlashReadMsg(iStatus, uiOffset, uiSize, baData);
    return iResult;
}

int CVpuCom::ExecFlashWrite()
{
    const quint32 uiOffset = Field<quint32>(m_baCurrentPayload, 0);
    const quint32 uiSize = Field<quint32>(m_baCurrentPayload, 4);
    int iStatus = COM_ERR_PARAM;
    int iResult = COM_OK;
    if (quint64(m_baCurrentPayload.size()) == 9ull + uiSize)
        iResult = ExchangeBulk(VPU_MSG_FLASH_WRITE, 9, &iStatus,
                               "VPU_MSG_FLASH_WRITE_REQ Failed - VPU Flash write failed! (Return = %d)");
    if (iStatus == 0)
        TraceSuccess("        VPU flash sector at offset 0x%08X written!", uiOffset);
    else
        TraceError("        Failed to write data on VPU flash at sector offset 0x%08X! (Error = %d)", uiOffset,
                   iStatus);
    emit sigFlashWriteMsg(iStatus);
    return iResult;
}

int CVpuCom::ExecFpgaRegRead()
{
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_FPGA_REG_READ, VPU_MSG_FPGA_REG_READ_RSP, 1, &baReply);
    const unsigned char ucValue = iResult == COM_OK ? Field<quint8>(baReply, 0) : 0xFF;
    emit sigFpgaRegReadMsg(iResult, ucValue);
    return iResult;
}

int CVpuCom::ExecI2cRead()
{
    I2cRegister_t tReg{};
    tReg.Link = Field<quint8>(m_baCurrentPayload, 0);
    tReg.ChipAddress = Field<quint8>(m_baCurrentPayload, 1);
    tReg.SubAddress = Field<quint8>(m_baCurrentPayload, 2);
    tReg.Value = 0xFF;
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_I2C_READ, VPU_MSG_I2C_READ_RSP, 5, &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        tReg.Value = Field<quint8>(baReply, 4);
    }
    emit sigI2cReadMsg(iStatus, tReg);
    return iResult;
}

int CVpuCom::ExecI2cWrite()
{
    I2cRegister_t tReg{};
    DecodeRecord(m_baCurrentPayload, 0, &tReg);
    int iStatus = 0;
    const int iResult = ExchangeStatus(VPU_MSG_I2C_WRITE, &iStatus);
    emit sigI2cWriteMsg(iStatus, tReg);
    return iResult;
}

int CVpuCom::ExecSdramRead()
{
    SdramRect_t tRect{};
    DecodeRecord(m_baCurrentPayload, 0, &tRect);
    quint32 uiBytes = 0;
    const quint64 ullBytes = quint64(tRect.Width) * tRect.Height * sizeof(Color_t);
    if (ullBytes > 0xFFFFFFFFull) {
        TraceError("VPU_MSG_SDRAM_READ_REQ refused: a %dx%d rectangle is too large!", tRect.Width, tRect.Height);
        emit sigSdramReadMsg(COM_ERR_PARAM, tRect, QByteArray());
        return COM_OK;
    }
    uiBytes = quint32(ullBytes);
    int iResult = m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_SDRAM_READ, quint32(m_baCurrentPayload.size())},
                                  Bytes(m_baCurrentPayload), &m_uiCurrentTimeoutMs);
    if (iResult != COM_OK) {
        TraceError("VPU_MSG_SDRAM_READ_REQ Failed!");
        emit sigSdramReadMsg(iResult, tRect, QByteArray());
        return iResult;
    }
    QByteArray baPixels;
    iResult = m_pCom->WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, uiBytes}, &baPixels, &m_uiCurrentTimeoutMs);
    if (iResult != COM_OK) {
        TraceError("Wait for VPU_MSG_DATA_RSP Failed!");
        emit sigSdramReadMsg(iResult, tRect, QByteArray());
        return iResult;
    }
    int iVpuStatus = 0;
    iResult = m_pCom->WaitStatus(&iVpuStatus, &m_uiCurrentTimeoutMs);
    emit sigSdramReadMsg(iResult != COM_OK ? iResult : iVpuStatus, tRect, baPixels);
    return iResult;
}

int CVpuCom::ExecSdramWrite()
{
    SdramRect_t tRect{};
    DecodeRecord(m_baCurrentPayload, 0, &tRect);
    const quint64 ullBytes = quint64(tRect.Width) * tRect.Height * sizeof(Color_t);
    int iStatus = COM_ERR_PARAM;
    int iResult = COM_OK;
    if (ullBytes <= 0xFFFFFFFFull && quint64(m_baCurrentPayload.size()) == 8 + ullBytes)
        iResult = ExchangeBulk(VPU_MSG_SDRAM_WRITE, 8, &iStatus,
                               "VPU_MSG_SDRAM_WRITE_REQ Failed - Fixture com error (Return = %d)");
    else
        TraceError("VPU_MSG_SDRAM_WRITE_REQ refused: a %dx%d rectangle is too large!", tRect.Width, tRect.Height);
    emit sigSdramWriteMsg(iStatus);
    return iResult;
}

int CVpuCom::ExecDmxMapWrite()
{
    // A mapping has one entry per command at most: more would be written and then refused by
    // the reader of the same slot, so the request goes no further and fails like any other.
    const quint16 usCount = Field<quint16>(m_baCurrentPayload, 4);
    if (usCount > kDmxCommandCount || m_baCurrentPayload.size() != 6 + qsizetype(usCount) * 4) {
        TraceError("VPU_MSG_DMX_MAP_WRITE_REQ refused: %d DMX commands (at most %d)!",
                   int((m_baCurrentPayload.size() - 6) / 4), kDmxCommandCount);
        Report(COM_ERR_PARAM, QT_TRANSLATE_NOOP("CVpuCom", "Failed to write DMX mapping on VPU!"), nullptr);
        emit sigDmxMapWrite(COM_ERR_PARAM);
        return COM_OK;
    }
    // The header counts the slot and the count; the entries follow as one raw write.
    int iResult =
        m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_DMX_MAP_WRITE, 6}, Bytes(m_baCurrentPayload), &m_uiCurrentTimeoutMs);
    if (iResult != COM_OK) {
        TraceError("VPU_MSG_DMX_MAP_WRITE_REQ Failed!");
    } else {
        iResult =
            m_pCom->Write(quint32(m_baCurrentPayload.size() - 6), Bytes(m_baCurrentPayload) + 6, &m_uiCurrentTimeoutMs);
        if (iResult != COM_OK)
            TraceError("VPU_MSG_DMX_MAP_WRITE_REQ Failed to send data!");
    }
    int iVpuStatus = 0;
    if (iResult == COM_OK)
        iResult = m_pCom->WaitStatus(&iVpuStatus, &m_uiCurrentTimeoutMs);
    const int iStatus = iResult != COM_OK ? iResult : iVpuStatus;
    Report(iStatus, QT_TRANSLATE_NOOP("CVpuCom", "Failed to write DMX mapping on VPU!"), "DMX mapping writen on VPU!");
    emit sigDmxMapWrite(iStatus);
    return iResult;
}

int CVpuCom::ExecDmxMapRead()
{
    short sCount = 0;
    QByteArray baEntries;
    int iStatus = 0;
    int iResult = m_pCom->SendMsg(VpuMsgHeader_t{VPU_MSG_DMX_MAP_READ, quint32(m_baCurrentPayload.size())},
                                  Bytes(m_baCurrentPayload), &m_uiCurrentTimeoutMs);
    if (iResult != COM_OK)
        TraceError("VPU_MSG_DMX_MAP_READ_REQ Failed!");
    QByteArray baReply;
    if (iResult == COM_OK) {
        iResult = m_pCom->WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, 4}, &baReply, &m_uiCurrentTimeoutMs);
        if (iResult != COM_OK)
            TraceError("Wait for VPU_MSG_DATA_RSP Failed!");
        else
            iStatus = Field<qint32>(baReply, 0);
        if (iResult == COM_OK && iStatus != 0)
            TraceError("Failed to read dmx mapping on VPU!");
    }
    if (iResult == COM_OK && iStatus == 0) {
        iResult = m_pCom->WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, 2}, &baReply, &m_uiCurrentTimeoutMs);
        if (iResult != COM_OK)
            TraceError("Wait for VPU_MSG_DATA_RSP Failed!");
    }
    if (iResult == COM_OK && iStatus == 0) {
        const qint16 sWireCount = Field<qint16>(baReply, 0);
        // A count no mapping can have would make the entries' length meaningless: the rest
        // of the reply is left unread and the link is restarted like after any framing error.
        if (sWireCount < 0 || sWireCount > kDmxCommandCount) {
            TraceError("VPU_MSG_DMX_MAP_READ_RSP: invalid number of DMX commands (%d)!", sWireCount);
            iResult = COM_ERR_MSG_LENGTH;
        } else {
            iResult = m_pCom->WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, quint32(sWireCount) * 4}, &baEntries,
                                      &m_uiCurrentTimeoutMs);
            if (iResult != COM_OK)
                TraceError("Wait for VPU_MSG_DATA_RSP Failed!");
            else
                sCount = sWireCount;
        }
    }
    if (iResult != COM_OK) {
        iStatus = iResult;
        baEntries.clear();
        sCount = 0;
    }
    Report(iStatus, QT_TRANSLATE_NOOP("CVpuCom", "Failed to read DMX mapping from VPU!"), "DMX mapping read from VPU!");
    emit sigDmxMapRead(iStatus, sCount, baEntries);
    return iResult;
}

int CVpuCom::ExecVideoPresetRead()
{
    VideoPreset_t tPreset;
    std::memset(&tPreset, 0xFF, sizeof(tPreset));
    QByteArray baReply;
    const int iResult =
        ExchangeTyped(VPU_MSG_VIDEO_PRESET_READ, VPU_MSG_VIDEO_PRESET_READ_RSP, 8 + sizeof(VideoPreset_t), &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        DecodeRecord(baReply, 8, &tPreset);
        if (tPreset.InputCorr.brightness > 128)
            tPreset.InputCorr.brightness = 128;
    }
    if (iStatus != 0) {
        ErrorMsg(tr("Failed to read video preset from VPU!"), iStatus);
    } else {
        TracePreset(tPreset);
        TraceSuccess("Video preset read from VPU!");
    }
    emit sigVideoPresetRead(iStatus, tPreset);
    return iResult;
}

int CVpuCom::ExecFixtReadReg()
{
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_FIXT_READ_REG, VPU_MSG_FIXT_READ_REG_RSP, 8, &baReply);
    int iStatus = iResult;
    uint uiValue = 0xFFFFFFFF;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        uiValue = Field<quint32>(baReply, 4);
    }
    emit sigReadFixtureRegMsg(iStatus, uiValue);
    return iResult;
}

int CVpuCom::ExecFixtGetNumber()
{
    FixturesNum_t tNum{};
    QByteArray baReply;
    const int iResult =
        ExchangeTyped(VPU_MSG_FIXT_GET_NUMBER, VPU_MSG_FIXT_GET_NUMBER_RSP, sizeof(FixturesNum_t), &baReply);
    if (iResult == COM_OK)
        DecodeRecord(baReply, 0, &tNum);
    if (iResult != COM_OK) {
        ErrorMsg(tr("Failed to get fixture number from VPU!"), iResult);
    } else {
        TraceSuccess("VPU detects:");
        for (int i = 0; i < 4; ++i)
            TraceSuccess("    HDMI Out %d: Enumeration=%d (0:Not Done - 1:Done) - Lpu Number=%d - Sasu Number=%d",
                         i + 1, tNum.Enumerated[i], tNum.LpuNumber[i], tNum.SasuNumber[i]);
    }
    emit sigFixturesNumbersMsg(iResult, tNum);
    return iResult;
}

int CVpuCom::ExecFixtGetConfig()
{
    FixtureAddr_t tAddr{};
    DecodeRecord(m_baCurrentPayload, 0, &tAddr);
    FixtureConfig_t tConfig{};
    SasuConfig_t tSasu{};
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_FIXT_GET_CONFIG, VPU_MSG_FIXT_GET_CONFIG_RSP,
                                      4 + sizeof(FixtureConfig_t) + sizeof(SasuConfig_t), &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        DecodeRecord(baReply, 4, &tConfig);
        DecodeRecord(baReply, 4 + qsizetype(sizeof(FixtureConfig_t)), &tSasu);

        const quint32 uiReg = tConfig.LuminosityReg;
        const quint32 uiRed = UnscaleGain((uiReg >> 20) & 0x3FF, tConfig.LuminosityGlobal);
        const quint32 uiGreen = UnscaleGain((uiReg >> 10) & 0x3FF, tConfig.LuminosityGlobal);
        const quint32 uiBlue = UnscaleGain(uiReg & 0x3FF, tConfig.LuminosityGlobal);
        tConfig.LuminosityReg = (uiRed << 20) | (uiGreen << 10) | uiBlue;
        if (tConfig.GroupNumber != 0)
            tConfig.Angle = qint16(tConfig.Angle - tConfig.GroupAngle);
    }
    if (iStatus != 0) {
        ErrorMsg(tr("    Failed to get fixture F%1.%2 configuration!").arg(tAddr.output).arg(tAddr.number), iStatus);
    } else {
        TraceSuccess("    Fixture F%d.%d Configuration read:", tAddr.output, int(tAddr.number));
        TraceSuccess("        Serial Number = 0x%08X - Type = 0x%08X - Manufacturer Code = 0x%08X",
                     tConfig.SerialNumber, tConfig.Type, tConfig.ManufacturerCode);
        TraceSuccess("        Position: X=%d, Y=%d - Size: X=%d, Y=%d", tConfig.PosX, tConfig.PosY, tConfig.SizeX,
                     tConfig.SizeY);
        TraceSuccess("        Angle = %d - Anchor: X=%d, Y=%d", tConfig.Angle, tConfig.AnchorX, tConfig.AnchorY);
        TraceSuccess("        Group = %d - Angle = %d - Anchor: X=%d, Y=%d", tConfig.GroupNumber, tConfig.GroupAngle,
                     tConfig.GroupAnchorX, tConfig.GroupAnchorY);
        TraceSuccess("        Version Pcb = %d", tConfig.PcbVersion);
        TraceSuccess("        Version Fpga = V%d.%d - Type = %d", tConfig.FpgaVersion & 0x0F, tConfig.FpgaMinor,
                     tConfig.FpgaVersion >> 4);
        TraceSuccess("        Version Nios = V%d.%d", tConfig.NiosMajor, tConfig.NiosMinor);
        TraceSuccess("        Luminosity = %d%% - Register = 0x%08X", tConfig.LuminosityGlobal, tConfig.LuminosityReg);
    }
    emit sigGetFixtureConfigMsg(iStatus, tConfig, tSasu);
    return iResult;
}

int CVpuCom::ExecFixtGetSensorValues()
{
    SensorValues_t tValues;
    for (SensorValue_t &tValue : tValues.Sensor) {
        tValue.Type = 0;
        tValue.Status = 1;
        tValue.Value = -1.0f;
    }
    QByteArray baReply;
    const int iResult = ExchangeTyped(VPU_MSG_FIXT_GET_SENSOR_VALUES, VPU_MSG_FIXT_GET_SENSOR_VALUES_RSP,
                                      sizeof(SensorValues_t) + 4, &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        DecodeRecord(baReply, 0, &tValues);
        iStatus = Field<qint32>(baReply, sizeof(SensorValues_t));
    }
    if (iStatus != 0) {
        ErrorMsg(tr("    Failed to read sensor values!"), iStatus);
    } else {
        TraceSuccess("    SASU sensors values:");
        for (int i = 0; i < 4; ++i)
            TraceSuccess("        Sensor %d: Type=%d (0:None, 1:Temp, 2:Humi, 3:Lumi) - Value=%f (OOR=%d)", i + 1,
                         tValues.Sensor[i].Type, double(tValues.Sensor[i].Value), tValues.Sensor[i].Status);
    }
    emit sigGetSensorsValuesMsg(iStatus, tValues);
    return iResult;
}

int CVpuCom::ExecSasuGetConfig()
{
    SasuConfig_t tSasu{};
    QByteArray baReply;
    const int iResult =
        ExchangeTyped(VPU_MSG_SASU_GET_CONFIG, VPU_MSG_SASU_GET_CONFIG_RSP, 4 + sizeof(SasuConfig_t), &baReply);
    int iStatus = iResult;
    if (iResult == COM_OK) {
        iStatus = Field<qint32>(baReply, 0);
        DecodeRecord(baReply, 4, &tSasu);
    }
    if (iStatus != 0) {
        ErrorMsg(tr("    Failed to read SASU configuration!"), iStatus);
    } else {
        TraceInfo("    Sasu Configuration:");
        TraceInfo("        Blackout Mode=%d (1:On-Others:Off) - Temperature Off=%d - Temperature On=%d",
                  tSasu.BlackoutMode, tSasu.BlackoutTempOff, tSasu.BlackoutTempOn);
        TraceInfo("        Fan Monitoring Mode=%d (1:On-Others:Off) - Temperature Off=%d - Temperature On=%d",
                  tSasu.FanMonitoringMode, tSasu.FanTempOff, tSasu.FanTempOn);
        TraceSuccess("    SASU configuration read!");
    }
    emit sigGetSasuConfigMsg(iStatus, tSasu);
    return iResult;
}

int CVpuCom::ExecFixtEraseFlash()
{
    int iStatus = 0;
    const int iResult = ExchangeStatus(VPU_MSG_FIXT_ERASE_FLASH, &iStatus);
    if (iStatus == 0)
        TraceSuccess("        Fixture flash sector erased!");
    else
        TraceError("        Failed to erase fixture flash sector erased! (Error = %d)", iStatus);
    emit sigEraseFixtureFlashMsg(iStatus);
    return iResult;
}

int CVpuCom::ExecFixtWriteFlash()
{
    const quint32 uiSize = Field<quint32>(m_baCurrentPayload, 9);
    int iStatus = COM_ERR_PARAM;
    int iResult = COM_OK;
    if (quint64(m_baCurrentPayload.size()) == 13ull + uiSize)
        iResult = ExchangeBulk(VPU_MSG_FIXT_WRITE_FLASH, 13, &iStatus,
                               "VPU_MSG_FIXT_WRITE_FLASH_REQ Failed - Fixture com error (Return = %d)");
    if (iStatus == 0)
        TraceSuccess("        Fixture flash written!");
    else
        TraceError("        Failed to write data on fixture! (Error = %d)", iStatus);
    emit sigWriteFixtureFlashMsg(iStatus);
    return iResult;
}

int CVpuCom::ExecFixtReadMem()
{
    FixtureMemReq_t tReq{};
    DecodeRecord(m_baCurrentPayload, 0, &tReq);
    QByteArray baData;
    int iStatus = 0;
    // The range check works on the size alone: fixture memory addresses are the fixture's.
    bool bSent = false;
    int iResult =
        ExecChunkedRead(VPU_MSG_FIXT_READ_MEM, tReq.Size, FIXT_MEM_READ_MAX, 0, &baData, &iStatus,
                        "VPU_MSG_FIXT_READ_MEM_REQ Failed - Fixture memory read failed! (Return = %d)", &bSent);
    // The read was sent and every chunk came good: the fixture's own final word follows.
    if (bSent && iResult == COM_OK && iStatus == 0) {
        int iVpuStatus = 0;
        iResult = m_pCom->WaitStatus(&iVpuStatus, &m_uiCurrentTimeoutMs);
        iStatus = iResult != COM_OK ? iResult : iVpuStatus;
        if (iStatus != 0)
            baData.clear();
    }
    emit sigReadFixtureMemMsg(iStatus, tReq, baData);
    return iResult;
}

int CVpuCom::ExecFixtWriteMem()
{
    const quint32 uiSize = Field<quint32>(m_baCurrentPayload, 9);
    int iStatus = COM_ERR_PARAM;
    int iResult = COM_OK;
    if (quint64(m_baCurrentPayload.size()) == 13ull + uiSize)
        iResult = ExchangeBulk(VPU_MSG_FIXT_WRITE_MEM, 13, &iStatus,
                               "VPU_MSG_FIXT_WRITE_MEM_REQ Failed - Fixture com error (Return = %d)");
    emit sigWriteFixtureMemMsg(iStatus);
    return iResult;
}
