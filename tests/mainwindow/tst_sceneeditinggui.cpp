// Scene editing as the operator does it: clicks, Ctrl + clicks and a rubber band on the view
// select, the right-click menu is answered with its mnemonic keys, Ctrl + drag zooms.
#include "editingtest.h"

#include "scene/view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsScene>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

#include <functional>

class TestSceneEditingGui : public EditingTestBase
{
    Q_OBJECT
private slots:
    void initTestCase() { StartProgram(); }
    void cleanupTestCase() { StopProgram(); }
    void cleanup() { DropWindow(); }

    void clickGroupAlignRotateUngroup();
    void ctrlDragZooms();
    void ctrlReleasedFirstDoesNotZoom();
    void cablingClickSelectsInNotCabledList();

private:
    Zelvor *ShowWindow();
    QPoint At(const QPointF &scenePoint) const;
    void Click(const QPointF &scenePoint, Qt::KeyboardModifiers modifiers = {});
    // Opens the scene's context menu at a scene point and presses the keys, one per menu
    // level; returns the entries of each menu that was open, or nothing when none opened.
    QList<QStringList> RightClick(const QPointF &scenePoint, const QList<Qt::Key> &keys);

    View *m_pView = nullptr;
};

Zelvor *TestSceneEditingGui::ShowWindow()
{
    Zelvor *pWnd = MakeWindow();
    pWnd->resize(1400, 900);
    pWnd->ShowMainWindow();
    m_pView = pWnd->GetView();
    if (!QTest::qWaitForWindowExposed(pWnd))
        return nullptr;
    pWnd->s_OnZoomAll();
    return pWnd;
}

QPoint TestSceneEditingGui::At(const QPointF &scenePoint) const
{
    return m_pView->mapFromScene(scenePoint);
}

void TestSceneEditingGui::Click(const QPointF &scenePoint, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, modifiers, At(scenePoint));
}

QList<QStringList> TestSceneEditingGui::RightClick(const QPointF &scenePoint, const QList<Qt::Key> &keys)
{
    QList<QStringList> seen;
    QList<Qt::Key> pending = keys;
    // Each open menu is read and answered from the event loop that runs it.
    std::function<void()> answer = [&]() {
        auto *pMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!pMenu) {
            if (!pending.isEmpty())
                QTimer::singleShot(20, answer);
            return;
        }
        QStringList entries;
        for (QAction *pAction : pMenu->actions())
            entries.append(pAction->text());
        seen.append(entries);
        if (pending.isEmpty()) {
            QTest::keyClick(pMenu, Qt::Key_Escape);
            return;
        }
        const Qt::Key key = pending.takeFirst();
        QTest::keyClick(pMenu, key);
        if (!pending.isEmpty())
            QTimer::singleShot(20, answer);
    };
    QTimer::singleShot(20, answer);
    const QPoint pos = At(scenePoint);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_pView->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_pView->viewport(), &event);
    // A menu that never opened leaves the answer waiting for nothing.
    pending.clear();
    QTest::qWait(50);
    return seen;
}

void TestSceneEditingGui::clickGroupAlignRotateUngroup()
{
    Zelvor *pWnd = ShowWindow();
    QVERIFY(pWnd);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(300, 200, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(700, 350, 1, 1)), 0);
    CFixture *pFirst = pWnd->AllFixtures().at(0);
    CFixture *pSecond = pWnd->AllFixtures().at(1);

    // A click selects one fixture, Ctrl + click adds the other.
    Click(QPointF(360, 260));
    QCOMPARE(pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pFirst});
    Click(QPointF(760, 410), Qt::ControlModifier);
    QVERIFY(pFirst->isSelected() && pSecond->isSelected());

    // Right click: Group, Align, rotation; "G" groups them.
    QList<QStringList> menus = RightClick(QPointF(760, 410), {Qt::Key_G});
    QCOMPARE(menus, (QList<QStringList>{{"&Group Fixtures", "&Align", "&Set rotation to..."}}));
    QCOMPARE(pWnd->Groups().size(), 1);
    CFixtureGroup *pGroup = pWnd->Groups().first();
    QCOMPARE(pFirst->parentItem(), static_cast<QGraphicsItem *>(pGroup));
    QCOMPARE(pGroup->scenePos(), QPointF(300, 200));

    // The group's title band, below its members, selects the group alone: UnGroup only.
    pWnd->Scene()->clearSelection();
    Click(QPointF(310, 200 + 278 + 8));
    QCOMPARE(pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pGroup});
    menus = RightClick(QPointF(310, 486), {Qt::Key_U});
    QCOMPARE(menus, (QList<QStringList>{{"&UnGroup Fixtures"}}));
    QCOMPARE(pWnd->Groups().size(), 0);
    QCOMPARE(pWnd->TopLevelFixtures().size(), 2);

    // A rubber band from empty space selects both; "A" then "T" aligns their tops.
    pWnd->Scene()->clearSelection();
    QTest::mousePress(m_pView->viewport(), Qt::LeftButton, {}, At(QPointF(250, 150)));
    QTest::mouseMove(m_pView->viewport(), At(QPointF(600, 300)));
    QTest::mouseMove(m_pView->viewport(), At(QPointF(900, 550)));
    QTest::mouseRelease(m_pView->viewport(), Qt::LeftButton, {}, At(QPointF(900, 550)));
    QVERIFY(pFirst->isSelected() && pSecond->isSelected());
    menus = RightClick(QPointF(360, 260), {Qt::Key_A, Qt::Key_T});
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus.at(1), (QStringList{"&Top", "&Bottom", "&Left", "&Right"}));
    QCOMPARE(BoxOf(pFirst).top(), 200.0);
    QCOMPARE(BoxOf(pSecond).top(), 200.0);
    QCOMPARE(pSecond->scenePos(), QPointF(700, 200));

    // "S" asks for the angle and turns both.
    m_pPrompts->AnswerInt(90);
    menus = RightClick(QPointF(360, 260), {Qt::Key_S});
    QCOMPARE(menus.size(), 1);
    QCOMPARE(pFirst->rotation(), 90.0);
    QCOMPARE(pSecond->rotation(), 90.0);

    // Deleting the clicked one closes its number's gap.
    pWnd->Scene()->clearSelection();
    Click(BoxOf(pFirst).center());
    QCOMPARE(pWnd->Scene()->selectedItems(), QList<QGraphicsItem *>{pFirst});
    pWnd->DeleteSelectedFixtures();
    QCOMPARE(pWnd->AllFixtures(), QList<CFixture *>{pSecond});
    QCOMPARE(pSecond->GetName(), QStringLiteral("L0.0"));
    QCOMPARE(Boxes(), QStringList());
    VERIFY_ROUND_TRIP(pWnd);
}

