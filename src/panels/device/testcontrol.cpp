#include "panels/device/testcontrol.h"

#include "config/catalogue.h"
#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/contentenabled.h"
#include "panels/device/ui_testcontrol.h"
#include "scene/fixture.h"
#include "trace/trace.h"

namespace {

// The fixtures' dot-correction switch: 1 on, 0 off.
constexpr quint32 kDotCorrRegister = 0x290004;
const FixtureAddr_t kBroadcast{255, 0xFFFFFFFF};

} // namespace

TestControl::TestControl(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::TestControl), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::TestControl *u = m_pUi;
    connect(u->m_pFullRedBtn, &QPushButton::clicked, this, &TestControl::s_OnFullRedBtn);
    connect(u->m_pFullGreenBtn, &QPushButton::clicked, this, &TestControl::s_OnFullGreenBtn);
    connect(u->m_pFullBlueBtn, &QPushButton::clicked, this, &TestControl::s_OnFullBlueBtn);
    connect(u->m_pFullWhiteBtn, &QPushButton::clicked, this, &TestControl::s_OnFullWhiteBtn);
    connect(u->m_pFullBlackBtn, &QPushButton::clicked, this, &TestControl::s_OnFullBlackBtn);
    connect(u->m_pCustApplyBtn, &QPushButton::clicked, this, &TestControl::s_OnCustApplyBtn);
    connect(u->m_pCustDefaultBtn, &QPushButton::clicked, this, &TestControl::s_OnCustDefaultBtn);
    connect(u->m_pCustRedSpin, &QSpinBox::valueChanged, this, &TestControl::s_OnCustRedSpin);
    connect(u->m_pCustRedSlider, &QSlider::valueChanged, this, &TestControl::s_OnCustRedSlider);
    connect(u->m_pCustGreenSpin, &QSpinBox::valueChanged, this, &TestControl::s_OnCustGreenSpin);
    connect(u->m_pCustGreenSlider, &QSlider::valueChanged, this, &TestControl::s_OnCustGreenSlider);
    connect(u->m_pCustBlueSpin, &QSpinBox::valueChanged, this, &TestControl::s_OnCustBlueSpin);
    connect(u->m_pCustBlueSlider, &QSlider::valueChanged, this, &TestControl::s_OnCustBlueSlider);
    connect(u->m_pFreezeBtn, &QPushButton::clicked, this, &TestControl::s_OnFreezeBtn);
    connect(u->m_pShowFixtNumBtn, &QPushButton::clicked, this, &TestControl::s_OnShowFixtNumberBtn);
    connect(u->m_pDotCorrAllDisBtn, &QPushButton::clicked, this, &TestControl::s_OnDotCorrAllDisBtn);
    connect(u->m_pDotCorrAllEnaBtn, &QPushButton::clicked, this, &TestControl::s_OnDotCorrAllEnaBtn);
    connect(u->m_pDotCorrSelectedDisBtn, &QPushButton::clicked, this, &TestControl::s_OnDotCorrSelectedDisBtn);
    connect(u->m_pDotCorrSelectedEnaBtn, &QPushButton::clicked, this, &TestControl::s_OnDotCorrSelectedEnaBtn);
    connect(u->m_pStopTestBtn, &QPushButton::clicked, this, &TestControl::s_OnStopTestBtn);
    SetOnline(false);
    s_OnCustDefaultBtn();
    // A value is sent once, when the slider is let go or the typed value is confirmed.
    for (QSpinBox *pSpin : {u->m_pCustRedSpin, u->m_pCustGreenSpin, u->m_pCustBlueSpin})
        pSpin->setKeyboardTracking(false);
    for (QSlider *pSlider : {u->m_pCustRedSlider, u->m_pCustGreenSlider, u->m_pCustBlueSlider})
        pSlider->setTracking(false);
}

TestControl::~TestControl()
{
    delete m_pUi;
}

void TestControl::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    SetContentEnabled(this, bOnline);
}

