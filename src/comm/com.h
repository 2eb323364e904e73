#pragma once
// The VPU link as a byte stream, whatever carries it (USB bulk or TCP), and the message
// framing that every request of the VPU protocol is built on: a 5-byte header
// (VpuMsgHeader_t) and its payload. The exchange patterns below are the four shapes that
// all requests take; they share one time budget (*puiTimeoutMs, in and out) so that a
// whole request, however many transfers it needs, ends within the time it was given.
//
// A transport is owned by the VPU worker for one opening of the link and used by one
// thread at a time.

#include "comm/vpurecords.h"

#include <QByteArray>

// Status codes of the transports and the framing (the program-wide error table's values).
enum ComStatus_t {
    COM_OK = 0,
    COM_ERR_ALLOC = -2,
    COM_ERR_FAILED = -3,
    COM_ERR_PARAM = -4,
    COM_ERR_CONNECT = -200,
    COM_ERR_TIMEOUT = -202,
    COM_ERR_MSG_ID = -203,
    COM_ERR_MSG_LENGTH = -204,
    COM_ERR_NO_DEVICE = -206,
    COM_ERR_CLOSE = -207,
};

class CCom
{
public:
    CCom() = default;
    virtual ~CCom() = default;
    CCom(const CCom &) = delete;
    CCom &operator=(const CCom &) = delete;

    virtual int Open();
    virtual int Close();
    // Move exactly uiLength bytes or fail. *puiTimeoutMs is the time allowed on entry and
    // what is left of it on return; a zero-length transfer succeeds at once.
    virtual int Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs) = 0;
    virtual int Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs) = 0;

    // Header, then Length payload bytes (none when Length is 0).
    int SendMsg(VpuMsgHeader_t tHeader, const quint8 *pucPayload, quint32 *puiTimeoutMs);
    // Reads one message and checks it against the expected id (-203) and length (-204); on a
    // mismatch nothing more is read. On success with a payload, *ppucPayload is a new
    // buffer of exactly Length bytes that the caller frees with delete[]; otherwise null.
    int WaitMsg(VpuMsgHeader_t tExpected, quint8 **ppucPayload, quint32 *puiTimeoutMs);
    // The same, the payload landing in *pbaPayload (emptied on failure).
    int WaitMsg(VpuMsgHeader_t tExpected, QByteArray *pbaPayload, quint32 *puiTimeoutMs);
    // Waits for STATUS_RSP and gives its i32 status.
    int WaitStatus(int *piVpuStatus, quint32 *puiTimeoutMs);

    // Exchange patterns. Each returns the transport or framing code (0 when the exchange
    // itself worked); *piVpuStatus receives what the VPU answered. A failing step traces
    // which message and which step failed.

    // The request, then STATUS_RSP.
    int ExchangeStatus(VpuMsgHeader_t tRequest, const quint8 *pucPayload, int *piVpuStatus, quint32 *puiTimeoutMs);
    // The request, then one reply of a fixed id and length, whole in *pbaReply.
    int ExchangeTyped(VpuMsgHeader_t tRequest, const quint8 *pucPayload, quint8 ucReplyId, quint32 uiReplyLength,
                      QByteArray *pbaReply, quint32 *puiTimeoutMs);
    // The request with its parameter block (tRequest.Length counts only that block), then the
    // data in raw writes of at most 1920 bytes, each answered by STATUS_RSP. The first
    // failure or non-zero VPU status ends it.
    int ExchangeBulkWrite(VpuMsgHeader_t tRequest, const quint8 *pucParams, const quint8 *pucData, quint32 uiDataLength,
                          int *piVpuStatus, quint32 *puiTimeoutMs);
    // The request, then DATA_RSP chunks of an i32 status and at most 1916 data bytes until
    // uiSize bytes have landed in pucData; a non-zero chunk status ends it.
    int ExchangeChunkedRead(VpuMsgHeader_t tRequest, const quint8 *pucPayload, quint8 *pucData, quint32 uiSize,
                            int *piVpuStatus, quint32 *puiTimeoutMs);
};
