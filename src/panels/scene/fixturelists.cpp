#include "panels/scene/fixturelists.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/scene/sceneitemdata.h"
#include "panels/scene/ui_fixturelists.h"

#include "mainwindow/prompts.h"
#include "trace/trace.h"

#include <QAction>
#include <QCursor>
#include <QItemSelection>
#include <QListWidgetItem>
#include <QMenu>
#include <QTreeWidgetItem>

namespace {

// A fixture's place: output by its low byte, then number.
void FixtureKey(const CFixture *pFixture, quint8 *puOutput, quint32 *puNumber)
{
    quint32 uOutput = 0;
    pFixture->GetNumber(&uOutput, puNumber);
    *puOutput = quint8(uOutput & 0xFF);
}

quint32 FixtureNumber(const CFixture *pFixture)
{
    quint8 uOutput = 0;
    quint32 uNumber = 0;
    FixtureKey(pFixture, &uOutput, &uNumber);
    return uNumber;
}

QString SceneFixtureLabel(const CFixture *pFixture, bool bTranslate)
{
    FixtureType_t type;
    pFixture->GetType(&type);
    const QString qsFormat =
        bTranslate ? QCoreApplication::translate("FixtureLists", "%1 - %2") : QStringLiteral("%1 - %2");
    return qsFormat.arg(pFixture->GetName(), type.name);
}

QString SceneGroupLabel(const CFixtureGroup *pGroup)
{
    GroupInfo_t info;
    pGroup->GetInfo(&info);
    return QCoreApplication::translate("FixtureLists", "G%1 - %2").arg(info.number).arg(info.name);
}

// A list item "%1" for the fixture, before the first item of a higher number: the list stays
// ascending by number and equal numbers keep their order of arrival.
void InsertByNumber(QListWidget *pList, CFixture *pFixture)
{
    const quint32 uNumber = FixtureNumber(pFixture);
    auto *pItem = new QListWidgetItem(pFixture->GetName());
    pItem->setData(Qt::UserRole, ItemToData(pFixture));
    int iRow = 0;
    while (iRow < pList->count()) {
        const CFixture *pOther = AsFixture(ItemFromData(pList->item(iRow)->data(Qt::UserRole)));
        if (pOther && FixtureNumber(pOther) > uNumber)
            break;
        ++iRow;
    }
    pList->insertItem(iRow, pItem);
}

CFixture *TreeFixture(const QTreeWidgetItem *pItem)
{
    return pItem ? AsFixture(ItemFromData(pItem->data(0, Qt::UserRole))) : nullptr;
}

CFixture *ListFixture(const QListWidgetItem *pItem)
{
    return pItem ? AsFixture(ItemFromData(pItem->data(Qt::UserRole))) : nullptr;
}

quint8 FixtureOutput(const CFixture *pFixture)
{
    quint8 uOutput = 0;
    quint32 uNumber = 0;
    FixtureKey(pFixture, &uOutput, &uNumber);
    return uOutput;
}

} // namespace

