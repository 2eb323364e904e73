#include "scene/arrow.h"

#include "scene/fixture.h"
#include "scene/sceneitems.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

using namespace SceneItems;

namespace {
constexpr double PI = 3.141592653589793;
constexpr qreal PEN_WIDTH = 3;
} // namespace

CArrow::CArrow()
{
    setFlags({});
    setZValue(ARROW_Z);
    setAcceptHoverEvents(false);
    setEnabled(true);
    setActive(true);
}

int CArrow::type() const
{
    return ARROW_TYPE;
}

QColor CArrow::OutputColor(quint32 uOutput)
{
    switch (uOutput) {
    case 1:
        return QColor(Qt::green);
    case 2:
        return QColor(Qt::blue);
    case 3:
        return QColor(Qt::cyan);
    case 4:
        return QColor(Qt::magenta);
    default:
        return QColor(Qt::gray);
    }
}

int CArrow::SetOutput(quint32 uOutput)
{
    if (uOutput > 4)
        return -4;
    m_uOutput = uOutput;
    update();
    return 0;
}

void CArrow::SetLink(CFixture *pSource, CFixture *pNext)
{
    m_pSource = pSource;
    m_pNext = pNext;
    UpdateGeometry();
}

static QPointF BoxCentre(const CFixture *pFixture)
{
    RotationInfo_t info;
    pFixture->GetRotationInfo(&info);
    const QRectF box = CFixture::ConvertPolyToRect(pFixture->ComputePolygon(info.x, info.y, info.angle, nullptr));
    return QPointF(box.x() + 0.5 * box.width(), box.y() + 0.5 * box.height());
}

void CArrow::UpdateGeometry()
{
    if (!m_pSource || !m_pNext) {
        hide();
        update();
        return;
    }
    prepareGeometryChange();
    m_Line = QLineF(BoxCentre(m_pSource), BoxCentre(m_pNext));
    setPos(m_Line.p1());

    // The head strokes stand out of the line by 5 pixels: the rectangle takes in every
    // stroke end, plus half the pen for the round caps.
    QLine lines[3];
    ComputeStrokes(lines);
    const double angle = std::atan2(m_Line.dy(), m_Line.dx()) * 180 / PI;
    QTransform turn;
    turn.rotate(angle);
    QRectF r = QRectF(QPointF(0, 0), QPointF(m_Line.dx(), m_Line.dy())).normalized();
    for (const QLine &l : lines) {
        for (const QPointF &p : {turn.map(QPointF(l.p1())), turn.map(QPointF(l.p2()))}) {
            r.setLeft(qMin(r.left(), p.x()));
            r.setRight(qMax(r.right(), p.x()));
            r.setTop(qMin(r.top(), p.y()));
            r.setBottom(qMax(r.bottom(), p.y()));
        }
    }
    const qreal m = PEN_WIDTH / 2;
    m_Bounds = r.adjusted(-m, -m, m, m);
    update();
}

void CArrow::ComputeStrokes(QLine *pLines) const
{
    const double length = std::sqrt(m_Line.dx() * m_Line.dx() + m_Line.dy() * m_Line.dy());
    const int L = int(std::trunc(length));
    const int L5 = int(std::trunc(length - 5));
    pLines[0] = QLine(0, 0, L, 0);
    pLines[1] = QLine(L, 0, L5, 5);
    pLines[2] = QLine(L, 0, L5, -5);
}

QRectF CArrow::boundingRect() const
{
    return m_Bounds;
}

QPainterPath CArrow::shape() const
{
    QPainterPath path;
    path.addRect(m_Bounds);
    return path;
}

void CArrow::paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget)
{
    Q_UNUSED(pOption);
    Q_UNUSED(pWidget);
    if (!m_pSource || !m_pNext)
        return;
    const QBrush oldBrush = pPainter->brush();
    const QPen oldPen = pPainter->pen();

    QPen pen(OutputColor(m_uOutput).darker(150));
    pen.setWidthF(PEN_WIDTH);
    pen.setCapStyle(Qt::RoundCap);
    pPainter->setPen(pen);
    pPainter->setOpacity(0.5);

    pPainter->save();
    pPainter->rotate(std::atan2(m_Line.dy(), m_Line.dx()) * 180 / PI);
    QLine lines[3];
    ComputeStrokes(lines);
    pPainter->drawLines(lines, 3);
    pPainter->restore();

    pPainter->setBrush(oldBrush);
    pPainter->setPen(oldPen);
}
