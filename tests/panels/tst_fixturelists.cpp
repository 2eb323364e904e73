// The scene tree as an operator uses it: clicks carried to the scene once and not echoed
// back, the context menu's entries for what lies under the cursor and their effect, and the
// selection of a large group's fixtures in one update. Also the SASU list's click.
#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/sceneitemdata.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "support/scriptedprompts.h"
#include "support/zelvorsim.h"

#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

class TestFixtureLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clicksReachSceneOnce();
    void sceneMenu_data();
    void sceneMenu();
    void groupFixturesSelectedInOneUpdate();
    void sasuClickSelectsItAlone();

private:
    // Paints a block of the catalogue's type, the new fixtures not cabled.
    void Paint(const QString &qsType, int iX, int iY, int iAcross, int iDown);
    QTreeWidgetItem *Item(const QString &qsLabel) const;
    void Click(const QString &qsLabel);
    QStringList MenuAt(const QString &qsLabel, QMenu *pMenu);

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ShownZelvor> m_pShown;
    Zelvor *m_pWnd = nullptr;
    FixtureLists *m_pLists = nullptr;
    QTreeWidget *m_pTree = nullptr;
};

void TestFixtureLists::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestFixtureLists::init()
{
    m_pShown = std::make_unique<ShownZelvor>();
    QVERIFY(m_pShown->Show());
    m_pWnd = m_pShown->Wnd();
    m_pLists = m_pWnd->m_pFixtureLists;
    m_pTree = m_pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
}

void TestFixtureLists::cleanup()
{
    m_pShown.reset();
}

void TestFixtureLists::Paint(const QString &qsType, int iX, int iY, int iAcross, int iDown)
{
    QList<FixtureType_t> types;
    g_SoftConf.GetFixtureTypes(types);
    for (const FixtureType_t &type : types) {
        if (type.name == qsType)
            QCOMPARE(m_pWnd->AddFixtures(type, iX, iY, iX + iAcross - 1, iY + iDown - 1), 0);
    }
    m_pWnd->ClearHighlight();
    m_pTree->expandAll();
}

