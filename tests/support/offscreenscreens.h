#pragma once
// The offscreen platform's screens for one test program, set before the application starts:
// a JSON list of screens written to a file the platform reads at start-up.

#include <QByteArray>
#include <QTemporaryFile>

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
