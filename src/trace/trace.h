#pragma once
// The program-wide trace log: printf-style error, info and success lines from any thread,
// written with a time stamp to rolling files under "Traces/" and forwarded to the trace
// window. Beside it stand the two forwarders to the main window (error report, coloured
// status message). Core code has no widgets: the window and the main window attach
// themselves through the two small receiver interfaces below.

#include <QString>

enum TraceKind {
    TRACE_KIND_INFO = 0,
    TRACE_KIND_SUCCESS = 1,
    TRACE_KIND_ERROR = 2,
    TRACE_KIND_CLEAR = 3,
    TRACE_KIND_CLOSE = 4,
};

// What the trace window offers to the trace module; lines may arrive from any thread.
class CTraceReceiver
{
public:
    virtual ~CTraceReceiver() = default;
    virtual void PostTraceMessage(int iKind, const QString &qsText) = 0;
};

// What the main window offers to the core: the error report (any thread) and the
// coloured status-bar message (GUI thread only).
class CMainWndSink
{
public:
    virtual ~CMainWndSink() = default;
    virtual void SendErrorMsg(const QString &qsMsg, int iCode) = 0;
    virtual void ShowStatusMessage(int iKind, const QString &qsMsg, int iTimeoutMs) = 0;
    // A modal warning box (through the main window's prompt service); GUI thread only.
    virtual void ShowWarning(const QString &qsTitle, const QString &qsText) = 0;
};

// A text as the trace functions take it (printf "%s" of UTF-8 bytes).
inline QByteArray U8(const QString &qsText)
{
    return qsText.toUtf8();
}

int TraceInitialize(int *piEnabled);
void TraceError(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
void TraceInfo(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
void TraceSuccess(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
void TracesClear();
void TracesClose();
void TracesDispatch(int iKind, const QString &qsLine);
QString TraceStripControlChars(const QString &qsText);

// Attach or detach the trace window; detaching waits until no thread is dispatching to it,
// so the window may be deleted right after.
void TraceSetReceiver(CTraceReceiver *pReceiver);
// Attach or detach the main window's report sink, with the same guarantee.
void SetMainWndSink(CMainWndSink *pSink);

// The error report: shown by the main window as a modal box; traced while none exists.
void ErrorMsg(const QString &qsText, int iCode);
void StatusMessage(int iKind, const QString &qsText, int iTimeoutMs);
// A warning box for the user; traced while no main window exists. GUI thread only.
void WarningMsg(const QString &qsTitle, const QString &qsText);

// Current log file name ("Traces//Lantrel_YYYYMMDD_HHMMSS_N.log"), empty while off.
QString TraceCurrentFileName();
