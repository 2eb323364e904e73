#include "projectsupport.h"

#include "config/softconf.h"
#include "testenv.h"
#include "trace/trace.h"

#include <QDir>
#include <QFile>

bool LoadProjectTestCatalogue(bool bFactoryMode)
{
    QFile shipped(QString::fromLocal8Bit(qgetenv("LANTREL_SOURCE_DIR")) + QStringLiteral("/resources/Lantrel.xml"));
    if (!shipped.open(QIODevice::ReadOnly))
        return false;
    QByteArray xml = shipped.readAll();
    // Tracing on, to the window only, so that tests can read what the user would read.
    const int iTraces = xml.indexOf("<Traces");
    const int iTracesEnd = xml.indexOf("</Traces>", iTraces);
    if (iTraces < 0 || iTracesEnd < 0)
        return false;
    xml.replace(iTraces, iTracesEnd + 9 - iTraces, "<Traces save=\"no\" fileSizeMB=\"1\">yes</Traces>");
    const int iFixtures = xml.indexOf("</Fixtures>");
    if (iFixtures < 0)
        return false;
    xml.insert(iFixtures,
               "    <Fixture width=\"16\" height=\"16\" type=\"0xFFFFFFFF\" manufacturer=\"0x00000003\" "
               "Tile1=\"16,16,0,0\" Tile2=\"0,0,0,0\" Tile3=\"0,0,0,0\" Tile4=\"0,0,0,0\" SensorIdCh0=\"NC\" "
               "SensorIdCh1=\"NC\" SensorIdCh2=\"NC\" SensorIdCh3=\"NC\">SASU all ones</Fixture>\n    ");
    if (bFactoryMode)
        xml.replace("<Factory_mode>no</Factory_mode>", "<Factory_mode>yes</Factory_mode>");
    if (!WriteTestFile(QStringLiteral("Lantrel.xml"), xml))
        return false;
    if (g_SoftConf.Open(QStringLiteral("Lantrel.xml")) != 0)
        return false;
    g_SoftConf.ReadTracesSettings();
    int iEnabled = 0;
    TraceInitialize(&iEnabled);
    g_SoftConf.Parse();
    FixtureType_t tType;
    return iEnabled == 1 && g_SoftConf.GetFixtureType(0xFFFFFFFFu, &tType) == 0;
}
