#include "panels/device/dmxconfig.h"

#include "config/texttables.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/device/ui_dmxconfig.h"
#include "trace/trace.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableWidgetItem>
#include <QTextCursor>
#include <algorithm>
#include <cstring>

namespace {

// The operator's help for each command, one entry per shown line, indexed by command - 1.
// The DMX values they describe belong to the VPU's firmware and are shown as they stand.
const QList<QList<const char *>> s_HelpLines = {
    {QT_TRANSLATE_NOOP("DMXConfig", "Enable DMX link"),
     QT_TRANSLATE_NOOP("DMXConfig", "0:       Disabled - Commands on DMX link are ignored by VPU"),
     QT_TRANSLATE_NOOP("DMXConfig", "[1-255]: Enabled - Commands on DMX link are processed by VPU")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Select VPU Operating Mode:"), QT_TRANSLATE_NOOP("DMXConfig", "000:     Ignored"),
     QT_TRANSLATE_NOOP("DMXConfig", "001-010: Select Video Input DVI Channel 1"),
     QT_TRANSLATE_NOOP("DMXConfig", "011-020: Select Video Input DVI Channel 2"),
     QT_TRANSLATE_NOOP("DMXConfig", "021-030: Select Video Input HDMI Channel 1"),
     QT_TRANSLATE_NOOP("DMXConfig", "031-040: Select Video Input HDMI Channel 2"),
     QT_TRANSLATE_NOOP("DMXConfig", "041-050: Freeze Output"),
     QT_TRANSLATE_NOOP("DMXConfig", "051-060: Show Cabling Sequence on LPU"),
     QT_TRANSLATE_NOOP("DMXConfig", "061-070: Full screen red"),
     QT_TRANSLATE_NOOP("DMXConfig", "071-080: Full screen green"),
     QT_TRANSLATE_NOOP("DMXConfig", "081-090: Full screen blue"),
     QT_TRANSLATE_NOOP("DMXConfig", "091-100: Full screen white"),
     QT_TRANSLATE_NOOP("DMXConfig", "101-110: Full screen black"),
     QT_TRANSLATE_NOOP("DMXConfig", "111-120: Full screen custom color"),
     QT_TRANSLATE_NOOP("DMXConfig", "121-255: Ignored")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Brightness applied on selected video input by VPU's HDMI receiver."),
     QT_TRANSLATE_NOOP("DMXConfig", "DMX command [1 to 255] => Brightness [1% to 100%]")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Contrast applied on selected video input by VPU's HDMI receiver."),
     QT_TRANSLATE_NOOP("DMXConfig", "DMX command [1 to 255] => Contrast [1% to 100%]")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Hue applied on selected video input by VPU's HDMI receiver."),
     QT_TRANSLATE_NOOP("DMXConfig", "DMX command [1 to 255] => Hue [-89\u00b0 to 90\u00b0]")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Saturation applied on selected video input by VPU's HDMI receiver."),
     QT_TRANSLATE_NOOP("DMXConfig", "DMX command [1 to 255] => Saturation [1 to 100%]")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Color Temperature to be applied on Output Screen by VPU (Range [2000K; 11000K], "
                                    "in 100 \u00b0K units)"),
     QT_TRANSLATE_NOOP("DMXConfig", "Command 1 - Mode:"),
     QT_TRANSLATE_NOOP("DMXConfig", "   000-010: Color temperature correction disabled"),
     QT_TRANSLATE_NOOP("DMXConfig", "   011-020: Custom Color temperature correction (Use 1 next Command)"),
     QT_TRANSLATE_NOOP("DMXConfig", "   021-030: Expert color temperature correction (Use 3 next Commands)"),
     QT_TRANSLATE_NOOP("DMXConfig", "In Custom mode, Command 2:"),
     QT_TRANSLATE_NOOP("DMXConfig", "   000-019: Command is ignored"),
     QT_TRANSLATE_NOOP("DMXConfig", "   020-110: Custom Color temperature / 100 => range [2000;11000] \u00b0K"),
     QT_TRANSLATE_NOOP("DMXConfig", "   111-255: Command is ignored"),
     QT_TRANSLATE_NOOP("DMXConfig", "In Expert mode, Command 2-4:"),
     QT_TRANSLATE_NOOP("DMXConfig", "   000-255: Color temperature coefficient [0 to 255] => [0.0 to 1.0]")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Gamma correction coefficients of Red, green and blue  component (each byte "
                                    "represent the gamma of one component in 0.1 step : range [0.1 to 6.6] is coded "
                                    "[1 to 66])"),
     QT_TRANSLATE_NOOP("DMXConfig", "000: Ignored"), QT_TRANSLATE_NOOP("DMXConfig", "001-066: Gamma / 10"),
     QT_TRANSLATE_NOOP("DMXConfig", "077-255: Ignored")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Individual Red, Green and Blue components levels for full screen custom color "
                                    "test mode (from 0 to 255)")},
    {QT_TRANSLATE_NOOP("DMXConfig", "Launch a Video presetting from VPU memory:"),
     QT_TRANSLATE_NOOP("DMXConfig", "000:  Ignored"), QT_TRANSLATE_NOOP("DMXConfig", "001-009: Default Presetting"),
     QT_TRANSLATE_NOOP("DMXConfig", "010-019: Presetting number 1"),
     QT_TRANSLATE_NOOP("DMXConfig", "020-029: Presetting number 2"),
     QT_TRANSLATE_NOOP("DMXConfig", "030-039: Presetting number 3"),
     QT_TRANSLATE_NOOP("DMXConfig", "040-049: Presetting number 4"),
     QT_TRANSLATE_NOOP("DMXConfig", "050-059: Presetting number 5"),
     QT_TRANSLATE_NOOP("DMXConfig", "060-069: Presetting number 6"),
     QT_TRANSLATE_NOOP("DMXConfig", "070-079: Presetting number 7"),
     QT_TRANSLATE_NOOP("DMXConfig", "080-089: Presetting number 8"),
     QT_TRANSLATE_NOOP("DMXConfig", "090-255: Ignored")},
};

