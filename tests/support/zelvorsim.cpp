#include "zelvorsim.h"

#include "comm/vpucom.h"
#include "project/projectconf.h"
#include "projectsupport.h"
#include "quietqpa.h"
#include "scene/fixture.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "vpucomharness.h"

#include <QSignalSpy>
#include <QTest>

ZelvorOnSim::ZelvorOnSim(const QString &qsAddress) : m_Sim(qsAddress), m_Device(m_Sim.Model()) {}

ZelvorOnSim::~ZelvorOnSim()
{
    Zelvor *pWnd = m_pWnd;
    g_pMainWnd.compare_exchange_strong(pWnd, nullptr);
    delete m_pWnd;
    m_Sim.Stop();
}

bool ZelvorOnSim::Start()
{
    if (!m_Sim.Start())
        return false;
    m_pWnd = new Zelvor;
    g_pMainWnd.store(m_pWnd);
    m_pWnd->m_VpuCom.SetNetParams(m_Sim.Address(), m_Sim.Port());
    return m_pWnd->m_VpuCom.Open() == 0;
}

bool ZelvorOnSim::Enumerate()
{
    // Recorded on this thread (a spy would append from the link's thread while this one reads).
    SignalLog log(&m_pWnd->m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg);
    m_pWnd->m_VpuCom.FixtEnumerate();
    if (!log.wait(5000) || log.first().first().toInt() != 0)
        return false;
    Model().ClearLog();
    return true;
}

bool ZelvorOnSim::WaitEnabled(int iTimeoutMs) const
{
    return QTest::qWaitFor([this] { return m_pWnd->isEnabled(); }, iTimeoutMs);
}

ProjectFixture_t FixtureRecord(quint8 uOutput, quint32 uNumber, quint32 uType, double dX, double dY, qint32 iAngle,
                               quint16 uGroup)
{
    ProjectFixture_t tRecord = DefaultProjectFixture();
    tRecord.output = uOutput;
    tRecord.number = uNumber;
    tRecord.type = uType;
    tRecord.placement = MakeRotationInfo(dX, dY, dX, dY, iAngle);
    tRecord.group = uGroup;
    return tRecord;
}

ProjectGroup_t GroupRecord(quint16 uNumber, double dAnchorX, double dAnchorY, qint32 iAngle)
{
    ProjectGroup_t tGroup;
    tGroup.info = MakeGroupInfo(uNumber, QStringLiteral("Group %1").arg(uNumber));
    tGroup.placement = MakeRotationInfo(dAnchorX, dAnchorY, dAnchorX, dAnchorY, iAngle);
    return tGroup;
}

int WriteProjectFile(const QString &qsPath, const QList<ProjectFixture_t> &lFixtures,
                     const QList<ProjectGroup_t> &lGroups)
{
    QList<FakeFixture> lFakes;
    for (const ProjectFixture_t &t : lFixtures) {
        FakeFixture f;
        f.output = t.output;
        f.number = t.number;
        f.type = t.type;
        f.placement = t.placement;
        f.group = t.group;
        f.sasu = t.sasuConfig;
        f.intensity = t.intensity;
        lFakes.append(f);
    }
    QList<FakeGroup> lFakeGroups;
    for (const ProjectGroup_t &g : lGroups)
        lFakeGroups.append(FakeGroup{g.info, g.placement});
    QList<FakeFixture *> lFixturePtrs;
    for (FakeFixture &f : lFakes)
        lFixturePtrs.append(&f);
    QList<FakeGroup *> lGroupPtrs;
    for (FakeGroup &g : lFakeGroups)
        lGroupPtrs.append(&g);

    CProjectConf project;
    project.SetFixturesAndGroups(lFixturePtrs, lGroupPtrs);
    const int iStatus = project.Write();
    return iStatus != 0 ? iStatus : project.Save(qsPath);
}

ProjectWindowTestEnv::ProjectWindowTestEnv() = default;
ProjectWindowTestEnv::~ProjectWindowTestEnv() = default;

bool ProjectWindowTestEnv::Start()
{
    SilenceOffscreenPlatformWarnings();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    m_pEnv = std::make_unique<TestEnv>();
    m_pTraces = std::make_unique<TraceCollector>();
    return LoadProjectTestCatalogue();
}

QStringList HexList(const QList<QByteArray> &lBytes)
{
    QStringList lOut;
    for (const QByteArray &ba : lBytes)
        lOut.append(QString::fromLatin1(Hex(ba)));
    return lOut;
}

QStringList MessageTexts(const ScriptedPrompts &prompts)
{
    QStringList lOut;
    for (const PromptCall_t &call : prompts.Messages())
        lOut.append(call.qsText);
    return lOut;
}

CFixture *FindFixture(const Zelvor *pWnd, quint32 uOutput, quint32 uNumber)
{
    for (CFixture *pFixture : pWnd->AllFixtures()) {
        quint32 uOut = 0, uNum = 0;
        pFixture->GetNumber(&uOut, &uNum);
        if (uOut == uOutput && uNum == uNumber)
            return pFixture;
    }
    return nullptr;
}

void SetTestPresetSettings()
{
    g_ProjectConf.SetVideoInput(2, 90, 1, 3, true, MakePixelRect(10, 20, 1289, 739));
    InputCorr_t tInput;
    CProjectConf::MakeInputCorr(2, 100, 110, 120, 5, &tInput);
    g_ProjectConf.SetInputCorr(tInput);
    OutputCorr_t tOutput;
    CProjectConf::MakeOutputCorr(220, 230, 240, 2, 5000, 500, 510, 505, &tOutput);
    g_ProjectConf.SetOutputCorr(tOutput);
}
