// The test tools' register name files, the FPGA register and I2C buttons and the built-in FPGA
// register action lists.
#include "testtools/testtools.h"
#include "testtools/testtoolsrequest.h"

#include "comm/vpucom.h"
#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"

#include <QRegularExpression>
#include <QTimer>

#include <iterator>

namespace {

const char *const kVpuRegInitFile = "Scripts/vpu.reginit";
const char *const kLpuRegInitFile = "Scripts/lpu.reginit";

// Hexadecimal digits only, after an optional "0x"; false when there are none or others.
bool ParseHex(QString qsText, quint64 ullMax, quint64 *pullValue)
{
    if (qsText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        qsText.remove(0, 2);
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]{1,16}$"));
    if (!hexDigits.match(qsText).hasMatch())
        return false;
    bool bOk = false;
    *pullValue = qsText.toULongLong(&bOk, 16);
    return bOk && *pullValue <= ullMax;
}

// The line as the register name files and scripts read it: up to its first NUL, 8-bit text,
// without line ends, backslashes and terminal escapes.
QString CleanLine(QByteArray baLine)
{
    const int iNul = baLine.indexOf('\0');
    if (iNul >= 0)
        baLine.truncate(iNul);
    return TraceStripControlChars(QString::fromLatin1(baLine));
}

template <class Entry>
bool LoadRegInit(const char *pcFile, quint64 ullMaxOffset, const char *pcDuplicateOffset, int iOffsetDigits,
                 QList<Entry> *pList)
{
    pList->clear();
    QFile file(QString::fromLatin1(pcFile));
    if (!file.exists()) {
        TraceError("Failed to open registers configuration file: '%s' file doesn't exists!", pcFile);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        TraceError("Failed to open '%s' file!", pcFile);
        return false;
    }
    int iLine = 0;
    while (!file.atEnd()) {
        QString qsLine = CleanLine(file.readLine());
        ++iLine;
        qsLine.remove(QLatin1Char(' '));
        if (qsLine.isEmpty() || qsLine.startsWith(QLatin1Char('#')))
            continue;
        const int iHash = qsLine.indexOf(QLatin1Char('#'));
        QString qsData = iHash >= 0 ? qsLine.left(iHash) : qsLine;
        const QString qsComment = iHash >= 0 ? qsLine.mid(iHash) : QString();
        qsData.remove(QLatin1Char('\t'));
        const QStringList fields = qsData.split(QLatin1Char(';'), Qt::KeepEmptyParts);
        if (fields.size() != 2) {
            TraceError("The data format of the line %d is not valid ('%s') - Nb fields != 2!", iLine,
                       U8(qsLine).constData());
            return false;
        }
        quint64 ullOffset = 0;
        if (!ParseHex(fields.at(0), ullMaxOffset, &ullOffset)) {
            TraceError("Register offset format of line %d is not valid ('%s')!", iLine, U8(fields.at(0)).constData());
            return false;
        }
        for (const Entry &other : *pList) {
            if (other.offset == ullOffset) {
                TraceError(pcDuplicateOffset, iOffsetDigits, uint(ullOffset), iLine);
                return false;
            }
        }
        const QString &qsName = fields.at(1);
        if (qsName.isEmpty()) {
            TraceError("Register name of line %d is empty!", iLine);
            return false;
        }
        for (const Entry &other : *pList) {
            if (other.name == qsName) {
                TraceError("Register name '%s' of line %d is already defined!", U8(qsName).constData(), iLine);
                return false;
            }
        }
        Entry entry;
        entry.offset = decltype(entry.offset)(ullOffset);
        entry.name = qsName;
        entry.comment = qsComment;
        pList->append(entry);
    }
    return true;
}

// Scaler output, constant yellow.
const RegAction_t kScalerOutputActions[] = {
    {TestTools::REG_ACTION_WRITE, 0x0000, 0x04, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x0B, 0x01},
    {TestTools::REG_ACTION_WRITE, 0x0020, 0x20, 0x20},
};
// Output, fast vertical column.
const RegAction_t kOutputActions[] = {
    {TestTools::REG_ACTION_WRITE, 0x0000, 0x04, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x0A, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0040, 0x06, 0x06},
};
const RegAction_t kBlackOutSdramActions[] = {
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x08, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0000, 0x0C, 0x0C},
    {TestTools::REG_ACTION_WAIT, 100, 0, 0},
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x08, 0x08},
    {TestTools::REG_ACTION_WAIT, 50, 0, 0},
    {TestTools::REG_ACTION_WRITE, 0x0000, 0x0C, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x08, 0x00},
};
// SDRAM input, grayscale diagonal.
const RegAction_t kSdramInputActions[] = {
    {TestTools::REG_ACTION_WRITE, 0x0000, 0x04, 0x04},
    {TestTools::REG_ACTION_WRITE, 0x0030, 0x0A, 0x00},
    {TestTools::REG_ACTION_WRITE, 0x0040, 0x06, 0x00},
};

} // namespace

