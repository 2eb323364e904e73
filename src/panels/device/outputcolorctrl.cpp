#include "panels/device/outputcolorctrl.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/device/ui_outputcolorctrl.h"
#include "project/colortemp.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <cmath>

const int OutputColorCtrl::StandardWhiteTemperatures[4] = {-1, 3200, 6500, 9600};

namespace {

enum WhiteMode { WHITE_NONE, WHITE_STANDARD, WHITE_CUSTOM, WHITE_EXPERT };

// The slots of each colour's controls, red, green, blue, so that one of them can be cut alone.
void (OutputColorCtrl::*const kCoefSliderSlots[3])(int) = {&OutputColorCtrl::s_OnColorTempRedSlider,
                                                           &OutputColorCtrl::s_OnColorTempGreenSlider,
                                                           &OutputColorCtrl::s_OnColorTempBlueSlider};
void (OutputColorCtrl::*const kCoefSpinSlots[3])(double) = {&OutputColorCtrl::s_OnColorTempRedSpin,
                                                            &OutputColorCtrl::s_OnColorTempGreenSpin,
                                                            &OutputColorCtrl::s_OnColorTempBlueSpin};
void (OutputColorCtrl::*const kGammaSliderSlots[3])(int) = {
    &OutputColorCtrl::s_OnGammaRSlider, &OutputColorCtrl::s_OnGammaGSlider, &OutputColorCtrl::s_OnGammaBSlider};
void (OutputColorCtrl::*const kGammaSpinSlots[3])(double) = {
    &OutputColorCtrl::s_OnGammaRSpin, &OutputColorCtrl::s_OnGammaGSpin, &OutputColorCtrl::s_OnGammaBSpin};

} // namespace

OutputColorCtrl::OutputColorCtrl(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::OutputColorCtrl), m_pMainWnd(pMainWnd)
{
    Ui::OutputColorCtrl *ui = m_pUi;
    ui->setupUi(this);
    SetOnline(false);
    m_apCoefSlider[0] = ui->m_pColorTempRedSlider;
    m_apCoefSlider[1] = ui->m_pColorTempGreenSlider;
    m_apCoefSlider[2] = ui->m_pColorTempBlueSlider;
    m_apCoefSpin[0] = ui->m_pColorTempRedSpin;
    m_apCoefSpin[1] = ui->m_pColorTempGreenSpin;
    m_apCoefSpin[2] = ui->m_pColorTempBlueSpin;
    m_apGammaSlider[0] = ui->m_pGammaRSlider;
    m_apGammaSlider[1] = ui->m_pGammaGSlider;
    m_apGammaSlider[2] = ui->m_pGammaBSlider;
    m_apGammaSpin[0] = ui->m_pGammaRSpin;
    m_apGammaSpin[1] = ui->m_pGammaGSpin;
    m_apGammaSpin[2] = ui->m_pGammaBSpin;
    connect(ui->m_pStandardColorTempGpBox, &QGroupBox::clicked, this, &OutputColorCtrl::s_OnStandardColorTempGpBox);
    connect(ui->m_pCustomColorTempGpBox, &QGroupBox::clicked, this, &OutputColorCtrl::s_OnCustomColorTempGpBox);
    connect(ui->m_pExpertColorTempGpBox, &QGroupBox::clicked, this, &OutputColorCtrl::s_OnExpertColorTempGpBox);
    connect(ui->m_pWhiteStandCbBox, &QComboBox::currentIndexChanged, this, &OutputColorCtrl::s_OnWhiteStandCB);
    connect(ui->m_pWhiteCustSpin, &QSpinBox::valueChanged, this, &OutputColorCtrl::s_OnWhiteCustSpin);
    for (int i = 0; i < 3; ++i) {
        connect(m_apCoefSlider[i], &QSlider::valueChanged, this, kCoefSliderSlots[i]);
        connect(m_apCoefSpin[i], &QDoubleSpinBox::valueChanged, this, kCoefSpinSlots[i]);
        connect(m_apGammaSlider[i], &QSlider::valueChanged, this, kGammaSliderSlots[i]);
        connect(m_apGammaSpin[i], &QDoubleSpinBox::valueChanged, this, kGammaSpinSlots[i]);
    }
    connect(ui->m_pWhiteApplyBtn, &QPushButton::clicked, this, &OutputColorCtrl::s_OnApplyWhiteBtn);
    connect(ui->m_pWhiteDefBtn, &QPushButton::clicked, this, &OutputColorCtrl::s_OnDefaultWhiteBtn);
    connect(ui->m_pGammaApplyBtn, &QPushButton::clicked, this, &OutputColorCtrl::s_OnApplyGammaBtn);
    connect(ui->m_pGammaWriteInFlashBtn, &QPushButton::clicked, this, &OutputColorCtrl::s_OnApplyGammaInFlashBtn);
    connect(ui->m_pGammaDefBtn, &QPushButton::clicked, this, &OutputColorCtrl::s_OnDefaultGammaBtn);

    ui->m_pWhiteStandCbBox->clear();
    for (int iKelvin : StandardWhiteTemperatures)
        ui->m_pWhiteStandCbBox->addItem(iKelvin < 0 ? tr("No Correction") : tr("%1 K").arg(iKelvin));
    CProjectConf::DefaultOutputCorr(&m_Corr);
    s_OnDefaultWhiteBtn();
    s_OnDefaultGammaBtn();
}

