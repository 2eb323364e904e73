#pragma once
// The output colour panel: white balance (none, standard or custom temperature, expert
// coefficients) and gamma of the output. Lives in the main window's "Color Control" dock.
// Keeps a copy of the project's output correction; each apply writes its own fields into the
// copy, stores the whole copy in the project and, online, sends its part to the VPU.

#include "comm/vpurecords.h"

#include <QWidget>

class QDoubleSpinBox;
class QSlider;
class Zelvor;

namespace Ui {
class OutputColorCtrl;
}

class OutputColorCtrl : public QWidget
{
    Q_OBJECT

public:
    explicit OutputColorCtrl(Zelvor *pMainWnd);
    ~OutputColorCtrl() override;

    void SetOnline(bool bOnline);
    // Shows a stored output correction without storing or sending anything.
    void SetOutputCorrection(OutputCorr_t tCorr);

    // Entry i of the standard temperature combo box: -1 no correction, else kelvin.
    static const int StandardWhiteTemperatures[4];

public slots:
    void s_OnStandardColorTempGpBox(bool bState);
    void s_OnCustomColorTempGpBox(bool bState);
    void s_OnExpertColorTempGpBox(bool bState);
    void s_OnColorTempRedSlider(int iValue);
    void s_OnColorTempRedSpin(double dValue);
    void s_OnColorTempGreenSlider(int iValue);
    void s_OnColorTempGreenSpin(double dValue);
    void s_OnColorTempBlueSlider(int iValue);
    void s_OnColorTempBlueSpin(double dValue);
    void s_OnWhiteStandCB(int iValue);
    void s_OnWhiteCustSpin(int iValue);
    void s_OnApplyWhiteBtn();
    void s_OnDefaultWhiteBtn();
    void s_OnGammaRSlider(int iValue);
    void s_OnGammaRSpin(double dValue);
    void s_OnGammaGSlider(int iValue);
    void s_OnGammaGSpin(double dValue);
    void s_OnGammaBSlider(int iValue);
    void s_OnGammaBSpin(double dValue);
    void s_OnApplyGammaBtn();
    void s_OnApplyGammaInFlashBtn();
    void s_OnDefaultGammaBtn();
    void s_OnSetGammaDone(int iStatus);
    void s_OnSetGammaInFlashDone(int iStatus);
    void s_OnSetColorTempDone(int iStatus);

private:
    // The coefficients of a colour temperature (-1: none, 512 each) on the expert controls.
    void ShowTemperatureCoefs(int iKelvin);
    void ShowCoefs(const int aiCoef[3]);
    void ShowGamma(int iColor, int iGamma);
    // Only the checked mode box stays checked.
    void CheckMode(int iMode);
    void OnCoefSlider(int iColor, int iValue);
    void OnCoefSpin(int iColor, double dValue);
    void OnGammaSpin(int iColor, double dValue);
    void ApplyGamma(quint8 ucMode);
    void EndRequest();

    Ui::OutputColorCtrl *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    OutputCorr_t m_Corr{};
    QSlider *m_apCoefSlider[3];
    QDoubleSpinBox *m_apCoefSpin[3];
    QSlider *m_apGammaSlider[3];
    QDoubleSpinBox *m_apGammaSpin[3];
};