FixtureLists::FixtureLists(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::FixtureLists), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::FixtureLists *ui = m_pUi;
    connect(ui->m_pSceneListTree, &QTreeWidget::itemClicked, this, &FixtureLists::s_OnItemClicked);
    connect(ui->m_pSelectAllSceneBtn, &QPushButton::clicked, this, &FixtureLists::s_OnSelectAllScene);
    connect(ui->m_pUnSelectAllSceneBtn, &QPushButton::clicked, this, &FixtureLists::s_OnUnSelectAllScene);
    connect(ui->m_pSceneListTree, &QWidget::customContextMenuRequested, this,
            &FixtureLists::s_OnSceneCustomContextMenuRequested);
    LinkTreeSelection(true);
    connect(ui->m_pCabledTree, &QWidget::customContextMenuRequested, this,
            &FixtureLists::s_OnCabledCustomContextMenuRequested);
    connect(ui->m_pStartStopCablingBtn, &QPushButton::clicked, this, &FixtureLists::s_OnStartStopCablingSequenceBtn);
    connect(ui->m_pNotCabledList, &QListWidget::itemClicked, this, &FixtureLists::s_OnNotCabledClick);
    connect(ui->m_pNotCabledList, &QListWidget::itemDoubleClicked, this, &FixtureLists::s_OnNotCabledDblClick);
    connect(ui->m_pListTab, &QTabWidget::currentChanged, this, &FixtureLists::s_OnCurrentTabChanged);
    connect(ui->m_pCabledTree, &QTreeWidget::itemClicked, this, &FixtureLists::s_OnCabledClick);
    connect(ui->m_pNotCabledList, &QListWidget::currentItemChanged, this, &FixtureLists::s_OnNotCabledItemChanged);
    connect(ui->m_pCabledTree, &QTreeWidget::itemSelectionChanged, this, &FixtureLists::s_OnCabledListSelectionChange);
    connect(ui->m_pSASUList, &QListWidget::itemClicked, this, &FixtureLists::s_OnSasuListClick);

    ui->m_pSceneListTree->setColumnCount(1);
    ui->m_pSceneListTree->setContextMenuPolicy(Qt::CustomContextMenu);
    // The main window owns the actions; their texts belong to the general context.
    using Slot = void (FixtureLists::*)(bool);
    auto makeAction = [this](const QString &qsText, Slot slot) {
        auto *pAction = new QAction(qsText, m_pMainWnd);
        connect(pAction, &QAction::triggered, this, slot);
        return pAction;
    };
    m_pSceneSelGroupAction =
        makeAction(QObject::tr("&Select Group's Fixtures"), &FixtureLists::s_OnSceneSelGroupActionTriggered);
    m_pSceneUnSelGroupAction =
        makeAction(QObject::tr("&UnSelect Group's Fixtures"), &FixtureLists::s_OnSceneUnSelGroupActionTriggered);
    m_pSceneGroupAction = makeAction(QObject::tr("&Group Fixtures"), &FixtureLists::s_OnSceneGroupActionTriggered);
    m_pSceneUnGroupAction =
        makeAction(QObject::tr("&Ungroup Fixtures"), &FixtureLists::s_OnSceneUnGroupActionTriggered);
    InitCablingLists();
    ui->m_pCabledTree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pUnCableAction = makeAction(QObject::tr("&Uncable Fixture"), &FixtureLists::s_OnUnCableActionTriggered);
    m_pUnCableAllAction =
        makeAction(QObject::tr("&Uncable all fixtures"), &FixtureLists::s_OnUnCableAllActionTriggered);
    m_pUnCableNextsAction =
        makeAction(QObject::tr("&Uncable selected fixture and nexts"), &FixtureLists::s_OnUnCableNextsActionTriggered);
    m_pStartCablingAction =
        makeAction(QObject::tr("&Start Cabling From Here"), &FixtureLists::s_OnStartCablingActionTriggered);
    ui->m_pSASUList->clear();
    ui->m_pListTab->setCurrentIndex(0);
}

FixtureLists::~FixtureLists()
{
    delete m_pUi;
}

void FixtureLists::LinkTreeSelection(bool bLink)
{
    if (bLink)
        connect(m_pUi->m_pSceneListTree, &QTreeWidget::itemSelectionChanged, this,
                &FixtureLists::s_OnSceneListSelectionChange);
    else
        disconnect(m_pUi->m_pSceneListTree, &QTreeWidget::itemSelectionChanged, this,
                   &FixtureLists::s_OnSceneListSelectionChange);
}

void FixtureLists::SetCurrentTab(int iTabIdx)
{
    if (m_bCablingSequence) {
        StopCablingSequence();
        m_pMainWnd->ClearHighlight();
        m_pHighlightedFixture = nullptr;
        s_OnCabledListSelectionChange();
    }
    m_pUi->m_pListTab->setCurrentIndex(iTabIdx);
}

int FixtureLists::FindSceneInsertIndex(QGraphicsItem *pItem) const
{
    const QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    const int iCount = pTree->topLevelItemCount();
    if (CFixtureGroup *pGroup = AsGroup(pItem)) {
        GroupInfo_t info;
        pGroup->GetInfo(&info);
        for (int i = 0; i < iCount; ++i) {
            const QTreeWidgetItem *pTop = pTree->topLevelItem(i);
            if (pTop->type() != SCENE_GROUP_ITEM)
                return i;
            GroupInfo_t other;
            if (CFixtureGroup *pOther = AsGroup(ItemFromData(pTop->data(0, Qt::UserRole))))
                pOther->GetInfo(&other);
            if (other.number >= info.number)
                return i;
        }
        return iCount;
    }
    quint8 uOutput = 0;
    quint32 uNumber = 0;
    FixtureKey(AsFixture(pItem), &uOutput, &uNumber);
    for (int i = 0; i < iCount; ++i) {
        const QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        if (pTop->type() == SCENE_GROUP_ITEM)
            continue;
        const CFixture *pOther = TreeFixture(pTop);
        if (!pOther)
            continue;
        quint8 uOtherOutput = 0;
        quint32 uOtherNumber = 0;
        FixtureKey(pOther, &uOtherOutput, &uOtherNumber);
        if (uOtherOutput > uOutput || (uOtherOutput == uOutput && uOtherNumber >= uNumber))
            return i;
    }
    return iCount;
}

