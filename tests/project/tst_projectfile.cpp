// The project file: a full project written byte for byte, save-load-save fixed points, every
// refusal of the reader with its status and message, and what is left after a refusal.
#include "config/softconf.h"
#include "project/projectconf.h"
#include "support/projectsupport.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"

#include <QTest>

namespace {

// Fields in FakeFixture order: output, number, type, placement, group, SASU, intensity.
FakeFixture Fixture(quint32 uType, quint32 uOutput, quint32 uNumber, RotationInfo_t tPlacement, quint16 uGroup,
                    FixtureIntensity_t tIntensity = DefaultIntensity(), SasuConfig_t tSasu = DefaultSasuConfig())
{
    return FakeFixture{uOutput, uNumber, uType, tPlacement, uGroup, tSasu, tIntensity};
}

// The full project, as the writer must lay it out: sections and keys in order, attributes in
// their written order, positions rounded, names escaped, UTF-8.
const char kFullProject[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ProjectConfig>\n"
    "    <Workspace>\n"
    "        <border show=\"true\" top-left_hor=\"10\" top-left_ver=\"20\" width=\"1000\" height=\"500\"/>\n"
    "        <grid show=\"true\" spacing=\"64\"/>\n"
    "        <Background show=\"true\" top-left_hor=\"0\" top-left_ver=\"0\" width=\"1920\" height=\"1080\" "
    "ratio=\"resize\">Images/wall \xC3\xA9t\xC3\xA9.png</Background>\n"
    "    </Workspace>\n"
    "    <Video_Input>\n"
    "        <source>HDMI1</source>\n"
    "        <rotation>-90</rotation>\n"
    "        <resize type=\"custom\" std_format=\"HD720_1280x720\" width=\"1280\" height=\"720\"/>\n"
    "        <top-left-pos hor=\"100\" ver=\"50\">true</top-left-pos>\n"
    "    </Video_Input>\n"
    "    <InputCorr>\n"
    "        <Brightness>100</Brightness>\n"
    "        <Contrast>140</Contrast>\n"
    "        <Hue>5</Hue>\n"
    "        <Saturation>200</Saturation>\n"
    "    </InputCorr>\n"
    "    <OutputCorr>\n"
    "        <ColorTemp mode=\"custom\" temperature=\"3200\" coeff_red=\"512\" coeff_green=\"254\" "
    "coeff_blue=\"97\"/>\n"
    "        <Gamma coeff_red=\"220\" coeff_green=\"230\" coeff_blue=\"240\"/>\n"
    "    </OutputCorr>\n"
    "    <Fixtures>\n"
    "        <Group id=\"1\" X_pos=\"100\" Y_pos=\"100\" X_anchor=\"150\" Y_anchor=\"120\" rotation=\"45\">Left "
    "wall</Group>\n"
    "        <Group id=\"2\" X_pos=\"900\" Y_pos=\"300\" X_anchor=\"1000\" Y_anchor=\"400\" rotation=\"-90\">Right "
    "&amp; &lt;top&gt;</Group>\n"
    "        <Fixture type=\"0x00000002\" chn=\"1\" cabling_pos=\"1\" X_pos=\"100\" Y_pos=\"101\" X_anchor=\"150\" "
    "Y_anchor=\"120\" rotation=\"0\" group=\"1\" lumi_red=\"500\" lumi_green=\"400\" lumi_blue=\"300\" "
    "lumi_global=\"80\" blackout_mode=\"0\" blackout_on=\"90\" blackout_off=\"80\" fan_mode=\"0\" fan_on=\"60\" "
    "fan_off=\"50\"/>\n"
    "        <Fixture type=\"0x00000002\" chn=\"1\" cabling_pos=\"2\" X_pos=\"228\" Y_pos=\"101\" X_anchor=\"291\" "
    "Y_anchor=\"130\" rotation=\"0\" group=\"1\" lumi_red=\"512\" lumi_green=\"512\" lumi_blue=\"512\" "
    "lumi_global=\"100\" blackout_mode=\"0\" blackout_on=\"90\" blackout_off=\"80\" fan_mode=\"0\" fan_on=\"60\" "
    "fan_off=\"50\"/>\n"
    "        <Fixture type=\"0x00000003\" chn=\"2\" cabling_pos=\"1\" X_pos=\"900\" Y_pos=\"300\" X_anchor=\"1000\" "
    "Y_anchor=\"400\" rotation=\"90\" group=\"2\" lumi_red=\"512\" lumi_green=\"512\" lumi_blue=\"512\" "
    "lumi_global=\"100\" blackout_mode=\"0\" blackout_on=\"90\" blackout_off=\"80\" fan_mode=\"0\" fan_on=\"60\" "
    "fan_off=\"50\"/>\n"
    "        <Fixture type=\"0x00000003\" chn=\"2\" cabling_pos=\"2\" X_pos=\"900\" Y_pos=\"428\" X_anchor=\"1000\" "
    "Y_anchor=\"400\" rotation=\"90\" group=\"2\" lumi_red=\"512\" lumi_green=\"512\" lumi_blue=\"512\" "
    "lumi_global=\"100\" blackout_mode=\"0\" blackout_on=\"90\" blackout_off=\"80\" fan_mode=\"0\" fan_on=\"60\" "
    "fan_off=\"50\"/>\n"
    "        <Fixture type=\"0x10000001\" chn=\"3\" cabling_pos=\"1\" X_pos=\"1500\" Y_pos=\"800\" X_anchor=\"1532\" "
    "Y_anchor=\"832\" rotation=\"180\" group=\"0\" lumi_red=\"0\" lumi_green=\"0\" lumi_blue=\"0\" "
    "lumi_global=\"0\" blackout_mode=\"1\" blackout_on=\"-5\" blackout_off=\"-10\" fan_mode=\"1\" fan_on=\"45\" "
    "fan_off=\"40\"/>\n"
    "        <Fixture type=\"0x00000001\" chn=\"0\" cabling_pos=\"300\" X_pos=\"0\" Y_pos=\"0\" X_anchor=\"0\" "
    "Y_anchor=\"0\" rotation=\"-179\" group=\"0\" lumi_red=\"512\" lumi_green=\"512\" lumi_blue=\"512\" "
    "lumi_global=\"100\" blackout_mode=\"0\" blackout_on=\"90\" blackout_off=\"80\" fan_mode=\"0\" fan_on=\"60\" "
    "fan_off=\"50\"/>\n"
    "        <Fixture type=\"0xFFFFFFFF\" chn=\"4\" cabling_pos=\"256\" X_pos=\"1856\" Y_pos=\"1016\" "
    "X_anchor=\"1920\" Y_anchor=\"1080\" rotation=\"0\" group=\"0\" lumi_red=\"512\" lumi_green=\"512\" "
    "lumi_blue=\"512\" lumi_global=\"100\" blackout_mode=\"0\" blackout_on=\"-1\" blackout_off=\"127\" "
    "fan_mode=\"0\" fan_on=\"-128\" fan_off=\"0\"/>\n"
    "    </Fixtures>\n"
    "</ProjectConfig>\n";

struct Captured
{
    QList<ProjectFixture_t> fixtures;
    QList<ProjectGroup_t> groups;
    int calls = 0;
};

// Installs a scene builder that only keeps what it is handed.
void CaptureBuilder(Captured *pCaptured)
{
    g_ProjectConf.SetSceneBuilder([pCaptured](const QList<ProjectFixture_t> &lFixtures,
                                              const QList<ProjectGroup_t> &lGroups, QList<CFixture *> &,
                                              QList<CFixtureGroup *> &) {
        pCaptured->fixtures = lFixtures;
        pCaptured->groups = lGroups;
        ++pCaptured->calls;
        return 0;
    });
}

Captured Records()
{
    Captured captured;
    CaptureBuilder(&captured);
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    g_ProjectConf.BuildScene(lFixtures, lGroups);
    g_ProjectConf.SetSceneBuilder(nullptr);
    return captured;
}

void SetFullProject()
{
    WorkspaceSettings_t ws;
    CProjectConf::DefaultWorkspace(&ws);
    ws.borderShown = true;
    ws.border = MakePixelRect(10, 20, 1009, 519);
    ws.gridShown = true;
    ws.gridSpacing = 64;
    ws.background.shown = true;
    ws.background.file = QString::fromUtf8("Images/wall \xC3\xA9t\xC3\xA9.png");
    ws.background.ratio = BACKGROUND_RATIO_RESIZE;
    ws.background.imageWidth = 640;
    ws.background.imageHeight = 480;
    g_ProjectConf.SetWorkspace(ws);
    g_ProjectConf.SetVideoInput(2, -90, 2, 3, true, MakePixelRect(100, 50, 1379, 769));
    InputCorr_t ic;
    CProjectConf::MakeInputCorr(3, 100, 140, 200, 5, &ic);
    g_ProjectConf.SetInputCorr(ic);
    OutputCorr_t oc;
    CProjectConf::MakeOutputCorr(220, 230, 240, 2, 3200, 512, 254, 97, &oc);
    g_ProjectConf.SetOutputCorr(oc);

    FakeGroup g1{MakeGroupInfo(1, QStringLiteral("Left wall")), MakeRotationInfo(100.2, 99.7, 150, 120, 45)};
    FakeGroup g2{MakeGroupInfo(2, QStringLiteral("Right & <top>")), MakeRotationInfo(900, 300, 1000, 400, -90)};
    FakeFixture fixtures[] = {
        Fixture(2, 1, 1, MakeRotationInfo(100.4, 100.6, 150, 120, 0), 1, MakeIntensity(80, 500, 400, 300)),
        Fixture(2, 1, 2, MakeRotationInfo(228, 100.5, 290.5, 130.2, 0), 1),
        Fixture(3, 2, 1, MakeRotationInfo(900, 300, 1000, 400, 90), 2),
        Fixture(3, 2, 2, MakeRotationInfo(900, 427.5, 1000, 400, 90), 2),
        Fixture(0x10000001, 3, 1, MakeRotationInfo(1500, 800, 1532, 832, 180), 0, MakeIntensity(0, 0, 0, 0),
                SasuConfig_t{1, -5, -10, 1, 45, 40}),
        Fixture(1, 0, 300, MakeRotationInfo(0, 0, 0, 0, -179), 0),
        Fixture(0xFFFFFFFF, 4, 256, MakeRotationInfo(1856, 1016, 1920, 1080, 0), 0, DefaultIntensity(),
                SasuConfig_t{0, -1, 127, 0, -128, 0}),
    };
    QList<FakeFixture *> lFixtures;
    for (FakeFixture &f : fixtures)
        lFixtures.append(&f);
    g_ProjectConf.SetFixturesAndGroups(lFixtures, QList<FakeGroup *>{&g1, &g2});
}

int SaveProject(const QString &qsPath)
{
    const int iStatus = g_ProjectConf.Write();
    return iStatus != 0 ? iStatus : g_ProjectConf.Save(qsPath);
}

int LoadProject(const QString &qsPath)
{
    g_ProjectConf.Open(qsPath);
    return g_ProjectConf.Parse();
}

// Writes the text and loads it; -999 if the file could not even be written.
int LoadText(const QString &qsPath, const QByteArray &text)
{
    return WriteTestFile(qsPath, text) ? LoadProject(qsPath) : -999;
}

QByteArray Edited(const char *pszFrom, const char *pszTo)
{
    QByteArray text(kFullProject);
    const int iAt = text.indexOf(pszFrom);
    if (iAt < 0)
        qFatal("test edit '%s' does not match the project text", pszFrom);
    return text.replace(iAt, int(qstrlen(pszFrom)), pszTo);
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void fullProjectIsWrittenExactly();
    void loadSaveIsAFixedPoint();
    void snapshotBringsValuesIntoRange();
    void oneMemberGroupIsSavedUngrouped();
    void settingsLookupsFallBackToDefaults();
    void refusals_data();
    void refusals();
    void settingsSectionsReadAllTheirKeys();
    void readerEdgeCases();
    void standardSizeComesFromItsKey_data();
    void standardSizeComesFromItsKey();
    void emptyOrMissingFixturesSection();

private:
    TestEnv *m_pEnv = nullptr;
    TraceCollector *m_pTraces = nullptr;
    RecordingSink *m_pSink = nullptr;
};

void TestProjectFile::initTestCase()
{
    m_pEnv = new TestEnv;
    QVERIFY(LoadProjectTestCatalogue());
    m_pTraces = new TraceCollector;
    m_pSink = new RecordingSink;
}

void TestProjectFile::cleanupTestCase()
{
    delete m_pSink;
    delete m_pTraces;
    delete m_pEnv;
}

void TestProjectFile::init()
{
    m_pTraces->Clear();
    m_pSink->Reset();
    g_ProjectConf.ClearRecords();
}

void TestProjectFile::fullProjectIsWrittenExactly()
{
    SetFullProject();
    QCOMPARE(SaveProject(QStringLiteral("full.prj")), 0);
    QCOMPARE(QString::fromUtf8(ReadTestFile(QStringLiteral("full.prj"))), QString::fromUtf8(kFullProject));
}

// Loaded over a new project's settings and saved, over and over, the file does not change:
// every value is read into the place it is written from.
void TestProjectFile::loadSaveIsAFixedPoint()
{
    WorkspaceSettings_t ws;
    CProjectConf::DefaultWorkspace(&ws);
    g_ProjectConf.SetWorkspace(ws);
    g_ProjectConf.SetVideoInput(3, 0, 0, 0, false, MakePixelRect(0, 0, 1919, 1079));
    InputCorr_t ic;
    CProjectConf::DefaultInputCorr(&ic);
    g_ProjectConf.SetInputCorr(ic);
    OutputCorr_t oc;
    CProjectConf::DefaultOutputCorr(&oc);
    g_ProjectConf.SetOutputCorr(oc);
    QVERIFY(WriteTestFile(QStringLiteral("in.prj"), kFullProject));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(LoadProject(QStringLiteral("in.prj")), 0);
        QCOMPARE(SaveProject(QStringLiteral("in.prj")), 0);
    }
    QCOMPARE(ReadTestFile(QStringLiteral("in.prj")), QByteArray(kFullProject));
    QVERIFY(m_pSink->Errors().isEmpty());
    QVERIFY(m_pTraces->Lines(TRACE_KIND_ERROR).isEmpty());

    // What the file does not hold, and the records handed as copies: a second build gets them again.
    g_ProjectConf.GetWorkspace(&ws);
    QCOMPARE(ws.background.imageWidth, 0);
    QCOMPARE(Records().fixtures.size(), 7);
    QCOMPARE(Records().fixtures.first().boardType, -1);
    QVERIFY(m_pTraces->Lines(TRACE_KIND_INFO)
                .contains(QStringLiteral(
                    "    Fixture F1.1 - Type: 'LPU 128x64' Position: X=100, Y=101 - Anchor Position: X=150, Y=120 - "
                    "Rotation = 0 - Group: 1 - Lumi: Global=80%, Red=500, Green=400, Blue=300")));
    g_ProjectConf.ClearRecords();
    QVERIFY(Records().fixtures.isEmpty());
}

void TestProjectFile::snapshotBringsValuesIntoRange()
{
    // What the scene hands over may lie outside the file's ranges; saved, it must load again.
    FakeGroup g{MakeGroupInfo(7, QString()), MakeRotationInfo(-12.0, 2000.0, 1920.4, 1080.2, -180)};
    FakeFixture a = Fixture(1, 1, 1, MakeRotationInfo(10, 10, 10, 10, 270), 7, MakeIntensity(100, 1023, 700, 512));
    FakeFixture b = Fixture(1, 1, 2, MakeRotationInfo(20, 10, 20, 10, -540), 7);
    b.sasu = SasuConfig_t{5, 0, 0, 2, 0, 0};
    g_ProjectConf.SetFixturesAndGroups(QList<FakeFixture *>{&a, &b}, QList<FakeGroup *>{&g});
    QCOMPARE(SaveProject(QStringLiteral("range.prj")), 0);
    const QByteArray text = ReadTestFile(QStringLiteral("range.prj"));
    QVERIFY(text.contains("<Group id=\"7\" X_pos=\"0\" Y_pos=\"1080\" X_anchor=\"1920\" Y_anchor=\"1080\" "
                          "rotation=\"180\">Group 7</Group>"));
    QVERIFY(text.contains("rotation=\"-90\" group=\"7\" lumi_red=\"512\" lumi_green=\"512\" lumi_blue=\"512\""));
    QVERIFY(text.contains("cabling_pos=\"2\" X_pos=\"20\" Y_pos=\"10\" X_anchor=\"20\" Y_anchor=\"10\" "
                          "rotation=\"180\""));
    QVERIFY(text.contains("blackout_mode=\"0\" blackout_on=\"0\" blackout_off=\"0\" fan_mode=\"0\""));
    QCOMPARE(LoadProject(QStringLiteral("range.prj")), 0);
}

void TestProjectFile::oneMemberGroupIsSavedUngrouped()
{
    FakeGroup lone{MakeGroupInfo(5, QStringLiteral("Lone")), MakeRotationInfo(0, 0, 500, 500, 30)};
    FakeGroup empty{MakeGroupInfo(6, QStringLiteral("Empty")), MakeRotationInfo(0, 0, 500, 500, 0)};
    FakeFixture a = Fixture(1, 1, 1, MakeRotationInfo(400, 400, 500, 500, 160), 5);
    FakeFixture b = Fixture(1, 1, 2, MakeRotationInfo(600, 400, 600, 400, 0), 0);
    g_ProjectConf.SetFixturesAndGroups(QList<FakeFixture *>{&a, &b}, QList<FakeGroup *>{&lone, &empty});
    QCOMPARE(SaveProject(QStringLiteral("lone.prj")), 0);
    const QByteArray text = ReadTestFile(QStringLiteral("lone.prj"));
    QVERIFY(!text.contains("<Group"));
    // 160 + 30 = 190 degrees, kept as -170.
    QVERIFY(text.contains("cabling_pos=\"1\" X_pos=\"400\" Y_pos=\"400\" X_anchor=\"500\" Y_anchor=\"500\" "
                          "rotation=\"-170\" group=\"0\""));
    QCOMPARE(LoadProject(QStringLiteral("lone.prj")), 0);
}

void TestProjectFile::settingsLookupsFallBackToDefaults()
{
    SetFullProject();
    // Values from outside (a preset read back from the VPU) that name nothing.
    g_ProjectConf.SetVideoInput(9, 45, 7, 12, false, MakePixelRect(0, 0, -5, 5000));
    OutputCorr_t oc;
    CProjectConf::MakeOutputCorr(0, 700, 40, 9, 100, 600, 512, 0, &oc);
    g_ProjectConf.SetOutputCorr(oc);
    QCOMPARE(SaveProject(QStringLiteral("fallback.prj")), 0);
    const QByteArray text = ReadTestFile(QStringLiteral("fallback.prj"));
    QVERIFY(text.contains("<source>HDMI2</source>"));
    QVERIFY(text.contains("<rotation>0</rotation>"));
    QVERIFY(text.contains("<resize type=\"none\" std_format=\"HD1080_1920x1080\" width=\"1\" height=\"1080\"/>"));
    QVERIFY(text.contains("<ColorTemp mode=\"off\" temperature=\"2000\" coeff_red=\"512\" coeff_green=\"512\" "
                          "coeff_blue=\"0\"/>"));
    QVERIFY(text.contains("<Gamma coeff_red=\"1\" coeff_green=\"600\" coeff_blue=\"40\"/>"));
    QCOMPARE(LoadProject(QStringLiteral("fallback.prj")), 0);
}

void TestProjectFile::refusals_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    // One edit of the full project; the message is the telling end of the error line.
    const auto row = [](const char *pszName, const char *pszFrom, const char *pszTo, int iStatus, const char *pszEnd) {
        QTest::newRow(pszName) << Edited(pszFrom, pszTo) << iStatus << QString::fromUtf8(pszEnd);
    };

