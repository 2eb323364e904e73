#include "scene/fixture.h"

#include "scene/anchor.h"
#include "scene/arrow.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"
#include "trace/trace.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QHash>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

using namespace SceneItems;

namespace {

// Fixtures of one type show the same type name: they share its label, laid out once. A
// label lives as long as a fixture uses it.
std::shared_ptr<CTextLabel> SharedTypeLabel(const QString &qsText)
{
    static QHash<QString, std::weak_ptr<CTextLabel>> labels;
    std::shared_ptr<CTextLabel> pLabel = labels.value(qsText).lock();
    if (!pLabel) {
        pLabel = std::make_shared<CTextLabel>();
        pLabel->SetText(qsText);
        labels.insert(qsText, pLabel);
    }
    return pLabel;
}

// The screen with a margin of 150 on every side: what a grouped fixture's move may touch.
QRectF AroundScreen(const QRectF &limit)
{
    return limit.adjusted(-150, -150, 150, 150);
}

} // namespace

CFixture::CFixture(QGraphicsScene *pScene) : m_pScene(pScene)
{
    m_Type = FixtureType_t();
    m_Type.width = -1;
    m_Type.height = -1;
    m_Intensity = DefaultIntensity();
    m_SasuConfig = DefaultSasuConfig();
    m_Versions = DefaultVersions();

    // Hidden before they join the scene: a hidden item enters it without being scheduled
    // for a repaint, and the scene holds them hidden either way.
    m_pAnchor = new CAnchor(this, Qt::green);
    m_pArrow = new CArrow();
    m_pAnchor->hide();
    m_pArrow->hide();
    if (m_pScene) {
        m_pScene->addItem(m_pAnchor);
        m_pScene->addItem(m_pArrow);
    }
    m_pTypeLabel = SharedTypeLabel(QString());

    setRotation(0);
    setFlags(MOVABLE_FLAGS);
    setAcceptHoverEvents(true);
    setHandlesChildEvents(false);
    setFiltersChildEvents(false);
    setZValue(FIXTURE_Z);
    setCacheMode(DeviceCoordinateCache);
}

CFixture::~CFixture()
{
    delete m_pAnchor.data();
    delete m_pArrow.data();
}

QRectF CFixture::boundingRect() const
{
    return QRectF(-0.5, -0.5, m_Type.width, m_Type.height);
}

QPainterPath CFixture::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

int CFixture::type() const
{
    return FIXTURE_TYPE;
}

CAnchor *CFixture::GetAnchor() const
{
    return m_pAnchor;
}

void CFixture::SetAnchorVisible(bool bVisible)
{
    if (m_pAnchor)
        m_pAnchor->setVisible(bVisible);
}

int CFixture::SetAnchorPos(double x, double y)
{
    return m_pAnchor ? m_pAnchor->SetPos(x, y) : -4;
}

int CFixture::GetRotationInfo(RotationInfo_t *pInfo) const
{
    return CAnchor::GetPlacement(this, m_pAnchor, pInfo);
}

void CFixture::SetType(const FixtureType_t &tType)
{
    prepareGeometryChange();
    m_Type = tType;
    m_iKind = IsSasuType(tType.type) ? KIND_SASU : KIND_LPU;
    m_pTypeLabel = SharedTypeLabel(QStringLiteral("%1").arg(m_Type.name));
    LabelChanged();
}

void CFixture::LabelChanged()
{
    // The text itself is made when it is next drawn: a fixture being set up changes it
    // several times before it is first shown.
    m_bNameChanged = true;
    // The item may be drawn from a cached picture: the new label must replace it.
    update();
}

void CFixture::GetType(FixtureType_t *pType) const
{
    if (pType)
        *pType = m_Type;
}

