#pragma once
// The program's main window: owns the layout scene and its view, holds the dock panels and
// the tool bar, and is the GUI end of the error report, the coloured status message and the
// factory password prompt. Created once by the connection dialog and reached everywhere
// through g_pMainWnd; the start-up code deletes it at exit.

#include "comm/vpucom.h"
#include "trace/trace.h"

#include <QGraphicsScene>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QString>

#include <atomic>

class DMXConfig;
class FixtureLists;
class FixtureSettings;
class FixtureUpdate;
class GroupSettings;
class InputColorCtrl;
class OutputColorCtrl;
class PaintBrushTools;
class QAction;
class QDockWidget;
class SasuSettings;
class TestControl;
class TestTools;
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
    // Nothing is connected to it here: each operation connects its completion signal before
    // it posts and disconnects when done.
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
    void closeEvent(QCloseEvent *pEvent) override;

private:
    int ConnectMenus();
    void ShowPasswordGuardedDock(QAction *pAction, QDockWidget *pDock);
    void RestoreWindow();
    void PlaceOnBestScreen();

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
};

// Creates the folder with its missing parents when it does not exist: 0, or -6.
int MakeDirectory(const QString &qsPath);

// The main window, set by the connection dialog and cleared before the window is deleted.
extern std::atomic<Zelvor *> g_pMainWnd;