    // Fixtures section
    row("duplicate fixture", "chn=\"1\" cabling_pos=\"2\"", "chn=\"1\" cabling_pos=\"1\"", -22,
        "Fixture F1.1 is defined several times!");
    row("undeclared group", "rotation=\"180\" group=\"0\"", "rotation=\"180\" group=\"7\"", -20,
        "Group 7 for Fixture F3.1 is not defined!");
    row("one-member group", "Y_pos=\"428\" X_anchor=\"1000\" Y_anchor=\"400\" rotation=\"90\" group=\"2\"",
        "Y_pos=\"428\" X_anchor=\"1000\" Y_anchor=\"400\" rotation=\"90\" group=\"0\"", -20,
        "Group 2 contains less than 2 Fixtures!");
    row("unknown type", "type=\"0x10000001\"", "type=\"0x00000099\"", -50, "Fixture type 0x00000099 is unkown!");
    row("fixture attribute count", " fan_off=\"40\"", "", -23,
        "(Section='Fixtures' - Key='Fixture') - Number of attributes is not equal to 19!");
    row("group attribute count", " rotation=\"45\">", ">", -23,
        "(Section='Fixtures' - Key='Group') - Number of attributes is not equal to 6!");
    row("group id not a number", "<Group id=\"1\"", "<Group id=\"one\"", -23, "'one' is not a valid int value!");
    row("group id 0", "<Group id=\"2\"", "<Group id=\"0\"", -21, "Attr='id') - '0' is not in the range [1;128]!");
    row("group id 129", "<Group id=\"2\"", "<Group id=\"129\"", -21, "'129' is not in the range [1;128]!");
    row("group declared twice", "<Group id=\"2\"", "<Group id=\"1\"", -21, "Group number 1 is declared several times!");
    row("group name 33", ">Left wall<", ">123456789012345678901234567890123<", -21,
        "Group name '123456789012345678901234567890123' is too long!");
    row("group attribute unknown", "Y_anchor=\"120\" rotation=\"45\"", "Y_anchor=\"120\" angle=\"45\"", -21,
        "(Section='Fixtures' - Key='Group') - Attr='angle' is not valid!");
    row("group rotation -181", "rotation=\"-90\">Right", "rotation=\"-181\">Right", -21,
        "Attr='rotation') - '-181' is not in the range [-180;180]!");
    row("chn 5", "type=\"0xFFFFFFFF\" chn=\"4\"", "type=\"0xFFFFFFFF\" chn=\"5\"", -21,
        "Attr='chn') - '5' is not in the range [0;4]!");
    row("cabling_pos 257", "cabling_pos=\"256\"", "cabling_pos=\"257\"", -21, "'257' is not in the range [0;256]!");
    row("X_pos 1921", "X_pos=\"1856\"", "X_pos=\"1921\"", -21, "'1921' is not in the range [0;1920]!");
    row("fixture rotation 200", "rotation=\"-179\"", "rotation=\"200\"", -21, "'200' is not in the range [-180;180]!");
    row("group number 129", "rotation=\"180\" group=\"0\"", "rotation=\"180\" group=\"129\"", -21,
        "Attr='group') - '129' is not in the range [0;128]!");
    row("gain 513", "lumi_red=\"500\"", "lumi_red=\"513\"", -21, "'513' is not in the range [0;512]!");
    row("luminosity 101", "lumi_global=\"80\"", "lumi_global=\"101\"", -21, "'101' is not in the range [0;100]!");
    row("mode 2", "blackout_mode=\"1\"", "blackout_mode=\"2\"", -21, "'2' is not in the range [0;1]!");
    row("fixture attribute unknown", "<Fixture type=\"0x00000002\" chn=\"1\" cabling_pos=\"1\"",
        "<Fixture kind=\"0x00000002\" chn=\"1\" cabling_pos=\"1\"", -21, "Attr='kind' is not valid!");

