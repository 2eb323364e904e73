// The translations: every text the sources hold is in each catalogue, finished and with its
// placeholders; the main window in French leaves no English text behind.

#include "mainwindow/zelvor.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLibraryInfo>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include <memory>

namespace {

// Finished translations keyed by context, source and disambiguation, as QTranslator looks them
// up; an unfinished entry maps to an empty text.
using TsCatalogue = QHash<QString, QString>;

bool ReadTs(const QString &qsPath, TsCatalogue *pCatalogue)
{
    QFile file(qsPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString qsKey[3]; // context, source, disambiguation
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("name") || name == QLatin1String("source") || name == QLatin1String("comment")) {
            qsKey[name == QLatin1String("name") ? 0 : name == QLatin1String("source") ? 1 : 2] = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            qsKey[1].clear();
            qsKey[2].clear();
        } else if (name == QLatin1String("translation")) {
            const bool bFinished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            const QString qsText = xml.readElementText();
            pCatalogue->insert(qsKey[0] + QChar(0) + qsKey[1] + QChar(0) + qsKey[2], bFinished ? qsText : QString());
        }
    }
    return !xml.hasError();
}

QList<int> Placeholders(const QString &qsText)
{
    static const QRegularExpression re(QStringLiteral("%L?(\\d{1,2})"));
    QList<int> numbers;
    for (const QRegularExpressionMatch &m : re.globalMatch(qsText))
        numbers.append(m.captured(1).toInt());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// What a user reads on one object: its text properties and the texts of its items.
void CollectTexts(QObject *pObject, QStringList *pTexts)
{
    static const char *const apszProperties[] = {"text",      "title",           "windowTitle", "toolTip", "statusTip",
                                                 "whatsThis", "placeholderText", "plainText",   "prefix",  "suffix"};
    const QString qsWhere =
        QLatin1String(pObject->metaObject()->className()) + QLatin1Char('/') + pObject->objectName() + QLatin1Char(' ');
    for (const char *pszName : apszProperties) {
        if (pObject->metaObject()->indexOfProperty(pszName) >= 0)
            pTexts->append(qsWhere + pObject->property(pszName).toString());
    }
    QStringList items;
    if (auto *pCombo = qobject_cast<QComboBox *>(pObject)) {
        for (int i = 0; i < pCombo->count(); ++i)
            items.append(pCombo->itemText(i));
    } else if (auto *pTabs = qobject_cast<QTabWidget *>(pObject)) {
        for (int i = 0; i < pTabs->count(); ++i)
            items << pTabs->tabText(i) << pTabs->tabToolTip(i);
    } else if (auto *pTree = qobject_cast<QTreeWidget *>(pObject)) {
        for (int i = 0; i < pTree->columnCount(); ++i)
            items.append(pTree->headerItem()->text(i));
    } else if (auto *pTable = qobject_cast<QTableWidget *>(pObject)) {
        for (int c = 0; c < pTable->columnCount(); ++c) {
            items.append(pTable->horizontalHeaderItem(c) ? pTable->horizontalHeaderItem(c)->text() : QString());
            for (int r = 0; r < pTable->rowCount(); ++r)
                items.append(pTable->item(r, c) ? pTable->item(r, c)->text() : QString());
        }
    } else if (auto *pList = qobject_cast<QListWidget *>(pObject)) {
        for (int i = 0; i < pList->count(); ++i)
            items.append(pList->item(i)->text());
    }
    for (const QString &qsItem : std::as_const(items))
        pTexts->append(qsWhere + qsItem);
}

// Texts French keeps as they are: terms of the field, words spelt alike in both languages,
// file names, identifiers, input masks and numbers.
bool KeptInFrench(QString qsText)
{
    static const QRegularExpression reKept(QStringLiteral(
        "\\b(VPU|LPU|SASU|DMX|FPGA|MCU|I2C|SDRAM|HDMI|DVI|USB|VID|PID|MIF|MAP|VU|ELDIM|RADIANT|Hz|[SU]?XGA|HD\\d+|"
        "Gamma|Lantrel|Ethernet|Mode|Saturation|Rotation|Source|Standard|Script|Traces|Images)\\b|"
        "\\b0x[0-9A-Fa-f]+\\b|\\b[0-9A-F]{2,}\\b|\\b[A-Z][a-z]{2} [ \\d]\\d "
        "\\d{4}\\b|\\S*[/\\\\]\\S*|\\S*\\w[_.]\\w\\S*"));
    static const QRegularExpression reWord(QStringLiteral("[A-Za-z]{2,}"));
    qsText.remove(reKept);
    return !qsText.contains(reWord);
}

} // namespace

class TestFrench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cataloguesHoldEverySourceText_data();
    void cataloguesHoldEverySourceText();
    void mainWindowInFrench();

