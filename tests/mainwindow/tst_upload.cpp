// The project's upload from a simulated VPU through the main window's own link: what the VPU
// holds becomes the new project exactly, a download followed by an upload gives the same
// project file, and a failed upload leaves the project the user had.
#include "mainwindow/errorcodes.h"
#include "mainwindow/zelvor.h"
#include "panels/device/dmxconfig.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const char *const kAddress = "127.0.0.101";

void PutU16At(QByteArray &ba, int iOffset, quint16 usValue)
{
    ba[iOffset] = char(usValue & 0xFF);
    ba[iOffset + 1] = char(usValue >> 8);
}

// A VPU fixture record: placement, anchor, group placement and intensity at the table's
// offsets. The VPU keeps the fixture's angle with its group's angle added.
QByteArray VpuFixture(quint32 uType, quint16 uX, quint16 uY, qint16 iOwnAngle, quint16 uAnchorX, quint16 uAnchorY,
                      quint16 uGroup, qint16 iGroupAngle, quint16 uGroupAnchorX, quint16 uGroupAnchorY, quint32 uLumReg,
                      quint16 uLumGlobal)
{
    QByteArray ba = SimFixtureConfig(0x4711, uType, uX, uY, qint16(iOwnAngle + iGroupAngle), uGroup, iGroupAngle,
                                     uLumReg, uLumGlobal);
    PutU16At(ba, 24, uAnchorX);
    PutU16At(ba, 26, uAnchorY);
    PutU16At(ba, 32, uGroupAnchorX);
    PutU16At(ba, 34, uGroupAnchorY);
    return ba;
}

// "x y anchorX anchorY angle" of a placement.
QString Placement(const RotationInfo_t &t)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(t.x).arg(t.y).arg(t.anchorX).arg(t.anchorY).arg(t.angle);
}

QString Intensity(const CFixture *pFixture)
{
    FixtureIntensity_t t;
    pFixture->GetIntensity(&t);
    return QStringLiteral("%1 %2 %3 %4").arg(t.Luminosity()).arg(t.Red()).arg(t.Green()).arg(t.Blue());
}

QByteArray DmxBytes(const QList<DMX_Mapping_t> &lMapping)
{
    QByteArray ba;
    for (const DMX_Mapping_t &t : lMapping)
        ba.append(reinterpret_cast<const char *>(&t), sizeof(t));
    return ba;
}

QByteArray PresetBytes()
{
    return Bytes("02 01 5a 0a 00 14 00 00 05 d0 02"
                 "02 64 6e 78 05"
                 "dc 00 e6 00 f0 00 02 88 13 f4 01 fe 01 f9 01");
}

bool AnyUploadConnection(Zelvor *pWnd)
{
    CVpuCom *pCom = &pWnd->m_VpuCom;
    bool bAny = false;
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigVideoPresetRead, pWnd, &Zelvor::s_OnUploadVideoPresetDone);
    bAny |=
        QObject::disconnect(pCom, &CVpuCom::sigGetVideoInputFormat, pWnd, &Zelvor::s_OnUploadGetVideoInputFormatDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigDmxMapRead, pWnd, &Zelvor::s_OnUploadDmxReadFromVpuDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigFixturesNumbersMsg, pWnd, &Zelvor::s_OnUploadGetFixturesNumbersDone);
    bAny |= QObject::disconnect(pCom, &CVpuCom::sigGetFixtureConfigMsg, pWnd, &Zelvor::s_OnUploadGetFixtureConfigDone);
    return bAny;
}

} // namespace

class TestUpload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rebuildsWhatTheVpuHolds();
    void downloadThenUploadGivesTheSameProject();
    void noEnumeratedOutput();
    void countsOfNoneAndEmptyArea();
    void cancelledAtTheSaveQuestion();
    void failedUploadKeepsTheProject_data();
    void failedUploadKeepsTheProject();

private:
    bool Start();
    void Upload();

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestUpload::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestUpload::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pBase->Traces().Clear();
}

