// The cabling tab as an operator drives it: numbers and chain links through a sequence and
// through uncabling, the Start/Stop button, the tab held while a sequence runs and released
// by the main window's own change, and the chain limit that keeps a saved project loadable.
#include "mainwindow/zelvor.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/sceneitemdata.h"
#include "scene/fixture.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/zelvorsim.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

class TestCabling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExampleAndUncabling();
    void buttonFollowsSelection();
    void tabHeldUntilMainWindowChangesIt();
    void chainLimitKeepsProjectLoadable();

private:
    // Loads fixtures of the 64 x 64 LPU, named by letters, at (output, number) in a row.
    void Load(const QList<QPair<char, QPair<int, int>>> &fixtures, quint32 uType = 1, int iWidth = 64);
    // "A3>B" per cabled fixture of the output (letter, number, next fixture's letter) in tree
    // order; for output 0 the not-cabled list, "X0".
    QString Chain(int iOutput) const;
    void ClickTab(int iTab);
    void ChooseCablingMenu(QTreeWidgetItem *pItem, const QString &qsEntry);
    void DoubleClickNotCabled(char cLetter);
    QTreeWidgetItem *OutputItem(int iOutput) const { return m_pTree->topLevelItem(iOutput - 1); }
    QTreeWidgetItem *CabledItem(char cLetter) const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ShownZelvor> m_pShown;
    Zelvor *m_pWnd = nullptr;
    FixtureLists *m_pLists = nullptr;
    QTreeWidget *m_pTree = nullptr;
    QListWidget *m_pNotCabled = nullptr;
    QPushButton *m_pButton = nullptr;
    QHash<const CFixture *, char> m_Letters;
};

void TestCabling::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestCabling::init()
{
    m_pShown = std::make_unique<ShownZelvor>();
    QVERIFY(m_pShown->Show());
    m_pWnd = m_pShown->Wnd();
    m_pLists = m_pWnd->m_pFixtureLists;
    m_pTree = m_pLists->findChild<QTreeWidget *>(QStringLiteral("m_pCabledTree"));
    m_pNotCabled = m_pLists->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"));
    m_pButton = m_pLists->findChild<QPushButton *>(QStringLiteral("m_pStartStopCablingBtn"));
}

void TestCabling::cleanup()
{
    m_pShown.reset();
    m_Letters.clear();
}

void TestCabling::Load(const QList<QPair<char, QPair<int, int>>> &fixtures, quint32 uType, int iWidth)
{
    QList<ProjectFixture_t> records;
    for (int i = 0; i < fixtures.size(); ++i)
        records.append(FixtureRecord(quint8(fixtures.at(i).second.first), quint32(fixtures.at(i).second.second), uType,
                                     (i % 40) * iWidth, (i / 40) * 16));
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("cabling.prj"));
    QCOMPARE(WriteProjectFile(qsPath, records, {}), 0);
    QCOMPARE(m_pWnd->LoadProject(qsPath), 0);
    for (const auto &f : fixtures)
        m_Letters.insert(FindFixture(m_pWnd, quint32(f.second.first), quint32(f.second.second)), f.first);
    ClickTab(1);
    m_pTree->expandAll();
}

QString TestCabling::Chain(int iOutput) const
{
    QStringList parts;
    auto describe = [this](const CFixture *pFixture) {
        quint32 uOutput = 0, uNumber = 0;
        pFixture->GetNumber(&uOutput, &uNumber);
        QString qsPart = QString(QChar(m_Letters.value(pFixture))) + QString::number(uNumber);
        if (const CFixture *pNext = pFixture->GetNextFixture())
            qsPart += QLatin1Char('>') + QChar(m_Letters.value(pNext));
        return qsPart;
    };
    if (iOutput == 0) {
        for (int i = 0; i < m_pNotCabled->count(); ++i)
            parts.append(describe(AsFixture(ItemFromData(m_pNotCabled->item(i)->data(Qt::UserRole)))));
    } else {
        for (int i = 0; i < OutputItem(iOutput)->childCount(); ++i)
            parts.append(describe(AsFixture(ItemFromData(OutputItem(iOutput)->child(i)->data(0, Qt::UserRole)))));
    }
    return parts.join(QLatin1Char(' '));
}

void TestCabling::ClickTab(int iTab)
{
    QTabBar *pBar = m_pLists->findChild<QTabWidget *>(QStringLiteral("m_pListTab"))->tabBar();
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(iTab).center());
}

