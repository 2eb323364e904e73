#pragma once
// The fixture lists panel: the scene tree (groups with their fixtures, then the ungrouped
// fixtures, in sorted order, its selection in step with the scene's), the cabling lists (one
// chain per HDMI output and the not-cabled fixtures) and the SASU list. The panel owns no
// scene data: the main window clears and refills its lists whenever the scene changes, and
// clears them before it deletes the items they point to. Lives in the "Fixtures Lists" dock.

#include <QList>
#include <QWidget>

class CFixture;
class QGraphicsItem;
class QTreeWidgetItem;
class Zelvor;

namespace Ui {
class FixtureLists;
}

class FixtureLists : public QWidget
{
    Q_OBJECT

public:
    enum { SCENE_FIXTURE_ITEM = 1001, SCENE_GROUP_ITEM = 1002 };
    static constexpr int kOutputCount = 4;

    explicit FixtureLists(Zelvor *pMainWnd);
    ~FixtureLists() override;

    void SetCurrentTab(int iTabIdx);
    void ClearSceneList();
    void AddToSceneList(QTreeWidgetItem *pParent, const QList<QGraphicsItem *> &items);
    void UpdateSceneListSelection();
    void UpdateItemTexts();
    void InitCablingLists();
    void AddToCablingLists(const QList<CFixture *> &fixtures);
    void ClearSasuList();
    void AddToSasuList(const QList<CFixture *> &fixtures);
    void SelectInCablingLists(const QList<CFixture *> &fixtures);
    void CableClickedFixture(const QList<CFixture *> &fixtures);

public slots:
    void s_OnItemClicked(QTreeWidgetItem *pItem, int iValue);
    void s_OnSceneListSelectionChange();
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private:
    int FindSceneInsertIndex(QGraphicsItem *pItem) const;
    void LinkTreeSelection(bool bLink);
    void TreeToScene(QTreeWidgetItem *pItem);

    Ui::FixtureLists *m_pUi;
    Zelvor *m_pMainWnd;
    QTreeWidgetItem *m_pOutputItems[kOutputCount] = {};
    QList<CFixture *> m_CablingChains[kOutputCount];
    QList<CFixture *> m_NotCabledFixtures;
    CFixture *m_pHighlightedFixture = nullptr;
    bool m_bCablingSequence = false;
    int m_iSequenceOutput = 0;
};
