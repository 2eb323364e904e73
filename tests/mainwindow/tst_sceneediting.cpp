// The main window's scene editing: blocks of fixtures with their numbers and group, deletion
// with closed number gaps and dissolved one-member groups, the group number limits, grouping,
// ungrouping, alignment and rotation, the context menu's entries, cabling mode, and for each
// result the project saved to a file and read back unchanged.
#include "editingtest.h"

#include "scene/anchor.h"
#include "scene/sceneitems.h"
#include "scene/scenetest.h"

#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>

namespace {

QString NameOf(const CFixture *pFixture)
{
    return pFixture->GetName();
}

QStringList Names(const QList<CFixture *> &fixtures)
{
    QStringList names;
    for (const CFixture *pFixture : fixtures)
        names.append(NameOf(pFixture));
    return names;
}

QPointF AnchorOf(const CFixture *pFixture)
{
    QPointF p;
    pFixture->GetAnchor()->GetScenePos(&p);
    return p;
}

QPointF AnchorOf(const CFixtureGroup *pGroup)
{
    QPointF p;
    pGroup->GetAnchor()->GetScenePos(&p);
    return p;
}

GroupInfo_t InfoOf(const CFixtureGroup *pGroup)
{
    GroupInfo_t info;
    pGroup->GetInfo(&info);
    return info;
}

QStringList ListTexts(QListWidget *pList)
{
    QStringList texts;
    for (int i = 0; i < pList->count(); ++i)
        texts.append(pList->item(i)->text());
    return texts;
}

QStringList MenuEntries(QMenu *pMenu)
{
    QStringList texts;
    for (QAction *pAction : pMenu->actions()) {
        texts.append(pAction->text());
        if (pAction->menu()) {
            for (QAction *pSub : pAction->menu()->actions())
                texts.append(QStringLiteral("  ") + pSub->text());
        }
    }
    return texts;
}

} // namespace

class TestSceneEditing : public EditingTestBase
{
    Q_OBJECT
private slots:
    void initTestCase() { StartProgram(); }
    void cleanupTestCase() { StopProgram(); }
    void cleanup() { DropWindow(); }

    void fitChecks_data();
    void fitChecks();
    void singleFixtureIsSelectedAndListed();
    void blockBecomesGroupNumberedColumnByColumn();
    void deletionClosesGapsOfGroupMembers();
    void deletionDissolvesOneMemberGroup();
    void deletionInCabledChain();
    void deletionWithoutSelection();
    void groupNumbers_data();
    void groupNumbers();
    void groupNumbersStopAt128();
    void freeGroupNumberIsReused();
    void notCabledNumbersStayLoadable();
    void groupingLooseFixtures();
    void groupingRefusesGroupedOrSingle();
    void ungroupingClosesGroupNumbers();
    void groupItemDissolvesItself();
    void align_data();
    void align();
    void alignNeedsTwoItemsAndAMode();
    void rotation();
    void contextMenuEntries_data();
    void contextMenuEntries();
    void rotationAsksForTheAngle();
    void cablingMode();
    void notCabledFixturesUnderThePoint();
    void loadedItemsAndClearedScene();
};

void TestSceneEditing::fitChecks_data()
{
    QTest::addColumn<quint32>("code");
    QTest::addColumn<QRect>("block");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("box");
    const QString qsWidth = QStringLiteral("Fixture(s) does not fit in the Full Screen width! | ");
    const QString qsHeight = QStringLiteral("Fixture(s) does not fit in the Full Screen height! | ");
    // LPU 128x128 ten across from 640 ends at exactly 1920; LPU 128x64 sixteen down from 56
    // ends at exactly 1080.
    QTest::newRow("width 1920") << 3u << QRect(640, 0, 10, 1) << 0 << QString();
    QTest::newRow("width 1921") << 3u << QRect(641, 0, 10, 1) << -51 << qsWidth;
    QTest::newRow("height 1080") << 2u << QRect(0, 56, 1, 16) << 0 << QString();
    QTest::newRow("height 1081") << 2u << QRect(0, 57, 1, 16) << -51 << qsHeight;
    QTest::newRow("width checked first") << 3u << QRect(1900, 1000, 1, 1) << -51 << qsWidth;
    QTest::newRow("left of the screen") << 1u << QRect(-1, 0, 1, 1) << -51 << qsWidth;
    QTest::newRow("above the screen") << 1u << QRect(0, -64, 1, 1) << -51 << qsHeight;
    QTest::newRow("none across") << 1u << QRect(0, 0, 0, 1) << -4
                                 << "Invalid fixture block: 0 x 1 fixtures of 64 x 64 pixels! | (Error Code = -4) - "
                                    "Invalid parameter!";
    QTest::newRow("none down") << 1u << QRect(0, 0, 2, 0) << -4
                               << "Invalid fixture block: 2 x 0 fixtures of 64 x 64 pixels! | (Error Code = -4) - "
                                  "Invalid parameter!";
}

