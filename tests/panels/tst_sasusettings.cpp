// The SASU settings panel as the operator uses it on a window linked to a simulated VPU: the
// thresholds written to and read from the SASU (and what the project then saves), the four
// sensors shown, and the manual switches written into a register that holds more than them.
#include "mainwindow/zelvor.h"
#include "panels/device/sasusettings.h"
#include "paneltest.h"
#include "scene/fixture.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <memory>

namespace {

const char *const kAddress = "127.0.17.2";
constexpr quint32 kSasuType = 0x10000001;

} // namespace

class TestSasuSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void writeThresholdsPermanent();
    void readNegativeThresholdsAndSave();
    void sensorsShown_data();
    void sensorsShown();
    void manualSwitches_data();
    void manualSwitches();

private:
    template <typename T> T *Child(const char *pcName) const
    {
        T *p = m_pSim->Wnd()->m_pSasuSettings->findChild<T *>(QLatin1String(pcName));
        if (!p)
            qFatal("no widget %s", pcName);
        return p;
    }
    // Clicks a button and waits for the window to be enabled again.
    void Run(const char *pcButton);

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestSasuSettings::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestSasuSettings::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(kAddress));
    QVERIFY(m_pSim->Start());
    m_pSim->Device().AddFixture(1, 2, SimFixtureConfig(7, 1, 0, 0, 0, 0, 0, 0, 100));
    m_pSim->Device().AddFixture(1, 1, SimFixtureConfig(8, kSasuType, 0, 0, 0, 0, 0, 0, 100));
    QVERIFY(m_pSim->Enumerate());
    QCOMPARE(WriteProjectFile(QStringLiteral("sasu.prj"),
                              {FixtureRecord(1, 2, 1, 0, 0), FixtureRecord(1, 1, kSasuType, 200, 0)}, {}),
             0);
    Zelvor *pWnd = m_pSim->Wnd();
    QCOMPARE(pWnd->LoadProject(QStringLiteral("sasu.prj")), 0);
    pWnd->m_pSasuSettings->SetOnline(true);
    auto *pCombo = Child<QComboBox>("m_pFixtNameCbBox");
    pCombo->setCurrentIndex(pCombo->findText(QStringLiteral("S1.1")));
    QVERIFY(Child<QGroupBox>("m_pTempMoniGpBox")->isEnabled());
}

void TestSasuSettings::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestSasuSettings::Run(const char *pcButton)
{
    m_pSim->Model().ClearLog();
    QTest::mouseClick(Child<QPushButton>(pcButton), Qt::LeftButton);
    QVERIFY(m_pSim->WaitEnabled());
}

void TestSasuSettings::writeThresholdsPermanent()
{
    // A new fixture holds 0, 90, 80, 0, 60, 50; the operator switches the black-out on.
    QTest::keyClick(Child<QGroupBox>("m_pBlackOutGpBox"), Qt::Key_Space);
    Run("m_pConfigPermanentBtn");
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{"2e 0b 00 00 00 01 01 00 00 00 01 5a 50 00 3c 32"});
    QCOMPARE(m_pSim->Device().SasuConfig(1, 1).toHex(' '), QByteArray("01 5a 50 00 3c 32"));
}

void TestSasuSettings::readNegativeThresholdsAndSave()
{
    // Black-out mode 2 (off to the device), -10 / -20; fan monitoring on, -60 / -100.
    m_pSim->Device().SetSasuConfig(1, 1, Bytes("02 f6 ec 01 c4 9c"));
    Run("m_pReadConfigPermanentBtn");
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{"2f 05 00 00 00 01 01 00 00 00"});
    QVERIFY(!Child<QGroupBox>("m_pBlackOutGpBox")->isChecked());
    QVERIFY(Child<QGroupBox>("m_pFanMoniGpBox")->isChecked());
    QCOMPARE(Child<QSpinBox>("m_pBlackOutOnSpin")->value(), -10);
    QCOMPARE(Child<QSpinBox>("m_pBlackOutOffSpin")->value(), -20);
    QCOMPARE(Child<QSpinBox>("m_pFanMoniOnSpin")->value(), -60);
    QCOMPARE(Child<QSpinBox>("m_pFanMoniOffSpin")->value(), -100);
    QVERIFY(!Child<QCheckBox>("m_pSwitchFanCkBox")->isEnabled());

    Zelvor *pWnd = m_pSim->Wnd();
    QCOMPARE(pWnd->SaveProject(QStringLiteral("saved.prj")), 0);
    QCOMPARE(ToolOutput(QStringLiteral("xmllint"),
                        {QStringLiteral("--xpath"),
                         QStringLiteral("concat(//*[@fan_mode='1']/@blackout_mode,' ',//*[@fan_mode='1']/@blackout_on,"
                                        "' ',//*[@fan_mode='1']/@blackout_off,' ',//*[@fan_mode='1']/@fan_on,' ',"
                                        "//*[@fan_mode='1']/@fan_off)"),
                         QStringLiteral("saved.prj")}),
             QStringLiteral("0 -10 -20 -60 -100"));
    QCOMPARE(pWnd->LoadProject(QStringLiteral("saved.prj")), 0);
    const SasuConfig_t t = FindFixture(pWnd, 1, 1)->GetSasuConfig();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&t), 6).toHex(' '), QByteArray("00 f6 ec 01 c4 9c"));
}

