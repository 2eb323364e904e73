// The project's download to a simulated VPU through the main window's own link: the exact
// requests and bytes, the refusals that must write nothing, a failure at every step, and a
// clean start after a failure.
#include "mainwindow/zelvor.h"
#include "panels/device/dmxconfig.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/sceneitems.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

const char *const kAddress = "127.0.0.100";

// The fixture count reply of a VPU: per output the enumeration flag, LPUs and SASUs.
void ReplyCounts(VpuSimModel &model, const QList<int> &lEnumerated, const QList<int> &lLpus, const QList<int> &lSasus)
{
    QByteArray baBody;
    for (int i = 0; i < 4; ++i)
        baBody.append(char(lEnumerated.at(i)));
    for (int i = 0; i < 4; ++i)
        SimPutU16(baBody, quint16(lLpus.at(i)));
    for (int i = 0; i < 4; ++i)
        SimPutU16(baBody, quint16(lSasus.at(i)));
    model.SetHandler(40, [baBody](VpuSimRequest &r) { return r.Reply(41, baBody); });
}

// Whether any of the six answers is still connected to the window (disconnecting tells).
bool AnyDownloadConnection(Zelvor *pWnd)
{
    CVpuCom *pCom = &pWnd->m_VpuCom;
    bool bAny = false;
    bAny |=
        QObject::disconnect(pCom, &CVpuCom::sigFixturesNumbersMsg, pWnd, &Zelvor::s_OnDownloadGetFixturesNumbersDone);
    bAny |=
        QObject::disconnect(pCom, &CVpuCom::sigGetFixtureConfigMsg, pWnd, &Zelvor::s_OnDownloadGetFixtureConfigDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigWriteFixtureConfigMsg, pWnd,
                                &Zelvor::s_OnDownloadWriteFixtureConfigDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigVideoPresetWrite, pWnd, &Zelvor::s_OnDownloadWriteVideoPresetDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigDmxMapWrite, pWnd, &Zelvor::s_OnDownloadWriteDmxDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigResetFixturesMsg, pWnd, &Zelvor::s_OnDownloadResetFixturesDone);
    return bAny;
}

// Ids of the requests that change the VPU or its fixtures.
bool WritesAnything(const QList<QByteArray> &lRequests)
{
    for (const QByteArray &ba : lRequests) {
        const quint8 ucId = quint8(ba.at(0));
        if (ba.size() >= 5 && (ucId == 54 || ucId == 33 || ucId == 31 || ucId == 58))
            return true;
    }
    return false;
}

// The four-fixture project of these tests: output 1 an LPU at half luminosity and a SASU with
// its own thresholds, output 3 two LPUs in group 2.
QList<ProjectFixture_t> FourFixtures()
{
    ProjectFixture_t f11 = FixtureRecord(1, 1, 0x00000001, 100, 50);
    f11.intensity = MakeIntensity(50, 512, 512, 512);
    ProjectFixture_t f12 = FixtureRecord(1, 2, 0x10000001, 164, 50);
    f12.sasuConfig = SasuConfig_t{1, 70, 60, 1, 45, 40};
    return {f11, f12, FixtureRecord(3, 1, 0x00000002, 400, 300, 0, 2), FixtureRecord(3, 2, 0x00000002, 528, 300, 0, 2)};
}