    // Settings sections: -20 for any failed key
    row("border sum", "top-left_hor=\"10\" top-left_ver=\"20\" width=\"1000\"",
        "top-left_hor=\"1000\" top-left_ver=\"20\" width=\"1000\"", -20, "'1000'+'1000' is out of range [1;1920]!");
    row("border corner on the edge", "top-left_hor=\"10\"", "top-left_hor=\"1920\"", -20,
        "'1920' is not in the range [0;1920-1]!");
    row("grid spacing 1025", "spacing=\"64\"", "spacing=\"1025\"", -20, "'1025' is not in the range [0;1024]!");
    row("background ratio", "ratio=\"resize\"", "ratio=\"stretch\"", -20, "'stretch' is not a valid resize type!");
    row("background sum", "top-left_hor=\"0\" top-left_ver=\"0\" width=\"1920\"",
        "top-left_hor=\"5\" top-left_ver=\"0\" width=\"1920\"", -20,
        "Attr='width') - '1920' is not in the range [1;1920]!");
    row("source name", "<source>HDMI1</source>", "<source>hdmi1</source>", -20,
        "Source 'hdmi1' is not valid (Must be 'DVI1', 'DVI2', 'HDMI1' or 'HDMI2')!");
    row("rotation 45", "<rotation>-90</rotation>", "<rotation>45</rotation>", -20,
        "Rotation is not valid (Must be '-90', '0' or '+90'!");
    row("resize type", "type=\"custom\"", "type=\"stretch\"", -20, "Attr='type') - 'stretch' is not a valid!");
    row("resize width 0", "width=\"1280\"", "width=\"0\"", -20, "'0' is not in the range [1;1920]!");
    row("custom height 1200", "height=\"720\"", "height=\"1200\"", -20, "'1200' is not in the range [1;1080]!");
    row("UXGA height 1201", "type=\"custom\" std_format=\"HD720_1280x720\" width=\"1280\" height=\"720\"",
        "type=\"standard\" std_format=\"UXGA_1600x1200\" width=\"1600\" height=\"1201\"", -20,
        "'1201' is not in the range [1;1200]!");
    row("top-left-pos text", ">true</top-left-pos>", ">yes</top-left-pos>", -20,
        "Value is not valid (Must be 'true' or 'false'!");
    row("brightness text", "<Brightness>100<", "<Brightness>bright<", -20,
        "Brightness is not valid (Must be in [0;255])!");
    row("hue missing", "        <Hue>5</Hue>\n", "", -20, "(Section='InputCorr' - Key='Hue')");
    row("temperature 1999", "temperature=\"3200\"", "temperature=\"1999\"", -20,
        "'1999' is not in the range [2000;11000]!");
    row("coefficient 513", "coeff_green=\"254\"", "coeff_green=\"513\"", -20, "'513' is not in the range [0;512]!");
    row("gamma 0", "<Gamma coeff_red=\"220\"", "<Gamma coeff_red=\"0\"", -20, "'0' is not in the range [1;600]!");
    row("section twice", "<InputCorr>", "<InputCorr/><InputCorr>", -20, "(Section='InputCorr' - Key='Brightness')");
    // Not a project at all
    QTest::newRow("not XML") << QByteArray("this is { not xml") << -20 << "(Section='Workspace' - Key='border')";
}

