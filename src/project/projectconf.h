#pragma once
// The project's record helpers: make, reset and copy the settings records. The in-memory
// project builds on these.

#include "project/projectrecords.h"

class CProjectConf
{
public:
    static void DefaultWorkspace(WorkspaceSettings_t *pWorkspace);
    static void CopyWorkspace(WorkspaceSettings_t *pDst, const WorkspaceSettings_t &tSrc);
    static void DefaultVideoInput(VideoInputSettings_t *pVideoInput);
    static void MakeVideoInput(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                               bool bTopLeftPosition, const PixelRect_t &tArea, VideoInputSettings_t *pVideoInput);
    static void DefaultInputCorr(InputCorr_t *pInputCorr);
    static void MakeInputCorr(quint8 uSource, quint8 uBrightness, quint8 uContrast, quint8 uSaturation, quint8 uHue,
                              InputCorr_t *pInputCorr);
    static void DefaultOutputCorr(OutputCorr_t *pOutputCorr);
    static void MakeOutputCorr(quint16 uGammaRed, quint16 uGammaGreen, quint16 uGammaBlue, quint8 uWhiteMode,
                               quint16 uColorTemp, quint16 uCoefRed, quint16 uCoefGreen, quint16 uCoefBlue,
                               OutputCorr_t *pOutputCorr);
    // Fills the VPU's video settings from a video input record.
    static void PackVideoInput(const VideoInputSettings_t &tVideoInput, VideoSettings_t *pPacked);
};
