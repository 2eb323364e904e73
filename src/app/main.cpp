// Start-up and shutdown: brings the process from nothing to the running event loop in a
// fixed order (configuration before tracing, the trace window before the first line, the
// USB library before any dialog can open a link) and tears the windows down in order.

#include "mainwindow/startup.h"
#include "mainwindow/systemselect.h"
#include "mainwindow/welcome.h"
#include "mainwindow/zelvor.h"
#include "trace/trace.h"
#include "trace/traces.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <QTranslator>

#include <csignal>
#include <hidapi/hidapi.h>
#include <libusb.h>

int main(int argc, char *argv[])
{
    QTranslator translator;
    auto *pApp = new QApplication(argc, argv);
    // The images live in the widget library, a static one: without this the linker drops them.
    Q_INIT_RESOURCE(resources);

    const int iConfigStatus = OpenApplicationConfig(QStringLiteral("Lantrel.xml"));

    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"));
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/AppIcon.png")));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    auto *pTraces = new Traces(nullptr);
    g_pTraces.store(pTraces);
    TraceSetReceiver(pTraces);
    pTraces->hide();
    int iTraceEnabled = 0;
    TraceInitialize(&iTraceEnabled);
    if (iTraceEnabled == 1)
        pTraces->show();

    TraceInfo("'%s - V%s' is running...", "Lantrel", "1.0.0");
    ParseApplicationConfig(QStringLiteral("Lantrel.xml"), iConfigStatus);

    // A peer that goes away must give an error on the socket, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    if (const int iUsb = libusb_init(nullptr); iUsb != 0)
        TraceError("USB library initialisation failed (%s): USB links are unavailable", libusb_error_name(iUsb));
    if (hid_init() != 0)
        TraceError("HID library initialisation failed: the bootloader's USB HID link is unavailable");

    auto *pWelcome = new Welcome(nullptr, pApp, &translator);
    pWelcome->show();

    const int iExit = pApp->exec();

    // The connection dialog and the main window were made by the dialogs during the loop.
    delete g_pSystemSelect;
    g_pSystemSelect = nullptr;
    // The pointer is cleared first: nothing may reach the window while it is torn down.
    delete g_pMainWnd.exchange(nullptr);
    delete pWelcome;

    TraceSetReceiver(nullptr);
    g_pTraces.store(nullptr);
    delete pTraces;
    delete pApp;
    return iExit;
}
