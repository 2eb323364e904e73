// The application configuration "Lantrel.xml": general settings with their defaults, the
// fixture and sensor catalogue, the five histories and the file they are saved back into.
#include "config/softconf.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "xmlcanon.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QByteArray Wrap(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel>" + body + "</Lantrel>\n";
}

const QByteArray kSensors = "<Sensors>"
                            "<Sensor Type='temp' VInMax='1.5' VInMin='0.1' SensorMax='125' SensorMin='-40'>T1</Sensor>"
                            "<Sensor Type='humi' VInMax='3.3' VInMin='0' SensorMax='100' SensorMin='0'>H1</Sensor>"
                            "</Sensors>";

QByteArray Fixture(const QByteArray &name, const QByteArray &width, const QByteArray &height, const QByteArray &type,
                   const QList<QByteArray> &tiles, const QList<QByteArray> &sensors = {})
{
    QByteArray out = "<Fixture width='" + width + "' height='" + height + "' type='" + type + "' manufacturer='0x2'";
    for (int n = 0; n < 4; ++n)
        out += " Tile" + QByteArray::number(n + 1) + "='" + (n < tiles.size() ? tiles.at(n) : "0,0,0,0") + "'";
    for (int n = 0; n < 4; ++n)
        out += " SensorIdCh" + QByteArray::number(n) + "='" + (n < sensors.size() ? sensors.at(n) : "NC") + "'";
    return out + ">" + name + "</Fixture>";
}

QStringList TypeNames(const CSoftConf &conf)
{
    QList<FixtureType_t> types;
    conf.GetFixtureTypes(types);
    QStringList out;
    for (const FixtureType_t &t : types)
        out.append(t.name);
    return out;
}

// The five histories share one reader, updater and file layout; each has its own section and key.
struct HistoryDef
{
    const char *section;
    const char *key;
    int (CSoftConf::*read)();
    void (CSoftConf::*get)(QStringList &) const;
    void (CSoftConf::*update)(const QStringList &);
};
const HistoryDef kHist[] = {
    {"Lasts_Eth_IPs", "IP", &CSoftConf::ReadLastEthIPs, &CSoftConf::GetLastEthIPs, &CSoftConf::UpdateLastEthIPs},
    {"Lasts_Projects", "Project", &CSoftConf::ReadLastProjects, &CSoftConf::GetLastProjects,
     &CSoftConf::UpdateLastProjects},
    {"History_Scripts", "Script", &CSoftConf::ReadScriptsHistory, &CSoftConf::GetScriptsHistory,
     &CSoftConf::UpdateScriptsHistory},
    {"History_Sdram_Read_File", "File", &CSoftConf::ReadSdramReadHistory, &CSoftConf::GetSdramReadHistory,
     &CSoftConf::UpdateSdramReadHistory},
    {"History_Sdram_Write_File", "File", &CSoftConf::ReadSdramWriteHistory, &CSoftConf::GetSdramWriteHistory,
     &CSoftConf::UpdateSdramWriteHistory},
};
enum { HistProjects = 1, HistCount = 5 };

QStringList GetHistory(const CSoftConf &conf, int h)
{
    QStringList out;
    std::invoke(kHist[h].get, conf, out);
    return out;
}

QByteArray HistorySection(int h, const QByteArray &keys)
{
    return QByteArray("<") + kHist[h].section + ">" + keys + "</" + kHist[h].section + ">";
}

QByteArray HistoryKey(int h, const QByteArray &attrs, const QByteArray &text)
{
    return QByteArray("<") + kHist[h].key + " " + attrs + ">" + text + "</" + kHist[h].key + ">";
}

// The whole document without one section, for "everything else unchanged" comparisons.
QString CanonicalWithout(const QByteArray &xml, const QString &qsSection)
{
    QDomDocument doc;
    if (!doc.setContent(xml))
        return QStringLiteral("<not xml>");
    QDomElement root = doc.documentElement();
    const QDomNodeList list = root.elementsByTagName(qsSection);
    while (!list.isEmpty())
        list.at(0).parentNode().removeChild(list.at(0));
    return CanonicalXml(root);
}

} // namespace

class TstSoftConf : public QObject
{
    Q_OBJECT

private:
    TestEnv m_Env;
    TraceRecorder m_Trace;
    RecordingSink m_Sink;

    // Writes the file and opens it without parsing: each test reads the part it is about.
    static std::unique_ptr<CSoftConf> Opened(const QByteArray &xml)
    {
        WriteTestFile(QStringLiteral("Lantrel.xml"), xml);
        auto conf = std::make_unique<CSoftConf>();
        conf->Open(QStringLiteral("Lantrel.xml"));
        return conf;
    }

    // Loads the file as start-up does: open, trace settings, parse.
    std::unique_ptr<CSoftConf> Start(const QByteArray &xml, int *piTraceStatus = nullptr, int *piParse = nullptr)
    {
        auto conf = Opened(xml);
        const int iTrace = conf->ReadTracesSettings();
        if (piTraceStatus)
            *piTraceStatus = iTrace;
        const int iParse = conf->Parse();
        if (piParse)
            *piParse = iParse;
        if (!conf->HasRoot())
            conf->CreateRoot();
        return conf;
    }

