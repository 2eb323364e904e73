// The File menu's project commands on the real main window: open, save, save as, new, the
// recent projects kept in "Lantrel.xml", the save question with its failures and cancels, and
// the turning of project records into scene items.
#include "config/softconf.h"
#include "mainwindow/errorcodes.h"
#include "mainwindow/zelvor.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"
#include "support/projectsupport.h"
#include "support/quietqpa.h"
#include "support/windowtest.h"
#include "support/zelvorsim.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

QString ProjectField(Zelvor *pWnd)
{
    // The project field is the wider of the two status bar fields.
    for (QLineEdit *pField : pWnd->statusBar()->findChildren<QLineEdit *>())
        if (pField->width() == 450 || pField->minimumWidth() == 450)
            return pField->text();
    return QStringLiteral("<none>");
}

QString RememberedName()
{
    QString qsName;
    g_ProjectConf.GetFileName(qsName);
    return qsName;
}

QList<ProjectFixture_t> TwoFixtures()
{
    return {FixtureRecord(1, 1, 1, 100, 100), FixtureRecord(1, 2, 2, 164, 100)};
}

} // namespace

class TestProjectCommands : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(BeginWithCatalogue()); }
    void cleanupTestCase() { End(); }
    void init();

    void recentProjectsMoveToTheFront();
    void emptyRecentListDisablesTheMenu();
    void recentEntryOpensItsProject();
    void openThroughTheMenu();
    void openFailureKeepsTheProject_data();
    void openFailureKeepsTheProject();
    void newProjectForgetsTheFileAndSaveAsSetsIt();
    void saveAsAddsTheSuffixTheUserLeftOut();
    void goneRecentProjectLeavesTheMenu();
    void saveWithoutNameAsksOnceAndWritesOnce();
    void cancelledOrFailedSaveQuestionDiscardsNothing_data();
    void cancelledOrFailedSaveQuestionDiscardsNothing();
    void closeSavesToTheProjectFileFirst();
    void groupOfOneIsDissolved();
    void unknownGroupBuildsNothing();

private:
    Zelvor *Make() { return MakeWindow(); }
    QString Path(const QString &qsName) const { return m_pEnv->FilePath(qsName); }
    QString WriteProject(const QString &qsName, const QList<ProjectFixture_t> &lFixtures = TwoFixtures(),
                         const QList<ProjectGroup_t> &lGroups = {});
    // An unsaved project with two fixtures on the scene (as if just drawn).
    void DrawUnsavedProject();
    QStringList RecentTexts() const;
    QMenu *RecentMenu() const;
};

void TestProjectCommands::init()
{
    g_SoftConf.UpdateLastProjects({});
    QCOMPARE(g_SoftConf.Save(QStringLiteral("Lantrel.xml")), 0);
}

QString TestProjectCommands::WriteProject(const QString &qsName, const QList<ProjectFixture_t> &lFixtures,
                                          const QList<ProjectGroup_t> &lGroups)
{
    const QString qsPath = Path(qsName);
    if (WriteProjectFile(qsPath, lFixtures, lGroups) != 0)
        return QString();
    return qsPath;
}

void TestProjectCommands::DrawUnsavedProject()
{
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    QCOMPARE(m_pWnd->BuildSceneFromProject(TwoFixtures(), {}, lFixtures, lGroups), 0);
    m_pWnd->AddItemToScene(lFixtures, lGroups);
    QCOMPARE(RememberedName(), QString());
}

QMenu *TestProjectCommands::RecentMenu() const
{
    return m_pWnd->findChild<QMenu *>(QStringLiteral("menuRecent_Projects"));
}

QStringList TestProjectCommands::RecentTexts() const
{
    QStringList lTexts;
    for (QAction *pAction : RecentMenu()->actions())
        if (pAction->isVisible())
            lTexts.append(pAction->text());
    return lTexts;
}

