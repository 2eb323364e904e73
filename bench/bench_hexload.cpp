// Loading the HEX file of a full 5 MB MCU image: CHexFile (read, check, build the image and
// its CRC) against objcopy converting the same file to binary, in the same run.
#include "comm/hexfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool RunObjcopy(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral("objcopy"), args);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("objcopy")).isEmpty()) {
        std::printf("objcopy not found: nothing to compare with\n");
        return 0;
    }
    QTemporaryDir dir;
    const QString qsBin = dir.filePath(QStringLiteral("image.bin"));
    const QString qsHex = dir.filePath(QStringLiteral("image.hex"));
    const QString qsOut = dir.filePath(QStringLiteral("back.bin"));
    {
        QByteArray baImage(int(CHexFile::IMAGE_SIZE), Qt::Uninitialized);
        QRandomGenerator rng(1);
        rng.fillRange(reinterpret_cast<quint32 *>(baImage.data()), baImage.size() / 4);
        QFile file(qsBin);
        if (!file.open(QIODevice::WriteOnly) || file.write(baImage) != baImage.size())
            return 1;
    }
    if (!RunObjcopy({"-I", "binary", "-O", "ihex", "--change-addresses", "0x1D000000", qsBin, qsHex}))
        return 1;
    const qint64 llHexSize = QFileInfo(qsHex).size();

    const int kRuns = 5;
    std::vector<double> ours, theirs;
    quint32 uiLength = 0;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        CHexFile hex;
        if (hex.Open(qsHex) != 0)
            return 1;
        quint32 uiStart = 0;
        quint16 usCrc = 0;
        hex.LoadImage(&uiStart, &uiLength, &usCrc);
        ours.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        if (!RunObjcopy({"-I", "ihex", "-O", "binary", "--gap-fill", "0xFF", qsHex, qsOut}))
            return 1;
        theirs.push_back(t.nsecsElapsed() / 1e6);
    }
    const double dOurs = Median(ours);
    const double dTheirs = Median(theirs);
    std::printf("HEX file: %lld bytes, image range %u bytes, median of %d runs\n", llHexSize, uiLength, kRuns);
    std::printf("CHexFile::Open + LoadImage (with CRC): %8.1f ms\n", dOurs);
    std::printf("objcopy -I ihex -O binary:             %8.1f ms\n", dTheirs);
    std::printf("ratio ours / objcopy:                  %8.2f\n", dOurs / dTheirs);
    return 0;
}
