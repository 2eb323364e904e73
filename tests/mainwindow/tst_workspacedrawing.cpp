// The workspace decorations the main window draws on the scene: grid, border, background
// picture and the video-input area, where they land in scene coordinates and what the
// window keeps of them for the project.
#include "editingtest.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QImage>

#include "scene/view.h"

#include <set>

namespace {

// The distinct x (vertical lines) and y (horizontal lines) of the grid's outlines.
void GridLines(const QList<QGraphicsRectItem *> &items, QList<double> *pXs, QList<double> *pYs)
{
    std::set<double> xs, ys;
    for (const QGraphicsRectItem *pItem : items) {
        const QRectF r = pItem->rect();
        xs.insert(r.left());
        xs.insert(r.right());
        ys.insert(r.top());
        ys.insert(r.bottom());
    }
    *pXs = QList<double>(xs.begin(), xs.end());
    *pYs = QList<double>(ys.begin(), ys.end());
}

QList<double> Lines(int iSpacing, int iLimit)
{
    QList<double> lines{-0.5};
    for (int v = iSpacing; v < iLimit; v += iSpacing)
        lines.append(v - 0.5);
    lines.append(iLimit - 0.5);
    return lines;
}

} // namespace

class TestWorkspaceDrawing : public EditingTestBase
{
    Q_OBJECT
private slots:
    void initTestCase() { StartProgram(); }
    void cleanupTestCase() { StopProgram(); }
    void cleanup() { DropWindow(); }

    void grid_data();
    void grid();
    void gridAskedTwiceOrHidden();
    void border();
    void background_data();
    void background();
    void videoArea_data();
    void videoArea();
    void zoomButtonsAndFirstShowing();
};

void TestWorkspaceDrawing::grid_data()
{
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<int>("items");
    const QList<double> frameX{-0.5, 1919.5};
    const QList<double> frameY{-0.5, 1079.5};
    // 128: lines at 127.5, 255.5 ... 1023.5 and the frame's 1079.5 down, up to 1919.5 across.
    QTest::newRow("128") << 128 << Lines(128, 1920) << Lines(128, 1080) << 1 + 5 + 8;
    QTest::newRow("1500: vertical bands only") << 1500 << QList<double>{-0.5, 1499.5, 1919.5} << frameY << 2;
    QTest::newRow("1079") << 1079 << QList<double>{-0.5, 1078.5, 1919.5} << QList<double>{-0.5, 1078.5, 1079.5} << 3;
    QTest::newRow("1080") << 1080 << QList<double>{-0.5, 1079.5, 1919.5} << frameY << 2;
    QTest::newRow("2000: the frame") << 2000 << frameX << frameY << 1;
    QTest::newRow("0: the frame") << 0 << frameX << frameY << 1;
    QTest::newRow("-3: the frame") << -3 << frameX << frameY << 1;
}

void TestWorkspaceDrawing::grid()
{
    QFETCH(int, spacing);
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(int, items);
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->SetGridSpace(true, spacing), spacing);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO),
             QStringList{QStringLiteral("Setting Grid Space (Show=1 - space=%1)").arg(spacing)});
    const QList<QGraphicsRectItem *> grid = pWnd->GridItems();
    QCOMPARE(int(grid.size()), items);
    QCOMPARE(grid.first()->rect(), QRectF(-0.5, -0.5, 1920, 1080));
    for (const QGraphicsRectItem *pItem : grid) {
        QCOMPARE(pItem->scene(), pWnd->Scene());
        // Nothing is drawn outside the screen.
        QVERIFY(QRectF(-0.5, -0.5, 1920, 1080).contains(pItem->rect()));
    }
    QList<double> gotXs, gotYs;
    GridLines(grid, &gotXs, &gotYs);
    QCOMPARE(gotXs, xs);
    QCOMPARE(gotYs, ys);
    WorkspaceSettings_t workspace;
    pWnd->GetWorkspace(&workspace);
    QVERIFY(workspace.gridShown);
    QCOMPARE(workspace.gridSpacing, quint32(qMax(spacing, 0)));
}

