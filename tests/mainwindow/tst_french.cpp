// The translations: every text the sources hold is in each catalogue, finished and with its
// placeholders; the main window in French leaves no English text behind.

#include "mainwindow/welcome.h"
#include "mainwindow/zelvor.h"
#include "support/offscreenscreens.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
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
        "Gamma|Lantrel|Ethernet|Mode|Saturation|Rotation|Source|Standard|Script|Traces|Images|OK)\\b|"
        "\\b0x[0-9A-Fa-f]+\\b|\\b[0-9A-F]{2,}\\b|\\b[A-Z][a-z]{2} [ \\d]\\d "
        "\\d{4}\\b|\\S*[/\\\\]\\S*|\\S*\\w[_.]\\w\\S*|\\*\\.\\w+"));
    static const QRegularExpression reWord(QStringLiteral("[A-Za-z]{2,}"));
    qsText.remove(reKept);
    return !qsText.contains(reWord);
}

void CollectAll(QWidget *pWidget, QStringList *pTexts)
{
    CollectTexts(pWidget, pTexts);
    for (QObject *pChild : pWidget->findChildren<QObject *>())
        CollectTexts(pChild, pTexts);
}

// What of a panel's texts the operator cannot read whole: a label, button or tab bar narrower
// or lower than its text needs, or a control reaching past its box or the dock's view.
QStringList CutTexts(QWidget *pPanel, QWidget *pView)
{
    QStringList cut;
    for (QWidget *pWidget : pPanel->findChildren<QWidget *>()) {
        if (!pWidget->isVisibleTo(pPanel))
            continue;
        auto *pLabel = qobject_cast<QLabel *>(pWidget);
        const bool bText = (pLabel && !pLabel->text().isEmpty() && !pLabel->wordWrap()) ||
                           qobject_cast<QAbstractButton *>(pWidget) || qobject_cast<QTabBar *>(pWidget);
        const QString qsName = QLatin1String(pWidget->metaObject()->className()) + QLatin1Char('/') +
                               pWidget->objectName() + QLatin1Char(' ') + pWidget->property("text").toString();
        const QSize need = pWidget->sizeHint();
        if (bText && (pWidget->width() < need.width() || pWidget->height() < pWidget->minimumSizeHint().height()))
            cut << qsName + QStringLiteral(": %1 x %2 for %3 x %4")
                                .arg(pWidget->width())
                                .arg(pWidget->height())
                                .arg(need.width())
                                .arg(need.height());
        // Within every box, page and view around it, out to the dock's own view.
        bool bInside = true;
        for (QWidget *pAround = pWidget->parentWidget(); bInside && pAround; pAround = pAround->parentWidget()) {
            bInside = pAround->rect().contains(QRect(pWidget->mapTo(pAround, QPoint(0, 0)), pWidget->size()));
            if (pAround == pView)
                break;
        }
        if ((bText || qobject_cast<QLineEdit *>(pWidget)) && !bInside)
            cut << qsName + QStringLiteral(": reaches past its box");
    }
    return cut;
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
    // Every dock shown, then the texts of the window and everything it holds, in creation order;
    // then those of the Open dialog and of the error box, with its details, of a broken project.
    QStringList WindowTexts();
    QStringList DialogTexts(Zelvor *pWnd);
    // Every dock floating at its first size: the texts of their panels that are cut.
    QStringList CutDockTexts();

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
    CollectAll(pWnd.get(), &texts);
    texts += DialogTexts(pWnd.get());
    g_pMainWnd.store(nullptr);
    return texts;
}

QStringList TestFrench::DialogTexts(Zelvor *pWnd)
{
    const QString qsBroken = m_pEnv->FilePath(QStringLiteral("broken.prj"));
    QFile broken(qsBroken);
    if (!broken.open(QIODevice::WriteOnly) || broken.write("<ProjectConfig><Workspace>") <= 0)
        return {QStringLiteral("broken project not written")};
    broken.close();

    // Qt's own dialogs as the program raises them, answered from a timer.
    QStringList texts;
    bool bFileDialog = false;
    bool bDetails = false;
    QTimer answer;
    answer.setInterval(20);
    connect(&answer, &QTimer::timeout, [&] {
        QWidget *pModal = QApplication::activeModalWidget();
        if (auto *pDlg = qobject_cast<QFileDialog *>(pModal)) {
            CollectAll(pDlg, &texts);
            bFileDialog = true;
            // The path typed into the name field, as an operator would.
            auto *pName = pDlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!pName) {
                pDlg->reject();
                return;
            }
            pName->setText(qsBroken);
            QTest::keyClick(pName, Qt::Key_Return);
        } else if (auto *pBox = qobject_cast<QMessageBox *>(pModal)) {
            CollectAll(pBox, &texts);
            for (QAbstractButton *pButton : pBox->buttons()) {
                if (pBox->buttonRole(pButton) == QMessageBox::ActionRole) { // "Show Details..."
                    pButton->click();
                    CollectAll(pBox, &texts);
                    bDetails = true;
                }
            }
            // The question to save the empty project first is answered No.
            if (QAbstractButton *pNo = pBox->button(QMessageBox::No))
                pNo->click();
            else
                pBox->done(QMessageBox::Ok);
        }
    });
    m_pPrompts.reset();
    answer.start();
    pWnd->findChild<QAction *>(QStringLiteral("actionOpen_Project"))->trigger();
    answer.stop();
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    if (!bFileDialog || !bDetails)
        texts << QStringLiteral("the Open dialog or the error box did not show");
    return texts;
}

QStringList TestFrench::CutDockTexts()
{
    QSettings().clear();
    auto pWnd = std::make_unique<Zelvor>();
    g_pMainWnd.store(pWnd.get());
    pWnd->show();
    const QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    for (QDockWidget *pDock : docks)
        pDock->show();
    QCoreApplication::processEvents();
    QStringList cut;
    for (QDockWidget *pDock : docks) {
        auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
        if (!pArea || !pArea->widget()) {
            cut << pDock->windowTitle() + QStringLiteral(": no scrolled panel");
            continue;
        }
        for (const QString &qsCut : CutTexts(pArea->widget(), pArea->viewport()))
            cut << pDock->windowTitle() + QStringLiteral(" | ") + qsCut;
    }
    g_pMainWnd.store(nullptr);
    return cut;
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

    const QStringList englishCut = CutDockTexts();
    for (const QString &qsCut : englishCut)
        qWarning("cut in English: %s", qPrintable(qsCut));
    QCOMPARE(englishCut.size(), 0);

    QVERIFY(translator.load(qsLang + QStringLiteral("fr.qm")));
    QCoreApplication::installTranslator(&translator);
    QTranslator qtTranslator;
    QVERIFY(Welcome::LoadQtCatalogue(&qtTranslator, QStringLiteral("fr")));
    QCoreApplication::installTranslator(&qtTranslator);
    const QStringList french = WindowTexts();
    const QStringList frenchCut = CutDockTexts();
    QCoreApplication::removeTranslator(&qtTranslator);
    QCoreApplication::removeTranslator(&translator);
    for (const QString &qsCut : frenchCut)
        qWarning("cut in French: %s", qPrintable(qsCut));
    QCOMPARE(frenchCut.size(), 0);

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

// The docks open at their first size on a full HD screen, as at an installer's desk.
LANTREL_TEST_MAIN_ON_SCREENS(TestFrench,
                             R"([{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}])")

#include "tst_french.moc"
