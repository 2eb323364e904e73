#pragma once
// Turns the trace log on (window only, no files) and collects every line a test provokes,
// as the trace window would receive it ("time stamp - text"). Needs the private working
// folder of TestEnv: it writes the "Lantrel.xml" that switches tracing on.

#include "trace/trace.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

class TraceCapture : public CTraceReceiver
{
public:
    // Extra XML goes inside <General> beside the trace switch (e.g. the factory mode); with
    // bParse the whole file is then read as at start-up.
    explicit TraceCapture(const QString &qsGeneralXml = QString(), bool bParse = true);
    ~TraceCapture() override;
    void PostTraceMessage(int iKind, const QString &qsText) override;

    // The texts (time stamp removed) of the lines of one kind (-1: every kind), in order.
    QStringList Texts(int iKind = -1) const;
    QStringList Lines(int iKind = -1) const { return Texts(iKind); }
    bool Contains(const QString &qsText, int iKind = -1) const { return Texts(iKind).contains(qsText); }
    QStringList Errors() const { return Texts(TRACE_KIND_ERROR); }
    // Every line that is not an error (info and success).
    QStringList Infos() const;
    void Reset();
    void Clear() { Reset(); }

private:
    mutable QMutex m_Mutex;
    QList<QPair<int, QString>> m_Lines;
};

// The same, for tests that only switch tracing on and leave the rest of the configuration alone.
class TraceCollector : public TraceCapture
{
public:
    TraceCollector() : TraceCapture(QString(), false) {}
};
using TraceRecorder = TraceCollector;
