#include "tracecapture.h"

#include "config/softconf.h"
#include "testenv.h"

TraceCapture::TraceCapture(const QString &qsGeneralXml)
{
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel><General>"
                           "<Traces save=\"no\">yes</Traces>" +
                           qsGeneralXml.toUtf8() + "</General></Lantrel>\n";
    WriteTestFile(QStringLiteral("Lantrel.xml"), xml);
    g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
    g_SoftConf.ReadTracesSettings();
    g_SoftConf.Parse();
    int iEnabled = 0;
    TraceInitialize(&iEnabled);
    TraceSetReceiver(this);
}

TraceCapture::~TraceCapture()
{
    TraceSetReceiver(nullptr);
}

void TraceCapture::PostTraceMessage(int iKind, const QString &qsText)
{
    QMutexLocker lock(&m_Mutex);
    m_Lines.append({iKind, qsText});
}

QStringList TraceCapture::Texts(int iKind) const
{
    QMutexLocker lock(&m_Mutex);
    QStringList texts;
    for (const auto &line : m_Lines) {
        if (line.first != iKind)
            continue;
        // "dd/MM/yyyy HH:mm:ss - text"
        const int iSep = line.second.indexOf(QLatin1String(" - "));
        texts.append(iSep < 0 ? line.second : line.second.mid(iSep + 3));
    }
    return texts;
}

void TraceCapture::Reset()
{
    QMutexLocker lock(&m_Mutex);
    m_Lines.clear();
}
