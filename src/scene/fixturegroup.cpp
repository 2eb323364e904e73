#include "scene/fixturegroup.h"

#include "scene/anchor.h"
#include "scene/fixture.h"
#include "scene/sceneitems.h"
#include "trace/trace.h"

#include <QBitmap>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

using namespace SceneItems;

namespace {

constexpr double PI = 3.141592653589793;
constexpr int MAX_NAME_LENGTH = 32;
constexpr qreal TITLE_HEIGHT = 16;
// Floating-point slack when a turned box is compared with the screen edges.
constexpr qreal FIT_EPSILON = 1e-6;

CFixtureGroup::UngroupService &Service()
{
    static CFixtureGroup::UngroupService service;
    return service;
}

bool FitsOnScreen(const QRectF &r)
{
    return r.left() >= -FIT_EPSILON && r.right() <= 1919 + FIT_EPSILON && r.top() >= -FIT_EPSILON &&
           r.bottom() <= 1079 + FIT_EPSILON;
}

// p turned about centre by the given angle in degrees, keeping its distance.
QPointF TurnAbout(const QPointF &centre, const QPointF &p, double dDegrees)
{
    const QPointF d = p - centre;
    const double dist = std::sqrt(d.x() * d.x() + d.y() * d.y());
    const double theta = (std::atan2(d.y(), d.x()) * 180 / PI + dDegrees) * PI / 180;
    return QPointF(centre.x() + dist * std::cos(theta), centre.y() + dist * std::sin(theta));
}

} // namespace

void CFixtureGroup::SetUngroupService(UngroupService service)
{
    Service() = std::move(service);
}

CFixtureGroup::CFixtureGroup(QGraphicsScene *pScene) : m_pScene(pScene)
{
    m_qsName = tr("Group 0");
    m_TitleLabel.SetText(QStringLiteral("G%1").arg(m_uNumber));
    m_pAnchor = new CAnchor(this, Qt::darkCyan);
    if (m_pScene)
        m_pScene->addItem(m_pAnchor);
    m_pAnchor->hide();
    setFlags(MOVABLE_FLAGS);
    setAcceptHoverEvents(true);
    setHandlesChildEvents(false);
    setFiltersChildEvents(false);
    setZValue(GROUP_Z);
}

CFixtureGroup::~CFixtureGroup()
{
    const QList<CFixture *> members = Members();
    m_Fixtures.clear();
    for (CFixture *pFixture : members) {
        pFixture->setParentItem(nullptr);
        delete pFixture;
    }
    delete m_pAnchor.data();
}

QList<CFixture *> CFixtureGroup::Members() const
{
    QList<CFixture *> list;
    list.reserve(m_Fixtures.size());
    for (const QPointer<CFixture> &p : m_Fixtures)
        if (p)
            list.append(p.data());
    return list;
}

QRectF CFixtureGroup::boundingRect() const
{
    const QRectF c = childrenBoundingRect();
    const qreal p = m_iPenWidth;
    return QRectF(c.x() - p / 2 - 0.5, c.y() - p / 2 - 0.5, c.width() + p + 1, c.height() + p + TITLE_HEIGHT + 1);
}

QPainterPath CFixtureGroup::shape() const
{
    const QRectF c = childrenBoundingRect();
    QPainterPath path;
    path.addRect(QRectF(c.x(), c.y(), c.width(), c.height() + TITLE_HEIGHT));
    return path;
}

int CFixtureGroup::type() const
{
    return GROUP_TYPE;
}

CAnchor *CFixtureGroup::GetAnchor() const
{
    return m_pAnchor;
}

void CFixtureGroup::SetAnchorVisible(bool bVisible)
{
    if (m_pAnchor)
        m_pAnchor->setVisible(bVisible);
}

void CFixtureGroup::GetInfo(GroupInfo_t *pInfo) const
{
    if (!pInfo)
        return;
    pInfo->number = m_uNumber;
    pInfo->name = m_qsName;
}

int CFixtureGroup::SetInfo(const GroupInfo_t &tInfo)
{
    if (tInfo.name.size() > MAX_NAME_LENGTH) {
        ErrorMsg(tr("Group Name is too long!"), 0);
        return -4;
    }
    // A group without a name could not be saved and loaded again. The name edit sets the name
    // at every keystroke, so an emptied edit is refused quietly: the group keeps its last name
    // until the user types a new one.
    if (tInfo.name.isEmpty())
        return -4;
    m_uNumber = tInfo.number;
    m_qsName = tInfo.name;
    m_TitleLabel.SetText(QStringLiteral("G%1").arg(m_uNumber));
    for (CFixture *pFixture : Members())
        pFixture->SetGroupNumber(m_uNumber);
    update();
    return 0;
}