const char *const kExpectedFourFixtures[] = {
    "28 00 00 00 00",
    "2a 05 00 00 00 01 01 00 00 00",
    "2a 05 00 00 00 01 02 00 00 00",
    "2a 05 00 00 00 03 01 00 00 00",
    "2a 05 00 00 00 03 02 00 00 00",
    // F1.1: luminosity 50 scales each gain 512 to 256; an LPU gets the default thresholds.
    "36 33 00 00 00 01 01 00 00 00 00 01 04 10 32 00 64 00 32 00 00 00 64 00 32 00 00 00 00 00 00 00 00 00 "
    "00 5a 50 00 3c 32 40 40 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
    "36 33 00 00 00 01 02 00 00 00 00 02 08 20 64 00 a4 00 32 00 00 00 a4 00 32 00 00 00 00 00 00 00 00 00 "
    "01 46 3c 01 2d 28 40 40 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
    "36 33 00 00 00 03 01 00 00 00 00 02 08 20 64 00 90 01 2c 01 00 00 90 01 2c 01 02 00 00 00 90 01 2c 01 "
    "00 5a 50 00 3c 32 40 40 00 00 40 40 40 00 00 00 00 00 00 00 00 00",
    "36 33 00 00 00 03 02 00 00 00 00 02 08 20 64 00 10 02 2c 01 00 00 10 02 2c 01 02 00 00 00 90 01 2c 01 "
    "00 5a 50 00 3c 32 40 40 00 00 40 40 40 00 00 00 00 00 00 00 00 00",
    "21 23 00 00 00 01 00 00 00 02 01 5a 0a 00 14 00 00 05 d0 02 02 64 6e 78 05 dc 00 e6 00 f0 00 02 88 13 f4 "
    "01 fe 01 f9 01",
    "21 23 00 00 00 00 00 00 00 02 01 5a 0a 00 14 00 00 05 d0 02 02 64 6e 78 05 dc 00 e6 00 f0 00 02 88 13 f4 "
    "01 fe 01 f9 01",
    "1f 06 00 00 00 01 00 00 00 02 00",
    "01 01 00 01 03 0a 00 02",
    "1f 06 00 00 00 00 00 00 00 02 00",
    "01 01 00 01 03 0a 00 02",
    "3a 00 00 00 00",
};

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void requestsInOrderWithTheirBytes();
    void emptyProject();
    void refusedBeforeAnyWrite_data();
    void refusedBeforeAnyWrite();
    void notCabledFixtureSendsNothing();
    void declinedSendsNothing();
    void failureAtEachStep_data();
    void failureAtEachStep();

private:
    // A started window on the simulator holding the project of the records, with the VPU's
    // fixtures made to match and enumerated.
    bool Prepare(const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups);
    void SetSettings();
    void RunDownload();

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestDownload::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestDownload::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pBase->Traces().Clear();
}

void TestDownload::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

bool TestDownload::Prepare(const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups)
{
    m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(kAddress));
    if (!m_pSim->Start())
        return false;
    for (const ProjectFixture_t &t : lFixtures) {
        if (t.output >= 1 && t.output <= 4)
            m_pSim->Device().AddFixture(t.output, t.number,
                                        SimFixtureConfig(0x100 + t.number, t.type, 0, 0, 0, 0, 0, 0x20080200, 100));
    }
    if (!m_pSim->Enumerate())
        return false;
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("download.prj"));
    if (WriteProjectFile(qsPath, lFixtures, lGroups) != 0 || m_pSim->Wnd()->LoadProject(qsPath) != 0)
        return false;
    m_pPrompts->Reset();
    m_pBase->Traces().Clear();
    return true;
}

void TestDownload::SetSettings()
{
    SetTestPresetSettings();
    DMX_Mapping_t tEnable, tBrightness;
    tEnable.command = 1;
    tEnable.channel = 1;
    tEnable.size = 1;
    tBrightness.command = 3;
    tBrightness.channel = 10;
    tBrightness.size = 2;
    m_pSim->Wnd()->m_pDMXConfig->SetDmxMapping({tEnable, tBrightness});
}

void TestDownload::RunDownload()
{
    m_pPrompts->AnswerQuestion(QMessageBox::Yes);
    m_pSim->Wnd()->DownloadProject();
}

void TestDownload::requestsInOrderWithTheirBytes()
{
    QVERIFY(Prepare(FourFixtures(), {GroupRecord(2, 400, 300)}));
    ReplyCounts(m_pSim->Model(), {1, 1, 1, 1}, {1, 0, 2, 0}, {1, 0, 0, 0});
    SetSettings();
    Zelvor *pWnd = m_pSim->Wnd();

    RunDownload();
    QVERIFY(!pWnd->isEnabled());
    QVERIFY(m_pSim->WaitEnabled());

    QStringList lExpected;
    for (const char *pcHex : kExpectedFourFixtures)
        lExpected.append(QLatin1String(pcHex));
    QCOMPARE(HexList(m_pSim->Model().Requests()), lExpected);
    QCOMPARE(m_pSim->Model().Violations(), QStringList());
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());

    // The question asked, the traces of the run, the end.
    const QList<PromptCall_t> lCalls = m_pPrompts->Calls();
    QCOMPARE(lCalls.first().qsTitle, QStringLiteral("Configuration Download to VPU"));
    QCOMPARE(lCalls.first().qsText,
             QStringLiteral("Do you want to download the current configuration to connected VPU ?"));
    // Each fixture's write is counted as the operator follows it.
    QCOMPARE(
        m_pBase->Traces().Lines(TRACE_KIND_INFO).filter(QStringLiteral("Writing configuration on fixture ")).last(),
        QStringLiteral("Writing configuration on fixture 4/4..."));
    QVERIFY(m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project downloaded to VPU!")));
    QCOMPARE(pWnd->statusBar()->currentMessage(), QStringLiteral("Project downloaded to VPU!"));
    QVERIFY(!AnyDownloadConnection(pWnd));

    // What the VPU keeps now: the block landed in each fixture's own record.
    QCOMPARE(Hex(m_pSim->Device().FixtureConfig(3, 2).mid(16, 4)), QByteArray("10 02 2c 01"));
    QCOMPARE(Hex(m_pSim->Device().SasuConfig(1, 2)), QByteArray("01 46 3c 01 2d 28"));
    QCOMPARE(Hex(m_pSim->Device().Preset(0)), Hex(m_pSim->Device().Preset(1)));
    QCOMPARE(Hex(m_pSim->Device().DmxMap(0)), QByteArray("01 01 00 01 03 0a 00 02"));
}

