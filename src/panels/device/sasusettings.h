#pragma once
// The SASU settings and monitoring panel: one fixture at a time, picked in its combo box or
// on the scene. Edits the black-out and fan thresholds that the fixture's scene item keeps
// (the project saves them from there), writes them to the SASU permanently or reads them
// back, reads the four sensors and the manual switches, and shows the factory parameters.
// Lives in the main window's "SASU Settings and Monitoring" dock.

#include "comm/vpurecords.h"

#include <QList>
#include <QString>
#include <QWidget>

class CFixture;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class SasuSettings;
}

// What one sensor row shows after a reading: the label's text and the display's text.
struct SensorShown_t
{
    QString qsLabel;
    QString qsDisplay;
};
// Sensor iSensor (1..4) of a reading; iStatus not 0 is a failed reading.
SensorShown_t SensorTexts(int iSensor, int iStatus, const SensorValue_t &tValue);

class SasuSettings : public QWidget
{
    Q_OBJECT

public:
    // The register that holds the manual switches: bit 0 fan, bit 1 relay, bit 2 spare.
    static constexpr quint32 SWITCH_REGISTER = 0x200200;

    explicit SasuSettings(Zelvor *pMainWnd);
    ~SasuSettings() override;

    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);
    void UpdateItemTexts();

public slots:
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private slots:
    void s_OnFixtNameListChange(int iIndex);
    void s_OnBlackOutGpBox(bool bState);
    void s_OnBlackOutOnSpin(int iValue);
    void s_OnBlackOutOffSpin(int iValue);
    void s_OnFanMoniGpBox(bool bState);
    void s_OnFanSwitchOnSpin(int iValue);
    void s_OnFanSwitchOffSpin(int iValue);
    void s_OnGetSensorValsBtn();
    void s_OnGetSensorsValuesDone(int iStatus, SensorValues_t tSensorValues);
    void s_OnConfigPermanentBtn();
    void s_OnWriteConfigPermanentDone(int iStatus);
    void s_OnReadConfigPermanentBtn();
    void s_OnReadConfigPermanentDone(int iStatus, SasuConfig_t tSasuConfig);
    void s_OnManuSwitchWrBtn();
    void s_OnManuSwitchWrReadRegDone(int iStatus, uint uiValue);
    void s_OnManuSwitchWrWriteDone(int iStatus);
    void s_OnManuSwitchRdBtn();
    void s_OnManuSwitchRdDone(int iStatus, uint uiValue);

private:
    // -1 when the combo box is empty; otherwise 0 with the current item's fixture and address.
    int GetSelectedFixture(CFixture **ppFixture, FixtureAddr_t *pAddr) const;
    void UpdateGui();
    void ShowSensorsValues(int iStatus, const SensorValues_t &tValues);
    // The three check boxes show the switch bits of a register value.
    void ShowSwitches(quint32 uiValue);
    // An edit of one control: traced with its value and stored in the current fixture's record.
    template <class Field> void StoreField(Field SasuConfig_t::*pField, int iValue, const char *pcTrace);
    // The window stays disabled from the request to its done slot; false when nothing was queued.
    template <class Signal, class Slot, class Call> bool Request(Signal signal, Slot slot, Call call);
    template <class Signal, class Slot> void Done(Signal signal, Slot slot);

    Ui::SasuSettings *m_pUi;
    Zelvor *m_pMainWnd;
    CFixture *m_pCurFixture = nullptr;
    bool m_bOnline = false;
    // The switch register as read at the start of a write (what the device holds if the write
    // fails) and as written.
    quint32 m_uiSwitchesRead = 0;
    quint32 m_uiSwitchesWritten = 0;
};
