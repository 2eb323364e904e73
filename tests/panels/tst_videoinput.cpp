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
#include "support/scriptedprompts.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <memory>

class TestVideoInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void applySendsSettingsThenFormat_data();
    void applySendsSettingsThenFormat();
    void typedValuesSettleWhenEditingEnds_data();
    void typedValuesSettleWhenEditingEnds();
    void presetWrittenAndReadBack();
    void fillsSendNothing_data();
    void fillsSendNothing();

private:
    template <typename T> T *Child(const QString &qsName) const
    {
        T *p = m_pSim->Wnd()->findChild<T *>(qsName);
        if (!p)
            qFatal("no widget %s", qPrintable(qsName));
        return p;
    }
    // Both panels of the dock row have an Apply and a Default button: this panel's.
    void Click(const char *pcButton) const
    {
        QTest::mouseClick(m_pSim->Wnd()->m_pVideoInput->findChild<QPushButton *>(pcButton), Qt::LeftButton);
    }
    // Every control of the three panels shows the project's blocks.
    void VerifyControlsShowProject() const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestVideoInput::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestVideoInput::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.0.181"));
    QVERIFY(m_pSim->Start());
    QVERIFY(m_pSim->Enumerate());
    m_pSim->Wnd()->SetOnline(true);
}

void TestVideoInput::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestVideoInput::applySendsSettingsThenFormat_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("rotation"); // typed, empty: left
    QTest::addColumn<int>("standard");     // combo steps down, -1: no resize
    QTest::addColumn<QPoint>("position");  // (-1, -1): position group left off
    QTest::addColumn<QString>("format");   // the VPU's reply record
    QTest::addColumn<int>("formatStatus");
    QTest::addColumn<QString>("settings"); // what Apply must send
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("area");

    const QString qsFormat = QStringLiteral("struct.pack('<HHBBBBBB22x', %1)");
    QTest::newRow("HD720 turned, placed, on DVI 2")
        << "m_pDVI2Radio"
        << "46" << 3 << QPoint(100, 50) << qsFormat.arg("1920, 1080, 1, 0, 1, 0, 0, 0") << 0
        << "struct.pack('<BBbHHHH', 1, 1, 90, 100, 50, 1280, 720)"
        << "1920x1080 - Progressive" << QRect(100, 50, 1280, 720);
    QTest::newRow("unscaled takes the locked input's size")
        << "m_pHDMI1Radio"
        << "" << -1 << QPoint(-1, -1) << qsFormat.arg("1280, 720, 1, 1, 1, 0, 0, 1") << 0
        << "struct.pack('<BBbHHHH', 2, 0, 0, 0, 0, 1920, 1080)"
        << "1280x720 - Interlaced - Encrypted" << QRect(0, 0, 1280, 720);
    QTest::newRow("unscaled unlocked keeps one pixel")
        << "m_pDVI1Radio"
        << "-46" << -1 << QPoint(8, 4) << qsFormat.arg("1920, 1080, 0, 0, 0, 0, 0, 0") << 0
        << "struct.pack('<BBbHHHH', 0, 0, -90, 8, 4, 1920, 1080)"
        << "Not Locked" << QRect(8, 4, 1, 1);
    QTest::newRow("refused format read") << "m_pHDMI2Radio"
                                         << "" << -1 << QPoint(-1, -1) << qsFormat.arg("1280, 720, 1, 0, 1, 0, 0, 0")
                                         << -5 << "struct.pack('<BBbHHHH', 3, 0, 0, 0, 0, 1920, 1080)"
                                         << "" << QRect(0, 0, 1920, 1080);
}