int CFixtureGroup::SetAnchorPos(double x, double y)
{
    return m_pAnchor ? m_pAnchor->SetPos(x, y) : -4;
}

int CFixtureGroup::GetRotationInfo(RotationInfo_t *pInfo) const
{
    return CAnchor::GetPlacement(this, m_pAnchor, pInfo);
}

void CFixtureGroup::TakeIn(CFixture *pFixture, const QPointF &scenePoint)
{
    // The caller has announced the frame's change once for all the fixtures it adds.
    pFixture->setParentItem(this);
    pFixture->SetGroupNumber(m_uNumber);
    // The fixture stays where it is on the screen, now placed relative to the group. This is
    // a plain change of coordinates: no position rule may move it, and nothing is refused.
    pFixture->PlaceAtScenePos(scenePoint);
}

int CFixtureGroup::AddFixture(CFixture *pFixture)
{
    if (!pFixture)
        return 0;
    const QPointF s = pFixture->scenePos();
    m_Fixtures.append(pFixture);
    prepareGeometryChange();
    TakeIn(pFixture, s);
    return 0;
}

int CFixtureGroup::AddFixtures(const QList<CFixture *> &fixtures)
{
    QList<QPointF> places;
    for (CFixture *pFixture : fixtures) {
        places.append(pFixture ? pFixture->scenePos() : QPointF());
        if (pFixture)
            m_Fixtures.append(pFixture);
    }
    // One announcement covers the whole batch: nothing is drawn until it is in.
    prepareGeometryChange();
    for (int i = 0; i < fixtures.size(); ++i)
        if (fixtures.at(i))
            TakeIn(fixtures.at(i), places.at(i));
    return 0;
}

int CFixtureGroup::RemoveFixture(CFixture *pFixture)
{
    for (int i = 0; i < m_Fixtures.size(); ++i) {
        if (m_Fixtures.at(i) == pFixture) {
            m_Fixtures.removeAt(i);
            break;
        }
    }
    if (pFixture)
        pFixture->SetGroupNumber(0);
    return 0;
}

int CFixtureGroup::GetFixtures(QList<CFixture *> &fixtures) const
{
    fixtures = Members();
    return 0;
}

QRectF CFixtureGroup::ComputeRect(int iAngle) const
{
    const QList<CFixture *> members = Members();
    if (members.isEmpty())
        return QRectF(0, 0, 0, 0);
    QPointF G;
    if (m_pAnchor)
        m_pAnchor->GetScenePos(&G);
    QTransform turn;
    turn.rotate(iAngle - TruncAngle(rotation()));
    const QTransform t = QTransform::fromTranslate(-G.x(), -G.y()) * turn * QTransform::fromTranslate(G.x(), G.y());
    QPolygonF all;
    for (CFixture *pFixture : members)
        all += t.map(pFixture->GetScenePolygon());
    return CFixture::ConvertPolyToRect(all);
}

int CFixtureGroup::SetPosition(double x, double y)
{
    const QPointF s = scenePos();
    const QRectF r = ComputeRect(TruncAngle(rotation())).translated(x - s.x(), y - s.y());
    if (r.left() < 0 || r.right() > 1919 || r.top() < 0 || r.bottom() > 1079)
        return -51;
    setPos(x, y);
    return 0;
}

int CFixtureGroup::SetRotation(int iDegrees)
{
    // The members' box as it will be once turned about the anchor. Both the rounded box and
    // the exact one must fit: a turn is either done whole or refused before anything moves.
    const QRectF exact = ComputeRect(iDegrees);
    const QRectF rounded(RoundAway(exact.x()), RoundAway(exact.y()), RoundAway(exact.width()),
                         RoundAway(exact.height()));
    const QRectF limit = m_pScene ? PixelLimit() : QRectF();
    if (!limit.contains(rounded) || !m_pScene || !FitsOnScreen(exact)) {
        ErrorMsg(tr("Group G%1 rotated by %2 degrees does not fit in the scene!").arg(m_uNumber).arg(iDegrees), 0);
        return -1;
    }

    const GraphicsItemFlags oldFlags = flags();
    setFlags(QUIET_FLAGS);
    QPointF G;
    if (m_pAnchor)
        m_pAnchor->GetScenePos(&G);
    const QPointF origin = TurnAbout(G, scenePos(), iDegrees - rotation());
    UpdateChildAnchors(iDegrees);
    prepareGeometryChange();
    setRotation(iDegrees);
    setPos(origin);
    setFlags(oldFlags);
    return 0;
}

