#include "mainwindow/zelvor.h"

#include "config/softconf.h"
#include "mainwindow/dockplacer.h"
#include "mainwindow/errorcodes.h"
#include "mainwindow/prompts.h"
#include "mainwindow/toolbox.h"
#include "mainwindow/ui_zelvor.h"
#include "mainwindow/x11window.h"
#include "panels/device/dmxconfig.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/sasusettings.h"
#include "panels/device/testcontrol.h"
#include "panels/device/videoinput.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/groupsettings.h"
#include "panels/scene/paintbrushtools.h"
#include "panels/scene/workspace.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/view.h"
#include "testtools/testtools.h"
#include "trace/trace.h"
#include "update/fixtureupdate.h"
#include "update/vpuupdate.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsRectItem>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <utility>

std::atomic<Zelvor *> g_pMainWnd{nullptr};

namespace {

constexpr int kSceneWidth = 1920;
constexpr int kSceneHeight = 1080;
const char *const kGeometryKey = "Zelvor/geometry";
const char *const kStateKey = "Zelvor/windowState";
const char *const kPlacedDocksKey = "Zelvor/placedDocks";
const char *const kFrameKey = "Zelvor/frameMargins";
const char *const kFramePlaceKey = "Zelvor/framePlace";

// Room left for a window manager's frame until it reports its own: more than the title bars
// and borders of the common managers, so that a first start never puts the title bar above the
// screen. A frame from an earlier run is used instead when there is one.
const QMargins kUnknownFrame(8, 40, 8, 8);
// How long after the first show the frame the manager reports is still awaited.
constexpr int kFrameWaitMs = 5000;
constexpr int kFrameWatchMs = 100;

// A window's frame brought onto the available screen: no larger than the screen, moved inside.
QRect FittedFrame(const QRect &frame, const QRect &screen)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(screen.size()));
    fitted.moveLeft(std::clamp(fitted.left(), screen.left(), screen.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), screen.top(), screen.bottom() - fitted.height() + 1));
    return fitted;
}

// A frame of 0, 0, 0, 0 is a known one: no manager framed the window.
std::optional<QMargins> MarginsFromVariant(const QVariant &value)
{
    const QList<QVariant> sides = value.toList();
    if (sides.size() != 4)
        return std::nullopt;
    QMargins margins(sides.at(0).toInt(), sides.at(1).toInt(), sides.at(2).toInt(), sides.at(3).toInt());
    // A stored value beyond any real frame is not trusted.
    const bool bSound = std::min({margins.left(), margins.top(), margins.right(), margins.bottom()}) >= 0 &&
                        std::max({margins.left(), margins.top(), margins.right(), margins.bottom()}) <= 200;
    return bSound ? std::optional<QMargins>(margins) : std::nullopt;
}

// A panel as a dock's content: it scrolls when the dock is smaller than the panel, so that the
// window with every dock open still fits a small screen.
QScrollArea *Scrolled(QWidget *pPanel)
{
    auto *pArea = new QScrollArea;
    pArea->setWidgetResizable(true);
    pArea->setFrameShape(QFrame::NoFrame);
    pArea->setWidget(pPanel);
    // A dock needs no more than its title and a vertical scroll bar with its arrows and least
    // handle: Qt's own least height for the area adds the horizontal bar's below that, and seven
    // docks docked in one column then held the window taller than a 768 px screen.
    pArea->setMinimumHeight(pArea->verticalScrollBar()->sizeHint().height());
    return pArea;
}

} // namespace

int MakeDirectory(const QString &qsPath)
{
    if (QFileInfo::exists(qsPath))
        return 0;
    return QDir().mkpath(qsPath) ? 0 : -6;
}