void TestProjectCommands::recentProjectsMoveToTheFront()
{
    Make();
    // Eleven projects, the first opened again last: it moves to the front, the oldest falls off.
    QStringList lOpened;
    for (int i = 0; i < 12; ++i) {
        const QString qsPath = i < 11 ? WriteProject(QStringLiteral("p%1.prj").arg(i)) : lOpened.last();
        m_pPrompts->AnswerQuestion(QMessageBox::No);
        m_pPrompts->AnswerOpenFile(qsPath);
        m_pWnd->s_OnOpenProjectMenu();
        lOpened.removeAll(qsPath);
        lOpened.prepend(qsPath);
    }
    lOpened = lOpened.mid(0, 10);
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    QCOMPARE(RecentTexts(), lOpened);
    QCOMPARE(RecentMenu()->actions().size(), 10);
    QVERIFY(RecentMenu()->isEnabled());

    // What "Lantrel.xml" holds is what the next start shows.
    QCOMPARE(g_SoftConf.Open(QStringLiteral("Lantrel.xml")), 0);
    QCOMPARE(g_SoftConf.ReadLastProjects(), 0);
    QStringList lStored;
    g_SoftConf.GetLastProjects(lStored);
    QCOMPARE(lStored, lOpened);
    Make();
    QCOMPARE(RecentTexts(), lOpened);
}

void TestProjectCommands::emptyRecentListDisablesTheMenu()
{
    Make();
    QVERIFY(!RecentMenu()->isEnabled());
    QCOMPARE(RecentMenu()->actions().size(), 10);
    QCOMPARE(RecentTexts(), QStringList());
}

void TestProjectCommands::recentEntryOpensItsProject()
{
    const QString qsA = WriteProject(QStringLiteral("a.prj"));
    const QString qsB = WriteProject(QStringLiteral("b.prj"), {FixtureRecord(2, 1, 3, 500, 500)});
    g_SoftConf.UpdateLastProjects({qsA, qsB});
    Make();
    QCOMPARE(RecentTexts(), (QStringList{qsA, qsB}));
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    RecentMenu()->actions().at(1)->trigger();
    QCOMPARE(RememberedName(), qsB);
    QCOMPARE(m_pWnd->AllFixtures().size(), 1);
    QCOMPARE(RecentTexts(), (QStringList{qsB, qsA}));
    QVERIFY(m_pTraces->Lines(TRACE_KIND_INFO).contains(QStringLiteral("Loading Last Project 1 - '%1'...").arg(qsB)));

    // Cancel at the question: nothing is opened.
    m_pPrompts->AnswerQuestion(QMessageBox::Cancel);
    QCOMPARE(m_pWnd->LoadLastProject(1), -15);
    QCOMPARE(RememberedName(), qsB);
    QCOMPARE(RecentTexts(), (QStringList{qsB, qsA}));
}

void TestProjectCommands::openThroughTheMenu()
{
    Make();
    const QString qsPath = WriteProject(QStringLiteral("open.prj"), TwoFixtures(), {});
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    m_pPrompts->AnswerOpenFile(qsPath);
    m_pWnd->findChild<QAction *>(QStringLiteral("actionOpen_Project"))->trigger();

    const QList<PromptCall_t> lCalls = m_pPrompts->Calls();
    QCOMPARE(lCalls.size(), 2);
    QCOMPARE(lCalls.at(0).qsTitle, QStringLiteral("Save Project ?"));
    QCOMPARE(lCalls.at(0).qsText, QStringLiteral("Do you want to save the current project?"));
    QCOMPARE(lCalls.at(1).eKind, PromptCall_t::OPEN_FILE);
    QCOMPARE(lCalls.at(1).qsTitle, QStringLiteral("Choose Project Configuration file"));
    QCOMPARE(lCalls.at(1).qsDetail, QStringLiteral("Projects"));
    QCOMPARE(lCalls.at(1).extra, QStringList{QStringLiteral("*.prj")});
    QCOMPARE(m_pWnd->AllFixtures().size(), 2);
    QCOMPARE(ProjectField(m_pWnd), qsPath);
    QCOMPARE(RememberedName(), qsPath);
    QVERIFY(
        m_pTraces->Lines(TRACE_KIND_INFO).contains(QStringLiteral("Load Project settings from '%1' ...").arg(qsPath)));

    // A cancelled file dialog leaves the project as it is.
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    m_pWnd->s_OnOpenProjectMenu();
    QCOMPARE(m_pWnd->AllFixtures().size(), 2);
    QCOMPARE(RememberedName(), qsPath);
}

void TestProjectCommands::openFailureKeepsTheProject_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("details");

    QTest::newRow("no such file") << QByteArray() << QStringList{"Can't open file : %1"} << QStringList{QString()};
    QTest::newRow("not XML") << QByteArray("<ProjectConfig><Workspace>")
                             << QStringList{"Failed to parse configuration file!"}
                             << QStringList{ErrorCodeDetail(-20) +
                                            "\n'%1' line 1, column 26: Premature end of document."};
    QTest::newRow("bad value") << QByteArray("<?xml version=\"1.0\"?>\n<ProjectConfig><Workspace><border show=\"true\" "
                                             "hor=\"x\" ver=\"0\" width=\"10\" height=\"10\"/></Workspace>"
                                             "</ProjectConfig>\n")
                               << QStringList{} << QStringList{};
}

