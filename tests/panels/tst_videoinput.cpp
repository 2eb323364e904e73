// The video input panel as the operator drives it against the simulated VPU: Apply's two
// requests and the window the format reply leaves, typed sizes and turns, the presets in the
// VPU's slots, and that filling the three panels from a project, an upload or a preset sends
// nothing and leaves every control showing what the project holds.
#include "config/texttables.h"
#include "mainwindow/zelvor.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/videoinput.h"
#include "project/projectconf.h"
#include "support/panelinput.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace {

// The VPU's preset record of the project's three blocks.
QByteArray KeptPreset()
{
    VideoPreset_t t;
    g_ProjectConf.GetVideoInputPacked(&t.VideoSettings);
    g_ProjectConf.GetInputCorr(&t.InputCorr);
    g_ProjectConf.GetOutputCorr(&t.OutputCorr);
    return Hex(QByteArray(reinterpret_cast<const char *>(&t), sizeof(t)));
}

const QString kOtherPreset =
    QStringLiteral("1, 1, -90, 0, 8, 1024, 768, 1, 64, 70, 80, 90, 100, 110, 120, 3, 9600, 256, 0, 512");

QByteArray PyPreset(const QString &qsFields)
{
    return PyBytes(QStringLiteral("struct.pack('<BBbHHHH5BHHHBHHHH', %1)").arg(qsFields));
}

} // namespace

class TestVideoInput : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_Ui.Start(QStringLiteral("127.0.0.181"))); }
    void cleanup() { m_Ui.Stop(); }
    void applySendsSettingsThenFormat_data();
    void applySendsSettingsThenFormat();
    void fillsSendNothing_data();
    void fillsSendNothing();

private:
    template <typename T> T *Child(const char *pcName) const { return m_Ui.Child<T>(QLatin1String(pcName)); }
    // Both panels of the dock row have an Apply and a Default button: this panel's.
    bool Click(const char *pcButton) const
    {
        return m_Ui.Click(m_Ui.Child<QPushButton>(QLatin1String(pcButton), m_Ui.Wnd()->m_pVideoInput));
    }
    void VerifyControlsShowProject() const;

    OnlinePanels m_Ui;
};

void TestVideoInput::applySendsSettingsThenFormat_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("rotation"); // typed, empty: left
    QTest::addColumn<int>("resize");       // standard: combo steps down; 100 and up: custom width typed; -1: none
    QTest::addColumn<QPoint>("position");  // (-1, -1): position group left off
    QTest::addColumn<QString>("format");   // the VPU's reply record
    QTest::addColumn<int>("formatStatus");
    QTest::addColumn<QString>("settings"); // what Apply must send
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("area");

    const QString f = QStringLiteral("struct.pack('<HHBBBBBB22x', %1)");
    const QString s = QStringLiteral("struct.pack('<BBbHHHH', %1)");
    QTest::newRow("HD720 turned, placed, on DVI 2")
        << "m_pDVI2Radio"
        << "46" << 3 << QPoint(100, 50) << f.arg("1920, 1080, 1, 0, 1, 0, 0, 0") << 0
        << s.arg("1, 1, 90, 100, 50, 1280, 720") << "1920x1080 - Progressive" << QRect(100, 50, 1280, 720);
    QTest::newRow("unscaled takes the locked input's size")
        << "m_pHDMI1Radio"
        << "" << -1 << QPoint(-1, -1) << f.arg("1280, 720, 1, 1, 1, 0, 0, 1") << 0 << s.arg("2, 0, 0, 0, 0, 1920, 1080")
        << "1280x720 - Interlaced - Encrypted" << QRect(0, 0, 1280, 720);
    QTest::newRow("unscaled unlocked keeps one pixel")
        << "m_pDVI1Radio"
        << "-46" << -1 << QPoint(8, 4) << f.arg("1920, 1080, 0, 0, 0, 0, 0, 0") << 0
        << s.arg("0, 0, -90, 8, 4, 1920, 1080") << "Not Locked" << QRect(8, 4, 1, 1);
    // Rounded down to 8 pixels and not clamped to the output: x2 = 1999.
    QTest::newRow("custom 1001 wide at 1000")
        << "m_pHDMI1Radio"
        << "" << 1001 << QPoint(1000, 0) << f.arg("1920, 1080, 1, 0, 1, 0, 0, 0") << 0
        << s.arg("2, 1, 0, 1000, 0, 1000, 1080") << "1920x1080 - Progressive" << QRect(1000, 0, 1000, 1080);
    // Each standard is sent at its own size, UXGA's 1200 lines included.
    const QSize standards[] = {{1920, 1080}, {1600, 1200}, {1280, 1024}, {1280, 720}, {1024, 768}};
    for (int i = 0; i < 5; ++i) {
        const QSize size = standards[i];
        QTest::addRow("standard %dx%d", size.width(), size.height())
            << "m_pHDMI2Radio"
            << "" << i << QPoint(-1, -1) << f.arg("1920, 1080, 1, 0, 1, 0, 0, 0") << 0
            << s.arg(QStringLiteral("3, 1, 0, 0, 0, %1, %2").arg(size.width()).arg(size.height()))
            << "1920x1080 - Progressive" << QRect(QPoint(0, 0), size);
    }
    QTest::newRow("refused format read") << "m_pHDMI2Radio"
                                         << "" << -1 << QPoint(-1, -1) << f.arg("1280, 720, 1, 0, 1, 0, 0, 0") << -5
                                         << s.arg("3, 0, 0, 0, 0, 1920, 1080") << "" << QRect(0, 0, 1920, 1080);
}

