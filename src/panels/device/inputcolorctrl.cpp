#include "panels/device/inputcolorctrl.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_inputcolorctrl.h"

InputColorCtrl::InputColorCtrl(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::InputColorCtrl), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
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

void InputColorCtrl::SetInputCorrection(InputCorr_t tCorr)
{
    // Only shows the values: the source byte is not the panel's, and nothing is stored or sent.
    m_pUi->m_pBrightnessSlider->setValue(tCorr.brightness);
    m_pUi->m_pBrightnessSpin->setValue(qMin<int>(tCorr.brightness, 128) * 100 * 0.0078125);
    m_pUi->m_pContrastSlider->setValue(tCorr.contrast);
    m_pUi->m_pContrastSpin->setValue(tCorr.contrast * 100.0 / 255.0);
    m_pUi->m_pHueSlider->setValue(tCorr.hue);
    m_pUi->m_pHueSpin->setValue(tCorr.hue * 180.0 / 255.0 - 90.0);
    m_pUi->m_pSaturationSlider->setValue(tCorr.saturation);
    m_pUi->m_pSaturationSpin->setValue(tCorr.saturation * 100.0 / 255.0);
}