void TestVideoInput::applySendsSettingsThenFormat()
{
    QFETCH(QString, radio);
    QFETCH(QString, rotation);
    QFETCH(int, standard);
    QFETCH(QPoint, position);
    QFETCH(QString, format);
    QFETCH(int, formatStatus);
    QFETCH(QString, settings);
    QFETCH(QString, text);
    QFETCH(QRect, area);

    QTest::mouseClick(Child<QRadioButton>(radio), Qt::LeftButton);
    if (!rotation.isEmpty())
        TypeInto(Child<QSpinBox>("m_pRotSpin"), rotation);
    if (standard >= 0) {
        QTest::keyClick(Child<QGroupBox>("m_pResizeGpBox"), Qt::Key_Space);
        for (int i = 0; i < standard; ++i)
            QTest::keyClick(Child<QComboBox>("m_pResizeStandCbBox"), Qt::Key_Down);
    }
    if (position.x() >= 0) {
        QTest::keyClick(Child<QGroupBox>("m_pVideoPosGpBox"), Qt::Key_Space);
        TypeInto(Child<QSpinBox>("m_pVideoPosHorSpin"), QString::number(position.x()));
        TypeInto(Child<QSpinBox>("m_pVideoPosVertSpin"), QString::number(position.y()));
    }
    const quint8 ucSource = quint8(m_pSim->Wnd()->GetVideoSource());
    m_pSim->Device().SetVideoInFormat(ucSource, PyBytes(format));
    VpuSimFault tFault;
    tFault.iStatus = formatStatus;
    tFault.iDelayMs = 300;
    m_pSim->Model().SetFault(11, tFault);
    m_pSim->Model().ClearLog();

    Click("m_pApplyBtn");
    QVERIFY(QTest::qWaitFor([this] { return m_pSim->Model().Requests().size() >= 2; }, 5000));
    QVERIFY(!m_pSim->Wnd()->isEnabled()); // the settings were answered, the format is not yet
    QVERIFY(m_pSim->WaitEnabled());
    const QList<QByteArray> lSent = m_pSim->Model().Messages();
    QCOMPARE(Hex(lSent.value(0)), Hex(Request(10, PyBytes(settings))));
    QCOMPARE(Hex(lSent.value(1)), Hex(Request(11, QByteArray(1, char(ucSource)))));
    QCOMPARE(Child<QLineEdit>("m_pVideoInputFormatLE")->text(), text);

    // Only the reply to Apply's own request resizes, a refused one included: a later read of
    // another size leaves the window as it is.
    m_pSim->Model().ClearFaults();
    m_pSim->Device().SetVideoInFormat(ucSource, PyBytes(QStringLiteral("struct.pack('<HHB27x', 1024, 768, 1)")));
    QVERIFY(QTest::qWaitFor([this] { return Child<QPushButton>("m_pGetVideoInFormatBtn")->isEnabled(); }, 5000));
    Click("m_pGetVideoInFormatBtn");
    QTRY_COMPARE(Child<QLineEdit>("m_pVideoInputFormatLE")->text(), QStringLiteral("1024x768 - Progressive"));
    QVERIFY(m_pSim->WaitEnabled());
    VideoInputSettings_t tVideo;
    g_ProjectConf.GetVideoInput(&tVideo);
    QCOMPARE(QRect(QPoint(tVideo.area.x1, tVideo.area.y1), QPoint(tVideo.area.x2, tVideo.area.y2)), area);
}

void TestVideoInput::typedValuesSettleWhenEditingEnds_data()
{
    QTest::addColumn<QString>("spin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("settled");

    QTest::newRow("width 1001") << "m_pResizeCustHorSpin"
                                << "1001" << 1000;
    QTest::newRow("height 70") << "m_pResizeCustVerSpin"
                               << "70" << 64;
    QTest::newRow("turn 46") << "m_pRotSpin"
                             << "46" << 90;
    QTest::newRow("turn 45") << "m_pRotSpin"
                             << "45" << 0;
    QTest::newRow("turn -45") << "m_pRotSpin"
                              << "-45" << 0;
    QTest::newRow("turn -46") << "m_pRotSpin"
                              << "-46" << -90;
}

void TestVideoInput::typedValuesSettleWhenEditingEnds()
{
    QFETCH(QString, spin);
    QFETCH(QString, typed);
    QFETCH(int, settled);

    QTest::keyClick(Child<QGroupBox>("m_pResizeGpBox"), Qt::Key_Space);
    QTest::mouseClick(Child<QRadioButton>("m_pResizeCustRadio"), Qt::LeftButton);
    QSpinBox *pSpin = Child<QSpinBox>(spin);
    TypeInto(pSpin, typed, false);
    QCOMPARE(pSpin->text(), typed); // nothing rewritten under the operator's fingers
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSpin->value(), settled);

    VideoInputSettings_t tVideo;
    g_ProjectConf.GetVideoInput(&tVideo);
    const QList<int> lKept = {tVideo.area.x2 - tVideo.area.x1 + 1, tVideo.area.y2 - tVideo.area.y1 + 1,
                              tVideo.rotation};
    QVERIFY2(lKept.contains(settled), qPrintable(spin));
    QCOMPARE(tVideo.resizeType, 2u);
}

