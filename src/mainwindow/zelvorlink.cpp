// The main window's side of the VPU link: starting it in one of the three modes, telling every
// panel whether it is up, arming the automatic restart, and the tool bar's fixture commands.

#include "config/softconf.h"
#include "mainwindow/errorcodes.h"
#include "mainwindow/toolbox.h"
#include "mainwindow/zelvor.h"
#include "panels/device/dmxconfig.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/sasusettings.h"
#include "panels/device/testcontrol.h"
#include "panels/device/videoinput.h"
#include "panels/scene/groupsettings.h"
#include "panels/scene/workspace.h"
#include "testtools/testtools.h"
#include "trace/trace.h"
#include "update/fixtureupdate.h"
#include "update/vpuupdate.h"

#include <QGuiApplication>
#include <QStatusBar>

namespace {

constexpr quint16 kVpuTcpPort = 50000;

} // namespace

int Zelvor::InitCom(int iMode, const QString &qsParam)
{
    m_qsComParam = qsParam;
    // Kept for good: answers to a tool-bar reconnect or an automatic restart come here too.
    connect(&m_VpuCom, &CVpuCom::sigInitCom, this, &Zelvor::s_OnInitComDone, Qt::UniqueConnection);

    if (iMode == CVpuCom::COM_TYPE_NONE) {
        m_pToolBox->DisableConnect();
        SetOnline(false);
        setEnabled(true);
        return 0;
    }
    SetOnline(false);
    if (iMode != CVpuCom::COM_TYPE_USB && iMode != CVpuCom::COM_TYPE_NET) {
        setEnabled(true);
        return 0;
    }

    // Disabled until the INIT_COM answer has been handled.
    setEnabled(false);
    int iStatus = 0;
    if (iMode == CVpuCom::COM_TYPE_USB) {
        // The connection dialog names the devices "USB0", "USB1", ...
        bool bOk = false;
        const quint16 usIndex = qsParam.mid(3).toUShort(&bOk, 10);
        if (!bOk) {
            TraceError("Invalid USB device '%s'!", qUtf8Printable(qsParam));
            setEnabled(true);
            return -4;
        }
        quint16 usVid = 0;
        quint16 usPid = 0;
        g_SoftConf.GetUsbIds(&usVid, &usPid);
        iStatus = m_VpuCom.SetUsbParams(usVid, usPid, usIndex);
    } else {
        iStatus = m_VpuCom.SetNetParams(qsParam, kVpuTcpPort);
    }
    if (iStatus == 0)
        iStatus = OpenLink();
    if (iStatus != 0) {
        setEnabled(true);
        return iStatus;
    }
    iStatus = m_VpuCom.InitCom();
    if (iStatus != 0) {
        m_VpuCom.CloseIfOpen();
        setEnabled(true);
    }
    return iStatus;
}

int Zelvor::OpenLink()
{
    // A connection to an address that does not answer takes seconds: the user must see that
    // the program is at work, and on what, before it blocks.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString qsTarget = m_qsComParam.startsWith(QLatin1String("USB"))
                                 ? m_qsComParam
                                 : QStringLiteral("%1 port %2").arg(m_qsComParam).arg(kVpuTcpPort);
    SetModeText(tr("Connecting to '%1'...").arg(qsTarget));
    statusBar()->repaint();
    TraceInfo("Connecting to '%s'...", U8(qsTarget).constData());
    const int iStatus = m_VpuCom.Open();
    // Online only once the VPU has answered.
    SetModeText(tr("Offline"));
    QGuiApplication::restoreOverrideCursor();
    return iStatus;
}

void Zelvor::ReportOpenFailure(int iStatus)
{
    QString qsDetail = ErrorCodeDetail(iStatus);
    const QString qsReason = m_VpuCom.OpenError();
    if (!qsReason.isEmpty())
        qsDetail += QLatin1Char('\n') + qsReason;
    ShowErrorBox(tr("Error"), tr("Failed to open connexion with VPU!"), qsDetail);
}

int Zelvor::Reconnect()
{
    int iStatus = OpenLink();
    if (iStatus == 0) {
        setEnabled(false);
        iStatus = m_VpuCom.InitCom();
    }
    if (iStatus != 0) {
        // Nothing else would tell the user, and the checkable connect button has already
        // flipped to the connected image: both are put right here.
        m_VpuCom.CloseIfOpen();
        SetOnline(false);
        setEnabled(true);
        ReportOpenFailure(iStatus);
    }
    return iStatus;
}

