#include "texttables.h"

#include <QCoreApplication>

// The contexts under which the translators find these texts; the tables below spell them out,
// as lupdate reads only literal contexts.
#define DMX_CONTEXT "DmxCommand"
#define SLOT_CONTEXT "VpuMemorySlot"

const DmxCommandDef_t g_DmxCommandTable[kDmxCommandCount] = {
    {QT_TRANSLATE_NOOP("DmxCommand", "Enable"), QT_TRANSLATE_NOOP("DmxCommand", "Enable DMX link"), 1, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Mode"),
     QT_TRANSLATE_NOOP("DmxCommand", "Mode selection (Video input channel, test pattern...)"), 2, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Brightness"),
     QT_TRANSLATE_NOOP("DmxCommand", "HDMI receiver's brightness control"), 3, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Contrast"), QT_TRANSLATE_NOOP("DmxCommand", "HDMI receiver's contrast control"),
     4, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Hue"), QT_TRANSLATE_NOOP("DmxCommand", "HDMI receiver's hue control"), 5, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Saturation"),
     QT_TRANSLATE_NOOP("DmxCommand", "HDMI receiver's saturation control"), 6, 1},
    {QT_TRANSLATE_NOOP("DmxCommand", "Color Temperature"),
     QT_TRANSLATE_NOOP("DmxCommand", "VPU's color temperature control"), 7, 4},
    {QT_TRANSLATE_NOOP("DmxCommand", "Gamma"), QT_TRANSLATE_NOOP("DmxCommand", "LPU's gamma control"), 11, 3},
    {QT_TRANSLATE_NOOP("DmxCommand", "Test Color"),
     QT_TRANSLATE_NOOP("DmxCommand", "VPU's custom RGB test pattern control"), 14, 3},
    {QT_TRANSLATE_NOOP("DmxCommand", "Launch Preset"),
     QT_TRANSLATE_NOOP("DmxCommand", "Launch video presetting control"), 17, 1},
};

static const char *const s_VpuMemorySlots[kVpuMemorySlotCount] = {
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Current (Volatile)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Default (Permanent loaded on system boot)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 1 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 2 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 3 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 4 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 5 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 6 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 7 (Permanent)"),
    QT_TRANSLATE_NOOP("VpuMemorySlot", "Preset 8 (Permanent)"),
};

namespace {

QStringList Column(bool bNames)
{
    QStringList list;
    for (const DmxCommandDef_t &def : g_DmxCommandTable)
        list.append(QString::fromLatin1(bNames ? def.pszName : def.pszDescription));
    return list;
}

QStringList SlotNames()
{
    QStringList list;
    for (const char *pszName : s_VpuMemorySlots)
        list.append(QString::fromLatin1(pszName));
    return list;
}

} // namespace

const QStringList DmxCommandNames = Column(true);
const QStringList DmxCommandDescriptions = Column(false);
const QStringList VpuMemorySlotNames = SlotNames();

QString DmxCommandNameTr(int iIndex)
{
    if (iIndex < 0 || iIndex >= kDmxCommandCount)
        return QString();
    return QCoreApplication::translate(DMX_CONTEXT, g_DmxCommandTable[iIndex].pszName);
}

QString DmxCommandDescriptionTr(int iIndex)
{
    if (iIndex < 0 || iIndex >= kDmxCommandCount)
        return QString();
    return QCoreApplication::translate(DMX_CONTEXT, g_DmxCommandTable[iIndex].pszDescription);
}

QString VpuMemorySlotNameTr(int iSlot)
{
    if (iSlot < 0 || iSlot >= kVpuMemorySlotCount)
        return QString();
    return QCoreApplication::translate(SLOT_CONTEXT, s_VpuMemorySlots[iSlot]);
}

QStringList VpuMemorySlotNamesTr()
{
    QStringList list;
    for (int i = 0; i < kVpuMemorySlotCount; ++i)
        list.append(VpuMemorySlotNameTr(i));
    return list;
}