void TestUpload::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

bool TestUpload::Start()
{
    m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(kAddress));
    return m_pSim->Start();
}

void TestUpload::Upload()
{
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    QCOMPARE(m_pSim->Wnd()->UploadProject(), 0);
    QVERIFY(m_pSim->WaitEnabled());
}

void TestUpload::rebuildsWhatTheVpuHolds()
{
    QVERIFY(Start());
    VpuSimDevice &device = m_pSim->Device();
    device.SetPreset(0, PresetBytes());
    device.SetDmxMap(0, Bytes("01 01 00 01 03 0a 00 02 0a 20 00 01"));
    const quint32 uReg = 300u << 20 | 200u << 10 | 100u;
    device.AddFixture(1, 1, VpuFixture(0x00000001, 100, 50, 30, 132, 82, 0, 0, 0, 0, uReg, 80));
    device.AddFixture(1, 2, VpuFixture(0x10000001, 600, 400, 10, 600, 400, 3, 15, 500, 400, 0x20080200, 150));
    device.SetSasuConfig(1, 2, Bytes("01 46 3c 01 2d 28"));
    // A second member of group 3 whose group fields disagree: the first member's count.
    device.AddFixture(2, 1, VpuFixture(0x00000002, 700, 400, 0, 700, 400, 3, 20, 999, 999, 0x20080200, 100));
    QVERIFY(m_pSim->Enumerate());

    Upload();
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    QCOMPARE(HexList(m_pSim->Model().Requests()),
             (QStringList{"22 04 00 00 00 00 00 00 00", "0b 01 00 00 00 02", "20 04 00 00 00 00 00 00 00",
                          "28 00 00 00 00", "2a 05 00 00 00 01 01 00 00 00", "2a 05 00 00 00 01 02 00 00 00",
                          "2a 05 00 00 00 02 01 00 00 00"}));

    Zelvor *pWnd = m_pSim->Wnd();
    QCOMPARE(pWnd->AllFixtures().size(), 3);
    CFixture *p11 = FindFixture(pWnd, 1, 1);
    CFixture *p12 = FindFixture(pWnd, 1, 2);
    CFixture *p21 = FindFixture(pWnd, 2, 1);
    QVERIFY(p11 && p12 && p21);
    RotationInfo_t t;
    p11->GetRotationInfo(&t);
    QCOMPARE(Placement(t), QStringLiteral("100 50 132 82 30"));
    // The VPU keeps the gains scaled by the luminosity; they come back unscaled.
    QCOMPARE(Intensity(p11), QStringLiteral("80 375 250 125"));
    FixtureType_t tType;
    p12->GetType(&tType);
    QCOMPARE(tType.type, 0x10000001u);
    p12->GetRotationInfo(&t);
    QCOMPARE(Placement(t), QStringLiteral("600 400 600 400 10"));
    // A luminosity above 100 is taken as 100; the gains are those the link unscaled by 150.
    QCOMPARE(Intensity(p12), QStringLiteral("100 341 341 341"));
    SasuConfig_t tSasu;
    p12->GetSasuConfig(&tSasu);
    QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tSasu), sizeof(tSasu))), QByteArray("01 46 3c 01 2d 28"));
    p21->GetRotationInfo(&t);
    QCOMPARE(t.angle, 0); // its own angle: the group angle it holds is taken off again

    const QList<CFixtureGroup *> lGroups = pWnd->Groups();
    QCOMPARE(lGroups.size(), 1);
    GroupInfo_t tInfo;
    lGroups.first()->GetInfo(&tInfo);
    QCOMPARE(tInfo.number, quint16(3));
    QCOMPARE(tInfo.name, QStringLiteral("Group 3"));
    lGroups.first()->GetRotationInfo(&t);
    QCOMPARE(Placement(t), QStringLiteral("500 400 500 400 15"));
    QList<CFixture *> lMembers;
    lGroups.first()->GetFixtures(lMembers);
    QCOMPARE(lMembers, (QList<CFixture *>{p12, p21}));
    quint16 uGroup = 0;
    p11->GetGroupInfo(&uGroup, &t);
    QCOMPARE(uGroup, quint16(0));

    VideoInputSettings_t tVideo;
    g_ProjectConf.GetVideoInput(&tVideo);
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                 .arg(tVideo.source)
                 .arg(tVideo.rotation)
                 .arg(tVideo.resizeType)
                 .arg(tVideo.standardFormat)
                 .arg(tVideo.topLeftPosition)
                 .arg(tVideo.area.x1)
                 .arg(tVideo.area.y1)
                 .arg(tVideo.area.x2)
                 .arg(tVideo.area.y2),
             QStringLiteral("2 90 1 3 1 10 20 1289 739"));
    VideoPreset_t tPreset;
    g_ProjectConf.GetVideoInputPacked(&tPreset.VideoSettings);
    g_ProjectConf.GetInputCorr(&tPreset.InputCorr);
    g_ProjectConf.GetOutputCorr(&tPreset.OutputCorr);
    QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tPreset), sizeof(tPreset))), Hex(PresetBytes()));
    QList<DMX_Mapping_t> lMapping;
    pWnd->m_pDMXConfig->GetDmxMapping(lMapping);
    QCOMPARE(Hex(DmxBytes(lMapping)), QByteArray("01 01 00 01 03 0a 00 02 0a 20 00 01"));

    // A new project that belongs to no file.
    QString qsName;
    QCOMPARE(g_ProjectConf.GetFileName(qsName), -4);
    const QList<QLineEdit *> lFields = pWnd->statusBar()->findChildren<QLineEdit *>();
    QVERIFY(std::any_of(lFields.cbegin(), lFields.cend(),
                        [](const QLineEdit *p) { return p->text() == QLatin1String("New Project"); }));
    QVERIFY(m_pBase->Traces()
                .Lines(TRACE_KIND_INFO)
                .contains(QStringLiteral("Creating New Project with uploaded settings from VPU ...")));
    QVERIFY(m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project uploaded from VPU!")));
    QVERIFY(!AnyUploadConnection(pWnd));
}