void TestSceneEditing::fitChecks()
{
    QFETCH(quint32, code);
    QFETCH(QRect, block);
    QFETCH(int, status);
    QFETCH(QString, box);
    Zelvor *pWnd = MakeWindow();
    const int iSceneItems = int(pWnd->Scene()->items().size());
    QCOMPARE(pWnd->AddFixtures(CatalogueType(code), block), status);
    const FixtureType_t type = CatalogueType(code);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO).first(),
             QStringLiteral("Add Fixtures : '%1' - Horizontal Number=%2 - Vertical Number=%3 - top-left-hor=%4 - "
                            "top-left-ver=%5")
                 .arg(type.name)
                 .arg(block.width())
                 .arg(block.height())
                 .arg(block.x())
                 .arg(block.y()));
    if (status == 0) {
        QCOMPARE(Boxes(), QStringList());
        QCOMPARE(pWnd->AllFixtures().size(), qsizetype(block.width()) * block.height());
        const QRectF all = BoxOf(pWnd->Groups().first());
        QVERIFY(all.right() <= 1919 && all.bottom() <= 1079);
        QVERIFY(all.right() == 1919 || all.bottom() == 1079);
        VERIFY_ROUND_TRIP(pWnd);
        return;
    }
    // A refused block adds nothing at all.
    QCOMPARE(Boxes(), QStringList{box});
    QCOMPARE(pWnd->AllFixtures().size(), 0);
    QCOMPARE(pWnd->Groups().size(), 0);
    QCOMPARE(pWnd->Chain(0).size(), 0);
    QCOMPARE(int(pWnd->Scene()->items().size()), iSceneItems);
    QCOMPARE(pWnd->Scene()->selectedItems().size(), 0);
}