// ---- register name files ----

bool TestTools::LoadVpuRegInit()
{
    return LoadRegInit(kVpuRegInitFile, 0xFFFF, "Register offset '0x%0*X' of line %d is already defined!", 4,
                       &m_VpuRegList);
}

bool TestTools::LoadLpuRegInit()
{
    return LoadRegInit(kLpuRegInitFile, 0xFFFFFFFF, "Register offset '0x%0*X' of line %d is already defined!", 8,
                       &m_LpuRegList);
}

void TestTools::ConnectRegCombo()
{
    {
        ConnectionGuard guard(m_pUi->m_pRegOffsetCbBox, &QComboBox::currentIndexChanged, this,
                              &TestTools::s_OnRegOffsetCbBoxIdxChanged);
        m_pUi->m_pRegOffsetCbBox->clear();
        for (const RegEntry_t &entry : m_VpuRegList)
            m_pUi->m_pRegOffsetCbBox->addItem(entry.name);
    }
    s_OnFpgaOffsetModeRadio(true);
}

void TestTools::ConnectLpuRegCombo()
{
    {
        ConnectionGuard guard(m_pUi->m_pLpuRegOffsetCbBox, &QComboBox::currentIndexChanged, this,
                              &TestTools::s_OnLpuRegOffsetCbBoxIdxChanged);
        m_pUi->m_pLpuRegOffsetCbBox->clear();
        for (const LpuRegEntry_t &entry : m_LpuRegList)
            m_pUi->m_pLpuRegOffsetCbBox->addItem(entry.name);
    }
    s_OnLpuRegOffsetRadio(true);
}

void TestTools::s_OnFpgaOffsetModeRadio(bool)
{
    const bool bByName = !m_VpuRegList.isEmpty() && m_pUi->m_pOffsetNameRadio->isChecked();
    m_pUi->m_pRegOffsetLE->setEnabled(!bByName);
    m_pUi->m_pRegOffsetCbBox->setEnabled(bByName);
    if (bByName)
        s_OnRegOffsetCbBoxIdxChanged(m_pUi->m_pRegOffsetCbBox->currentIndex());
}

void TestTools::s_OnRegOffsetCbBoxIdxChanged(int iIdx)
{
    if (!m_pUi->m_pOffsetNameRadio->isChecked() || iIdx < 0 || iIdx >= m_VpuRegList.size())
        return;
    const RegEntry_t &entry = m_VpuRegList.at(iIdx);
    m_pUi->m_pRegValueLineEdit->setText(HexText(entry.value, 2));
    m_pUi->m_pRegOffsetLE->setText(HexText(entry.offset, 4));
}

void TestTools::s_OnLpuRegOffsetRadio(bool)
{
    const bool bByName = !m_LpuRegList.isEmpty() && m_pUi->m_pLpuRegOffsetNameRadio->isChecked();
    m_pUi->m_pLpuRegOffsetLE->setEnabled(!bByName);
    m_pUi->m_pLpuRegOffsetCbBox->setEnabled(bByName);
    if (bByName)
        s_OnLpuRegOffsetCbBoxIdxChanged(m_pUi->m_pLpuRegOffsetCbBox->currentIndex());
}

void TestTools::s_OnLpuRegOffsetCbBoxIdxChanged(int iIdx)
{
    if (!m_pUi->m_pLpuRegOffsetNameRadio->isChecked() || iIdx < 0 || iIdx >= m_LpuRegList.size())
        return;
    const LpuRegEntry_t &entry = m_LpuRegList.at(iIdx);
    m_pUi->m_pLpuRegValueLineEdit->setText(HexText(entry.value, 8));
    m_pUi->m_pLpuRegOffsetLE->setText(HexText(entry.offset, 8));
}

// ---- FPGA register and I2C ----

