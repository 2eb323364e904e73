#pragma once
// One entry of a DMX mapping: which VPU command listens from which DMX channel on. The same
// 4 packed bytes are kept in memory, shown by the DMX panel and sent to the VPU's memory
// slots, so the record is a wire record and travels by value in queued signals.

#include <QMetaType>
#include <QtGlobal>

#pragma pack(push, 1)

struct DMX_Mapping_t
{
    quint8 command;  // 1..10, position in the DMX command table
    quint16 channel; // first DMX channel, 1..512
    quint8 size;     // consecutive channels the command uses
};
static_assert(sizeof(DMX_Mapping_t) == 4);

#pragma pack(pop)

// A mapping never holds more entries than there are commands.
constexpr int DMX_MAPPING_MAX_ENTRIES = 10;

Q_DECLARE_METATYPE(DMX_Mapping_t)
