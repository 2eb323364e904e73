#pragma once
// The program's main window: owns the layout scene and its view, holds the dock panels and
// the tool bar, and is the GUI end of the error report, the coloured status message and the
// factory password prompt. Created once by the connection dialog and reached everywhere
// through g_pMainWnd; the start-up code deletes it at exit.

#include "comm/vpucom.h"
#include "config/catalogue.h"
#include "project/projectrecords.h"
#include "trace/trace.h"

#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <optional>

class CFixture;
class CFixtureGroup;
class DMXConfig;
class DockPlacer;
class FixtureLists;
class FixtureSettings;
class FixtureUpdate;
class GroupSettings;
class InputColorCtrl;
class OutputColorCtrl;
class PaintBrushTools;
class QGraphicsPixmapItem;
class QGraphicsRectItem;
class QMenu;
class QAction;
class QDockWidget;
class SasuSettings;
class TestControl;
class TestTools;
class ToolBox;
class VideoInput;
class View;
class VpuUpdate;
class Workspace;

namespace Ui {
class Zelvor;
}

class Zelvor : public QMainWindow, public CMainWndSink
{
    Q_OBJECT

public:
    explicit Zelvor(QWidget *pParent = nullptr);
    ~Zelvor() override;

    void SetModeText(const QString &qsText);
    void SetProjectText(QString qsPath);

    // Error report from any thread: emits sigErrorMsg, which reaches s_OnErrMsg queued from a
    // worker thread and directly (the caller waits for the box) from the GUI thread.
    void SendErrorMsg(const QString &qsMsg, int iErrorCode) override;
    void ShowStatusMessage(int iKind, const QString &qsText, int iTimeoutMs) override;
    void ShowWarning(const QString &qsTitle, const QString &qsText) override;
    void ShowErrorBox(const QString &qsTitle, const QString &qsText, const QString &qsDetail);
    void ShowWarningBox(const QString &qsTitle, const QString &qsText, const QString &qsDetail);

    // Reads a whole file into a new malloc'd buffer that the caller frees; a buffer already
    // held in *ppcBuffer is freed first. 0, or a negative status with *ppcBuffer null.
    int LoadBinaryFile(const QString &qsFileName, const QString &qsExtension, qint64 iExpectedSize, qint64 *piSize,
                       char **ppcBuffer);

    // 1 when the typed factory password matches, 0 when refused or cancelled.
    int CheckFactoryPassword();
    // The video input panel's selected source: 0 DVI 1, 1 DVI 2, 2 HDMI 1, 3 HDMI 2.
    int GetVideoSource() const;

    bool IsFactoryMode() const { return m_bFactoryMode; }
    QGraphicsScene *Scene() { return &m_Scene; }

    // The one link to the VPU, built first and gone last; every panel's requests go through it.
    // Only the restart's way to SetOnline is connected for good: each operation connects its
    // completion signal before it posts and disconnects when done.
    CVpuCom m_VpuCom;

