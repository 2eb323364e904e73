// The test tools' register script player: a `.reg` script run line by line over the VPU link,
// each outcome written to the `.res` file beside it.
#include "testtools/testtools.h"
#include "testtools/testtoolsrequest.h"

#include "comm/vpucom.h"
#include "config/softconf.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"

#include <QRegularExpression>
#include <QTimer>

#include <limits>

namespace {

QString Hex2(uint uiValue)
{
    return QStringLiteral("%1").arg(uiValue, 2, 16, QLatin1Char('0'));
}

// Hexadecimal digits only, read as a 32-bit number: leading zeros do not count against the
// width, a value beyond 32 bits does not read.
bool ReadHexDigits(const QString &qsDigits, quint32 *puValue)
{
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!hexDigits.match(qsDigits).hasMatch())
        return false;
    bool bOk = false;
    *puValue = qsDigits.toUInt(&bOk, 16);
    return bOk;
}

// A script's hexadecimal field: digits after an optional "0x", low 8 bits kept.
bool ScriptHex(QString qsField, quint8 *pucValue)
{
    if (qsField.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        qsField.remove(0, 2);
    quint32 uValue = 0;
    if (!ReadHexDigits(qsField, &uValue))
        return false;
    *pucValue = quint8(uValue);
    return true;
}

// The results go beside the script: the file name is cut at its own ".reg", never at a folder's.
QString ResultFileName(const QString &qsScript)
{
    const int iSlash = qsScript.lastIndexOf(QLatin1Char('/'));
    const QString qsFolder = qsScript.left(iSlash + 1);
    const QString qsFile = qsScript.mid(iSlash + 1);
    const int iReg = qsFile.indexOf(QLatin1String(".reg"));
    return qsFolder + (iReg >= 0 ? qsFile.left(iReg) : qsFile) + QStringLiteral(".res");
}

} // namespace

void TestTools::s_OnScriptChoiceBtn()
{
    QString qsName = Prompts::Instance().GetOpenFileName(this, tr("Select the script file (%1)").arg("*.reg"),
                                                         QStringLiteral("Scripts/"), QStringLiteral("*.reg"));
    if (qsName.isEmpty())
        return;
    CConfig::MakeRelativePath(qsName);
    m_pUi->m_pScriptCBox->clear();
    m_pUi->m_pScriptCBox->setEditText(qsName);
}

void TestTools::s_OnRunScriptBtn()
{
    const QString qsName = m_pUi->m_pScriptCBox->currentText();
    if (qsName.isEmpty()) {
        TraceError("Script file name is empty!");
        return;
    }
    if (!StartScript(qsName))
        return;
    UpdateScriptHistory();
    ExecuteNextScriptLine();
}

void TestTools::LinkScript(bool bLink)
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    if (bLink) {
        connect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnScriptFpgaRegReadDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnScriptFpgaRegWriteDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigI2cReadMsg, this, &TestTools::s_OnScriptI2cReadDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigI2cWriteMsg, this, &TestTools::s_OnScriptI2cWriteDone, Qt::UniqueConnection);
    } else {
        disconnect(pCom, &CVpuCom::sigFpgaRegReadMsg, this, &TestTools::s_OnScriptFpgaRegReadDone);
        disconnect(pCom, &CVpuCom::sigFpgaRegWriteMsg, this, &TestTools::s_OnScriptFpgaRegWriteDone);
        disconnect(pCom, &CVpuCom::sigI2cReadMsg, this, &TestTools::s_OnScriptI2cReadDone);
        disconnect(pCom, &CVpuCom::sigI2cWriteMsg, this, &TestTools::s_OnScriptI2cWriteDone);
    }
}

