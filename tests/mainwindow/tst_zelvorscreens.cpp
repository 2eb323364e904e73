// Where a window stored maximized comes back, with two screens side by side (the offscreen
// platform configured from a file before the application starts). A screen that vanished is
// Qt's to handle: restoring a geometry already brings it onto an attached screen.
#include "mainwindow/zelvor.h"
#include "support/offscreenscreens.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include <memory>

class TestZelvorScreens : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void maximizedOnSecondScreenStaysThere();
    void maximizedOnPrimaryIsNotMoved();

private:
    void StoreMaximizedAt(const QRect &normal);
    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
};

void TestZelvorScreens::initTestCase()
{
    SilenceOffscreenPlatformWarnings();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
    m_pEnv = std::make_unique<TestEnv>();
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
}

void TestZelvorScreens::cleanupTestCase()
{
    m_pPrompts.reset();
    m_pEnv.reset();
}

void TestZelvorScreens::init()
{
    QSettings().clear();
}

// What a window closed maximized with that normal geometry leaves in the settings store.
void TestZelvorScreens::StoreMaximizedAt(const QRect &normal)
{
    Zelvor wnd;
    wnd.setGeometry(normal);
    wnd.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&wnd));
    QSettings().setValue(QStringLiteral("Zelvor/geometry"), wnd.saveGeometry());
}

void TestZelvorScreens::maximizedOnSecondScreenStaysThere()
{
    StoreMaximizedAt(QRect(2000, 100, 1000, 700));
    Zelvor wnd;
    wnd.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wnd));
    QVERIFY(wnd.isMaximized());
    QCOMPARE(wnd.screen()->geometry(), QRect(1920, 0, 1600, 900));
}

void TestZelvorScreens::maximizedOnPrimaryIsNotMoved()
{
    StoreMaximizedAt(QRect(100, 100, 1000, 700));
    Zelvor wnd;
    wnd.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wnd));
    QVERIFY(wnd.isMaximized());
    QCOMPARE(wnd.screen(), QGuiApplication::primaryScreen());
}

// Two screens: the primary 1920 x 1080 at the origin, a second 1600 x 900 to its right.
LANTREL_TEST_MAIN_ON_SCREENS(TestZelvorScreens, R"([
        {"name": "primary", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
        {"name": "second", "x": 1920, "y": 0, "width": 1600, "height": 900, "logicalDpi": 96}])")

#include "tst_zelvorscreens.moc"
