// The input and output colour panels as the operator drives them against the simulated VPU:
// the requests their edits and buttons send, byte for byte, the one request of the input
// colour Default, the expert sliders while dragged, and that whatever the operator edits in
// the three video and colour panels is saved in a project that loads back the same.
#include "mainwindow/zelvor.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/videoinput.h"
#include "project/colortemp.h"
#include "project/projectconf.h"
#include "support/panelinput.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QSpinBox>

#include <memory>

namespace {

QString Fields(const VideoInputSettings_t &v)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
        .arg(v.source)
        .arg(v.rotation)
        .arg(v.resizeType)
        .arg(v.standardFormat)
        .arg(v.topLeftPosition)
        .arg(v.area.x1)
        .arg(v.area.y1)
        .arg(v.area.x2)
        .arg(v.area.y2);
}

template <typename T> QByteArray Raw(const T &t)
{
    return Hex(QByteArray(reinterpret_cast<const char *>(&t), sizeof(t)));
}

} // namespace

class TestColorPanels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void inputTypedValueSent_data();
    void inputTypedValueSent();
    void inputDefaultSendsOneRequest_data();
    void inputDefaultSendsOneRequest();
    void gammaTypedIsRounded_data();
    void gammaTypedIsRounded();
    void whiteBalanceApplied_data();
    void whiteBalanceApplied();
    void expertSlidersSendWhileDragged();
    void savedEditsLoadBackEqual_data();
    void savedEditsLoadBackEqual();

private:
    template <typename T> T *Child(const QString &qsName, QWidget *pPanel = nullptr) const
    {
        T *p = (pPanel ? pPanel : static_cast<QWidget *>(m_pSim->Wnd()))->findChild<T *>(qsName);
        if (!p)
            qFatal("no widget %s", qPrintable(qsName));
        return p;
    }
    // Clicks and waits for the request it sent, if any, to be answered.
    void Click(QPushButton *pButton) const
    {
        QTest::mouseClick(pButton, Qt::LeftButton);
        QVERIFY(m_pSim->WaitEnabled());
    }

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestColorPanels::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestColorPanels::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.0.182"));
    QVERIFY(m_pSim->Start());
    QVERIFY(m_pSim->Enumerate());
    m_pSim->Wnd()->SetOnline(true);
}

void TestColorPanels::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestColorPanels::inputTypedValueSent_data()
{
    QTest::addColumn<QString>("spin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent"); // source, brightness, contrast, saturation, hue

    // (0 + 90) x 255 / 180 = 127.5: rounded up, not cut.
    QTest::newRow("hue 0 degrees") << "m_pHueSpin"
                                   << "0"
                                   << "3, 128, 128, 128, 128";
    QTest::newRow("contrast 50 %") << "m_pContrastSpin"
                                   << "50"
                                   << "3, 128, 128, 128, 0";
    QTest::newRow("brightness 50 %") << "m_pBrightnessSpin"
                                     << "50"
                                     << "3, 64, 128, 128, 0";
    QTest::newRow("saturation 100 %") << "m_pSaturationSpin"
                                      << "100"
                                      << "3, 128, 128, 255, 0";
}

void TestColorPanels::inputTypedValueSent()
{
    QFETCH(QString, spin);
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    TypeInto(Child<QDoubleSpinBox>(spin), typed);
    QVERIFY(m_pSim->WaitEnabled());
    const QByteArray baSent = PyBytes(QStringLiteral("struct.pack('<5B', %1)").arg(sent));
    QCOMPARE(HexList(SettingRequests(*m_pSim)), QStringList{QString(Hex(Request(13, baSent)))});
    InputCorr_t tKept;
    g_ProjectConf.GetInputCorr(&tKept);
    QCOMPARE(Raw(tKept), Hex(baSent));
}

void TestColorPanels::inputDefaultSendsOneRequest_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("three sliders moved") << true;
    QTest::newRow("all at their defaults") << false;
}