void TestSceneEditing::singleFixtureIsSelectedAndListed()
{
    Zelvor *pWnd = MakeWindow();
    // The paintbrush passes the corners of its block: one fixture is the rectangle (x, y, x, y).
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), 300, 200, 300, 200), 0);
    QCOMPARE(pWnd->Groups().size(), 0);
    QCOMPARE(pWnd->AllFixtures().size(), 1);
    CFixture *pFixture = pWnd->AllFixtures().first();
    QCOMPARE(pWnd->TopLevelFixtures(), QList<CFixture *>{pFixture});
    QVERIFY(!pFixture->parentItem());
    QCOMPARE(pFixture->scene(), pWnd->Scene());
    QCOMPARE(pFixture->scenePos(), QPointF(300, 200));
    QCOMPARE(AnchorOf(pFixture), QPointF(300, 200));
    QCOMPARE(NameOf(pFixture), QStringLiteral("L0.0"));
    QCOMPARE(pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pFixture});
    // Listed as not cabled at once, on the scene tree and in the cabling list.
    QCOMPARE(pWnd->Chain(0), QList<CFixture *>{pFixture});
    QCOMPARE(ListTexts(pWnd->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"))),
             QStringList{QStringLiteral("L0.0")});
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 1);
    QVERIFY(pTree->topLevelItem(0)->isSelected());
    QVERIFY(m_pTraces->Texts(TRACE_KIND_INFO).contains(QStringLiteral("Next fixture number on output 0 is: 0")));
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::blockBecomesGroupNumberedColumnByColumn()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(200, 100, 3, 2)), 0);
    QCOMPARE(pWnd->Groups().size(), 1);
    CFixtureGroup *pGroup = pWnd->Groups().first();
    QCOMPARE(InfoOf(pGroup).number, quint16(1));
    QCOMPARE(InfoOf(pGroup).name, QStringLiteral("Group 1"));
    QCOMPARE(pGroup->scenePos(), QPointF(200, 100));
    QCOMPARE(AnchorOf(pGroup), QPointF(200, 100));
    QCOMPARE(pGroup->zValue(), SceneItems::GROUP_SELECTED_Z);
    QCOMPARE(pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pGroup});
    QCOMPARE(pWnd->AllFixtures().size(), 7);
    QCOMPARE(pWnd->TopLevelFixtures().size(), 1);
    for (int i = 0; i < 6; ++i) {
        CFixture *pFixture = pWnd->AllFixtures().at(i + 1);
        const QPointF corner(200 + 64 * (i / 2), 100 + 64 * (i % 2));
        QCOMPARE(pFixture->parentItem(), static_cast<QGraphicsItem *>(pGroup));
        QCOMPARE(pFixture->pos(), corner - QPointF(200, 100));
        QCOMPARE(pFixture->scenePos(), corner);
        QCOMPARE(AnchorOf(pFixture), corner);
        QCOMPARE(NameOf(pFixture), QStringLiteral("L0.%1").arg(i + 1));
        QCOMPARE(pFixture->zValue(), SceneItems::FIXTURE_Z);
        quint16 uGroup = 0;
        pFixture->GetGroupInfo(&uGroup, nullptr);
        QCOMPARE(uGroup, quint16(1));
    }
    QCOMPARE(Names(pWnd->Chain(0)), (QStringList{"L0.0", "L0.1", "L0.2", "L0.3", "L0.4", "L0.5", "L0.6"}));
    QCOMPARE(ListTexts(pWnd->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"))).size(), 7);
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::deletionClosesGapsOfGroupMembers()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);    // L0.0
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(200, 0, 2, 2)), 0);  // L0.1 .. L0.4, group 1
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(600, 0, 1, 1)), 0);  // L0.5
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(800, 0, 1, 1)), 0);  // L0.6
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(1000, 0, 2, 1)), 0); // L0.7, L0.8, group 2
    CFixture *pFirst = pWnd->AllFixtures().first();
    CFixtureGroup *pGroup1 = pWnd->Groups().first();
    CFixtureGroup *pGroup2 = pWnd->Groups().last();
    pWnd->Scene()->clearSelection();
    pFirst->setSelected(true);
    pGroup1->setSelected(true);
    m_pTraces->Reset();

    pWnd->DeleteSelectedFixtures();
    QVERIFY(m_pTraces->Texts(TRACE_KIND_INFO)
                .contains(QStringLiteral("Delete Selected Fixtures... (Item number selected = 2")));
    // The four members went with their group: the numbers behind them close up as well.
    QCOMPARE(Names(pWnd->AllFixtures()), (QStringList{"L0.0", "L0.1", "L0.2", "L0.3"}));
    QCOMPARE(Names(pWnd->Chain(0)), (QStringList{"L0.0", "L0.1", "L0.2", "L0.3"}));
    QCOMPARE(pWnd->Groups(), QList<CFixtureGroup *>{pGroup2});
    QCOMPARE(InfoOf(pGroup2).number, quint16(1));
    QCOMPARE(InfoOf(pGroup2).name, QStringLiteral("Group 2"));
    QCOMPARE(ListTexts(pWnd->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"))),
             (QStringList{"L0.0", "L0.1", "L0.2", "L0.3"}));
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 3);
    VERIFY_ROUND_TRIP(pWnd);

    // Another block goes on from the highest number left.
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 500, 1, 1)), 0);
    QCOMPARE(NameOf(pWnd->AllFixtures().last()), QStringLiteral("L0.4"));
}

void TestSceneEditing::deletionDissolvesOneMemberGroup()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(400, 300, 2, 1)), 0); // group 1: L0.0, L0.1
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(900, 700, 2, 1)), 0); // group 2: L0.2, L0.3
    CFixtureGroup *pGroup1 = pWnd->Groups().at(0);
    CFixtureGroup *pGroup2 = pWnd->Groups().at(1);
    CFixture *pGone = pWnd->AllFixtures().at(0);
    CFixture *pStays = pWnd->AllFixtures().at(1);
    // Both the group and the remaining member are turned: the member's own turn and the
    // group's add up once it stands alone.
    QCOMPARE(pGroup1->SetRotation(90), 0);
    QCOMPARE(pStays->SetRotation(90), 0);
    const QPolygonF outline = pStays->GetScenePolygon();
    const QPointF anchor = AnchorOf(pStays);

    pWnd->Scene()->clearSelection();
    pGone->setSelected(true);
    pWnd->DeleteSelectedFixtures();

    QCOMPARE(pWnd->Groups(), QList<CFixtureGroup *>{pGroup2});
    QCOMPARE(InfoOf(pGroup2).number, quint16(1));
    QCOMPARE(InfoOf(pGroup2).name, QStringLiteral("Group 2"));
    QVERIFY(!pStays->parentItem());
    QCOMPARE(pWnd->TopLevelFixtures(), QList<CFixture *>{pStays});
    QCOMPARE(pStays->rotation(), 180.0);
    QVERIFY(SamePolygon(pStays->GetScenePolygon(), outline));
    QCOMPARE(AnchorOf(pStays), anchor);
    quint16 uGroup = 99;
    pStays->GetGroupInfo(&uGroup, nullptr);
    QCOMPARE(uGroup, quint16(0));
    QCOMPARE(Names(pWnd->AllFixtures()), (QStringList{"L0.0", "L0.1", "L0.2"}));
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::deletionInCabledChain()
{
    Zelvor *pWnd = MakeWindow();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100 * i, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(0x10000001), QRect(0, 500, 1, 1)), 0);
    for (int i = 0; i < 5; ++i)
        pWnd->AllFixtures().at(i)->SetNumber(2, quint32(i + 1));
    pWnd->AllFixtures().at(5)->SetNumber(2, 6);
    pWnd->UpdateFixtureLists();
    QCOMPARE(Names(pWnd->Chain(2)), (QStringList{"S2.6", "L2.5", "L2.4", "L2.3", "L2.2", "L2.1"}));
    QCOMPARE(pWnd->LpuCount(2), 5);
    QCOMPARE(pWnd->SasuCount(2), 1);
    QCOMPARE(pWnd->Chain(0).size(), 0);

    pWnd->Scene()->clearSelection();
    pWnd->AllFixtures().at(2)->setSelected(true);
    pWnd->DeleteSelectedFixtures();
    QCOMPARE(Names(pWnd->Chain(2)), (QStringList{"S2.5", "L2.4", "L2.3", "L2.2", "L2.1"}));
    QCOMPARE(pWnd->LpuCount(2), 4);
    QCOMPARE(pWnd->SasuCount(2), 1);
    QCOMPARE(pWnd->LpuCount(1), 0);
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::deletionWithoutSelection()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);
    pWnd->Scene()->clearSelection();
    m_pTraces->Reset();
    pWnd->DeleteSelectedFixtures();
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO),
             QStringList{QStringLiteral("Delete Selected Fixtures... (Item number selected = 0")});
    QCOMPARE(pWnd->AllFixtures().size(), 1);
}

