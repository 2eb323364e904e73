#pragma once
// The factory test tools: FPGA registers, SDRAM, flash, fixture registers and scripts. Exists
// only in factory mode, in the "Test Tools" dock.

#include <QWidget>

class Zelvor;

namespace Ui {
class TestTools;
}

class TestTools : public QWidget
{
    Q_OBJECT

public:
    explicit TestTools(Zelvor *pMainWnd);
    ~TestTools() override;

    // The device-access parts follow the link; the generators that only write files do not.
    void SetOnline(bool bState);

private:
    Ui::TestTools *m_pUi;
    Zelvor *m_pMainWnd;
};
