// The socket transport on its own: connecting, the invalid-socket and already-open cases,
// empty transfers, and the datagram side used by the bootloader.

#include "comm/netcom.h"
#include "support/testenv.h"
#include "support/vpusim.h"

#include <QElapsedTimer>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const char *const TCP_ADDRESS = "127.0.0.20";
const char *const UDP_ADDRESS = "127.0.0.21";

// A plain datagram socket standing for the bootloader, bound on the UDP test address.
class UdpPeer
{
public:
    UdpPeer()
    {
        m_iSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in tAddr{};
        tAddr.sin_family = AF_INET;
        ::inet_pton(AF_INET, UDP_ADDRESS, &tAddr.sin_addr);
        ::bind(m_iSocket, reinterpret_cast<sockaddr *>(&tAddr), sizeof(tAddr));
        socklen_t uiLen = sizeof(m_tAddr);
        ::getsockname(m_iSocket, reinterpret_cast<sockaddr *>(&m_tAddr), &uiLen);
        timeval tWait{2, 0};
        ::setsockopt(m_iSocket, SOL_SOCKET, SO_RCVTIMEO, &tWait, sizeof(tWait));
    }
    ~UdpPeer() { ::close(m_iSocket); }
    quint32 Address() const { return m_tAddr.sin_addr.s_addr; }
    quint16 Port() const { return ntohs(m_tAddr.sin_port); }
    // Receives one datagram and remembers who sent it.
    QByteArray Receive()
    {
        char acBuf[2048];
        socklen_t uiLen = sizeof(m_tFrom);
        const ssize_t llGot =
            ::recvfrom(m_iSocket, acBuf, sizeof(acBuf), 0, reinterpret_cast<sockaddr *>(&m_tFrom), &uiLen);
        return llGot < 0 ? QByteArray() : QByteArray(acBuf, int(llGot));
    }
    void Reply(const QByteArray &ba)
    {
        ::sendto(m_iSocket, ba.constData(), size_t(ba.size()), 0, reinterpret_cast<sockaddr *>(&m_tFrom),
                 sizeof(m_tFrom));
    }
    sockaddr_in LastSender() const { return m_tFrom; }

private:
    int m_iSocket = -1;
    sockaddr_in m_tAddr{};
    sockaddr_in m_tFrom{};
};
} // namespace

class TestNetCom : public QObject
{
    Q_OBJECT

private:
    TestEnv m_Env;

private slots:
    // No socket is left behind by a failed connection: a name that does not resolve, or
    // a port where nobody listens any more.
    void connectFails()
    {
        CNetCom tCom;
        quint8 aucBuf[4] = {};
        quint32 uiTimeout = 100;
        QCOMPARE(tCom.Write(4, aucBuf, &uiTimeout), -3);
        QCOMPARE(tCom.Read(4, aucBuf, &uiTimeout), -3);
        QCOMPARE(tCom.Open(), -3);
        QCOMPARE(tCom.Connect("no-such-host.invalid", 50000), -200);
        QCOMPARE(tCom.IsUdpOpen(), 0);
        VpuSimulator tSim(TCP_ADDRESS);
        QVERIFY(tSim.Start(0));
        const quint16 usPort = tSim.Port();
        tSim.Stop();
        QCOMPARE(tCom.Connect(TCP_ADDRESS, usPort), -200);
        QCOMPARE(tCom.IsUdpOpen(), 0);
    }

    void connectToUnansweringPeerIsBounded()
    {
        // A listener whose accept queue is full drops further connection requests unanswered,
        // the way an unreachable host leaves them.
        const int iListen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in tAddr{};
        tAddr.sin_family = AF_INET;
        ::inet_pton(AF_INET, TCP_ADDRESS, &tAddr.sin_addr);
        QCOMPARE(::bind(iListen, reinterpret_cast<sockaddr *>(&tAddr), sizeof(tAddr)), 0);
        QCOMPARE(::listen(iListen, 0), 0);
        socklen_t uiLen = sizeof(tAddr);
        ::getsockname(iListen, reinterpret_cast<sockaddr *>(&tAddr), &uiLen);
        const quint16 usPort = ntohs(tAddr.sin_port);

        QList<CNetCom *> tFillers;
        int iResult = 0;
        QElapsedTimer tTimer;
        for (int i = 0; i < 8 && iResult == 0; ++i) {
            auto *pCom = new CNetCom;
            pCom->SetConnectTimeoutMs(300);
            tTimer.start();
            iResult = pCom->Connect(TCP_ADDRESS, usPort);
            tFillers.append(pCom);
        }
        const qint64 llElapsed = tTimer.elapsed();
        QCOMPARE(tFillers.last()->LastConnectError(),
                 QStringLiteral("Connection to %1 port %2 failed: Connection timed out").arg(TCP_ADDRESS).arg(usPort));
        qDeleteAll(tFillers);
        ::close(iListen);
        QCOMPARE(iResult, -200);
        QVERIFY2(llElapsed >= 250 && llElapsed < 3000, qPrintable(QString::number(llElapsed)));
    }

