#include "panels/device/testcontrol.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_testcontrol.h"

TestControl::TestControl(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::TestControl), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
}

TestControl::~TestControl()
{
    delete m_pUi;
}

void TestControl::SetOnline(bool bOnline)
{
    setEnabled(bOnline);
}
