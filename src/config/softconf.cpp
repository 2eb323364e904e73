#include "softconf.h"

#include "trace/trace.h"

CSoftConf::CSoftConf()
{
    m_qsRootName = QStringLiteral("Lantrel");
}

int CSoftConf::ReadTracesSettings()
{
    ConfigKey_t key;
    const int iStatus = ReadKey(QStringLiteral("General"), QStringLiteral("Traces"), QString(), QString(), key);
    if (iStatus != 0) {
        TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s')", "General", "Traces");
        return iStatus;
    }
    if (key.text != QLatin1String("yes"))
        return 0;
    int iResult = 0;
    for (const ConfigAttr_t &attr : key.attributes) {
        if (attr.name == QLatin1String("save")) {
            if (attr.value == QLatin1String("yes"))
                m_bTraceSave = true;
        } else if (attr.name == QLatin1String("fileSizeMB")) {
            bool bOk = false;
            const uint uValue = attr.value.toUInt(&bOk, 10);
            m_uTraceFileSizeMB = bOk ? uValue : 1;
            if (!bOk)
                TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s' - Attr='%s') - '%s' "
                           "is not a valid unsigned long value!",
                           "General", "Traces", "fileSizeMB", attr.value.toUtf8().constData());
        } else {
            TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s') - Attr='%s' is not a "
                       "valid!",
                       "General", "Traces", attr.name.toUtf8().constData());
            iResult = -21;
        }
    }
    m_bTraceEnabled = true;
    return iResult;
}

void CSoftConf::GetTracesSettings(int *piEnabled, int *piSave, unsigned int *puSizeMB) const
{
    *piEnabled = m_bTraceEnabled ? 1 : 0;
    *piSave = m_bTraceSave ? 1 : 0;
    *puSizeMB = m_uTraceFileSizeMB;
}

int CSoftConf::Parse()
{
    ConfigKey_t key;
    if (ReadKey(QStringLiteral("General"), QStringLiteral("Factory_mode"), QString(), QString(), key) == 0 &&
        key.text == QLatin1String("yes"))
        m_bFactoryMode = true;
    return 0;
}

int CSoftConf::Write()
{
    Clear();
    return CreateRoot();
}