Zelvor::Zelvor(QWidget *pParent) : QMainWindow(pParent), m_pUi(new Ui::Zelvor)
{
    QSettings settings;
    CProjectConf::DefaultWorkspace(&m_Workspace);

    m_pUi->setupUi(this);
    connect(&m_FrameWatch, &QTimer::timeout, this, &Zelvor::WatchFrame);
    setWindowTitle(
        tr("%1 - V%2 - %3").arg(tr("Lantrel"), QStringLiteral("1.0.0"), QStringLiteral(__DATE__ " " __TIME__)));

    m_bFactoryMode = g_SoftConf.GetFactoryMode();

    for (const char *pcFolder : {"Projects/", "Scripts/", "Gain/", "Firmwares/", "Data/"})
        MakeDirectory(QString::fromLatin1(pcFolder));

    const QList<QDockWidget *> allDocks = {m_pUi->m_pVideoInputDock,
                                           m_pUi->m_pWorkspaceDock,
                                           m_pUi->m_pFixtSetDock,
                                           m_pUi->m_pFixtUpdateDock,
                                           m_pUi->m_pGroupSetDock,
                                           m_pUi->m_pListsDock,
                                           m_pUi->m_pSASUDock,
                                           m_pUi->m_pTestDock,
                                           m_pUi->m_pInputColorDock,
                                           m_pUi->m_pOutputColorDock,
                                           m_pUi->m_pPaintBrushToolsDock,
                                           m_pUi->m_pVPUUpdateDock,
                                           m_pUi->m_pDMXConfigDock,
                                           m_pUi->m_pTestToolsDock};
    for (QDockWidget *pDock : allDocks)
        pDock->hide();

    m_pFixtureLists = new FixtureLists(this);
    m_pVideoInput = new VideoInput(this);
    m_pWorkspace = new Workspace(this);
    m_pFixtureSettings = new FixtureSettings(this);
    m_pFixtureUpdate = new FixtureUpdate(this);
    m_pGroupSettings = new GroupSettings(this);
    m_pSasuSettings = new SasuSettings(this);
    m_pTestControl = new TestControl(this);
    m_pInputColorCtrl = new InputColorCtrl(this);
    m_pOutputColorCtrl = new OutputColorCtrl(this);
    m_pPaintBrushTools = new PaintBrushTools(this);
    m_pVpuUpdate = new VpuUpdate(this);
    m_pDMXConfig = new DMXConfig(this);
    m_pToolBox = new ToolBox(this);
    if (m_bFactoryMode)
        m_pTestTools = new TestTools(this);

    m_pUi->m_pListsDock->setWidget(Scrolled(m_pFixtureLists));
    m_pUi->m_pVideoInputDock->setWidget(Scrolled(m_pVideoInput));
    m_pUi->m_pWorkspaceDock->setWidget(Scrolled(m_pWorkspace));
    m_pUi->m_pFixtSetDock->setWidget(Scrolled(m_pFixtureSettings));
    m_pUi->m_pFixtUpdateDock->setWidget(Scrolled(m_pFixtureUpdate));
    m_pUi->m_pGroupSetDock->setWidget(Scrolled(m_pGroupSettings));
    m_pUi->m_pSASUDock->setWidget(Scrolled(m_pSasuSettings));
    m_pUi->m_pTestDock->setWidget(Scrolled(m_pTestControl));
    m_pUi->m_pInputColorDock->setWidget(Scrolled(m_pInputColorCtrl));
    m_pUi->m_pOutputColorDock->setWidget(Scrolled(m_pOutputColorCtrl));
    m_pUi->m_pPaintBrushToolsDock->setWidget(Scrolled(m_pPaintBrushTools));
    m_pUi->m_pVPUUpdateDock->setWidget(Scrolled(m_pVpuUpdate));
    m_pUi->m_pDMXConfigDock->setWidget(Scrolled(m_pDMXConfig));

    // The VPU's output picture: the white screen area on a gray workspace.
    m_Scene.setSceneRect(-0.5, -0.5, kSceneWidth, kSceneHeight);
    m_Scene.setBackgroundBrush(QBrush(Qt::lightGray, Qt::SolidPattern));
    m_Scene.addRect(QRectF(-0.5, -0.5, kSceneWidth, kSceneHeight), QPen(), QBrush(Qt::white, Qt::SolidPattern));

    m_pView = new View;
    m_pUi->m_pSceneVLay->addWidget(m_pView);
    m_pView->setScene(&m_Scene);

    // Each field goes to the left of the previous one: "Project:" [project] "Mode:" [mode].
    m_ModeLE.setFixedWidth(250);
    m_ModeLE.setReadOnly(true);
    m_ModeLE.setDisabled(true);
    statusBar()->insertPermanentWidget(0, &m_ModeLE);
    statusBar()->insertPermanentWidget(0, new QLabel(tr("Mode:")));
    m_ProjectLE.setFixedWidth(450);
    m_ProjectLE.setReadOnly(true);
    m_ProjectLE.setDisabled(true);
    statusBar()->insertPermanentWidget(0, &m_ProjectLE);
    statusBar()->insertPermanentWidget(0, new QLabel(tr("Project:")));
    // A coloured message keeps its colour for as long as it is shown; the bar goes back to
    // black when the message is replaced or cleared.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString &qsMessage) {
        if (qsMessage.isEmpty()) {
            QPalette palette = statusBar()->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            statusBar()->setPalette(palette);
        }
    });

    m_pUi->m_pMainToolBar->addWidget(m_pToolBox);
    if (m_bFactoryMode)
        m_pUi->m_pTestToolsDock->setWidget(Scrolled(m_pTestTools));

    connect(m_pView, &QWidget::customContextMenuRequested, this, &Zelvor::s_OnGraphViewCustomContextMenuRequested);
    CreateContextActions();

    m_pDockPlacer = new DockPlacer(this);
    connect(m_pDockPlacer->Settler(), &PlaceSettler::sigSettled, this, [this](QWidget *pSettled) {
        if (pSettled == this)
            FitGrownWindow(QEvent::Resize);
    });
    RestoreWindow();
    // The update and DMX docks always start hidden: a stored layout must not reopen the
    // password-guarded panels.
    m_pUi->m_pVPUUpdateDock->hide();
    m_pUi->m_pFixtUpdateDock->hide();
    m_pUi->m_pDMXConfigDock->hide();
    m_pDockPlacer->HoldRestoredDocks();
    PlaceOnBestScreen();

    connect(this, &Zelvor::sigZoomAll, m_pView, &View::s_OnZoomAll);
    connect(this, &Zelvor::sigErrorMsg, this, &Zelvor::s_OnErrMsg);
    // The automatic restart takes the whole program offline before it reopens the link.
    connect(&m_VpuCom, &CVpuCom::sigSetOnline, this, &Zelvor::SetOnline);
    SetMainWndSink(this);

    ConnectMenus();
    CreateRecentActions();

    m_Scene.installEventFilter(this);
    m_pUi->m_pVPUUpdateDock->installEventFilter(this);
    if (m_bFactoryMode)
        m_pUi->m_pTestToolsDock->installEventFilter(this);
    m_pUi->m_pFixtUpdateDock->installEventFilter(this);
    m_pDockPlacer->Watch(allDocks);

    emit sigZoomAll();

    // Fixtures send their own requests through this window's link; a project read from a
    // file becomes items on this window's scene.
    CFixture::SetVpuCom(&m_VpuCom);
    g_ProjectConf.SetSceneBuilder([this](const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups,
                                         QList<CFixture *> &lOutFixtures, QList<CFixtureGroup *> &lOutGroups) {
        return BuildSceneFromProject(lFixtures, lGroups, lOutFixtures, lOutGroups);
    });
    NewProject(false);
}

