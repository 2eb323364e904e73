// The fixture settings panel as the operator uses it on a simulated VPU: the test colour
// register, the gain percent rule and the intensity register, replies shared with other
// senders, and the placement kept in step with the fixture both ways.
#include "panels/device/fixturesettings.h"
#include "panelsimtest.h"
#include "scene/fixture.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSlider>

namespace {

const char *const kAddress = "127.0.0.161";
constexpr quint32 kTestColor = 0x200504;

} // namespace

class TestFixtureSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testColour_data();
    void testColour();
    void gainPercent_data();
    void gainPercent();
    void luminosityReplyLeavesOtherRequestPending();
    void placementBothWays();

private:
    template <typename T> T *Child(const char *pcName) const
    {
        return m_Sim.Wnd()->m_pFixtureSettings->findChild<T *>(QLatin1String(pcName));
    }

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    PanelSim m_Sim;
};

void TestFixtureSettings::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestFixtureSettings::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    QVERIFY(m_Sim.Start(kAddress, *m_pBase, {FixtureRecord(1, 1, 1, 100, 50), FixtureRecord(1, 2, 1, 600, 50)}, {}));
}

void TestFixtureSettings::cleanup()
{
    m_Sim = PanelSim();
    m_pPrompts.reset();
}

void TestFixtureSettings::testColour_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("status");
    QTest::addColumn<quint32>("reg"); // the register afterwards (0x1234 when the write failed)
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("shown");
    const QList<int> typed = {255, 128, 0};
    QTest::newRow("apply") << "m_pLpuTestColorApplyBtn" << 0 << 0xFF800001u << "Test color configured!" << typed;
    QTest::newRow("stop") << "m_pLpuTestColorStopBtn" << 0 << 0u << "Test color stopped!" << typed;
    QTest::newRow("default") << "m_pLpuTestColorDefaultBtn" << 0 << 1u << "Test color configured!"
                             << QList<int>{0, 0, 0};
    QTest::newRow("apply fails") << "m_pLpuTestColorApplyBtn" << -202 << 0x1234u << "Failed to configure test color!"
                                 << typed;
    QTest::newRow("stop fails") << "m_pLpuTestColorStopBtn" << -202 << 0x1234u << "Failed to stop test color!" << typed;
}

void TestFixtureSettings::testColour()
{
    QFETCH(QString, button);
    QFETCH(int, status);
    QFETCH(quint32, reg);
    QFETCH(QString, message);
    QFETCH(QList<int>, shown);
    const char *const apcSpins[] = {"m_pLpuTestColorRedSpin", "m_pLpuTestColorGreenSpin", "m_pLpuTestColorBlueSpin"};
    // Each finished edit writes at once.
    for (int i = 0; i < 3; ++i) {
        TypeInto(Child<QSpinBox>(apcSpins[i]), QString::number(QList<int>{255, 128, 0}.at(i)));
        QVERIFY(m_Sim.Sim().WaitEnabled());
    }
    QCOMPARE(m_Sim.Requests(38).size(), 2); // blue stayed 0
    QCOMPARE(m_Sim.Sim().Device().FixtureRegister(1, 1, kTestColor), 0xFF800001u);
    m_Sim.Sim().Device().SetFixtureRegister(1, 1, kTestColor, 0x1234);
    VpuSimFault fault;
    fault.iStatus = status;
    m_Sim.Sim().Model().SetFault(38, fault);
    m_pBase->Traces().Clear();

    QTest::mouseClick(Child<QPushButton>(qPrintable(button)), Qt::LeftButton);
    QVERIFY(!m_Sim.Wnd()->isEnabled());
    QVERIFY(m_Sim.Sim().WaitEnabled());
    QCOMPARE(m_Sim.Sim().Device().FixtureRegister(1, 1, kTestColor), reg);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(Child<QSpinBox>(apcSpins[i])->value(), shown.at(i));
    if (status == 0) {
        QVERIFY(m_pBase->Traces().Contains(message, TRACE_KIND_SUCCESS));
        QVERIFY(m_pPrompts->Messages().isEmpty());
    } else {
        QCOMPARE(MessageTexts(*m_pPrompts), QStringList{message});
        QCOMPARE(m_pPrompts->Messages().first().qsDetail,
                 QStringLiteral("(Error Code = -202) - Communication timeout with VPU!"));
    }
}

