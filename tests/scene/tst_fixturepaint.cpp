// What a fixture shows after its label or its output changes: the item may be drawn from a
// cached picture, which must never outlive the texts and colour it was drawn with.

#include "scene/fixture.h"
#include "scenetest.h"

#include <QtTest>

namespace {

// The fixture's own area as the scene shows it.
QImage Shot(QGraphicsScene *pScene, const QRectF &area)
{
    QImage image(area.size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pScene->render(&painter, QRectF(QPointF(0, 0), area.size()), area);
    return image;
}

} // namespace

class TstFixturePaint : public QObject
{
    Q_OBJECT

    QGraphicsScene *m_pScene = nullptr;

    CFixture *NewFixture(QGraphicsScene *pScene, quint32 uCode, const QString &qsTypeName, quint32 uOutput,
                         quint32 uNumber)
    {
        auto *f = new CFixture(pScene);
        f->SetType(TestType(96, 48, uCode, qsTypeName));
        f->SetNumber(uOutput, uNumber);
        pScene->addItem(f);
        f->SetPosition(100, 100);
        return f;
    }

    // A fixture made afresh with the wanted label, in a scene of its own, as the reference.
    QImage Fresh(quint32 uCode, const QString &qsTypeName, quint32 uOutput, quint32 uNumber)
    {
        QGraphicsScene scene;
        SetupLayoutScene(&scene);
        NewFixture(&scene, uCode, qsTypeName, uOutput, uNumber);
        return Shot(&scene, Area());
    }

    static QRectF Area() { return QRectF(90.5, 90.5, 120, 70); }

private slots:
    void init()
    {
        m_pScene = new QGraphicsScene;
        SetupLayoutScene(m_pScene);
    }
    void cleanup()
    {
        delete m_pScene;
        m_pScene = nullptr;
    }

    void relabelledFixtureShowsNewLabel()
    {
        CFixture *f = NewFixture(m_pScene, 2, "LPU 96x48", 1, 7);
        const QImage first = Shot(m_pScene, Area());
        QCOMPARE(first, Fresh(2, "LPU 96x48", 1, 7));

        f->SetNumber(3, 12);
        const QImage renumbered = Shot(m_pScene, Area());
        QVERIFY(renumbered != first);
        QCOMPARE(renumbered, Fresh(2, "LPU 96x48", 3, 12));

        f->SetType(TestType(96, 48, 2, "Other type"));
        QCOMPARE(Shot(m_pScene, Area()), Fresh(2, "Other type", 3, 12));

        // A SASU type turns the label from L to S.
        f->SetType(TestType(96, 48, 0x10000002, "Other type"));
        QCOMPARE(f->GetName(), QString("S3.12"));
        QCOMPARE(Shot(m_pScene, Area()), Fresh(0x10000002, "Other type", 3, 12));

        // Back to the first label: the first picture again.
        f->SetType(TestType(96, 48, 2, "LPU 96x48"));
        f->SetNumber(1, 7);
        QCOMPARE(Shot(m_pScene, Area()), first);
    }

    void renumberedFixtureTakesOutputColourInCablingView()
    {
        CFixture *f = NewFixture(m_pScene, 2, QString(), 4, 1);
        f->EnterCablingMode();
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 140)), QColor(255, 128, 255)); // magenta at half opacity
        f->SetNumber(2, 1);
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 140)), QColor(128, 128, 255)); // blue
        f->SetNumber(0, 5);
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 140)), QColor(208, 208, 210)); // Qt::gray
    }
};

QTEST_MAIN(TstFixturePaint)
#include "tst_fixturepaint.moc"
