// The factory test tools against the simulated VPU: register name files, FPGA register and I2C
// requests byte for byte, the built-in action lists and register scripts with their result files.
#include "comm/vpucom.h"
#include "comm/vpumsg.h"
#include "mainwindow/zelvor.h"
#include "support/linktest.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/scrolling.h"
#include "support/textroom.h"
#include "support/tracecapture.h"
#include "support/vpusimdevice.h"
#include "testtools/testtools.h"
#include "toolsrig.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

// The simulator keeps FPGA registers under the three address bytes of the request.
quint32 RegKey(quint16 usOffset)
{
    return quint32(usOffset >> 8) | quint32(usOffset & 0xFF) << 16;
}

} // namespace

class TestTestTools : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }
    void regNameFile_data();
    void regNameFile();
    void sectorListFollowsFlashGeometry();
    void fpgaAndI2c_data();
    void fpgaAndI2c();
    void blackoutActionList();
    void actionListStopsAtFailure();
    void script_data();
    void script();
    void scriptHistory();
    void maskedFieldsShowWholeValues_data();
    void maskedFieldsShowWholeValues();
    void fpgaPageScrollsOffline_data();
    void fpgaPageScrollsOffline();
};

void TestTestTools::regNameFile_data()
{
    QTest::addColumn<bool>("bVpu");
    QTest::addColumn<QByteArray>("baFile"); // null: no file
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("qsError");
    QTest::newRow("blanks, comments, spaces in the name")
        << true << QByteArray("# head\n\n   \n0x0010 ; REG A # first register\n20;B\n")
        << QStringList{"10:REGA", "20:B"} << QString();
    QTest::newRow("three fields") << true << QByteArray("10;A\n11;B;C\n") << QStringList{"10:A"}
                                  << "The data format of the line 2 is not valid ('11;B;C') - Nb fields != 2!";
    QTest::newRow("tab only") << true << QByteArray("\t\n") << QStringList()
                              << "The data format of the line 1 is not valid ('\t') - Nb fields != 2!";
    QTest::newRow("vpu offset beyond 16 bits") << true << QByteArray("10000;BIG\n") << QStringList()
                                               << "Register offset format of line 1 is not valid ('10000')!";
    QTest::newRow("lpu offset of 32 bits")
        << false << QByteArray("10000;BIG\n0xFFFFFFFF;TOP\n") << QStringList{"10000:BIG", "ffffffff:TOP"} << QString();
    QTest::newRow("same offset twice") << true << QByteArray("10;A\n0x10;B\n") << QStringList{"10:A"}
                                       << "Register offset '0x0010' of line 2 is already defined!";
    QTest::newRow("lpu same offset twice") << false << QByteArray("10;A\n0x10;B\n") << QStringList{"10:A"}
                                           << "Register offset '0x00000010' of line 2 is already defined!";
    QTest::newRow("names differ by case") << true << QByteArray("10;a\n11;A\n12;A\n") << QStringList{"10:a", "11:A"}
                                          << "Register name 'A' of line 3 is already defined!";
    QTest::newRow("empty offset") << true << QByteArray(";A\n") << QStringList()
                                  << "Register offset format of line 1 is not valid ('')!";
    QTest::newRow("empty name") << true << QByteArray("10;\n") << QStringList() << "Register name of line 1 is empty!";
    QTest::newRow("missing file") << true << QByteArray() << QStringList()
                                  << "Failed to open registers configuration file: 'Scripts/vpu.reginit' file doesn't "
                                     "exists!";
}

