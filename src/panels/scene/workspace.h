#pragma once
// The workspace panel: the red border, the background picture (a file or a VPU snapshot)
// and the grid drawn on the scene. Lives in the "Workspace settings" dock. The panel keeps
// its own copy of the project's workspace block and hands every change to the main window,
// which draws it and keeps what a save writes.

#include "project/projectrecords.h"

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
    // A new or loaded project's workspace into the panel and onto the scene.
    void SetWorkspaceSettings(const WorkspaceSettings_t &tWorkspace);

private slots:
    void s_OnGridGpBoxToggled(bool bState);
    void s_OnGridSpaceSpinChanged(int iValue);

private:
    // The controls show the stored border, which then goes to the main window.
    void ApplyBorder();
    void RefreshBackgroundControls();
    // Sets the grid controls with their signals live: a control that changes passes the
    // grid to the main window through its slot.
    void RefreshGridControls();

    Ui::Workspace *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    WorkspaceSettings_t m_tWorkspace;
};