bool TestTools::StartScript(const QString &qsName)
{
    const QByteArray baName = U8(qsName);
    TraceInfo("Run script file '%s'...", baName.constData());
    m_iScriptLine = 0;
    m_bScriptWriteFailed = false;
    m_bScriptRunning = true;
    LinkScript(true);
    m_pMainWnd->setDisabled(true);

    if (!qsName.contains(QLatin1String(".reg"))) {
        TraceError("Script file name invalid ('%s') - doesn't contain extension '%s'", baName.constData(), ".reg");
        return EndScript(false);
    }
    m_ScriptFile.setFileName(qsName);
    if (!m_ScriptFile.exists()) {
        TraceError("'%s' file doesn't exists!", baName.constData());
        return EndScript(false);
    }
    if (!m_ScriptFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        return EndScript(false);
    }
    m_ResultFile.setFileName(ResultFileName(qsName));
    if (!m_ResultFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text | QIODevice::Unbuffered)) {
        TraceError("Failed to open '%s' file!", U8(m_ResultFile.fileName()).constData());
        return EndScript(false);
    }
    return true;
}

void TestTools::UpdateScriptHistory()
{
    if (m_pUi->m_pScriptCBox->currentText().isEmpty()) {
        TraceError("Script file name is empty!");
        return;
    }
    if (!PushHistory(m_pUi->m_pScriptCBox, &m_ScriptsHistory, SCRIPT_HISTORY_MAX))
        return;
    g_SoftConf.UpdateScriptsHistory(m_ScriptsHistory);
    g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
}

bool TestTools::ExecuteNextScriptLine()
{
    while (!m_ScriptFile.atEnd()) {
        ++m_iScriptLine;
        QByteArray baLine = m_ScriptFile.readLine();
        const int iNul = baLine.indexOf('\0');
        if (iNul >= 0)
            baLine.truncate(iNul);
        const QString qsClean = TraceStripControlChars(QString::fromLatin1(baLine));
        QString qsBare = qsClean;
        qsBare.remove(QLatin1Char(' '));
        qsBare.remove(QLatin1Char('\t'));
        if (qsBare.isEmpty()) {
            WriteScriptResult(QString());
            continue;
        }
        if (qsBare.startsWith(QLatin1Char('#'))) {
            WriteScriptResult(qsClean);
            continue;
        }

        m_qsScriptComment.clear();
        QString qsAction = qsBare;
        const int iHash = qsBare.indexOf(QLatin1Char('#'));
        if (iHash >= 0) {
            qsAction = qsBare.left(iHash);
            m_qsScriptComment = qsClean.mid(qsClean.indexOf(QLatin1Char('#')));
        }
        const QStringList fields = qsAction.split(QLatin1Char(';'), Qt::KeepEmptyParts);
        if (fields.size() < 2) {
            TraceError("Data format of the line %d is not valid ('%s') contains less than 2 fields!", m_iScriptLine,
                       U8(qsBare).constData());
            return EndScript(false);
        }
        const QString &qsName = fields.at(0);
        bool bStarted = false;
        if (qsName == QLatin1String("REG_RD"))
            bStarted = ScriptRegRead(fields);
        else if (qsName == QLatin1String("REG_WR"))
            bStarted = ScriptRegWrite(fields);
        else if (qsName == QLatin1String("REG_CK"))
            bStarted = ScriptRegCheck(fields);
        else if (qsName == QLatin1String("I2C_RD"))
            bStarted = ScriptI2cRead(fields);
        else if (qsName == QLatin1String("I2C_WR"))
            bStarted = ScriptI2cWrite(fields);
        else if (qsName == QLatin1String("I2C_CK"))
            bStarted = ScriptI2cCheck(fields);
        else if (qsName == QLatin1String("WAITMS"))
            bStarted = ScriptWait(fields, qsClean);
        else {
            TraceError("Action field on line %d is not valid ('%s')!", m_iScriptLine, U8(qsBare).constData());
            return EndScript(false);
        }
        if (!bStarted) {
            TraceError("Script error on line %d!", m_iScriptLine);
            return EndScript(false);
        }
        return true;
    }
    // Lines missing from the results make the run a failure, wherever they went missing.
    return EndScript(!m_bScriptWriteFailed);
}

bool TestTools::EndScript(bool bSuccess)
{
    m_ScriptFile.close();
    m_ResultFile.close();
    LinkScript(false);
    m_bScriptRunning = false;
    if (bSuccess)
        TraceSuccess("Script file executed with success!");
    else
        TraceError("Script file execution failed!");
    m_pMainWnd->setDisabled(false);
    return bSuccess;
}

