// The XML base: section and key model, typed getters with their reports, file round trips,
// and the protection of files the program cannot parse or write.
#include "config/config.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "xmlcanon.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

class TestConf : public CConfig
{
public:
    explicit TestConf(const QString &qsRoot = QStringLiteral("Root")) { m_qsRootName = qsRoot; }
    ~TestConf() = default;
    int Parse() override { return 0; }
    int Write() override { return 0; }
    QDomDocument &Doc() { return m_Document; }
};

// Writes the XML to a file and opens it, as the program does.
int Load(TestConf &conf, const QByteArray &xml, const QString &qsName = QStringLiteral("test.xml"))
{
    WriteTestFile(qsName, xml);
    return conf.Open(qsName);
}

QStringList Texts(const QList<ConfigKey_t> &keys)
{
    QStringList out;
    for (const ConfigKey_t &k : keys)
        out.append(k.text);
    return out;
}

QStringList ChildTexts(const QDomElement &parent, const QString &qsTag)
{
    QStringList out;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        out.append(e.tagName() == qsTag ? e.text() : QLatin1Char('<') + e.tagName() + QLatin1Char('>'));
    return out;
}

} // namespace

class TstConfig : public QObject
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

    // The three walks over a section's keys: ReadKey (the one key's text), ReadKeys (the texts
    // joined by '|') and RemoveKeys (the document after). The selector is "attribute=value".
    void keyWalks_data()
    {
        QTest::addColumn<char>("walk");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, char walk, const char *xml, const char *sel, int status,
                            const char *result) {
            QTest::newRow(name) << walk << QByteArray(xml) << QString::fromUtf8(sel) << status
                                << QString::fromUtf8(result);
        };
        row("read: single key", 'r', "<Root><S><K a='1'>one</K></S></Root>", "", 0, "one");
        row("read: section twice", 'r', "<Root><S><K>one</K></S><S><K>two</K></S></Root>", "", -20, "");
        row("read: section missing", 'r', "<Root><T><K>one</K></T></Root>", "", -20, "");
        row("read: key missing", 'r', "<Root><S><L>one</L></S></Root>", "", -20, "");
        row("read: two keys, no selector", 'r', "<Root><S><K>one</K><K>two</K></S></Root>", "", -20, "");
        row("read: selector picks one", 'r', "<Root><S><K id='0'>one</K><K id='1'>two</K></S></Root>", "id=1", 0,
            "two");
        row("read: first key lacks selector, later matches", 'r', "<Root><S><K>one</K><K id='1'>two</K></S></Root>",
            "id=1", -1, "");
        row("read: selector matches twice", 'r', "<Root><S><K id='1'>one</K><K id='1'>two</K></S></Root>", "id=1", -20,
            "");
        row("read: selector matches none", 'r', "<Root><S><K id='0'>one</K></S></Root>", "id=1", -20, "");
        row("read: section and key at any depth", 'r', "<Root><G><S><H><K>deep</K></H></S></G></Root>", "", 0, "deep");

        row("reads: all keys in order", 's', "<Root><S><K>a</K><X>x</X><K>b</K></S></Root>", "", 0, "a|b");
        row("reads: section twice gives nothing", 's', "<Root><S><K>a</K></S><S><K>b</K></S></Root>", "", 0, "");
        row("reads: selector skips others", 's', "<Root><S><K t='x'>a</K><K t='y'>b</K><K t='x'>c</K></S></Root>",
            "t=x", 0, "a|c");
        row("reads: key without selector ends the walk", 's',
            "<Root><S><K t='x'>a</K><K>b</K><K t='x'>c</K></S></Root>", "t=x", -20, "a");

        row("remove: no selector removes every K and nothing else", 'd',
            "<Root><S><K>a</K><L>l</L><K>b</K></S><K>out</K></Root>", "", 0, "<Root><S><L>l</L></S><K>out</K></Root>");
        row("remove: selector removes matches only", 'd', "<Root><S><K t='x'>a</K><K t='y'>b</K></S></Root>", "t=x", 0,
            "<Root><S><K t=\"y\">b</K></S></Root>");
        row("remove: key without selector ends the walk", 'd',
            "<Root><S><K t='x'>a</K><K>b</K><K t='x'>c</K></S></Root>", "t=x", -1,
            "<Root><S><K>b</K><K t=\"x\">c</K></S></Root>");
        row("remove: nested keys are taken from their own parent", 'd',
            "<Root><S><G><K>a</K></G><K>b<K>c</K></K></S></Root>", "", 0, "<Root><S><G/></S></Root>");
    }
    void keyWalks()
    {
        QFETCH(char, walk);
        QFETCH(QByteArray, xml);
        QFETCH(QString, selector);
        QFETCH(int, status);
        QFETCH(QString, result);
        const QString qsAttr = selector.section(QLatin1Char('='), 0, 0);
        const QString qsValue = selector.section(QLatin1Char('='), 1);
        const QString s = QStringLiteral("S"), k = QStringLiteral("K");
        TestConf conf;
        Load(conf, xml);
        if (walk == 'r') {
            ConfigKey_t key;
            key.attributes.append({QStringLiteral("stale"), QStringLiteral("x")});
            QCOMPARE(conf.ReadKey(s, k, qsAttr, qsValue, key), status);
            if (status == 0) {
                QCOMPARE(key.text, result);
                for (const ConfigAttr_t &a : key.attributes)
                    QVERIFY(a.name != QLatin1String("stale"));
            } else {
                QVERIFY(key.attributes.isEmpty());
            }
        } else if (walk == 's') {
            QList<ConfigKey_t> keys{ConfigKey_t{{}, QStringLiteral("stale")}};
            QCOMPARE(conf.ReadKeys(s, k, qsAttr, qsValue, keys), status);
            QCOMPARE(Texts(keys).join(QLatin1Char('|')), result);
        } else {
            QCOMPARE(conf.RemoveKeys(s, k, qsAttr, qsValue), status);
            QCOMPARE(conf.Doc().toString(-1), result);
        }
        QVERIFY(m_Sink.Errors().isEmpty());
    }

    // Each key of a list with its own attributes, whether its names are the previous key's or not.
    void readKeysAttributes()
    {
        TestConf conf;
        Load(conf, "<Root><S><K a='1' b='2'/><K b='3' a='4'/><K a='5' c='6'/><K a='7'/><K c='8' a='9'/></S></Root>");
        QList<ConfigKey_t> keys;
        QCOMPARE(conf.ReadKeys(QStringLiteral("S"), QStringLiteral("K"), QString(), QString(), keys), 0);
        QStringList lKeys;
        for (const ConfigKey_t &k : keys) {
            QStringList lAttrs;
            for (const ConfigAttr_t &a : k.attributes)
                lAttrs.append(a.name + QLatin1Char('=') + a.value);
            lAttrs.sort();
            lKeys.append(lAttrs.join(QLatin1Char(',')));
        }
        QCOMPARE(lKeys, (QStringList{"a=1,b=2", "a=4,b=3", "a=5,c=6", "a=7", "a=9,c=8"}));
    }

    void writeKeys()
    {
        TestConf conf;
        Load(conf, "<Root><A/><B/></Root>");
        const QList<ConfigKey_t> keys{{{{"id", "0"}, {"z", "9"}}, "first"}, {{{"id", "1"}}, "second"}};
        QCOMPARE(conf.WriteKeys(QStringLiteral("S"), QStringLiteral("K"), keys), 0);
        const QDomElement root = conf.Doc().documentElement();
        QCOMPARE(ChildTexts(root, QStringLiteral("S")), (QStringList{"<A>", "<B>", "firstsecond"}));
        const QDomElement first = root.lastChildElement().firstChildElement();
        QCOMPARE(first.attribute(QStringLiteral("id")), QStringLiteral("0"));
        QCOMPARE(first.attribute(QStringLiteral("z")), QStringLiteral("9"));

        // Existing keys stay: writing the same list again doubles it.
        QCOMPARE(conf.WriteKeys(QStringLiteral("S"), QStringLiteral("K"), keys), 0);
        QCOMPARE(ChildTexts(root.lastChildElement(), QStringLiteral("K")),
                 (QStringList{"first", "second", "first", "second"}));

        // A section found twice is refused, the document left as it was.
        Load(conf, "<Root><S/><G><S/></G></Root>");
        const QString qsBefore = conf.Doc().toString();
        QCOMPARE(conf.WriteKeys(QStringLiteral("S"), QStringLiteral("K"), keys), -20);
        QCOMPARE(conf.Doc().toString(), qsBefore);
    }

    // kind: u unsigned, i int, f float, s string. A null text means the attribute is missing;
    // a refused value leaves the fallback 7.
    void getters_data()
    {
        QTest::addColumn<char>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("check");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString qsHead = QStringLiteral("Invalid configuration file 'f.xml'! (Section='Sec' - Key='Key' - "
                                              "Attr='Att') - ");
        const auto row = [](const char *name, char kind, const QString &text, int base, bool check, double min,
                            double max, int status, const char *value, const QString &message = QString()) {
            QTest::newRow(name) << kind << text << base << check << min << max << status << QString::fromUtf8(value)
                                << message;
        };
        row("uint hex with 0x", 'u', "0x1F", 16, false, 0, 0, 0, "31");
        row("uint hex max", 'u', "FFFFFFFF", 16, false, 0, 0, 0, "4294967295");
        row("uint overflow", 'u', "100000000", 16, false, 0, 0, -21, "7",
            qsHead + "'100000000' is not a valid unsigned int value in base 16!");
        row("uint negative", 'u', "-1", 10, false, 0, 0, -21, "7",
            qsHead + "'-1' is not a valid unsigned int value in base 10!");
        row("uint lower bound", 'u', "2", 10, true, 2, 5, 0, "2");
        row("uint upper bound", 'u', "5", 10, true, 2, 5, 0, "5");
        row("uint above", 'u', "6", 10, true, 2, 5, -21, "7", qsHead + "'6' is not in range [2;5]!");
        row("uint missing", 'u', QString(), 10, false, 0, 0, -21, "7",
            "Invalid configuration file 'f.xml'! (Section='Sec' - Key='Key') - Attribute 'Att' is missing!");
        row("int negative in range", 'i', "-3", 10, true, -3, 4, 0, "-3");
        row("int above range", 'i', "5", 10, true, 0, 4, -21, "7", qsHead + "'5' is not in range [0;4]!");
        row("int range check off", 'i', "5", 10, false, 0, 4, 0, "5");
        row("int hex refused", 'i', "0x10", 10, false, 0, 0, -21, "7", qsHead + "'0x10' is not a valid int value!");
        row("float upper bound", 'f', "3.3", 0, true, 0, 3.3, 0, "3.3");
        row("float above", 'f', "3.31", 0, true, 0, 3.3, -21, "7", qsHead + "'3.31' is not in range [0;3.3]!");
        row("float nan", 'f', "nan", 0, false, 0, 0, -21, "7", qsHead + "'nan' is not a valid float value!");
        row("string empty", 's', "", 0, true, 1, 32, -21, "7", qsHead + "'' size is not in range [1;32]!");
        row("string length 33", 's', QString(33, 'x'), 0, true, 1, 32, -21, "7",
            qsHead + "'" + QString(33, 'x') + "' size is not in range [1;32]!");
        row("string no check", 's', "", 0, false, 1, 32, 0, "");
        row("placeholders in the value stay", 'i', "%1%2", 10, false, 0, 0, -21, "7",
            qsHead + "'%1%2' is not a valid int value!");
    }
    void getters()
    {
        QFETCH(char, kind);
        QFETCH(QString, text);
        QFETCH(int, base);
        QFETCH(bool, check);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QString, message);

        QList<ConfigAttr_t> attrs{{QStringLiteral("Other"), QStringLiteral("1")}};
        if (!text.isNull())
            attrs.append({QStringLiteral("Att"), text});
        const QString f = QStringLiteral("f.xml"), s = QStringLiteral("Sec"), k = QStringLiteral("Key"),
                      a = QStringLiteral("Att");
        int iStatus = 0;
        QString qsGot;
        if (kind == 'u') {
            unsigned int u = 1;
            iStatus = CConfig::GetAttrUInt(f, s, k, a, attrs, base, &u, 7, check, uint(min), uint(max));
            qsGot = QString::number(u);
        } else if (kind == 'i') {
            int i = 1;
            iStatus = CConfig::GetAttrInt(f, s, k, a, attrs, &i, 7, check, int(min), int(max));
            qsGot = QString::number(i);
        } else if (kind == 'f') {
            float v = 1;
            iStatus = CConfig::GetAttrFloat(f, s, k, a, attrs, &v, 7, check, float(min), float(max));
            qsGot = QString::number(v);
        } else {
            QString v = QStringLiteral("1");
            iStatus = CConfig::GetAttrString(f, s, k, a, attrs, &v, QStringLiteral("7"), check, int(min), int(max));
            qsGot = v;
        }
        QTEST(iStatus, "status");
        QTEST(qsGot, "value");
        if (message.isEmpty()) {
            QVERIFY(m_Sink.Errors().isEmpty());
        } else {
            QCOMPARE(m_Sink.Errors().size(), 1);
            QCOMPARE(m_Sink.Errors().first().first, message);
            QCOMPARE(m_Sink.Errors().first().second, -21);
        }
    }

    void fileDirNeedsAFolder()
    {
        TestConf conf;
        QString qsOut = QStringLiteral("x");
        QCOMPARE(conf.GetFileDir(qsOut), -4);
        const QString qsPath = m_Env.FilePath(QStringLiteral("x/y.prj"));
        QCOMPARE(Load(conf, "<Root/>", qsPath), 0);
        QCOMPARE(conf.GetFileDir(qsOut), 0);
        QCOMPARE(qsOut, m_Env.FilePath(QStringLiteral("x")));
        QCOMPARE(Load(conf, "<Root/>", QStringLiteral("y.prj")), 0);
        QCOMPARE(conf.GetFileDir(qsOut), -4);
        QVERIFY(qsOut.isEmpty());
    }

    void makeRelativePath_data()
    {
        const QString qsApp = QCoreApplication::applicationDirPath();
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inside") << qsApp + "/Projects/a.prj"
                                << "Projects/a.prj";
        QTest::newRow("the directory itself") << qsApp << qsApp;
        QTest::newRow("the directory and its slash") << qsApp + "/" << qsApp + "/";
        QTest::newRow("in the middle") << "/mnt/copy" + qsApp + "/a.prj"
                                       << "/mnt/copy" + qsApp + "/a.prj";
        QTest::newRow("sibling sharing the prefix") << qsApp + "2/a.prj" << qsApp + "2/a.prj";
        QTest::newRow("relative") << "Projects/a.prj"
                                  << "Projects/a.prj";
    }
    void makeRelativePath()
    {
        QFETCH(QString, path);
        CConfig::MakeRelativePath(path);
        QTEST(path, "expected");
    }

    void saveOpenRoundTrip()
    {
        TestConf conf;
        QCOMPARE(Load(conf, "<?xml version=\"1.0\"?>\n<Root><S><K a=\"&lt;&quot;\">t &amp; u &gt; v</K><L/></S><T>x</T>"
                            "</Root>"),
                 0);
        QCOMPARE(conf.Save(QStringLiteral("out.xml")), 0);
        const QByteArray saved = ReadTestFile(QStringLiteral("out.xml"));
        QCOMPARE(saved, QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<Root>\n"
                                   "    <S>\n"
                                   "        <K a=\"&lt;&quot;\">t &amp; u > v</K>\n"
                                   "        <L/>\n"
                                   "    </S>\n"
                                   "    <T>x</T>\n"
                                   "</Root>\n"));
        TestConf again;
        QCOMPARE(again.Open(QStringLiteral("out.xml")), 0);
        QCOMPARE(CanonicalXml(again.Doc().documentElement()), CanonicalXml(conf.Doc().documentElement()));
        QCOMPARE(again.Save(QStringLiteral("out2.xml")), 0);
        QCOMPARE(ReadTestFile(QStringLiteral("out2.xml")), saved);
        QCOMPARE(QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("out.xml")}),
                 0);
    }

    // A file declared in another encoding is read in that encoding and must come back as
    // UTF-8 under a UTF-8 declaration, not as UTF-8 bytes under the old declaration.
    void saveWritesUtf8Declaration_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::newRow("latin-1 declared") << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                                                        "<Root><K>caf\xe9</K></Root>");
        QTest::newRow("utf-8 declared") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                                      "<Root><K>caf\xc3\xa9</K></Root>");
        QTest::newRow("no declaration") << QByteArray("<Root><K>caf\xc3\xa9</K></Root>");
    }
    void saveWritesUtf8Declaration()
    {
        QFETCH(QByteArray, xml);
        TestConf conf;
        QCOMPARE(Load(conf, xml), 0);
        const QString qsCafe = QStringLiteral("caf\u00e9");
        QCOMPARE(conf.Doc().documentElement().text(), qsCafe);
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(conf.Save(QStringLiteral("out.xml")), 0);
            const QByteArray saved = ReadTestFile(QStringLiteral("out.xml"));
            QVERIFY2(saved.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root>"), saved.constData());
            QVERIFY(saved.contains("<K>caf\xc3\xa9</K>"));
            QCOMPARE(conf.Open(QStringLiteral("out.xml")), 0);
            QCOMPARE(conf.Doc().documentElement().text(), qsCafe);
        }
    }

    void openMissingFile()
    {
        TestConf conf;
        QCOMPARE(Load(conf, "<Root><S/></Root>"), 0);
        QCOMPARE(conf.Open(QStringLiteral("nothing.xml")), -10);
        QCOMPARE(m_Sink.Errors(), (QList<QPair<QString, int>>{{"Can't open file : nothing.xml", 0}}));
        QString qsName;
        conf.GetFileName(qsName);
        QCOMPARE(qsName, QStringLiteral("test.xml"));
        QVERIFY(conf.HasRoot());
    }

    // A damaged file is reported with its position and never replaced by what the program
    // could make of it; once the program rebuilds the document itself it may save again.
    void brokenFileIsNotWrittenOver()
    {
        const QByteArray broken("<Root>\n  <S><K>one</K>\n  <T>\n</Root>\n");
        WriteTestFile(QStringLiteral("broken.xml"), broken);
        TestConf conf;
        QCOMPARE(conf.Open(QStringLiteral("broken.xml")), -20);
        QVERIFY(!conf.HasRoot());
        QCOMPARE(m_Trace.Errors().size(), 1);
        QVERIFY2(m_Trace.Errors().first().startsWith("XML error in file 'broken.xml' at line 4, column"),
                 qPrintable(m_Trace.Errors().first()));
        QString qsName;
        QCOMPARE(conf.GetFileName(qsName), -4);

        conf.CreateRoot();
        QCOMPARE(conf.WriteKeys(QStringLiteral("S"), QStringLiteral("K"), {{{}, "new"}}), 0);
        m_Trace.Reset();
        QCOMPARE(conf.Save(QStringLiteral("broken.xml")), -13);
        QCOMPARE(m_Trace.Errors().size(), 1);
        QCOMPARE(ReadTestFile(QStringLiteral("broken.xml")), broken);

        conf.Clear();
        conf.CreateRoot();
        QCOMPARE(conf.Save(QStringLiteral("broken.xml")), 0);
        QCOMPARE(ReadTestFile(QStringLiteral("broken.xml")),
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root/>\n"));
    }

    void saveFailureIsTraced_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << "no/such/folder/out.xml";
        QTest::newRow("a folder") << ".";
    }
    void saveFailureIsTraced()
    {
        QFETCH(QString, path);
        TestConf conf;
        Load(conf, "<Root/>");
        QCOMPARE(conf.Save(path), -13);
        QCOMPARE(m_Trace.Errors().size(), 1);
        QVERIFY2(m_Trace.Errors().first().contains(path), qPrintable(m_Trace.Errors().first()));
    }

    // A writer that fails half-way leaves the file as it was: a partial file is never saved.
    void failedWriteKeepsTheOldFile()
    {
        QVERIFY(WriteTestFile(QStringLiteral("kept.xml"), "<Old/>\n"));
        const int iStatus = CConfig::WriteFileSafely(QStringLiteral("kept.xml"), [](QIODevice &device) {
            device.write("<Ne");
            return false;
        });
        QCOMPARE(iStatus, -13);
        QCOMPARE(ReadTestFile(QStringLiteral("kept.xml")), QByteArray("<Old/>\n"));
        QCOMPARE(m_Trace.Errors().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TstConfig)
#include "tst_config.moc"
