// The test tools' VPU tab: MCU reboot, sector erase, word and file access to the VPU flash.
#include "config/config.h"
#include "mainwindow/prompts.h"
#include "testtools/testtoolsrequest.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"

#include <QFile>
#include <QListWidget>

namespace {

constexpr quint32 kLastWordOffset = CVpuCom::VPU_FLASH_SIZE - 2;

} // namespace

void TestTools::SetupFlashTab()
{
    connect(m_pUi->m_pRebootMCUBtn, &QPushButton::clicked, this, &TestTools::s_OnRebootMCUBtn);
    connect(m_pUi->m_pFlashEraseBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashEraseBtn);
    connect(m_pUi->m_pFlashReadBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashRdShortBtn);
    connect(m_pUi->m_pFlashWriteBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashWrShortBtn);
    connect(m_pUi->m_pFlashRdFileBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashRdFileBtn);
    connect(m_pUi->m_pFlashRdFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashRdFileChoiceBtn);
    connect(m_pUi->m_pFlashWrFileBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashWrFileBtn);
    connect(m_pUi->m_pFlashWrFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnFlashWrFileChoiceBtn);
}

// ---- MCU reboot ----

void TestTools::s_OnRebootMCUBtn()
{
    StartRequest(&CVpuCom::sigVpuSoftReset, &TestTools::s_OnRebootMCUDone,
                 [](CVpuCom &com) { return com.VpuSoftReset(); });
}

void TestTools::s_OnRebootMCUDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigVpuSoftReset, &TestTools::s_OnRebootMCUDone))
        return;
    // A failure has been reported by the link itself.
    if (iStatus != 0)
        return;
    m_pMainWnd->SetOnline(false);
    m_pMainWnd->m_VpuCom.CloseIfOpen();
}

// ---- sector erase ----

void TestTools::s_OnFlashEraseBtn()
{
    m_EraseList.clear();
    m_iEraseIdx = 0;
    const QList<QListWidgetItem *> selected = m_pUi->m_pFlashSectorsList->selectedItems();
    if (selected.isEmpty()) {
        TraceInfo("No Flash Sector selected to be erased!");
        return;
    }
    TraceInfo("Erasing VPU Flash Sectors...");
    QList<quint32> offsets;
    for (const QListWidgetItem *pItem : selected) {
        bool bOk = false;
        const quint32 uiOffset = pItem->data(Qt::UserRole).toUInt(&bOk);
        if (!bOk) {
            TraceError("Invalid Sector Offset!");
            return;
        }
        TraceInfo("    Sector at offset 0x%08X", uiOffset);
        offsets.append(uiOffset);
    }
    m_EraseList = offsets;
    m_pMainWnd->setDisabled(true);
    connect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigFlashEraseMsg, this, &TestTools::s_OnFlashEraseDone,
            Qt::UniqueConnection);
    if (!EraseNextSector())
        EndRequest(&CVpuCom::sigFlashEraseMsg, &TestTools::s_OnFlashEraseDone);
}

bool TestTools::EraseNextSector()
{
    const quint32 uiOffset = m_EraseList.at(m_iEraseIdx);
    quint32 uiStart = 0;
    quint32 uiSize = 0;
    CVpuCom::GetVpuFlashSector(uiOffset, &uiStart, &uiSize);
    CVpuCom &com = m_pMainWnd->m_VpuCom;
    if (com.FlashErase(uiOffset, uiSize) != 0)
        return false;
    m_Pending.Expect(com);
    return true;
}

void TestTools::s_OnFlashEraseDone(int iReturn, uint uiOffset)
{
    if (!m_Pending.Take(m_pMainWnd->m_VpuCom))
        return;
    ++m_iEraseIdx;
    if (iReturn != 0) {
        EndRequest(&CVpuCom::sigFlashEraseMsg, &TestTools::s_OnFlashEraseDone);
        ErrorMsg(tr("Failed to Erase Flash Sector at offset 0x%1! Stop Erase sequence!").arg(HexText(uiOffset, 8)),
                 iReturn);
        return;
    }
    TraceSuccess("VPU Flash Sector at offset 0x%08X erased!", uiOffset);
    if (m_iEraseIdx >= m_EraseList.size() || !EraseNextSector())
        EndRequest(&CVpuCom::sigFlashEraseMsg, &TestTools::s_OnFlashEraseDone);
}

// ---- one 16-bit word ----

