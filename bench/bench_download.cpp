// The project download of the main window with 500 fixtures (125 on each output) to the
// simulated VPU on loopback, from the Yes of the question to the end of the run, beside a raw
// socket replay of exactly the same exchange: every request the download sent, byte for byte,
// each reply read in full before the next request goes. Prints the medians and their ratio.
#include "mainwindow/zelvor.h"
#include "support/projectsupport.h"
#include "support/rawsocket.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/vpusim.h"
#include "support/vpusimdevice.h"
#include "support/zelvorsim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const char *const kAddress = "127.0.0.102";
constexpr int kFixtures = 500;
constexpr int kPerOutput = kFixtures / 4;
constexpr int kRounds = 5;
constexpr quint32 kStripType = 0x00000005; // 48 x 16

// The logged exchange again over a bare socket: what the host sent is sent, what the VPU
// answered is read to its last byte. Milliseconds, or -1.
double RawReplayMs(quint16 usPort, const QList<VpuSimLogEntry> &lLog)
{
    const int iSocket = RawConnect(QString::fromLatin1(kAddress), usPort);
    if (iSocket < 0)
        return -1;
    QByteArray baBuffer(4096, 0);
    QElapsedTimer t;
    t.start();
    for (const VpuSimLogEntry &tEntry : lLog) {
        if (tEntry.baBytes.size() > baBuffer.size())
            baBuffer.resize(tEntry.baBytes.size());
        const bool bOk = tEntry.bFromHost ? SendAll(iSocket, tEntry.baBytes)
                                          : RecvAll(iSocket, baBuffer.data(), tEntry.baBytes.size());
        if (!bOk) {
            RawClose(iSocket);
            return -1;
        }
    }
    const double dMs = double(t.nsecsElapsed()) / 1e6;
    RawClose(iSocket);
    return dMs;
}

// Ends an event loop when the window is enabled again: the end of the download. The loop
// runs as the program's own does, so that each answer is taken as soon as it is queued.
class EndOfRun : public QObject
{
public:
    EndOfRun(QWidget *pWnd, QEventLoop *pLoop) : m_pWnd(pWnd), m_pLoop(pLoop) { pWnd->installEventFilter(this); }
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pWatched == m_pWnd && pEvent->type() == QEvent::EnabledChange && m_pWnd->isEnabled())
            m_pLoop->quit();
        return false;
    }

private:
    QWidget *m_pWnd;
    QEventLoop *m_pLoop;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication tApp(argc, argv);
    TestEnv tEnv;
    if (!LoadProjectTestCatalogue()) {
        std::fprintf(stderr, "catalogue not loaded (LANTREL_SOURCE_DIR names the source folder)\n");
        return 1;
    }
    ScriptedPrompts tPrompts;

    ZelvorOnSim tSim(QString::fromLatin1(kAddress));
    if (!tSim.Start()) {
        std::fprintf(stderr, "simulator or link did not start on %s\n", kAddress);
        return 1;
    }
    QList<ProjectFixture_t> lRecords;
    for (int i = 0; i < kFixtures; ++i) {
        const quint8 uOutput = quint8(1 + i / kPerOutput);
        const quint32 uNumber = quint32(1 + i % kPerOutput);
        lRecords.append(FixtureRecord(uOutput, uNumber, kStripType, (i % 40) * 48, (i / 40) * 16));
        tSim.Device().AddFixture(uOutput, uNumber, SimFixtureConfig(uNumber, kStripType, 0, 0, 0, 0, 0, 0, 100));
    }
    if (!tSim.Enumerate()) {
        std::fprintf(stderr, "enumeration failed\n");
        return 1;
    }
    const QString qsPath = tEnv.FilePath(QStringLiteral("bench.prj"));
    Zelvor *pWnd = tSim.Wnd();
    if (WriteProjectFile(qsPath, lRecords, {}) != 0 || pWnd->LoadProject(qsPath) != 0) {
        std::fprintf(stderr, "project not loaded\n");
        return 1;
    }
    pWnd->show();

    // Rounds alternate between the download and the raw replay (the simulator serves one
    // connection at a time); medians are printed so that a busy machine weighs on both.
    QList<double> lDownload, lRaw;
    int iRequests = 0;
    for (int iRound = 0; iRound < kRounds; ++iRound) {
        tSim.Model().ClearLog();
        tPrompts.Reset();
        tPrompts.AnswerQuestion(QMessageBox::Yes);
        QEventLoop tLoop;
        EndOfRun tEnd(pWnd, &tLoop);
        QTimer::singleShot(120000, &tLoop, &QEventLoop::quit);
        QElapsedTimer t;
        t.start();
        pWnd->DownloadProject();
        if (!pWnd->isEnabled())
            tLoop.exec();
        if (!pWnd->isEnabled() || !tPrompts.Messages().isEmpty()) {
            std::fprintf(stderr, "download failed\n");
            return 1;
        }
        lDownload.append(double(t.nsecsElapsed()) / 1e6);
        const QList<VpuSimLogEntry> lLog = tSim.Model().Log();
        iRequests = 0;
        for (const VpuSimLogEntry &tEntry : lLog)
            iRequests += tEntry.bFromHost ? 1 : 0;

        pWnd->m_VpuCom.Close();
        const double dRaw = RawReplayMs(tSim.Sim().Port(), lLog);
        if (dRaw < 0) {
            std::fprintf(stderr, "raw replay failed\n");
            return 1;
        }
        lRaw.append(dRaw);
        if (pWnd->m_VpuCom.Open() != 0) {
            std::fprintf(stderr, "link did not reopen\n");
            return 1;
        }
    }
    const double dDownload = Median(lDownload), dRaw = Median(lRaw);
    std::printf("medians of %d rounds, %d fixtures, %d host writes per download\n", kRounds, kFixtures, iRequests);
    std::printf("download through the main window: %.1f ms\n", dDownload);
    std::printf("raw socket replay of the same exchange: %.1f ms\n", dRaw);
    std::printf("ratio %.2f (goal <= 2)\n", dDownload / dRaw);
    return 0;
}
