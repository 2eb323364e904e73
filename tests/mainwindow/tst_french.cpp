// The translations: every text the sources hold is in each catalogue, finished and with its
// placeholders; the main window in French leaves no English text behind, and no dock cuts a
// text, floating at its first size or docked into the window, in either language, nor leaves
// a part of its panel that no scroll bar brings into view.

#include "mainwindow/welcome.h"
#include "mainwindow/zelvor.h"
#include "support/offscreenscreens.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/textroom.h"
#include "support/tracecapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionHeader>
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

// Qt's own protected helpers, reached through pointers to members: the style options and texts
// measured below are those the widgets paint with.
struct ComboAccess : QComboBox
{
    using QComboBox::initStyleOption;
};
struct HeaderAccess : QHeaderView
{
    using QHeaderView::initStyleOptionForIndex;
};
struct SpinAccess : QSpinBox
{
    using QSpinBox::textFromValue;
};
struct DoubleSpinAccess : QDoubleSpinBox
{
    using QDoubleSpinBox::textFromValue;
};

QString Name(const QWidget *pWidget)
{
    return QLatin1String(pWidget->metaObject()->className()) + QLatin1Char('/') + pWidget->objectName() +
           QLatin1Char(' ') + pWidget->property("text").toString();
}

using ::TextRoom;

// The width a combo box leaves for an item's label: its edit field less a pixel on each side,
// where the style draws the label of a box that cannot be edited.
int TextRoom(const QComboBox *pCombo)
{
    if (pCombo->lineEdit())
        return TextRoom(pCombo->lineEdit());
    QStyleOptionComboBox opt;
    (pCombo->*(&ComboAccess::initStyleOption))(&opt);
    return pCombo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, pCombo).width() - 2;
}

// Every text a field shows: a line edit's own (its placeholder while empty), a spin box's at
// both ends of its range as well, a combo box's items once chosen, each with the room its icon
// leaves.
QList<std::pair<QString, int>> FieldTexts(QWidget *pField)
{
    QList<std::pair<QString, int>> texts;
    if (auto *pCombo = qobject_cast<QComboBox *>(pField)) {
        const int iRoom = TextRoom(pCombo);
        for (int i = 0; i < pCombo->count(); ++i)
            texts.append(
                {pCombo->itemText(i), iRoom - (pCombo->itemIcon(i).isNull() ? 0 : pCombo->iconSize().width() + 4)});
        return texts;
    }
    auto *pEdit = qobject_cast<QLineEdit *>(pField);
    if (!pEdit || qobject_cast<QComboBox *>(pEdit->parentWidget()))
        return texts;
    const int iRoom = TextRoom(pEdit);
    texts.append({pEdit->displayText().isEmpty() ? pEdit->placeholderText() : pEdit->displayText(), iRoom});
    auto *pSpin = qobject_cast<QAbstractSpinBox *>(pEdit->parentWidget());
    QString qsEnds[2];
    if (auto *pInt = qobject_cast<QSpinBox *>(pSpin)) {
        qsEnds[0] = pInt->prefix() + (pInt->*(&SpinAccess::textFromValue))(pInt->minimum()) + pInt->suffix();
        qsEnds[1] = pInt->prefix() + (pInt->*(&SpinAccess::textFromValue))(pInt->maximum()) + pInt->suffix();
    } else if (auto *pDouble = qobject_cast<QDoubleSpinBox *>(pSpin)) {
        qsEnds[0] =
            pDouble->prefix() + (pDouble->*(&DoubleSpinAccess::textFromValue))(pDouble->minimum()) + pDouble->suffix();
        qsEnds[1] =
            pDouble->prefix() + (pDouble->*(&DoubleSpinAccess::textFromValue))(pDouble->maximum()) + pDouble->suffix();
    }
    if (pSpin && !pSpin->specialValueText().isEmpty())
        qsEnds[0] = pSpin->specialValueText();
    for (const QString &qsEnd : qsEnds) {
        if (!qsEnd.isEmpty())
            texts.append({qsEnd, iRoom});
    }
    return texts;
}