    // The dock panels, owned through their Qt parents (TestTools only in factory mode).
    VideoInput *m_pVideoInput = nullptr;
    InputColorCtrl *m_pInputColorCtrl = nullptr;
    OutputColorCtrl *m_pOutputColorCtrl = nullptr;
    Workspace *m_pWorkspace = nullptr;
    FixtureLists *m_pFixtureLists = nullptr;
    FixtureSettings *m_pFixtureSettings = nullptr;
    FixtureUpdate *m_pFixtureUpdate = nullptr;
    GroupSettings *m_pGroupSettings = nullptr;
    SasuSettings *m_pSasuSettings = nullptr;
    TestControl *m_pTestControl = nullptr;
    PaintBrushTools *m_pPaintBrushTools = nullptr;
    VpuUpdate *m_pVpuUpdate = nullptr;
    DMXConfig *m_pDMXConfig = nullptr;
    TestTools *m_pTestTools = nullptr;

signals:
    void sigZoomAll();
    void sigErrorMsg(QString qsMsg, int iErrorCode);

public slots:
    void s_OnFixtureUpdateMenu();
    void s_OnVpuUpdateMenu();
    void s_OnMenuTriggered(bool bOn);
    void s_OnPaintBrushTools(bool bOn);
    void s_OnErrMsg(QString qsMsg, int iErrorCode);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;
    bool event(QEvent *pEvent) override;
    void closeEvent(QCloseEvent *pEvent) override;

private:
    int ConnectMenus();
    void ShowPasswordGuardedDock(QAction *pAction, QDockWidget *pDock);
    void RestoreWindow();
    void PlaceOnBestScreen();
    // The window's normal geometry within the screen's available area, frame included, and
    // placed by its frame.
    void FitOnScreen();
    // The manager's frame once reported; until then the last run's, or room for a frame.
    QMargins ExpectedFrame() const;
    // Fits the window again once the manager has framed it (or has had time to).
    void WatchFrame();
    // Once its frame is known, fits the window again as far as its least size allows when that
    // size has changed (a dock docked or closed: eType LayoutRequest), or when it has been
    // resized larger than the screen (restored so from a maximised state: eType Resize).
    void FitGrownWindow(QEvent::Type eType);
    // Notes where the server shows the window while it is neither maximised nor full screen: the
    // place stored at the exit, whatever Qt took for its normal geometry meanwhile.
    void NoteNormalPlace();
    // The place last noted, or the one before it when that was the manager's way to maximised.
    std::optional<QRect> NormalPlace() const;

    Ui::Zelvor *m_pUi = nullptr;
    QString m_qsComParam;
    QGraphicsScene m_Scene;
    QPixmap m_BackgroundImage;
    View *m_pView = nullptr;
    QLineEdit m_ModeLE;
    QLineEdit m_ProjectLE;
    bool m_bEditMode = true;
    bool m_bCablingMode = false;
    bool m_bFactoryMode = false;
    DockPlacer *m_pDockPlacer = nullptr;
    std::optional<QMargins> m_StoredFrame;
    bool m_bFrameKnown = false;
    QTimer m_FrameWatch;
    QElapsedTimer m_FrameWait;
    QSize m_LeastSize;
    // A fit the window needs, held until the server shows the window where Qt has it.
    bool m_bRefitPending = false;
    // The last place the server showed the window at, not maximised, and the one before it.
    std::optional<QRect> m_NormalPlace;
    std::optional<QRect> m_EarlierNormalPlace;
    // The window shown maximised at the place last noted.
    bool m_bNormalPlaceDoubtful = false;

    // Scene editing
public:
    // Fixtures not cabled are numbered among themselves up to the largest number the project
    // file accepts; a chain position of an HDMI output goes up to 256; groups are 1..128.
    static constexpr quint32 kNotCabledNumberMax = 0x7FFFFFFF;
    static constexpr quint32 kCabledNumberMax = 256;
    static constexpr quint16 kGroupNumberMax = 128;

    // A block of fixtures of one type, block.width() across and block.height() down, the
    // first with its top-left corner at block's top-left; more than one become a new group.
    // 0; -4 for a count below 1; -51 when the block leaves the screen; -5 when no number is
    // left. A refused block adds nothing.
    int AddFixtures(const FixtureType_t &tType, const QRect &block);
    // The same block given by the corners of that rectangle (counts x2 - x1 + 1, y2 - y1 + 1).
    int AddFixtures(const FixtureType_t &tType, int iX1, int iY1, int iX2, int iY2);
    void DeleteSelectedFixtures();
    void UpdateFixtureLists();
    void AddItemToScene(const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups);
    void ClearScene();
    void EnterCablingMode();
    void LeaveCablingMode();
    void ClearHighlight();
    void GetSelectedFixtures(QList<CFixture *> &fixtures) const;
    // One above the highest number on the output (0 when none), or the first free number when
    // that would pass the output's limit; 0, or -5 with the number unchanged when none is free.
    int GetNextFixtureNumber(quint8 uOutput, quint32 *puNumber) const;
    // One above the highest group number (1 when none), or the first free one past 128;
    // 0, or -5 with the number unchanged when all 128 are taken.
    int GetFirstFreeGroupNumber(quint16 *puNumber) const;
    static void ShiftFixtureNumbers(const QList<CFixture *> &fixtures);
    void CloseNumberGaps(const QList<CFixture *> &removed);
    void CloseGroupNumberGaps(const QList<CFixtureGroup *> &removed);
    void RaiseFixtureDockIfSingle();
    void RaiseGroupDockIfSingle();
    void RefreshPanels();
    // The not-cabled fixtures whose shape holds the scene point, topmost first.
    QList<CFixture *> NotCabledFixturesAt(const QPointF &scenePoint) const;

