#pragma once
// The test control panel: full-screen test colours, freeze and dot correction on the whole
// wall. Lives in the main window's "Test Functions" dock; usable only while online.

#include <QWidget>

class Zelvor;

namespace Ui {
class TestControl;
}

class TestControl : public QWidget
{
    Q_OBJECT

public:
    explicit TestControl(Zelvor *pMainWnd);
    ~TestControl() override;

    void SetOnline(bool bOnline);

private:
    Ui::TestControl *m_pUi;
    Zelvor *m_pMainWnd;
};