    int CountErrors(const QString &qsNeedle) const
    {
        int n = 0;
        for (const QString &line : m_Trace.Errors())
            n += line.contains(qsNeedle) ? 1 : 0;
        return n;
    }

private slots:
    void init()
    {
        m_Trace.Reset();
        m_Sink.Reset();
        QFile::remove(QStringLiteral("Lantrel.xml"));
    }

    void traces_data()
    {
        QTest::addColumn<QByteArray>("general");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<int>("save");
        QTest::addColumn<uint>("sizeMB");
        QTest::addColumn<int>("errors");

        QTest::newRow("on, saving, 5 MB")
            << QByteArray("<Traces save='yes' fileSizeMB='5'>yes</Traces>") << 0 << 1 << 1 << 5u << 0;
        QTest::newRow("Yes is not yes") << QByteArray("<Traces save='yes' fileSizeMB='5'>Yes</Traces>") << 0 << 0 << 0
                                        << 1u << 0;
        QTest::newRow("extra attribute") << QByteArray("<Traces save='yes' colour='red' fileSizeMB='2'>yes</Traces>")
                                         << -21 << 1 << 1 << 2u << 1;
        QTest::newRow("size not a number")
            << QByteArray("<Traces fileSizeMB='ten'>yes</Traces>") << 0 << 1 << 0 << 1u << 1;
        QTest::newRow("save other than yes") << QByteArray("<Traces save='YES'>yes</Traces>") << 0 << 1 << 0 << 1u << 0;
        QTest::newRow("no Traces key") << QByteArray() << -20 << 0 << 0 << 1u << 1;
        QTest::newRow("Traces twice") << QByteArray("<Traces>yes</Traces><Traces>yes</Traces>") << -20 << 0 << 0 << 1u
                                      << 1;
    }
    void traces()
    {
        QFETCH(QByteArray, general);
        auto conf = Opened(Wrap("<General>" + general + "</General>"));
        QTEST(conf->ReadTracesSettings(), "status");
        int iEnabled = 0, iSave = 0;
        unsigned int uSize = 0;
        conf->GetTracesSettings(&iEnabled, &iSave, &uSize);
        QTEST(iEnabled, "enabled");
        QTEST(iSave, "save");
        QTEST(uSize, "sizeMB");
        QTEST(int(m_Trace.Errors().size()), "errors");
    }

    void factoryModeAndPassword_data()
    {
        QTest::addColumn<QByteArray>("general");
        QTest::addColumn<bool>("factory");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("error");

        QTest::newRow("good") << QByteArray("<Factory_mode>yes</Factory_mode><Factory_pwd>s3cret!</Factory_pwd>")
                              << true << "s3cret!" << QString();
        QTest::newRow("mode Yes") << QByteArray("<Factory_mode>Yes</Factory_mode><Factory_pwd>123456</Factory_pwd>")
                                  << false << "123456" << QString();
        QTest::newRow("short password")
            << QByteArray("<Factory_pwd>12345</Factory_pwd>") << false << "804172"
            << "Invalid Factory Password in configuration file 'Lantrel.xml' - Section 'General' - Key 'Factory_pwd' "
               "- Password too short (<6 characters) - Take default password!";
        QTest::newRow("no password") << QByteArray() << false << "804172"
                                     << "Invalid Factory Password in configuration file 'Lantrel.xml' - Section "
                                        "'General' - Key 'Factory_pwd' - Password not defined! - Take default "
                                        "password!";
    }
    void factoryModeAndPassword()
    {
        QFETCH(QByteArray, general);
        QFETCH(QString, password);
        QFETCH(QString, error);
        auto conf = Start(Wrap("<General>" + general + "</General>"));
        QTEST(conf->GetFactoryMode(), "factory");
        QString qsPwd;
        conf->GetFactoryPassword(qsPwd);
        QCOMPARE(qsPwd, password);
        if (error.isEmpty()) {
            QCOMPARE(CountErrors(QStringLiteral("Factory Password")), 0);
            QCOMPARE(m_Sink.Errors().count({"Invalid Factory Password in configuration file - Take default!", 0}), 0);
        } else {
            QCOMPARE(m_Trace.Errors().count(error), 1);
            QCOMPARE(m_Sink.Errors().count({"Invalid Factory Password in configuration file - Take default!", 0}), 1);
        }
        // The password never reaches the log.
        for (const QString &line : m_Trace.Errors() + m_Trace.Infos())
            QVERIFY2(!line.contains(QStringLiteral("s3cret")), qPrintable(line));
    }

