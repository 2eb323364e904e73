// DMX mapping files: the wire layout of an entry, the overlap rule, all-or-nothing parsing,
// and files that read back as they were written.
#include "config/dmxconf.h"
#include "config/texttables.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QProcess>
#include <QtTest>

#include <cstring>

namespace {

// "command:channel" pairs; sizes are the table's.
QList<DMX_Mapping_t> Mapping(const QString &qsText)
{
    static const quint8 kSizes[] = {1, 1, 1, 1, 1, 1, 4, 3, 3, 1};
    QList<DMX_Mapping_t> out;
    for (const QString &item : qsText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        DMX_Mapping_t e;
        e.command = quint8(item.section(QLatin1Char(':'), 0, 0).toUInt());
        e.channel = quint16(item.section(QLatin1Char(':'), 1, 1).toUInt());
        e.size = kSizes[e.command - 1];
        out.append(e);
    }
    return out;
}

QString Describe(const QList<DMX_Mapping_t> &list)
{
    QStringList out;
    for (const DMX_Mapping_t &e : list)
        out.append(QStringLiteral("%1:%2/%3").arg(e.command).arg(e.channel).arg(e.size));
    return out.join(QLatin1Char(' '));
}

QByteArray Wire(const QList<DMX_Mapping_t> &list)
{
    QByteArray out;
    for (const DMX_Mapping_t &e : list)
        out.append(reinterpret_cast<const char *>(&e), sizeof(e));
    return out;
}

QByteArray File(const QByteArray &commands)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DMX_Mapping><Commands>" + commands +
           "</Commands></DMX_Mapping>\n";
}

QByteArray Cmd(const QByteArray &name, const QByteArray &channel)
{
    return "<dmx_command channel='" + channel + "'>" + name + "</dmx_command>";
}

const QString kDefaultText = QStringLiteral("1:1/1 2:2/1 3:3/1 4:4/1 5:5/1 6:6/1 7:7/4 8:11/3 9:14/3 10:17/1");

} // namespace

class TstDmxConf : public QObject
{
    Q_OBJECT

private:
    TestEnv m_Env;
    TraceRecorder m_Trace;
    RecordingSink m_Sink;

private slots:
    void init()
    {
        m_Trace.Reset();
        m_Sink.Reset();
    }

    void entryLayout()
    {
        DMX_Mapping_t e;
        e.command = 8;
        e.channel = 0x0102;
        e.size = 3;
        QCOMPARE(Wire({e}).toHex(' '), QByteArray("08 02 01 03"));
    }

    void checkChannelRange_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("report");