int CFixture::SetConfig(ProjectFixture_t tConfig)
{
    m_uOutput = tConfig.output;
    m_uNumber = tConfig.number;
    if (m_pArrow)
        m_pArrow->SetOutput(tConfig.output);
    LabelChanged();

    FixtureType_t type;
    const int iStatus = g_SoftConf.GetFixtureType(tConfig.type, &type);
    if (iStatus != 0)
        return iStatus;
    SetType(type);
    m_iBoardType = tConfig.boardType;
    SetAnchorPos(tConfig.placement.anchorX, tConfig.placement.anchorY);
    setPos(tConfig.placement.x, tConfig.placement.y);
    setRotation(tConfig.placement.angle);
    CopyIntensity(&m_Intensity, tConfig.intensity);
    m_SasuConfig = tConfig.sasuConfig;
    return 0;
}

void CFixture::SetBoardType(quint32 uBoardType)
{
    m_iBoardType = qint32(uBoardType);
}

void CFixture::GetBoardType(quint32 *puBoardType) const
{
    if (puBoardType)
        *puBoardType = quint32(m_iBoardType);
}

void CFixture::SetVersions(FixtureVersions_t tVersions)
{
    m_Versions = tVersions;
}

void CFixture::GetVersions(FixtureVersions_t *pVersions) const
{
    if (pVersions)
        *pVersions = m_Versions;
}

void CFixture::SetGroupNumber(quint16 uNumber)
{
    m_uGroupNumber = uNumber;
}

void CFixture::GetGroupInfo(quint16 *puNumber, RotationInfo_t *pInfo) const
{
    if (puNumber)
        *puNumber = m_uGroupNumber;
    if (!pInfo)
        return;
    QGraphicsItem *pParent = parentItem();
    if (m_uGroupNumber != 0 && pParent && pParent->type() == GROUP_TYPE)
        static_cast<CFixtureGroup *>(pParent)->GetRotationInfo(pInfo);
    else
        *pInfo = MakeRotationInfo();
}

int CFixture::SetNumber(quint32 uOutput, quint32 uNumber)
{
    m_uOutput = uOutput;
    m_uNumber = uNumber;
    LabelChanged(); // the label, and in the cabling view the colour
    return m_pArrow ? m_pArrow->SetOutput(uOutput) : 0;
}

void CFixture::GetNumber(quint32 *puOutput, quint32 *puNumber) const
{
    if (puOutput)
        *puOutput = m_uOutput;
    if (puNumber)
        *puNumber = m_uNumber;
}

void CFixture::GetAddress(FixtureAddr_t *pAddr) const
{
    if (!pAddr)
        return;
    pAddr->output = quint8(m_uOutput);
    pAddr->number = m_uNumber;
}

QString CFixture::GetName() const
{
    switch (m_iKind) {
    case KIND_LPU:
        return tr("L%1.%2").arg(m_uOutput).arg(m_uNumber);
    case KIND_SASU:
        return tr("S%1.%2").arg(m_uOutput).arg(m_uNumber);
    default:
        return tr("F%1.%2").arg(m_uOutput).arg(m_uNumber);
    }
}

void CFixture::SetSasuConfig(SasuConfig_t tConfig)
{
    m_SasuConfig = tConfig;
}

void CFixture::GetSasuConfig(SasuConfig_t *pConfig) const
{
    if (pConfig)
        *pConfig = m_SasuConfig;
}

SasuConfig_t CFixture::GetSasuConfig() const
{
    return m_SasuConfig;
}

void CFixture::ResetSasuConfig()
{
    m_SasuConfig = DefaultSasuConfig();
}

void CFixture::SetSerialNumber(quint32 uSerial)
{
    m_uSerialNumber = uSerial;
}

void CFixture::GetSerialNumber(quint32 *puSerial) const
{
    if (puSerial)
        *puSerial = m_uSerialNumber;
}

void CFixture::SetIntensity(FixtureIntensity_t tIntensity)
{
    CopyIntensity(&m_Intensity, tIntensity);
}

void CFixture::SetIntensity(quint32 uWord, quint8 uByte4)
{
    CopyIntensity(&m_Intensity, IntensityFromWord(uWord, uByte4));
}

void CFixture::GetIntensity(FixtureIntensity_t *pIntensity) const
{
    CopyIntensity(pIntensity, m_Intensity);
}

