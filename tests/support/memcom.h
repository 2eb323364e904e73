#pragma once
// A transport in memory: reads come from a prepared byte string (running dry is a time-out),
// writes are collected. For framing tests and the framing fuzz target.

#include "comm/com.h"

#include <QByteArray>

class MemCom : public CCom
{
public:
    explicit MemCom(const QByteArray &baIncoming = QByteArray()) : m_baIn(baIncoming) {}
    int Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs) override;
    int Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs) override;
    QByteArray Written() const { return m_baOut; }
    qsizetype Consumed() const { return m_iPos; }

private:
    QByteArray m_baIn;
    qsizetype m_iPos = 0;
    QByteArray m_baOut;
};
