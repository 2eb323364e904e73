// Docks whose panel disables itself whole (nothing chosen, or offline) on a 1366 x 768 screen:
// at their first size, or made lower where the screen holds the whole panel, the operator
// still brings the panel's last control into view, by the wheel over the panel, by dragging a
// scroll bar or by its page keys, and looks at the other pages of its tabs, and can change
// nothing. Controls the panel's code disables on its own (offline) stay so when the panel comes
// back.
#include "mainwindow/zelvor.h"
#include "support/mainwindowtest.h"
#include "support/offscreenscreens.h"
#include "support/scrolling.h"
#include "support/windowtest.h"
#include "support/zelvorsim.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

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
    void ownStatesKept_data();
    void ownStatesKept();
};

void TestDisabledDocks::initTestCase()
{
    QVERIFY(BeginWithCatalogue());
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768));
}

void TestDisabledDocks::lastControlScrollsIntoView_data()
{
    QTest::addColumn<QString>("dock");
    // Clicked in this order before scrolling; the controls below are on the last one's page.
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QString>("lastControl");
    // Near the bottom, and disabled by nothing but the panel's own state.
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<Scrolling>("scrolling");
    struct Dock_t
    {
        const char *pcTitle;
        QStringList tabs;
        const char *pcLast, *pcClicked;
    };
    const Dock_t aDocks[] = {
        {"Fixture settings", {}, "m_pLPUSetDefaultBtn", "m_pLPUSetDefaultBtn"}, // no fixture
        {"Fixture settings", {"Test Color"}, "m_pLpuTestColorDefaultBtn", "m_pLpuTestColorDefaultBtn"},
        {"Fixture settings", {"Test Color", "Luminosity"}, "m_pLPUSetDefaultBtn", "m_pLPUSetDefaultBtn"},
        {"Group Settings", {}, "m_pGroupLumiDefaultBtn", "m_pGroupLumiDefaultBtn"},        // no group
        {"SASU Settings and Monitoring", {}, "m_pManuSwitchRdBtn", "m_pSwitchSpareCkBox"}, // no fixture
        {"Test Functions", {}, "m_pStopTestBtn", "m_pStopTestBtn"},                        // offline
        {"Fixture Update", {}, "m_pProgParamBtn", "m_pProgParamBtn"},                      // no fixture
    };
    const QList<QPair<const char *, Scrolling>> ways = {
        {"wheel", Scrolling::Wheel}, {"drag", Scrolling::Drag}, {"page keys", Scrolling::PageKeys}};
    for (const Dock_t &dock : aDocks) {
        QString qsRow = QString::fromLatin1(dock.pcTitle);
        if (!dock.tabs.isEmpty())
            qsRow += QLatin1String(" > ") + dock.tabs.join(QLatin1String(" > "));
        for (const auto &way : ways)
            QTest::addRow("%s, %s", qPrintable(qsRow), way.first)
                << QString::fromLatin1(dock.pcTitle) << dock.tabs << QString::fromLatin1(dock.pcLast)
                << QString::fromLatin1(dock.pcClicked) << way.second;
    }
}

