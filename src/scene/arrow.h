#pragma once
// The cabling arrow of one fixture: in the cabling view it points from its fixture to the
// next fixture of the same output chain, in the output's colour. A separate top-level item
// of the layout scene, owned by its fixture.

#include <QGraphicsItem>
#include <QLineF>
#include <QObject>
#include <QPointer>

class CFixture;

class CArrow : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    CArrow();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget) override;
    int type() const override;

    // -4 above output 4, the colour unchanged.
    int SetOutput(quint32 uOutput);
    void SetLink(CFixture *pSource, CFixture *pNext);
    void UpdateGeometry();

    static QColor OutputColor(quint32 uOutput);

private:
    // The three strokes in item coordinates: shaft, then the two head strokes.
    void ComputeStrokes(QLine *pLines) const;

    quint32 m_uOutput = 0;
    // Neither end is owned; a deleted fixture reads as "no link" instead of dangling.
    QPointer<CFixture> m_pSource;
    QPointer<CFixture> m_pNext;
    QLineF m_Line;
    QRectF m_Bounds; // in item coordinates, pen and head included
};