void TestDownload::emptyProject()
{
    QVERIFY(Prepare({}, {}));
    ReplyCounts(m_pSim->Model(), {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0});
    SetSettings();
    RunDownload();
    QVERIFY(m_pSim->WaitEnabled());
    const QStringList lRequests = HexList(m_pSim->Model().Requests());
    QCOMPARE(lRequests.size(), 8);
    QCOMPARE(lRequests.first(), QStringLiteral("28 00 00 00 00"));
    QCOMPARE(lRequests.mid(1), QStringList(std::begin(kExpectedFourFixtures) + 9, std::end(kExpectedFourFixtures)));
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    QVERIFY(m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project downloaded to VPU!")));
}

void TestDownload::refusedBeforeAnyWrite_data()
{
    QTest::addColumn<QList<int>>("enumerated");
    QTest::addColumn<QList<int>>("lpus");
    QTest::addColumn<QList<int>>("sasus");
    // Fixture renumbered after loading: output, number, new number (0 none).
    QTest::addColumn<QList<int>>("renumber");
    // The SASU on F1.2 in the project is an LPU in the VPU.
    QTest::addColumn<bool>("kindSwapped");
    QTest::addColumn<QStringList>("boxes");

    const QString qsFailed = QStringLiteral("Failed to download project to VPU!");
    QTest::newRow("output 2 not enumerated, project uses 1 and 3")
        << QList<int>{1, 0, 1, 1} << QList<int>{1, 0, 2, 0} << QList<int>{1, 0, 0, 0} << QList<int>{} << false
        << QStringList{"Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_2)!", qsFailed};
    QTest::newRow("every output checked")
        << QList<int>{1, 1, 1, 0} << QList<int>{2, 0, 2, 0} << QList<int>{1, 0, 1, 0} << QList<int>{} << false
        << QStringList{"Invalid scene configuration: VPU detects 2 LPUs on HDMI_OUT_1 although project requires 1 "
                       "LPUs!",
                       "Invalid scene configuration: VPU detects 1 SASUs on HDMI_OUT_3 although project requires 0 "
                       "SASUs!",
                       "Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_4)!", qsFailed};
    QTest::newRow("gap in the numbers")
        << QList<int>{1, 1, 1, 1} << QList<int>{1, 0, 2, 0} << QList<int>{1, 0, 0, 0} << QList<int>{3, 2, 3} << false
        << QStringList{"Invalid scene configuration: The fixtures on HDMI_OUT_3 are not numbered 1 to 2 as the VPU "
                       "enumerated them!",
                       qsFailed};
    QTest::newRow("two fixtures with one number")
        << QList<int>{1, 1, 1, 1} << QList<int>{1, 0, 2, 0} << QList<int>{1, 0, 0, 0} << QList<int>{1, 2, 1} << false
        << QStringList{"Invalid scene configuration: The fixtures on HDMI_OUT_1 are not numbered 1 to 2 as the VPU "
                       "enumerated them!",
                       qsFailed};
    QTest::newRow("kind differs") << QList<int>{1, 1, 1, 1} << QList<int>{1, 0, 2, 0} << QList<int>{1, 0, 0, 0}
                                  << QList<int>{} << true
                                  << QStringList{"Invalid scene configuration: Type of fixture (SASU or LPU) read from "
                                                 "F1.2 is not the same that in the project configuration!",
                                                 qsFailed};
}

void TestDownload::refusedBeforeAnyWrite()
{
    QFETCH(QList<int>, enumerated);
    QFETCH(QList<int>, lpus);
    QFETCH(QList<int>, sasus);
    QFETCH(QList<int>, renumber);
    QFETCH(bool, kindSwapped);
    QFETCH(QStringList, boxes);

    QVERIFY(Prepare(FourFixtures(), {GroupRecord(2, 400, 300)}));
    ReplyCounts(m_pSim->Model(), enumerated, lpus, sasus);
    if (kindSwapped)
        m_pSim->Device().AddFixture(1, 2, SimFixtureConfig(0x102, 0x00000002, 0, 0, 0, 0, 0, 0, 100));
    if (!renumber.isEmpty()) {
        CFixture *pFixture = FindFixture(m_pSim->Wnd(), quint32(renumber.at(0)), quint32(renumber.at(1)));
        QVERIFY(pFixture);
        pFixture->SetNumber(quint32(renumber.at(0)), quint32(renumber.at(2)));
    }
    RunDownload();
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(MessageTexts(*m_pPrompts), boxes);
    QVERIFY(!WritesAnything(m_pSim->Model().Requests()));
    QCOMPARE(m_pSim->Wnd()->statusBar()->currentMessage(), QStringLiteral("Failed to download project to VPU!"));
    QVERIFY(!AnyDownloadConnection(m_pSim->Wnd()));
}

void TestDownload::notCabledFixtureSendsNothing()
{
    // The not-cabled fixture sits inside a group with a cabled one.
    QVERIFY(Prepare({FixtureRecord(1, 1, 1, 100, 100, 0, 1), FixtureRecord(0, 1, 1, 164, 100, 0, 1)},
                    {GroupRecord(1, 100, 100)}));
    RunDownload();
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList{"Invalid project configuration: All fixtures are not cabled!"});
    QVERIFY(m_pSim->Wnd()->isEnabled());
    QTest::qWait(50);
    QCOMPARE(m_pSim->Model().Requests().size(), 0);
}