void TestSasuSettings::sensorsShown_data()
{
    QTest::addColumn<int>("status"); // injected VPU status
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("four kinds") << 0
                                << QStringList{"Sensor 1 - Temperature (°C)=23.5", "Sensor 2 - Humidity (%)=OOR",
                                               "Sensor 3 - Brightness (lux)=ERROR", "Sensor 4 - None=----"};
    QTest::newRow("failed") << -6
                            << QStringList{"Sensor 1 - Unknown=Error", "Sensor 2 - Unknown=Error",
                                           "Sensor 3 - Unknown=Error", "Sensor 4 - Unknown=Error"};
}

void TestSasuSettings::sensorsShown()
{
    QFETCH(int, status);
    QFETCH(QStringList, shown);
    // Temperature 23.5; humidity out of range; brightness in error; none, whatever it says.
    m_pSim->Device().SetSensorValues(
        1, 1, Bytes("01 00 00 00 00 bc 41 02 00 01 00 00 00 00 03 00 02 00 00 00 00 00 00 02 00 00 80 3f"));
    if (status != 0)
        m_pSim->Model().SetFault(44, VpuSimFault{status});
    Run("m_pGetSensorValBtn");
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{"2c 05 00 00 00 01 01 00 00 00"});
    QStringList got;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QByteArray::number(i);
        got.append(Child<QLabel>("m_pSensor" + name + "Lbl")->text() + QLatin1Char('=') +
                   Child<QLCDNumber>("m_pSensor" + name + "Lcd")->property("shownText").toString());
    }
    QCOMPARE(got, shown);
}

void TestSasuSettings::manualSwitches_data()
{
    QTest::addColumn<uint>("before");
    QTest::addColumn<bool>("fanMonitoring");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("faultId");
    QTest::addColumn<uint>("after");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("boxes"); // fan relay spare
    QTest::addColumn<QString>("box");
    const QStringList fanRelay{"m_pSwitchFanCkBox", "m_pSwitchRelayCkBox"};
    const QStringList relay{"m_pSwitchRelayCkBox"};
    QTest::newRow("other bits kept") << 0xABCD0004u << false << fanRelay << 0 << 0xABCD0003u << 2 << "1 1 0"
                                     << QString();
    QTest::newRow("monitored fan kept") << 0x80000001u << true << relay << 0 << 0x80000003u << 2 << "1 1 0"
                                        << QString();
    QTest::newRow("failed read, no write") << 4u << false << relay << 36 << 4u << 1 << "0 1 0"
                                           << "Failed to read SASU manual switches! | (Error Code = -5)";
    QTest::newRow("failed write shows the device") << 4u << false << relay << 38 << 4u << 2 << "0 0 1"
                                                   << "Failed to write SASU manual switches! | (Error Code = -5)";
}

void TestSasuSettings::manualSwitches()
{
    QFETCH(uint, before);
    QFETCH(bool, fanMonitoring);
    QFETCH(QStringList, clicks);
    QFETCH(int, faultId);
    QFETCH(uint, after);
    QFETCH(int, requests);
    QFETCH(QString, boxes);
    QFETCH(QString, box);
    m_pSim->Device().SetFixtureRegister(1, 1, SasuSettings::SWITCH_REGISTER, before);
    if (fanMonitoring)
        QTest::keyClick(Child<QGroupBox>("m_pFanMoniGpBox"), Qt::Key_Space);
    for (const QString &qsName : clicks)
        QTest::keyClick(Child<QCheckBox>(qPrintable(qsName)), Qt::Key_Space);
    if (faultId != 0)
        m_pSim->Model().SetFault(quint8(faultId), VpuSimFault{-5});
    Run("m_pManuSwitchWrBtn");

    const QList<QByteArray> sent = m_pSim->Model().Messages();
    QCOMPARE(int(sent.size()), requests);
    QCOMPARE(sent.first().toHex(' '), QByteArray("24 09 00 00 00 01 01 00 00 00 00 02 20 00"));
    QCOMPARE(m_pSim->Device().FixtureRegister(1, 1, SasuSettings::SWITCH_REGISTER), after);
    const QString shown = QStringLiteral("%1 %2 %3")
                              .arg(int(Child<QCheckBox>("m_pSwitchFanCkBox")->isChecked()))
                              .arg(int(Child<QCheckBox>("m_pSwitchRelayCkBox")->isChecked()))
                              .arg(int(Child<QCheckBox>("m_pSwitchSpareCkBox")->isChecked()));
    QCOMPARE(shown, boxes);
    const QStringList shownBoxes = Boxes(*m_pPrompts);
    QCOMPARE(shownBoxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QVERIFY2(shownBoxes.first().startsWith(box), qPrintable(shownBoxes.first()));
}

QTEST_MAIN(TestSasuSettings)
#include "tst_sasusettings.moc"
