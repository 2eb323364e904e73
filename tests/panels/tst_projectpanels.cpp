// The workspace and video input panels as a new or opened project fills them: what their
// controls show, where the border, grid, background and input area land on the scene, the
// reports of a background picture that cannot be shown, and that none of it reaches the VPU.
#include "mainwindow/zelvor.h"
#include "panels/device/videoinput.h"
#include "panels/scene/workspace.h"
#include "project/projectconf.h"
#include "support/projectsupport.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QComboBox>
#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const char *const kAddress = "127.0.0.118";

struct ProjectSettings_t
{
    WorkspaceSettings_t workspace;
    VideoInputSettings_t video;
};

ProjectSettings_t DefaultSettings()
{
    ProjectSettings_t t;
    CProjectConf::DefaultWorkspace(&t.workspace);
    CProjectConf::DefaultVideoInput(&t.video);
    return t;
}

// Default settings with a shown background picture.
ProjectSettings_t WithBackground(const QString &qsFile, quint32 uRatio, const PixelRect_t &tPlacement)
{
    ProjectSettings_t t = DefaultSettings();
    t.workspace.background.shown = true;
    t.workspace.background.file = qsFile;
    t.workspace.background.ratio = uRatio;
    t.workspace.background.placement = tPlacement;
    return t;
}

// A project file holding these settings and no fixture; 0 or the writer's code.
int WriteSettingsFile(const QString &qsPath, const ProjectSettings_t &t)
{
    CProjectConf project;
    project.SetWorkspace(t.workspace);
    const VideoInputSettings_t &v = t.video;
    project.SetVideoInput(v.source, v.rotation, v.resizeType, v.standardFormat, v.topLeftPosition, v.area);
    const int iStatus = project.Write();
    return iStatus != 0 ? iStatus : project.Save(qsPath);
}

} // namespace

class TestProjectPanels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openedProjectShownAndDrawn_data();
    void openedProjectShownAndDrawn();
    void newProjectRestoresTheDefaults();
    void gridControlsDrawTheGrid();
    void backgroundPicturePlaced();
    void backgroundThatCannotBeShown_data();
    void backgroundThatCannotBeShown();

private:
    template <typename T> T *Child(const char *pcName) const
    {
        T *p = m_pSim->Wnd()->findChild<T *>(QLatin1String(pcName));
        if (!p)
            qFatal("no widget %s", pcName);
        return p;
    }
    QString Path(const QString &qsName) const { return m_pBase->Env().FilePath(qsName); }
    // Opens a project file with these settings; no box may have been asked.
    void Open(const ProjectSettings_t &t);
    // Every request reaches the VPU in order: one request after the work under test, and
    // nothing else in the log, shows that the work sent nothing.
    void VerifyNothingSent();

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestProjectPanels::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestProjectPanels::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pBase->Traces().Clear();
    m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(kAddress));
    QVERIFY(m_pSim->Start());
    QVERIFY(m_pSim->Enumerate());
}

void TestProjectPanels::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestProjectPanels::Open(const ProjectSettings_t &t)
{
    const QString qsPath = Path(QStringLiteral("panels.prj"));
    QCOMPARE(WriteSettingsFile(qsPath, t), 0);
    QCOMPARE(m_pSim->Wnd()->LoadProject(qsPath), 0);
}

void TestProjectPanels::VerifyNothingSent()
{
    CVpuCom &com = m_pSim->Wnd()->m_VpuCom;
    // Recorded on this thread: the answer is emitted on the link's thread.
    SignalLog log(&com, &CVpuCom::sigEnumerateFixturesMsg);
    com.FixtEnumerate();
    QVERIFY(log.wait(5000));
    QCOMPARE(m_pSim->Model().Requests().size(), 1);
}

