#pragma once
// What the panel tests share: the main window on its own simulated VPU, with scripted prompts,
// a private working folder, the trace lines and, when asked, a project of fixtures the
// simulated VPU also has; the operator's typing and dragging; bytes packed by Python's struct
// module (an encoder that shares nothing with the program's records) and the output of the
// outside tools that check a file independently of the program.

#include "scene/view.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/vpucomharness.h"
#include "support/vpusim.h"
#include "support/zelvorsim.h"

#include <QAbstractButton>
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

// Selects what the control shows, types the text and, unless told not to, ends with Return.
inline void TypeInto(QWidget *pControl, const QString &qsText, bool bReturn = true)
{
    QTest::keyClick(pControl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pControl, Qt::Key_Delete);
    QTest::keyClicks(pControl, qsText);
    if (bReturn)
        QTest::keyClick(pControl, Qt::Key_Return);
}

// The standard output of a tool, trimmed; empty when it could not run or failed.
inline QString ToolOutput(const QString &qsProgram, const QStringList &lArgs)
{
    QProcess process;
    process.start(qsProgram, lArgs);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
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

// The main window on its own simulated VPU; started by a test function's init, stopped by its
// cleanup.
class OnlinePanels
{
public:
    // bOnline: the whole window online, else the link alone up.
    bool Start(const QString &qsAddress, bool bOnline = true)
    {
        m_pBase = std::make_unique<ProjectWindowTestEnv>();
        m_pPrompts = std::make_unique<ScriptedPrompts>();
        m_pSim = std::make_unique<ZelvorOnSim>(qsAddress);
        if (!m_pBase->Start() || !m_pSim->Start() || !m_pSim->Enumerate())
            return false;
        Wnd()->SetOnline(bOnline);
        return true;
    }
    // The fixtures in the simulated VPU and a project of them in the window, shown online with
    // the whole scene in view; an empty request log and no traces.
    bool Load(const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups = {})
    {
        for (const ProjectFixture_t &t : lFixtures)
            m_pSim->Device().AddFixture(t.output, t.number, SimFixtureConfig(t.number, t.type, 0, 0, 0, 0, 0, 0, 100));
        const QString qsPath = FilePath(QStringLiteral("panels.prj"));
        if (!m_pSim->Enumerate() || WriteProjectFile(qsPath, lFixtures, lGroups) != 0 || Wnd()->LoadProject(qsPath) != 0)
            return false;
        Wnd()->SetOnline(true);
        Wnd()->resize(1400, 900);
        Wnd()->ShowMainWindow();
        if (!QTest::qWaitForWindowExposed(Wnd()))
            return false;
        Wnd()->s_OnZoomAll();
        m_pSim->Model().ClearLog();
        Traces().Clear();
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
    TraceCollector &Traces() const { return m_pBase->Traces(); }
    QString FilePath(const QString &qsName) const { return m_pBase->Env().FilePath(qsName); }
    // A control by name, in one panel when names repeat between panels.
    template <typename T> T *Child(const QString &qsName, QWidget *pPanel = nullptr) const
    {
        T *p = (pPanel ? pPanel : static_cast<QWidget *>(Wnd()))->findChild<T *>(qsName);
        if (!p)
            qFatal("no widget %s", qPrintable(qsName));
        return p;
    }
    // Empties the request log, clicks and waits for the request it sent, if any, to be answered.
    bool Click(QAbstractButton *pButton) const
    {
        m_pSim->Model().ClearLog();
        QTest::mouseClick(pButton, Qt::LeftButton);
        return m_pSim->WaitEnabled();
    }
    // "text | detail" of every message box shown, in order.
    QStringList Boxes() const
    {
        QStringList lOut;
        for (const PromptCall_t &call : m_pPrompts->Messages())
            lOut.append(call.qsText + QStringLiteral(" | ") + call.qsDetail);
        return lOut;
    }
    // The logged requests, or those of one id, as hex.
    QStringList Requests(int iId = -1) const
    {
        QList<QByteArray> lOut;
        for (const QByteArray &ba : m_pSim->Model().Messages()) {
            if (iId < 0 || quint8(ba.at(0)) == iId)
                lOut.append(ba);
        }
        return HexList(lOut);
    }
    // Drags with the mouse on the scene view, scene points in, as the operator does.
    void Drag(const QPointF &from, const QPointF &to) const
    {
        QWidget *pViewport = Wnd()->GetView()->viewport();
        const QPoint a = Wnd()->GetView()->mapFromScene(from), b = Wnd()->GetView()->mapFromScene(to);
        QTest::mousePress(pViewport, Qt::LeftButton, {}, a);
        QTest::mouseMove(pViewport, (a + b) / 2);
        QTest::mouseMove(pViewport, b);
        QTest::mouseRelease(pViewport, Qt::LeftButton, {}, b);
    }

private:
    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};