void TestUpload::downloadThenUploadGivesTheSameProject()
{
    QVERIFY(Start());
    Zelvor *pWnd = m_pSim->Wnd();
    ProjectFixture_t f11 = FixtureRecord(1, 1, 0x00000001, 100, 50, 30);
    f11.intensity = MakeIntensity(100, 300, 200, 100);
    ProjectFixture_t f12 = FixtureRecord(1, 2, 0x10000001, 164, 50);
    f12.sasuConfig = SasuConfig_t{1, 70, 60, 1, 45, 40};
    const QList<ProjectFixture_t> lFixtures{f11, f12, FixtureRecord(3, 1, 0x00000002, 400, 300, 10, 2),
                                            FixtureRecord(3, 2, 0x00000002, 528, 300, 0, 2)};
    for (const ProjectFixture_t &r : lFixtures)
        m_pSim->Device().AddFixture(r.output, r.number, SimFixtureConfig(1, r.type, 0, 0, 0, 0, 0, 0, 100));
    QVERIFY(m_pSim->Enumerate());
    // Outputs 2 and 4 have nothing, but are enumerated as every output must be.
    QByteArray baCounts = Bytes("01 01 01 01 01 00 00 00 02 00 00 00 01 00 00 00 00 00 00 00");
    m_pSim->Model().SetHandler(40, [baCounts](VpuSimRequest &r) { return r.Reply(41, baCounts); });

    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("roundtrip.prj"));
    QCOMPARE(WriteProjectFile(qsPath, lFixtures, {GroupRecord(2, 400, 300, 15)}), 0);
    QCOMPARE(pWnd->LoadProject(qsPath), 0);
    SetTestPresetSettings();

    m_pPrompts->AnswerQuestion(QMessageBox::Yes);
    pWnd->DownloadProject();
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    const QString qsBefore = m_pBase->Env().FilePath(QStringLiteral("before.prj"));
    QCOMPARE(pWnd->SaveProject(qsBefore), 0);
    QList<DMX_Mapping_t> lBefore;
    pWnd->m_pDMXConfig->GetDmxMapping(lBefore);

    // Nothing left of the project on the window, then the upload brings it back.
    QCOMPARE(pWnd->NewProject(false), 0);
    pWnd->m_pDMXConfig->SetDmxMapping({});
    QCOMPARE(pWnd->AllFixtures().size(), 0);
    Upload();
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    const QString qsAfter = m_pBase->Env().FilePath(QStringLiteral("after.prj"));
    QCOMPARE(pWnd->SaveProject(qsAfter), 0);
    QCOMPARE(QString::fromUtf8(ReadTestFile(qsAfter)), QString::fromUtf8(ReadTestFile(qsBefore)));
    QList<DMX_Mapping_t> lAfter;
    pWnd->m_pDMXConfig->GetDmxMapping(lAfter);
    QCOMPARE(Hex(DmxBytes(lAfter)), Hex(DmxBytes(lBefore)));
}

