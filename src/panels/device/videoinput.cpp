#include "panels/device/videoinput.h"

#include "config/texttables.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/device/ui_videoinput.h"
#include "project/projectconf.h"

#include <iterator>

namespace {

// A quarter turn or none: whatever the operator types ends on the nearest of -90, 0 and 90,
// ties going to no turn.
qint8 SnapRotation(int iValue)
{
    const qint8 iByte = qint8(iValue);
    return iByte > 45 ? 90 : (iByte < -45 ? -90 : 0);
}

constexpr int kCustomMaxHeight = 1080;

// Custom sizes go in steps of 8 pixels, rounded down.
qint32 Multiple8(int iValue)
{
    return iValue - iValue % 8;
}

} // namespace

VideoInput::VideoInput(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::VideoInput), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    m_pUi->m_pResizeStandCbBox->clear();
    const QList<VideoResizeStandard_t> standards = ResizeStandards();
    for (int i = 0; i < standards.size(); ++i)
        m_pUi->m_pResizeStandCbBox->addItem(standards.at(i).name, QVariant::fromValue<uchar>(uchar(i)));
    // The controls keep the form's values until the main window's first project sets them.
    CProjectConf::DefaultVideoInput(&m_tVideo);
    // Until a format is read the input counts as not locked.
    m_tLastFormat.Width = 1920;
    m_tLastFormat.Height = 1080;
    LinkEdits(true);
    Ui::VideoInput *ui = m_pUi;
    connect(ui->m_pApplyBtn, &QPushButton::clicked, this, &VideoInput::s_OnApplyBtn);
    connect(ui->m_pDefaultBtn, &QPushButton::clicked, this, &VideoInput::s_OnDefaultBtn);
    connect(ui->m_pGetVideoInFormatBtn, &QPushButton::clicked, this, &VideoInput::s_OnGetVideoInputFormatBtn);
    connect(ui->m_pVideoPresetWriteToVpuBtn, &QPushButton::clicked, this, &VideoInput::s_OnVideoPresetsWriteBtn);
    connect(ui->m_pVideoPresetReadFromVpuBtn, &QPushButton::clicked, this, &VideoInput::s_OnVideoPresetsReadBtn);
}

VideoInput::~VideoInput()
{
    delete m_pUi;
}

QList<VideoInput::VideoResizeStandard_t> VideoInput::ResizeStandards()
{
    // The sizes are the project's own, which are the ones sent to the VPU.
    const QString names[] = {tr("HD1080 - 1920x1080"), tr("UXGA - 1600x1200"), tr("SXGA - 1280x1024"),
                             tr("HD720 - 1280x720"), tr("XGA - 1024x768")};
    QList<VideoResizeStandard_t> standards;
    for (quint32 uKey = 0; uKey < std::size(names); ++uKey) {
        qint32 iWidth = 0, iHeight = 0;
        CProjectConf::StandardSize(uKey, &iWidth, &iHeight);
        standards.append({names[uKey], quint16(iWidth), quint16(iHeight)});
    }
    return standards;
}

void VideoInput::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pApplyBtn->setEnabled(bOnline);
    m_pUi->m_pGetVideoInFormatBtn->setEnabled(bOnline);
    m_pUi->m_pVideoPresetWriteToVpuBtn->setEnabled(bOnline);
    m_pUi->m_pVideoPresetReadFromVpuBtn->setEnabled(bOnline);
}

int VideoInput::GetVideoSource() const
{
    return int(m_tVideo.source);
}

void VideoInput::SetVideoSettings(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                                  bool bTopLeftPosition, PixelRect_t tArea)
{
    CProjectConf::MakeVideoInput(uSource, iRotation, uResizeType, uStandardFormat, bTopLeftPosition, tArea, &m_tVideo);
    UpdateGui();
}

