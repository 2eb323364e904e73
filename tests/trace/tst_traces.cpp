// The trace window as the user sees it: colours, escaped text, the 3000-line bound, lines
// from worker threads, and its geometry kept between runs.
#include "support/testenv.h"
#include "trace/traces.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QThread>

class TestTraces : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
        QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    }
    void coloursAndEscaping_data();
    void coloursAndEscaping();
    void emptiedPastMaximum();
    void workerLinesArriveOnGuiThread();
    void clearCloseAndUnknownKind();
    void geometryRoundTrip();
};

void TestTraces::coloursAndEscaping_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("colour");
    QTest::newRow("info") << int(TRACE_KIND_INFO) << QStringLiteral("#000000");
    QTest::newRow("success") << int(TRACE_KIND_SUCCESS) << QStringLiteral("#3f7f5f");
    QTest::newRow("error") << int(TRACE_KIND_ERROR) << QStringLiteral("#ff0000");
}

void TestTraces::coloursAndEscaping()
{
    QFETCH(int, kind);
    QFETCH(QString, colour);
    TestEnv env;
    Traces window;
    window.PostTraceMessage(kind, QStringLiteral("01/02/2026 10:00:00 - open <a&b>.prj"));
    QCoreApplication::sendPostedEvents(&window);
    QCOMPARE(window.Browser()->toPlainText(), QStringLiteral("01/02/2026 10:00:00 - open <a&b>.prj"));
    QVERIFY2(window.Browser()->toHtml().contains(colour, Qt::CaseInsensitive), qPrintable(window.Browser()->toHtml()));
}

void TestTraces::emptiedPastMaximum()
{
    TestEnv env;
    Traces window;
    for (int i = 0; i < 3002; ++i)
        window.PostTraceMessage(TRACE_KIND_INFO, QStringLiteral("line %1").arg(i));
    QCoreApplication::sendPostedEvents(&window);
    // 3001 lines were shown; the 3002nd found more than 3000 and started an empty window.
    QCOMPARE(window.Browser()->document()->blockCount(), 1);
    QCOMPARE(window.Browser()->toPlainText(), QStringLiteral("line 3001"));
}

void TestTraces::workerLinesArriveOnGuiThread()
{
    TestEnv env;
    Traces window;
    TraceSetReceiver(&window);
    QThread *pWorker = QThread::create([] {
        for (int i = 0; i < 50; ++i)
            TracesDispatch(TRACE_KIND_INFO, QStringLiteral("worker %1").arg(i));
    });
    pWorker->start();
    QVERIFY(pWorker->wait(10000));
    delete pWorker;
    TraceSetReceiver(nullptr);
    QTRY_COMPARE(window.Browser()->document()->blockCount(), 50);
    QVERIFY(window.Browser()->toPlainText().endsWith(QStringLiteral("worker 49")));
}

void TestTraces::clearCloseAndUnknownKind()
{
    TestEnv env;
    Traces window;
    window.show();
    window.PostTraceMessage(TRACE_KIND_INFO, QStringLiteral("a"));
    window.PostTraceMessage(TRACE_KIND_CLEAR, QString());
    QCoreApplication::sendPostedEvents(&window);
    QCOMPARE(window.Browser()->toPlainText(), QString());
    // A kind nobody defined shows as an error line instead of ending the program.
    window.PostTraceMessage(9, QStringLiteral("odd"));
    QCoreApplication::sendPostedEvents(&window);
    QVERIFY(window.Browser()->toPlainText().contains(QStringLiteral("odd")));
    QVERIFY(window.Browser()->toHtml().contains(QStringLiteral("#ff0000"), Qt::CaseInsensitive));
    window.PostTraceMessage(TRACE_KIND_CLOSE, QString());
    QCoreApplication::sendPostedEvents(&window);
    QVERIFY(!window.isVisible());
}

void TestTraces::geometryRoundTrip()
{
    TestEnv env;
    QByteArray saved;
    {
        Traces window;
        window.show();
        window.setGeometry(40, 50, 700, 300);
        window.close();
        saved = QSettings().value(QStringLiteral("Traces/geometry")).toByteArray();
    }
    QVERIFY(!saved.isEmpty());
    Traces again;
    QCOMPARE(again.size(), QSize(700, 300));
}

QTEST_MAIN(TestTraces)
#include "tst_traces.moc"
