#pragma once
// Shared by the scene editing tests: a main window over the shipped fixture catalogue, the
// catalogue's types, and the project round trip through a file.

#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"
#include "support/projectsupport.h"
#include "support/windowtest.h"
#include "trace/trace.h"

#include <QStringList>
#include <QTest>

// The shipped catalogue's types: 1 LPU 64x64, 2 LPU 128x64, 3 LPU 128x128, 0x10000001 SASU
// 64x64; the test catalogue adds 0xFFFFFFFF, a SASU of 16 x 16.
inline FixtureType_t CatalogueType(quint32 uCode)
{
    FixtureType_t type;
    g_SoftConf.GetFixtureType(uCode, &type);
    return type;
}

// The upright box around an item's outline where it stands now.
inline QRectF BoxOf(const CFixture *pFixture)
{
    return CFixture::ConvertPolyToRect(pFixture->GetScenePolygon());
}

inline QRectF BoxOf(const CFixtureGroup *pGroup)
{
    return pGroup->ComputeRect(SceneItems::TruncAngle(pGroup->rotation()));
}

// One working folder, catalogue and trace for the whole test program; prompts and the main
// window for each test function.
class EditingTestBase : public WindowTest
{
protected:
    void StartProgram() { QVERIFY(BeginWithCatalogue()); }
    void StopProgram() { End(); }
};

struct ProjectSnapshot_t
{
    QList<ProjectFixture_t> fixtures;
    QList<ProjectGroup_t> groups;
};

// The records the project holds now.
inline ProjectSnapshot_t ProjectRecords()
{
    ProjectSnapshot_t snapshot;
    g_ProjectConf.SetSceneBuilder([&snapshot](const QList<ProjectFixture_t> &lFixtures,
                                              const QList<ProjectGroup_t> &lGroups, QList<CFixture *> &,
                                              QList<CFixtureGroup *> &) {
        snapshot.fixtures = lFixtures;
        snapshot.groups = lGroups;
        return 0;
    });
    QList<CFixture *> lNoFixtures;
    QList<CFixtureGroup *> lNoGroups;
    g_ProjectConf.BuildScene(lNoFixtures, lNoGroups);
    g_ProjectConf.SetSceneBuilder(nullptr);
    return snapshot;
}

// One line per record, in whole pixels as the file keeps them.
inline QStringList Describe(const ProjectSnapshot_t &snapshot)
{
    QStringList lines;
    auto place = [](const RotationInfo_t &p) {
        return QStringLiteral("%1,%2 anchor %3,%4 angle %5")
            .arg(qRound(p.x))
            .arg(qRound(p.y))
            .arg(qRound(p.anchorX))
            .arg(qRound(p.anchorY))
            .arg(p.angle);
    };
    for (const ProjectGroup_t &g : snapshot.groups)
        lines.append(QStringLiteral("G%1 '%2' %3").arg(g.info.number).arg(g.info.name, place(g.placement)));
    for (const ProjectFixture_t &f : snapshot.fixtures)
        lines.append(QStringLiteral("F%1.%2 type %3 group %4 %5")
                         .arg(f.output)
                         .arg(f.number)
                         .arg(f.type, 8, 16, QLatin1Char('0'))
                         .arg(f.group)
                         .arg(place(f.placement)));
    return lines;
}

// The scene as the project takes it, then as it comes back from the saved file.
inline bool SaveAndLoad(Zelvor *pWnd, const QString &qsPath, QStringList *pBefore, QStringList *pAfter)
{
    g_ProjectConf.SetFixturesAndGroups(pWnd->AllFixtures(), pWnd->Groups());
    const ProjectSnapshot_t before = ProjectRecords();
    // The scene itself must already be what a file holds: nothing merged or dropped.
    if (before.fixtures.size() != pWnd->AllFixtures().size() || before.groups.size() != pWnd->Groups().size())
        return false;
    *pBefore = Describe(before);
    if (g_ProjectConf.Write() != 0 || g_ProjectConf.Save(qsPath) != 0)
        return false;
    if (g_ProjectConf.Open(qsPath) != 0 || g_ProjectConf.Parse() != 0)
        return false;
    *pAfter = Describe(ProjectRecords());
    return true;
}

#define VERIFY_ROUND_TRIP(pWnd)                                                                                        \
    do {                                                                                                               \
        QStringList before_;                                                                                           \
        QStringList after_;                                                                                            \
        QVERIFY(SaveAndLoad((pWnd), m_pEnv->FilePath(QStringLiteral("roundtrip.prj")), &before_, &after_));            \
        QCOMPARE(after_, before_);                                                                                     \
    } while (false)
