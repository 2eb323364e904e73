#include "offscreenscreens.h"

#include <QDir>

OffscreenScreens::OffscreenScreens(const QByteArray &jsonScreens)
    : m_File(QDir::tempPath() + QStringLiteral("/screensXXXXXX.json"))
{
    if (!m_File.open())
        return;
    m_bReady = m_File.write("{\"screens\": " + jsonScreens + "}") > 0 && m_File.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + m_File.fileName().toUtf8());
}
