#pragma once
// Socket transport. As a CCom it carries the VPU link over TCP (Connect, then Read/Write);
// beside that it offers the datagram interface the bootloader uses to reach the MCU
// (OpenUdp, SendTo, RecvFrom). One object serves one of the two roles, on one thread.

#include "comm/com.h"

#include <QByteArray>
#include <QString>
#include <netinet/in.h>

class CNetCom : public CCom
{
public:
    CNetCom();
    ~CNetCom() override;

    // TCP. Connect waits at most ConnectTimeoutMs for the peer; -200 on any failure (no socket
    // is left behind), -3 when already open.
    int Connect(const char *pcHost, quint16 usPort);
    // Why the last Connect failed, naming the address, the port and the system's reason.
    QString LastConnectError() const { return m_qsConnectError; }
    int Close() override;
    int Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs) override;
    int Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs) override;

    // UDP. uiAddress is an IPv4 address in network byte order, usPort in host order.
    int OpenUdp(quint32 uiAddress, quint16 usPort);
    // One datagram to the peer: the bytes sent, or -1.
    int SendTo(quint32 uiLength, const quint8 *pucData);
    // One datagram of at most uiLength bytes from the peer: its size, or 0 when none came
    // within the receive time-out. Datagrams from any other address are dropped.
    int RecvFrom(quint32 uiLength, quint8 *pucBuffer);
    // -4 while a socket is held, 0 when none is.
    int IsUdpOpen() const;

    // Bound of a TCP connection attempt and of one datagram wait.
    void SetConnectTimeoutMs(int iMs) { m_iConnectTimeoutMs = iMs; }
    void SetUdpReceiveTimeoutMs(int iMs) { m_iUdpRecvTimeoutMs = iMs; }
    static constexpr int DEFAULT_CONNECT_TIMEOUT_MS = 3000;
    static constexpr int DEFAULT_UDP_RECV_TIMEOUT_MS = 10;

private:
    enum WaitFor { WAIT_READ, WAIT_WRITE };
    int Transfer(WaitFor eDir, quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs);

    int m_iSocket = -1; // -1 = none (0 is a valid descriptor)
    QString m_qsConnectError;
    QByteArray m_baHost;
    quint16 m_usPort = 0xFFFF;
    quint32 m_uiUdpAddress = 0;
    sockaddr_in m_tUdpPeer{};
    int m_iConnectTimeoutMs = DEFAULT_CONNECT_TIMEOUT_MS;
    int m_iUdpRecvTimeoutMs = DEFAULT_UDP_RECV_TIMEOUT_MS;
};
