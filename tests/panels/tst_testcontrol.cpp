// The test control panel driven as the operator does, on a main window linked to a simulated
// VPU: the bytes of each test function, one error box per failure, and the dot-correction run
// over the selected fixtures.
#include "panels/device/testcontrol.h"
#include "scene/fixture.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/zelvorsim.h"

#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const char kOn[] = "04 00 29 00 01 00 00 00";
const char kOff[] = "04 00 29 00 00 00 00 00";

} // namespace

class TestTestControl : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void requests_data();
    void requests();
    void customColour();
    void dotCorrectionSelected_data();
    void dotCorrectionSelected();

private:
    template <typename T> T *Child(const QString &qsName) const
    {
        return m_pSim->Wnd()->m_pTestControl->findChild<T *>(qsName);
    }
    void Click(const QString &qsButton) const { QTest::mouseClick(Child<QPushButton>(qsButton), Qt::LeftButton); }
    QString Spins() const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestTestControl::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestTestControl::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pBase->Traces().Clear();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.19.2"));
    QVERIFY(m_pSim->Start());
    // Built offline: disabled, black on the custom controls, nothing sent.
    QVERIFY(!Child<QPushButton>(QStringLiteral("m_pFullRedBtn"))->isEnabled());
    QCOMPARE(Spins(), QStringLiteral("0 0 0"));
    QVERIFY(m_pBase->Traces().Contains(QStringLiteral("Restore default colors for custom color!")));
    QCOMPARE(m_pSim->Model().Messages(), QList<QByteArray>());

    const QList<ProjectFixture_t> lFixtures = {
        FixtureRecord(1, 1, 0x00000001, 0, 0),   FixtureRecord(1, 2, 0x10000001, 200, 0),
        FixtureRecord(1, 3, 0x00000001, 400, 0), FixtureRecord(0, 1, 0x00000001, 600, 0),
        FixtureRecord(1, 4, 0x00000001, 800, 0),
    };
    for (const ProjectFixture_t &t : lFixtures) {
        if (t.output != 0)
            m_pSim->Device().AddFixture(t.output, t.number, SimFixtureConfig(t.number, t.type, 0, 0, 0, 0, 0, 0, 100));
    }
    QVERIFY(m_pSim->Enumerate());
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("test.prj"));
    QCOMPARE(WriteProjectFile(qsPath, lFixtures, {}), 0);
    QCOMPARE(m_pSim->Wnd()->LoadProject(qsPath), 0);
    m_pSim->Wnd()->m_pTestControl->SetOnline(true);
    m_pBase->Traces().Clear();
    m_pPrompts->Reset();
}

void TestTestControl::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

QString TestTestControl::Spins() const
{
    QStringList values;
    for (const char *pszName : {"m_pCustRedSpin", "m_pCustGreenSpin", "m_pCustBlueSpin"})
        values.append(QString::number(Child<QSpinBox>(QLatin1String(pszName))->value()));
    return values.join(QLatin1Char(' '));
}

void TestTestControl::requests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("vpuStatus");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("spins");
    QTest::addColumn<QString>("trace");
    QTest::addColumn<QString>("box");
    QTest::newRow("red") << "m_pFullRedBtn" << 0 << "10 03 00 00 00 ff 00 00"
                         << "255 0 0"
                         << "Set Full Screen Red..." << QString();
    QTest::newRow("white") << "m_pFullWhiteBtn" << 0 << "10 03 00 00 00 ff ff ff"
                           << "255 255 255"
                           << "Set Full Screen White..." << QString();
    QTest::newRow("black fails") << "m_pFullBlackBtn" << -3 << "10 03 00 00 00 00 00 00"
                                 << "0 0 0"
                                 << "Set Full Screen Black..."
                                 << "Failed to set Full screen test color!";
    QTest::newRow("default") << "m_pCustDefaultBtn" << 0 << "10 03 00 00 00 00 00 00"
                             << "0 0 0"
                             << "Set Full Screen Custom Color (Red=0, Green=0, Blue=0)..." << QString();
    QTest::newRow("freeze") << "m_pFreezeBtn" << 0 << "11 00 00 00 00"
                            << "0 0 0"
                            << "Freeze Current Video Output..." << QString();
    QTest::newRow("freeze fails") << "m_pFreezeBtn" << -3 << "11 00 00 00 00"
                                  << "0 0 0"
                                  << "Freeze Current Video Output..."
                                  << "Failed to Freeze Current Video Output!";
    QTest::newRow("stop fails") << "m_pStopTestBtn" << -3 << "13 00 00 00 00"
                                << "0 0 0"
                                << "Stop test functions..."
                                << "Failed to stop tests functions!";
    QTest::newRow("dot correction on all")
        << "m_pDotCorrAllEnaBtn" << 0 << "26 0d 00 00 00 ff ff ff ff ff " + QString(kOn) << "0 0 0"
        << "Dot correction enabled on all fixtures!" << QString();
    QTest::newRow("dot correction off all fails")
        << "m_pDotCorrAllDisBtn" << -3 << "26 0d 00 00 00 ff ff ff ff ff " + QString(kOff) << "0 0 0"
        << "Disabling dot correction on all fixtures..."
        << "Failed to set dot correction state on all fixtures!";
}