void TestTestTools::regNameFile()
{
    QFETCH(bool, bVpu);
    QFETCH(QByteArray, baFile);
    QFETCH(QStringList, entries);
    QFETCH(QString, qsError);
    LinkFixture link(QStringLiteral("127.0.26.1"), kFactoryXml);
    if (!baFile.isNull())
        QVERIFY(
            WriteFile(bVpu ? QStringLiteral("Scripts/vpu.reginit") : QStringLiteral("Scripts/lpu.reginit"), baFile));
    TestTools *pTools = link.Build()->m_pTestTools;
    QVERIFY(pTools);
    QStringList loaded;
    QStringList combo;
    QComboBox *pCombo = Child<QComboBox>(pTools, bVpu ? "m_pRegOffsetCbBox" : "m_pLpuRegOffsetCbBox");
    if (bVpu) {
        for (const RegEntry_t &e : pTools->VpuRegisters())
            loaded << QStringLiteral("%1:%2").arg(e.offset, 0, 16).arg(e.name);
    } else {
        for (const LpuRegEntry_t &e : pTools->LpuRegisters())
            loaded << QStringLiteral("%1:%2").arg(e.offset, 0, 16).arg(e.name);
    }
    for (int i = 0; i < pCombo->count(); ++i)
        combo << pCombo->itemText(i);
    QCOMPARE(loaded, entries);
    QCOMPARE(combo.size(), entries.size());
    const QStringList errors = link.Traces().Errors();
    if (!qsError.isEmpty())
        QVERIFY2(errors.contains(qsError), qPrintable(errors.join('\n')));
    // Name mode with names shows the first register in the offset field, which then stays read-only.
    QLineEdit *pOffset = Child<QLineEdit>(pTools, bVpu ? "m_pRegOffsetLE" : "m_pLpuRegOffsetLE");
    QCOMPARE(pOffset->isEnabledTo(pOffset->parentWidget()), entries.isEmpty());
    if (bVpu && !entries.isEmpty())
        QCOMPARE(pOffset->text(), entries.first().section(':', 0, 0).rightJustified(4, '0').toUpper());
}

void TestTestTools::sectorListFollowsFlashGeometry()
{
    LinkFixture link(QStringLiteral("127.0.26.2"), kFactoryXml);
    QListWidget *pList = Child<QListWidget>(link.Build()->m_pTestTools, "m_pFlashSectorsList");
    QCOMPARE(pList->count(), 259);
    QCOMPARE(pList->item(258)->text(), QStringLiteral("Sector 258 - 32KB - Offset 0x01ff8000"));
}

void TestTestTools::fpgaAndI2c_data()
{
    QTest::addColumn<QString>("qsButton");
    QTest::addColumn<QString>("qsOffset"); // null: chosen by name
    QTest::addColumn<QString>("qsValue");
    QTest::addColumn<int>("iFault");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QString>("qsTrace");
    const auto row = [](const char *pcName, const char *pcButton, const char *pcOffset, const char *pcValue, int iFault,
                        const QStringList &requests, const char *pcTrace) {
        QTest::newRow(pcName) << QStringLiteral("m_p%1Btn").arg(pcButton) << QString(pcOffset) << pcValue << iFault
                              << requests << pcTrace;
    };
    row("read typed 12", "RegRead", "12", "", 0, {"23: 00 00 12"}, "Read Fpga Register at Offset 0x0012 = 0x5A");
    row("read FFFF", "RegRead", "FFFF", "", 0, {"23: ff 00 ff"}, "Read Fpga Register at Offset 0xFFFF = 0x00");
    row("read by name", "RegRead", nullptr, "", 0, {"23: 00 00 30"}, "Read Fpga Register at Offset 0x0030 = 0x00");
    row("read fails", "RegRead", "12", "", -7, {"23: 00 00 12"},
        "Failed to Read Fpga register value at offset '0x0012' (Error = -203)");
    row("empty offset", "RegRead", "", "", 0, {},
        "Invalid register offset! (Must be in hexa format in [0x0000;0xFFFF] range)");
    row("write 0A at 1234", "RegWrite", "1234", "0A", 0, {"25: 12 00 34 ff 0a"},
        "Write Fpga Register at Offset 0x1234 = 0x0A");
    row("write empty value", "RegWrite", "1234", "", 0, {},
        "Invalid register value format! (Must be in hexa format in [0x00;0xFF])");
    row("i2c read", "I2cRead", "", "", 0, {"26: 04 50 0a"},
        "Read I2C Register: Link 4 - Chip-Address=0x50 - Sub-Address=0x0A => Value = 0x3C");
    row("i2c write", "I2cWrite", "", "", 0, {"28: 04 50 0a ff 3c"},
        "Write I2C Register: Link 4 - Chip-Address=0x50 - Sub-Address=0x0A - Value = 0x3C");
}

