#include "tracecapture.h"

#include "config/softconf.h"
#include "testenv.h"

TraceCapture::TraceCapture(const QString &qsGeneralXml, bool bParse)
{
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel><General>"
                           "<Traces save=\"no\">yes</Traces>" +
                           qsGeneralXml.toUtf8() + "</General></Lantrel>\n";
    WriteTestFile(QStringLiteral("Lantrel.xml"), xml);
    g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
    g_SoftConf.ReadTracesSettings();
    if (bParse)
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
    // The window line is "dd/MM/yyyy HH:mm:ss - text": keep the text.
    const int iSep = qsText.indexOf(QLatin1String(" - "));
    QMutexLocker lock(&m_Mutex);
    m_Lines.append({iKind, iSep < 0 ? qsText : qsText.mid(iSep + 3)});
}

QStringList TraceCapture::Texts(int iKind) const
{
    QMutexLocker lock(&m_Mutex);
    QStringList texts;
    for (const auto &line : m_Lines) {
        if (iKind < 0 || line.first == iKind)
            texts.append(line.second);
    }
    return texts;
}

QStringList TraceCapture::Infos() const
{
    QMutexLocker lock(&m_Mutex);
    QStringList texts;
    for (const auto &line : m_Lines) {
        if (line.first != TRACE_KIND_ERROR)
            texts.append(line.second);
    }
    return texts;
}

void TraceCapture::Reset()
{
    QMutexLocker lock(&m_Mutex);
    m_Lines.clear();
}