// One request each, the colour shown on the custom controls, and a failure shown once.
void TestTestControl::requests()
{
    QFETCH(QString, button);
    QFETCH(int, vpuStatus);
    QFETCH(QString, request);
    QFETCH(QString, spins);
    QFETCH(QString, trace);
    QFETCH(QString, box);
    if (vpuStatus != 0) {
        VpuSimFault tFault;
        tFault.iStatus = vpuStatus;
        for (quint8 ucId : {16, 17, 19, 38})
            m_pSim->Model().SetFault(ucId, tFault);
    }
    Click(button);
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(MessageTexts(*m_pPrompts), box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{request});
    QCOMPARE(Spins(), spins);
    QVERIFY(m_pBase->Traces().Contains(trace));
    if (button.startsWith(QLatin1String("m_pFull")))
        QVERIFY(!m_pBase->Traces().Texts().join('\n').contains(QLatin1String("Custom Color (")));
}

// A released slider or a confirmed spin value sends the three sliders at once; a typed value
// the slider already has sends nothing.
void TestTestControl::customColour()
{
    QSpinBox *pRed = Child<QSpinBox>(QStringLiteral("m_pCustRedSpin"));
    pRed->selectAll();
    QTest::keyClicks(pRed, QStringLiteral("40"));
    QCOMPARE(m_pSim->Model().Messages().size(), 0);
    QTest::keyClick(pRed, Qt::Key_Return);
    QVERIFY(m_pSim->WaitEnabled());
    QTest::keyClick(Child<QSlider>(QStringLiteral("m_pCustGreenSlider")), Qt::Key_PageUp);
    QVERIFY(m_pSim->WaitEnabled());
    pRed->selectAll();
    QTest::keyClicks(pRed, QStringLiteral("40"));
    QTest::keyClick(pRed, Qt::Key_Return);
    Click(QStringLiteral("m_pCustApplyBtn"));
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(HexList(m_pSim->Model().Messages()),
                 (QStringList{"10 03 00 00 00 28 00 00", "10 03 00 00 00 28 0a 00", "10 03 00 00 00 28 0a 00"}));
    QCOMPARE(Spins(), QStringLiteral("40 10 0"));
    QVERIFY(m_pBase->Traces().Contains(QStringLiteral("Set Full Screen Custom Color (Red=40, Green=10, Blue=0)...")));
}

void TestTestControl::dotCorrectionSelected_data()
{
    QTest::addColumn<QStringList>("selected"); // output.number
    QTest::addColumn<bool>("enable");
    QTest::addColumn<int>("failAfter"); // writes answered rightly before the VPU fails, -1: none
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("traces");
    QTest::addColumn<QString>("box");
    const QString qsWrite = QStringLiteral("26 0d 00 00 00 01 0%1 00 00 00 %2");
    // Fixture F1.4 is listed after the not-cabled one: the window's list order counts.
    QTest::newRow("all good, SASU and not cabled skipped")
        << QStringList{"1.4", "0.1", "1.3", "1.2", "1.1"} << false << -1
        << QStringList{qsWrite.arg(1).arg(kOff), qsWrite.arg(3).arg(kOff), qsWrite.arg(4).arg(kOff)}
        << QStringList{"    Fixture S1.2 skipped: a SASU has no dot correction!",
                       "    Fixture L0.1 skipped: it is not cabled!",
                       "Disabling dot correction on fixture F1.1 ...",
                       "Dot correction disabled on fixture F1.1!",
                       "Dot correction disabled on fixture F1.4!",
                       "Dot correction disabled on selected fixture(s)!"}
        << QString();
    QTest::newRow("second fails") << QStringList{"1.1", "1.3", "1.4"} << true << 1
                                  << QStringList{qsWrite.arg(1).arg(kOn), qsWrite.arg(3).arg(kOn)}
                                  << QStringList{"Dot correction enabled on fixture F1.1!"}
                                  << "Failed to set dot correction state on fixture F1.3!";
    QTest::newRow("only a SASU") << QStringList{"1.2"} << true << -1 << QStringList()
                                 << QStringList{"Nothing to do because no fixture is selected on the scene!"}
                                 << QString();
}

void TestTestControl::dotCorrectionSelected()
{
    QFETCH(QStringList, selected);
    QFETCH(bool, enable);
    QFETCH(int, failAfter);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, traces);
    QFETCH(QString, box);
    if (failAfter >= 0) {
        VpuSimFault tFault;
        tFault.iStatus = -3;
        tFault.iAfter = failAfter;
        m_pSim->Model().SetFault(38, tFault);
    }
    m_pSim->Wnd()->Scene()->clearSelection();
    for (const QString &qsAddr : selected)
        FindFixture(m_pSim->Wnd(), qsAddr.section('.', 0, 0).toUInt(), qsAddr.section('.', 1).toUInt())
            ->setSelected(true);
    Click(QLatin1String(enable ? "m_pDotCorrSelectedEnaBtn" : "m_pDotCorrSelectedDisBtn"));
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(MessageTexts(*m_pPrompts), box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(HexList(m_pSim->Model().Messages()), requests);
    for (const QString &qsLine : traces)
        QVERIFY2(m_pBase->Traces().Contains(qsLine), qPrintable(qsLine));
    const bool bSummary = m_pBase->Traces().Texts().join('\n').contains(QLatin1String("on selected fixture(s)!"));
    QCOMPARE(bSummary, requests.size() > 0 && box.isEmpty());
}

QTEST_MAIN(TestTestControl)
#include "tst_testcontrol.moc"
