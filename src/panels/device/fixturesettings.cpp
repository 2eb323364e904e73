#include "panels/device/fixturesettings.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/contentenabled.h"
#include "panels/device/ui_fixturesettings.h"
#include "panels/gainpercent.h"
#include "panels/scene/sceneitemdata.h"
#include "scene/anchor.h"
#include "trace/trace.h"

#include <cmath>

namespace {

constexpr quint32 TEST_COLOR_REGISTER = 0x200504;

QString Hex32(quint32 uValue)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(uValue, 8, 16, QLatin1Char('0')).toUpper();
}

int Rounded(double dValue)
{
    return int(std::lround(dValue));
}

} // namespace

FixtureSettings::FixtureSettings(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::FixtureSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::FixtureSettings *u = m_pUi;
    connect(u->m_pFixtNameCbBox, &QComboBox::currentIndexChanged, this, &FixtureSettings::s_OnFixtNameListChange);
    connect(u->m_pFixtPosHorSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnTopLeftHorSpin);
    connect(u->m_pFixtPosVertSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnTopLeftVerSpin);
    connect(u->m_pRotAnchorHorPosSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnRotAnchorPosHorSpin);
    connect(u->m_pRotAnchorVerPosSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnRotAnchorPosVerSpin);
    connect(u->m_pRotAngleSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnRotAngleSpin);
    connect(u->m_pLpuLumiSlider, &QSlider::valueChanged, this, &FixtureSettings::s_OnLuminositySlider);
    connect(u->m_pLpuLumiSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnLuminositySpin);
    connect(u->m_pLpuRedSlider, &QSlider::valueChanged, this, &FixtureSettings::s_OnRedSlider);
    connect(u->m_pLpuRedSpin, &QDoubleSpinBox::valueChanged, this, &FixtureSettings::s_OnRedSpin);
    connect(u->m_pLpuGreenSlider, &QSlider::valueChanged, this, &FixtureSettings::s_OnGreenSlider);
    connect(u->m_pLpuGreenSpin, &QDoubleSpinBox::valueChanged, this, &FixtureSettings::s_OnGreenSpin);
    connect(u->m_pLpuBlueSlider, &QSlider::valueChanged, this, &FixtureSettings::s_OnBlueSlider);
    connect(u->m_pLpuBlueSpin, &QDoubleSpinBox::valueChanged, this, &FixtureSettings::s_OnBlueSpin);
    connect(u->m_pLPUSetApplyBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnApplyToLpuBtn);
    connect(u->m_pLPUSetDefaultBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnDefaultBtn);
    connect(u->m_pFixtConfPosVolatileBtn, &QPushButton::clicked, this,
            &FixtureSettings::s_OnFixtConfPositionVolatileBtn);
    connect(u->m_pFixtConfRotVolatileBtn, &QPushButton::clicked, this,
            &FixtureSettings::s_OnFixtConfRotationVolatileBtn);
    connect(u->m_pFixtConfPermanentBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnFixtConfPermanentBtn);
    connect(u->m_pLpuTestColorApplyBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnLpuTestColorApplyBtn);
    connect(u->m_pLpuTestColorDefaultBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnLpuTestColorDefaultBtn);
    connect(u->m_pLpuTestColorStopBtn, &QPushButton::clicked, this, &FixtureSettings::s_OnLpuTestColorStopBtn);
    // Test colour links are made by ShowTestColor.
    ShowTestColor(Color_t{0, 0, 0});
    SetOnline(false);
    UpdateGui();
}

FixtureSettings::~FixtureSettings()
{
    delete m_pUi;
}

void FixtureSettings::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    // The link may come and go while no fixture is chosen: "Write Permanent", beside the tabs
    // rather than in them, stays disabled with the panel until one is.
    SetControlEnabled(m_pUi->m_pLPUSetApplyBtn, bOnline);
    SetControlEnabled(m_pUi->m_pLpuTestColorApplyBtn, bOnline);
    SetControlEnabled(m_pUi->m_pLpuTestColorStopBtn, bOnline);
    SetControlEnabled(m_pUi->m_pFixtConfRotVolatileBtn, bOnline);
    SetControlEnabled(m_pUi->m_pFixtConfPosVolatileBtn, bOnline);
    SetControlEnabled(m_pUi->m_pFixtConfPermanentBtn, bOnline);
}