    void GroupItems(const QList<CFixture *> &fixtures);
    void UngroupItems(const QList<CFixtureGroup *> &groups);
    enum AlignMode { ALIGN_TOP = 1, ALIGN_BOTTOM = 2, ALIGN_LEFT = 3, ALIGN_RIGHT = 4 };
    void AlignSelected(int iMode, const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups);
    void RotateItems(int iAngle, const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups);
    // The actions the scene's context menu offers for the selection, in menu order; the align
    // entries stand behind a "&Align" submenu.
    void FillContextMenu(QMenu *pMenu);

    int SetBorder(bool bShow, int iLeft, int iTop, int iRight, int iBottom);
    int SetGridSpace(bool bShow, int iSpacing);
    int SetBackground(const BackgroundSettings_t &tBackground);
    int UpdateVideoArea();
    // The workspace as last drawn: what a save writes into the project.
    void GetWorkspace(WorkspaceSettings_t *pWorkspace) const;
    void ZoomIn();
    void ZoomOut();
    void ShowMainWindow();

    bool IsCablingMode() const { return m_bCablingMode; }
    View *GetView() const { return m_pView; }
    const QList<CFixture *> &AllFixtures() const { return m_AllFixtures; }
    const QList<CFixture *> &TopLevelFixtures() const { return m_TopFixtures; }
    const QList<CFixtureGroup *> &Groups() const { return m_Groups; }
    // Chain of output 1..4 (descending numbers) or, for 0, the not-cabled fixtures.
    const QList<CFixture *> &Chain(int iOutput) const { return m_Chains[iOutput]; }
    int LpuCount(int iOutput) const { return m_iLpuCount[iOutput - 1]; }
    int SasuCount(int iOutput) const { return m_iSasuCount[iOutput - 1]; }
    QGraphicsRectItem *BorderItem() const { return m_pBorderItem; }
    const QList<QGraphicsRectItem *> &GridItems() const { return m_GridItems; }
    QGraphicsPixmapItem *BackgroundItem() const { return m_pBackgroundItem; }
    QGraphicsRectItem *VideoAreaItem() const { return m_pVideoAreaItem; }

public slots:
    void s_OnZoomAll();
    void s_OnGraphViewCustomContextMenuRequested(const QPoint &pos);
    void s_OnGraphViewGroupActionTriggered(bool checked);
    void s_OnGraphViewGroupActionTriggered();
    void s_OnGraphViewUnGroupActionTriggered(bool checked);
    void s_OnGraphViewUnGroupActionTriggered();
    void s_OnGraphViewAlignTopActionTriggered(bool checked);
    void s_OnGraphViewAlignTopActionTriggered();
    void s_OnGraphViewAlignBottomActionTriggered(bool checked);
    void s_OnGraphViewAlignBottomActionTriggered();
    void s_OnGraphViewAlignLeftActionTriggered(bool checked);
    void s_OnGraphViewAlignLeftActionTriggered();
    void s_OnGraphViewAlignRightActionTriggered(bool checked);
    void s_OnGraphViewAlignRightActionTriggered();
    void s_OnGraphViewRotationActionTriggered(bool checked);
    void s_OnGraphViewRotationActionTriggered();

private:
    void CreateContextActions();
    void DeleteContextActions();
    // The scene's part of the event filter: Ctrl + drag zoom and the clicks of cabling mode.
    void FilterSceneEvent(QObject *pWatched, QEvent *pEvent);
    void ClearPanelLists();
    void FillPanelLists();
    void RebuildSceneTree();
    void InvalidateWorkspace();
    // Takes a fixture out of its group and makes it a top-level item that keeps its place on
    // the screen and turns by its own and the group's angle together.
    void DetachFromGroup(CFixture *pFixture, CFixtureGroup *pGroup);
    void CollectSelection();