void TestUpload::noEnumeratedOutput()
{
    QVERIFY(Start());
    m_pSim->Device().SetPreset(0, PresetBytes());
    Upload();
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    const QStringList lRequests = HexList(m_pSim->Model().Requests());
    QCOMPARE(lRequests.size(), 4);
    QCOMPARE(lRequests.last(), QStringLiteral("28 00 00 00 00"));
    QCOMPARE(m_pSim->Wnd()->AllFixtures().size(), 0);
    QVERIFY(m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project uploaded from VPU!")));
}

void TestUpload::countsOfNoneAndEmptyArea()
{
    QVERIFY(Start());
    // No scaling and no signal on the input: no area, which the project keeps as its
    // smallest, one pixel at the corner.
    m_pSim->Device().SetPreset(0, Bytes("03 00 00 64 00 32 00 80 07 38 04 03 80 80 80 00 28 00 28 00 28 00 00 64 19 "
                                        "00 02 00 02 00 02"));
    m_pSim->Device().SetDmxMap(0, QByteArray());
    m_pSim->Device().AddFixture(2, 1, SimFixtureConfig(1, 0x10000001, 10, 10, 0, 0, 0, 0x20080200, 100));
    m_pSim->Device().AddFixture(2, 2, SimFixtureConfig(2, 0x10000001, 80, 10, 0, 0, 0, 0x20080200, 100));
    // Output 2: LPUs 0xFFFF (none) and two SASUs.
    m_pSim->Model().SetHandler(40, [](VpuSimRequest &r) {
        return r.Reply(41, Bytes("00 01 00 00 00 00 ff ff 00 00 00 00 00 00 02 00 00 00 00 00"));
    });
    Zelvor *pWnd = m_pSim->Wnd();
    DMX_Mapping_t tEntry;
    tEntry.command = 1;
    tEntry.channel = 5;
    tEntry.size = 1;
    pWnd->m_pDMXConfig->SetDmxMapping({tEntry});

    Upload();
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    QCOMPARE(HexList(m_pSim->Model().Requests()).mid(4),
             (QStringList{"2a 05 00 00 00 02 01 00 00 00", "2a 05 00 00 00 02 02 00 00 00"}));
    QCOMPARE(pWnd->AllFixtures().size(), 2);
    QList<DMX_Mapping_t> lMapping{tEntry};
    pWnd->m_pDMXConfig->GetDmxMapping(lMapping);
    QCOMPARE(lMapping.size(), 0);
    VideoInputSettings_t tVideo;
    g_ProjectConf.GetVideoInput(&tVideo);
    QCOMPARE(
        QStringLiteral("%1 %2 %3 %4").arg(tVideo.area.x1).arg(tVideo.area.y1).arg(tVideo.area.x2).arg(tVideo.area.y2),
        QStringLiteral("100 50 100 50"));
}

void TestUpload::cancelledAtTheSaveQuestion()
{
    QVERIFY(Start());
    m_pPrompts->AnswerQuestion(QMessageBox::Cancel);
    QCOMPARE(m_pSim->Wnd()->UploadProject(), -15);
    QVERIFY(m_pSim->Wnd()->isEnabled());
    QTest::qWait(50);
    QCOMPARE(m_pSim->Model().Requests().size(), 0);
}

void TestUpload::failedUploadKeepsTheProject_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("code");
    QTest::newRow("video preset") << 34 << -100;
    QTest::newRow("input format") << 11 << -100;
    QTest::newRow("DMX mapping") << 32 << -100;
    QTest::newRow("fixture count") << 40 << -203;
    QTest::newRow("fixture configuration") << 42 << -100;
    QTest::newRow("type not in the catalogue") << 0 << -50;
}