void TestWorkspaceDrawing::gridAskedTwiceOrHidden()
{
    Zelvor *pWnd = MakeWindow();
    const int iBase = int(pWnd->Scene()->items().size());
    pWnd->SetGridSpace(true, 64);
    const QList<QGraphicsRectItem *> first = pWnd->GridItems();
    pWnd->SetGridSpace(true, 64);
    QCOMPARE(pWnd->GridItems(), first);
    QCOMPARE(int(pWnd->Scene()->items().size()), iBase + int(first.size()));
    pWnd->SetGridSpace(true, 200);
    QCOMPARE(int(pWnd->Scene()->items().size()), iBase + int(pWnd->GridItems().size()));
    pWnd->SetGridSpace(false, 200);
    QCOMPARE(pWnd->GridItems().size(), 0);
    QCOMPARE(int(pWnd->Scene()->items().size()), iBase);
    WorkspaceSettings_t workspace;
    pWnd->GetWorkspace(&workspace);
    QVERIFY(!workspace.gridShown);
    QCOMPARE(workspace.gridSpacing, 200u);
}

void TestWorkspaceDrawing::border()
{
    Zelvor *pWnd = MakeWindow();
    QCOMPARE(pWnd->SetBorder(true, 0, 0, 1919, 1079), 0);
    QGraphicsRectItem *pBorder = pWnd->BorderItem();
    QVERIFY(pBorder);
    QCOMPARE(pBorder->rect(), QRectF(-0.5, -0.5, 1920, 1080));
    QCOMPARE(pBorder->zValue(), 2.0);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO), QStringList{QStringLiteral("Set Border (0, 0, 1920, 1080)")});

    QCOMPARE(pWnd->SetBorder(true, 100, 50, 199, 59), 0);
    QCOMPARE(pWnd->BorderItem()->rect(), QRectF(99.5, 49.5, 100, 10));
    // The old item is gone: one border stays (its address may be reused, so count, not look up).
    int iBorders = 0;
    for (QGraphicsItem *pItem : pWnd->Scene()->items())
        iBorders += pItem->zValue() == 2.0 && qgraphicsitem_cast<QGraphicsRectItem *>(pItem) != nullptr;
    QCOMPARE(iBorders, 1);

    // Hidden: no item; the trace names the border drawn last, the project keeps the new one.
    m_pTraces->Reset();
    QCOMPARE(pWnd->SetBorder(false, 10, 20, 30, 40), 0);
    QVERIFY(!pWnd->BorderItem());
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_INFO), QStringList{QStringLiteral("Set Border (100, 50, 100, 10)")});
    WorkspaceSettings_t workspace;
    pWnd->GetWorkspace(&workspace);
    QVERIFY(!workspace.borderShown);
    QCOMPARE(QRect(QPoint(workspace.border.x1, workspace.border.y1), QPoint(workspace.border.x2, workspace.border.y2)),
             QRect(QPoint(10, 20), QPoint(30, 40)));
}

void TestWorkspaceDrawing::background_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("file");
    QTest::addColumn<uint>("ratio");
    QTest::addColumn<int>("status");
    QTest::addColumn<QSize>("drawn"); // empty: no item
    QTest::addColumn<QString>("box");
    QTest::newRow("keep") << true << "wall.png" << 1u << 0 << QSize(40, 30) << QString();
    QTest::newRow("resize") << true << "wall.png" << 2u << 0 << QSize(201, 101) << QString();
    QTest::newRow("hidden") << false << "wall.png" << 1u << 0 << QSize() << QString();
    QTest::newRow("no file name") << true << "" << 1u << -1 << QSize() << QString();
    QTest::newRow("missing file") << true << "gone.png" << 1u << -9 << QSize()
                                  << "Invalid background file 'gone.png'! | (Error Code = -9) - File does not exist!";
}

