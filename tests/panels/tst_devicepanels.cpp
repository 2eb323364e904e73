// The device, update and test panels as the main window drives them: which buttons follow
// the link, the video settings read back from the VPU, the selected input, the DMX mapping
// table, the shown colour corrections and the fixture combo boxes.
#include "mainwindow/zelvor.h"
#include "panels/device/dmxconfig.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/sasusettings.h"
#include "panels/device/testcontrol.h"
#include "panels/device/videoinput.h"
#include "panels/scene/groupsettings.h"
#include "panels/scene/workspace.h"
#include "scene/fixture.h"
#include "scene/scenetest.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "update/fixtureupdate.h"
#include "update/vpuupdate.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(VideoSettings_t)

class TestDevicePanels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void onlineButtons_data();
    void onlineButtons();
    void unpackVideoSettings_data();
    void unpackVideoSettings();
    void selectedVideoSource();
    void dmxMappingTable();
    void dmxMappingFromVpuWithUnknownCommand();
    void inputCorrectionShown();
    void outputCorrectionShown();
    void fixtureCombos();
    void fixtureUpdateFollowsListAndLink();

private:
    template <typename T> T *Child(const char *pcName)
    {
        T *p = m_pWnd->findChild<T *>(QLatin1String(pcName));
        if (!p)
            qFatal("no widget %s", pcName);
        return p;
    }
    CFixture *NewFixture(quint32 uOutput, quint32 uNumber);
    void SetPanelOnline(const QString &qsPanel, bool bOnline);

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<Zelvor> m_pWnd;
    QList<CFixture *> m_Fixtures;
};

void TestDevicePanels::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    m_pEnv = std::make_unique<TestEnv>();
    // The fixture update panel shows only fixtures of a type its catalogue knows.
    QVERIFY(LoadProjectTestCatalogue());
}

void TestDevicePanels::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pWnd = std::make_unique<Zelvor>();
}

void TestDevicePanels::cleanup()
{
    m_pWnd->m_pFixtureSettings->ClearFixtureList();
    m_pWnd->m_pSasuSettings->ClearFixtureList();
    m_pWnd->m_pFixtureUpdate->ClearFixtureList();
    qDeleteAll(m_Fixtures);
    m_Fixtures.clear();
    m_pWnd.reset();
    m_pPrompts.reset();
}

CFixture *TestDevicePanels::NewFixture(quint32 uOutput, quint32 uNumber)
{
    auto *pFixture = new CFixture(m_pWnd->Scene());
    pFixture->SetType(TestType(64, 32));
    m_pWnd->Scene()->addItem(pFixture);
    pFixture->setPos(64 * m_Fixtures.size(), 0);
    pFixture->SetNumber(uOutput, uNumber);
    m_Fixtures.append(pFixture);
    return pFixture;
}

void TestDevicePanels::SetPanelOnline(const QString &qsPanel, bool bOnline)
{
    Zelvor *w = m_pWnd.get();
    if (qsPanel == QLatin1String("Workspace"))
        w->m_pWorkspace->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("VideoInput"))
        w->m_pVideoInput->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("InputColorCtrl"))
        w->m_pInputColorCtrl->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("OutputColorCtrl"))
        w->m_pOutputColorCtrl->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("FixtureSettings"))
        w->m_pFixtureSettings->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("GroupSettings"))
        w->m_pGroupSettings->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("SasuSettings"))
        w->m_pSasuSettings->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("DMXConfig"))
        w->m_pDMXConfig->SetOnline(bOnline);
    else if (qsPanel == QLatin1String("VpuUpdate"))
        w->m_pVpuUpdate->SetOnline(bOnline);
    else
        QFAIL("unknown panel");
}