void TestTestTools::fpgaAndI2c()
{
    QFETCH(QString, qsButton);
    QFETCH(QString, qsOffset);
    QFETCH(QString, qsValue);
    QFETCH(int, iFault);
    QFETCH(QStringList, requests);
    QFETCH(QString, qsTrace);
    ToolsRig rig(QStringLiteral("127.0.26.3"));
    QVERIFY(rig.bStarted);
    rig.device.SetFpgaRegister(RegKey(0x12), 0x5A);
    rig.device.SetI2c(4, 0x50, 0x0A, 0x3C);
    if (iFault)
        rig.link.Model().SetHandler(VPU_MSG_FPGA_REG_READ,
                                    [iFault](VpuSimRequest &r) { return r.ReplyStatus(iFault); });
    TestTools *p = rig.pTools;
    if (!qsOffset.isNull()) {
        Child<QRadioButton>(p, "m_pOffsetSpinRadio")->click();
        Child<QLineEdit>(p, "m_pRegOffsetLE")->clear();
        QTest::keyClicks(Child<QLineEdit>(p, "m_pRegOffsetLE"), qsOffset);
    }
    QLineEdit *pValue = Child<QLineEdit>(p, "m_pRegValueLineEdit");
    pValue->clear();
    QTest::keyClicks(pValue, qsValue);
    Child<QSpinBox>(p, "m_pI2cLinkSpin")->setValue(4);
    Child<QLineEdit>(p, "m_pI2cChipAdrLE")->setText(QStringLiteral("50"));
    Child<QLineEdit>(p, "m_pI2cSubAdrLE")->setText(QStringLiteral("0A"));
    Child<QLineEdit>(p, "m_pI2cValueLE")->setText(qsButton.startsWith("m_pI2cWrite") ? "3C" : "00");

    QTest::mouseClick(Child<QPushButton>(p, qPrintable(qsButton)), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_VERIFY2(rig.link.Traces().Contains(qsTrace), qPrintable(rig.link.Traces().Texts().join('\n')));
    QCOMPARE(Requests(rig.link.Model()).filter(QRegularExpression("^(?!3:)")), requests);
    if (qsButton == QLatin1String("m_pRegReadBtn"))
        QCOMPARE(pValue->text(), iFault || requests.isEmpty() ? QString() : qsTrace.right(2));
    if (qsButton == QLatin1String("m_pI2cReadBtn"))
        QCOMPARE(Child<QLineEdit>(p, "m_pI2cValueLE")->text(), QStringLiteral("3C"));
}

void TestTestTools::blackoutActionList()
{
    ToolsRig rig(QStringLiteral("127.0.26.4"));
    QVERIFY(rig.bStarted);
    rig.device.SetFpgaRegister(RegKey(0x30), 0xF7);
    rig.device.SetFpgaRegister(RegKey(0x00), 0x31);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pBlackOutSdramBtn"), Qt::LeftButton);
    QVERIFY(!rig.link.Wnd()->isEnabled());
    QVERIFY(rig.Idle());
    QVERIFY(clock.elapsed() >= 150);
    QCOMPARE(Requests(rig.link.Model()), (QStringList{"25: 00 00 30 08 00", "25: 00 00 00 0c 0c", "25: 00 00 30 08 08",
                                                      "25: 00 00 00 0c 00", "25: 00 00 30 08 00"}));
    // The waits stand between the writes they separate.
    QStringList steps;
    for (const QString &qs : rig.link.Traces().Texts()) {
        if (qs.startsWith(QLatin1String("Action:")))
            steps << qs.left(26);
    }
    QCOMPARE(steps,
             (QStringList{"Action: Write Fpga Registe", "Action: Write Fpga Registe", "Action: Wait for 100 ms ..",
                          "Action: Wait Done!", "Action: Write Fpga Registe", "Action: Wait for 50 ms ...",
                          "Action: Wait Done!", "Action: Write Fpga Registe", "Action: Write Fpga Registe"}));
    QVERIFY(rig.link.Traces().Contains(QStringLiteral("BlackOut SDRAM Done!")));
    // Masked writes leave the other bits of the registers as they were.
    QCOMPARE(int(rig.device.FpgaRegister(RegKey(0x30))), 0xF7);
    QCOMPARE(int(rig.device.FpgaRegister(RegKey(0x00))), 0x31);
}

void TestTestTools::actionListStopsAtFailure()
{
    ToolsRig rig(QStringLiteral("127.0.26.5"));
    QVERIFY(rig.bStarted);
    VpuSimFault fault{-5};
    fault.iAfter = 1;
    rig.link.Model().SetFault(VPU_MSG_FPGA_REG_WRITE, fault);
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pFpgaPatternScalerBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QCOMPARE(Requests(rig.link.Model()), (QStringList{"25: 00 00 00 04 00", "25: 00 00 30 0b 01"}));
    QVERIFY(rig.link.Traces().Contains(
        QStringLiteral("Failed to activ Fpga Test Pattern at scaler output (constant yellow color)! (Error = -5)")));
    // A later manual write is not taken for a step of the finished list.
    rig.link.Model().ClearFaults();
    Child<QRadioButton>(rig.pTools, "m_pOffsetSpinRadio")->click();
    Child<QLineEdit>(rig.pTools, "m_pRegOffsetLE")->setText(QStringLiteral("0040"));
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pRegWriteBtn"), Qt::LeftButton);
    QVERIFY(rig.Idle());
    QTRY_VERIFY(rig.link.Traces().Contains(QStringLiteral("Write Fpga Register at Offset 0x0040 = 0x00")));
    QVERIFY(!rig.link.Traces().Texts().contains(
        QStringLiteral("Action: Write Fpga Register at Offset 0x0020 = 0x20 - Mask = 0x20")));
}

void TestTestTools::script_data()
{
    QTest::addColumn<QString>("qsName");
    QTest::addColumn<QByteArray>("baScript");
    QTest::addColumn<int>("iFaultId");
    QTest::addColumn<QByteArray>("baResult"); // of the ".res" beside the script; null: not written
    QTest::addColumn<int>("iRequests");
    QTest::addColumn<bool>("bOk");
    const auto row = [](const char *pcName, const char *pcFile, const QByteArray &baScript, int iFaultId,
                        const QByteArray &baResult, int iRequests, bool bOk) {
        QTest::newRow(pcName) << pcFile << baScript << iFaultId << baResult << iRequests << bOk;
    };
    row("every command", "Scripts/all.reg",
        "# start\n\nREG_WR ; 0x0030 ; FF ; 1 # enable\nREG_RD;0x30\nREG_RD;CTRL # named\nREG_CK;0x0030;FF;01\n"
        "I2C_WR;1;50;0A;FF;3C\nI2C_RD;1;50;0A\nI2C_CK;1;50;0A;FF;3C # same\nWAITMS;10 # settle\n",
        0,
        "# start\n\nREG_WR;0x0030;0xff;0x01 # enable\nREG_RD;0x0030;0x01 \nREG_RD;CTRL;0x01 # named\n"
        "REG_CK;0x0030;0xff;0x01 OK! \nI2C_WR;Link=1;Chip=0x50;Sub-Address=0x0a;Mask=0xff;Value=0x3c \n"
        "I2C_RD;Link=1;Chip=0x50;Sub-Address=0x0a;Value=0x3c \n"
        "I2C_CK;Link=1;Chip=0x50;Sub-Address=0x0a;Mask=0xff;Value=0x3c OK! # same\n"
        "WAITMS;10 # settle\nWait for 10 ms ...\nWAITMS;10 # settle\n",
        7, true);
    row("check fails, next line not sent", "Scripts/ck.reg", "REG_CK;0x0030;0F;12\nREG_RD;0x0030\n", 0,
        "REG_CK;0x0030;0x0f;0x32 ERROR: Expected Value=0x12 \n", 1, false);
    row("request fails", "Scripts/f.reg", "REG_RD;0x0030\nREG_RD;0x0031\n", VPU_MSG_FPGA_REG_READ,
        "Failed to Read Fpga register value! (Error = -203)\n", 1, false);
    row("offset beyond 16 bits", "Scripts/o.reg", "REG_RD;0x10000\n", 0, "Script Error!\n", 0, false);
    row("offset with leading zeros", "Scripts/z.reg", "REG_RD;0x00030\nREG_CK;0x000000000030;FF;32\n", 0,
        "REG_RD;0x0030;0x32 \nREG_CK;0x0030;0xff;0x32 OK! \n", 2, true);
    row("value of many digits keeps its low byte", "Scripts/m.reg", "REG_WR;0x0030;0x000000000FF;0x000000001F\n", 0,
        "REG_WR;0x0030;0xff;0x1f \n", 1, true);
    row("value beyond 32 bits", "Scripts/b.reg", "REG_WR;0x0030;FF;0x100000000\n", 0, "Script Error!\n", 0, false);
    row("offset not hexadecimal", "Scripts/h.reg", "REG_RD;0x00G0\n", 0, "Script Error!\n", 0, false);
    row("value not hex", "Scripts/v.reg", "REG_WR;0x0030;ZZ;1\n", 0, "Script Error!\n", 0, false);
    row("upper-case X is a name", "Scripts/x.reg", "REG_RD;0X30\n", 0, "Script Error!\n", 0, false);
    row("three fields for a read", "Scripts/n.reg", "REG_RD;0x0030;\n", 0, "Script Error!\n", 0, false);
    row("wait not decimal", "Scripts/w.reg", "WAITMS;0x10\n", 0, "WAITMS;0x10\n", 0, false);
    row("wait beyond the timer", "Scripts/l.reg", "WAITMS;2147483648\n", 0, "WAITMS;2147483648\n", 0, false);
    row("folder named .reg", "d.reg.dir/s.reg", "# only a comment\n", 0, "# only a comment\n", 0, true);
    row("short name", "x.reg", "#\n", 0, "#\n", 0, true);
    row("results cannot be written", "Scripts/full.reg", "# a\n# b\nREG_RD;0x0030\n", 0, QByteArray(), 1, false);
}

void TestTestTools::script()
{
    QFETCH(QString, qsName);
    QFETCH(QByteArray, baScript);
    QFETCH(int, iFaultId);
    QFETCH(QByteArray, baResult);
    QFETCH(int, iRequests);
    QFETCH(bool, bOk);
    ToolsRig rig(QStringLiteral("127.0.26.6"));
    QVERIFY(rig.bStarted);
    rig.device.SetFpgaRegister(RegKey(0x30), 0x32);
    if (iFaultId)
        rig.link.Model().SetHandler(quint8(iFaultId), [](VpuSimRequest &r) { return r.ReplyStatus(-9); });
    QVERIFY(WriteFile(qsName, baScript));
    const QString qsResult = qsName.chopped(4) + QStringLiteral(".res");
    if (baResult.isNull())
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), qsResult));
    Child<QComboBox>(rig.pTools, "m_pScriptCBox")->setEditText(qsName);
    QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pRunScriptBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(rig.link.Traces().Contains(bOk ? QStringLiteral("Script file executed with success!")
                                                            : QStringLiteral("Script file execution failed!")),
                             10000);
    QVERIFY(rig.Idle());
    // A failed read makes the link start again: its INIT_COM is not the script's.
    QCOMPARE(Requests(rig.link.Model()).filter(QRegularExpression("^(?!3:)")).size(), iRequests);
    if (!baResult.isNull())
        QCOMPARE(ReadFile(qsResult), baResult);
}

