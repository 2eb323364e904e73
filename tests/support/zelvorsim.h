#pragma once
// The main window opened on a simulated VPU over loopback TCP (link type 3), as the project
// download and upload tests need it, small builders of project files for them, and what
// those tests share.

#include "mainwindow/zelvor.h"
#include "project/projectrecords.h"
#include "vpusim.h"
#include "vpusimdevice.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class ZelvorOnSim
{
public:
    explicit ZelvorOnSim(const QString &qsAddress);
    ~ZelvorOnSim();
    // Starts the simulator, builds the window (g_pMainWnd) and opens its link on the
    // simulator; false when any of it failed.
    bool Start();

    Zelvor *Wnd() const { return m_pWnd; }
    VpuSimulator &Sim() { return m_Sim; }
    VpuSimModel &Model() { return m_Sim.Model(); }
    VpuSimDevice &Device() { return m_Device; }

    // FIXT_ENUMERATE through the window's link, then an empty request log.
    bool Enumerate();
    // Waits for the end of a step machine: the window enabled again.
    bool WaitEnabled(int iTimeoutMs = 10000) const;

private:
    VpuSimulator m_Sim;
    VpuSimDevice m_Device;
    Zelvor *m_pWnd = nullptr;
};

// A fixture record at a place with its anchor on its origin, default intensity and SASU.
ProjectFixture_t FixtureRecord(quint8 uOutput, quint32 uNumber, quint32 uType, double dX, double dY, qint32 iAngle = 0,
                               quint16 uGroup = 0);
ProjectGroup_t GroupRecord(quint16 uNumber, double dAnchorX, double dAnchorY, qint32 iAngle = 0);

// Writes a project file holding the records and default settings; 0 or the writer's code.
int WriteProjectFile(const QString &qsPath, const QList<ProjectFixture_t> &lFixtures,
                     const QList<ProjectGroup_t> &lGroups);

class ScriptedPrompts;
class TraceCollector;
class TestEnv;

// What the main window's project tests share: the offscreen platform's quiet, the program's
// names, a private working folder, the trace lines and the shipped fixture catalogue.
class ProjectWindowTestEnv
{
public:
    ProjectWindowTestEnv();
    ~ProjectWindowTestEnv();
    // False when the catalogue could not be loaded.
    bool Start();
    TestEnv &Env() const { return *m_pEnv; }
    TraceCollector &Traces() const { return *m_pTraces; }

private:
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCollector> m_pTraces;
};

// Bytes as the tests write them, one hex string per entry.
QStringList HexList(const QList<QByteArray> &lBytes);
// The texts of the message boxes shown, in order.
QStringList MessageTexts(const ScriptedPrompts &prompts);
// The window's fixture at an address, or null.
CFixture *FindFixture(const Zelvor *pWnd, quint32 uOutput, quint32 uNumber);
// Puts into the project the video input (HDMI 1, turned 90, HD720 at 10, 20), input and output
// corrections whose preset bytes the tests write out:
// 02 01 5a 0a 00 14 00 00 05 d0 02 | 02 64 6e 78 05 | dc 00 e6 00 f0 00 02 88 13 f4 01 fe 01 f9 01.
void SetTestPresetSettings();