OutputColorCtrl::~OutputColorCtrl()
{
    delete m_pUi;
}

void OutputColorCtrl::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pGammaApplyBtn->setEnabled(bOnline);
    m_pUi->m_pWhiteApplyBtn->setEnabled(bOnline);
    m_pUi->m_pGammaWriteInFlashBtn->setEnabled(bOnline);
}

void OutputColorCtrl::ShowCoefs(const int aiCoef[3])
{
    for (int i = 0; i < 3; ++i) {
        SetQuietly(m_apCoefSlider[i], &QSlider::setValue, aiCoef[i], &QSlider::valueChanged, this, kCoefSliderSlots[i]);
        SetQuietly(m_apCoefSpin[i], &QDoubleSpinBox::setValue, aiCoef[i] / 512.0, &QDoubleSpinBox::valueChanged, this,
                   kCoefSpinSlots[i]);
    }
}

void OutputColorCtrl::ShowTemperatureCoefs(int iKelvin)
{
    quint32 auGain[3] = {512, 512, 512};
    if (iKelvin != -1)
        TemperatureToGainsFit(double(iKelvin), &auGain[0], &auGain[1], &auGain[2]);
    const int aiCoef[3] = {int(auGain[0]), int(auGain[1]), int(auGain[2])};
    ShowCoefs(aiCoef);
}

void OutputColorCtrl::ShowGamma(int iColor, int iGamma)
{
    SetQuietly(m_apGammaSlider[iColor], &QSlider::setValue, iGamma, &QSlider::valueChanged, this,
               kGammaSliderSlots[iColor]);
    SetQuietly(m_apGammaSpin[iColor], &QDoubleSpinBox::setValue, m_apGammaSlider[iColor]->value() * 0.01,
               &QDoubleSpinBox::valueChanged, this, kGammaSpinSlots[iColor]);
}

void OutputColorCtrl::CheckMode(int iMode)
{
    // The boxes' clicked() comes only from the operator: checking them here needs no cut.
    m_pUi->m_pStandardColorTempGpBox->setChecked(iMode == WHITE_NONE || iMode == WHITE_STANDARD);
    m_pUi->m_pCustomColorTempGpBox->setChecked(iMode == WHITE_CUSTOM);
    m_pUi->m_pExpertColorTempGpBox->setChecked(iMode == WHITE_EXPERT);
}

void OutputColorCtrl::SetOutputCorrection(OutputCorr_t tCorr)
{
    m_Corr = tCorr;
    Ui::OutputColorCtrl *ui = m_pUi;
    CheckMode(tCorr.whiteMode);
    // A standard temperature the list does not hold selects no entry, so that an apply keeps
    // the temperature instead of taking the entry shown before.
    int iEntry = tCorr.whiteMode == WHITE_NONE ? 0 : -1;
    for (int i = 1; i < 4 && tCorr.whiteMode == WHITE_STANDARD; ++i) {
        if (StandardWhiteTemperatures[i] == tCorr.colorTemp)
            iEntry = i;
    }
    if (tCorr.whiteMode <= WHITE_STANDARD)
        SetQuietly(ui->m_pWhiteStandCbBox, &QComboBox::setCurrentIndex, iEntry, &QComboBox::currentIndexChanged, this,
                   &OutputColorCtrl::s_OnWhiteStandCB);
    SetQuietly(ui->m_pWhiteCustSpin, &QSpinBox::setValue, int(tCorr.colorTemp), &QSpinBox::valueChanged, this,
               &OutputColorCtrl::s_OnWhiteCustSpin);
    // The coefficients as stored, whatever the mode: an apply then sends them back unchanged.
    const int aiCoef[3] = {tCorr.coefRed, tCorr.coefGreen, tCorr.coefBlue};
    ShowCoefs(aiCoef);
    ShowGamma(0, tCorr.gammaRed);
    ShowGamma(1, tCorr.gammaGreen);
    ShowGamma(2, tCorr.gammaBlue);
}