Zelvor::~Zelvor()
{
    NewProject(false);
    g_ProjectConf.SetSceneBuilder(nullptr);
    // No report may reach a window that is being torn down.
    SetMainWndSink(nullptr);
    Zelvor *pSelf = this;
    g_pMainWnd.compare_exchange_strong(pSelf, nullptr);
    m_Scene.removeEventFilter(this);
    // The panels' lists point to the scene's items: they are emptied before the items go.
    ClearScene();
    DeleteContextActions();
    delete m_pUi;
    m_pUi = nullptr;
}

void Zelvor::RestoreWindow()
{
    QSettings settings;
    const QVariant geometry = settings.value(QLatin1String(kGeometryKey));
    if (geometry.isValid())
        restoreGeometry(geometry.toByteArray());
    const QVariant state = settings.value(QLatin1String(kStateKey));
    m_pDockPlacer->KeepDocksOffScreen();
    if (state.isValid())
        restoreState(state.toByteArray(), 0);
    m_pDockPlacer->SetPlacedDocks(settings.value(QLatin1String(kPlacedDocksKey)).toStringList());
    m_StoredFrame = MarginsFromVariant(settings.value(QLatin1String(kFrameKey)));
    // Qt keeps room above a restored window for a title bar it guesses at, and a window no
    // manager framed comes back that much lower: with the last run's frame known, the window
    // goes back where its frame was.
    const QRect place = settings.value(QLatin1String(kFramePlaceKey)).toRect();
    if (isFullScreen() || !m_StoredFrame || !place.isValid()) {
        FitOnScreen();
        return;
    }
    if (isMaximized()) {
        // Restored later to that place: Qt's own normal geometry may be the maximised one. The
        // window takes its geometry for its normal one as it is maximised.
        const Qt::WindowStates states = windowState();
        setWindowState(states & ~Qt::WindowMaximized);
        setGeometry(place.marginsRemoved(*m_StoredFrame));
        setWindowState(states);
        return;
    }
    resize(place.size().shrunkBy(*m_StoredFrame));
    move(place.topLeft());
    FitOnScreen();
}