// The command's source name for traces; empty for a number outside the table.
QByteArray CommandName(int iCommand)
{
    return DmxCommandNames.value(iCommand - 1).toUtf8();
}

QByteArray SlotName(int iSlot)
{
    return VpuMemorySlotNames.value(iSlot).toUtf8();
}

const QString kDmxFilter = QStringLiteral("*.dmx");

} // namespace

DMXConfig::DMXConfig(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::DMXConfig), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pDmxWriteToVpuBtn, &QPushButton::clicked, this, &DMXConfig::s_OnDmxWriteToVpuBtn);
    connect(m_pUi->m_pDmxReadFromVpuBtn, &QPushButton::clicked, this, &DMXConfig::s_OnDmxReadFromVpuBtn);
    connect(m_pUi->m_pDmxRestoreDefaultBtn, &QPushButton::clicked, this, &DMXConfig::s_OnDmxRestoreDefaultBtn);
    connect(m_pUi->m_pDmxConfFileOpenBtn, &QPushButton::clicked, this, &DMXConfig::s_OnDmxConfFileOpenBtn);
    connect(m_pUi->m_pDmxConfFileSaveToBtn, &QPushButton::clicked, this, &DMXConfig::s_OnDmxConfFileSaveToBtn);
    connect(m_pUi->m_pDmxMapTable, &QTableWidget::itemSelectionChanged, this, &DMXConfig::s_OnDmxMapItemSelChanged);
    SetOnline(false);

    QTableWidget *pTable = m_pUi->m_pDmxMapTable;
    // The channels and commands are no narrower than their titles in bold, as the header draws
    // the titles above the selected row; the descriptions get what is left of the three columns'
    // designed 100 + 130 + 316 pixels, and whatever room the table has beyond them.
    QHeaderView *pHeader = pTable->horizontalHeader();
    const int iChannelsWidth = std::max(100, pHeader->sectionSizeHint(0));
    const int iCommandWidth = std::max(130, pHeader->sectionSizeHint(1));
    pTable->setColumnWidth(0, iChannelsWidth);
    pTable->setColumnWidth(1, iCommandWidth);
    pTable->setColumnWidth(2, std::max(100 + 130 + 316 - iChannelsWidth - iCommandWidth, pHeader->sectionSizeHint(2)));
    pHeader->setStretchLastSection(true);
    pTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    const char *const apszTexts[] = {QT_TR_NOOP("&Delete DMX Command"), QT_TR_NOOP("&Add DMX Command"),
                                     QT_TR_NOOP("&Set DMX Channel")};
    void (DMXConfig::*const apfnSlots[])(bool) = {&DMXConfig::s_OnDeleteDmxCmdActionTriggered,
                                                  &DMXConfig::s_OnAddDmxCmdActionTriggered,
                                                  &DMXConfig::s_OnSetDmxCmdChnActionTriggered};
    for (int i = 0; i < 3; ++i) {
        auto *pAction = new QAction(tr(apszTexts[i]), pMainWnd);
        connect(pAction, &QAction::triggered, this, apfnSlots[i]);
        pTable->addAction(pAction);
        m_Actions.append(pAction);
    }
    RestoreDefault();
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
    // Dropping every row also drops the selection, so the new row 0 is announced afresh.
    pTable->setRowCount(0);
    pTable->setRowCount(int(m_Mapping.size()));
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    for (int iRow = 0; iRow < m_Mapping.size(); ++iRow) {
        const DMX_Mapping_t &entry = m_Mapping.at(iRow);
        const QString qsChannels =
            entry.size <= 1 ? QStringLiteral("%1").arg(entry.channel)
                            : QStringLiteral("%1-%2").arg(entry.channel).arg(int(entry.channel) + entry.size - 1);
        // A mapping handed in by the main window is taken as it comes: a command number outside
        // the table shows no name (the text lookups refuse it).
        const int iIndex = int(entry.command) - 1;
        const QString cells[3] = {qsChannels, DmxCommandNameTr(iIndex), DmxCommandDescriptionTr(iIndex)};
        for (int iCol = 0; iCol < 3; ++iCol) {
            auto *pItem = new QTableWidgetItem(cells[iCol]);
            pItem->setFlags(flags);
            pTable->setItem(iRow, iCol, pItem);
        }
    }
    if (m_Mapping.isEmpty())
        ShowCommandHelp(0);
    else
        pTable->setCurrentCell(0, 0);
    pTable->setFocus();
    UpdateActions();
}

