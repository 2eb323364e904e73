#include "mainwindow/systemselect.h"

#include "comm/usbcom.h"
#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "trace/trace.h"
#include "ui_systemselect.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStringList>

SystemSelect *g_pSystemSelect = nullptr;

SystemSelect::SystemSelect(QWidget *pParent) : QDialog(pParent), m_pUi(new Ui::SystemSelect)
{
    m_pUi->setupUi(this);
    // The form only follows the current row; a cleared selection must grey Connect out too.
    connect(m_pUi->m_pLinksList, &QListWidget::itemSelectionChanged, this, &SystemSelect::UpdateConnectBtn);
    m_pUi->m_pEthIpLE->installEventFilter(this);
    FillUsbList();
    FillEthHistory();
    UpdateConnectBtn();
}

SystemSelect::~SystemSelect()
{
    delete m_pUi;
}

QString SystemSelect::CleanIpAddress(const QString &qsText)
{
    // The edit's mask pads with blanks, so an octet may hold spaces around its digits.
    const QStringList lOctets = qsText.split(QLatin1Char('.'));
    if (lOctets.size() != 4)
        return QString();
    QStringList lClean;
    bool bAllZero = true;
    for (const QString &qsOctet : lOctets) {
        const QString qsDigits = qsOctet.trimmed();
        if (qsDigits.isEmpty() || qsDigits.size() > 3)
            return QString();
        int iValue = 0;
        for (const QChar c : qsDigits) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QString();
            iValue = iValue * 10 + (c.unicode() - '0');
        }
        if (iValue > 255)
            return QString();
        bAllZero = bAllZero && iValue == 0;
        lClean << QString::number(iValue);
    }
    if (bAllZero)
        return QString();
    return lClean.join(QLatin1Char('.'));
}

QString SystemSelect::MaskedIpAddress(const QString &qsAddress)
{
    const QString qsClean = CleanIpAddress(qsAddress);
    if (qsClean.isEmpty())
        return qsAddress;
    QStringList lOctets = qsClean.split(QLatin1Char('.'));
    for (QString &qsOctet : lOctets)
        qsOctet = qsOctet.rightJustified(3, QLatin1Char('0'));
    return lOctets.join(QLatin1Char('.'));
}

void SystemSelect::FillUsbList()
{
    quint16 usVid = 0;
    quint16 usPid = 0;
    g_SoftConf.GetUsbIds(&usVid, &usPid);

    // Only counts the attached VPUs; no device is opened here.
    int iCount = 0;
    {
        CUsbCom usb;
        usb.SetVidPid(usVid, usPid);
        if (usb.GetDeviceCount(&iCount) != 0)
            iCount = 0;
    }

    for (int n = 0; n < iCount; ++n) {
        auto *pItem = new QListWidgetItem(QStringLiteral("USB%1").arg(n));
        pItem->setTextAlignment(Qt::AlignHCenter);
        m_pUi->m_pLinksList->insertItem(n, pItem);
    }
    m_pUi->m_pLinksList->setCurrentRow(0);
}

void SystemSelect::FillEthHistory()
{
    QStringList lHistory;
    g_SoftConf.GetLastEthIPs(lHistory);
    if (lHistory.isEmpty()) {
        UpdateConnectBtn();
        return;
    }
    for (const QString &qsAddress : lHistory) {
        auto *pItem = new QListWidgetItem(qsAddress, m_pUi->m_pEthHistList);
        pItem->setTextAlignment(Qt::AlignHCenter);
    }
    m_pUi->m_pEthHistList->setCurrentRow(0);
    m_pUi->m_pEthIpLE->setText(MaskedIpAddress(lHistory.first()));
    UpdateConnectBtn();
}

bool SystemSelect::IsEthernetSelected() const
{
    const QListWidget *pList = m_pUi->m_pLinksList;
    const QListWidgetItem *pLast = pList->item(pList->count() - 1);
    return pLast != nullptr && pLast->isSelected();
}

void SystemSelect::UpdateConnectBtn()
{
    const bool bUsbSelected = !IsEthernetSelected() && !m_pUi->m_pLinksList->selectedItems().isEmpty();
    const bool bAddressUsable = !CleanIpAddress(m_pUi->m_pEthIpLE->text()).isEmpty();
    const bool bEthUsable = IsEthernetSelected() && bAddressUsable;
    m_pUi->m_pConnectBtn->setEnabled(bUsbSelected || bEthUsable);
    // Without it a greyed Connect button would leave the user guessing what is wrong.
    m_pUi->m_pEthIpLE->setToolTip(bAddressUsable ? QString()
                                                 : tr("Type the VPU's address: four numbers from 0 to 255 "
                                                      "separated by dots (0.0.0.0 is not an address)."));
}

void SystemSelect::s_OnEthIpLEEdited(const QString &qsValue)
{
    Q_UNUSED(qsValue);
    UpdateConnectBtn();
}

void SystemSelect::s_OnLinkListChange(int iRow)
{
    m_pUi->m_pEthGpBox->setEnabled(iRow == m_pUi->m_pLinksList->count() - 1);
    UpdateConnectBtn();
}

