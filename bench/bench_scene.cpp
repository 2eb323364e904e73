// Builds a layout scene of 2,000 fixtures in 50 groups and renders it offscreen, beside a
// scene of 2,000 plain rectangle items of the same sizes and places; prints build and paint
// times and their ratios, then where the fixture scene's paint time goes. Nothing is asserted.
//
// Every figure is the median of several runs (the first paint: of several freshly built
// scenes), so that one slow run on a busy machine does not decide it. What a process pays
// once whatever it shows (the raster engine, the font database) is paid before any timing.

#include "scene/fixture.h"
#include "scene/fixturegroup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int FIXTURES = 2000;
constexpr int GROUPS = 50;
constexpr int PER_GROUP = FIXTURES / GROUPS;
constexpr int W = 32;
constexpr int H = 24;
constexpr int ROUNDS = 9;
constexpr int BUILDS = 5;

QPointF PlaceOf(int i)
{
    // 50 columns of 40 rows fill the screen without leaving it.
    return QPointF(10 + (i % 50) * (W + 6), 10 + (i / 50) * (H + 2));
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double TimeMs(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

double RenderOnce(QGraphicsScene &scene)
{
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return TimeMs([&] {
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 1920, 1080), QRectF(-0.5, -0.5, 1920, 1080));
    });
}

double Render(QGraphicsScene &scene)
{
    std::vector<double> times;
    for (int r = 0; r < ROUNDS; ++r)
        times.push_back(RenderOnce(scene));
    return Median(times);
}

// A group that draws no frame: only to tell how much of the paint the frames take.
class CFramelessGroup : public CFixtureGroup
{
public:
    using CFixtureGroup::CFixtureGroup;
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
};

void BuildPlain(QGraphicsScene &plain)
{
    plain.setSceneRect(-0.5, -0.5, 1920, 1080);
    for (int i = 0; i < FIXTURES; ++i) {
        auto *item = new QGraphicsRectItem(QRectF(-0.5, -0.5, W, H));
        item->setBrush(QColor(0, 128, 255));
        item->setOpacity(0.5);
        item->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);
        item->setPos(PlaceOf(i));
        plain.addItem(item);
    }
}

// In the main window's order: fixtures into the scene, then into their group, then the group
// into the scene.
void BuildLayout(QGraphicsScene &layout, bool bFrames = true)
{
    FixtureType_t type;
    type.name = QStringLiteral("LPU 32x24");
    type.width = W;
    type.height = H;
    type.type = 2;

    layout.setSceneRect(-0.5, -0.5, 1920, 1080);
    for (int g = 0; g < GROUPS; ++g) {
        CFixtureGroup *group = bFrames ? new CFixtureGroup(&layout) : new CFramelessGroup(&layout);
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
}

void WarmUp()
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.fillRect(QRectF(1.5, 1.5, 20, 20), QColor(0, 0, 0, 128));
    painter.drawText(QPointF(2, 30), QStringLiteral("warm up"));
}

void PrintRatio(const char *pWhat, double dFixtures, double dPlain)
{
    std::printf("%s: fixtures %.1f ms, plain %.1f ms, ratio %.2f\n", pWhat, dFixtures, dPlain, dFixtures / dPlain);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    WarmUp();

    // Build and first paint: scenes built afresh each time, each painted once.
    std::vector<double> plainBuilds, layoutBuilds, plainFirsts, layoutFirsts;
    for (int b = 0; b < BUILDS; ++b) {
        QGraphicsScene plain, layout;
        plainBuilds.push_back(TimeMs([&] { BuildPlain(plain); }));
        layoutBuilds.push_back(TimeMs([&] { BuildLayout(layout); }));
        plainFirsts.push_back(RenderOnce(plain));
        layoutFirsts.push_back(RenderOnce(layout));
    }

    QGraphicsScene plain, layout, frameless;
    BuildPlain(plain);
    BuildLayout(layout);
    BuildLayout(frameless, false);
    RenderOnce(plain);
    RenderOnce(layout);
    RenderOnce(frameless);
    const double plainPaint = Render(plain);
    const double layoutPaint = Render(layout);
    const double framelessPaint = Render(frameless);

    // The same scene with every fixture drawn afresh on each paint instead of from its
    // cached picture: what a paint costs when all fixtures change, or at a new zoom.
    for (QGraphicsItem *pItem : layout.items())
        if (pItem->type() == QGraphicsItem::UserType + 1)
            pItem->setCacheMode(QGraphicsItem::NoCache);
    const double directPaint = Render(layout);

    std::printf("scene of %d fixtures in %d groups vs %d plain rectangle items (medians)\n", FIXTURES, GROUPS,
                FIXTURES);
    PrintRatio("build", Median(layoutBuilds), Median(plainBuilds));
    PrintRatio("first paint", Median(layoutFirsts), Median(plainFirsts));
    PrintRatio("later paints (1920 x 1080)", layoutPaint, plainPaint);
    std::printf("  of which group frames %.1f ms, fixtures and group titles %.1f ms\n", layoutPaint - framelessPaint,
                framelessPaint);
    PrintRatio("later paints, every fixture drawn afresh", directPaint, plainPaint);
    return 0;
}
