#pragma once
// The test control panel: full-screen test colours, freeze, fixture sequence numbers and dot
// correction on the whole wall or on the selected LPUs. Lives in the main window's "Test
// Functions" dock; usable only while online. Nothing of it is stored in the project.

#include "comm/vpurecords.h"

#include <QList>
#include <QWidget>

class CFixture;
class CVpuCom;
class Zelvor;

namespace Ui {
class TestControl;
}

class TestControl : public QWidget
{
    Q_OBJECT

public:
    explicit TestControl(Zelvor *pMainWnd);
    ~TestControl() override;

    void SetOnline(bool bOnline);

public slots:
    void s_OnFullRedBtn();
    void s_OnFullGreenBtn();
    void s_OnFullBlueBtn();
    void s_OnFullWhiteBtn();
    void s_OnFullBlackBtn();
    void s_OnCustApplyBtn();
    void s_OnCustDefaultBtn();
    void s_OnCustRedSpin(int iValue);
    void s_OnCustRedSlider(int iValue);
    void s_OnCustGreenSpin(int iValue);
    void s_OnCustGreenSlider(int iValue);
    void s_OnCustBlueSpin(int iValue);
    void s_OnCustBlueSlider(int iValue);
    void s_OnFreezeBtn();
    void s_OnShowFixtNumberBtn();
    void s_OnDotCorrAllDisBtn();
    void s_OnDotCorrAllEnaBtn();
    void s_OnDotCorrSelectedDisBtn();
    void s_OnDotCorrSelectedEnaBtn();
    void s_OnStopTestBtn();
    void s_OnSetFullScreenTestColorDone(int iStatus);
    void s_OnSetFreezeVideoOutputDone(int iStatus);
    void s_OnShowFixtNumberDone(int iStatus);
    void s_OnStopTestPatternDone(int iStatus);
    void s_OnDotCorrAllOnOffDone(int iStatus);
    void s_OnDotCorrSelectedOnOffDone(int iStatus);

private:
    using DoneSlot = void (TestControl::*)(int);
    using CompletionSignal = void (CVpuCom::*)(int);

    // Shows a colour (red in bits 0-7, green 8-15, blue 16-23) without running the custom slots.
    void SetCustomColor(quint32 uColor);
    void SetFullScreenColor(Color_t tColor);
    void FullColor(const char *pszTrace, quint8 uRed, quint8 uGreen, quint8 uBlue);
    // Traces and sends the three custom sliders, online only.
    void ApplyCustomColor();
    void DotCorrAll(bool bEnable);
    void DotCorrSelected(bool bEnable);
    void DotCorrSelectedNext();
    // Disables the main window and connects the done slot to the link's signal, or undoes both.
    void SetPending(bool bPending, CompletionSignal signal, DoneSlot slot);
    // One request without payload; a non-zero return from the link ends it at once.
    void Request(CompletionSignal signal, DoneSlot slot, int (CVpuCom::*pfnRequest)());

    Ui::TestControl *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    bool m_bDotCorrEnable = true;
    QList<CFixture *> m_SelectedFixtures;
    quint32 m_iSelectedIndex = 0;
};