void FixtureLists::AddToSceneList(QTreeWidgetItem *pParent, const QList<QGraphicsItem *> &items)
{
    LinkTreeSelection(false);
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    for (QGraphicsItem *pItem : items) {
        if (CFixtureGroup *pGroup = AsGroup(pItem)) {
            if (pParent)
                continue;
            auto *pTreeItem = new QTreeWidgetItem(QStringList{SceneGroupLabel(pGroup)}, SCENE_GROUP_ITEM);
            pTreeItem->setData(0, Qt::UserRole, ItemToData(pGroup));
            LinkSelection(pItem, this, &FixtureLists::s_OnItemSelectionChange, true);
            pTree->insertTopLevelItem(FindSceneInsertIndex(pGroup), pTreeItem);
            AddToSceneList(pTreeItem, pGroup->childItems());
            LinkTreeSelection(false); // the nested call linked it again
        } else if (CFixture *pFixture = AsFixture(pItem)) {
            auto *pTreeItem = new QTreeWidgetItem(QStringList{SceneFixtureLabel(pFixture, true)}, SCENE_FIXTURE_ITEM);
            pTreeItem->setData(0, Qt::UserRole, ItemToData(pFixture));
            LinkSelection(pItem, this, &FixtureLists::s_OnItemSelectionChange, true);
            if (pParent)
                pParent->addChild(pTreeItem);
            else
                pTree->insertTopLevelItem(FindSceneInsertIndex(pFixture), pTreeItem);
        }
    }
    LinkTreeSelection(true);
}

void FixtureLists::ClearSceneList()
{
    LinkTreeSelection(false);
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    for (int i = pTree->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        LinkSelection(ItemFromData(pTop->data(0, Qt::UserRole)), this, &FixtureLists::s_OnItemSelectionChange, false);
        for (int j = pTop->childCount() - 1; j >= 0; --j) {
            QTreeWidgetItem *pChild = pTop->child(j);
            LinkSelection(ItemFromData(pChild->data(0, Qt::UserRole)), this, &FixtureLists::s_OnItemSelectionChange,
                          false);
            delete pChild;
        }
        delete pTop;
    }
    LinkTreeSelection(true);
}

void FixtureLists::TreeToScene(QTreeWidgetItem *pItem)
{
    QGraphicsItem *pGraph = ItemFromData(pItem->data(0, Qt::UserRole));
    if (!pGraph)
        return;
    LinkSelection(pGraph, this, &FixtureLists::s_OnItemSelectionChange, false);
    pGraph->setSelected(pItem->isSelected());
    LinkSelection(pGraph, this, &FixtureLists::s_OnItemSelectionChange, true);
}

void FixtureLists::s_OnSceneListSelectionChange()
{
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        TreeToScene(pTop);
        for (int j = 0; j < pTop->childCount(); ++j)
            TreeToScene(pTop->child(j));
    }
}

void FixtureLists::s_OnItemClicked(QTreeWidgetItem *, int)
{
    s_OnSceneListSelectionChange();
}

void FixtureLists::s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange)
{
    LinkTreeSelection(false);
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    const bool bGroup = pGraphItem && pGraphItem->type() == SceneItems::GROUP_TYPE;
    QTreeWidgetItem *pFound = nullptr;
    for (int i = 0; i < pTree->topLevelItemCount() && !pFound; ++i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        if (bGroup || pTop->childCount() == 0) {
            if (ItemFromData(pTop->data(0, Qt::UserRole)) == pGraphItem)
                pFound = pTop;
            continue;
        }
        for (int j = 0; j < pTop->childCount() && !pFound; ++j) {
            if (ItemFromData(pTop->child(j)->data(0, Qt::UserRole)) == pGraphItem)
                pFound = pTop->child(j);
        }
    }
    if (pFound)
        pFound->setSelected(bChange);
    LinkTreeSelection(true);
}

