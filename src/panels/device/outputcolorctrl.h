#pragma once
// The output colour panel: white balance (none, standard or custom temperature, expert
// coefficients) and gamma of the output. Lives in the main window's "Color Control" dock.

#include "comm/vpurecords.h"

#include <QWidget>

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

private:
    Ui::OutputColorCtrl *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    OutputCorr_t m_Corr{};
};
