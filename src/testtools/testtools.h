#pragma once
// The factory test tools: FPGA registers and I2C, SDRAM, flash, fixture registers and
// scripts. Exists only in factory mode, in the "Test Tools" dock.
//
// Every device operation follows one pattern: the main window is disabled from the request
// until its done slot, and a done slot is connected only while its own request runs, so the
// manual buttons, the action lists and the script player never take each other's replies.

#include "comm/vpurecords.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class Zelvor;
class QComboBox;

namespace Ui {
class TestTools;
}

// An FPGA register of the VPU by name (vpu.reginit).
struct RegEntry_t
{
    quint16 offset = 0;
    QString name;
    QString comment;
    quint8 mask = 0;
    quint8 value = 0;
};

// A fixture register by name (lpu.reginit).
struct LpuRegEntry_t
{
    quint32 offset = 0;
    QString name;
    QString comment;
    quint32 mask = 0;
    quint32 value = 0;
};

#pragma pack(push, 1)
// One step of a built-in FPGA register action list.
struct RegAction_t
{
    quint32 type; // REG_ACTION_READ, REG_ACTION_WRITE or REG_ACTION_WAIT
    quint16 offsetOrTime;
    quint8 mask;
    quint8 value;
};
#pragma pack(pop)
static_assert(sizeof(RegAction_t) == 8);

class TestTools : public QWidget
{
    Q_OBJECT

public:
    enum { REG_ACTION_READ = 0, REG_ACTION_WRITE = 1, REG_ACTION_WAIT = 2 };
    static constexpr int SCRIPT_HISTORY_MAX = 20;

    explicit TestTools(Zelvor *pMainWnd);
    ~TestTools() override;

    // The device-access parts follow the link; the generators that only write files do not.
    void SetOnline(bool bState);

    bool LoadVpuRegInit();
    bool LoadLpuRegInit();
    void ConnectRegCombo();
    void ConnectLpuRegCombo();
    const QList<RegEntry_t> &VpuRegisters() const { return m_VpuRegList; }
    const QList<LpuRegEntry_t> &LpuRegisters() const { return m_LpuRegList; }

    int StartRegActions(int iCount, const RegAction_t *ptActions);
    int ExecuteRegAction();
    void EndRegActions(int iStatus);

    bool StartScript(const QString &qsName);
    bool ExecuteNextScriptLine();
    bool EndScript(bool bSuccess);
    void UpdateScriptHistory();
    bool WriteScriptResult(const QString &qsText);
    bool WriteScriptError(const QString &qsText);

signals:
    void sigEndOfRegActions(int iStatus);

    // LED map and gain pattern generators: they only write files, so they stay usable offline.
public:
    static constexpr int LED_MAP_ADDRESSES = 256;
    static constexpr int LED_MAP_LEDS = 192;

public slots:
    void s_OnLpuGainGenerateBtn();
    void s_OnLpuGainOutFileChoiceBtn();
    void s_OnLpuLedMapOutFileChoiceBtn();
    void s_OnLpuLedMapGenerateBtn();
    void s_OnLpuLedMapOrderFirstCbBox(int iIndex);
    void s_OnLpuLedMapOrderSecondCbBox(int iIndex);
    void s_OnLpuLedMapOrderThirdCbBox(int iIndex);

private:
    void SetUpGenerators();
    void KeepColoursDistinct(int iIndex, QComboBox *pFirstOther, QComboBox *pSecondOther);
    int ComputeLedMapping(int iDriverInput, int iFirst, int iSecond, int iThird, int iLedNumber, quint8 *pucMap);
    int WriteLedMappingFile(int iFormat, const QString &qsName, const quint8 *pucMap);
    int WriteLedMappingMif(const QString &qsName, const quint8 *pucMap);
    int WriteLedMappingMap(const QString &qsName, const quint8 *pucMap);

public slots:
    void s_OnFpgaRegReadBtn();
    void s_OnFpgaRegWriteBtn();
    void s_OnFpgaOffsetModeRadio(bool bState);
    void s_OnRegOffsetCbBoxIdxChanged(int iIdx);
    void s_OnI2cReadBtn();
    void s_OnI2cWriteBtn();
    void s_OnFpgaTestPatternSdram1Btn();
    void s_OnBlackOutSdramBtn();
    void s_OnFpgaTestPatternOutputBtn();
    void s_OnFpgaTestPatternScalerOutputBtn();
    void s_OnScriptChoiceBtn();
    void s_OnRunScriptBtn();
    void s_OnLpuRegOffsetCbBoxIdxChanged(int iIdx);
    void s_OnLpuRegOffsetRadio(bool bState);