void FixtureSettings::Unfollow()
{
    if (m_pCurFixture) {
        disconnect(m_pCurFixture, &CFixture::sigPosChange, this, &FixtureSettings::s_OnFixturePosChange);
        m_pCurFixture->SetAnchorVisible(false);
        m_pCurFixture = nullptr;
    }
    if (m_pCurAnchor) {
        disconnect(m_pCurAnchor, &CAnchor::sigPosChange, this, &FixtureSettings::s_OnAnchorPosChange);
        m_pCurAnchor = nullptr;
    }
}

void FixtureSettings::ClearFixtureList()
{
    // The fixtures may be deleted next: nothing of them may stay shown or linked.
    Unfollow();
    ClearItemCombo(m_pUi->m_pFixtNameCbBox, this, &FixtureSettings::s_OnItemSelectionChange);
    SetContentEnabled(this, false);
}

void FixtureSettings::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    {
        ConnectionGuard guard(m_pUi->m_pFixtNameCbBox, &QComboBox::currentIndexChanged, this,
                              &FixtureSettings::s_OnFixtNameListChange);
        ClearFixtureList();
        FillFixtureCombo(m_pUi->m_pFixtNameCbBox, fixtures, this, &FixtureSettings::s_OnItemSelectionChange);
    }
    if (!fixtures.isEmpty())
        s_OnFixtNameListChange(m_pUi->m_pFixtNameCbBox->currentIndex());
    UpdateGui();
}

void FixtureSettings::UpdateItemTexts()
{
    for (int i = 0; i < m_pUi->m_pFixtNameCbBox->count(); ++i) {
        if (CFixture *pFixture = AsFixture(ItemFromData(m_pUi->m_pFixtNameCbBox->itemData(i))))
            m_pUi->m_pFixtNameCbBox->setItemText(i, pFixture->GetName());
    }
}

int FixtureSettings::GetSelectedFixture(CFixture **ppFixture, FixtureAddr_t *pAddr) const
{
    *ppFixture = nullptr;
    if (m_pUi->m_pFixtNameCbBox->count() == 0)
        return -1;
    *ppFixture = AsFixture(ItemFromData(m_pUi->m_pFixtNameCbBox->currentData()));
    if (!*ppFixture)
        return -1;
    if (pAddr)
        (*ppFixture)->GetAddress(pAddr);
    return 0;
}

bool FixtureSettings::Follow()
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0)
        return false;
    Unfollow();
    m_pCurFixture = pFixture;
    pFixture->SetAnchorVisible(true);
    connect(pFixture, &CFixture::sigPosChange, this, &FixtureSettings::s_OnFixturePosChange, Qt::UniqueConnection);
    m_pCurAnchor = pFixture->GetAnchor();
    if (m_pCurAnchor)
        connect(m_pCurAnchor, &CAnchor::sigPosChange, this, &FixtureSettings::s_OnAnchorPosChange,
                Qt::UniqueConnection);
    return true;
}

void FixtureSettings::s_OnFixtNameListChange(int)
{
    if (!Follow())
        return;
    // Chosen here: the chosen fixture alone is selected among the listed ones and their groups.
    m_pCurFixture->setSelected(true);
    const QComboBox *pCombo = m_pUi->m_pFixtNameCbBox;
    for (int i = 0; i < pCombo->count(); ++i) {
        CFixture *pOther = AsFixture(ItemFromData(pCombo->itemData(i)));
        if (!pOther || pOther == m_pCurFixture)
            continue;
        pOther->setSelected(false);
        if (QGraphicsItem *pParent = pOther->parentItem())
            pParent->setSelected(false);
    }
    UpdateGui();
}

void FixtureSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed fixture is selected there, and leaves
    // the scene's selection as the operator made it (a group selected beside the fixture
    // stays selected).
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtNameCbBox);
    if (iIndex < 0)
        return;
    SetQuietly(m_pUi->m_pFixtNameCbBox, &QComboBox::setCurrentIndex, iIndex, &QComboBox::currentIndexChanged, this,
               &FixtureSettings::s_OnFixtNameListChange);
    if (Follow())
        UpdateGui();
    m_pMainWnd->RaiseFixtureDockIfSingle();
}

void FixtureSettings::UpdateGui()
{
    Ui::FixtureSettings *u = m_pUi;
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0) {
        SetContentEnabled(this, false);
        return;
    }
    SetContentEnabled(this, true);
    // The angle spin stays linked: a new angle shown is applied to the fixture again, which
    // keeps the fixture and what the panel shows the same.
    ConnectionGuard horGuard(u->m_pFixtPosHorSpin, &QSpinBox::valueChanged, this, &FixtureSettings::s_OnTopLeftHorSpin);
    ConnectionGuard verGuard(u->m_pFixtPosVertSpin, &QSpinBox::valueChanged, this,
                             &FixtureSettings::s_OnTopLeftVerSpin);
    ConnectionGuard anchorHorGuard(u->m_pRotAnchorHorPosSpin, &QSpinBox::valueChanged, this,
                                   &FixtureSettings::s_OnRotAnchorPosHorSpin);
    ConnectionGuard anchorVerGuard(u->m_pRotAnchorVerPosSpin, &QSpinBox::valueChanged, this,
                                   &FixtureSettings::s_OnRotAnchorPosVerSpin);

    FixtureType_t tType;
    pFixture->GetType(&tType);
    RotationInfo_t tRot;
    pFixture->GetRotationInfo(&tRot);
    quint32 uSerial;
    pFixture->GetSerialNumber(&uSerial);
    FixtureIntensity_t tIntensity;
    pFixture->GetIntensity(&tIntensity);

    u->m_pFixtWidthSpin->setValue(int(tType.width));
    u->m_pFixtHeightSpin->setValue(int(tType.height));
    u->m_pFixtManufLE->setText(Hex32(tType.manufacturer));
    u->m_pFixtSNLE->setText(Hex32(uSerial));
    u->m_pFixtTypeLE->setText(Hex32(tType.type));
    u->m_pFixtTypeNameLE->setText(tType.name);

    u->m_pFixtPosHorSpin->setValue(Rounded(tRot.x));
    u->m_pFixtPosVertSpin->setValue(Rounded(tRot.y));
    u->m_pRotAnchorHorPosSpin->setValue(Rounded(tRot.anchorX));
    u->m_pRotAnchorVerPosSpin->setValue(Rounded(tRot.anchorY));
    u->m_pRotAngleSpin->setValue(tRot.angle);
    ShowIntensity(tIntensity);
}

void FixtureSettings::s_OnTopLeftHorSpin(int iValue)
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) == 0 &&
        pFixture->SetPosition(iValue, m_pUi->m_pFixtPosVertSpin->value()) != 0)
        UpdateGui();
}

void FixtureSettings::s_OnTopLeftVerSpin(int iValue)
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) == 0 &&
        pFixture->SetPosition(m_pUi->m_pFixtPosHorSpin->value(), iValue) != 0)
        UpdateGui();
}

void FixtureSettings::s_OnRotAnchorPosHorSpin(int iValue)
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) == 0)
        pFixture->SetAnchorPos(iValue, m_pUi->m_pRotAnchorVerPosSpin->value());
}

void FixtureSettings::s_OnRotAnchorPosVerSpin(int iValue)
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) == 0)
        pFixture->SetAnchorPos(m_pUi->m_pRotAnchorHorPosSpin->value(), iValue);
}

