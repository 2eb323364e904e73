#include "linktest.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

LinkFixture::LinkFixture(const QString &qsAddress, const QString &qsGeneralXml)
    : m_qsAddress(qsAddress), m_Traces(qsGeneralXml), m_Sim(qsAddress)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
}

LinkFixture::~LinkFixture()
{
    // The link goes before the simulator, so the worker is not left waiting on a dead peer.
    if (m_pWnd)
        m_pWnd->m_VpuCom.CloseIfOpen();
    g_pMainWnd.store(nullptr);
    m_pWnd.reset();
    m_Sim.Stop();
}

Zelvor *LinkFixture::Build()
{
    m_pWnd = std::make_unique<Zelvor>();
    g_pMainWnd.store(m_pWnd.get());
    return m_pWnd.get();
}

bool LinkFixture::ConnectEthernet()
{
    if (m_pWnd->InitCom(CVpuCom::COM_TYPE_NET, m_qsAddress) != 0)
        return false;
    return QTest::qWaitFor([this] { return m_pWnd->isEnabled(); }, 10000) && m_pWnd->m_VpuCom.IsOpen();
}

QString LinkFixture::ModeText() const
{
    return ::ModeText(m_pWnd.get());
}

QString ModeText(Zelvor *pWnd)
{
    // The status bar's two fields differ by their fixed widths: 250 for the mode, 450 for the
    // project.
    for (QLineEdit *pField : pWnd->statusBar()->findChildren<QLineEdit *>()) {
        if (pField->maximumWidth() == 250)
            return pField->text();
    }
    return QStringLiteral("<no mode field>");
}

void LinkFixture::DelayAnswer(quint8 ucId, int iMs)
{
    VpuSimFault tFault;
    tFault.iDelayMs = iMs;
    m_Sim.Model().SetFault(ucId, tFault);
}

void LinkFixture::DropAnswer(quint8 ucId, int iBytes)
{
    VpuSimFault tFault;
    tFault.iCloseAfterBytes = iBytes;
    m_Sim.Model().SetFault(ucId, tFault);
}

int LinkFixture::RequestCount(quint8 ucId) const
{
    int iCount = 0;
    for (const QByteArray &baMessage : const_cast<VpuSimulator &>(m_Sim).Model().Messages()) {
        if (!baMessage.isEmpty() && quint8(baMessage.at(0)) == ucId)
            ++iCount;
    }
    return iCount;
}

QStringList LinkFixture::ErrorBoxes() const
{
    QStringList boxes;
    for (const PromptCall_t &call : m_Prompts.Messages()) {
        if (call.iIcon == Prompts::BOX_CRITICAL)
            boxes << call.qsText + QLatin1Char('|') + call.qsDetail;
    }
    return boxes;
}
