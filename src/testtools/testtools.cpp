#include "testtools/testtools.h"

#include "mainwindow/zelvor.h"
#include "testtools/ui_testtools.h"

TestTools::TestTools(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::TestTools), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
}

TestTools::~TestTools()
{
    delete m_pUi;
}

void TestTools::SetOnline(bool bState)
{
    for (QWidget *pPart :
         {static_cast<QWidget *>(m_pUi->m_pFpgaScroll), static_cast<QWidget *>(m_pUi->m_pSDRAMScroll),
          static_cast<QWidget *>(m_pUi->m_pFlashScroll), static_cast<QWidget *>(m_pUi->m_pLpuRegGpBox),
          static_cast<QWidget *>(m_pUi->m_pLpuRebootGpBox), static_cast<QWidget *>(m_pUi->m_pScriptScroll)})
        pPart->setEnabled(bState);
}