void TestVideoInput::applySendsSettingsThenFormat()
{
    QFETCH(QString, radio);
    QFETCH(QString, rotation);
    QFETCH(int, resize);
    QFETCH(QPoint, position);
    QFETCH(QString, format);
    QFETCH(int, formatStatus);
    QFETCH(QRect, area);

    QTest::mouseClick(m_Ui.Child<QRadioButton>(radio), Qt::LeftButton);
    if (!rotation.isEmpty())
        TypeInto(Child<QSpinBox>("m_pRotSpin"), rotation);
    if (resize >= 0)
        QTest::keyClick(Child<QGroupBox>("m_pResizeGpBox"), Qt::Key_Space);
    for (int i = 0; i < resize && resize < 100; ++i)
        QTest::keyClick(Child<QComboBox>("m_pResizeStandCbBox"), Qt::Key_Down);
    if (resize >= 100) {
        QTest::mouseClick(Child<QRadioButton>("m_pResizeCustRadio"), Qt::LeftButton);
        TypeInto(Child<QSpinBox>("m_pResizeCustHorSpin"), QString::number(resize), false);
        QCOMPARE(Child<QSpinBox>("m_pResizeCustHorSpin")->text(), QString::number(resize)); // not rewritten while typed
        QTest::keyClick(Child<QSpinBox>("m_pResizeCustHorSpin"), Qt::Key_Return);
    }
    if (position.x() >= 0) {
        QTest::keyClick(Child<QGroupBox>("m_pVideoPosGpBox"), Qt::Key_Space);
        TypeInto(Child<QSpinBox>("m_pVideoPosHorSpin"), QString::number(position.x()));
        TypeInto(Child<QSpinBox>("m_pVideoPosVertSpin"), QString::number(position.y()));
    }
    ZelvorOnSim &sim = m_Ui.Sim();
    const quint8 ucSource = quint8(m_Ui.Wnd()->GetVideoSource());
    sim.Device().SetVideoInFormat(ucSource, PyBytes(format));
    VpuSimFault tFault;
    tFault.iStatus = formatStatus;
    tFault.iDelayMs = 300;
    sim.Model().SetFault(11, tFault);
    sim.Model().ClearLog();

    QTest::mouseClick(m_Ui.Child<QPushButton>(QStringLiteral("m_pApplyBtn"), m_Ui.Wnd()->m_pVideoInput),
                      Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&sim] { return sim.Model().Requests().size() >= 2; }, 5000));
    QVERIFY(!m_Ui.Wnd()->isEnabled()); // the settings were answered, the format is not yet
    QVERIFY(sim.WaitEnabled());
    QFETCH(QString, settings);
    // A refused read restarts the link afterwards.
    QCOMPARE(HexList(sim.Model().Messages().mid(0, 2)),
             HexList({Request(10, PyBytes(settings)), Request(11, QByteArray(1, char(ucSource)))}));
    QTEST(Child<QLineEdit>("m_pVideoInputFormatLE")->text(), "text");

    // Only the reply to Apply's own request resizes, a refused one included: a later read of
    // another size leaves the window as it is.
    sim.Model().ClearFaults();
    sim.Device().SetVideoInFormat(ucSource, PyBytes(QStringLiteral("struct.pack('<HHB27x', 1024, 768, 1)")));
    QVERIFY(QTest::qWaitFor([this] { return Child<QPushButton>("m_pGetVideoInFormatBtn")->isEnabled(); }, 5000));
    QVERIFY(Click("m_pGetVideoInFormatBtn"));
    QCOMPARE(Child<QLineEdit>("m_pVideoInputFormatLE")->text(), QStringLiteral("1024x768 - Progressive"));
    VideoInputSettings_t tVideo;
    g_ProjectConf.GetVideoInput(&tVideo);
    QCOMPARE(QRect(QPoint(tVideo.area.x1, tVideo.area.y1), QPoint(tVideo.area.x2, tVideo.area.y2)), area);
    if (resize >= 0)
        QCOMPARE(
            QSize(Child<QSpinBox>("m_pResizeCustHorSpin")->value(), Child<QSpinBox>("m_pResizeCustVerSpin")->value()),
            area.size());

    // Saved and opened again, a scaled picture is sent as before (an unscaled one has taken the
    // format reply's size meanwhile).
    if (resize < 0)
        return;
    const QString qsPath = m_Ui.FilePath(QStringLiteral("apply.prj"));
    QVERIFY(g_ProjectConf.Write() == 0 && g_ProjectConf.Save(qsPath) == 0);
    QCOMPARE(m_Ui.Wnd()->NewProject(false), 0);
    QCOMPARE(m_Ui.Wnd()->LoadProject(qsPath), 0);
    sim.Model().ClearLog();
    QVERIFY(Click("m_pApplyBtn"));
    QVERIFY(sim.WaitEnabled());
    QCOMPARE(HexList(sim.Model().Messages().mid(0, 1)), HexList({Request(10, PyBytes(settings))}));
}