QMargins Zelvor::ExpectedFrame() const
{
    // Once the manager has reported, or has had its time, the frame is the one the window has.
    if (m_bFrameKnown && windowHandle())
        return windowHandle()->frameMargins();
    return m_StoredFrame.value_or(kUnknownFrame);
}

void Zelvor::FitOnScreen()
{
    if (isMaximized() || isFullScreen())
        return;
    const QScreen *pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!pScreen)
        return;
    const QMargins margins = ExpectedFrame();
    // Before the first show a stored or a first position is the frame's: Qt places it so.
    const bool bShown = windowHandle() && windowHandle()->handle() && isVisible();
    // The layout holds the window to its minimum only once it is shown, after the docks shown
    // with it were placed beside it: the size is fitted as it will be, with the status bar's
    // size grip, which shows only with the window.
    QCoreApplication::sendPostedEvents(statusBar(), QEvent::LayoutRequest);
    QSize minimum = minimumSizeHint();
    if (const auto *pGrip = statusBar()->findChild<QSizeGrip *>(); pGrip && !pGrip->isVisible() && !bShown)
        minimum.rwidth() += pGrip->sizeHint().width() + statusBar()->layout()->spacing();
    const QSize size = this->size().expandedTo(minimum);
    const QRect frame =
        bShown ? QRect(geometry().topLeft(), size).marginsAdded(margins) : QRect(pos(), size.grownBy(margins));
    const QRect fitted = FittedFrame(frame, pScreen->availableGeometry());
    if (bShown) {
        // The manager's margins are known: the client area goes where the frame then fits.
        if (fitted != frame || size != this->size()) {
            const QRect place = fitted.marginsRemoved(margins);
            setGeometry(place);
            m_pDockPlacer->Settler()->Ask(this, place);
        }
        return;
    }
    // Not shown yet: the position given is the frame's, so that the manager puts the title bar
    // there, whichever frame it draws.
    resize(fitted.size().shrunkBy(margins));
    if (QWindow *pWindow = windowHandle())
        pWindow->setFramePosition(fitted.topLeft());
    else
        move(fitted.topLeft());
}