    // A second connection is refused and the first stays the one in use; empty transfers
    // succeed at once; a closed object can connect again.
    void connectTwiceIsRefused()
    {
        VpuSimulator tSim(TCP_ADDRESS);
        QVERIFY(tSim.Start(0));
        CNetCom tCom;
        QCOMPARE(tCom.Connect(TCP_ADDRESS, tSim.Port()), 0);
        QCOMPARE(tCom.Connect(TCP_ADDRESS, tSim.Port()), -3);
        quint8 aucReq[5] = {2, 0, 0, 0, 0};
        quint8 aucReply[9] = {};
        quint32 uiTimeout = 5000;
        QCOMPARE(tCom.Write(5, aucReq, &uiTimeout), 0);
        QCOMPARE(tCom.Read(9, aucReply, &uiTimeout), 0);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(aucReply), 9).toHex(' '),
                 QByteArray("01 04 00 00 00 00 00 00 00"));
        QCOMPARE(tSim.ConnectionCount(), 1);
        uiTimeout = 0;
        QCOMPARE(tCom.Write(0, nullptr, &uiTimeout), 0);
        QCOMPARE(tCom.Read(0, nullptr, &uiTimeout), 0);
        QCOMPARE(tCom.Close(), 0);
        QCOMPARE(tCom.IsUdpOpen(), 0);
        QCOMPARE(tCom.Close(), 0);
        QCOMPARE(tCom.Connect(TCP_ADDRESS, tSim.Port()), 0);
    }

    void udpExchangeWithPeer()
    {
        UdpPeer tPeer;
        CNetCom tCom;
        QCOMPARE(tCom.IsUdpOpen(), 0);
        QCOMPARE(tCom.OpenUdp(tPeer.Address(), tPeer.Port()), 0);
        QCOMPARE(tCom.OpenUdp(tPeer.Address(), tPeer.Port()), -3);
        QCOMPARE(tCom.IsUdpOpen(), -4);
        const QByteArray baOut = QByteArray::fromHex("55aa0102");
        quint8 aucIn[64];
        QElapsedTimer tTimer;
        tTimer.start();
        QCOMPARE(tCom.RecvFrom(64, aucIn), 0); // nothing waiting: a short wait, not a hang
        QVERIFY2(tTimer.elapsed() >= 8 && tTimer.elapsed() < 500, qPrintable(QString::number(tTimer.elapsed())));
        QCOMPARE(tCom.SendTo(4, reinterpret_cast<const quint8 *>(baOut.constData())), 4);
        QCOMPARE(tPeer.Receive(), baOut);
        tPeer.Reply(QByteArray::fromHex("0a0b0c"));
        std::memset(aucIn, 0xEE, sizeof(aucIn));
        int iGot = 0;
        tTimer.start();
        while (iGot == 0 && tTimer.elapsed() < 2000)
            iGot = tCom.RecvFrom(64, aucIn);
        QCOMPARE(iGot, 3);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(aucIn), 4).toHex(' '), QByteArray("0a 0b 0c ee"));
        QCOMPARE(tCom.Close(), 0);
        QCOMPARE(tCom.IsUdpOpen(), 0);
    }

    void udpIgnoresOtherSenders()
    {
        UdpPeer tPeer;
        CNetCom tCom;
        QCOMPARE(tCom.OpenUdp(tPeer.Address(), tPeer.Port()), 0);
        const quint8 aucHello[1] = {1};
        QCOMPARE(tCom.SendTo(1, aucHello), 1);
        QCOMPARE(tPeer.Receive().size(), 1);
        // The stranger learns our port and writes to it first.
        const sockaddr_in tUs = tPeer.LastSender();
        const QByteArray baForged = QByteArray::fromHex("deadbeef");
        const int iStrangerSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
        ::sendto(iStrangerSocket, baForged.constData(), 4, 0, reinterpret_cast<const sockaddr *>(&tUs), sizeof(tUs));
        tCom.SetUdpReceiveTimeoutMs(300);
        quint8 aucIn[64] = {};
        QCOMPARE(tCom.RecvFrom(64, aucIn), 0);
        ::close(iStrangerSocket);
        tPeer.Reply(QByteArray::fromHex("0102"));
        QCOMPARE(tCom.RecvFrom(64, aucIn), 2);
        QCOMPARE(aucIn[0], quint8(1));
        // The bootloader may answer from another port of its address.
        const int iOtherPort = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in tFrom{};
        tFrom.sin_family = AF_INET;
        tFrom.sin_addr.s_addr = tPeer.Address();
        QCOMPARE(::bind(iOtherPort, reinterpret_cast<sockaddr *>(&tFrom), sizeof(tFrom)), 0);
        QCOMPARE(::sendto(iOtherPort, "\x05\x06\x07", 3, 0, reinterpret_cast<const sockaddr *>(&tUs), sizeof(tUs)), 3);
        ::close(iOtherPort);
        QCOMPARE(tCom.RecvFrom(64, aucIn), 3);
        QCOMPARE(aucIn[2], quint8(7));
    }
};

QTEST_GUILESS_MAIN(TestNetCom)
#include "tst_netcom.moc"
