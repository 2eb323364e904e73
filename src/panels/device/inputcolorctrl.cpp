#include "panels/device/inputcolorctrl.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/device/ui_inputcolorctrl.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <cmath>

namespace {

// Register to display: register x span / top + offset; the display's range is the span.
struct Scale_t
{
    double dSpan;
    double dTop;
    double dOffset;
    const char *pcTrace;
};

const Scale_t kScales[] = {
    {100.0, 128.0, 0.0, "Set brightness to %f%% (reg value = %d)!"},
    {100.0, 255.0, 0.0, "Set contrast to %f%% (reg value = %d)!"},
    {180.0, 255.0, -90.0, "Set hue to %f degrees (reg value = %d)!"},
    {100.0, 255.0, 0.0, "Set saturation to %f%% (reg value = %d)!"},
};

double ToDisplay(int iQuantity, int iRegister)
{
    const Scale_t &s = kScales[iQuantity];
    return qMin<double>(iRegister, s.dTop) * s.dSpan / s.dTop + s.dOffset;
}

// Nearest register, halves away from zero: 0.00 degrees of hue is 127.5, register 128.
int ToRegister(int iQuantity, double dDisplay)
{
    const Scale_t &s = kScales[iQuantity];
    return int(std::lround((dDisplay - s.dOffset) * s.dTop / s.dSpan) & 0xFF);
}

} // namespace

InputColorCtrl::InputColorCtrl(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::InputColorCtrl), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    // Steps of one register.
    for (int i = 0; i < QUANTITY_COUNT; ++i)
        Spin(i)->setSingleStep(kScales[i].dSpan / kScales[i].dTop);
    Ui::InputColorCtrl *ui = m_pUi;
    connect(ui->m_pBrightnessSlider, &QSlider::valueChanged, this, &InputColorCtrl::s_OnBrightnessSlider);
    connect(ui->m_pContrastSlider, &QSlider::valueChanged, this, &InputColorCtrl::s_OnContrastSlider);
    connect(ui->m_pHueSlider, &QSlider::valueChanged, this, &InputColorCtrl::s_OnHueSlider);
    connect(ui->m_pSaturationSlider, &QSlider::valueChanged, this, &InputColorCtrl::s_OnSaturationSlider);
    connect(ui->m_pBrightnessSpin, &QDoubleSpinBox::valueChanged, this, &InputColorCtrl::s_OnBrightnessSpin);
    connect(ui->m_pContrastSpin, &QDoubleSpinBox::valueChanged, this, &InputColorCtrl::s_OnContrastSpin);
    connect(ui->m_pHueSpin, &QDoubleSpinBox::valueChanged, this, &InputColorCtrl::s_OnHueSpin);
    connect(ui->m_pSaturationSpin, &QDoubleSpinBox::valueChanged, this, &InputColorCtrl::s_OnSaturationSpin);
    connect(ui->m_pApplyBtn, &QPushButton::clicked, this, &InputColorCtrl::s_OnApplyBtn);
    connect(ui->m_pDefaultBtn, &QPushButton::clicked, this, &InputColorCtrl::s_OnDefaultBtn);
}

InputColorCtrl::~InputColorCtrl()
{
    delete m_pUi;
}

void InputColorCtrl::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pApplyBtn->setEnabled(bOnline);
}

QSlider *InputColorCtrl::Slider(int iQuantity) const
{
    QSlider *const sliders[] = {m_pUi->m_pBrightnessSlider, m_pUi->m_pContrastSlider, m_pUi->m_pHueSlider,
                                m_pUi->m_pSaturationSlider};
    return sliders[iQuantity];
}

QDoubleSpinBox *InputColorCtrl::Spin(int iQuantity) const
{
    QDoubleSpinBox *const spins[] = {m_pUi->m_pBrightnessSpin, m_pUi->m_pContrastSpin, m_pUi->m_pHueSpin,
                                     m_pUi->m_pSaturationSpin};
    return spins[iQuantity];
}

// The slot of each control, in quantity order, so that one of them can be cut alone.
static void (InputColorCtrl::*const kSliderSlots[])(int) = {
    &InputColorCtrl::s_OnBrightnessSlider, &InputColorCtrl::s_OnContrastSlider, &InputColorCtrl::s_OnHueSlider,
    &InputColorCtrl::s_OnSaturationSlider};
static void (InputColorCtrl::*const kSpinSlots[])(double) = {
    &InputColorCtrl::s_OnBrightnessSpin, &InputColorCtrl::s_OnContrastSpin, &InputColorCtrl::s_OnHueSpin,
    &InputColorCtrl::s_OnSaturationSpin};

