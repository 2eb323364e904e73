#pragma once
// The SASU settings and monitoring panel: sensors, black-out and fan monitoring of one
// SASU at a time. Lives in the main window's
// "SASU Settings and Monitoring" dock.

#include <QList>
#include <QWidget>

class CFixture;
class QGraphicsItem;
class Zelvor;

namespace Ui {
class SasuSettings;
}

class SasuSettings : public QWidget
{
    Q_OBJECT

public:
    explicit SasuSettings(Zelvor *pMainWnd);
    ~SasuSettings() override;

    void SetOnline(bool bOnline);
    void ClearFixtureList();
    void UpdateFixtureList(const QList<CFixture *> &fixtures);

public slots:
    void s_OnItemSelectionChange(QGraphicsItem *pGraphItem, bool bChange);

private:
    Ui::SasuSettings *m_pUi;
    Zelvor *m_pMainWnd;
    CFixture *m_pCurFixture = nullptr;
};
