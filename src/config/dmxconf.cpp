#include "dmxconf.h"

#include "config/texttables.h"
#include "trace/trace.h"

namespace {

const char kSection[] = "Commands";
const char kKey[] = "dmx_command";

int LastChannel(quint16 uChannel, quint8 uSize)
{
    return int(uChannel) + int(uSize) - 1;
}

bool Overlaps(quint16 uChannelA, quint8 uSizeA, quint16 uChannelB, quint8 uSizeB)
{
    return uChannelA <= LastChannel(uChannelB, uSizeB) && LastChannel(uChannelA, uSizeA) >= uChannelB;
}

} // namespace

CDmxConf::CDmxConf()
{
    m_qsRootName = QStringLiteral("DMX_Mapping");
}

int CDmxConf::GetCommands(QList<DMX_Mapping_t> &lOut) const
{
    lOut = m_Commands;
    return 0;
}

int CDmxConf::SetCommands(const QList<DMX_Mapping_t> &lCommands)
{
    m_Commands = lCommands;
    return 0;
}

void CDmxConf::SetDefaultCommands(QList<DMX_Mapping_t> &lList)
{
    lList.clear();
    for (int i = 0; i < kDmxCommandCount; ++i) {
        DMX_Mapping_t entry;
        entry.command = quint8(i + 1);
        entry.channel = g_DmxCommandTable[i].uDefaultChannel;
        entry.size = g_DmxCommandTable[i].uSize;
        lList.append(entry);
    }
}

int CDmxConf::CheckChannelRange(const QList<DMX_Mapping_t> &lList, quint16 uChannel, quint8 uSize)
{
    // Mappings from the VPU or the main window need not be in channel order: every entry is
    // looked at, and the place is counted rather than found by the first higher entry.
    int iPos = 0;
    for (const DMX_Mapping_t &entry : lList) {
        if (Overlaps(entry.channel, entry.size, uChannel, uSize)) {
            ErrorMsg(tr("DMX channel is already used by command %1 - '%2'")
                         .arg(QString::number(entry.command), DmxCommandNames.value(entry.command - 1)),
                     0);
            return -5;
        }
        if (entry.channel < uChannel)
            ++iPos;
    }
    return iPos;
}

int CDmxConf::CheckMapping(const QList<DMX_Mapping_t> &lList)
{
    if (lList.size() > kDmxCommandCount) {
        TraceError("Invalid DMX mapping: %d DMX commands (at most %d)!", int(lList.size()), kDmxCommandCount);
        return -400;
    }
    for (qsizetype i = 0; i < lList.size(); ++i) {
        const DMX_Mapping_t &entry = lList.at(i);
        if (entry.command < 1 || entry.command > kDmxCommandCount) {
            TraceError("Invalid DMX mapping: unknown DMX command number %d!", entry.command);
            return -400;
        }
        const char *pszName = g_DmxCommandTable[entry.command - 1].pszName;
        if (entry.size < 1 || entry.channel < 1 || LastChannel(entry.channel, entry.size) > kDmxChannelMax) {
            TraceError("Invalid DMX mapping: DMX Command '%s' - Channel %d - Size %d is not within 1..%d!", pszName,
                       entry.channel, entry.size, kDmxChannelMax);
            return -400;
        }
        for (qsizetype j = 0; j < i; ++j) {
            const DMX_Mapping_t &other = lList.at(j);
            if (other.command == entry.command || Overlaps(other.channel, other.size, entry.channel, entry.size)) {
                TraceError("Invalid DMX mapping: DMX Command '%s' is defined several times or shares a channel!",
                           pszName);
                return -400;
            }
        }
    }
    return 0;
}

int CDmxConf::Write()
{
    // What is written must read back: refuse a mapping the reader would refuse, before the
    // document is touched.
    QList<DMX_Mapping_t> lSeen;
    for (const DMX_Mapping_t &entry : m_Commands) {
        const int iIndex = entry.command - 1;
        if (iIndex < 0 || iIndex >= kDmxCommandCount) {
            TraceError("DMX mapping not written: unknown DMX command number %d!", entry.command);
            return -21;
        }
        const quint8 uSize = g_DmxCommandTable[iIndex].uSize;
        if (entry.channel < 1 || LastChannel(entry.channel, uSize) > kDmxChannelMax) {
            TraceError("DMX mapping not written: DMX Command '%s' - Channel %d is not valid (<1 or >%d)!",
                       g_DmxCommandTable[iIndex].pszName, entry.channel, kDmxChannelMax);
            return -21;
        }
        for (const DMX_Mapping_t &seen : lSeen) {
            if (seen.command == entry.command || Overlaps(seen.channel, seen.size, entry.channel, uSize)) {
                TraceError("DMX mapping not written: DMX Command '%s' is defined several times or shares a channel!",
                           g_DmxCommandTable[iIndex].pszName);
                return -22;
            }
        }
        DMX_Mapping_t checked = entry;
        checked.size = uSize;
        lSeen.append(checked);
    }

    Clear();
    CreateRoot();
    TraceInfo("    Generate DMX commands:");
    QList<ConfigKey_t> keys;
    int iNumber = 0;
    for (const DMX_Mapping_t &entry : m_Commands) {
        ConfigKey_t key;
        key.text = DmxCommandNames.at(entry.command - 1);
        key.attributes.append({QStringLiteral("channel"), QString::number(entry.channel)});
        keys.append(key);
        TraceInfo("        DMX Command %d - Name='%s' - Channel=%d - Size=%d", ++iNumber, U8(key.text).constData(),
                  entry.channel, entry.size);
    }
    return WriteKeys(QLatin1String(kSection), QLatin1String(kKey), keys);
}