void TestTestTools::scriptHistory()
{
    ToolsRig rig(QStringLiteral("127.0.26.7"));
    QVERIFY(rig.bStarted);
    QVERIFY(WriteFile(QStringLiteral("Scripts/a.reg"), "#\n") && WriteFile(QStringLiteral("Scripts/b.reg"), "#\n"));
    QComboBox *pScript = Child<QComboBox>(rig.pTools, "m_pScriptCBox");
    auto run = [&](const char *pcName) {
        pScript->setEditText(QString::fromLatin1(pcName));
        QTest::mouseClick(Child<QPushButton>(rig.pTools, "m_pRunScriptBtn"), Qt::LeftButton);
        return rig.Idle();
    };
    QVERIFY(run("Scripts/a.reg") && run("Scripts/b.reg") && run("Scripts/a.reg"));
    QCOMPARE(Run(QStringLiteral("xmllint"), {"--xpath", "//History_Scripts/Script/text()", "Lantrel.xml"}).trimmed(),
             QByteArray("Scripts/a.reg\nScripts/b.reg"));
    // The head of the history run again changes nothing in the file.
    const QByteArray baBefore = ReadFile(QStringLiteral("Lantrel.xml"));
    QVERIFY(run("Scripts/a.reg"));
    QCOMPARE(ReadFile(QStringLiteral("Lantrel.xml")), baBefore);
    QCOMPARE(pScript->count(), 2);
}