void TestDevicePanels::onlineButtons_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("online");  // enabled only online
    QTest::addColumn<QStringList>("offline"); // enabled only offline
    QTest::newRow("workspace") << "Workspace" << QStringList{"m_pVpuUploadSnapBtn"} << QStringList();
    QTest::newRow("video input") << "VideoInput"
                                 << QStringList{"m_pApplyBtn", "m_pGetVideoInFormatBtn", "m_pVideoPresetWriteToVpuBtn",
                                                "m_pVideoPresetReadFromVpuBtn"}
                                 << QStringList();
    QTest::newRow("input colour") << "InputColorCtrl" << QStringList{"m_pApplyBtn"} << QStringList();
    QTest::newRow("output colour") << "OutputColorCtrl"
                                   << QStringList{"m_pGammaApplyBtn", "m_pWhiteApplyBtn", "m_pGammaWriteInFlashBtn"}
                                   << QStringList();
    QTest::newRow("fixture settings") << "FixtureSettings"
                                      << QStringList{"m_pLPUSetApplyBtn",         "m_pLpuTestColorApplyBtn",
                                                     "m_pLpuTestColorStopBtn",    "m_pFixtConfRotVolatileBtn",
                                                     "m_pFixtConfPosVolatileBtn", "m_pFixtConfPermanentBtn"}
                                      << QStringList();
    QTest::newRow("group settings") << "GroupSettings"
                                    << QStringList{"m_pConfPermanentBtn", "m_pConfRotVolatileBtn",
                                                   "m_pConfPosVolatileBtn", "m_pGroupLumiApplyBtn"}
                                    << QStringList();
    QTest::newRow("sasu settings") << "SasuSettings"
                                   << QStringList{"m_pGetSensorValBtn", "m_pConfigPermanentBtn", "m_pManuSwitchWrBtn",
                                                  "m_pManuSwitchRdBtn"}
                                   << QStringList();
    QTest::newRow("dmx") << "DMXConfig" << QStringList{"m_pDmxWriteToVpuBtn", "m_pDmxReadFromVpuBtn"} << QStringList();
    QTest::newRow("vpu update") << "VpuUpdate"
                                << QStringList{"m_pMcuDataProgBtn", "m_pGetCurrentVpuSetBtn", "m_pFpgaProgBtn",
                                               "m_pProgParamBtn", "m_pMcuProgBtn"}
                                << QStringList{"m_pMcuProgFromBootLoaderBtn"};
}

void TestDevicePanels::onlineButtons()
{
    QFETCH(QString, panel);
    QFETCH(QStringList, online);
    QFETCH(QStringList, offline);
    QWidget *pPanel = m_pWnd->findChild<QWidget *>(panel);
    QVERIFY(pPanel);
    for (bool bOnline : {false, true, false}) {
        SetPanelOnline(panel, bOnline);
        for (const QString &qsName : online)
            QVERIFY2(pPanel->findChild<QWidget *>(qsName)->isEnabledTo(pPanel) == bOnline, qPrintable(qsName));
        for (const QString &qsName : offline)
            QVERIFY2(pPanel->findChild<QWidget *>(qsName)->isEnabledTo(pPanel) == !bOnline, qPrintable(qsName));
    }
    // The other buttons stay usable offline.
    if (panel == QLatin1String("OutputColorCtrl"))
        QVERIFY(pPanel->findChild<QWidget *>(QStringLiteral("m_pGammaDefBtn"))->isEnabled());
}

void TestDevicePanels::unpackVideoSettings_data()
{
    QTest::addColumn<QByteArray>("wire"); // the 11 bytes as the VPU sends them
    QTest::addColumn<quint32>("source");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<quint32>("resizeType");
    QTest::addColumn<quint32>("standardFormat");
    QTest::addColumn<bool>("topLeft");
    QTest::addColumn<QRect>("area"); // x1, y1, x2, y2 as left, top, right, bottom

    // Channel, scaling, rotation, offset x, offset y, width, height (little-endian).
    QTest::newRow("plain") << QByteArray::fromHex("03 00 00 0000 0000 8007 3804") << 3u << 0 << 0u << 0u << false
                           << QRect(QPoint(0, 0), QPoint(1919, 1079));
    QTest::newRow("standard 720") << QByteArray::fromHex("02 01 5a 6400 3200 0005 d002") << 2u << 90 << 1u << 3u << true
                                  << QRect(QPoint(100, 50), QPoint(1379, 769));
    QTest::newRow("first standard") << QByteArray::fromHex("00 01 00 0000 0000 8007 3804") << 0u << 0 << 1u << 0u
                                    << false << QRect(QPoint(0, 0), QPoint(1919, 1079));
    QTest::newRow("custom") << QByteArray::fromHex("01 01 a6 0000 0a00 e803 f401") << 1u << -90 << 2u << 0u << true
                            << QRect(QPoint(0, 10), QPoint(999, 509));
    QTest::newRow("xga") << QByteArray::fromHex("02 07 00 0000 0000 0004 0003") << 2u << 0 << 1u << 4u << false
                         << QRect(QPoint(0, 0), QPoint(1023, 767));
}

