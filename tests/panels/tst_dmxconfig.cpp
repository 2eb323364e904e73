// The DMX mapping panel driven as the operator does, on a main window linked to a simulated
// VPU: editing with its refusals, the VPU's memory slots byte for byte, and .dmx files.
#include "config/texttables.h"
#include "panels/device/dmxconfig.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/vpucomharness.h"
#include "support/zelvorsim.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

const QString kDefaultView = QStringLiteral("1=Enable|2=Mode|3=Brightness|4=Contrast|5=Hue|6=Saturation|7-10=Color "
                                            "Temperature|11-13=Gamma|14-16=Test Color|17=Launch Preset");
const char kDefaultBytes[] = "01 01 00 01 02 02 00 01 03 03 00 01 04 04 00 01 05 05 00 01 06 06 00 01 07 07 00 04 "
                             "08 0b 00 03 09 0e 00 03 0a 11 00 01";

// "command:channel ..." with each command's own size; "default" for the default mapping.
QList<DMX_Mapping_t> Mapping(const QString &qsText)
{
    QList<DMX_Mapping_t> lOut;
    if (qsText == QLatin1String("default")) {
        CDmxConf::SetDefaultCommands(lOut);
        return lOut;
    }
    for (const QString &qsEntry : qsText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int iCommand = qsEntry.section(QLatin1Char(':'), 0, 0).toInt();
        const quint8 uSize = iCommand >= 1 && iCommand <= 10 ? g_DmxCommandTable[iCommand - 1].uSize : 1;
        lOut.append({quint8(iCommand), quint16(qsEntry.section(QLatin1Char(':'), 1).toInt()), uSize});
    }
    return lOut;
}

const QString kWithoutGamma = QStringLiteral("1:1 2:2 3:3 4:4 5:5 6:6 7:7 9:14 10:17");

} // namespace

class TestDmxConfig : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultMappingAndActions();
    void editing_data();
    void editing();
    void writeToSlot();
    void readFromSlot_data();
    void readFromSlot();
    void moreThanTenEntriesNeverSent();
    void saveAndReopen();
    void fileFailures_data();
    void fileFailures();

private:
    DMXConfig *Panel() const { return m_pSim->Wnd()->m_pDMXConfig; }
    QTableWidget *Table() const { return Panel()->findChild<QTableWidget *>(QStringLiteral("m_pDmxMapTable")); }
    QAction *Action(int i) const { return Table()->actions().at(i); }
    void Click(const char *pszButton) const
    {
        QTest::mouseClick(Panel()->findChild<QPushButton *>(QLatin1String(pszButton)), Qt::LeftButton);
    }
    // What the table shows, "channels=name" per row.
    QString View() const;
    QStringList Boxes() const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestDmxConfig::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestDmxConfig::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.19.1"));
    QVERIFY(m_pSim->Start());
    Panel()->SetOnline(true);
    m_pBase->Traces().Clear();
}

void TestDmxConfig::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

QString TestDmxConfig::View() const
{
    QStringList rows;
    for (int r = 0; r < Table()->rowCount(); ++r)
        rows.append(Table()->item(r, 0)->text() + QLatin1Char('=') + Table()->item(r, 1)->text());
    return rows.join(QLatin1Char('|'));
}

QStringList TestDmxConfig::Boxes() const
{
    QStringList lOut;
    for (const PromptCall_t &call : m_pPrompts->Messages())
        lOut.append(call.qsText + QLatin1Char('|') + call.qsDetail);
    return lOut;
}

void TestDmxConfig::defaultMappingAndActions()
{
    QCOMPARE(View(), kDefaultView);
    QCOMPARE(Table()->currentRow(), 0);
    QCOMPARE(Panel()->findChild<QTextEdit *>(QStringLiteral("m_pDmxCmdDetailsTE"))->toPlainText(),
             QStringLiteral("Enable DMX link\n0:       Disabled - Commands on DMX link are ignored by VPU\n"
                            "[1-255]: Enabled - Commands on DMX link are processed by VPU"));
    QCOMPARE((QList<bool>{Action(0)->isEnabled(), Action(1)->isEnabled(), Action(2)->isEnabled()}),
             (QList<bool>{true, false, true}));

    Panel()->SetDmxMapping(Mapping(QStringLiteral("5:5")));
    QVERIFY(!Action(2)->isEnabled());
    Action(0)->trigger();
    QCOMPARE((QList<bool>{Action(0)->isEnabled(), Action(1)->isEnabled(), Action(2)->isEnabled()}),
             (QList<bool>{false, true, false}));
    QCOMPARE(Panel()->findChild<QTextEdit *>()->toPlainText(), QString());
}

