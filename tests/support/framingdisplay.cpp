#include "framingdisplay.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QThread>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartMs = 15000;
constexpr int kManagerStarts = 3;

// Starts a program with its output thrown away, but for iKeepFd which stays open in it.
pid_t Spawn(const QList<QByteArray> &args, int iKeepFd = -1)
{
    QList<const char *> argv;
    for (const QByteArray &arg : args)
        argv.append(arg.constData());
    argv.append(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // A test that dies (a sanitizer's abort, ctest's kill at its timeout) takes its server and
    // manager with it, instead of leaving them running on the machine.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    const int iNull = open("/dev/null", O_RDWR);
    if (iNull >= 0) {
        dup2(iNull, STDIN_FILENO);
        dup2(iNull, STDOUT_FILENO);
        dup2(iNull, STDERR_FILENO);
    }
    if (iKeepFd >= 0)
        fcntl(iKeepFd, F_SETFD, 0);
    execvp(argv.first(), const_cast<char *const *>(argv.data()));
    _exit(127);
}

void Stop(pid_t *pPid)
{
    if (*pPid <= 0)
        return;
    kill(*pPid, SIGTERM);
    waitpid(*pPid, nullptr, 0);
    *pPid = -1;
}

bool Exited(pid_t pid)
{
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

// Whether a manager has taken the display: it names itself on the root (xprop, package
// x11-utils), where it follows the extended hints; twm, which does not, only redirects the root's
// children to itself.
bool ManagerUp(FramingDisplay::Manager manager)
{
    if (manager == FramingDisplay::Twm) {
        xcb_connection_t *pConnection = xcb_connect(nullptr, nullptr);
        bool bUp = false;
        if (!xcb_connection_has_error(pConnection)) {
            const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
            xcb_get_window_attributes_reply_t *pRoot =
                xcb_get_window_attributes_reply(pConnection, xcb_get_window_attributes(pConnection, root), nullptr);
            bUp = pRoot && (pRoot->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
            free(pRoot);
        }
        xcb_disconnect(pConnection);
        return bUp;
    }
    FILE *pOut = popen("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null", "r");
    if (!pOut)
        return false;
    char acLine[256] = {};
    const bool bRead = fgets(acLine, sizeof acLine, pOut) != nullptr;
    pclose(pOut);
    return bRead && QByteArray(acLine).contains("window id");
}

QList<QByteArray> ManagerCommand(FramingDisplay::Manager manager)
{
    switch (manager) {
    case FramingDisplay::Metacity:
        return {"metacity", "--sm-disable"};
    case FramingDisplay::Twm:
        return {"twm"};
    default:
        return {"openbox", "--sm-disable"};
    }
}

} // namespace

FramingDisplay::FramingDisplay(int iWidth, int iHeight, Manager manager)
{
    s_pCurrent = this;
    if (StartServer(iWidth, iHeight) && manager != NoManager)
        StartManager(manager);
}

FramingDisplay::Manager FramingDisplay::OfTheRun()
{
    const QByteArray manager = qgetenv("LANTREL_TEST_MANAGER");
    if (manager == "metacity")
        return Metacity;
    if (manager == "twm")
        return Twm;
    return manager == "none" ? NoManager : Openbox;
}

FramingDisplay::~FramingDisplay()
{
    s_pCurrent = nullptr;
    ContinueManager();
    Stop(&m_Manager);
    Stop(&m_Server);
}

bool FramingDisplay::StopManager()
{
    if (m_Manager <= 0)
        return true;
    // A manager stopped while it holds the server grabbed would hold every client still, the
    // program and this test among them: it goes on and is stopped again until the server answers
    // without it. Two round trips: a grab it had asked for before it stopped is in force by the
    // second.
    xcb_connection_t *pConnection = xcb_connect(nullptr, nullptr);
    const auto answers = [pConnection] {
        for (int i = 0; i < 2; ++i) {
            const xcb_get_input_focus_cookie_t cookie = xcb_get_input_focus(pConnection);
            xcb_flush(pConnection);
            pollfd fd = {xcb_get_file_descriptor(pConnection), POLLIN, 0};
            if (poll(&fd, 1, 500) <= 0)
                return false;
            free(xcb_get_input_focus_reply(pConnection, cookie, nullptr));
        }
        return true;
    };
    bool bStopped = false;
    for (int iTry = 0; !bStopped && iTry < 20 && !xcb_connection_has_error(pConnection); ++iTry) {
        kill(m_Manager, SIGSTOP);
        bStopped = answers();
        if (!bStopped) {
            kill(m_Manager, SIGCONT);
            // Its reply comes once the manager lets the server go.
            xcb_disconnect(pConnection);
            pConnection = xcb_connect(nullptr, nullptr);
        }
    }
    xcb_disconnect(pConnection);
    return bStopped;
}

void FramingDisplay::ContinueManager()
{
    if (m_Manager > 0)
        kill(m_Manager, SIGCONT);
}

bool FramingDisplay::StartServer(int iWidth, int iHeight)
{
    // The server picks a free display number and writes it to the pipe once it accepts clients.
    int aiPipe[2];
    if (pipe2(aiPipe, O_CLOEXEC) != 0) {
        m_qsError = QStringLiteral("no pipe for Xvfb");
        return false;
    }
    m_Server = Spawn({"Xvfb", "-displayfd", QByteArray::number(aiPipe[1]), "-screen", "0",
                      QByteArray::number(iWidth) + 'x' + QByteArray::number(iHeight) + "x24", "-nolisten", "tcp"},
                     aiPipe[1]);
    close(aiPipe[1]);
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.endsWith('\n') && clock.elapsed() < kStartMs) {
        pollfd fd = {aiPipe[0], POLLIN, 0};
        if (poll(&fd, 1, 100) <= 0)
            continue;
        char c;
        if (read(aiPipe[0], &c, 1) != 1)
            break;
        number.append(c);
    }
    close(aiPipe[0]);
    if (!number.endsWith('\n')) {
        m_qsError = QStringLiteral("Xvfb did not start (package xvfb)");
        return false;
    }
    qputenv("DISPLAY", ':' + number.trimmed());
    return true;
}

bool FramingDisplay::StartManager(Manager manager)
{
    const QList<QByteArray> command = ManagerCommand(manager);
    const QByteArray &name = command.first();
    m_Manager = Spawn(command);
    // On a busy machine a manager now and then gives up on a display that has only just come up:
    // it is started again, a few times at most.
    int iStarts = 1;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartMs) {
        if (Exited(m_Manager)) {
            m_Manager = -1;
            if (iStarts++ < kManagerStarts) {
                m_Manager = Spawn(command);
                continue;
            }
            m_qsError = QStringLiteral("%1 did not start (package %1)").arg(QLatin1String(name));
            return false;
        }
        if (ManagerUp(manager))
            return true;
        QThread::msleep(50);
    }
    m_qsError = QStringLiteral("%1 did not take the display").arg(QLatin1String(name));
    return false;
}