void DMXConfig::UpdateActions()
{
    const int iRows = m_pUi->m_pDmxMapTable->rowCount();
    m_Actions.at(ACTION_DELETE)->setEnabled(iRows > 0);
    m_Actions.at(ACTION_ADD)->setEnabled(iRows != kDmxCommandCount);
    m_Actions.at(ACTION_SET_CHANNEL)->setEnabled(iRows >= 2 && SelectedRow() >= 0);
}

void DMXConfig::ShowCommandHelp(int iCommand)
{
    QTextEdit *pEdit = m_pUi->m_pDmxCmdDetailsTE;
    pEdit->clear();
    if (iCommand < 1 || iCommand > kDmxCommandCount)
        return;
    for (const char *pszLine : s_HelpLines.at(iCommand - 1))
        pEdit->append(tr(pszLine));
    pEdit->moveCursor(QTextCursor::Start);
}

int DMXConfig::SelectedRow() const
{
    const QTableWidget *pTable = m_pUi->m_pDmxMapTable;
    const int iRow = pTable->currentRow();
    if (iRow < 0 || iRow >= m_Mapping.size() || !pTable->selectionModel()->isRowSelected(iRow, QModelIndex()))
        return -1;
    return iRow;
}

void DMXConfig::s_OnDmxMapItemSelChanged()
{
    const int iRow = m_pUi->m_pDmxMapTable->currentRow();
    if (iRow < 0 || iRow >= m_Mapping.size())
        return;
    ShowCommandHelp(m_Mapping.at(iRow).command);
    UpdateActions();
}