void TestDevicePanels::unpackVideoSettings()
{
    QFETCH(QByteArray, wire);
    QFETCH(quint32, source);
    QFETCH(int, rotation);
    QFETCH(quint32, resizeType);
    QFETCH(quint32, standardFormat);
    QFETCH(bool, topLeft);
    QFETCH(QRect, area);
    QCOMPARE(wire.size(), int(sizeof(VideoSettings_t)));
    VideoSettings_t packed;
    memcpy(&packed, wire.constData(), sizeof(packed));
    VideoInputSettings_t settings{};
    settings.standardFormat = 77; // overwritten
    QCOMPARE(VideoInput::UnpackVideoSettings(packed, &settings), 0);
    QCOMPARE(settings.source, source);
    QCOMPARE(int(settings.rotation), rotation);
    QCOMPARE(settings.resizeType, resizeType);
    QCOMPARE(settings.standardFormat, standardFormat);
    QCOMPARE(settings.topLeftPosition, topLeft);
    QCOMPARE(QRect(QPoint(settings.area.x1, settings.area.y1), QPoint(settings.area.x2, settings.area.y2)), area);
}

void TestDevicePanels::selectedVideoSource()
{
    // The new project the window starts with selects HDMI 2.
    QCOMPARE(m_pWnd->GetVideoSource(), 3);
    const char *const radios[] = {"m_pDVI1Radio", "m_pDVI2Radio", "m_pHDMI1Radio", "m_pHDMI2Radio"};
    for (int i : {2, 0, 1, 3}) {
        Child<QRadioButton>(radios[i])->click();
        QCOMPARE(m_pWnd->GetVideoSource(), i);
        QCOMPARE(m_pWnd->m_pVideoInput->GetVideoSource(), i);
    }
    QStringList standards;
    auto *pCombo = Child<QComboBox>("m_pResizeStandCbBox");
    for (int i = 0; i < pCombo->count(); ++i)
        standards.append(pCombo->itemText(i) + QLatin1Char('=') + QString::number(pCombo->itemData(i).toInt()));
    QCOMPARE(standards, (QStringList{"HD1080 - 1920x1080=0", "UXGA - 1600x1200=1", "SXGA - 1280x1024=2",
                                     "HD720 - 1280x720=3", "XGA - 1024x768=4"}));
}