void VideoInput::LinkEdits(bool bLink)
{
    Ui::VideoInput *ui = m_pUi;
    LinkConnection(ui->m_pDVI1Radio, &QRadioButton::toggled, this, &VideoInput::s_OnVideoSourceDVI1Toggled, bLink);
    LinkConnection(ui->m_pDVI2Radio, &QRadioButton::toggled, this, &VideoInput::s_OnVideoSourceDVI2Toggled, bLink);
    LinkConnection(ui->m_pHDMI1Radio, &QRadioButton::toggled, this, &VideoInput::s_OnVideoSourceHDMI1Toggled, bLink);
    LinkConnection(ui->m_pHDMI2Radio, &QRadioButton::toggled, this, &VideoInput::s_OnVideoSourceHDMI2Toggled, bLink);
    LinkConnection(ui->m_pResizeStandRadio, &QRadioButton::toggled, this, &VideoInput::s_OnResizeStandardToggled,
                   bLink);
    LinkConnection(ui->m_pResizeGpBox, &QGroupBox::toggled, this, &VideoInput::s_OnResizeGpBox, bLink);
    LinkConnection(ui->m_pVideoPosGpBox, &QGroupBox::toggled, this, &VideoInput::s_OnVideoPosGpBox, bLink);
    LinkConnection(ui->m_pVideoPosHorSpin, &QSpinBox::valueChanged, this, &VideoInput::s_OnPosHorSpin, bLink);
    LinkConnection(ui->m_pVideoPosVertSpin, &QSpinBox::valueChanged, this, &VideoInput::s_OnPosVerSpin, bLink);
    LinkConnection(ui->m_pResizeCustHorSpin, &QSpinBox::valueChanged, this, &VideoInput::s_OnResizeCustHorSpin, bLink);
    LinkConnection(ui->m_pResizeCustVerSpin, &QSpinBox::valueChanged, this, &VideoInput::s_OnResizeCustVerSpin, bLink);
    LinkConnection(ui->m_pRotSpin, &QSpinBox::valueChanged, this, &VideoInput::s_OnRotationSpin, bLink);
    LinkConnection(ui->m_pRotSpin, &QSpinBox::editingFinished, this, &VideoInput::s_OnRotationEdited, bLink);
    LinkConnection(ui->m_pResizeStandCbBox, &QComboBox::currentIndexChanged, this, &VideoInput::s_OnResizeStandCbBox,
                   bLink);
}

void VideoInput::UpdateGui()
{
    // The project brings the values into the ranges its file accepts and gives a standard its
    // own size, whatever area came with it; the panel takes them back, so that the controls,
    // the project and the scene show the same settings.
    g_ProjectConf.SetVideoInput(m_tVideo.source, m_tVideo.rotation, m_tVideo.resizeType, m_tVideo.standardFormat,
                                m_tVideo.topLeftPosition, m_tVideo.area);
    g_ProjectConf.GetVideoInput(&m_tVideo);

    LinkEdits(false);
    Ui::VideoInput *ui = m_pUi;
    QRadioButton *const radios[] = {ui->m_pDVI1Radio, ui->m_pDVI2Radio, ui->m_pHDMI1Radio, ui->m_pHDMI2Radio};
    radios[m_tVideo.source]->setChecked(true);
    ui->m_pRotSpin->setValue(m_tVideo.rotation);
    const PixelRect_t &area = m_tVideo.area;
    const bool bStandard = m_tVideo.resizeType == 1;
    const bool bCustom = m_tVideo.resizeType == 2;
    ui->m_pResizeGpBox->setChecked(bStandard || bCustom);
    if (bStandard || bCustom) {
        (bStandard ? ui->m_pResizeStandRadio : ui->m_pResizeCustRadio)->setChecked(true);
        ui->m_pResizeStandCbBox->setEnabled(bStandard);
        QWidget *const custom[] = {ui->m_pResizeCustHorLbl, ui->m_pResizeCustHorSpin, ui->m_pResizeCustVerLbl,
                                   ui->m_pResizeCustVerSpin};
        for (QWidget *pCustom : custom)
            pCustom->setEnabled(bCustom);
        if (bStandard)
            ui->m_pResizeStandCbBox->setCurrentIndex(int(m_tVideo.standardFormat));
        // A standard taller than the screen (UXGA) is shown at its own height; a typed size
        // stays within the screen.
        const int iHeight = area.y2 - area.y1 + 1;
        ui->m_pResizeCustVerSpin->setMaximum(bStandard ? qMax(kCustomMaxHeight, iHeight) : kCustomMaxHeight);
        ui->m_pResizeCustHorSpin->setValue(area.x2 - area.x1 + 1);
        ui->m_pResizeCustVerSpin->setValue(iHeight);
    }
    ui->m_pVideoPosGpBox->setChecked(m_tVideo.topLeftPosition);
    ui->m_pVideoPosHorSpin->setValue(area.x1);
    ui->m_pVideoPosVertSpin->setValue(area.y1);
    LinkEdits(true);
    m_pMainWnd->UpdateVideoArea();
}