void DMXConfig::s_OnAddDmxCmdActionTriggered(bool)
{
    QStringList names;
    QList<DMX_Mapping_t> offer;
    QList<DMX_Mapping_t> defaults;
    CDmxConf::SetDefaultCommands(defaults);
    for (const DMX_Mapping_t &tDefault : defaults) {
        const bool bUsed = std::any_of(m_Mapping.cbegin(), m_Mapping.cend(),
                                       [&](const DMX_Mapping_t &t) { return t.command == tDefault.command; });
        if (!bUsed) {
            names.append(DmxCommandNameTr(tDefault.command - 1));
            offer.append(tDefault);
        }
    }
    int iIndex = -1;
    if (offer.isEmpty() ||
        !Prompts::Instance().GetItem(this, tr("Select DMX Command to add"), tr("DMX Command:"), names, 0, &iIndex) ||
        iIndex < 0 || iIndex >= offer.size())
        return;
    DMX_Mapping_t tEntry = offer.at(iIndex);
    int iChannel = 0;
    if (!Prompts::Instance().GetInt(this, tr("Select start channel of DMX Command to add"), tr("DMX Channel:"),
                                    tEntry.channel, 1, kDmxChannelMax + 1 - tEntry.size, 1, &iChannel))
        return;
    tEntry.channel = quint16(iChannel);
    InsertDmxCommand(tEntry);
}

int DMXConfig::InsertDmxCommand(const DMX_Mapping_t &tEntry)
{
    const int iPos = CDmxConf::CheckChannelRange(m_Mapping, tEntry.channel, tEntry.size);
    if (iPos < 0)
        return iPos;
    m_Mapping.insert(iPos, tEntry);
    UpdateTable();
    return 0;
}

void DMXConfig::s_OnSetDmxCmdChnActionTriggered(bool)
{
    const int iRow = SelectedRow();
    if (iRow < 0)
        return;
    DMX_Mapping_t tEntry = m_Mapping.at(iRow);
    int iChannel = 0;
    if (!Prompts::Instance().GetInt(
            this, tr("Select start channel of DMX Command '%1'").arg(DmxCommandNameTr(tEntry.command - 1)),
            tr("DMX Channel:"), tEntry.channel, 1, kDmxChannelMax + 1 - tEntry.size, 1, &iChannel))
        return;
    QList<DMX_Mapping_t> lOthers = m_Mapping;
    lOthers.removeAt(iRow);
    const int iPos = CDmxConf::CheckChannelRange(lOthers, quint16(iChannel), tEntry.size);
    if (iPos < 0)
        return;
    TraceInfo("Set DMX Channel on line %d - Command:'%s' to %d", iRow, CommandName(tEntry.command).constData(),
              iChannel);
    tEntry.channel = quint16(iChannel);
    lOthers.insert(iPos, tEntry);
    m_Mapping = lOthers;
    UpdateTable();
}

void DMXConfig::s_OnDeleteDmxCmdActionTriggered(bool)
{
    const int iRow = SelectedRow();
    if (iRow < 0)
        return;
    const DMX_Mapping_t &tEntry = m_Mapping.at(iRow);
    TraceInfo("Delete DMX Command on line %d - Channel:%d - Command:'%s'", iRow, tEntry.channel,
              CommandName(tEntry.command).constData());
    m_Mapping.removeAt(iRow);
    UpdateTable();
}

void DMXConfig::s_OnDmxRestoreDefaultBtn()
{
    RestoreDefault();
}

void DMXConfig::RestoreDefault()
{
    m_pUi->m_pDmxConfFileLE->setText(tr("Default"));
    CDmxConf::SetDefaultCommands(m_Mapping);
    UpdateTable();
}

int DMXConfig::AskSlot(const QString &qsTitle, const QString &qsLabel)
{
    int iSlot = -1;
    if (!Prompts::Instance().GetItem(this, qsTitle, qsLabel, VpuMemorySlotNamesTr(), 0, &iSlot) || iSlot < 0 ||
        iSlot >= kVpuMemorySlotCount)
        return -1;
    return iSlot;
}

void DMXConfig::SetRequestPending(bool bPending, bool bRead)
{
    m_pMainWnd->setDisabled(bPending);
    if (bRead)
        LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigDmxMapRead, this, &DMXConfig::s_OnDmxReadFromVpuDone,
                       bPending);
    else
        LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigDmxMapWrite, this, &DMXConfig::s_OnDmxWriteToVpuDone,
                       bPending);
}