void TestSceneEditingGui::ctrlDragZooms()
{
    Zelvor *pWnd = ShowWindow();
    QVERIFY(pWnd);
    QWidget *pViewport = m_pView->viewport();
    // From outside the screen to (100, 50): the rectangle is cut at the screen's last pixel.
    const QPoint from = At(QPointF(2000, 1200));
    const QPoint to = At(QPointF(100, 50));
    const QPointF toScene = m_pView->mapToScene(to);
    QTest::keyPress(pViewport, Qt::Key_Control);
    QTest::mousePress(pViewport, Qt::LeftButton, Qt::ControlModifier, from);
    QTest::mouseMove(pViewport, to);
    QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::ControlModifier, to);
    QTest::keyRelease(pViewport, Qt::Key_Control);

    const QRectF wanted(toScene, QPointF(1919, 1079));
    const QRectF visible = m_pView->mapToScene(pViewport->rect()).boundingRect();
    QVERIFY2(visible.adjusted(-1, -1, 1, 1).contains(wanted), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                             .arg(visible.x())
                                                                             .arg(visible.y())
                                                                             .arg(visible.width())
                                                                             .arg(visible.height())));
    // Fitted with its proportions kept: one side fills the viewport.
    const double dScale = m_pView->transform().m11();
    const double dFit = qMin(pViewport->width() / wanted.width(), pViewport->height() / wanted.height());
    QVERIFY2(qAbs(dScale - dFit) / dFit < 0.01, qPrintable(QString::number(dScale)));
    QCOMPARE(m_pView->transform().m22(), dScale);
}

void TestSceneEditingGui::ctrlReleasedFirstDoesNotZoom()
{
    Zelvor *pWnd = ShowWindow();
    QVERIFY(pWnd);
    QWidget *pViewport = m_pView->viewport();
    const QTransform before = m_pView->transform();
    QTest::keyPress(pViewport, Qt::Key_Control);
    QTest::mousePress(pViewport, Qt::LeftButton, Qt::ControlModifier, At(QPointF(200, 200)));
    QTest::keyRelease(pViewport, Qt::Key_Control);
    QTest::mouseMove(pViewport, At(QPointF(800, 600)));
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, At(QPointF(800, 600)));
    QCOMPARE(m_pView->transform(), before);
    // Without Ctrl a drag is no zoom either.
    QTest::mousePress(pViewport, Qt::LeftButton, {}, At(QPointF(200, 200)));
    QTest::mouseMove(pViewport, At(QPointF(800, 600)));
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, At(QPointF(800, 600)));
    QCOMPARE(m_pView->transform(), before);
}

void TestSceneEditingGui::cablingClickSelectsInNotCabledList()
{
    Zelvor *pWnd = ShowWindow();
    QVERIFY(pWnd);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(300, 200, 1, 1)), 0);
    QCOMPARE(pWnd->AddFixtures(CatalogueType(3), QRect(700, 350, 1, 1)), 0);
    auto *pList = pWnd->findChild<QListWidget *>(QStringLiteral("m_pNotCabledList"));
    QVERIFY(pList);
    pWnd->EnterCablingMode();

    // A click on a not-cabled fixture selects its row in the not-cabled list, and only that row.
    Click(QPointF(760, 410));
    QCOMPARE(pList->selectedItems().size(), 1);
    QCOMPARE(pList->selectedItems().first()->text(), pWnd->AllFixtures().at(1)->GetName());
    Click(QPointF(360, 260));
    QCOMPARE(pList->selectedItems().size(), 1);
    QCOMPARE(pList->selectedItems().first()->text(), pWnd->AllFixtures().at(0)->GetName());
    // Empty space clears the list's selection; a double click with no sequence running changes nothing.
    Click(QPointF(1500, 900));
    QVERIFY(pList->selectedItems().isEmpty());
    QTest::mouseDClick(m_pView->viewport(), Qt::LeftButton, {}, At(QPointF(360, 260)));
    quint32 uOutput = 99, uNumber = 0;
    pWnd->AllFixtures().at(0)->GetNumber(&uOutput, &uNumber);
    QCOMPARE(uOutput, 0u);
    pWnd->LeaveCablingMode();
}

QTEST_MAIN(TestSceneEditingGui)
#include "tst_sceneeditinggui.moc"