// Header sections whose label the style cannot draw whole: it goes inside the section's margins
// and beside its sort arrow, and in bold above a selected cell when the header highlights
// sections, which may be any section the operator selects in.
QStringList CutSections(const QHeaderView *pHeader)
{
    QStringList cut;
    const QAbstractItemModel *pModel = pHeader->model();
    const Qt::Orientation orientation = pHeader->orientation();
    for (int i = 0; pModel && i < pHeader->count(); ++i) {
        const QString qsText = pModel->headerData(i, orientation, Qt::DisplayRole).toString();
        if (pHeader->isSectionHidden(i) || qsText.isEmpty())
            continue;
        QStyleOptionHeader opt;
        opt.initFrom(pHeader);
        opt.orientation = orientation;
        if (orientation == Qt::Horizontal)
            opt.state |= QStyle::State_Horizontal;
        (pHeader->*(&HeaderAccess::initStyleOptionForIndex))(&opt, i);
        opt.rect = orientation == Qt::Horizontal ? QRect(0, 0, pHeader->sectionSize(i), pHeader->height())
                                                 : QRect(0, 0, pHeader->width(), pHeader->sectionSize(i));
        const QVariant font = pModel->headerData(i, orientation, Qt::FontRole);
        QFont shown = font.canConvert<QFont>() ? font.value<QFont>() : pHeader->font();
        shown.setBold(shown.bold() || pHeader->highlightSections() || (opt.state & QStyle::State_On));
        const QSize need = QFontMetrics(shown).size(Qt::TextSingleLine, qsText);
        const QRect label = pHeader->style()->subElementRect(QStyle::SE_HeaderLabel, &opt, pHeader);
        if (need.width() > label.width() || need.height() > label.height())
            cut << Name(pHeader->parentWidget()) + QStringLiteral("header \"%1\": %2 x %3 for %4 x %5")
                                                       .arg(qsText)
                                                       .arg(label.width())
                                                       .arg(label.height())
                                                       .arg(need.width())
                                                       .arg(need.height());
    }
    return cut;
}

// The tab widget of which the widget is a page, if it is one: a page's parent is the tab
// widget's stack, whose parent is the tab widget.
QTabWidget *TabsOfPage(QWidget *pWidget)
{
    QWidget *pStack = pWidget->parentWidget();
    auto *pTabs = pStack ? qobject_cast<QTabWidget *>(pStack->parentWidget()) : nullptr;
    return pTabs && pTabs->indexOf(pWidget) >= 0 ? pTabs : nullptr;
}

// The tab pages a widget lies on, outermost first, by the texts of their tabs: "LPU > Memory".
QString PagePath(QWidget *pWidget, const QWidget *pView)
{
    QStringList pages;
    for (QWidget *pOn = pWidget; pOn && pOn != pView; pOn = pOn->parentWidget()) {
        if (QTabWidget *pTabs = TabsOfPage(pOn))
            pages.prepend(pTabs->tabText(pTabs->indexOf(pOn)));
    }
    return pages.join(QStringLiteral(" > "));
}

