#pragma once
// The input colour panel: brightness, contrast, hue and saturation of the selected input.
// Lives in the main window's "Global Color Settings" dock.

#include "comm/vpurecords.h"

#include <QWidget>

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
    // Shows the values without sending anything to the VPU.
    void SetInputCorrection(InputCorr_t tCorr);

private:
    Ui::InputColorCtrl *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
};
