#pragma once
// An X display of a test program's own, where a real window manager frames the top-level
// windows: Xvfb at the given size with openbox on it. Made before the application, which is
// then started on it through the xcb platform.

#include <QApplication>
#include <QString>
#include <QTest>

#include <cstdio>
#include <sys/types.h>

class FramingDisplay
{
public:
    FramingDisplay(int iWidth, int iHeight);
    ~FramingDisplay();
    FramingDisplay(const FramingDisplay &) = delete;
    FramingDisplay &operator=(const FramingDisplay &) = delete;

    // Empty when the display is up and managed; else what failed.
    QString Error() const { return m_qsError; }

private:
    bool StartServer(int iWidth, int iHeight);
    bool StartManager();

    pid_t m_Server = -1;
    pid_t m_Manager = -1;
    QString m_qsError;
};

// A test program's main on a managed display of the given size.
#define LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY(TestClass, iWidth, iHeight)                                               \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        FramingDisplay display(iWidth, iHeight);                                                                       \
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
