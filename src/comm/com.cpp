#include "comm/com.h"

#include "comm/vpumsg.h"
#include "trace/trace.h"

#include <algorithm>
#include <new>

int CCom::Open()
{
    return COM_ERR_FAILED;
}

int CCom::Close()
{
    return COM_ERR_FAILED;
}

int CCom::SendMsg(VpuMsgHeader_t tHeader, const quint8 *pucPayload, quint32 *puiTimeoutMs)
{
    int iStatus = Write(sizeof(tHeader), reinterpret_cast<const quint8 *>(&tHeader), puiTimeoutMs);
    if (iStatus == COM_OK && tHeader.Length != 0) {
        if (pucPayload == nullptr)
            return COM_ERR_PARAM;
        iStatus = Write(tHeader.Length, pucPayload, puiTimeoutMs);
    }
    return iStatus;
}

int CCom::WaitMsg(VpuMsgHeader_t tExpected, quint8 **ppucPayload, quint32 *puiTimeoutMs)
{
    if (ppucPayload != nullptr)
        *ppucPayload = nullptr;
    VpuMsgHeader_t tHeader;
    int iStatus = Read(sizeof(tHeader), reinterpret_cast<quint8 *>(&tHeader), puiTimeoutMs);
    if (iStatus != COM_OK)
        return iStatus;
    // No resynchronisation: whatever follows a wrong header stays unread, and the caller
    // restarts the link since the stream position is lost.
    if (tHeader.MsgId != tExpected.MsgId)
        return COM_ERR_MSG_ID;
    if (tHeader.Length != tExpected.Length)
        return COM_ERR_MSG_LENGTH;
    if (tHeader.Length == 0)
        return COM_OK;
    if (ppucPayload == nullptr)
        return COM_ERR_PARAM;
    quint8 *pucBuffer = new (std::nothrow) quint8[tHeader.Length];
    if (pucBuffer == nullptr)
        return COM_ERR_ALLOC;
    iStatus = Read(tHeader.Length, pucBuffer, puiTimeoutMs);
    if (iStatus != COM_OK) {
        delete[] pucBuffer;
        return iStatus;
    }
    *ppucPayload = pucBuffer;
    return COM_OK;
}

int CCom::WaitMsg(VpuMsgHeader_t tExpected, QByteArray *pbaPayload, quint32 *puiTimeoutMs)
{
    quint8 *pucPayload = nullptr;
    const int iStatus = WaitMsg(tExpected, &pucPayload, puiTimeoutMs);
    if (pbaPayload != nullptr) {
        if (iStatus == COM_OK && pucPayload != nullptr)
            *pbaPayload = QByteArray(reinterpret_cast<const char *>(pucPayload), qsizetype(tExpected.Length));
        else
            pbaPayload->clear();
    }
    delete[] pucPayload;
    return iStatus;
}

int CCom::WaitStatus(int *piVpuStatus, quint32 *puiTimeoutMs)
{
    QByteArray baPayload;
    const int iStatus = WaitMsg(VpuMsgHeader_t{VPU_MSG_STATUS_RSP, 4}, &baPayload, puiTimeoutMs);
    if (iStatus != COM_OK) {
        TraceError("Wait for VPU_MSG_STATUS_RSP Failed!");
        return iStatus;
    }
    qint32 iVpuStatus = 0;
    DecodeRecord(baPayload, 0, &iVpuStatus);
    if (piVpuStatus != nullptr)
        *piVpuStatus = iVpuStatus;
    return COM_OK;
}

int CCom::ExchangeStatus(VpuMsgHeader_t tRequest, const quint8 *pucPayload, int *piVpuStatus, quint32 *puiTimeoutMs)
{
    int iStatus = SendMsg(tRequest, pucPayload, puiTimeoutMs);
    if (iStatus != COM_OK) {
        TraceError("VPU_MSG_%s_REQ Failed!", VpuMsgName(tRequest.MsgId));
        return iStatus;
    }
    return WaitStatus(piVpuStatus, puiTimeoutMs);
}