void FixtureSettings::s_OnRotAngleSpin(int iValue)
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    if (pFixture->SetRotation(iValue) == 0)
        TraceInfo("Set rotation angle to %d", iValue);
    UpdateGui();
}

void FixtureSettings::s_OnFixturePosChange(QPoint)
{
    UpdateGui();
}

void FixtureSettings::s_OnAnchorPosChange(QPoint)
{
    UpdateGui();
}

// Intensity --------------------------------------------------------------------------------

void FixtureSettings::ShowIntensity(FixtureIntensity_t tIntensity)
{
    Ui::FixtureSettings *u = m_pUi;
    const int aiGains[3] = {tIntensity.Red(), tIntensity.Green(), tIntensity.Blue()};
    QDoubleSpinBox *const apSpins[3] = {u->m_pLpuRedSpin, u->m_pLpuGreenSpin, u->m_pLpuBlueSpin};
    QSlider *const apSliders[3] = {u->m_pLpuRedSlider, u->m_pLpuGreenSlider, u->m_pLpuBlueSlider};
    static constexpr void (FixtureSettings::*s_apSpinSlots[3])(double) = {
        &FixtureSettings::s_OnRedSpin, &FixtureSettings::s_OnGreenSpin, &FixtureSettings::s_OnBlueSpin};
    static constexpr void (FixtureSettings::*s_apSliderSlots[3])(int) = {
        &FixtureSettings::s_OnRedSlider, &FixtureSettings::s_OnGreenSlider, &FixtureSettings::s_OnBlueSlider};
    for (int i = 0; i < 3; ++i) {
        SetQuietly(apSpins[i], &QDoubleSpinBox::setValue, PercentFromGain(aiGains[i]), &QDoubleSpinBox::valueChanged,
                   this, s_apSpinSlots[i]);
        SetQuietly(apSliders[i], &QSlider::setValue, aiGains[i], &QSlider::valueChanged, this, s_apSliderSlots[i]);
    }
    SetQuietly(u->m_pLpuLumiSpin, &QSpinBox::setValue, int(tIntensity.Luminosity()), &QSpinBox::valueChanged, this,
               &FixtureSettings::s_OnLuminositySpin);
    SetQuietly(u->m_pLpuLumiSlider, &QSlider::setValue, int(tIntensity.Luminosity()), &QSlider::valueChanged, this,
               &FixtureSettings::s_OnLuminositySlider);
}

void FixtureSettings::PackIntensity()
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    Ui::FixtureSettings *u = m_pUi;
    pFixture->SetIntensity(MakeIntensity(quint8(u->m_pLpuLumiSlider->value()), quint16(u->m_pLpuRedSlider->value()),
                                         quint16(u->m_pLpuGreenSlider->value()),
                                         quint16(u->m_pLpuBlueSlider->value())));
    s_OnApplyToLpuBtn();
}

void FixtureSettings::s_OnLuminositySpin(int iValue)
{
    m_pUi->m_pLpuLumiSlider->setValue(iValue);
}

void FixtureSettings::s_OnLuminositySlider(int iValue)
{
    TraceInfo("Set luminosity to %d%%", iValue);
    SetQuietly(m_pUi->m_pLpuLumiSpin, &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this,
               &FixtureSettings::s_OnLuminositySpin);
    PackIntensity();
}

void FixtureSettings::OnGainSpin(int iColour, double dPercent)
{
    QSlider *const apSliders[3] = {m_pUi->m_pLpuRedSlider, m_pUi->m_pLpuGreenSlider, m_pUi->m_pLpuBlueSlider};
    const int iGain = GainFromPercent(dPercent);
    TraceGainPercent(iColour, dPercent, iGain);
    // The slider's slot does the work, and only when the gain differs from what it holds.
    apSliders[iColour]->setValue(iGain);
}

