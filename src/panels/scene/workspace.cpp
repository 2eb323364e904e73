#include "panels/scene/workspace.h"

#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/scene/ui_workspace.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

int RectWidth(const PixelRect_t &r)
{
    return r.x2 - r.x1 + 1;
}

int RectHeight(const PixelRect_t &r)
{
    return r.y2 - r.y1 + 1;
}

// The size of the picture in a file; false when there is no such file or it is no picture.
bool PictureSize(const QString &qsFile, QSize *pSize)
{
    if (qsFile.isEmpty() || !QFileInfo::exists(qsFile))
        return false;
    QImage image;
    if (!image.load(qsFile))
        return false;
    *pSize = image.size();
    return true;
}

} // namespace

QImage SnapshotImage(const SdramRect_t &tRect, const QByteArray &baPixels)
{
    const qsizetype iPixels = qsizetype(tRect.Width) * tRect.Height;
    if (iPixels == 0 || baPixels.size() != iPixels * qsizetype(sizeof(Color_t)))
        return QImage();
    QImage image(tRect.Width, tRect.Height, QImage::Format_ARGB32);
    const auto *pucBytes = reinterpret_cast<const uchar *>(baPixels.constData());
    for (int y = 0; y < tRect.Height; ++y) {
        auto *pLine = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < tRect.Width; ++x, pucBytes += 3)
            pLine[x] = qRgb(pucBytes[0], pucBytes[1], pucBytes[2]);
    }
    return image;
}

Workspace::Workspace(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::Workspace), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    // The form's grid controls show the default grid: the copy starts equal to them. The
    // rest is filled by the new-project step that the main window runs next.
    CProjectConf::DefaultWorkspace(&m_tWorkspace);
    m_tWorkspace.border = MakePixelRect(0, 0, -1, -1);
    m_tWorkspace.background.placement = MakePixelRect(0, 0, -1, -1);
    m_tWorkspace.background.imageWidth = -1;
    m_tWorkspace.background.imageHeight = -1;
    m_pUi->m_pGridSpaceSpin->setMaximum(1024);
    SetOnline(false);

    Ui::Workspace *u = m_pUi;
    connect(u->m_pBorderWidthSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnBorderWidthSpinChanged);
    connect(u->m_pBorderHeightSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnBorderHeightSpinChanged);
    connect(u->m_pBorderGpBox, &QGroupBox::toggled, this, &Workspace::s_OnBorderGpBoxToggled);
    connect(u->m_pBorderPosHorSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnBorderPosHorSpinChanged);
    connect(u->m_pBorderPosVertSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnBorderPosVertSpinChanged);
    connect(u->m_pBackGpBox, &QGroupBox::toggled, this, &Workspace::s_OnBackGpBoxToggled);
    connect(u->m_pVpuUploadSnapBtn, &QPushButton::clicked, this, &Workspace::s_OnVpuUploadSnapBtn);
    connect(u->m_pImgFileLE, &QLineEdit::returnPressed, this, &Workspace::s_OnImgFileChanged);
    connect(u->m_pImgFileToolBox, &QToolButton::clicked, this, &Workspace::s_OnImgFileToolBox);
    connect(u->m_pImgPosHorSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgPosHorSpinChanged);
    connect(u->m_pImgPosVertSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgPosVertSpinChanged);
    connect(u->m_pImgOrigSizeRadio, &QRadioButton::toggled, this, &Workspace::s_OnImgOrigRadioToggled);
    connect(u->m_pImgResizeWidthSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgResizeWidthSpinChanged);
    connect(u->m_pImgResizeHeightSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgResizeHeightSpinChanged);
    connect(u->m_pGridGpBox, &QGroupBox::toggled, this, &Workspace::s_OnGridGpBoxToggled);
    connect(u->m_pGridSpaceSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnGridSpaceSpinChanged);
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

void Workspace::closeEvent(QCloseEvent *pEvent)
{
    TraceInfo("Workspace closed!");
    pEvent->accept();
}

