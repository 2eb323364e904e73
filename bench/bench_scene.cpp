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
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QTest>

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

// In the main window's order: fixtures placed in their group, then the group into the scene,
// so that no fixture enters the scene before it has its parent.
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
            f->SetPosition(PlaceOf(i).x(), PlaceOf(i).y());
            members.append(f);
        }
        group->AddFixtures(members);
        layout.addItem(group);
    }
}

// The scene as the operator sees it: a view of the whole screen at 1:1. Shown (offscreen) for
// the drag, whose frames the event loop paints; otherwise painted on demand into an image.
struct Viewer
{
    QGraphicsView view;
    QImage image{1920, 1080, QImage::Format_ARGB32_Premultiplied};
    Viewer(QGraphicsScene &scene, bool bShown) : view(&scene)
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(1920, 1080);
        if (bShown) {
            view.show();
            QTest::qWaitForWindowExposed(&view);
        }
    }
    double Paint()
    {
        return TimeMs([&] { view.QWidget::render(&image); });
    }
    // Items moved by a step, then what the event loop paints of the view for it.
    double Drag(const QList<QGraphicsItem *> &items, int iSteps)
    {
        std::vector<double> times;
        for (int s = 0; s < iSteps; ++s) {
            const QPointF step(s % 2 ? -6 : 6, 0);
            times.push_back(TimeMs([&] {
                for (QGraphicsItem *pItem : items)
                    pItem->setPos(pItem->pos() + step);
                QCoreApplication::processEvents();
                QCoreApplication::processEvents();
            }));
        }
        return Median(times);
    }
};

double ViewPaint(QGraphicsScene &scene)
{
    Viewer viewer(scene, false);
    viewer.Paint();
    std::vector<double> times;
    for (int r = 0; r < ROUNDS; ++r)
        times.push_back(viewer.Paint());
    return Median(times);
}

void WarmUp()
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.fillRect(QRectF(1.5, 1.5, 20, 20), QColor(0, 0, 0, 128));
    painter.drawText(QPointF(2, 30), QStringLiteral("warm up"));
}

void PrintRatio(const char *pWhat, double dFixtures, double dPlain, double dGoal = 0)
{
    std::printf("%s: fixtures %.2f ms, plain %.2f ms, ratio %.2f", pWhat, dFixtures, dPlain, dFixtures / dPlain);
    if (dGoal > 0)
        std::printf(" (goal <= %.0f)", dGoal);
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    WarmUp();

    // Build and first paint: scenes built afresh each time, each painted once, in a view.
    std::vector<double> plainBuilds, layoutBuilds, plainFirsts, layoutFirsts;
    for (int b = 0; b < BUILDS; ++b) {
        QGraphicsScene plain, layout;
        plainBuilds.push_back(TimeMs([&] { BuildPlain(plain); }));
        layoutBuilds.push_back(TimeMs([&] { BuildLayout(layout); }));
        Viewer plainView(plain, false), layoutView(layout, false);
        plainFirsts.push_back(plainView.Paint());
        layoutFirsts.push_back(layoutView.Paint());
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
    const double plainView = ViewPaint(plain);
    const double layoutView = ViewPaint(layout);

    // A drag of the group in the middle of the screen, against the same 40 plain items moved
    // together.
    const int iMiddle = GROUPS / 2 + 5;
    QList<QGraphicsItem *> groupItems, plainItems;
    for (QGraphicsItem *pItem : layout.items())
        if (pItem->type() == QGraphicsItem::UserType + 2 &&
            static_cast<CFixtureGroup *>(pItem)->pos() == PlaceOf(iMiddle * PER_GROUP))
            groupItems.append(pItem);
    for (QGraphicsItem *pItem : plain.items(Qt::AscendingOrder))
        if (pItem->pos().y() == PlaceOf(iMiddle * PER_GROUP).y() &&
            pItem->pos().x() >= PlaceOf(iMiddle * PER_GROUP).x())
            plainItems.append(pItem);
    plainItems = plainItems.mid(0, PER_GROUP);
    double plainDrag = 0, layoutDrag = 0;
    {
        Viewer plainViewer(plain, true), layoutViewer(layout, true);
        plainViewer.Drag(plainItems, 4);
        layoutViewer.Drag(groupItems, 4);
        plainDrag = plainViewer.Drag(plainItems, ROUNDS * 4);
        layoutDrag = layoutViewer.Drag(groupItems, ROUNDS * 4);
    }

    // The same scene with every fixture drawn afresh on each paint instead of from its
    // cached picture: what a paint costs when all fixtures change, or at a new zoom.
    for (QGraphicsItem *pItem : layout.items())
        if (pItem->type() == QGraphicsItem::UserType + 1)
            pItem->setCacheMode(QGraphicsItem::NoCache);
    const double directPaint = Render(layout);

    std::printf("scene of %d fixtures in %d groups vs %d plain rectangle items (medians)\n", FIXTURES, GROUPS,
                FIXTURES);
    PrintRatio("build", Median(layoutBuilds), Median(plainBuilds), 4);
    PrintRatio("first paint (view)", Median(layoutFirsts), Median(plainFirsts), 4);
    PrintRatio("later paints (view, 1920 x 1080)", layoutView, plainView, 2);
    PrintRatio("drag of one 40-fixture group (view, a frame per step)", layoutDrag, plainDrag, 2);
    PrintRatio("later paints (scene render)", layoutPaint, plainPaint);
    std::printf("  of which group frames %.1f ms, fixtures and group titles %.1f ms\n", layoutPaint - framelessPaint,
                framelessPaint);
    PrintRatio("later paints, every fixture drawn afresh", directPaint, plainPaint);
    return 0;
}