void TestDmxConfig::editing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("row"); // selected with the arrow keys before the action
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("item"); // index in the offered commands
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("dialog"); // the integer dialog: initial min..max
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("box");

    const QString kAfterGamma = QStringLiteral("1=Enable|2=Mode|3=Brightness|4=Contrast|5=Hue|6=Saturation|");
    QTest::newRow("add onto a used channel") << kWithoutGamma << 0 << 1 << 0 << 12 << "11 1..510"
                                             << kAfterGamma + "7-10=Color Temperature|14-16=Test Color|17=Launch Preset"
                                             << "DMX channel is already used by command 9 - 'Test Color'";
    QTest::newRow("add in channel order")
        << kWithoutGamma << 0 << 1 << 0 << 11 << "11 1..510" << kDefaultView << QString();
    QTest::newRow("add around another") << "5:5" << 0 << 1 << 6 << 4 << "11 1..510"
                                        << "5=Hue"
                                        << "DMX channel is already used by command 5 - 'Hue'";
    QTest::newRow("unsorted: overlap behind a higher entry") << "10:50 1:1" << 0 << 1 << 0 << 1 << "2 1..512"
                                                             << "50=Launch Preset|1=Enable"
                                                             << "DMX channel is already used by command 1 - 'Enable'";
    QTest::newRow("move onto a used channel") << "default" << 6 << 2 << 0 << 8 << "7 1..509" << kDefaultView
                                              << "DMX channel is already used by command 8 - 'Gamma'";
    QTest::newRow("move into a free range")
        << kWithoutGamma << 6 << 2 << 0 << 8 << "7 1..509"
        << kAfterGamma + "8-11=Color Temperature|14-16=Test Color|17=Launch Preset" << QString();
    QTest::newRow("move past another") << "1:1 3:3" << 0 << 2 << 0 << 5 << "1 1..512"
                                       << "3=Brightness|5=Enable" << QString();
    QTest::newRow("move onto itself") << "default" << 0 << 2 << 0 << 1 << "1 1..512" << kDefaultView << QString();
    QTest::newRow("delete") << "1:1 3:3 8:11" << 2 << 0 << 0 << 0 << QString() << "1=Enable|3=Brightness" << QString();
}

void TestDmxConfig::editing()
{
    QFETCH(QString, start);
    QFETCH(int, row);
    QFETCH(int, action);
    QFETCH(int, item);
    QFETCH(int, channel);
    QFETCH(QString, dialog);
    QFETCH(QString, view);
    QFETCH(QString, box);

    Panel()->SetDmxMapping(Mapping(start));
    for (int i = 0; i < row; ++i)
        QTest::keyClick(Table(), Qt::Key_Down);
    m_pPrompts->AnswerItem(item);
    m_pPrompts->AnswerInt(channel);
    Action(action)->trigger();

    QCOMPARE(View(), view);
    QCOMPARE(Boxes(), box.isEmpty() ? QStringList() : QStringList{box + QLatin1Char('|')});
    const QList<PromptCall_t> calls = m_pPrompts->Calls();
    QString qsDialog;
    for (const PromptCall_t &call : calls) {
        if (call.eKind == PromptCall_t::INT)
            qsDialog = call.extra.at(0) + QLatin1Char(' ') + call.extra.at(1) + ".." + call.extra.at(2);
    }
    QCOMPARE(qsDialog, dialog);
}

void TestDmxConfig::writeToSlot()
{
    m_pPrompts->AnswerItem(4);
    Click("m_pDmxWriteToVpuBtn");
    QVERIFY(m_pSim->WaitEnabled());
    const PromptCall_t ask = m_pPrompts->Calls().value(0);
    QCOMPARE(ask.qsTitle + '|' + ask.qsText,
             QStringLiteral("Send DMX mapping to VPU|Select DMX Mapping memory destination:"));
    QCOMPARE(ask.extra, VpuMemorySlotNames);
    QCOMPARE(HexList(m_pSim->Model().Messages()), QStringList{"1f 06 00 00 00 04 00 00 00 0a 00"});
    QCOMPARE(m_pSim->Device().DmxMap(4).toHex(' '), QByteArray(kDefaultBytes));
    QCOMPARE(Boxes(), QStringList());
}

void TestDmxConfig::readFromSlot_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("box");
    QTest::newRow("three in the order received")
        << QByteArray("0a 11 00 01 01 01 00 01 03 05 00 01") << "17=Launch Preset|1=Enable|5=Brightness" << QString();
    QTest::newRow("overlap") << QByteArray("01 05 00 01 09 03 00 03") << kDefaultView
                             << "Invalid DMX mapping read from VPU!|(Error Code = -400) - Invalid DMX configuration!";
    QTest::newRow("command 11")
        << QByteArray("0b 01 00 01") << kDefaultView
        << "Invalid DMX mapping read from VPU!|(Error Code = -400) - Invalid DMX configuration!";
    QTest::newRow("count 12") << QByteArray(kDefaultBytes) + " 0a 14 00 01 0a 15 00 01" << kDefaultView
                              << "Failed to read DMX mapping from VPU!|(Error Code = -204) - Invalid message length!";
}

