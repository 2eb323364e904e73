#include "vpucomharness.h"

#include "config/softconf.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QTest>

namespace {

// Traces reach receivers only while the log is on: turn it on (without saving) once.
void EnableTracing()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    s_bDone = true;
    WriteTestFile(QStringLiteral("Lantrel.xml"),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel><General><Traces>yes</Traces></General>"
                  "</Lantrel>\n");
    g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
    g_SoftConf.ReadTracesSettings();
    int iEnabled = 0;
    TraceInitialize(&iEnabled);
}

} // namespace

TraceCollector::TraceCollector()
{
    EnableTracing();
    TraceSetReceiver(this);
}

TraceCollector::~TraceCollector()
{
    TraceSetReceiver(nullptr);
}

void TraceCollector::PostTraceMessage(int iKind, const QString &qsText)
{
    // The window line is "time stamp - text".
    const int iAt = qsText.indexOf(QStringLiteral(" - "));
    QMutexLocker lock(&m_Mutex);
    m_Lines.append({iKind, iAt >= 0 ? qsText.mid(iAt + 3) : qsText});
}

QStringList TraceCollector::Lines(int iKind) const
{
    QMutexLocker lock(&m_Mutex);
    QStringList lOut;
    for (const auto &tLine : m_Lines)
        if (iKind < 0 || tLine.first == iKind)
            lOut.append(tLine.second);
    return lOut;
}

bool TraceCollector::Contains(const QString &qsText, int iKind) const
{
    return Lines(iKind).contains(qsText);
}

void TraceCollector::Clear()
{
    QMutexLocker lock(&m_Mutex);
    m_Lines.clear();
}

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