void TestProjectFile::refusals()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, message);

    // A good project is loaded first: nothing of it may survive the bad one.
    QCOMPARE(LoadText(QStringLiteral("good.prj"), kFullProject), 0);
    m_pTraces->Clear();

    QCOMPARE(LoadText(QStringLiteral("bad.prj"), file), status);
    const QStringList lErrors = m_pTraces->Lines(TRACE_KIND_ERROR);
    QVERIFY2(!lErrors.filter(message).isEmpty(), qPrintable(lErrors.join(QLatin1Char('\n'))));
    QCOMPARE(m_pSink->Errors().last(), qMakePair(QStringLiteral("Failed to parse configuration file!"), status));

    const Captured records = Records();
    QCOMPARE(records.calls, 1);
    QVERIFY(records.fixtures.isEmpty());
    QVERIFY(records.groups.isEmpty());
    // Save must ask for a name rather than write over either file.
    QString qsName;
    QCOMPARE(g_ProjectConf.GetFileName(qsName), -4);
    QCOMPARE(ReadTestFile(QStringLiteral("bad.prj")), file);
}

void TestProjectFile::settingsSectionsReadAllTheirKeys()
{
    QCOMPARE(LoadText(QStringLiteral("p.prj"), kFullProject), 0);
    // Hue missing: the other three keys are still read; the sections after it are not, and hold
    // defaults rather than the previous project's values.
    QCOMPARE(LoadText(QStringLiteral("nohue.prj"), Edited("        <Hue>5</Hue>\n", "")), -20);
    InputCorr_t ic;
    g_ProjectConf.GetInputCorr(&ic);
    QCOMPARE(QList<int>({ic.brightness, ic.contrast, ic.saturation, ic.hue}), QList<int>({100, 140, 200, 0}));
    OutputCorr_t oc;
    g_ProjectConf.GetOutputCorr(&oc);
    QCOMPARE(int(oc.gammaRed), 40);
    QCOMPARE(int(oc.colorTemp), 6500);

    // Every problem of a key is logged, and a failed workspace key falls back to its defaults.
    m_pTraces->Clear();
    QCOMPARE(LoadText(QStringLiteral("border.prj"),
                      Edited("top-left_hor=\"10\" top-left_ver=\"20\" width=\"1000\" height=\"500\"",
                             "top-left_hor=\"x\" top-left_ver=\"2000\" width=\"1000\" height=\"500\"")),
             -20);
    QCOMPARE(m_pTraces->Lines(TRACE_KIND_ERROR).size(), 2);
    WorkspaceSettings_t ws;
    g_ProjectConf.GetWorkspace(&ws);
    QVERIFY(!ws.borderShown);
    QCOMPARE(ws.border.x2, 1919);
    QVERIFY(ws.gridShown); // read after the failed key
}