void Zelvor::WatchFrame()
{
    if (m_bFrameKnown)
        return;
    const QWindow *pWindow = windowHandle();
    const bool bReported = pWindow && pWindow->handle() && !pWindow->frameMargins().isNull() &&
                           X11Window::FrameAgrees(this).value_or(true);
    // With no manager on the display, no frame will come.
    const bool bUnmanaged = !bReported && isVisible() && X11Window::ManagerRuns() == false;
    if (!bReported && !bUnmanaged && m_FrameWait.isValid() && m_FrameWait.elapsed() < kFrameWaitMs)
        return;
    // Reported, or no manager frames this window: either way the frame is what it is now.
    m_bFrameKnown = true;
    m_FrameWatch.stop();
    FitOnScreen();
    m_pDockPlacer->SetFrameKnown();
}

void Zelvor::FitGrownWindow(QEvent::Type eType)
{
    bool bRefit = false;
    if (eType == QEvent::LayoutRequest) {
        // Taken while maximised too: the manager follows such a change, and the window, once
        // restored, is brought back by its size.
        bRefit = std::exchange(m_LeastSize, minimumSize()) != minimumSize();
    } else if (screen()) {
        // Only a window larger than the screen: one the operator moved partly off the screen
        // stays where it is.
        const QSize room = screen()->availableGeometry().size();
        const QRect frame = DockPlacer::Frame(this);
        bRefit = frame.width() > room.width() || frame.height() > room.height();
    }
    // Judged against where the server has the window: a stale place (the maximised one, just
    // after a restore) is not fitted.
    m_bRefitPending = m_bRefitPending || bRefit;
    if (m_bRefitPending && m_bFrameKnown && isVisible() && !isMaximized() && !isFullScreen() && !isMinimized() &&
        m_pDockPlacer->WindowSettled()) {
        m_bRefitPending = false;
        FitOnScreen();
    }
}

void Zelvor::PlaceOnBestScreen()
{
    if (!isMaximized())
        return;
    const QRect normal = normalGeometry();
    QScreen *pBest = nullptr;
    qint64 iBestArea = 0;
    for (QScreen *pScreen : QGuiApplication::screens()) {
        const QRect common = pScreen->geometry().intersected(normal);
        const qint64 iArea = static_cast<qint64>(common.width()) * common.height();
        if (iArea > iBestArea) {
            iBestArea = iArea;
            pBest = pScreen;
        }
    }
    if (pBest && pBest == QGuiApplication::primaryScreen())
        return;
    QScreen *pTarget = pBest ? pBest : QGuiApplication::primaryScreen();
    if (!pTarget)
        return;
    showNormal();
    move(pTarget->geometry().topLeft());
    showMaximized();
}

int Zelvor::ConnectMenus()
{
    const QList<QAction *> viewToggles = {m_pUi->m_pPaintBrushToolsDock->toggleViewAction(),
                                          m_pUi->m_pVideoInputDock->toggleViewAction(),
                                          m_pUi->m_pWorkspaceDock->toggleViewAction(),
                                          m_pUi->m_pListsDock->toggleViewAction(),
                                          m_pUi->m_pFixtSetDock->toggleViewAction(),
                                          m_pUi->m_pGroupSetDock->toggleViewAction(),
                                          m_pUi->m_pSASUDock->toggleViewAction(),
                                          m_pUi->m_pOutputColorDock->toggleViewAction(),
                                          m_pUi->m_pInputColorDock->toggleViewAction(),
                                          m_pUi->m_pMainToolBar->toggleViewAction()};
    QList<QAction *> toolToggles;
    if (m_bFactoryMode)
        toolToggles.append(m_pUi->m_pTestToolsDock->toggleViewAction());
    toolToggles.append(m_pUi->m_pTestDock->toggleViewAction());
    toolToggles.append(m_pUi->m_pDMXConfigDock->toggleViewAction());

    for (QAction *pAction : viewToggles)
        m_pUi->menuView->addAction(pAction);
    for (QAction *pAction : toolToggles)
        m_pUi->menuTools->addAction(pAction);
    for (QAction *pAction : viewToggles + toolToggles)
        connect(pAction, &QAction::triggered, this, &Zelvor::s_OnMenuTriggered);
    return 0;
}

