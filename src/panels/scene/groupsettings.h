#pragma once
// The group settings panel: name, placement, rotation and luminosity of one group at a time,
// chosen in its combo box or by selecting the group on the scene. Lives in the "Group
// Settings" dock.

#include <QList>
#include <QWidget>

class CAnchor;
class CFixtureGroup;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class GroupSettings;
}

class GroupSettings : public QWidget
{
    Q_OBJECT

public:
    explicit GroupSettings(Zelvor *pMainWnd);
    ~GroupSettings() override;

    void SetOnline(bool bOnline);
    void ClearGroupList();
    void SetGroupList(const QList<CFixtureGroup *> &groups);
    void UpdateItemTexts();

public slots:
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private:
    Ui::GroupSettings *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    CFixtureGroup *m_pCurGroup = nullptr;
    CAnchor *m_pCurAnchor = nullptr;
};