void TestCabling::ChooseCablingMenu(QTreeWidgetItem *pItem, const QString &qsEntry)
{
    QMenu menu;
    m_pTree->scrollToItem(pItem);
    QVERIFY(m_pLists->FillCablingMenu(&menu, m_pTree->visualItemRect(pItem).center()));
    for (QAction *pAction : menu.actions()) {
        if (pAction->text() == qsEntry) {
            pAction->trigger();
            return;
        }
    }
    QFAIL(qPrintable(qsEntry + QStringLiteral(" not offered")));
}

QTreeWidgetItem *TestCabling::CabledItem(char cLetter) const
{
    for (int k = 1; k <= 4; ++k) {
        for (int i = 0; i < OutputItem(k)->childCount(); ++i) {
            QTreeWidgetItem *pItem = OutputItem(k)->child(i);
            if (m_Letters.value(AsFixture(ItemFromData(pItem->data(0, Qt::UserRole)))) == cLetter)
                return pItem;
        }
    }
    return nullptr;
}

void TestCabling::DoubleClickNotCabled(char cLetter)
{
    for (int i = 0; i < m_pNotCabled->count(); ++i) {
        QListWidgetItem *pItem = m_pNotCabled->item(i);
        if (m_Letters.value(AsFixture(ItemFromData(pItem->data(Qt::UserRole)))) == cLetter) {
            m_pNotCabled->scrollToItem(pItem);
            // As the platform delivers a double-click to a widget: a click, then the second press.
            const QPoint pos = m_pNotCabled->visualItemRect(pItem).center();
            QTest::mouseClick(m_pNotCabled->viewport(), Qt::LeftButton, {}, pos);
            QTest::mouseDClick(m_pNotCabled->viewport(), Qt::LeftButton, {}, pos);
            QTest::mouseRelease(m_pNotCabled->viewport(), Qt::LeftButton, {}, pos);
            return;
        }
    }
    QFAIL("not listed");
}

void TestCabling::workedExampleAndUncabling()
{
    Load({{'A', {2, 3}}, {'B', {2, 2}}, {'X', {2, 1}}, {'D', {0, 0}}, {'E', {0, 1}}});
    QCOMPARE(Chain(2), QStringLiteral("A3>B B2>X X1"));

    ChooseCablingMenu(CabledItem('B'), QStringLiteral("&Start Cabling From Here"));
    QCOMPARE(Chain(2), QStringLiteral("A2>B B1"));
    QCOMPARE(Chain(0), QStringLiteral("D0 E1 X2"));
    QCOMPARE(m_pButton->text(), QStringLiteral("Stop Cabling Sequence"));
    QVERIFY(m_pButton->isEnabled());

    DoubleClickNotCabled('D');
    QCOMPARE(Chain(2), QStringLiteral("A3>B B2>D D1"));
    QCOMPARE(Chain(0), QStringLiteral("E0 X1"));
    DoubleClickNotCabled('E');
    QCOMPARE(Chain(2), QStringLiteral("A4>B B3>D D2>E E1"));
    QCOMPARE(OutputItem(2)->child(0)->text(0), QStringLiteral("L2.4")); // relabelled
    QVERIFY(m_pLists->IsCablingSequence());
    DoubleClickNotCabled('X');
    QCOMPARE(Chain(2), QStringLiteral("A5>B B4>D D3>E E2>X X1"));
    QVERIFY(!m_pLists->IsCablingSequence());
    QCOMPARE(m_pButton->text(), QStringLiteral("Start Cabling Sequence"));
    QVERIFY(!m_pButton->isEnabled());

    // The middle of a chain: the fixtures above close the gap and the link skips it.
    ChooseCablingMenu(CabledItem('B'), QStringLiteral("&Uncable Fixture"));
    QCOMPARE(Chain(2), QStringLiteral("A4>D D3>E E2>X X1"));
    QCOMPARE(Chain(0), QStringLiteral("B0"));
    ChooseCablingMenu(CabledItem('E'), QStringLiteral("&Uncable selected fixture and nexts"));
    QCOMPARE(Chain(2), QStringLiteral("A2>D D1"));
    QCOMPARE(Chain(0), QStringLiteral("B0 E1 X2"));
    // A whole output: not-cabled numbers head first.
    ChooseCablingMenu(OutputItem(2), QStringLiteral("&Uncable all fixtures"));
    QCOMPARE(Chain(2), QString());
    QCOMPARE(Chain(0), QStringLiteral("B0 E1 X2 A3 D4"));
}