void Zelvor::s_OnInitComDone(int iStatus)
{
    if (iStatus != 0) {
        m_VpuCom.CloseIfOpen();
        // A refused answer after a reconnect has no other way back to the offline state, and
        // the tool bar would go on showing a link that is gone.
        SetOnline(false);
        setEnabled(true);
        ErrorMsg(tr("Failed to initialize communication with VPU!"), iStatus);
        return;
    }
    SetModeText(tr("Online : Connected to '%1'").arg(m_qsComParam));
    SetOnline(true);
    setEnabled(true);
}

int Zelvor::SetOnline(bool bOnline)
{
    if (!bOnline) {
        SetModeText(tr("Offline"));
        if (m_bRestartConnected) {
            disconnect(&m_VpuCom, &CVpuCom::sigRestartComMsg, &m_VpuCom, &CVpuCom::s_OnRestartComMsg);
            m_bRestartConnected = false;
        }
    } else if (!m_bRestartConnected) {
        connect(&m_VpuCom, &CVpuCom::sigRestartComMsg, &m_VpuCom, &CVpuCom::s_OnRestartComMsg);
        m_bRestartConnected = true;
    }

    m_pWorkspace->SetOnline(bOnline);
    m_pVideoInput->SetOnline(bOnline);
    m_pInputColorCtrl->SetOnline(bOnline);
    m_pOutputColorCtrl->SetOnline(bOnline);
    m_pTestControl->SetOnline(bOnline);
    if (m_bFactoryMode && m_pTestTools)
        m_pTestTools->SetOnline(bOnline);
    m_pFixtureSettings->SetOnline(bOnline);
    m_pGroupSettings->SetOnline(bOnline);
    m_pSasuSettings->SetOnline(bOnline);
    m_pFixtureUpdate->SetOnline(bOnline);
    m_pToolBox->SetConnected(bOnline);
    m_pDMXConfig->SetOnline(bOnline);
    m_pVpuUpdate->SetOnline(bOnline);
    return 0;
}

int Zelvor::EnumerateFixtures()
{
    setEnabled(false);
    connect(&m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg, this, &Zelvor::s_OnEnumerateFixturesDone,
            Qt::UniqueConnection);
    return m_VpuCom.FixtEnumerate();
}

int Zelvor::ResetFixtures()
{
    setEnabled(false);
    connect(&m_VpuCom, &CVpuCom::sigResetFixturesMsg, this, &Zelvor::s_OnResetFixturesDone, Qt::UniqueConnection);
    return m_VpuCom.ResetFixtures();
}

int Zelvor::GetFixturesNumbers()
{
    setEnabled(false);
    connect(&m_VpuCom, &CVpuCom::sigFixturesNumbersMsg, this, &Zelvor::s_OnGetFixturesNumbersDone,
            Qt::UniqueConnection);
    return m_VpuCom.FixtGetNumber();
}

void Zelvor::FixtureCommandDone(int iStatus)
{
    // After a successful enumerate or reset the count follows, and the window stays disabled
    // until its answer has been handled: one main-window request at a time.
    if (iStatus == 0)
        GetFixturesNumbers();
    else
        setEnabled(true);
}

void Zelvor::s_OnEnumerateFixturesDone(int iStatus)
{
    disconnect(&m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg, this, &Zelvor::s_OnEnumerateFixturesDone);
    FixtureCommandDone(iStatus);
}

void Zelvor::s_OnResetFixturesDone(int iStatus)
{
    disconnect(&m_VpuCom, &CVpuCom::sigResetFixturesMsg, this, &Zelvor::s_OnResetFixturesDone);
    FixtureCommandDone(iStatus);
}

void Zelvor::s_OnGetFixturesNumbersDone(int iStatus, FixturesNum_t tFixturesNum)
{
    // The link layer logs the counts and reports a failure itself.
    Q_UNUSED(iStatus);
    Q_UNUSED(tFixturesNum);
    disconnect(&m_VpuCom, &CVpuCom::sigFixturesNumbersMsg, this, &Zelvor::s_OnGetFixturesNumbersDone);
    setEnabled(true);
}
