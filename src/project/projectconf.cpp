#include "project/projectconf.h"

#include <QHash>
#include <QSet>

#include <iterator>

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

// ---------------------------------------------------------------------------------------------
// The in-memory project

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

void ClampPlacement(RotationInfo_t *pPlacement)
{
    pPlacement->x = qBound(0.0, pPlacement->x, double(kScreenWidth));
    pPlacement->y = qBound(0.0, pPlacement->y, double(kScreenHeight));
    pPlacement->anchorX = qBound(0.0, pPlacement->anchorX, double(kScreenWidth));
    pPlacement->anchorY = qBound(0.0, pPlacement->anchorY, double(kScreenHeight));
    pPlacement->angle = CProjectConf::AngleInRange(pPlacement->angle);
}

} // namespace

qint32 CProjectConf::AngleInRange(qint64 llAngle)
{
    qint64 llA = llAngle % 360;
    if (llA <= -180)
        llA += 360;
    else if (llA > 180)
        llA -= 360;
    return qint32(llA);
}

CProjectConf::CProjectConf()
{
    m_qsRootName = QStringLiteral("ProjectConfig");
    DefaultWorkspace(&m_Workspace);
    DefaultVideoInput(&m_VideoInput);
    DefaultInputCorr(&m_InputCorr);
    DefaultOutputCorr(&m_OutputCorr);
}

void CProjectConf::GetWorkspace(WorkspaceSettings_t *pWorkspace) const
{
    CopyWorkspace(pWorkspace, m_Workspace);
}

void CProjectConf::SetWorkspace(const WorkspaceSettings_t &tWorkspace)
{
    CopyWorkspace(&m_Workspace, tWorkspace);
    m_Workspace.gridSpacing = qMin(m_Workspace.gridSpacing, 1024u);
    m_Workspace.border = ClampScreenRect(m_Workspace.border);
    m_Workspace.background.placement = ClampScreenRect(m_Workspace.background.placement);
    if (m_Workspace.background.ratio != BACKGROUND_RATIO_KEEP)
        m_Workspace.background.ratio = BACKGROUND_RATIO_RESIZE;
}

void CProjectConf::GetVideoInput(VideoInputSettings_t *pVideoInput) const
{
    if (pVideoInput)
        *pVideoInput = m_VideoInput;
}

bool CProjectConf::StandardSize(quint32 uStandardFormat, qint32 *piWidth, qint32 *piHeight)
{
    static constexpr qint32 aiSizes[][2] = {{1920, 1080}, {1600, 1200}, {1280, 1024}, {1280, 720}, {1024, 768}};
    if (uStandardFormat >= std::size(aiSizes))
        return false;
    *piWidth = aiSizes[uStandardFormat][0];
    *piHeight = aiSizes[uStandardFormat][1];
    return true;
}

void CProjectConf::SetVideoInput(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                                 bool bTopLeftPosition, const PixelRect_t &tArea)
{
    // The area's corner may sit on the far edge (the file allows 1920 and 1080), its size is
    // at least one pixel and at most the screen; a standard's size is the standard's own.
    const quint32 uType = uResizeType <= 2 ? uResizeType : 0;
    const quint32 uFormat = uStandardFormat <= 4 ? uStandardFormat : 0;
    const qint32 iX = qBound(0, tArea.x1, kScreenWidth);
    const qint32 iY = qBound(0, tArea.y1, kScreenHeight);
    qint32 iWidth = qBound(1, tArea.x2 - tArea.x1 + 1, kScreenWidth);
    qint32 iHeight = qBound(1, tArea.y2 - tArea.y1 + 1, kScreenHeight);
    if (uType == 1)
        StandardSize(uFormat, &iWidth, &iHeight);
    MakeVideoInput(uSource <= 3 ? uSource : 3, (iRotation == -90 || iRotation == 90) ? iRotation : 0, uType, uFormat,
                   bTopLeftPosition, MakePixelRect(iX, iY, iX + iWidth - 1, iY + iHeight - 1), &m_VideoInput);
}

void CProjectConf::GetVideoInputPacked(VideoSettings_t *pPacked) const
{
    PackVideoInput(m_VideoInput, pPacked);
}

void CProjectConf::GetInputCorr(InputCorr_t *pInputCorr) const
{
    if (pInputCorr)
        *pInputCorr = m_InputCorr;
}

