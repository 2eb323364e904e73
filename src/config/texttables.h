#pragma once
// The program-wide text tables of the DMX and preset functions: the ten DMX commands
// (names, descriptions, default first channel and channel count) and the names of the
// VPU's ten memory slots. The lists hold the source texts: a DMX mapping file stores the
// untranslated command names, whatever language the user chose. Show them translated
// through the Tr functions below.

#include <QStringList>
#include <QtGlobal>

constexpr int kDmxCommandCount = 10;
constexpr int kVpuMemorySlotCount = 10;
constexpr int kDmxChannelMax = 512;

struct DmxCommandDef_t
{
    const char *pszName;
    const char *pszDescription;
    quint16 uDefaultChannel;
    quint8 uSize;
};

// Indexed by DMX command number - 1.
extern const DmxCommandDef_t g_DmxCommandTable[kDmxCommandCount];
extern const QStringList DmxCommandNames;
extern const QStringList DmxCommandDescriptions;
// Indexed by VPU memory slot (0 volatile current, 1 boot default, 2..9 presets 1..8).
extern const QStringList VpuMemorySlotNames;

QString DmxCommandNameTr(int iIndex);
QString DmxCommandDescriptionTr(int iIndex);
QString VpuMemorySlotNameTr(int iSlot);
// All ten slot names in the user's language, in slot order (for a choice list).
QStringList VpuMemorySlotNamesTr();