void TestProjectPanels::openedProjectShownAndDrawn_data()
{
    QTest::addColumn<quint32>("source");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<quint32>("resizeType");
    QTest::addColumn<quint32>("standard");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QRect>("area");       // as stored: the standard size replaces the file's
    QTest::addColumn<QRectF>("videoRect"); // the blue area on the scene

    // Offset (200, 100) less a half pixel, truncated; the size less one.
    QTest::newRow("custom 1000x500 on DVI 1")
        << 0u << 0 << 2u << 0u << "m_pDVI1Radio" << QRect(QPoint(200, 100), QPoint(1199, 599))
        << QRectF(199, 99, 999, 499);
    // Turned: (500 - 1) x 500 / 1000 = 249.5 wide, truncated.
    QTest::newRow("custom turned on HDMI 1") << 2u << 90 << 2u << 0u << "m_pHDMI1Radio"
                                             << QRect(QPoint(200, 100), QPoint(1199, 599)) << QRectF(199, 99, 249, 499);
    QTest::newRow("HD720 on DVI 2") << 1u << 0 << 1u << 3u << "m_pDVI2Radio"
                                    << QRect(QPoint(200, 100), QPoint(1479, 819)) << QRectF(199, 99, 1279, 719);
}

void TestProjectPanels::openedProjectShownAndDrawn()
{
    QFETCH(quint32, source);
    QFETCH(int, rotation);
    QFETCH(quint32, resizeType);
    QFETCH(quint32, standard);
    QFETCH(QString, radio);
    QFETCH(QRect, area);
    QFETCH(QRectF, videoRect);

    ProjectSettings_t t = DefaultSettings();
    t.workspace.borderShown = true;
    t.workspace.border = MakePixelRect(100, 50, 899, 549);
    t.workspace.gridShown = true;
    t.workspace.gridSpacing = 64;
    CProjectConf::MakeVideoInput(source, qint8(rotation), resizeType, standard, true,
                                 MakePixelRect(200, 100, 1199, 599), &t.video);
    Open(t);
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    Zelvor *pWnd = m_pSim->Wnd();

    QVERIFY(Child<QGroupBox>("m_pBorderGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pBorderWidthSpin")->value(), 800);
    QCOMPARE(Child<QSpinBox>("m_pBorderHeightSpin")->value(), 500);
    QCOMPARE(Child<QSpinBox>("m_pBorderPosHorSpin")->value(), 100);
    QCOMPARE(Child<QSpinBox>("m_pBorderPosVertSpin")->value(), 50);
    QVERIFY(Child<QGroupBox>("m_pGridGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pGridSpaceSpin")->value(), 64);
    QVERIFY(!Child<QGroupBox>("m_pBackGpBox")->isChecked());

    QVERIFY(Child<QRadioButton>(radio.toLatin1().constData())->isChecked());
    QCOMPARE(pWnd->GetVideoSource(), int(source));
    QCOMPARE(Child<QSpinBox>("m_pRotSpin")->value(), rotation);
    QVERIFY(Child<QGroupBox>("m_pResizeGpBox")->isChecked());
    QCOMPARE(Child<QComboBox>("m_pResizeStandCbBox")->isEnabled(), resizeType == 1);
    QCOMPARE(Child<QSpinBox>("m_pResizeCustHorSpin")->isEnabled(), resizeType == 2);
    if (resizeType == 1)
        QCOMPARE(Child<QComboBox>("m_pResizeStandCbBox")->currentIndex(), int(standard));
    QCOMPARE(Child<QSpinBox>("m_pResizeCustHorSpin")->value(), area.width());
    QCOMPARE(Child<QSpinBox>("m_pResizeCustVerSpin")->value(), area.height());
    QVERIFY(Child<QGroupBox>("m_pVideoPosGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pVideoPosHorSpin")->value(), 200);
    QCOMPARE(Child<QSpinBox>("m_pVideoPosVertSpin")->value(), 100);

    // The project holds what the panel shows.
    VideoInputSettings_t tKept;
    g_ProjectConf.GetVideoInput(&tKept);
    QCOMPARE(QRect(QPoint(tKept.area.x1, tKept.area.y1), QPoint(tKept.area.x2, tKept.area.y2)), area);
    QCOMPARE(tKept.resizeType, resizeType);

    // The border's outline runs through the centres of its edge pixels.
    QVERIFY(pWnd->BorderItem());
    QCOMPARE(pWnd->BorderItem()->rect(), QRectF(99.5, 49.5, 800, 500));
    // The frame, 9 bands across (y = -0.5 + 128 k up to 1023.5) and 16 down (x up to 1919.5).
    const QList<QGraphicsRectItem *> &grid = pWnd->GridItems();
    QCOMPARE(grid.size(), 26);
    QCOMPARE(grid.at(0)->rect(), QRectF(-0.5, -0.5, 1920, 1080));
    QCOMPARE(grid.at(1)->rect(), QRectF(-0.5, -0.5, 1920, 64));
    QCOMPARE(grid.at(2)->rect(), QRectF(-0.5, 127.5, 1920, 64));
    QVERIFY(pWnd->VideoAreaItem());
    QCOMPARE(pWnd->VideoAreaItem()->rect(), videoRect);
    QVERIFY(!pWnd->BackgroundItem());

    VerifyNothingSent();
}

