// The project against real scene items: repeated save / load / rebuild cycles of a turned group
// must not creep.
#include "config/softconf.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "support/projectsupport.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"

#include <QGraphicsScene>
#include <QTest>

namespace {

// The scene builder the main window installs, in its order: fixtures from their records,
// groups placed and turned at their anchors, fixtures taken into their groups, one-member
// groups dissolved.
int BuildScene(QGraphicsScene *pScene, const QList<ProjectFixture_t> &lFixtureRecords,
               const QList<ProjectGroup_t> &lGroupRecords, QList<CFixture *> &lFixtures,
               QList<CFixtureGroup *> &lGroups)
{
    QList<CFixture *> lMade;
    for (const ProjectFixture_t &record : lFixtureRecords) {
        CFixture *pFixture = new CFixture(pScene);
        lMade.append(pFixture);
        if (const int iStatus = pFixture->SetConfig(record)) {
            qDeleteAll(lMade);
            return iStatus;
        }
    }
    for (const ProjectGroup_t &record : lGroupRecords) {
        CFixtureGroup *pGroup = new CFixtureGroup(pScene);
        lGroups.append(pGroup);
        pGroup->SetInfo(record.info);
        pGroup->setPos(record.placement.anchorX, record.placement.anchorY);
        pGroup->SetAnchorPos(record.placement.anchorX, record.placement.anchorY);
        pGroup->setRotation(record.placement.angle);
    }
    for (qsizetype i = 0; i < lMade.size(); ++i) {
        const quint16 uGroup = lFixtureRecords[i].group;
        if (uGroup == 0) {
            lFixtures.append(lMade[i]);
            continue;
        }
        for (qsizetype g = 0; g < lGroupRecords.size(); ++g) {
            if (lGroupRecords[g].info.number == uGroup) {
                lGroups[g]->AddFixture(lMade[i]);
                break;
            }
        }
    }
    for (CFixtureGroup *pGroup : lGroups)
        pScene->addItem(pGroup);
    for (CFixture *pFixture : lFixtures)
        pScene->addItem(pFixture);
    return 0;
}

// iCount fixtures cabled 1, 2, ... on an output, in a row at y, each anchored on its origin.
QList<CFixture *> FixtureRow(QGraphicsScene *pScene, const FixtureType_t &tType, quint32 uOutput, int iCount, double dX,
                             double dStep, double dY)
{
    QList<CFixture *> lFixtures;
    for (int i = 0; i < iCount; ++i) {
        CFixture *pFixture = new CFixture(pScene);
        pFixture->SetType(tType);
        pFixture->SetNumber(uOutput, quint32(i + 1));
        pFixture->setPos(dX + dStep * i, dY);
        pFixture->SetAnchorPos(dX + dStep * i, dY);
        pScene->addItem(pFixture);
        lFixtures.append(pFixture);
    }
    return lFixtures;
}

QList<CFixture *> AllFixtures(const QList<CFixture *> &lLoose, const QList<CFixtureGroup *> &lGroups)
{
    QList<CFixture *> lAll;
    for (CFixtureGroup *pGroup : lGroups) {
        QList<CFixture *> lMembers;
        pGroup->GetFixtures(lMembers);
        lAll.append(lMembers);
    }
    lAll.append(lLoose);
    return lAll;
}

int Save(const QList<CFixture *> &lFixtures, const QList<CFixtureGroup *> &lGroups, const QString &qsPath)
{
    g_ProjectConf.SetFixturesAndGroups(lFixtures, lGroups);
    const int iStatus = g_ProjectConf.Write();
    return iStatus != 0 ? iStatus : g_ProjectConf.Save(qsPath);
}

QByteArray FixtureLines(const QByteArray &text)
{
    QByteArray lines;
    for (const QByteArray &line : text.split('\n')) {
        if (line.contains("<Fixture "))
            lines += line + '\n';
    }
    return lines;
}

} // namespace

class TestProjectScene : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void turnedGroupDoesNotCreep();

