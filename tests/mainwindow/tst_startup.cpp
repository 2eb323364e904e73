// Start-up's configuration steps, as the user meets them before any window exists.

#include "config/softconf.h"
#include "mainwindow/startup.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QFileInfo>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void boxesBeforeAnyWindow_data()
    {
        QTest::addColumn<QByteArray>("baFile");
        QTest::addColumn<int>("iIcon"); // -1: no box
        QTest::addColumn<QString>("qsText");
        QTest::addColumn<QString>("qsDetail"); // its start
        const QString qsBroken = QStringLiteral("The configuration file '%1' cannot be read!");
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<Lantrel>\n    <General>\n        <Tra")
                                   << int(Prompts::BOX_CRITICAL) << qsBroken
                                   << "Not well-formed XML at line 4, column 12";
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml") << int(Prompts::BOX_CRITICAL) << qsBroken
                                 << "Not well-formed XML at line 1, column 1";
        QTest::newRow("badly tiled type")
            << QByteArray("<Lantrel><General><Traces>yes</Traces></General><Fixtures><Fixture width=\"64\" "
                          "height=\"64\" type=\"1\" manufacturer=\"1\" Tile1=\"56,56,8,8\" Tile2=\"0,0,8,8\" "
                          "Tile3=\"0,0,8,8\" Tile4=\"0,0,8,8\" SensorIdCh0=\"NC\" SensorIdCh1=\"NC\" "
                          "SensorIdCh2=\"NC\" SensorIdCh3=\"NC\">Offset</Fixture></Fixtures></Lantrel>")
            << int(Prompts::BOX_WARNING) << "Fixture's Tiles may be badly configured!"
            << "There is no tiles configured to display the top-left corner pixel(s) of VPU video output!";
        QTest::newRow("shipped") << ReadTestFile(qEnvironmentVariable("LANTREL_SOURCE_DIR") + "/resources/Lantrel.xml")
                                 << -1 << QString() << QString();
    }
    void boxesBeforeAnyWindow()
    {
        QFETCH(QByteArray, baFile);
        QFETCH(int, iIcon);
        QFETCH(QString, qsText);
        QFETCH(QString, qsDetail);
        TestEnv env;
        TraceCollector trace;
        ScriptedPrompts prompts;
        QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), baFile));
        const int iOpen = OpenApplicationConfig(QStringLiteral("Lantrel.xml"));
        int iEnabled = 0, iSave = 1;
        TraceInitialize(&iEnabled);
        trace.Reset();
        ParseApplicationConfig(QStringLiteral("Lantrel.xml"), iOpen);

        const QList<PromptCall_t> lBoxes = prompts.Messages();
        QCOMPARE(lBoxes.size(), iIcon < 0 ? 0 : 1);
        if (iIcon < 0) {
            QCOMPARE(trace.Errors(), QStringList());
            QString qsLogo, qsInfo, qsCodec;
            g_SoftConf.GetWelcomePage(qsLogo, qsInfo, qsCodec);
            QVERIFY(!QImage(qsLogo).isNull() && QFile(qsInfo).size() > 0);
            return;
        }
        QCOMPARE(lBoxes[0].iIcon, iIcon);
        QVERIFY(!lBoxes[0].pParent);
        QCOMPARE(lBoxes[0].qsText, qsText.arg(QFileInfo(QStringLiteral("Lantrel.xml")).absoluteFilePath()));
        QVERIFY2(lBoxes[0].qsDetail.startsWith(qsDetail), qPrintable(lBoxes[0].qsDetail));
        if (iIcon != Prompts::BOX_CRITICAL)
            return;
        // The run goes on tracing to the window only, and a history saved later leaves the file alone.
        unsigned int uSize = 0;
        g_SoftConf.GetTracesSettings(&iEnabled, &iSave, &uSize);
        QVERIFY(iEnabled == 1 && iSave == 0);
        g_SoftConf.UpdateLastEthIPs({QStringLiteral("10.0.0.1")});
        QVERIFY(g_SoftConf.Save(QStringLiteral("Lantrel.xml")) != 0);
        QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")), baFile);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
