// The connection dialog: the link rows from the attached VPUs, the address edit and its
// history, and the start of the program over Ethernet, USB or offline.

#include "comm/usbcom.h"
#include "config/softconf.h"
#include "mainwindow/systemselect.h"
#include "mainwindow/zelvor.h"
#include "support/fakeusb.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

namespace {
const UsbDeviceId_t VPU_ID{0x04D8, 0x0204};
const UsbDeviceId_t OTHER_ID{0x1111, 0x2222};

// Writes "Lantrel.xml" with the USB ids and the address history, and loads it into g_SoftConf.
void LoadConfig(const QStringList &lHistory, const QString &qsVid = QStringLiteral("0x04D8"),
                const QString &qsPid = QStringLiteral("0x0204"))
{
    QString qsXml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel>\n <General>\n"
                                   "  <USB_VID>%1</USB_VID>\n  <USB_PID>%2</USB_PID>\n </General>\n"
                                   " <Lasts_Eth_IPs>\n")
                        .arg(qsVid, qsPid);
    for (int i = 0; i < lHistory.size(); ++i)
        qsXml += QStringLiteral("  <IP id=\"%1\">%2</IP>\n").arg(i).arg(lHistory[i]);
    qsXml += QStringLiteral(" </Lasts_Eth_IPs>\n</Lantrel>\n");
    QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), qsXml.toUtf8()));
    g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
    g_SoftConf.Parse();
}

QStringList Rows(const QListWidget *pList)
{
    QStringList lRows;
    for (int i = 0; i < pList->count(); ++i)
        lRows << pList->item(i)->text();
    return lRows;
}

} // namespace

class TestSystemSelect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanIpAddress_data();
    void cleanIpAddress();
    void usbRowsBeforeEthernet_data();
    void usbRowsBeforeEthernet();
    void historyFillsAddress_data();
    void historyFillsAddress();
    void doubleClickCopiesAddress();
    void addressTypedAsWritten_data();
    void addressTypedAsWritten();
    void mergeEthHistory_data();
    void mergeEthHistory();
    void connectShowsWorkAndCause();
    void startOfflineLeavesConfigAlone();
    void closingClosesTraceWindow();

private:
    SystemSelect *MakeDialog(const QVector<UsbDeviceId_t> &tDevices);
    template <typename T> T *Child(const char *pszName) { return m_pDlg->findChild<T *>(QString::fromLatin1(pszName)); }

    TestEnv *m_pEnv = nullptr;
    FakeUsbBus *m_pBus = nullptr;
    SystemSelect *m_pDlg = nullptr;
};

void TestSystemSelect::init()
{
    m_pEnv = new TestEnv;
}

void TestSystemSelect::cleanup()
{
    delete m_pDlg;
    m_pDlg = nullptr;
    delete g_pMainWnd.load();
    CUsbCom::SetDefaultBackendFactory({});
    delete m_pBus;
    m_pBus = nullptr;
    delete m_pEnv;
}

SystemSelect *TestSystemSelect::MakeDialog(const QVector<UsbDeviceId_t> &tDevices)
{
    m_pBus = new FakeUsbBus(tDevices);
    CUsbCom::SetDefaultBackendFactory([this] { return m_pBus->MakeBackend(); });
    m_pDlg = new SystemSelect(nullptr);
    m_pDlg->show();
    return m_pDlg;
}

void TestSystemSelect::cleanIpAddress_data()
{
    QTest::addColumn<QString>("qsText");
    QTest::addColumn<QString>("qsClean");
    QTest::newRow("padded") << "192.168.001.010"
                            << "192.168.1.10";
    QTest::newRow("leading zero is not octal") << "010.0.0.1"
                                               << "10.0.0.1";
    QTest::newRow("08 and 09 are decimal") << "008.009.000.001"
                                           << "8.9.0.1";
    QTest::newRow("mask blanks") << "10 .0  .0  .5  "
                                 << "10.0.0.5";
    QTest::newRow("top of range") << "255.255.255.255"
                                  << "255.255.255.255";
    for (const char *pcBad : {"192.168.1.256", "0.0.0.0", "000.000.000.000", "10.0.0", "10.0.0.1.2", "10..0.1", "...",
                              "1000.0.0.1", "+1.0.0.1", "10.0.0.a", "0x1.0.0.1", ""})
        QTest::newRow(*pcBad ? pcBad : "empty") << QString(pcBad) << QString();
}