bool TestTools::CurrentFpgaOffset(quint16 *pusOffset) const
{
    // With no names loaded the offset field is the only register there is, whatever the radio.
    const int iIdx = m_pUi->m_pRegOffsetCbBox->currentIndex();
    if (m_pUi->m_pOffsetNameRadio->isChecked() && iIdx >= 0 && iIdx < m_VpuRegList.size()) {
        *pusOffset = m_VpuRegList.at(iIdx).offset;
        return true;
    }
    quint64 ullOffset = 0;
    if (!ParseHex(m_pUi->m_pRegOffsetLE->text().trimmed(), 0xFFFF, &ullOffset)) {
        TraceError("Invalid register offset! (Must be in hexa format in [0x0000;0xFFFF] range)");
        return false;
    }
    *pusOffset = quint16(ullOffset);
    return true;
}

void TestTools::s_OnFpgaRegReadBtn()
{
    quint16 usOffset = 0;
    if (!CurrentFpgaOffset(&usOffset))
        return;
    m_usFpgaOffset = usOffset;
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnFpgaRegReadDone, Qt::UniqueConnection);
    if (pCom->FpgaRegRead(FpgaRegHigh(usOffset), FpgaRegLow(usOffset)) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnFpgaRegReadDone);
    }
}

void TestTools::s_OnFpgaRegReadDone(int iReturn, unsigned char ucData)
{
    if (iReturn != 0) {
        TraceError("Failed to Read Fpga register value at offset '0x%04X' (Error = %d)", m_usFpgaOffset, iReturn);
    } else {
        m_pUi->m_pRegValueLineEdit->setText(HexText(ucData, 2));
        TraceSuccess("Read Fpga Register at Offset 0x%04X = 0x%02X", m_usFpgaOffset, ucData);
    }
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnFpgaRegReadDone);
}

void TestTools::s_OnFpgaRegWriteBtn()
{
    quint16 usOffset = 0;
    if (!CurrentFpgaOffset(&usOffset))
        return;
    quint64 ullValue = 0;
    if (!ParseHex(m_pUi->m_pRegValueLineEdit->text().trimmed(), 0xFF, &ullValue)) {
        TraceError("Invalid register value format! (Must be in hexa format in [0x00;0xFF])");
        return;
    }
    m_usFpgaOffset = usOffset;
    m_ucFpgaValue = quint8(ullValue);
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnFpgaRegWriteDone, Qt::UniqueConnection);
    if (pCom->FpgaRegWrite(FpgaRegHigh(usOffset), FpgaRegLow(usOffset), 0xFF, m_ucFpgaValue) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnFpgaRegWriteDone);
    }
}

void TestTools::s_OnFpgaRegWriteDone(int iReturn)
{
    if (iReturn != 0)
        TraceError("Failed to Write Fpga register value at offset '0x%04X' with value '0x%04X' (Error = %d)",
                   m_usFpgaOffset, m_ucFpgaValue, iReturn);
    else
        TraceSuccess("Write Fpga Register at Offset 0x%04X = 0x%02X", m_usFpgaOffset, m_ucFpgaValue);
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnFpgaRegWriteDone);
}

void TestTools::s_OnI2cReadBtn()
{
    const I2cRegister_t tReg{quint8(m_pUi->m_pI2cLinkSpin->value()), quint8(HexField(m_pUi->m_pI2cChipAdrLE)),
                             quint8(HexField(m_pUi->m_pI2cSubAdrLE)), 0xFF, 0xFF};
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigI2cReadMsg, this, &TestTools::s_OnI2cReadDone, Qt::UniqueConnection);
    if (pCom->I2cRead(tReg) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(pCom, &CVpuCom::sigI2cReadMsg, this, &TestTools::s_OnI2cReadDone);
    }
}

void TestTools::s_OnI2cReadDone(int iReturn, I2cRegister_t tI2cReg)
{
    if (iReturn != 0) {
        TraceError("Failed to Read I2C Register: Link %d - Chip-Address=0x%02X - Sub-Address=0x%02X; Error = %d",
                   tI2cReg.Link, tI2cReg.ChipAddress, tI2cReg.SubAddress, iReturn);
    } else {
        m_pUi->m_pI2cValueLE->setText(HexText(tI2cReg.Value, 2));
        TraceSuccess("Read I2C Register: Link %d - Chip-Address=0x%02X - Sub-Address=0x%02X => Value = 0x%02X",
                     tI2cReg.Link, tI2cReg.ChipAddress, tI2cReg.SubAddress, tI2cReg.Value);
    }
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigI2cReadMsg, this, &TestTools::s_OnI2cReadDone);
}