bool TestTools::WriteScriptResult(const QString &qsText)
{
    TraceInfo("SCRIPT: %s", U8(qsText).constData());
    return WriteResultLine(qsText);
}

bool TestTools::WriteScriptError(const QString &qsText)
{
    TraceError("SCRIPT-ERROR: %s", U8(qsText).constData());
    return WriteResultLine(qsText);
}

bool TestTools::WriteResultLine(const QString &qsText)
{
    const QByteArray baLine = U8(qsText) + '\n';
    if (m_ResultFile.write(baLine) != baLine.size()) {
        TraceError("Failed to write on result file '%s'", U8(m_ResultFile.fileName()).constData());
        m_bScriptWriteFailed = true;
        return false;
    }
    return true;
}

// ---- actions ----

bool TestTools::ScriptFieldCount(const QStringList &fields, int iCount, bool bScriptError)
{
    if (fields.size() == iCount)
        return true;
    TraceError("Invalid number of parameters for '%s' action!", U8(fields.at(0)).constData());
    if (bScriptError)
        WriteScriptError(QStringLiteral("Script Error!"));
    return false;
}

// A register written "0x" and its offset, or a name of vpu.reginit. An offset that does not
// read is refused: register 0 must never be written in its place.
bool TestTools::ScriptRegister(const QString &qsField)
{
    if (qsField.size() > 2 && qsField.startsWith(QLatin1String("0x"))) {
        quint32 uOffset = 0;
        if (ReadHexDigits(qsField.mid(2), &uOffset) && uOffset <= 0xFFFF) {
            m_tScriptReg.offset = quint16(uOffset);
            m_tScriptReg.name.clear();
            return true;
        }
    } else {
        for (const RegEntry_t &entry : m_VpuRegList) {
            if (entry.name == qsField) {
                m_tScriptReg.offset = entry.offset;
                m_tScriptReg.name = entry.name;
                return true;
            }
        }
    }
    TraceError("Invalid register name or offset!");
    WriteScriptError(QStringLiteral("Script Error!"));
    return false;
}

QString TestTools::ScriptRegisterText() const
{
    if (!m_tScriptReg.name.isEmpty())
        return m_tScriptReg.name;
    return QStringLiteral("0x%1").arg(m_tScriptReg.offset, 4, 16, QLatin1Char('0'));
}

// Hexadecimal value fields: a field that does not read is refused rather than sent as 0.
static bool ScriptHexFields(const QStringList &fields, int iFirst, int iCount, quint8 *pucOut, int iLine)
{
    for (int i = 0; i < iCount; ++i) {
        if (!ScriptHex(fields.at(iFirst + i), &pucOut[i])) {
            TraceError("Value field is invalid on line %d ('%s') must be in hexadecimal!", iLine,
                       U8(fields.at(iFirst + i)).constData());
            return false;
        }
    }
    return true;
}

