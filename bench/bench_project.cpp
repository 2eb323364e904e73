// Saving and loading a large project (2,000 fixtures in 50 groups) beside the time xmllint
// takes to parse the same file, in the same run. Prints medians and the load and save / xmllint
// ratios.
#include "config/softconf.h"
#include "project/projectconf.h"
#include "support/projectsupport.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGroups = 50;
constexpr int kPerGroup = 40;
constexpr int kRuns = 11;

const char kCatalogue[] =
    "<Lantrel><General><Traces save='no' fileSizeMB='1'>no</Traces></General><Sensors/><Fixtures>"
    "<Fixture width='64' height='64' type='0x00000001' manufacturer='1' Tile1='64,64,0,0' Tile2='0,0,0,0' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>A</Fixture>"
    "<Fixture width='16' height='16' type='0x00000002' manufacturer='1' Tile1='16,16,0,0' Tile2='0,0,0,0' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>B</Fixture>"
    "<Fixture width='16' height='32' type='0x00000003' manufacturer='1' Tile1='16,16,0,0' Tile2='16,16,0,16' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>C</Fixture>"
    "<Fixture width='16' height='16' type='0x10000001' manufacturer='1' Tile1='16,16,0,0' Tile2='0,0,0,0' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>S</Fixture>"
    "</Fixtures></Lantrel>";

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestEnv env;
    if (!WriteTestFile(QStringLiteral("Lantrel.xml"), kCatalogue) || g_SoftConf.Open(QStringLiteral("Lantrel.xml")) ||
        g_SoftConf.Parse() != 0) {
        std::fprintf(stderr, "cannot read the catalogue\n");
        return 1;
    }

    std::vector<FakeGroup> groups(kGroups);
    std::vector<FakeFixture> fixtures(kGroups * kPerGroup);
    quint32 uLoose = 0;
    for (int g = 0; g < kGroups; ++g) {
        const double dX = 40 + (g % 10) * 185, dY = 40 + (g / 10) * 200;
        groups[g] = {MakeGroupInfo(quint16(g + 1), QStringLiteral("Group %1").arg(g + 1)),
                     MakeRotationInfo(dX, dY, dX + 80, dY + 60, (g * 7) % 360 - 179)};
        for (int i = 0; i < kPerGroup; ++i) {
            const int n = g * kPerGroup + i;
            // Four full chains of 257 fixtures; the rest are not cabled, numbered among themselves.
            const bool bCabled = n < 4 * 257;
            FakeFixture &f = fixtures[n];
            f.output = bCabled ? quint32(n / 257 + 1) : 0;
            f.number = bCabled ? quint32(n % 257) : uLoose++;
            f.type = (i % 5 == 4) ? 0x10000001u : quint32(1 + i % 3);
            f.placement =
                MakeRotationInfo(dX + (i % 8) * 20.25, dY + (i / 8) * 30.5, dX + 80, dY + 60, (i * 13) % 360 - 179);
            f.group = quint16(g + 1);
            f.intensity = MakeIntensity(90, 500, 480, 460);
        }
    }
    QList<FakeFixture *> lFixtures;
    for (FakeFixture &f : fixtures)
        lFixtures.append(&f);
    QList<FakeGroup *> lGroups;
    for (FakeGroup &g : groups)
        lGroups.append(&g);

    const QString qsFile = env.FilePath(QStringLiteral("big.prj"));
    std::vector<double> save, load, open, lint;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        g_ProjectConf.SetFixturesAndGroups(lFixtures, lGroups);
        if (g_ProjectConf.Write() != 0 || g_ProjectConf.Save(qsFile) != 0) {
            std::fprintf(stderr, "save failed\n");
            return 1;
        }
        save.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (g_ProjectConf.Open(qsFile) != 0) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
        open.push_back(t.nsecsElapsed() / 1e6);
        if (g_ProjectConf.Parse() != 0) {
            std::fprintf(stderr, "load failed\n");
            return 1;
        }
        load.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        const int iLint = QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), qsFile});
        lint.push_back(t.nsecsElapsed() / 1e6);
        if (iLint != 0) {
            std::fprintf(stderr, "xmllint --noout failed (%d): is it installed?\n", iLint);
            return 1;
        }
    }
    const double dSave = Median(save), dLoad = Median(load), dLint = Median(lint);
    std::printf("project: %d fixtures in %d groups, %lld bytes\n", kGroups * kPerGroup, kGroups,
                static_cast<long long>(QFileInfo(qsFile).size()));
    std::printf("save (snapshot, write, file)   median %8.2f ms\n", dSave);
    std::printf("load (open, parse)             median %8.2f ms (of which the DOM %.2f ms)\n", dLoad, Median(open));
    std::printf("xmllint --noout (process)      median %8.2f ms\n", dLint);
    std::printf("load / xmllint ratio           %8.2f  (goal <= 3)\n", dLoad / dLint);
    std::printf("save / xmllint ratio           %8.2f  (goal <= 3)\n", dSave / dLint);
    return 0;
}