void CFixture::ResetIntensity()
{
    CopyIntensity(&m_Intensity, DefaultIntensity());
}

void CFixture::EnterCablingMode()
{
    if (m_pAnchor)
        m_pAnchor->hide();
    m_bCablingMode = true;
    m_bHighlighted = false;
    setFlags({});
    if (m_pNextFixture && m_pArrow) {
        m_pArrow->UpdateGeometry();
        m_pArrow->show();
    }
    update();
}

void CFixture::LeaveCablingMode()
{
    m_bCablingMode = false;
    setFlags(MOVABLE_FLAGS);
    if (m_pArrow)
        m_pArrow->hide();
    update();
}

void CFixture::SetHighlighted(bool bHighlighted)
{
    m_bHighlighted = bHighlighted;
    update();
}

void CFixture::SetNextFixture(CFixture *pNext)
{
    m_pNextFixture = pNext;
    if (m_pArrow)
        m_pArrow->SetLink(this, pNext);
}

void CFixture::SetArrowVisible(bool bVisible)
{
    if (m_pArrow)
        m_pArrow->setVisible(bVisible && m_pNextFixture && m_bCablingMode);
}

QPolygonF CFixture::Outline() const
{
    const qreal w = m_Type.width - 1;
    const qreal h = m_Type.height - 1;
    return QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h), QPointF(0, 0)});
}

int CFixture::TotalAngle() const
{
    int a = TruncAngle(rotation());
    if (parentItem())
        a += TruncAngle(parentItem()->rotation());
    return a;
}

QPolygonF CFixture::GetScenePolygon() const
{
    const QPointF s = scenePos();
    QTransform t;
    t.rotate(TotalAngle());
    return (t * QTransform::fromTranslate(s.x(), s.y())).map(Outline());
}

QPolygonF CFixture::ComputePolygon(double x, double y, int iAngle, QPointF *pPosition) const
{
    const int a = TruncAngle(rotation());
    QPointF A;
    if (m_pAnchor)
        m_pAnchor->GetScenePos(&A);
    const QPointF S = scenePos();
    const QPointF N(x + A.x() - S.x(), y + A.y() - S.y());

    QTransform turnTotal;
    turnTotal.rotate(TotalAngle());
    QTransform turnBy;
    turnBy.rotate(iAngle - a);
    const QTransform t = turnTotal * QTransform::fromTranslate(S.x() - A.x(), S.y() - A.y()) * turnBy *
                         QTransform::fromTranslate(N.x(), N.y());
    const QPolygonF polygon = t.map(Outline());
    if (pPosition) {
        const QPointF origin = polygon.first();
        *pPosition = parentItem() ? parentItem()->mapFromScene(origin) : origin;
    }
    return polygon;
}

