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

QString Place(const QRectF &box, const QPointF &anchor, qreal angle)
{
    return QStringLiteral("%1,%2-%3,%4 @%5,%6 r%7")
        .arg(qRound(box.left()))
        .arg(qRound(box.top()))
        .arg(qRound(box.right()))
        .arg(qRound(box.bottom()))
        .arg(qRound(anchor.x()))
        .arg(qRound(anchor.y()))
        .arg(angle);
}

// What a user sees of the scene: each group and fixture where it stands (box, anchor, turn;
// '*' selected, "in G" a member), the chains with their counts, the not-cabled list and tree.
QStringList DescribeScene(Zelvor *pWnd)
{
    QStringList lines;
    const auto mark = [](const QGraphicsItem *pItem) { return pItem->isSelected() ? QStringLiteral(" *") : QString(); };
    for (const CFixtureGroup *pGroup : pWnd->Groups())
        lines.append(
            QStringLiteral("G%1 '%2' %3%4")
                .arg(InfoOf(pGroup).number)
                .arg(InfoOf(pGroup).name, Place(BoxOf(pGroup), AnchorOf(pGroup), pGroup->rotation()), mark(pGroup)));
    for (const CFixture *pFixture : pWnd->AllFixtures()) {
        quint16 uGroup = 0;
        pFixture->GetGroupInfo(&uGroup, nullptr);
        const bool bMember = pFixture->parentItem() != nullptr;
        lines.append(QStringLiteral("%1 %2%3%4")
                         .arg(NameOf(pFixture), Place(BoxOf(pFixture), AnchorOf(pFixture), pFixture->rotation()),
                              bMember ? QStringLiteral(" in G%1").arg(uGroup)
                                      : (uGroup ? QStringLiteral(" loose in G%1").arg(uGroup) : QString()),
                              mark(pFixture)));
    }
    for (int iOutput = 0; iOutput <= 4; ++iOutput) {
        if (pWnd->Chain(iOutput).isEmpty())
            continue;
        QString qsLine = QStringLiteral("chain %1: %2").arg(iOutput).arg(Names(pWnd->Chain(iOutput)).join(' '));
        if (iOutput > 0)
            qsLine += QStringLiteral(" (%1 LPU, %2 SASU)").arg(pWnd->LpuCount(iOutput)).arg(pWnd->SasuCount(iOutput));
        lines.append(qsLine);
    }
    lines.append(QStringLiteral("not cabled: ") +
                 ListTexts(pWnd->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"))).join(' '));
    auto *pTree = pWnd->findChild<QTreeWidget *>(QStringLiteral("m_pSceneListTree"));
    lines.append(
        QStringLiteral("tree %1, %2 selected").arg(pTree->topLevelItemCount()).arg(pTree->selectedItems().size()));
    return lines;
}

// Runs one editing step on the window: "add TYPE x y across down", "paint TYPE x1 y1 x2 y2",
// "select ITEMS", "delete", "turn ITEM angle", "group ITEMS", "ungroup ITEMS", "dissolve ITEM",
// "align MODE ITEMS", "rotate ANGLE ITEMS", "number ITEM output number", "lists",
// "renumber ITEM number name". ITEMS name fixtures of AllFixtures (f0), loose fixtures (l0),
// groups (g0) as the scene stands before the step, or "null".
bool RunStep(Zelvor *pWnd, const QString &qsStep)
{
    const QStringList w = qsStep.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto num = [&w](int i) { return w.value(i).toInt(nullptr, 0); };
    QList<CFixture *> fixtures;
    QList<CFixtureGroup *> groups;
    QList<QGraphicsItem *> items;
    for (const QString &qsItem : w.mid(1)) {
        const int i = qsItem.mid(1).toInt();
        if (qsItem == QLatin1String("null")) {
            fixtures.append(nullptr);
        } else if (qsItem.startsWith(QLatin1Char('f'))) {
            fixtures.append(pWnd->AllFixtures().value(i));
            items.append(fixtures.last());
        } else if (qsItem.startsWith(QLatin1Char('l'))) {
            fixtures.append(pWnd->TopLevelFixtures().value(i));
            items.append(fixtures.last());
        } else if (qsItem.startsWith(QLatin1Char('g'))) {
            groups.append(pWnd->Groups().value(i));
            items.append(groups.last());
        }
    }
    if (items.contains(nullptr))
        return false;
    const QString &op = w.value(0);
    if (op == QLatin1String("add"))
        return pWnd->AddFixtures(CatalogueType(num(1)), QRect(num(2), num(3), num(4), num(5))) == 0;
    if (op == QLatin1String("paint"))
        return pWnd->AddFixtures(CatalogueType(num(1)), num(2), num(3), num(4), num(5)) == 0;
    if (op == QLatin1String("select")) {
        pWnd->Scene()->clearSelection();
        for (QGraphicsItem *pItem : items)
            pItem->setSelected(true);
    } else if (op == QLatin1String("delete")) {
        pWnd->DeleteSelectedFixtures();
    } else if (op == QLatin1String("turn")) {
        return fixtures.isEmpty() ? groups.first()->SetRotation(num(2)) == 0
                                  : fixtures.first()->SetRotation(num(2)) == 0;
    } else if (op == QLatin1String("group")) {
        pWnd->GroupItems(fixtures);
    } else if (op == QLatin1String("ungroup")) {
        pWnd->UngroupItems(groups);
    } else if (op == QLatin1String("dissolve")) {
        groups.first()->s_OnUnGroupActionTriggered();
    } else if (op == QLatin1String("align") || op == QLatin1String("rotate")) {
        fixtures.clear();
        groups.clear();
        for (QGraphicsItem *pItem : items) {
            if (auto *pGroup = dynamic_cast<CFixtureGroup *>(pItem))
                groups.append(pGroup);
            else
                fixtures.append(static_cast<CFixture *>(pItem));
        }
        if (op == QLatin1String("align"))
            pWnd->AlignSelected(num(1), fixtures, groups);
        else
            pWnd->RotateItems(num(1), fixtures, groups);
    } else if (op == QLatin1String("number")) {
        fixtures.first()->SetNumber(quint32(num(2)), quint32(num(3)));
    } else if (op == QLatin1String("lists")) {
        pWnd->UpdateFixtureLists();
    } else if (op == QLatin1String("renumber")) {
        return groups.first()->SetInfo(MakeGroupInfo(quint16(num(2)), w.mid(3).join(' '))) == 0;
    } else {
        return false;
    }
    return true;
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
    void scenarios_data();
    void scenarios();
    void deletionWithoutSelection();
    void groupNumbers_data();
    void groupNumbers();
    void groupNumbersStopAt128();
    void notCabledNumbersStayLoadable();
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

void TestSceneEditing::scenarios_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("scene");
    QTest::addColumn<QStringList>("boxes");
    const auto row = [](const char *pcName, const char *pcSteps, const QStringList &scene,
                        const QStringList &boxes = QStringList()) {
        QTest::newRow(pcName) << QString::fromUtf8(pcSteps).split(QLatin1String("; ")) << scene << boxes;
    };
    row("one fixture: selected and listed", "paint 1 300 200 300 200",
        {"L0.0 300,200-363,263 @300,200 r0 *", "chain 0: L0.0", "not cabled: L0.0", "tree 1, 1 selected"});
    row("a block is a group numbered column by column", "add 1 0 0 1 1; add 1 200 100 3 2",
        {"G1 'Group 1' 200,100-391,227 @200,100 r0 *", "L0.0 0,0-63,63 @0,0 r0",
         "L0.1 200,100-263,163 @200,100 r0 in G1", "L0.2 200,164-263,227 @200,164 r0 in G1",
         "L0.3 264,100-327,163 @264,100 r0 in G1", "L0.4 264,164-327,227 @264,164 r0 in G1",
         "L0.5 328,100-391,163 @328,100 r0 in G1", "L0.6 328,164-391,227 @328,164 r0 in G1",
         "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5 L0.6", "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5 L0.6",
         "tree 2, 1 selected"});
    row("deleting a group closes the gap behind its members",
        "add 1 0 0 1 1; add 1 200 0 2 2; add 1 600 0 1 1; add 1 800 0 1 1; add 3 1000 0 2 1; select f0 g0; delete; "
        "add 1 0 500 1 1",
        {"G1 'Group 2' 1000,0-1255,127 @1000,0 r0", "L0.0 600,0-663,63 @600,0 r0", "L0.1 800,0-863,63 @800,0 r0",
         "L0.2 1000,0-1127,127 @1000,0 r0 in G1", "L0.3 1128,0-1255,127 @1128,0 r0 in G1",
         "L0.4 0,500-63,563 @0,500 r0 *", "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4", "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4",
         "tree 4, 1 selected"});
    row("deleting down to one member dissolves the group, turns added",
        "add 3 400 300 2 1; add 1 900 700 2 1; turn g0 90; turn f1 90; select f0; delete",
        {"G1 'Group 2' 900,700-1027,763 @900,700 r0", "L0.0 273,301-400,428 @400,428 r180 *",
         "L0.1 900,700-963,763 @900,700 r0 in G1", "L0.2 964,700-1027,763 @964,700 r0 in G1", "chain 0: L0.0 L0.1 L0.2",
         "not cabled: L0.0 L0.1 L0.2", "tree 2, 1 selected"});
    row("deleting in a cabled chain",
        "add 1 0 0 1 1; add 1 100 0 1 1; add 1 200 0 1 1; add 1 300 0 1 1; "
        "add 1 400 0 1 1; add 0x10000001 0 500 1 1; number f0 2 1; number f1 2 2; number f2 2 3; number f3 2 4; "
        "number f4 2 5; number f5 2 6; lists; select f2; delete",
        {"L2.1 0,0-63,63 @0,0 r0 *", "L2.2 100,0-163,63 @100,0 r0", "L2.3 300,0-363,63 @300,0 r0",
         "L2.4 400,0-463,63 @400,0 r0", "S2.5 0,500-63,563 @0,500 r0",
         "chain 2: S2.5 L2.4 L2.3 L2.2 L2.1 (4 LPU, 1 SASU)", "not cabled: ", "tree 5, 1 selected"});
    row("grouping loose fixtures, one of them turned",
        "add 1 1000 800 2 1; add 1 1300 800 2 1; add 3 100 500 1 1; add 1 150 560 1 1; add 2 600 450 1 1; "
        "turn l1 90; group l0 l1 l2",
        {"G1 'Group 1' 1000,800-1127,863 @1000,800 r0 *", "G2 'Group 2' 1300,800-1427,863 @1300,800 r0",
         "G3 'Group 3' 87,450-727,627 @87,450 r0", "L0.0 1000,800-1063,863 @1000,800 r0 in G1 *",
         "L0.1 1064,800-1127,863 @1064,800 r0 in G1 *", "L0.2 1300,800-1363,863 @1300,800 r0 in G2",
         "L0.3 1364,800-1427,863 @1364,800 r0 in G2", "L0.4 100,500-227,627 @100,500 r0 in G3",
         "L0.5 87,560-150,623 @150,560 r90 in G3", "L0.6 600,450-727,513 @600,450 r0 in G3",
         "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5 L0.6", "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5 L0.6",
         "tree 3, 3 selected"});
    row("grouping refuses one fixture, members and doubles",
        "add 1 0 0 2 1; add 1 400 0 1 1; group l0; group l0 f0; group l0 l0 null",
        {"G1 'Group 1' 0,0-127,63 @0,0 r0", "L0.0 0,0-63,63 @0,0 r0 in G1", "L0.1 64,0-127,63 @64,0 r0 in G1",
         "L0.2 400,0-463,63 @400,0 r0 *", "chain 0: L0.0 L0.1 L0.2", "not cabled: L0.0 L0.1 L0.2",
         "tree 2, 1 selected"});
    row("ungrouping keeps the members where they stand and closes the numbers",
        "add 1 200 300 2 1; add 1 500 300 2 1; add 1 800 300 2 1; turn g1 90; ungroup g1",
        {"G1 'Group 1' 200,300-327,363 @200,300 r0 *", "G2 'Group 3' 800,300-927,363 @800,300 r0",
         "L0.0 200,300-263,363 @200,300 r0 in G1 *", "L0.1 264,300-327,363 @264,300 r0 in G1 *",
         "L0.2 437,300-500,363 @500,300 r90", "L0.3 437,364-500,427 @500,364 r90",
         "L0.4 800,300-863,363 @800,300 r0 in G2", "L0.5 864,300-927,363 @864,300 r0 in G2",
         "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5", "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5", "tree 4, 3 selected"});
    row("a group dissolves itself", "add 1 0 0 2 2; dissolve g0",
        {"L0.0 0,0-63,63 @0,0 r0", "L0.1 0,64-63,127 @0,64 r0", "L0.2 64,0-127,63 @64,0 r0",
         "L0.3 64,64-127,127 @64,64 r0", "chain 0: L0.0 L0.1 L0.2 L0.3", "not cabled: L0.0 L0.1 L0.2 L0.3",
         "tree 4, 0 selected"});
    const char *pcAlign = "add 1 100 100 1 1; add 3 300 400 1 1; add 1 600 200 2 1; turn l1 90; align %1 l0 l1 g0";
    const QList<QPair<const char *, int>> modes = {{"align top", Zelvor::ALIGN_TOP},
                                                   {"align bottom", Zelvor::ALIGN_BOTTOM},
                                                   {"align left", Zelvor::ALIGN_LEFT},
                                                   {"align right", Zelvor::ALIGN_RIGHT}};
    // The common box runs from (100, 100) to (727, 527); the group and the turned fixture
    // move with their anchors.
    const QList<QStringList> aligned = {
        {"G1 'Group 1' 600,100-727,163 @600,100 r0 *", "L0.0 100,100-163,163 @100,100 r0",
         "L0.1 173,100-300,227 @300,100 r90", "L0.2 600,100-663,163 @600,100 r0 in G1",
         "L0.3 664,100-727,163 @664,100 r0 in G1", "chain 0: L0.0 L0.1 L0.2 L0.3", "not cabled: L0.0 L0.1 L0.2 L0.3",
         "tree 3, 1 selected"},
        {"G1 'Group 1' 600,464-727,527 @600,464 r0 *", "L0.0 100,464-163,527 @100,464 r0",
         "L0.1 173,400-300,527 @300,400 r90", "L0.2 600,464-663,527 @600,464 r0 in G1",
         "L0.3 664,464-727,527 @664,464 r0 in G1", "chain 0: L0.0 L0.1 L0.2 L0.3", "not cabled: L0.0 L0.1 L0.2 L0.3",
         "tree 3, 1 selected"},
        {"G1 'Group 1' 100,200-227,263 @100,200 r0 *", "L0.0 100,100-163,163 @100,100 r0",
         "L0.1 100,400-227,527 @227,400 r90", "L0.2 100,200-163,263 @100,200 r0 in G1",
         "L0.3 164,200-227,263 @164,200 r0 in G1", "chain 0: L0.0 L0.1 L0.2 L0.3", "not cabled: L0.0 L0.1 L0.2 L0.3",
         "tree 3, 1 selected"},
        {"G1 'Group 1' 600,200-727,263 @600,200 r0 *", "L0.0 664,100-727,163 @664,100 r0",
         "L0.1 600,400-727,527 @727,400 r90", "L0.2 600,200-663,263 @600,200 r0 in G1",
         "L0.3 664,200-727,263 @664,200 r0 in G1", "chain 0: L0.0 L0.1 L0.2 L0.3", "not cabled: L0.0 L0.1 L0.2 L0.3",
         "tree 3, 1 selected"}};
    for (int i = 0; i < modes.size(); ++i)
        row(modes[i].first, qPrintable(QString::fromUtf8(pcAlign).arg(modes[i].second)), aligned[i]);
    row("align needs two items and a mode",
        "add 1 100 100 1 1; add 1 300 400 1 1; align 1 l1; align 0 l0 l1; "
        "align 5 l0 l1",
        {"L0.0 100,100-163,163 @100,100 r0", "L0.1 300,400-363,463 @300,400 r0 *", "chain 0: L0.0 L0.1",
         "not cabled: L0.0 L0.1", "tree 2, 1 selected"});
    row("rotation: by right angles, a turn leaving the screen refused",
        "add 1 0 0 1 1; add 1 500 500 1 1; add 1 900 500 2 2; rotate 45 l1; rotate 90 l0 l1 g0; rotate -90 l1 g0",
        {"G1 'Group 1' 900,373-1027,500 @900,500 r-90 *", "L0.0 0,0-63,63 @0,0 r0",
         "L0.1 500,437-563,500 @500,500 r-90", "L0.2 900,437-963,500 @900,500 r0 in G1",
         "L0.3 964,437-1027,500 @964,500 r0 in G1", "L0.4 900,373-963,436 @900,436 r0 in G1",
         "L0.5 964,373-1027,436 @964,436 r0 in G1", "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5",
         "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5", "tree 3, 1 selected"},
        {QStringLiteral("Fixture L0.0 rotated by 90 degrees does not fit in the scene! | ")});
    row("a free group number below a loaded 128 is taken",
        "add 1 0 0 2 1; add 1 200 0 2 1; renumber g1 128 Last; add 1 400 0 1 1; add 1 600 0 1 1; group l0 l1",
        {"G1 'Group 1' 0,0-127,63 @0,0 r0 *", "G128 'Last' 200,0-327,63 @200,0 r0", "G2 'Group 2' 400,0-663,63 @400,0 r0",
         "L0.0 0,0-63,63 @0,0 r0 in G1 *", "L0.1 64,0-127,63 @64,0 r0 in G1 *", "L0.2 200,0-263,63 @200,0 r0 in G128",
         "L0.3 264,0-327,63 @264,0 r0 in G128", "L0.4 400,0-463,63 @400,0 r0 in G2",
         "L0.5 600,0-663,63 @600,0 r0 in G2", "chain 0: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5",
         "not cabled: L0.0 L0.1 L0.2 L0.3 L0.4 L0.5", "tree 3, 3 selected"});
}

// Each scenario: the scene as the user sees it after its steps, the boxes shown, and the
// project saved and read back unchanged.
void TestSceneEditing::scenarios()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, scene);
    QFETCH(QStringList, boxes);
    Zelvor *pWnd = MakeWindow();
    for (const QString &qsStep : steps)
        QVERIFY2(RunStep(pWnd, qsStep), qPrintable(qsStep));
    const QStringList got = DescribeScene(pWnd);
    QVERIFY2(got == scene,
             qPrintable(QStringLiteral("\n        \"") + got.join(QStringLiteral("\",\n        \"")) + '"'));
    QCOMPARE(Boxes(), boxes);
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