void TestUpload::failedUploadKeepsTheProject()
{
    QFETCH(int, id);
    QFETCH(int, code);
    QVERIFY(Start());
    Zelvor *pWnd = m_pSim->Wnd();
    m_pSim->Device().SetPreset(0, PresetBytes());
    m_pSim->Device().AddFixture(1, 1, SimFixtureConfig(1, id == 0 ? 0x0000ABCD : 1, 10, 10, 0, 0, 0, 0x20080200, 100));
    QVERIFY(m_pSim->Enumerate());
    VpuSimFault tFault;
    if (id == 40)
        tFault.iReplyId = 99;
    else
        tFault.iStatus = -100;
    if (id != 0)
        m_pSim->Model().SetFault(quint8(id), tFault);

    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("kept.prj"));
    QCOMPARE(WriteProjectFile(qsPath, {FixtureRecord(1, 1, 1, 300, 300), FixtureRecord(1, 2, 1, 364, 300)}, {}), 0);
    QCOMPARE(pWnd->LoadProject(qsPath), 0);
    QList<DMX_Mapping_t> lBefore;
    pWnd->m_pDMXConfig->GetDmxMapping(lBefore);
    InputCorr_t tInputBefore;
    g_ProjectConf.GetInputCorr(&tInputBefore);

    Upload();
    const QList<PromptCall_t> lBoxes = m_pPrompts->Messages();
    QVERIFY(!lBoxes.isEmpty());
    QCOMPARE(lBoxes.last().qsText, QStringLiteral("Failed to upload project from VPU!"));
    QCOMPARE(lBoxes.last().qsDetail, ErrorCodeDetail(code));
    if (id == 0)
        QVERIFY(m_pBase->Traces()
                    .Lines(TRACE_KIND_ERROR)
                    .contains(QStringLiteral("Unknown fixture type 0x0000ABCD (F1.1)!")));

    QCOMPARE(pWnd->AllFixtures().size(), 2);
    QVERIFY(FindFixture(pWnd, 1, 2));
    QString qsName;
    QCOMPARE(g_ProjectConf.GetFileName(qsName), 0);
    QCOMPARE(qsName, qsPath);
    QList<DMX_Mapping_t> lAfter;
    pWnd->m_pDMXConfig->GetDmxMapping(lAfter);
    QCOMPARE(Hex(DmxBytes(lAfter)), Hex(DmxBytes(lBefore)));
    InputCorr_t tInputAfter;
    g_ProjectConf.GetInputCorr(&tInputAfter);
    QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tInputAfter), 5)),
             Hex(QByteArray(reinterpret_cast<const char *>(&tInputBefore), 5)));
    QVERIFY(!m_pBase->Traces().Lines(TRACE_KIND_SUCCESS).contains(QStringLiteral("Project uploaded from VPU!")));
    QVERIFY(!AnyUploadConnection(pWnd));
}

QTEST_MAIN(TestUpload)
#include "tst_upload.moc"
