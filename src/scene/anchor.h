#pragma once
// The rotation anchor of one fixture or one group: a cross-hair circle that the user drags
// and about which its owner turns. A separate top-level item of the layout scene; its owner
// creates, places, shows, hides and deletes it.

#include "project/scenerecords.h"

#include <QColor>
#include <QGraphicsItem>
#include <QObject>
#include <QPoint>

class CAnchor : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    CAnchor(QGraphicsItem *pOwner, const QColor &color);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget) override;
    int type() const override;

    // Places the anchor without the drag rules: neither clamped nor rounded, no signal.
    // -4 when the point lies off the screen.
    int SetPos(double x, double y);
    int GetPos(double *pX, double *pY) const;
    int GetScenePos(QPointF *pPos) const;

    // The placement of an item turned about this anchor: the item's scene position, the
    // anchor's (0, 0 without one) and the item's own angle truncated toward zero.
    static int GetPlacement(const QGraphicsItem *pItem, const CAnchor *pAnchor, RotationInfo_t *pInfo);

signals:
    void sigPosChange(QPoint pos);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    QGraphicsItem *m_pOwner;
    QColor m_Color;
};
