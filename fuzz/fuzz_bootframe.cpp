// The bootloader's frame receiver on arbitrary bytes fed in pieces of arbitrary size, as
// HID reports and datagrams bring them.
#include "comm/bootloader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the piece size.
    const int iPiece = 1 + data[0] % 64;
    CBootFrameReceiver rx;
    size_t i = 1;
    while (i < size) {
        const int iLength = int(qMin<size_t>(size_t(iPiece), size - i));
        const int iTaken = rx.ParseRxData(data + i, iLength);
        if (iTaken < 0 || iTaken > iLength)
            __builtin_trap();
        if (rx.IsFrameReceived()) {
            const QByteArray baBody = rx.Body();
            if (baBody.isEmpty() || baBody.size() > CBootFrameReceiver::RX_BODY_SIZE - 2)
                __builtin_trap();
            rx.Reset();
        }
        i += size_t(iLength);
    }
    return 0;
}
