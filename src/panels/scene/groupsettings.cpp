#include "panels/scene/groupsettings.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/contentenabled.h"
#include "panels/gainpercent.h"
#include "panels/scene/sceneitemdata.h"
#include "panels/scene/ui_groupsettings.h"
#include "scene/anchor.h"
#include "trace/trace.h"

#include <cmath>

const GroupSettings::Run_t GroupSettings::s_IntensityRun = {
    &CFixture::ApplyIntensity, &CVpuCom::sigSetFixtureLuminosityMsg, &GroupSettings::s_OnSetFixtureLuminosityDone};
const GroupSettings::Run_t GroupSettings::s_OriginRun = {&CFixture::ConfigureOrigin, &CVpuCom::sigSetFixtureOriginMsg,
                                                         &GroupSettings::s_OnGroupConfPositionVolatileDone};
const GroupSettings::Run_t GroupSettings::s_RotationRun = {&CFixture::ConfigureRotation,
                                                           &CVpuCom::sigSetFixtureRotationMsg,
                                                           &GroupSettings::s_OnGroupConfRotationVolatileDone};
const GroupSettings::Run_t GroupSettings::s_PermanentRun = {&CFixture::WriteConfig, &CVpuCom::sigWriteFixtureConfigMsg,
                                                            &GroupSettings::s_OnGroupConfPermanentDone};

GroupSettings::GroupSettings(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::GroupSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::GroupSettings *u = m_pUi;
    connect(u->m_pGroupNameCbBox, &QComboBox::currentIndexChanged, this, &GroupSettings::s_OnGroupListChange);
    connect(u->m_pGroupNameLE, &QLineEdit::textChanged, this, &GroupSettings::s_OnGroupNameChanged);
    connect(u->m_pGroupPosHorSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnTopLeftHorSpin);
    connect(u->m_pGroupPosVertSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnTopLeftVerSpin);
    connect(u->m_pRotAnchorHorPosSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnRotAnchorPosHorSpin);
    connect(u->m_pRotAnchorVerPosSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnRotAnchorPosVerSpin);
    connect(u->m_pRotAngleSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnRotAngleSpin);
    connect(u->m_pGroupLumiSlider, &QSlider::valueChanged, this, &GroupSettings::s_OnGroupLumiSlider);
    connect(u->m_pGroupLumiSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnGroupLumiSpin);
    connect(u->m_pGroupLumiRedSlider, &QSlider::valueChanged, this, &GroupSettings::s_OnGroupLumiRedSlider);
    connect(u->m_pGroupLumiRedSpin, &QDoubleSpinBox::valueChanged, this, &GroupSettings::s_OnGroupLumiRedSpin);
    connect(u->m_pGroupLumiGreenSlider, &QSlider::valueChanged, this, &GroupSettings::s_OnGroupLumiGreenSlider);
    connect(u->m_pGroupLumiGreenSpin, &QDoubleSpinBox::valueChanged, this, &GroupSettings::s_OnGroupLumiGreenSpin);
    connect(u->m_pGroupLumiBlueSlider, &QSlider::valueChanged, this, &GroupSettings::s_OnGroupLumiBlueSlider);
    connect(u->m_pGroupLumiBlueSpin, &QDoubleSpinBox::valueChanged, this, &GroupSettings::s_OnGroupLumiBlueSpin);
    connect(u->m_pGroupLumiApplyBtn, &QPushButton::clicked, this, &GroupSettings::s_OnGroupLumiApplyBtn);
    connect(u->m_pGroupLumiDefaultBtn, &QPushButton::clicked, this, &GroupSettings::s_OnGroupLumiDefaultBtn);
    connect(u->m_pConfPosVolatileBtn, &QPushButton::clicked, this, &GroupSettings::s_OnGroupConfPositionVolatileBtn);
    connect(u->m_pConfRotVolatileBtn, &QPushButton::clicked, this, &GroupSettings::s_OnGroupConfRotationVolatileBtn);
    connect(u->m_pConfPermanentBtn, &QPushButton::clicked, this, &GroupSettings::s_OnGroupConfPermanentBtn);
    SetOnline(false);
    UpdateGroupFields();
}

GroupSettings::~GroupSettings()
{
    delete m_pUi;
}

