#include "panels/device/videoinput.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_videoinput.h"
#include "project/projectconf.h"

#include <QSignalBlocker>

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
}

VideoInput::~VideoInput()
{
    delete m_pUi;
}

QList<VideoInput::VideoResizeStandard_t> VideoInput::ResizeStandards()
{
    return {
        {tr("HD1080 - 1920x1080"), 1920, 1080}, {tr("UXGA - 1600x1200"), 1600, 1200},
        {tr("SXGA - 1280x1024"), 1280, 1024},   {tr("HD720 - 1280x720"), 1280, 720},
        {tr("XGA - 1024x768"), 1024, 768},
    };
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
    if (m_pUi->m_pDVI1Radio->isChecked())
        return 0;
    if (m_pUi->m_pDVI2Radio->isChecked())
        return 1;
    if (m_pUi->m_pHDMI1Radio->isChecked())
        return 2;
    return 3;
}

void VideoInput::SetVideoSettings(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                                  bool bTopLeftPosition, PixelRect_t tArea)
{
    CProjectConf::MakeVideoInput(uSource, iRotation, uResizeType, uStandardFormat, bTopLeftPosition, tArea, &m_tVideo);
    UpdateGui();
}

void VideoInput::UpdateGui()
{
    // A standard size is the picture's size, whatever area came with it.
    const QList<VideoResizeStandard_t> standards = ResizeStandards();
    if (m_tVideo.resizeType == 1 && m_tVideo.standardFormat < quint32(standards.size())) {
        const VideoResizeStandard_t &standard = standards.at(m_tVideo.standardFormat);
        m_tVideo.area.x2 = m_tVideo.area.x1 + standard.width - 1;
        m_tVideo.area.y2 = m_tVideo.area.y1 + standard.height - 1;
    }
    // The project brings the values into the ranges its file accepts; the panel takes them
    // back, so that the controls, the project and the scene show the same settings.
    g_ProjectConf.SetVideoInput(m_tVideo.source, m_tVideo.rotation, m_tVideo.resizeType, m_tVideo.standardFormat,
                                m_tVideo.topLeftPosition, m_tVideo.area);
    g_ProjectConf.GetVideoInput(&m_tVideo);

    {
        QRadioButton *const radios[] = {m_pUi->m_pDVI1Radio, m_pUi->m_pDVI2Radio, m_pUi->m_pHDMI1Radio,
                                        m_pUi->m_pHDMI2Radio};
        const QSignalBlocker blockRotation(m_pUi->m_pRotSpin);
        const QSignalBlocker blockResize(m_pUi->m_pResizeGpBox);
        const QSignalBlocker blockCombo(m_pUi->m_pResizeStandCbBox);
        const QSignalBlocker blockHor(m_pUi->m_pResizeCustHorSpin);
        const QSignalBlocker blockVer(m_pUi->m_pResizeCustVerSpin);
        const QSignalBlocker blockPos(m_pUi->m_pVideoPosGpBox);
        const QSignalBlocker blockPosHor(m_pUi->m_pVideoPosHorSpin);
        const QSignalBlocker blockPosVert(m_pUi->m_pVideoPosVertSpin);
        const QSignalBlocker blockRadio0(radios[0]);
        const QSignalBlocker blockRadio1(radios[1]);
        const QSignalBlocker blockRadio2(radios[2]);
        const QSignalBlocker blockRadio3(radios[3]);

        radios[m_tVideo.source]->setChecked(true);
        m_pUi->m_pRotSpin->setValue(m_tVideo.rotation);
        const PixelRect_t &area = m_tVideo.area;
        const bool bStandard = m_tVideo.resizeType == 1;
        const bool bCustom = m_tVideo.resizeType == 2;
        m_pUi->m_pResizeGpBox->setChecked(bStandard || bCustom);
        if (bStandard || bCustom) {
            m_pUi->m_pResizeStandCbBox->setEnabled(bStandard);
            m_pUi->m_pResizeCustHorSpin->setEnabled(bCustom);
            m_pUi->m_pResizeCustVerSpin->setEnabled(bCustom);
            m_pUi->m_pResizeCustHorSpin->setValue(area.x2 - area.x1 + 1);
            m_pUi->m_pResizeCustVerSpin->setValue(area.y2 - area.y1 + 1);
        }
        if (bStandard)
            m_pUi->m_pResizeStandCbBox->setCurrentIndex(int(m_tVideo.standardFormat));
        m_pUi->m_pVideoPosGpBox->setChecked(m_tVideo.topLeftPosition);
        m_pUi->m_pVideoPosHorSpin->setValue(area.x1);
        m_pUi->m_pVideoPosVertSpin->setValue(area.y1);
    }
    m_pMainWnd->UpdateVideoArea();
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