void Workspace::SetWorkspaceSettings(const WorkspaceSettings_t &tWorkspace)
{
    m_tWorkspace.borderShown = tWorkspace.borderShown;
    m_tWorkspace.border = tWorkspace.border;
    m_tWorkspace.gridShown = tWorkspace.gridShown;
    // The spin box cannot show a spacing above its range; the copy holds what it shows, so
    // that the panel and the scene never disagree about the grid.
    m_tWorkspace.gridSpacing = qMin(tWorkspace.gridSpacing, quint32(m_pUi->m_pGridSpaceSpin->maximum()));
    BackgroundSettings_t &bg = m_tWorkspace.background;
    bg.shown = tWorkspace.background.shown;
    bg.file = tWorkspace.background.file;
    bg.ratio = tWorkspace.background.ratio;
    bg.placement = tWorkspace.background.placement;
    bg.imageWidth = 0;
    bg.imageHeight = 0;

    ApplyBorder();

    // The picture's size is read whether it is shown or not: "Keep original" needs it as soon
    // as the operator shows the picture. Only a shown picture that cannot be drawn is
    // reported; a missing file is reported by the main window, a file that is no picture
    // here, since the main window would silently draw nothing.
    QSize size;
    if (PictureSize(bg.file, &size)) {
        bg.imageWidth = size.width();
        bg.imageHeight = size.height();
    } else if (bg.shown && QFileInfo::exists(bg.file)) {
        ErrorMsg(tr("Background image '%1' file format is not valid!").arg(bg.file), 0);
    }
    // The background always goes to the main window, drawn or not: its copy is what a save
    // writes, so a picture that cannot be shown today keeps its place in the project.
    m_pMainWnd->SetBackground(bg);

    RefreshBackgroundControls();
    RefreshGridControls();
}

void Workspace::ApplyBorder()
{
    Ui::Workspace *u = m_pUi;
    const PixelRect_t &b = m_tWorkspace.border;
    {
        ConnectionGuard gShown(u->m_pBorderGpBox, &QGroupBox::toggled, this, &Workspace::s_OnBorderGpBoxToggled);
        ConnectionGuard gWidth(u->m_pBorderWidthSpin, &QSpinBox::valueChanged, this,
                               &Workspace::s_OnBorderWidthSpinChanged);
        ConnectionGuard gHeight(u->m_pBorderHeightSpin, &QSpinBox::valueChanged, this,
                                &Workspace::s_OnBorderHeightSpinChanged);
        ConnectionGuard gHor(u->m_pBorderPosHorSpin, &QSpinBox::valueChanged, this,
                             &Workspace::s_OnBorderPosHorSpinChanged);
        ConnectionGuard gVert(u->m_pBorderPosVertSpin, &QSpinBox::valueChanged, this,
                              &Workspace::s_OnBorderPosVertSpinChanged);
        // The maxima first, so that no value is clamped by the previous border's limits.
        u->m_pBorderHeightSpin->setMaximum(qMax(kScreenHeight - b.y1, 0));
        u->m_pBorderPosVertSpin->setMaximum(qMax(kScreenHeight - RectHeight(b), 0));
        u->m_pBorderWidthSpin->setMaximum(qMax(kScreenWidth - b.x1, 0));
        u->m_pBorderPosHorSpin->setMaximum(qMax(kScreenWidth - RectWidth(b), 0));
        u->m_pBorderGpBox->setChecked(m_tWorkspace.borderShown);
        u->m_pBorderHeightSpin->setValue(RectHeight(b));
        u->m_pBorderWidthSpin->setValue(RectWidth(b));
        u->m_pBorderPosHorSpin->setValue(b.x1);
        u->m_pBorderPosVertSpin->setValue(b.y1);
    }
    m_pMainWnd->SetBorder(m_tWorkspace.borderShown, b.x1, b.y1, b.x2, b.y2);
}

bool Workspace::EditRect(PixelRect_t *pRect, const PixelRect_t &tNew, QSpinBox *pSpin, int iShownBack,
                         const char *pcRefusal)
{
    if (tNew.x2 < kScreenWidth && tNew.y2 < kScreenHeight) {
        *pRect = tNew;
        return true;
    }
    // The stored value comes back through the slot, which accepts it.
    pSpin->setValue(iShownBack);
    TraceError("%s", pcRefusal);
    return false;
}