void TestWorkspaceDrawing::background()
{
    QFETCH(bool, shown);
    QFETCH(QString, file);
    QFETCH(uint, ratio);
    QFETCH(int, status);
    QFETCH(QSize, drawn);
    QFETCH(QString, box);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(QStringLiteral("wall.png")));
    Zelvor *pWnd = MakeWindow();
    // A picture drawn before goes in every case.
    BackgroundSettings_t before{true, QStringLiteral("wall.png"), 40, 30, 1, MakePixelRect(0, 0, 39, 29)};
    QCOMPARE(pWnd->SetBackground(before), 0);
    QVERIFY(pWnd->BackgroundItem());
    m_pPrompts->Reset();

    BackgroundSettings_t bg{shown, file, 40, 30, ratio, MakePixelRect(300, 200, 500, 300)};
    QCOMPARE(pWnd->SetBackground(bg), status);
    QCOMPARE(Boxes(), box.isEmpty() ? QStringList() : QStringList{box});
    QGraphicsPixmapItem *pItem = pWnd->BackgroundItem();
    if (drawn.isEmpty()) {
        QVERIFY(!pItem);
        // The screen area and the new project's video input area.
        QCOMPARE(int(pWnd->Scene()->items().size()), 2);
    } else {
        QVERIFY(pItem);
        QCOMPARE(pItem->pixmap().size(), drawn);
        QCOMPARE(pItem->offset(), QPointF(299.5, 199.5));
        QCOMPARE(pItem->pixmap().toImage().pixelColor(0, 0), QColor(Qt::darkGreen));
    }
    // Kept for the project even when nothing could be drawn.
    WorkspaceSettings_t workspace;
    pWnd->GetWorkspace(&workspace);
    QCOMPARE(workspace.background.shown, shown);
    QCOMPARE(workspace.background.file, file);
    QCOMPARE(workspace.background.ratio, ratio);
    QCOMPARE(workspace.background.placement.x2, 500);
}

void TestWorkspaceDrawing::videoArea_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("topLeft");
    QTest::addColumn<QRect>("area"); // x1, y1, width, height
    QTest::addColumn<QRectF>("drawn");
    QTest::newRow("full screen") << 0 << true << QRect(0, 0, 1920, 1080) << QRectF(0, 0, 1919, 1079);
    QTest::newRow("offset") << 0 << true << QRect(100, 50, 800, 600) << QRectF(99, 49, 799, 599);
    QTest::newRow("centred: no offset") << 0 << false << QRect(100, 50, 800, 600) << QRectF(0, 0, 799, 599);
    // Turned: 1079 x 1080 / 1920 = 606.9 wide.
    QTest::newRow("turned") << 90 << true << QRect(0, 0, 1920, 1080) << QRectF(0, 0, 606, 1079);
    QTest::newRow("turned back") << -90 << true << QRect(10, 10, 800, 600) << QRectF(9, 9, 449, 599);
    QTest::newRow("one pixel") << 90 << true << QRect(0, 0, 1, 1) << QRectF(0, 0, 0, 0);
}

void TestWorkspaceDrawing::videoArea()
{
    QFETCH(int, rotation);
    QFETCH(bool, topLeft);
    QFETCH(QRect, area);
    QFETCH(QRectF, drawn);
    Zelvor *pWnd = MakeWindow();
    g_ProjectConf.SetVideoInput(2, qint8(rotation), 0, 0, topLeft,
                                MakePixelRect(area.x(), area.y(), area.right(), area.bottom()));
    QCOMPARE(pWnd->UpdateVideoArea(), 0);
    QGraphicsRectItem *pItem = pWnd->VideoAreaItem();
    QVERIFY(pItem);
    QCOMPARE(pItem->rect(), drawn);
    // Asked again: replaced, not added.
    QCOMPARE(pWnd->UpdateVideoArea(), 0);
    QCOMPARE(int(pWnd->Scene()->items().size()), 2);
}

void TestWorkspaceDrawing::zoomButtonsAndFirstShowing()
{
    Zelvor *pWnd = MakeWindow();
    pWnd->ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    View *pView = pWnd->GetView();
    // Shown, the whole scene area of 2220 x 1380 fits into the viewport.
    pWnd->s_OnZoomAll();
    const double dFit = qMin(pView->viewport()->width() / 2220.0, pView->viewport()->height() / 1380.0);
    QVERIFY(qAbs(pView->transform().m11() - dFit) < 1e-9);
    pWnd->ZoomIn();
    QVERIFY(qAbs(pView->transform().m11() - dFit * 1.25) < 1e-9);
    pWnd->ZoomOut();
    QVERIFY(qAbs(pView->transform().m11() - dFit) < 1e-9);
}

QTEST_MAIN(TestWorkspaceDrawing)
#include "tst_workspacedrawing.moc"