void TestVideoInput::fillsSendNothing_data()
{
    QTest::addColumn<QString>("fill");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("kept"); // the project's blocks as a preset afterwards; empty: not checked

    QTest::newRow("new") << "new" << 0 << QByteArray();
    // Placed on the left edge: an offset down alone still places the picture.
    QTest::newRow("other preset") << "preset" << 0 << PyPreset(kOtherPreset);
    // Slot 9 holds the kept record itself: a UXGA picture keeps its 1200 lines.
    QTest::newRow("UXGA preset") << "preset" << 9
                                 << PyPreset("1, 1, -90, 0, 8, 1600, 1200, 1, 64, 70, 80, 90, 100, 110, 120, 3, 9600, "
                                             "256, 0, 512");
    QTest::newRow("open") << "open" << 0 << QByteArray();
    QTest::newRow("upload") << "upload" << 0 << QByteArray();
    QTest::newRow("written preset") << "preset" << 4
                                    << PyPreset("2, 1, 90, 10, 20, 1280, 720, 2, 100, 110, 120, 5, "
                                                "220, 230, 240, 2, 5000, 500, 510, 505");
    // A slot never written: no width, gamma or temperature of 0 gets into the project.
    QTest::newRow("unwritten preset") << "preset" << 7
                                      << PyPreset("0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 2000, 0, 0, 0");
}

