#include "panels/scene/workspace.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/ui_workspace.h"

Workspace::Workspace(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::Workspace), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
}

Workspace::~Workspace()
{
    delete m_pUi;
}

void Workspace::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pVpuUploadSnapBtn->setEnabled(bOnline);
}
