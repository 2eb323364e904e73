#pragma once
// The fixture lists panel: the scene tree (groups with their fixtures, then the ungrouped
// fixtures, in sorted order, its selection in step with the scene's), the cabling lists (one
// chain per HDMI output and the not-cabled fixtures) with the cabling sequence, and the SASU
// list. The panel owns no scene data: the main window clears and refills its lists whenever
// the scene changes, and clears them before it deletes the items they point to. Lives in the
// "Fixtures Lists" dock; its tab 1 being current is what keeps the main window in cabling mode.

#include <QList>
#include <QPoint>
#include <QWidget>

class CFixture;
class QAction;
class QGraphicsItem;
class QListWidgetItem;
class QMenu;
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

    // The main window's own change of tab (new project, open, upload) ends a running cabling
    // sequence first: only the operator's tab clicks are held back while one runs.
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

    // The entries of each context menu for the item at a viewport position, which is
    // remembered for the chosen action; false (nothing added) when no item lies there.
    bool FillSceneMenu(QMenu *pMenu, const QPoint &pos);
    bool FillCablingMenu(QMenu *pMenu, const QPoint &pos);
    bool IsCablingSequence() const { return m_bCablingSequence; }

public slots:
    void s_OnItemClicked(QTreeWidgetItem *pItem, int iValue);
    void s_OnSceneListSelectionChange();
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);
    void s_OnSelectAllScene();
    void s_OnUnSelectAllScene();
    void s_OnSceneCustomContextMenuRequested(const QPoint &pos);
    void s_OnSceneSelGroupActionTriggered(bool checked = false);
    void s_OnSceneUnSelGroupActionTriggered(bool checked = false);
    void s_OnSceneGroupActionTriggered(bool checked = false);
    void s_OnSceneUnGroupActionTriggered(bool checked = false);
    void s_OnCurrentTabChanged(int iTabIdx);
    void s_OnSasuListClick(QListWidgetItem *pItem);

    void s_OnCabledListSelectionChange();
    void s_OnCabledCustomContextMenuRequested(const QPoint &pos);
    void s_OnStartStopCablingSequenceBtn();
    void s_OnUnCableActionTriggered(bool checked = false);
    void s_OnUnCableAllActionTriggered(bool checked = false);
    void s_OnUnCableNextsActionTriggered(bool checked = false);
    void s_OnStartCablingActionTriggered(bool checked = false);
    void s_OnNotCabledClick(QListWidgetItem *pItem);
    void s_OnNotCabledDblClick(QListWidgetItem *pItem);
    void s_OnCabledClick(QTreeWidgetItem *pItem);
    void s_OnNotCabledItemChanged(QListWidgetItem *pCurrentItem, QListWidgetItem *pPreviousItem);

private:
    int FindSceneInsertIndex(QGraphicsItem *pItem) const;
    void LinkTreeSelection(bool bLink);
    void TreeToScene(QTreeWidgetItem *pItem);
    void SelectAllScene(bool bSel);
    void SelectGroupItems(QTreeWidgetItem *pItem, bool bSel);
    void UncableFixtures(const QList<CFixture *> &fixtures);
    void UncableFrom(QTreeWidgetItem *pOutputItem, int iFirst);
    void StartCablingSequence(QTreeWidgetItem *pItem);
    void StopCablingSequence();

    Ui::FixtureLists *m_pUi;
    Zelvor *m_pMainWnd;
    QList<CFixture *> m_FixturesToGroup;
    QAction *m_pSceneSelGroupAction = nullptr;
    QAction *m_pSceneUnSelGroupAction = nullptr;
    QAction *m_pSceneGroupAction = nullptr;
    QAction *m_pSceneUnGroupAction = nullptr;
    QPoint m_SceneMenuPos;
    QTreeWidgetItem *m_pOutputItems[kOutputCount] = {};
    QList<CFixture *> m_CablingChains[kOutputCount];
    QList<CFixture *> m_NotCabledFixtures;
    QAction *m_pUnCableAction = nullptr;
    QAction *m_pUnCableAllAction = nullptr;
    QAction *m_pUnCableNextsAction = nullptr;
    QAction *m_pStartCablingAction = nullptr;
    QPoint m_CabledMenuPos;
    CFixture *m_pHighlightedFixture = nullptr;
    bool m_bCablingSequence = false;
    int m_iSequenceOutput = 0;
};