void TestProjectPanels::newProjectRestoresTheDefaults()
{
    ProjectSettings_t t = DefaultSettings();
    t.workspace.borderShown = true;
    t.workspace.border = MakePixelRect(10, 10, 109, 109);
    t.workspace.gridShown = true;
    t.workspace.gridSpacing = 300;
    CProjectConf::MakeVideoInput(0, -90, 2, 0, true, MakePixelRect(40, 30, 839, 629), &t.video);
    Open(t);
    QVERIFY(!m_pSim->Wnd()->GridItems().isEmpty());

    QCOMPARE(m_pSim->Wnd()->NewProject(false), 0);
    Zelvor *pWnd = m_pSim->Wnd();
    QVERIFY(!Child<QGroupBox>("m_pBorderGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pBorderWidthSpin")->value(), 1920);
    QCOMPARE(Child<QSpinBox>("m_pBorderPosHorSpin")->value(), 0);
    QVERIFY(!Child<QGroupBox>("m_pGridGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pGridSpaceSpin")->value(), 128);
    QVERIFY(Child<QRadioButton>("m_pHDMI2Radio")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pRotSpin")->value(), 0);
    QVERIFY(!Child<QGroupBox>("m_pResizeGpBox")->isChecked());
    QVERIFY(!Child<QGroupBox>("m_pVideoPosGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pVideoPosHorSpin")->value(), 0);

    QVERIFY(!pWnd->BorderItem());
    QVERIFY(pWnd->GridItems().isEmpty());
    QCOMPARE(pWnd->VideoAreaItem()->rect(), QRectF(0, 0, 1919, 1079));
    WorkspaceSettings_t tDrawn;
    pWnd->GetWorkspace(&tDrawn);
    QCOMPARE(tDrawn.gridShown, false);
    QCOMPARE(tDrawn.borderShown, false);
    VerifyNothingSent();
}

void TestProjectPanels::gridControlsDrawTheGrid()
{
    ProjectSettings_t t = DefaultSettings();
    t.workspace.gridShown = true;
    t.workspace.gridSpacing = 600; // the frame, one band across, two upright
    Open(t);
    Zelvor *pWnd = m_pSim->Wnd();
    QCOMPARE(pWnd->GridItems().size(), 4);

    // The controls stay live after a project has set them.
    Child<QSpinBox>("m_pGridSpaceSpin")->setValue(1000); // the frame, one band of each kind
    QCOMPARE(pWnd->GridItems().size(), 3);
    QCOMPARE(pWnd->GridItems().at(1)->rect(), QRectF(-0.5, -0.5, 1920, 1000));
    Child<QGroupBox>("m_pGridGpBox")->setChecked(false);
    QVERIFY(pWnd->GridItems().isEmpty());
    WorkspaceSettings_t tDrawn;
    pWnd->GetWorkspace(&tDrawn);
    QCOMPARE(tDrawn.gridShown, false);
    QCOMPARE(tDrawn.gridSpacing, 1000u);
}

void TestProjectPanels::backgroundPicturePlaced()
{
    const QString qsImage = Path(QStringLiteral("back.png"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::green);
    QVERIFY(image.save(qsImage));
    Open(WithBackground(qsImage, BACKGROUND_RATIO_KEEP, MakePixelRect(300, 200, 339, 229)));
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());

    Zelvor *pWnd = m_pSim->Wnd();
    QVERIFY(pWnd->BackgroundItem());
    QCOMPARE(pWnd->BackgroundItem()->offset(), QPointF(299.5, 199.5));
    QCOMPARE(pWnd->BackgroundItem()->pixmap().size(), QSize(40, 30));
    QVERIFY(Child<QGroupBox>("m_pBackGpBox")->isChecked());
    QCOMPARE(Child<QLineEdit>("m_pImgFileLE")->text(), qsImage);
    QCOMPARE(Child<QSpinBox>("m_pImgOrigSizeWidthSpin")->value(), 40);
    QCOMPARE(Child<QSpinBox>("m_pImgOrigSizeHeightSpin")->value(), 30);
    QCOMPARE(Child<QSpinBox>("m_pImgPosHorSpin")->value(), 300);
    QCOMPARE(Child<QSpinBox>("m_pImgPosVertSpin")->value(), 200);
    QVERIFY(Child<QRadioButton>("m_pImgOrigSizeRadio")->isChecked());
    QVERIFY(Child<QGroupBox>("m_pImgPosGpBox")->isEnabled());
    WorkspaceSettings_t tDrawn;
    pWnd->GetWorkspace(&tDrawn);
    QCOMPARE(tDrawn.background.imageWidth, 40);
    QCOMPARE(tDrawn.background.imageHeight, 30);
    VerifyNothingSent();
}

void TestProjectPanels::backgroundThatCannotBeShown_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");    // %1: the file name

    QTest::newRow("missing") << QByteArray() << "Invalid background file '%1'!";
    QTest::newRow("not a picture") << QByteArray("no picture here")
                                   << "Background image '%1' file format is not valid!";
}

