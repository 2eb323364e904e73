#include "scene/view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {
constexpr double MIN_ZOOM = 0.07;
constexpr double MAX_ZOOM = 100;
constexpr double ZOOM_IN_STEP = 1.25;
constexpr double ZOOM_OUT_STEP = 0.8;
constexpr double WHEEL_STEP = 240;
const QRectF SCENE_AREA(-150, -150, 2220, 1380);
} // namespace

View::View(QWidget *pParent) : QGraphicsView(static_cast<QWidget *>(nullptr))
{
    // The main window's layout takes the view and becomes its parent.
    Q_UNUSED(pParent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    setSceneRect(SCENE_AREA);
    setBaseSize(int(SCENE_AREA.width()), int(SCENE_AREA.height()));
    setDragMode(QGraphicsView::RubberBandDrag);
    setResizeAnchor(QGraphicsView::AnchorUnderMouse);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void View::ScaleView(double dFactor)
{
    const double z = transform().scale(dFactor, dFactor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (z < MIN_ZOOM || z > MAX_ZOOM)
        return;
    scale(dFactor, dFactor);
}

void View::s_OnZoomIn()
{
    ScaleView(ZOOM_IN_STEP);
}

void View::s_OnZoomOut()
{
    ScaleView(ZOOM_OUT_STEP);
}

void View::s_OnZoomAll()
{
    const double s = qMin(viewport()->width() / SCENE_AREA.width(), viewport()->height() / SCENE_AREA.height());
    setTransform(QTransform::fromScale(s, s));
}

void View::wheelEvent(QWheelEvent *pEvent)
{
    if (pEvent->modifiers() & Qt::ControlModifier) {
        // Zoom about the scene point under the cursor.
        centerOn(mapToScene(pEvent->position().toPoint()));
        ScaleView(std::pow(2.0, pEvent->angleDelta().y() / WHEEL_STEP));
        pEvent->accept();
    } else if (pEvent->modifiers() & Qt::ShiftModifier) {
        QCoreApplication::sendEvent(horizontalScrollBar(), pEvent);
    } else {
        QCoreApplication::sendEvent(verticalScrollBar(), pEvent);
    }
}

void View::keyPressEvent(QKeyEvent *pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Plus:
        ScaleView(ZOOM_IN_STEP);
        break;
    case Qt::Key_Minus:
        ScaleView(ZOOM_OUT_STEP);
        break;
    case Qt::Key_Enter:
    case Qt::Key_Space:
        break;
    default:
        QGraphicsView::keyPressEvent(pEvent);
    }
}
