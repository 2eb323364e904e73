#pragma once
// The VPU update panel: MCU firmware (through the VPU or the bootloader), MCU data, FPGA
// firmware and factory parameters of the VPU. It owns the one bootloader link of the program
// for its whole life and is its only user. Lives in the password-guarded "VPU Update" dock.

#include "comm/bootloader.h"

#include <QWidget>

class Zelvor;

namespace Ui {
class VpuUpdate;
}

class VpuUpdate : public QWidget
{
    Q_OBJECT

public:
    explicit VpuUpdate(Zelvor *pMainWnd);
    ~VpuUpdate() override;

    // The VPU programming buttons need the link; the bootloader route needs it closed.
    void SetOnline(bool bOnline);

private:
    Ui::VpuUpdate *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    CBootLoader m_BootLoader;
};
