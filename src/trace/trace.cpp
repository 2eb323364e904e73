#include "trace.h"

#include "config/softconf.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr int kMaxLine = 4095;
constexpr int kMaxName = 255;

// One mutex serialises the file state (index, roll-over, open-write-close of a line) and the
// hand-over to the window, so lines of two threads never interleave or race on the index.
QMutex s_Mutex;
bool s_bInitialized = false;
bool s_bSave = false;
quint64 s_uLimitBytes = 1ull << 20;
QString s_qsDirectory = QStringLiteral("Traces/");
QString s_qsBaseName;
int s_iFileIndex = 0;

std::atomic<CTraceReceiver *> s_pReceiver{nullptr};
// The sink is called without a lock held (the GUI thread stays in it for as long as its box is
// open, and a box may report again); detaching waits until no call is in flight.
std::mutex s_SinkMutex;
std::condition_variable s_SinkIdle;
CMainWndSink *s_pSink = nullptr;
int s_iSinkCalls = 0;

// Runs fn on the attached sink; false when none is attached.
template <typename Fn> bool WithSink(Fn fn)
{
    CMainWndSink *pSink;
    {
        std::lock_guard<std::mutex> lock(s_SinkMutex);
        pSink = s_pSink;
        if (!pSink)
            return false;
        ++s_iSinkCalls;
    }
    fn(pSink);
    std::lock_guard<std::mutex> lock(s_SinkMutex);
    if (--s_iSinkCalls == 0)
        s_SinkIdle.notify_all();
    return true;
}

QString FileName(int iIndex)
{
    return QStringLiteral("%1_%2.log").arg(s_qsBaseName).arg(iIndex).left(kMaxName);
}

void ReportFileError(const char *what, const QString &qsName)
{
    const int err = errno;
    std::fprintf(stderr, "%s[%s] - errno=%d : [%s]\n", what, qsName.toUtf8().constData(), err, std::strerror(err));
}

// A run goes on in the first file of its start second that is not full; without a limit no
// file is ever full, so a run never appends to the file of another run of the same second.
bool SelectFileIndex()
{
    for (int n = 0; n < INT_MAX; ++n) {
        const QString qsName = FileName(n);
        QFileInfo info(qsName);
        if (!info.exists()) {
            s_iFileIndex = n;
            return true;
        }
        QFile f(qsName);
        if (!f.open(QIODevice::ReadOnly)) {
            ReportFileError("Error opening file", qsName);
            return false;
        }
        if (s_uLimitBytes != 0 && static_cast<quint64>(f.size()) < s_uLimitBytes) {
            s_iFileIndex = n;
            return true;
        }
    }
    return false;
}

// Returns the file for this line or stderr on any file problem. A full file makes the line
// go to the next index, opened for append: an existing file there is never truncated.
FILE *OpenLineFile()
{
    if (!s_bInitialized) {
        std::fputs("Error trace module is not initialized : call function 'TraceInitialize'\n", stderr);
        return stderr;
    }
    QString qsName = FileName(s_iFileIndex);
    FILE *f = std::fopen(QFile::encodeName(qsName).constData(), "ab");
    if (!f) {
        ReportFileError("Error opening file", qsName);
        return stderr;
    }
    if (std::fseek(f, 0, SEEK_END) != 0) {
        ReportFileError("Error getting statistic of file", qsName);
        std::fclose(f);
        return stderr;
    }
    const long size = std::ftell(f);
    if (size < 0) {
        ReportFileError("Error getting statistic of file", qsName);
        std::fclose(f);
        return stderr;
    }
    if (s_uLimitBytes != 0 && static_cast<quint64>(size) >= s_uLimitBytes) {
        std::fclose(f);
        ++s_iFileIndex;
        qsName = FileName(s_iFileIndex);
        f = std::fopen(QFile::encodeName(qsName).constData(), "ab");
        if (!f) {
            ReportFileError("Error re-opening file", qsName);
            return stderr;
        }
    }
    return f;
}

// The line's time stamp, called under the trace mutex. Local time goes through the C library's
// time-zone state, which re-reads the zone file on every call and is not safe to read from
// several threads at once: it is formatted once per second and reused within that second.
QString TimeStamp()
{
    static qint64 s_llSecond = -1;
    static QString s_qsStamp;
    const qint64 llNow = QDateTime::currentSecsSinceEpoch();
    if (llNow != s_llSecond) {
        s_llSecond = llNow;
        s_qsStamp = QDateTime::fromSecsSinceEpoch(llNow).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return s_qsStamp;
}

void TraceLine(int iKind, const char *format, va_list args)
{
    if (!s_bInitialized)
        return;
    const QString qsText = QString::vasprintf(format, args);

    QMutexLocker lock(&s_Mutex);
    const QString qsStamp = TimeStamp();
    if (s_bSave) {
        const char *marker = iKind == TRACE_KIND_ERROR     ? "[Error]"
                             : iKind == TRACE_KIND_SUCCESS ? "[Success]"
                                                           : "[Info]";
        const QByteArray line = QStringLiteral("%1 %2 - %3\n").arg(qsStamp, QLatin1String(marker), qsText).toUtf8();
        FILE *f = OpenLineFile();
        std::fwrite(line.constData(), 1, line.size(), f);
        if (f != stderr) {
            std::fclose(f);
            FILE *console = iKind == TRACE_KIND_ERROR ? stderr : stdout;
            std::fwrite(line.constData(), 1, line.size(), console);
            std::fflush(console);
        }
    }
    const QString qsWindow = QStringLiteral("%1 - %2").arg(qsStamp, qsText.left(kMaxLine)).left(kMaxLine);
    TracesDispatch(iKind, qsWindow);
}

} // namespace