// What of a scroll area's content the operator can never bring into view: content laid out
// smaller than it needs (the area then cuts where it should scroll), or reaching past the view
// along an axis whose scroll bar is hidden, disabled or too short to reach its end.
QStringList UnreachableParts(const QScrollArea *pArea)
{
    QStringList unreachable;
    const QWidget *pContent = pArea->widget();
    if (!pContent || !pArea->isVisible())
        return unreachable;
    const QString qsName = pArea->objectName().isEmpty() ? QStringLiteral("the dock's scroll area")
                                                         : QStringLiteral("QScrollArea/") + pArea->objectName();
    const QSize least = pContent->minimumSizeHint();
    if (pArea->widgetResizable() && (pContent->width() < least.width() || pContent->height() < least.height()))
        unreachable << qsName + QStringLiteral(": content squeezed to %1 x %2 below its least %3 x %4")
                                    .arg(pContent->width())
                                    .arg(pContent->height())
                                    .arg(least.width())
                                    .arg(least.height());
    for (const QScrollBar *pBar : {pArea->horizontalScrollBar(), pArea->verticalScrollBar()}) {
        const bool bHorizontal = pBar->orientation() == Qt::Horizontal;
        const int iContent = bHorizontal ? pContent->width() : pContent->height();
        const int iView = bHorizontal ? pArea->viewport()->width() : pArea->viewport()->height();
        const bool bReaches =
            pBar->isVisible() && pBar->isEnabled() && pBar->maximum() - pBar->minimum() >= iContent - iView;
        if (iContent > iView && !bReaches)
            unreachable << qsName + QStringLiteral(": %1 px %2 in a %3 px view, its scroll bar %4")
                                        .arg(iContent)
                                        .arg(bHorizontal ? QStringLiteral("wide") : QStringLiteral("high"))
                                        .arg(iView)
                                        .arg(!pBar->isVisible()   ? QStringLiteral("hidden")
                                             : !pBar->isEnabled() ? QStringLiteral("disabled")
                                                                  : QStringLiteral("short"));
    }
    return unreachable;
}

// What of a panel's texts the operator cannot read whole: a label, button or tab bar narrower
// or lower than its text needs, a field or header section narrower than its text as drawn, or
// a control reaching past its box or the dock's view. Along an axis on which the screen held
// the dock (held), the views scroll by design.
QStringList CutTexts(QWidget *pPanel, QWidget *pView, Qt::Orientations held)
{
    QStringList cut;
    for (QWidget *pWidget : pPanel->findChildren<QWidget *>()) {
        if (!pWidget->isVisibleTo(pPanel))
            continue;
        const qsizetype iFirstCut = cut.size();
        auto *pLabel = qobject_cast<QLabel *>(pWidget);
        const bool bText = (pLabel && !pLabel->text().isEmpty() && !pLabel->wordWrap()) ||
                           qobject_cast<QAbstractButton *>(pWidget) || qobject_cast<QTabBar *>(pWidget);
        const QString qsName = Name(pWidget);
        const QSize need = pWidget->sizeHint();
        // Along a held axis, a tab bar narrower than its tabs scrolls them whole by its arrows,
        // unless it elides their texts; the arrows are sized by the style.
        const auto scrollsTabs = [held](const QWidget *pBar) {
            const auto *pTabBar = qobject_cast<const QTabBar *>(pBar);
            return (held & Qt::Horizontal) && pTabBar && pTabBar->usesScrollButtons() &&
                   pTabBar->elideMode() == Qt::ElideNone;
        };
        const bool bTabsScroll = scrollsTabs(pWidget) || scrollsTabs(pWidget->parentWidget());
        if (bText && !bTabsScroll &&
            (pWidget->width() < need.width() || pWidget->height() < pWidget->minimumSizeHint().height()))
            cut << qsName + QStringLiteral(": %1 x %2 for %3 x %4")
                                .arg(pWidget->width())
                                .arg(pWidget->height())
                                .arg(need.width())
                                .arg(need.height());
        // A spin box's field is named after the spin box.
        const QWidget *pOwner =
            qobject_cast<QAbstractSpinBox *>(pWidget->parentWidget()) ? pWidget->parentWidget() : pWidget;
        for (const auto &[qsText, iRoom] : FieldTexts(pWidget)) {
            const int iWidth = pWidget->fontMetrics().horizontalAdvance(qsText);
            if (iWidth > iRoom)
                cut << Name(pOwner) + QStringLiteral(": \"%1\" %2 px in %3 px").arg(qsText).arg(iWidth).arg(iRoom);
        }
        if (auto *pHeader = qobject_cast<QHeaderView *>(pWidget))
            cut += CutSections(pHeader);
        if (auto *pArea = qobject_cast<QScrollArea *>(pWidget))
            cut += UnreachableParts(pArea);
        // Within every box, page and view around it, out to the dock's own view; what a view
        // scrolls away along a held axis is out of sight by design.
        bool bInside = true;
        QRect box(pWidget->mapToGlobal(QPoint(0, 0)), pWidget->size());
        for (QWidget *pAround = pWidget->parentWidget(); bInside && pAround; pAround = pAround->parentWidget()) {
            const QRect around(pAround->mapToGlobal(QPoint(0, 0)), pAround->size());
            const auto *pScrolled = qobject_cast<QAbstractScrollArea *>(pAround->parentWidget());
            if (pScrolled && pScrolled->viewport() == pAround) {
                if (held & Qt::Horizontal)
                    box.setCoords(std::max(box.left(), around.left()), box.top(), std::min(box.right(), around.right()),
                                  box.bottom());
                if (held & Qt::Vertical)
                    box.setCoords(box.left(), std::max(box.top(), around.top()), box.right(),
                                  std::min(box.bottom(), around.bottom()));
                if (box.isEmpty())
                    break;
            }
            bInside = around.contains(box);
            if (pAround == pView)
                break;
        }
        if ((bText || qobject_cast<QLineEdit *>(pWidget) || qobject_cast<QComboBox *>(pWidget)) && !bInside)
            cut << qsName + QStringLiteral(": reaches past its box");
        const QString qsPage = PagePath(pWidget, pView);
        for (qsizetype i = iFirstCut; !qsPage.isEmpty() && i < cut.size(); ++i)
            cut[i].prepend(qsPage + QStringLiteral(" | "));
    }
    return cut;
}