int CDmxConf::Parse()
{
    SetDefaultCommands(m_Commands);
    const QList<DMX_Mapping_t> lDefault = m_Commands;
    TraceInfo("    Parse DMX commands:");
    const QByteArray file = U8(m_qsFileName);

    auto fail = [](int iStatus) {
        ErrorMsg(tr("Failed to parse configuration file!"), iStatus);
        return iStatus;
    };

    // A file that is not XML, or another kind of XML file, is no mapping at all: it must not
    // read as an empty one.
    if (!HasRoot()) {
        // Open has traced where the file stopped being XML.
        TraceError("Invalid DMX mapping file - Not an XML document!");
        return fail(-20);
    }
    if (!HasOwnRoot()) {
        TraceError("Invalid DMX mapping file '%s' - Root element '%s' not found!", file.constData(), "DMX_Mapping");
        return fail(-20);
    }

    QList<ConfigKey_t> keys;
    if (const int iStatus = ReadKeys(QLatin1String(kSection), QLatin1String(kKey), QString(), QString(), keys);
        iStatus != 0) {
        TraceError("Invalid DMX commands in configuration file '%s' - Section '%s' - Key '%s'!", file.constData(),
                   kSection, kKey);
        return fail(iStatus);
    }
    if (keys.size() > kDmxCommandCount) {
        TraceError("Invalid DMX commands in configuration file '%s' - Section '%s' - Key '%s' - More than %d "
                   "commands!",
                   file.constData(), kSection, kKey, kDmxCommandCount);
        return fail(-21);
    }

    QList<DMX_Mapping_t> lMapping;
    for (const ConfigKey_t &key : keys) {
        const QByteArray name = U8(key.text);
        const int iIndex = DmxCommandNames.indexOf(key.text);
        if (iIndex < 0) {
            TraceError("Unknown DMX Command '%s' in configuration file '%s' - Section '%s' - Key '%s'!",
                       name.constData(), file.constData(), kSection, kKey);
            return fail(-21);
        }
        DMX_Mapping_t entry;
        entry.command = quint8(iIndex + 1);
        entry.size = lDefault.at(iIndex).size;
        for (const DMX_Mapping_t &taken : lMapping) {
            if (taken.command == entry.command) {
                TraceError("DMX Command '%s' in configuration file '%s' is defined several times - Section '%s' - Key "
                           "'%s'!",
                           name.constData(), file.constData(), kSection, kKey);
                return fail(-22);
            }
        }
        if (key.attributes.size() != 1) {
            TraceError("Invalid DMX Command in configuration file '%s' - Section '%s' - Key '%s' - DMX Command "
                       "requires 1 attribute!",
                       file.constData(), kSection, kKey);
            return fail(-23);
        }
        const ConfigAttr_t &attr = key.attributes.first();
        if (attr.name != QLatin1String("channel")) {
            TraceError("Invalid DMX Command in configuration file '%s' - Section '%s' - Key '%s' - Invalid attribute "
                       "'%s'!",
                       file.constData(), kSection, kKey, U8(attr.name).constData());
            return fail(-23);
        }
        bool bOk = false;
        const quint16 uChannel = attr.value.toUShort(&bOk, 10);
        // The whole block must fit: a command's last channel past 512 does not exist on the link.
        if (!bOk || uChannel < 1 || LastChannel(uChannel, entry.size) > kDmxChannelMax) {
            TraceError("Invalid DMX Command in configuration file '%s' - Section '%s' - Key '%s' - Channel is not "
                       "valid (<1 or >%d)!",
                       file.constData(), kSection, kKey, kDmxChannelMax);
            return fail(-21);
        }
        entry.channel = uChannel;
        const int iPos = CheckChannelRange(lMapping, entry.channel, entry.size);
        if (iPos < 0) {
            TraceError("DMX Channel of Command '%s' in configuration file '%s' is already used by an other command - "
                       "Section '%s' - Key '%s'!",
                       name.constData(), file.constData(), kSection, kKey);
            return fail(-22);
        }
        lMapping.insert(iPos, entry);
        TraceInfo("        DMX Command %d - Name='%s' - Channel=%d - Size=%d", int(lMapping.size()), name.constData(),
                  entry.channel, entry.size);
    }
    m_Commands = lMapping;
    return 0;
}
