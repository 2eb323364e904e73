// The lists of the scene panels as the main window fills them: the scene tree's sorted order
// and its selection in step with the scene, the cabling lists, the SASU list, relabelling,
// and the group combo box.
#include "mainwindow/zelvor.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/groupsettings.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/scenetest.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

QStringList TopLabels(QTreeWidget *pTree)
{
    QStringList labels;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        labels.append(pTree->topLevelItem(i)->text(0));
    return labels;
}

QStringList ChildLabels(QTreeWidgetItem *pItem)
{
    QStringList labels;
    for (int i = 0; i < pItem->childCount(); ++i)
        labels.append(pItem->child(i)->text(0));
    return labels;
}

QStringList ListLabels(QListWidget *pList)
{
    QStringList labels;
    for (int i = 0; i < pList->count(); ++i)
        labels.append(pList->item(i)->text());
    return labels;
}

} // namespace

class TestScenePanels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sceneTreeSortedOrder();
    void sceneTreeFollowsSceneSelection();
    void sceneFollowsTreeSelection();
    void clearedTreeForgetsItems();
    void cablingLists();
    void sasuListHoldsSasusByNumber();
    void itemTextsFollowNumbers();
    void groupComboList();

private:
    CFixture *NewFixture(quint32 uOutput, quint32 uNumber, quint32 uTypeCode = 2, const char *pcType = "Tile");
    CFixtureGroup *NewGroup(quint16 uNumber, const QString &qsName, const QList<CFixture *> &members);

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<Zelvor> m_pWnd;
    QList<QGraphicsItem *> m_Items;
    int m_iNextX = 0;
};

void TestScenePanels::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    m_pEnv = std::make_unique<TestEnv>();
}

void TestScenePanels::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pWnd = std::make_unique<Zelvor>();
    m_iNextX = 0;
}

void TestScenePanels::cleanup()
{
    // As the main window does it: lists first, then the items they point to.
    m_pWnd->m_pFixtureLists->ClearSceneList();
    m_pWnd->m_pFixtureLists->InitCablingLists();
    m_pWnd->m_pFixtureLists->ClearSasuList();
    m_pWnd->m_pGroupSettings->ClearGroupList();
    QList<QGraphicsItem *> topLevel;
    for (QGraphicsItem *pItem : m_Items) {
        if (!pItem->parentItem())
            topLevel.append(pItem);
    }
    qDeleteAll(topLevel);
    m_Items.clear();
    m_pWnd.reset();
    m_pPrompts.reset();
}

CFixture *TestScenePanels::NewFixture(quint32 uOutput, quint32 uNumber, quint32 uTypeCode, const char *pcType)
{
    auto *pFixture = new CFixture(m_pWnd->Scene());
    pFixture->SetType(TestType(64, 32, uTypeCode, QLatin1String(pcType)));
    m_pWnd->Scene()->addItem(pFixture);
    pFixture->setPos(m_iNextX, 0);
    m_iNextX += 64;
    pFixture->SetNumber(uOutput, uNumber);
    m_Items.append(pFixture);
    return pFixture;
}

CFixtureGroup *TestScenePanels::NewGroup(quint16 uNumber, const QString &qsName, const QList<CFixture *> &members)
{
    auto *pGroup = new CFixtureGroup(m_pWnd->Scene());
    pGroup->SetInfo(MakeGroupInfo(uNumber, qsName));
    pGroup->AddFixtures(members);
    m_pWnd->Scene()->addItem(pGroup);
    m_Items.prepend(pGroup);
    return pGroup;
}

void TestScenePanels::sceneTreeSortedOrder()
{
    CFixture *a = NewFixture(2, 5);
    CFixture *b = NewFixture(0, 1);
    CFixture *c = NewFixture(2, 3);
    CFixture *d = NewFixture(1, 9);
    CFixtureGroup *g3 = NewGroup(3, QStringLiteral("Right"), {NewFixture(0, 7), NewFixture(0, 8)});
    CFixtureGroup *g1 = NewGroup(1, QStringLiteral("Left"), {NewFixture(0, 2), NewFixture(0, 3)});
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->AddToSceneList(nullptr, {a, g3, b, c, g1, d});
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(TopLabels(pTree),
             (QStringList{"G1 - Left", "G3 - Right", "L0.1 - Tile", "L1.9 - Tile", "L2.3 - Tile", "L2.5 - Tile"}));
    QCOMPARE(pTree->topLevelItem(0)->type(), int(FixtureLists::SCENE_GROUP_ITEM));
    QCOMPARE(pTree->topLevelItem(2)->type(), int(FixtureLists::SCENE_FIXTURE_ITEM));
    QCOMPARE(ChildLabels(pTree->topLevelItem(0)).size(), 2);
    QCOMPARE(pTree->topLevelItem(0)->data(0, Qt::UserRole).value<QGraphicsItem *>(), static_cast<QGraphicsItem *>(g1));
    // A fixture with the key of one already listed goes before it.
    CFixture *e = NewFixture(2, 3, 2, "Twin");
    pLists->AddToSceneList(nullptr, {e});
    QCOMPARE(TopLabels(pTree).mid(4), (QStringList{"L2.3 - Twin", "L2.3 - Tile", "L2.5 - Tile"}));
    // Nothing was selected by listing.
    QCOMPARE(pTree->selectedItems().size(), 0);
    QVERIFY(m_pWnd->Scene()->selectedItems().isEmpty());
}

