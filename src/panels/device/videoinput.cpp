#include "panels/device/videoinput.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_videoinput.h"

VideoInput::VideoInput(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::VideoInput), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    m_pUi->m_pResizeStandCbBox->clear();
    const QList<VideoResizeStandard_t> standards = ResizeStandards();
    for (int i = 0; i < standards.size(); ++i)
        m_pUi->m_pResizeStandCbBox->addItem(standards.at(i).name, QVariant::fromValue<uchar>(uchar(i)));
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
