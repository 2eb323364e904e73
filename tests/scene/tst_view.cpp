// The scene view: zoom steps and limits, wheel zoom about the cursor, fit-all, and which
// keys reach the scene.

#include "scene/view.h"

#include <QGraphicsScene>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace {

class KeyCounter : public QObject
{
public:
    QList<int> keys;
    bool eventFilter(QObject *pObj, QEvent *pEvent) override
    {
        if (pEvent->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent *>(pEvent)->key());
        return QObject::eventFilter(pObj, pEvent);
    }
};

qreal Scale(const View &v)
{
    return v.transform().m11();
}

void Wheel(View &v, const QPoint &at, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent ev(QPointF(at), QPointF(v.viewport()->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                   modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(v.viewport(), &ev);
}

} // namespace

class TstView : public QObject
{
    Q_OBJECT

private slots:
    void zoomLimits()
    {
        View v;
        for (int i = 0; i < 21; ++i)
            v.s_OnZoomIn();
        QVERIFY(qAbs(Scale(v) - std::pow(1.25, 20)) < 1e-9);
        v.resetTransform();
        for (int i = 0; i < 12; ++i)
            v.s_OnZoomOut();
        QVERIFY(qAbs(Scale(v) - std::pow(0.8, 11)) < 1e-12);
        // A zoom that would cross the limit is refused whole.
        v.ScaleView(1.25 * 1.25 * 1.25 * 1.25);
        QVERIFY(qAbs(Scale(v) - std::pow(0.8, 11) * std::pow(1.25, 4)) < 1e-12);
    }

    void zoomAll()
    {
        View v;
        v.setFrameShape(QFrame::NoFrame);
        v.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v.resize(1110, 1380);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QCOMPARE(v.viewport()->size(), QSize(1110, 1380));
        v.s_OnZoomIn();
        v.s_OnZoomAll();
        // The scene with its 150 margin all round (2220 x 1380) fits at half size.
        QCOMPARE(Scale(v), 0.5);
        // In a tiny viewport the fit goes below the limit; the next zoom out is refused.
        v.resize(100, 100);
        v.s_OnZoomAll();
        const qreal s = Scale(v);
        QVERIFY(s < 0.07);
        v.s_OnZoomOut();
        QCOMPARE(Scale(v), s);
    }

    void ctrlWheelZoomsAboutCursor()
    {
        QGraphicsScene scene;
        View v;
        v.setScene(&scene);
        v.setFrameShape(QFrame::NoFrame);
        v.resize(600, 400);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.s_OnZoomIn();
        const qreal before = Scale(v);
        const QPoint cursor(100, 80);
        const QPointF under = v.mapToScene(cursor);
        Wheel(v, cursor, -120, Qt::ControlModifier);
        QVERIFY(qAbs(Scale(v) / before - std::sqrt(0.5)) < 1e-9);
        // The scene point that was under the cursor is now in the middle of the view.
        const QPointF centre = v.mapToScene(v.viewport()->rect().center());
        QVERIFY2(qAbs(centre.x() - under.x()) < 3 && qAbs(centre.y() - under.y()) < 3,
                 qPrintable(QString("%1,%2 vs %3,%4").arg(centre.x()).arg(centre.y()).arg(under.x()).arg(under.y())));
        Wheel(v, cursor, 120, Qt::ControlModifier);
        QVERIFY(qAbs(Scale(v) - before) < 1e-9);
    }

    void wheelScrolls()
    {
        QGraphicsScene scene;
        View v;
        v.setScene(&scene);
        v.resize(400, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.horizontalScrollBar()->setValue(v.horizontalScrollBar()->minimum() + 500);
        v.verticalScrollBar()->setValue(v.verticalScrollBar()->minimum() + 500);
        const int h = v.horizontalScrollBar()->value();
        const int vert = v.verticalScrollBar()->value();
        Wheel(v, QPoint(50, 50), -120, Qt::ShiftModifier);
        QVERIFY(v.horizontalScrollBar()->value() > h);
        QCOMPARE(v.verticalScrollBar()->value(), vert);
        Wheel(v, QPoint(50, 50), -120, Qt::NoModifier);
        QVERIFY(v.verticalScrollBar()->value() > vert);
        QCOMPARE(Scale(v), 1.0);
    }

    void keys()
    {
        QGraphicsScene scene;
        KeyCounter counter;
        scene.installEventFilter(&counter);
        View v;
        v.setScene(&scene);
        for (Qt::Key key : {Qt::Key_Enter, Qt::Key_Space, Qt::Key_Return, Qt::Key_A}) {
            QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&v, &ev);
        }
        QCOMPARE(counter.keys, QList<int>({Qt::Key_Return, Qt::Key_A}));
        QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+");
        QCoreApplication::sendEvent(&v, &plus);
        QCOMPARE(Scale(v), 1.25);
        QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, "-");
        QCoreApplication::sendEvent(&v, &minus);
        QCOMPARE(Scale(v), 1.0);
        QCOMPARE(counter.keys.size(), 2);
    }
};

QTEST_MAIN(TstView)
#include "tst_view.moc"
