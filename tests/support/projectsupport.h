#pragma once
// Helpers for the project tests: the fixture catalogue they load and a collector of the trace
// lines the user would read in the trace window.

#include "trace/trace.h"

#include <QMutex>
#include <QStringList>

// Writes "Lantrel.xml" in the working folder (the shipped catalogue plus a type 0xFFFFFFFF,
// tracing to the window only), reads it into g_SoftConf and starts tracing.
bool LoadProjectTestCatalogue();

class TraceCollector : public CTraceReceiver
{
public:
    TraceCollector() { TraceSetReceiver(this); }
    ~TraceCollector() override { TraceSetReceiver(nullptr); }
    void PostTraceMessage(int iKind, const QString &qsText) override;
    // The texts of the error lines, without their time stamps.
    QStringList Errors() const;
    QStringList Infos() const;
    void Reset();

private:
    mutable QMutex m_Mutex;
    QStringList m_Errors;
    QStringList m_Infos;
};
