#pragma once
// The connection dialog: lists the links to a VPU (one row per attached USB VPU, then
// "Ethernet" with an address and its history) and starts the program over the chosen link
// or offline, by creating the main window and asking it to connect. Opened by the welcome
// dialog, hidden for good once the program starts, deleted by the start-up code at exit.

#include <QDialog>
#include <QStringList>

class QListWidgetItem;

namespace Ui {
class SystemSelect;
}

class SystemSelect : public QDialog
{
    Q_OBJECT

public:
    // How the main window is asked to start its link.
    enum ComMode {
        COM_MODE_OFFLINE = 1,
        COM_MODE_USB = 2,
        COM_MODE_ETHERNET = 3,
    };
    // How many addresses the history keeps, the one just used included.
    static constexpr int ETH_HISTORY_MAX = 11;

    explicit SystemSelect(QWidget *pParent);
    ~SystemSelect() override;

    // The address of the IP edit in its plain form ("192.168.001.010" gives "192.168.1.10"):
    // four decimal octets of 0..255, leading zeros being padding and never octal. Empty when
    // the text is no usable address (0.0.0.0 included).
    static QString CleanIpAddress(const QString &qsText);
    // The address as the edit's mask shows it, three digits an octet ("192.168.1.10" gives
    // "192.168.001.010"); a text that is no address is returned as it is.
    static QString MaskedIpAddress(const QString &qsAddress);
    // The address history after a link to qsAddress (plain form) opened: that address first,
    // then the older ones in their order, each once and in plain form, at most
    // ETH_HISTORY_MAX in all. Entries that are no address are dropped.
    static QStringList MergeEthHistory(const QString &qsAddress, const QStringList &lOld);

protected:
    void closeEvent(QCloseEvent *pEvent) override;
    // Typing into the IP edit: a digit at the start of an octet replaces the whole octet, a dot
    // ends the octet and moves on, so an address is typed the way it is written.
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void s_OnConnectBtn();
    void s_OnStartOfflineBtn();
    void s_OnEthHistListDblClk(QListWidgetItem *pItem);
    void s_OnLinkListChange(int iRow);
    void s_OnEthIpLEEdited(const QString &qsValue);

private:
    void FillUsbList();
    void FillEthHistory();
    void UpdateConnectBtn();
    void StartSoftware(bool bConnect);
    bool IsEthernetSelected() const;
    int StartMainWindow(int iMode, const QString &qsParam);

    Ui::SystemSelect *m_pUi;
};

extern SystemSelect *g_pSystemSelect;
