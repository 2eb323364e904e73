#pragma once
// The group settings panel: name, placement, rotation and intensity of one group at a time,
// chosen in its combo box or by selecting the group alone on the scene, and the runs that
// send the members' intensity, origin, rotation or whole configuration to the VPU one
// fixture after another. Lives in the "Group Settings" dock; the groups belong to the main
// window.

#include "panels/pendingreply.h"
#include "project/scenerecords.h"

#include <QList>
#include <QPoint>
#include <QWidget>

class CAnchor;
class CFixture;
class CFixtureGroup;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class GroupSettings;
}

class GroupSettings : public QWidget
{
    Q_OBJECT

public:
    explicit GroupSettings(Zelvor *pMainWnd);
    ~GroupSettings() override;

    void SetOnline(bool bOnline);
    void ClearGroupList();
    void SetGroupList(const QList<CFixtureGroup *> &groups);
    void UpdateItemTexts();

public slots:
    void s_OnGroupListChange(int iIndex);
    void s_OnGroupNameChanged(const QString &qsValue);
    void s_OnTopLeftHorSpin(int iValue);
    void s_OnTopLeftVerSpin(int iValue);
    void s_OnRotAnchorPosHorSpin(int iValue);
    void s_OnRotAnchorPosVerSpin(int iValue);
    void s_OnRotAngleSpin(int iValue);
    void s_OnGroupLumiSlider(int iValue);
    void s_OnGroupLumiSpin(int iValue);
    void s_OnGroupLumiRedSlider(int iValue);
    void s_OnGroupLumiRedSpin(double dValue);
    void s_OnGroupLumiGreenSlider(int iValue);
    void s_OnGroupLumiGreenSpin(double dValue);
    void s_OnGroupLumiBlueSlider(int iValue);
    void s_OnGroupLumiBlueSpin(double dValue);
    void s_OnGroupLumiApplyBtn();
    void s_OnGroupLumiDefaultBtn();
    void s_OnGroupConfPositionVolatileBtn();
    void s_OnGroupConfRotationVolatileBtn();
    void s_OnGroupConfPermanentBtn();
    void s_OnGroupPosChange(QPoint qPos);
    void s_OnAnchorPosChange(QPoint qPos);
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);
    void s_OnSetFixtureLuminosityDone(int iStatus);
    void s_OnGroupConfPermanentDone(int iStatus);
    void s_OnGroupConfPositionVolatileDone(int iStatus);
    void s_OnGroupConfRotationVolatileDone(int iStatus);

private:
    // One kind of run: the request per member, its completion signal and the done slot.
    struct Run_t
    {
        int (CFixture::*pOperation)();
        void (CVpuCom::*pSignal)(int);
        void (GroupSettings::*pDone)(int);
    };
    static const Run_t s_IntensityRun, s_OriginRun, s_RotationRun, s_PermanentRun;

    int GetCurrentGroup(CFixtureGroup **ppGroup, GroupInfo_t *pInfo) const;
    void UpdateGroupFields();
    void SetIntensityControls(FixtureIntensity_t tIntensity);
    void ApplyIntensityToGroup();
    void OnGainSpin(int iColour, double dPercent);
    void OnGainSlider(int iColour, int iGain);
    // Follows the combo's current group (anchor shown, position links made); false without.
    bool Follow();
    // Stops following the chosen group: anchor hidden, its position links cut.
    void Unfollow();
    void StartRun(const Run_t &tRun);
    // Sends the request of the member at m_iRunIndex; false when it was not queued.
    bool SendRunStep();
    void RunDone(int iStatus);
    void EndRun();

    Ui::GroupSettings *m_pUi;
    Zelvor *m_pMainWnd;
    CFixtureGroup *m_pCurGroup = nullptr;
    CAnchor *m_pCurAnchor = nullptr;
    bool m_bOnline = false;
    QList<CFixture *> m_RunFixtures;
    int m_iRunIndex = 0;
    const Run_t *m_pRun = nullptr;
    // The member request in flight.
    CPendingReply m_Reply;
};