void TestProjectFile::readerEdgeCases()
{
    QByteArray text = Edited("<Brightness>100<", "<Brightness>200<");
    text.replace("<Contrast>140<", "<Contrast>200<");
    text.replace("<rotation>-90<", "<rotation>+90<");
    text.replace("<Gamma coeff_red=\"220\"", "<Gamma coeff_red=\"300\"");
    text.replace("type=\"0x00000003\" chn=\"2\" cabling_pos=\"1\"", "type=\"3\" chn=\"2\" cabling_pos=\"1\"");
    text.replace("type=\"0x10000001\"", "type=\"0x1000000a\"");
    text.replace("hor=\"100\" ver=\"50\"", "hor=\"1920\" ver=\"1080\"");
    text.replace("blackout_off=\"127\"", "blackout_off=\"383\"");
    // 0x1000000A is not in the catalogue; 0x10000001 is.
    QCOMPARE(LoadText(QStringLiteral("edge.prj"), text), -50);
    text.replace("type=\"0x1000000a\"", "type=\"0X10000001\"");
    QCOMPARE(LoadText(QStringLiteral("edge.prj"), text), 0);

    InputCorr_t ic;
    g_ProjectConf.GetInputCorr(&ic);
    QCOMPARE(int(ic.brightness), 128);
    QCOMPARE(int(ic.contrast), 200);
    VideoInputSettings_t vi;
    g_ProjectConf.GetVideoInput(&vi);
    QCOMPARE(int(vi.rotation), 90);
    QCOMPARE(vi.area.x1, 1920);
    QCOMPARE(vi.area.y1, 1080);
    QCOMPARE(vi.area.x2 - vi.area.x1 + 1, 1280);

    QCOMPARE(SaveProject(QStringLiteral("edge2.prj")), 0);
    const QByteArray saved = ReadTestFile(QStringLiteral("edge2.prj"));
    QVERIFY(saved.contains("<rotation>90</rotation>"));
    QVERIFY(saved.contains("<Brightness>128</Brightness>"));
    QVERIFY(saved.contains("<Gamma coeff_red=\"300\""));
    QVERIFY(saved.contains("<Fixture type=\"0x00000003\" chn=\"2\" cabling_pos=\"1\""));
    QVERIFY(saved.contains("<Fixture type=\"0x10000001\""));
    QVERIFY(saved.contains("blackout_off=\"127\""));
    QVERIFY(saved.contains("<top-left-pos hor=\"1920\" ver=\"1080\">true</top-left-pos>"));
    QCOMPARE(LoadProject(QStringLiteral("edge2.prj")), 0);
}

