// What group frames look like at 1:1: the same pixels as the reference pictures, and a frame
// that follows its group's changes instead of being drawn from an outline kept from before.

#include "scenetest.h"

#include "scene/fixturegroup.h"

#include <QtTest>

namespace {

const QRectF kArea(-0.5, -0.5, 480, 260);

// A block of 48 x 32 fixtures made as the main window makes one: members placed in the group
// before it enters the scene. The last column stands iGap further right.
CFixtureGroup *AddGroup(QGraphicsScene *pScene, quint16 uNumber, QPoint origin, int iCols, int iRows, int iGap = 0)
{
    auto *pGroup = new CFixtureGroup(pScene);
    for (int c = 0; c < iCols; ++c)
        for (int r = 0; r < iRows; ++r) {
            auto *f = new CFixture(pScene);
            const int x = c * 48 + (c == iCols - 1 ? iGap : 0);
            f->SetType(TestType(48, 32));
            f->SetPosition(x, r * 32);
            f->SetAnchorPos(origin.x() + x, origin.y() + r * 32);
            f->SetNumber(1, quint32(uNumber * 10 + c * iRows + r));
            pGroup->AddFixture(f);
        }
    pGroup->SetPosition(origin.x(), origin.y());
    pGroup->SetAnchorPos(origin.x(), origin.y());
    pGroup->SetInfo(MakeGroupInfo(uNumber, QStringLiteral("Group %1").arg(uNumber)));
    pScene->addItem(pGroup);
    return pGroup;
}

// Three groups, one turned. bGap: the wide one's last column a column further right;
// bSelected: the small one selected.
struct Layout
{
    QGraphicsScene scene;
    CFixtureGroup *pWide, *pSmall;
    Layout(bool bGap, bool bSelected)
    {
        SetupLayoutScene(&scene);
        pWide = AddGroup(&scene, 1, QPoint(10, 10), 3, 2, bGap ? 48 : 0);
        pSmall = AddGroup(&scene, 2, QPoint(250, 20), 2, 2);
        AddGroup(&scene, 3, QPoint(120, 140), 3, 1)->SetRotation(20);
        pSmall->setSelected(bSelected);
    }
    // At 1:1, or zoomed out as a view of the whole screen in a smaller window shows it.
    QImage Shot(qreal dScale = 1)
    {
        QImage image((kArea.size() * dScale).toSize(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(QPointF(0, 0), kArea.size() * dScale), kArea);
        return image;
    }
};

} // namespace

class TstGroupFrame : public QObject
{
    Q_OBJECT

private slots:
    // The pictures hold only when the labels are drawn in the faces they were drawn with: the
    // test run sees the DejaVu faces alone, whatever other fonts the machine carries.
    void drawsInThePinnedFonts_data()
    {
        QTest::addColumn<QString>("qsAsked");
        QTest::addColumn<QString>("qsDrawn");
        QTest::newRow("fixture labels") << "Times" << "DejaVu Serif";
        QTest::newRow("group titles") << "Courier New" << "DejaVu Sans Mono";
        QTest::newRow("a metric clone") << "Liberation Mono" << "DejaVu Sans";
        QTest::newRow("a desktop face") << "Nimbus Roman" << "DejaVu Sans";
        QTest::newRow("widgets") << QGuiApplication::font().family() << "DejaVu Sans";
    }
    void drawsInThePinnedFonts()
    {
        QFETCH(QString, qsAsked);
        QFETCH(QString, qsDrawn);
        // Qt adds its three generic names to the faces it finds.
        const QStringList families = {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Monospace", "Sans Serif", "Serif"};
        QCOMPARE(QFontDatabase::families(), families);
        QCOMPARE(QFontInfo(QFont(qsAsked)).family(), qsDrawn);
    }

    void framesAsReference_data()
    {
        QTest::addColumn<bool>("bSelected");
        QTest::addColumn<qreal>("dScale");
        QTest::addColumn<QString>("qsReference");
        QTest::newRow("resting") << false << 1.0 << "groupframe_resting";
        QTest::newRow("selected") << true << 1.0 << "groupframe_selected";
        QTest::newRow("zoomed out") << true << 0.7 << "groupframe_zoomed";
    }
    void framesAsReference()
    {
        QFETCH(bool, bSelected);
        QFETCH(qreal, dScale);
        QFETCH(QString, qsReference);
        const QImage reference(qEnvironmentVariable("LANTREL_SOURCE_DIR") + "/tests/scene/" + qsReference + ".png");
        QCOMPARE(Layout(false, bSelected).Shot(dScale), reference.convertToFormat(QImage::Format_ARGB32));
    }

    // Drawn once, then a member moved and a group selected: the same picture as a layout built
    // in that state from the start.
    void frameFollowsChanges()
    {
        Layout changed(false, false);
        const QImage before = changed.Shot();
        QList<CFixture *> members;
        changed.pWide->GetFixtures(members);
        for (CFixture *f : members)
            if (f->pos().x() == 96)
                f->setPos(f->pos() + QPointF(48, 0));
        changed.pSmall->setSelected(true);
        const QImage after = changed.Shot();
        QVERIFY(after != before);
        QCOMPARE(after, Layout(true, true).Shot());
    }
};

QTEST_MAIN(TstGroupFrame)
#include "tst_groupframe.moc"
