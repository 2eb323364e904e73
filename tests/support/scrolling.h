#pragma once
// The operator's ways of scrolling, as the window system hands them over: the wheel to the
// widget under the pointer, the mouse on a scroll bar's handle.

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

// One notch of the wheel (angle (0, -120) towards the bottom, (-120, 0) towards the right),
// to the widget under the pointer, which passes it up to its parents until one takes it.
inline void WheelOver(QWidget *pOver, const QPoint &at, const QPoint &angle)
{
    QWidget *pWindow = pOver->window();
    const QPoint inWindow = pOver->mapTo(pWindow, at);
    QWidget *pTarget = pWindow->childAt(inWindow);
    if (!pTarget)
        pTarget = pWindow;
    const QPoint local = pTarget->mapFrom(pWindow, inWindow);
    QWheelEvent event(QPointF(local), QPointF(pTarget->mapToGlobal(local)), QPoint(), angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(pTarget, &event);
}

// Drags the bar's handle with the mouse to the far end of its groove.
inline void DragToEnd(QScrollBar *pBar)
{
    QStyleOptionSlider option;
    option.initFrom(pBar);
    option.subControls = QStyle::SC_All;
    option.orientation = pBar->orientation();
    option.minimum = pBar->minimum();
    option.maximum = pBar->maximum();
    option.sliderPosition = pBar->sliderPosition();
    option.sliderValue = pBar->value();
    option.singleStep = pBar->singleStep();
    option.pageStep = pBar->pageStep();
    if (pBar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    const QStyle *pStyle = pBar->style();
    const QRect handle = pStyle->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, pBar);
    const QRect groove = pStyle->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, pBar);
    const QPoint from = handle.center();
    const QPoint to = pBar->orientation() == Qt::Horizontal ? QPoint(groove.right() + handle.width(), from.y())
                                                            : QPoint(from.x(), groove.bottom() + handle.height());
    QTest::mousePress(pBar, Qt::LeftButton, {}, from);
    QTest::mouseMove(pBar, (from + to) / 2);
    QTest::mouseMove(pBar, to);
    QTest::mouseRelease(pBar, Qt::LeftButton, {}, to);
}
