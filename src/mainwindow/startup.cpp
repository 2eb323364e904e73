#include "mainwindow/startup.h"

#include "config/softconf.h"
#include "mainwindow/prompts.h"
#include "trace/trace.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr int kNotWellFormed = -20;

// Stands in for the main window while the configuration is parsed: warnings become
// parentless boxes, reports are traced as they are without a main window.
class StartupSink : public CMainWndSink
{
public:
    StartupSink() { SetMainWndSink(this); }
    ~StartupSink() override { SetMainWndSink(nullptr); }
    StartupSink(const StartupSink &) = delete;
    StartupSink &operator=(const StartupSink &) = delete;

    void SendErrorMsg(const QString &qsMsg, int iCode) override
    {
        TraceError("%s (Error Code = %d)", U8(qsMsg).constData(), iCode);
    }
    void ShowStatusMessage(int, const QString &, int) override {}
    void ShowWarning(const QString &qsTitle, const QString &qsText) override
    {
        // The first line says what is wrong, the rest explains it.
        const int iBreak = qsText.indexOf(QLatin1Char('\n'));
        const QString qsHead = iBreak < 0 ? qsText : qsText.left(iBreak);
        const QString qsDetail = iBreak < 0 ? QString() : qsText.mid(iBreak + 1);
        TraceError("%s: %s", U8(qsTitle).constData(), U8(qsText).constData());
        Prompts::Instance().MessageBox(nullptr, Prompts::BOX_WARNING, qsTitle, qsHead, qsDetail);
    }
};

} // namespace

int OpenApplicationConfig(const QString &qsPath)
{
    const int iStatus = g_SoftConf.Open(qsPath);
    const int iTraceStatus = g_SoftConf.ReadTracesSettings();
    if (iStatus == kNotWellFormed)
        g_SoftConf.SetTraceWindowOnly();
    else if (iTraceStatus != 0)
        ErrorMsg(QCoreApplication::translate("main", "Failed to load Trace settings in configuration file!"),
                 iTraceStatus);
    return iStatus;
}

void ParseApplicationConfig(const QString &qsPath, int iOpenStatus)
{
    StartupSink sink;
    if (iOpenStatus == kNotWellFormed) {
        const QString qsText = QCoreApplication::translate("main", "The configuration file '%1' cannot be read!")
                                   .arg(QFileInfo(qsPath).absoluteFilePath());
        const QString qsDetail =
            QCoreApplication::translate("main", "Not well-formed XML at %1\nThe program runs with its built-in "
                                                "settings (no fixture types, empty histories, traces in the window "
                                                "only) and leaves the file as it is: repair or remove it, then start "
                                                "again.")
                .arg(g_SoftConf.ParseError());
        TraceError("%s %s", U8(qsText).constData(), U8(qsDetail).constData());
        Prompts::Instance().MessageBox(nullptr, Prompts::BOX_CRITICAL, QCoreApplication::translate("main", "Error"),
                                       qsText, qsDetail);
    }
    g_SoftConf.Parse();
    if (!g_SoftConf.HasRoot())
        g_SoftConf.CreateRoot();
}