private:
    // Every dock shown, then the texts of the window and everything it holds, in creation order.
    QStringList WindowTexts();

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCapture> m_pTraces;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    TsCatalogue m_Fresh;
    QString m_qsLupdateOutput;
};

void TestFrench::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    m_pEnv = std::make_unique<TestEnv>();
    // Factory mode: its tools and menu entries are in the window too.
    m_pTraces = std::make_unique<TraceCapture>(QStringLiteral("<Factory_mode>yes</Factory_mode>"));
    m_pPrompts = std::make_unique<ScriptedPrompts>();

    // lupdate as the build runs it, into a catalogue of its own.
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    const QString qsFresh = m_pEnv->FilePath(QStringLiteral("fresh_fr.ts"));
    lupdate.start(QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate"),
                  {qEnvironmentVariable("LANTREL_SOURCE_DIR") + QStringLiteral("/src"), QStringLiteral("-ts"), qsFresh,
                   QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none")});
    QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
    m_qsLupdateOutput = QString::fromLocal8Bit(lupdate.readAll());
    QCOMPARE(lupdate.exitCode(), 0);
    QVERIFY(ReadTs(qsFresh, &m_Fresh));
    QVERIFY(m_Fresh.size() > 700);
}

void TestFrench::cleanupTestCase()
{
    m_pPrompts.reset();
    m_pTraces.reset();
    m_pEnv.reset();
}

void TestFrench::cataloguesHoldEverySourceText_data()
{
    QTest::addColumn<QString>("qsLanguage");
    QTest::newRow("en") << "en";
    QTest::newRow("fr") << "fr";
}

void TestFrench::cataloguesHoldEverySourceText()
{
    QFETCH(QString, qsLanguage);
    // A text lupdate cannot read (a tr() without a class, a context that is not a literal)
    // would never be translated: lupdate names each one with its file and line.
    static const QRegularExpression reWarning(QStringLiteral("^\\S+:\\d+: "), QRegularExpression::MultilineOption);
    QVERIFY2(!m_qsLupdateOutput.contains(reWarning), qPrintable(m_qsLupdateOutput));

    TsCatalogue shipped;
    QVERIFY(ReadTs(qEnvironmentVariable("LANTREL_SOURCE_DIR") + QStringLiteral("/resources/translations/zelvor_") +
                       qsLanguage + QStringLiteral(".ts"),
                   &shipped));
    QStringList faults;
    for (auto it = m_Fresh.cbegin(); it != m_Fresh.cend(); ++it) {
        const QString qsSource = it.key().section(QChar(0), 1, 1);
        const auto found = shipped.constFind(it.key());
        if (found == shipped.cend())
            faults << QStringLiteral("missing: ") + qsSource;
        else if (found->isEmpty())
            faults << QStringLiteral("unfinished: ") + qsSource;
        else if (Placeholders(*found) != Placeholders(qsSource))
            faults << QStringLiteral("placeholders: ") + qsSource + QStringLiteral(" -> ") + *found;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QStringList TestFrench::WindowTexts()
{
    QSettings().clear();
    auto pWnd = std::make_unique<Zelvor>();
    g_pMainWnd.store(pWnd.get());
    pWnd->show();
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        pDock->setFloating(false);
        pDock->show();
    }
    QCoreApplication::processEvents();
    QStringList texts;
    CollectTexts(pWnd.get(), &texts);
    for (QObject *pChild : pWnd->findChildren<QObject *>())
        CollectTexts(pChild, &texts);
    g_pMainWnd.store(nullptr);
    return texts;
}

void TestFrench::mainWindowInFrench()
{
    const QStringList english = WindowTexts();

    const QString qsLang = qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/zelvor_");
    QTranslator translator;
    // The English catalogue is loaded too when English is chosen: it must change nothing.
    QVERIFY(translator.load(qsLang + QStringLiteral("en.qm")));
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(WindowTexts(), english);
    QCoreApplication::removeTranslator(&translator);

    QVERIFY(translator.load(qsLang + QStringLiteral("fr.qm")));
    QCoreApplication::installTranslator(&translator);
    const QStringList french = WindowTexts();
    QCoreApplication::removeTranslator(&translator);

    // The same objects in the same order: a text left as it was is an English one.
    QCOMPARE(french.size(), english.size());
    QStringList faults;
    for (int i = 0; i < english.size(); ++i) {
        const QString qsText = english.at(i).section(QLatin1Char(' '), 1);
        if (french.at(i) == english.at(i) && !KeptInFrench(qsText))
            faults << english.at(i);
    }
    for (const QString &qsFault : std::as_const(faults))
        qWarning("left in English: %s", qPrintable(qsFault));
    QCOMPARE(faults.size(), 0);
    // The window did change language (a catalogue that failed to apply would leave all alike).
    QVERIFY(french.contains(QStringLiteral("QMenu/menuTools Outils")));
}

QTEST_MAIN(TestFrench)
#include "tst_french.moc"