void DMXConfig::s_OnDmxReadFromVpuBtn()
{
    if (!m_bOnline)
        return;
    const int iSlot = AskSlot(tr("Read DMX mapping from VPU"), tr("Select DMX Mapping memory source:"));
    if (iSlot < 0)
        return;
    TraceInfo("Read DMX mapping from VPU setting '%s'...", SlotName(iSlot).constData());
    SetRequestPending(true, true);
    if (m_pMainWnd->m_VpuCom.DmxMapRead(quint32(iSlot)) != 0)
        SetRequestPending(false, true);
}

void DMXConfig::s_OnDmxReadFromVpuDone(int iStatus, short sDmxCmdNum, QByteArray baData)
{
    SetRequestPending(false, true);
    if (iStatus != 0)
        return;
    // As many entries as both the count and the buffer hold.
    const qsizetype iCount =
        std::min<qsizetype>(std::max<short>(sDmxCmdNum, 0), baData.size() / qsizetype(sizeof(DMX_Mapping_t)));
    QList<DMX_Mapping_t> lMapping(iCount);
    if (iCount > 0)
        std::memcpy(lMapping.data(), baData.constData(), size_t(iCount) * sizeof(DMX_Mapping_t));
    // What the VPU keeps in a slot is not ours to trust: a mapping the panel could not have made
    // would be written back as it is by the next download.
    if (const int iCheck = CDmxConf::CheckMapping(lMapping); iCheck != 0) {
        ErrorMsg(tr("Invalid DMX mapping read from VPU!"), iCheck);
        return;
    }
    m_Mapping = lMapping;
    UpdateTable();
}

void DMXConfig::s_OnDmxWriteToVpuBtn()
{
    if (!m_bOnline)
        return;
    if (const int iCheck = CDmxConf::CheckMapping(m_Mapping); iCheck != 0) {
        ErrorMsg(tr("Failed to write DMX mapping on VPU!"), iCheck);
        return;
    }
    const int iSlot = AskSlot(tr("Send DMX mapping to VPU"), tr("Select DMX Mapping memory destination:"));
    if (iSlot < 0)
        return;
    TraceInfo("Writing DMX mapping on VPU setting '%s'...", SlotName(iSlot).constData());
    SetRequestPending(true, false);
    if (m_pMainWnd->m_VpuCom.DmxMapWrite(quint32(iSlot), m_Mapping) != 0)
        SetRequestPending(false, false);
}

void DMXConfig::s_OnDmxWriteToVpuDone(int)
{
    SetRequestPending(false, false);
}

void DMXConfig::s_OnDmxConfFileOpenBtn()
{
    const QString qsPath =
        Prompts::Instance().GetOpenFileName(this, tr("Select the DMX Mapping configuration file (%1)").arg(kDmxFilter),
                                            QStringLiteral("Projects"), kDmxFilter);
    if (qsPath.isEmpty())
        return;
    // Open reports a file it cannot read and Parse a document that is no mapping; a file that
    // is not XML at all is only traced by Open.
    int iStatus = m_DmxConf.Open(qsPath);
    if (iStatus == -20)
        ErrorMsg(tr("Invalid DMX mapping file '%1'!").arg(qsPath), iStatus);
    if (iStatus == 0)
        iStatus = m_DmxConf.Parse();
    if (iStatus != 0)
        return;
    m_DmxConf.GetCommands(m_Mapping);
    m_pUi->m_pDmxConfFileLE->setText(qsPath);
    UpdateTable();
}

void DMXConfig::s_OnDmxConfFileSaveToBtn()
{
    QString qsPath = Prompts::Instance().GetSaveFileName(
        this, tr("Select the DMX Mapping output configuration file (%1)").arg(kDmxFilter), QStringLiteral("Projects"),
        kDmxFilter);
    if (qsPath.isEmpty())
        return;
    if (QFileInfo(qsPath).suffix().isEmpty())
        qsPath += QStringLiteral(".dmx");
    m_DmxConf.SetCommands(m_Mapping);
    int iStatus = m_DmxConf.Write();
    if (iStatus == 0)
        iStatus = m_DmxConf.Save(qsPath);
    if (iStatus != 0)
        ErrorMsg(tr("Failed to save DMX mapping file '%1'!").arg(qsPath), iStatus);
}
