// The welcome dialog: logo and information text from the configuration, their decoding and
// sizes, and the language choice that installs a translation and opens the connection dialog.

#include "comm/usbcom.h"
#include "config/softconf.h"
#include "mainwindow/systemselect.h"
#include "mainwindow/welcome.h"
#include "support/fakeusb.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

namespace {
// Writes "Lantrel.xml" with the given welcome page and loads it into g_SoftConf.
void LoadWelcomePage(const QString &qsLogo, const QString &qsInfo, const QString &qsCodec)
{
    const QString qsXml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Lantrel>\n"
                                         " <WelcomePage>\n  <CompanyLogo>%1</CompanyLogo>\n"
                                         "  <CompanyInfo codec=\"%3\">%2</CompanyInfo>\n </WelcomePage>\n"
                                         "</Lantrel>\n")
                              .arg(qsLogo, qsInfo, qsCodec);
    QVERIFY(WriteTestFile(QStringLiteral("Lantrel.xml"), qsXml.toUtf8()));
    g_SoftConf.Open(QStringLiteral("Lantrel.xml"));
    g_SoftConf.Parse();
}

// The reports "text|code", in order.
QStringList ErrorLines(const RecordingSink &sink)
{
    QStringList lErrors;
    for (const auto &[qsText, iCode] : sink.Errors())
        lErrors << qsText + QLatin1Char('|') + QString::number(iCode);
    return lErrors;
}

class CloseRecorder : public CTraceReceiver
{
public:
    CloseRecorder() { TraceSetReceiver(this); }
    ~CloseRecorder() override { TraceSetReceiver(nullptr); }
    void PostTraceMessage(int iKind, const QString &) override
    {
        if (iKind == TRACE_KIND_CLOSE)
            ++m_iCloses;
    }
    int m_iCloses = 0;
};
} // namespace

class TestWelcome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void decodeInfoText_data();
    void decodeInfoText();
    void infoTextHeight_data();
    void infoTextHeight();
    void logoScaling_data();
    void logoScaling();
    void companyFilesMissingOrUnreadable_data();
    void companyFilesMissingOrUnreadable();
    void languageWithoutTranslation_data();
    void languageWithoutTranslation();
    void closingClosesTraceWindow();

private:
    QTranslator m_Translator;
    TestEnv *m_pEnv = nullptr;
    FakeUsbBus *m_pUsb = nullptr;
};

void TestWelcome::initTestCase()
{
    Q_INIT_RESOURCE(resources);
}

void TestWelcome::init()
{
    m_pEnv = new TestEnv;
    // No VPU attached: the connection dialog opened by a language choice lists only Ethernet.
    m_pUsb = new FakeUsbBus({});
    CUsbCom::SetDefaultBackendFactory([this] { return m_pUsb->MakeBackend(); });
}

void TestWelcome::cleanup()
{
    QCoreApplication::removeTranslator(&m_Translator);
    delete g_pSystemSelect;
    g_pSystemSelect = nullptr;
    CUsbCom::SetDefaultBackendFactory({});
    delete m_pUsb;
    delete m_pEnv;
}

void TestWelcome::decodeInfoText_data()
{
    QTest::addColumn<QByteArray>("baHex");
    QTest::addColumn<QString>("qsCodec");
    QTest::addColumn<QString>("qsExpected");

    const QString qsSociete = QStringLiteral("Soci\u00e9t\u00e9");
    QTest::newRow("utf-8") << QByteArray("53 6f 63 69 c3 a9 74 c3 a9") << "UTF-8" << qsSociete;
    QTest::newRow("latin-1") << QByteArray("53 6f 63 69 e9 74 e9") << "ISO-8859-1" << qsSociete;
    QTest::newRow("BOM wins over a wrong name")
        << QByteArray("ff fe 53 00 6f 00 63 00 69 00 e9 00 74 00 e9 00") << "UTF-8" << qsSociete;
    QTest::newRow("unknown name is utf-8") << QByteArray("53 6f 63 69 c3 a9 74 c3 a9") << "No-Such-Codec" << qsSociete;
    QTest::newRow("empty name is utf-8") << QByteArray("53 6f 63 69 c3 a9 74 c3 a9") << "" << qsSociete;
}

void TestWelcome::decodeInfoText()
{
    QFETCH(QByteArray, baHex);
    QFETCH(QString, qsCodec);
    QFETCH(QString, qsExpected);
    QCOMPARE(Welcome::DecodeInfoText(QByteArray::fromHex(baHex), qsCodec), qsExpected);
}

void TestWelcome::infoTextHeight_data()
{
    QTest::addColumn<QByteArray>("baContent");
    QTest::addColumn<int>("iHeight");

    QByteArray baMany;
    for (int i = 0; i < 25; ++i)
        baMany += "line " + QByteArray::number(i) + (i < 24 ? "\n" : "");
    QTest::newRow("one line") << QByteArray("Orvana LED walls") << 20;
    QTest::newRow("three lines") << QByteArray("a\nb\nc") << 60;
    QTest::newRow("trailing newline counts") << QByteArray("a\nb\n") << 60;
    QTest::newRow("25 lines stop at 10") << baMany << 200;
}