void TestFixtureSettings::gainPercent_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("gain");
    QTest::addColumn<double>("shown");
    QTest::addColumn<QStringList>("sent"); // FIXT_SET_LUMINOSITY to F1.1
    QTest::newRow("99.9") << "99.9" << 511 << 99.8 << QStringList{"33 09 00 00 00 01 01 00 00 00 00 02 f8 1f"};
    QTest::newRow("50") << "50" << 256 << 50.0 << QStringList{"33 09 00 00 00 01 01 00 00 00 00 02 08 10"};
    QTest::newRow("0.1") << "0.1" << 1 << 0.2 << QStringList{"33 09 00 00 00 01 01 00 00 00 00 02 18 00"};
    QTest::newRow("100 is the slider's value") << "100" << 512 << 100.0 << QStringList();
}

void TestFixtureSettings::gainPercent()
{
    QFETCH(QString, typed);
    QFETCH(int, gain);
    QFETCH(double, shown);
    QFETCH(QStringList, sent);
    TypeInto(Child<QDoubleSpinBox>("m_pLpuRedSpin"), typed);
    QCOMPARE(Child<QSlider>("m_pLpuRedSlider")->value(), gain);
    QCOMPARE(Child<QDoubleSpinBox>("m_pLpuRedSpin")->value(), shown);
    FixtureIntensity_t tStored;
    m_Sim.Wnd()->AllFixtures().first()->GetIntensity(&tStored);
    QCOMPARE(int(tStored.Red()), gain);
    // Intensity requests leave the window enabled.
    QVERIFY(m_Sim.Wnd()->isEnabled());
    QTRY_COMPARE(m_Sim.Requests(51), sent);
}

void TestFixtureSettings::luminosityReplyLeavesOtherRequestPending()
{
    VpuSimFault slow;
    slow.iDelayMs = 400;
    m_Sim.Sim().Model().SetFault(38, slow);
    SignalLog lumi(&m_Sim.Wnd()->m_VpuCom, &CVpuCom::sigSetFixtureLuminosityMsg);
    TypeInto(Child<QSpinBox>("m_pLpuLumiSpin"), QStringLiteral("50"));
    QTest::mouseClick(Child<QPushButton>("m_pLpuTestColorApplyBtn"), Qt::LeftButton);
    QVERIFY(lumi.wait());
    QTest::qWait(50);
    QVERIFY(!m_Sim.Wnd()->isEnabled());
    QVERIFY(m_Sim.Sim().WaitEnabled());
    QCOMPARE(m_Sim.Requests(38), QStringList{"26 0d 00 00 00 01 01 00 00 00 04 05 20 00 01 00 00 00"});
}

void TestFixtureSettings::placementBothWays()
{
    Zelvor *pWnd = m_Sim.Wnd();
    CFixture *pFixture = pWnd->AllFixtures().first();
    // Rebuilt lists must not leave a second link behind: one refusal, one box.
    for (int i = 0; i < 3; ++i)
        pWnd->UpdateFixtureLists();
    auto *pHor = Child<QSpinBox>("m_pFixtPosHorSpin");
    auto *pVer = Child<QSpinBox>("m_pFixtPosVertSpin");

    const QPointF from = pFixture->sceneBoundingRect().center();
    m_Sim.Drag(from, from + QPointF(200, 100));
    QCOMPARE(pHor->value(), qRound(pFixture->scenePos().x()));
    QCOMPARE(pVer->value(), qRound(pFixture->scenePos().y()));
    QVERIFY(pHor->value() != 100);

    TypeInto(pHor, QStringLiteral("700"));
    QCOMPARE(pFixture->scenePos().x(), 700.0);
    TypeInto(pHor, QStringLiteral("1919"));
    QCOMPARE(pFixture->scenePos().x(), 700.0);
    QCOMPARE(pHor->value(), 700);
    QCOMPARE(MessageTexts(*m_pPrompts).size(), 1);
    QVERIFY(MessageTexts(*m_pPrompts).first().startsWith(QStringLiteral("Fixture L1.1 does not fit in the scene")));
    // Nothing of the placement goes to the VPU without its buttons.
    QVERIFY(m_Sim.Sim().Model().Messages().isEmpty());
}

QTEST_MAIN(TestFixtureSettings)
#include "tst_fixturesettings.moc"
