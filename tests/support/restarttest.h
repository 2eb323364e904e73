#pragma once
// The base of a test of the main window across restarts on a framing display: a new window
// started and placed (framed by its manager where the display has one), File > Exit without
// saving, and a dock's menu entry used as the operator uses it. The configuration has the
// factory mode on, so every dock of the form is there.

#include "windowtest.h"

class QDockWidget;

class RestartTest : public WindowTest
{
protected:
    static constexpr int kFramedMs = 10000;
    // Held past the server's showing what was asked: long enough for every late report to queue.
    static constexpr int kHeldMs = 100;

    void BeginFactory();
    // A new main window shown, and shown by the server where Qt has it, with its manager's frame
    // where there is one. bHeld: the GUI thread held once the server shows it, every late report
    // queued meanwhile. bManagerBusy: the manager stopped while the window is made and shown, so
    // that it reads all the program asked of it meanwhile in one go. Null if it never was.
    Zelvor *Start(bool bHeld, bool bManagerBusy = false);
    // File > Exit, the empty project not saved; false if the window stays.
    bool Exit(Zelvor *pWnd);
    // The dock's menu entry, as the operator uses it (typing the password where it asks).
    void ToggleFromMenu(Zelvor *pWnd, QDockWidget *pDock);
};
