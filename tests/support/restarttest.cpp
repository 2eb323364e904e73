#include "restarttest.h"

#include "framingdisplay.h"
#include "mainwindowtest.h"
#include "serverpeer.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

const char *const kPassword = "S3cret9";

} // namespace

void RestartTest::BeginFactory()
{
    Begin(
        QStringLiteral("<Factory_mode>yes</Factory_mode><Factory_pwd>%1</Factory_pwd>").arg(QLatin1String(kPassword)));
}

Zelvor *RestartTest::Start(bool bHeld, bool bManagerBusy)
{
    FramingDisplay *pDisplay = bManagerBusy ? FramingDisplay::Current() : nullptr;
    // The last window goes first, while the manager answers.
    DropWindow();
    if (pDisplay && !pDisplay->StopManager())
        return nullptr;
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    if (pDisplay) {
        // Every request of the program's handled by the server, its events to the manager queued.
        xcb_connection_t *pConnection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        free(xcb_get_input_focus_reply(pConnection, xcb_get_input_focus(pConnection), nullptr));
        pDisplay->ContinueManager();
    }
    if (bHeld) {
        const WId window = pWnd->winId();
        HoldGuiThread([window] { return Viewable(window); }, kFramedMs, kHeldMs);
    }
    const bool bManaged = FramingDisplay::OfTheRun() != FramingDisplay::NoManager;
    const auto placed = [pWnd, bManaged] { return ShownWhereQtHasIt(pWnd) && (!bManaged || Framed(pWnd)); };
    if (QTest::qWaitFor(placed, kFramedMs))
        return pWnd;
    const auto text = [](const QRect &rect) {
        return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
    };
    const QMargins frame = pWnd->windowHandle()->frameMargins();
    const QMargins extents = FrameExtents(pWnd->winId());
    qWarning("the window never settled: exposed %d, viewable %d, in Qt %s, on the screen %s, frame %d %d %d %d, "
             "manager's %d %d %d %d",
             pWnd->windowHandle()->isExposed(), Viewable(pWnd->winId()), qPrintable(text(pWnd->geometry())),
             qPrintable(text(ServerPlace(pWnd->winId()))), frame.left(), frame.top(), frame.right(), frame.bottom(),
             extents.left(), extents.top(), extents.right(), extents.bottom());
    return nullptr;
}

bool RestartTest::Exit(Zelvor *pWnd)
{
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    pWnd->findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
    return QTest::qWaitFor([pWnd] { return !pWnd->isVisible(); });
}

void RestartTest::ToggleFromMenu(Zelvor *pWnd, QDockWidget *pDock)
{
    QAction *pEntry = DockMenuEntry(pWnd, pDock);
    if (pEntry != pDock->toggleViewAction() && !pDock->isVisible())
        m_pPrompts->AnswerText(QLatin1String(kPassword));
    pEntry->trigger();
}
