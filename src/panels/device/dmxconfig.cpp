#include "panels/device/dmxconfig.h"

#include "config/texttables.h"
#include "mainwindow/zelvor.h"
#include "panels/device/ui_dmxconfig.h"

#include <QTableWidgetItem>

DMXConfig::DMXConfig(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::DMXConfig), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
}

DMXConfig::~DMXConfig()
{
    delete m_pUi;
}

void DMXConfig::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pDmxWriteToVpuBtn->setEnabled(bOnline);
    m_pUi->m_pDmxReadFromVpuBtn->setEnabled(bOnline);
}

int DMXConfig::GetDmxMapping(QList<DMX_Mapping_t> &lMapping) const
{
    lMapping = m_Mapping;
    return 0;
}

int DMXConfig::SetDmxMapping(const QList<DMX_Mapping_t> &lMapping)
{
    m_Mapping = lMapping;
    UpdateTable();
    return 0;
}

void DMXConfig::UpdateTable()
{
    QTableWidget *pTable = m_pUi->m_pDmxMapTable;
    pTable->clearContents();
    pTable->setRowCount(int(m_Mapping.size()));
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    for (int iRow = 0; iRow < m_Mapping.size(); ++iRow) {
        const DMX_Mapping_t &entry = m_Mapping.at(iRow);
        const QString qsChannels =
            entry.size <= 1 ? QStringLiteral("%1").arg(entry.channel)
                            : QStringLiteral("%1-%2").arg(entry.channel).arg(int(entry.channel) + entry.size - 1);
        // A mapping read from the VPU is taken as it comes: a command number outside the
        // table shows no name (the text lookups refuse it).
        const int iIndex = int(entry.command) - 1;
        const QString cells[3] = {qsChannels, DmxCommandNameTr(iIndex), DmxCommandDescriptionTr(iIndex)};
        for (int iCol = 0; iCol < 3; ++iCol) {
            auto *pItem = new QTableWidgetItem(cells[iCol]);
            pItem->setFlags(flags);
            pTable->setItem(iRow, iCol, pItem);
        }
    }
    if (!m_Mapping.isEmpty())
        pTable->selectRow(0);
}
