#pragma once
// The fixture settings panel: placement, rotation, factory parameters, intensity and test
// colour of one fixture at a time, chosen in its combo box or by selecting it alone on the
// scene. Lives in the main window's "Fixture settings" dock; the fixtures belong to the main
// window, the panel only follows the chosen one.

#include "comm/vpurecords.h"
#include "panels/pendingreply.h"
#include "project/scenerecords.h"

#include <QList>
#include <QWidget>

class CAnchor;
class CFixture;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class FixtureSettings;
}

class FixtureSettings : public QWidget
{
    Q_OBJECT

public:
    explicit FixtureSettings(Zelvor *pMainWnd);
    ~FixtureSettings() override;

    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);
    void UpdateItemTexts();

public slots:
    void s_OnFixtNameListChange(int iIndex);
    void s_OnTopLeftHorSpin(int iValue);
    void s_OnTopLeftVerSpin(int iValue);
    void s_OnRotAnchorPosHorSpin(int iValue);
    void s_OnRotAnchorPosVerSpin(int iValue);
    void s_OnRotAngleSpin(int iValue);
    void s_OnLuminositySlider(int iValue);
    void s_OnLuminositySpin(int iValue);
    void s_OnRedSlider(int iValue);
    void s_OnRedSpin(double dValue);
    void s_OnGreenSlider(int iValue);
    void s_OnGreenSpin(double dValue);
    void s_OnBlueSlider(int iValue);
    void s_OnBlueSpin(double dValue);
    void s_OnApplyToLpuBtn();
    void s_OnDefaultBtn();
    void s_OnFixtConfPositionVolatileBtn();
    void s_OnFixtConfRotationVolatileBtn();
    void s_OnFixtConfPermanentBtn();
    void s_OnLpuTestColorApplyBtn();
    void s_OnLpuTestColorDefaultBtn();
    void s_OnLpuTestColorRedSpin(int iValue);
    void s_OnLpuTestColorGreenSpin(int iValue);
    void s_OnLpuTestColorBlueSpin(int iValue);
    void s_OnLpuTestColorRedSlider(int iValue);
    void s_OnLpuTestColorGreenSlider(int iValue);
    void s_OnLpuTestColorBlueSlider(int iValue);
    void s_OnLpuTestColorStopBtn();
    void s_OnFixturePosChange(QPoint qPos);
    void s_OnAnchorPosChange(QPoint qPos);
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);
    void s_OnSetFixtureLuminosityMsg(int iStatus);
    void s_OnSetFixtureTestColorDone(int iStatus);
    void s_OnStopFixtureTestColorDone(int iStatus);
    void s_OnConfigureOriginVolatileDone(int iStatus);
    void s_OnConfigureRotationVolatileDone(int iStatus);
    void s_OnWriteConfigPermanentDone(int iStatus);

private:
    using DoneSlot = void (FixtureSettings::*)(int);
    using VpuSignal = void (CVpuCom::*)(int);

    int GetSelectedFixture(CFixture **ppFixture, FixtureAddr_t *pAddr) const;
    void UpdateGui();
    void ShowIntensity(FixtureIntensity_t tIntensity);
    void PackIntensity();
    void ShowTestColor(Color_t tColor);
    // The work of the three colour pairs; iColour 0 red, 1 green, 2 blue.
    void OnGainSpin(int iColour, double dPercent);
    void OnGainSlider(int iColour, int iGain);
    void OnTestColorSlider(int iColour, int iValue);
    // Follows the combo's current fixture (anchor shown, position links made); false without.
    bool Follow();
    // Stops following the chosen fixture: anchor hidden, its position links cut.
    void Unfollow();
    // A request that keeps the window disabled until its own reply; request() queues it once
    // the done slot is linked and returns the request function's result.
    template <class Request> void StartRequest(VpuSignal signal, DoneSlot done, Request request);
    void EndRequest(VpuSignal signal, DoneSlot done);

    Ui::FixtureSettings *m_pUi;
    Zelvor *m_pMainWnd;
    CFixture *m_pCurFixture = nullptr;
    CAnchor *m_pCurAnchor = nullptr;
    bool m_bOnline = false;
    // The last intensity request queued (they do not disable the window and may overlap).
    CPendingReply m_LumiReply;
    // The request that disabled the window.
    CPendingReply m_Reply;
};