void OutputColorCtrl::s_OnStandardColorTempGpBox(bool bState)
{
    CheckMode(WHITE_STANDARD);
    if (bState)
        s_OnWhiteStandCB(m_pUi->m_pWhiteStandCbBox->currentIndex());
}

void OutputColorCtrl::s_OnCustomColorTempGpBox(bool bState)
{
    CheckMode(WHITE_CUSTOM);
    if (bState)
        s_OnWhiteCustSpin(m_pUi->m_pWhiteCustSpin->value());
}

void OutputColorCtrl::s_OnExpertColorTempGpBox(bool)
{
    CheckMode(WHITE_EXPERT);
}

void OutputColorCtrl::s_OnWhiteStandCB(int iValue)
{
    if (iValue < 0 || iValue > 3)
        return;
    const int iKelvin = StandardWhiteTemperatures[iValue];
    if (iKelvin == -1)
        TraceInfo("disable white temperature correction!");
    else
        TraceInfo("Select standard white temperature correction to %d K!", iKelvin);
    ShowTemperatureCoefs(iKelvin);
}

void OutputColorCtrl::s_OnWhiteCustSpin(int iValue)
{
    TraceInfo("Set custom white temperature correction to %d K!", iValue);
    ShowTemperatureCoefs(iValue);
}

void OutputColorCtrl::OnCoefSlider(int iColor, int iValue)
{
    SetQuietly(m_apCoefSpin[iColor], &QDoubleSpinBox::setValue, iValue / 512.0, &QDoubleSpinBox::valueChanged, this,
               kCoefSpinSlots[iColor]);
    s_OnApplyWhiteBtn();
}

void OutputColorCtrl::OnCoefSpin(int iColor, double dValue)
{
    m_apCoefSlider[iColor]->setValue(int(qBound(0L, std::lround(dValue * 512.0), 512L)));
}

void OutputColorCtrl::s_OnColorTempRedSlider(int iValue)
{
    OnCoefSlider(0, iValue);
}

void OutputColorCtrl::s_OnColorTempRedSpin(double dValue)
{
    OnCoefSpin(0, dValue);
}

void OutputColorCtrl::s_OnColorTempGreenSlider(int iValue)
{
    OnCoefSlider(1, iValue);
}

void OutputColorCtrl::s_OnColorTempGreenSpin(double dValue)
{
    OnCoefSpin(1, dValue);
}

void OutputColorCtrl::s_OnColorTempBlueSlider(int iValue)
{
    OnCoefSlider(2, iValue);
}

void OutputColorCtrl::s_OnColorTempBlueSpin(double dValue)
{
    OnCoefSpin(2, dValue);
}

void OutputColorCtrl::s_OnApplyWhiteBtn()
{
    Ui::OutputColorCtrl *ui = m_pUi;
    const int iEntry = ui->m_pWhiteStandCbBox->currentIndex();
    if (ui->m_pStandardColorTempGpBox->isChecked()) {
        m_Corr.whiteMode = iEntry == 0 ? WHITE_NONE : WHITE_STANDARD;
        if (iEntry > 0 && iEntry < 4)
            m_Corr.colorTemp = quint16(StandardWhiteTemperatures[iEntry]);
    } else if (ui->m_pCustomColorTempGpBox->isChecked()) {
        m_Corr.whiteMode = WHITE_CUSTOM;
        m_Corr.colorTemp = quint16(ui->m_pWhiteCustSpin->value());
    } else {
        m_Corr.whiteMode = WHITE_EXPERT;
    }
    m_Corr.coefRed = quint16(m_apCoefSlider[0]->value());
    m_Corr.coefGreen = quint16(m_apCoefSlider[1]->value());
    m_Corr.coefBlue = quint16(m_apCoefSlider[2]->value());
    g_ProjectConf.SetOutputCorr(m_Corr);
    g_ProjectConf.GetOutputCorr(&m_Corr);
    if (!m_bOnline)
        return;
    const double dR = m_Corr.coefRed / 512.0, dG = m_Corr.coefGreen / 512.0, dB = m_Corr.coefBlue / 512.0;
    if (ui->m_pStandardColorTempGpBox->isChecked())
        TraceInfo("Applying White temperature correction on VPU! (Standard Color Temperature %s K - Coef_R=%0.4f , "
                  "Coef_G=%0.4f, Coef_B=%0.4f)...",
                  ui->m_pWhiteStandCbBox->currentText().toUtf8().constData(), dR, dG, dB);
    else if (ui->m_pCustomColorTempGpBox->isChecked())
        TraceInfo("Applying White temperature correction on VPU! (Custom Color Temperature %d K - Coef_R=%0.4f , "
                  "Coef_G=%0.4f, Coef_B=%0.4f)...",
                  ui->m_pWhiteCustSpin->value(), dR, dG, dB);
    else
        TraceInfo("Applying White temperature correction on VPU! (Expert Component Coef_R=%0.4f, Coef_G=%0.4f, "
                  "Coef_B=%0.4f)...",
                  dR, dG, dB);
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetColorTemp, this, &OutputColorCtrl::s_OnSetColorTempDone,
                   true);
    if (m_pMainWnd->m_VpuCom.SetColorTemp(m_Corr) != 0)
        EndRequest();
}