void TestDmxConfig::readFromSlot()
{
    QFETCH(QByteArray, slot);
    QFETCH(QString, view);
    QFETCH(QString, box);
    m_pSim->Device().SetDmxMap(4, QByteArray::fromHex(slot));
    m_pPrompts->AnswerItem(4);
    Click("m_pDmxReadFromVpuBtn");
    QVERIFY(m_pSim->WaitEnabled());
    QTRY_COMPARE(Boxes(), box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(HexList(m_pSim->Model().Messages()).value(0), QStringLiteral("20 04 00 00 00 04 00 00 00"));
    QCOMPARE(View(), view);
    QCOMPARE(m_pPrompts->Calls().value(0).qsTitle, QStringLiteral("Read DMX mapping from VPU"));
}

// Neither the panel nor the link itself sends a mapping the VPU's own reader would refuse.
void TestDmxConfig::moreThanTenEntriesNeverSent()
{
    QList<DMX_Mapping_t> lEleven = Mapping(QStringLiteral("default"));
    lEleven.append({1, 100, 1});
    Panel()->SetDmxMapping(lEleven);
    m_pPrompts->AnswerItem(0);
    Click("m_pDmxWriteToVpuBtn");
    QCOMPARE(Boxes(),
             QStringList{"Failed to write DMX mapping on VPU!|(Error Code = -400) - Invalid DMX configuration!"});
    QVERIFY(m_pSim->Wnd()->isEnabled());

    m_pPrompts->Reset();
    SignalLog done(&m_pSim->Wnd()->m_VpuCom, &CVpuCom::sigDmxMapWrite);
    QCOMPARE(m_pSim->Wnd()->m_VpuCom.DmxMapWrite(0, lEleven), 0);
    QVERIFY(done.wait(5000));
    QCOMPARE(done.first().first().toInt(), -4);
    QTRY_COMPARE(Boxes(), QStringList{"Failed to write DMX mapping on VPU!|(Error Code = -4) - Invalid parameter!"});
    QCOMPARE(m_pSim->Model().Messages(), QList<QByteArray>());
}

void TestDmxConfig::saveAndReopen()
{
    Panel()->SetDmxMapping(Mapping(QStringLiteral("9:14 1:1 7:30")));
    const QString qsTyped = m_pBase->Env().FilePath(QStringLiteral("wall"));
    m_pPrompts->AnswerSaveFile(qsTyped);
    Click("m_pDmxConfFileSaveToBtn");
    QCOMPARE(Boxes(), QStringList());
    const QString qsFile = qsTyped + QStringLiteral(".dmx");
    QCOMPARE(QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), qsFile}), 0);

    Click("m_pDmxRestoreDefaultBtn");
    m_pPrompts->AnswerOpenFile(qsFile);
    Click("m_pDmxConfFileOpenBtn");
    QCOMPARE(View(), QStringLiteral("1=Enable|14-16=Test Color|30-33=Color Temperature"));
    QCOMPARE(Panel()->findChild<QLineEdit *>(QStringLiteral("m_pDmxConfFileLE"))->text(), qsFile);
    const PromptCall_t ask = m_pPrompts->Calls().value(0);
    QCOMPARE(ask.qsTitle + '|' + ask.qsDetail + '|' + ask.extra.join(','),
             QStringLiteral("Select the DMX Mapping output configuration file (*.dmx)|Projects|*.dmx"));
}

void TestDmxConfig::fileFailures_data()
{
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QString>("save"); // file name answered to the save dialog, else opened
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("box");
    QTest::newRow("save refused by the writer") << "11:20"
                                                << "bad.dmx" << QByteArray()
                                                << "Failed to save DMX mapping file '%1'!|(Error Code = -21) - Invalid "
                                                   "Xml value!";
    QTest::newRow("save into a missing folder") << "default"
                                                << "none/map.dmx" << QByteArray()
                                                << "Failed to save DMX mapping file '%1'!|(Error Code = -13) - File "
                                                   "save error!";
    QTest::newRow("open a file that is not XML")
        << "default" << QString() << QByteArray("<DMX_Mapping><Commands>")
        << "Invalid DMX mapping file '%1'!|(Error Code = -20) - Xml configuration file data error!";
    QTest::newRow("open another XML file") << "default" << QString() << QByteArray("<ProjectConfig/>")
                                           << "Failed to parse configuration file!|(Error Code = -20) - Xml "
                                              "configuration file data error!";
}

void TestDmxConfig::fileFailures()
{
    QFETCH(QString, mapping);
    QFETCH(QString, save);
    QFETCH(QByteArray, content);
    QFETCH(QString, box);
    Panel()->SetDmxMapping(Mapping(mapping));
    const QString qsView = View();
    QString qsPath = m_pBase->Env().FilePath(save.isEmpty() ? QStringLiteral("other.dmx") : save);
    if (save.isEmpty()) {
        QFile file(qsPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        m_pPrompts->AnswerOpenFile(qsPath);
        Click("m_pDmxConfFileOpenBtn");
    } else {
        m_pPrompts->AnswerSaveFile(qsPath);
        Click("m_pDmxConfFileSaveToBtn");
        QVERIFY(!QFile::exists(qsPath));
    }
    QCOMPARE(Boxes(), QStringList{box.arg(qsPath)});
    QCOMPARE(View(), qsView);
    QCOMPARE(Panel()->findChild<QLineEdit *>(QStringLiteral("m_pDmxConfFileLE"))->text(), QStringLiteral("Default"));
}

QTEST_MAIN(TestDmxConfig)
#include "tst_dmxconfig.moc"
