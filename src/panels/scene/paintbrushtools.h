#pragma once
// The fixture paintbrush: hands blocks of fixtures of one type to the main window, which
// adds them to the scene. It keeps the counts and the top-left position such that the block
// always fits the 1920 x 1080 screen: every change of one recomputes the maximum of its
// partner. Lives in the "Custom Fixture Paintbrush" dock; it stores nothing of its own.

#include "config/catalogue.h"

#include <QList>
#include <QWidget>

class Zelvor;

namespace Ui {
class PaintBrushTools;
}

class PaintBrushTools : public QWidget
{
    Q_OBJECT

public:
    explicit PaintBrushTools(Zelvor *pMainWnd);
    ~PaintBrushTools() override;

public slots:
    void s_OnFixtTypeCbBox(int iValue);
    void s_OnGroupSizeGpBox(bool bChecked);
    void s_OnHorGroupSizeSpin(int iValue);
    void s_OnVerGroupSizeSpin(int iValue);
    void s_OnHorPosSpin(int iValue);
    void s_OnVerPosSpin(int iValue);
    void s_OnAddFixturesBtn();

private:
    // The selected type, or null when the catalogue has none.
    const FixtureType_t *CurrentType() const;
    // A count or a position changed: the partner control's maximum follows.
    void CountChanged(bool bAcross, int iCount);
    void PositionChanged(bool bAcross, int iPos);

    Ui::PaintBrushTools *m_pUi;
    Zelvor *m_pMainWnd;
    QList<FixtureType_t> m_FixtureTypes;
    int m_iFixtTypeIndex = 0;
};