// The pages of the panel's tab widgets that it does not show as it stands, each in turn with
// the tab widgets around it turned to it as the operator would: a page never shown is laid out
// only once it is, and may cut what the first page would not. Every tab widget is turned back.
QStringList CutPageTexts(QWidget *pPanel, QWidget *pView, Qt::Orientations held)
{
    QStringList cut;
    for (QTabWidget *pTabs : pPanel->findChildren<QTabWidget *>()) {
        for (int iPage = 0; iPage < pTabs->count(); ++iPage) {
            QWidget *pPage = pTabs->widget(iPage);
            if (pPage->isVisibleTo(pPanel))
                continue;
            QList<std::pair<QTabWidget *, int>> turned;
            for (QWidget *pOn = pPage; pOn && pOn != pPanel; pOn = pOn->parentWidget()) {
                if (QTabWidget *pAround = TabsOfPage(pOn)) {
                    turned.append({pAround, pAround->currentIndex()});
                    pAround->setCurrentWidget(pOn);
                }
            }
            QCoreApplication::processEvents();
            if (pPage->isVisible())
                cut += CutTexts(pPage, pView, held);
            else
                cut << PagePath(pPage, pView) + QStringLiteral(": the page does not show");
            for (const auto &[pAround, iIndex] : std::as_const(turned))
                pAround->setCurrentIndex(iIndex);
        }
    }
    QCoreApplication::processEvents();
    return cut;
}

// Set on a dock once it has been walked docked.
const char *const kDockedProperty = "frenchWalkedDocked";

