// The workspace panel on a window linked to a simulated VPU: the snapshot read from the frame
// memory and the file it leaves, the border's limits, the background picture's placement and
// files, and a grid without spacing.
#include "panels/scene/workspace.h"
#include "project/projectconf.h"
#include "support/panelinput.h"

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

// Reads a BMP by its byte layout alone and compares its pixels, turned back into top-down RGB
// rows, with the raw bytes: prints "width height bits same".
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
    void init() { QVERIFY(m_Ui.Start(QStringLiteral("127.0.17.1"), false)); }
    void cleanup() { m_Ui.Stop(); }

    void snapshot_data();
    void snapshot();
    void borderLimits();
    void keepOriginalPlacement();
    void pictureFileRefused_data();
    void pictureFileRefused();
    void gridWithoutSpacing();

private:
    template <typename T> T *W(const char *pcName) const { return Wnd()->m_pWorkspace->findChild<T *>(pcName); }
    Zelvor *Wnd() const { return m_Ui.Wnd(); }
    QStringList Boxes() const { return m_Ui.Boxes(); }
    BackgroundSettings_t Background() const
    {
        WorkspaceSettings_t t;
        Wnd()->GetWorkspace(&t);
        return t.background;
    }

    OnlinePanels m_Ui;
};

void TestWorkspace::snapshot_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status"); // injected VPU status
    QTest::addColumn<QString>("box");
    QTest::newRow("saved") << "snap.bmp" << 0 << QString();
    QTest::newRow("refused") << "snap.bmp" << -3
                             << "VPU Snapshot Failed - Failed to read pixel data from sdram! | (Error Code = -3) - ";
    QTest::newRow("not saved") << "no/dir/snap.bmp" << 0
                               << "VPU Snapshot Failed - Failed to save VPU Snaphot image in 'no/dir/snap.bmp' | ";
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
    m_Ui.Sim().Model().SetSdram(0, 240, 1920, 1080, baPixels);
    m_Ui.Sim().Model().SetFault(29, VpuSimFault{status});
    const BackgroundSettings_t before = Background();
    Wnd()->m_pWorkspace->SetOnline(true);
    m_Ui.Prompts().AnswerSaveFile(file);

    QVERIFY(m_Ui.Click(W<QPushButton>("m_pVpuUploadSnapBtn")));
    QCOMPARE(HexList(m_Ui.Sim().Model().Messages()), QStringList{"1d 08 00 00 00 00 00 f0 00 80 07 38 04"});
    if (!box.isEmpty()) {
        QCOMPARE(Boxes().size(), 1);
        QVERIFY2(Boxes().first().startsWith(box), qPrintable(Boxes().first()));
        // Showing the background hands over all the panel holds: still the old settings.
        QTest::keyClick(W<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
        QCOMPARE(Background().file, before.file);
        QCOMPARE(Rect(Background().placement), Rect(before.placement));
        QVERIFY(!QFile::exists(file));
        return;
    }
    QCOMPARE(Boxes(), QStringList());
    // The frame memory as the rectangle reads it (lines past the simulator's memory read 0).
    baPixels = m_Ui.Sim().Model().Sdram(0, 240, 1920, 1080);
    QVERIFY(WriteTestFile(QStringLiteral("raw.rgb"), baPixels));
    QCOMPARE(ToolOutput("identify", {"-format", "%m %w %h", file}), QStringLiteral("BMP3 1920 1080"));
    QCOMPARE(ToolOutput("python3", {"-c", kBmpCheck, file, "raw.rgb"}), QStringLiteral("1920 1080 24 True"));
    // The snapshot is now the background, drawn once "Background" is checked.
    QCOMPARE(Background().file, file);
    QCOMPARE(Rect(Background().placement), QStringLiteral("0,0-1919,1079"));
    QTest::keyClick(W<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    QVERIFY(Wnd()->BackgroundItem());
    const QImage shown = Wnd()->BackgroundItem()->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(1920, 1080));
    const int iAt = (839 * 1920 + 1917) * 3;
    QCOMPARE(shown.pixelColor(1917, 839),
             QColor(quint8(baPixels[iAt]), quint8(baPixels[iAt + 1]), quint8(baPixels[iAt + 2])));
    QVERIFY(SnapshotImage(SdramRect_t{0, 240, 1920, 1080}, baPixels.left(baPixels.size() - 3)).isNull());
}

