#pragma once
// What the fixture and group settings tests share: the main window shown on a simulated VPU,
// online, with a project of fixtures that the simulated VPU also has, and the operator's
// ways of typing into a spin box and reading the requests that reached the VPU.

#include "mainwindow/zelvor.h"
#include "scene/view.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QAbstractSpinBox>
#include <QTest>

#include <memory>

class PanelSim
{
public:
    // False when any step failed.
    bool Start(const char *pcAddress, ProjectWindowTestEnv &env, const QList<ProjectFixture_t> &lFixtures,
               const QList<ProjectGroup_t> &lGroups)
    {
        m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(pcAddress));
        if (!m_pSim->Start())
            return false;
        for (const ProjectFixture_t &t : lFixtures)
            m_pSim->Device().AddFixture(t.output, t.number, SimFixtureConfig(t.number, t.type, 0, 0, 0, 0, 0, 0, 100));
        const QString qsPath = env.Env().FilePath(QStringLiteral("panels.prj"));
        if (!m_pSim->Enumerate() || WriteProjectFile(qsPath, lFixtures, lGroups) != 0 ||
            Wnd()->LoadProject(qsPath) != 0)
            return false;
        Wnd()->SetOnline(true);
        Wnd()->resize(1400, 900);
        Wnd()->ShowMainWindow();
        if (!QTest::qWaitForWindowExposed(Wnd()))
            return false;
        Wnd()->s_OnZoomAll();
        m_pSim->Model().ClearLog();
        env.Traces().Clear();
        return true;
    }
    Zelvor *Wnd() const { return m_pSim->Wnd(); }
    ZelvorOnSim &Sim() const { return *m_pSim; }

    // The requests of one id that reached the VPU, as hex.
    QStringList Requests(quint8 ucId) const
    {
        QStringList lHex;
        for (const QByteArray &ba : m_pSim->Model().Messages()) {
            if (quint8(ba.at(0)) == ucId)
                lHex.append(QString::fromLatin1(ba.toHex(' ')));
        }
        return lHex;
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
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

// Replaces a spin box's text and ends the edit with Return.
inline void TypeInto(QAbstractSpinBox *pSpin, const QString &qsText)
{
    QTest::keyClick(pSpin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pSpin, qsText);
    QTest::keyClick(pSpin, Qt::Key_Return);
}