void FixtureSettings::OnGainSlider(int iColour, int iGain)
{
    QDoubleSpinBox *const apSpins[3] = {m_pUi->m_pLpuRedSpin, m_pUi->m_pLpuGreenSpin, m_pUi->m_pLpuBlueSpin};
    static constexpr void (FixtureSettings::*s_apSpinSlots[3])(double) = {
        &FixtureSettings::s_OnRedSpin, &FixtureSettings::s_OnGreenSpin, &FixtureSettings::s_OnBlueSpin};
    TraceGainCode(iColour, iGain);
    SetQuietly(apSpins[iColour], &QDoubleSpinBox::setValue, PercentFromGain(iGain), &QDoubleSpinBox::valueChanged, this,
               s_apSpinSlots[iColour]);
    PackIntensity();
}

void FixtureSettings::s_OnRedSlider(int iValue)
{
    OnGainSlider(0, iValue);
}

void FixtureSettings::s_OnRedSpin(double dValue)
{
    OnGainSpin(0, dValue);
}

void FixtureSettings::s_OnGreenSlider(int iValue)
{
    OnGainSlider(1, iValue);
}

void FixtureSettings::s_OnGreenSpin(double dValue)
{
    OnGainSpin(1, dValue);
}

void FixtureSettings::s_OnBlueSlider(int iValue)
{
    OnGainSlider(2, iValue);
}

void FixtureSettings::s_OnBlueSpin(double dValue)
{
    OnGainSpin(2, dValue);
}

void FixtureSettings::s_OnApplyToLpuBtn()
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0 || !m_bOnline)
        return;
    // Not disabling the window: intensity edits follow one another while the requests run.
    CVpuCom &vpuCom = m_pMainWnd->m_VpuCom;
    LinkConnection(&vpuCom, &CVpuCom::sigSetFixtureLuminosityMsg, this, &FixtureSettings::s_OnSetFixtureLuminosityMsg,
                   true);
    if (pFixture->ApplyIntensity() != 0) {
        LinkConnection(&vpuCom, &CVpuCom::sigSetFixtureLuminosityMsg, this,
                       &FixtureSettings::s_OnSetFixtureLuminosityMsg, false);
        m_LumiReply.Forget();
        return;
    }
    m_LumiReply.Expect(vpuCom);
}

void FixtureSettings::s_OnSetFixtureLuminosityMsg(int)
{
    // The reply of the last intensity request queued ends the link; the window is left alone:
    // these requests never disabled it, another request may have.
    if (m_LumiReply.Take(m_pMainWnd->m_VpuCom))
        LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetFixtureLuminosityMsg, this,
                       &FixtureSettings::s_OnSetFixtureLuminosityMsg, false);
}

void FixtureSettings::s_OnDefaultBtn()
{
    CFixture *pFixture;
    if (GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    TraceInfo("Restore default settings for LPU's intensities...");
    ShowIntensity(DefaultIntensity());
    pFixture->ResetIntensity();
    s_OnApplyToLpuBtn();
}

// Requests that disable the window ---------------------------------------------------------

template <class Request> void FixtureSettings::StartRequest(VpuSignal signal, DoneSlot done, Request request)
{
    CVpuCom &vpuCom = m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    LinkConnection(&vpuCom, signal, this, done, true);
    if (request() != 0) {
        m_Reply.Forget();
        EndRequest(signal, done);
        return;
    }
    m_Reply.Expect(vpuCom);
}

void FixtureSettings::EndRequest(VpuSignal signal, DoneSlot done)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, signal, this, done, false);
    m_pMainWnd->setDisabled(false);
}

