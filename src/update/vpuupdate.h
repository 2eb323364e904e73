#pragma once
// The VPU update panel: MCU firmware (through the VPU or the bootloader), MCU data, FPGA
// firmware and factory parameters of the VPU. It owns the one bootloader link of the program
// for its whole life and is its only user. Lives in the password-guarded "VPU Update" dock.
//
// Each command is a step machine on the GUI thread: the main window stays disabled from its
// start to its single end, where the command's completion links are cut again, so that no
// other panel's request and no second command can run meanwhile.

#include "comm/bootloader.h"
#include "comm/vpurecords.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

class Zelvor;

namespace Ui {
class VpuUpdate;
}

class VpuUpdate : public QWidget
{
    Q_OBJECT

public:
    // Where the flash may hold MCU data: [0x800000, 0x2000000).
    static constexpr quint32 MCU_DATA_START = 0x800000;
    static constexpr quint32 MCU_DATA_END = 0x2000000;
    static constexpr quint32 FPGA_IMAGE_OFFSET = 0x400000;
    static constexpr quint32 FPGA_IMAGE_SIZE = 1191788;
    static constexpr quint32 MCU_TRIGGER_ADDRESS = 0x9D07F000;

    explicit VpuUpdate(Zelvor *pMainWnd);
    ~VpuUpdate() override;

    // The VPU programming buttons need the link; the bootloader route needs it closed.
    void SetOnline(bool bOnline);

    int StartMcuProgramming(bool bFromBootloader);
    void McuUpdateStep();
    int McuUpdateFinish(int iStatus);
    int ParseMcuDataFileList();
    void ProgramNextMcuDataFile();
    void FinishMcuData(int iStatus);

    // The pause after the MCU reset and the wait for the new firmware, shortened by tests.
    void SetMcuWaits(int iResetPauseMs, int iStartupWaitMs)
    {
        m_iResetPauseMs = iResetPauseMs;
        m_iStartupWaitMs = iStartupWaitMs;
    }
    CBootLoader &BootLoader() { return m_BootLoader; }

public slots:
    void s_OnMcuFileTB();
    void s_OnProgMcuBtn();
    void s_OnMcuProgFromBootLoaderBtn();
    void s_OnMcuUpdtEthRadToggled(bool bState);
    void s_OnFpgaFileTB();
    void s_OnProgFpgaBtn();
    void s_OnVpuTypeLE(const QString &qsValue);
    void s_OnVpuManufLE(const QString &qsValue);
    void s_OnVpuSNLE(const QString &qsValue);
    void s_OnProgParamBtn();
    void s_OnGetCurrentVpuSetBtn();
    void s_OnMcuDataFileTB();
    void s_OnMcuDataProgBtn();
    void s_OnMcuUpdtStartup();
    void s_OnProgMcuInitComDone(int iStatus);
    void s_OnGetConfigDone(int iStatus, VpuConfig_t tVpuConfig);
    void s_OnSetFactoryParamDone(int iStatus);
    void s_OnProgVpuFpgaFirmwareDone(int iStatus);
    void s_OnMcuFlashProgramDone(int iStatus);
    void s_OnProgMcuVpuSoftResetDone(int iStatus);
    void s_OnProgMcuVpuSoftResetSleepDone();
    void s_OnProgMcuBootLoaderNoResp(unsigned char ucLastSentCommand);
    void s_OnProgMcuBootLoaderRespOk(unsigned char ucCmd, QByteArray baData);
    void s_OnProgMcuDataDone(int iStatus);

private:
    // One flash write of MCU data: entries whose sectors touch share a write, because each
    // write erases every sector it enters and would wipe the entry before it.
    struct McuDataRun_t
    {
        quint32 uiOffset;
        quint32 uiSize;
        QList<int> entries; // indexes into the entry lists
    };

    int EndMcuUpdate(int iStatus, bool bReport);
    void LinkMcuUpdate(bool bLink);
    void StopBootLoader();
    int SendBootCommand(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs);
    int CheckMcuDataEntries();
    void BuildMcuDataRuns();
    void StartTimer(int iMs, void (VpuUpdate::*pSlot)());
    bool ChooseFile(const QString &qsCaption, const QString &qsFilter, QString *pqsName);

    Ui::VpuUpdate *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    CBootLoader m_BootLoader;
    char *m_pcFpgaImage = nullptr;

    // MCU update
    quint32 m_uiMcuState = 0;
    bool m_bMcuRunning = false;
    bool m_bFromBootloader = false;
    quint32 m_uiLinkKind = CBootLoader::BL_MODE_UDP;
    quint16 m_usVid = 0;
    quint16 m_usPid = 0;
    quint32 m_uiIp = 0;
    quint16 m_usUdpPort = 0;
    int m_iResetPauseMs = 3000;
    int m_iStartupWaitMs = 30000;
    int m_iTimerSerial = 0; // a timer of an ended update must not step the next one

    // MCU data
    bool m_bMcuDataRunning = false;
    QString m_qsListFolder;
    QStringList m_McuDataNames;
    QList<quint32> m_McuDataOffsets;
    QList<quint32> m_McuDataSizes;
    QList<McuDataRun_t> m_McuDataRuns;
    int m_iMcuDataIndex = 0;
    QByteArray m_baMcuData;
};