void Workspace::s_OnBorderWidthSpinChanged(int iValue)
{
    PixelRect_t &b = m_tWorkspace.border;
    if (!EditRect(&b, MakePixelRect(b.x1, b.y1, b.x1 + iValue - 1, b.y2), m_pUi->m_pBorderWidthSpin, RectWidth(b),
                  "Border Width is too high!"))
        return;
    ApplyBorder();
    TraceInfo("Set Border width");
}

void Workspace::s_OnBorderHeightSpinChanged(int iValue)
{
    PixelRect_t &b = m_tWorkspace.border;
    if (!EditRect(&b, MakePixelRect(b.x1, b.y1, b.x2, b.y1 + iValue - 1), m_pUi->m_pBorderHeightSpin, RectHeight(b),
                  "Border Height is too high!"))
        return;
    ApplyBorder();
    TraceInfo("Set Border Height");
}

void Workspace::s_OnBorderPosHorSpinChanged(int iValue)
{
    PixelRect_t &b = m_tWorkspace.border;
    if (!EditRect(&b, MakePixelRect(iValue, b.y1, iValue + RectWidth(b) - 1, b.y2), m_pUi->m_pBorderPosHorSpin, b.x1,
                  "Border horizontal position is too high!"))
        return;
    ApplyBorder();
    TraceInfo("Set Border left-pos");
}

void Workspace::s_OnBorderPosVertSpinChanged(int iValue)
{
    PixelRect_t &b = m_tWorkspace.border;
    if (!EditRect(&b, MakePixelRect(b.x1, iValue, b.x2, iValue + RectHeight(b) - 1), m_pUi->m_pBorderPosVertSpin, b.y1,
                  "Border vertical position is too high!"))
        return;
    ApplyBorder();
    TraceInfo("Set Border top-pos");
}

void Workspace::s_OnBorderGpBoxToggled(bool bState)
{
    m_tWorkspace.borderShown = bState;
    ApplyBorder();
    TraceInfo("Set Border state");
}

void Workspace::PushBackground()
{
    // What is drawn is what a save writes: the project keeps a placement on the screen.
    BackgroundSettings_t &bg = m_tWorkspace.background;
    bg.placement = ClampScreenRect(bg.placement);
    m_pMainWnd->SetBackground(bg);
    RefreshBackgroundControls();
}

void Workspace::RefreshBackgroundControls()
{
    Ui::Workspace *u = m_pUi;
    const BackgroundSettings_t &bg = m_tWorkspace.background;
    const PixelRect_t &p = bg.placement;
    const bool bResize = bg.ratio == BACKGROUND_RATIO_RESIZE;
    // The background has just been handed over whole: nothing here may hand it over again.
    ConnectionGuard gShown(u->m_pBackGpBox, &QGroupBox::toggled, this, &Workspace::s_OnBackGpBoxToggled);
    ConnectionGuard gOrig(u->m_pImgOrigSizeRadio, &QRadioButton::toggled, this, &Workspace::s_OnImgOrigRadioToggled);
    ConnectionGuard gHor(u->m_pImgPosHorSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgPosHorSpinChanged);
    ConnectionGuard gVert(u->m_pImgPosVertSpin, &QSpinBox::valueChanged, this, &Workspace::s_OnImgPosVertSpinChanged);
    ConnectionGuard gWidth(u->m_pImgResizeWidthSpin, &QSpinBox::valueChanged, this,
                           &Workspace::s_OnImgResizeWidthSpinChanged);
    ConnectionGuard gHeight(u->m_pImgResizeHeightSpin, &QSpinBox::valueChanged, this,
                            &Workspace::s_OnImgResizeHeightSpinChanged);

    u->m_pBackGpBox->setChecked(bg.shown);
    u->m_pImgFileLE->setText(bg.file);
    u->m_pImgOrigSizeWidthSpin->setValue(bg.imageWidth);
    u->m_pImgOrigSizeHeightSpin->setValue(bg.imageHeight);
    for (QWidget *pWidget :
         {static_cast<QWidget *>(u->m_pImgOrigSizeWidthSpin), static_cast<QWidget *>(u->m_pImgOrigSizeHeightSpin),
          static_cast<QWidget *>(u->m_pImgOrigSizeWidthLbl), static_cast<QWidget *>(u->m_pImgOrigSizeHeightLbl)})
        pWidget->setEnabled(true);
    if (bResize)
        u->m_pImgResizeRadio->setChecked(true);
    else
        u->m_pImgOrigSizeRadio->setChecked(true);

    u->m_pImgResizeHeightSpin->setMaximum(qMax(kScreenHeight - p.y1, 0));
    u->m_pImgPosVertSpin->setMaximum(qMax(kScreenHeight - RectHeight(p), 0));
    u->m_pImgResizeWidthSpin->setMaximum(qMax(kScreenWidth - p.x1, 0));
    u->m_pImgPosHorSpin->setMaximum(qMax(kScreenWidth - RectWidth(p), 0));
    u->m_pImgPosHorSpin->setValue(p.x1);
    u->m_pImgPosVertSpin->setValue(p.y1);
    u->m_pImgResizeHeightSpin->setValue(RectHeight(p));
    u->m_pImgResizeWidthSpin->setValue(RectWidth(p));
    for (QWidget *pWidget :
         {static_cast<QWidget *>(u->m_pImgResizeWidthSpin), static_cast<QWidget *>(u->m_pImgResizeHeightSpin),
          static_cast<QWidget *>(u->m_pImgResizeWidthLbl), static_cast<QWidget *>(u->m_pImgResizeHeightLbl)})
        pWidget->setEnabled(bResize);

    const bool bFile = !bg.file.isEmpty() && QFileInfo::exists(bg.file);
    u->m_pImgPosGpBox->setEnabled(bFile);
    u->m_pImgRatioGpBox->setEnabled(bFile);
}

