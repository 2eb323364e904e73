// The fixture and group settings panels as the operator uses them on a simulated VPU: the
// test colour register, the gain percent rule and the intensity register, the group runs over
// the members in member order with the bytes of the fixtures' own requests, replies shared
// with other senders, and the placement kept in step with the scene both ways.
#include "panels/device/fixturesettings.h"
#include "panels/scene/groupsettings.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "support/panelinput.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr quint32 kTestColor = 0x200504;

} // namespace

class TestFixtureSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_Ui.Stop(); }

    void testColour_data();
    void testColour();
    void gainPercent_data();
    void gainPercent();
    void luminosityReplyLeavesOtherRequestPending();
    void fixturePlacementBothWays();
    void groupRuns_data();
    void groupRuns();
    void groupRunIgnoresOtherSendersReply();
    void groupPlacementBothWays();

private:
    template <typename T> T *F(const char *pcName) const
    {
        return m_Ui.Child<T>(QLatin1String(pcName), m_Ui.Wnd()->m_pFixtureSettings);
    }
    template <typename T> T *G(const char *pcName) const
    {
        return m_Ui.Child<T>(QLatin1String(pcName), m_Ui.Wnd()->m_pGroupSettings);
    }
    void Press(QAbstractButton *pButton) const
    {
        QTest::mouseClick(pButton, Qt::LeftButton);
        QVERIFY(!m_Ui.Wnd()->isEnabled());
        QVERIFY(m_Ui.Sim().WaitEnabled());
    }

    OnlinePanels m_Ui;
};

