#include "panels/scene/fixturelists.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/sceneitemdata.h"
#include "panels/scene/ui_fixturelists.h"

#include <QListWidgetItem>
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
    return AsFixture(ItemFromData(pItem->data(0, Qt::UserRole)));
}

} // namespace

FixtureLists::FixtureLists(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::FixtureLists), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    m_pUi->m_pSceneListTree->setColumnCount(1);
    m_pUi->m_pSceneListTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pUi->m_pSceneListTree, &QTreeWidget::itemClicked, this, &FixtureLists::s_OnItemClicked);
    LinkTreeSelection(true);
    InitCablingLists();
    m_pUi->m_pCabledTree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pUi->m_pSASUList->clear();
    m_pUi->m_pListTab->setCurrentIndex(0);
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
    m_pMainWnd->ClearHighlight();
    m_pHighlightedFixture = nullptr;
    m_pUi->m_pCabledTree->clearSelection();
    m_pUi->m_pNotCabledList->clearSelection();
    for (CFixture *pFixture : fixtures) {
        const QVariant data = ItemToData(pFixture);
        for (int i = 0; i < m_pUi->m_pNotCabledList->count(); ++i) {
            QListWidgetItem *pItem = m_pUi->m_pNotCabledList->item(i);
            if (pItem->data(Qt::UserRole) == data)
                pItem->setSelected(true);
        }
        for (QTreeWidgetItem *pOutput : m_pOutputItems) {
            for (int j = 0; j < pOutput->childCount(); ++j) {
                if (pOutput->child(j)->data(0, Qt::UserRole) == data)
                    pOutput->child(j)->setSelected(true);
            }
        }
    }
}

void FixtureLists::CableClickedFixture(const QList<CFixture *> &fixtures)
{
    // A double click only continues a cabling sequence the operator started in this panel.
    if (!m_bCablingSequence || fixtures.isEmpty())
        return;
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