int TraceInitialize(int *piEnabled)
{
    QMutexLocker lock(&s_Mutex);
    *piEnabled = 0;
    s_bInitialized = false;
    s_bSave = false;
    s_uLimitBytes = 1ull << 20;
    s_qsDirectory = QStringLiteral("Traces/");

    int iEnabled = 0, iSave = 0;
    unsigned int uSizeMB = 1;
    g_SoftConf.GetTracesSettings(&iEnabled, &iSave, &uSizeMB);
    if (iEnabled != 1)
        return 1;
    s_bSave = iSave == 1;
    // 64-bit: a limit of 4096 MB must not wrap to "no limit".
    s_uLimitBytes = static_cast<quint64>(uSizeMB) << 20;

    if (!QDir().mkpath(s_qsDirectory)) {
        std::fprintf(stderr, "Failed to create '%s' directory!\n", s_qsDirectory.toUtf8().constData());
        return 0;
    }
    const QString qsTime = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    s_qsBaseName = QStringLiteral("%1/%2_%3").arg(s_qsDirectory, QStringLiteral("Lantrel"), qsTime).left(kMaxName);
    if (!SelectFileIndex())
        return 0;
    s_bInitialized = true;
    *piEnabled = 1;
    return 1;
}

void TraceError(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    TraceLine(TRACE_KIND_ERROR, format, args);
    va_end(args);
}

void TraceInfo(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    TraceLine(TRACE_KIND_INFO, format, args);
    va_end(args);
}

void TraceSuccess(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    TraceLine(TRACE_KIND_SUCCESS, format, args);
    va_end(args);
}

void TracesDispatch(int iKind, const QString &qsLine)
{
    if (CTraceReceiver *p = s_pReceiver.load())
        p->PostTraceMessage(iKind, qsLine);
}

void TracesClear()
{
    QMutexLocker lock(&s_Mutex);
    TracesDispatch(TRACE_KIND_CLEAR, QString());
}

void TracesClose()
{
    QMutexLocker lock(&s_Mutex);
    TracesDispatch(TRACE_KIND_CLOSE, QString());
}

void TraceSetReceiver(CTraceReceiver *pReceiver)
{
    // Dispatch happens under the mutex: once this returns no thread still holds the old one.
    QMutexLocker lock(&s_Mutex);
    s_pReceiver.store(pReceiver);
}

QString TraceStripControlChars(const QString &qsText)
{
    static const QRegularExpression ansi(QStringLiteral("\x1b\\[[0-9;]*[A-Za-z]"));
    QString qsOut = qsText;
    qsOut.remove(QLatin1Char('\r'));
    qsOut.remove(QLatin1Char('\n'));
    qsOut.remove(QLatin1Char('\\'));
    qsOut.remove(ansi);
    return qsOut;
}

void SetMainWndSink(CMainWndSink *pSink)
{
    std::unique_lock<std::mutex> lock(s_SinkMutex);
    s_SinkIdle.wait(lock, [] { return s_iSinkCalls == 0; });
    s_pSink = pSink;
}

void ErrorMsg(const QString &qsText, int iCode)
{
    if (WithSink([&](CMainWndSink *p) { p->SendErrorMsg(qsText, iCode); }))
        return;
    // No main window yet (start-up) or any more: the report is not lost, it is traced.
    TraceError("%s (Error Code = %d)", qsText.toUtf8().constData(), iCode);
}

void StatusMessage(int iKind, const QString &qsText, int iTimeoutMs)
{
    WithSink([&](CMainWndSink *p) { p->ShowStatusMessage(iKind, qsText, iTimeoutMs); });
}

void WarningMsg(const QString &qsTitle, const QString &qsText)
{
    if (!WithSink([&](CMainWndSink *p) { p->ShowWarning(qsTitle, qsText); }))
        TraceError("%s: %s", qsTitle.toUtf8().constData(), qsText.toUtf8().constData());
}

QString TraceCurrentFileName()
{
    QMutexLocker lock(&s_Mutex);
    return s_bInitialized ? FileName(s_iFileIndex) : QString();
}
