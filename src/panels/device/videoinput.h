#pragma once
// The video input panel: which VPU input feeds the wall, its rotation, scaling and placement.
// Lives in the main window's "Video settings" dock; the main window keeps the pointer.

#include "comm/vpurecords.h"
#include "project/projectrecords.h"

#include <QWidget>

class Zelvor;

namespace Ui {
class VideoInput;
}

class VideoInput : public QWidget
{
    Q_OBJECT

public:
    explicit VideoInput(Zelvor *pMainWnd);
    ~VideoInput() override;

    void SetOnline(bool bOnline);
    // The selected input: 0 DVI 1, 1 DVI 2, 2 HDMI 1, 3 HDMI 2.
    int GetVideoSource() const;
    // A new, loaded or uploaded project's video input into the panel, the project and the
    // scene's input area. Nothing goes to the VPU.
    void SetVideoSettings(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                          bool bTopLeftPosition, PixelRect_t tArea);
    // Turns the VPU's 11-byte video settings back into the project's form. Always 0.
    static int UnpackVideoSettings(VideoSettings_t tPacked, VideoInputSettings_t *pSettings);

    struct VideoResizeStandard_t
    {
        QString name;
        quint16 width;
        quint16 height;
    };
    // The standard scaling sizes, in key order (the key is the index).
    static QList<VideoResizeStandard_t> ResizeStandards();

private:
    // The controls show the copy; the copy goes into the project and the area is redrawn.
    void UpdateGui();

    Ui::VideoInput *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    VideoInputSettings_t m_tVideo;
};
