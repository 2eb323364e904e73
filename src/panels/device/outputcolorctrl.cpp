#include "panels/device/outputcolorctrl.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_outputcolorctrl.h"

const int OutputColorCtrl::StandardWhiteTemperatures[4] = {-1, 3200, 6500, 9600};

OutputColorCtrl::OutputColorCtrl(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::OutputColorCtrl), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    m_pUi->m_pWhiteStandCbBox->clear();
    for (int iKelvin : StandardWhiteTemperatures)
        m_pUi->m_pWhiteStandCbBox->addItem(iKelvin < 0 ? tr("No Correction") : tr("%1 K").arg(iKelvin));
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

void OutputColorCtrl::SetOutputCorrection(OutputCorr_t tCorr)
{
    m_Corr = tCorr;
    m_pUi->m_pStandardColorTempGpBox->setChecked(false);
    m_pUi->m_pCustomColorTempGpBox->setChecked(false);
    m_pUi->m_pExpertColorTempGpBox->setChecked(false);
    switch (tCorr.whiteMode) {
    case 0:
        m_pUi->m_pStandardColorTempGpBox->setChecked(true);
        m_pUi->m_pWhiteStandCbBox->setCurrentIndex(0);
        break;
    case 1:
        m_pUi->m_pStandardColorTempGpBox->setChecked(true);
        for (int i = 1; i < 4; ++i) {
            if (StandardWhiteTemperatures[i] == tCorr.colorTemp)
                m_pUi->m_pWhiteStandCbBox->setCurrentIndex(i);
        }
        break;
    case 2:
        m_pUi->m_pCustomColorTempGpBox->setChecked(true);
        m_pUi->m_pWhiteCustSpin->setValue(tCorr.colorTemp);
        break;
    case 3:
        m_pUi->m_pExpertColorTempGpBox->setChecked(true);
        m_pUi->m_pColorTempRedSlider->setValue(tCorr.coefRed);
        m_pUi->m_pColorTempGreenSlider->setValue(tCorr.coefGreen);
        m_pUi->m_pColorTempBlueSlider->setValue(tCorr.coefBlue);
        m_pUi->m_pColorTempRedSpin->setValue(tCorr.coefRed / 512.0);
        m_pUi->m_pColorTempGreenSpin->setValue(tCorr.coefGreen / 512.0);
        m_pUi->m_pColorTempBlueSpin->setValue(tCorr.coefBlue / 512.0);
        break;
    default:
        break;
    }
    m_pUi->m_pGammaRSlider->setValue(tCorr.gammaRed);
    m_pUi->m_pGammaGSlider->setValue(tCorr.gammaGreen);
    m_pUi->m_pGammaBSlider->setValue(tCorr.gammaBlue);
    m_pUi->m_pGammaRSpin->setValue(m_pUi->m_pGammaRSlider->value() / 100.0);
    m_pUi->m_pGammaGSpin->setValue(m_pUi->m_pGammaGSlider->value() / 100.0);
    m_pUi->m_pGammaBSpin->setValue(m_pUi->m_pGammaBSlider->value() / 100.0);
}
