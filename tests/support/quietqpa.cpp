#include "quietqpa.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler s_PreviousHandler = nullptr;

void Filter(QtMsgType type, const QMessageLogContext &context, const QString &qsMsg)
{
    if (type == QtWarningMsg && qsMsg.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (s_PreviousHandler)
        s_PreviousHandler(type, context, qsMsg);
}

} // namespace

void SilenceOffscreenPlatformWarnings()
{
    if (!s_PreviousHandler)
        s_PreviousHandler = qInstallMessageHandler(Filter);
}
