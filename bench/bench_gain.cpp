// The coefficient list check on a 1919 x 1079 list (line order and column order) beside one
// bare pass over the same list, which no check can beat; then writing and reading a gain
// file of the whole 1920 x 1080 picture in each format.
#include "support/testenv.h"
#include "update/gainfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename Body> double TimeMs(Body body)
{
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        runs.push_back(t.nsecsElapsed() / 1e6);
    }
    return Median(runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestEnv env;
    const quint32 uiWidth = 1919, uiHeight = 1079;
    std::vector<PixelCoef_t> list(size_t(uiWidth) * uiHeight);
    volatile quint32 uiSink = 0;
    const double dBare = TimeMs([&] {
        quint16 usMax = 0;
        for (const PixelCoef_t &t : list)
            usMax = std::max({usMax, t.Line, t.Column});
        uiSink = usMax;
    });
    std::printf("CoefCheckList on %u x %u records, median of %d runs\n", uiWidth, uiHeight, kRuns);
    std::printf("  one bare pass over the list:   %8.1f ms\n", dBare);
    const struct
    {
        const char *pcName;
        int (*gen)(quint32, quint32, PixelCoef_t *);
    } lists[] = {{"line order (position code)", CoefGenPositionCode}, {"column order (ramp)", CoefGenRamp}};
    for (const auto &l : lists) {
        l.gen(uiWidth, uiHeight, list.data());
        quint16 usHeight = 0, usWidth = 0;
        int iStatus = 0;
        const double dCheck =
            TimeMs([&] { iStatus = CoefCheckList(quint32(list.size()), list.data(), &usHeight, &usWidth); });
        std::printf("  %-30s %8.1f ms (%.1f x the bare pass), status %d, %u x %u\n", l.pcName, dCheck, dCheck / dBare,
                    iStatus, usWidth, usHeight);
    }

    list.resize(size_t(COEF_MAX_COLUMNS) * COEF_MAX_LINES);
    CoefGenPositionCode(COEF_MAX_COLUMNS, COEF_MAX_LINES, list.data());
    CGainTable table;
    std::printf("Gain files of %d x %d pixels, one run each\n", COEF_MAX_COLUMNS, COEF_MAX_LINES);
    const char *apcNames[] = {"VU3", "ELDIM", "RADIANT"};
    for (int iFormat = 0; iFormat < 3; ++iFormat) {
        const QString qsName = env.FilePath(QStringLiteral("full"));
        QElapsedTimer t;
        t.start();
        const int iWrite = CoefWriteFile(iFormat, qsName, quint32(list.size()), list.data());
        const double dWrite = t.nsecsElapsed() / 1e6;
        table.Clear();
        quint16 usHeight = 0, usWidth = 0;
        t.restart();
        const int iRead = CoefReadFile(false, iFormat, qsName, &usHeight, &usWidth, table);
        const double dRead = t.nsecsElapsed() / 1e6;
        std::printf("  %-8s %6.1f MB: write %8.1f ms (status %d), read %8.1f ms (status %d, %.2f us per row)\n",
                    apcNames[iFormat], QFileInfo(qsName).size() / 1e6, dWrite, iWrite, dRead, iRead,
                    dRead * 1000 / double(list.size()));
    }
    return 0;
}