void CProjectConf::SetInputCorr(const InputCorr_t &tInputCorr)
{
    m_InputCorr = tInputCorr;
    if (m_InputCorr.brightness > 128)
        m_InputCorr.brightness = 128;
}

void CProjectConf::GetOutputCorr(OutputCorr_t *pOutputCorr) const
{
    if (pOutputCorr)
        *pOutputCorr = m_OutputCorr;
}

void CProjectConf::SetOutputCorr(const OutputCorr_t &tOutputCorr)
{
    // Fields of the packed record are copied out before they are compared: a reference to one
    // would be misaligned.
    const quint16 uGammaRed = tOutputCorr.gammaRed, uGammaGreen = tOutputCorr.gammaGreen,
                  uGammaBlue = tOutputCorr.gammaBlue, uTemp = tOutputCorr.colorTemp, uRed = tOutputCorr.coefRed,
                  uGreen = tOutputCorr.coefGreen, uBlue = tOutputCorr.coefBlue;
    const quint8 uMode = tOutputCorr.whiteMode;
    MakeOutputCorr(qBound<quint16>(1, uGammaRed, 600), qBound<quint16>(1, uGammaGreen, 600),
                   qBound<quint16>(1, uGammaBlue, 600), uMode <= 3 ? uMode : 0, qBound<quint16>(2000, uTemp, 11000),
                   qMin<quint16>(uRed, 512), qMin<quint16>(uGreen, 512), qMin<quint16>(uBlue, 512), &m_OutputCorr);
}

void CProjectConf::BuildScene(QList<CFixture *> &lFixtures, QList<CFixtureGroup *> &lGroups) const
{
    if (m_SceneBuilder)
        m_SceneBuilder(m_Fixtures, m_Groups, lFixtures, lGroups);
}

void CProjectConf::ClearRecords()
{
    m_Fixtures.clear();
    m_Groups.clear();
}

void CProjectConf::NormaliseRecords()
{
    // What the scene hands over is brought into the ranges the project file accepts, so that
    // a saved project always loads again.
    for (ProjectGroup_t &g : m_Groups) {
        g.info.number = qBound<quint16>(1, g.info.number, 128);
        if (g.info.name.isEmpty())
            g.info.name = QStringLiteral("Group %1").arg(g.info.number);
        g.info.name.truncate(32);
        ClampPlacement(&g.placement);
    }
    QHash<quint16, int> members;
    for (ProjectFixture_t &f : m_Fixtures) {
        ClampPlacement(&f.placement);
        if (f.group != 0) {
            f.group = qMin<quint16>(f.group, 128);
            ++members[f.group];
        }
        const FixtureIntensity_t &i = f.intensity;
        f.intensity = MakeIntensity(qMin<quint8>(i.Luminosity(), 100), qMin<quint16>(i.Red(), 512),
                                    qMin<quint16>(i.Green(), 512), qMin<quint16>(i.Blue(), 512), i.Reserved());
        // A mode is on only at 1; whatever else the fixture holds means off.
        f.sasuConfig.BlackoutMode = f.sasuConfig.BlackoutMode == 1 ? 1 : 0;
        f.sasuConfig.FanMonitoringMode = f.sasuConfig.FanMonitoringMode == 1 ? 1 : 0;
    }
    // A group of fewer than two fixtures is no group to the file (a load refuses it, a scene
    // build dissolves it): its member is saved on its own, turned by both angles.
    for (qsizetype i = m_Groups.size() - 1; i >= 0; --i) {
        const ProjectGroup_t &g = m_Groups[i];
        if (members.value(g.info.number) >= 2)
            continue;
        for (ProjectFixture_t &f : m_Fixtures) {
            if (f.group == g.info.number) {
                f.group = 0;
                f.placement.angle = AngleInRange(qint64(f.placement.angle) + g.placement.angle);
            }
        }
        m_Groups.removeAt(i);
    }
    // Fixtures naming a group the scene did not hand over are kept, ungrouped.
    QSet<quint16> known;
    for (const ProjectGroup_t &g : m_Groups)
        known.insert(g.info.number);
    for (ProjectFixture_t &f : m_Fixtures) {
        if (f.group != 0 && !known.contains(f.group))
            f.group = 0;
    }
}