void CFixtureGroup::EnterCablingMode()
{
    if (m_pAnchor)
        m_pAnchor->hide();
    m_bCablingMode = true;
    setFlags({});
}

void CFixtureGroup::LeaveCablingMode()
{
    m_bCablingMode = false;
    setFlags(MOVABLE_FLAGS);
}

void CFixtureGroup::UpdateAnchors(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (CFixture *pFixture : Members()) {
        RotationInfo_t info;
        pFixture->GetRotationInfo(&info);
        pFixture->SetAnchorPos(info.anchorX + dx, info.anchorY + dy);
    }
    if (m_pAnchor) {
        QPointF a;
        m_pAnchor->GetScenePos(&a);
        m_pAnchor->SetPos(a.x() + dx, a.y() + dy);
    }
}

void CFixtureGroup::UpdateChildAnchors(int iDegrees)
{
    QPointF G;
    if (m_pAnchor)
        m_pAnchor->GetScenePos(&G);
    for (CFixture *pFixture : Members()) {
        QPointF a;
        if (CAnchor *pAnchor = pFixture->GetAnchor())
            pAnchor->GetScenePos(&a);
        const QPointF turned = TurnAbout(G, a, iDegrees - rotation());
        pFixture->SetAnchorPos(turned.x(), turned.y());
    }
}

void CFixtureGroup::MembersChanged()
{
    prepareGeometryChange();
}

void CFixtureGroup::s_OnUnGroupActionTriggered(bool bChecked)
{
    Q_UNUSED(bChecked);
    if (Service())
        Service()({this});
}

QVariant CFixtureGroup::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && scene()) {
        QPointF p = value.toPointF();
        const QPointF current = pos();
        const QRectF r = ComputeRect(TruncAngle(rotation())).translated(p - current);
        p += ShiftInside(PixelLimit(), r);
        p = QPointF(RoundAway(p.x()), RoundAway(p.y()));
        UpdateAnchors(p.x() - current.x(), p.y() - current.y());
        return p;
    }
    if (change == ItemSelectedChange) {
        // The frame pen widens while selected: announce the larger rectangle first.
        prepareGeometryChange();
        m_iPenWidth = value.toBool() ? 6 : 3;
    } else if (change == ItemSelectedHasChanged) {
        const bool bSelected = value.toBool();
        setZValue(bSelected ? GROUP_SELECTED_Z : GROUP_Z);
        emit sigSelChange(this, bSelected);
    } else if (change == ItemScenePositionHasChanged) {
        emit sigPosChange(value.toPointF().toPoint());
    }
    return QGraphicsItem::itemChange(change, value);
}

void CFixtureGroup::mousePressEvent(QGraphicsSceneMouseEvent *pEvent)
{
    QGraphicsItem::mousePressEvent(pEvent);
    update();
}

void CFixtureGroup::mouseMoveEvent(QGraphicsSceneMouseEvent *pEvent)
{
    if (pEvent->modifiers() & Qt::ShiftModifier) {
        update();
        return;
    }
    QGraphicsItem::mouseMoveEvent(pEvent);
}

void CFixtureGroup::mouseReleaseEvent(QGraphicsSceneMouseEvent *pEvent)
{
    QGraphicsItem::mouseReleaseEvent(pEvent);
    update();
}

