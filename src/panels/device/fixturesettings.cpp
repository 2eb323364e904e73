#include "panels/device/fixturesettings.h"

#include "mainwindow/zelvor.h"
#include "panels/device/ui_fixturesettings.h"
#include "panels/scene/sceneitemdata.h"

FixtureSettings::FixtureSettings(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::FixtureSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    // Nothing to edit until the main window lists fixtures.
    setEnabled(false);
}

FixtureSettings::~FixtureSettings()
{
    delete m_pUi;
}

void FixtureSettings::SetOnline(bool bOnline)
{
    m_pUi->m_pLPUSetApplyBtn->setEnabled(bOnline);
    m_pUi->m_pLpuTestColorApplyBtn->setEnabled(bOnline);
    m_pUi->m_pLpuTestColorStopBtn->setEnabled(bOnline);
    m_pUi->m_pFixtConfRotVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pFixtConfPosVolatileBtn->setEnabled(bOnline);
    m_pUi->m_pFixtConfPermanentBtn->setEnabled(bOnline);
}

void FixtureSettings::ClearFixtureList()
{
    ClearItemCombo(m_pUi->m_pFixtNameCbBox, this, &FixtureSettings::s_OnItemSelectionChange);
    m_pCurFixture = nullptr;
    setEnabled(false);
}

void FixtureSettings::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    // The followed fixture's anchor goes away with the old list.
    if (m_pCurFixture)
        m_pCurFixture->SetAnchorVisible(false);
    ClearFixtureList();
    FillFixtureCombo(m_pUi->m_pFixtNameCbBox, fixtures, this, &FixtureSettings::s_OnItemSelectionChange);
    m_pCurFixture = fixtures.isEmpty() ? nullptr : fixtures.first();
    setEnabled(!fixtures.isEmpty());
}

void FixtureSettings::UpdateItemTexts()
{
    for (int i = 0; i < m_pUi->m_pFixtNameCbBox->count(); ++i) {
        if (CFixture *pFixture = AsFixture(ItemFromData(m_pUi->m_pFixtNameCbBox->itemData(i))))
            m_pUi->m_pFixtNameCbBox->setItemText(i, pFixture->GetName());
    }
}

void FixtureSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed item is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtNameCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pFixtNameCbBox->setCurrentIndex(iIndex);
    m_pCurFixture = AsFixture(ItemFromData(m_pUi->m_pFixtNameCbBox->itemData(iIndex)));
}