bool TestTools::ScriptRegRead(const QStringList &fields)
{
    if (!ScriptFieldCount(fields, 2, true) || !ScriptRegister(fields.at(1)))
        return false;
    m_bCheckMode = false;
    const quint16 usOffset = m_tScriptReg.offset;
    if (m_pMainWnd->m_VpuCom.FpgaRegRead(FpgaRegHigh(usOffset), FpgaRegLow(usOffset)) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    return true;
}

// The register, mask and value (or expected value) of a REG_WR or REG_CK line.
bool TestTools::ScriptRegMaskValue(const QStringList &fields)
{
    quint8 aucValues[2] = {};
    if (!ScriptFieldCount(fields, 4, true) || !ScriptRegister(fields.at(1)))
        return false;
    if (!ScriptHexFields(fields, 2, 2, aucValues, m_iScriptLine)) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    m_tScriptReg.mask = aucValues[0];
    m_tScriptReg.value = aucValues[1];
    return true;
}

bool TestTools::ScriptRegWrite(const QStringList &fields)
{
    if (!ScriptRegMaskValue(fields))
        return false;
    const quint16 usOffset = m_tScriptReg.offset;
    if (m_pMainWnd->m_VpuCom.FpgaRegWrite(FpgaRegHigh(usOffset), FpgaRegLow(usOffset), m_tScriptReg.mask,
                                          m_tScriptReg.value) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    return true;
}

bool TestTools::ScriptRegCheck(const QStringList &fields)
{
    if (!ScriptRegMaskValue(fields))
        return false;
    m_bCheckMode = true;
    const quint16 usOffset = m_tScriptReg.offset;
    if (m_pMainWnd->m_VpuCom.FpgaRegRead(FpgaRegHigh(usOffset), FpgaRegLow(usOffset)) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    return true;
}

// Link (decimal), chip and sub-address, then iExtra more hexadecimal fields into the record.
static bool ScriptI2cFields(const QStringList &fields, int iExtra, I2cRegister_t *ptReg, int iLine)
{
    bool bOk = false;
    const uint uiLink = fields.at(1).toUInt(&bOk, 10);
    if (!bOk) {
        TraceError("Value field is invalid on line %d ('%s') must be a decimal!", iLine, U8(fields.at(1)).constData());
        return false;
    }
    quint8 aucValues[4] = {0, 0, 0xFF, 0xFF};
    if (!ScriptHexFields(fields, 2, 2 + iExtra, aucValues, iLine))
        return false;
    *ptReg = I2cRegister_t{quint8(uiLink), aucValues[0], aucValues[1], aucValues[2], aucValues[3]};
    if (iExtra == 0)
        ptReg->Mask = ptReg->Value = 0xFF;
    return true;
}

bool TestTools::ScriptI2cRead(const QStringList &fields)
{
    I2cRegister_t tReg{};
    if (!ScriptFieldCount(fields, 4, true))
        return false;
    if (!ScriptI2cFields(fields, 0, &tReg, m_iScriptLine) || m_pMainWnd->m_VpuCom.I2cRead(tReg) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    m_bCheckMode = false;
    return true;
}

bool TestTools::ScriptI2cWrite(const QStringList &fields)
{
    I2cRegister_t tReg{};
    if (!ScriptFieldCount(fields, 6, true))
        return false;
    if (!ScriptI2cFields(fields, 2, &tReg, m_iScriptLine) || m_pMainWnd->m_VpuCom.I2cWrite(tReg) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    return true;
}

bool TestTools::ScriptI2cCheck(const QStringList &fields)
{
    if (!ScriptFieldCount(fields, 6, true))
        return false;
    if (!ScriptI2cFields(fields, 2, &m_tScriptI2cReg, m_iScriptLine)) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    m_bCheckMode = true;
    if (m_pMainWnd->m_VpuCom.I2cRead(m_tScriptI2cReg) != 0) {
        WriteScriptError(QStringLiteral("Script Error!"));
        return false;
    }
    return true;
}

bool TestTools::ScriptWait(const QStringList &fields, const QString &qsClean)
{
    if (!ScriptFieldCount(fields, 2, false) || !WriteScriptResult(qsClean))
        return false;
    bool bOk = false;
    m_ullScriptWaitMs = fields.at(1).toULongLong(&bOk, 10);
    if (!bOk) {
        TraceError("Value field is invalid on line %d ('%s') must be a decimal!", m_iScriptLine,
                   U8(fields.at(1)).constData());
        return false;
    }
    // The timer counts in an int: a longer wait would never end.
    if (m_ullScriptWaitMs > quint64(std::numeric_limits<int>::max())) {
        TraceError("Wait time on line %d ('%s') is beyond %d ms!", m_iScriptLine, U8(fields.at(1)).constData(),
                   std::numeric_limits<int>::max());
        return false;
    }
    WriteScriptResult(QStringLiteral("Wait for %1 ms ...").arg(m_ullScriptWaitMs));
    QTimer::singleShot(int(m_ullScriptWaitMs), this, &TestTools::s_OnScriptWaitDone);
    return true;
}

// ---- completions ----

void TestTools::s_OnScriptFpgaRegReadDone(int iReturn, unsigned char ucData)
{
    if (iReturn != 0) {
        WriteScriptError(QStringLiteral("Failed to Read Fpga register value! (Error = %1)").arg(iReturn));
        EndScript(false);
        return;
    }
    const QString qsReg = ScriptRegisterText();
    if (!m_bCheckMode) {
        WriteScriptResult(QStringLiteral("REG_RD;%1;0x%2 %3").arg(qsReg, Hex2(ucData), m_qsScriptComment));
    } else if (ucData == m_tScriptReg.value) {
        WriteScriptResult(QStringLiteral("REG_CK;%1;0x%2;0x%3 OK! %4")
                              .arg(qsReg, Hex2(m_tScriptReg.mask), Hex2(m_tScriptReg.value), m_qsScriptComment));
    } else {
        WriteScriptError(
            QStringLiteral("REG_CK;%1;0x%2;0x%3 ERROR: Expected Value=0x%4 %5")
                .arg(qsReg, Hex2(m_tScriptReg.mask), Hex2(ucData), Hex2(m_tScriptReg.value), m_qsScriptComment));
        EndScript(false);
        return;
    }
    ExecuteNextScriptLine();
}

void TestTools::s_OnScriptFpgaRegWriteDone(int iReturn)
{
    if (iReturn != 0) {
        WriteScriptError(QStringLiteral("Failed to Write Fpga register value! (Error = %1)").arg(iReturn));
        EndScript(false);
        return;
    }
    WriteScriptResult(
        QStringLiteral("REG_WR;%1;0x%2;0x%3 %4")
            .arg(ScriptRegisterText(), Hex2(m_tScriptReg.mask), Hex2(m_tScriptReg.value), m_qsScriptComment));
    ExecuteNextScriptLine();
}

void TestTools::s_OnScriptI2cReadDone(int iReturn, I2cRegister_t tI2cReg)
{
    if (iReturn != 0) {
        WriteScriptError(QStringLiteral("Failed to read I2C register value! (Error = %1)").arg(iReturn));
        EndScript(false);
        return;
    }
    const QString qsWhere =
        QStringLiteral("Link=%1;Chip=0x%2;Sub-Address=0x%3")
            .arg(QString::number(tI2cReg.Link), Hex2(tI2cReg.ChipAddress), Hex2(tI2cReg.SubAddress));
    if (!m_bCheckMode) {
        WriteScriptResult(
            QStringLiteral("I2C_RD;%1;Value=0x%2 %3").arg(qsWhere, Hex2(tI2cReg.Value), m_qsScriptComment));
    } else if (tI2cReg.Value == m_tScriptI2cReg.Value) {
        WriteScriptResult(
            QStringLiteral("I2C_CK;%1;Mask=0x%2;Value=0x%3 OK! %4")
                .arg(qsWhere, Hex2(m_tScriptI2cReg.Mask), Hex2(m_tScriptI2cReg.Value), m_qsScriptComment));
    } else {
        WriteScriptError(QStringLiteral("I2C_CK;%1;Mask=0x%2;Value=0x%3 ERROR: Expected Value=0x%4 %5")
                             .arg(qsWhere, Hex2(m_tScriptI2cReg.Mask), Hex2(tI2cReg.Value), Hex2(m_tScriptI2cReg.Value),
                                  m_qsScriptComment));
        EndScript(false);
        return;
    }
    ExecuteNextScriptLine();
}

void TestTools::s_OnScriptI2cWriteDone(int iReturn, I2cRegister_t tI2cReg)
{
    if (iReturn != 0) {
        WriteScriptError(
            QStringLiteral("Failed to write I2C register value! (Error = %1) %2").arg(iReturn).arg(m_qsScriptComment));
        EndScript(false);
        return;
    }
    WriteScriptResult(QStringLiteral("I2C_WR;Link=%1;Chip=0x%2;Sub-Address=0x%3;Mask=0x%4;Value=0x%5 %6")
                          .arg(QString::number(tI2cReg.Link), Hex2(tI2cReg.ChipAddress), Hex2(tI2cReg.SubAddress),
                               Hex2(tI2cReg.Mask), Hex2(tI2cReg.Value), m_qsScriptComment));
    ExecuteNextScriptLine();
}

void TestTools::s_OnScriptWaitDone()
{
    WriteScriptResult(QStringLiteral("WAITMS;%1 %2").arg(m_ullScriptWaitMs).arg(m_qsScriptComment));
    ExecuteNextScriptLine();
}