void InputColorCtrl::ShowRegister(int iQuantity, int iRegister)
{
    SetQuietly(Slider(iQuantity), &QSlider::setValue, iRegister, &QSlider::valueChanged, this, kSliderSlots[iQuantity]);
    SetQuietly(Spin(iQuantity), &QDoubleSpinBox::setValue, ToDisplay(iQuantity, iRegister),
               &QDoubleSpinBox::valueChanged, this, kSpinSlots[iQuantity]);
}

void InputColorCtrl::SetInputCorrection(InputCorr_t tCorr)
{
    ShowRegister(BRIGHTNESS, tCorr.brightness);
    ShowRegister(CONTRAST, tCorr.contrast);
    ShowRegister(HUE, tCorr.hue);
    ShowRegister(SATURATION, tCorr.saturation);
}

void InputColorCtrl::TraceValue(int iQuantity, double dDisplay, int iRegister) const
{
    TraceInfo(kScales[iQuantity].pcTrace, dDisplay, iRegister);
}

void InputColorCtrl::OnSlider(int iQuantity, int iRegister)
{
    const double dDisplay = ToDisplay(iQuantity, iRegister);
    SetQuietly(Spin(iQuantity), &QDoubleSpinBox::setValue, dDisplay, &QDoubleSpinBox::valueChanged, this,
               kSpinSlots[iQuantity]);
    TraceValue(iQuantity, dDisplay, iRegister);
    s_OnApplyBtn();
}

void InputColorCtrl::OnSpin(int iQuantity, double dValue)
{
    // The spin keeps the value as typed; only the slider takes the register.
    const int iRegister = ToRegister(iQuantity, dValue);
    SetQuietly(Slider(iQuantity), &QSlider::setValue, iRegister, &QSlider::valueChanged, this, kSliderSlots[iQuantity]);
    TraceValue(iQuantity, dValue, iRegister);
    s_OnApplyBtn();
}

void InputColorCtrl::s_OnBrightnessSlider(int iValue)
{
    OnSlider(BRIGHTNESS, iValue);
}

void InputColorCtrl::s_OnContrastSlider(int iValue)
{
    OnSlider(CONTRAST, iValue);
}

void InputColorCtrl::s_OnHueSlider(int iValue)
{
    OnSlider(HUE, iValue);
}

void InputColorCtrl::s_OnSaturationSlider(int iValue)
{
    OnSlider(SATURATION, iValue);
}

void InputColorCtrl::s_OnBrightnessSpin(double dValue)
{
    OnSpin(BRIGHTNESS, dValue);
}

void InputColorCtrl::s_OnContrastSpin(double dValue)
{
    OnSpin(CONTRAST, dValue);
}

void InputColorCtrl::s_OnHueSpin(double dValue)
{
    OnSpin(HUE, dValue);
}

void InputColorCtrl::s_OnSaturationSpin(double dValue)
{
    OnSpin(SATURATION, dValue);
}

void InputColorCtrl::s_OnApplyBtn()
{
    InputCorr_t tCorr;
    CProjectConf::MakeInputCorr(quint8(m_pMainWnd->GetVideoSource()), quint8(Slider(BRIGHTNESS)->value()),
                                quint8(Slider(CONTRAST)->value()), quint8(Slider(SATURATION)->value()),
                                quint8(Slider(HUE)->value()), &tCorr);
    g_ProjectConf.SetInputCorr(tCorr);
    if (!m_bOnline)
        return;
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetVideoInCorrection, this,
                   &InputColorCtrl::s_OnSetVideoInCorrectionDone, true);
    if (m_pMainWnd->m_VpuCom.SetVideoInCorr(tCorr) != 0)
        s_OnSetVideoInCorrectionDone(-1);
}

void InputColorCtrl::s_OnSetVideoInCorrectionDone(int)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetVideoInCorrection, this,
                   &InputColorCtrl::s_OnSetVideoInCorrectionDone, false);
    m_pMainWnd->setDisabled(false);
}

void InputColorCtrl::s_OnDefaultBtn()
{
    // All four controls first, then one store and at most one request: a request per
    // control would queue behind each other while the first reply already enables the window.
    InputCorr_t tDefault;
    CProjectConf::DefaultInputCorr(&tDefault);
    const int aiDefault[] = {tDefault.brightness, tDefault.contrast, tDefault.hue, tDefault.saturation};
    bool bChanged = false;
    for (int i = 0; i < QUANTITY_COUNT; ++i) {
        if (Slider(i)->value() == aiDefault[i])
            continue;
        ShowRegister(i, aiDefault[i]);
        TraceValue(i, ToDisplay(i, aiDefault[i]), aiDefault[i]);
        bChanged = true;
    }
    TraceInfo("Restore default values on controls!");
    if (bChanged)
        s_OnApplyBtn();
}