void VideoInput::SetSource(bool bState, quint32 uSource)
{
    if (!bState)
        return;
    m_tVideo.source = uSource;
    UpdateGui();
}

void VideoInput::s_OnVideoSourceDVI1Toggled(bool bState)
{
    SetSource(bState, 0);
}

void VideoInput::s_OnVideoSourceDVI2Toggled(bool bState)
{
    SetSource(bState, 1);
}

void VideoInput::s_OnVideoSourceHDMI1Toggled(bool bState)
{
    SetSource(bState, 2);
}

void VideoInput::s_OnVideoSourceHDMI2Toggled(bool bState)
{
    SetSource(bState, 3);
}

void VideoInput::s_OnResizeStandardToggled(bool bState)
{
    m_tVideo.resizeType = bState ? 1 : 2;
    UpdateGui();
}

void VideoInput::s_OnResizeGpBox(bool bState)
{
    if (bState) {
        m_tVideo.resizeType = m_pUi->m_pResizeCustRadio->isChecked() ? 2 : 1;
    } else {
        m_tVideo.resizeType = 0;
        // Without a locked input to take the size from, the picture is the whole output.
        if (m_tLastFormat.RxLock == 0) {
            m_tVideo.standardFormat = 0;
            m_tVideo.area.x2 = m_tVideo.area.x1 + 1919;
            m_tVideo.area.y2 = m_tVideo.area.y1 + 1079;
        }
    }
    UpdateGui();
}

void VideoInput::s_OnVideoPosGpBox(bool bState)
{
    m_tVideo.topLeftPosition = bState;
    UpdateGui();
}

void VideoInput::s_OnPosHorSpin(int iValue)
{
    m_tVideo.area.x2 += iValue - m_tVideo.area.x1;
    m_tVideo.area.x1 = iValue;
    UpdateGui();
}

void VideoInput::s_OnPosVerSpin(int iValue)
{
    m_tVideo.area.y2 += iValue - m_tVideo.area.y1;
    m_tVideo.area.y1 = iValue;
    UpdateGui();
}

void VideoInput::s_OnRotationSpin(int iValue)
{
    m_tVideo.rotation = SnapRotation(iValue);
    UpdateGui();
}

void VideoInput::s_OnRotationEdited()
{
    // An edit that left the value as it was still ends on a quarter turn.
    const qint8 iSnapped = SnapRotation(m_pUi->m_pRotSpin->value());
    if (iSnapped == m_tVideo.rotation && iSnapped == m_pUi->m_pRotSpin->value())
        return;
    m_tVideo.rotation = iSnapped;
    UpdateGui();
}

void VideoInput::s_OnResizeStandCbBox(int iValue)
{
    if (iValue < 0)
        return;
    m_tVideo.standardFormat = quint32(m_pUi->m_pResizeStandCbBox->itemData(iValue).toInt());
    UpdateGui();
}

