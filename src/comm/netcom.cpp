#include "comm/netcom.h"

#include "trace/trace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// poll() that sits out signals; iTimeoutMs is the whole wait, whatever interrupts it.
int PollRetry(int iSocket, short sEvents, int iTimeoutMs, short *psRevents)
{
    QElapsedTimer tTimer;
    tTimer.start();
    for (;;) {
        pollfd tFd{iSocket, sEvents, 0};
        const int iLeft = std::max<qint64>(0, iTimeoutMs - tTimer.elapsed());
        const int iRet = ::poll(&tFd, 1, iLeft);
        if (iRet < 0 && errno == EINTR)
            continue;
        *psRevents = tFd.revents;
        return iRet;
    }
}

void CloseSocket(int *piSocket)
{
    if (*piSocket >= 0) {
        ::close(*piSocket);
        *piSocket = -1;
    }
}

} // namespace

CNetCom::CNetCom() = default;

CNetCom::~CNetCom()
{
    Close();
}

int CNetCom::Connect(const char *pcHost, quint16 usPort)
{
    if (m_iSocket >= 0)
        return COM_ERR_FAILED;
    if (pcHost == nullptr)
        return COM_ERR_CONNECT;
    const auto fail = [&](int iSocket, int iErrno) {
        if (iSocket >= 0)
            ::close(iSocket);
        const char *pcReason = std::strerror(iErrno);
        TraceError("Connection to %s port %u failed: %s", pcHost, unsigned(usPort), pcReason);
        // Shown in the error box, in the user's language.
        m_qsConnectError = QCoreApplication::translate("CNetCom", "Connection to %1 port %2 failed: %3")
                               .arg(QString::fromUtf8(pcHost))
                               .arg(usPort)
                               .arg(QString::fromLocal8Bit(pcReason));
        return COM_ERR_CONNECT;
    };
    m_qsConnectError.clear();

    addrinfo tHints{};
    tHints.ai_family = AF_INET;
    tHints.ai_socktype = SOCK_STREAM;
    addrinfo *ptResult = nullptr;
    if (::getaddrinfo(pcHost, nullptr, &tHints, &ptResult) != 0 || ptResult == nullptr) {
        TraceError("Failed to resolve host '%s'!", pcHost);
        m_qsConnectError =
            QCoreApplication::translate("CNetCom", "Connection to %1 port %2 failed: the address cannot be resolved")
                .arg(QString::fromUtf8(pcHost))
                .arg(usPort);
        return COM_ERR_CONNECT;
    }
    sockaddr_in tAddr{};
    std::memcpy(&tAddr, ptResult->ai_addr, std::min<size_t>(sizeof(tAddr), ptResult->ai_addrlen));
    ::freeaddrinfo(ptResult);
    tAddr.sin_family = AF_INET;
    tAddr.sin_port = htons(usPort);

    int iSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (iSocket < 0)
        return fail(-1, errno);
    // Requests are small and each waits for its reply: Nagle would only add latency.
    const int iOne = 1;
    ::setsockopt(iSocket, IPPROTO_TCP, TCP_NODELAY, &iOne, sizeof(iOne));

    // Non-blocking connect, so that an unreachable address fails within the connect bound
    // instead of the system's minutes-long retry schedule.
    int iRet = ::connect(iSocket, reinterpret_cast<const sockaddr *>(&tAddr), sizeof(tAddr));
    if (iRet < 0 && errno != EINPROGRESS && errno != EINTR)
        return fail(iSocket, errno);
    if (iRet < 0) {
        short sRevents = 0;
        const int iReady = PollRetry(iSocket, POLLOUT, m_iConnectTimeoutMs, &sRevents);
        if (iReady <= 0)
            return fail(iSocket, iReady == 0 ? ETIMEDOUT : errno);
        int iError = 0;
        socklen_t uiLen = sizeof(iError);
        if (::getsockopt(iSocket, SOL_SOCKET, SO_ERROR, &iError, &uiLen) < 0)
            return fail(iSocket, errno);
        if (iError != 0)
            return fail(iSocket, iError);
    }
    m_iSocket = iSocket;
    m_baHost = QByteArray(pcHost);
    m_usPort = usPort;
    return COM_OK;
}

int CNetCom::Close()
{
    CloseSocket(&m_iSocket);
    m_baHost.clear();
    m_usPort = 0xFFFF;
    return COM_OK;
}

int CNetCom::Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    return Transfer(WAIT_READ, uiLength, pucBuffer, puiTimeoutMs);
}

int CNetCom::Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    // Transfer only reads from the buffer when writing.
    return Transfer(WAIT_WRITE, uiLength, const_cast<quint8 *>(pucBuffer), puiTimeoutMs);
}