int CCom::ExchangeTyped(VpuMsgHeader_t tRequest, const quint8 *pucPayload, quint8 ucReplyId, quint32 uiReplyLength,
                        QByteArray *pbaReply, quint32 *puiTimeoutMs)
{
    int iStatus = SendMsg(tRequest, pucPayload, puiTimeoutMs);
    if (iStatus != COM_OK) {
        TraceError("VPU_MSG_%s_REQ Failed!", VpuMsgName(tRequest.MsgId));
        if (pbaReply != nullptr)
            pbaReply->clear();
        return iStatus;
    }
    iStatus = WaitMsg(VpuMsgHeader_t{ucReplyId, uiReplyLength}, pbaReply, puiTimeoutMs);
    if (iStatus != COM_OK)
        TraceError("Wait for VPU_MSG_%s_RSP Failed!", VpuMsgName(ucReplyId));
    return iStatus;
}

int CCom::ExchangeBulkWrite(VpuMsgHeader_t tRequest, const quint8 *pucParams, const quint8 *pucData,
                            quint32 uiDataLength, int *piVpuStatus, quint32 *puiTimeoutMs)
{
    int iVpuStatus = 0;
    int iStatus = SendMsg(tRequest, pucParams, puiTimeoutMs);
    if (iStatus != COM_OK) {
        TraceError("VPU_MSG_%s_REQ Failed!", VpuMsgName(tRequest.MsgId));
        return iStatus;
    }
    quint32 uiDone = 0;
    while (uiDone < uiDataLength) {
        const quint32 uiBlock = std::min(uiDataLength - uiDone, VPU_BULK_BLOCK_SIZE);
        iStatus = Write(uiBlock, pucData + uiDone, puiTimeoutMs);
        if (iStatus != COM_OK) {
            TraceError("VPU_MSG_%s_REQ Failed to send data!", VpuMsgName(tRequest.MsgId));
            break;
        }
        iStatus = WaitStatus(&iVpuStatus, puiTimeoutMs);
        if (iStatus != COM_OK || iVpuStatus != 0)
            break;
        uiDone += uiBlock;
    }
    if (piVpuStatus != nullptr)
        *piVpuStatus = iVpuStatus;
    return iStatus;
}

int CCom::ExchangeChunkedRead(VpuMsgHeader_t tRequest, const quint8 *pucPayload, quint8 *pucData, quint32 uiSize,
                              int *piVpuStatus, quint32 *puiTimeoutMs)
{
    int iVpuStatus = 0;
    int iStatus = SendMsg(tRequest, pucPayload, puiTimeoutMs);
    if (iStatus != COM_OK) {
        TraceError("VPU_MSG_%s_REQ Failed!", VpuMsgName(tRequest.MsgId));
        return iStatus;
    }
    quint32 uiDone = 0;
    while (uiDone < uiSize) {
        const quint32 uiChunk = std::min(uiSize - uiDone, VPU_CHUNK_DATA_SIZE);
        quint8 *pucChunk = nullptr;
        iStatus = WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, 4 + uiChunk}, &pucChunk, puiTimeoutMs);
        if (iStatus != COM_OK) {
            TraceError("Wait for VPU_MSG_DATA_RSP Failed!");
            break;
        }
        qint32 iChunkStatus = 0;
        std::memcpy(&iChunkStatus, pucChunk, sizeof(iChunkStatus));
        if (iChunkStatus == 0)
            std::memcpy(pucData + uiDone, pucChunk + 4, uiChunk);
        delete[] pucChunk;
        iVpuStatus = iChunkStatus;
        if (iVpuStatus != 0)
            break;
        uiDone += uiChunk;
    }
    if (piVpuStatus != nullptr)
        *piVpuStatus = iVpuStatus;
    return iStatus;
}
