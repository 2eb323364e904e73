#include "project/projectconf.h"

void CProjectConf::DefaultWorkspace(WorkspaceSettings_t *pWorkspace)
{
    if (!pWorkspace)
        return;
    BackgroundSettings_t &bg = pWorkspace->background;
    bg.shown = false;
    bg.file.clear();
    bg.imageWidth = 0;
    bg.imageHeight = 0;
    bg.ratio = BACKGROUND_RATIO_KEEP;
    bg.placement = ScreenPixelRect();
    pWorkspace->gridShown = false;
    pWorkspace->gridSpacing = 128;
    pWorkspace->borderShown = false;
    pWorkspace->border = ScreenPixelRect();
}

void CProjectConf::CopyWorkspace(WorkspaceSettings_t *pDst, const WorkspaceSettings_t &tSrc)
{
    if (pDst)
        *pDst = tSrc;
}

void CProjectConf::DefaultVideoInput(VideoInputSettings_t *pVideoInput)
{
    MakeVideoInput(3, 0, 0, 0, false, ScreenPixelRect(), pVideoInput);
}

void CProjectConf::MakeVideoInput(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                                  bool bTopLeftPosition, const PixelRect_t &tArea, VideoInputSettings_t *pVideoInput)
{
    if (!pVideoInput)
        return;
    pVideoInput->source = uSource;
    pVideoInput->rotation = iRotation;
    pVideoInput->resizeType = uResizeType;
    pVideoInput->standardFormat = uStandardFormat;
    pVideoInput->topLeftPosition = bTopLeftPosition;
    pVideoInput->area = tArea;
}

void CProjectConf::DefaultInputCorr(InputCorr_t *pInputCorr)
{
    MakeInputCorr(3, 128, 128, 128, 0, pInputCorr);
}

void CProjectConf::MakeInputCorr(quint8 uSource, quint8 uBrightness, quint8 uContrast, quint8 uSaturation, quint8 uHue,
                                 InputCorr_t *pInputCorr)
{
    if (!pInputCorr)
        return;
    pInputCorr->source = uSource;
    pInputCorr->brightness = uBrightness;
    pInputCorr->contrast = uContrast;
    pInputCorr->saturation = uSaturation;
    pInputCorr->hue = uHue;
}

void CProjectConf::DefaultOutputCorr(OutputCorr_t *pOutputCorr)
{
    MakeOutputCorr(40, 40, 40, 0, 6500, 512, 512, 512, pOutputCorr);
}

void CProjectConf::MakeOutputCorr(quint16 uGammaRed, quint16 uGammaGreen, quint16 uGammaBlue, quint8 uWhiteMode,
                                  quint16 uColorTemp, quint16 uCoefRed, quint16 uCoefGreen, quint16 uCoefBlue,
                                  OutputCorr_t *pOutputCorr)
{
    if (!pOutputCorr)
        return;
    pOutputCorr->gammaRed = uGammaRed;
    pOutputCorr->gammaGreen = uGammaGreen;
    pOutputCorr->gammaBlue = uGammaBlue;
    pOutputCorr->whiteMode = uWhiteMode;
    pOutputCorr->colorTemp = uColorTemp;
    pOutputCorr->coefRed = uCoefRed;
    pOutputCorr->coefGreen = uCoefGreen;
    pOutputCorr->coefBlue = uCoefBlue;
}

void CProjectConf::PackVideoInput(const VideoInputSettings_t &tVideoInput, VideoSettings_t *pPacked)
{
    if (!pPacked)
        return;
    const PixelRect_t &area = tVideoInput.area;
    pPacked->Channel = quint8(tVideoInput.source & 0xFF);
    pPacked->ScalingEnabled = tVideoInput.resizeType != 0 ? 1 : 0;
    pPacked->Rotation = tVideoInput.rotation;
    pPacked->OffsetX = tVideoInput.topLeftPosition ? quint16(area.x1) : 0;
    pPacked->OffsetY = tVideoInput.topLeftPosition ? quint16(area.y1) : 0;
    // The size travels whether or not the position is used.
    pPacked->Width = quint16(area.x2 - area.x1 + 1);
    pPacked->Height = quint16(area.y2 - area.y1 + 1);
}
