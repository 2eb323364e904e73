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
    // Extra XML goes inside <General> beside the trace switch (e.g. the factory mode).
    explicit TraceCapture(const QString &qsGeneralXml = QString());
    ~TraceCapture() override;
    void PostTraceMessage(int iKind, const QString &qsText) override;

    // The texts (time stamp removed) of the lines of one kind, in order.
    QStringList Texts(int iKind) const;
    void Reset();

private:
    mutable QMutex m_Mutex;
    QList<QPair<int, QString>> m_Lines;
};
