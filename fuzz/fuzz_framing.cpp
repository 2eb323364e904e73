// Arbitrary bytes as the VPU's replies to every exchange pattern of the framing layer.
// The first byte picks the pattern and its sizes; the rest is what the "VPU" sends.

#include "comm/com.h"
#include "comm/vpumsg.h"
#include "support/memcom.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const quint8 ucPattern = data[0] % 6;
    const quint32 uiSize = quint32(data[1]) * 37 + data[2]; // up to ~9.7 KB of payload
    MemCom tCom(QByteArray(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3)));
    quint32 uiTimeout = 1000;
    int iVpuStatus = 0;
    const quint8 aucParams[13] = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    switch (ucPattern) {
    case 0:
        tCom.ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout);
        break;
    case 1: {
        QByteArray baReply;
        tCom.ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, quint8(data[1]), uiSize, &baReply,
                           &uiTimeout);
        if (!baReply.isEmpty() && baReply.size() != qsizetype(uiSize))
            __builtin_trap();
        break;
    }
    case 2: {
        std::vector<quint8> tData(uiSize, 0x5A);
        tCom.ExchangeBulkWrite(VpuMsgHeader_t{VPU_MSG_FIXT_WRITE_MEM, 13}, aucParams, tData.data(), uiSize, &iVpuStatus,
                               &uiTimeout);
        break;
    }
    case 3: {
        std::vector<quint8> tData(uiSize);
        tCom.ExchangeChunkedRead(VpuMsgHeader_t{VPU_MSG_FLASH_READ, 9}, aucParams, tData.data(), uiSize, &iVpuStatus,
                                 &uiTimeout);
        break;
    }
    case 4: {
        // Message after message until the stream no longer fits what is expected.
        for (int i = 0; i < 64; ++i) {
            quint8 *pucPayload = nullptr;
            const int iStatus = tCom.WaitMsg(VpuMsgHeader_t{VPU_MSG_DATA_RSP, uiSize % 2048}, &pucPayload, &uiTimeout);
            delete[] pucPayload;
            if (iStatus != 0)
                break;
        }
        break;
    }
    default:
        tCom.WaitStatus(&iVpuStatus, &uiTimeout);
        break;
    }
    return 0;
}
