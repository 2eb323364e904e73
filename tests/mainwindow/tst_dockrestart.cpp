// Docks closed before the program quits, floating or docked, open at the next start where, and
// as large as, they were closed: every dock of the form, the three that every start closes again
// among them. A restart is a new main window reading the same settings. Runs on a 1366 x 768
// display of its own, managed by openbox, by metacity (LANTREL_TEST_MANAGER=metacity), by twm
// (LANTREL_TEST_MANAGER=twm) or by no manager (LANTREL_TEST_MANAGER=none). Rows whose names end
// in "held" hold the GUI thread after the new window's show, so that every late report of the
// server and the manager is queued before the program reads the first.
#include "mainwindow/zelvor.h"
#include "support/framingdisplay.h"
#include "support/mainwindowtest.h"
#include "support/restarttest.h"
#include "support/serverpeer.h"

#include <QDockWidget>
#include <QSettings>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

QString Text(const QRect &rect)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Where a dock is to the operator: floating, its place on the screen; docked, its area of the
// window and its place there.
struct Placed
{
    bool bFloating = false;
    Qt::DockWidgetArea area = Qt::NoDockWidgetArea;
    QRect place;
    bool operator==(const Placed &other) const
    {
        return bFloating == other.bFloating && area == other.area && place == other.place;
    }
};

Placed PlaceOf(QMainWindow *pWnd, QDockWidget *pDock)
{
    return {pDock->isFloating(), pDock->isFloating() ? Qt::NoDockWidgetArea : pWnd->dockWidgetArea(pDock),
            pDock->geometry()};
}

QString Text(const Placed &placed)
{
    return placed.bFloating ? QStringLiteral("floating at ") + Text(placed.place)
                            : QStringLiteral("docked in area %1 at ").arg(int(placed.area)) + Text(placed.place);
}

// Docked in the window, or floating where the server shows it: settled where it is.
bool Settled(QDockWidget *pDock)
{
    return pDock->isVisible() && (!pDock->isFloating() || ShownWhereQtHasIt(pDock));
}

} // namespace

class TestDockRestart : public RestartTest
{
    Q_OBJECT
private slots:
    void initTestCase() { BeginFactory(); }
    void cleanupTestCase() { End(); }
    void cleanup() { DropWindow(); }
    void closedDocksBackAsLeft_data();
    void closedDocksBackAsLeft();
};

void TestDockRestart::closedDocksBackAsLeft_data()
{
    QTest::addColumn<QString>("qsHow");
    for (const char *pcPace : {"", ", held"}) {
        for (const char *pcHow : {"closed from the menu", "closed by the x", "some docked", "a start closed",
                                  "a late report"})
            QTest::addRow("%s%s", pcHow, pcPace) << pcHow;
    }
}

// Every dock opened from its menu (some then docked by a double click on their title), closed
// from its menu or by its x, File > Exit; at the next start each opens from its menu where and as
// it was closed, in Qt and on the server. "a start closed": a start in between leaves them
// closed. "a late report": the manager's report of each closed dock's window at the size Qt first
// gives a window, read before the exit.
void TestDockRestart::closedDocksBackAsLeft()
{
    QFETCH(QString, qsHow);
    const bool bHeld = QByteArray(QTest::currentDataTag()).endsWith("held");
    QSettings().clear();
    // One to an area: docks sharing one share its room as the operator last split it.
    const QStringList docked = {QStringLiteral("m_pGroupSetDock"), QStringLiteral("m_pDMXConfigDock"),
                                QStringLiteral("m_pInputColorDock")};

    Zelvor *pWnd = Start(false);
    QVERIFY(pWnd);
    QList<QDockWidget *> docks = pWnd->findChildren<QDockWidget *>();
    QCOMPARE(docks.size(), 14);
    QHash<QString, Placed> left;
    for (QDockWidget *pDock : std::as_const(docks)) {
        ToggleFromMenu(pWnd, pDock);
        // Shown, and still where it is once the program has read every report of it.
        QVERIFY2(pDock->isFloating() && StandsWhereShown(pDock, kFramedMs), qPrintable(pDock->windowTitle()));
        if (qsHow == QLatin1String("some docked") && docked.contains(pDock->objectName())) {
            QTest::mouseDClick(pDock, Qt::LeftButton, {}, QPoint(pDock->width() / 4, pDock->widget()->y() / 2));
            QVERIFY2(QTest::qWaitFor([pDock] { return !pDock->isFloating() && Settled(pDock); }),
                     qPrintable(pDock->windowTitle()));
        }
    }
    // The docked ones have their place once all are in.
    for (QDockWidget *pDock : std::as_const(docks))
        left.insert(pDock->objectName(), PlaceOf(pWnd, pDock));
    std::vector<std::unique_ptr<SentPlaces>> reports;
    for (QDockWidget *pDock : std::as_const(docks)) {
        const WId window = pDock->winId();
        if (qsHow == QLatin1String("closed by the x") && pDock->isFloating())
            QVERIFY(CloseByItsX(window));
        else
            ToggleFromMenu(pWnd, pDock);
        QVERIFY2(QTest::qWaitFor([pDock] { return !pDock->isVisible(); }, kFramedMs),
                 qPrintable(pDock->windowTitle()));
        if (qsHow == QLatin1String("a late report") && pDock->isFloating()) {
            reports.push_back(std::make_unique<SentPlaces>(window));
            QVERIFY(ReportPlace(window, QRect(pDock->geometry().topLeft(), QSize(200, 100))));
        }
    }
    for (const auto &pReport : reports)
        QVERIFY2(QTest::qWaitFor([&pReport] { return !pReport->places.isEmpty(); }, kFramedMs),
                 "a report never reached the program");
    reports.clear();
    QVERIFY(Exit(pWnd));

    if (qsHow == QLatin1String("a start closed")) {
        pWnd = Start(bHeld);
        QVERIFY(pWnd);
        QVERIFY(Exit(pWnd));
    }
    pWnd = Start(bHeld);
    QVERIFY(pWnd);
    docks = pWnd->findChildren<QDockWidget *>();
    QCOMPARE(VisibleDocks(pWnd), QStringList());
    // Opened again last closed first: each docked one then finds the window as it left it.
    for (auto it = docks.crbegin(); it != docks.crend(); ++it)
        ToggleFromMenu(pWnd, *it);
    const auto back = [pWnd, &docks, &left] {
        QStringList faults;
        for (QDockWidget *pDock : std::as_const(docks)) {
            const Placed was = left.value(pDock->objectName());
            if (!Settled(pDock) || !(PlaceOf(pWnd, pDock) == was)) {
                const QString qsServer =
                    pDock->isFloating() ? QStringLiteral(", on the screen ") + Text(ServerPlace(pDock->winId()))
                                        : QString();
                faults << pDock->windowTitle() + QStringLiteral(": ") + Text(PlaceOf(pWnd, pDock)) + qsServer +
                              QStringLiteral(", closed ") + Text(was);
            }
        }
        return faults;
    };
    QVERIFY2(QTest::qWaitFor([&back] { return back().isEmpty(); }, kFramedMs),
             qPrintable(back().join(QLatin1Char('\n'))));
}

LANTREL_TEST_MAIN_ON_FRAMING_DISPLAY_OF(TestDockRestart, 1366, 768, FramingDisplay::OfTheRun())

#include "tst_dockrestart.moc"