void TestProjectCommands::openFailureKeepsTheProject()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, details);
    Make();
    const QString qsGood = WriteProject(QStringLiteral("good.prj"));
    QCOMPARE(m_pWnd->LoadProject(qsGood), 0);
    m_pWnd->AddLastProject(qsGood);
    m_pWnd->UpdateRecentProjectsMenu();
    const QByteArray baGood = ReadTestFile(qsGood);

    const QString qsBad = Path(QStringLiteral("bad.prj"));
    if (!content.isEmpty())
        QVERIFY(WriteTestFile(qsBad, content));
    m_pPrompts->Reset();
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    m_pPrompts->AnswerOpenFile(qsBad);
    m_pWnd->s_OnOpenProjectMenu();

    const QList<PromptCall_t> lBoxes = m_pPrompts->Messages();
    if (boxes.isEmpty()) {
        // A value the reader refuses: its own report, then the parse failure.
        QVERIFY(!lBoxes.isEmpty());
        QCOMPARE(lBoxes.last().qsText, QStringLiteral("Failed to parse configuration file!"));
    } else {
        QCOMPARE(lBoxes.size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(lBoxes.at(i).qsText, boxes.at(i).arg(qsBad));
            QCOMPARE(lBoxes.at(i).qsDetail, details.at(i).arg(qsBad));
        }
    }
    QCOMPARE(m_pWnd->AllFixtures().size(), 2);
    QCOMPARE(RememberedName(), qsGood);
    QCOMPARE(ProjectField(m_pWnd), qsGood);
    QCOMPARE(RecentTexts(), QStringList{qsGood});
    // The project still saves, to its own file, with the same bytes.
    m_pWnd->s_OnSaveProjectMenu();
    QCOMPARE(ReadTestFile(qsGood), baGood);
    if (!content.isEmpty())
        QCOMPARE(ReadTestFile(qsBad), content);
}

void TestProjectCommands::saveAsAddsTheSuffixTheUserLeftOut()
{
    Make();
    QVERIFY(QDir().mkpath(Path(QStringLiteral("my.dir"))));
    for (const auto &[pcTyped, pcSaved] : {std::pair{"my.dir/wall", "my.dir/wall.prj"}, {"wall.v2", "wall.v2"}}) {
        m_pPrompts->AnswerSaveFile(Path(QLatin1String(pcTyped)));
        m_pWnd->findChild<QAction *>(QStringLiteral("actionSave_Project_As"))->trigger();
        QCOMPARE(RememberedName(), Path(QLatin1String(pcSaved)));
        QVERIFY(QFile::exists(Path(QLatin1String(pcSaved))));
    }
}

void TestProjectCommands::goneRecentProjectLeavesTheMenu()
{
    const QString qsA = WriteProject(QStringLiteral("a.prj"));
    const QString qsGone = Path(QStringLiteral("gone.prj"));
    g_SoftConf.UpdateLastProjects({qsGone, qsA});
    Make();
    m_pPrompts->AnswerQuestion(QMessageBox::No);
    RecentMenu()->actions().at(0)->trigger();
    QCOMPARE(m_pPrompts->Messages().value(0).qsText, QStringLiteral("Can't open file : %1").arg(qsGone));
    QCOMPARE(RecentTexts(), QStringList{qsA});
    QStringList lStored;
    g_SoftConf.GetLastProjects(lStored);
    QCOMPARE(lStored, QStringList{qsA});
}

