// Start-up's configuration steps, as the user meets them before any window exists.

#include "config/softconf.h"
#include "mainwindow/startup.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"

#include <QFileInfo>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void boxesBeforeAnyWindow_data()
    {
        QTest::addColumn<QByteArray>("baFile");
        QTest::addColumn<int>("iIcon");
        QTest::addColumn<QString>("qsText");
        QTest::addColumn<QString>("qsDetail"); // its start
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<Lantrel>\n  <General>\n    <Tra")
                                   << int(Prompts::BOX_CRITICAL) << "The configuration file '%1' cannot be read!"
                                   << "Not well-formed XML at line 4, column 8";
        QTest::newRow("badly tiled type")
            << QByteArray(
                   "<Lantrel><Fixtures><Fixture width=\"64\" height=\"64\" type=\"1\" manufacturer=\"1\" "
                   "Tile1=\"56,56,8,8\" Tile2=\"0,0,8,8\" Tile3=\"0,0,8,8\" Tile4=\"0,0,8,8\" SensorIdCh0=\"NC\" "
                   "SensorIdCh1=\"NC\" SensorIdCh2=\"NC\" SensorIdCh3=\"NC\">Offset</Fixture></Fixtures></Lantrel>")
            << int(Prompts::BOX_WARNING) << "Fixture's Tiles may be badly configured!"
            << "There is no tiles configured to display the top-left corner pixel(s) of VPU video output!";
    }
    void boxesBeforeAnyWindow()
    {
        QFETCH(QByteArray, baFile);
        QFETCH(int, iIcon);
        QFETCH(QString, qsText);
        QFETCH(QString, qsDetail);
        TestEnv env;
        ScriptedPrompts prompts;
        QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), baFile));
        ParseApplicationConfig(QStringLiteral("Lantrel.xml"), OpenApplicationConfig(QStringLiteral("Lantrel.xml")));

        const QList<PromptCall_t> lBoxes = prompts.Messages();
        QCOMPARE(lBoxes.size(), 1);
        QCOMPARE(lBoxes[0].iIcon, iIcon);
        QVERIFY(!lBoxes[0].pParent);
        QCOMPARE(lBoxes[0].qsText, qsText.arg(QFileInfo(QStringLiteral("Lantrel.xml")).absoluteFilePath()));
        QVERIFY2(lBoxes[0].qsDetail.startsWith(qsDetail), qPrintable(lBoxes[0].qsDetail));
        // A broken file: tracing to the window only, and a history saved later leaves the file alone.
        int iEnabled = 0, iSave = 1;
        unsigned int uSize = 0;
        g_SoftConf.GetTracesSettings(&iEnabled, &iSave, &uSize);
        g_SoftConf.UpdateLastEthIPs({QStringLiteral("10.0.0.1")});
        const bool bBroken = iIcon == Prompts::BOX_CRITICAL;
        QVERIFY(!bBroken || (iEnabled == 1 && iSave == 0));
        QCOMPARE(g_SoftConf.Save(QStringLiteral("Lantrel.xml")) != 0, bBroken);
        QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")) == baFile, bBroken);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
