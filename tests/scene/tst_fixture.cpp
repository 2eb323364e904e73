// The fixture item: placement rules and their refusals, anchor and arrow companions, the
// cabling view, records in and out, and what it draws.

#include "scenetest.h"
#include "support/testenv.h"

#include "config/softconf.h"
#include "scene/anchor.h"
#include "scene/arrow.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"

#include <QFile>
#include <QGraphicsScene>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TstFixture : public QObject
{
    Q_OBJECT

    QGraphicsScene *m_pScene = nullptr;

    CFixture *NewFixture(int w = 128, int h = 64, quint32 code = 2, QPointF at = QPointF(0, 0))
    {
        auto *f = new CFixture(m_pScene);
        f->SetType(TestType(w, h, code));
        m_pScene->addItem(f);
        f->setPos(at);
        return f;
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

    void names_data()
    {
        QTest::addColumn<quint32>("code");
        QTest::addColumn<quint32>("output");
        QTest::addColumn<quint32>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("LPU top code") << 0x0FFFFFFFu << 3u << 12u << "L3.12";
        QTest::newRow("SASU lowest code") << 0x10000000u << 0u << 4u << "S0.4";
        QTest::newRow("SASU top nibble") << 0xF0000001u << 1u << 256u << "S1.256";
    }
    void names()
    {
        QFETCH(quint32, code);
        QFETCH(quint32, output);
        QFETCH(quint32, number);
        CFixture *f = NewFixture(64, 64, code);
        QCOMPARE(f->SetNumber(output, number), 0);
        QTEST(f->GetName(), "name");
        FixtureAddr_t addr;
        f->GetAddress(&addr);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&addr), 5).toHex(' '),
                 QByteArray::number(output, 16).rightJustified(2, '0') + " " +
                     QByteArray(reinterpret_cast<const char *>(&number), 4).toHex(' '));
    }

    void drag_data()
    {
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("past right edge") << QPointF(1900, 10) << QPointF(1792, 10);
        QTest::newRow("left of screen, fractional") << QPointF(-3.4, 20.6) << QPointF(0, 21);
        QTest::newRow("below bottom") << QPointF(10, 1070) << QPointF(10, 1016);
        QTest::newRow("past both corners") << QPointF(3000, -50) << QPointF(1792, 0);
    }
    void drag()
    {
        QFETCH(QPointF, target);
        QFETCH(QPointF, expected);
        CFixture *f = NewFixture(128, 64, 2, QPointF(100, 100));
        QCOMPARE(f->SetAnchorPos(150, 120), 0);
        QSignalSpy pos(f, &CFixture::sigPosChange);
        const QPointF grip(10, 10);
        Drag(m_pScene, f->scenePos() + grip, target + grip);
        QCOMPARE(f->scenePos(), expected);
        VERIFY_OUTLINE(*f);
        // The anchor went along by the same offset.
        QCOMPARE(f->GetAnchor()->scenePos(), QPointF(150, 120) + expected - QPointF(100, 100));
        QCOMPARE(pos.count(), 1);
        QCOMPARE(pos.last().at(0).toPoint(), expected.toPoint());
    }

    void shiftDragDoesNotMove()
    {
        CFixture *f = NewFixture(128, 64, 2, QPointF(100, 100));
        Drag(m_pScene, QPointF(110, 110), QPointF(400, 400), Qt::ShiftModifier);
        QCOMPARE(f->scenePos(), QPointF(100, 100));
    }

    // Up to the last place that fits the fixture and its anchor move together; past it nothing moves.
    void setPosition_data()
    {
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("inside") << QPointF(300, 200) << QString();
        QTest::newRow("last that fits") << QPointF(1792, 1016) << QString();
        QTest::newRow("one past") << QPointF(1793, 10)
                                  << "Fixture L0.0 does not fit in the scene with top-left item: x=1793, y=10!";
        QTest::newRow("bottom") << QPointF(10, 1017) << "Fixture L0.0 does not fit in the scene with top-left item: "
                                                        "x=10, y=1017!";
        QTest::newRow("left fractional")
            << QPointF(-0.25, 3.5) << "Fixture L0.0 does not fit in the scene with top-left item: x=-0.25, y=3.5!";
    }
    void setPosition()
    {
        QFETCH(QPointF, target);
        QFETCH(QString, message);
        RecordingSink sink;
        CFixture *f = NewFixture(128, 64, 2, QPointF(100, 100));
        f->SetAnchorPos(140, 120);
        QSignalSpy pos(f, &CFixture::sigPosChange);
        const bool bFits = message.isEmpty();
        QCOMPARE(f->SetPosition(target.x(), target.y()), bFits ? 0 : -51);
        const QPointF now = bFits ? target : QPointF(100, 100);
        QCOMPARE(f->scenePos(), now);
        QCOMPARE(f->GetAnchor()->scenePos(), now + QPointF(40, 20));
        QCOMPARE(pos.count(), bFits ? 1 : 0);
        using Reports = QList<QPair<QString, int>>;
        QCOMPARE(sink.Errors(), (bFits ? Reports() : Reports{{message, 0}}));
        VERIFY_OUTLINE(*f);
    }

    void rotationAboutAnchor()
    {
        RecordingSink sink;
        CFixture *f = NewFixture(128, 64, 2, QPointF(10, 10));
        f->SetAnchorPos(10, 10);
        QCOMPARE(f->SetRotation(90), -51);
        QCOMPARE(sink.Errors().size(), 1);
        QCOMPARE(sink.Errors().first().first, QString("Fixture L0.0 rotated by 90 degrees does not fit in the scene!"));
        QCOMPARE(f->rotation(), 0.0);
        QCOMPARE(f->scenePos(), QPointF(10, 10));

        f->setPos(100, 10);
        f->SetAnchorPos(100, 10);
        QSignalSpy pos(f, &CFixture::sigPosChange);
        QCOMPARE(f->SetRotation(90), 0);
        QCOMPARE(f->rotation(), 90.0);
        QCOMPARE(f->GetAnchor()->scenePos(), QPointF(100, 10));
        QCOMPARE(pos.count(), 0);
        VERIFY_OUTLINE(*f);
    }

    void rotationAboutCentre_data()
    {
        QTest::addColumn<int>("angle");
        for (int a : {30, 90, -180, 270})
            QTest::newRow(qPrintable(QString::number(a))) << a;
    }
    void rotationAboutCentre()
    {
        QFETCH(int, angle);
        CFixture *f = NewFixture(128, 64, 2, QPointF(800, 500));
        f->SetAnchorPos(864, 532);
        QPointF position;
        const QPolygonF predicted = f->ComputePolygon(800, 500, angle, &position);
        QCOMPARE(f->SetRotation(angle), 0);
        QVERIFY(SamePolygon(RealOutline(*f), predicted));
        QCOMPARE(f->GetAnchor()->scenePos(), QPointF(864, 532));
        VERIFY_OUTLINE(*f);
        // A drag after the turn keeps the outline consistent too.
        Drag(m_pScene, QPointF(864, 532), QPointF(2000, 532));
        VERIFY_OUTLINE(*f);
    }

    void intensityKeepsNoReservedBits()
    {
        CFixture *f = NewFixture();
        FixtureIntensity_t out = MakeIntensity(0, 0, 0, 0, 0);
        f->SetIntensity(MakeIntensity(50, 100, 200, 300, 3));
        f->GetIntensity(&out);
        QCOMPARE(QList<int>({out.Luminosity(), out.Blue(), out.Reserved()}), QList<int>({50, 300, 0}));
        f->SetIntensity(0xFFFFFF00u | 42, 0x12);
        f->GetIntensity(&out);
        QCOMPARE(QList<int>({out.Luminosity(), out.Reserved()}), QList<int>({42, 0}));
    }

    void cablingView()
    {
        CFixture *a = NewFixture(64, 64, 2, QPointF(100, 100));
        CFixture *b = NewFixture(64, 64, 2, QPointF(300, 100));
        a->SetNumber(4, 1);
        a->SetAnchorVisible(true);
        a->SetNextFixture(b);
        a->SetArrowVisible(true);
        CArrow *arrow = nullptr;
        for (QGraphicsItem *pItem : m_pScene->items())
            if (pItem->type() == QGraphicsItem::UserType + 4 && pItem->pos() == QPointF(131.5, 131.5))
                arrow = static_cast<CArrow *>(pItem);
        QVERIFY(arrow);
        QVERIFY(!arrow->isVisible()); // not in the cabling view yet

        a->EnterCablingMode();
        QVERIFY(!a->GetAnchor()->isVisible());
        QVERIFY(arrow->isVisible());
        a->setSelected(true);
        QVERIFY(!a->isSelected());
        // Output 4 is magenta, at half opacity over white.
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 160)), QColor(255, 128, 255));
        a->SetHighlighted(true);
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 160)), QColor(255, 128, 128));

        a->LeaveCablingMode();
        QVERIFY(!arrow->isVisible());
        a->setSelected(true);
        // Selected: red, whatever the output.
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 160)), QColor(255, 128, 128));
        a->setSelected(false);
        QCOMPARE(PixelAt(m_pScene, QPointF(103, 160)), QColor(128, 192, 255));
    }

    void deletedNextFixtureDoesNotDangle()
    {
        CFixture *a = NewFixture(64, 64, 2, QPointF(100, 100));
        CFixture *b = NewFixture(64, 64, 2, QPointF(300, 100));
        a->SetNextFixture(b);
        delete b;
        a->EnterCablingMode();
        a->SetArrowVisible(true);
        for (QGraphicsItem *pItem : m_pScene->items())
            if (pItem->type() == QGraphicsItem::UserType + 4)
                QVERIFY(!pItem->isVisible());
        // Painting the scene reaches the arrow's paint, which must not touch the dead fixture.
        PaintedRect(m_pScene);
        a->setPos(200, 200);
    }

    void sceneTornDownWithItems()
    {
        // Either order of destruction is safe: the scene first, or the items first.
        auto *scene = new QGraphicsScene;
        for (int i = 0; i < 10; ++i) {
            auto *f = new CFixture(scene);
            f->SetType(TestType(32, 32));
            scene->addItem(f);
        }
        delete scene;

        scene = new QGraphicsScene;
        QPointer<CFixture> f = new CFixture(scene);
        scene->addItem(f);
        QPointer<CAnchor> anchor = f->GetAnchor();
        delete f.data();
        QVERIFY(!anchor);
        QVERIFY(scene->items().isEmpty());
        delete scene;
    }

    void setConfig()
    {
        TestEnv env;
        QFile::copy(qEnvironmentVariable("LANTREL_SOURCE_DIR") + "/resources/Lantrel.xml", env.FilePath("Lantrel.xml"));
        g_SoftConf.Open(env.FilePath("Lantrel.xml"));
        g_SoftConf.Parse();

        auto *f = new CFixture(m_pScene); // not yet in the scene, as the scene builder does it
        ProjectFixture_t rec = DefaultProjectFixture();
        rec.output = 2;
        rec.number = 5;
        rec.type = 0x7777;
        QCOMPARE(f->SetConfig(rec), -50);
        FixtureType_t t;

        rec.type = 2; // LPU 128x64
        rec.placement = MakeRotationInfo(1850.5, 20, 1900, 40, 30);
        QCOMPARE(f->SetConfig(rec), 0);
        f->GetType(&t);
        QCOMPARE(t.name, QString("LPU 128x64"));
        // Taken as stored, not moved inside the screen.
        QCOMPARE(f->pos(), QPointF(1850.5, 20));
        QCOMPARE(f->rotation(), 30.0);
        QCOMPARE(f->GetAnchor()->scenePos(), QPointF(1900, 40));
        delete f;
    }

    void paintStaysInBoundingRect_data()
    {
        QTest::addColumn<quint32>("code");
        QTest::addColumn<int>("angle");
        QTest::newRow("LPU") << 2u << 0;
        QTest::newRow("SASU") << 0x10000001u << 0;
        QTest::newRow("LPU turned") << 2u << 30;
    }
    void paintStaysInBoundingRect()
    {
        QFETCH(quint32, code);
        QFETCH(int, angle);
        CFixture *f = NewFixture(128, 64, code, QPointF(500, 500));
        f->SetType(TestType(128, 64, code, "A long type name that will not fit"));
        f->SetNumber(3, 123456);
        f->SetRotation(angle);
        f->setSelected(true);
        const QRectF painted = PaintedRect(m_pScene);
        QVERIFY(!painted.isNull());
        QVERIFY2(f->sceneBoundingRect().adjusted(-0.5, -0.5, 0.5, 0.5).contains(painted),
                 qPrintable(QDebug::toString(painted)));
    }
};

QTEST_MAIN(TstFixture)
#include "tst_fixture.moc"
