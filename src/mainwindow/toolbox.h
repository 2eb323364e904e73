#pragma once
// The row of icon buttons in the main window's tool bar: connect or disconnect the VPU link,
// upload and download the project, enumerate and reset the fixtures, add and delete fixtures,
// zoom. Each button forwards to the main window; the four that talk to the VPU act only
// while the link is up. Owned by the main window, its parent.

#include <QWidget>

class Zelvor;

namespace Ui {
class ToolBox;
}

class ToolBox : public QWidget
{
    Q_OBJECT

public:
    explicit ToolBox(Zelvor *pMainWnd);
    ~ToolBox() override;

    // Link state as the main window last told it: the VPU buttons follow it, and so does the
    // connect button's image.
    void SetConnected(bool bConnected);
    // A program started offline has no link to connect to until it ends.
    void DisableConnect();
    bool IsConnected() const { return m_bConnected; }

public slots:
    void s_OnZoomInBtn();
    void s_OnZoomOutBtn();
    void s_OnZoomAllBtn();
    void s_OnAddBtn();
    void s_OnDeleteBtn();
    void s_OnDownloadBtn();
    void s_OnUploadBtn();
    void s_OnEnumerateBtn();
    void s_OnResetBtn();
    void s_OnConnectBtn();
    void s_OnInitComDone(int iStatus);

private:
    Ui::ToolBox *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bConnected = false;
};
