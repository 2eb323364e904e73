#pragma once
// The DMX mapping panel: which VPU command listens on which DMX channels. The panel itself
// keeps the mapping; the main window hands it in for a new or uploaded project and takes it
// for a download. Lives in the main window's "DMX Mapping Configuration" dock.

#include "config/dmxconf.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

class QAction;
class Zelvor;

namespace Ui {
class DMXConfig;
}

class DMXConfig : public QWidget
{
    Q_OBJECT

public:
    explicit DMXConfig(Zelvor *pMainWnd);
    ~DMXConfig() override;

    void SetOnline(bool bOnline);
    // The current mapping, in table order. Always 0.
    int GetDmxMapping(QList<DMX_Mapping_t> &lMapping) const;
    // Replaces the mapping by a copy and rebuilds the table. Always 0.
    int SetDmxMapping(const QList<DMX_Mapping_t> &lMapping);

public slots:
    void s_OnDmxWriteToVpuBtn();
    void s_OnDmxReadFromVpuBtn();
    void s_OnDmxRestoreDefaultBtn();
    void s_OnDmxConfFileOpenBtn();
    void s_OnDmxConfFileSaveToBtn();
    void s_OnDmxMapItemSelChanged();
    void s_OnDeleteDmxCmdActionTriggered(bool bTriggered);
    void s_OnAddDmxCmdActionTriggered(bool bTriggered);
    void s_OnSetDmxCmdChnActionTriggered(bool bTriggered);
    void s_OnDmxWriteToVpuDone(int iStatus);
    void s_OnDmxReadFromVpuDone(int iStatus, short sDmxCmdNum, QByteArray baData);

private:
    enum { ACTION_DELETE, ACTION_ADD, ACTION_SET_CHANNEL };

    void UpdateTable();
    void UpdateActions();
    void ShowCommandHelp(int iCommand);
    int InsertDmxCommand(const DMX_Mapping_t &tEntry);
    void RestoreDefault();
    // The selected row when it is a row of the mapping, else -1.
    int SelectedRow() const;
    // The memory slot chosen in a list of the ten slot names; -1 when cancelled.
    int AskSlot(const QString &qsTitle, const QString &qsLabel);
    // Around one request to the VPU: the whole window disabled and the done slot connected.
    void SetRequestPending(bool bPending, bool bRead);

    Ui::DMXConfig *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    QList<QAction *> m_Actions;
    CDmxConf m_DmxConf;
    QList<DMX_Mapping_t> m_Mapping;
};