void TestControl::SetPending(bool bPending, CompletionSignal signal, DoneSlot slot)
{
    m_pMainWnd->setDisabled(bPending);
    LinkConnection(&m_pMainWnd->m_VpuCom, signal, this, slot, bPending);
}

void TestControl::Request(CompletionSignal signal, DoneSlot slot, int (CVpuCom::*pfnRequest)())
{
    SetPending(true, signal, slot);
    if ((m_pMainWnd->m_VpuCom.*pfnRequest)() != 0)
        SetPending(false, signal, slot);
}

// ---- Full-screen colours ----

void TestControl::SetCustomColor(quint32 uColor)
{
    Ui::TestControl *u = m_pUi;
    const int aiValues[3] = {int(uColor & 0xFF), int((uColor >> 8) & 0xFF), int((uColor >> 16) & 0xFF)};
    SetQuietly(u->m_pCustRedSpin, &QSpinBox::setValue, aiValues[0], &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustRedSpin);
    SetQuietly(u->m_pCustGreenSpin, &QSpinBox::setValue, aiValues[1], &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustGreenSpin);
    SetQuietly(u->m_pCustBlueSpin, &QSpinBox::setValue, aiValues[2], &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustBlueSpin);
    SetQuietly(u->m_pCustRedSlider, &QSlider::setValue, aiValues[0], &QSlider::valueChanged, this,
               &TestControl::s_OnCustRedSlider);
    SetQuietly(u->m_pCustGreenSlider, &QSlider::setValue, aiValues[1], &QSlider::valueChanged, this,
               &TestControl::s_OnCustGreenSlider);
    SetQuietly(u->m_pCustBlueSlider, &QSlider::setValue, aiValues[2], &QSlider::valueChanged, this,
               &TestControl::s_OnCustBlueSlider);
}

void TestControl::SetFullScreenColor(Color_t tColor)
{
    const CompletionSignal signal = &CVpuCom::sigSetFullScreenTestColor;
    const DoneSlot slot = &TestControl::s_OnSetFullScreenTestColorDone;
    SetPending(true, signal, slot);
    if (m_pMainWnd->m_VpuCom.SetFullScreenTestColor(tColor) != 0)
        SetPending(false, signal, slot);
}

void TestControl::s_OnSetFullScreenTestColorDone(int)
{
    // The link has already told the user about a failure.
    SetPending(false, &CVpuCom::sigSetFullScreenTestColor, &TestControl::s_OnSetFullScreenTestColorDone);
}

void TestControl::FullColor(const char *pszTrace, quint8 uRed, quint8 uGreen, quint8 uBlue)
{
    TraceInfo("%s", pszTrace);
    SetCustomColor(uRed | quint32(uGreen) << 8 | quint32(uBlue) << 16);
    SetFullScreenColor(Color_t{uRed, uGreen, uBlue});
}

void TestControl::s_OnFullRedBtn()
{
    FullColor("Set Full Screen Red...", 255, 0, 0);
}

void TestControl::s_OnFullGreenBtn()
{
    FullColor("Set Full Screen Green...", 0, 255, 0);
}

void TestControl::s_OnFullBlueBtn()
{
    FullColor("Set Full Screen Blue...", 0, 0, 255);
}

void TestControl::s_OnFullWhiteBtn()
{
    FullColor("Set Full Screen White...", 255, 255, 255);
}

void TestControl::s_OnFullBlackBtn()
{
    FullColor("Set Full Screen Black...", 0, 0, 0);
}

void TestControl::ApplyCustomColor()
{
    if (!m_bOnline)
        return;
    const Color_t tColor{quint8(m_pUi->m_pCustRedSlider->value()), quint8(m_pUi->m_pCustGreenSlider->value()),
                         quint8(m_pUi->m_pCustBlueSlider->value())};
    TraceInfo("Set Full Screen Custom Color (Red=%d, Green=%d, Blue=%d)...", tColor.red, tColor.green, tColor.blue);
    SetFullScreenColor(tColor);
}