void TestSceneEditing::groupNumbers_data()
{
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<int>("next");
    QTest::newRow("none") << QList<int>{} << 1;
    QTest::newRow("1 2 3") << QList<int>{1, 2, 3} << 4;
    QTest::newRow("7") << QList<int>{7} << 8;
    QTest::newRow("127") << QList<int>{127} << 128;
    QTest::newRow("1 128: first free") << QList<int>{1, 128} << 2;
    QTest::newRow("128 alone: first free") << QList<int>{128} << 1;
}

void TestSceneEditing::groupNumbers()
{
    QFETCH(QList<int>, existing);
    QFETCH(int, next);
    Zelvor *pWnd = MakeWindow();
    for (int i = 0; i < existing.size(); ++i) {
        QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(200 * i, 0, 2, 1)), 0);
        CFixtureGroup *pGroup = pWnd->Groups().last();
        QCOMPARE(pGroup->SetInfo(MakeGroupInfo(quint16(existing.at(i)), InfoOf(pGroup).name)), 0);
    }
    m_pTraces->Reset();
    quint16 uNumber = 0;
    QCOMPARE(pWnd->GetFirstFreeGroupNumber(&uNumber), 0);
    QCOMPARE(int(uNumber), next);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO),
             QStringList{QStringLiteral("First free group number is: %1").arg(next)});
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 500, 1, 2)), 0);
    QCOMPARE(InfoOf(pWnd->Groups().last()).number, quint16(next));
    QCOMPARE(InfoOf(pWnd->Groups().last()).name, QStringLiteral("Group %1").arg(next));
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::groupNumbersStopAt128()
{
    Zelvor *pWnd = MakeWindow();
    const FixtureType_t small = CatalogueType(0xFFFFFFFF); // 16 x 16
    for (int i = 0; i < 128; ++i)
        QCOMPARE(pWnd->AddFixtures(small, QRect(32 * (i % 60), 16 * (i / 60), 2, 1)), 0);
    QCOMPARE(InfoOf(pWnd->Groups().last()).number, quint16(128));
    QCOMPARE(pWnd->AllFixtures().size(), 256);

    // A 129th group is refused whole, by the paintbrush and by grouping alike.
    QCOMPARE(pWnd->AddFixtures(small, QRect(0, 600, 2, 1)), -5);
    const QString qsBox = QStringLiteral("No free group number is left: a project holds at most 128 groups! | (Error "
                                         "Code = -5) - Resource not available!");
    QCOMPARE(Boxes(), QStringList{qsBox});
    QCOMPARE(pWnd->AllFixtures().size(), 256);
    QCOMPARE(pWnd->Groups().size(), 128);
    QCOMPARE(pWnd->AddFixtures(small, QRect(0, 600, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(small, QRect(100, 600, 1, 1)), 0);
    const QList<CFixture *> loose = pWnd->TopLevelFixtures();
    QCOMPARE(loose.size(), 2);
    pWnd->GroupItems(loose);
    QCOMPARE(Boxes(), (QStringList{qsBox, qsBox}));
    QCOMPARE(pWnd->Groups().size(), 128);
    QCOMPARE(pWnd->TopLevelFixtures(), loose);
    VERIFY_ROUND_TRIP(pWnd);

    // Once a group is dissolved its number is free again, at the end after the gap closes.
    pWnd->UngroupItems({pWnd->Groups().at(4)});
    QCOMPARE(InfoOf(pWnd->Groups().last()).number, quint16(127));
    pWnd->GroupItems(loose);
    QCOMPARE(InfoOf(pWnd->Groups().last()).number, quint16(128));
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::freeGroupNumberIsReused()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 2, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(200, 0, 2, 1)), 0);
    // A loaded project may number its groups with gaps up to 128.
    QCOMPARE(pWnd->Groups().last()->SetInfo(MakeGroupInfo(128, QStringLiteral("Last"))), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(400, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(600, 0, 1, 1)), 0);
    pWnd->GroupItems(pWnd->TopLevelFixtures());
    QCOMPARE(InfoOf(pWnd->Groups().last()).number, quint16(2));
    QCOMPARE(InfoOf(pWnd->Groups().last()).name, QStringLiteral("Group 2"));
    QCOMPARE(Boxes(), QStringList());
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::notCabledNumbersStayLoadable()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100, 0, 1, 1)), 0);
    // The largest not-cabled number a project file takes.
    pWnd->AllFixtures().last()->SetNumber(0, Zelvor::kNotCabledNumberMax);
    quint32 uNext = 0;
    QCOMPARE(pWnd->GetNextFixtureNumber(0, &uNext), 0);
    QCOMPARE(uNext, 1u);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(300, 0, 2, 1)), 0);
    QCOMPARE(Names(pWnd->AllFixtures()), (QStringList{"L0.0", "L0.2147483647", "L0.1", "L0.2"}));
    VERIFY_ROUND_TRIP(pWnd);
    // Outputs are counted apart, by their low byte.
    QCOMPARE(pWnd->GetNextFixtureNumber(3, &uNext), 0);
    QCOMPARE(uNext, 0u);
    pWnd->AllFixtures().first()->SetNumber(0x103, 7);
    QCOMPARE(pWnd->GetNextFixtureNumber(3, &uNext), 0);
    QCOMPARE(uNext, 8u);
}