QTreeWidgetItem *TestFixtureLists::Item(const QString &qsLabel) const
{
    const QList<QTreeWidgetItem *> found = m_pTree->findItems(qsLabel, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void TestFixtureLists::Click(const QString &qsLabel)
{
    QTreeWidgetItem *pItem = Item(qsLabel);
    QVERIFY2(pItem, qPrintable(qsLabel));
    m_pTree->scrollToItem(pItem);
    QTest::mouseClick(m_pTree->viewport(), Qt::LeftButton, {}, m_pTree->visualItemRect(pItem).center());
}

QStringList TestFixtureLists::MenuAt(const QString &qsLabel, QMenu *pMenu)
{
    QStringList entries;
    QTreeWidgetItem *pItem = Item(qsLabel);
    m_pTree->scrollToItem(pItem);
    if (m_pLists->FillSceneMenu(pMenu, m_pTree->visualItemRect(pItem).center())) {
        for (QAction *pAction : pMenu->actions())
            entries.append(pAction->text());
    }
    return entries;
}

void TestFixtureLists::clicksReachSceneOnce()
{
    Paint(QStringLiteral("LPU 64x64"), 0, 0, 2, 1);
    Paint(QStringLiteral("LPU 64x64"), 500, 0, 1, 1);
    CFixtureGroup *pGroup = m_pWnd->Groups().first();
    CFixture *pMember = FindFixture(m_pWnd, 0, 0);
    CFixture *pLoose = FindFixture(m_pWnd, 0, 2);
    QSignalSpy groupSpy(pGroup, &CFixtureGroup::sigSelChange);
    QSignalSpy memberSpy(pMember, &CFixture::sigSelChange);
    QSignalSpy looseSpy(pLoose, &CFixture::sigSelChange);

    Click(QStringLiteral("G1 - Group 1"));
    QVERIFY(pGroup->isSelected());
    QVERIFY(!pMember->isSelected());
    QCOMPARE(groupSpy.count(), 1);
    QCOMPARE(memberSpy.count(), 0);
    // A scene change: its tree item follows, and that does not come back as a second change.
    pLoose->setSelected(true);
    QCOMPARE(looseSpy.count(), 1);
    QVERIFY(Item(QStringLiteral("L0.2 - LPU 64x64"))->isSelected());
    QCOMPARE(groupSpy.count(), 1);
    Click(QStringLiteral("L0.0 - LPU 64x64"));
    QVERIFY(pMember->isSelected());
    QCOMPARE(memberSpy.count(), 1);
    QCOMPARE(groupSpy.count() + looseSpy.count(), 2);
}

void TestFixtureLists::sceneMenu_data()
{
    QTest::addColumn<QString>("qsUnder");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("entries");
    const QString g = QStringLiteral("G1 - Group 1");
    const QString m = QStringLiteral("L0.0 - LPU 64x64");
    const QString a = QStringLiteral("L0.2 - LPU 64x64");
    const QString b = QStringLiteral("L0.3 - LPU 64x64");
    const QString c = QStringLiteral("L0.4 - LPU 64x64");
    const QStringList groupEntries{"&Select Group's Fixtures", "&UnSelect Group's Fixtures"};
    QTest::newRow("group") << g << QStringList() << groupEntries + QStringList{"&Ungroup Fixtures"};
    QTest::newRow("member") << m << QStringList() << groupEntries;
    QTest::newRow("two loose selected") << a << QStringList{b, c} << QStringList{"&Group Fixtures"};
    QTest::newRow("a member among them") << a << QStringList{b, m} << QStringList();
    QTest::newRow("one loose selected") << a << QStringList{b} << QStringList();
}

void TestFixtureLists::sceneMenu()
{
    QFETCH(QString, qsUnder);
    QFETCH(QStringList, selected);
    Paint(QStringLiteral("LPU 64x64"), 0, 0, 2, 1);
    for (int x : {500, 600, 700})
        Paint(QStringLiteral("LPU 64x64"), x, 0, 1, 1);
    for (const QString &qsLabel : selected)
        Click(qsLabel);

    QMenu menu;
    QTEST(MenuAt(qsUnder, &menu), "entries");
    QVERIFY(!m_pLists->FillSceneMenu(&menu, QPoint(5, m_pTree->viewport()->height() - 5))); // empty space
    if (menu.actions().isEmpty())
        return;
    // The entries act on what the menu was asked for, not on the cursor's last place.
    menu.actions().last()->trigger();
    if (QTest::currentDataTag() == QByteArray("two loose selected")) {
        QCOMPARE(m_pWnd->Groups().size(), 2);
        QVERIFY(!FindFixture(m_pWnd, 0, 2)->parentItem());
        QCOMPARE(FindFixture(m_pWnd, 0, 3)->parentItem(), FindFixture(m_pWnd, 0, 4)->parentItem());
    } else if (QTest::currentDataTag() == QByteArray("group")) {
        QVERIFY(m_pWnd->Groups().isEmpty());
        QVERIFY(Item(QStringLiteral("L0.0 - LPU 64x64"))->parent() == nullptr);
    }
}

void TestFixtureLists::groupFixturesSelectedInOneUpdate()
{
    Paint(QStringLiteral("LPU 48x16 Strip"), 0, 0, 40, 67);
    QCOMPARE(m_pWnd->AllFixtures().size(), 2680);
    QMenu menu;
    QVERIFY(MenuAt(QStringLiteral("L0.7 - LPU 48x16 Strip"), &menu).contains("&Select Group's Fixtures"));
    QSignalSpy treeSpy(m_pTree, &QTreeWidget::itemSelectionChanged);
    menu.actions().first()->trigger();
    QCOMPARE(treeSpy.count(), 1);
    QCOMPARE(m_pWnd->Scene()->selectedItems().size(), 2681);
    QCOMPARE(m_pTree->selectedItems().size(), 2681);
    menu.actions().at(1)->trigger();
    QCOMPARE(treeSpy.count(), 2);
    QVERIFY(m_pWnd->Scene()->selectedItems().isEmpty());
}

void TestFixtureLists::sasuClickSelectsItAlone()
{
    Paint(QStringLiteral("SASU 64x64 Temp"), 0, 0, 1, 1);
    Paint(QStringLiteral("LPU 64x64"), 100, 0, 1, 1);
    Paint(QStringLiteral("SASU 64x64 Temp"), 200, 0, 1, 1);
    FindFixture(m_pWnd, 0, 1)->setSelected(true);
    auto *pTab = m_pLists->findChild<QTabWidget *>(QStringLiteral("m_pListTab"));
    QTest::mouseClick(pTab->tabBar(), Qt::LeftButton, {}, pTab->tabBar()->tabRect(2).center());
    auto *pList = m_pLists->findChild<QListWidget *>(QStringLiteral("m_pSASUList"));
    QCOMPARE(pList->count(), 2);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pList->item(1)).center());
    CFixture *pSasu = FindFixture(m_pWnd, 0, 2);
    QCOMPARE(m_pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pSasu});
    QCOMPARE(m_pTree->selectedItems().size(), 1);
    QCOMPARE(m_pTree->selectedItems().first()->text(0), QStringLiteral("S0.2 - SASU 64x64 Temp"));
}

QTEST_MAIN(TestFixtureLists)
#include "tst_fixturelists.moc"
