#include "panels/scene/paintbrushtools.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/ui_paintbrushtools.h"

PaintBrushTools::PaintBrushTools(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::PaintBrushTools), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
}

PaintBrushTools::~PaintBrushTools()
{
    delete m_pUi;
}
