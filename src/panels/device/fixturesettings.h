#pragma once
// The fixture settings panel: placement, rotation and intensity of one fixture at a time,
// chosen in its combo box or by selecting it on the scene. Lives in the main window's
// "Fixture settings" dock.

#include <QList>
#include <QWidget>

class CFixture;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class FixtureSettings;
}

class FixtureSettings : public QWidget
{
    Q_OBJECT

public:
    explicit FixtureSettings(Zelvor *pMainWnd);
    ~FixtureSettings() override;

    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);
    void UpdateItemTexts();

public slots:
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private:
    Ui::FixtureSettings *m_pUi;
    Zelvor *m_pMainWnd;
    CFixture *m_pCurFixture = nullptr;
};