void CFixtureGroup::DrawFrame(QPainter *pPainter, const QRect &frame, const QPen &pen)
{
    const QTransform device = pPainter->deviceTransform();
    const QTransform world = pPainter->worldTransform();
    // Turned or drawn smooth, the outline is dashed afresh: the spans hold for one pixel grid,
    // at one zoom.
    if (device.type() > QTransform::TxScale || world.type() > QTransform::TxScale || device.m11() != world.m11() ||
        device.m22() != world.m22() || pPainter->renderHints().testFlag(QPainter::Antialiasing)) {
        pPainter->setPen(pen);
        pPainter->drawRect(frame);
        return;
    }
    const QPointF whole(std::floor(device.dx()), std::floor(device.dy()));
    const QPointF fraction = QPointF(device.dx(), device.dy()) - whole;
    const QSizeF scale(device.m11(), device.m22());
    FrameSpans &spans = m_FrameSpans;
    if (spans.frame != frame || spans.iPenWidth != m_iPenWidth || spans.fraction != fraction || spans.scale != scale) {
        // The outline as the device sees it, less the whole pixels of the painter's offset.
        const QTransform onDevice(scale.width(), 0, 0, scale.height(), fraction.x(), fraction.y());
        const qreal dMargin = m_iPenWidth * qMax(scale.width(), scale.height()) + 2;
        const QRect area =
            onDevice.mapRect(QRectF(frame)).adjusted(-dMargin, -dMargin, dMargin, dMargin).toAlignedRect();
        QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter maskPainter(&mask);
        maskPainter.setTransform(onDevice * QTransform::fromTranslate(-area.x(), -area.y()));
        QPen opaque(pen);
        opaque.setColor(Qt::black);
        maskPainter.setPen(opaque);
        maskPainter.setBrush(Qt::NoBrush);
        maskPainter.drawRect(frame);
        maskPainter.end();
        const QRegion region(QBitmap::fromImage(mask.createAlphaMask()));
        spans =
            FrameSpans{frame, m_iPenWidth, fraction, scale, area.topLeft(), QList<QRect>(region.begin(), region.end())};
    }
    // The spans are in device pixels from the area's corner; the painter's own offset to the
    // device puts them back where the outline falls.
    const QPointF shift =
        QPointF(spans.origin) + whole - QPointF(device.dx(), device.dy()) + QPointF(world.dx(), world.dy());
    pPainter->save();
    pPainter->setPen(Qt::NoPen);
    if (pPainter->brush().color().alpha() != 0)
        pPainter->drawRect(frame);
    pPainter->setWorldTransform(QTransform::fromTranslate(shift.x(), shift.y()));
    pPainter->setBrush(pen.brush());
    pPainter->drawRects(spans.rects.constData(), int(spans.rects.size()));
    pPainter->restore();
}

void CFixtureGroup::paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget)
{
    Q_UNUSED(pWidget);
    const QRectF c = childrenBoundingRect();
    pPainter->setOpacity(0.5);

    QColor brushColor = isSelected() ? m_FrameColor : QColor(Qt::transparent);
    if (pOption->state & QStyle::State_MouseOver)
        brushColor = brushColor.lighter(125);
    if (pOption->state & QStyle::State_Sunken)
        brushColor = brushColor.darker(120);
    const QBrush oldBrush = pPainter->brush();
    pPainter->setBrush(QBrush(brushColor, Qt::SolidPattern));
    DrawFrame(pPainter, QRect(int(c.x() - 0.5), int(c.y() - 0.5), int(c.width() + 1), int(c.height() + 1)),
              QPen(QBrush(m_TitleColor), m_iPenWidth, Qt::DashDotLine, Qt::RoundCap, Qt::RoundJoin));

    static const QFont titleFont = [] {
        QFont f(QStringLiteral("Courier New"), 10);
        f.setWeight(QFont::Bold);
        return f;
    }();
    const QSizeF ts = m_TitleLabel.Size(titleFont);
    const qreal B = qMin(qMin(ts.width() + 4, c.width()), 32.0);
    pPainter->fillRect(QRectF(c.x(), c.y() + c.height(), B, TITLE_HEIGHT), m_TitleColor);

    const qreal sx = ts.width() + 4 > B ? B / (ts.width() + 4) : 1;
    const qreal sy = ts.height() > c.height() ? c.height() / ts.height() : 1;
    const qreal s = qMin(sx, sy);
    if (s > 0) {
        pPainter->setPen(Qt::black);
        pPainter->setFont(titleFont);
        pPainter->save();
        pPainter->scale(s, s);
        m_TitleLabel.Draw(pPainter, QRectF(c.x() / s, (c.y() + c.height()) / s, B / s, TITLE_HEIGHT / s),
                          Qt::AlignCenter);
        pPainter->restore();
    }
    pPainter->setBrush(oldBrush);
}
