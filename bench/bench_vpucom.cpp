// What the request queue costs over the bare socket, against the simulated VPU on loopback:
// a status request posted through CVpuCom and answered back on the posting thread, beside
// a blocking socket ping-pong of the same bytes; and a 4 MB flash write in 128 KB requests
// (1920-byte blocks, each acknowledged) beside a raw loop of the same blocks and
// acknowledgements. Prints both figures and their ratios.
#include "comm/netcom.h"
#include "comm/vpucom.h"
#include "support/rawsocket.h"
#include "support/testenv.h"
#include "support/vpusim.h"
#include "support/vpusimdevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QWaitCondition>
#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

const char *const kAddress = "127.0.0.43";
constexpr int kPings = 500;
constexpr int kRounds = 7;
constexpr quint32 kWriteTotal = 4u << 20;
constexpr quint32 kWriteRequest = 128u << 10;

// The reply header and the status as two reads, as the link reads them.
bool RawStatus(int iSocket)
{
    char acHeader[5], acStatus[4];
    return RecvAll(iSocket, acHeader, 5) && RecvAll(iSocket, acStatus, 4);
}

double RawPingUs(quint16 usPort)
{
    const int iSocket = RawConnect(QString::fromLatin1(kAddress), usPort);
    if (iSocket < 0)
        return -1;
    const QByteArray baRequest = QByteArray::fromHex("0200000000");
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kPings; ++i)
        if (!SendAll(iSocket, baRequest) || !RawStatus(iSocket))
            return -1;
    const double dUs = double(t.nsecsElapsed()) / 1000.0 / kPings;
    RawClose(iSocket);
    return dUs;
}

// The transport alone, on this thread: what CNetCom's framing and waits cost over the raw
// socket, before any queue.
double TransportPingUs(quint16 usPort)
{
    CNetCom tNet;
    if (tNet.Connect(kAddress, usPort) != 0)
        return -1;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kPings; ++i) {
        quint32 uiBudget = 60000;
        int iVpuStatus = 0;
        if (tNet.ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiBudget) != 0)
            return -1;
    }
    return double(t.nsecsElapsed()) / 1000.0 / kPings;
}

double RawWriteMBps(quint16 usPort, const QByteArray &baData)
{
    const int iSocket = RawConnect(QString::fromLatin1(kAddress), usPort);
    if (iSocket < 0)
        return -1;
    QElapsedTimer t;
    t.start();
    for (quint32 uiAt = 0; uiAt < kWriteTotal; uiAt += kWriteRequest) {
        QByteArray baHeader = QByteArray::fromHex("1609000000");
        SimPutU32(baHeader, uiAt);
        SimPutU32(baHeader, kWriteRequest);
        baHeader.append(char(0));
        if (!SendAll(iSocket, baHeader))
            return -1;
        for (quint32 uiBlock = 0; uiBlock < kWriteRequest; uiBlock += 1920) {
            const quint32 uiLength = std::min<quint32>(1920, kWriteRequest - uiBlock);
            if (!SendAll(iSocket, baData.mid(uiAt + uiBlock, uiLength)) || !RawStatus(iSocket))
                return -1;
        }
    }
    const double dSeconds = double(t.nsecsElapsed()) / 1e9;
    RawClose(iSocket);
    return kWriteTotal / 1048576.0 / dSeconds;
}

double LinkPingUs(CVpuCom &tCom)
{
    QEventLoop tLoop;
    int iLeft = kPings;
    QObject tContext;
    QObject::connect(&tCom, &CVpuCom::sigStatusMsg, &tContext, [&](int) {
        if (--iLeft > 0)
            tCom.GetStatus();
        else
            tLoop.quit();
    });
    QElapsedTimer t;
    t.start();
    tCom.GetStatus();
    tLoop.exec();
    return double(t.nsecsElapsed()) / 1000.0 / kPings;
}