void TestVideoInput::presetWrittenAndReadBack()
{
    SetTestPresetSettings();
    const QByteArray baPreset = PyBytes(QStringLiteral("struct.pack('<BBbHHHH5BHHHBHHHH', 2, 1, 90, 10, 20, 1280, 720, "
                                                       "2, 100, 110, 120, 5, 220, 230, 240, 2, 5000, 500, 510, 505)"));
    m_pPrompts->AnswerItem(4);
    Click("m_pVideoPresetWriteToVpuBtn");
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(Hex(m_pSim->Device().Preset(4)), Hex(baPreset));
    const PromptCall_t tAsked = m_pPrompts->Calls().last();
    QCOMPARE(tAsked.qsTitle, QStringLiteral("Send video setting to VPU"));
    QCOMPARE(tAsked.extra, VpuMemorySlotNames);

    QCOMPARE(m_pSim->Wnd()->NewProject(false), 0);
    m_pSim->Model().ClearLog();
    m_pPrompts->AnswerItem(4);
    Click("m_pVideoPresetReadFromVpuBtn");
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(Child<QSlider>("m_pColorTempBlueSlider")->value(), 505);
    VideoPreset_t tKept;
    g_ProjectConf.GetVideoInputPacked(&tKept.VideoSettings);
    g_ProjectConf.GetInputCorr(&tKept.InputCorr);
    g_ProjectConf.GetOutputCorr(&tKept.OutputCorr);
    QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tKept), sizeof(tKept))), Hex(baPreset));
    VerifyControlsShowProject();
    QCOMPARE(HexList(SettingRequests(*m_pSim)), QStringList());
    QCOMPARE(HexList(m_pSim->Model().Messages().mid(0, 1)),
             QStringList{QString(Hex(Request(34, Bytes("04 00 00 00"))))});
}

void TestVideoInput::fillsSendNothing_data()
{
    QTest::addColumn<QString>("fill");
    QTest::addColumn<QString>("kept"); // the project's three blocks afterwards, empty: not checked

    QTest::newRow("new") << "new"
                         << "";
    QTest::newRow("open") << "open"
                          << "";
    QTest::newRow("upload") << "upload"
                            << "";
    // A slot never written: no width, gamma or temperature of 0 gets into the project.
    QTest::newRow("unwritten preset") << "preset"
                                      << "struct.pack('<BBbHHHH5BHHHBHHHH', 0, 0, 0, 0, 0, 1, 1, "
                                         "0, 0, 0, 0, 0, 1, 1, 1, 0, 2000, 0, 0, 0)";
}