void TestColorPanels::inputDefaultSendsOneRequest()
{
    QFETCH(bool, changed);

    QWidget *pPanel = m_pSim->Wnd()->m_pInputColorCtrl;
    if (changed) {
        // Each a page away from its default, hue (0) upwards.
        for (const char *pcSlider : {"m_pBrightnessSlider", "m_pHueSlider", "m_pSaturationSlider"}) {
            QTest::keyClick(Child<QSlider>(pcSlider), pcSlider[3] == 'H' ? Qt::Key_PageUp : Qt::Key_PageDown);
            QVERIFY(m_pSim->WaitEnabled());
        }
    }
    QCOMPARE(SettingRequests(*m_pSim).size(), changed ? 3 : 0);
    m_pSim->Model().ClearLog();

    Click(Child<QPushButton>("m_pDefaultBtn", pPanel));
    const QByteArray baDefault = Request(13, PyBytes(QStringLiteral("struct.pack('<5B', 3, 128, 128, 128, 0)")));
    QCOMPARE(HexList(SettingRequests(*m_pSim)), changed ? QStringList{QString(Hex(baDefault))} : QStringList());
    QCOMPARE(Child<QDoubleSpinBox>("m_pHueSpin")->text(), QStringLiteral("-90.00"));
}

void TestColorPanels::gammaTypedIsRounded_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("gamma");

    // 0.29 x 100 and 0.57 x 100 lie just below 29 and 57 in binary.
    QTest::newRow("0.29 volatile") << "0.29"
                                   << "m_pGammaApplyBtn" << 0 << 29;
    QTest::newRow("0.57 permanent") << "0.57"
                                    << "m_pGammaWriteInFlashBtn" << 1 << 57;
}

void TestColorPanels::gammaTypedIsRounded()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, mode);
    QFETCH(int, gamma);

    TypeInto(Child<QDoubleSpinBox>("m_pGammaGSpin"), typed);
    QCOMPARE(Child<QSlider>("m_pGammaGSlider")->value(), gamma);
    QCOMPARE(SettingRequests(*m_pSim).size(), 0); // only the buttons apply
    Click(Child<QPushButton>(button));
    const QString qsSent = QStringLiteral("struct.pack('<BHHH', %1, 40, %2, 40)").arg(mode).arg(gamma);
    QCOMPARE(HexList(SettingRequests(*m_pSim)), QStringList{QString(Hex(Request(14, PyBytes(qsSent))))});
    OutputCorr_t tKept;
    g_ProjectConf.GetOutputCorr(&tKept);
    QCOMPARE(tKept.gammaGreen, quint16(gamma));
}

void TestColorPanels::whiteBalanceApplied_data()
{
    QTest::addColumn<QString>("choice"); // "entry" index, "custom" kelvin, "stored" kelvin in mode 1
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("kelvin");
    QTest::addColumn<bool>("fitted"); // the coefficients TemperatureToGainsFit gives, else 512

    QTest::newRow("6500 K") << "entry" << 2 << 1 << 6500 << true;
    QTest::newRow("no correction") << "entry" << 0 << 0 << 6500 << false;
    QTest::newRow("custom 2000 K") << "custom" << 2000 << 2 << 2000 << true;
    // A stored temperature the list lacks, shown after "9600 K" was chosen: kept, not 9600.
    QTest::newRow("stored 5000 K") << "stored" << 5000 << 1 << 5000 << false;
}

void TestColorPanels::whiteBalanceApplied()
{
    QFETCH(QString, choice);
    QFETCH(int, value);
    QFETCH(int, mode);
    QFETCH(int, kelvin);
    QFETCH(bool, fitted);

    auto *pCombo = Child<QComboBox>("m_pWhiteStandCbBox");
    QTest::keyClick(pCombo, Qt::Key_End);
    if (choice == QLatin1String("entry")) {
        QTest::keyClick(pCombo, Qt::Key_Home);
        for (int i = 0; i < value; ++i)
            QTest::keyClick(pCombo, Qt::Key_Down);
    } else if (choice == QLatin1String("custom")) {
        QTest::keyClick(Child<QGroupBox>("m_pCustomColorTempGpBox"), Qt::Key_Space);
        TypeInto(Child<QSpinBox>("m_pWhiteCustSpin"), QString::number(value));
    } else {
        InputCorr_t tInput;
        CProjectConf::DefaultInputCorr(&tInput);
        m_pSim->Wnd()->SetColorCorrections(tInput, {40, 40, 40, 1, quint16(value), 512, 512, 512});
    }
    QCOMPARE(SettingRequests(*m_pSim).size(), 0);
    Click(Child<QPushButton>("m_pWhiteApplyBtn"));

    quint32 auGain[3] = {512, 512, 512};
    if (fitted)
        QCOMPARE(TemperatureToGainsFit(kelvin, &auGain[0], &auGain[1], &auGain[2]), 0);
    const QString qsSent = QStringLiteral("struct.pack('<BHHHH', %1, %2, %3, %4, %5)")
                               .arg(mode)
                               .arg(kelvin)
                               .arg(auGain[0])
                               .arg(auGain[1])
                               .arg(auGain[2]);
    QCOMPARE(HexList(SettingRequests(*m_pSim)), QStringList{QString(Hex(Request(15, PyBytes(qsSent))))});
    OutputCorr_t tKept;
    g_ProjectConf.GetOutputCorr(&tKept);
    QCOMPARE(QList<int>({tKept.whiteMode, tKept.colorTemp, tKept.coefRed}), QList<int>({mode, kelvin, int(auGain[0])}));
}

