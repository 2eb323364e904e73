#pragma once
// The project as the program holds it between the scene, the docks and the project file: the
// four settings records and record snapshots of the fixtures and groups on the scene (never the
// items themselves). One global, g_ProjectConf, owns the project file's document and name.
// The static helpers make, reset and copy the settings records.

#include "config/catalogue.h"
#include "config/config.h"
#include "project/projectrecords.h"

#include <QCoreApplication>
#include <QList>

#include <functional>

class CFixture;
class CFixtureGroup;

class CProjectConf : public CConfig
{
    Q_DECLARE_TR_FUNCTIONS(CProjectConf)

public:
    // Turns records into scene items (the main window's); 0 or an error code.
    using SceneBuilder_t = std::function<int(const QList<ProjectFixture_t> &, const QList<ProjectGroup_t> &,
                                             QList<CFixture *> &, QList<CFixtureGroup *> &)>;

    CProjectConf();

    // Reads the loaded document into the project. On failure the record lists are empty, the
    // settings hold what was read (the rest their defaults) and the file name is forgotten, so
    // that nothing of the project loaded before survives and a save asks for a name.
    int Parse() override;
    // Rebuilds the document from the project.
    int Write() override;
    // Writes the document atomically with a fixed attribute order, so that the same project
    // always gives the same bytes. 0; -13 when the file cannot be written (the old file stays).
    int Save(const QString &qsPath);

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
    // The picture size of a resize standard (0 HD1080 .. 4 XGA); false for an unknown key.
    // A standard's size is sent as it is, even where it is taller than the screen (UXGA).
    static bool StandardSize(quint32 uStandardFormat, qint32 *piWidth, qint32 *piHeight);
    // Fills the VPU's video settings from a video input record.
    static void PackVideoInput(const VideoInputSettings_t &tVideoInput, VideoSettings_t *pPacked);

    // Settings: whole records in and out. What comes in is brought into the ranges the project
    // file accepts, so that whatever is saved can be loaded again.
    void GetWorkspace(WorkspaceSettings_t *pWorkspace) const;
    void SetWorkspace(const WorkspaceSettings_t &tWorkspace);
    void GetVideoInput(VideoInputSettings_t *pVideoInput) const;
    void SetVideoInput(quint32 uSource, qint8 iRotation, quint32 uResizeType, quint32 uStandardFormat,
                       bool bTopLeftPosition, const PixelRect_t &tArea);
    void GetVideoInputPacked(VideoSettings_t *pPacked) const;
    void GetInputCorr(InputCorr_t *pInputCorr) const;
    void SetInputCorr(const InputCorr_t &tInputCorr);
    void GetOutputCorr(OutputCorr_t *pOutputCorr) const;
    void SetOutputCorr(const OutputCorr_t &tOutputCorr);

    // Rebuilds both record lists from the scene's items, groups first, in the lists' order.
    // A template so that this library needs no widget: the main window instantiates it with
    // CFixture and CFixtureGroup.
    template <class TFixture, class TGroup>
    void SetFixturesAndGroups(const QList<TFixture *> &lFixtures, const QList<TGroup *> &lGroups);
    // Hands copies of the records to the scene builder, which appends what it creates to the
    // two lists. The records stay.
    void SetSceneBuilder(const SceneBuilder_t &builder) { m_SceneBuilder = builder; }
    void BuildScene(QList<CFixture *> &lFixtures, QList<CFixtureGroup *> &lGroups) const;
    void ClearRecords();
    // The file a save goes to: set when the project is saved under a name, emptied for a
    // project that belongs to no file yet.
    void SetFileName(const QString &qsPath) { m_qsFileName = qsPath; }

    int ParseWorkspace();
    int ParseVideoInput();
    int ParseInputCorr();
    int ParseOutputCorr();
    int ParseFixtures();
    int WriteWorkspace();
    int WriteVideoInput();
    int WriteInputCorr();
    int WriteOutputCorr();
    int WriteFixtures();

    // Angles are kept in (-180, 180]: -180 and 180 are the same turn and the file keeps one form.
    static qint32 AngleInRange(qint64 llAngle);

private:
    // Brings snapshot records into the file's ranges (see SetFixturesAndGroups).
    void NormaliseRecords();

    WorkspaceSettings_t m_Workspace;
    VideoInputSettings_t m_VideoInput;
    InputCorr_t m_InputCorr;
    OutputCorr_t m_OutputCorr;
    QList<ProjectFixture_t> m_Fixtures;
    QList<ProjectGroup_t> m_Groups;
    SceneBuilder_t m_SceneBuilder;
};

extern CProjectConf g_ProjectConf;

template <class TFixture, class TGroup>
void CProjectConf::SetFixturesAndGroups(const QList<TFixture *> &lFixtures, const QList<TGroup *> &lGroups)
{
    m_Fixtures.clear();
    m_Groups.clear();
    for (const TGroup *pGroup : lGroups) {
        ProjectGroup_t tGroup;
        pGroup->GetInfo(&tGroup.info);
        pGroup->GetRotationInfo(&tGroup.placement);
        m_Groups.append(tGroup);
    }
    for (const TFixture *pFixture : lFixtures) {
        ProjectFixture_t tFixture = DefaultProjectFixture();
        quint32 uOutput = 0;
        quint32 uNumber = 0;
        pFixture->GetNumber(&uOutput, &uNumber);
        tFixture.output = quint8(uOutput);
        tFixture.number = uNumber;
        pFixture->GetRotationInfo(&tFixture.placement);
        FixtureType_t tType;
        pFixture->GetType(&tType);
        tFixture.type = tType.type;
        RotationInfo_t tGroupPlacement;
        pFixture->GetGroupInfo(&tFixture.group, &tGroupPlacement);
        pFixture->GetSasuConfig(&tFixture.sasuConfig);
        pFixture->GetIntensity(&tFixture.intensity);
        tFixture.boardType = -1;
        m_Fixtures.append(tFixture);
    }
    NormaliseRecords();
}