void SystemSelect::s_OnEthHistListDblClk(QListWidgetItem *pItem)
{
    if (pItem == nullptr)
        return;
    m_pUi->m_pEthIpLE->setText(MaskedIpAddress(pItem->text()));
    UpdateConnectBtn();
}

void SystemSelect::s_OnConnectBtn()
{
    TraceInfo("Open connexion with VPU...");
    StartSoftware(true);
}

void SystemSelect::s_OnStartOfflineBtn()
{
    TraceInfo("Start Offline!");
    StartSoftware(false);
}

QStringList SystemSelect::MergeEthHistory(const QString &qsAddress, const QStringList &lOld)
{
    // Older files may hold padded or repeated addresses; each is kept once, in plain form.
    QStringList lHistory{qsAddress};
    for (const QString &qsEntry : lOld) {
        if (lHistory.size() >= ETH_HISTORY_MAX)
            break;
        const QString qsOld = CleanIpAddress(qsEntry);
        if (!qsOld.isEmpty() && !lHistory.contains(qsOld))
            lHistory << qsOld;
    }
    return lHistory;
}

void SystemSelect::StartSoftware(bool bConnect)
{
    int iMode = COM_MODE_OFFLINE;
    QString qsParam;
    if (bConnect && IsEthernetSelected()) {
        iMode = COM_MODE_ETHERNET;
        // Handed on in its plain form: a resolver would read "010" as octal.
        qsParam = CleanIpAddress(m_pUi->m_pEthIpLE->text());
        if (qsParam.isEmpty()) {
            TraceError("Invalid IP address '%s'!", qUtf8Printable(m_pUi->m_pEthIpLE->text()));
            return;
        }
    } else if (bConnect) {
        const QList<QListWidgetItem *> lSelected = m_pUi->m_pLinksList->selectedItems();
        // Nothing selected leaves no link to take: the program starts offline.
        if (!lSelected.isEmpty()) {
            iMode = COM_MODE_USB;
            qsParam = lSelected.first()->text();
        }
    }

    hide();
    const int iStatus = StartMainWindow(iMode, qsParam);
    if (iMode == COM_MODE_ETHERNET && iStatus == 0) {
        QStringList lRows;
        for (int i = 0; i < m_pUi->m_pEthHistList->count(); ++i)
            lRows << m_pUi->m_pEthHistList->item(i)->text();
        g_SoftConf.UpdateLastEthIPs(MergeEthHistory(qsParam, lRows));
        g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
    }
    if (iStatus != 0)
        g_pMainWnd.load()->ReportOpenFailure(iStatus);
}

int SystemSelect::StartMainWindow(int iMode, const QString &qsParam)
{
    auto *pMainWnd = new Zelvor(nullptr);
    g_pMainWnd = pMainWnd;
    // Shown first, so that its status bar can tell what a slow link start is doing.
    pMainWnd->ShowMainWindow();
    return pMainWnd->InitCom(iMode, qsParam);
}

bool SystemSelect::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    QLineEdit *pEdit = m_pUi->m_pEthIpLE;
    if (pWatched != pEdit || pEvent->type() != QEvent::KeyPress)
        return QDialog::eventFilter(pWatched, pEvent);
    // A whole address pasted replaces the whole address, wherever the cursor stood.
    if (static_cast<QKeyEvent *>(pEvent)->matches(QKeySequence::Paste)) {
        const QString qsPasted = QGuiApplication::clipboard()->text().trimmed();
        if (!CleanIpAddress(qsPasted).isEmpty()) {
            pEdit->setText(qsPasted);
            UpdateConnectBtn();
            return true;
        }
    }
    if (pEdit->hasSelectedText())
        return QDialog::eventFilter(pWatched, pEvent);
    // The mask "999.999.999.999" has an octet every 4 characters: 3 digits, then a dot.
    constexpr int kOctet = 4;
    const QString qsKey = static_cast<QKeyEvent *>(pEvent)->text();
    int iPos = pEdit->cursorPosition();
    const bool bDigit = qsKey.size() == 1 && qsKey[0].isDigit();
    const bool bDot = qsKey == QLatin1String(".");
    if (bDigit && iPos % kOctet == kOctet - 1)
        ++iPos; // the mask skips the dot before the digit goes in
    int iFrom = -1;
    if (bDigit && iPos % kOctet == 0)
        iFrom = iPos; // a new octet: what it held before must not pad the typed digits
    else if (bDot && iPos % kOctet != 0)
        iFrom = iPos; // the rest of this octet is dropped
    if (iFrom < 0 || iFrom >= pEdit->inputMask().size())
        return QDialog::eventFilter(pWatched, pEvent);
    QString qsShown = pEdit->displayText();
    for (int i = iFrom; i < qsShown.size() && i % kOctet != kOctet - 1; ++i)
        qsShown[i] = QLatin1Char(' ');
    pEdit->setText(qsShown);
    pEdit->setCursorPosition(iPos);
    return QDialog::eventFilter(pWatched, pEvent);
}

void SystemSelect::closeEvent(QCloseEvent *pEvent)
{
    pEvent->accept();
    TracesClose();
}
