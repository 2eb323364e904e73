#include "mainwindow/toolbox.h"

#include "mainwindow/ui_toolbox.h"
#include "mainwindow/zelvor.h"
#include "trace/trace.h"

ToolBox::ToolBox(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::ToolBox), m_pMainWnd(pMainWnd)
{
    // Made before the connection dialog starts the link, so this slot runs ahead of the main
    // window's own handler on the first answer.
    connect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigInitCom, this, &ToolBox::s_OnInitComDone);
    m_pUi->setupUi(this);
    SetConnected(false);
}

ToolBox::~ToolBox()
{
    delete m_pUi;
}

void ToolBox::SetConnected(bool bConnected)
{
    m_bConnected = bConnected;
    for (QWidget *pButton : {m_pUi->m_pDownloadBtn, m_pUi->m_pUploadBtn, m_pUi->m_pEnumerateBtn, m_pUi->m_pResetBtn})
        pButton->setEnabled(bConnected);
    m_pUi->m_pConnectBtn->setChecked(bConnected);
}

void ToolBox::DisableConnect()
{
    m_pUi->m_pConnectBtn->setEnabled(false);
}

void ToolBox::s_OnZoomInBtn()
{
    m_pMainWnd->ZoomIn();
}

void ToolBox::s_OnZoomOutBtn()
{
    m_pMainWnd->ZoomOut();
}

void ToolBox::s_OnZoomAllBtn()
{
    m_pMainWnd->s_OnZoomAll();
}

void ToolBox::s_OnAddBtn()
{
    m_pMainWnd->s_OnPaintBrushTools(true);
}

void ToolBox::s_OnDeleteBtn()
{
    m_pMainWnd->DeleteSelectedFixtures();
}

void ToolBox::s_OnDownloadBtn()
{
    if (m_bConnected)
        m_pMainWnd->DownloadProject();
}

void ToolBox::s_OnUploadBtn()
{
    if (m_bConnected)
        m_pMainWnd->UploadProject();
}

void ToolBox::s_OnEnumerateBtn()
{
    if (m_bConnected)
        m_pMainWnd->EnumerateFixtures();
}

void ToolBox::s_OnResetBtn()
{
    if (m_bConnected)
        m_pMainWnd->ResetFixtures();
}

void ToolBox::s_OnConnectBtn()
{
    if (m_bConnected) {
        m_pMainWnd->m_VpuCom.CloseIfOpen();
        m_pMainWnd->SetOnline(false);
        return;
    }
    m_pMainWnd->Reconnect();
}

void ToolBox::s_OnInitComDone(int iStatus)
{
    // Only the first answer after start-up is the tool bar's; later ones (reconnect,
    // automatic restart) are the main window's alone.
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigInitCom, this, &ToolBox::s_OnInitComDone);
    m_pMainWnd->SetOnline(iStatus == 0);
}