void TestColorPanels::expertSlidersSendWhileDragged()
{
    QTest::keyClick(Child<QGroupBox>("m_pExpertColorTempGpBox"), Qt::Key_Space);
    QSlider *pSlider = Child<QSlider>("m_pColorTempRedSlider");
    pSlider->resize(520, 24);
    VpuSimFault tSlow;
    tSlow.iDelayMs = 300;
    m_pSim->Model().SetFault(15, tSlow);
    const int iY = pSlider->height() / 2;
    QTest::mousePress(pSlider, Qt::LeftButton, {}, QPoint(pSlider->width() - 4, iY));
    QList<int> lSent;
    for (int iX : {400, 300, 200}) {
        QTest::mouseMove(pSlider, QPoint(iX, iY));
        if (lSent.isEmpty() || lSent.last() != pSlider->value())
            lSent.append(pSlider->value());
        // While the request is out the window takes no input: the next move waits for it.
        QTest::mouseMove(pSlider, QPoint(iX - 50, iY));
        QVERIFY(!m_pSim->Wnd()->isEnabled());
        QVERIFY(m_pSim->WaitEnabled());
    }
    QTest::mouseRelease(pSlider, Qt::LeftButton, {}, QPoint(150, iY));
    QVERIFY(lSent.size() == 3 && lSent.first() < 512);

    QStringList lExpected;
    for (int iRed : lSent)
        lExpected.append(
            Hex(Request(15, PyBytes(QStringLiteral("struct.pack('<BHHHH', 3, 6500, %1, 512, 512)").arg(iRed)))));
    QCOMPARE(HexList(SettingRequests(*m_pSim)), lExpected);
}

void TestColorPanels::savedEditsLoadBackEqual_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 uSeed : {1u, 2u, 3u, 4u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(uSeed))) << uSeed;
}

void TestColorPanels::savedEditsLoadBackEqual()
{
    QFETCH(quint32, seed);

    Zelvor *pWnd = m_pSim->Wnd();
    pWnd->SetOnline(false);
    QList<QWidget *> lControls;
    for (QWidget *pPanel : QList<QWidget *>{pWnd->m_pVideoInput, pWnd->m_pInputColorCtrl, pWnd->m_pOutputColorCtrl}) {
        for (QWidget *pChild : pPanel->findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractSpinBox *>(pChild) || qobject_cast<QAbstractSlider *>(pChild) ||
                qobject_cast<QAbstractButton *>(pChild) || qobject_cast<QComboBox *>(pChild) ||
                qobject_cast<QGroupBox *>(pChild))
                lControls.append(pChild);
        }
    }
    const Qt::Key aKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space};
    QRandomGenerator rng(seed);
    for (int i = 0; i < 150; ++i)
        QTest::keyClick(lControls.at(rng.bounded(int(lControls.size()))), aKeys[rng.bounded(5)]);

    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("edited.prj"));
    QCOMPARE(g_ProjectConf.Write(), 0);
    QCOMPARE(g_ProjectConf.Save(qsPath), 0);
    CProjectConf loaded;
    QCOMPARE(loaded.Open(qsPath), 0);
    QCOMPARE(loaded.Parse(), 0);
    VideoInputSettings_t tVideo, tVideoBack;
    g_ProjectConf.GetVideoInput(&tVideo);
    loaded.GetVideoInput(&tVideoBack);
    QCOMPARE(Fields(tVideoBack), Fields(tVideo));
    InputCorr_t tInput, tInputBack;
    g_ProjectConf.GetInputCorr(&tInput);
    loaded.GetInputCorr(&tInputBack);
    tInput.source = tInputBack.source = 0; // the file keeps no source: the video input has it
    QCOMPARE(Raw(tInputBack), Raw(tInput));
    OutputCorr_t tOutput, tOutputBack;
    g_ProjectConf.GetOutputCorr(&tOutput);
    loaded.GetOutputCorr(&tOutputBack);
    QCOMPARE(Raw(tOutputBack), Raw(tOutput));
}

QTEST_MAIN(TestColorPanels)
#include "tst_colorpanels.moc"