void FixtureSettings::s_OnFixtConfPositionVolatileBtn()
{
    CFixture *pFixture;
    if (!m_bOnline || GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    StartRequest(&CVpuCom::sigSetFixtureOriginMsg, &FixtureSettings::s_OnConfigureOriginVolatileDone,
                 [pFixture] { return pFixture->ConfigureOrigin(); });
}

void FixtureSettings::s_OnFixtConfRotationVolatileBtn()
{
    CFixture *pFixture;
    if (!m_bOnline || GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    StartRequest(&CVpuCom::sigSetFixtureRotationMsg, &FixtureSettings::s_OnConfigureRotationVolatileDone,
                 [pFixture] { return pFixture->ConfigureRotation(); });
}

void FixtureSettings::s_OnFixtConfPermanentBtn()
{
    CFixture *pFixture;
    if (!m_bOnline || GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    StartRequest(&CVpuCom::sigWriteFixtureConfigMsg, &FixtureSettings::s_OnWriteConfigPermanentDone,
                 [pFixture] { return pFixture->WriteConfig(); });
}

void FixtureSettings::s_OnConfigureOriginVolatileDone(int)
{
    if (m_Reply.Take(m_pMainWnd->m_VpuCom))
        EndRequest(&CVpuCom::sigSetFixtureOriginMsg, &FixtureSettings::s_OnConfigureOriginVolatileDone);
}

void FixtureSettings::s_OnConfigureRotationVolatileDone(int)
{
    if (m_Reply.Take(m_pMainWnd->m_VpuCom))
        EndRequest(&CVpuCom::sigSetFixtureRotationMsg, &FixtureSettings::s_OnConfigureRotationVolatileDone);
}

void FixtureSettings::s_OnWriteConfigPermanentDone(int)
{
    if (m_Reply.Take(m_pMainWnd->m_VpuCom))
        EndRequest(&CVpuCom::sigWriteFixtureConfigMsg, &FixtureSettings::s_OnWriteConfigPermanentDone);
}

// Test colour ------------------------------------------------------------------------------

void FixtureSettings::ShowTestColor(Color_t tColor)
{
    Ui::FixtureSettings *u = m_pUi;
    const int aiValues[3] = {tColor.red, tColor.green, tColor.blue};
    QSpinBox *const apSpins[3] = {u->m_pLpuTestColorRedSpin, u->m_pLpuTestColorGreenSpin, u->m_pLpuTestColorBlueSpin};
    QSlider *const apSliders[3] = {u->m_pLpuTestColorRedSlider, u->m_pLpuTestColorGreenSlider,
                                   u->m_pLpuTestColorBlueSlider};
    static constexpr void (FixtureSettings::*s_apSpinSlots[3])(int) = {&FixtureSettings::s_OnLpuTestColorRedSpin,
                                                                       &FixtureSettings::s_OnLpuTestColorGreenSpin,
                                                                       &FixtureSettings::s_OnLpuTestColorBlueSpin};
    static constexpr void (FixtureSettings::*s_apSliderSlots[3])(int) = {&FixtureSettings::s_OnLpuTestColorRedSlider,
                                                                         &FixtureSettings::s_OnLpuTestColorGreenSlider,
                                                                         &FixtureSettings::s_OnLpuTestColorBlueSlider};
    for (int i = 0; i < 3; ++i)
        SetQuietly(apSpins[i], &QSpinBox::setValue, aiValues[i], &QSpinBox::valueChanged, this, s_apSpinSlots[i]);
    for (int i = 0; i < 3; ++i)
        SetQuietly(apSliders[i], &QSlider::setValue, aiValues[i], &QSlider::valueChanged, this, s_apSliderSlots[i]);
}

void FixtureSettings::s_OnLpuTestColorRedSpin(int iValue)
{
    m_pUi->m_pLpuTestColorRedSlider->setValue(iValue);
}

void FixtureSettings::s_OnLpuTestColorGreenSpin(int iValue)
{
    m_pUi->m_pLpuTestColorGreenSlider->setValue(iValue);
}

void FixtureSettings::s_OnLpuTestColorBlueSpin(int iValue)
{
    m_pUi->m_pLpuTestColorBlueSlider->setValue(iValue);
}

void FixtureSettings::OnTestColorSlider(int iColour, int iValue)
{
    QSpinBox *const apSpins[3] = {m_pUi->m_pLpuTestColorRedSpin, m_pUi->m_pLpuTestColorGreenSpin,
                                  m_pUi->m_pLpuTestColorBlueSpin};
    static constexpr void (FixtureSettings::*s_apSpinSlots[3])(int) = {&FixtureSettings::s_OnLpuTestColorRedSpin,
                                                                       &FixtureSettings::s_OnLpuTestColorGreenSpin,
                                                                       &FixtureSettings::s_OnLpuTestColorBlueSpin};
    SetQuietly(apSpins[iColour], &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this, s_apSpinSlots[iColour]);
    s_OnLpuTestColorApplyBtn();
}

void FixtureSettings::s_OnLpuTestColorRedSlider(int iValue)
{
    OnTestColorSlider(0, iValue);
}

void FixtureSettings::s_OnLpuTestColorGreenSlider(int iValue)
{
    OnTestColorSlider(1, iValue);
}

void FixtureSettings::s_OnLpuTestColorBlueSlider(int iValue)
{
    OnTestColorSlider(2, iValue);
}

void FixtureSettings::s_OnLpuTestColorApplyBtn()
{
    CFixture *pFixture;
    FixtureAddr_t tAddr;
    if (GetSelectedFixture(&pFixture, &tAddr) != 0 || !m_bOnline)
        return;
    const quint32 uRed = quint32(m_pUi->m_pLpuTestColorRedSlider->value());
    const quint32 uGreen = quint32(m_pUi->m_pLpuTestColorGreenSlider->value());
    const quint32 uBlue = quint32(m_pUi->m_pLpuTestColorBlueSlider->value());
    const quint32 uValue = uRed << 24 | uGreen << 16 | uBlue << 8 | 1;
    TraceInfo("Set test color of %s fixture to (Red=%d, Green=%d, Blue=%d)...",
              pFixture->GetName().toUtf8().constData(), int(uRed), int(uGreen), int(uBlue));
    CVpuCom *pVpuCom = &m_pMainWnd->m_VpuCom;
    StartRequest(&CVpuCom::sigWriteFixtureRegMsg, &FixtureSettings::s_OnSetFixtureTestColorDone,
                 [=] { return pVpuCom->FixtWriteReg(tAddr, TEST_COLOR_REGISTER, uValue); });
}

void FixtureSettings::s_OnLpuTestColorDefaultBtn()
{
    TraceInfo("Restoring default colors for test color...");
    ShowTestColor(Color_t{0, 0, 0});
    s_OnLpuTestColorApplyBtn();
}

void FixtureSettings::s_OnLpuTestColorStopBtn()
{
    CFixture *pFixture;
    FixtureAddr_t tAddr;
    if (GetSelectedFixture(&pFixture, &tAddr) != 0 || !m_bOnline)
        return;
    TraceInfo("Stopping test color on %s fixture...", pFixture->GetName().toUtf8().constData());
    CVpuCom *pVpuCom = &m_pMainWnd->m_VpuCom;
    StartRequest(&CVpuCom::sigWriteFixtureRegMsg, &FixtureSettings::s_OnStopFixtureTestColorDone,
                 [=] { return pVpuCom->FixtWriteReg(tAddr, TEST_COLOR_REGISTER, 0); });
}

void FixtureSettings::s_OnSetFixtureTestColorDone(int iStatus)
{
    if (!m_Reply.Take(m_pMainWnd->m_VpuCom))
        return;
    if (iStatus != 0)
        ErrorMsg(tr("Failed to configure test color!"), iStatus);
    else
        TraceSuccess("Test color configured!");
    EndRequest(&CVpuCom::sigWriteFixtureRegMsg, &FixtureSettings::s_OnSetFixtureTestColorDone);
}

void FixtureSettings::s_OnStopFixtureTestColorDone(int iStatus)
{
    if (!m_Reply.Take(m_pMainWnd->m_VpuCom))
        return;
    if (iStatus != 0)
        ErrorMsg(tr("Failed to stop test color!"), iStatus);
    else
        TraceSuccess("Test color stopped!");
    EndRequest(&CVpuCom::sigWriteFixtureRegMsg, &FixtureSettings::s_OnStopFixtureTestColorDone);
}