void Zelvor::s_OnMenuTriggered(bool bOn)
{
    auto *pAction = qobject_cast<QAction *>(sender());
    if (!pAction)
        return;
    QWidget *pTarget = nullptr;
    if (pAction == m_pUi->m_pMainToolBar->toggleViewAction()) {
        pTarget = m_pUi->m_pMainToolBar;
    } else {
        for (QDockWidget *pDock : findChildren<QDockWidget *>()) {
            if (pDock->toggleViewAction() == pAction) {
                pTarget = pDock;
                break;
            }
        }
    }
    if (!pTarget)
        return;
    if (auto *pDock = qobject_cast<QDockWidget *>(pTarget); pDock && bOn) {
        m_pDockPlacer->ShowDock(pDock);
        return;
    }
    pTarget->setVisible(bOn);
    if (bOn)
        pTarget->raise();
}

void Zelvor::s_OnPaintBrushTools(bool bOn)
{
    if (bOn)
        m_pDockPlacer->ShowDock(m_pUi->m_pPaintBrushToolsDock);
    else
        m_pUi->m_pPaintBrushToolsDock->hide();
}

void Zelvor::ShowPasswordGuardedDock(QAction *pAction, QDockWidget *pDock)
{
    if (pAction->isChecked() && CheckFactoryPassword() == 1) {
        m_pDockPlacer->ShowDock(pDock);
        return;
    }
    pDock->hide();
    pAction->setChecked(false);
}

void Zelvor::s_OnFixtureUpdateMenu()
{
    ShowPasswordGuardedDock(m_pUi->actionFixtures_Update, m_pUi->m_pFixtUpdateDock);
}

void Zelvor::s_OnVpuUpdateMenu()
{
    ShowPasswordGuardedDock(m_pUi->actionVPU_Update, m_pUi->m_pVPUUpdateDock);
}

