#include "texttables.h"

#include <QCoreApplication>

// The contexts under which the translators find these texts.
#define DMX_CONTEXT "DmxCommand"
#define SLOT_CONTEXT "VpuMemorySlot"

const DmxCommandDef_t g_DmxCommandTable[kDmxCommandCount] = {
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Enable"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "Enable DMX link"), 1, 1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Mode"),
     QT_TRANSLATE_NOOP(DMX_CONTEXT, "Mode selection (Video input channel, test pattern...)"), 2, 1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Brightness"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "HDMI receiver's brightness control"),
     3, 1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Contrast"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "HDMI receiver's contrast control"), 4,
     1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Hue"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "HDMI receiver's hue control"), 5, 1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Saturation"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "HDMI receiver's saturation control"),
     6, 1},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Color Temperature"),
     QT_TRANSLATE_NOOP(DMX_CONTEXT, "VPU's color temperature control"), 7, 4},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Gamma"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "LPU's gamma control"), 11, 3},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Test Color"),
     QT_TRANSLATE_NOOP(DMX_CONTEXT, "VPU's custom RGB test pattern control"), 14, 3},
    {QT_TRANSLATE_NOOP(DMX_CONTEXT, "Launch Preset"), QT_TRANSLATE_NOOP(DMX_CONTEXT, "Launch video presetting control"),
     17, 1},
};

static const char *const s_VpuMemorySlots[kVpuMemorySlotCount] = {
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Current (Volatile)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Default (Permanent loaded on system boot)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 1 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 2 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 3 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 4 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 5 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 6 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 7 (Permanent)"),
    QT_TRANSLATE_NOOP(SLOT_CONTEXT, "Preset 8 (Permanent)"),
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