    void s_OnFpgaRegReadDone(int iReturn, unsigned char ucData);
    void s_OnFpgaRegWriteDone(int iReturn);
    void s_OnI2cReadDone(int iReturn, I2cRegister_t tI2cReg);
    void s_OnI2cWriteDone(int iReturn, I2cRegister_t tI2cReg);
    void s_OnFpgaTestPatternSdram1Done(int iStatus);
    void s_OnBlackOutSdramDone(int iStatus);
    void s_OnFpgaTestPatternOutputDone(int iStatus);
    void s_OnFpgaTestScalerOutputDone(int iStatus);
    void s_OnScriptFpgaRegReadDone(int iReturn, unsigned char ucData);
    void s_OnScriptFpgaRegWriteDone(int iReturn);
    void s_OnScriptI2cReadDone(int iReturn, I2cRegister_t tI2cReg);
    void s_OnScriptI2cWriteDone(int iReturn, I2cRegister_t tI2cReg);
    void s_OnScriptWaitDone();
    void s_OnActionFpgaRegReadDone(int iReturn, unsigned char ucData);
    void s_OnActionFpgaRegWriteDone(int iReturn);
    void s_OnActionDelayMsDone();

private:
    using PatternDone = void (TestTools::*)(int);
    // The register of a manual read or write: false (traced) when none can be taken.
    bool CurrentFpgaOffset(quint16 *pusOffset) const;
    void RunPattern(const char *pcStart, const RegAction_t *ptActions, int iCount, PatternDone pfnDone);
    void EndPattern(PatternDone pfnDone, int iStatus, const char *pcFailed, const char *pcDone);
    void LinkScript(bool bLink);
    void BuildSectorList();

    // One script action each: fields of the line (action first) and its clean text; false
    // when the line is refused or its request cannot be queued.
    bool ScriptRegister(const QString &qsField);
    bool ScriptRegRead(const QStringList &fields);
    bool ScriptRegWrite(const QStringList &fields);
    bool ScriptRegCheck(const QStringList &fields);
    bool ScriptI2cRead(const QStringList &fields);
    bool ScriptI2cWrite(const QStringList &fields);
    bool ScriptI2cCheck(const QStringList &fields);
    bool ScriptWait(const QStringList &fields, const QString &qsClean);
    bool ScriptFieldCount(const QStringList &fields, int iCount, bool bScriptError);
    QString ScriptRegisterText() const;

    Ui::TestTools *m_pUi;
    Zelvor *m_pMainWnd;
    QList<RegEntry_t> m_VpuRegList;
    QList<LpuRegEntry_t> m_LpuRegList;
    QStringList m_ScriptsHistory;
    QStringList m_SdramReadHistory;
    QStringList m_SdramWriteHistory;

    // The manual FPGA request in progress, for its done slot's trace.
    quint16 m_usFpgaOffset = 0;
    quint8 m_ucFpgaValue = 0;

    // Action list in progress.
    const RegAction_t *m_ptRegActions = nullptr;
    int m_iRegActionIdx = 0;
    int m_iRegActionCount = 0;

    // Script in progress.
    bool m_bScriptRunning = false;
    QFile m_ScriptFile;
    QFile m_ResultFile;
    int m_iScriptLine = 0;
    RegEntry_t m_tScriptReg;
    I2cRegister_t m_tScriptI2cReg{};
    bool m_bCheckMode = false;
    QString m_qsScriptComment;
    quint64 m_ullScriptWaitMs = 0;
    bool m_bScriptWriteFailed = false;
};
