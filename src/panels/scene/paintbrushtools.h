#pragma once
// The fixture paintbrush: hands blocks of fixtures of one type to the main window, which
// adds them to the scene. Lives in the "Custom Fixture Paintbrush" dock.

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

private:
    Ui::PaintBrushTools *m_pUi;
    Zelvor *m_pMainWnd;
};