    QList<CFixture *> m_AllFixtures;
    QList<CFixture *> m_TopFixtures;
    QList<CFixtureGroup *> m_Groups;
    QList<CFixture *> m_Chains[5]; // 0 not cabled, 1..4 the HDMI outputs
    int m_iLpuCount[4] = {};
    int m_iSasuCount[4] = {};
    QList<CFixture *> m_SelectedFixtures;
    QList<CFixtureGroup *> m_SelectedGroups;
    QAction *m_pGroupAction = nullptr;
    QAction *m_pUnGroupAction = nullptr;
    QAction *m_pAlignTopAction = nullptr;
    QAction *m_pAlignBottomAction = nullptr;
    QAction *m_pAlignLeftAction = nullptr;
    QAction *m_pAlignRightAction = nullptr;
    QAction *m_pRotationAction = nullptr;
    bool m_bCtrlHeld = false;
    bool m_bZoomDragStarted = false;
    QPointF m_ZoomPressPoint;
    QPointF m_ZoomReleasePoint;
    WorkspaceSettings_t m_Workspace;
    QGraphicsRectItem *m_pBorderItem = nullptr;
    QRect m_DrawnBorder;
    QList<QGraphicsRectItem *> m_GridItems;
    QGraphicsPixmapItem *m_pBackgroundItem = nullptr;
    QGraphicsRectItem *m_pVideoAreaItem = nullptr;

    // Project commands, download and upload
public:
    // Download: asks, checks that every fixture is cabled, then runs the step machine.
    void DownloadProject();
    int StartDownload();
    int DownloadStep();
    int DownloadDone(int iStatus);
    // Upload: the save question first; the current project is replaced only once everything
    // has been read from the VPU and turned into items. 0, or the save question's status.
    int UploadProject();
    int StartUpload();
    int UploadStep();
    int UploadDone(int iStatus);

    // 0; with bAsk the save question may give -15 (cancelled) or the failed save's code, and
    // then nothing changes.
    int NewProject(bool bAsk);
    // Records to items made on the scene but not added to it. 0 or an error code; on failure
    // everything made is destroyed and both out-lists are empty.
    int BuildSceneFromProject(const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups,
                              QList<CFixture *> &lOutFixtures, QList<CFixtureGroup *> &lOutGroups);
    // 0, or -13 (reported) when the file could not be written.
    int SaveProject(const QString &qsPath);
    // 0, or the code of the open, parse or build failure; the current project then stays.
    int LoadProject(const QString &qsPath);
    int LoadLastProject(int iIndex);
    // Input and output corrections of a new, loaded or uploaded project or of a video preset
    // into the project, through its setters, and the values it kept onto the colour panels.
    // Nothing goes to the VPU.
    void SetColorCorrections(const InputCorr_t &tInputCorr, const OutputCorr_t &tOutputCorr);
    void AddLastProject(const QString &qsPath);
    int UpdateRecentProjectsMenu();

public slots:
    void s_OnNewProjectMenu();
    void s_OnOpenProjectMenu();
    void s_OnSaveProjectMenu();
    void s_OnSaveProjectAsMenu();
    void s_OnOpenLastProjectMenu();
    void s_OnUploadVideoPresetDone(int iStatus, VideoPreset_t tPreset);
    void s_OnUploadGetVideoInputFormatDone(int iStatus, VideoInFormat_t tFormat);
    void s_OnUploadDmxReadFromVpuDone(int iStatus, short sCount, QByteArray baData);
    void s_OnUploadGetFixturesNumbersDone(int iStatus, FixturesNum_t tNumbers);
    void s_OnUploadGetFixtureConfigDone(int iStatus, FixtureConfig_t tConfig, SasuConfig_t tSasu);
    void s_OnDownloadGetFixturesNumbersDone(int iStatus, FixturesNum_t tNumbers);
    void s_OnDownloadGetFixtureConfigDone(int iStatus, FixtureConfig_t tConfig, SasuConfig_t tSasu);
    void s_OnDownloadWriteFixtureConfigDone(int iStatus);
    void s_OnDownloadWriteVideoPresetDone(int iStatus);
    void s_OnDownloadWriteDmxDone(int iStatus);
    void s_OnDownloadResetFixturesDone(int iStatus);

private:
    // The save question of a new project: 0 to go on, else -15 or the failed save's code.
    int AskSaveProject();
    // Save to the remembered file, or through the Save As dialog when there is none.
    int SaveCurrentProject();
    int SaveProjectAs();
    void ClearProject();
    void CreateRecentActions();
    // The fixture numbered m_DownloadAddr, moving on to the next output that has one; null
    // when the outputs are exhausted.
    CFixture *NextDownloadFixture();
    void DisconnectAll(QList<QMetaObject::Connection> &lConnections);