    void usbIds_data()
    {
        QTest::addColumn<QByteArray>("general");
        QTest::addColumn<uint>("vid");
        QTest::addColumn<uint>("pid");
        QTest::addColumn<QStringList>("errors");

        QTest::newRow("lower case, no 0x")
            << QByteArray("<USB_VID>4d8</USB_VID><USB_PID>204</USB_PID>") << 0x04D8u << 0x0204u << QStringList();
        QTest::newRow("0x prefix") << QByteArray("<USB_VID>0x1234</USB_VID><USB_PID>0XABCD</USB_PID>") << 0x1234u
                                   << 0xABCDu << QStringList();
        QTest::newRow("not hex")
            << QByteArray("<USB_VID>zz</USB_VID><USB_PID>10000</USB_PID>") << 0x04D8u << 0x0204u
            << QStringList{"Invalid configuration file 'Lantrel.xml' - Section 'General' - Key 'USB_VID' - "
                           "Invalid unsigned short value!",
                           "Invalid USB VID value in configuration file 'Lantrel.xml' - Section 'General' "
                           "- Key 'USB_VID' - Value 'zz' - Take default value!",
                           "Invalid unsigned short value '10000' for 'USB_PID'",
                           "Invalid value in configuration file 'Lantrel.xml' - Section 'General' - Key "
                           "'USB_PID' - Value '10000' - Take default value!"};
        QTest::newRow("absent") << QByteArray() << 0x04D8u << 0x0204u
                                << QStringList{"Invalid USB VID value in configuration file 'Lantrel.xml' - Section "
                                               "'General' - Key 'USB_VID' - Value '' - Take default value!",
                                               "Invalid value in configuration file 'Lantrel.xml' - Section 'General' "
                                               "- Key 'USB_PID' - Value '' - Take default value!"};
    }
    void usbIds()
    {
        QFETCH(QByteArray, general);
        QFETCH(uint, vid);
        QFETCH(uint, pid);
        auto conf = Start(Wrap("<General><Factory_pwd>123456</Factory_pwd>" + general + "</General>"));
        quint16 uVid = 0, uPid = 0;
        conf->GetUsbIds(&uVid, &uPid);
        QCOMPARE(uint(uVid), vid);
        QCOMPARE(uint(uPid), pid);
        QStringList usbErrors;
        for (const QString &line : m_Trace.Errors())
            if (line.contains(QStringLiteral("USB_")))
                usbErrors.append(line);
        QTEST(usbErrors, "errors");
        QVERIFY(m_Trace.Infos().contains(QString::asprintf("        USB_VID = 0x%04X", vid)));
        QVERIFY(m_Trace.Infos().contains(QString::asprintf("        USB_PID = 0x%04X", pid)));
        QVERIFY(m_Trace.Infos().contains(QStringLiteral("        ETH_TCP_Port = 0xC350")));
    }

    void welcomePage_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("errors");

