#pragma once
// How the panels' lists and combo boxes refer to scene items: each entry holds the item's
// QGraphicsItem pointer under Qt::UserRole as a "QGraphicsItem *" variant, and finds its
// fixture or group back from it. The items are owned by the main window; a list entry never
// outlives its item because the main window clears the lists before it deletes items.

#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"

#include <QComboBox>
#include <QGraphicsItem>
#include <QVariant>

inline QVariant ItemToData(QGraphicsItem *pItem)
{
    return QVariant::fromValue(pItem);
}

inline QGraphicsItem *ItemFromData(const QVariant &data)
{
    return data.value<QGraphicsItem *>();
}

inline CFixture *AsFixture(QGraphicsItem *pItem)
{
    return pItem && pItem->type() == SceneItems::FIXTURE_TYPE ? static_cast<CFixture *>(pItem) : nullptr;
}

inline CFixtureGroup *AsGroup(QGraphicsItem *pItem)
{
    return pItem && pItem->type() == SceneItems::GROUP_TYPE ? static_cast<CFixtureGroup *>(pItem) : nullptr;
}

// Connects (once, however often it is asked) or cuts the selection signal of a fixture or
// group to a panel's slot.
template <class Panel>
void LinkSelection(QGraphicsItem *pItem, Panel *pPanel, void (Panel::*slot)(QGraphicsItem *, bool), bool bLink)
{
    if (CFixture *pFixture = AsFixture(pItem)) {
        if (bLink)
            QObject::connect(pFixture, &CFixture::sigSelChange, pPanel, slot, Qt::UniqueConnection);
        else
            QObject::disconnect(pFixture, &CFixture::sigSelChange, pPanel, slot);
    } else if (CFixtureGroup *pGroup = AsGroup(pItem)) {
        if (bLink)
            QObject::connect(pGroup, &CFixtureGroup::sigSelChange, pPanel, slot, Qt::UniqueConnection);
        else
            QObject::disconnect(pGroup, &CFixtureGroup::sigSelChange, pPanel, slot);
    }
}

// Cuts every listed item's selection link to the panel, then empties the combo box.
template <class Panel> void ClearItemCombo(QComboBox *pCombo, Panel *pPanel, void (Panel::*slot)(QGraphicsItem *, bool))
{
    for (int i = 0; i < pCombo->count(); ++i)
        LinkSelection(ItemFromData(pCombo->itemData(i)), pPanel, slot, false);
    pCombo->clear();
}

// Appends one item per fixture (its name, the fixture as data) and links its selection.
template <class Panel>
void FillFixtureCombo(QComboBox *pCombo, const QList<CFixture *> &fixtures, Panel *pPanel,
                      void (Panel::*slot)(QGraphicsItem *, bool))
{
    for (CFixture *pFixture : fixtures) {
        pCombo->addItem(pFixture->GetName(), ItemToData(pFixture));
        LinkSelection(pFixture, pPanel, slot, true);
    }
}

// The combo index of a scene item, or -1.
inline int FindItemInCombo(const QComboBox *pCombo, const QGraphicsItem *pItem)
{
    for (int i = 0; i < pCombo->count(); ++i) {
        if (ItemFromData(pCombo->itemData(i)) == pItem)
            return i;
    }
    return -1;
}

// The index of the one listed item selected on the scene; -1 when none or several are.
inline int SingleSelectedInCombo(const QComboBox *pCombo)
{
    int iFound = -1;
    for (int i = 0; i < pCombo->count(); ++i) {
        const QGraphicsItem *pItem = ItemFromData(pCombo->itemData(i));
        if (!pItem || !pItem->isSelected())
            continue;
        if (iFound >= 0)
            return -1;
        iFound = i;
    }
    return iFound;
}