QRectF CFixture::ConvertPolyToRect(const QPolygonF &polygon)
{
    if (polygon.size() < 4) {
        TraceError("ConvertPolyToRect - Nb Points=%d", int(polygon.size()));
        return QRectF(0, 0, 0, 0);
    }
    qreal minX = polygon.first().x(), maxX = minX;
    qreal minY = polygon.first().y(), maxY = minY;
    for (const QPointF &p : polygon) {
        minX = qMin(minX, p.x());
        maxX = qMax(maxX, p.x());
        minY = qMin(minY, p.y());
        maxY = qMax(maxY, p.y());
    }
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

void CFixture::NotifyGroup()
{
    // The group's frame is drawn around its members: it changes with them.
    if (parentItem() && parentItem()->type() == GROUP_TYPE)
        static_cast<CFixtureGroup *>(parentItem())->MembersChanged();
}

void CFixture::RepaintAroundScreen()
{
    if (m_pScene && parentItem())
        m_pScene->update(AroundScreen(PixelLimit()));
}

int CFixture::SetPosition(double x, double y)
{
    QPointF position;
    const QRectF r = ConvertPolyToRect(ComputePolygon(x, y, TruncAngle(rotation()), &position));
    if (!PixelLimit().contains(r)) {
        ErrorMsg(
            tr("Fixture %1 does not fit in the scene with top-left item: x=%2, y=%3!").arg(GetName()).arg(x).arg(y), 0);
        return -51;
    }
    setPos(position);
    RepaintAroundScreen();
    return 0;
}

int CFixture::SetRotation(int iDegrees)
{
    QPointF position;
    const QPointF s = scenePos();
    const QRectF r = ConvertPolyToRect(ComputePolygon(s.x(), s.y(), iDegrees, &position));
    const QRectF limit = m_pScene ? m_pScene->sceneRect() : QRectF();
    if (!limit.contains(r)) {
        ErrorMsg(tr("Fixture %1 rotated by %2 degrees does not fit in the scene!").arg(GetName()).arg(iDegrees), 0);
        return -51;
    }
    // The fixture turns about its anchor: the move that goes with the turn must not run the
    // position rules (which would carry the anchor along) nor announce a move.
    const GraphicsItemFlags oldFlags = flags();
    setFlags(QUIET_FLAGS);
    NotifyGroup();
    setRotation(iDegrees);
    setPos(position);
    if (m_pScene && parentItem())
        m_pScene->update(AroundScreen(m_pScene->sceneRect()));
    setFlags(oldFlags);
    return 0;
}

void CFixture::PlaceAtScenePos(const QPointF &scenePoint)
{
    const GraphicsItemFlags oldFlags = flags();
    setFlags(QUIET_FLAGS);
    setPos(parentItem() ? parentItem()->mapFromScene(scenePoint) : scenePoint);
    setFlags(oldFlags);
}

QVariant CFixture::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && scene()) {
        QGraphicsItem *pParent = parentItem();
        QPointF p = value.toPointF();
        if (pParent)
            p = pParent->mapToScene(p);
        const qreal t = rotation() + (pParent ? pParent->rotation() : 0);

        const QRectF r = ConvertPolyToRect(ComputePolygon(p.x(), p.y(), TruncAngle(rotation()), nullptr));
        p += ShiftInside(PixelLimit(), r);
        // Square angles keep whole pixels; a fixture turned at another angle inside a group
        // may sit between pixels.
        if (TruncAngle(t) % 90 == 0 || !pParent)
            p = QPointF(RoundAway(p.x()), RoundAway(p.y()));

        const QPointF d = p - scenePos();
        const QPointF result = pParent ? pParent->mapFromScene(p) : p;
        RepaintAroundScreen();
        NotifyGroup();
        if ((d.x() != 0 || d.y() != 0) && m_pAnchor) {
            QPointF a;
            m_pAnchor->GetScenePos(&a);
            m_pAnchor->SetPos(a.x() + d.x(), a.y() + d.y());
        }
        return result;
    }
    if (change == ItemSelectedHasChanged) {
        const bool bSelected = value.toBool();
        setZValue(bSelected ? FIXTURE_SELECTED_Z : FIXTURE_Z);
        emit sigSelChange(this, bSelected);
    } else if (change == ItemScenePositionHasChanged) {
        emit sigPosChange(value.toPointF().toPoint());
    } else if (change == ItemRotationChange) {
        NotifyGroup();
    }
    return QGraphicsItem::itemChange(change, value);
}

void CFixture::mousePressEvent(QGraphicsSceneMouseEvent *pEvent)
{
    QGraphicsItem::mousePressEvent(pEvent);
    update();
}

void CFixture::mouseMoveEvent(QGraphicsSceneMouseEvent *pEvent)
{
    if (pEvent->modifiers() & Qt::ShiftModifier) {
        update();
        return;
    }
    QGraphicsItem::mouseMoveEvent(pEvent);
}

void CFixture::mouseReleaseEvent(QGraphicsSceneMouseEvent *pEvent)
{
    QGraphicsItem::mouseReleaseEvent(pEvent);
    update();
}

const QImage &CFixture::SpeakerImage()
{
    static const QImage image(QStringLiteral(":/res/Speaker.png"));
    return image;
}

