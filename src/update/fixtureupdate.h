#pragma once
// The fixture update panel: firmware, LED map, gain tables and factory parameters of the
// fixtures, one chosen in its combo box. Lives in the password-guarded "Fixture Update" dock.
//
// Each programming command runs with the main window disabled from its click to its single
// end, where its buffers are freed and the completion links it made are cut again. The flash
// sequencer of the link may end a write before its call returns (an early refusal): the done
// slot is then the end, and the caller only finishes a run that is still active.

#include <QList>
#include <QWidget>

#include "comm/vpucom.h"
#include "comm/vpurecords.h"
#include "config/catalogue.h"
#include "update/gaincoef.h"

#include <memory>

class CFixture;
class QGraphicsItem;
class QLineEdit;
class Zelvor;

namespace Ui {
class FixtureUpdate;
}

class FixtureUpdate : public QWidget
{
    Q_OBJECT

public:
    // Fixture flash layout.
    static constexpr quint32 SAFE_SOFT_OFFSET = 0x000000;
    static constexpr quint32 SAFE_FPGA_OFFSET = 0x040000;
    static constexpr quint32 USER_SOFT_OFFSET = 0x0C0000;
    static constexpr quint32 USER_FPGA_OFFSET = 0x100000;
    static constexpr quint32 GAIN_OFFSET = 0x180000;
    static constexpr quint32 LED_MAP_OFFSET = 0x1FC000;
    static constexpr quint32 FPGA_IMAGE_SIZE = 510856;
    // The software must end before the FPGA image behind it.
    static constexpr quint32 SOFT_MAX_SIZE = 0x40000;
    static constexpr quint32 LED_MAP_SIZE = 768;

    explicit FixtureUpdate(Zelvor *pMainWnd);
    ~FixtureUpdate() override;

    // The programming buttons need the link and at least one fixture.
    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);

    void ShowFixtureInfo();
    void ShowTileInfo(const FixtureTile_t atTiles[4]);
    void ShowSensorInfo(const SensorType_t atSensors[4]);

    int StartFirmwareUpdate(FixtureAddr_t tAddr, bool bSafe);
    int ReadSoftwareFile(char **ppcBuffer);
    int FirmwareUpdateStep();
    int FinishFirmwareUpdate(int iStatus);

    int LoadGainFile(const QString &qsFileName, quint16 *pusHeight, quint16 *pusWidth,
                     std::unique_ptr<CGainTable> *ppTable);
    int ProgramGain(FixtureAddr_t tAddr);
    int ProgramGainBigScreen();
    int GainBigScreenStep();
    int FinishGainBigScreen(int iStatus);

    int ProgramLedMapping(FixtureAddr_t tAddr);

public slots:
    void s_OnFixtCbBox(int iValue);
    void s_OnFixtTypeCbBox(int iIndex);
    void s_OnFirmFpgaFileTBox();
    void s_OnFirmSoftFileTBox();
    void s_OnFirmProgFixtBtn();
    void s_OnFirmProgAllBtn();
    void s_OnFirmProgAllSafeBtn();
    void s_OnLpuGainFileTBox();
    void s_OnLpuGainProgBtn();
    void s_OnLpuGainProgAllBtn();
    void s_OnLpuGainProgBigScreenBtn();
    void s_OnLedMapFileTBox();
    void s_OnLedMapProgFixtBtn();
    void s_OnLedMapProgAllBtn();
    void s_OnFixtParamProgBtn();
    void s_OnGetCurrentSettingsBtn();
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);
    void s_OnWriteFixtFactoryDone(int iStatus);
    void s_OnGetFixtureConfigDone(int iStatus, FixtureConfig_t tFixtConfig, SasuConfig_t tSasuConfig);
    void s_OnLpuGainProgDone(int iStatus);
    void s_OnProgramLedMappingDone(int iStatus);
    void s_OnProgFirmwareDone(int iStatus);
    void s_OnFixturesNumbersDone(int iStatus, FixturesNum_t tFixturesNum);
    void s_OnEraseFixtureFlashDone(int iStatus);
    void s_OnFixtMemRdDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData);
    void s_OnGainBigScreenFixtNumbersDone(int iStatus, FixturesNum_t tFixturesNum);
    void s_OnGainBigScreenGetFixtConfDone(int iStatus, FixtureConfig_t tFixtConfig, SasuConfig_t tSasuConfig);
    void s_OnLpuGainBigScreenProgDone(int iStatus);

private:
    CVpuCom *Com() const;
    void LinkFirmware(bool bLink);
    void LinkBigScreen(bool bLink);
    void FreeImage();
    // Counts per output of the enumeration (LPUs and SASUs, negatives as none); their sum.
    quint32 TakeCounts(const FixturesNum_t &tNum);
    // Moves the enumeration walk to the next fixture; -4 past the last output.
    int NextFixture(FixtureAddr_t *pAddr);
    bool IsBroadcast(const FixtureAddr_t &tAddr) const { return tAddr.output == 255 && tAddr.number == 0xFFFFFFFFu; }
    void ChooseFile(const QString &qsCaption, const QString &qsFolder, const QString &qsFilter, QLineEdit *pEdit);

    Ui::FixtureUpdate *m_pUi;
    Zelvor *m_pMainWnd;
    QList<FixtureType_t> m_FixtureTypes;
    int m_iChosenType = 0;
    bool m_bOnline = false;
    bool m_bSafe = false;
    CFixture *m_pSelectedFixture = nullptr;
    FixtureAddr_t m_SelectedAddr{};
    FixtureAddr_t m_TargetAddr{};
    FixtureFactoryParam_t m_FactoryParam{};

    // Firmware run
    bool m_bFirmwareRunning = false;
    int m_iFirmwareStep = 0;
    char *m_pcFpgaImage = nullptr;
    char *m_pcSoftware = nullptr;
    quint32 m_uiSoftLength = 0;
    // Enumeration walk, shared by the firmware and big-screen runs (one runs at a time).
    quint32 m_auiCounts[4] = {0, 0, 0, 0};
    quint32 m_uiRemaining = 0;
    quint8 m_ucOutputIndex = 0;
    quint32 m_uiFixtureNumber = 0;

    // Gain and LED map
    bool m_bGainRunning = false;
    bool m_bLedMapRunning = false;
    QByteArray m_baImage;
    std::unique_ptr<CGainTable> m_pGainTable;
    quint16 m_usTableHeight = 0;
    quint16 m_usTableWidth = 0;

    // Big screen
    bool m_bBigScreenRunning = false;
    int m_iBigScreenStep = 0;
    quint32 m_uiTotal = 0;
    quint32 m_uiIndex = 0;
    // The configurations of the first pass and the address each came from.
    QList<FixtureConfig_t> m_FixtConfigs;
    QList<FixtureAddr_t> m_FixtAddrs;
};
