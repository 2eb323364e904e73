#pragma once
// What a test of CVpuCom needs around it: a private working folder, a recording report sink,
// the trace lines, and a simulated VPU with its device state on one loopback address, with
// the link object opened on it.

#include "comm/vpucom.h"
#include "testenv.h"
#include "trace/trace.h"
#include "tracecapture.h"
#include "vpusim.h"
#include "vpusimdevice.h"

#include <QList>
#include <QMetaMethod>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVariant>

// Records a signal like QSignalSpy, but through a queued connection: the emissions of the
// link's worker thread land in the test's thread, so recording them races with nothing.
class SignalLog : public QObject
{
public:
    SignalLog(const QObject *pSender, const char *pcSignal); // SIGNAL() form
    template <typename Obj, typename... Args>
    SignalLog(const Obj *pSender, void (Obj::*pfnSignal)(Args...))
        : SignalLog(pSender, ("2" + QMetaMethod::fromSignal(pfnSignal).methodSignature()).constData())
    {
    }
    int count() const { return int(m_lCalls.size()); }
    const QList<QVariant> &first() const { return m_lCalls.first(); }
    const QList<QVariant> &at(int i) const { return m_lCalls.at(i); }
    const QList<QVariant> &operator[](int i) const { return m_lCalls.at(i); }
    // Waits for one more emission than the previous wait saw (like QSignalSpy::wait, but an
    // emission that came before the call counts).
    bool wait(int iTimeoutMs = 5000);
    bool isValid() const { return m_bValid; }

    int qt_metacall(QMetaObject::Call eCall, int iId, void **ppArgs) override;

private:
    QMetaMethod m_tSignal;
    QList<QList<QVariant>> m_lCalls;
    int m_iSeen = 0;
    bool m_bValid = false;
};

class VpuComHarness
{
public:
    explicit VpuComHarness(const QString &qsAddress);
    ~VpuComHarness();
    // Starts the simulator and opens the link on it; false when either failed.
    bool Start();

    VpuSimulator &Sim() { return m_Sim; }
    VpuSimModel &Model() { return m_Sim.Model(); }
    VpuSimDevice &Device() { return m_Device; }
    CVpuCom &Com() { return m_Com; }
    RecordingSink &Sink() { return m_Sink; }
    TraceCollector &Traces() { return m_Traces; }

private:
    TestEnv m_Env;
    RecordingSink m_Sink;
    TraceCollector m_Traces;
    VpuSimulator m_Sim;
    VpuSimDevice m_Device;
    CVpuCom m_Com;
};

// Hex of a byte string with single spaces, as the tests write the protocol tables.
QByteArray Hex(const QByteArray &ba);
// Bytes from such hex (spaces ignored).
QByteArray Bytes(const char *pcHex);