void TestSceneEditing::groupingLooseFixtures()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(1000, 800, 2, 1)), 0); // group 1
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(1300, 800, 2, 1)), 0); // group 2
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(100, 500, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(150, 560, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(2), QRect(600, 450, 1, 1)), 0);
    const QList<CFixture *> loose = pWnd->TopLevelFixtures();
    // Turned about its anchor at (150, 560), the second reaches left to x = 87.
    QCOMPARE(loose.at(1)->SetRotation(90), 0);
    QList<QPolygonF> outlines;
    QList<QPointF> anchors;
    for (CFixture *pFixture : loose) {
        outlines.append(pFixture->GetScenePolygon());
        anchors.append(AnchorOf(pFixture));
    }
    QCOMPARE(BoxOf(loose.at(1)).left(), 87.0);

    pWnd->GroupItems(loose);
    QCOMPARE(pWnd->Groups().size(), 3);
    CFixtureGroup *pGroup = pWnd->Groups().last();
    QCOMPARE(InfoOf(pGroup).number, quint16(3));
    QCOMPARE(InfoOf(pGroup).name, QStringLiteral("Group 3"));
    QCOMPARE(pGroup->scenePos(), QPointF(87, 450));
    QCOMPARE(AnchorOf(pGroup), QPointF(87, 450));
    QCOMPARE(pWnd->TopLevelFixtures().size(), 0);
    for (int i = 0; i < loose.size(); ++i) {
        QCOMPARE(loose.at(i)->parentItem(), static_cast<QGraphicsItem *>(pGroup));
        QVERIFY(SamePolygon(loose.at(i)->GetScenePolygon(), outlines.at(i)));
        QCOMPARE(AnchorOf(loose.at(i)), anchors.at(i));
        quint16 uGroup = 0;
        loose.at(i)->GetGroupInfo(&uGroup, nullptr);
        QCOMPARE(uGroup, quint16(3));
    }
    QCOMPARE(loose.at(0)->pos(), QPointF(13, 50));
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 3);
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::groupingRefusesGroupedOrSingle()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 2, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(400, 0, 1, 1)), 0);
    CFixture *pLoose = pWnd->TopLevelFixtures().first();
    CFixture *pMember = pWnd->AllFixtures().first();
    pWnd->GroupItems({pLoose});
    pWnd->GroupItems({pLoose, pMember});
    pWnd->GroupItems({pLoose, pLoose, nullptr});
    QCOMPARE(pWnd->Groups().size(), 1);
    QVERIFY(!pLoose->parentItem());
    QCOMPARE(pMember->parentItem(), static_cast<QGraphicsItem *>(pWnd->Groups().first()));
    QList<CFixture *> members;
    pWnd->Groups().first()->GetFixtures(members);
    QCOMPARE(members.size(), 2);
    QCOMPARE(Boxes(), QStringList());
}