bool Zelvor::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    FilterSceneEvent(pWatched, pEvent);
    if (pEvent->type() == QEvent::Expose && windowHandle() && pWatched == windowHandle())
        NoteNormalPlace();
    if (pEvent->type() == QEvent::Close) {
        if (pWatched == m_pUi->m_pVPUUpdateDock)
            m_pUi->actionVPU_Update->setChecked(false);
        else if (pWatched == m_pUi->m_pFixtUpdateDock)
            m_pUi->actionFixtures_Update->setChecked(false);
        else if (pWatched == m_pUi->m_pTestToolsDock)
            m_pUi->actionTest_Tools->setChecked(false);
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

bool Zelvor::event(QEvent *pEvent)
{
    const bool bDone = QMainWindow::event(pEvent);
    // A window manager frames the window after it is shown, and reports its margins later
    // still; the window is fitted again then if its frame reaches past the screen.
    switch (pEvent->type()) {
    case QEvent::Show:
        // Mapped, the window is exposed: the server shows it then, before any move of it.
        if (windowHandle())
            windowHandle()->installEventFilter(this);
        if (!m_bFrameKnown && !m_FrameWatch.isActive()) {
            m_FrameWait.start();
            m_FrameWatch.start(kFrameWatchMs);
        }
        WatchFrame();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (isVisible())
            WatchFrame();
        if (pEvent->type() == QEvent::Resize)
            FitGrownWindow(QEvent::Resize);
        NoteNormalPlace();
        break;
    case QEvent::WindowStateChange:
        NoteNormalPlace();
        break;
    case QEvent::LayoutRequest:
        // The layout has just set the window's least size, and grown the window to it.
        FitGrownWindow(QEvent::LayoutRequest);
        break;
    default:
        break;
    }
    return bDone;
}

void Zelvor::NoteNormalPlace()
{
    const std::optional<X11Window::Shown> shown = isVisible() ? X11Window::ServerShows(this) : std::nullopt;
    if (!shown || !shown->bViewable)
        return;
    if (shown->bMaximised) {
        // A manager may size the window as large as the screen before it marks it maximised
        // (xfwm4): the place then noted is the one it keeps maximised. A place the manager leaves
        // once the window is maximised was the window's own.
        m_bNormalPlaceDoubtful = m_NormalPlace == shown->place;
        return;
    }
    if (std::exchange(m_bNormalPlaceDoubtful, false))
        m_NormalPlace = std::exchange(m_EarlierNormalPlace, std::nullopt);
    if (m_NormalPlace != shown->place)
        m_EarlierNormalPlace = std::exchange(m_NormalPlace, shown->place);
}

std::optional<QRect> Zelvor::NormalPlace() const
{
    return m_bNormalPlaceDoubtful ? m_EarlierNormalPlace : m_NormalPlace;
}

void Zelvor::closeEvent(QCloseEvent *pEvent)
{
    // Cancelled, or the save the user asked for failed: the window stays and nothing is lost.
    if (NewProject(true) != 0) {
        pEvent->ignore();
        return;
    }
    QSettings settings;
    settings.setValue(QLatin1String(kGeometryKey), saveGeometry());
    settings.setValue(QLatin1String(kStateKey), saveState(0));
    settings.setValue(QLatin1String(kPlacedDocksKey), m_pDockPlacer->PlacedDocks());
    if (const QWindow *pWindow = windowHandle(); pWindow && m_bFrameKnown) {
        const QMargins frame = pWindow->frameMargins();
        settings.setValue(QLatin1String(kFrameKey),
                          QVariantList({frame.left(), frame.top(), frame.right(), frame.bottom()}));
        // Maximised, where the server last showed it not maximised: Qt's own normal geometry may be
        // the maximised one, should the manager have sized the window before it marked it so.
        const QRect normal =
            isMaximized() || isFullScreen() ? NormalPlace().value_or(normalGeometry()) : normalGeometry();
        settings.setValue(QLatin1String(kFramePlaceKey), normal.marginsAdded(frame));
    }
    pEvent->accept();
    TracesClose();
}

int Zelvor::GetVideoSource() const
{
    return m_pVideoInput->GetVideoSource();
}

int Zelvor::CheckFactoryPassword()
{
    QString qsPassword;
    g_SoftConf.GetFactoryPassword(qsPassword);
    QString qsTyped;
    if (!Prompts::Instance().GetText(this, tr(" Restricted Function "), tr("Password:"), QLineEdit::Password, QString(),
                                     tr("Ok"), tr("Cancel"), &qsTyped)) {
        TraceInfo("Get Password Cancelled!");
        return 0;
    }
    if (qsTyped == qsPassword)
        return 1;
    ShowStatusMessage(2, tr("Invalid Password!"), 5000);
    return 0;
}

void Zelvor::SetModeText(const QString &qsText)
{
    m_ModeLE.setText(qsText);
}

void Zelvor::SetProjectText(QString qsPath)
{
    CConfig::MakeRelativePath(qsPath);
    m_ProjectLE.setText(qsPath);
}

void Zelvor::SendErrorMsg(const QString &qsMsg, int iErrorCode)
{
    emit sigErrorMsg(qsMsg, iErrorCode);
}

void Zelvor::s_OnErrMsg(QString qsMsg, int iErrorCode)
{
    ShowErrorBox(tr("Error"), qsMsg, ErrorCodeDetail(iErrorCode));
}

namespace {

void TraceBox(const QString &qsText, const QString &qsDetail)
{
    if (qsDetail.isEmpty())
        TraceError("%s", qsText.toUtf8().constData());
    else
        TraceError("%s - %s", qsText.toUtf8().constData(), qsDetail.toUtf8().constData());
}

} // namespace

void Zelvor::ShowErrorBox(const QString &qsTitle, const QString &qsText, const QString &qsDetail)
{
    TraceBox(qsText, qsDetail);
    Prompts::Instance().MessageBox(this, Prompts::BOX_CRITICAL, qsTitle, qsText, qsDetail);
}

void Zelvor::ShowWarningBox(const QString &qsTitle, const QString &qsText, const QString &qsDetail)
{
    TraceBox(qsText, qsDetail);
    Prompts::Instance().MessageBox(this, Prompts::BOX_WARNING, qsTitle, qsText, qsDetail);
}

void Zelvor::ShowWarning(const QString &qsTitle, const QString &qsText)
{
    ShowWarningBox(qsTitle, qsText, QString());
}

void Zelvor::ShowStatusMessage(int iKind, const QString &qsText, int iTimeoutMs)
{
    const QByteArray text = qsText.toUtf8();
    QColor colour;
    if (iKind == 0) {
        colour = Qt::black;
        TraceInfo("%s", text.constData());
    } else if (iKind == 1) {
        colour = Qt::darkGreen;
        TraceSuccess("%s", text.constData());
    } else {
        colour = Qt::red;
        TraceError("%s", text.constData());
    }
    QPalette palette = statusBar()->palette();
    palette.setColor(QPalette::WindowText, colour);
    statusBar()->setPalette(palette);
    statusBar()->showMessage(qsText, iTimeoutMs);
    statusBar()->repaint();
}

int Zelvor::LoadBinaryFile(const QString &qsFileName, const QString &qsExtension, qint64 iExpectedSize, qint64 *piSize,
                           char **ppcBuffer)
{
    *piSize = 0;
    if (*ppcBuffer) {
        std::free(*ppcBuffer);
        *ppcBuffer = nullptr;
    }
    const QByteArray name = qsFileName.toUtf8();
    QFile file(qsFileName);
    // The box of a GUI-thread report stays up until the user closes it: the file is closed
    // before.
    auto fail = [&](int iStatus) {
        file.close();
        ErrorMsg(tr("Failed to load file '%1'").arg(qsFileName), iStatus);
        return iStatus;
    };

    if (qsFileName.isEmpty()) {
        TraceError("File name is not valid!");
        return fail(-4);
    }
    if (!qsExtension.isEmpty()) {
        if (!qsFileName.contains(qsExtension, Qt::CaseSensitive)) {
            TraceError("File name is not valid - Doesn't contain extension '%s'", qsExtension.toUtf8().constData());
            return fail(-8);
        }
        if (qsFileName.size() <= qsExtension.size() + 1) {
            TraceError("File name is not valid!");
            return fail(-8);
        }
    }
    if (!file.exists()) {
        TraceError("'%s' file doesn't exists!", name.constData());
        return fail(-9);
    }
    if (!file.open(QIODevice::ReadOnly)) {
        TraceError("Failed to open '%s' file!", name.constData());
        return fail(-10);
    }
    *piSize = file.size();
    if (*piSize <= 0) {
        TraceError("Invalid File Size (Size lower than 0)");
        return fail(-11);
    }
    if (iExpectedSize > 0 && *piSize != iExpectedSize) {
        TraceError("Invalid file size (%lld bytes instead of %lld Bytes)", static_cast<long long>(*piSize),
                   static_cast<long long>(iExpectedSize));
        return fail(-11);
    }
    char *pcData = static_cast<char *>(std::malloc(static_cast<size_t>(*piSize)));
    if (!pcData) {
        TraceError("Failed to allocate memory to read file data!");
        return fail(-2);
    }
    if (file.read(pcData, *piSize) != *piSize) {
        std::free(pcData);
        TraceError("Failed to read data from file!");
        return fail(-12);
    }
    *ppcBuffer = pcData;
    return 0;
}
