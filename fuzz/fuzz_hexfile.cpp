// The Intel HEX reader on arbitrary text: a file is either refused or read whole, and
// building its image never writes outside the image.
#include "comm/hexfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static CHexFile hex;
    const QByteArray baText(reinterpret_cast<const char *>(data), qsizetype(size));
    if (hex.Parse(baText) != CHexFile::HEX_OK)
        return 0;
    quint8 record[CHexFile::MAX_RECORD_BYTES];
    while (hex.ReadRecord(record, sizeof record) > 0) {
    }
    quint32 uiStart = 0, uiLength = 0;
    quint16 usCrc = 0;
    hex.LoadImage(&uiStart, &uiLength, &usCrc);
    if (uiLength > 0 &&
        (uiStart < CHexFile::IMAGE_BASE || uiStart - CHexFile::IMAGE_BASE + uiLength > CHexFile::IMAGE_SIZE))
        __builtin_trap();
    return 0;
}