void TestSceneEditing::ungroupingClosesGroupNumbers()
{
    Zelvor *pWnd = MakeWindow();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(300 * i + 200, 300, 2, 1)), 0);
    CFixtureGroup *pMiddle = pWnd->Groups().at(1);
    CFixtureGroup *pLast = pWnd->Groups().at(2);
    QCOMPARE(pMiddle->SetRotation(90), 0);
    QList<CFixture *> members;
    pMiddle->GetFixtures(members);
    QList<QPolygonF> outlines;
    for (CFixture *pFixture : members)
        outlines.append(pFixture->GetScenePolygon());

    pWnd->UngroupItems({pMiddle});
    QCOMPARE(pWnd->Groups().size(), 2);
    QCOMPARE(pWnd->Groups().at(1), pLast);
    QCOMPARE(InfoOf(pLast).number, quint16(2));
    QCOMPARE(InfoOf(pLast).name, QStringLiteral("Group 3"));
    QCOMPARE(pWnd->TopLevelFixtures(), members);
    for (int i = 0; i < members.size(); ++i) {
        QVERIFY(!members.at(i)->parentItem());
        QCOMPARE(members.at(i)->rotation(), 90.0);
        QVERIFY(SamePolygon(members.at(i)->GetScenePolygon(), outlines.at(i)));
        QCOMPARE(members.at(i)->scene(), pWnd->Scene());
    }
    // Its members are the third group's now: the numbers follow.
    QList<CFixture *> lastMembers;
    pLast->GetFixtures(lastMembers);
    quint16 uGroup = 0;
    lastMembers.first()->GetGroupInfo(&uGroup, nullptr);
    QCOMPARE(uGroup, quint16(2));
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::groupItemDissolvesItself()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 2, 2)), 0);
    pWnd->Groups().first()->s_OnUnGroupActionTriggered();
    QCOMPARE(pWnd->Groups().size(), 0);
    QCOMPARE(pWnd->TopLevelFixtures().size(), 4);
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 4);
}

void TestSceneEditing::align_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("top") << int(Zelvor::ALIGN_TOP);
    QTest::newRow("bottom") << int(Zelvor::ALIGN_BOTTOM);
    QTest::newRow("left") << int(Zelvor::ALIGN_LEFT);
    QTest::newRow("right") << int(Zelvor::ALIGN_RIGHT);
}

void TestSceneEditing::align()
{
    QFETCH(int, mode);
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100, 100, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(300, 400, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(600, 200, 2, 1)), 0);
    CFixture *pSmall = pWnd->TopLevelFixtures().at(0);
    CFixture *pTurned = pWnd->TopLevelFixtures().at(1);
    CFixtureGroup *pGroup = pWnd->Groups().first();
    // Turned about its anchor (its origin), the large one covers x 173..300, y 400..527.
    QCOMPARE(pTurned->SetRotation(90), 0);
    QCOMPARE(BoxOf(pTurned), QRectF(173, 400, 127, 127));
    const QRectF small = BoxOf(pSmall), turned = BoxOf(pTurned), group = BoxOf(pGroup);
    const QPointF groupAnchor = AnchorOf(pGroup);
    QList<CFixture *> members;
    pGroup->GetFixtures(members);
    const QPointF memberAnchor = AnchorOf(members.first());

    pWnd->AlignSelected(mode, {pSmall, pTurned}, {pGroup});
    // The common box runs from (100, 100) to (727, 527).
    auto expected = [mode](const QRectF &r) {
        switch (mode) {
        case Zelvor::ALIGN_TOP:
            return r.translated(0, 100 - r.top());
        case Zelvor::ALIGN_BOTTOM:
            return r.translated(0, 527 - r.bottom());
        case Zelvor::ALIGN_LEFT:
            return r.translated(100 - r.left(), 0);
        default:
            return r.translated(727 - r.right(), 0);
        }
    };
    QCOMPARE(BoxOf(pSmall), expected(small));
    QCOMPARE(BoxOf(pTurned), expected(turned));
    QCOMPARE(BoxOf(pGroup), expected(group));
    const QPointF moved = expected(group).topLeft() - group.topLeft();
    QCOMPARE(AnchorOf(pGroup), groupAnchor + moved);
    QCOMPARE(AnchorOf(members.first()), memberAnchor + moved);
    QCOMPARE(pTurned->rotation(), 90.0);
    QCOMPARE(Boxes(), QStringList());
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::alignNeedsTwoItemsAndAMode()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100, 100, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(300, 400, 1, 1)), 0);
    CFixture *pA = pWnd->TopLevelFixtures().at(0);
    CFixture *pB = pWnd->TopLevelFixtures().at(1);
    pWnd->AlignSelected(Zelvor::ALIGN_TOP, {pB}, {});
    pWnd->AlignSelected(0, {pA, pB}, {});
    pWnd->AlignSelected(5, {pA, pB}, {});
    QCOMPARE(pB->scenePos(), QPointF(300, 400));
    QCOMPARE(pA->scenePos(), QPointF(100, 100));
}