// The word tools take an offset at which both bytes lie inside the flash.
bool TestTools::GetFlashOffset(quint32 *puiOffset)
{
    *puiOffset = HexField(m_pUi->m_pFlashOffsetLE);
    if (*puiOffset > kLastWordOffset) {
        TraceError("Invalid Flash Offset (Must be [0x0000000;0x%07X])!", kLastWordOffset);
        return false;
    }
    return true;
}

void TestTools::s_OnFlashRdShortBtn()
{
    quint32 uiOffset = 0;
    if (!GetFlashOffset(&uiOffset))
        return;
    StartRequest(&CVpuCom::sigFlashReadMsg, &TestTools::s_OnFlashReadShortDone,
                 [uiOffset](CVpuCom &com) { return com.FlashRead(uiOffset, 2); });
}

void TestTools::s_OnFlashReadShortDone(int iStatus, uint uiOffset, uint uiLength, QByteArray baData)
{
    if (!TakeReply(&CVpuCom::sigFlashReadMsg, &TestTools::s_OnFlashReadShortDone))
        return;
    if (iStatus != 0) {
        TraceError("Failed to read short word in flash at offset 0x%08X; Error = %d", uiOffset, iStatus);
    } else if (uiLength != 2 || baData.size() != 2) {
        TraceError("Read flash short word: the read buffer holds %d bytes instead of 2!", int(baData.size()));
    } else {
        const quint16 usWord = quint16(quint8(baData.at(0)) | quint8(baData.at(1)) << 8);
        m_pUi->m_pFlashRdWrShortLE->setText(HexText(usWord, 4));
        TraceSuccess("Read flash short word at offset 0x%08X - Value = 0x%04X", uiOffset, usWord);
    }
}

void TestTools::s_OnFlashWrShortBtn()
{
    quint32 uiOffset = 0;
    if (!GetFlashOffset(&uiOffset))
        return;
    const quint16 usWord = quint16(HexField(m_pUi->m_pFlashRdWrShortLE));
    const char acWord[2] = {char(usWord & 0xFF), char(usWord >> 8)};
    StartRequest(&CVpuCom::sigFlashWriteMsg, &TestTools::s_OnFlashWriteShortDone,
                 [uiOffset, &acWord](CVpuCom &com) { return com.FlashWrite(uiOffset, 2, 0, acWord); });
}

void TestTools::s_OnFlashWriteShortDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigFlashWriteMsg, &TestTools::s_OnFlashWriteShortDone))
        return;
    if (iStatus == 0)
        TraceSuccess("Write flash short word at offset 0x%08X = 0x%04X", HexField(m_pUi->m_pFlashOffsetLE),
                     HexField(m_pUi->m_pFlashRdWrShortLE));
    else
        ErrorMsg(tr("Failed to write flash short word at offset '0x%1' with value '0x%2'")
                     .arg(m_pUi->m_pFlashOffsetLE->text(), m_pUi->m_pFlashRdWrShortLE->text()),
                 iStatus);
}

// ---- flash to file, file to flash ----

void TestTools::s_OnFlashRdFileBtn()
{
    const QString qsName = m_pUi->m_pFlashRdFileCbBox->currentText();
    if (qsName.size() < 2) {
        TraceError("Failed to read Flash to file: Invalid File name!");
        return;
    }
    const quint32 uiOffset = HexField(m_pUi->m_pFlashOffsetLE);
    const quint32 uiSize = HexField(m_pUi->m_pFlashRdSize);
    TraceInfo("Reading 0x%08X bytes on flash from offset 0x%08X to '%s' file...", uiSize, uiOffset,
              U8(qsName).constData());
    // Refused here rather than by the link, which would report it as a failed read.
    if (uiSize == 0) {
        TraceError("Invalid length!");
        return;
    }
    if (quint64(uiOffset) + uiSize > CVpuCom::VPU_FLASH_SIZE) {
        TraceError("Flash read out of range: 0x%08X bytes from offset 0x%08X pass the end of the flash (0x%08X)!",
                   uiSize, uiOffset, CVpuCom::VPU_FLASH_SIZE);
        return;
    }
    StartRequest(&CVpuCom::sigFlashReadMsg, &TestTools::s_OnFlashReadFileDone,
                 [uiOffset, uiSize](CVpuCom &com) { return com.FlashRead(uiOffset, uiSize); });
}

