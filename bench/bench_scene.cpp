// Builds a layout scene of 2,000 fixtures in 50 groups and renders it offscreen, beside a
// scene of 2,000 plain rectangle items of the same sizes and places; prints build and paint
// times and their ratios. Nothing is asserted.

#include "scene/fixture.h"
#include "scene/fixturegroup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int FIXTURES = 2000;
constexpr int GROUPS = 50;
constexpr int PER_GROUP = FIXTURES / GROUPS;
constexpr int W = 32;
constexpr int H = 24;
constexpr int ROUNDS = 5;

QPointF PlaceOf(int i)
{
    // 50 columns of 40 rows fill the screen without leaving it.
    return QPointF(10 + (i % 50) * (W + 6), 10 + (i / 50) * (H + 2));
}

double Render(QGraphicsScene &scene, int rounds = ROUNDS)
{
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r) {
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 1920, 1080), QRectF(-0.5, -0.5, 1920, 1080));
    }
    return t.nsecsElapsed() / 1e6 / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);

    FixtureType_t type;
    type.name = QStringLiteral("LPU 32x24");
    type.width = W;
    type.height = H;
    type.type = 2;

    QElapsedTimer t;
    t.start();
    QGraphicsScene plain;
    plain.setSceneRect(-0.5, -0.5, 1920, 1080);
    for (int i = 0; i < FIXTURES; ++i) {
        auto *item = new QGraphicsRectItem(QRectF(-0.5, -0.5, W, H));
        item->setBrush(QColor(0, 128, 255));
        item->setOpacity(0.5);
        item->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);
        item->setPos(PlaceOf(i));
        plain.addItem(item);
    }
    const double plainBuild = t.nsecsElapsed() / 1e6;

    t.restart();
    QGraphicsScene layout;
    layout.setSceneRect(-0.5, -0.5, 1920, 1080);
    for (int g = 0; g < GROUPS; ++g) {
        auto *group = new CFixtureGroup(&layout);
        group->SetInfo(MakeGroupInfo(quint16(g + 1), QStringLiteral("Group %1").arg(g + 1)));
        const QPointF origin = PlaceOf(g * PER_GROUP);
        group->setPos(origin);
        group->SetAnchorPos(origin.x(), origin.y());
        QList<CFixture *> members;
        for (int k = 0; k < PER_GROUP; ++k) {
            const int i = g * PER_GROUP + k;
            auto *f = new CFixture(&layout);
            f->SetType(type);
            f->SetNumber(quint32(1 + i % 4), quint32(i));
            layout.addItem(f);
            f->SetPosition(PlaceOf(i).x(), PlaceOf(i).y());
            members.append(f);
        }
        group->AddFixtures(members);
        layout.addItem(group);
    }
    const double sceneBuild = t.nsecsElapsed() / 1e6;

    // The first render of each fills font, glyph and item caches; later ones reuse them.
    const double plainFirst = Render(plain, 1);
    const double sceneFirst = Render(layout, 1);
    const double plainPaint = Render(plain);
    const double scenePaint = Render(layout);

    std::printf("scene of %d fixtures in %d groups vs %d plain rectangle items\n", FIXTURES, GROUPS, FIXTURES);
    std::printf("build: fixtures %.1f ms, plain %.1f ms, ratio %.2f\n", sceneBuild, plainBuild,
                sceneBuild / plainBuild);
    std::printf("first paint: fixtures %.1f ms, plain %.1f ms, ratio %.2f\n", sceneFirst, plainFirst,
                sceneFirst / plainFirst);
    std::printf("paint (1920 x 1080, mean of %d): fixtures %.1f ms, plain %.1f ms, ratio %.2f\n", ROUNDS, scenePaint,
                plainPaint, scenePaint / plainPaint);
    return 0;
}