void TestVideoInput::fillsSendNothing()
{
    QFETCH(QString, fill);
    QFETCH(QString, kept);

    // Every panel away from the defaults and from what the fill brings.
    SetTestPresetSettings();
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("fill.prj"));
    QCOMPARE(g_ProjectConf.Write(), 0);
    QCOMPARE(g_ProjectConf.Save(qsPath), 0);
    m_pSim->Device().SetPreset(0,
                               PyBytes(QStringLiteral("struct.pack('<BBbHHHH5BHHHBHHHH', 1, 1, -90, 0, 0, 1024, "
                                                      "768, 1, 64, 70, 80, 90, 100, 110, 120, 3, 9600, 256, 0, 512)")));
    m_pSim->Wnd()->m_pVideoInput->SetVideoSettings(1, -90, 2, 0, true, MakePixelRect(16, 8, 655, 487));
    m_pSim->Wnd()->SetColorCorrections({2, 7, 8, 9, 10}, {300, 310, 320, 1, 3200, 1, 2, 3});
    m_pSim->Model().ClearLog();

    if (fill == QLatin1String("new")) {
        QCOMPARE(m_pSim->Wnd()->NewProject(false), 0);
    } else if (fill == QLatin1String("open")) {
        QCOMPARE(m_pSim->Wnd()->LoadProject(qsPath), 0);
    } else if (fill == QLatin1String("upload")) {
        QCOMPARE(m_pSim->Wnd()->StartUpload(), 0);
        QVERIFY(m_pSim->WaitEnabled());
    } else {
        m_pPrompts->AnswerItem(7);
        Click("m_pVideoPresetReadFromVpuBtn");
        QVERIFY(m_pSim->WaitEnabled());
    }
    QTRY_VERIFY(m_pSim->Wnd()->isEnabled());
    VerifyControlsShowProject();
    QCOMPARE(HexList(SettingRequests(*m_pSim)), QStringList());
    if (!kept.isEmpty()) {
        VideoPreset_t tKept;
        g_ProjectConf.GetVideoInputPacked(&tKept.VideoSettings);
        g_ProjectConf.GetInputCorr(&tKept.InputCorr);
        g_ProjectConf.GetOutputCorr(&tKept.OutputCorr);
        QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tKept), sizeof(tKept))), Hex(PyBytes(kept)));
    }
}

void TestVideoInput::VerifyControlsShowProject() const
{
    VideoInputSettings_t v;
    g_ProjectConf.GetVideoInput(&v);
    const char *const apcRadios[] = {"m_pDVI1Radio", "m_pDVI2Radio", "m_pHDMI1Radio", "m_pHDMI2Radio"};
    QVERIFY(Child<QRadioButton>(apcRadios[v.source])->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pRotSpin")->value(), int(v.rotation));
    QCOMPARE(Child<QGroupBox>("m_pResizeGpBox")->isChecked(), v.resizeType != 0);
    if (v.resizeType == 1)
        QCOMPARE(Child<QComboBox>("m_pResizeStandCbBox")->currentIndex(), int(v.standardFormat));
    QCOMPARE(Child<QGroupBox>("m_pVideoPosGpBox")->isChecked(), v.topLeftPosition);
    QCOMPARE(Child<QSpinBox>("m_pVideoPosHorSpin")->value(), v.area.x1);
    QCOMPARE(Child<QSpinBox>("m_pVideoPosVertSpin")->value(), v.area.y1);

    InputCorr_t i;
    g_ProjectConf.GetInputCorr(&i);
    QCOMPARE(Child<QSlider>("m_pBrightnessSlider")->value(), int(i.brightness));
    QCOMPARE(Child<QSlider>("m_pContrastSlider")->value(), int(i.contrast));
    QCOMPARE(Child<QSlider>("m_pHueSlider")->value(), int(i.hue));
    QCOMPARE(Child<QSlider>("m_pSaturationSlider")->value(), int(i.saturation));

    OutputCorr_t o;
    g_ProjectConf.GetOutputCorr(&o);
    const int aiShown[] = {
        Child<QSlider>("m_pGammaRSlider")->value(),       Child<QSlider>("m_pGammaGSlider")->value(),
        Child<QSlider>("m_pGammaBSlider")->value(),       Child<QSpinBox>("m_pWhiteCustSpin")->value(),
        Child<QSlider>("m_pColorTempRedSlider")->value(), Child<QSlider>("m_pColorTempGreenSlider")->value(),
        Child<QSlider>("m_pColorTempBlueSlider")->value()};
    const int aiKept[] = {o.gammaRed, o.gammaGreen, o.gammaBlue, o.colorTemp, o.coefRed, o.coefGreen, o.coefBlue};
    QCOMPARE(QList<int>(std::begin(aiShown), std::end(aiShown)), QList<int>(std::begin(aiKept), std::end(aiKept)));
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