void FixtureLists::UpdateSceneListSelection()
{
    LinkTreeSelection(false);
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    auto follow = [](QTreeWidgetItem *pItem) {
        if (QGraphicsItem *pGraph = ItemFromData(pItem->data(0, Qt::UserRole)))
            pItem->setSelected(pGraph->isSelected());
    };
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        follow(pTop);
        for (int j = 0; j < pTop->childCount(); ++j)
            follow(pTop->child(j));
    }
    LinkTreeSelection(true);
}

void FixtureLists::UpdateItemTexts()
{
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        if (pTop->childCount() == 0) {
            if (CFixture *pFixture = TreeFixture(pTop))
                pTop->setText(0, SceneFixtureLabel(pFixture, false));
            continue;
        }
        if (CFixtureGroup *pGroup = AsGroup(ItemFromData(pTop->data(0, Qt::UserRole))))
            pTop->setText(0, SceneGroupLabel(pGroup));
        for (int j = 0; j < pTop->childCount(); ++j) {
            if (CFixture *pFixture = TreeFixture(pTop->child(j)))
                pTop->child(j)->setText(0, SceneFixtureLabel(pFixture, false));
        }
    }
    for (QTreeWidgetItem *pOutput : m_pOutputItems) {
        for (int j = 0; j < pOutput->childCount(); ++j) {
            if (CFixture *pFixture = TreeFixture(pOutput->child(j)))
                pOutput->child(j)->setText(0, pFixture->GetName());
        }
    }
    for (int i = 0; i < m_pUi->m_pNotCabledList->count(); ++i) {
        QListWidgetItem *pItem = m_pUi->m_pNotCabledList->item(i);
        if (CFixture *pFixture = AsFixture(ItemFromData(pItem->data(Qt::UserRole))))
            pItem->setText(pFixture->GetName());
    }
}

void FixtureLists::InitCablingLists()
{
    m_pUi->m_pCabledTree->clear();
    m_pUi->m_pNotCabledList->clear();
    for (int k = 1; k <= kOutputCount; ++k) {
        auto *pItem = new QTreeWidgetItem(QStringList{tr("HDMI Output %1").arg(k)});
        pItem->setData(0, Qt::UserRole, k);
        m_pOutputItems[k - 1] = pItem;
        m_pUi->m_pCabledTree->insertTopLevelItem(k - 1, pItem);
        m_CablingChains[k - 1].clear();
    }
    m_NotCabledFixtures.clear();
    m_pHighlightedFixture = nullptr;
}

void FixtureLists::SelectInCablingLists(const QList<CFixture *> &fixtures)
{
    QListWidget *pList = m_pUi->m_pNotCabledList;
    ConnectionGuard guard(pList, &QListWidget::currentItemChanged, this, &FixtureLists::s_OnNotCabledItemChanged);
    m_pMainWnd->ClearHighlight();
    m_pUi->m_pCabledTree->clearSelection();
    pList->clearSelection();
    for (CFixture *pFixture : fixtures) {
        const quint8 uOutput = FixtureOutput(pFixture);
        bool bFound = false;
        if (uOutput == 0) {
            for (int i = 0; i < pList->count() && !bFound; ++i) {
                if (ListFixture(pList->item(i)) == pFixture) {
                    pList->item(i)->setSelected(true);
                    bFound = true;
                }
            }
        } else if (uOutput <= kOutputCount) {
            QTreeWidgetItem *pOutput = m_pOutputItems[uOutput - 1];
            for (int j = 0; j < pOutput->childCount() && !bFound; ++j) {
                if (TreeFixture(pOutput->child(j)) == pFixture) {
                    pOutput->child(j)->setSelected(true);
                    bFound = true;
                }
            }
        }
        if (bFound)
            pFixture->SetHighlighted(true);
    }
}

