#pragma once
// The main window opened on a simulated VPU over loopback TCP (link type 3), as the project
// download and upload tests need it, and small builders of project files for them.

#include "mainwindow/zelvor.h"
#include "project/projectrecords.h"
#include "vpusim.h"
#include "vpusimdevice.h"

#include <QList>
#include <QString>

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