void GroupSettings::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pConfPermanentBtn->setEnabled(bOnline);
    m_pUi->m_pConfRotVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pConfPosVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pGroupLumiApplyBtn->setEnabled(bOnline);
}

void GroupSettings::Unfollow()
{
    if (m_pCurGroup) {
        disconnect(m_pCurGroup, &CFixtureGroup::sigPosChange, this, &GroupSettings::s_OnGroupPosChange);
        m_pCurGroup->SetAnchorVisible(false);
        m_pCurGroup = nullptr;
    }
    if (m_pCurAnchor) {
        disconnect(m_pCurAnchor, &CAnchor::sigPosChange, this, &GroupSettings::s_OnAnchorPosChange);
        m_pCurAnchor = nullptr;
    }
}

void GroupSettings::ClearGroupList()
{
    // The groups may be deleted next, or survive the rebuild without being chosen: nothing of
    // them may stay shown or linked.
    Unfollow();
    ClearItemCombo(m_pUi->m_pGroupNameCbBox, this, &GroupSettings::s_OnItemSelectionChange);
    SetContentEnabled(this, false);
}

void GroupSettings::SetGroupList(const QList<CFixtureGroup *> &groups)
{
    {
        ConnectionGuard guard(m_pUi->m_pGroupNameCbBox, &QComboBox::currentIndexChanged, this,
                              &GroupSettings::s_OnGroupListChange);
        ClearGroupList();
        for (CFixtureGroup *pGroup : groups) {
            GroupInfo_t info;
            pGroup->GetInfo(&info);
            m_pUi->m_pGroupNameCbBox->addItem(tr("G%1").arg(info.number), ItemToData(pGroup));
            LinkSelection(pGroup, this, &GroupSettings::s_OnItemSelectionChange, true);
        }
    }
    if (!groups.isEmpty())
        s_OnGroupListChange(m_pUi->m_pGroupNameCbBox->currentIndex());
    UpdateGroupFields();
}

void GroupSettings::UpdateItemTexts()
{
    for (int i = 0; i < m_pUi->m_pGroupNameCbBox->count(); ++i) {
        if (CFixtureGroup *pGroup = AsGroup(ItemFromData(m_pUi->m_pGroupNameCbBox->itemData(i)))) {
            GroupInfo_t info;
            pGroup->GetInfo(&info);
            m_pUi->m_pGroupNameCbBox->setItemText(i, tr("G%1").arg(info.number));
        }
    }
}

int GroupSettings::GetCurrentGroup(CFixtureGroup **ppGroup, GroupInfo_t *pInfo) const
{
    *ppGroup = nullptr;
    if (m_pUi->m_pGroupNameCbBox->count() == 0)
        return -1;
    *ppGroup = AsGroup(ItemFromData(m_pUi->m_pGroupNameCbBox->currentData()));
    if (*ppGroup && pInfo)
        (*ppGroup)->GetInfo(pInfo);
    return 0;
}

bool GroupSettings::Follow()
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) != 0 || !pGroup)
        return false;
    Unfollow();
    m_pCurGroup = pGroup;
    pGroup->SetAnchorVisible(true);
    connect(pGroup, &CFixtureGroup::sigPosChange, this, &GroupSettings::s_OnGroupPosChange, Qt::UniqueConnection);
    m_pCurAnchor = pGroup->GetAnchor();
    if (m_pCurAnchor)
        connect(m_pCurAnchor, &CAnchor::sigPosChange, this, &GroupSettings::s_OnAnchorPosChange, Qt::UniqueConnection);
    return true;
}

void GroupSettings::s_OnGroupListChange(int)
{
    if (!Follow())
        return;
    // Chosen here: the chosen group alone is selected among the listed ones, each with its
    // members.
    const QComboBox *pCombo = m_pUi->m_pGroupNameCbBox;
    for (int i = 0; i < pCombo->count(); ++i) {
        QGraphicsItem *pItem = ItemFromData(pCombo->itemData(i));
        if (!pItem)
            continue;
        const bool bSelect = i == pCombo->currentIndex();
        pItem->setSelected(bSelect);
        for (QGraphicsItem *pChild : pItem->childItems())
            pChild->setSelected(bSelect);
    }
    UpdateGroupFields();
}

void GroupSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed group is selected there, and leaves the
    // scene's selection as the operator made it: selecting the members too would turn a
    // group's delete or context menu into one over its fixtures.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pGroupNameCbBox);
    if (iIndex < 0)
        return;
    SetQuietly(m_pUi->m_pGroupNameCbBox, &QComboBox::setCurrentIndex, iIndex, &QComboBox::currentIndexChanged, this,
               &GroupSettings::s_OnGroupListChange);
    if (Follow())
        UpdateGroupFields();
    m_pMainWnd->RaiseGroupDockIfSingle();
}

void GroupSettings::UpdateGroupFields()
{
    Ui::GroupSettings *u = m_pUi;
    CFixtureGroup *pGroup;
    GroupInfo_t info;
    if (GetCurrentGroup(&pGroup, &info) != 0 || !pGroup) {
        SetContentEnabled(this, false);
        return;
    }
    SetContentEnabled(this, true);
    // The name edit and the angle spin stay linked: what they show is handed to the group
    // again, which changes nothing but keeps the two the same.
    ConnectionGuard horGuard(u->m_pGroupPosHorSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnTopLeftHorSpin);
    ConnectionGuard verGuard(u->m_pGroupPosVertSpin, &QSpinBox::valueChanged, this, &GroupSettings::s_OnTopLeftVerSpin);
    ConnectionGuard anchorHorGuard(u->m_pRotAnchorHorPosSpin, &QSpinBox::valueChanged, this,
                                   &GroupSettings::s_OnRotAnchorPosHorSpin);
    ConnectionGuard anchorVerGuard(u->m_pRotAnchorVerPosSpin, &QSpinBox::valueChanged, this,
                                   &GroupSettings::s_OnRotAnchorPosVerSpin);
    RotationInfo_t tRot;
    pGroup->GetRotationInfo(&tRot);
    u->m_pGroupNameLE->setText(info.name);
    u->m_pGroupPosHorSpin->setValue(int(std::lround(tRot.x)));
    u->m_pGroupPosVertSpin->setValue(int(std::lround(tRot.y)));
    u->m_pRotAnchorHorPosSpin->setValue(int(std::lround(tRot.anchorX)));
    u->m_pRotAnchorVerPosSpin->setValue(int(std::lround(tRot.anchorY)));
    // Last: a new angle refreshes the fields once more from inside this refresh.
    u->m_pRotAngleSpin->setValue(tRot.angle);
}

void GroupSettings::s_OnGroupNameChanged(const QString &qsValue)
{
    CFixtureGroup *pGroup;
    GroupInfo_t info;
    if (GetCurrentGroup(&pGroup, &info) != 0 || !pGroup)
        return;
    info.name = qsValue;
    pGroup->SetInfo(info);
    m_pMainWnd->RefreshPanels();
}

void GroupSettings::s_OnTopLeftHorSpin(int iValue)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) == 0 && pGroup &&
        pGroup->SetPosition(iValue, m_pUi->m_pGroupPosVertSpin->value()) != 0)
        UpdateGroupFields();
}

void GroupSettings::s_OnTopLeftVerSpin(int iValue)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) == 0 && pGroup &&
        pGroup->SetPosition(m_pUi->m_pGroupPosHorSpin->value(), iValue) != 0)
        UpdateGroupFields();
}

void GroupSettings::s_OnRotAnchorPosHorSpin(int iValue)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) == 0 && pGroup &&
        pGroup->SetAnchorPos(iValue, m_pUi->m_pRotAnchorVerPosSpin->value()) != 0)
        UpdateGroupFields();
}

void GroupSettings::s_OnRotAnchorPosVerSpin(int iValue)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) == 0 && pGroup &&
        pGroup->SetAnchorPos(m_pUi->m_pRotAnchorHorPosSpin->value(), iValue) != 0)
        UpdateGroupFields();
}

void GroupSettings::s_OnRotAngleSpin(int iValue)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) != 0 || !pGroup)
        return;
    if (pGroup->SetRotation(iValue) == 0)
        TraceInfo("Set group rotation angle to %d", iValue);
    UpdateGroupFields();
}

