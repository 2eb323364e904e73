#pragma once
// The base of a main-window test program: the offscreen platform quiet, the program's names,
// one private working folder and the trace lines for the whole program (with the shipped
// fixture catalogue when asked); fresh scripted prompts and a new window for each test.

#include "mainwindow/zelvor.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "tracecapture.h"

#include <QObject>
#include <QStringList>

#include <memory>

class WindowTest : public QObject
{
protected:
    // qsGeneralXml goes inside <General> of the configuration beside the trace switch.
    void Begin(const QString &qsGeneralXml = QString());
    // The shipped catalogue (and a 16 x 16 type 0xFFFFFFFF) instead: false when it did not load.
    bool BeginWithCatalogue();
    void End();
    // Drops the window of the previous test, then makes a new one (g_pMainWnd) with new prompts.
    Zelvor *MakeWindow();
    void DropWindow();
    // The error boxes shown since the window was made: "text | detail".
    QStringList Boxes() const;

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCapture> m_pTraces;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    Zelvor *m_pWnd = nullptr;
};
