#pragma once
// What the panel tests share: a main window linked to a simulated VPU on an address of the
// test's own, the boxes it shows, typing as an operator does, and the output of an outside
// tool that checks a file independently of the program.

#include "mainwindow/zelvor.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/zelvorsim.h"

#include <QProcess>
#include <QTest>

#include <memory>

class PanelTest : public QObject
{
protected:
    // The window and its link; a fresh one for every test function.
    bool StartWindow(const char *pcAddress)
    {
        if (!m_pBase) {
            m_pBase = std::make_unique<ProjectWindowTestEnv>();
            if (!m_pBase->Start())
                return false;
        }
        m_pPrompts = std::make_unique<ScriptedPrompts>();
        m_pSim = std::make_unique<ZelvorOnSim>(QLatin1String(pcAddress));
        return m_pSim->Start() && m_pSim->Enumerate();
    }
    void StopWindow()
    {
        m_pSim.reset();
        m_pPrompts.reset();
    }
    // Clicks a button and waits for the window to be enabled again.
    bool Run(QWidget *pButton)
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

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

// Replaces what the control shows by the text, key by key, then Return.
inline void TypeInto(QWidget *pControl, const QString &qsText)
{
    QTest::keyClick(pControl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pControl, Qt::Key_Delete);
    QTest::keyClicks(pControl, qsText);
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