void OutputColorCtrl::s_OnDefaultWhiteBtn()
{
    TraceInfo("Restore default white temperature correction! (Default=No Correction)");
    CheckMode(WHITE_STANDARD);
    m_pUi->m_pWhiteStandCbBox->setCurrentIndex(0);
    m_pUi->m_pWhiteCustSpin->setValue(6500);
    ShowTemperatureCoefs(-1);
}

void OutputColorCtrl::s_OnGammaRSlider(int iValue)
{
    ShowGamma(0, iValue);
}

void OutputColorCtrl::s_OnGammaGSlider(int iValue)
{
    ShowGamma(1, iValue);
}

void OutputColorCtrl::s_OnGammaBSlider(int iValue)
{
    ShowGamma(2, iValue);
}

// A typed gamma is rounded to hundredths, not cut: 0.29 is 28.999... hundredths in binary.
void OutputColorCtrl::OnGammaSpin(int iColor, double dValue)
{
    m_apGammaSlider[iColor]->setValue(int(std::lround(dValue * 100.0)));
}

void OutputColorCtrl::s_OnGammaRSpin(double dValue)
{
    OnGammaSpin(0, dValue);
}

void OutputColorCtrl::s_OnGammaGSpin(double dValue)
{
    OnGammaSpin(1, dValue);
}

void OutputColorCtrl::s_OnGammaBSpin(double dValue)
{
    OnGammaSpin(2, dValue);
}

void OutputColorCtrl::ApplyGamma(quint8 ucMode)
{
    m_Corr.gammaRed = quint16(m_apGammaSlider[0]->value());
    m_Corr.gammaGreen = quint16(m_apGammaSlider[1]->value());
    m_Corr.gammaBlue = quint16(m_apGammaSlider[2]->value());
    g_ProjectConf.SetOutputCorr(m_Corr);
    g_ProjectConf.GetOutputCorr(&m_Corr);
    if (!m_bOnline)
        return;
    if (ucMode == 1)
        TraceInfo("Applying Gamma correction on LPUs (permanent - Flash)... (Gamma_R=%0.1f, Gamma_G=%0.1f, "
                  "Gamma_B=%0.1f)",
                  m_apGammaSpin[0]->value(), m_apGammaSpin[1]->value(), m_apGammaSpin[2]->value());
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetGamma, this,
                   ucMode == 1 ? &OutputColorCtrl::s_OnSetGammaInFlashDone : &OutputColorCtrl::s_OnSetGammaDone, true);
    if (m_pMainWnd->m_VpuCom.SetGamma(ucMode, m_Corr.gammaRed, m_Corr.gammaGreen, m_Corr.gammaBlue) != 0)
        EndRequest();
}

void OutputColorCtrl::s_OnApplyGammaBtn()
{
    ApplyGamma(0);
}

void OutputColorCtrl::s_OnApplyGammaInFlashBtn()
{
    ApplyGamma(1);
}

void OutputColorCtrl::s_OnDefaultGammaBtn()
{
    TraceInfo("Restore default Gamma parameters on GUI! (Gamma_R=%0.1f, Gamma_G=%0.1f, Gamma_B=%0.1f)", 0.4, 0.4, 0.4);
    for (QDoubleSpinBox *pSpin : m_apGammaSpin)
        pSpin->setValue(0.4);
}

void OutputColorCtrl::EndRequest()
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    LinkConnection(pCom, &CVpuCom::sigSetColorTemp, this, &OutputColorCtrl::s_OnSetColorTempDone, false);
    LinkConnection(pCom, &CVpuCom::sigSetGamma, this, &OutputColorCtrl::s_OnSetGammaDone, false);
    LinkConnection(pCom, &CVpuCom::sigSetGamma, this, &OutputColorCtrl::s_OnSetGammaInFlashDone, false);
    m_pMainWnd->setDisabled(false);
}

void OutputColorCtrl::s_OnSetGammaDone(int)
{
    EndRequest();
}

void OutputColorCtrl::s_OnSetGammaInFlashDone(int)
{
    EndRequest();
}

void OutputColorCtrl::s_OnSetColorTempDone(int)
{
    EndRequest();
}
