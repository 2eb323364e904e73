#pragma once
// One LED fixture placed on the layout scene: it shows the fixture's image area, carries the
// fixture's whole configuration (type, placement, intensity, SASU thresholds, versions,
// cabling position) and keeps itself inside the 1920 x 1080 screen. It owns its rotation
// anchor and its cabling arrow, two top-level items beside it in the scene. Its creator adds
// it to the scene; a group that takes it becomes its parent item and owner.

#include "comm/vpurecords.h"
#include "config/softconf.h"
#include "project/projectrecords.h"
#include "project/scenerecords.h"
#include "scene/textlabel.h"

#include <QGraphicsItem>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QPolygonF>

#include <memory>

class CAnchor;
class CArrow;
class CVpuCom;
class QGraphicsScene;

class CFixture : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    enum Kind {
        KIND_LPU = 1,
        KIND_SASU = 2,
    };

    explicit CFixture(QGraphicsScene *pScene);
    ~CFixture() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget) override;
    int type() const override;

    CAnchor *GetAnchor() const;
    void SetAnchorVisible(bool bVisible);
    int SetAnchorPos(double x, double y);
    int GetRotationInfo(RotationInfo_t *pInfo) const;

    void SetType(const FixtureType_t &tType);
    void GetType(FixtureType_t *pType) const;
    int SetConfig(ProjectFixture_t tConfig);
    void SetBoardType(quint32 uBoardType);
    void GetBoardType(quint32 *puBoardType) const;
    void SetVersions(FixtureVersions_t tVersions);
    void GetVersions(FixtureVersions_t *pVersions) const;
    // As last read from the device's configuration record; 0xFFFFFFFF until then.
    void SetSerialNumber(quint32 uSerialNumber);
    void GetSerialNumber(quint32 *puSerialNumber) const;
    void SetGroupNumber(quint16 uNumber);
    void GetGroupInfo(quint16 *puNumber, RotationInfo_t *pInfo) const;

    int SetNumber(quint32 uOutput, quint32 uNumber);
    void GetNumber(quint32 *puOutput, quint32 *puNumber) const;
    void GetAddress(FixtureAddr_t *pAddr) const;
    QString GetName() const;

    void SetSasuConfig(SasuConfig_t tConfig);
    void GetSasuConfig(SasuConfig_t *pConfig) const;
    SasuConfig_t GetSasuConfig() const;
    void ResetSasuConfig();
    void SetIntensity(FixtureIntensity_t tIntensity);
    // The word carries bytes 0-3 of the 40-bit value, the byte byte 4.
    void SetIntensity(quint32 uWord, quint8 uByte4);
    void GetIntensity(FixtureIntensity_t *pIntensity) const;
    void ResetIntensity();

    void EnterCablingMode();
    void LeaveCablingMode();
    void SetHighlighted(bool bHighlighted);
    void SetNextFixture(CFixture *pNext);
    CFixture *GetNextFixture() const { return m_pNextFixture; }
    void SetArrowVisible(bool bVisible);

    QPolygonF GetScenePolygon() const;
    QPolygonF ComputePolygon(double x, double y, int iAngle, QPointF *pPosition) const;
    static QRectF ConvertPolyToRect(const QPolygonF &polygon);
    int SetPosition(double x, double y);
    int SetRotation(int iDegrees);

    // Places the fixture at a scene point without the position rules (used when a group
    // takes it, so that it stays where it is on the screen). The group announces the change
    // of its frame itself.
    void PlaceAtScenePos(const QPointF &scenePoint);

    static const QImage &SpeakerImage();

    // Device operations: each traces what it sends, queues one request for the fixture at
    // this item's address and returns at once (0 once queued; -4 while no link is set); the
    // outcome arrives later as the request's completion signal. The link is the main
    // window's, handed over when the main window is built.
    static void SetVpuCom(CVpuCom *pVpuCom);
    int ApplyIntensity();
    int ConfigureOrigin();
    int ConfigureRotation();
    // Writes the whole configuration into the fixture's permanent memory; an LPU's SASU
    // thresholds are put back to their defaults first (and stay so in the item).
    int WriteConfig();

signals:
    void sigSelChange(QGraphicsItem *pItem, bool bSelected);
    void sigPosChange(QPoint pos);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *pEvent) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *pEvent) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *pEvent) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // The gains scaled by the global luminosity (10 bits each) and their register.
    struct ScaledIntensity_t
    {
        int iLuminosity;
        int iRed, iGreen, iBlue;
        quint32 uRegister;
    };
    ScaledIntensity_t ScaleIntensity() const;

    QPolygonF Outline() const;
    int TotalAngle() const;
    void RepaintAroundScreen();
    void NotifyGroup();
    void LabelChanged();

    QGraphicsScene *m_pScene;
    int m_iKind = KIND_LPU;
    FixtureType_t m_Type;
    qint32 m_iBoardType = -1;
    FixtureIntensity_t m_Intensity;
    SasuConfig_t m_SasuConfig;
    quint32 m_uSerialNumber = 0xFFFFFFFF;
    FixtureVersions_t m_Versions;
    quint16 m_uGroupNumber = 0;
    // Anchor and arrow are owned, but as top-level scene items a scene being torn down may
    // delete them first: guarded pointers keep that from a double delete.
    QPointer<CAnchor> m_pAnchor;
    QPointer<CArrow> m_pArrow;
    quint32 m_uOutput = 0;
    quint32 m_uNumber = 0;
    bool m_bCablingMode = false;
    bool m_bHighlighted = false;
    QPointer<CFixture> m_pNextFixture;
    // The two texts drawn on the fixture, laid out once and kept until they change.
    CTextLabel m_NameLabel;
    bool m_bNameChanged = true;
    std::shared_ptr<CTextLabel> m_pTypeLabel; // shared by the fixtures of one type
};
