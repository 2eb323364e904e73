// The application configuration "Lantrel.xml": general settings, the fixture and sensor
// catalogue, the five histories and the file they are saved back into.
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

QByteArray Sensor(const QByteArray &attrs, const QByteArray &name)
{
    return "<Sensor " + attrs + ">" + name + "</Sensor>";
}
const QByteArray kSensorOk = Sensor("Type='lumi' VInMax='3.3' VInMin='0' SensorMax='1e4' SensorMin='-1'", "L");
const QByteArray kSensors = "<Sensors>" +
                            Sensor("Type='temp' VInMax='1.5' VInMin='0.1' SensorMax='125' SensorMin='-40'", "T1") +
                            Sensor("Type='humi' VInMax='3.3' VInMin='0' SensorMax='100' SensorMin='0'", "H1") +
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
// A 128 x 128 type "A" with the given tiles.
QByteArray Square(const QList<QByteArray> &tiles)
{
    return Fixture("A", "128", "128", "1", tiles);
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

// Keys written as "id:text id:text"; "nr='0'_x='1':text" gives the attributes themselves.
QByteArray HistorySection(int h, const QByteArray &keys)
{
    QByteArray out = QByteArray("<") + kHist[h].section + ">";
    for (const QByteArray &k : keys.split(' ')) {
        if (k.isEmpty())
            continue;
        const qsizetype iColon = k.indexOf(':');
        const QByteArray attr = k.left(iColon).replace('_', ' '), text = k.mid(iColon + 1);
        out += QByteArray("<") + kHist[h].key + " " + (attr.contains('=') ? attr : "id='" + attr + "'") + ">" + text +
               "</" + kHist[h].key + ">";
    }
    return out + "</" + kHist[h].section + ">";
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
    std::unique_ptr<CSoftConf> Start(const QByteArray &xml)
    {
        auto conf = Opened(xml);
        conf->ReadTracesSettings();
        conf->Parse();
        if (!conf->HasRoot())
            conf->CreateRoot();
        return conf;
    }

    // An empty expectation means no error at all; otherwise one error line contains it.
    void CheckError(const QString &qsPart)
    {
        const QStringList errors = m_Trace.Errors();
        if (qsPart.isEmpty()) {
            QCOMPARE(errors, QStringList());
            return;
        }
        for (const QString &line : errors)
            if (line.contains(qsPart))
                return;
        QFAIL(qPrintable("no error contains '" + qsPart + "':\n" + errors.join('\n')));
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
        QTest::addColumn<QList<int>>("enabledSaveSize");
        QTest::addColumn<int>("errors");
        QTest::newRow("on, saving, 5 MB") << QByteArray("<Traces save='yes' fileSizeMB='5'>yes</Traces>") << 0
                                          << QList<int>{1, 1, 5} << 0;
        QTest::newRow("Yes is not yes") << QByteArray("<Traces save='yes' fileSizeMB='5'>Yes</Traces>") << 0
                                        << QList<int>{0, 0, 1} << 0;
        QTest::newRow("extra attribute") << QByteArray("<Traces save='yes' colour='red' fileSizeMB='2'>yes</Traces>")
                                         << -21 << QList<int>{1, 1, 2} << 1;
        QTest::newRow("size not a number") << QByteArray("<Traces fileSizeMB='ten'>yes</Traces>") << 0
                                           << QList<int>{1, 0, 1} << 1;
        QTest::newRow("no Traces key") << QByteArray() << -20 << QList<int>{0, 0, 1} << 1;
    }
    void traces()
    {
        QFETCH(QByteArray, general);
        auto conf = Opened(Wrap("<General>" + general + "</General>"));
        QTEST(conf->ReadTracesSettings(), "status");
        int iEnabled = 0, iSave = 0;
        unsigned int uSize = 0;
        conf->GetTracesSettings(&iEnabled, &iSave, &uSize);
        QTEST((QList<int>{iEnabled, iSave, int(uSize)}), "enabledSaveSize");
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
        QTest::newRow("six characters, mode Yes")
            << QByteArray("<Factory_mode>Yes</Factory_mode><Factory_pwd>123456</Factory_pwd>") << false << "123456"
            << QString();
        QTest::newRow("five characters")
            << QByteArray("<Factory_pwd>12345</Factory_pwd>") << false << "804172"
            << "Invalid Factory Password in configuration file 'Lantrel.xml' - Section 'General' - Key 'Factory_pwd' "
               "- Password too short (<6 characters) - Take default password!";
        QTest::newRow("no password") << QByteArray() << false << "804172" << "Password not defined! - Take default";
    }
    void factoryModeAndPassword()
    {
        QFETCH(QByteArray, general);
        QFETCH(QString, error);
        auto conf = Start(Wrap("<General>" + general + "</General>"));
        QTEST(conf->GetFactoryMode(), "factory");
        QString qsPwd;
        conf->GetFactoryPassword(qsPwd);
        QTEST(qsPwd, "password");
        if (error.isEmpty())
            QCOMPARE(m_Trace.Errors().filter(QStringLiteral("Factory Password")), QStringList());
        else
            CheckError(error);
        QCOMPARE(m_Sink.Errors().count({"Invalid Factory Password in configuration file - Take default!", 0}),
                 error.isEmpty() ? 0 : 1);
        // The password never reaches the log.
        for (const QString &line : m_Trace.Errors() + m_Trace.Infos())
            QVERIFY2(!line.contains(QStringLiteral("s3cret")), qPrintable(line));
    }

    void usbIds_data()
    {
        QTest::addColumn<QByteArray>("general");
        QTest::addColumn<uint>("vid");
        QTest::addColumn<uint>("pid");
        QTest::addColumn<int>("errors");
        QTest::newRow("lower case, no 0x") << QByteArray("<USB_VID>4d8</USB_VID><USB_PID>205</USB_PID>") << 0x04D8u
                                           << 0x0205u << 0;
        QTest::newRow("0x prefix") << QByteArray("<USB_VID>0x1234</USB_VID><USB_PID>0XABCD</USB_PID>") << 0x1234u
                                   << 0xABCDu << 0;
        QTest::newRow("not hex, too large") << QByteArray("<USB_VID>zz</USB_VID><USB_PID>10000</USB_PID>") << 0x04D8u
                                            << 0x0204u << 4;
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
        QTEST(int(m_Trace.Errors().filter(QStringLiteral("USB_")).size()), "errors");
        QVERIFY(m_Trace.Infos().contains(QString::asprintf("        USB_VID = 0x%04X", vid)));
    }

    void sensors_data()
    {
        QTest::addColumn<QByteArray>("sensors");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("error");
        const QByteArray one = "Type='temp' VInMax='1' VInMin='0' SensorMax='1'";
        QTest::newRow("good, bounds included") << kSensorOk << 0 << QStringList{"L"} << QString();
        QTest::newRow("Type with capital") << Sensor("Type='Temp' VInMax='1' VInMin='0' SensorMax='1' SensorMin='0'",
                                                     "T")
                                           << -21 << QStringList() << "Sensor 'T': Configuration is not valid! - Type";
        QTest::newRow("four attributes")
            << kSensorOk + Sensor(one, "T") << -23 << QStringList{"L"}
            << "Invalid Sensor Type in configuration file 'Lantrel.xml' - Section 'Sensors' - Key 'Sensor' - Sensor 1 "
               "requires 5 attributes!";
        QTest::newRow("six attributes") << Sensor(one + " SensorMin='0' Unit='C'", "T") << -23 << QStringList()
                                        << "Sensor 0 requires 5 attributes!";
        QTest::newRow("name too long") << Sensor(one + " SensorMin='0'", QByteArray(33, 'n')) << -21 << QStringList()
                                       << "Sensor 0 - Name size is not valid (<1 or >32)!";
        QTest::newRow("duplicate name") << kSensorOk + kSensorOk << -21 << QStringList{"L"}
                                        << "Sensor 1: Sensor name 'L' is already defined!";
        QTest::newRow("VInMax above 3.3") << Sensor("Type='temp' VInMax='3.4' VInMin='0' SensorMax='1' SensorMin='0'",
                                                    "T")
                                          << -21 << QStringList() << "Sensor 0: Attribute 'VInMax' is not valid!";
        QTest::newRow("misnamed attribute") << Sensor(one + " SensorMinimum='0'", "T") << -21 << QStringList()
                                            << "Sensor";
    }
    void sensors()
    {
        QFETCH(QByteArray, sensors);
        QFETCH(int, status);
        auto conf = Opened(Wrap("<Sensors>" + sensors + "</Sensors>"));
        QCOMPARE(conf->ReadSensorTypes(), status);
        QList<SensorType_t> list{SensorType_t()};
        conf->GetSensorTypes(list);
        QStringList got;
        for (const SensorType_t &s : list)
            got.append(s.name);
        QTEST(got, "names");
        QFETCH(QString, error);
        CheckError(error);
        if (status == 0) {
            QCOMPARE(list.first().kind, quint16(SENSOR_KIND_LUMI));
            QCOMPARE(QList<float>({list.first().VInMax, list.first().SensorMax, list.first().SensorMin}),
                     QList<float>({3.3f, 10000.0f, -1.0f}));
        }
    }

    void fixtures_data()
    {
        QTest::addColumn<QByteArray>("fixtures");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const QByteArray &fixtures, int status, const QString &error,
                            int warnings = 0) {
            QTest::newRow(name) << fixtures << status << (status == 0 ? QStringList{"A"} : QStringList()) << warnings
                                << error;
        };
        const QString qsInvalid = QStringLiteral("Fixture 0: Configuration is not valid!");
        row("tile 64,64,64,64 fits 128", Square({"64,64,64,64", "64,64,0,0"}), 0, QString());
        row("tile 64,64,65,0", Square({"64,64,65,0"}), -21, "'Tile1' - Width+XOffset is not in range [0;128]!");
        row("tile 0,64,0,65", Square({"0,64,0,65"}), -21, "'Tile1' - Height+YOffset is not in range [0;128]!");
        row("tile width 65", Square({"64,64,0,0", "65,1,0,0"}), -21, "'Tile2' - Width is not in range [0;64]!");
        row("tile height 65", Square({"1,65,0,0"}), -21, "'Tile1' - Height is not in range [0;64]!");
        row("tile 13 characters", Square({"10,10,118,118"}), -21, qsInvalid);
        row("three fields", Square({"64,64,0"}), -21, "'Tile1' - field number is diferent of 4!");
        row("tiles wider than the type", Fixture("A", "64", "64", "1", {"64,64,0,0", "64,64,64,0"}), -21,
            "Invalid Fixture configuration in configuration file 'Lantrel.xml' - Fixture 0 - Tiles are not included "
            "in fixture's width!");
        row("same tiles, wide enough", Fixture("A", "128", "64", "1", {"64,64,0,0", "64,64,64,0"}), 0, QString());
        row("tiles taller than the type", Fixture("A", "128", "64", "1", {"64,64,0,0", "64,64,0,64"}), -21,
            "Tiles are not included in fixture's height!");
        row("corner from smallest x and y", Square({"64,64,0,64", "64,64,64,0", "64,64,64,64", "64,64,64,64"}), 0,
            QString());
        row("all tiles at x 8: warning, type kept", Square({"64,64,8,0", "64,64,8,64", "8,8,8,0", "8,8,8,8"}), 0,
            QString(), 1);
        row("tile 0,0,0,0 counts for the corner", Square({"0,0,0,0", "64,64,8,8", "64,64,64,64"}), 0, QString());
        QTest::newRow("10 and 0x10 are one type")
            << Fixture("A", "64", "64", "10", {"64,64,0,0"}) + Fixture("B", "64", "64", "0x10", {"64,64,0,0"}) << -21
            << QStringList{"A"} << 0 << "Fixture 1: Fixture type is already defined 0x00000010!";
        row("width 16 and height 128", Fixture("A", "16", "128", "1", {"16,16,0,0"}), 0, QString());
        row("width 15", Fixture("A", "15", "128", "1", {"1,1,0,0"}), -21, qsInvalid);
        row("height 129", Fixture("A", "16", "129", "1", {"1,1,0,0"}), -21, qsInvalid);
        const QByteArray eleven = "<Fixture width='64' height='64' type='1' manufacturer='1' Tile1='1,1,0,0' "
                                  "Tile2='1,1,0,0' Tile3='1,1,0,0' Tile4='1,1,0,0' SensorIdCh0='NC' SensorIdCh1='NC' "
                                  "SensorIdCh2='NC'";
        row("eleven attributes", eleven + ">A</Fixture>", -23,
            "Invalid Fixture Types in configuration file 'Lantrel.xml' - Section 'Fixtures' - Key 'Fixture' - "
            "Fixture 0 requires 12 attributes!");
        row("thirteen attributes", eleven + " SensorIdCh3='NC' Extra='1'>A</Fixture>", -23,
            "Fixture 0 requires 12 attributes!");
        row("empty name", Fixture("", "64", "64", "1", {"1,1,0,0"}), -21,
            "Fixture 0 - Name size is not valid (<1 or >32)!");
        row("sensor nc in lower case", Fixture("A", "64", "64", "1", {"1,1,0,0"}, {"NC", "nc"}), -21,
            "Fixture 0 - Invalid sensor name 'nc' - Not defined in 'Sensors' section!");
        QTest::newRow("bad second type keeps the first")
            << Fixture("A", "64", "64", "1", {"64,64,0,0"}) + Fixture("B", "64", "64", "2", {"64,64,1,0"}) << -21
            << QStringList{"A"} << 0 << "Fixture 1";
    }
    void fixtures()
    {
        QFETCH(QByteArray, fixtures);
        QFETCH(int, warnings);
        QFETCH(QString, error);
        auto conf = Opened(Wrap(kSensors + "<Fixtures>" + fixtures + "</Fixtures>"));
        QCOMPARE(conf->ReadSensorTypes(), 0);
        QTEST(conf->ReadFixtureTypes(), "status");
        QTEST(TypeNames(*conf), "names");
        QCOMPARE(m_Sink.Warnings().size(), warnings);
        if (warnings)
            QCOMPARE(m_Sink.Warnings().first(),
                     QStringLiteral("Warning: Fixture's Tiles may be badly configured!\nThere is no tiles configured "
                                    "to display the top-left corner pixel(s) of VPU video output!"));
        CheckError(error);
    }

    // Without a main window the warning is traced, never dereferenced.
    void tileWarningWithoutMainWindow()
    {
        auto conf = Opened(Wrap("<Fixtures>" + Fixture("A", "64", "64", "1", {"8,8,8,8", "8,8,8,8", "8,8,8,8", "8,8,8,8"}) + "</Fixtures>"));
        SetMainWndSink(nullptr);
        const int iStatus = conf->ReadFixtureTypes();
        SetMainWndSink(&m_Sink);
        QCOMPARE(iStatus, 0);
        CheckError(QStringLiteral("Warning: Fixture's Tiles may be badly configured!"));
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
        QCOMPARE(QList<int>({type.width, type.height, int(type.manufacturer), type.tiles[1].width,
                             type.tiles[1].xOffset, type.tiles[2].width}),
                 QList<int>({128, 64, 2, 64, 64, 0}));
        QCOMPARE(QStringList({type.sensors[0].name, type.sensors[1].name}), QStringList({"H1", "none"}));
        QCOMPARE(QList<int>({type.sensors[0].kind, type.sensors[1].kind}),
                 QList<int>({SENSOR_KIND_HUMI, SENSOR_KIND_NONE}));
        QCOMPARE(QList<float>({type.sensors[0].VInMax, type.sensors[1].VInMax, type.sensors[2].SensorMin}),
                 QList<float>({3.3f, 0.0f, -40.0f}));
        QVERIFY(IsSasuType(type.type));
        QCOMPARE(conf->GetFixtureType(0x0FFFFFFF, &type), 0);
        QCOMPARE(type.name, QStringLiteral("Plain"));
        QVERIFY(!IsSasuType(type.type));
        QCOMPARE(conf->GetFixtureType(0x10, &type), -50);
        QCOMPARE(type.name, QStringLiteral("Plain"));
    }

    void sensorOfFailedSectionIsUnknown()
    {
        const QByteArray attrs = "VInMax='1' VInMin='0' SensorMax='1' SensorMin='0'";
        auto conf = Start(Wrap("<Sensors>" + Sensor("Type='temp' " + attrs, "T1") + Sensor("Type='bad' " + attrs, "T2") +
                               Sensor("Type='temp' " + attrs, "T3") + "</Sensors><Fixtures>" +
                               Fixture("A", "64", "64", "1", {"64,64,0,0"}, {"T1"}) +
                               Fixture("B", "64", "64", "2", {"64,64,0,0"}, {"T3"}) + "</Fixtures>"));
        QCOMPARE(TypeNames(*conf), QStringList{"A"});
        CheckError(QStringLiteral("Fixture 1 - Invalid sensor name 'T3' - Not defined in 'Sensors' section!"));
        QVERIFY(m_Sink.Errors().contains({"Failed to load sensors type from configuration file!", -21}));
        QVERIFY(m_Sink.Errors().contains({"Failed to load fixtures type in configuration file!", -21}));
    }

    // The reader is shared: its rules on one history, and each history's own section and key.
    void histories_data()
    {
        QTest::addColumn<int>("history");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("error");
        for (int h = 0; h < HistCount; ++h)
            QTest::newRow(kHist[h].section) << h << QByteArray("1:b 0:a 2:c") << 0 << QStringList{"a", "b", "c"}
                                            << QString();
        const auto row = [](const char *name, const char *keys, int status, const QStringList &list,
                            const char *error) {
            QTest::newRow(name) << int(HistProjects) << QByteArray(keys) << status << list << QString(error);
        };
        const char *p1 = "Invalid configuration file for Last Project Nod 1!";
        row("gap", "0:a 2:c", -21, {}, "Nod 1! (attribute 'id' value is not valid)");
        row("negative id", "-1:a", -21, {}, "Nod 0! (attribute 'id' value is not valid)");
        row("duplicate", "0:a 0:b", -21, {}, "Nod 1! (Duplicate nod with attribute 'id' = 0)");
        row("empty text then same id", "0: 0:b", 0, {"b", ""}, "");
        row("extra attribute", "0:a id='1'_x='y':b", -23, {}, p1);
        row("attribute not id", "nr='0':a", -23, {}, "Nod 0! (attribute name is not 'id')");
        row("no keys", "", 0, {}, "");
    }
    void histories()
    {
        QFETCH(int, history);
        QFETCH(QByteArray, keys);
        auto conf = Opened(Wrap(HistorySection(history, keys)));
        QTEST(std::invoke(kHist[history].read, *conf), "status");
        QTEST(GetHistory(*conf, history), "list");
        QFETCH(QString, error);
        CheckError(error);
    }

    void twelveRecentProjects()
    {
        QByteArray keys;
        QStringList expected;
        for (int i = 11; i >= 0; --i)
            keys += QByteArray::number(i) + ":p" + QByteArray::number(i) + " ";
        for (int i = 0; i < 12; ++i)
            expected.append(QStringLiteral("p%1").arg(i));
        auto conf = Opened(Wrap(HistorySection(HistProjects, keys)));
        QCOMPARE(conf->ReadLastProjects(), 0);
        QCOMPARE(GetHistory(*conf, HistProjects), expected);
        QCOMPARE(m_Trace.Errors(),
                 QStringList{"Invalid configuration file for Lasts Projects! (Section='Lasts_Projects' "
                             "- Key='Project') - Number of last project (12) exceed the maximum number of 10"});
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
        QByteArray original = ReadTestFile(QFINDTESTDATA("../../resources/Lantrel.xml"));
        QVERIFY(!original.isEmpty());
        original.replace("<Lasts_Eth_IPs/>", "<Lasts_Eth_IPs><IP id='0'>10.0.0.1</IP></Lasts_Eth_IPs>");
        original.replace("<History_Scripts/>", HistorySection(2, "1:b.txt 0:a.txt"));
        auto conf = Start(original);
        const QStringList lNew{QStringLiteral("x \u00e9"), QStringLiteral("y"), QStringLiteral("z")};
        std::invoke(kHist[history].update, *conf, lNew);
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);

        const QByteArray saved = ReadTestFile(QStringLiteral("Lantrel.xml"));
        QCOMPARE(CanonicalWithout(saved, kHist[history].section), CanonicalWithout(original, kHist[history].section));
        m_Trace.Reset();
        auto again = Start(saved);
        QCOMPARE(GetHistory(*again, history), lNew);
        QCOMPARE(m_Trace.Errors(), QStringList());
        QCOMPARE(TypeNames(*again), TypeNames(*conf));
    }

    void recentProjectInsideApplicationFolder()
    {
        auto conf = Start(Wrap(QByteArray()));
        const QString qsApp = QCoreApplication::applicationDirPath();
        const QStringList lList{qsApp + "/Projects/a.prj", "/elsewhere" + qsApp + "/b.prj"};
        conf->UpdateLastProjects(lList);
        QCOMPARE(GetHistory(*conf, HistProjects), lList);
        QCOMPARE(conf->Save(QStringLiteral("Lantrel.xml")), 0);
        auto again = Start(ReadTestFile(QStringLiteral("Lantrel.xml")));
        QCOMPARE(GetHistory(*again, HistProjects), (QStringList{"Projects/a.prj", "/elsewhere" + qsApp + "/b.prj"}));
    }

    // A missing file is created anew with just the root and the histories written; an empty
    // history leaves its section, without keys.
    void missingFileIsCreated()
    {
        CSoftConf fresh;
        fresh.Open(QStringLiteral("Lantrel.xml"));
        fresh.ReadTracesSettings();
        fresh.Parse();
        QVERIFY(!fresh.HasRoot());
        fresh.CreateRoot();
        fresh.UpdateLastEthIPs({QStringLiteral("192.168.0.10")});
        fresh.UpdateScriptsHistory({});
        QCOMPARE(fresh.Save(QStringLiteral("Lantrel.xml")), 0);
        QDomDocument doc;
        QVERIFY(doc.setContent(ReadTestFile(QStringLiteral("Lantrel.xml"))));
        QCOMPARE(CanonicalXml(doc.documentElement()),
                 QStringLiteral("<Lantrel><Lasts_Eth_IPs><IP id=\"0\">192.168.0.10</IP></Lasts_Eth_IPs>"
                                "<History_Scripts></History_Scripts></Lantrel>"));
    }

    // The shipped file is what a new user starts with: it must load without a single complaint.
    void defaultFileLoadsClean()
    {
        auto conf = Start(ReadTestFile(QFINDTESTDATA("../../resources/Lantrel.xml")));
        QCOMPARE(m_Trace.Errors(), QStringList());
        QCOMPARE(m_Sink.Errors(), (QList<QPair<QString, int>>()));
        QCOMPARE(m_Sink.Warnings(), QStringList());
        QList<FixtureType_t> types;
        conf->GetFixtureTypes(types);
        int iSasu = 0;
        for (const FixtureType_t &t : types)
            iSasu += IsSasuType(t.type) ? 1 : 0;
        QVERIFY(iSasu >= 2 && types.size() - iSasu >= 3);
    }
};

QTEST_GUILESS_MAIN(TstSoftConf)
#include "tst_softconf.moc"