void FixtureLists::CableClickedFixture(const QList<CFixture *> &fixtures)
{
    SelectInCablingLists(fixtures);
    if (fixtures.isEmpty())
        return;
    CFixture *pChosen = fixtures.first();
    if (fixtures.size() > 1) {
        QStringList texts;
        for (CFixture *pFixture : fixtures) {
            FixtureType_t type;
            pFixture->GetType(&type);
            QString qsText = QStringLiteral("%1: %2").arg(pFixture->GetName(), type.name);
            if (CFixtureGroup *pGroup = AsGroup(pFixture->parentItem())) {
                GroupInfo_t info;
                pGroup->GetInfo(&info);
                qsText += QStringLiteral(" - G%1: %2").arg(info.number).arg(info.name);
            }
            texts.append(qsText);
        }
        int iIndex = -1;
        if (!Prompts::Instance().GetItem(this, tr("Select Next Fixture In Chain"), tr("Fixture List:"), texts, 0,
                                         &iIndex) ||
            iIndex < 0 || iIndex >= fixtures.size())
            return;
        pChosen = fixtures.at(iIndex);
    }
    if (FixtureOutput(pChosen) != 0)
        return;
    QListWidget *pList = m_pUi->m_pNotCabledList;
    for (int i = 0; i < pList->count(); ++i) {
        if (ListFixture(pList->item(i)) == pChosen) {
            s_OnNotCabledDblClick(pList->item(i));
            return;
        }
    }
}

void FixtureLists::AddToCablingLists(const QList<CFixture *> &fixtures)
{
    for (CFixture *pFixture : fixtures) {
        quint8 uOutput = 0;
        quint32 uNumber = 0;
        FixtureKey(pFixture, &uOutput, &uNumber);
        if (uOutput == 0) {
            InsertByNumber(m_pUi->m_pNotCabledList, pFixture);
            m_NotCabledFixtures.append(pFixture);
            continue;
        }
        if (uOutput > kOutputCount)
            continue;
        QTreeWidgetItem *pOutputItem = m_pOutputItems[uOutput - 1];
        auto *pItem = new QTreeWidgetItem(QStringList{pFixture->GetName()});
        pItem->setData(0, Qt::UserRole, ItemToData(pFixture));
        int iChild = 0;
        while (iChild < pOutputItem->childCount()) {
            const CFixture *pOther = TreeFixture(pOutputItem->child(iChild));
            if (pOther && FixtureNumber(pOther) < uNumber)
                break;
            ++iChild;
        }
        pOutputItem->insertChild(iChild, pItem);

        // The chain runs from the head (highest number) down; each fixture points to the next.
        QList<CFixture *> &chain = m_CablingChains[uOutput - 1];
        int i = 0;
        while (i < chain.size() && FixtureNumber(chain.at(i)) >= uNumber)
            ++i;
        chain.insert(i, pFixture);
        const int s = int(chain.size());
        if (i > 0) {
            chain.at(i - 1)->SetNextFixture(pFixture);
            chain.at(i - 1)->SetArrowVisible(true);
        }
        if (i < s - 1) {
            pFixture->SetNextFixture(chain.at(i + 1));
            pFixture->SetArrowVisible(true);
        } else {
            pFixture->SetNextFixture(nullptr);
            pFixture->SetArrowVisible(false);
        }
    }
}

void FixtureLists::ClearSasuList()
{
    m_pUi->m_pSASUList->clear();
}

void FixtureLists::AddToSasuList(const QList<CFixture *> &fixtures)
{
    QListWidget *pList = m_pUi->m_pSASUList;
    for (CFixture *pFixture : fixtures) {
        FixtureType_t type;
        pFixture->GetType(&type);
        if ((type.type & 0xF0000000u) == 0)
            continue;
        InsertByNumber(pList, pFixture);
    }
}

// ---------------------------------------------------------------------------------------------
// Scene tree: select all, context menu, tabs, SASU list

void FixtureLists::SelectAllScene(bool bSel)
{
    LinkTreeSelection(false);
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    auto apply = [this, bSel](QTreeWidgetItem *pItem) {
        pItem->setSelected(bSel);
        QGraphicsItem *pGraph = ItemFromData(pItem->data(0, Qt::UserRole));
        if (!pGraph)
            return;
        LinkSelection(pGraph, this, &FixtureLists::s_OnItemSelectionChange, false);
        pGraph->setSelected(bSel);
        pGraph->update();
        LinkSelection(pGraph, this, &FixtureLists::s_OnItemSelectionChange, true);
    };
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pTop = pTree->topLevelItem(i);
        apply(pTop);
        for (int j = 0; j < pTop->childCount(); ++j)
            apply(pTop->child(j));
    }
    LinkTreeSelection(true);
}

