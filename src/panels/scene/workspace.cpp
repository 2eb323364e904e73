#include "panels/scene/workspace.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/ui_workspace.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <QFileInfo>
#include <QImage>
#include <QSignalBlocker>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

} // namespace

Workspace::Workspace(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::Workspace), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    // The form's grid controls show the default grid: the copy starts equal to them.
    CProjectConf::DefaultWorkspace(&m_tWorkspace);
    m_pUi->m_pGridSpaceSpin->setMaximum(1024);
    connect(m_pUi->m_pGridGpBox, &QGroupBox::toggled, this, &Workspace::s_OnGridGpBoxToggled);
    connect(m_pUi->m_pGridSpaceSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnGridSpaceSpinChanged);
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

void Workspace::SetWorkspaceSettings(const WorkspaceSettings_t &tWorkspace)
{
    m_tWorkspace.borderShown = tWorkspace.borderShown;
    m_tWorkspace.border = tWorkspace.border;
    m_tWorkspace.gridShown = tWorkspace.gridShown;
    // The spin box cannot show a spacing outside its range; the copy holds what it shows, so
    // that the panel and the scene never disagree about the grid.
    m_tWorkspace.gridSpacing =
        quint32(qBound(m_pUi->m_pGridSpaceSpin->minimum(), int(qMin(tWorkspace.gridSpacing, 1024u)),
                       m_pUi->m_pGridSpaceSpin->maximum()));
    BackgroundSettings_t &bg = m_tWorkspace.background;
    bg.shown = tWorkspace.background.shown;
    bg.file = tWorkspace.background.file;
    bg.ratio = tWorkspace.background.ratio;
    bg.placement = tWorkspace.background.placement;
    bg.imageWidth = 0;
    bg.imageHeight = 0;

    ApplyBorder();

    // The background always goes to the main window, drawn or not: its copy is what a save
    // writes, so a picture that cannot be shown today keeps its place in the project. A
    // missing file is reported there; a file that is no picture is reported here, since the
    // main window would silently draw nothing.
    if (bg.shown && !bg.file.isEmpty() && QFileInfo::exists(bg.file)) {
        QImage image;
        if (image.load(bg.file)) {
            bg.imageWidth = image.width();
            bg.imageHeight = image.height();
        } else {
            ErrorMsg(tr("Background image '%1' file format is not valid!").arg(bg.file), 0);
        }
    }
    m_pMainWnd->SetBackground(bg);

    RefreshBackgroundControls();
    RefreshGridControls();
}

void Workspace::ApplyBorder()
{
    const PixelRect_t &b = m_tWorkspace.border;
    const int iWidth = b.x2 - b.x1 + 1;
    const int iHeight = b.y2 - b.y1 + 1;
    {
        const QSignalBlocker blockGroup(m_pUi->m_pBorderGpBox);
        const QSignalBlocker blockWidth(m_pUi->m_pBorderWidthSpin);
        const QSignalBlocker blockHeight(m_pUi->m_pBorderHeightSpin);
        const QSignalBlocker blockHor(m_pUi->m_pBorderPosHorSpin);
        const QSignalBlocker blockVert(m_pUi->m_pBorderPosVertSpin);
        // The maxima first, so that no value is clamped by the previous border's limits.
        m_pUi->m_pBorderHeightSpin->setMaximum(qMax(kScreenHeight - b.y1, 0));
        m_pUi->m_pBorderPosVertSpin->setMaximum(qMax(kScreenHeight - iHeight, 0));
        m_pUi->m_pBorderWidthSpin->setMaximum(qMax(kScreenWidth - b.x1, 0));
        m_pUi->m_pBorderPosHorSpin->setMaximum(qMax(kScreenWidth - iWidth, 0));
        m_pUi->m_pBorderGpBox->setChecked(m_tWorkspace.borderShown);
        m_pUi->m_pBorderHeightSpin->setValue(iHeight);
        m_pUi->m_pBorderWidthSpin->setValue(iWidth);
        m_pUi->m_pBorderPosHorSpin->setValue(b.x1);
        m_pUi->m_pBorderPosVertSpin->setValue(b.y1);
    }
    m_pMainWnd->SetBorder(m_tWorkspace.borderShown, b.x1, b.y1, b.x2, b.y2);
}

