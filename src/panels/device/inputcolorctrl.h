#pragma once
// The input colour panel: brightness, contrast, hue and saturation of the selected input.
// Lives in the main window's "Global Color Settings" dock. The sliders hold the receiver's
// register values, the spin boxes show them in percent or degrees; every finished edit is
// stored in the project's input correction and, online, sent to the VPU.

#include "comm/vpurecords.h"

#include <QWidget>

class QDoubleSpinBox;
class QSlider;
class Zelvor;

namespace Ui {
class InputColorCtrl;
}

class InputColorCtrl : public QWidget
{
    Q_OBJECT

public:
    explicit InputColorCtrl(Zelvor *pMainWnd);
    ~InputColorCtrl() override;

    void SetOnline(bool bOnline);
    // Shows the values without storing or sending anything; the source byte is not shown.
    void SetInputCorrection(InputCorr_t tCorr);

public slots:
    void s_OnBrightnessSlider(int iValue);
    void s_OnContrastSlider(int iValue);
    void s_OnHueSlider(int iValue);
    void s_OnSaturationSlider(int iValue);
    void s_OnBrightnessSpin(double dValue);
    void s_OnContrastSpin(double dValue);
    void s_OnHueSpin(double dValue);
    void s_OnSaturationSpin(double dValue);
    void s_OnApplyBtn();
    void s_OnDefaultBtn();
    void s_OnSetVideoInCorrectionDone(int iStatus);

private:
    enum Quantity { BRIGHTNESS, CONTRAST, HUE, SATURATION, QUANTITY_COUNT };
    QSlider *Slider(int iQuantity) const;
    QDoubleSpinBox *Spin(int iQuantity) const;
    // Slider and spin of a quantity set to a register value, neither reacting.
    void ShowRegister(int iQuantity, int iRegister);
    void OnSlider(int iQuantity, int iRegister);
    void OnSpin(int iQuantity, double dValue);
    void TraceValue(int iQuantity, double dDisplay, int iRegister) const;

    Ui::InputColorCtrl *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
};
