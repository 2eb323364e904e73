#include "scene/anchor.h"

#include "scene/sceneitems.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

using namespace SceneItems;

CAnchor::CAnchor(QGraphicsItem *pOwner, const QColor &color) : m_pOwner(pOwner), m_Color(color)
{
    setFlags(MOVABLE_FLAGS);
    setAcceptHoverEvents(true);
    setHandlesChildEvents(false);
    setFiltersChildEvents(false);
    setZValue(ANCHOR_Z);
}

QRectF CAnchor::boundingRect() const
{
    return QRectF(-16.5, -16.5, 33, 33);
}

QPainterPath CAnchor::shape() const
{
    QPainterPath path;
    path.addRect(QRectF(-15, -15, 30, 30));
    return path;
}

int CAnchor::type() const
{
    return ANCHOR_TYPE;
}

int CAnchor::SetPos(double x, double y)
{
    if (x < 0 || x >= 1920 || y < 0 || y >= 1080)
        return -4;
    setFlags(QUIET_FLAGS);
    setPos(x, y);
    setFlags(MOVABLE_FLAGS);
    return 0;
}

int CAnchor::GetPos(double *pX, double *pY) const
{
    const QPointF p = scenePos();
    if (pX)
        *pX = p.x();
    if (pY)
        *pY = p.y();
    return 0;
}

int CAnchor::GetScenePos(QPointF *pPos) const
{
    if (pPos)
        *pPos = scenePos();
    return 0;
}

int CAnchor::GetPlacement(const QGraphicsItem *pItem, const CAnchor *pAnchor, RotationInfo_t *pInfo)
{
    if (!pInfo)
        return 0;
    const QPointF s = pItem->scenePos();
    *pInfo = MakeRotationInfo(s.x(), s.y());
    if (pAnchor)
        pAnchor->GetPos(&pInfo->anchorX, &pInfo->anchorY);
    pInfo->angle = TruncAngle(pItem->rotation());
    return 0;
}

QVariant CAnchor::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && scene()) {
        QPointF p = value.toPointF();
        const QRectF limit = PixelLimit();
        if (!limit.contains(p)) {
            p.setX(qBound(limit.left(), p.x(), limit.right()));
            p.setY(qBound(limit.top(), p.y(), limit.bottom()));
        }
        int a = 0;
        if (m_pOwner) {
            qreal total = m_pOwner->rotation();
            if (m_pOwner->parentItem())
                total += m_pOwner->parentItem()->rotation();
            a = TruncAngle(total);
        }
        // On a turned owner the anchor may sit between pixels; square owners keep whole pixels.
        if (a % 90 == 0)
            p = QPointF(RoundAway(p.x()), RoundAway(p.y()));
        return p;
    }
    if (change == ItemScenePositionHasChanged)
        emit sigPosChange(value.toPointF().toPoint());
    return QGraphicsItem::itemChange(change, value);
}

void CAnchor::paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget)
{
    Q_UNUSED(pWidget);
    const QBrush oldBrush = pPainter->brush();
    const QPen oldPen = pPainter->pen();
    pPainter->setOpacity(0.5);

    QColor c = isSelected() ? m_Color.darker(150) : m_Color;
    QColor fill = (pOption->state & QStyle::State_MouseOver) ? c.lighter(200) : QColor(Qt::transparent);

    pPainter->setPen(QPen(QBrush(c), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    pPainter->setBrush(QBrush(fill, Qt::SolidPattern));
    pPainter->drawEllipse(QRect(QPoint(-10, -10), QPoint(9, 9)));
    pPainter->drawPoint(0, 0);

    pPainter->setPen(QPen(QBrush(c), 3, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    pPainter->drawLine(-15, 0, -5, 0);
    pPainter->drawLine(0, -15, 0, -5);
    pPainter->drawLine(15, 0, 5, 0);
    pPainter->drawLine(0, 15, 0, 5);

    pPainter->setBrush(oldBrush);
    pPainter->setPen(oldPen);
}