        QTest::newRow("both") << QByteArray("<CompanyLogo>logo.png</CompanyLogo><CompanyInfo "
                                            "codec='ISO-8859-1'>info.txt</CompanyInfo>")
                              << "logo.png"
                              << "info.txt"
                              << "ISO-8859-1" << 0;
        QTest::newRow("codec with another attribute")
            << QByteArray("<CompanyLogo>l.png</CompanyLogo><CompanyInfo codec='Big5' x='1'>i.txt</CompanyInfo>")
            << "l.png"
            << "i.txt"
            << "UTF-8" << 1;
        QTest::newRow("no logo, no info") << QByteArray() << QString() << QString() << "UTF-8" << 1;
    }
    void welcomePage()
    {
        QFETCH(QByteArray, section);
        auto conf = Start(Wrap("<WelcomePage>" + section + "</WelcomePage>"));
        QString qsLogo, qsInfo, qsCodec;
        conf->GetWelcomePage(qsLogo, qsInfo, qsCodec);
        QTEST(qsLogo, "logo");
        QTEST(qsInfo, "info");
        QTEST(qsCodec, "codec");
        QTEST(CountErrors(QStringLiteral("'WelcomePage' section")), "errors");
    }

    void sensors_data()
    {
        QTest::addColumn<QByteArray>("sensors");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("error");

        const QByteArray ok = "<Sensor Type='lumi' VInMax='3.3' VInMin='0' SensorMax='1e4' SensorMin='-1'>L</Sensor>";
        QTest::newRow("good, bounds included") << ok << 0 << QStringList{"L"} << QString();
        QTest::newRow("Type with capital")
            << QByteArray("<Sensor Type='Temp' VInMax='1' VInMin='0' SensorMax='1' "
                          "SensorMin='0'>T</Sensor>")
            << -21 << QStringList() << "        Sensor 'T': Configuration is not valid! - Type is not valid!";
        QTest::newRow("four attributes")
            << ok + "<Sensor Type='temp' VInMax='1' VInMin='0' SensorMax='1'>T</Sensor>" << -23 << QStringList{"L"}
            << "Invalid Sensor Type in configuration file 'Lantrel.xml' - Section 'Sensors' - Key 'Sensor' - Sensor 1 "
               "requires 5 attributes!";
        QTest::newRow("name too long")
            << "<Sensor Type='temp' VInMax='1' VInMin='0' SensorMax='1' SensorMin='0'>" + QByteArray(33, 'n') +
                   "</Sensor>"
            << -21 << QStringList()
            << "Invalid Sensor Type in configuration file 'Lantrel.xml' - Section 'Sensors' - Key 'Sensor' - Sensor 0 "
               "- Name size is not valid (<1 or >32)!";
        QTest::newRow("duplicate name") << ok + ok << -21 << QStringList{"L"}
                                        << "        Sensor 1: Sensor name 'L' is already defined!";
        QTest::newRow("VInMax above 3.3") << QByteArray("<Sensor Type='temp' VInMax='3.4' VInMin='0' SensorMax='1' "
                                                        "SensorMin='0'>T</Sensor>")
                                          << -21 << QStringList() << QString();
        QTest::newRow("misnamed attribute") << QByteArray("<Sensor Type='temp' VInMax='1' VInMin='0' SensorMax='1' "
                                                          "SensorMinimum='0'>T</Sensor>")
                                            << -21 << QStringList() << QString();
    }
    void sensors()
    {
        QFETCH(QByteArray, sensors);
        QFETCH(int, status);
        QFETCH(QString, error);
        auto conf = Opened(Wrap("<Sensors>" + sensors + "</Sensors>"));
        QCOMPARE(conf->ReadSensorTypes(), status);
        QList<SensorType_t> list{SensorType_t()};
        conf->GetSensorTypes(list);
        QStringList got;
        for (const SensorType_t &s : list)
            got.append(s.name);
        QTEST(got, "names");
        if (!error.isEmpty())
            QVERIFY2(m_Trace.Errors().contains(error), qPrintable(m_Trace.Errors().join('\n')));
        if (status == 0) {
            QCOMPARE(list.first().kind, quint16(SENSOR_KIND_LUMI));
            QCOMPARE(list.first().VInMax, 3.3f);
            QCOMPARE(list.first().SensorMax, 10000.0f);
            QCOMPARE(list.first().SensorMin, -1.0f);
        }
        // Getter failures are reported with -21 besides the trace.
        if (error.isEmpty() && status != 0)
            QCOMPARE(m_Sink.Errors().size(), 1);
    }

    void fixtures_data()
    {
        QTest::addColumn<QByteArray>("fixtures");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QString>("error");

        const QString qsTileHead =
            QStringLiteral("Invalid Fixture configuration in configuration file 'Lantrel.xml' - "
                           "Section 'Fixtures' - Key 'Fixture' - Fixture 0 - Invalid attribute ");
        QTest::newRow("tile 64,64,64,64 fits 128")
            << Fixture("A", "128", "128", "1", {"64,64,64,64", "64,64,0,0"}) << 0 << QStringList{"A"} << 0 << QString();
        QTest::newRow("tile 64,64,65,0") << Fixture("A", "128", "128", "1", {"64,64,65,0"}) << -21 << QStringList() << 0
                                         << qsTileHead + "'Tile1' - Width+XOffset is not in range [0;128]!";
        QTest::newRow("tile 0,64,0,65") << Fixture("A", "128", "128", "1", {"0,64,0,65"}) << -21 << QStringList() << 0
                                        << qsTileHead + "'Tile1' - Height+YOffset is not in range [0;128]!";
        QTest::newRow("tile width 65") << Fixture("A", "128", "128", "1", {"64,64,0,0", "65,1,0,0"}) << -21
                                       << QStringList() << 0 << qsTileHead + "'Tile2' - Width is not in range [0;64]!";
        QTest::newRow("tile height 65") << Fixture("A", "128", "128", "1", {"1,65,0,0"}) << -21 << QStringList() << 0
                                        << qsTileHead + "'Tile1' - Height is not in range [0;64]!";
        QTest::newRow("tile x negative") << Fixture("A", "128", "128", "1", {"1,1,-1,0"}) << -21 << QStringList() << 0
                                         << qsTileHead + "'Tile1' - Width+XOffset is not in range [0;128]!";
        QTest::newRow("tile 13 characters") << Fixture("A", "128", "128", "1", {"10,10,118,118"}) << -21
                                            << QStringList() << 0 << "        Fixture 0: Configuration is not valid!";
        QTest::newRow("three fields") << Fixture("A", "128", "128", "1", {"64,64,0"}) << -21 << QStringList() << 0
                                      << qsTileHead + "'Tile1' - field number is diferent of 4!";
        QTest::newRow("five fields, last empty")
            << Fixture("A", "128", "128", "1", {"64,64,0,0,"}) << -21 << QStringList() << 0
            << qsTileHead + "'Tile1' - field number is diferent of 4!";
        QTest::newRow("tiles wider than the type")
            << Fixture("A", "64", "64", "1", {"64,64,0,0", "64,64,64,0"}) << -21 << QStringList() << 0
            << "Invalid Fixture configuration in configuration file "
               "'Lantrel.xml' - Fixture 0 - Tiles are not included in "
               "fixture's width!";
        QTest::newRow("same tiles, wide enough")
            << Fixture("A", "128", "64", "1", {"64,64,0,0", "64,64,64,0"}) << 0 << QStringList{"A"} << 0 << QString();
        QTest::newRow("tiles taller than the type")
            << Fixture("A", "128", "64", "1", {"64,64,0,0", "64,64,0,64"}) << -21 << QStringList() << 0
            << "Invalid Fixture configuration in configuration file "
               "'Lantrel.xml' - Fixture 0 - Tiles are not included in "
               "fixture's height!";
        QTest::newRow("corner from smallest x and y, no tile at 0,0")
            << Fixture("A", "128", "128", "1", {"64,64,0,64", "64,64,64,0", "64,64,64,64", "64,64,64,64"}) << 0
            << QStringList{"A"} << 0 << QString();
        QTest::newRow("all tiles at x 8: warning, type kept")
            << Fixture("A", "128", "128", "1", {"64,64,8,0", "64,64,8,64", "8,8,8,0", "8,8,8,8"}) << 0
            << QStringList{"A"} << 1 << QString();
        QTest::newRow("tile 0,0,0,0 counts for the corner")
            << Fixture("A", "128", "128", "1", {"0,0,0,0", "64,64,8,8", "64,64,64,64"}) << 0 << QStringList{"A"} << 0
            << QString();
        QTest::newRow("10 and 0x10 are one type")
            << Fixture("A", "64", "64", "10", {"64,64,0,0"}) + Fixture("B", "64", "64", "0x10", {"64,64,0,0"}) << -21
            << QStringList{"A"} << 0 << "        Fixture 1: Fixture type is already defined 0x00000010!";
        QTest::newRow("width 16 and 128 in range")
            << Fixture("A", "16", "128", "1", {"16,16,0,0"}) << 0 << QStringList{"A"} << 0 << QString();
        QTest::newRow("width 15") << Fixture("A", "15", "128", "1", {"1,1,0,0"}) << -21 << QStringList() << 0
                                  << "        Fixture 0: Configuration is not valid!";
        QTest::newRow("height 129") << Fixture("A", "16", "129", "1", {"1,1,0,0"}) << -21 << QStringList() << 0
                                    << "        Fixture 0: Configuration is not valid!";
        QTest::newRow("type not hex") << Fixture("A", "64", "64", "0xg", {"1,1,0,0"}) << -21 << QStringList() << 0
                                      << "        Fixture 0: Configuration is not valid!";
        QTest::newRow("eleven attributes") << QByteArray("<Fixture width='64' height='64' type='1' manufacturer='1' "
                                                         "Tile1='1,1,0,0' Tile2='1,1,0,0' Tile3='1,1,0,0' "
                                                         "Tile4='1,1,0,0' SensorIdCh0='NC' SensorIdCh1='NC' "
                                                         "SensorIdCh2='NC'>A</Fixture>")
                                           << -23 << QStringList() << 0
                                           << "Invalid Fixture Types in configuration file 'Lantrel.xml' - Section "
                                              "'Fixtures' - Key 'Fixture' - Fixture 0 requires 12 attributes!";
        QTest::newRow("empty name") << Fixture("", "64", "64", "1", {"1,1,0,0"}) << -21 << QStringList() << 0
                                    << "Invalid Fixture Types in configuration file 'Lantrel.xml' - Section "
                                       "'Fixtures' - Key 'Fixture' - Fixture 0 - Name size is not valid (<1 or >32)!";
        QTest::newRow("sensor nc in lower case")
            << Fixture("A", "64", "64", "1", {"1,1,0,0"}, {"NC", "nc"}) << -21 << QStringList() << 0
            << "Invalid Fixture configuration in configuration file 'Lantrel.xml' - Section 'Fixtures' - Key 'Fixture' "
               "- Fixture 0 - Invalid sensor name 'nc' - Not defined in 'Sensors' section!";
        QTest::newRow("empty sensor name")
            << Fixture("A", "64", "64", "1", {"1,1,0,0"}, {""}) << -21 << QStringList() << 0
            << qsTileHead + "'SensorIdCh0' - attribute length is not in range [1;32]!";
        QTest::newRow("bad second type keeps the first")
            << Fixture("A", "64", "64", "1", {"64,64,0,0"}) + Fixture("B", "64", "64", "2", {"64,64,1,0"}) << -21
            << QStringList{"A"} << 0 << QString();
    }
    void fixtures()
    {
        QFETCH(QByteArray, fixtures);
        QFETCH(int, status);
        QFETCH(int, warnings);
        QFETCH(QString, error);
        auto conf = Opened(Wrap(kSensors + "<Fixtures>" + fixtures + "</Fixtures>"));
        QCOMPARE(conf->ReadSensorTypes(), 0);
        QCOMPARE(conf->ReadFixtureTypes(), status);
        QTEST(TypeNames(*conf), "names");
        QCOMPARE(m_Sink.Warnings().size(), warnings);
        if (warnings)
            QCOMPARE(m_Sink.Warnings().first(),
                     QStringLiteral("Warning: Fixture's Tiles may be badly configured!\nThere is no tiles configured "
                                    "to display the top-left corner pixel(s) of VPU video output!"));
        if (!error.isEmpty())
            QVERIFY2(m_Trace.Errors().contains(error), qPrintable(m_Trace.Errors().join('\n')));
        if (status == 0)
            QCOMPARE(m_Trace.Errors(), QStringList());
    }

    // Without a main window the warning is traced, never dereferenced.
    void tileWarningWithoutMainWindow()
    {
        auto conf =
            Opened(Wrap("<Fixtures>" + Fixture("A", "64", "64", "1", {"8,8,8,8", "8,8,8,8", "8,8,8,8", "8,8,8,8"}) +
                        "</Fixtures>"));
        SetMainWndSink(nullptr);
        const int iStatus = conf->ReadFixtureTypes();
        SetMainWndSink(&m_Sink);
        QCOMPARE(iStatus, 0);
        QCOMPARE(m_Trace.Errors().size(), 1);
        QVERIFY(m_Trace.Errors().first().startsWith("Warning: Fixture's Tiles may be badly configured!"));
    }

    void fixtureRecordAndSensorChannels()
    {
        // Sensors come after the fixtures in the file: all sensors are read first.
        auto conf = Start(
            Wrap("<Fixtures>" +
                 Fixture("Env", "128", "64", "0x10000000", {"64,64,0,0", "64,64,64,0"}, {"H1", "NC", "T1", "NC"}) +
                 Fixture("Plain", "64", "64", "0x0FFFFFFF", {"64,64,0,0"}) + "</Fixtures>" + kSensors));
        FixtureType_t type;
        QCOMPARE(conf->GetFixtureType(0x10000000, &type), 0);
        QCOMPARE(type.name, QStringLiteral("Env"));
        QCOMPARE(type.width, 128);
        QCOMPARE(type.height, 64);
        QCOMPARE(type.manufacturer, 2u);
        QCOMPARE(type.tiles[1].width, quint8(64));
        QCOMPARE(type.tiles[1].xOffset, quint8(64));
        QCOMPARE(type.tiles[2].width, quint8(0));
        QCOMPARE(type.sensors[0].name, QStringLiteral("H1"));
        QCOMPARE(type.sensors[0].kind, quint16(SENSOR_KIND_HUMI));
        QCOMPARE(type.sensors[0].VInMax, 3.3f);
        QCOMPARE(type.sensors[1].name, QStringLiteral("none"));
        QCOMPARE(type.sensors[1].kind, quint16(SENSOR_KIND_NONE));
        QCOMPARE(type.sensors[1].VInMax, 0.0f);
        QCOMPARE(type.sensors[2].SensorMin, -40.0f);
        QVERIFY(IsSasuType(type.type));

        QCOMPARE(conf->GetFixtureType(0x0FFFFFFF, &type), 0);
        QCOMPARE(type.name, QStringLiteral("Plain"));
        QVERIFY(!IsSasuType(type.type));

        type.name = QStringLiteral("untouched");
        QCOMPARE(conf->GetFixtureType(0x10, &type), -50);
        QCOMPARE(type.name, QStringLiteral("untouched"));
    }

    void sensorOfFailedSectionIsUnknown()
    {
        auto conf = Start(Wrap("<Sensors><Sensor Type='temp' VInMax='1' VInMin='0' SensorMax='1' "
                               "SensorMin='0'>T1</Sensor><Sensor Type='bad' VInMax='1' VInMin='0' SensorMax='1' "
                               "SensorMin='0'>T2</Sensor><Sensor Type='temp' VInMax='1' VInMin='0' SensorMax='1' "
                               "SensorMin='0'>T3</Sensor></Sensors><Fixtures>" +
                               Fixture("A", "64", "64", "1", {"64,64,0,0"}, {"T1"}) +
                               Fixture("B", "64", "64", "2", {"64,64,0,0"}, {"T3"}) + "</Fixtures>"));
        QCOMPARE(TypeNames(*conf), QStringList{"A"});
        QVERIFY(m_Trace.Errors().contains(QStringLiteral(
            "Invalid Fixture configuration in configuration file 'Lantrel.xml' - Section 'Fixtures' - Key 'Fixture' - "
            "Fixture 1 - Invalid sensor name 'T3' - Not defined in 'Sensors' section!")));
        QVERIFY(m_Sink.Errors().contains({"Failed to load sensors type from configuration file!", -21}));
        QVERIFY(m_Sink.Errors().contains({"Failed to load fixtures type in configuration file!", -21}));
    }

    void histories_data()
    {
        QTest::addColumn<int>("history");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("error");

        const char *const kPrefix[] = {"Invalid configuration file for Last IP Nod %1!",
                                       "Invalid configuration file for Last Project Nod %1!",
                                       "Invalid configuration file for Last Script Nod %1!",
                                       "Invalid configuration file for Last sdram read Nod %1!",
                                       "Invalid configuration file for Last sdram write Nod %1!"};
        const char *const kCountPrefix[] = {"Invalid configuration file for Last IP Nod %1!",
                                            "Invalid configuration file for Last Project Nod %1!",
                                            "Invalid configuration file for Last Script Nod %1!",
                                            "Invalid configuration file for Last Sdram read Nod %1!",
                                            "Invalid configuration file for Last Sdram write Nod %1!"};
        for (int h = 0; h < HistCount; ++h) {
            auto row = [&](const char *name) {
                return &QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(kHist[h].section, name)));
            };
            const QString p1 = QString::fromLatin1(kPrefix[h]).arg(1);
            *row("out of order") << h
                                 << HistoryKey(h, "id='1'", "b") + HistoryKey(h, "id='0'", "a") +
                                        HistoryKey(h, "id='2'", "c")
                                 << 0 << QStringList{"a", "b", "c"} << QString();
            *row("gap") << h << HistoryKey(h, "id='0'", "a") + HistoryKey(h, "id='2'", "c") << -21 << QStringList()
                        << p1 + " (attribute 'id' value is not valid)";
            *row("negative id") << h << HistoryKey(h, "id='-1'", "a") << -21 << QStringList()
                                << QString::fromLatin1(kPrefix[h]).arg(0) + " (attribute 'id' value is not valid)";
            *row("duplicate") << h << HistoryKey(h, "id='0'", "a") + HistoryKey(h, "id='0'", "b") << -21
                              << QStringList() << p1 + " (Duplicate nod with attribute 'id' = 0)";
            *row("empty text then same id") << h << HistoryKey(h, "id='0'", "") + HistoryKey(h, "id='0'", "b") << 0
                                            << QStringList{"b", ""} << QString();
            *row("extra attribute") << h << HistoryKey(h, "id='0'", "a") + HistoryKey(h, "id='1' x='y'", "b") << -23
                                    << QStringList()
                                    << QString::fromLatin1(kCountPrefix[h]).arg(1) +
                                           " (Number of attributes different of 1)";
            *row("attribute not id") << h << HistoryKey(h, "nr='0'", "a") << -23 << QStringList()
                                     << QString::fromLatin1(kPrefix[h]).arg(0) + " (attribute name is not 'id')";
            *row("no section") << h << QByteArray() << 0 << QStringList() << QString();
        }
    }
    void histories()
    {
        QFETCH(int, history);
        QFETCH(QByteArray, keys);
        QFETCH(QString, error);
        auto conf = Opened(Wrap(keys.isEmpty() ? QByteArray() : HistorySection(history, keys)));
        QTEST(std::invoke(kHist[history].read, *conf), "status");
        QTEST(GetHistory(*conf, history), "list");
        if (!error.isEmpty())
            QVERIFY2(m_Trace.Errors().contains(error), qPrintable(m_Trace.Errors().join('\n')));
        else
            QCOMPARE(m_Trace.Errors(), QStringList());
    }

    void twelveRecentProjects()
    {
        QByteArray keys;
        QStringList expected;
        for (int i = 11; i >= 0; --i)
            keys += HistoryKey(HistProjects, "id='" + QByteArray::number(i) + "'", "p" + QByteArray::number(i));
        for (int i = 0; i < 12; ++i)
            expected.append(QStringLiteral("p%1").arg(i));
        auto conf = Opened(Wrap(HistorySection(HistProjects, keys)));
        QCOMPARE(conf->ReadLastProjects(), 0);
        QStringList got;
        conf->GetLastProjects(got);
        QCOMPARE(got, expected);
        QCOMPARE(m_Trace.Errors(),
                 QStringList{"Invalid configuration file for Lasts Projects! (Section='Lasts_Projects' "
                             "- Key='Project') - Number of last project (12) exceed the maximum "
                             "number of 10"});
    }

    // Every history, updated and saved, reads back; every other section keeps its meaning.
    void updateAndSaveKeepsTheRest_data()
    {
        QTest::addColumn<int>("history");
        for (int h = 0; h < HistCount; ++h)
            QTest::newRow(kHist[h].section) << h;
    }
    void updateAndSaveKeepsTheRest()
    {
        QFETCH(int, history);
        const QByteArray original = ReadTestFile(QFINDTESTDATA("../../resources/Lantrel.xml"));
        QVERIFY(!original.isEmpty());
        QByteArray withHistories = original;
        withHistories.replace("<Lasts_Eth_IPs/>", "<Lasts_Eth_IPs><IP id='0'>10.0.0.1</IP></Lasts_Eth_IPs>");
        withHistories.replace("<History_Scripts/>",
                              "<History_Scripts><Script id='1'>b.txt</Script><Script id='0'>a.txt</Script>"
                              "</History_Scripts>");
        auto conf = Start(withHistories);
        const QStringList lNew{QStringLiteral("x \u00e9"), QStringLiteral("y"), QStringLiteral("z")};
        std::invoke(kHist[history].update, *conf, lNew);
        QCOMPARE(GetHistory(*conf, history), lNew);
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);

        const QByteArray saved = ReadTestFile(QStringLiteral("Lantrel.xml"));
        QCOMPARE(CanonicalWithout(saved, kHist[history].section),
                 CanonicalWithout(withHistories, kHist[history].section));
        m_Trace.Reset();
        auto again = Start(saved);
        QCOMPARE(GetHistory(*again, history), lNew);
        QCOMPARE(m_Trace.Errors(), QStringList());
        QCOMPARE(TypeNames(*again), TypeNames(*conf));
    }

    void updateCreatesMissingSection()
    {
        auto conf = Start(Wrap("<General><Factory_pwd>123456</Factory_pwd></General><Other/>"));
        conf->UpdateScriptsHistory({QStringLiteral("s0.txt"), QStringLiteral("s1.txt")});
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);
        QDomDocument doc;
        QVERIFY(doc.setContent(ReadTestFile(QStringLiteral("Lantrel.xml"))));
        QCOMPARE(CanonicalXml(doc.documentElement().lastChildElement()),
                 QStringLiteral("<History_Scripts><Script id=\"0\">s0.txt</Script><Script "
                                "id=\"1\">s1.txt</Script></History_Scripts>"));
        // An empty list leaves the section, without keys.
        conf->UpdateScriptsHistory({});
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);
        QVERIFY(doc.setContent(ReadTestFile(QStringLiteral("Lantrel.xml"))));
        QCOMPARE(CanonicalXml(doc.documentElement().lastChildElement()),
                 QStringLiteral("<History_Scripts></History_Scripts>"));
    }

    void recentProjectInsideApplicationFolder()
    {
        auto conf = Start(Wrap(QByteArray()));
        const QString qsApp = QCoreApplication::applicationDirPath();
        const QStringList lList{qsApp + "/Projects/a.prj", "/elsewhere" + qsApp + "/b.prj"};
        conf->UpdateLastProjects(lList);
        QStringList got;
        conf->GetLastProjects(got);
        QCOMPARE(got, lList);
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);
        auto again = Start(ReadTestFile(QStringLiteral("Lantrel.xml")));
        again->GetLastProjects(got);
        QCOMPARE(got, (QStringList{"Projects/a.prj", "/elsewhere" + qsApp + "/b.prj"}));
    }

    // A missing file is created anew with just the root and the first history.
    void missingFileIsCreated()
    {
        auto conf = std::make_unique<CSoftConf>();
        conf->Open(QStringLiteral("Lantrel.xml"));
        conf->ReadTracesSettings();
        conf->Parse();
        QVERIFY(!conf->HasRoot());
        conf->CreateRoot();
        conf->UpdateLastEthIPs({QStringLiteral("192.168.0.10")});
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);
        QDomDocument doc;
        QVERIFY(doc.setContent(ReadTestFile(QStringLiteral("Lantrel.xml"))));
        QCOMPARE(CanonicalXml(doc.documentElement()),
                 QStringLiteral("<Lantrel><Lasts_Eth_IPs><IP id=\"0\">192.168.0.10</IP></Lasts_Eth_IPs></Lantrel>"));
    }

    // A file the user could still repair survives the run byte for byte; the history lives on
    // in memory for this run.
    void brokenFileSurvivesHistoryUpdate()
    {
        const QByteArray broken = Wrap("<General><Traces save='yes'>yes</Traces></General><Lasts_Projects>"
                                       "<Project id='0'>a.prj</Project>")
                                      .replace("</Lantrel>\n", "");
        int iParse = 0;
        auto conf = Start(broken, nullptr, &iParse);
        QVERIFY(m_Trace.Errors().first().startsWith("XML error in file 'Lantrel.xml' at line"));
        conf->UpdateLastProjects({QStringLiteral("b.prj")});
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), -13);
        QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")), broken);
        QStringList got;
        conf->GetLastProjects(got);
        QCOMPARE(got, QStringList{"b.prj"});
    }

    // The shipped file is what a new user starts with: it must load without a single complaint.
    void defaultFileLoadsClean()
    {
        const QByteArray xml = ReadTestFile(QFINDTESTDATA("../../resources/Lantrel.xml"));
        int iTrace = -1, iParse = -1;
        auto conf = Start(xml, &iTrace, &iParse);
        QCOMPARE(iTrace, 0);
        QCOMPARE(iParse, 0);
        QCOMPARE(m_Trace.Errors(), QStringList());
        QCOMPARE(m_Sink.Errors(), (QList<QPair<QString, int>>()));
        QCOMPARE(m_Sink.Warnings(), QStringList());
        int iEnabled = 0, iSave = 0;
        unsigned int uSize = 0;
        conf->GetTracesSettings(&iEnabled, &iSave, &uSize);
        QCOMPARE(iEnabled, 1);
        QCOMPARE(iSave, 1);
        QCOMPARE(conf->GetFactoryMode(), false);

        QList<FixtureType_t> types;
        conf->GetFixtureTypes(types);
        QSet<QPair<int, int>> lpuSizes;
        int iSasu = 0;
        QSet<QString> usedSensors;
        for (const FixtureType_t &t : types) {
            if (IsSasuType(t.type)) {
                ++iSasu;
                for (const SensorType_t &s : t.sensors)
                    if (s.kind != SENSOR_KIND_NONE)
                        usedSensors.insert(s.name);
            } else {
                lpuSizes.insert({t.width, t.height});
            }
        }
        QVERIFY(lpuSizes.size() >= 3);
        QVERIFY(iSasu >= 2);
        QList<SensorType_t> sensors;
        conf->GetSensorTypes(sensors);
        QSet<QString> defined;
        for (const SensorType_t &s : sensors)
            defined.insert(s.name);
        QVERIFY(!usedSensors.isEmpty());
        QVERIFY(defined.contains(usedSensors));
    }
};

QTEST_GUILESS_MAIN(TstSoftConf)
#include "tst_softconf.moc"