    int m_iDownloadStep = 0;
    FixtureAddr_t m_DownloadAddr{1, 1};
    int m_iDownloadTotal = 0;
    int m_iDownloadIndex = 1;
    QElapsedTimer m_DownloadTextShown; // when the per-fixture text was last painted
    FixturesNum_t m_VpuFixturesNum{};
    int m_iSlotPhase = 0;
    // The project's fixtures of each output, looked up by number (index number - 1), taken
    // when the download starts; the window stays disabled until it ends.
    QList<CFixture *> m_DownloadChains[4];
    QList<QMetaObject::Connection> m_DownloadConnections;

    int m_iUploadStep = 0;
    FixtureAddr_t m_UploadAddr{1, 1};
    VideoPreset_t m_UploadPreset{};
    VideoInFormat_t m_UploadInFormat{};
    qint16 m_iUploadDmxCount = 0;
    QList<DMX_Mapping_t> m_UploadDmxMapping;
    FixturesNum_t m_UploadFixturesNum{};
    QList<ProjectFixture_t> m_UploadFixtures;
    QList<ProjectGroup_t> m_UploadGroups;
    QList<QMetaObject::Connection> m_UploadConnections;

    QStringList m_LastProjects;
    QList<QAction *> m_RecentActions;

    // VPU link
public:
    // Starts the link: mode 1 offline, 2 USB (qsParam "USB<n>"), 3 Ethernet (qsParam the
    // address). 0 once the first request is out (the window stays disabled until its answer),
    // else the code of what failed; the caller reports it.
    int InitCom(int iMode, const QString &qsParam);
    // Tells every panel and the tool bar whether the link is up and arms or disarms the
    // automatic restart. Always 0.
    int SetOnline(bool bOnline);
    // Reopens the link with the parameters of the last start and re-initialises it (tool
    // bar); a failure is reported here.
    int Reconnect();
    // The box for a link that did not open: the code's text and, where the system gave one,
    // the address, the port and the reason.
    void ReportOpenFailure(int iStatus);
    int EnumerateFixtures();
    int ResetFixtures();
    int GetFixturesNumbers();
    ToolBox *m_pToolBox = nullptr;

public slots:
    void s_OnInitComDone(int iStatus);
    void s_OnEnumerateFixturesDone(int iStatus);
    void s_OnResetFixturesDone(int iStatus);
    void s_OnGetFixturesNumbersDone(int iStatus, FixturesNum_t tFixturesNum);

private:
    void FixtureCommandDone(int iStatus);
    // Opens the link under a busy cursor, the attempt shown in the status bar before it starts.
    int OpenLink();
    bool m_bRestartConnected = false;
};

// Creates the folder with its missing parents when it does not exist: 0, or -6.
int MakeDirectory(const QString &qsPath);

// The main window, set by the connection dialog and cleared before the window is deleted.
extern std::atomic<Zelvor *> g_pMainWnd;