void TestFixtureSettings::init()
{
    QVERIFY(m_Ui.Start(QStringLiteral("127.0.0.161")));
    // Two LPUs on their own; a strip of three on the bottom edge, anchored at its top-left corner.
    QVERIFY(m_Ui.Load({FixtureRecord(1, 1, 1, 100, 50), FixtureRecord(1, 2, 1, 600, 50),
                       FixtureRecord(2, 3, 1, 100, 1000, 0, 2), FixtureRecord(2, 1, 1, 164, 1000, 0, 2),
                       FixtureRecord(2, 2, 1, 228, 1000, 0, 2)},
                      {GroupRecord(2, 100, 1000)}));
    QCOMPARE(m_Ui.Wnd()->Groups().size(), 1);
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
    VpuSimDevice &device = m_Ui.Sim().Device();
    const char *const apcSpins[] = {"m_pLpuTestColorRedSpin", "m_pLpuTestColorGreenSpin", "m_pLpuTestColorBlueSpin"};
    // Each finished edit writes at once.
    for (int i = 0; i < 3; ++i) {
        TypeInto(F<QSpinBox>(apcSpins[i]), QString::number(QList<int>{255, 128, 0}.at(i)));
        QVERIFY(m_Ui.Sim().WaitEnabled());
    }
    QCOMPARE(m_Ui.Requests(38).size(), 2); // blue stayed 0
    QCOMPARE(device.FixtureRegister(1, 1, kTestColor), 0xFF800001u);
    device.SetFixtureRegister(1, 1, kTestColor, 0x1234);
    m_Ui.Sim().Model().SetFault(38, VpuSimFault{status});
    m_Ui.Traces().Clear();

    Press(F<QPushButton>(qPrintable(button)));
    QCOMPARE(device.FixtureRegister(1, 1, kTestColor), reg);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(F<QSpinBox>(apcSpins[i])->value(), shown.at(i));
    if (status == 0) {
        QVERIFY(m_Ui.Traces().Contains(message, TRACE_KIND_SUCCESS));
        QCOMPARE(m_Ui.Boxes(), QStringList());
    } else {
        QCOMPARE(m_Ui.Boxes(), QStringList{message + " | (Error Code = -202) - Communication timeout with VPU!"});
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
    TypeInto(F<QDoubleSpinBox>("m_pLpuRedSpin"), typed);
    QCOMPARE(F<QSlider>("m_pLpuRedSlider")->value(), gain);
    QCOMPARE(F<QDoubleSpinBox>("m_pLpuRedSpin")->value(), shown);
    FixtureIntensity_t tStored;
    FindFixture(m_Ui.Wnd(), 1, 1)->GetIntensity(&tStored);
    QCOMPARE(int(tStored.Red()), gain);
    // Intensity requests leave the window enabled.
    QVERIFY(m_Ui.Wnd()->isEnabled());
    QTRY_COMPARE(m_Ui.Requests(51), sent);
}

void TestFixtureSettings::luminosityReplyLeavesOtherRequestPending()
{
    VpuSimFault slow;
    slow.iDelayMs = 400;
    m_Ui.Sim().Model().SetFault(38, slow);
    SignalLog lumi(&m_Ui.Wnd()->m_VpuCom, &CVpuCom::sigSetFixtureLuminosityMsg);
    TypeInto(F<QSpinBox>("m_pLpuLumiSpin"), QStringLiteral("50"));
    QTest::mouseClick(F<QPushButton>("m_pLpuTestColorApplyBtn"), Qt::LeftButton);
    QVERIFY(lumi.wait());
    QTest::qWait(50);
    QVERIFY(!m_Ui.Wnd()->isEnabled());
    QVERIFY(m_Ui.Sim().WaitEnabled());
    QCOMPARE(m_Ui.Requests(38), QStringList{"26 0d 00 00 00 01 01 00 00 00 04 05 20 00 01 00 00 00"});
}

void TestFixtureSettings::fixturePlacementBothWays()
{
    Zelvor *pWnd = m_Ui.Wnd();
    CFixture *pFixture = FindFixture(pWnd, 1, 2);
    // Rebuilt lists must not leave a second link behind: one refusal, one box.
    for (int i = 0; i < 3; ++i)
        pWnd->UpdateFixtureLists();
    auto *pHor = F<QSpinBox>("m_pFixtPosHorSpin");
    auto *pVer = F<QSpinBox>("m_pFixtPosVertSpin");

    // The fixture dragged becomes the panel's.
    const QPointF from = pFixture->sceneBoundingRect().center();
    m_Ui.Drag(from, from + QPointF(200, 100));
    QCOMPARE(F<QComboBox>("m_pFixtNameCbBox")->currentText(), pFixture->GetName());
    QCOMPARE(pHor->value(), qRound(pFixture->scenePos().x()));
    QCOMPARE(pVer->value(), qRound(pFixture->scenePos().y()));
    QVERIFY(pHor->value() != 600);

    TypeInto(pHor, QStringLiteral("700"));
    QCOMPARE(pFixture->scenePos().x(), 700.0);
    TypeInto(pHor, QStringLiteral("1919"));
    QCOMPARE(pFixture->scenePos().x(), 700.0);
    QCOMPARE(pHor->value(), 700);
    QCOMPARE(m_Ui.Boxes().size(), 1);
    QVERIFY(m_Ui.Boxes().first().startsWith(QStringLiteral("Fixture L1.2 does not fit in the scene")));
    // Nothing of the placement goes to the VPU without its buttons.
    QCOMPARE(m_Ui.Requests(), QStringList());
}

void TestFixtureSettings::groupRuns_data()
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

void TestFixtureSettings::groupRuns()
{
    QFETCH(QString, button);
    QFETCH(int, id);
    QFETCH(int, operation);
    QFETCH(int, status);
    VpuSimFault fault;
    fault.iStatus = status;
    fault.iAfter = 1;
    m_Ui.Sim().Model().SetFault(quint8(id), fault);

    Press(G<QPushButton>(qPrintable(button)));
    QTest::qWait(100); // nothing more may follow
    const QStringList sent = m_Ui.Requests(id);
    QCOMPARE(sent.size(), status == 0 ? 3 : 2);
    QCOMPARE(m_Ui.Boxes().size(), status == 0 ? 0 : 1);

    // The same members asked one by one by their own operations, in member order.
    m_Ui.Sim().Model().ClearLog();
    int (CFixture::*const apOps[])() = {&CFixture::ApplyIntensity, &CFixture::ConfigureOrigin,
                                        &CFixture::ConfigureRotation, &CFixture::WriteConfig};
    QList<CFixture *> members;
    m_Ui.Wnd()->Groups().first()->GetFixtures(members);
    for (CFixture *pFixture : members)
        QCOMPARE((pFixture->*apOps[operation])(), 0);
    QVERIFY(m_Ui.Sim().Model().WaitForRequests(3, 5000));
    QCOMPARE(sent, m_Ui.Requests(id).mid(0, sent.size()));
    QVERIFY(sent.first().startsWith(QString::asprintf("%02x", id) + QStringLiteral(" ")));
    QVERIFY(sent.first().contains(QStringLiteral(" 02 03 00 00 00")));
}

void TestFixtureSettings::groupRunIgnoresOtherSendersReply()
{
    // The fixture panel's intensity request is still on its way when the run starts; its
    // reply must not count as the first member's.
    VpuSimFault fault;
    fault.iStatus = -202;
    fault.iAfter = 2;
    m_Ui.Sim().Model().SetFault(51, fault);
    // A slow request ahead of both keeps the fixture panel's one queued.
    VpuSimFault slow;
    slow.iDelayMs = 300;
    m_Ui.Sim().Model().SetFault(38, slow);
    m_Ui.Wnd()->m_VpuCom.FixtWriteReg(FixtureAddr_t{1, 1}, 0, 0);
    TypeInto(F<QSpinBox>("m_pLpuLumiSpin"), QStringLiteral("50"));
    QTest::mouseClick(G<QPushButton>("m_pGroupLumiApplyBtn"), Qt::LeftButton);
    QVERIFY(m_Ui.Sim().WaitEnabled());
    QTest::qWait(100);
    // Fixture panel, first member, second member (fails): the third is never asked.
    QCOMPARE(m_Ui.Requests(51).size(), 3);
}

void TestFixtureSettings::groupPlacementBothWays()
{
    Zelvor *pWnd = m_Ui.Wnd();
    CFixtureGroup *pGroup = pWnd->Groups().first();
    for (int i = 0; i < 3; ++i)
        pWnd->UpdateFixtureLists();
    auto *pHor = G<QSpinBox>("m_pGroupPosHorSpin");
    auto *pVer = G<QSpinBox>("m_pGroupPosVertSpin");
    auto *pAngle = G<QSpinBox>("m_pRotAngleSpin");

    // The title band below the members takes the group.
    m_Ui.Drag(QPointF(110, 1072), QPointF(310, 772));
    QVERIFY(pGroup->scenePos() != QPointF(100, 1000));
    QCOMPARE(pHor->value(), qRound(pGroup->scenePos().x()));
    QCOMPARE(pVer->value(), qRound(pGroup->scenePos().y()));

    TypeInto(pVer, QStringLiteral("1000"));
    TypeInto(pHor, QStringLiteral("100"));
    QCOMPARE(pGroup->scenePos(), QPointF(100, 1000));
    TypeInto(G<QSpinBox>("m_pRotAnchorHorPosSpin"), QStringLiteral("120"));
    RotationInfo_t tRot;
    pGroup->GetRotationInfo(&tRot);
    QCOMPARE(tRot.anchorX, 120.0);

    // A refused position is silent; a refused rotation shows the group's one box.
    TypeInto(pHor, QStringLiteral("1919"));
    QCOMPARE(pHor->value(), 100);
    QCOMPARE(m_Ui.Boxes(), QStringList());
    TypeInto(pAngle, QStringLiteral("90"));
    QCOMPARE(pAngle->value(), 0);
    QCOMPARE(m_Ui.Boxes(), QStringList{QStringLiteral("Group G2 rotated by 90 degrees does not fit in the scene! | ")});
    QVERIFY(!m_Ui.Traces().Contains(QStringLiteral("Set group rotation angle to 90")));
    QCOMPARE(m_Ui.Requests(), QStringList());
}

QTEST_MAIN(TestFixtureSettings)
#include "tst_fixturesettings.moc"
