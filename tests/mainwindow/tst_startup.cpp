// The configuration steps of start-up: a file that cannot be parsed, the shipped file, and the
// catalogue's warning, as the user meets them before any window exists.

#include "config/softconf.h"
#include "mainwindow/startup.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QFileInfo>
#include <QtTest>

namespace {

// Start-up as main runs it, once the file is in place; the trace lines from its start.
void StartUp(TraceCollector &trace)
{
    const int iOpen = OpenApplicationConfig(QStringLiteral("Lantrel.xml"));
    int iEnabled = 0;
    TraceInitialize(&iEnabled);
    QCOMPARE(iEnabled, 1);
    trace.Reset();
    TraceInfo("'%s - V%s' is running...", "Lantrel", "1.0.0");
    ParseApplicationConfig(QStringLiteral("Lantrel.xml"), iOpen);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void brokenFileIsShownAndKept_data()
    {
        QTest::addColumn<QByteArray>("baFile");
        QTest::addColumn<QString>("qsWhere");
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<Lantrel>\n    <General>\n        <Tra")
                                   << "line 4, column 12";
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml at all") << "line 1, column 1";
    }
    void brokenFileIsShownAndKept()
    {
        QFETCH(QByteArray, baFile);
        QFETCH(QString, qsWhere);
        TestEnv env;
        TraceCollector trace;
        ScriptedPrompts prompts;
        QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), baFile));
        StartUp(trace);

        const QList<PromptCall_t> lBoxes = prompts.Messages();
        QCOMPARE(lBoxes.size(), 1);
        QCOMPARE(lBoxes[0].iIcon, int(Prompts::BOX_CRITICAL));
        QVERIFY(!lBoxes[0].pParent);
        QCOMPARE(lBoxes[0].qsText, QStringLiteral("The configuration file '%1' cannot be read!")
                                       .arg(QFileInfo(QStringLiteral("Lantrel.xml")).absoluteFilePath()));
        QVERIFY2(lBoxes[0].qsDetail.startsWith(QStringLiteral("Not well-formed XML at ") + qsWhere),
                 qPrintable(lBoxes[0].qsDetail));
        // Tracing goes on in the window, not in files.
        int iEnabled = 0, iSave = 1;
        unsigned int uSize = 0;
        g_SoftConf.GetTracesSettings(&iEnabled, &iSave, &uSize);
        QCOMPARE(iEnabled, 1);
        QCOMPARE(iSave, 0);
        QVERIFY(trace.Contains(QStringLiteral("'Lantrel - V1.0.0' is running...")));
        // A history update later in the run leaves the file as the user wrote it.
        g_SoftConf.UpdateLastEthIPs({QStringLiteral("10.0.0.1")});
        QVERIFY(g_SoftConf.Save(QStringLiteral("Lantrel.xml")) != 0);
        QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")), baFile);
    }

    void shippedFileStartsClean()
    {
        TestEnv env;
        TraceCollector trace;
        ScriptedPrompts prompts;
        QFile::remove(QStringLiteral("Lantrel.xml"));
        QVERIFY(QFile::copy(qEnvironmentVariable("LANTREL_SOURCE_DIR") + "/resources/Lantrel.xml",
                            QStringLiteral("Lantrel.xml")));
        StartUp(trace);
        QCOMPARE(trace.Errors(), QStringList());
        QCOMPARE(prompts.Messages().size(), 0);
        QString qsLogo, qsInfo, qsCodec;
        g_SoftConf.GetWelcomePage(qsLogo, qsInfo, qsCodec);
        QVERIFY(!QImage(qsLogo).isNull());
        QFile info(qsInfo);
        QVERIFY(info.open(QIODevice::ReadOnly) && info.size() > 0);
    }

    void badlyTiledTypeIsShown()
    {
        TestEnv env;
        TraceCollector trace;
        ScriptedPrompts prompts;
        const QByteArray baFixture =
            "<Fixture width=\"64\" height=\"64\" type=\"0x00000001\" manufacturer=\"0x00000001\" "
            "Tile1=\"56,56,8,8\" Tile2=\"0,0,8,8\" Tile3=\"0,0,8,8\" Tile4=\"0,0,8,8\" SensorIdCh0=\"NC\" "
            "SensorIdCh1=\"NC\" SensorIdCh2=\"NC\" SensorIdCh3=\"NC\">Offset</Fixture>";
        QVERIFY(
            WriteTestFile(QStringLiteral("Lantrel.xml"), "<Lantrel><General><Traces>yes</Traces></General><Fixtures>" +
                                                             baFixture + "</Fixtures></Lantrel>"));
        StartUp(trace);
        const QList<PromptCall_t> lBoxes = prompts.Messages();
        QCOMPARE(lBoxes.size(), 1);
        QCOMPARE(lBoxes[0].iIcon, int(Prompts::BOX_WARNING));
        QVERIFY(!lBoxes[0].pParent);
        QCOMPARE(lBoxes[0].qsTitle, QStringLiteral("Warning"));
        QCOMPARE(lBoxes[0].qsText, QStringLiteral("Fixture's Tiles may be badly configured!"));
        QCOMPARE(lBoxes[0].qsDetail,
                 QStringLiteral("There is no tiles configured to display the top-left corner pixel(s) of VPU video "
                                "output!"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