// A double click on a floating dock's title: on the title Qt draws above the panel, or, where
// the window system draws it (no window manager on the offscreen platform), as the system hands
// a double click on its frame's title to the window.
void DoubleClickTitle(QDockWidget *pDock)
{
    if (pDock->widget()->y() > 0) {
        QTest::mouseDClick(pDock, Qt::LeftButton, {}, QPoint(pDock->width() / 4, pDock->widget()->y() / 2));
        return;
    }
    const QPoint title(pDock->width() / 4, -pDock->style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2);
    QMouseEvent event(QEvent::NonClientAreaMouseButtonDblClick, QPointF(title), QPointF(pDock->mapToGlobal(title)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(pDock, &event);
}

// A dock's panel, its pages and its scroll areas, the dock's own one included.
QStringList CutPanelTexts(QScrollArea *pArea, Qt::Orientations held)
{
    return CutTexts(pArea->widget(), pArea->viewport(), held) + CutPageTexts(pArea->widget(), pArea->viewport(), held) +
           UnreachableParts(pArea);
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
    void dockTextsWhole_data() { cataloguesHoldEverySourceText_data(); }
    void dockTextsWhole();

private:
    // Every dock shown, then the texts of the window and everything it holds, in creation order;
    // then those of the Open dialog and of the error box, with its details, of a broken project.
    QStringList WindowTexts();
    QStringList DialogTexts(Zelvor *pWnd);
    // Every dock floating at its first size beside the window on that screen: the texts of their
    // panels that are cut, on every page of their tab widgets.
    QStringList CutDockTexts(QScreen *pScreen);
    // Each of the docks opened alone and docked into the window by a double click on its title,
    // as the operator does: the texts of its panel that are cut there, and what of the panel no
    // usable scroll bar brings into view.
    QStringList CutDockedTexts(const QList<QDockWidget *> &docks);

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

QStringList TestFrench::CutDockTexts(QScreen *pScreen)
{
    QSettings().clear();
    auto pWnd = std::make_unique<Zelvor>();
    g_pMainWnd.store(pWnd.get());
    const QRect room = pScreen->availableGeometry();
    if (pScreen != pWnd->screen()) {
        pWnd->setScreen(pScreen);
        pWnd->move(room.topLeft());
    }
    pWnd->show();
    const QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    for (QDockWidget *pDock : docks)
        pDock->show();
    QCoreApplication::processEvents();
    QStringList cut;
    if (pWnd->screen() != pScreen)
        cut << QStringLiteral("the window is not on ") + pScreen->name();
    QList<QDockWidget *> walked;
    for (QDockWidget *pDock : docks) {
        auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
        if (!pArea || !pArea->widget()) {
            cut << pDock->windowTitle() + QStringLiteral(": no scrolled panel");
            continue;
        }
        // A hidden dock would pass with nothing looked at.
        if (!pDock->isVisible()) {
            cut << pDock->windowTitle() + QStringLiteral(": not shown");
            continue;
        }
        // A dock as wide as the screen, or reaching its bottom, may be smaller than its panel
        // and then scrolls along that axis.
        Qt::Orientations held;
        if (pDock->frameGeometry().width() >= room.width())
            held |= Qt::Horizontal;
        if (pDock->frameGeometry().bottom() >= room.bottom())
            held |= Qt::Vertical;
        for (const QString &qsCut : CutPanelTexts(pArea, held))
            cut << pScreen->name() + QLatin1Char(' ') + pDock->windowTitle() + QStringLiteral(" | ") + qsCut;
        walked << pDock;
    }
    // The docks the View and Tools menus open, and the test tools only factory mode has, are
    // all among those walked: a dock left out would pass unseen.
    QList<QDockWidget *> listed = {pWnd->findChild<QDockWidget *>(QStringLiteral("m_pTestToolsDock"))};
    for (const QString &qsMenu : {QStringLiteral("menuView"), QStringLiteral("menuTools")}) {
        const QMenu *pMenu = pWnd->findChild<QMenu *>(qsMenu);
        if (!pMenu)
            cut << QStringLiteral("no ") + qsMenu;
        for (QAction *pAction : pMenu ? pMenu->actions() : QList<QAction *>()) {
            for (QDockWidget *pDock : docks) {
                if (pDock->toggleViewAction() == pAction && !listed.contains(pDock))
                    listed << pDock;
            }
        }
    }
    for (const QDockWidget *pDock : std::as_const(listed)) {
        if (!walked.contains(pDock))
            cut << pScreen->name() + QLatin1Char(' ') +
                       (pDock ? pDock->windowTitle() : QStringLiteral("m_pTestToolsDock")) +
                       QStringLiteral(": not walked");
    }
    for (const QString &qsCut : CutDockedTexts(walked))
        cut << pScreen->name() + QLatin1Char(' ') + qsCut;
    for (QDockWidget *pDock : std::as_const(listed)) {
        if (pDock && !pDock->property(kDockedProperty).toBool())
            cut << pScreen->name() + QLatin1Char(' ') + pDock->windowTitle() + QStringLiteral(": not walked docked");
    }
    g_pMainWnd.store(nullptr);
    return cut;
}

QStringList TestFrench::CutDockedTexts(const QList<QDockWidget *> &docks)
{
    for (QDockWidget *pDock : docks)
        pDock->hide();
    QStringList cut;
    for (QDockWidget *pDock : docks) {
        const QString qsDock = pDock->windowTitle() + QStringLiteral(" docked");
        // Opened floating, as its menu opens it, then docked by a double click on its title.
        pDock->show();
        if (!QTest::qWaitForWindowExposed(pDock) || !pDock->isFloating()) {
            cut << qsDock + QStringLiteral(": does not open floating");
            pDock->hide();
            continue;
        }
        DoubleClickTitle(pDock);
        if (!QTest::qWaitFor([pDock] { return !pDock->isFloating(); })) {
            cut << qsDock + QStringLiteral(": stays floating");
            pDock->hide();
            continue;
        }
        // The window lays its dock area out once the dock is back in it.
        QTest::qWait(50);
        QCoreApplication::processEvents();
        auto *pArea = qobject_cast<QScrollArea *>(pDock->widget());
        // Docked at the width the window gives it, a panel scrolls along both axes.
        for (const QString &qsCut : CutPanelTexts(pArea, Qt::Horizontal | Qt::Vertical))
            cut << qsDock + QStringLiteral(" | ") + qsCut;
        pDock->setProperty(kDockedProperty, true);
        pDock->hide();
    }
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

    QVERIFY(translator.load(qsLang + QStringLiteral("fr.qm")));
    QCoreApplication::installTranslator(&translator);
    QTranslator qtTranslator;
    QVERIFY(Welcome::LoadQtCatalogue(&qtTranslator, QStringLiteral("fr")));
    QCoreApplication::installTranslator(&qtTranslator);
    const QStringList french = WindowTexts();
    QCoreApplication::removeTranslator(&qtTranslator);
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

void TestFrench::dockTextsWhole()
{
    QFETCH(QString, qsLanguage);
    // The shipped fixture types fill the panels' type lists and their tile and sensor fields. They
    // are names, not texts to translate, so the comparison of the languages above goes without.
    QVERIFY(LoadProjectTestCatalogue(true));
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/zelvor_") + qsLanguage +
                            QStringLiteral(".qm")));
    QCoreApplication::installTranslator(&translator);
    QTranslator qtTranslator;
    if (qsLanguage != QLatin1String("en")) {
        QVERIFY(Welcome::LoadQtCatalogue(&qtTranslator, qsLanguage));
        QCoreApplication::installTranslator(&qtTranslator);
    }
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QStringList cut;
    for (QScreen *pScreen : QGuiApplication::screens())
        cut += CutDockTexts(pScreen);
    for (const QString &qsCut : std::as_const(cut))
        qWarning("cut (%s): %s", qPrintable(qsLanguage), qPrintable(qsCut));
    QCOMPARE(cut.size(), 0);
}

// The docks open at their first size on a laptop's screen, which holds the tallest to its height,
// and on a full HD screen beside it, as at an installer's desk.
LANTREL_TEST_MAIN_ON_SCREENS(TestFrench, R"([
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "desk", "x": 1366, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}])")

#include "tst_french.moc"
