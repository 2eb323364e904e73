#include "vpucomharness.h"

#include "config/softconf.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QTest>

VpuComHarness::VpuComHarness(const QString &qsAddress) : m_Sim(qsAddress), m_Device(m_Sim.Model()) {}

VpuComHarness::~VpuComHarness()
{
    m_Com.CloseIfOpen();
    m_Sim.Stop();
}

bool VpuComHarness::Start()
{
    if (!m_Sim.Start())
        return false;
    m_Com.SetNetParams(m_Sim.Address(), m_Sim.Port());
    return m_Com.Open() == 0;
}

QByteArray Hex(const QByteArray &ba)
{
    return ba.toHex(' ');
}

QByteArray Bytes(const char *pcHex)
{
    return QByteArray::fromHex(QByteArray(pcHex).replace(' ', ""));
}

SignalLog::SignalLog(const QObject *pSender, const char *pcSignal)
{
    const QMetaObject *pMeta = pSender->metaObject();
    const int iIndex = pMeta->indexOfSignal(QMetaObject::normalizedSignature(pcSignal + 1).constData());
    if (iIndex < 0)
        return;
    m_tSignal = pMeta->method(iIndex);
    // The one pseudo-slot of this object sits right after QObject's own methods.
    m_bValid = QMetaObject::connect(pSender, iIndex, this, QObject::staticMetaObject.methodCount(),
                                    Qt::QueuedConnection, nullptr);
}

int SignalLog::qt_metacall(QMetaObject::Call eCall, int iId, void **ppArgs)
{
    iId = QObject::qt_metacall(eCall, iId, ppArgs);
    if (iId < 0)
        return iId;
    if (eCall == QMetaObject::InvokeMetaMethod) {
        if (iId == 0) {
            QList<QVariant> lArgs;
            for (int i = 0; i < m_tSignal.parameterCount(); ++i)
                lArgs.append(QVariant(m_tSignal.parameterMetaType(i), ppArgs[i + 1]));
            m_lCalls.append(lArgs);
        }
        --iId;
    }
    return iId;
}

bool SignalLog::wait(int iTimeoutMs)
{
    QDeadlineTimer tDeadline(iTimeoutMs);
    while (count() <= m_iSeen && !tDeadline.hasExpired())
        QTest::qWait(2);
    if (count() <= m_iSeen)
        return false;
    m_iSeen = count();
    return true;
}