void TestProjectFile::standardSizeComesFromItsKey_data()
{
    QTest::addColumn<QByteArray>("resize");
    QTest::addColumn<QSize>("sent");
    // Earlier files hold UXGA's height cut to the screen's 1080 lines.
    QTest::newRow("UXGA as written now") << QByteArray("std_format=\"UXGA_1600x1200\" width=\"1600\" height=\"1200\"")
                                         << QSize(1600, 1200);
    QTest::newRow("UXGA of an earlier file")
        << QByteArray("std_format=\"UXGA_1600x1200\" width=\"1600\" height=\"1080\"") << QSize(1600, 1200);
    QTest::newRow("SXGA with a stray size")
        << QByteArray("std_format=\"SXGA_1280x1024\" width=\"640\" height=\"480\"") << QSize(1280, 1024);
}

void TestProjectFile::standardSizeComesFromItsKey()
{
    QFETCH(QByteArray, resize);
    QFETCH(QSize, sent);
    const QByteArray file = Edited("type=\"custom\" std_format=\"HD720_1280x720\" width=\"1280\" height=\"720\"",
                                   "type=\"standard\" " + resize);
    QCOMPARE(LoadText(QStringLiteral("std.prj"), file), 0);
    VideoSettings_t tPacked;
    g_ProjectConf.GetVideoInputPacked(&tPacked);
    QCOMPARE(QSize(tPacked.Width, tPacked.Height), sent);
    QCOMPARE(SaveProject(QStringLiteral("std2.prj")), 0);
    QVERIFY(
        ReadTestFile(QStringLiteral("std2.prj"))
            .contains(QStringLiteral("width=\"%1\" height=\"%2\"").arg(sent.width()).arg(sent.height()).toLatin1()));
    QCOMPARE(LoadProject(QStringLiteral("std2.prj")), 0);
    VideoSettings_t tReloaded;
    g_ProjectConf.GetVideoInputPacked(&tReloaded);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&tReloaded), sizeof(tReloaded)).toHex(' '),
             QByteArray(reinterpret_cast<const char *>(&tPacked), sizeof(tPacked)).toHex(' '));
}

void TestProjectFile::emptyOrMissingFixturesSection()
{
    const int iStart = QByteArray(kFullProject).indexOf("    <Fixtures>");
    const int iEnd = QByteArray(kFullProject).indexOf("</ProjectConfig>");
    QByteArray missing(kFullProject);
    missing.remove(iStart, iEnd - iStart);
    QByteArray empty(kFullProject);
    empty.replace(iStart, iEnd - iStart, "    <Fixtures/>\n");
    for (const QByteArray &text : {missing, empty}) {
        QCOMPARE(LoadText(QStringLiteral("nofix.prj"), text), 0);
        const Captured records = Records();
        QVERIFY(records.fixtures.isEmpty() && records.groups.isEmpty());
    }
    QCOMPARE(SaveProject(QStringLiteral("nofix2.prj")), 0);
    QVERIFY(ReadTestFile(QStringLiteral("nofix2.prj")).contains("    <Fixtures/>\n</ProjectConfig>\n"));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