void TestTestTools::maskedFieldsShowWholeValues_data()
{
    QTest::addColumn<QString>("qsField");
    QTest::addColumn<int>("iDigits");
    QTest::newRow("VPU flash size") << "m_pFlashRdSize" << 8;
    QTest::newRow("VPU flash offset") << "m_pFlashOffsetLE" << 8;
    QTest::newRow("VPU short value, 50 px at most in the form") << "m_pFlashRdWrShortLE" << 4;
    QTest::newRow("LPU memory size") << "m_pLpuMemRdSize" << 8;
    QTest::newRow("LPU acquisition size") << "m_pLpuAcqBuffRdFileSizeLE" << 8;
    QTest::newRow("LPU register value, blank _") << "m_pLpuRegValueLineEdit" << 8;
    QTest::newRow("FPGA register offset, either case") << "m_pRegOffsetLE" << 4;
    QTest::newRow("SDRAM pixel red") << "m_pSDRAMRdWrPixelRedSpin" << 2;
}

void TestTestTools::maskedFieldsShowWholeValues()
{
    QFETCH(QString, qsField);
    QFETCH(int, iDigits);
    LinkFixture link(QStringLiteral("127.0.26.8"), kFactoryXml);
    QLineEdit *pEdit = Child<QLineEdit>(link.Build()->m_pTestTools, qPrintable(qsField));
    QVERIFY(pEdit);
    // As narrow as a dock's layout can make it.
    const int iNarrowest = std::min(
        pEdit->maximumWidth(), pEdit->minimumWidth() > 0 ? pEdit->minimumWidth() : pEdit->minimumSizeHint().width());
    pEdit->resize(iNarrowest, pEdit->height());
    // Every digit the operator may type, all places alike, and the empty field's blanks.
    QStringList cut;
    for (const QChar digit : QStringLiteral(" 0123456789ABCDEFabcdef")) {
        pEdit->setText(digit == QLatin1Char(' ') ? QString() : QString(iDigits, digit));
        const int iWidth = pEdit->fontMetrics().horizontalAdvance(pEdit->displayText());
        if (pEdit->displayText().size() != iDigits || iWidth > TextRoom(pEdit))
            cut << QStringLiteral("\"%1\" %2 px in %3 px").arg(pEdit->displayText()).arg(iWidth).arg(TextRoom(pEdit));
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void TestTestTools::fpgaPageScrollsOffline_data()
{
    QTest::addColumn<QString>("qsWay");
    QTest::newRow("wheel over the page") << "wheel";
    QTest::newRow("handle dragged") << "drag";
    QTest::newRow("groove clicked") << "groove";
}

void TestTestTools::fpgaPageScrollsOffline()
{
    QFETCH(QString, qsWay);
    LinkFixture link(QStringLiteral("127.0.26.9"), kFactoryXml);
    Zelvor *pWnd = link.Build();
    pWnd->show();
    auto *pDock = pWnd->findChild<QDockWidget *>(QStringLiteral("m_pTestToolsDock"));
    QVERIFY(pDock);
    pDock->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDock));
    // As narrow as the dock area of a 1366 px wide window leaves it: the page's groups and
    // buttons are wider than the page's view.
    pDock->resize(500, pDock->height());
    auto *pArea = Child<QScrollArea>(pWnd->m_pTestTools, "m_pFpgaScroll");
    QTRY_VERIFY(pArea->widget()->width() > pArea->viewport()->width());
    // The last test pattern button, at the right end of the page.
    auto *pLast = Child<QPushButton>(pWnd->m_pTestTools, "m_pFpgaPatternSdram1Btn");
    const auto outOfView = [&] {
        return !pArea->viewport()->rect().contains(QRect(pLast->mapTo(pArea->viewport(), QPoint()), pLast->size()));
    };
    QVERIFY(outOfView());
    QScrollBar *pBar = pArea->horizontalScrollBar();
    for (int i = 0; i < 40 && outOfView(); ++i) {
        if (qsWay == QLatin1String("wheel"))
            WheelOver(pArea->viewport(), pArea->viewport()->rect().center(), QPoint(-120, 0));
        else if (qsWay == QLatin1String("drag"))
            DragToEnd(pBar);
        else
            QTest::mouseClick(pBar, Qt::LeftButton, {}, QPoint(pBar->width() - pBar->height() - 2, pBar->height() / 2));
        QCoreApplication::processEvents();
    }
    QVERIFY2(!outOfView(), qPrintable(QStringLiteral("bar %1 of %2, %3")
                                          .arg(pBar->value())
                                          .arg(pBar->maximum())
                                          .arg(pBar->isEnabled() ? "enabled" : "disabled")));
    // In view, yet not to be used without a link.
    QSignalSpy clicks(pLast, &QAbstractButton::clicked);
    QTest::mouseClick(pLast, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
}

QTEST_MAIN(TestTestTools)
#include "tst_testtools.moc"
