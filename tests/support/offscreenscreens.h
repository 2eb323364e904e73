#pragma once
// The offscreen platform's screens for one test program, set before the application starts:
// a JSON list of screens written to a file the platform reads at start-up.

#include <QApplication>
#include <QByteArray>
#include <QTemporaryFile>
#include <QTest>

class OffscreenScreens
{
public:
    // jsonScreens: the "screens" array, e.g. [{"name": "s", "x": 0, "y": 0, "width": 1366, ...}].
    explicit OffscreenScreens(const QByteArray &jsonScreens);
    bool Ready() const { return m_bReady; }

private:
    QTemporaryFile m_File;
    bool m_bReady = false;
};

// A test program's main on the given screens, as QTEST_MAIN would make it otherwise.
#define LANTREL_TEST_MAIN_ON_SCREENS(TestClass, jsonScreens)                                                           \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        OffscreenScreens screens(jsonScreens);                                                                         \
        if (!screens.Ready())                                                                                          \
            return 1;                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