void TestDevicePanels::dmxMappingTable()
{
    QList<DMX_Mapping_t> mapping;
    CDmxConf::SetDefaultCommands(mapping);
    QCOMPARE(m_pWnd->m_pDMXConfig->SetDmxMapping(mapping), 0);
    auto *pTable = Child<QTableWidget>("m_pDmxMapTable");
    QCOMPARE(pTable->rowCount(), 10);
    QCOMPARE(pTable->horizontalHeaderItem(0)->text(), QStringLiteral("DMX channel(s)"));
    const QList<QStringList> rows = {
        {"1", "Enable", "Enable DMX link"},
        {"7-10", "Color Temperature", "VPU's color temperature control"},
        {"11-13", "Gamma", "LPU's gamma control"},
        {"17", "Launch Preset", "Launch video presetting control"},
    };
    for (const QStringList &row : rows) {
        const QList<QTableWidgetItem *> found = pTable->findItems(row.at(1), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const int r = found.first()->row();
        QCOMPARE(pTable->item(r, 0)->text(), row.at(0));
        QCOMPARE(pTable->item(r, 2)->text(), row.at(2));
        QVERIFY(!(pTable->item(r, 0)->flags() & Qt::ItemIsEditable));
    }
    QCOMPARE(pTable->selectionModel()->selectedRows().value(0).row(), 0);
    QList<DMX_Mapping_t> back;
    QCOMPARE(m_pWnd->m_pDMXConfig->GetDmxMapping(back), 0);
    QCOMPARE(back, mapping);
    QCOMPARE(m_pWnd->m_pDMXConfig->SetDmxMapping({}), 0);
    QCOMPARE(pTable->rowCount(), 0);
}

// A mapping read from the VPU is shown as it came, even with a command the table lacks.
void TestDevicePanels::dmxMappingFromVpuWithUnknownCommand()
{
    QList<DMX_Mapping_t> mapping(3);
    mapping[0] = {0, 5, 1};
    mapping[1] = {11, 200, 2};
    mapping[2] = {255, 512, 1};
    QCOMPARE(m_pWnd->m_pDMXConfig->SetDmxMapping(mapping), 0);
    auto *pTable = Child<QTableWidget>("m_pDmxMapTable");
    QCOMPARE(pTable->rowCount(), 3);
    QCOMPARE(pTable->item(1, 0)->text(), QStringLiteral("200-201"));
    QCOMPARE(pTable->item(1, 1)->text(), QString());
    QCOMPARE(pTable->item(2, 2)->text(), QString());
    QList<DMX_Mapping_t> back;
    m_pWnd->m_pDMXConfig->GetDmxMapping(back);
    QCOMPARE(back, mapping);
}

void TestDevicePanels::inputCorrectionShown()
{
    InputCorr_t corr{3, 128, 128, 128, 0};
    m_pWnd->m_pInputColorCtrl->SetInputCorrection(corr);
    QCOMPARE(Child<QDoubleSpinBox>("m_pBrightnessSpin")->text(), QStringLiteral("100.00"));
    QCOMPARE(Child<QDoubleSpinBox>("m_pContrastSpin")->text(), QStringLiteral("50.20"));
    QCOMPARE(Child<QDoubleSpinBox>("m_pHueSpin")->text(), QStringLiteral("-90.00"));
    QCOMPARE(Child<QDoubleSpinBox>("m_pSaturationSpin")->text(), QStringLiteral("50.20"));
    corr = {0, 200, 255, 64, 255};
    m_pWnd->m_pInputColorCtrl->SetInputCorrection(corr);
    QCOMPARE(Child<QSlider>("m_pBrightnessSlider")->value(), 128);
    QCOMPARE(Child<QDoubleSpinBox>("m_pBrightnessSpin")->text(), QStringLiteral("100.00"));
    QCOMPARE(Child<QSlider>("m_pContrastSlider")->value(), 255);
    QCOMPARE(Child<QDoubleSpinBox>("m_pHueSpin")->text(), QStringLiteral("90.00"));
    QCOMPARE(Child<QSlider>("m_pSaturationSlider")->value(), 64);
}

void TestDevicePanels::outputCorrectionShown()
{
    OutputColorCtrl *pPanel = m_pWnd->m_pOutputColorCtrl;
    auto *pStandard = Child<QGroupBox>("m_pStandardColorTempGpBox");
    auto *pCustom = Child<QGroupBox>("m_pCustomColorTempGpBox");
    auto *pExpert = Child<QGroupBox>("m_pExpertColorTempGpBox");
    auto *pCombo = Child<QComboBox>("m_pWhiteStandCbBox");
    QCOMPARE(pCombo->count(), 4);
    QCOMPARE(pCombo->itemText(0), QStringLiteral("No Correction"));
    QCOMPARE(pCombo->itemText(2), QStringLiteral("6500 K"));

    OutputCorr_t corr{};
    corr = {250, 40, 0, 3, 6500, 256, 512, 0};
    pPanel->SetOutputCorrection(corr);
    QVERIFY(pExpert->isChecked() && !pStandard->isChecked() && !pCustom->isChecked());
    QCOMPARE(Child<QDoubleSpinBox>("m_pColorTempRedSpin")->text(), QStringLiteral("0.500"));
    QCOMPARE(Child<QDoubleSpinBox>("m_pColorTempGreenSpin")->text(), QStringLiteral("1.000"));
    QCOMPARE(Child<QDoubleSpinBox>("m_pColorTempBlueSpin")->text(), QStringLiteral("0.000"));
    QCOMPARE(Child<QSlider>("m_pGammaRSlider")->value(), 250);
    QCOMPARE(Child<QDoubleSpinBox>("m_pGammaRSpin")->text(), QStringLiteral("2.50"));
    QCOMPARE(Child<QSlider>("m_pGammaBSlider")->value(), 1); // clamped to the slider's range

    corr = {40, 40, 40, 1, 9600, 512, 512, 512};
    pPanel->SetOutputCorrection(corr);
    QVERIFY(pStandard->isChecked() && !pExpert->isChecked());
    QCOMPARE(pCombo->currentIndex(), 3);
    corr.colorTemp = 5000; // not a standard: no entry, so an apply keeps 5000
    pPanel->SetOutputCorrection(corr);
    QCOMPARE(pCombo->currentIndex(), -1);
    corr.whiteMode = 0;
    pPanel->SetOutputCorrection(corr);
    QCOMPARE(pCombo->currentIndex(), 0);
    corr.whiteMode = 2;
    corr.colorTemp = 4300;
    pPanel->SetOutputCorrection(corr);
    QVERIFY(pCustom->isChecked() && !pStandard->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pWhiteCustSpin")->value(), 4300);
    corr.whiteMode = 9;
    pPanel->SetOutputCorrection(corr);
    QVERIFY(!pCustom->isChecked() && !pStandard->isChecked() && !pExpert->isChecked());
}

void TestDevicePanels::fixtureCombos()
{
    CFixture *a = NewFixture(1, 2);
    CFixture *b = NewFixture(0, 0);
    CFixture *c = NewFixture(2, 1);
    for (const char *pcPanel : {"FixtureSettings", "SasuSettings"}) {
        QWidget *pPanel = m_pWnd->findChild<QWidget *>(QLatin1String(pcPanel));
        auto *pCombo = pPanel->findChild<QComboBox *>(QStringLiteral("m_pFixtNameCbBox"));
        QVERIFY(!pPanel->isEnabled());
        if (auto *pFixtures = qobject_cast<FixtureSettings *>(pPanel))
            pFixtures->UpdateFixtureList({a, b, c});
        else
            qobject_cast<SasuSettings *>(pPanel)->UpdateFixtureList({a, b, c});
        QVERIFY(pPanel->isEnabled());
        QCOMPARE(pCombo->count(), 3);
        QCOMPARE(pCombo->itemText(1), b->GetName());
        QCOMPARE(pCombo->itemData(2).value<QGraphicsItem *>(), static_cast<QGraphicsItem *>(c));
        QCOMPARE(pCombo->currentIndex(), 0);
        // The SASU panel selects its current fixture alone on the scene.
        m_pWnd->Scene()->clearSelection();
        // One fixture selected on the scene becomes the current item; two change nothing.
        c->setSelected(true);
        QCOMPARE(pCombo->currentIndex(), 2);
        b->setSelected(true);
        QCOMPARE(pCombo->currentIndex(), 2);
        m_pWnd->Scene()->clearSelection();
    }
    a->SetNumber(1, 5);
    m_pWnd->m_pFixtureSettings->UpdateItemTexts();
    QCOMPARE(Child<QComboBox>("m_pFixtNameCbBox")->itemText(0), a->GetName());
    m_pWnd->m_pFixtureSettings->ClearFixtureList();
    QVERIFY(!m_pWnd->m_pFixtureSettings->isEnabled());
    QVERIFY(
        !disconnect(a, &CFixture::sigSelChange, m_pWnd->m_pFixtureSettings, &FixtureSettings::s_OnItemSelectionChange));
}

void TestDevicePanels::fixtureUpdateFollowsListAndLink()
{
    FixtureUpdate *pPanel = m_pWnd->m_pFixtureUpdate;
    const QStringList governed = {"m_pFirmProgAllBtn",   "m_pFirmProgFixtBtn",       "m_pLpuGainProgBtn",
                                  "m_pProgParamBtn",     "m_pGetCurrentSettingsBtn", "m_pLedMapProgAllBtn",
                                  "m_pLedMapProgFixtBtn"};
    auto governedEnabled = [&](bool bExpected) {
        for (const QString &qsName : governed) {
            if (pPanel->findChild<QWidget *>(qsName)->isEnabledTo(pPanel) != bExpected)
                return false;
        }
        return true;
    };
    pPanel->SetOnline(true);
    QVERIFY(governedEnabled(false)); // no fixture to program
    CFixture *a = NewFixture(1, 2);
    CFixture *b = NewFixture(1, 1);
    b->setSelected(true);
    pPanel->UpdateFixtureList({a, b});
    QVERIFY(governedEnabled(true));
    // The first fixture becomes the selected one, alone among the listed.
    QVERIFY(a->isSelected());
    QVERIFY(!b->isSelected());
    auto *pCombo = pPanel->findChild<QComboBox *>(QStringLiteral("m_pFixtCbBox"));
    pCombo->setCurrentIndex(1);
    QVERIFY(b->isSelected());
    QVERIFY(!a->isSelected());
    pPanel->SetOnline(false);
    QVERIFY(governedEnabled(false));
    pPanel->ClearFixtureList();
    QCOMPARE(pCombo->count(), 0);
}

QTEST_MAIN(TestDevicePanels)
#include "tst_devicepanels.moc"