void TestProjectCommands::newProjectForgetsTheFileAndSaveAsSetsIt()
{
    Make();
    const QString qsA = WriteProject(QStringLiteral("a.prj"));
    const QByteArray baA = ReadTestFile(qsA);
    QCOMPARE(m_pWnd->LoadProject(qsA), 0);

    m_pPrompts->AnswerQuestion(QMessageBox::No);
    m_pWnd->findChild<QAction *>(QStringLiteral("actionNew_Project"))->trigger();
    QCOMPARE(m_pWnd->AllFixtures().size(), 0);
    QCOMPARE(ProjectField(m_pWnd), QStringLiteral("New Project"));
    QCOMPARE(RememberedName(), QString());
    QVERIFY(m_pTraces->Lines(TRACE_KIND_INFO).contains(QStringLiteral("New project ...")));

    // Save after New asks for a name: the file the previous project came from is not touched.
    const QString qsB = Path(QStringLiteral("b.prj"));
    m_pPrompts->AnswerSaveFile(qsB);
    m_pWnd->findChild<QAction *>(QStringLiteral("actionSave_Project"))->trigger();
    QCOMPARE(ReadTestFile(qsA), baA);
    QVERIFY(QFile::exists(qsB));
    QCOMPARE(RememberedName(), qsB);
    QCOMPARE(ProjectField(m_pWnd), qsB);

    // Save As goes to the new name and the next Save follows it without asking.
    const QString qsC = Path(QStringLiteral("c.prj"));
    m_pPrompts->AnswerSaveFile(qsC);
    m_pWnd->findChild<QAction *>(QStringLiteral("actionSave_Project_As"))->trigger();
    const PromptCall_t tSaveAs = m_pPrompts->Calls().last();
    QCOMPARE(tSaveAs.qsTitle, QStringLiteral("Save Project - Choose Project Configuration file"));
    QCOMPARE(tSaveAs.qsDetail, QFileInfo(qsB).path());
    QCOMPARE(tSaveAs.extra, QStringList{QStringLiteral("*.prj")});
    QCOMPARE(RememberedName(), qsC);
    QFile::remove(qsC);
    const int iCalls = int(m_pPrompts->Calls().size());
    m_pWnd->s_OnSaveProjectMenu();
    QCOMPARE(int(m_pPrompts->Calls().size()), iCalls);
    QVERIFY(QFile::exists(qsC));
    // Save As leaves the recent list alone.
    QCOMPARE(RecentTexts(), QStringList());
}

void TestProjectCommands::saveWithoutNameAsksOnceAndWritesOnce()
{
    Make();
    DrawUnsavedProject();
    QDir().mkpath(QStringLiteral("Projects"));
    // Cancelled: nothing written.
    m_pWnd->s_OnSaveProjectMenu();
    QCOMPARE(m_pPrompts->Calls().size(), 1);
    QCOMPARE(m_pPrompts->Calls().first().eKind, PromptCall_t::SAVE_FILE);
    QCOMPARE(m_pPrompts->Calls().first().qsDetail, QStringLiteral("Projects"));
    QCOMPARE(QDir(QStringLiteral("Projects")).entryList(QDir::Files), QStringList());

    m_pPrompts->Reset();
    const QString qsPath = Path(QStringLiteral("Projects/drawn.prj"));
    m_pPrompts->AnswerSaveFile(qsPath);
    m_pWnd->s_OnSaveProjectMenu();
    QCOMPARE(m_pPrompts->Calls().size(), 1);
    QCOMPARE(QDir(QStringLiteral("Projects")).entryList(QDir::Files), QStringList{QStringLiteral("drawn.prj")});
    QVERIFY(m_pTraces->Lines(TRACE_KIND_INFO).contains(QStringLiteral("Save project settings on '%1'...").arg(qsPath)));
    const QByteArray baSaved = ReadTestFile(qsPath);
    QVERIFY(baSaved.contains("<Fixtures"));
    QCOMPARE(baSaved.count("<Fixture "), 2);
}

void TestProjectCommands::cancelledOrFailedSaveQuestionDiscardsNothing_data()
{
    QTest::addColumn<QString>("saveAnswer"); // the Save As dialog's answer after Yes
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("boxes");
    QTest::newRow("cancel at the question") << QStringLiteral("<no dialog>") << -15 << 0;
    QTest::newRow("Save As cancelled") << QString() << -15 << 0;
    QTest::newRow("Save As failed") << QStringLiteral("no/such/folder/x.prj") << -13 << 1;
}

