#pragma once
// The view through which the user sees and edits the layout scene: a fixed scene area a
// little larger than the screen, rubber-band selection, a context menu served by the main
// window, and a zoom kept between 0.07 and 100 times.

#include <QGraphicsView>

class View : public QGraphicsView
{
    Q_OBJECT

public:
    explicit View(QWidget *pParent = nullptr);

    // Zooms by the factor unless the result would leave the zoom limits.
    void ScaleView(double dFactor);

public slots:
    void s_OnZoomAll();
    void s_OnZoomIn();
    void s_OnZoomOut();

protected:
    void wheelEvent(QWheelEvent *pEvent) override;
    void keyPressEvent(QKeyEvent *pEvent) override;
};