void Workspace::RefreshBackgroundControls()
{
    const BackgroundSettings_t &bg = m_tWorkspace.background;
    const PixelRect_t &p = bg.placement;
    const int iWidth = p.x2 - p.x1 + 1;
    const int iHeight = p.y2 - p.y1 + 1;
    const bool bResize = bg.ratio == BACKGROUND_RATIO_RESIZE;
    // The background has just been handed over whole: nothing here may hand it over again.
    const QSignalBlocker blockGroup(m_pUi->m_pBackGpBox);
    const QSignalBlocker blockOrig(m_pUi->m_pImgOrigSizeRadio);
    const QSignalBlocker blockResize(m_pUi->m_pImgResizeRadio);
    const QSignalBlocker blockHor(m_pUi->m_pImgPosHorSpin);
    const QSignalBlocker blockVert(m_pUi->m_pImgPosVertSpin);
    const QSignalBlocker blockWidth(m_pUi->m_pImgResizeWidthSpin);
    const QSignalBlocker blockHeight(m_pUi->m_pImgResizeHeightSpin);

    m_pUi->m_pBackGpBox->setChecked(bg.shown);
    m_pUi->m_pImgFileLE->setText(bg.file);
    m_pUi->m_pImgOrigSizeWidthSpin->setValue(bg.imageWidth);
    m_pUi->m_pImgOrigSizeHeightSpin->setValue(bg.imageHeight);
    for (QWidget *pWidget : {static_cast<QWidget *>(m_pUi->m_pImgOrigSizeWidthSpin),
                             static_cast<QWidget *>(m_pUi->m_pImgOrigSizeHeightSpin),
                             static_cast<QWidget *>(m_pUi->m_pImgOrigSizeWidthLbl),
                             static_cast<QWidget *>(m_pUi->m_pImgOrigSizeHeightLbl)})
        pWidget->setEnabled(true);
    if (bResize)
        m_pUi->m_pImgResizeRadio->setChecked(true);
    else
        m_pUi->m_pImgOrigSizeRadio->setChecked(true);

    m_pUi->m_pImgResizeHeightSpin->setMaximum(qMax(kScreenHeight - p.y1, 0));
    m_pUi->m_pImgPosVertSpin->setMaximum(qMax(kScreenHeight - iHeight, 0));
    m_pUi->m_pImgResizeWidthSpin->setMaximum(qMax(kScreenWidth - p.x1, 0));
    m_pUi->m_pImgPosHorSpin->setMaximum(qMax(kScreenWidth - iWidth, 0));
    m_pUi->m_pImgPosHorSpin->setValue(p.x1);
    m_pUi->m_pImgPosVertSpin->setValue(p.y1);
    m_pUi->m_pImgResizeHeightSpin->setValue(iHeight);
    m_pUi->m_pImgResizeWidthSpin->setValue(iWidth);
    for (QWidget *pWidget :
         {static_cast<QWidget *>(m_pUi->m_pImgResizeWidthSpin), static_cast<QWidget *>(m_pUi->m_pImgResizeHeightSpin),
          static_cast<QWidget *>(m_pUi->m_pImgResizeWidthLbl), static_cast<QWidget *>(m_pUi->m_pImgResizeHeightLbl)})
        pWidget->setEnabled(bResize);

    const bool bFile = !bg.file.isEmpty() && QFileInfo::exists(bg.file);
    m_pUi->m_pImgPosGpBox->setEnabled(bFile);
    m_pUi->m_pImgRatioGpBox->setEnabled(bFile);
}

void Workspace::RefreshGridControls()
{
    m_pUi->m_pGridGpBox->setChecked(m_tWorkspace.gridShown);
    m_pUi->m_pGridSpaceSpin->setValue(int(m_tWorkspace.gridSpacing));
}

void Workspace::s_OnGridGpBoxToggled(bool bState)
{
    m_tWorkspace.gridShown = bState;
    m_pMainWnd->SetGridSpace(m_tWorkspace.gridShown, int(m_tWorkspace.gridSpacing));
}

void Workspace::s_OnGridSpaceSpinChanged(int iValue)
{
    m_tWorkspace.gridSpacing = quint32(iValue);
    m_pMainWnd->SetGridSpace(m_tWorkspace.gridShown, int(m_tWorkspace.gridSpacing));
}
