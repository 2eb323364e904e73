#pragma once
// An X display of a test program's own, where a real window manager frames the top-level
// windows: Xvfb at the given size with openbox (or another manager: metacity, or twm, which
// knows nothing of the extended hints) on it. Made before the
// application, which is then started on it through the xcb platform.

#include <QApplication>
#include <QString>
#include <QTest>

#include <cstdio>
#include <sys/types.h>

class FramingDisplay
{
public:
    // Managers differ in how they stack a program's windows, so a test may ask for the one whose
    // ways it is about; or for a bare display, where nothing frames a window.
    enum Manager { Openbox, Metacity, Twm, NoManager };
    // The manager LANTREL_TEST_MANAGER names (metacity, twm, none), openbox by default: a test
    // registered once per manager runs under each.
    static Manager OfTheRun();

    FramingDisplay(int iWidth, int iHeight, Manager manager = Openbox);
    ~FramingDisplay();
    FramingDisplay(const FramingDisplay &) = delete;
    FramingDisplay &operator=(const FramingDisplay &) = delete;

    // Empty when the display is up (and managed, where a manager was asked for); else what failed.
    QString Error() const { return m_qsError; }

    // The display of the running test program, if it has one.
    static FramingDisplay *Current() { return s_pCurrent; }
    // The manager stopped, as on a busy machine that gives it no time: what the program asks of
    // it waits, in order, until it goes on. Nothing where there is no manager; false if it could
    // not be stopped but while it held the server.
    bool StopManager();
    void ContinueManager();

private:
    bool StartServer(int iWidth, int iHeight);
    bool StartManager(Manager manager);

    pid_t m_Server = -1;
    pid_t m_Manager = -1;
    QString m_qsError;
    static inline FramingDisplay *s_pCurrent = nullptr;
};

// A test program's main on a display of the given size managed by openbox, or by the manager given.
#define LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY(TestClass, iWidth, iHeight)                                               \
    LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestClass, iWidth, iHeight, FramingDisplay::Openbox)
#define LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestClass, iWidth, iHeight, manager)                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        FramingDisplay display(iWidth, iHeight, manager);                                                              \
        if (!display.Error().isEmpty()) {                                                                              \
            fprintf(stderr, "%s\n", qPrintable(display.Error()));                                                      \
            return 1;                                                                                                  \
        }                                                                                                              \
        qputenv("QT_QPA_PLATFORM", "xcb");                                                                             \
        int iResult;                                                                                                   \
        {                                                                                                              \
            QApplication app(argc, argv);                                                                              \
            TestClass test;                                                                                            \
            iResult = QTest::qExec(&test, argc, argv);                                                                 \
        }                                                                                                              \
        return iResult;                                                                                                \
    }