void TestDisabledDocks::lastControlScrollsIntoView()
{
    QFETCH(QString, dock);
    QFETCH(QStringList, tabs);
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
    QVERIFY(pWnd->screen()->availableGeometry().contains(pDock->frameGeometry()));
    auto *pOuter = qobject_cast<QScrollArea *>(pDock->widget());
    QVERIFY(pOuter);
    const auto scrollIntoView = [&](const QWidget *pTarget) {
        for (int i = 0; i < 40 && !OutOfView(pTarget).isEmpty(); ++i) {
            if (scrolling == Scrolling::Wheel) {
                WheelOver(pOuter->viewport(), pOuter->viewport()->rect().center(), QPoint(0, -120));
            } else if (QScrollBar *pBar = BarToMove(pDock)) {
                if (scrolling == Scrolling::Drag)
                    DragToEnd(pBar);
                else
                    QTest::keyClick(pBar, Qt::Key_PageDown);
            }
            QCoreApplication::processEvents();
        }
    };

    // The other pages are looked at by clicking their tabs.
    for (const QString &qsTab : tabs) {
        auto *pTabs = pDock->findChild<QTabWidget *>();
        QVERIFY(pTabs);
        int iTab = 0;
        while (iTab < pTabs->count() && pTabs->tabText(iTab) != qsTab)
            ++iTab;
        QVERIFY2(iTab < pTabs->count(), qPrintable(qsTab));
        QTabBar *pTabBar = pTabs->tabBar();
        scrollIntoView(pTabBar);
        QVERIFY2(OutOfView(pTabBar).isEmpty(), qPrintable(OutOfView(pTabBar)));
        QTest::mouseClick(pTabBar, Qt::LeftButton, {}, pTabBar->tabRect(iTab).center());
        QCOMPARE(pTabs->currentIndex(), iTab);
        QVERIFY(pTabs->widget(iTab)->isVisible());
    }

    auto *pLast = pDock->findChild<QAbstractButton *>(lastControl);
    QVERIFY(pLast);
    QVERIFY(pLast->isVisible());
    // A dock whose panel the screen holds whole is made lower by the operator, as one does
    // to see the scene beside it.
    if (OutOfView(pLast).isEmpty()) {
        pDock->resize(pDock->width(), pDock->height() / 2);
        QTRY_VERIFY(!OutOfView(pLast).isEmpty());
    }
    scrollIntoView(pLast);
    QVERIFY2(OutOfView(pLast).isEmpty(), qPrintable(OutOfView(pLast)));

    // Seen, but not to be changed.
    auto *pClicked = pDock->findChild<QAbstractButton *>(clicked);
    QVERIFY(pClicked);
    QVERIFY(pClicked->isVisible());
    QVERIFY2(OutOfView(pClicked).isEmpty(), qPrintable(OutOfView(pClicked)));
    QSignalSpy clicks(pClicked, &QAbstractButton::clicked);
    QTest::mouseClick(pClicked, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
}

void TestDisabledDocks::ownStatesKept_data()
{
    QTest::addColumn<QString>("dock");
    // Enabled by the panel's code while online only.
    QTest::addColumn<QString>("control");
    // Disabled by nothing but the panel's own state.
    QTest::addColumn<QString>("free");
    // The link's states while nothing is chosen; offline before them.
    QTest::addColumn<QList<bool>>("links");
    struct Control_t
    {
        const char *pcDock, *pcName, *pcFree;
    };
    const Control_t aControls[] = {
        {"Fixture settings", "m_pFixtConfPermanentBtn", "m_pLPUSetDefaultBtn"},       // beside the tabs
        {"Fixture settings", "m_pLpuTestColorApplyBtn", "m_pLpuTestColorDefaultBtn"}, // on a page of them
        {"SASU Settings and Monitoring", "m_pManuSwitchWrBtn", "m_pSwitchSpareCkBox"},
    };
    const QList<QPair<const char *, QList<bool>>> linkRows = {
        {"offline", {}}, {"link up", {true}}, {"link up and down", {true, false}}};
    for (const Control_t &control : aControls) {
        for (const auto &links : linkRows)
            QTest::addRow("%s, %s, %s", control.pcDock, control.pcName, links.first)
                << QString::fromLatin1(control.pcDock) << QString::fromLatin1(control.pcName)
                << QString::fromLatin1(control.pcFree) << links.second;
    }
}

void TestDisabledDocks::ownStatesKept()
{
    QFETCH(QString, dock);
    QFETCH(QString, control);
    QFETCH(QString, free);
    QFETCH(QList<bool>, links);
    Zelvor *pWnd = MakeWindow();
    QDockWidget *pDock = DockByTitle(pWnd, dock);
    QVERIFY(pDock);
    auto *pControl = pDock->findChild<QAbstractButton *>(control);
    auto *pFree = pDock->findChild<QAbstractButton *>(free);
    QVERIFY(pControl && pFree);
    for (bool bOnline : links) {
        pWnd->SetOnline(bOnline);
        QVERIFY(!pControl->isEnabled());
    }
    QVERIFY(!pFree->isEnabled());
    // A fixture is chosen: the project brings one.
    QCOMPARE(WriteProjectFile(QStringLiteral("one.prj"), {FixtureRecord(1, 1, 1, 0, 0)}, {}), 0);
    QCOMPARE(pWnd->LoadProject(QStringLiteral("one.prj")), 0);
    QVERIFY(pFree->isEnabled());
    QCOMPARE(pControl->isEnabled(), !links.isEmpty() && links.last());
}

LANTREL_TEST_MAIN_ON_SCREENS(TestDisabledDocks,
                             R"([{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}])")

#include "tst_disableddocks.moc"
