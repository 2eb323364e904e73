// Anchor and arrow items: placement without rules, drags with rules, signals, and what the
// arrow draws where.

#include "scenetest.h"

#include "scene/anchor.h"
#include "scene/arrow.h"
#include "scene/fixture.h"

#include <QGraphicsScene>
#include <QSignalSpy>
#include <QtTest>

class TstAnchorArrow : public QObject
{
    Q_OBJECT

    QGraphicsScene *m_pScene = nullptr;

    CFixture *NewFixture(QPointF at, int w = 64, int h = 64)
    {
        auto *f = new CFixture(m_pScene);
        f->SetType(TestType(w, h));
        m_pScene->addItem(f);
        f->setPos(at);
        return f;
    }

    CArrow *ArrowAt(const QPointF &start)
    {
        for (QGraphicsItem *pItem : m_pScene->items())
            if (pItem->type() == QGraphicsItem::UserType + 4 && pItem->pos() == start)
                return static_cast<CArrow *>(pItem);
        return nullptr;
    }

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

    void anchorSetPos_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("result");
        QTest::newRow("last fractions") << QPointF(1919.9, 1079.9) << 0;
        QTest::newRow("x 1920") << QPointF(1920, 0) << -4;
        QTest::newRow("y 1080") << QPointF(0, 1080) << -4;
        QTest::newRow("x below 0") << QPointF(-0.1, 5) << -4;
    }
    void anchorSetPos()
    {
        QFETCH(QPointF, point);
        QFETCH(int, result);
        CAnchor anchor(nullptr, Qt::green);
        m_pScene->addItem(&anchor);
        anchor.SetPos(7, 8);
        QSignalSpy pos(&anchor, &CAnchor::sigPosChange);
        QCOMPARE(anchor.SetPos(point.x(), point.y()), result);
        QCOMPARE(anchor.scenePos(), result == 0 ? point : QPointF(7, 8));
        QCOMPARE(pos.count(), 0);
        m_pScene->removeItem(&anchor);
    }

    void anchorDrag_data()
    {
        QTest::addColumn<int>("ownerAngle");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("unturned owner") << 0 << QPointF(1919, 501);
        QTest::newRow("owner turned 30") << 30 << QPointF(1919, 500.6);
        QTest::newRow("owner turned 90") << 90 << QPointF(1919, 501);
    }
    void anchorDrag()
    {
        QFETCH(int, ownerAngle);
        CFixture *f = NewFixture(QPointF(900, 400), 128, 128);
        f->SetAnchorPos(964, 464);
        QCOMPARE(f->SetRotation(ownerAngle), 0);
        CAnchor *a = f->GetAnchor();
        a->show();
        a->setZValue(20000);
        QSignalSpy pos(a, &CAnchor::sigPosChange);
        const QPointF fixturePos = f->scenePos();
        Drag(m_pScene, QPointF(964, 464), QPointF(2000.3, 500.6));
        QTEST(a->scenePos(), "expected");
        QCOMPARE(pos.count(), 1);
        QCOMPARE(pos.last().at(0).toPoint(), QPoint(1919, 501));
        // The anchor is not the fixture: the fixture stays.
        QCOMPARE(f->scenePos(), fixturePos);
    }

    void anchorPaintsInsideItsBounds()
    {
        CAnchor anchor(nullptr, Qt::darkCyan);
        m_pScene->addItem(&anchor);
        anchor.SetPos(500, 500);
        anchor.setSelected(true);
        const QRectF painted = PaintedRect(m_pScene);
        QVERIFY(!painted.isNull());
        QVERIFY(anchor.sceneBoundingRect().adjusted(-0.5, -0.5, 0.5, 0.5).contains(painted));
        m_pScene->removeItem(&anchor);
    }

    void arrowHeadInsideBoundingRect_data()
    {
        QTest::addColumn<QPointF>("next");
        QTest::newRow("horizontal") << QPointF(700, 100);
        QTest::newRow("diagonal back") << QPointF(20, 10);
        QTest::newRow("same centre") << QPointF(100, 100);
    }
    void arrowHeadInsideBoundingRect()
    {
        QFETCH(QPointF, next);
        CFixture *a = NewFixture(QPointF(100, 100));
        CFixture *b = NewFixture(next);
        a->SetNumber(2, 1);
        a->SetNextFixture(b);
        a->EnterCablingMode();
        a->hide();
        b->hide();
        CArrow *arrow = ArrowAt(QPointF(131.5, 131.5));
        QVERIFY(arrow);
        QVERIFY(arrow->isVisible());
        const QRectF painted = PaintedRect(m_pScene);
        QVERIFY(!painted.isNull());
        QVERIFY2(arrow->sceneBoundingRect().adjusted(-0.5, -0.5, 0.5, 0.5).contains(painted),
                 qPrintable(QDebug::toString(painted) + QDebug::toString(arrow->sceneBoundingRect())));
        if (next == QPointF(700, 100)) {
            // The shaft, dark blue at half opacity.
            QCOMPARE(PixelAt(m_pScene, QPointF(400, 131.5)), QColor(128, 128, 213));
            // The head reaches 5 pixels above the line.
            QVERIFY(PixelAt(m_pScene, QPointF(727, 127)) != QColor(Qt::white));
        }
    }

    void arrowFollowsMoves()
    {
        CFixture *a = NewFixture(QPointF(100, 100));
        CFixture *b = NewFixture(QPointF(300, 100));
        a->SetNextFixture(b);
        b->setPos(300, 500);
        a->EnterCablingMode();
        CArrow *arrow = ArrowAt(QPointF(131.5, 131.5));
        QVERIFY(arrow);
        QVERIFY(arrow->sceneBoundingRect().contains(QPointF(331.5, 531.5)));
    }
};

QTEST_MAIN(TstAnchorArrow)
#include "tst_anchorarrow.moc"