void TestWorkspace::borderLimits()
{
    QTest::keyClick(W<QGroupBox>("m_pBorderGpBox"), Qt::Key_Space);
    TypeInto(W<QSpinBox>("m_pBorderWidthSpin"), "200");
    TypeInto(W<QSpinBox>("m_pBorderPosHorSpin"), "100");
    QCOMPARE(W<QSpinBox>("m_pBorderWidthSpin")->maximum(), 1820);
    QCOMPARE(W<QSpinBox>("m_pBorderPosHorSpin")->maximum(), 1720);
    QCOMPARE(Wnd()->BorderItem()->rect(), QRectF(99.5, -0.5, 200, 1080));
}

void TestWorkspace::keepOriginalPlacement()
{
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(QStringLiteral("pic.png")));
    CProjectConf project;
    WorkspaceSettings_t t;
    CProjectConf::DefaultWorkspace(&t);
    t.background = {false, QStringLiteral("pic.png"), 0,
                    0,     BACKGROUND_RATIO_RESIZE,   MakePixelRect(1500, 700, 1599, 799)};
    t.borderShown = t.gridShown = true;
    t.border = MakePixelRect(100, 50, 899, 549);
    t.gridSpacing = 64;
    project.SetWorkspace(t);
    QCOMPARE(project.Write(), 0);
    QCOMPARE(project.Save(QStringLiteral("ws.prj")), 0);
    QCOMPARE(Wnd()->LoadProject(QStringLiteral("ws.prj")), 0);
    const auto shown = [this] {
        return QList<int>{W<QGroupBox>("m_pBorderGpBox")->isChecked(), W<QSpinBox>("m_pBorderWidthSpin")->value(),
                          W<QSpinBox>("m_pBorderPosVertSpin")->value(), W<QGroupBox>("m_pGridGpBox")->isChecked(),
                          W<QSpinBox>("m_pGridSpaceSpin")->value()};
    };
    QCOMPARE(shown(), QList<int>({1, 800, 50, 1, 64}));
    // Hidden at load, the picture's size is known all the same when it is shown.
    QTest::keyClick(W<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    QTest::mouseClick(W<QRadioButton>("m_pImgOrigSizeRadio"), Qt::LeftButton);
    QCOMPARE(Rect(Background().placement), QStringLiteral("1120,480-1919,1079"));
    QCOMPARE(Wnd()->BackgroundItem()->offset(), QPointF(1119.5, 479.5));
    // What is drawn is what the project saves and opens again.
    QCOMPARE(Wnd()->SaveProject(QStringLiteral("keep.prj")), 0);
    QCOMPARE(Wnd()->LoadProject(QStringLiteral("keep.prj")), 0);
    QCOMPARE(Wnd()->BackgroundItem()->offset(), QPointF(1119.5, 479.5));
    QCOMPARE(W<QSpinBox>("m_pImgPosHorSpin")->value(), 1120);
    QCOMPARE(Boxes(), QStringList());
    QCOMPARE(Wnd()->NewProject(false), 0);
    QCOMPARE(shown(), QList<int>({0, 1920, 0, 0, 128}));
}

void TestWorkspace::pictureFileRefused_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("box");
    QTest::newRow("missing") << QByteArray() << "(Error Code = -9) - File does not exist!";
    QTest::newRow("no picture") << QByteArray("not a picture") << "(Error Code = -10) - File open failed!";
}

void TestWorkspace::pictureFileRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, box);
    QFile::remove(QStringLiteral("pic.png"));
    if (!content.isEmpty())
        QVERIFY(WriteTestFile(QStringLiteral("pic.png"), content));
    QTest::keyClick(W<QGroupBox>("m_pBackGpBox"), Qt::Key_Space);
    TypeInto(W<QLineEdit>("m_pImgFileLE"), "pic.png");
    QCOMPARE(Boxes(), QStringList{"Background image file 'pic.png' is not valid! | " + box});
    QCOMPARE(Background().file, QString());
}

void TestWorkspace::gridWithoutSpacing()
{
    QTest::keyClick(W<QGroupBox>("m_pGridGpBox"), Qt::Key_Space);
    TypeInto(W<QSpinBox>("m_pGridSpaceSpin"), "0");
    QCOMPARE(Wnd()->GridItems().size(), 1); // the frame
    QCOMPARE(Wnd()->SaveProject(QStringLiteral("grid.prj")), 0);
    QCOMPARE(ToolOutput("xmllint", {"--xpath", "string(//grid/@spacing)", "grid.prj"}), QStringLiteral("0"));
    QCOMPARE(Wnd()->LoadProject(QStringLiteral("grid.prj")), 0);
    QCOMPARE(W<QSpinBox>("m_pGridSpaceSpin")->value(), 0);
    QCOMPARE(Wnd()->GridItems().size(), 1);
}

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
