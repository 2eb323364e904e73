#include "rawsocket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

int RawConnect(const QString &qsAddress, quint16 usPort)
{
    const int iSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (iSocket < 0)
        return -1;
    const int iOne = 1;
    ::setsockopt(iSocket, IPPROTO_TCP, TCP_NODELAY, &iOne, sizeof(iOne));
    sockaddr_in tAddr{};
    tAddr.sin_family = AF_INET;
    tAddr.sin_port = htons(usPort);
    ::inet_pton(AF_INET, qsAddress.toLatin1().constData(), &tAddr.sin_addr);
    if (::connect(iSocket, reinterpret_cast<sockaddr *>(&tAddr), sizeof(tAddr)) != 0) {
        ::close(iSocket);
        return -1;
    }
    return iSocket;
}

bool SendAll(int iSocket, const QByteArray &ba)
{
    qsizetype iDone = 0;
    while (iDone < ba.size()) {
        const ssize_t l = ::send(iSocket, ba.constData() + iDone, size_t(ba.size() - iDone), MSG_NOSIGNAL);
        if (l <= 0)
            return false;
        iDone += l;
    }
    return true;
}

bool RecvAll(int iSocket, char *pcBuffer, qsizetype iLength)
{
    qsizetype iDone = 0;
    while (iDone < iLength) {
        const ssize_t l = ::recv(iSocket, pcBuffer + iDone, size_t(iLength - iDone), 0);
        if (l <= 0)
            return false;
        iDone += l;
    }
    return true;
}

void RawClose(int iSocket)
{
    ::close(iSocket);
}

double Median(QList<double> l)
{
    std::sort(l.begin(), l.end());
    return l.isEmpty() ? 0 : l.at(l.size() / 2);
}
