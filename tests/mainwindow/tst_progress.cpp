// The progress dialog: which groups its owner's setup leaves, which bar a value drives,
// the foldable details, and that the user cannot close it.
#include "mainwindow/progress.h"
#include "support/quietqpa.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

class TestProgress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }
    void setupHidesUnusedGroups_data();
    void setupHidesUnusedGroups();
    void valueGoesToActiveBar();
    void textsShowAndHideTheirLines();
    void startFoldsDetailsAndButtonUnfolds();
    void userCannotCloseIt();

private:
    template <typename T> static T *Child(Progress &dlg, const char *pcName)
    {
        T *p = dlg.findChild<T *>(QLatin1String(pcName));
        if (!p)
            qFatal("no child %s", pcName);
        return p;
    }
    static QStringList Visible(Progress &dlg);
};

QStringList TestProgress::Visible(Progress &dlg)
{
    QStringList names;
    for (const char *pcName :
         {"m_pMainProgBar", "m_pMainTxt", "m_pMainSeparationLine", "m_pSecondProgBar", "m_pSecondTxt",
          "m_pSecondSeparationLine", "m_pShowHideDetailsBtn", "m_pDetailedSeparationLine", "m_pDetailedTxt"}) {
        if (Child<QWidget>(dlg, pcName)->isVisible())
            names.append(QLatin1String(pcName));
    }
    return names;
}

void TestProgress::setupHidesUnusedGroups_data()
{
    QTest::addColumn<bool>("main");
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("details");
    QTest::addColumn<QStringList>("visible");
    QTest::newRow("main only") << true << false << false
                               << QStringList{"m_pMainProgBar", "m_pMainTxt", "m_pMainSeparationLine"};
    QTest::newRow("second and details") << false << true << true
                                        << QStringList{"m_pSecondProgBar",          "m_pSecondTxt",
                                                       "m_pSecondSeparationLine",   "m_pShowHideDetailsBtn",
                                                       "m_pDetailedSeparationLine", "m_pDetailedTxt"};
    QTest::newRow("none") << false << false << false << QStringList{};
}

void TestProgress::setupHidesUnusedGroups()
{
    QFETCH(bool, main);
    QFETCH(bool, second);
    QFETCH(bool, details);
    QFETCH(QStringList, visible);
    Progress dlg;
    dlg.Setup(main, second, details);
    dlg.ShowProgress();
    QCOMPARE(Visible(dlg), visible);
}

void TestProgress::valueGoesToActiveBar()
{
    Progress dlg;
    auto *pMain = Child<QProgressBar>(dlg, "m_pMainProgBar");
    auto *pSecond = Child<QProgressBar>(dlg, "m_pSecondProgBar");
    dlg.Setup(false, false, false);
    dlg.SetValue(40);
    QCOMPARE(pMain->value(), 0);
    QCOMPARE(pSecond->value(), 0);

    dlg.Setup(true, true, false);
    dlg.SetValue(40);
    dlg.SetActiveBar(1);
    dlg.SetValue(70);
    dlg.SetActiveBar(7);
    dlg.SetValue(75);
    QCOMPARE(pMain->value(), 40);
    QCOMPARE(pSecond->value(), 75);
}

void TestProgress::textsShowAndHideTheirLines()
{
    Progress dlg;
    dlg.Setup(true, true, false);
    dlg.ShowProgress();
    dlg.SetText1(QStringLiteral("Erasing flash"));
    dlg.SetText2(QString());
    QCOMPARE(Child<QLineEdit>(dlg, "m_pMainTxt")->text(), QStringLiteral("Erasing flash"));
    QCOMPARE(Visible(dlg), (QStringList{"m_pMainProgBar", "m_pMainTxt", "m_pMainSeparationLine", "m_pSecondProgBar"}));

    // A group not in use ignores its text.
    Progress other;
    other.Setup(false, true, false);
    other.SetText1(QStringLiteral("ignored"));
    QCOMPARE(Child<QLineEdit>(other, "m_pMainTxt")->text(), QString());
}

void TestProgress::startFoldsDetailsAndButtonUnfolds()
{
    Progress dlg;
    dlg.Setup(true, true, true);
    dlg.Start(QStringLiteral("Sector 3/8"), 37, QStringLiteral("Page 12"), 12, QStringLiteral("log lines"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(Child<QProgressBar>(dlg, "m_pMainProgBar")->value(), 37);
    QCOMPARE(Child<QProgressBar>(dlg, "m_pSecondProgBar")->value(), 12);
    auto *pButton = Child<QPushButton>(dlg, "m_pShowHideDetailsBtn");
    auto *pDetails = Child<QTextEdit>(dlg, "m_pDetailedTxt");
    QVERIFY(pButton->isVisible());
    QVERIFY(!pDetails->isVisible());
    QCOMPARE(pDetails->toPlainText(), QStringLiteral("log lines"));

    QTest::mouseClick(pButton, Qt::LeftButton);
    QVERIFY(Visible(dlg).contains("m_pDetailedSeparationLine") && pDetails->isVisible());
    QCOMPARE(pButton->text(), QStringLiteral("Show Details"));
    QTest::mouseClick(pButton, Qt::LeftButton);
    QVERIFY(!pDetails->isVisible());

    // Start leaves the main bar active.
    dlg.SetValue(90);
    QCOMPARE(Child<QProgressBar>(dlg, "m_pMainProgBar")->value(), 90);
    // Empty details leave nothing to unfold.
    dlg.Start(QStringLiteral("Reading"), 1, QString(), 0, QString());
    QVERIFY(!pButton->isVisible());
}

void TestProgress::userCannotCloseIt()
{
    Progress dlg;
    dlg.Setup(true, false, false);
    dlg.ShowProgress();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!dlg.close());
    QVERIFY(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
    dlg.HideProgress();
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