void TestWelcome::infoTextHeight()
{
    QFETCH(QByteArray, baContent);
    QFETCH(int, iHeight);
    QVERIFY(WriteTestFile(QStringLiteral("info.txt"), baContent));
    LoadWelcomePage(QString(), QStringLiteral("info.txt"), QStringLiteral("UTF-8"));

    RecordingSink sink;
    Welcome dlg(nullptr, qApp, &m_Translator);
    auto *pTxt = dlg.findChild<QTextEdit *>(QStringLiteral("m_pCompInfoTxt"));
    QVERIFY(pTxt);
    QVERIFY(!pTxt->isHidden());
    QCOMPARE(pTxt->toPlainText(), QString::fromUtf8(baContent));
    QCOMPARE(pTxt->height(), iHeight);
    QCOMPARE(pTxt->maximumHeight(), iHeight);
    QVERIFY(sink.Errors().isEmpty());
}

void TestWelcome::logoScaling_data()
{
    QTest::addColumn<QSize>("file");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("too wide") << QSize(2048, 512) << QSize(1024, 256);
    QTest::newRow("fits") << QSize(800, 600) << QSize(800, 600);
    QTest::newRow("too tall") << QSize(1000, 1000) << QSize(768, 768);
}

void TestWelcome::logoScaling()
{
    QFETCH(QSize, file);
    QFETCH(QSize, shown);
    QImage image(file, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(image.save(QStringLiteral("logo.png")));
    LoadWelcomePage(QStringLiteral("logo.png"), QString(), QStringLiteral("UTF-8"));

    Welcome dlg(nullptr, qApp, &m_Translator);
    auto *pLbl = dlg.findChild<QLabel *>(QStringLiteral("m_pCompIcoLbl"));
    QVERIFY(pLbl);
    QVERIFY(!pLbl->isHidden());
    QCOMPARE(pLbl->pixmap().size(), shown);
}

void TestWelcome::companyFilesMissingOrUnreadable_data()
{
    QTest::addColumn<bool>("bFolder"); // "info.txt" a folder, else no such file
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("missing: buttons only") << false << QStringList();
    QTest::newRow("unreadable is reported") << true << QStringList{"Invalid Company Information File 'info.txt'!|-10"};
}

void TestWelcome::companyFilesMissingOrUnreadable()
{
    QFETCH(bool, bFolder);
    QFETCH(QStringList, errors);
    if (bFolder)
        QVERIFY(QDir().mkdir(QStringLiteral("info.txt")));
    LoadWelcomePage(QStringLiteral("nologo.png"), QStringLiteral("info.txt"), QStringLiteral("UTF-8"));
    RecordingSink sink;
    Welcome dlg(nullptr, qApp, &m_Translator);
    QVERIFY(dlg.findChild<QLabel *>(QStringLiteral("m_pCompIcoLbl"))->isHidden());
    QVERIFY(dlg.findChild<QTextEdit *>(QStringLiteral("m_pCompInfoTxt"))->isHidden());
    QCOMPARE(ErrorLines(sink), errors);
}

// The French texts themselves are checked from the welcome dialog to the window online.
void TestWelcome::languageWithoutTranslation_data()
{
    QTest::addColumn<QString>("qsButton");
    QTest::addColumn<QString>("qsShipped"); // the file put into Lang/, if any
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("French missing") << "m_pFrenchLangBtn" << QString()
                                    << QStringList{"Failed to open traduction file 'Lang/zelvor_fr.qm'!|-10",
                                                   "Load Graphical User Interface in 'English' language.|0"};
    // The shipped English file holds no translation but must load.
    QTest::newRow("English shipped") << "m_pEnglishLangBtn"
                                     << "zelvor_en.qm" << QStringList();
}

void TestWelcome::languageWithoutTranslation()
{
    QFETCH(QString, qsButton);
    QFETCH(QString, qsShipped);
    QFETCH(QStringList, errors);
    if (!qsShipped.isEmpty()) {
        QVERIFY(QDir().mkdir(QStringLiteral("Lang")));
        QVERIFY(QFile::copy(qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/") + qsShipped,
                            QStringLiteral("Lang/") + qsShipped));
    }
    LoadWelcomePage(QString(), QString(), QString());
    RecordingSink sink;
    Welcome dlg(nullptr, qApp, &m_Translator);
    dlg.show();
    QTest::mouseClick(dlg.findChild<QPushButton *>(qsButton), Qt::LeftButton);
    QCOMPARE(ErrorLines(sink), errors);
    QVERIFY(dlg.isHidden());
    QVERIFY(g_pSystemSelect);
    QVERIFY(g_pSystemSelect->isVisible());
    QCOMPARE(g_pSystemSelect->windowTitle(), QStringLiteral("System Selection"));
    QCOMPARE(g_pSystemSelect->findChild<QPushButton *>(QStringLiteral("m_pConnectBtn"))->text(),
             QStringLiteral("Connect"));
}

void TestWelcome::closingClosesTraceWindow()
{
    LoadWelcomePage(QString(), QString(), QString());
    CloseRecorder recorder;
    Welcome dlg(nullptr, qApp, &m_Translator);
    dlg.show();
    QVERIFY(dlg.close());
    QCOMPARE(recorder.m_iCloses, 1);
    QVERIFY(!g_pSystemSelect);
}

QTEST_MAIN(TestWelcome)
#include "tst_welcome.moc"