void TestTools::s_OnI2cWriteBtn()
{
    const I2cRegister_t tReg{quint8(m_pUi->m_pI2cLinkSpin->value()), quint8(HexField(m_pUi->m_pI2cChipAdrLE)),
                             quint8(HexField(m_pUi->m_pI2cSubAdrLE)), 0xFF, quint8(HexField(m_pUi->m_pI2cValueLE))};
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigI2cWriteMsg, this, &TestTools::s_OnI2cWriteDone, Qt::UniqueConnection);
    if (pCom->I2cWrite(tReg) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(pCom, &CVpuCom::sigI2cWriteMsg, this, &TestTools::s_OnI2cWriteDone);
    }
}

void TestTools::s_OnI2cWriteDone(int iReturn, I2cRegister_t tI2cReg)
{
    if (iReturn != 0) {
        TraceError("Failed to Write I2C Register: Link %d - Chip-Address=0x%02X - Sub-Address=0x%02X; Error = %d",
                   tI2cReg.Link, tI2cReg.ChipAddress, tI2cReg.SubAddress, iReturn);
    } else {
        m_pUi->m_pI2cValueLE->setText(HexText(tI2cReg.Value, 2));
        TraceSuccess("Write I2C Register: Link %d - Chip-Address=0x%02X - Sub-Address=0x%02X - Value = 0x%02X",
                     tI2cReg.Link, tI2cReg.ChipAddress, tI2cReg.SubAddress, tI2cReg.Value);
    }
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigI2cWriteMsg, this, &TestTools::s_OnI2cWriteDone);
}

// ---- FPGA register action lists ----

void TestTools::RunPattern(const char *pcStart, const RegAction_t *ptActions, int iCount, PatternDone pfnDone)
{
    TraceInfo("%s", pcStart);
    m_pMainWnd->setDisabled(true);
    connect(this, &TestTools::sigEndOfRegActions, this, pfnDone, Qt::UniqueConnection);
    if (StartRegActions(iCount, ptActions) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(this, &TestTools::sigEndOfRegActions, this, pfnDone);
    }
}

void TestTools::EndPattern(PatternDone pfnDone, int iStatus, const char *pcFailed, const char *pcDone)
{
    if (iStatus != 0)
        TraceError(pcFailed, iStatus);
    else
        TraceSuccess("%s", pcDone);
    m_pMainWnd->setDisabled(false);
    disconnect(this, &TestTools::sigEndOfRegActions, this, pfnDone);
}

void TestTools::s_OnFpgaTestPatternScalerOutputBtn()
{
    RunPattern("Activating Fpga Test Pattern at Scaler output (constant yellow color)...", kScalerOutputActions,
               int(std::size(kScalerOutputActions)), &TestTools::s_OnFpgaTestScalerOutputDone);
}

void TestTools::s_OnFpgaTestPatternOutputBtn()
{
    RunPattern("Activating Fpga Test Pattern at output (fast: vertical column)...", kOutputActions,
               int(std::size(kOutputActions)), &TestTools::s_OnFpgaTestPatternOutputDone);
}

void TestTools::s_OnBlackOutSdramBtn()
{
    RunPattern("BlackOut SDRAM...", kBlackOutSdramActions, int(std::size(kBlackOutSdramActions)),
               &TestTools::s_OnBlackOutSdramDone);
}

void TestTools::s_OnFpgaTestPatternSdram1Btn()
{
    RunPattern("Activating Fpga Test Pattern at SDRAM Input (Grayscale Diagonal)...", kSdramInputActions,
               int(std::size(kSdramInputActions)), &TestTools::s_OnFpgaTestPatternSdram1Done);
}

void TestTools::s_OnFpgaTestScalerOutputDone(int iStatus)
{
    EndPattern(&TestTools::s_OnFpgaTestScalerOutputDone, iStatus,
               "Failed to activ Fpga Test Pattern at scaler output (constant yellow color)! (Error = %d)",
               "Fpga Test Pattern at scaler output (constant yellow color) is activ!");
}

