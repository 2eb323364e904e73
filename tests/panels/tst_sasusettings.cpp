// The SASU settings panel on a window linked to a simulated VPU: thresholds written to and
// read from the SASU and what the project then saves, the four sensors shown, and the manual
// switches written into a register that holds more than them.
#include "panels/device/sasusettings.h"
#include "scene/fixture.h"
#include "support/panelinput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

class TestSasuSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_Ui.Stop(); }

    void writeThresholdsPermanent();
    void readNegativeThresholdsAndSave();
    void sensorsShown_data();
    void sensorsShown();
    void manualSwitches_data();
    void manualSwitches();

private:
    template <typename T> T *S(const QString &qsName) const
    {
        return m_Ui.Child<T>(qsName, m_Ui.Wnd()->m_pSasuSettings);
    }
    bool Run(QAbstractButton *pButton) const { return m_Ui.Click(pButton); }
    QStringList Sent() const { return m_Ui.Requests(); }
    QStringList Boxes() const { return m_Ui.Boxes(); }

    OnlinePanels m_Ui;
};

void TestSasuSettings::init()
{
    QVERIFY(m_Ui.Start(QStringLiteral("127.0.17.2"), false));
    m_Ui.Sim().Device().AddFixture(1, 1, SimFixtureConfig(8, 0x10000001, 0, 0, 0, 0, 0, 0, 100));
    QCOMPARE(WriteProjectFile("sasu.prj", {FixtureRecord(1, 2, 1, 0, 0), FixtureRecord(1, 1, 0x10000001, 200, 0)}, {}),
             0);
    QCOMPARE(m_Ui.Wnd()->LoadProject("sasu.prj"), 0);
    m_Ui.Wnd()->m_pSasuSettings->SetOnline(true);
    auto *pCombo = S<QComboBox>("m_pFixtNameCbBox");
    pCombo->setCurrentIndex(pCombo->findText("S1.1"));
    QVERIFY(S<QGroupBox>("m_pTempMoniGpBox")->isEnabled());
}

void TestSasuSettings::writeThresholdsPermanent()
{
    // A new fixture holds 0, 90, 80, 0, 60, 50; the operator switches the black-out on.
    QTest::keyClick(S<QGroupBox>("m_pBlackOutGpBox"), Qt::Key_Space);
    QVERIFY(Run(S<QPushButton>("m_pConfigPermanentBtn")));
    QCOMPARE(Sent(), QStringList{"2e 0b 00 00 00 01 01 00 00 00 01 5a 50 00 3c 32"});
}

void TestSasuSettings::readNegativeThresholdsAndSave()
{
    // Black-out mode 2 (off to the device), -10 / -20; fan monitoring on, -60 / -100.
    m_Ui.Sim().Device().SetSasuConfig(1, 1, Bytes("02 f6 ec 01 c4 9c"));
    QVERIFY(Run(S<QPushButton>("m_pReadConfigPermanentBtn")));
    QCOMPARE(Sent(), QStringList{"2f 05 00 00 00 01 01 00 00 00"});
    QVERIFY(!S<QGroupBox>("m_pBlackOutGpBox")->isChecked());
    QCOMPARE(S<QSpinBox>("m_pBlackOutOnSpin")->value(), -10);
    QCOMPARE(S<QSpinBox>("m_pFanMoniOffSpin")->value(), -100);
    QVERIFY(!S<QCheckBox>("m_pSwitchFanCkBox")->isEnabled());

    QCOMPARE(m_Ui.Wnd()->SaveProject("saved.prj"), 0);
    const QString qsAttrs = "concat(//*[@fan_mode='1']/@blackout_mode,' ',//*[@fan_mode='1']/@blackout_on,' ',"
                            "//*[@fan_mode='1']/@blackout_off,' ',//*[@fan_mode='1']/@fan_on,' ',"
                            "//*[@fan_mode='1']/@fan_off)";
    QCOMPARE(ToolOutput("xmllint", {"--xpath", qsAttrs, "saved.prj"}), QStringLiteral("0 -10 -20 -60 -100"));
    QCOMPARE(m_Ui.Wnd()->LoadProject("saved.prj"), 0);
    const SasuConfig_t t = FindFixture(m_Ui.Wnd(), 1, 1)->GetSasuConfig();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&t), 6).toHex(' '), QByteArray("00 f6 ec 01 c4 9c"));
}

