#pragma once
// Turns the trace log on (without log files) for a test and keeps every line's text, so a
// test can check what the program traced. Must be created after the test's TestEnv (the
// trace settings are read from a Lantrel.xml written into the working folder).

#include "config/softconf.h"
#include "support/testenv.h"
#include "trace/trace.h"

#include <QMutex>
#include <QStringList>

class TraceRecorder : public CTraceReceiver
{
public:
    TraceRecorder()
    {
        WriteTestFile(QStringLiteral("Lantrel.xml"),
                      "<Lantrel><General><Traces save=\"no\">yes</Traces></General></Lantrel>");
        g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
        g_SoftConf.ReadTracesSettings();
        int iEnabled = 0;
        TraceInitialize(&iEnabled);
        TraceSetReceiver(this);
    }
    ~TraceRecorder() override { TraceSetReceiver(nullptr); }

    void PostTraceMessage(int iKind, const QString &qsText) override
    {
        QMutexLocker lock(&m_Mutex);
        // The window line is "dd/MM/yyyy HH:mm:ss - text".
        const QString qsLine = qsText.mid(qsText.indexOf(QLatin1String(" - ")) + 3);
        (iKind == TRACE_KIND_ERROR ? m_Errors : m_Infos).append(qsLine);
    }
    QStringList Errors() const
    {
        QMutexLocker lock(&m_Mutex);
        return m_Errors;
    }
    QStringList Infos() const
    {
        QMutexLocker lock(&m_Mutex);
        return m_Infos;
    }
    void Reset()
    {
        QMutexLocker lock(&m_Mutex);
        m_Errors.clear();
        m_Infos.clear();
    }

private:
    mutable QMutex m_Mutex;
    QStringList m_Errors;
    QStringList m_Infos;
};