void TestProjectCommands::cancelledOrFailedSaveQuestionDiscardsNothing()
{
    QFETCH(QString, saveAnswer);
    QFETCH(int, status);
    QFETCH(int, boxes);
    Make();
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));
    DrawUnsavedProject();
    const QString qsOther = WriteProject(QStringLiteral("other.prj"), {FixtureRecord(3, 1, 1, 0, 0)});
    const auto answer = [&] {
        if (saveAnswer == QLatin1String("<no dialog>")) {
            m_pPrompts->AnswerQuestion(QMessageBox::Cancel);
            return;
        }
        m_pPrompts->AnswerQuestion(QMessageBox::Yes);
        m_pPrompts->AnswerSaveFile(saveAnswer.isEmpty() ? QString() : Path(saveAnswer));
    };

    answer();
    QCOMPARE(m_pWnd->NewProject(true), status);
    answer();
    m_pPrompts->AnswerOpenFile(qsOther); // never asked
    m_pWnd->s_OnOpenProjectMenu();
    answer();
    QCOMPARE(m_pWnd->UploadProject(), status);
    answer();
    QVERIFY(!m_pWnd->close());
    QVERIFY(m_pWnd->isVisible());

    QCOMPARE(m_pWnd->AllFixtures().size(), 2);
    QCOMPARE(RememberedName(), QString());
    QCOMPARE(ProjectField(m_pWnd), QStringLiteral("New Project"));
    QCOMPARE(int(m_pPrompts->Messages().size()), 4 * boxes);
    if (boxes)
        QCOMPARE(Boxes().first(),
                 QStringLiteral("Failed to save project to '%1'! | (Error Code = -13) - File save error!")
                     .arg(Path(saveAnswer)));
    for (const PromptCall_t &call : m_pPrompts->Calls())
        QVERIFY(call.eKind != PromptCall_t::OPEN_FILE);
}

void TestProjectCommands::closeSavesToTheProjectFileFirst()
{
    Make();
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));
    const QString qsA = WriteProject(QStringLiteral("a.prj"));
    QCOMPARE(m_pWnd->LoadProject(qsA), 0);
    QVERIFY(QFile::remove(qsA));
    m_pPrompts->AnswerQuestion(QMessageBox::Yes);
    QVERIFY(m_pWnd->close());
    QCOMPARE(m_pPrompts->Calls().size(), 1);
    QCOMPARE(ReadTestFile(qsA).count("<Fixture "), 2);
}

void TestProjectCommands::groupOfOneIsDissolved()
{
    Make();
    // A group that holds one fixture (an upload can bring one) is no group: the fixture keeps
    // its place on the screen and turns by both angles.
    ProjectFixture_t tAlone = FixtureRecord(1, 1, 1, 300, 200, 10, 5);
    tAlone.placement.anchorX = 310;
    tAlone.placement.anchorY = 220;
    const QList<ProjectFixture_t> lRecords{tAlone, FixtureRecord(1, 2, 1, 600, 600, 0, 6),
                                           FixtureRecord(1, 3, 1, 700, 600, 0, 6)};
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    QCOMPARE(m_pWnd->BuildSceneFromProject(lRecords, {GroupRecord(5, 300, 200, 20), GroupRecord(6, 600, 600)},
                                           lFixtures, lGroups),
             0);
    QCOMPARE(lGroups.size(), 1);
    GroupInfo_t tInfo;
    lGroups.first()->GetInfo(&tInfo);
    QCOMPARE(tInfo.number, quint16(6));
    QCOMPARE(lFixtures.size(), 1);
    CFixture *pFixture = lFixtures.first();
    QCOMPARE(pFixture->parentItem(), nullptr);
    RotationInfo_t t;
    pFixture->GetRotationInfo(&t);
    QCOMPARE(t.angle, 30);
    QCOMPARE(QPointF(t.anchorX, t.anchorY), QPointF(310, 220));
    QCOMPARE(QPointF(t.x, t.y), QPointF(300, 200));
    quint16 uGroup = 99;
    pFixture->GetGroupInfo(&uGroup, &t);
    QCOMPARE(uGroup, quint16(0));
    qDeleteAll(lGroups);
    qDeleteAll(lFixtures);
}

void TestProjectCommands::unknownGroupBuildsNothing()
{
    Make();
    const int iItemsBefore = int(m_pWnd->Scene()->items().size());
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    QCOMPARE(m_pWnd->BuildSceneFromProject({FixtureRecord(1, 1, 1, 10, 10, 0, 2), FixtureRecord(1, 2, 1, 80, 10, 0, 2),
                                            FixtureRecord(1, 3, 1, 150, 10, 0, 7)},
                                           {GroupRecord(2, 10, 10)}, lFixtures, lGroups),
             -1);
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList{"Unknown fixture group number 7!"});
    QCOMPARE(lFixtures.size(), 0);
    QCOMPARE(lGroups.size(), 0);
    QCOMPARE(int(m_pWnd->Scene()->items().size()), iItemsBefore);
}

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
