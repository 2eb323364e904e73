// The trace log's files: names, line format, roll-over and concurrent writers. The cases run
// in order on the one global configuration, from tracing off to tracing with saving.
#include "config/softconf.h"
#include "support/testenv.h"
#include "trace/trace.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

namespace {

class Collector : public CTraceReceiver
{
public:
    void PostTraceMessage(int iKind, const QString &qsText) override
    {
        QMutexLocker lock(&m_Mutex);
        m_Lines.append({iKind, qsText});
    }
    QList<QPair<int, QString>> Lines()
    {
        QMutexLocker lock(&m_Mutex);
        return m_Lines;
    }

private:
    QMutex m_Mutex;
    QList<QPair<int, QString>> m_Lines;
};

void LoadSettings(const QString &qsTraces)
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel><General>" + qsTraces.toUtf8() + "</General></Lantrel>\n";
    QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), xml));
    QCOMPARE(g_SoftConf.Open(QStringLiteral("Lantrel.xml")), 0);
    g_SoftConf.ReadTracesSettings();
}

// Loads the settings and starts the log as start-up does: whether tracing is on, -1 if the start failed.
int StartTracing(const QString &qsTraces)
{
    LoadSettings(qsTraces);
    int iEnabled = -1;
    return TraceInitialize(&iEnabled) == 1 ? iEnabled : -1;
}

QStringList LogLines(const QString &qsFile)
{
    QString text = QString::fromUtf8(ReadTestFile(qsFile));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestTrace : public QObject
{
    Q_OBJECT
private slots:
    void disabledCreatesNothing();
    void windowOnlyWithoutSave();
    void fileNameAndLineFormat();
    void rollOverAtExactLimit();
    void zeroLimitNeverRolls();
    void fourThreadsLoseNoLine();
    void stripControlChars();
    void errorReportWithoutMainWindowIsTraced();
};

void TestTrace::disabledCreatesNothing()
{
    TestEnv env;
    Collector collector;
    TraceSetReceiver(&collector);
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\">no</Traces>")), 0);
    TraceInfo("nobody sees %s", "this");
    TraceError("nor this");
    TraceSetReceiver(nullptr);
    QVERIFY(!QDir(QStringLiteral("Traces")).exists());
    QVERIFY(collector.Lines().isEmpty());
}

void TestTrace::windowOnlyWithoutSave()
{
    TestEnv env;
    Collector collector;
    TraceSetReceiver(&collector);
    QCOMPARE(StartTracing(QStringLiteral("<Traces>yes</Traces>")), 1);
    TraceSuccess("done %d", 7);
    const QString qsLong(5000, QLatin1Char('x'));
    TraceError("%s", qsLong.toUtf8().constData());
    TraceSetReceiver(nullptr);

    const auto lines = collector.Lines();
    QCOMPARE(lines.size(), 2);
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d - done 7$"));
    QCOMPARE(lines[0].first, int(TRACE_KIND_SUCCESS));
    QVERIFY2(stamp.match(lines[0].second).hasMatch(), qPrintable(lines[0].second));
    // The window line is cut; the file line (below) is not.
    QCOMPARE(lines[1].first, int(TRACE_KIND_ERROR));
    QCOMPARE(lines[1].second.size(), 4095);
    // Saving is off: the folder may exist (tracing is on) but holds no file.
    QVERIFY(QDir(QStringLiteral("Traces")).entryList(QDir::Files).isEmpty());
}

void TestTrace::fileNameAndLineFormat()
{
    TestEnv env;
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"1\">yes</Traces>")), 1);
    TraceInfo("'%s - V%s' is running...", "Lantrel", "1.0.0");
    TraceError("Can't open %s", "caf\xc3\xa9.prj");
    const QString qsLong(5000, QLatin1Char('y'));
    TraceInfo("%s", qsLong.toUtf8().constData());

    const QString qsFile = TraceCurrentFileName();
    QVERIFY2(QRegularExpression(QStringLiteral("^Traces//Lantrel_\\d{8}_\\d{6}_0\\.log$")).match(qsFile).hasMatch(),
             qPrintable(qsFile));
    const QStringList lines = LogLines(qsFile);
    QCOMPARE(lines.size(), 3);
    static const QRegularExpression info(QStringLiteral(
        "^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d \\[Info\\] - 'Lantrel - V1\\.0\\.0' is running\\.\\.\\.$"));
    QVERIFY2(info.match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QVERIFY(lines[1].contains(QStringLiteral("[Error] - Can't open caf\u00e9.prj")));
    QVERIFY(lines[2].endsWith(qsLong));
}