        QTest::newRow("after the default") << kDefaultText << 18 << 1 << 10 << QString();
        QTest::newRow("on Launch Preset")
            << kDefaultText << 17 << 1 << -5 << "DMX channel is already used by command 10 - 'Launch Preset'";
        QTest::newRow("range containing another")
            << "8:11" << 10 << 5 << -5 << "DMX channel is already used by command 8 - 'Gamma'";
        QTest::newRow("inside another") << "7:7" << 9 << 1 << -5
                                        << "DMX channel is already used by command 7 - 'Color Temperature'";
        QTest::newRow("between two") << "1:1 7:20" << 2 << 4 << 1 << QString();
        QTest::newRow("touching both") << "1:1 7:6" << 2 << 4 << 1 << QString();
    }
    void checkChannelRange()
    {
        QFETCH(QString, list);
        QFETCH(int, channel);
        QFETCH(int, size);
        QFETCH(int, result);
        QFETCH(QString, report);
        QCOMPARE(CDmxConf::CheckChannelRange(Mapping(list.replace(QRegularExpression("/\\d+"), "")), quint16(channel),
                                             quint8(size)),
                 result);
        if (report.isEmpty())
            QCOMPARE(m_Sink.Errors().size(), 0);
        else
            QCOMPARE(m_Sink.Errors(), (QList<QPair<QString, int>>{{report, 0}}));
    }

    // Any failure leaves the whole default mapping, never part of the file's.
    void parse_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("mapping");
        QTest::addColumn<QString>("error");

        QByteArray all;
        for (int i = 0; i < 10; ++i)
            all += Cmd(DmxCommandNames.at(i).toLatin1(), QByteArray::number(g_DmxCommandTable[i].uDefaultChannel));

        QTest::newRow("no Commands section") << QByteArray("<DMX_Mapping/>") << 0 << QString() << QString();
        QTest::newRow("all ten at default") << File(all) << 0 << kDefaultText << QString();
        QTest::newRow("eleven keys") << File(all + Cmd("Enable", "100")) << -21 << kDefaultText
                                     << "Invalid DMX commands in configuration file 'map.dmx' - Section 'Commands' - "
                                        "Key 'dmx_command' - More than 10 commands!";
        QTest::newRow("any order gives channel order")
            << File(Cmd("Gamma", "40") + Cmd("Enable", "300") + Cmd("Hue", "2")) << 0 << "5:2/1 8:40/3 1:300/1"
            << QString();
        QTest::newRow("channel 512") << File(Cmd("Enable", "512")) << 0 << "1:512/1" << QString();
        QTest::newRow("four channels ending at 512")
            << File(Cmd("Color Temperature", "509")) << 0 << "7:509/4" << QString();
        const QString qsBadChannel = QStringLiteral("Invalid DMX Command in configuration file 'map.dmx' - Section "
                                                    "'Commands' - Key 'dmx_command' - Channel is not valid (<1 or "
                                                    ">512)!");
        QTest::newRow("four channels past 512")
            << File(Cmd("Color Temperature", "510")) << -21 << kDefaultText << qsBadChannel;
        QTest::newRow("channel 513") << File(Cmd("Enable", "513")) << -21 << kDefaultText << qsBadChannel;
        QTest::newRow("channel 0") << File(Cmd("Enable", "0")) << -21 << kDefaultText << qsBadChannel;
        QTest::newRow("channel 65537") << File(Cmd("Enable", "65537")) << -21 << kDefaultText << qsBadChannel;
        QTest::newRow("lower-case name") << File(Cmd("Enable", "1") + Cmd("gamma", "11")) << -21 << kDefaultText
                                         << "Unknown DMX Command 'gamma' in configuration file 'map.dmx' - Section "
                                            "'Commands' - Key 'dmx_command'!";
        QTest::newRow("command twice") << File(Cmd("Hue", "1") + Cmd("Hue", "50")) << -22 << kDefaultText
                                       << "DMX Command 'Hue' in configuration file 'map.dmx' is defined several times "
                                          "- Section 'Commands' - Key 'dmx_command'!";
        QTest::newRow("channel and size")
            << File("<dmx_command channel='1' size='1'>Enable</dmx_command>") << -23 << kDefaultText
            << "Invalid DMX Command in configuration file 'map.dmx' - Section 'Commands' "
               "- Key 'dmx_command' - DMX Command requires 1 attribute!";
        QTest::newRow("good keys then a bad one")
            << File(Cmd("Enable", "100") + Cmd("Mode", "200") + Cmd("Hue", "x")) << -21 << kDefaultText << qsBadChannel;
        QTest::newRow("not XML") << QByteArray("Enable=1\nMode=2\n") << -20 << kDefaultText
                                 << "Invalid DMX mapping file - Not an XML document!";
        QTest::newRow("another root") << QByteArray("<ProjectConfig><Commands>") + Cmd("Enable", "9") +
                                             "</Commands></ProjectConfig>"
                                      << -20 << kDefaultText
                                      << "Invalid DMX mapping file 'map.dmx' - Root element 'DMX_Mapping' not found!";
    }
    void parse()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QString, error);
        WriteTestFile(QStringLiteral("map.dmx"), file);
        CDmxConf conf;
        conf.Open(QStringLiteral("map.dmx"));
        QCOMPARE(conf.Parse(), status);
        QList<DMX_Mapping_t> got = Mapping(QStringLiteral("3:100"));
        QCOMPARE(conf.GetCommands(got), 0);
        QTEST(Describe(got), "mapping");
        if (status == 0) {
            QCOMPARE(m_Sink.Errors().size(), 0);
            QCOMPARE(m_Trace.Errors(), QStringList());
        } else {
            QCOMPARE(m_Sink.Errors().last(), (QPair<QString, int>{"Failed to parse configuration file!", status}));
            QVERIFY2(m_Trace.Errors().contains(error), qPrintable(m_Trace.Errors().join('\n')));
        }
    }

    void overlapGivesBothReports()
    {
        WriteTestFile(QStringLiteral("map.dmx"), File(Cmd("Gamma", "11") + Cmd("Mode", "12")));
        CDmxConf conf;
        conf.Open(QStringLiteral("map.dmx"));
        QCOMPARE(conf.Parse(), -22);
        QCOMPARE(m_Sink.Errors(), (QList<QPair<QString, int>>{{"DMX channel is already used by command 8 - 'Gamma'", 0},
                                                              {"Failed to parse configuration file!", -22}}));
        QVERIFY(m_Trace.Errors().contains(QStringLiteral(
            "DMX Channel of Command 'Mode' in configuration file 'map.dmx' is already used by an other command - "
            "Section 'Commands' - Key 'dmx_command'!")));
        QList<DMX_Mapping_t> got;
        conf.GetCommands(got);
        QCOMPARE(Describe(got), kDefaultText);
    }

    // The file is written as the reader wants it and reads back to the same wire entries.
    void writeThenRead()
    {
        const QList<DMX_Mapping_t> list = Mapping(QStringLiteral("1:1 8:11 7:508 10:512"));
        CDmxConf out;
        QCOMPARE(out.SetCommands(list), 0);
        QCOMPARE(out.Write(), 0);
        QCOMPARE(out.Save(QStringLiteral("out.dmx")), 0);
        QCOMPARE(ReadTestFile(QStringLiteral("out.dmx")),
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<DMX_Mapping>\n"
                            "    <Commands>\n"
                            "        <dmx_command channel=\"1\">Enable</dmx_command>\n"
                            "        <dmx_command channel=\"11\">Gamma</dmx_command>\n"
                            "        <dmx_command channel=\"508\">Color Temperature</dmx_command>\n"
                            "        <dmx_command channel=\"512\">Launch Preset</dmx_command>\n"
                            "    </Commands>\n"
                            "</DMX_Mapping>\n"));
        QCOMPARE(QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("out.dmx")}),
                 0);
        CDmxConf in;
        QCOMPARE(in.Open(QStringLiteral("out.dmx")), 0);
        QCOMPARE(in.Parse(), 0);
        QList<DMX_Mapping_t> got;
        in.GetCommands(got);
        QCOMPARE(Wire(got), Wire(list));
        QCOMPARE(m_Sink.Errors().size(), 0);
    }

    // A mapping the reader would refuse is not written: the file must load again.
    void writeRefusesUnreadableMapping_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<int>("status");
        QTest::newRow("command 0") << QByteArray::fromHex("00010001") << -21;
        QTest::newRow("command 11") << QByteArray::fromHex("0b010001") << -21;
        QTest::newRow("channel 0") << QByteArray::fromHex("01000001") << -21;
        QTest::newRow("past 512") << QByteArray::fromHex("07fe0104") << -21;
        QTest::newRow("command twice") << QByteArray::fromHex("0101000101050001") << -22;
        QTest::newRow("overlap") << QByteArray::fromHex("0801000302020001") << -22;
    }
    void writeRefusesUnreadableMapping()
    {
        QFETCH(QByteArray, wire);
        QList<DMX_Mapping_t> list;
        for (int i = 0; i + 4 <= wire.size(); i += 4) {
            DMX_Mapping_t e;
            std::memcpy(&e, wire.constData() + i, 4);
            list.append(e);
        }
        CDmxConf conf;
        conf.SetCommands(Mapping(QStringLiteral("1:1")));
        QCOMPARE(conf.Write(), 0);
        conf.SetCommands(list);
        QTEST(conf.Write(), "status");
        QCOMPARE(m_Trace.Errors().size(), 1);
        // The document still holds the last good mapping.
        QCOMPARE(conf.Save(QStringLiteral("kept.dmx")), 0);
        CDmxConf in;
        in.Open(QStringLiteral("kept.dmx"));
        QCOMPARE(in.Parse(), 0);
        QList<DMX_Mapping_t> got;
        in.GetCommands(got);
        QCOMPARE(Describe(got), QStringLiteral("1:1/1"));
    }
};

QTEST_GUILESS_MAIN(TstDmxConf)
#include "tst_dmxconf.moc"