void Workspace::s_OnBackGpBoxToggled(bool bState)
{
    m_tWorkspace.background.shown = bState;
    PushBackground();
    TraceInfo("Set Background");
}

void Workspace::s_OnImgPosHorSpinChanged(int iValue)
{
    PixelRect_t &p = m_tWorkspace.background.placement;
    if (!EditRect(&p, MakePixelRect(iValue, p.y1, iValue + RectWidth(p) - 1, p.y2), m_pUi->m_pImgPosHorSpin, p.x1,
                  "Background image horizontal position is too high!"))
        return;
    PushBackground();
    TraceInfo("Set Background image left-pos");
}

void Workspace::s_OnImgPosVertSpinChanged(int iValue)
{
    PixelRect_t &p = m_tWorkspace.background.placement;
    if (!EditRect(&p, MakePixelRect(p.x1, iValue, p.x2, iValue + RectHeight(p) - 1), m_pUi->m_pImgPosVertSpin, p.y1,
                  "Background image vertical position is too high!"))
        return;
    PushBackground();
    TraceInfo("Set Background image top-pos");
}

void Workspace::s_OnImgResizeWidthSpinChanged(int iValue)
{
    PixelRect_t &p = m_tWorkspace.background.placement;
    if (!EditRect(&p, MakePixelRect(p.x1, p.y1, p.x1 + iValue - 1, p.y2), m_pUi->m_pImgResizeWidthSpin, RectWidth(p),
                  "Background Image Width is too high!"))
        return;
    PushBackground();
    TraceInfo("Set Background Image width");
}

void Workspace::s_OnImgResizeHeightSpinChanged(int iValue)
{
    PixelRect_t &p = m_tWorkspace.background.placement;
    if (!EditRect(&p, MakePixelRect(p.x1, p.y1, p.x2, p.y1 + iValue - 1), m_pUi->m_pImgResizeHeightSpin, RectHeight(p),
                  "Background Image height is too high!"))
        return;
    PushBackground();
    TraceInfo("Set Background Image heigth");
}

void Workspace::s_OnImgOrigRadioToggled(bool bState)
{
    BackgroundSettings_t &bg = m_tWorkspace.background;
    PixelRect_t &p = bg.placement;
    if (bState) {
        bg.ratio = BACKGROUND_RATIO_KEEP;
        // A picture of unknown size keeps the placement it has rather than shrinking to nothing.
        if (bg.imageWidth > 0 && bg.imageHeight > 0) {
            p.y1 = qMin(p.y1, kScreenHeight - bg.imageHeight);
            p.y2 = p.y1 + bg.imageHeight - 1;
            p.x1 = qMin(p.x1, kScreenWidth - bg.imageWidth);
            p.x2 = p.x1 + bg.imageWidth - 1;
        }
    } else {
        bg.ratio = BACKGROUND_RATIO_RESIZE;
        if (p.y2 > kScreenHeight - 1) {
            p.y1 = kScreenHeight - 1 - (p.y2 - p.y1);
            p.y2 = kScreenHeight - 1;
        }
        if (p.x2 > kScreenWidth - 1) {
            p.x1 = kScreenWidth - 1 - (p.x2 - p.x1);
            p.x2 = kScreenWidth - 1;
        }
    }
    PushBackground();
}