void TestDownload::declinedSendsNothing()
{
    QVERIFY(Prepare(FourFixtures(), {GroupRecord(2, 400, 300)}));
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    m_pSim->Wnd()->DownloadProject();
    QVERIFY(m_pSim->Wnd()->isEnabled());
    QTest::qWait(50);
    QCOMPARE(m_pSim->Model().Requests().size(), 0);
    QCOMPARE(m_pPrompts->Messages().size(), 0);
}

void TestDownload::failureAtEachStep_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("requestsBeforeEnd");
    // FIXT_GET_NUMBER has no status of its own: a broken answer fails it.
    QTest::newRow("fixture count") << 40 << 1;
    QTest::newRow("kind check") << 42 << 2;
    QTest::newRow("configuration write") << 54 << 6;
    QTest::newRow("video preset") << 33 << 10;
    QTest::newRow("DMX mapping") << 31 << 13;
    QTest::newRow("reset") << 58 << 16;
}

void TestDownload::failureAtEachStep()
{
    QFETCH(int, id);
    QFETCH(int, requestsBeforeEnd);
    QVERIFY(Prepare(FourFixtures(), {GroupRecord(2, 400, 300)}));
    ReplyCounts(m_pSim->Model(), {1, 1, 1, 1}, {1, 0, 2, 0}, {1, 0, 0, 0});
    SetSettings();
    Zelvor *pWnd = m_pSim->Wnd();
    VpuSimFault tFault;
    if (id == 40)
        tFault.iReplyId = 99;
    else
        tFault.iStatus = SIM_ERR_NO_FIXTURE;
    m_pSim->Model().SetFault(quint8(id), tFault);

    RunDownload();
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(m_pSim->Model().Requests().size(), requestsBeforeEnd);
    QVERIFY(MessageTexts(*m_pPrompts).endsWith(QStringLiteral("Failed to download project to VPU!")));
    QCOMPARE(m_pPrompts->Messages().last().qsDetail, QString());
    QCOMPARE(pWnd->statusBar()->currentMessage(), QStringLiteral("Failed to download project to VPU!"));
    QVERIFY(!m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project downloaded to VPU!")));
    QVERIFY(!AnyDownloadConnection(pWnd));

    // The next download starts from its first step and writes slot 1 before slot 0 again.
    m_pSim->Model().ClearFaults();
    if (id == 40) {
        // A broken answer leaves the stream position unknown: the link is opened anew.
        pWnd->m_VpuCom.Close();
        QCOMPARE(pWnd->m_VpuCom.Open(), 0);
    }
    m_pSim->Model().ClearLog();
    m_pPrompts->Reset();
    m_pBase->Traces().Clear();
    RunDownload();
    QVERIFY(m_pSim->WaitEnabled());
    QStringList lExpected;
    for (const char *pcHex : kExpectedFourFixtures)
        lExpected.append(QLatin1String(pcHex));
    QCOMPARE(HexList(m_pSim->Model().Requests()), lExpected);
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