namespace {

// Fonts are built once: a fixture repaints often and thousands of them share these.
struct FixtureFonts
{
    QFont name;
    QFont type;
    FixtureFonts() : name(QStringLiteral("Times"), 12), type(QStringLiteral("Courier New"), 8)
    {
        name.setStyleStrategy(QFont::ForceOutline);
    }
};

const FixtureFonts &Fonts()
{
    static const FixtureFonts fonts;
    return fonts;
}

} // namespace

void CFixture::paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget)
{
    Q_UNUSED(pWidget);
    const qreal W = m_Type.width;
    const qreal H = m_Type.height;
    pPainter->setOpacity(0.5);

    QColor color;
    if (!m_bCablingMode) {
        if (isSelected())
            color = Qt::red;
        else
            color = m_iKind == KIND_SASU ? QColor(0, 176, 80) : QColor(0, 128, 255);
    } else {
        color = m_bHighlighted ? QColor(Qt::red) : CArrow::OutputColor(m_uOutput);
    }
    if (pOption->state & QStyle::State_MouseOver)
        color = color.lighter(125);
    if (pOption->state & QStyle::State_Sunken)
        color = color.darker(120);

    // A hairline frame, as thin at every zoom.
    QPen framePen(Qt::black);
    framePen.setWidth(0);
    framePen.setCosmetic(true);
    pPainter->setPen(framePen);
    pPainter->setBrush(QBrush(color, Qt::SolidPattern));
    pPainter->drawRect(QRectF(-0.5, -0.5, W, H));

    qreal t, m, b;
    if (m_iKind == KIND_SASU) {
        t = 0.3 * H;
        m = 0.5 * H;
        b = 0.2 * H;
    } else {
        t = qMin(0.1 * H, 12.0);
        m = 0.7 * H;
        b = 0.2 * H;
    }

    const QBrush oldBrush = pPainter->brush();
    pPainter->save();
    if (m_iKind == KIND_SASU) {
        const QImage &image = SpeakerImage();
        const qreal ih = image.height();
        const qreal iw = image.width();
        const qreal kh = ih > 0 ? 0.3 * H / ih : 1;
        const qreal kw = iw > 0 ? 0.3 * W / iw : 1;
        const qreal k = qMin(kh, kw);
        pPainter->scale(k, k);
        pPainter->drawImage(QPointF(2, 2), image);
    } else {
        const qreal k = qMin(t / 12, qMin(W, 12.0) / 12);
        pPainter->scale(k, k);
        pPainter->setBrush(QBrush(Qt::black, Qt::SolidPattern));
        pPainter->drawEllipse(QRect(2, 2, 8, 8));
    }
    pPainter->restore();
    pPainter->setBrush(oldBrush);

    const FixtureFonts &fonts = Fonts();
    {
        if (m_bNameChanged) {
            m_NameLabel.SetText(GetName());
            m_bNameChanged = false;
        }
        pPainter->setFont(fonts.name);
        const QSizeF n = m_NameLabel.Size(fonts.name);
        const qreal sx = n.width() + 4 > W ? W / (n.width() + 4) : 1;
        const qreal sy = n.height() > m ? m / n.height() : 1;
        const qreal s = qMin(sx, sy);
        pPainter->save();
        pPainter->scale(s, s);
        m_NameLabel.Draw(pPainter, QRectF(0, t / s, W / s, (H - t - b) / s), Qt::AlignCenter);
        pPainter->restore();
    }
    {
        pPainter->setFont(fonts.type);
        const QSizeF n = m_pTypeLabel->Size(fonts.type);
        const qreal sx = n.width() + 4 > W ? W / (n.width() + 4) : 1;
        const qreal sy = n.height() > b ? b / n.height() : 1;
        const qreal s = qMin(sx, sy);
        pPainter->save();
        pPainter->scale(s, s);
        m_pTypeLabel->Draw(pPainter, QRectF(0, std::trunc((t + m) / s), std::trunc(W / s), std::trunc((H - t - m) / s)),
                           Qt::AlignHCenter | Qt::AlignBottom);
        pPainter->restore();
    }

    if (m_bCablingMode && m_pArrow && m_pArrow->isVisible())
        m_pArrow->update();
}