void VideoInput::s_OnResizeCustHorSpin(int iValue)
{
    m_tVideo.area.x2 = m_tVideo.area.x1 + Multiple8(iValue) - 1;
    UpdateGui();
}

void VideoInput::s_OnResizeCustVerSpin(int iValue)
{
    m_tVideo.area.y2 = m_tVideo.area.y1 + Multiple8(iValue) - 1;
    UpdateGui();
}

void VideoInput::s_OnDefaultBtn()
{
    CProjectConf::DefaultVideoInput(&m_tVideo);
    UpdateGui();
}

void VideoInput::EndRequest()
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    LinkConnection(pCom, &CVpuCom::sigSetVideoSettings, this, &VideoInput::s_OnSetVideoSettingsDone, false);
    LinkConnection(pCom, &CVpuCom::sigGetVideoInputFormat, this, &VideoInput::s_OnGetVideoInputFormatDone, false);
    LinkConnection(pCom, &CVpuCom::sigVideoPresetWrite, this, &VideoInput::s_OnVideoPresetWriteDone, false);
    LinkConnection(pCom, &CVpuCom::sigVideoPresetRead, this, &VideoInput::s_OnVideoPresetReadDone, false);
    m_pMainWnd->setDisabled(false);
}

void VideoInput::s_OnApplyBtn()
{
    if (!m_bOnline)
        return;
    VideoSettings_t tPacked;
    g_ProjectConf.GetVideoInputPacked(&tPacked);
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetVideoSettings, this, &VideoInput::s_OnSetVideoSettingsDone,
                   true);
    if (m_pMainWnd->m_VpuCom.SetVideoSettings(tPacked) != 0)
        EndRequest();
}

void VideoInput::s_OnSetVideoSettingsDone(int iStatus)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetVideoSettings, this, &VideoInput::s_OnSetVideoSettingsDone,
                   false);
    if (iStatus != 0) {
        EndRequest();
        return;
    }
    // The window stays disabled until the format of the input just chosen is known.
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigGetVideoInputFormat, this,
                   &VideoInput::s_OnGetVideoInputFormatDone, true);
    m_bFormatAfterApply = true;
    if (m_pMainWnd->m_VpuCom.GetVideoInputFormat(quint8(m_tVideo.source)) != 0) {
        m_bFormatAfterApply = false;
        EndRequest();
    }
}

void VideoInput::s_OnGetVideoInputFormatBtn()
{
    if (!m_bOnline)
        return;
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigGetVideoInputFormat, this,
                   &VideoInput::s_OnGetVideoInputFormatDone, true);
    if (m_pMainWnd->m_VpuCom.GetVideoInputFormat(quint8(m_tVideo.source)) != 0)
        EndRequest();
}

void VideoInput::s_OnGetVideoInputFormatDone(int iStatus, VideoInFormat_t tVideoInputFormat)
{
    // Only the reply to Apply's own request may resize the window: a failed one ends it too,
    // so a later Get Format never changes what the operator set.
    const bool bAfterApply = m_bFormatAfterApply;
    m_bFormatAfterApply = false;
    if (iStatus == 0) {
        m_tLastFormat = tVideoInputFormat;
        const VideoInFormat_t &f = tVideoInputFormat;
        QString qsText = tr("Not Locked");
        if (f.RxLock != 0) {
            qsText = QStringLiteral("%1x%2 - %3")
                         .arg(f.Width)
                         .arg(f.Height)
                         .arg(f.Interlaced != 0 ? tr("Interlaced") : tr("Progressive"));
            if (f.Encryption == 1)
                qsText += tr(" - Encrypted");
        }
        m_pUi->m_pVideoInputFormatLE->setText(qsText);
        if (bAfterApply) {
            if (m_tVideo.resizeType == 0) {
                // Unscaled, the picture has the input's size; an input without signal keeps
                // the smallest window the project holds, one pixel.
                PixelRect_t &area = m_tVideo.area;
                area.x2 = f.RxLock != 0 ? area.x1 + f.Width - 1 : area.x1;
                area.y2 = f.RxLock != 0 ? area.y1 + f.Height - 1 : area.y1;
            }
            UpdateGui();
        }
    }
    EndRequest();
}