int CNetCom::Transfer(WaitFor eDir, quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    if (m_iSocket < 0)
        return COM_ERR_FAILED;
    if (uiLength == 0)
        return COM_OK;
    if (pucBuffer == nullptr)
        return COM_ERR_PARAM;

    // The budget is shared by every wait of the call and what is left goes back to the
    // caller, so that all transfers of one request stay within the request's budget.
    const qint64 llBudget = puiTimeoutMs != nullptr ? qint64(*puiTimeoutMs) : 0;
    QElapsedTimer tTimer;
    tTimer.start();
    int iStatus = COM_OK;
    quint32 uiDone = 0;
    const short sEvent = eDir == WAIT_READ ? POLLIN : POLLOUT;
    while (uiDone < uiLength) {
        const qint64 llLeft = llBudget - tTimer.elapsed();
        if (llLeft <= 0) {
            iStatus = COM_ERR_TIMEOUT;
            break;
        }
        short sRevents = 0;
        const int iReady = PollRetry(m_iSocket, sEvent, int(std::min<qint64>(llLeft, INT_MAX)), &sRevents);
        if (iReady < 0) {
            iStatus = COM_ERR_FAILED;
            break;
        }
        if (iReady == 0) {
            iStatus = COM_ERR_TIMEOUT;
            break;
        }
        if ((sRevents & (sEvent | POLLHUP | POLLERR)) == 0) {
            iStatus = COM_ERR_FAILED;
            break;
        }
        const size_t uiWant = uiLength - uiDone;
        const ssize_t llGot = eDir == WAIT_READ
                                  ? ::recv(m_iSocket, pucBuffer + uiDone, uiWant, MSG_DONTWAIT)
                                  : ::send(m_iSocket, pucBuffer + uiDone, uiWant, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (llGot < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (llGot <= 0) { // error, or the peer closed the connection
            iStatus = COM_ERR_FAILED;
            break;
        }
        uiDone += quint32(llGot);
    }
    if (puiTimeoutMs != nullptr)
        *puiTimeoutMs = iStatus == COM_OK ? quint32(std::max<qint64>(0, llBudget - tTimer.elapsed())) : 0;
    return iStatus;
}

int CNetCom::OpenUdp(quint32 uiAddress, quint16 usPort)
{
    if (m_iSocket >= 0)
        return COM_ERR_FAILED;
    int iSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (iSocket < 0)
        return COM_ERR_CONNECT;
    m_iSocket = iSocket;
    m_uiUdpAddress = uiAddress;
    m_usPort = usPort;
    m_tUdpPeer = sockaddr_in{};
    m_tUdpPeer.sin_family = AF_INET;
    m_tUdpPeer.sin_port = htons(usPort);
    m_tUdpPeer.sin_addr.s_addr = uiAddress;
    return COM_OK;
}

int CNetCom::SendTo(quint32 uiLength, const quint8 *pucData)
{
    if (m_iSocket < 0 || (pucData == nullptr && uiLength != 0))
        return -1;
    const ssize_t llSent = ::sendto(m_iSocket, pucData, uiLength, MSG_NOSIGNAL,
                                    reinterpret_cast<const sockaddr *>(&m_tUdpPeer), sizeof(m_tUdpPeer));
    return llSent < 0 ? -1 : int(llSent);
}

int CNetCom::RecvFrom(quint32 uiLength, quint8 *pucBuffer)
{
    if (m_iSocket < 0 || pucBuffer == nullptr || uiLength == 0)
        return 0;
    QElapsedTimer tTimer;
    tTimer.start();
    for (;;) {
        const qint64 llLeft = m_iUdpRecvTimeoutMs - tTimer.elapsed();
        if (llLeft <= 0)
            return 0;
        short sRevents = 0;
        if (PollRetry(m_iSocket, POLLIN, int(llLeft), &sRevents) <= 0 || (sRevents & POLLIN) == 0)
            return 0;
        sockaddr_in tFrom{};
        socklen_t uiFromLen = sizeof(tFrom);
        const ssize_t llGot =
            ::recvfrom(m_iSocket, pucBuffer, uiLength, MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&tFrom), &uiFromLen);
        if (llGot < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            return 0;
        }
        // Anyone on the network can send to our port; only the bootloader we talk to counts.
        // It may answer from another port than the one we send to, so only its address is checked.
        if (uiFromLen < sizeof(tFrom) || tFrom.sin_family != AF_INET ||
            tFrom.sin_addr.s_addr != m_tUdpPeer.sin_addr.s_addr)
            continue;
        return int(llGot);
    }
}

int CNetCom::IsUdpOpen() const
{
    return m_iSocket >= 0 ? COM_ERR_PARAM : COM_OK;
}
