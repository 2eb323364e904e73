#pragma once
// The fixture update panel: firmware, LED map, gain tables and factory parameters of the
// fixtures, one chosen in its combo box. Lives in the password-guarded "Fixture Update" dock.

#include <QList>
#include <QWidget>

#include "comm/vpurecords.h"

class CFixture;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class FixtureUpdate;
}

class FixtureUpdate : public QWidget
{
    Q_OBJECT

public:
    explicit FixtureUpdate(Zelvor *pMainWnd);
    ~FixtureUpdate() override;

    // The programming buttons need the link and at least one fixture.
    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);

public slots:
    void s_OnFixtCbBox(int iValue);
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private:
    Ui::FixtureUpdate *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    CFixture *m_pSelectedFixture = nullptr;
    FixtureAddr_t m_SelectedAddr{};
};
