#pragma once
// The factory test tools: FPGA registers and I2C, SDRAM, flash, fixture registers and
// scripts. Exists only in factory mode, in the "Test Tools" dock.
//
// Every device operation follows one pattern: the main window is disabled from the request
// until its done slot, and a done slot is connected only while its own request runs, so the
// manual buttons, the action lists and the script player never take each other's replies.

#include "comm/vpurecords.h"
#include "panels/pendingreply.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class Zelvor;
class QComboBox;
class QImage;
class QLineEdit;
class QRadioButton;
class QSpinBox;

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

    // ---- VPU flash, SDRAM, fixture registers and memory ----
public:
    static constexpr int SDRAM_WIDTH = 2048;
    static constexpr int SDRAM_HEIGHT = 6144;
    static constexpr int SDRAM_HISTORY_MAX = 20;
    static constexpr quint32 ACQ_BUFFER_OFFSET = 0x380000;
    static constexpr int ACQ_BUFFER_SIDE = 256;
    // The draws of the noise pattern, each in 0..32767; unset, a generator seeded with the
    // time in seconds is used for each pattern.
    void SetNoiseSource(std::function<int()> fnDraw) { m_fnNoiseDraw = std::move(fnDraw); }

public slots:
    void s_OnRebootMCUBtn();
    void s_OnFlashEraseBtn();
    void s_OnFlashRdShortBtn();
    void s_OnFlashWrShortBtn();
    void s_OnFlashRdFileBtn();
    void s_OnFlashRdFileChoiceBtn();
    void s_OnFlashWrFileBtn();
    void s_OnFlashWrFileChoiceBtn();
    void s_OnRebootMCUDone(int iStatus);
    void s_OnFlashEraseDone(int iReturn, uint uiOffset);
    void s_OnFlashReadShortDone(int iStatus, uint uiOffset, uint uiLength, QByteArray baData);
    void s_OnFlashWriteShortDone(int iStatus);
    void s_OnFlashReadFileDone(int iStatus, uint uiOffset, uint uiLength, QByteArray baData);
    void s_OnFlashWriteFileDone(int iStatus);

    void s_OnSdramRdPixelBtn();
    void s_OnSdramWrPixelBtn();
    void s_OnSdramWrPatternBtn();
    void s_OnSdramRdFileBtn();
    void s_OnSdramRdFileChoiceBtn();
    void s_OnSdramWrFileBtn();
    void s_OnSdramWrFileChoiceBtn();
    void s_OnSdramReadPixelDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels);
    void s_OnSdramWritePixelDone(int iStatus);
    void s_OnSdramReadFileDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels);
    void s_OnSdramWriteFileDone(int iStatus);

    void s_OnLpuRegAdrRadio(bool bState);
    void s_OnLpuRebootAdrRadio(bool bState);
    void s_OnLpuRegWriteBtn();
    void s_OnLpuRegReadBtn();
    void s_OnLpuRebootBtn();
    void s_OnLpuMemFileWriteChoiceBtn();
    void s_OnLpuMemFileReadChoiceBtn();
    void s_OnLpuMemFileWriteBtn();
    void s_OnLpuMemFileReadBtn();
    void s_OnLpuMemFileVerifBtn();
    void s_OnLpuAcqBuffRdFileChoiceBtn();
    void s_OnLpuAcqBuffWrFileChoiceBtn();
    void s_OnLpuAcqBuffRdFileBtn();
    void s_OnLpuAcqBuffWrFileBtn();
    void s_OnLpuRegReadDone(int iReturn, uint uiValue);
    void s_OnLpuRegWriteDone(int iReturn);
    void s_OnLpuRebootDone(int iReturn);
    void s_OnLpuMemWrFileDone(int iStatus);
    void s_OnLpuMemRdFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData);
    void s_OnLpuMemVerifFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData);
    void s_OnLpuAcqBuffWrFileDone(int iStatus);
    void s_OnLpuAcqBuffRdFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData);

private:
    void SetupFlashTab();
    void SetupSdramTab();
    void SetupLpuTab();
    // The request pattern (testtoolsrequest.h): window disabled and the done slot connected
    // from the request to its reply; false, and both undone, when the request was not queued.
    template <class Signal, class Slot, class Call> bool StartRequest(Signal pfnSignal, Slot pfnSlot, Call fnCall);
    // In a done slot: false for a reply that is not this panel's; else ends the request.
    template <class Signal, class Slot> bool TakeReply(Signal pfnSignal, Slot pfnSlot);
    template <class Signal, class Slot> void EndRequest(Signal pfnSignal, Slot pfnSlot);

    bool GetFlashOffset(quint32 *puiOffset);
    bool EraseNextSector();
    bool GetSdramRect(SdramRect_t *ptRect);
    QImage MakeRgbRampImage();
    QImage MakeNoiseImage();
    QImage MakeFullColorImage(Color_t tColor);
    // Sends the top-left of the image that fits the rectangle, which shrinks to the image.
    void WriteImageToSdram(QImage image, SdramRect_t tRect, bool bPattern);
    void UpdateSdramReadHistory();
    void UpdateSdramWriteHistory();
    // Moves the combo's text to the head of the history; true when the list changed.
    static bool PushHistory(QComboBox *pCombo, QStringList *pList, int iMax);
    void ChooseFile(QComboBox *pCombo, bool bSave, const QString &qsCaption, const QString &qsFilter,
                    bool bRelative);

    int GetFixtureAddress(FixtureAddr_t *ptAddr);
    int GetPickerAddress(const QRadioButton *pBroadcast, const QSpinBox *pLink, const QSpinBox *pNumber,
                         FixtureAddr_t *ptAddr);
    void UpdateLpuRegAddressWidgets();
    bool CurrentLpuOffset(quint32 *puiOffset, const char *pcError) const;
    // The fixture of a read: one fixture, never the broadcast address, which has no single answer.
    bool GetReadFixture(FixtureAddr_t *ptAddr);
    // File into the transfer buffer for a memory write or compare; false (traced) when refused.
    bool LoadFixtureMemFile(bool bVerify, FixtureMemReq_t *ptReq);

    CPendingReply m_Pending;
    QList<quint32> m_EraseList;
    int m_iEraseIdx = 0;
    QByteArray m_baFixtMem;
    std::function<int()> m_fnNoiseDraw;

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
    bool WriteResultLine(const QString &qsText);
    bool ScriptRegMaskValue(const QStringList &fields);
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