void GroupSettings::s_OnGroupPosChange(QPoint)
{
    UpdateGroupFields();
}

void GroupSettings::s_OnAnchorPosChange(QPoint)
{
    UpdateGroupFields();
}

// Intensity --------------------------------------------------------------------------------

void GroupSettings::SetIntensityControls(FixtureIntensity_t tIntensity)
{
    Ui::GroupSettings *u = m_pUi;
    const int aiGains[3] = {tIntensity.Red(), tIntensity.Green(), tIntensity.Blue()};
    QDoubleSpinBox *const apSpins[3] = {u->m_pGroupLumiRedSpin, u->m_pGroupLumiGreenSpin, u->m_pGroupLumiBlueSpin};
    QSlider *const apSliders[3] = {u->m_pGroupLumiRedSlider, u->m_pGroupLumiGreenSlider, u->m_pGroupLumiBlueSlider};
    static constexpr void (GroupSettings::*s_apSpinSlots[3])(double) = {&GroupSettings::s_OnGroupLumiRedSpin,
                                                                        &GroupSettings::s_OnGroupLumiGreenSpin,
                                                                        &GroupSettings::s_OnGroupLumiBlueSpin};
    static constexpr void (GroupSettings::*s_apSliderSlots[3])(int) = {&GroupSettings::s_OnGroupLumiRedSlider,
                                                                       &GroupSettings::s_OnGroupLumiGreenSlider,
                                                                       &GroupSettings::s_OnGroupLumiBlueSlider};
    for (int i = 0; i < 3; ++i) {
        SetQuietly(apSpins[i], &QDoubleSpinBox::setValue, PercentFromGain(aiGains[i]), &QDoubleSpinBox::valueChanged,
                   this, s_apSpinSlots[i]);
        SetQuietly(apSliders[i], &QSlider::setValue, aiGains[i], &QSlider::valueChanged, this, s_apSliderSlots[i]);
    }
    SetQuietly(u->m_pGroupLumiSpin, &QSpinBox::setValue, int(tIntensity.Luminosity()), &QSpinBox::valueChanged, this,
               &GroupSettings::s_OnGroupLumiSpin);
    SetQuietly(u->m_pGroupLumiSlider, &QSlider::setValue, int(tIntensity.Luminosity()), &QSlider::valueChanged, this,
               &GroupSettings::s_OnGroupLumiSlider);
}

void GroupSettings::ApplyIntensityToGroup()
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) != 0 || !pGroup)
        return;
    Ui::GroupSettings *u = m_pUi;
    const FixtureIntensity_t tIntensity =
        MakeIntensity(quint8(u->m_pGroupLumiSlider->value()), quint16(u->m_pGroupLumiRedSlider->value()),
                      quint16(u->m_pGroupLumiGreenSlider->value()), quint16(u->m_pGroupLumiBlueSlider->value()));
    QList<CFixture *> fixtures;
    pGroup->GetFixtures(fixtures);
    for (CFixture *pFixture : fixtures)
        pFixture->SetIntensity(tIntensity);
    s_OnGroupLumiApplyBtn();
}

void GroupSettings::s_OnGroupLumiSpin(int iValue)
{
    m_pUi->m_pGroupLumiSlider->setValue(iValue);
}

void GroupSettings::s_OnGroupLumiSlider(int iValue)
{
    TraceInfo("Set luminosity to %d%%", iValue);
    SetQuietly(m_pUi->m_pGroupLumiSpin, &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this,
               &GroupSettings::s_OnGroupLumiSpin);
    ApplyIntensityToGroup();
}

void GroupSettings::OnGainSpin(int iColour, double dPercent)
{
    QSlider *const apSliders[3] = {m_pUi->m_pGroupLumiRedSlider, m_pUi->m_pGroupLumiGreenSlider,
                                   m_pUi->m_pGroupLumiBlueSlider};
    const int iGain = GainFromPercent(dPercent);
    TraceGainPercent(iColour, dPercent, iGain);
    // The slider's slot does the work, and only when the gain differs from what it holds.
    apSliders[iColour]->setValue(iGain);
}

