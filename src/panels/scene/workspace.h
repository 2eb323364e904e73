#pragma once
// The workspace panel: the red border, the background picture (a file or a VPU snapshot)
// and the grid drawn on the scene. Lives in the "Workspace settings" dock.

#include <QWidget>

class Zelvor;

namespace Ui {
class Workspace;
}

class Workspace : public QWidget
{
    Q_OBJECT

public:
    explicit Workspace(Zelvor *pMainWnd);
    ~Workspace() override;

    // Only the VPU snapshot needs the link.
    void SetOnline(bool bOnline);

private:
    Ui::Workspace *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
};