private:
    TestEnv *m_pEnv = nullptr;
    TraceCollector *m_pTraces = nullptr;
};

void TestProjectScene::initTestCase()
{
    m_pEnv = new TestEnv;
    QVERIFY(LoadProjectTestCatalogue());
    m_pTraces = new TraceCollector;
    WorkspaceSettings_t ws;
    CProjectConf::DefaultWorkspace(&ws);
    g_ProjectConf.SetWorkspace(ws);
}

void TestProjectScene::cleanupTestCase()
{
    g_ProjectConf.SetSceneBuilder(nullptr);
    delete m_pTraces;
    delete m_pEnv;
}

void TestProjectScene::turnedGroupDoesNotCreep()
{
    QGraphicsScene scene(-0.5, -0.5, 1920, 1080);
    FixtureType_t tType;
    QCOMPARE(g_SoftConf.GetFixtureType(2, &tType), 0); // 128 x 64
    const QList<CFixture *> lFixtures = FixtureRow(&scene, tType, 2, 3, 600, 130, 500);
    lFixtures[2]->SetRotation(-30);
    CFixtureGroup *pGroup = new CFixtureGroup(&scene);
    pGroup->SetInfo(MakeGroupInfo(4, QStringLiteral("Diagonal")));
    scene.addItem(pGroup);
    pGroup->setPos(700, 530);
    pGroup->SetAnchorPos(700, 530);
    pGroup->AddFixture(lFixtures[0]);
    pGroup->AddFixture(lFixtures[1]);
    QCOMPARE(pGroup->SetRotation(45), 0);
    // Inside a group turned by 45 degrees a fixture keeps fractional scene coordinates.
    QCOMPARE(lFixtures[0]->SetPosition(650.6, 437.7), 0);
    QCOMPARE(lFixtures[1]->SetPosition(743.3, 529.4), 0);
    QList<CFixture *> lLoose{lFixtures[2]};
    QList<CFixtureGroup *> lGroups{pGroup};

    QCOMPARE(Save(AllFixtures(lLoose, lGroups), lGroups, QStringLiteral("turned.prj")), 0);
    const QByteArray first = ReadTestFile(QStringLiteral("turned.prj"));
    QVERIFY(first.contains("rotation=\"45\">Diagonal</Group>"));

    g_ProjectConf.SetSceneBuilder([&scene](const QList<ProjectFixture_t> &lFixtureRecords,
                                           const QList<ProjectGroup_t> &lGroupRecords, QList<CFixture *> &lOut,
                                           QList<CFixtureGroup *> &lOutGroups) {
        return BuildScene(&scene, lFixtureRecords, lGroupRecords, lOut, lOutGroups);
    });
    QByteArray previous;
    for (int i = 0; i < 5; ++i) {
        qDeleteAll(lGroups);
        qDeleteAll(lLoose);
        lGroups.clear();
        lLoose.clear();
        QCOMPARE(g_ProjectConf.Open(QStringLiteral("turned.prj")), 0);
        QCOMPARE(g_ProjectConf.Parse(), 0);
        g_ProjectConf.BuildScene(lLoose, lGroups);
        QCOMPARE(lGroups.size(), 1);
        QCOMPARE(lLoose.size(), 1);
        QCOMPARE(Save(AllFixtures(lLoose, lGroups), lGroups, QStringLiteral("turned.prj")), 0);
        const QByteArray text = ReadTestFile(QStringLiteral("turned.prj"));
        // Fixture positions and angles never move; the whole file is a fixed point once the
        // group's origin has been put on its anchor by the first rebuild.
        QCOMPARE(FixtureLines(text), FixtureLines(first));
        if (i > 0)
            QCOMPARE(text, previous);
        previous = text;
    }
    qDeleteAll(lGroups);
    qDeleteAll(lLoose);
    QVERIFY(m_pTraces->Lines(TRACE_KIND_ERROR).isEmpty());
}

QTEST_MAIN(TestProjectScene)
#include "tst_projectscene.moc"