void TestScenePanels::sceneTreeFollowsSceneSelection()
{
    CFixture *a = NewFixture(1, 1);
    CFixture *m1 = NewFixture(0, 1);
    CFixture *m2 = NewFixture(0, 2);
    CFixtureGroup *g = NewGroup(1, QStringLiteral("G"), {m1, m2});
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->AddToSceneList(nullptr, {g, a});
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    a->setSelected(true);
    QVERIFY(pTree->topLevelItem(1)->isSelected());
    g->setSelected(true);
    QVERIFY(pTree->topLevelItem(0)->isSelected());
    QVERIFY(!pTree->topLevelItem(0)->child(0)->isSelected());
    a->setSelected(false);
    QVERIFY(!pTree->topLevelItem(1)->isSelected());
    // The tree's own change did not come back to the scene.
    QVERIFY(g->isSelected());
}

void TestScenePanels::sceneFollowsTreeSelection()
{
    CFixture *a = NewFixture(1, 1);
    CFixture *b = NewFixture(1, 2);
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->AddToSceneList(nullptr, {a, b});
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    pTree->topLevelItem(1)->setSelected(true);
    QVERIFY(b->isSelected());
    QVERIFY(!a->isSelected());
    pTree->clearSelection();
    QVERIFY(!b->isSelected());
    // After items were selected on the scene without the tree hearing of it.
    pLists->ClearSceneList();
    pLists->AddToSceneList(nullptr, {a, b});
    a->setSelected(true);
    pLists->UpdateSceneListSelection();
    QVERIFY(pTree->topLevelItem(0)->isSelected());
}

void TestScenePanels::clearedTreeForgetsItems()
{
    CFixture *a = NewFixture(1, 1);
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->AddToSceneList(nullptr, {a});
    pLists->ClearSceneList();
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 0);
    // The fixture's selection link is cut: selecting it reaches no deleted tree item.
    a->setSelected(true);
    QVERIFY(!disconnect(a, &CFixture::sigSelChange, pLists, &FixtureLists::s_OnItemSelectionChange));
}

void TestScenePanels::cablingLists()
{
    const QList<CFixture *> fixtures = {NewFixture(1, 1),
                                        NewFixture(0, 4),
                                        NewFixture(1, 3),
                                        NewFixture(0, 0),
                                        NewFixture(3, 1),
                                        NewFixture(1, 2),
                                        NewFixture(0, 4, 2, "Late"),
                                        NewFixture(5, 1)};
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->InitCablingLists();
    pLists->AddToCablingLists(fixtures);
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pCabledTree"));
    QCOMPARE(TopLabels(pTree), (QStringList{"HDMI Output 1", "HDMI Output 2", "HDMI Output 3", "HDMI Output 4"}));
    QCOMPARE(pTree->topLevelItem(2)->data(0, Qt::UserRole).toInt(), 3);
    // Each chain from its head (highest number) down to 1.
    QCOMPARE(ChildLabels(pTree->topLevelItem(0)), (QStringList{"L1.3", "L1.2", "L1.1"}));
    QCOMPARE(ChildLabels(pTree->topLevelItem(1)), QStringList());
    QCOMPARE(ChildLabels(pTree->topLevelItem(2)), QStringList{"L3.1"});
    // Not cabled ascending, equal numbers in arrival order; output 5 goes nowhere.
    auto *pNotCabled = pLists->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"));
    QCOMPARE(ListLabels(pNotCabled), (QStringList{"L0.0", "L0.4", "L0.4"}));
    QCOMPARE(pNotCabled->item(2)->data(Qt::UserRole).value<QGraphicsItem *>(),
             static_cast<QGraphicsItem *>(fixtures.at(6)));
    pLists->InitCablingLists();
    QCOMPARE(ChildLabels(pTree->topLevelItem(0)), QStringList());
    QCOMPARE(pNotCabled->count(), 0);
}

