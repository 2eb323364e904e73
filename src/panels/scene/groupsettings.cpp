#include "panels/scene/groupsettings.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/sceneitemdata.h"
#include "panels/scene/ui_groupsettings.h"

GroupSettings::GroupSettings(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::GroupSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    setEnabled(false);
}

GroupSettings::~GroupSettings()
{
    delete m_pUi;
}

void GroupSettings::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pConfPermanentBtn->setEnabled(bOnline);
    m_pUi->m_pConfRotVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pConfPosVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pGroupLumiApplyBtn->setEnabled(bOnline);
}

void GroupSettings::ClearGroupList()
{
    ClearItemCombo(m_pUi->m_pGroupNameCbBox, this, &GroupSettings::s_OnItemSelectionChange);
    m_pCurGroup = nullptr;
    m_pCurAnchor = nullptr;
    setEnabled(false);
}

void GroupSettings::SetGroupList(const QList<CFixtureGroup *> &groups)
{
    m_pUi->m_pGroupNameCbBox->clear();
    for (CFixtureGroup *pGroup : groups) {
        GroupInfo_t info;
        pGroup->GetInfo(&info);
        m_pUi->m_pGroupNameCbBox->addItem(tr("G%1").arg(info.number), ItemToData(pGroup));
        LinkSelection(pGroup, this, &GroupSettings::s_OnItemSelectionChange, true);
    }
    m_pCurGroup = groups.isEmpty() ? nullptr : groups.first();
    setEnabled(!groups.isEmpty());
}

void GroupSettings::UpdateItemTexts()
{
    for (int i = 0; i < m_pUi->m_pGroupNameCbBox->count(); ++i) {
        if (CFixtureGroup *pGroup = AsGroup(ItemFromData(m_pUi->m_pGroupNameCbBox->itemData(i)))) {
            GroupInfo_t info;
            pGroup->GetInfo(&info);
            m_pUi->m_pGroupNameCbBox->setItemText(i, tr("G%1").arg(info.number));
        }
    }
}

void GroupSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed item is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pGroupNameCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pGroupNameCbBox->setCurrentIndex(iIndex);
    m_pCurGroup = AsGroup(ItemFromData(m_pUi->m_pGroupNameCbBox->itemData(iIndex)));
}