void TestSystemSelect::cleanIpAddress()
{
    QFETCH(QString, qsText);
    QFETCH(QString, qsClean);
    QCOMPARE(SystemSelect::CleanIpAddress(qsText), qsClean);
}

void TestSystemSelect::usbRowsBeforeEthernet_data()
{
    QTest::addColumn<QString>("qsVid");
    QTest::addColumn<QString>("qsPid");
    QTest::addColumn<QStringList>("lRows");
    QTest::newRow("default ids") << "0x04D8"
                                 << "0x0204" << QStringList{"USB0", "USB1", "Ethernet"};
    QTest::newRow("configured ids") << "1111"
                                    << "2222" << QStringList{"USB0", "Ethernet"};
    QTest::newRow("no VPU") << "0x0001"
                            << "0x0001" << QStringList{"Ethernet"};
}

void TestSystemSelect::usbRowsBeforeEthernet()
{
    QFETCH(QString, qsVid);
    QFETCH(QString, qsPid);
    QFETCH(QStringList, lRows);
    LoadConfig({}, qsVid, qsPid);
    // The other device sits between the two VPUs: it must not take an index.
    MakeDialog({VPU_ID, OTHER_ID, VPU_ID});

    auto *pLinks = Child<QListWidget>("m_pLinksList");
    QCOMPARE(Rows(pLinks), lRows);
    QCOMPARE(pLinks->currentRow(), 0);
    QCOMPARE(pLinks->item(0)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    QCOMPARE(Child<QGroupBox>("m_pEthGpBox")->isEnabled(), lRows.size() == 1);
    if (lRows.size() > 1) {
        QVERIFY(Child<QPushButton>("m_pConnectBtn")->isEnabled());
        pLinks->clearSelection();
        QVERIFY(!Child<QPushButton>("m_pConnectBtn")->isEnabled());
    }

    pLinks->setCurrentRow(pLinks->count() - 1);
    QVERIFY(Child<QGroupBox>("m_pEthGpBox")->isEnabled());
    // No address yet: 0.0.0.0 cannot be connected to.
    QVERIFY(!Child<QPushButton>("m_pConnectBtn")->isEnabled());
}

void TestSystemSelect::historyFillsAddress_data()
{
    QTest::addColumn<QStringList>("lHistory");
    QTest::addColumn<QString>("qsShown");
    QTest::newRow("history") << QStringList{"10.0.0.5", "10.0.0.7"} << "010.000.000.005";
    QTest::newRow("none: zero cannot connect") << QStringList{} << "000.000.000.000";
}

void TestSystemSelect::historyFillsAddress()
{
    QFETCH(QStringList, lHistory);
    QFETCH(QString, qsShown);
    LoadConfig(lHistory);
    MakeDialog({});
    auto *pHist = Child<QListWidget>("m_pEthHistList");
    QCOMPARE(Rows(pHist), lHistory);
    QCOMPARE(pHist->currentRow(), lHistory.isEmpty() ? -1 : 0);
    QCOMPARE(Child<QLineEdit>("m_pEthIpLE")->displayText(), qsShown);
    QCOMPARE(Child<QPushButton>("m_pConnectBtn")->isEnabled(), !lHistory.isEmpty());
}

void TestSystemSelect::doubleClickCopiesAddress()
{
    LoadConfig({"10.0.0.5", "192.168.1.20"});
    MakeDialog({});
    // The user took the selection off the Ethernet row; its settings stay usable.
    auto *pLinks = Child<QListWidget>("m_pLinksList");
    pLinks->clearSelection();
    auto *pHist = Child<QListWidget>("m_pEthHistList");
    const QRect rect = pHist->visualItemRect(pHist->item(1));
    // A view takes a double click only on the row that the first click pressed.
    QTest::mouseClick(pHist->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(pHist->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(Child<QLineEdit>("m_pEthIpLE")->displayText(), QStringLiteral("192.168.001.020"));
    QVERIFY(pLinks->selectedItems().isEmpty());
    QVERIFY(!Child<QPushButton>("m_pConnectBtn")->isEnabled());
}

void TestSystemSelect::addressTypedAsWritten_data()
{
    // Keys after Home ("|": paste the rest), the address taken (none: Connect stays off).
    QTest::addColumn<QStringList>("lKeysAndAddress");
    QTest::newRow("short octets") << QStringList{"10.1.1.1", "10.1.1.1"};
    QTest::newRow("full then short octets") << QStringList{"192.168.1.50", "192.168.1.50"};
    QTest::newRow("pasted with leading zero") << QStringList{"|010.0.0.1", "10.0.0.1"};
    QTest::newRow("padded digits") << QStringList{"192168001010", "192.168.1.10"};
    QTest::newRow("octet 256") << QStringList{"192168001256", ""};
    QTest::newRow("zero address") << QStringList{"000000000000", ""};
}

void TestSystemSelect::addressTypedAsWritten()
{
    QFETCH(QStringList, lKeysAndAddress);
    LoadConfig({});
    MakeDialog({});
    auto *pEdit = Child<QLineEdit>("m_pEthIpLE");
    pEdit->setFocus();
    QTest::keyClick(pEdit, Qt::Key_Home);
    QVERIFY(!pEdit->toolTip().isEmpty());
    if (lKeysAndAddress[0].startsWith(QLatin1Char('|'))) {
        QGuiApplication::clipboard()->setText(lKeysAndAddress[0].mid(1));
        QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(pEdit, lKeysAndAddress[0]);
    }
    QCOMPARE(SystemSelect::CleanIpAddress(pEdit->text()), lKeysAndAddress[1]);
    QCOMPARE(Child<QPushButton>("m_pConnectBtn")->isEnabled(), !lKeysAndAddress[1].isEmpty());
    QCOMPARE(pEdit->toolTip().isEmpty(), !lKeysAndAddress[1].isEmpty());
}

void TestSystemSelect::mergeEthHistory_data()
{
    QTest::addColumn<QString>("qsAddress");
    QTest::addColumn<QStringList>("lOld");
    QTest::addColumn<QStringList>("lNew");

    QTest::newRow("empty history") << "10.0.0.7" << QStringList{} << QStringList{"10.0.0.7"};
    QTest::newRow("new goes first") << "10.0.0.7" << QStringList{"10.0.0.5", "10.0.0.7"}
                                    << QStringList{"10.0.0.7", "10.0.0.5"};
    QTest::newRow("already first") << "10.0.0.7" << QStringList{"10.0.0.7", "10.0.0.5"}
                                   << QStringList{"10.0.0.7", "10.0.0.5"};
    QTest::newRow("padded entries stored plain, once")
        << "10.0.0.7" << QStringList{"010.000.000.005", "10.0.0.5", "010.000.000.007"}
        << QStringList{"10.0.0.7", "10.0.0.5"};
    QTest::newRow("entries that are no address go")
        << "10.0.0.7" << QStringList{"0.0.0.0", "", "300.1.1.1", "10.0.0.9"} << QStringList{"10.0.0.7", "10.0.0.9"};
    QStringList lLong;
    QStringList lKept{"192.168.1.10"};
    for (int i = 1; i <= 12; ++i) {
        lLong << QStringLiteral("10.0.0.%1").arg(i);
        if (i <= 10)
            lKept << QStringLiteral("10.0.0.%1").arg(i);
    }
    QTest::newRow("long history keeps ten older") << "192.168.1.10" << lLong << lKept;
    lLong.insert(3, QStringLiteral("192.168.001.010"));
    QTest::newRow("long history with the address inside") << "192.168.1.10" << lLong << lKept;
}

void TestSystemSelect::mergeEthHistory()
{
    QFETCH(QString, qsAddress);
    QFETCH(QStringList, lOld);
    QFETCH(QStringList, lNew);
    QCOMPARE(SystemSelect::MergeEthHistory(qsAddress, lOld), lNew);
}

void TestSystemSelect::connectShowsWorkAndCause()
{
    // What the window shows as the attempt starts, seen from the line that announces it.
    struct AttemptWatch : TraceCollector
    {
        void PostTraceMessage(int iKind, const QString &qsText) override
        {
            TraceCollector::PostTraceMessage(iKind, qsText);
            if (!qsText.contains(QLatin1String("Connecting to")))
                return;
            bBusy = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            for (const QLineEdit *pEdit : g_pMainWnd.load()->statusBar()->findChildren<QLineEdit *>())
                lStatus << pEdit->text();
        }
        bool bBusy = false;
        QStringList lStatus;
    } watch;
    // Nothing listens there: the link cannot open, the window comes up offline, the history
    // is not written.
    ScriptedPrompts prompts;
    LoadConfig({"127.0.0.63"});
    const QByteArray baFileBefore = ReadTestFile(QStringLiteral("Lantrel.xml"));
    MakeDialog({});
    QTest::mouseClick(Child<QPushButton>("m_pConnectBtn"), Qt::LeftButton);
    QVERIFY(m_pDlg->isHidden());
    QVERIFY(g_pMainWnd.load()->isVisible());
    QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")), baFileBefore);
    QCOMPARE(prompts.Messages().size(), 1);
    QCOMPARE(prompts.Messages().value(0).qsText, QStringLiteral("Failed to open connexion with VPU!"));
    QVERIFY(watch.bBusy);
    QVERIFY(watch.lStatus.contains(QStringLiteral("Connecting to '127.0.0.63 port 50000'...")));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY2(prompts.Messages().value(0).qsDetail.endsWith(
                 QStringLiteral("\nConnection to 127.0.0.63 port 50000 failed: Connection refused")),
             qPrintable(prompts.Messages().value(0).qsDetail));
}

void TestSystemSelect::startOfflineLeavesConfigAlone()
{
    ScriptedPrompts prompts;
    LoadConfig({"10.0.0.5"});
    const QByteArray baFileBefore = ReadTestFile(QStringLiteral("Lantrel.xml"));
    MakeDialog({VPU_ID});
    QTest::mouseClick(Child<QPushButton>("m_pStartOffBtn"), Qt::LeftButton);

    QVERIFY(m_pDlg->isHidden());
    QVERIFY(g_pMainWnd.load());
    QVERIFY(g_pMainWnd.load()->isVisible());
    QCOMPARE(ReadTestFile(QStringLiteral("Lantrel.xml")), baFileBefore);
    QVERIFY(prompts.Messages().isEmpty());
}

void TestSystemSelect::closingClosesTraceWindow()
{
    class CloseRecorder : public CTraceReceiver
    {
    public:
        void PostTraceMessage(int iKind, const QString &) override { m_iCloses += iKind == TRACE_KIND_CLOSE; }
        int m_iCloses = 0;
    } recorder;
    TraceSetReceiver(&recorder);
    LoadConfig({});
    MakeDialog({});
    QVERIFY(m_pDlg->close());
    TraceSetReceiver(nullptr);
    QCOMPARE(recorder.m_iCloses, 1);
    QVERIFY(!g_pMainWnd.load());
}

QTEST_MAIN(TestSystemSelect)
#include "tst_systemselect.moc"