void TestTools::s_OnFlashReadFileDone(int iStatus, uint uiOffset, uint uiLength, QByteArray baData)
{
    if (!TakeReply(&CVpuCom::sigFlashReadMsg, &TestTools::s_OnFlashReadFileDone))
        return;
    if (iStatus != 0) {
        TraceError("Failed to read 0x%08X bytes on flash from offset '0x%08X' (Error = %d)", uiLength, uiOffset,
                   iStatus);
        return;
    }
    const QString qsName = m_pUi->m_pFlashRdFileCbBox->currentText();
    if (SaveReadData(qsName, baData))
        TraceSuccess("0x%08X bytes read on flash from offset 0x%08X and written on file '%s'", uiLength, uiOffset,
                     U8(qsName).constData());
}

bool SaveReadData(const QString &qsName, const QByteArray &baData)
{
    const QByteArray baName = U8(qsName);
    QFile file(qsName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        return false;
    }
    const qint64 llWritten = file.write(baData);
    file.close();
    if (llWritten == baData.size() && file.error() == QFileDevice::NoError)
        return true;
    TraceError("Failed to write %d bytes in '%s' file! (%d bytes written)", int(baData.size()), baName.constData(),
               int(llWritten));
    return false;
}

void TestTools::s_OnFlashWrFileBtn()
{
    const quint32 uiOffset = HexField(m_pUi->m_pFlashOffsetLE);
    const quint32 uiCap = HexField(m_pUi->m_pFlashRdSize);
    const QString qsName = m_pUi->m_pFlashWrFileCbBox->currentText();
    const QByteArray baName = U8(qsName);
    if (qsName.isEmpty()) {
        TraceError("Empty file name!");
        return;
    }
    QFile file(qsName);
    if (!file.exists()) {
        TraceError("File does not exists!");
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        return;
    }
    if (quint64(uiOffset) + quint64(file.size()) > CVpuCom::VPU_FLASH_SIZE) {
        TraceError("File does not fit in flash!");
        return;
    }
    QByteArray baData;
    try {
        baData = file.readAll();
    } catch (const std::bad_alloc &) {
        TraceError("Failed to allocate memory to read file data!");
        return;
    }
    if (baData.size() != file.size()) {
        TraceError("Failed to read data from file!");
        return;
    }
    const quint32 uiCount = std::min(quint32(baData.size()), uiCap);
    // An empty write would only send the parameter block and report success for nothing written.
    if (uiCount == 0) {
        TraceError("Invalid length!");
        return;
    }
    TraceInfo("Writting 0x%08X bytes of '%s' file on flash at offset 0x%08X...", uiCount, baName.constData(), uiOffset);
    StartRequest(&CVpuCom::sigFlashWriteMsg, &TestTools::s_OnFlashWriteFileDone,
                 [&](CVpuCom &com) { return com.FlashWrite(uiOffset, uiCount, 1, baData.constData()); });
}

void TestTools::s_OnFlashWriteFileDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigFlashWriteMsg, &TestTools::s_OnFlashWriteFileDone))
        return;
    const QString qsName = m_pUi->m_pFlashWrFileCbBox->currentText();
    if (iStatus == 0)
        TraceSuccess("'%s' file written on flash at offset 0x%08X", U8(qsName).constData(),
                     HexField(m_pUi->m_pFlashOffsetLE));
    else
        ErrorMsg(tr("Failed to write '%1' file on flash at offset '0x%2'").arg(qsName, m_pUi->m_pFlashOffsetLE->text()),
                 iStatus);
}

void TestTools::s_OnFlashRdFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pFlashRdFileCbBox, true, tr("Select the Flash Output file"), QString(), false);
}

void TestTools::s_OnFlashWrFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pFlashWrFileCbBox, false, tr("Select the file to write in flash"), QString(), false);
}

// A chosen name replaces the combo's text; the flash tab keeps it as the dialog gives it, the
// other tabs relative to the application's folder.
void TestTools::ChooseFile(QComboBox *pCombo, bool bSave, const QString &qsCaption, const QString &qsFilter,
                           bool bRelative)
{
    const QString qsDir = QStringLiteral("Data/");
    QString qsName = bSave ? Prompts::Instance().GetSaveFileName(this, qsCaption, qsDir, qsFilter)
                           : Prompts::Instance().GetOpenFileName(this, qsCaption, qsDir, qsFilter);
    if (qsName.isEmpty())
        return;
    if (bRelative)
        CConfig::MakeRelativePath(qsName);
    pCombo->setEditText(qsName);
}
