// The workspace panel as the operator uses it on a window linked to a simulated VPU: the
// snapshot read from the VPU's frame memory and the file it leaves, the border's limits, the
// background picture's placement and files, and a grid without spacing.
#include "mainwindow/zelvor.h"
#include "panels/scene/workspace.h"
#include "paneltest.h"
#include "project/projectconf.h"
#include "support/projectsupport.h"
#include "support/testenv.h"
#include "support/zelvorsim.h"

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <memory>

namespace {

const char *const kAddress = "127.0.17.1";

// Reads a BMP with nothing but its byte layout and compares its pixels, turned back into top-down
// RGB rows, with the raw bytes: prints "width height bits same".
const char *const kBmpCheck = R"(
import struct, sys
d = open(sys.argv[1], 'rb').read(); raw = open(sys.argv[2], 'rb').read()
off, = struct.unpack_from('<I', d, 10)
w, h, planes, bits = struct.unpack_from('<iiHH', d, 18)
stride = (w * bits // 8 + 3) & ~3
rows = [d[off + r * stride:off + r * stride + w * 3] for r in range(abs(h))]
if h > 0: rows.reverse()
p = b''.join(rows)
print(w, abs(h), bits, p[0::3] == raw[2::3] and p[1::3] == raw[1::3] and p[2::3] == raw[0::3])
)";

QString Rect(const PixelRect_t &r)
{
    return QStringLiteral("%1,%2-%3,%4").arg(r.x1).arg(r.y1).arg(r.x2).arg(r.y2);
}

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void snapshot_data();
    void snapshot();
    void borderLimits();
    void keepOriginalPlacement();
    void pictureFileRefused_data();
    void pictureFileRefused();
    void gridWithoutSpacing();

private:
    template <typename T> T *Child(const char *pcName) const
    {
        T *p = m_pSim->Wnd()->m_pWorkspace->findChild<T *>(QLatin1String(pcName));
        if (!p)
            qFatal("no widget %s", pcName);
        return p;
    }
    WorkspaceSettings_t Drawn() const
    {
        WorkspaceSettings_t t;
        m_pSim->Wnd()->GetWorkspace(&t);
        return t;
    }
    void Open(const WorkspaceSettings_t &t);

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestWorkspace::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestWorkspace::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(kAddress));
    QVERIFY(m_pSim->Start());
    QVERIFY(m_pSim->Enumerate());
    m_pSim->Wnd()->m_pWorkspace->SetOnline(true);
}

void TestWorkspace::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestWorkspace::Open(const WorkspaceSettings_t &t)
{
    CProjectConf project;
    project.SetWorkspace(t);
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("ws.prj"));
    QCOMPARE(project.Write(), 0);
    QCOMPARE(project.Save(qsPath), 0);
    QCOMPARE(m_pSim->Wnd()->LoadProject(qsPath), 0);
}

void TestWorkspace::snapshot_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status"); // injected VPU status
    QTest::addColumn<QString>("box");
    QTest::newRow("saved") << "snap.bmp" << 0 << QString();
    QTest::newRow("refused") << "snap.bmp" << -3
                             << "VPU Snapshot Failed - Failed to read pixel data from sdram! | (Error Code = -3) - ";
    QTest::newRow("not saved") << "no/such/dir/snap.bmp" << 0
                               << "VPU Snapshot Failed - Failed to save VPU Snaphot image in 'no/such/dir/snap.bmp'";
}

void TestWorkspace::snapshot()
{
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, box);
    QFile::remove(file);
    QByteArray baPixels(1920 * 1080 * 3, Qt::Uninitialized);
    for (int i = 0; i < baPixels.size(); ++i)
        baPixels[i] = char(i * 7 + i / 5001);
    m_pSim->Model().SetSdram(0, 240, 1920, 1080, baPixels);
    if (status != 0)
        m_pSim->Model().SetFault(29, VpuSimFault{status});
    const WorkspaceSettings_t before = Drawn();
    m_pPrompts->AnswerSaveFile(file);

    QTest::mouseClick(Child<QPushButton>("m_pVpuUploadSnapBtn"), Qt::LeftButton);
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{"1d 08 00 00 00 00 00 f0 00 80 07 38 04"});
    const QStringList boxes = Boxes(*m_pPrompts);
    if (!box.isEmpty()) {
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().startsWith(box), qPrintable(boxes.first()));
        // Nothing of the background changed and no picture was left behind.
        QCOMPARE(Drawn().background.file, before.background.file);
        QCOMPARE(Rect(Drawn().background.placement), Rect(before.background.placement));
        QVERIFY(!QFile::exists(file));
        return;
    }
    QCOMPARE(boxes, QStringList());
    // The simulator's frame memory as the rectangle reads it (its lines past the memory are 0).
    baPixels = m_pSim->Model().Sdram(0, 240, 1920, 1080);
    QVERIFY(WriteTestFile(QStringLiteral("raw.rgb"), baPixels));
    QCOMPARE(ToolOutput(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h"), file}),
             QStringLiteral("BMP3 1920 1080"));
    QCOMPARE(ToolOutput(QStringLiteral("python3"),
                        {QStringLiteral("-c"), QLatin1String(kBmpCheck), file, QStringLiteral("raw.rgb")}),
             QStringLiteral("1920 1080 24 True"));
    // The snapshot is now the background, drawn once "Background" is checked.
    QCOMPARE(Drawn().background.file, file);
    QCOMPARE(Rect(Drawn().background.placement), QStringLiteral("0,0-1919,1079"));
    QTest::keyClick(Child<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    QGraphicsPixmapItem *pItem = m_pSim->Wnd()->BackgroundItem();
    QVERIFY(pItem);
    const QImage shown = pItem->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(1920, 1080));
    const int iAt = (839 * 1920 + 1917) * 3;
    QCOMPARE(shown.pixelColor(1917, 839),
             QColor(quint8(baPixels[iAt]), quint8(baPixels[iAt + 1]), quint8(baPixels[iAt + 2])));
    // A buffer of the wrong size makes no picture.
    QVERIFY(SnapshotImage(SdramRect_t{0, 240, 1920, 1080}, baPixels.left(baPixels.size() - 3)).isNull());
}

