// The group settings panel on a simulated VPU: the four runs over the members in member order
// with the bytes of the fixtures' own requests, a run that stops at its first failure, a run
// that another sender's reply must not advance, and the placement kept in step both ways.
#include "panels/device/fixturesettings.h"
#include "panels/scene/groupsettings.h"
#include "panelsimtest.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"

#include <QPushButton>
#include <QSpinBox>

namespace {

const char *const kAddress = "127.0.0.162";

} // namespace

class TestGroupSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void runs_data();
    void runs();
    void runIgnoresOtherSendersReply();
    void placementBothWays();

private:
    template <typename T> T *Child(const char *pcName) const
    {
        return m_Sim.Wnd()->m_pGroupSettings->findChild<T *>(QLatin1String(pcName));
    }

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    PanelSim m_Sim;
};

void TestGroupSettings::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestGroupSettings::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    // A strip of three 64 x 64 LPUs on the bottom edge, anchored at its top-left corner.
    QVERIFY(m_Sim.Start(kAddress, *m_pBase,
                        {FixtureRecord(1, 3, 1, 100, 1000, 0, 2), FixtureRecord(1, 1, 1, 164, 1000, 0, 2),
                         FixtureRecord(1, 2, 1, 228, 1000, 0, 2)},
                        {GroupRecord(2, 100, 1000)}));
    QCOMPARE(m_Sim.Wnd()->Groups().size(), 1);
}

void TestGroupSettings::cleanup()
{
    m_Sim = PanelSim();
    m_pPrompts.reset();
}

void TestGroupSettings::runs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("operation"); // what CFixture does for one member
    QTest::addColumn<int>("status");    // of the second member's request
    const QList<QPair<const char *, int>> runs = {
        {"m_pGroupLumiApplyBtn", 51}, {"m_pConfPosVolatileBtn", 49}, {"m_pConfRotVolatileBtn", 52}};
    for (int i = 0; i < runs.size(); ++i)
        QTest::addRow("%s", runs[i].first) << runs[i].first << runs[i].second << i << 0;
    QTest::newRow("permanent") << "m_pConfPermanentBtn" << 54 << 3 << 0;
    QTest::newRow("intensity fails") << "m_pGroupLumiApplyBtn" << 51 << 0 << -202;
    QTest::newRow("permanent fails") << "m_pConfPermanentBtn" << 54 << 3 << -202;
}

void TestGroupSettings::runs()
{
    QFETCH(QString, button);
    QFETCH(int, id);
    QFETCH(int, operation);
    QFETCH(int, status);
    VpuSimFault fault;
    fault.iStatus = status;
    fault.iAfter = 1;
    m_Sim.Sim().Model().SetFault(quint8(id), fault);

    QTest::mouseClick(Child<QPushButton>(qPrintable(button)), Qt::LeftButton);
    QVERIFY(!m_Sim.Wnd()->isEnabled());
    QVERIFY(m_Sim.Sim().WaitEnabled());
    QTest::qWait(100); // nothing more may follow
    const QStringList sent = m_Sim.Requests(quint8(id));
    QCOMPARE(sent.size(), status == 0 ? 3 : 2);
    QCOMPARE(m_pPrompts->Messages().size(), status == 0 ? 0 : 1);

    // The same members asked one by one by their own operations, in member order.
    m_Sim.Sim().Model().ClearLog();
    int (CFixture::*const apOps[])() = {&CFixture::ApplyIntensity, &CFixture::ConfigureOrigin,
                                        &CFixture::ConfigureRotation, &CFixture::WriteConfig};
    QList<CFixture *> members;
    m_Sim.Wnd()->Groups().first()->GetFixtures(members);
    for (CFixture *pFixture : members)
        QCOMPARE((pFixture->*apOps[operation])(), 0);
    QVERIFY(m_Sim.Sim().Model().WaitForRequests(3, 5000));
    QCOMPARE(sent, m_Sim.Requests(quint8(id)).mid(0, sent.size()));
    QVERIFY(sent.first().startsWith(QString::asprintf("%02x", id) + QStringLiteral(" ")));
    QVERIFY(sent.first().contains(QStringLiteral(" 01 03 00 00 00")));
}

void TestGroupSettings::runIgnoresOtherSendersReply()
{
    // The fixture panel's intensity request is still on its way when the run starts; its
    // reply must not count as the first member's.
    VpuSimFault fault;
    fault.iStatus = -202;
    fault.iAfter = 2;
    m_Sim.Sim().Model().SetFault(51, fault);
    // A slow request ahead of both keeps the fixture panel's one queued.
    VpuSimFault slow;
    slow.iDelayMs = 300;
    m_Sim.Sim().Model().SetFault(38, slow);
    FixtureAddr_t tAddr{1, 1};
    m_Sim.Wnd()->m_VpuCom.FixtWriteReg(tAddr, 0, 0);
    auto *pLumi = m_Sim.Wnd()->m_pFixtureSettings->findChild<QSpinBox *>(QStringLiteral("m_pLpuLumiSpin"));
    TypeInto(pLumi, QStringLiteral("50"));
    QTest::mouseClick(Child<QPushButton>("m_pGroupLumiApplyBtn"), Qt::LeftButton);
    QVERIFY(m_Sim.Sim().WaitEnabled());
    QTest::qWait(100);
    // Fixture panel, first member, second member (fails): the third is never asked.
    QCOMPARE(m_Sim.Requests(51).size(), 3);
}

void TestGroupSettings::placementBothWays()
{
    Zelvor *pWnd = m_Sim.Wnd();
    CFixtureGroup *pGroup = pWnd->Groups().first();
    for (int i = 0; i < 3; ++i)
        pWnd->UpdateFixtureLists();
    auto *pHor = Child<QSpinBox>("m_pGroupPosHorSpin");
    auto *pVer = Child<QSpinBox>("m_pGroupPosVertSpin");
    auto *pAngle = Child<QSpinBox>("m_pRotAngleSpin");

    // The title band below the members takes the group.
    m_Sim.Drag(QPointF(110, 1072), QPointF(310, 772));
    QVERIFY(pGroup->scenePos() != QPointF(100, 1000));
    QCOMPARE(pHor->value(), qRound(pGroup->scenePos().x()));
    QCOMPARE(pVer->value(), qRound(pGroup->scenePos().y()));

    TypeInto(pVer, QStringLiteral("1000"));
    TypeInto(pHor, QStringLiteral("100"));
    QCOMPARE(pGroup->scenePos(), QPointF(100, 1000));
    TypeInto(Child<QSpinBox>("m_pRotAnchorHorPosSpin"), QStringLiteral("120"));
    RotationInfo_t tRot;
    pGroup->GetRotationInfo(&tRot);
    QCOMPARE(tRot.anchorX, 120.0);

    // A refused position is silent; a refused rotation shows the group's one box.
    TypeInto(pHor, QStringLiteral("1919"));
    QCOMPARE(pHor->value(), 100);
    QVERIFY(m_pPrompts->Messages().isEmpty());
    TypeInto(pAngle, QStringLiteral("90"));
    QCOMPARE(pAngle->value(), 0);
    QCOMPARE(MessageTexts(*m_pPrompts),
             QStringList{QStringLiteral("Group G2 rotated by 90 degrees does not fit in the scene!")});
    QVERIFY(!m_pBase->Traces().Contains(QStringLiteral("Set group rotation angle to 90")));
    QVERIFY(m_Sim.Sim().Model().Messages().isEmpty());
}

QTEST_MAIN(TestGroupSettings)
#include "tst_groupsettings.moc"