void GroupSettings::OnGainSlider(int iColour, int iGain)
{
    QDoubleSpinBox *const apSpins[3] = {m_pUi->m_pGroupLumiRedSpin, m_pUi->m_pGroupLumiGreenSpin,
                                        m_pUi->m_pGroupLumiBlueSpin};
    static constexpr void (GroupSettings::*s_apSpinSlots[3])(double) = {&GroupSettings::s_OnGroupLumiRedSpin,
                                                                        &GroupSettings::s_OnGroupLumiGreenSpin,
                                                                        &GroupSettings::s_OnGroupLumiBlueSpin};
    TraceGainCode(iColour, iGain);
    SetQuietly(apSpins[iColour], &QDoubleSpinBox::setValue, PercentFromGain(iGain), &QDoubleSpinBox::valueChanged, this,
               s_apSpinSlots[iColour]);
    ApplyIntensityToGroup();
}

void GroupSettings::s_OnGroupLumiRedSlider(int iValue)
{
    OnGainSlider(0, iValue);
}

void GroupSettings::s_OnGroupLumiRedSpin(double dValue)
{
    OnGainSpin(0, dValue);
}

void GroupSettings::s_OnGroupLumiGreenSlider(int iValue)
{
    OnGainSlider(1, iValue);
}

void GroupSettings::s_OnGroupLumiGreenSpin(double dValue)
{
    OnGainSpin(1, dValue);
}

void GroupSettings::s_OnGroupLumiBlueSlider(int iValue)
{
    OnGainSlider(2, iValue);
}

void GroupSettings::s_OnGroupLumiBlueSpin(double dValue)
{
    OnGainSpin(2, dValue);
}

void GroupSettings::s_OnGroupLumiDefaultBtn()
{
    TraceInfo("Restore default settings for LPU's intensities...");
    SetIntensityControls(DefaultIntensity());
    ApplyIntensityToGroup();
}

// Runs over the members --------------------------------------------------------------------

void GroupSettings::s_OnGroupLumiApplyBtn()
{
    if (m_bOnline)
        StartRun(s_IntensityRun);
}

void GroupSettings::s_OnGroupConfPositionVolatileBtn()
{
    StartRun(s_OriginRun);
}

void GroupSettings::s_OnGroupConfRotationVolatileBtn()
{
    StartRun(s_RotationRun);
}

void GroupSettings::s_OnGroupConfPermanentBtn()
{
    StartRun(s_PermanentRun);
}

void GroupSettings::StartRun(const Run_t &tRun)
{
    CFixtureGroup *pGroup;
    if (GetCurrentGroup(&pGroup, nullptr) != 0 || !pGroup)
        return;
    pGroup->GetFixtures(m_RunFixtures);
    if (m_RunFixtures.isEmpty())
        return;
    m_iRunIndex = 0;
    m_pRun = &tRun;
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, tRun.pSignal, this, tRun.pDone, true);
    if (!SendRunStep())
        EndRun();
}

bool GroupSettings::SendRunStep()
{
    if ((m_RunFixtures[m_iRunIndex]->*m_pRun->pOperation)() != 0)
        return false;
    m_Reply.Expect(m_pMainWnd->m_VpuCom);
    return true;
}

void GroupSettings::RunDone(int iStatus)
{
    // A reply to another sender's request (a fixture's intensity edit still in flight) is not
    // a member's completion.
    if (!m_pRun || !m_Reply.Take(m_pMainWnd->m_VpuCom))
        return;
    if (iStatus == 0 && ++m_iRunIndex < m_RunFixtures.size() && SendRunStep())
        return;
    EndRun();
}

void GroupSettings::EndRun()
{
    LinkConnection(&m_pMainWnd->m_VpuCom, m_pRun->pSignal, this, m_pRun->pDone, false);
    m_pRun = nullptr;
    m_Reply.Forget();
    m_pMainWnd->setDisabled(false);
}

void GroupSettings::s_OnSetFixtureLuminosityDone(int iStatus)
{
    RunDone(iStatus);
}

void GroupSettings::s_OnGroupConfPermanentDone(int iStatus)
{
    RunDone(iStatus);
}

void GroupSettings::s_OnGroupConfPositionVolatileDone(int iStatus)
{
    RunDone(iStatus);
}

void GroupSettings::s_OnGroupConfRotationVolatileDone(int iStatus)
{
    RunDone(iStatus);
}
