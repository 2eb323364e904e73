// Docks whose panel disables itself whole (nothing chosen, or offline) on a 1366 x 768 screen:
// at their first size, or made lower where the screen holds the whole panel, the operator
// still brings the panel's last control into view, by the wheel over the panel, by dragging a
// scroll bar or by its page keys, and can change nothing.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/offscreenscreens.h"
#include "support/windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

namespace {

enum class Scrolling { Wheel, Drag, PageKeys };

QRect GlobalRect(const QWidget *pWidget)
{
    return QRect(pWidget->mapToGlobal(QPoint(0, 0)), pWidget->size());
}

// Where the control is cut by a scroll area's viewport; empty when all of it is in view.
QString OutOfView(const QWidget *pControl)
{
    const QRect control = GlobalRect(pControl);
    for (const QWidget *p = pControl->parentWidget(); p; p = p->parentWidget()) {
        auto *pArea = qobject_cast<const QAbstractScrollArea *>(p->parentWidget());
        if (pArea && pArea->viewport() == p && !GlobalRect(p).contains(control))
            return QStringLiteral("%1 at y %2..%3, viewport of %4 at y %5..%6")
                .arg(pControl->objectName())
                .arg(control.top())
                .arg(control.bottom())
                .arg(pArea->objectName())
                .arg(GlobalRect(p).top())
                .arg(GlobalRect(p).bottom());
    }
    return QString();
}

// One notch of the wheel towards the bottom, handed over as the window system hands it: to the
// widget under the pointer, which passes it up to its parents until one takes it.
void WheelDown(QWidget *pOver, const QPoint &at)
{
    QWidget *pWindow = pOver->window();
    const QPoint inWindow = pOver->mapTo(pWindow, at);
    QWidget *pTarget = pWindow->childAt(inWindow);
    if (!pTarget)
        pTarget = pWindow;
    const QPoint local = pTarget->mapFrom(pWindow, inWindow);
    QWheelEvent event(QPointF(local), QPointF(pTarget->mapToGlobal(local)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(pTarget, &event);
}

// Drags the bar's handle with the mouse to the far end of its groove.
void DragToBottom(QScrollBar *pBar)
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
    const QStyle *pStyle = pBar->style();
    const QRect handle = pStyle->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, pBar);
    const QRect groove = pStyle->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, pBar);
    const QPoint from = handle.center();
    const QPoint to(from.x(), groove.bottom() + handle.height());
    QTest::mousePress(pBar, Qt::LeftButton, {}, from);
    QTest::mouseMove(pBar, (from + to) / 2);
    QTest::mouseMove(pBar, to);
    QTest::mouseRelease(pBar, Qt::LeftButton, {}, to);
}

// A vertical bar shown in the dock that can still move down, as the operator would take it.
QScrollBar *BarToMove(QDockWidget *pDock)
{
    for (QAbstractScrollArea *pArea : pDock->findChildren<QAbstractScrollArea *>()) {
        QScrollBar *pBar = pArea->verticalScrollBar();
        if (pBar->isVisible() && pBar->value() < pBar->maximum())
            return pBar;
    }
    return nullptr;
}

} // namespace

class TestDisabledDocks : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { End(); }
    void cleanup() { DropWindow(); }
    void lastControlScrollsIntoView_data();
    void lastControlScrollsIntoView();
};

void TestDisabledDocks::initTestCase()
{
    Begin();
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768));
}

void TestDisabledDocks::lastControlScrollsIntoView_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<QString>("lastControl");
    // Near the bottom, and disabled by nothing but the panel's own state.
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<Scrolling>("scrolling");
    struct Dock_t
    {
        const char *pcTitle, *pcLast, *pcClicked;
    };
    const Dock_t aDocks[] = {
        {"Fixture settings", "m_pLPUSetDefaultBtn", "m_pLPUSetDefaultBtn"},            // no fixture
        {"Group Settings", "m_pGroupLumiDefaultBtn", "m_pGroupLumiDefaultBtn"},        // no group
        {"SASU Settings and Monitoring", "m_pManuSwitchRdBtn", "m_pSwitchSpareCkBox"}, // no fixture
        {"Test Functions", "m_pStopTestBtn", "m_pStopTestBtn"},                        // offline
        {"Fixture Update", "m_pProgParamBtn", "m_pProgParamBtn"},                      // no fixture
    };
    const QList<QPair<const char *, Scrolling>> ways = {
        {"wheel", Scrolling::Wheel}, {"drag", Scrolling::Drag}, {"page keys", Scrolling::PageKeys}};
    for (const Dock_t &dock : aDocks) {
        for (const auto &way : ways)
            QTest::addRow("%s, %s", dock.pcTitle, way.first)
                << QString::fromLatin1(dock.pcTitle) << QString::fromLatin1(dock.pcLast)
                << QString::fromLatin1(dock.pcClicked) << way.second;
    }
}

void TestDisabledDocks::lastControlScrollsIntoView()
{
    QFETCH(QString, dock);
    QFETCH(QString, lastControl);
    QFETCH(QString, clicked);
    QFETCH(Scrolling, scrolling);
    Zelvor *pWnd = MakeWindow();
    pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWnd));
    QDockWidget *pDock = DockByTitle(pWnd, dock);
    QVERIFY(pDock);
    pDock->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDock));
    QVERIFY(pDock->isFloating());
    auto *pLast = pDock->findChild<QAbstractButton *>(lastControl);
    QVERIFY(pLast);
    QVERIFY(pWnd->screen()->availableGeometry().contains(pDock->frameGeometry()));
    // A dock whose panel the screen holds whole is made lower by the operator, as one does
    // to see the scene beside it.
    if (OutOfView(pLast).isEmpty()) {
        pDock->resize(pDock->width(), pDock->height() / 2);
        QTRY_VERIFY(!OutOfView(pLast).isEmpty());
    }

    auto *pOuter = qobject_cast<QScrollArea *>(pDock->widget());
    QVERIFY(pOuter);
    for (int i = 0; i < 40 && !OutOfView(pLast).isEmpty(); ++i) {
        if (scrolling == Scrolling::Wheel) {
            WheelDown(pOuter->viewport(), pOuter->viewport()->rect().center());
        } else if (QScrollBar *pBar = BarToMove(pDock)) {
            if (scrolling == Scrolling::Drag)
                DragToBottom(pBar);
            else
                QTest::keyClick(pBar, Qt::Key_PageDown);
        }
        QCoreApplication::processEvents();
    }
    QVERIFY2(OutOfView(pLast).isEmpty(), qPrintable(OutOfView(pLast)));

    // Seen, but not to be changed.
    auto *pClicked = pDock->findChild<QAbstractButton *>(clicked);
    QVERIFY(pClicked);
    QVERIFY2(OutOfView(pClicked).isEmpty(), qPrintable(OutOfView(pClicked)));
    QSignalSpy clicks(pClicked, &QAbstractButton::clicked);
    QTest::mouseClick(pClicked, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
}

LANTREL_TEST_MAIN_ON_SCREENS(TestDisabledDocks,
                             R"([{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}])")

#include "tst_disableddocks.moc"