// The same, the answer taken on the worker thread itself: the queue and the executor
// without the event loop of the posting thread.
double LinkPingDirectUs(CVpuCom &tCom)
{
    std::atomic<int> iLeft{kPings};
    QMutex tMutex;
    QWaitCondition tDone;
    QObject tContext;
    QObject::connect(
        &tCom, &CVpuCom::sigStatusMsg, &tContext,
        [&](int) {
            if (--iLeft > 0) {
                tCom.GetStatus();
            } else {
                QMutexLocker tLock(&tMutex);
                tDone.wakeAll();
            }
        },
        Qt::DirectConnection);
    QElapsedTimer t;
    t.start();
    QMutexLocker tLock(&tMutex);
    tCom.GetStatus();
    while (iLeft > 0)
        tDone.wait(&tMutex);
    return double(t.nsecsElapsed()) / 1000.0 / kPings;
}

double LinkWriteMBps(CVpuCom &tCom, const QByteArray &baData)
{
    QEventLoop tLoop;
    quint32 uiDone = 0;
    QObject tContext;
    QObject::connect(&tCom, &CVpuCom::sigFlashWriteMsg, &tContext, [&](int) {
        uiDone += kWriteRequest;
        if (uiDone >= kWriteTotal)
            tLoop.quit();
    });
    QElapsedTimer t;
    t.start();
    // All requests are queued at once, so the worker runs them back to back like the raw
    // loop: what is measured is what the queue and its executor add.
    for (quint32 uiAt = 0; uiAt < kWriteTotal; uiAt += kWriteRequest)
        tCom.FlashWrite(uiAt, kWriteRequest, 0, baData.constData() + uiAt);
    tLoop.exec();
    return kWriteTotal / 1048576.0 / (double(t.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication tApp(argc, argv);
    TestEnv tEnv;
    VpuSimulator tSim(QString::fromLatin1(kAddress));
    VpuSimDevice tDevice(tSim.Model());
    if (!tSim.Start()) {
        std::fprintf(stderr, "simulator did not start on %s\n", kAddress);
        return 1;
    }
    QByteArray baData(int(kWriteTotal), 0);
    for (int i = 0; i < baData.size(); ++i)
        baData[i] = char(i * 7);

    // Rounds alternate between the raw socket and the link (the simulator serves one
    // connection at a time) and the medians are printed, so that a busy machine weighs on
    // both sides alike. The first write also makes the device's flash.
    RawWriteMBps(tSim.Port(), baData);
    CVpuCom tCom;
    tCom.SetNetParams(tSim.Address(), tSim.Port());
    QList<double> lRawPing, lTransportPing, lLinkPing, lLinkPingDirect, lRawWrite, lLinkWrite;
    for (int iRound = 0; iRound < kRounds; ++iRound) {
        lRawPing.append(RawPingUs(tSim.Port()));
        lTransportPing.append(TransportPingUs(tSim.Port()));
        lRawWrite.append(RawWriteMBps(tSim.Port(), baData));
        if (tCom.Open() != 0) {
            std::fprintf(stderr, "link did not open\n");
            return 1;
        }
        lLinkPing.append(LinkPingUs(tCom));
        lLinkPingDirect.append(LinkPingDirectUs(tCom));
        lLinkWrite.append(LinkWriteMBps(tCom, baData));
        tCom.Close();
    }
    tSim.Stop();
    const double dRawPing = Median(lRawPing), dLinkPing = Median(lLinkPing);
    const double dLinkPingDirect = Median(lLinkPingDirect), dTransportPing = Median(lTransportPing);
    const double dRawWrite = Median(lRawWrite), dLinkWrite = Median(lLinkWrite);

    std::printf("medians of %d rounds\n", kRounds);
    std::printf("status round trip: CVpuCom %.1f us, raw socket %.1f us, ratio %.2f (goal <= 1.5)\n", dLinkPing,
                dRawPing, dLinkPing / dRawPing);
    std::printf("status round trip, CNetCom alone on the calling thread: %.1f us, ratio %.2f\n", dTransportPing,
                dTransportPing / dRawPing);
    std::printf("status round trip, answer taken on the worker: CVpuCom %.1f us, ratio %.2f\n", dLinkPingDirect,
                dLinkPingDirect / dRawPing);
    std::printf("4 MB flash write: CVpuCom %.1f MB/s, raw socket %.1f MB/s, ratio %.2f (goal >= 0.8)\n", dLinkWrite,
                dRawWrite, dLinkWrite / dRawWrite);
    return 0;
}
