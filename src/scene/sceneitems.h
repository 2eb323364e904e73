#pragma once
// What the scene items share: their item types, stacking values, the screen limits they
// keep to and the rounding they use.

#include <QGraphicsItem>
#include <QRectF>

#include <cmath>

namespace SceneItems {

enum ItemType {
    FIXTURE_TYPE = QGraphicsItem::UserType + 1,
    GROUP_TYPE = QGraphicsItem::UserType + 2,
    ANCHOR_TYPE = QGraphicsItem::UserType + 3,
    ARROW_TYPE = QGraphicsItem::UserType + 4,
};

constexpr qreal FIXTURE_Z = 4;
constexpr qreal FIXTURE_SELECTED_Z = 10000;
constexpr qreal GROUP_Z = 5;
constexpr qreal GROUP_SELECTED_Z = 10001;
constexpr qreal ANCHOR_Z = 10002;
constexpr qreal ARROW_Z = 10003;

// The pixel area an outline corner may occupy: x 0..1919, y 0..1079 (QRectF::contains rules).
inline QRectF PixelLimit()
{
    return QRectF(0, 0, 1919, 1079);
}

// Flags of a movable item whose moves are checked: position changes reach itemChange only
// with ItemSendsGeometryChanges, and scene position notifications need their own flag.
constexpr QGraphicsItem::GraphicsItemFlags MOVABLE_FLAGS =
    QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemSendsScenePositionChanges |
    QGraphicsItem::ItemSendsGeometryChanges;

// Flags that let a move bypass the position rules and notify nobody.
constexpr QGraphicsItem::GraphicsItemFlags QUIET_FLAGS = QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable;

// How far a box must move to come back inside the limit: toward the left or top edge when it
// starts before it, else toward the right or bottom edge when it ends after it.
inline QPointF ShiftInside(const QRectF &limit, const QRectF &box)
{
    QPointF d(0, 0);
    if (limit.contains(box))
        return d;
    if (limit.left() > box.left())
        d.setX(limit.left() - box.left());
    else if (limit.right() < box.right())
        d.setX(limit.right() - box.right());
    if (limit.top() > box.top())
        d.setY(limit.top() - box.top());
    else if (limit.bottom() < box.bottom())
        d.setY(limit.bottom() - box.bottom());
    return d;
}

// Nearest whole number, halves away from zero.
inline qreal RoundAway(qreal v)
{
    return std::round(v);
}

inline int TruncAngle(qreal dDegrees)
{
    return int(std::trunc(dDegrees));
}

} // namespace SceneItems