void TestControl::s_OnCustApplyBtn()
{
    ApplyCustomColor();
}

void TestControl::s_OnCustDefaultBtn()
{
    TraceInfo("Restore default colors for custom color!");
    SetCustomColor(0);
    ApplyCustomColor();
}

// A spin moves its slider, whose own slot then sends; a slider updates its spin quietly.
void TestControl::s_OnCustRedSpin(int iValue)
{
    m_pUi->m_pCustRedSlider->setValue(iValue);
}

void TestControl::s_OnCustGreenSpin(int iValue)
{
    m_pUi->m_pCustGreenSlider->setValue(iValue);
}

void TestControl::s_OnCustBlueSpin(int iValue)
{
    m_pUi->m_pCustBlueSlider->setValue(iValue);
}

void TestControl::s_OnCustRedSlider(int iValue)
{
    SetQuietly(m_pUi->m_pCustRedSpin, &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustRedSpin);
    ApplyCustomColor();
}

void TestControl::s_OnCustGreenSlider(int iValue)
{
    SetQuietly(m_pUi->m_pCustGreenSpin, &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustGreenSpin);
    ApplyCustomColor();
}

void TestControl::s_OnCustBlueSlider(int iValue)
{
    SetQuietly(m_pUi->m_pCustBlueSpin, &QSpinBox::setValue, iValue, &QSpinBox::valueChanged, this,
               &TestControl::s_OnCustBlueSpin);
    ApplyCustomColor();
}

// ---- Freeze, sequence numbers, stop: the link reports their failures itself ----

void TestControl::s_OnFreezeBtn()
{
    Request(&CVpuCom::sigSetFreezeVideoOutput, &TestControl::s_OnSetFreezeVideoOutputDone, &CVpuCom::FreezeVideoOutput);
}

void TestControl::s_OnShowFixtNumberBtn()
{
    Request(&CVpuCom::sigShowFixtNumber, &TestControl::s_OnShowFixtNumberDone, &CVpuCom::ShowFixtNum);
}

void TestControl::s_OnStopTestBtn()
{
    Request(&CVpuCom::sigStopTestPattern, &TestControl::s_OnStopTestPatternDone, &CVpuCom::StopTestPattern);
}

void TestControl::s_OnSetFreezeVideoOutputDone(int)
{
    SetPending(false, &CVpuCom::sigSetFreezeVideoOutput, &TestControl::s_OnSetFreezeVideoOutputDone);
}

void TestControl::s_OnShowFixtNumberDone(int)
{
    SetPending(false, &CVpuCom::sigShowFixtNumber, &TestControl::s_OnShowFixtNumberDone);
}

void TestControl::s_OnStopTestPatternDone(int)
{
    SetPending(false, &CVpuCom::sigStopTestPattern, &TestControl::s_OnStopTestPatternDone);
}

// ---- Dot correction: the register write is not reported by the link, so the panel does ----

void TestControl::DotCorrAll(bool bEnable)
{
    SetPending(true, &CVpuCom::sigWriteFixtureRegMsg, &TestControl::s_OnDotCorrAllOnOffDone);
    m_bDotCorrEnable = bEnable;
    TraceInfo(bEnable ? "Enabling dot correction on all fixtures..." : "Disabling dot correction on all fixtures...");
    if (m_pMainWnd->m_VpuCom.FixtWriteReg(kBroadcast, kDotCorrRegister, bEnable ? 1 : 0) != 0)
        SetPending(false, &CVpuCom::sigWriteFixtureRegMsg, &TestControl::s_OnDotCorrAllOnOffDone);
}

void TestControl::s_OnDotCorrAllDisBtn()
{
    DotCorrAll(false);
}

void TestControl::s_OnDotCorrAllEnaBtn()
{
    DotCorrAll(true);
}