void TestSasuSettings::sensorsShown_data()
{
    QTest::addColumn<int>("status"); // injected VPU status
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("four kinds") << 0
                                << QStringList{"Sensor 1 - Temperature (°C)=23.5", "Sensor 2 - Humidity (%)=OOR",
                                               "Sensor 3 - Brightness (lux)=ERROR", "Sensor 4 - None=----"};
    QTest::newRow("failed") << -6 << QStringList(4, "Sensor %1 - Unknown=Error");
}

void TestSasuSettings::sensorsShown()
{
    QFETCH(int, status);
    QFETCH(QStringList, shown);
    // Temperature 23.5; humidity out of range; brightness in error; none, whatever it says.
    m_Ui.Sim().Device().SetSensorValues(
        1, 1, Bytes("01 00 00 00 00 bc 41 02 00 01 00 00 00 00 03 00 02 00 00 00 00 00 00 02 00 00 80 3f"));
    m_Ui.Sim().Model().SetFault(44, VpuSimFault{status});
    QVERIFY(Run(S<QPushButton>("m_pGetSensorValBtn")));
    QCOMPARE(Sent(), QStringList{"2c 05 00 00 00 01 01 00 00 00"});
    for (int i = 0; i < 4; ++i) {
        const QString qsRow = QString::number(i);
        QCOMPARE(S<QLabel>("m_pSensor" + qsRow + "Lbl")->text() + '=' +
                     S<QLCDNumber>("m_pSensor" + qsRow + "Lcd")->property("shownText").toString(),
                 shown.at(i).arg(i + 1));
    }
}

void TestSasuSettings::manualSwitches_data()
{
    QTest::addColumn<uint>("before");
    QTest::addColumn<bool>("fanMonitoring");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("failing"); // request id that fails with -5
    QTest::addColumn<uint>("after");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("boxes"); // fan relay spare
    QTest::addColumn<QString>("box");
    const QStringList relay{"m_pSwitchRelayCkBox"};
    QTest::newRow("other bits kept") << 0xABCD0004u << false << QStringList{"m_pSwitchFanCkBox", "m_pSwitchRelayCkBox"}
                                     << 0 << 0xABCD0003u << 2 << "1 1 0" << QString();
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
    QFETCH(int, failing);
    QFETCH(uint, after);
    QFETCH(int, requests);
    QFETCH(QString, boxes);
    QFETCH(QString, box);
    m_Ui.Sim().Device().SetFixtureRegister(1, 1, SasuSettings::SWITCH_REGISTER, before);
    if (fanMonitoring)
        QTest::keyClick(S<QGroupBox>("m_pFanMoniGpBox"), Qt::Key_Space);
    for (const QString &qsName : clicks)
        QTest::keyClick(S<QCheckBox>(qsName), Qt::Key_Space);
    if (failing != 0)
        m_Ui.Sim().Model().SetFault(quint8(failing), VpuSimFault{-5});
    QVERIFY(Run(S<QPushButton>("m_pManuSwitchWrBtn")));

    QCOMPARE(Sent().size(), requests);
    QCOMPARE(Sent().first(), QStringLiteral("24 09 00 00 00 01 01 00 00 00 00 02 20 00"));
    QCOMPARE(m_Ui.Sim().Device().FixtureRegister(1, 1, SasuSettings::SWITCH_REGISTER), after);
    QString qsShown;
    for (const char *pcName : {"m_pSwitchFanCkBox", "m_pSwitchRelayCkBox", "m_pSwitchSpareCkBox"})
        qsShown += QString::number(int(S<QCheckBox>(pcName)->isChecked())) + ' ';
    QCOMPARE(qsShown.trimmed(), boxes);
    QCOMPARE(Boxes().size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QVERIFY2(Boxes().first().startsWith(box), qPrintable(Boxes().first()));
}

QTEST_MAIN(TestSasuSettings)
#include "tst_sasusettings.moc"
