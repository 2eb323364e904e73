#include "panels/device/sasusettings.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_sasusettings.h"
#include "panels/scene/sceneitemdata.h"

SasuSettings::SasuSettings(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::SasuSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    setEnabled(false);
}

SasuSettings::~SasuSettings()
{
    delete m_pUi;
}

void SasuSettings::SetOnline(bool bOnline)
{
    m_pUi->m_pGetSensorValBtn->setEnabled(bOnline);
    m_pUi->m_pConfigPermanentBtn->setEnabled(bOnline);
    m_pUi->m_pManuSwitchWrBtn->setEnabled(bOnline);
    m_pUi->m_pManuSwitchRdBtn->setEnabled(bOnline);
}

void SasuSettings::ClearFixtureList()
{
    ClearItemCombo(m_pUi->m_pFixtNameCbBox, this, &SasuSettings::s_OnItemSelectionChange);
    m_pCurFixture = nullptr;
    setEnabled(false);
}

void SasuSettings::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    // The followed fixture's anchor goes away with the old list.
    if (m_pCurFixture)
        m_pCurFixture->SetAnchorVisible(false);
    ClearFixtureList();
    FillFixtureCombo(m_pUi->m_pFixtNameCbBox, fixtures, this, &SasuSettings::s_OnItemSelectionChange);
    m_pCurFixture = fixtures.isEmpty() ? nullptr : fixtures.first();
    setEnabled(!fixtures.isEmpty());
}

void SasuSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed item is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtNameCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pFixtNameCbBox->setCurrentIndex(iIndex);
    m_pCurFixture = AsFixture(ItemFromData(m_pUi->m_pFixtNameCbBox->itemData(iIndex)));
}