void TestSceneEditing::rotation()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0); // anchored on its corner
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(500, 500, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(900, 500, 2, 2)), 0);
    CFixture *pCorner = pWnd->TopLevelFixtures().at(0);
    CFixture *pFree = pWnd->TopLevelFixtures().at(1);
    CFixtureGroup *pGroup = pWnd->Groups().first();

    pWnd->RotateItems(45, {pFree}, {});
    QCOMPARE(pFree->rotation(), 0.0);

    // Turned about (0, 0) the corner fixture would leave the screen: it alone refuses.
    pWnd->RotateItems(90, {pCorner, pFree}, {pGroup});
    QCOMPARE(Boxes(), QStringList{QStringLiteral("Fixture L0.0 rotated by 90 degrees does not fit in the scene! | ")});
    QCOMPARE(pCorner->rotation(), 0.0);
    QCOMPARE(pFree->rotation(), 90.0);
    QCOMPARE(pGroup->rotation(), 90.0);
    // The angle replaces the current one.
    pWnd->RotateItems(-90, {pFree}, {pGroup});
    QCOMPARE(pFree->rotation(), -90.0);
    QCOMPARE(pGroup->rotation(), -90.0);
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditing::contextMenuEntries_data()
{
    QTest::addColumn<QString>("selection"); // l loose fixture, m grouped fixture, g group
    QTest::addColumn<QStringList>("entries");
    const QStringList align = {"&Align", "  &Top", "  &Bottom", "  &Left", "  &Right", "&Set rotation to..."};
    QTest::newRow("nothing") << "" << QStringList();
    QTest::newRow("one fixture") << "l" << QStringList();
    QTest::newRow("two loose fixtures") << "ll" << QStringList{"&Group Fixtures"} + align;
    QTest::newRow("one of them grouped") << "lm" << align;
    QTest::newRow("one group") << "g" << QStringList{"&UnGroup Fixtures"};
    QTest::newRow("two groups") << "gg" << QStringList{"&UnGroup Fixtures"} + align;
    QTest::newRow("group and fixture") << "gl" << align;
}

void TestSceneEditing::contextMenuEntries()
{
    QFETCH(QString, selection);
    QFETCH(QStringList, entries);
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(300, 0, 2, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(600, 0, 2, 1)), 0);
    pWnd->Scene()->clearSelection();
    int iLoose = 0;
    int iGroup = 0;
    for (QChar c : selection) {
        if (c == QLatin1Char('l'))
            pWnd->TopLevelFixtures().at(iLoose++)->setSelected(true);
        else if (c == QLatin1Char('g'))
            pWnd->Groups().at(iGroup++)->setSelected(true);
        else
            pWnd->AllFixtures().at(2)->setSelected(true);
    }
    QMenu menu;
    pWnd->FillContextMenu(&menu);
    QCOMPARE(MenuEntries(&menu), entries);
}

void TestSceneEditing::rotationAsksForTheAngle()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(500, 500, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(800, 500, 1, 1)), 0);
    for (CFixture *pFixture : pWnd->TopLevelFixtures())
        pFixture->setSelected(true);
    QMenu menu;
    pWnd->FillContextMenu(&menu);
    m_pPrompts->AnswerInt(30);
    menu.actions().last()->trigger();
    const QList<PromptCall_t> calls = m_pPrompts->Calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().eKind, PromptCall_t::INT);
    QCOMPARE(calls.first().qsTitle, QStringLiteral("Set Fixture and Group Rotation"));
    QCOMPARE(calls.first().qsText, QStringLiteral("Angle:"));
    QCOMPARE(calls.first().pParent, static_cast<QWidget *>(pWnd));
    for (CFixture *pFixture : pWnd->TopLevelFixtures())
        QCOMPARE(pFixture->rotation(), 30.0);
    // Cancelled: nothing turns.
    menu.actions().last()->trigger();
    for (CFixture *pFixture : pWnd->TopLevelFixtures())
        QCOMPARE(pFixture->rotation(), 30.0);
}

