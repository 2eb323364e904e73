#pragma once
// The main window with its link to a simulated VPU listening on a loopback address at the
// program's own TCP port: a private folder and settings store, traces on, scripted prompts.
// The window is made by Build(), so a test can choose the configuration first.

#include "mainwindow/zelvor.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "tracecapture.h"
#include "vpusim.h"

#include <QString>
#include <memory>

// The text of the main window's mode field.
QString ModeText(Zelvor *pWnd);

class LinkFixture
{
public:
    static constexpr quint16 VPU_PORT = 50000;

    explicit LinkFixture(const QString &qsAddress, const QString &qsGeneralXml = QString());
    ~LinkFixture();

    Zelvor *Build();
    bool StartSim() { return m_Sim.Start(VPU_PORT); }
    // Starts the link over Ethernet and waits until the INIT_COM answer has been handled.
    bool ConnectEthernet();

    Zelvor *Wnd() { return m_pWnd.get(); }
    VpuSimulator &Sim() { return m_Sim; }
    VpuSimModel &Model() { return m_Sim.Model(); }
    ScriptedPrompts &Prompts() { return m_Prompts; }
    TraceCapture &Traces() { return m_Traces; }
    QString Address() const { return m_qsAddress; }
    QString ModeText() const;
    // The simulated VPU answers this message id only after iMs.
    void DelayAnswer(quint8 ucId, int iMs);
    // ... or closes the connection after iBytes of its answer.
    void DropAnswer(quint8 ucId, int iBytes = 0);
    // Requests of one message id the simulated VPU has received.
    int RequestCount(quint8 ucId) const;
    // The error boxes shown so far: "text|detail" each.
    QStringList ErrorBoxes() const;

private:
    QString m_qsAddress;
    TestEnv m_Env;
    TraceCapture m_Traces;
    ScriptedPrompts m_Prompts;
    VpuSimulator m_Sim;
    std::unique_ptr<Zelvor> m_pWnd;
};