void TestCabling::buttonFollowsSelection()
{
    Load({{'A', {1, 1}}, {'D', {0, 0}}});
    auto click = [this](QTreeWidgetItem *pItem) {
        QTest::mouseClick(m_pTree->viewport(), Qt::LeftButton, {}, m_pTree->visualItemRect(pItem).center());
    };
    QVERIFY(!m_pButton->isEnabled());
    click(OutputItem(3));
    QVERIFY(m_pButton->isEnabled());
    // Multi-selection by hand: two items selected is no place to start from.
    OutputItem(1)->setSelected(true);
    QVERIFY(!m_pButton->isEnabled());
    click(CabledItem('A'));
    QCOMPARE(m_pTree->selectedItems().size(), 1);
    QVERIFY(m_pButton->isEnabled());

    QTest::mouseClick(m_pButton, Qt::LeftButton);
    QCOMPARE(m_pButton->text(), QStringLiteral("Stop Cabling Sequence"));
    m_pTree->clearSelection();
    QVERIFY(m_pButton->isEnabled()); // a running sequence keeps its button
    QTest::mouseClick(m_pButton, Qt::LeftButton);
    QCOMPARE(m_pButton->text(), QStringLiteral("Start Cabling Sequence"));
    QVERIFY(!m_pButton->isEnabled());
    // The same double-click outside a sequence only selects and highlights.
    DoubleClickNotCabled('D');
    QCOMPARE(Chain(0), QStringLiteral("D0"));
    QVERIFY(m_pNotCabled->item(0)->isSelected());
}

void TestCabling::tabHeldUntilMainWindowChangesIt()
{
    Load({{'A', {1, 1}}, {'D', {0, 0}}});
    auto *pTab = m_pLists->findChild<QTabWidget *>(QStringLiteral("m_pListTab"));
    QVERIFY(m_pWnd->IsCablingMode());
    ChooseCablingMenu(OutputItem(1), QStringLiteral("&Start Cabling From Here"));
    QCOMPARE(Chain(0), QStringLiteral("D0 A1"));
    for (int iTab : {0, 2}) {
        ClickTab(iTab);
        QCOMPARE(pTab->currentIndex(), 1);
        QVERIFY(m_pWnd->IsCablingMode());
    }
    QTest::mouseClick(m_pNotCabled->viewport(), Qt::LeftButton, {},
                      m_pNotCabled->visualItemRect(m_pNotCabled->item(0)).center());
    QVERIFY(m_pNotCabled->item(0)->isSelected());

    QCOMPARE(m_pWnd->NewProject(false), 0);
    QCOMPARE(pTab->currentIndex(), 0);
    QVERIFY(!m_pWnd->IsCablingMode());
    QVERIFY(!m_pLists->IsCablingSequence());
    QCOMPARE(m_pButton->text(), QStringLiteral("Start Cabling Sequence"));
    // Normal mode again: the tab can be left and entered as usual.
    ClickTab(1);
    QVERIFY(m_pWnd->IsCablingMode());
    ClickTab(2);
    QCOMPARE(pTab->currentIndex(), 2);
}

void TestCabling::chainLimitKeepsProjectLoadable()
{
    QList<QPair<char, QPair<int, int>>> fixtures;
    for (int n = 256; n >= 1; --n)
        fixtures.append({'a', {1, n}});
    fixtures.append({'Z', {0, 0}});
    Load(fixtures, 5, 48); // the 48 x 16 strip: all of them fit the screen
    ChooseCablingMenu(OutputItem(1)->child(255), QStringLiteral("&Start Cabling From Here"));
    QVERIFY(m_pLists->IsCablingSequence());
    DoubleClickNotCabled('Z');

    QCOMPARE(MessageTexts(m_pShown->Prompts()),
             QStringList{"HDMI Output 1 already holds 256 fixtures, the most it can drive: L0.0 is not cabled!"});
    QVERIFY(!m_pLists->IsCablingSequence());
    QCOMPARE(OutputItem(1)->childCount(), 256);
    QCOMPARE(Chain(0), QStringLiteral("Z0"));
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("full.prj"));
    QCOMPARE(m_pWnd->SaveProject(qsPath), 0);
    QCOMPARE(m_pWnd->LoadProject(qsPath), 0);
    QCOMPARE(m_pWnd->AllFixtures().size(), 257);
}

QTEST_MAIN(TestCabling)
#include "tst_cabling.moc"
