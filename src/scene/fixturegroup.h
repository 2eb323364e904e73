#pragma once
// A group of two or more fixtures that move and turn as one block about a common anchor.
// The member fixtures are its child items (their placement is relative to the group) and it
// owns them; it draws a frame around them with a title band showing its number, and keeps
// itself and the anchors of its members inside the 1920 x 1080 screen. Its own anchor is a
// separate top-level scene item that it owns.

#include "project/scenerecords.h"
#include "scene/textlabel.h"

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class CAnchor;
class CFixture;
class QGraphicsScene;

class CFixtureGroup : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    // The main window's dissolve command, installed when the main window is built.
    using UngroupService = std::function<void(const QList<CFixtureGroup *> &groups)>;
    static void SetUngroupService(UngroupService service);

    explicit CFixtureGroup(QGraphicsScene *pScene);
    ~CFixtureGroup() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget) override;
    int type() const override;

    CAnchor *GetAnchor() const;
    void SetAnchorVisible(bool bVisible);
    void GetInfo(GroupInfo_t *pInfo) const;
    int SetInfo(const GroupInfo_t &tInfo);
    int SetAnchorPos(double x, double y);
    int GetRotationInfo(RotationInfo_t *pInfo) const;

    int AddFixture(CFixture *pFixture);
    int AddFixtures(const QList<CFixture *> &fixtures);
    int RemoveFixture(CFixture *pFixture);
    int GetFixtures(QList<CFixture *> &fixtures) const;

    QRectF ComputeRect(int iAngle) const;
    int SetPosition(double x, double y);
    int SetRotation(int iDegrees);

    void EnterCablingMode();
    void LeaveCablingMode();
    void UpdateAnchors(double dx, double dy);
    void UpdateChildAnchors(int iDegrees);

    // A member is about to move or turn: the frame, drawn around the members, changes with it.
    void MembersChanged();

public slots:
    void s_OnUnGroupActionTriggered(bool bChecked = false);

signals:
    void sigSelChange(QGraphicsItem *pItem, bool bSelected);
    void sigPosChange(QPoint pos);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *pEvent) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *pEvent) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *pEvent) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void TakeIn(CFixture *pFixture, const QPointF &scenePoint);
    QList<CFixture *> Members() const;
    void DrawFrame(QPainter *pPainter, const QRect &frame, const QPen &pen);

    QGraphicsScene *m_pScene;
    // Members in the order they were added; guarded so that a member deleted on its own
    // drops out instead of dangling.
    QList<QPointer<CFixture>> m_Fixtures;
    quint16 m_uNumber = 0;
    QString m_qsName;
    QPointer<CAnchor> m_pAnchor;
    QColor m_FrameColor = Qt::darkMagenta;
    QColor m_TitleColor = Qt::magenta;
    int m_iPenWidth = 3;
    bool m_bCablingMode = false;
    CTextLabel m_TitleLabel; // "G<number>", laid out again only when the number changes
    // The dash-dot outline as the pixel spans the raster engine fills for it, kept for one
    // frame rectangle, pen width, zoom and sub-pixel offset: filling its spans again gives the
    // same pixels at a fraction of the cost of dashing and rasterising the outline on every paint.
    struct FrameSpans
    {
        QRect frame;
        int iPenWidth = -1;
        QPointF fraction;
        QSizeF scale;
        QPoint origin;
        QList<QRect> rects;
    } m_FrameSpans;
};