void TestWorkspace::borderLimits()
{
    QTest::keyClick(Child<QGroupBox>("m_pBorderGpBox"), Qt::Key_Space);
    auto *pWidth = Child<QSpinBox>("m_pBorderWidthSpin");
    auto *pLeft = Child<QSpinBox>("m_pBorderPosHorSpin");
    TypeInto(pWidth, QStringLiteral("200"));
    QCOMPARE(pLeft->maximum(), 1720);
    TypeInto(pLeft, QStringLiteral("1720"));
    QCOMPARE(Rect(Drawn().border), QStringLiteral("1720,0-1919,1079"));
    QCOMPARE(pWidth->maximum(), 200);
    TypeInto(pLeft, QStringLiteral("100"));
    QCOMPARE(pWidth->maximum(), 1820);
    TypeInto(pWidth, QStringLiteral("1820"));
    QCOMPARE(Rect(Drawn().border), QStringLiteral("100,0-1919,1079"));
    QVERIFY(Drawn().borderShown);
    QCOMPARE(m_pSim->Wnd()->BorderItem()->rect(), QRectF(99.5, -0.5, 1820, 1080));
}

void TestWorkspace::keepOriginalPlacement()
{
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(QStringLiteral("pic.png")));
    WorkspaceSettings_t t;
    CProjectConf::DefaultWorkspace(&t);
    t.background = BackgroundSettings_t{false, QStringLiteral("pic.png"), 0,
                                        0,     BACKGROUND_RATIO_RESIZE,   MakePixelRect(1500, 700, 1599, 799)};
    Open(t);
    // Hidden at load, the picture's size is known all the same when it is shown.
    QTest::keyClick(Child<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    QTest::mouseClick(Child<QRadioButton>("m_pImgOrigSizeRadio"), Qt::LeftButton);
    QCOMPARE(Rect(Drawn().background.placement), QStringLiteral("1120,480-1919,1079"));
    QCOMPARE(m_pSim->Wnd()->BackgroundItem()->offset(), QPointF(1119.5, 479.5));
    QCOMPARE(Child<QSpinBox>("m_pImgPosHorSpin")->value(), 1120);

    // What is drawn is what the project saves and opens again.
    QCOMPARE(m_pSim->Wnd()->SaveProject(QStringLiteral("keep.prj")), 0);
    QCOMPARE(m_pSim->Wnd()->LoadProject(QStringLiteral("keep.prj")), 0);
    QCOMPARE(Rect(Drawn().background.placement), QStringLiteral("1120,480-1919,1079"));
    QCOMPARE(m_pSim->Wnd()->BackgroundItem()->offset(), QPointF(1119.5, 479.5));
    QCOMPARE(Boxes(*m_pPrompts), QStringList());
}

void TestWorkspace::pictureFileRefused_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("box");
    QTest::newRow("missing")
        << QByteArray() << "Background image file 'pic.png' is not valid! | (Error Code = -9) - File does not exist!";
    QTest::newRow("no picture") << QByteArray("not a picture")
                                << "Background image file 'pic.png' is not valid! | (Error Code = -10) - File open "
                                   "failed!";
}

void TestWorkspace::pictureFileRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, box);
    QFile::remove(QStringLiteral("pic.png"));
    if (!content.isEmpty())
        QVERIFY(WriteTestFile(QStringLiteral("pic.png"), content));
    QTest::keyClick(Child<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    const WorkspaceSettings_t before = Drawn();
    TypeInto(Child<QLineEdit>("m_pImgFileLE"), QStringLiteral("pic.png"));
    QCOMPARE(Boxes(*m_pPrompts), QStringList{box});
    QCOMPARE(Drawn().background.file, before.background.file);
    QVERIFY(!Child<QGroupBox>("m_pImgPosGpBox")->isEnabled());
}

void TestWorkspace::gridWithoutSpacing()
{
    WorkspaceSettings_t t;
    CProjectConf::DefaultWorkspace(&t);
    t.gridShown = true;
    t.gridSpacing = 0;
    Open(t);
    QCOMPARE(Child<QSpinBox>("m_pGridSpaceSpin")->value(), 0);
    QCOMPARE(m_pSim->Wnd()->GridItems().size(), 1); // the frame
    QCOMPARE(m_pSim->Wnd()->SaveProject(QStringLiteral("grid.prj")), 0);
    QCOMPARE(
        ToolOutput(QStringLiteral("xmllint"),
                   {QStringLiteral("--xpath"), QStringLiteral("string(//grid/@spacing)"), QStringLiteral("grid.prj")}),
        QStringLiteral("0"));
    // Typed, 0 draws the frame alone as well.
    auto *pSpin = Child<QSpinBox>("m_pGridSpaceSpin");
    TypeInto(pSpin, QStringLiteral("64"));
    QVERIFY(m_pSim->Wnd()->GridItems().size() > 1);
    TypeInto(pSpin, QStringLiteral("0"));
    QCOMPARE(m_pSim->Wnd()->GridItems().size(), 1);
}

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