void TestScenePanels::sasuListHoldsSasusByNumber()
{
    const QList<CFixture *> fixtures = {NewFixture(1, 4, 0x20000001), NewFixture(1, 2, 2), NewFixture(2, 1, 0x10000000),
                                        NewFixture(0, 3, 0x0FFFFFFF), NewFixture(3, 1, 0xF0000000)};
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->ClearSasuList();
    pLists->AddToSasuList(fixtures);
    auto *pList = pLists->findChild<QListWidget *>(QStringLiteral("m_pSASUList"));
    // By number alone, the outputs not compared; equal numbers in arrival order.
    QCOMPARE(ListLabels(pList), (QStringList{"S2.1", "S3.1", "S1.4"}));
    QCOMPARE(pList->item(2)->data(Qt::UserRole).value<QGraphicsItem *>(), static_cast<QGraphicsItem *>(fixtures.at(0)));
    pLists->ClearSasuList();
    QCOMPARE(pList->count(), 0);
}

void TestScenePanels::itemTextsFollowNumbers()
{
    CFixture *a = NewFixture(1, 1);
    CFixture *b = NewFixture(0, 0);
    CFixture *m1 = NewFixture(0, 5);
    CFixtureGroup *g = NewGroup(2, QStringLiteral("Old"), {m1, NewFixture(0, 6)});
    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    pLists->AddToSceneList(nullptr, {g, a, b});
    pLists->InitCablingLists();
    pLists->AddToCablingLists({a, b});
    a->SetNumber(1, 7);
    b->SetNumber(0, 9);
    m1->SetNumber(0, 4);
    g->SetInfo(MakeGroupInfo(2, QStringLiteral("New")));
    pLists->UpdateItemTexts();
    auto *pTree = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(TopLabels(pTree), (QStringList{"G2 - New", "L0.9 - Tile", "L1.7 - Tile"}));
    QVERIFY(ChildLabels(pTree->topLevelItem(0)).contains(QStringLiteral("L0.4 - Tile")));
    auto *pCabled = pLists->findChild<QTreeWidget *>(QStringLiteral("m_pCabledTree"));
    QCOMPARE(ChildLabels(pCabled->topLevelItem(0)), QStringList{"L1.7"});
    QCOMPARE(ListLabels(pLists->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"))), QStringList{"L0.9"});
}

void TestScenePanels::groupComboList()
{
    CFixtureGroup *g1 = NewGroup(1, QStringLiteral("A"), {NewFixture(0, 1), NewFixture(0, 2)});
    CFixtureGroup *g4 = NewGroup(4, QStringLiteral("B"), {NewFixture(0, 3), NewFixture(0, 4)});
    GroupSettings *pPanel = m_pWnd->m_pGroupSettings;
    QVERIFY(!pPanel->isEnabled());
    pPanel->SetGroupList({g4, g1});
    // Asked twice, as after adding fixtures: still one link per group.
    pPanel->SetGroupList({g4, g1});
    auto *pCombo = pPanel->findChild<QComboBox *>(QStringLiteral("m_pGroupNameCbBox"));
    QStringList texts;
    for (int i = 0; i < pCombo->count(); ++i)
        texts.append(pCombo->itemText(i));
    QCOMPARE(texts, (QStringList{"G4", "G1"}));
    QVERIFY(pPanel->isEnabled());
    m_pWnd->Scene()->clearSelection();
    g1->setSelected(true);
    QCOMPARE(pCombo->currentIndex(), 1);
    g4->setSelected(true); // two selected: the panel stays where it is
    QCOMPARE(pCombo->currentIndex(), 1);
    g1->SetInfo(MakeGroupInfo(9, QStringLiteral("A")));
    pPanel->UpdateItemTexts();
    QCOMPARE(pCombo->itemText(1), QStringLiteral("G9"));
    pPanel->ClearGroupList();
    QCOMPARE(pCombo->count(), 0);
    QVERIFY(!pPanel->isEnabled());
    QVERIFY(!disconnect(g1, &CFixtureGroup::sigSelChange, pPanel, &GroupSettings::s_OnItemSelectionChange));
}

QTEST_MAIN(TestScenePanels)
#include "tst_scenepanels.moc"