void TestTrace::rollOverAtExactLimit()
{
    TestEnv env;
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"1\">yes</Traces>")), 1);
    const QString qsFirst = TraceCurrentFileName();
    QVERIFY(qsFirst.endsWith(QStringLiteral("_0.log")));

    // One byte short of the limit: the line still goes to the first file.
    QVERIFY(WriteTestFile(qsFirst, QByteArray(1048575, 'a')));
    TraceInfo("still first");
    QCOMPARE(TraceCurrentFileName(), qsFirst);
    QVERIFY(ReadTestFile(qsFirst).endsWith("still first\n"));

    // At or past the limit: the next line opens the next index; the full file is left as it was.
    const QByteArray full = ReadTestFile(qsFirst);
    TraceInfo("second file");
    const QString qsSecond = TraceCurrentFileName();
    QVERIFY(qsSecond.endsWith(QStringLiteral("_1.log")));
    QCOMPARE(ReadTestFile(qsFirst), full);
    QCOMPARE(LogLines(qsSecond).size(), 1);

    // A file already at the next index (another run of the same second) is appended to, not truncated.
    const QString qsThird = qsSecond.left(qsSecond.size() - 6) + QStringLiteral("_2.log");
    QVERIFY(WriteTestFile(qsThird, "earlier run\n"));
    QVERIFY(WriteTestFile(qsSecond, QByteArray(1048576, 'b')));
    TraceInfo("third file");
    QCOMPARE(TraceCurrentFileName(), qsThird);
    const QStringList third = LogLines(qsThird);
    QCOMPARE(third.size(), 2);
    QCOMPARE(third[0], QStringLiteral("earlier run"));
}

void TestTrace::zeroLimitNeverRolls()
{
    TestEnv env;
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"0\">yes</Traces>")), 1);
    const QString qsFirst = TraceCurrentFileName();
    QVERIFY(WriteTestFile(qsFirst, QByteArray(3 << 20, 'c')));
    TraceInfo("no roll");
    QCOMPARE(TraceCurrentFileName(), qsFirst);
    QVERIFY(ReadTestFile(qsFirst).endsWith("no roll\n"));
    // A second run of the same second starts a file of its own; a second boundary only retries.
    QString qsRun = qsFirst, qsNext;
    for (;;) {
        QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"0\">yes</Traces>")), 1);
        qsNext = TraceCurrentFileName();
        if (qsNext.chopped(6) == qsRun.chopped(6))
            break;
        qsRun = qsNext;
        TraceInfo("run");
    }
    QCOMPARE(qsNext, qsRun.chopped(6) + QStringLiteral("_1.log"));

    // 4096 MB must not wrap to 0 ("no limit") nor to a tiny limit.
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"4096\">yes</Traces>")), 1);
    const QString qsBig = TraceCurrentFileName();
    QVERIFY(WriteTestFile(qsBig, QByteArray(2 << 20, 'd')));
    TraceInfo("big limit");
    QCOMPARE(TraceCurrentFileName(), qsBig);
}

void TestTrace::fourThreadsLoseNoLine()
{
    TestEnv env;
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"1\">yes</Traces>")), 1);
    Collector collector;
    TraceSetReceiver(&collector);
    constexpr int kThreads = 4, kLines = 400;
    QList<QThread *> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.append(QThread::create([t] {
            for (int i = 0; i < kLines; ++i)
                TraceInfo("thread %d line %d %s", t, i, "padding-padding-padding-padding-padding");
        }));
        threads.last()->start();
    }
    for (QThread *p : threads) {
        QVERIFY(p->wait(60000));
        delete p;
    }
    TraceSetReceiver(nullptr);
    QCOMPARE(collector.Lines().size(), kThreads * kLines);

    const QStringList lines = LogLines(TraceCurrentFileName());
    QCOMPARE(lines.size(), kThreads * kLines);
    static const QRegularExpression whole(
        QStringLiteral("^\\S+ \\S+ \\[Info\\] - thread (\\d) line (\\d+) padding-padding-padding-padding-padding$"));
    QSet<QString> seen;
    for (const QString &line : lines) {
        const auto m = whole.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        seen.insert(m.captured(1) + QLatin1Char(':') + m.captured(2));
    }
    QCOMPARE(seen.size(), kThreads * kLines);
}

void TestTrace::stripControlChars()
{
    const QString qsIn = QStringLiteral("\x1b[1;31mred\x1b[0m text\\ with\r\n end\x1b[K");
    QCOMPARE(TraceStripControlChars(qsIn), QStringLiteral("red text with end"));
}

void TestTrace::errorReportWithoutMainWindowIsTraced()
{
    TestEnv env;
    QCOMPARE(StartTracing(QStringLiteral("<Traces save=\"yes\" fileSizeMB=\"1\">yes</Traces>")), 1);
    ErrorMsg(QStringLiteral("Failed to load Trace settings in configuration file!"), -21);
    QVERIFY(LogLines(TraceCurrentFileName())
                .last()
                .endsWith(QStringLiteral("[Error] - Failed to load Trace settings in configuration file! "
                                         "(Error Code = -21)")));
}

QTEST_GUILESS_MAIN(TestTrace)
#include "tst_trace.moc"