void TestProjectPanels::backgroundThatCannotBeShown()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString qsImage = Path(QStringLiteral("Data/back.png"));
    QFile::remove(qsImage);
    if (!content.isEmpty())
        QVERIFY(WriteTestFile(qsImage, content));
    Open(WithBackground(qsImage, BACKGROUND_RATIO_RESIZE, MakePixelRect(0, 0, 959, 539)));

    // One report.
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList{message.arg(qsImage)});
    Zelvor *pWnd = m_pSim->Wnd();
    QVERIFY(pWnd->BackgroundItem() == nullptr || pWnd->BackgroundItem()->pixmap().isNull());
    QVERIFY(Child<QGroupBox>("m_pBackGpBox")->isChecked());
    QCOMPARE(Child<QLineEdit>("m_pImgFileLE")->text(), qsImage);
    QCOMPARE(Child<QSpinBox>("m_pImgOrigSizeWidthSpin")->value(), 0);

    // The picture that cannot be shown today stays in the project: a save keeps it.
    const QString qsSaved = Path(QStringLiteral("saved.prj"));
    QCOMPARE(pWnd->SaveProject(qsSaved), 0);
    CProjectConf saved;
    QCOMPARE(saved.Open(qsSaved), 0);
    QCOMPARE(saved.Parse(), 0);
    WorkspaceSettings_t tSaved;
    saved.GetWorkspace(&tSaved);
    QCOMPARE(tSaved.background.shown, true);
    QCOMPARE(tSaved.background.file, qsImage);
    QCOMPARE(tSaved.background.ratio, quint32(BACKGROUND_RATIO_RESIZE));
    QCOMPARE(tSaved.background.placement.x2, 959);
    VerifyNothingSent();
}

QTEST_MAIN(TestProjectPanels)
#include "tst_projectpanels.moc"