void TestVideoInput::fillsSendNothing()
{
    QFETCH(QString, fill);
    QFETCH(int, slot);
    QFETCH(QByteArray, kept);

    // A preset and a project file of the test settings, then every panel away from them.
    ZelvorOnSim &sim = m_Ui.Sim();
    SetTestPresetSettings();
    m_Ui.Prompts().AnswerItem(4);
    QVERIFY(Click("m_pVideoPresetWriteToVpuBtn"));
    QCOMPARE(m_Ui.Prompts().Calls().last().extra, VpuMemorySlotNames);
    QCOMPARE(Hex(sim.Device().Preset(4)), KeptPreset());
    const QString qsPath = m_Ui.FilePath(QStringLiteral("fill.prj"));
    QVERIFY(g_ProjectConf.Write() == 0 && g_ProjectConf.Save(qsPath) == 0);
    sim.Device().SetPreset(0, PyPreset(kOtherPreset));
    if (slot == 9)
        sim.Device().SetPreset(9, kept);
    m_Ui.Wnd()->m_pVideoInput->SetVideoSettings(1, -90, 2, 0, true, MakePixelRect(16, 8, 655, 487));
    m_Ui.Wnd()->SetColorCorrections({2, 7, 8, 9, 10}, {300, 310, 320, 1, 3200, 1, 2, 3});
    sim.Model().ClearLog();

    if (fill == QLatin1String("new")) {
        QCOMPARE(m_Ui.Wnd()->NewProject(false), 0);
    } else if (fill == QLatin1String("open")) {
        QCOMPARE(m_Ui.Wnd()->LoadProject(qsPath), 0);
    } else if (fill == QLatin1String("upload")) {
        QCOMPARE(m_Ui.Wnd()->StartUpload(), 0);
    } else {
        m_Ui.Prompts().AnswerItem(slot);
        QTest::mouseClick(Child<QPushButton>("m_pVideoPresetReadFromVpuBtn"), Qt::LeftButton);
    }
    QVERIFY(sim.WaitEnabled());
    VerifyControlsShowProject();
    QCOMPARE(HexList(SettingRequests(sim)), QStringList());
    if (!kept.isEmpty())
        QCOMPARE(KeptPreset(), Hex(kept));
}

void TestVideoInput::VerifyControlsShowProject() const
{
    VideoInputSettings_t v;
    g_ProjectConf.GetVideoInput(&v);
    const char *const apcRadios[] = {"m_pDVI1Radio", "m_pDVI2Radio", "m_pHDMI1Radio", "m_pHDMI2Radio"};
    QVERIFY(Child<QRadioButton>(apcRadios[v.source])->isChecked());
    QCOMPARE(Child<QGroupBox>("m_pResizeGpBox")->isChecked(), v.resizeType != 0);
    QCOMPARE(Child<QGroupBox>("m_pVideoPosGpBox")->isChecked(), v.topLeftPosition);
    if (v.resizeType == 1)
        QCOMPARE(Child<QComboBox>("m_pResizeStandCbBox")->currentIndex(), int(v.standardFormat));
    InputCorr_t i;
    g_ProjectConf.GetInputCorr(&i);
    OutputCorr_t o;
    g_ProjectConf.GetOutputCorr(&o);
    QList<int> lShown;
    for (const char *pcName : {"m_pRotSpin", "m_pVideoPosHorSpin", "m_pVideoPosVertSpin", "m_pWhiteCustSpin"})
        lShown.append(Child<QSpinBox>(pcName)->value());
    for (const char *pcName : {"m_pBrightnessSlider", "m_pContrastSlider", "m_pHueSlider", "m_pSaturationSlider",
                               "m_pGammaRSlider", "m_pGammaGSlider", "m_pGammaBSlider", "m_pColorTempRedSlider",
                               "m_pColorTempGreenSlider", "m_pColorTempBlueSlider"})
        lShown.append(Child<QSlider>(pcName)->value());
    QCOMPARE(lShown,
             QList<int>({v.rotation, v.area.x1, v.area.y1, o.colorTemp, i.brightness, i.contrast, i.hue, i.saturation,
                         o.gammaRed, o.gammaGreen, o.gammaBlue, o.coefRed, o.coefGreen, o.coefBlue}));
    const char *const apcModes[] = {"m_pStandardColorTempGpBox", "m_pStandardColorTempGpBox", "m_pCustomColorTempGpBox",
                                    "m_pExpertColorTempGpBox"};
    QVERIFY(Child<QGroupBox>(apcModes[o.whiteMode])->isChecked());
    if (o.whiteMode <= 1) {
        int iEntry = o.whiteMode == 0 ? 0 : -1; // a temperature the list lacks selects no entry
        for (int k = 1; k < 4 && o.whiteMode == 1; ++k)
            iEntry = OutputColorCtrl::StandardWhiteTemperatures[k] == o.colorTemp ? k : iEntry;
        QCOMPARE(Child<QComboBox>("m_pWhiteStandCbBox")->currentIndex(), iEntry);
    }
}

QTEST_MAIN(TestVideoInput)
#include "tst_videoinput.moc"
