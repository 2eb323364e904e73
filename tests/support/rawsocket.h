#pragma once
// A bare blocking TCP socket for the benchmarks: the limit a link is measured against.

#include <QByteArray>
#include <QList>
#include <QString>

// A connected socket with Nagle off, or -1.
int RawConnect(const QString &qsAddress, quint16 usPort);
bool SendAll(int iSocket, const QByteArray &ba);
// Reads exactly iLength bytes; false when the peer went away.
bool RecvAll(int iSocket, char *pcBuffer, qsizetype iLength);
void RawClose(int iSocket);
// The middle value (the upper one of an even count).
double Median(QList<double> l);