int VideoInput::AskSlot(const QString &qsTitle, const QString &qsLabel)
{
    int iSlot = -1;
    if (!Prompts::Instance().GetItem(this, qsTitle, qsLabel, VpuMemorySlotNamesTr(), 0, &iSlot))
        return -1;
    return iSlot >= 0 && iSlot < kVpuMemorySlotCount ? iSlot : -1;
}

void VideoInput::s_OnVideoPresetsWriteBtn()
{
    if (!m_bOnline)
        return;
    const int iSlot = AskSlot(tr("Send video setting to VPU"), tr("Select video setting memory destination:"));
    if (iSlot < 0)
        return;
    VideoPreset_t tPreset;
    g_ProjectConf.GetVideoInputPacked(&tPreset.VideoSettings);
    g_ProjectConf.GetInputCorr(&tPreset.InputCorr);
    g_ProjectConf.GetOutputCorr(&tPreset.OutputCorr);
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigVideoPresetWrite, this, &VideoInput::s_OnVideoPresetWriteDone,
                   true);
    if (m_pMainWnd->m_VpuCom.VideoPresetWrite(quint32(iSlot), tPreset) != 0)
        EndRequest();
}

void VideoInput::s_OnVideoPresetWriteDone(int)
{
    EndRequest();
}

void VideoInput::s_OnVideoPresetsReadBtn()
{
    if (!m_bOnline)
        return;
    const int iSlot = AskSlot(tr("Read video setting to VPU"), tr("Select video setting memory source:"));
    if (iSlot < 0)
        return;
    m_pMainWnd->setDisabled(true);
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigVideoPresetRead, this, &VideoInput::s_OnVideoPresetReadDone,
                   true);
    if (m_pMainWnd->m_VpuCom.VideoPresetRead(quint32(iSlot)) != 0)
        EndRequest();
}

void VideoInput::s_OnVideoPresetReadDone(int iStatus, VideoPreset_t tVideoPreset)
{
    if (iStatus == 0) {
        // Through the same setters as a loaded project, so that a slot never written (all
        // zeros) brings no value into the project that its file would refuse.
        VideoInputSettings_t tVideo;
        UnpackVideoSettings(tVideoPreset.VideoSettings, &tVideo);
        SetVideoSettings(tVideo.source, tVideo.rotation, tVideo.resizeType, tVideo.standardFormat,
                         tVideo.topLeftPosition, tVideo.area);
        m_pMainWnd->SetColorCorrections(tVideoPreset.InputCorr, tVideoPreset.OutputCorr);
    }
    EndRequest();
}

int VideoInput::UnpackVideoSettings(VideoSettings_t tPacked, VideoInputSettings_t *pSettings)
{
    pSettings->source = tPacked.Channel;
    pSettings->rotation = tPacked.Rotation;
    pSettings->topLeftPosition = tPacked.OffsetX != 0 || tPacked.OffsetY != 0;
    pSettings->area.x1 = tPacked.OffsetX;
    pSettings->area.y1 = tPacked.OffsetY;
    pSettings->area.x2 = qint32(tPacked.OffsetX) + tPacked.Width - 1;
    pSettings->area.y2 = qint32(tPacked.OffsetY) + tPacked.Height - 1;
    pSettings->resizeType = 0;
    pSettings->standardFormat = 0;
    if (tPacked.ScalingEnabled == 0)
        return 0;
    const QList<VideoResizeStandard_t> standards = ResizeStandards();
    for (int i = 0; i < standards.size(); ++i) {
        if (standards.at(i).width == tPacked.Width && standards.at(i).height == tPacked.Height) {
            pSettings->resizeType = 1;
            pSettings->standardFormat = quint32(i);
            return 0;
        }
    }
    pSettings->resizeType = 2;
    return 0;
}