void FixtureLists::s_OnSelectAllScene()
{
    SelectAllScene(true);
}

void FixtureLists::s_OnUnSelectAllScene()
{
    SelectAllScene(false);
}

bool FixtureLists::FillSceneMenu(QMenu *pMenu, const QPoint &pos)
{
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    QTreeWidgetItem *pItem = pTree->itemAt(pos);
    if (!pItem)
        return false;
    if (pItem->childCount() > 0 || pItem->parent()) {
        pMenu->addAction(m_pSceneSelGroupAction);
        pMenu->addAction(m_pSceneUnSelGroupAction);
    } else {
        m_FixturesToGroup.clear();
        bool bGroupInvolved = false;
        for (QTreeWidgetItem *pSelected : pTree->selectedItems()) {
            if (pSelected->childCount() > 0 || pSelected->parent()) {
                bGroupInvolved = true;
                break;
            }
            if (CFixture *pFixture = TreeFixture(pSelected))
                m_FixturesToGroup.append(pFixture);
        }
        if (m_FixturesToGroup.size() >= 2 && !bGroupInvolved)
            pMenu->addAction(m_pSceneGroupAction);
    }
    if (pItem->childCount() > 0)
        pMenu->addAction(m_pSceneUnGroupAction);
    m_SceneMenuPos = pos;
    return true;
}

void FixtureLists::s_OnSceneCustomContextMenuRequested(const QPoint &pos)
{
    QMenu menu(QObject::tr("&Fixture Menu"), this);
    // An empty popup would only have to be dismissed.
    if (FillSceneMenu(&menu, pos) && !menu.isEmpty())
        menu.exec(QCursor::pos());
}

