#include "update/vpuupdate.h"

#include "mainwindow/zelvor.h"
#include "update/ui_vpuupdate.h"

VpuUpdate::VpuUpdate(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::VpuUpdate), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
}

VpuUpdate::~VpuUpdate()
{
    delete m_pUi;
}

void VpuUpdate::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pMcuDataProgBtn->setEnabled(bOnline);
    m_pUi->m_pGetCurrentVpuSetBtn->setEnabled(bOnline);
    m_pUi->m_pFpgaProgBtn->setEnabled(bOnline);
    m_pUi->m_pProgParamBtn->setEnabled(bOnline);
    m_pUi->m_pMcuProgBtn->setEnabled(bOnline);
    m_pUi->m_pMcuProgFromBootLoaderBtn->setEnabled(!bOnline);
}
