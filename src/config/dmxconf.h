#pragma once
// The DMX mapping: which DMX channels each VPU command listens on. CDmxConf reads and writes
// mapping files (".dmx", root "DMX_Mapping") and keeps the default mapping and the overlap
// rule that every editor of a mapping uses. Instances are local to one file operation.

#include "config/config.h"

#include <QList>
#include <QMetaType>
#include <QtGlobal>

#include <cstddef>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the VPU records are little-endian");

#pragma pack(push, 1)
// One mapping entry, in memory and on the wire to the VPU.
struct DMX_Mapping_t
{
    quint8 command = 0;  // 1..10, position in the DMX command table
    quint16 channel = 0; // first DMX channel, 1..512 (unaligned)
    quint8 size = 0;     // number of consecutive channels
};
#pragma pack(pop)
static_assert(sizeof(DMX_Mapping_t) == 4, "DMX_Mapping_t is a 4-byte wire record");
static_assert(offsetof(DMX_Mapping_t, channel) == 1, "the channel follows the command byte");

inline bool operator==(const DMX_Mapping_t &a, const DMX_Mapping_t &b)
{
    return a.command == b.command && a.channel == b.channel && a.size == b.size;
}
inline bool operator!=(const DMX_Mapping_t &a, const DMX_Mapping_t &b)
{
    return !(a == b);
}

Q_DECLARE_METATYPE(DMX_Mapping_t)

class CDmxConf : public CConfig
{
    Q_DECLARE_TR_FUNCTIONS(CDmxConf)

public:
    CDmxConf();
    ~CDmxConf() = default;

    // 0, or a negative code with the default mapping kept (never a partial one).
    int Parse() override;
    // Rebuilds the document from the current mapping.
    int Write() override;

    int GetCommands(QList<DMX_Mapping_t> &lOut) const;
    int SetCommands(const QList<DMX_Mapping_t> &lCommands);
    static void SetDefaultCommands(QList<DMX_Mapping_t> &lList);
    // Where a command using channel..channel+size-1 goes to keep lList in channel order;
    // -5 (reported) when the range shares a channel with an entry.
    static int CheckChannelRange(const QList<DMX_Mapping_t> &lList, quint16 uChannel, quint8 uSize);
    // 0 when the list could be a mapping of the VPU: at most 10 entries, commands 1..10 each
    // once, every channel within 1..512, no channel used twice; else -400 with the reason traced.
    static int CheckMapping(const QList<DMX_Mapping_t> &lList);

private:
    QList<DMX_Mapping_t> m_Commands;
};
