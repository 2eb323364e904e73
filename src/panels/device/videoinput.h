#pragma once
// The video input panel: which VPU input feeds the wall, its rotation, scaling and placement,
// the input format read back from the VPU and the video presets in the VPU's memory slots.
// Lives in the main window's "Video settings" dock; the main window keeps the pointer. The
// panel's copy of the project's video input block and the project's own are kept equal.

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

public slots:
    void s_OnVideoSourceDVI1Toggled(bool bState);
    void s_OnVideoSourceDVI2Toggled(bool bState);
    void s_OnVideoSourceHDMI1Toggled(bool bState);
    void s_OnVideoSourceHDMI2Toggled(bool bState);
    void s_OnResizeStandardToggled(bool bState);
    void s_OnResizeGpBox(bool bState);
    void s_OnVideoPosGpBox(bool bState);
    void s_OnPosHorSpin(int iValue);
    void s_OnPosVerSpin(int iValue);
    void s_OnRotationSpin(int iValue);
    void s_OnRotationEdited();
    void s_OnResizeStandCbBox(int iValue);
    void s_OnResizeCustHorSpin(int iValue);
    void s_OnResizeCustVerSpin(int iValue);
    void s_OnApplyBtn();
    void s_OnDefaultBtn();
    void s_OnGetVideoInputFormatBtn();
    void s_OnVideoPresetsWriteBtn();
    void s_OnVideoPresetsReadBtn();
    void s_OnSetVideoSettingsDone(int iStatus);
    void s_OnGetVideoInputFormatDone(int iStatus, VideoInFormat_t tVideoInputFormat);
    void s_OnVideoPresetWriteDone(int iStatus);
    void s_OnVideoPresetReadDone(int iStatus, VideoPreset_t tVideoPreset);

private:
    // The controls show the copy; the copy goes into the project and the area is redrawn.
    void UpdateGui();
    // Makes or cuts the connections of every control that edits the copy.
    void LinkEdits(bool bLink);
    void SetSource(bool bState, quint32 uSource);
    // The memory slot the operator picks for a preset; -1 when cancelled.
    int AskSlot(const QString &qsTitle, const QString &qsLabel);
    void EndRequest();

    Ui::VideoInput *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    VideoInputSettings_t m_tVideo;
    bool m_bFormatAfterApply = false;
    VideoInFormat_t m_tLastFormat{};
};
