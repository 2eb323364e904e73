#pragma once
// Helpers of the scene item tests: a layout scene as the main window sets it up, fixture
// types, mouse drags sent through the scene, and outline checks.

#include "scene/fixture.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QPainter>
#include <QtTest>

inline void SetupLayoutScene(QGraphicsScene *pScene)
{
    pScene->setSceneRect(-0.5, -0.5, 1920, 1080);
}

inline FixtureType_t TestType(int iWidth, int iHeight, quint32 uCode = 2, const QString &qsName = QString())
{
    FixtureType_t t;
    t.name = qsName;
    t.width = iWidth;
    t.height = iHeight;
    t.type = uCode;
    return t;
}

inline void SendMouse(QGraphicsScene *pScene, QEvent::Type type, const QPointF &pos, const QPointF &down,
                      const QPointF &last, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers)
{
    QGraphicsSceneMouseEvent ev(type);
    ev.setScenePos(pos);
    ev.setLastScenePos(last);
    ev.setButtonDownScenePos(Qt::LeftButton, down);
    ev.setButton(button);
    ev.setButtons(buttons);
    ev.setModifiers(modifiers);
    ev.setAccepted(false);
    QCoreApplication::sendEvent(pScene, &ev);
}

// A left-button drag from one scene point to another, as the user's mouse would do it.
inline void Drag(QGraphicsScene *pScene, const QPointF &from, const QPointF &to, Qt::KeyboardModifiers modifiers = {})
{
    SendMouse(pScene, QEvent::GraphicsSceneMousePress, from, from, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    SendMouse(pScene, QEvent::GraphicsSceneMouseMove, to, from, from, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(pScene, QEvent::GraphicsSceneMouseRelease, to, from, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

// The fixture's real outline: its scene transform applied to its pixel corners.
inline QPolygonF RealOutline(const CFixture &f)
{
    FixtureType_t t;
    f.GetType(&t);
    const qreal w = t.width - 1, h = t.height - 1;
    return f.sceneTransform().map(
        QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h), QPointF(0, 0)}));
}

inline bool SamePolygon(const QPolygonF &a, const QPolygonF &b, qreal eps = 1e-6)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (qAbs(a[i].x() - b[i].x()) > eps || qAbs(a[i].y() - b[i].y()) > eps)
            return false;
    return true;
}

inline bool OnScreen(const QPolygonF &p, qreal eps = 1e-6)
{
    for (const QPointF &pt : p)
        if (pt.x() < -0.5 - eps || pt.x() > 1919.5 + eps || pt.y() < -0.5 - eps || pt.y() > 1079.5 + eps)
            return false;
    return true;
}

// The outline that the fixture's own prediction gives where it stands now equals both its
// real outline and its scene polygon, and lies on the screen.
#define VERIFY_OUTLINE(f)                                                                                              \
    do {                                                                                                               \
        const QPolygonF predicted =                                                                                    \
            (f).ComputePolygon((f).scenePos().x(), (f).scenePos().y(), int((f).rotation()), nullptr);                  \
        QVERIFY2(SamePolygon(RealOutline(f), predicted), "real outline differs from the prediction");                  \
        QVERIFY2(SamePolygon((f).GetScenePolygon(), predicted), "scene polygon differs from the prediction");          \
        QVERIFY2(OnScreen(predicted), "outline leaves the screen");                                                    \
    } while (0)

// Renders the scene at scale 1 into a white picture covering (-150, -150)..(2070, 1230) and
// returns the smallest scene rectangle of pixel centres that differ from white.
inline QRectF PaintedRect(QGraphicsScene *pScene)
{
    const QRectF area(-150, -150, 2220, 1380);
    QImage image(int(area.width()), int(area.height()), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pScene->render(&painter, QRectF(0, 0, area.width(), area.height()), area);
    }
    int minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                minX = qMin(minX, x);
                maxX = qMax(maxX, x);
                minY = qMin(minY, y);
                maxY = qMax(maxY, y);
            }
        }
    }
    if (maxX < 0)
        return QRectF();
    return QRectF(QPointF(minX + 0.5 + area.x(), minY + 0.5 + area.y()),
                  QPointF(maxX + 0.5 + area.x(), maxY + 0.5 + area.y()));
}

inline QColor PixelAt(QGraphicsScene *pScene, const QPointF &scenePoint)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pScene->render(&painter, QRectF(0, 0, 1, 1), QRectF(scenePoint - QPointF(0.5, 0.5), QSizeF(1, 1)));
    }
    return image.pixelColor(0, 0);
}
