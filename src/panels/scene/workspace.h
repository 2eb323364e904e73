#pragma once
// The workspace panel: the red border, the background picture (a file or a VPU snapshot)
// and the grid drawn on the scene. Lives in the "Workspace settings" dock. The panel keeps
// its own copy of the project's workspace block and hands every change to the main window,
// which draws it and keeps what a save writes.

#include "comm/vpurecords.h"
#include "project/projectrecords.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>

class QSpinBox;
class Zelvor;

namespace Ui {
class Workspace;
}

// The picture of a snapshot reply: Width x Height pixels of three bytes (red, green, blue)
// in rows from the top. A null image when the buffer does not hold exactly that many.
QImage SnapshotImage(const SdramRect_t &tRect, const QByteArray &baPixels);

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

protected:
    void closeEvent(QCloseEvent *pEvent) override;

private slots:
    void s_OnBorderWidthSpinChanged(int iValue);
    void s_OnBorderHeightSpinChanged(int iValue);
    void s_OnBorderGpBoxToggled(bool bState);
    void s_OnBorderPosHorSpinChanged(int iValue);
    void s_OnBorderPosVertSpinChanged(int iValue);
    void s_OnBackGpBoxToggled(bool bState);
    void s_OnVpuUploadSnapBtn();
    void s_OnImgFileChanged();
    void s_OnImgFileToolBox();
    void s_OnImgPosHorSpinChanged(int iValue);
    void s_OnImgPosVertSpinChanged(int iValue);
    void s_OnImgOrigRadioToggled(bool bState);
    void s_OnImgResizeWidthSpinChanged(int iValue);
    void s_OnImgResizeHeightSpinChanged(int iValue);
    void s_OnGridGpBoxToggled(bool bState);
    void s_OnGridSpaceSpinChanged(int iValue);
    void s_OnVpuSnapshotDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels);

private:
    // The controls show the stored border, which then goes to the main window.
    void ApplyBorder();
    void RefreshBackgroundControls();
    // Sets the grid controls with their signals live: a control that changes passes the
    // grid to the main window through its slot.
    void RefreshGridControls();
    // The background to the main window, then the controls to what it now holds.
    void PushBackground();
    // One edit of a border or background rectangle: stored when the rectangle stays on the
    // screen; otherwise the control is set back to iShownBack and the refusal traced.
    bool EditRect(PixelRect_t *pRect, const PixelRect_t &tNew, QSpinBox *pSpin, int iShownBack, const char *pcRefusal);

    Ui::Workspace *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    WorkspaceSettings_t m_tWorkspace;
    // The file a running snapshot is written to; the settings take it only once it is written.
    QString m_qsSnapshotFile;
};