void TestControl::s_OnDotCorrAllOnOffDone(int iStatus)
{
    if (iStatus != 0)
        ErrorMsg(tr("Failed to set dot correction state on all fixtures!"), iStatus);
    else
        TraceInfo(m_bDotCorrEnable ? "Dot correction enabled on all fixtures!"
                                   : "Dot correction disabled on all fixtures!");
    SetPending(false, &CVpuCom::sigWriteFixtureRegMsg, &TestControl::s_OnDotCorrAllOnOffDone);
}

void TestControl::DotCorrSelected(bool bEnable)
{
    m_pMainWnd->setDisabled(true);
    m_bDotCorrEnable = bEnable;
    QList<CFixture *> lSelected;
    m_pMainWnd->GetSelectedFixtures(lSelected);
    // Only a cabled LPU has a dot correction and an address on a chain to write it to.
    m_SelectedFixtures.clear();
    for (CFixture *pFixture : lSelected) {
        FixtureType_t tType;
        pFixture->GetType(&tType);
        FixtureAddr_t tAddr;
        pFixture->GetAddress(&tAddr);
        const QByteArray name = U8(pFixture->GetName());
        if (IsSasuType(tType.type))
            TraceInfo("    Fixture %s skipped: a SASU has no dot correction!", name.constData());
        else if (tAddr.output == 0)
            TraceInfo("    Fixture %s skipped: it is not cabled!", name.constData());
        else
            m_SelectedFixtures.append(pFixture);
    }
    if (m_SelectedFixtures.isEmpty()) {
        TraceInfo("Nothing to do because no fixture is selected on the scene!");
        m_pMainWnd->setDisabled(false);
        return;
    }
    m_iSelectedIndex = 0;
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigWriteFixtureRegMsg, this,
                   &TestControl::s_OnDotCorrSelectedOnOffDone, true);
    DotCorrSelectedNext();
}

void TestControl::s_OnDotCorrSelectedDisBtn()
{
    DotCorrSelected(false);
}

void TestControl::s_OnDotCorrSelectedEnaBtn()
{
    DotCorrSelected(true);
}

void TestControl::DotCorrSelectedNext()
{
    if (m_iSelectedIndex < quint32(m_SelectedFixtures.size())) {
        FixtureAddr_t tAddr;
        m_SelectedFixtures.at(m_iSelectedIndex)->GetAddress(&tAddr);
        TraceInfo(m_bDotCorrEnable ? "Enabling dot correction on fixture F%d.%d ..."
                                   : "Disabling dot correction on fixture F%d.%d ...",
                  tAddr.output, tAddr.number);
        if (m_pMainWnd->m_VpuCom.FixtWriteReg(tAddr, kDotCorrRegister, m_bDotCorrEnable ? 1 : 0) == 0)
            return;
    } else {
        TraceInfo(m_bDotCorrEnable ? "Dot correction enabled on selected fixture(s)!"
                                   : "Dot correction disabled on selected fixture(s)!");
    }
    SetPending(false, &CVpuCom::sigWriteFixtureRegMsg, &TestControl::s_OnDotCorrSelectedOnOffDone);
}

void TestControl::s_OnDotCorrSelectedOnOffDone(int iStatus)
{
    if (m_iSelectedIndex >= quint32(m_SelectedFixtures.size()))
        return;
    FixtureAddr_t tAddr;
    m_SelectedFixtures.at(m_iSelectedIndex)->GetAddress(&tAddr);
    if (iStatus == 0) {
        TraceInfo(m_bDotCorrEnable ? "Dot correction enabled on fixture F%d.%d!"
                                   : "Dot correction disabled on fixture F%d.%d!",
                  tAddr.output, tAddr.number);
        ++m_iSelectedIndex;
        DotCorrSelectedNext();
        return;
    }
    ErrorMsg(tr("Failed to set dot correction state on fixture F%1.%2!").arg(tAddr.output).arg(tAddr.number), iStatus);
    SetPending(false, &CVpuCom::sigWriteFixtureRegMsg, &TestControl::s_OnDotCorrSelectedOnOffDone);
}