void Workspace::s_OnImgFileChanged()
{
    const QString qsFile = m_pUi->m_pImgFileLE->text();
    if (qsFile.isEmpty())
        return;
    const QString qsMsg = tr("Background image file '%1' is not valid!").arg(qsFile);
    if (!QFileInfo::exists(qsFile)) {
        ErrorMsg(qsMsg, -9);
        return;
    }
    QSize size;
    if (!PictureSize(qsFile, &size)) {
        ErrorMsg(qsMsg, -10);
        return;
    }
    BackgroundSettings_t &bg = m_tWorkspace.background;
    bg.file = qsFile;
    bg.imageWidth = size.width();
    bg.imageHeight = size.height();
    bg.placement = MakePixelRect(0, 0, size.width() - 1, size.height() - 1);
    PushBackground();
}

void Workspace::s_OnImgFileToolBox()
{
    const QString qsFile =
        Prompts::Instance().GetOpenFileName(this, tr("Choose Background Image File"), QStringLiteral("Data/"),
                                            tr("Images (*.bmp *.gif *.jpg *.jpeg *.png *.pbm *.pgm *.ppm *.tiff "
                                               "*.xbm *.xpm)"));
    if (qsFile.isEmpty())
        return;
    m_pUi->m_pImgFileLE->setText(qsFile);
    s_OnImgFileChanged();
}

void Workspace::s_OnVpuUploadSnapBtn()
{
    const QString qsFile = Prompts::Instance().GetSaveFileName(this, tr("Select the VPU snapshot image output file"),
                                                               QStringLiteral("Projects/"), QStringLiteral("*.BMP"));
    if (qsFile.isEmpty())
        return;
    TraceInfo("Uploading VPU Snapshot on file '%s'...", U8(qsFile).constData());
    m_qsSnapshotFile = qsFile;

    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    LinkConnection(pCom, &CVpuCom::sigSdramReadMsg, this, &Workspace::s_OnVpuSnapshotDone, true);
    // The visible picture lies 240 lines down in the VPU's frame memory.
    if (pCom->SdramRead(SdramRect_t{0, 240, kScreenWidth, kScreenHeight}) != 0) {
        m_pMainWnd->setDisabled(false);
        LinkConnection(pCom, &CVpuCom::sigSdramReadMsg, this, &Workspace::s_OnVpuSnapshotDone, false);
    }
}

void Workspace::s_OnVpuSnapshotDone(int iStatus, SdramRect_t tSdramRect, QByteArray baPixels)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSdramReadMsg, this, &Workspace::s_OnVpuSnapshotDone, false);
    m_pMainWnd->setDisabled(false);
    // Nothing of the background changes before the picture is safely on disk.
    if (iStatus != 0) {
        ErrorMsg(tr("VPU Snapshot Failed - Failed to read pixel data from sdram!"), iStatus);
        return;
    }
    const QImage image = SnapshotImage(tSdramRect, baPixels);
    if (image.isNull()) {
        TraceError("VPU Snapshot Failed - Invalid Data Buffer pointer read from SDRAM");
        return;
    }
    QSaveFile file(m_qsSnapshotFile);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit()) {
        ErrorMsg(tr("VPU Snapshot Failed - Failed to save VPU Snaphot image in '%1'").arg(m_qsSnapshotFile), 0);
        return;
    }
    TraceInfo("VPU Snapshot uploaded and saved in '%s'!", U8(m_qsSnapshotFile).constData());
    BackgroundSettings_t &bg = m_tWorkspace.background;
    bg.file = m_qsSnapshotFile;
    bg.imageWidth = image.width();
    bg.imageHeight = image.height();
    bg.ratio = BACKGROUND_RATIO_KEEP;
    bg.placement = MakePixelRect(0, 0, image.width() - 1, image.height() - 1);
    PushBackground();
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
