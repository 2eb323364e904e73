#include "update/fixtureupdate.h"

#include "mainwindow/zelvor.h"
#include "panels/scene/sceneitemdata.h"
#include "update/ui_fixtureupdate.h"

namespace {

// Output 255, number 0xFFFFFFFF: every fixture on every output.
FixtureAddr_t BroadcastAddress()
{
    FixtureAddr_t addr{};
    addr.output = 255;
    addr.number = 0xFFFFFFFFu;
    return addr;
}

} // namespace

FixtureUpdate::FixtureUpdate(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::FixtureUpdate), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    m_SelectedAddr = BroadcastAddress();
}

FixtureUpdate::~FixtureUpdate()
{
    delete m_pUi;
}

void FixtureUpdate::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    const bool bEnable = bOnline && m_pUi->m_pFixtCbBox->count() > 0;
    for (QPushButton *pButton :
         {m_pUi->m_pFirmProgAllBtn, m_pUi->m_pFirmProgFixtBtn, m_pUi->m_pLpuGainProgBtn, m_pUi->m_pProgParamBtn,
          m_pUi->m_pGetCurrentSettingsBtn, m_pUi->m_pLedMapProgAllBtn, m_pUi->m_pLedMapProgFixtBtn})
        pButton->setEnabled(bEnable);
}

void FixtureUpdate::ClearFixtureList()
{
    ClearItemCombo(m_pUi->m_pFixtCbBox, this, &FixtureUpdate::s_OnItemSelectionChange);
    m_pSelectedFixture = nullptr;
    m_SelectedAddr = BroadcastAddress();
}

void FixtureUpdate::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    // The rebuild must not select anything on the scene.
    disconnect(m_pUi->m_pFixtCbBox, &QComboBox::currentIndexChanged, this, &FixtureUpdate::s_OnFixtCbBox);
    ClearFixtureList();
    if (!fixtures.isEmpty()) {
        FillFixtureCombo(m_pUi->m_pFixtCbBox, fixtures, this, &FixtureUpdate::s_OnItemSelectionChange);
        connect(m_pUi->m_pFixtCbBox, &QComboBox::currentIndexChanged, this, &FixtureUpdate::s_OnFixtCbBox,
                Qt::UniqueConnection);
        s_OnFixtCbBox(m_pUi->m_pFixtCbBox->currentIndex());
    }
    SetOnline(m_bOnline);
}

void FixtureUpdate::s_OnFixtCbBox(int)
{
    QComboBox *pCombo = m_pUi->m_pFixtCbBox;
    if (pCombo->count() == 0)
        return;
    const int iCurrent = pCombo->currentIndex();
    m_pSelectedFixture = AsFixture(ItemFromData(pCombo->itemData(iCurrent)));
    if (!m_pSelectedFixture)
        return;
    m_pSelectedFixture->GetAddress(&m_SelectedAddr);
    m_pSelectedFixture->setSelected(true);
    for (int i = 0; i < pCombo->count(); ++i) {
        if (i == iCurrent)
            continue;
        if (CFixture *pOther = AsFixture(ItemFromData(pCombo->itemData(i)))) {
            pOther->setSelected(false);
            if (QGraphicsItem *pParent = pOther->parentItem())
                pParent->setSelected(false);
        }
    }
}

void FixtureUpdate::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed item is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pFixtCbBox->setCurrentIndex(iIndex);
}