void FixtureLists::SelectGroupItems(QTreeWidgetItem *pItem, bool bSel)
{
    if (!pItem)
        return;
    QTreeWidgetItem *pGroupItem = pItem->childCount() > 0 ? pItem : pItem->parent();
    if (!pGroupItem)
        return;
    // One change of the selection model for the group and all its members: a group of
    // thousands costs one walk of the tree to the scene, not one per member.
    QTreeWidget *pTree = m_pUi->m_pSceneListTree;
    QAbstractItemModel *pModel = pTree->model();
    const QModelIndex groupIndex = pModel->index(pTree->indexOfTopLevelItem(pGroupItem), 0);
    QItemSelection selection(pModel->index(0, 0, groupIndex),
                             pModel->index(pGroupItem->childCount() - 1, 0, groupIndex));
    selection.select(groupIndex, groupIndex);
    pTree->selectionModel()->select(selection, bSel ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void FixtureLists::s_OnSceneSelGroupActionTriggered(bool)
{
    SelectGroupItems(m_pUi->m_pSceneListTree->itemAt(m_SceneMenuPos), true);
}

void FixtureLists::s_OnSceneUnSelGroupActionTriggered(bool)
{
    SelectGroupItems(m_pUi->m_pSceneListTree->itemAt(m_SceneMenuPos), false);
}

void FixtureLists::s_OnSceneGroupActionTriggered(bool)
{
    m_pMainWnd->GroupItems(m_FixturesToGroup);
}

void FixtureLists::s_OnSceneUnGroupActionTriggered(bool)
{
    QTreeWidgetItem *pItem = m_pUi->m_pSceneListTree->itemAt(m_SceneMenuPos);
    if (!pItem || pItem->childCount() == 0)
        return;
    if (CFixtureGroup *pGroup = AsGroup(ItemFromData(pItem->data(0, Qt::UserRole))))
        m_pMainWnd->UngroupItems({pGroup});
}

void FixtureLists::s_OnCurrentTabChanged(int iTabIdx)
{
    if (m_bCablingSequence) {
        SetQuietly(m_pUi->m_pListTab, &QTabWidget::setCurrentIndex, 1, &QTabWidget::currentChanged, this,
                   &FixtureLists::s_OnCurrentTabChanged);
        return;
    }
    if (iTabIdx == 1)
        m_pMainWnd->EnterCablingMode();
    else
        m_pMainWnd->LeaveCablingMode();
}

void FixtureLists::s_OnSasuListClick(QListWidgetItem *pItem)
{
    CFixture *pFixture = ListFixture(pItem);
    if (!pFixture)
        return;
    m_pMainWnd->ClearHighlight();
    pFixture->setSelected(true);
}

// ---------------------------------------------------------------------------------------------
// Cabling: uncabling, the sequence, the menu and the selection between lists and scene

void FixtureLists::UncableFixtures(const QList<CFixture *> &fixtures)
{
    for (CFixture *pFixture : fixtures) {
        const quint8 uOutput = FixtureOutput(pFixture);
        if (uOutput < 1 || uOutput > kOutputCount)
            continue;
        QList<CFixture *> &chain = m_CablingChains[uOutput - 1];
        const qsizetype i = chain.indexOf(pFixture);
        const qsizetype s = chain.size();
        if (i >= 0 && s > 1) {
            if (i == s - 1)
                chain.at(i - 1)->SetNextFixture(nullptr);
            else if (i > 0)
                chain.at(i - 1)->SetNextFixture(chain.at(i + 1));
            pFixture->SetNextFixture(nullptr);
        }
        chain.removeOne(pFixture);
    }
    m_pMainWnd->CloseNumberGaps(fixtures);
    for (CFixture *pFixture : fixtures) {
        quint32 uNumber = 0;
        // Without a free number the fixture keeps its place rather than take a made-up one.
        if (m_pMainWnd->GetNextFixtureNumber(0, &uNumber) == 0)
            pFixture->SetNumber(0, uNumber);
    }
}

void FixtureLists::UncableFrom(QTreeWidgetItem *pOutputItem, int iFirst)
{
    QList<CFixture *> fixtures;
    while (pOutputItem->childCount() > iFirst) {
        QTreeWidgetItem *pChild = pOutputItem->takeChild(iFirst);
        if (CFixture *pFixture = TreeFixture(pChild))
            fixtures.append(pFixture);
        delete pChild;
    }
    UncableFixtures(fixtures);
    AddToCablingLists(fixtures);
    m_pMainWnd->RefreshPanels();
}

void FixtureLists::StartCablingSequence(QTreeWidgetItem *pItem)
{
    if (!pItem)
        return;
    QTreeWidgetItem *pOutputItem = pItem->parent() ? pItem->parent() : pItem;
    UncableFrom(pOutputItem, pItem->parent() ? pOutputItem->indexOfChild(pItem) + 1 : 0);
    m_iSequenceOutput = pOutputItem->data(0, Qt::UserRole).toInt();
    m_bCablingSequence = true;
    m_pUi->m_pStartStopCablingBtn->setEnabled(true);
    m_pUi->m_pStartStopCablingBtn->setText(tr("Stop Cabling Sequence"));
}

void FixtureLists::StopCablingSequence()
{
    m_iSequenceOutput = 0;
    m_bCablingSequence = false;
    m_pUi->m_pStartStopCablingBtn->setText(tr("Start Cabling Sequence"));
}

void FixtureLists::s_OnStartStopCablingSequenceBtn()
{
    if (m_bCablingSequence) {
        StopCablingSequence();
    } else {
        const QList<QTreeWidgetItem *> selected = m_pUi->m_pCabledTree->selectedItems();
        if (selected.size() == 1 && m_pUi->m_pNotCabledList->count() > 0)
            StartCablingSequence(selected.first());
    }
    s_OnCabledListSelectionChange();
}

void FixtureLists::s_OnCabledListSelectionChange()
{
    if (m_bCablingSequence)
        return;
    m_pUi->m_pStartStopCablingBtn->setEnabled(m_pUi->m_pCabledTree->selectedItems().size() == 1 &&
                                              m_pUi->m_pNotCabledList->count() > 0);
}

void FixtureLists::s_OnNotCabledDblClick(QListWidgetItem *pItem)
{
    CFixture *pFixture = ListFixture(pItem);
    if (!m_bCablingSequence || !pFixture || m_iSequenceOutput < 1 || m_iSequenceOutput > kOutputCount)
        return;
    QList<CFixture *> &chain = m_CablingChains[m_iSequenceOutput - 1];
    // A project file holds at most this many positions per output: one more would be saved
    // into a file that no longer opens.
    if (quint32(chain.size()) >= Zelvor::kCabledNumberMax) {
        ErrorMsg(tr("HDMI Output %1 already holds %2 fixtures, the most it can drive: %3 is not cabled!")
                     .arg(m_iSequenceOutput)
                     .arg(Zelvor::kCabledNumberMax)
                     .arg(pFixture->GetName()),
                 0);
        s_OnStartStopCablingSequenceBtn();
        return;
    }
    m_pMainWnd->CloseNumberGaps({pFixture});
    Zelvor::ShiftFixtureNumbers(chain);
    pFixture->SetNumber(quint32(m_iSequenceOutput), 1);
    pFixture->update();
    m_pUi->m_pNotCabledList->removeItemWidget(pItem);
    delete pItem;
    m_NotCabledFixtures.removeOne(pFixture);
    AddToCablingLists({pFixture});
    m_pMainWnd->RefreshPanels();
    if (m_NotCabledFixtures.isEmpty())
        s_OnStartStopCablingSequenceBtn();
}

bool FixtureLists::FillCablingMenu(QMenu *pMenu, const QPoint &pos)
{
    QTreeWidgetItem *pItem = m_pUi->m_pCabledTree->itemAt(pos);
    if (!pItem)
        return false;
    if (QTreeWidgetItem *pOutputItem = pItem->parent()) {
        pMenu->addAction(m_pUnCableAction);
        if (pOutputItem->indexOfChild(pItem) < pOutputItem->childCount() - 1)
            pMenu->addAction(m_pUnCableNextsAction);
    } else if (pItem->childCount() > 0) {
        pMenu->addAction(m_pUnCableAllAction);
    }
    if (m_pUi->m_pNotCabledList->count() > 0)
        pMenu->addAction(m_pStartCablingAction);
    m_CabledMenuPos = pos;
    return true;
}

void FixtureLists::s_OnCabledCustomContextMenuRequested(const QPoint &pos)
{
    QMenu menu(QObject::tr("&Cabling Menu"), this);
    if (FillCablingMenu(&menu, pos) && !menu.isEmpty())
        menu.exec(QCursor::pos());
}

void FixtureLists::s_OnUnCableActionTriggered(bool)
{
    QTreeWidgetItem *pItem = m_pUi->m_pCabledTree->itemAt(m_CabledMenuPos);
    CFixture *pFixture = pItem && pItem->parent() ? TreeFixture(pItem) : nullptr;
    if (!pFixture)
        return;
    delete pItem;
    UncableFixtures({pFixture});
    AddToCablingLists({pFixture});
    m_pMainWnd->RefreshPanels();
}

void FixtureLists::s_OnUnCableAllActionTriggered(bool)
{
    if (QTreeWidgetItem *pItem = m_pUi->m_pCabledTree->itemAt(m_CabledMenuPos))
        UncableFrom(pItem, 0);
}

void FixtureLists::s_OnUnCableNextsActionTriggered(bool)
{
    QTreeWidgetItem *pItem = m_pUi->m_pCabledTree->itemAt(m_CabledMenuPos);
    if (!pItem)
        return;
    if (QTreeWidgetItem *pOutputItem = pItem->parent())
        UncableFrom(pOutputItem, pOutputItem->indexOfChild(pItem));
    else
        UncableFrom(pItem, 0);
}

void FixtureLists::s_OnStartCablingActionTriggered(bool)
{
    StartCablingSequence(m_pUi->m_pCabledTree->itemAt(m_CabledMenuPos));
}

void FixtureLists::s_OnNotCabledClick(QListWidgetItem *pItem)
{
    if (CFixture *pFixture = ListFixture(pItem))
        SelectInCablingLists({pFixture});
}

void FixtureLists::s_OnCabledClick(QTreeWidgetItem *pItem)
{
    if (!pItem)
        return;
    if (!pItem->parent()) {
        m_pUi->m_pCabledTree->clearSelection();
        pItem->setSelected(true);
    } else if (CFixture *pFixture = TreeFixture(pItem)) {
        SelectInCablingLists({pFixture});
    }
}

void FixtureLists::s_OnNotCabledItemChanged(QListWidgetItem *pCurrentItem, QListWidgetItem *)
{
    if (!pCurrentItem)
        return;
    if (m_pHighlightedFixture) {
        m_pHighlightedFixture->SetHighlighted(false);
        m_pHighlightedFixture = nullptr;
    }
    if (CFixture *pFixture = ListFixture(pCurrentItem)) {
        pFixture->SetHighlighted(true);
        m_pHighlightedFixture = pFixture;
    }
    m_pUi->m_pCabledTree->clearSelection();
}