void TestTools::s_OnFpgaTestPatternOutputDone(int iStatus)
{
    EndPattern(&TestTools::s_OnFpgaTestPatternOutputDone, iStatus,
               "Failed to activ Fpga Test Pattern at output (fast: vertical column)! (Error = %d)",
               "Fpga Test Pattern at output (fast: vertical column) is activ!");
}

void TestTools::s_OnBlackOutSdramDone(int iStatus)
{
    EndPattern(&TestTools::s_OnBlackOutSdramDone, iStatus, "Failed to BlackOut SDRAM! (Error = %d)",
               "BlackOut SDRAM Done!");
}

void TestTools::s_OnFpgaTestPatternSdram1Done(int iStatus)
{
    EndPattern(&TestTools::s_OnFpgaTestPatternSdram1Done, iStatus,
               "Failed to activ Fpga Test Pattern at SDRAM input (Grayscale Diagonal)! (Error = %d)",
               "Fpga Test Pattern at SDRAM Input (Grayscale Diagonal) is activ!");
}

int TestTools::StartRegActions(int iCount, const RegAction_t *ptActions)
{
    m_iRegActionIdx = 0;
    m_iRegActionCount = iCount;
    if (iCount < 1)
        return -1;
    m_ptRegActions = ptActions;
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    connect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnActionFpgaRegReadDone, Qt::UniqueConnection);
    connect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnActionFpgaRegWriteDone, Qt::UniqueConnection);
    return ExecuteRegAction();
}

int TestTools::ExecuteRegAction()
{
    if (m_iRegActionIdx >= m_iRegActionCount) {
        EndRegActions(0);
        return 0;
    }
    const RegAction_t &tAction = m_ptRegActions[m_iRegActionIdx];
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    int iStatus = 0;
    switch (tAction.type) {
    case REG_ACTION_WRITE:
        iStatus = pCom->FpgaRegWrite(FpgaRegHigh(tAction.offsetOrTime), FpgaRegLow(tAction.offsetOrTime), tAction.mask,
                                     tAction.value);
        break;
    case REG_ACTION_READ:
        iStatus = pCom->FpgaRegRead(FpgaRegHigh(tAction.offsetOrTime), FpgaRegLow(tAction.offsetOrTime));
        break;
    case REG_ACTION_WAIT:
        TraceSuccess("Action: Wait for %d ms ...", tAction.offsetOrTime);
        QTimer::singleShot(tAction.offsetOrTime, this, &TestTools::s_OnActionDelayMsDone);
        break;
    default:
        // A list that cannot be carried out has not done what its button promises.
        TraceError("Invalid Action Type!");
        iStatus = -4;
        break;
    }
    if (iStatus != 0)
        EndRegActions(iStatus);
    return 0;
}

void TestTools::EndRegActions(int iStatus)
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    disconnect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnActionFpgaRegReadDone);
    disconnect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnActionFpgaRegWriteDone);
    emit sigEndOfRegActions(iStatus);
}

void TestTools::s_OnActionFpgaRegWriteDone(int iReturn)
{
    const RegAction_t &tAction = m_ptRegActions[m_iRegActionIdx];
    if (iReturn != 0) {
        TraceError("Action: Failed to write Fpga Register at Offset 0x%04X = 0x%02X - Mask = 0x%02X (Error = %d)",
                   tAction.offsetOrTime, tAction.value, tAction.mask, iReturn);
        EndRegActions(iReturn);
        return;
    }
    TraceSuccess("Action: Write Fpga Register at Offset 0x%04X = 0x%02X - Mask = 0x%02X", tAction.offsetOrTime,
                 tAction.value, tAction.mask);
    ++m_iRegActionIdx;
    ExecuteRegAction();
}

void TestTools::s_OnActionFpgaRegReadDone(int iReturn, unsigned char ucData)
{
    const RegAction_t &tAction = m_ptRegActions[m_iRegActionIdx];
    if (iReturn != 0) {
        TraceError("Action: Failed to Read Fpga register value at offset '0x%04X' (Error = %d)", tAction.offsetOrTime,
                   iReturn);
        EndRegActions(iReturn);
        return;
    }
    TraceSuccess("Action: Read Fpga Register at Offset 0x%04X = 0x%02X", tAction.offsetOrTime, ucData);
    ++m_iRegActionIdx;
    ExecuteRegAction();
}

void TestTools::s_OnActionDelayMsDone()
{
    TraceSuccess("Action: Wait Done!");
    ++m_iRegActionIdx;
    ExecuteRegAction();
}