void TestSceneEditing::cablingMode()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(0, 0, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(300, 0, 2, 1)), 0);
    pWnd->EnterCablingMode();
    QVERIFY(pWnd->IsCablingMode());
    QStringList enabled;
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        if (pDock->isEnabled())
            enabled.append(pDock->windowTitle());
    }
    enabled.sort();
    QCOMPARE(enabled, (QStringList{"Fixtures Lists", "Test Tools", "Workspace settings"}));
    for (CFixture *pFixture : pWnd->AllFixtures())
        QVERIFY(!(pFixture->flags() & QGraphicsItem::ItemIsSelectable));
    QVERIFY(!(pWnd->Groups().first()->flags() & QGraphicsItem::ItemIsMovable));
    // In cabling mode the highlight goes, the (impossible) selection stays as it was.
    pWnd->ClearHighlight();

    pWnd->LeaveCablingMode();
    QVERIFY(!pWnd->IsCablingMode());
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>())
        QVERIFY2(pDock->isEnabled(), qPrintable(pDock->windowTitle()));
    for (CFixture *pFixture : pWnd->AllFixtures())
        QVERIFY(pFixture->flags() & QGraphicsItem::ItemIsSelectable);
    QCOMPARE(pWnd->Chain(0).size(), 3);
    pWnd->ClearHighlight();
    QCOMPARE(pWnd->Scene()->selectedItems().size(), 0);
}

void TestSceneEditing::notCabledFixturesUnderThePoint()
{
    Zelvor *pWnd = MakeWindow();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(100 + 10 * i, 100, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(1), QRect(400, 100, 2, 1)), 0);
    pWnd->AllFixtures().at(1)->SetNumber(1, 1);
    const QList<CFixture *> all = pWnd->AllFixtures();
    // The third lies on top of the first; the cabled second is never offered.
    QCOMPARE(pWnd->NotCabledFixturesAt(QPointF(140, 120)), (QList<CFixture *>{all.at(2), all.at(0)}));
    QCOMPARE(pWnd->NotCabledFixturesAt(QPointF(105, 120)), QList<CFixture *>{all.at(0)});
    QCOMPARE(pWnd->NotCabledFixturesAt(QPointF(470, 120)), QList<CFixture *>{all.at(4)});
    QCOMPARE(pWnd->NotCabledFixturesAt(QPointF(1000, 1000)), QList<CFixture *>());
}

void TestSceneEditing::loadedItemsAndClearedScene()
{
    Zelvor *pWnd = MakeWindow();
    QList<CFixture *> loose;
    for (int i = 0; i < 2; ++i) {
        CFixture *pFixture = new CFixture(pWnd->Scene());
        pFixture->SetType(CatalogueType(1));
        pFixture->SetNumber(1, quint32(i + 1));
        pFixture->setPos(100 * i, 0);
        loose.append(pFixture);
    }
    CFixtureGroup *pGroup = new CFixtureGroup(pWnd->Scene());
    pGroup->SetInfo(MakeGroupInfo(1, QStringLiteral("Loaded")));
    for (int i = 0; i < 2; ++i) {
        CFixture *pFixture = new CFixture(pWnd->Scene());
        pFixture->SetType(CatalogueType(1));
        pFixture->SetNumber(0, quint32(i));
        pFixture->setPos(500 + 100 * i, 500);
        pGroup->AddFixture(pFixture);
    }
    pWnd->AddItemToScene(loose, {pGroup});
    QCOMPARE(pWnd->AllFixtures().size(), 4);
    QCOMPARE(Names(pWnd->Chain(1)), (QStringList{"L1.2", "L1.1"}));
    QCOMPARE(Names(pWnd->Chain(0)), (QStringList{"L0.0", "L0.1"}));
    QCOMPARE(pWnd->LpuCount(1), 2);
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    QCOMPARE(pTree->topLevelItemCount(), 3);
    VERIFY_ROUND_TRIP(pWnd);

    const int iWorkspaceItems = 2; // the white screen area and the video input area
    pWnd->ClearScene();
    QCOMPARE(pWnd->AllFixtures().size(), 0);
    QCOMPARE(pWnd->Groups().size(), 0);
    QCOMPARE(pWnd->Chain(1).size(), 0);
    QCOMPARE(pTree->topLevelItemCount(), 0);
    QCOMPARE(int(pWnd->Scene()->items().size()), iWorkspaceItems + 0);
}

QTEST_MAIN(TestSceneEditing)
#include "tst_sceneediting.moc"
