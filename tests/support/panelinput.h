#pragma once
// What the panel tests share: the main window online on a simulated VPU, bytes packed by
// Python's struct module (an encoder that shares nothing with the program's records), the
// operator's typing into a spin box, and the setting requests a piece of work put on the wire.

#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"
#include "support/vpusim.h"
#include "support/zelvorsim.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QProcess>
#include <QTest>

#include <memory>

// The bytes of a Python expression over the struct module, e.g. "struct.pack('<BH', 1, 2)".
inline QByteArray PyBytes(const QString &qsExpr)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QStringLiteral("import struct,sys; sys.stdout.write((%1).hex())").arg(qsExpr)});
    if (!python.waitForFinished(10000) || python.exitCode() != 0)
        qFatal("python3 failed on %s", qPrintable(qsExpr));
    return QByteArray::fromHex(python.readAllStandardOutput());
}

// A request as the simulator logs it: id, u32 length, payload.
inline QByteArray Request(quint8 ucId, const QByteArray &baPayload)
{
    return SimHeader(ucId, quint32(baPayload.size())) + baPayload;
}

// Selects what the spin box shows, types the text and, unless told not to, ends with Return.
inline void TypeInto(QAbstractSpinBox *pSpin, const QString &qsText, bool bReturn = true)
{
    QTest::keyClick(pSpin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pSpin, qsText);
    if (bReturn)
        QTest::keyClick(pSpin, Qt::Key_Return);
}

// The logged requests of the ids that change the VPU's video or colour settings or presets,
// once every request queued so far has been answered (one more request behind them).
inline QList<QByteArray> SettingRequests(ZelvorOnSim &sim)
{
    SignalLog log(&sim.Wnd()->m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg);
    sim.Wnd()->m_VpuCom.FixtEnumerate();
    if (!log.wait(5000))
        qWarning("the link did not answer");
    QList<QByteArray> lOut;
    for (const QByteArray &ba : sim.Model().Messages()) {
        if (QByteArrayList{"\x0a", "\x0d", "\x0e", "\x0f", "\x21"}.contains(ba.left(1)))
            lOut.append(ba);
    }
    return lOut;
}

// The main window on its own simulated VPU, online, with scripted prompts and a private
// working folder; started by a test function's init and stopped by its cleanup.
class OnlinePanels
{
public:
    bool Start(const QString &qsAddress)
    {
        m_pBase = std::make_unique<ProjectWindowTestEnv>();
        m_pPrompts = std::make_unique<ScriptedPrompts>();
        m_pSim = std::make_unique<ZelvorOnSim>(qsAddress);
        if (!m_pBase->Start() || !m_pSim->Start() || !m_pSim->Enumerate())
            return false;
        m_pSim->Wnd()->SetOnline(true);
        return true;
    }
    void Stop()
    {
        m_pSim.reset();
        m_pPrompts.reset();
        m_pBase.reset();
    }
    ZelvorOnSim &Sim() const { return *m_pSim; }
    Zelvor *Wnd() const { return m_pSim->Wnd(); }
    ScriptedPrompts &Prompts() const { return *m_pPrompts; }
    QString FilePath(const QString &qsName) const { return m_pBase->Env().FilePath(qsName); }
    // A control by name, in one panel when names repeat between panels.
    template <typename T> T *Child(const QString &qsName, QWidget *pPanel = nullptr) const
    {
        T *p = (pPanel ? pPanel : static_cast<QWidget *>(Wnd()))->findChild<T *>(qsName);
        if (!p)
            qFatal("no widget %s", qPrintable(qsName));
        return p;
    }
    // Clicks and waits for the request it sent, if any, to be answered.
    bool Click(QAbstractButton *pButton) const
    {
        QTest::mouseClick(pButton, Qt::LeftButton);
        return m_pSim->WaitEnabled();
    }

private:
    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};
