// The fixture lists and the paintbrush as an operator uses them, on a window linked to the
// simulated VPU: a wall painted, cabled by double-clicks and downloaded, its configuration
// writes checked against bytes that Python's struct packs on its own; the cabling sequence's
// numbers and links, the tab it holds, the chain limit that keeps a saved project loadable;
// paintbrush limits that never let a block leave the screen.
#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/groupsettings.h"
#include "scene/fixturegroup.h"
#include "panels/scene/sceneitemdata.h"
#include "scene/view.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/zelvorsim.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

// One FIXT_WRITE_CONFIG request per fixture (output, number, x, y, group, group anchor x, y)
// from the protocol table: address, luminosity register and percent, origin, angle, anchor,
// group number, angle and anchor, six SASU thresholds, four tiles of four bytes.
const char *const kPacker = R"(
import json, struct, sys
for f in json.loads(sys.argv[1]):
    reg = (512 << 20) | (512 << 10) | 512
    p = struct.pack('<BIIHHHhHHHhHH', f[0], f[1], reg, 100, f[2], f[3], 0, f[2], f[3], f[4], 0, f[5], f[6])
    p += struct.pack('<BbbBbb', 0, 90, 80, 0, 60, 50) + bytes([64, 64, 0, 0] + [0] * 12)
    print((struct.pack('<BI', 54, len(p)) + p).hex(' '))
)";

// As the platform delivers a double-click to a widget: a click, then the second press.
void DoubleClick(QWidget *pViewport, const QPoint &pos)
{
    QTest::mouseClick(pViewport, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(pViewport, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, pos);
}

QByteArray ReadFile(const QString &qsPath)
{
    QFile file(qsPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fixture's letter: 'A' for the one at x = 0, 'B' 48 pixels on.
QChar Letter(const QVariant &data)
{
    const CFixture *pFixture = AsFixture(ItemFromData(data));
    return pFixture ? QChar('A' + int(pFixture->scenePos().x()) / 48) : QChar('?');
}

} // namespace

class TestFixtureLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void wallFromNothing();
    void cablingSequenceAndUncabling();
    void tabHeldUntilMainWindowChangesIt();
    void chainLimitKeepsProjectLoadable();
    void groupFixturesSelectedInOneUpdate();
    void sceneTreeAndSasuList();
    void paintbrushLimits();
    void paintbrushNeverRefused();

private:
    Zelvor *Wnd() const { return m_pSim->Wnd(); }
    template <class T = QWidget> T *Child(const char *pcName) const
    {
        return Wnd()->findChild<T *>(QLatin1String(pcName));
    }
    // Opens a project of strips at (output, number), lettered from the left, on the cabling tab.
    void Load(const QList<QPair<int, int>> &fixtures);
    // "A3>B" per fixture of the output's chain (letter, number, next fixture), in tree order;
    // output 0: the not-cabled list.
    QString Chain(int iOutput) const;
    void ClickTab(int iTab) const;
    void ChooseMenu(QTreeWidget *pTree, QTreeWidgetItem *pItem, const QString &qsEntry);
    QTreeWidgetItem *Cabled(QChar cLetter) const;
    void DoubleClickNotCabled(QChar cLetter) const;
    void Type(const char *pcSpin, int iValue) const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
};

void TestFixtureLists::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestFixtureLists::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.0.151"));
    QVERIFY(m_pSim->Start());
    Wnd()->show();
    Wnd()->s_OnPaintBrushTools(true);
    QVERIFY(QTest::qWaitForWindowExposed(Wnd()));
}

void TestFixtureLists::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

void TestFixtureLists::Load(const QList<QPair<int, int>> &fixtures)
{
    QList<ProjectFixture_t> records;
    for (int i = 0; i < fixtures.size(); ++i)
        records.append(
            FixtureRecord(quint8(fixtures.at(i).first), quint32(fixtures.at(i).second), 5, i * 48 % 1920, i / 40 * 16));
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("cabling.prj"));
    QCOMPARE(WriteProjectFile(qsPath, records, {}), 0);
    QCOMPARE(Wnd()->LoadProject(qsPath), 0);
    ClickTab(1);
    Child<QTreeWidget>("m_pCabledTree")->expandAll();
}

QString TestFixtureLists::Chain(int iOutput) const
{
    QList<QVariant> data;
    auto *pList = Child<QListWidget>("m_pNotCabledList");
    QTreeWidgetItem *pOutput = Child<QTreeWidget>("m_pCabledTree")->topLevelItem(qMax(iOutput - 1, 0));
    for (int i = 0; i < (iOutput ? pOutput->childCount() : pList->count()); ++i)
        data.append(iOutput ? pOutput->child(i)->data(0, Qt::UserRole) : pList->item(i)->data(Qt::UserRole));
    QStringList parts;
    for (const QVariant &v : data) {
        const CFixture *pFixture = AsFixture(ItemFromData(v));
        quint32 uNumber = 0;
        pFixture->GetNumber(nullptr, &uNumber);
        parts.append(Letter(v) + QString::number(uNumber));
        if (CFixture *pNext = pFixture->GetNextFixture())
            parts.last() += QLatin1Char('>') + Letter(ItemToData(pNext));
    }
    return parts.join(QLatin1Char(' '));
}

void TestFixtureLists::ClickTab(int iTab) const
{
    QTabBar *pBar = Child<QTabWidget>("m_pListTab")->tabBar();
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(iTab).center());
}

void TestFixtureLists::ChooseMenu(QTreeWidget *pTree, QTreeWidgetItem *pItem, const QString &qsEntry)
{
    QMenu menu;
    pTree->scrollToItem(pItem);
    const QPoint pos = pTree->visualItemRect(pItem).center();
    FixtureLists *pLists = Wnd()->m_pFixtureLists;
    QVERIFY(pTree->objectName() == "m_pCabledTree" ? pLists->FillCablingMenu(&menu, pos)
                                                   : pLists->FillSceneMenu(&menu, pos));
    for (QAction *pAction : menu.actions()) {
        if (pAction->text() == qsEntry)
            return pAction->trigger();
    }
    QFAIL(qPrintable(qsEntry + QStringLiteral(" not offered")));
}

QTreeWidgetItem *TestFixtureLists::Cabled(QChar cLetter) const
{
    for (QTreeWidgetItem *pItem :
         Child<QTreeWidget>("m_pCabledTree")->findItems(QStringLiteral("L*"), Qt::MatchWildcard | Qt::MatchRecursive)) {
        if (Letter(pItem->data(0, Qt::UserRole)) == cLetter)
            return pItem;
    }
    return nullptr;
}

void TestFixtureLists::DoubleClickNotCabled(QChar cLetter) const
{
    auto *pList = Child<QListWidget>("m_pNotCabledList");
    for (int i = 0; i < pList->count(); ++i) {
        if (Letter(pList->item(i)->data(Qt::UserRole)) != cLetter)
            continue;
        pList->scrollToItem(pList->item(i));
        return DoubleClick(pList->viewport(), pList->visualItemRect(pList->item(i)).center());
    }
}

void TestFixtureLists::Type(const char *pcSpin, int iValue) const
{
    Child<QSpinBox>(pcSpin)->selectAll();
    QTest::keyClicks(Child(pcSpin), QString::number(iValue));
    QTest::keyClick(Child(pcSpin), Qt::Key_Return);
}

void TestFixtureLists::wallFromNothing()
{
    // The wall as it hangs: output 1 runs SASU, then the left LPU, then the right one; the
    // VPU reports every output enumerated, those without fixtures too.
    for (quint32 n : {1, 2, 3})
        m_pSim->Device().AddFixture(1, n, SimFixtureConfig(n, n == 3 ? 0x10000001 : 1, 0, 0, 0, 0, 0, 0, 0));
    m_pSim->Model().SetHandler(40, [](VpuSimRequest &r) {
        return r.Reply(41, QByteArray::fromHex("01010101"
                                               "0200000000000000"
                                               "0100000000000000"));
    });
    Wnd()->SetOnline(true);
    for (const auto &[qsType, values] : {std::pair<QString, QList<int>>{"LPU 64x64", {100, 200, 2}},
                                         std::pair<QString, QList<int>>{"SASU 64x64 Temp", {400, 200}}}) {
        Child<QComboBox>("m_pFixtTypeCbBox")->setCurrentText(qsType);
        const char *const spins[] = {"m_pPosHorSpin", "m_pPosVertSpin", "m_pHorGroupSizeSpin"};
        for (int i = 0; i < values.size(); ++i)
            Type(spins[i], values.at(i));
        QTest::mouseClick(Child("m_pAddFixtureBtn"), Qt::LeftButton);
    }
    QCOMPARE(Wnd()->AllFixtures().size(), 3);

    ClickTab(1);
    auto *pTree = Child<QTreeWidget>("m_pCabledTree");
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, pTree->visualItemRect(pTree->topLevelItem(0)).center());
    QTest::mouseClick(Child("m_pStartStopCablingBtn"), Qt::LeftButton);
    // The head first: the SASU on the scene, the left LPU in the list, the right one on the scene.
    QGraphicsView *pView = Wnd()->GetView();
    DoubleClick(pView->viewport(), pView->mapFromScene(QPointF(432, 232)));
    auto *pNotCabled = Child<QListWidget>("m_pNotCabledList");
    DoubleClick(pNotCabled->viewport(), pNotCabled->visualItemRect(pNotCabled->item(0)).center());
    DoubleClick(pView->viewport(), pView->mapFromScene(QPointF(196, 232)));
    QVERIFY(!Wnd()->m_pFixtureLists->IsCablingSequence());
    ClickTab(0);

    QTest::mouseClick(Child("m_pEnumerateBtn"), Qt::LeftButton);
    QVERIFY(m_pSim->WaitEnabled());
    m_pPrompts->AnswerQuestion(QMessageBox::Yes);
    QTest::mouseClick(Child("m_pDownloadBtn"), Qt::LeftButton);
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(MessageTexts(*m_pPrompts), QStringList());
    QCOMPARE(Wnd()->statusBar()->currentMessage(), QStringLiteral("Project downloaded to VPU!"));
    QStringList ids;
    QList<QByteArray> requests, writes;
    for (const VpuSimLogEntry &entry : m_pSim->Model().Log()) {
        if (!entry.bFromHost || entry.bRaw)
            continue;
        requests.append(entry.baBytes);
        ids.append(QString::number(quint8(entry.baBytes.at(0))));
        if (ids.last() == "54")
            writes.append(entry.baBytes);
    }
    QCOMPARE(ids.join(' '), QStringLiteral("39 40 40 42 42 42 54 54 54 33 33 31 31 58"));
    QCOMPARE(requests.at(9).mid(5, 4).toHex(' ') + '|' + requests.at(10).mid(5, 4).toHex(' '),
             QByteArray("01 00 00 00|00 00 00 00"));
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(kPacker),
                                             "[[1,1,164,200,1,100,200],[1,2,100,200,1,100,200],[1,3,400,200,0,0,0]]"});
    QVERIFY(python.waitForFinished(30000) && python.exitCode() == 0);
    QCOMPARE(HexList(writes).join('\n') + '\n', QString::fromLatin1(python.readAllStandardOutput()));

    const QString qsFirst = m_pBase->Env().FilePath(QStringLiteral("wall.prj"));
    const QString qsSecond = m_pBase->Env().FilePath(QStringLiteral("wall2.prj"));
    QCOMPARE(Wnd()->SaveProject(qsFirst), 0);
    QCOMPARE(Wnd()->LoadProject(qsFirst), 0);
    QCOMPARE(Wnd()->SaveProject(qsSecond), 0);
    QVERIFY(!ReadFile(qsFirst).isEmpty());
    QCOMPARE(ReadFile(qsSecond), ReadFile(qsFirst));
}

void TestFixtureLists::cablingSequenceAndUncabling()
{
    Load({{2, 3}, {2, 2}, {2, 1}, {0, 0}, {0, 1}}); // A, B, X (here C), D, E
    auto *pButton = Child<QPushButton>("m_pStartStopCablingBtn");
    auto *pTree = Child<QTreeWidget>("m_pCabledTree");
    QCOMPARE(Chain(2), QStringLiteral("A3>B B2>C C1"));
    QVERIFY(!pButton->isEnabled());
    ChooseMenu(pTree, Cabled('B'), QStringLiteral("&Start Cabling From Here"));
    QCOMPARE(Chain(2) + '|' + Chain(0), QStringLiteral("A2>B B1|D0 E1 C2"));
    QCOMPARE(pButton->text(), QStringLiteral("Stop Cabling Sequence"));
    DoubleClickNotCabled('D');
    QCOMPARE(Chain(2) + '|' + Chain(0), QStringLiteral("A3>B B2>D D1|E0 C1"));
    DoubleClickNotCabled('E');
    QCOMPARE(Chain(2), QStringLiteral("A4>B B3>D D2>E E1"));
    QCOMPARE(pTree->topLevelItem(1)->child(0)->text(0), QStringLiteral("L2.4"));
    QVERIFY(pButton->isEnabled());
    DoubleClickNotCabled('C'); // the last one ends the sequence
    QCOMPARE(Chain(2), QStringLiteral("A5>B B4>D D3>E E2>C C1"));
    QCOMPARE(pButton->text(), QStringLiteral("Start Cabling Sequence"));
    QVERIFY(!pButton->isEnabled());

    ChooseMenu(pTree, Cabled('B'), QStringLiteral("&Uncable Fixture"));
    QCOMPARE(Chain(2) + '|' + Chain(0), QStringLiteral("A4>D D3>E E2>C C1|B0"));
    ChooseMenu(pTree, Cabled('E'), QStringLiteral("&Uncable selected fixture and nexts"));
    QCOMPARE(Chain(2) + '|' + Chain(0), QStringLiteral("A2>D D1|B0 E1 C2"));
    ChooseMenu(pTree, pTree->topLevelItem(1), QStringLiteral("&Uncable all fixtures"));
    QCOMPARE(Chain(2) + '|' + Chain(0), QStringLiteral("|B0 E1 C2 A3 D4"));
    // Start needs exactly one cabled-tree item selected and something left to cable.
    pTree->topLevelItem(0)->setSelected(true);
    QVERIFY(pButton->isEnabled());
    pTree->topLevelItem(3)->setSelected(true);
    QVERIFY(!pButton->isEnabled());
}

void TestFixtureLists::tabHeldUntilMainWindowChangesIt()
{
    Load({{1, 1}, {0, 0}});
    ChooseMenu(Child<QTreeWidget>("m_pCabledTree"), Cabled('A'), QStringLiteral("&Start Cabling From Here"));
    ClickTab(0);
    QCOMPARE(Child<QTabWidget>("m_pListTab")->currentIndex(), 1);
    QVERIFY(Wnd()->IsCablingMode());
    QCOMPARE(Wnd()->NewProject(false), 0);
    QCOMPARE(Child<QTabWidget>("m_pListTab")->currentIndex(), 0);
    QVERIFY(!Wnd()->IsCablingMode());
    QCOMPARE(Child<QPushButton>("m_pStartStopCablingBtn")->text(), QStringLiteral("Start Cabling Sequence"));
}

void TestFixtureLists::chainLimitKeepsProjectLoadable()
{
    QList<QPair<int, int>> fixtures{{0, 0}};
    for (int n = 256; n >= 1; --n)
        fixtures.append({1, n});
    Load(fixtures);
    auto *pTree = Child<QTreeWidget>("m_pCabledTree");
    ChooseMenu(pTree, pTree->topLevelItem(0)->child(255), QStringLiteral("&Start Cabling From Here"));
    DoubleClickNotCabled('A');
    QCOMPARE(MessageTexts(*m_pPrompts),
             QStringList{"HDMI Output 1 already holds 256 fixtures, the most it can drive: L0.0 is not cabled!"});
    QVERIFY(!Wnd()->m_pFixtureLists->IsCablingSequence());
    QCOMPARE(Chain(0), QStringLiteral("A0"));
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("full.prj"));
    QCOMPARE(Wnd()->SaveProject(qsPath), 0);
    QCOMPARE(Wnd()->LoadProject(qsPath), 0);
    QCOMPARE(Wnd()->AllFixtures().size(), 257);
}

void TestFixtureLists::groupFixturesSelectedInOneUpdate()
{
    QList<FixtureType_t> types;
    g_SoftConf.GetFixtureTypes(types);
    QCOMPARE(Wnd()->AddFixtures(types.at(4), 0, 0, 39, 66), 0); // 2680 strips
    Wnd()->ClearHighlight();
    auto *pTree = Child<QTreeWidget>("m_pSceneListTree");
    pTree->expandAll();
    QSignalSpy treeSpy(pTree, &QTreeWidget::itemSelectionChanged);
    ChooseMenu(pTree, pTree->topLevelItem(0)->child(7), QStringLiteral("&Select Group's Fixtures"));
    QCOMPARE(treeSpy.count(), 1);
    QCOMPARE(Wnd()->Scene()->selectedItems().size(), 2681);
    ChooseMenu(pTree, pTree->topLevelItem(0), QStringLiteral("&UnSelect Group's Fixtures"));
    QVERIFY(Wnd()->Scene()->selectedItems().isEmpty());
}

void TestFixtureLists::sceneTreeAndSasuList()
{
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("tree.prj"));
    QCOMPARE(WriteProjectFile(qsPath,
                              {FixtureRecord(2, 5, 5, 0, 0), FixtureRecord(0, 1, 5, 48, 0), FixtureRecord(1, 9, 5, 96, 0),
                               FixtureRecord(0, 7, 5, 144, 0, 0, 3), FixtureRecord(0, 8, 5, 192, 0, 0, 3),
                               FixtureRecord(2, 1, 0x10000001, 300, 100), FixtureRecord(1, 4, 0x10000001, 400, 100)},
                              {GroupRecord(3, 144, 0)}),
             0);
    QCOMPARE(Wnd()->LoadProject(qsPath), 0);
    auto *pTree = Child<QTreeWidget>("m_pSceneListTree");
    QStringList lLabels;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        lLabels.append(pTree->topLevelItem(i)->text(0).section(QLatin1Char(' '), 0, 0));
    auto *pSasus = Child<QListWidget>("m_pSASUList");
    for (int i = 0; i < pSasus->count(); ++i)
        lLabels.append(pSasus->item(i)->text());
    // The SASU list by number alone, the outputs not compared.
    QCOMPARE(lLabels.join(' '), QStringLiteral("G3 L0.1 S1.4 L1.9 S2.1 L2.5 S2.1 S1.4"));

    // A scene change selects its tree item with one selection signal, and nothing comes back.
    Wnd()->Scene()->clearSelection();
    QSignalSpy treeSpy(pTree, &QTreeWidget::itemSelectionChanged);
    CFixtureGroup *pGroup = Wnd()->Groups().first();
    pGroup->setSelected(true);
    QCOMPARE(treeSpy.count(), 1);
    QCOMPARE(pTree->selectedItems(), QList<QTreeWidgetItem *>{pTree->topLevelItem(0)});
    QCOMPARE(Wnd()->Scene()->selectedItems(), QList<QGraphicsItem *>{pGroup});
    QCOMPARE(Wnd()->m_pGroupSettings->findChild<QComboBox *>("m_pGroupNameCbBox")->currentText(), "G3");
    // A group's item clicked in the tree selects the group, not its members.
    Wnd()->Scene()->clearSelection();
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, pTree->visualItemRect(pTree->topLevelItem(0)).center());
    QCOMPARE(Wnd()->Scene()->selectedItems(), QList<QGraphicsItem *>{pGroup});
}

void TestFixtureLists::paintbrushLimits()
{
    const QStringList lines = m_pBase->Traces().Infos();
    const qsizetype i = lines.lastIndexOf(QStringLiteral("Select Fixture type 'LPU 64x64' - Type = 0x00000001 - "
                                                         "Manufacturer code = 0x00000001 - Width = 64 - Height = 64"));
    QVERIFY(i >= 0);
    QCOMPARE(lines.mid(i + 1, 5),
             (QStringList{"Update maximum horizontal group size to 30", "Update maximum vertical group size to 16",
                          "Fixture group is selected", "Update maximum left position to 1856",
                          "Update maximum top position to 1016"}));
    // A SASU is placed as a block of one: where the last type stood it no longer fits.
    Type("m_pPosHorSpin", 1856);
    m_pBase->Traces().Clear();
    Child<QComboBox>("m_pFixtTypeCbBox")->setCurrentText(QStringLiteral("SASU 128x64 Env"));
    QCOMPARE(Child<QSpinBox>("m_pPosHorSpin")->value(), 0);
    QVERIFY(m_pBase->Traces().Contains(QStringLiteral("Previous Horizontal group number and position does not fit on "
                                                      "full screen width. Reset settings to 1 fixture number and 0 "
                                                      "offset!")));
    QCOMPARE(Child<QSpinBox>("m_pPosHorSpin")->maximum(), 1792);
}

void TestFixtureLists::paintbrushNeverRefused()
{
    QList<FixtureType_t> types;
    g_SoftConf.GetFixtureTypes(types);
    auto *pGroupBox = Child<QGroupBox>("m_pGroupSizeGpBox");
    const char *const spins[] = {"m_pHorGroupSizeSpin", "m_pVerGroupSizeSpin", "m_pPosHorSpin", "m_pPosVertSpin"};
    QRandomGenerator random(15);
    for (int iStep = 0; iStep < 400; ++iStep) {
        const int iAction = int(random.bounded(10));
        const char *pcSpin = spins[random.bounded(4)];
        if (iAction == 0)
            Child<QComboBox>("m_pFixtTypeCbBox")->setCurrentIndex(int(random.bounded(int(types.size()))));
        else if (iAction == 1 && pGroupBox->isEnabled())
            pGroupBox->setChecked(!pGroupBox->isChecked());
        else if (Child(pcSpin)->isEnabled()) // half of the values at the limit, where the faults live
            Type(pcSpin, random.bounded(2) ? Child<QSpinBox>(pcSpin)->maximum() : int(random.bounded(2000)));
        const FixtureType_t &type = types.at(Child<QComboBox>("m_pFixtTypeCbBox")->currentIndex());
        const int iAcross = pGroupBox->isChecked() ? Child<QSpinBox>(spins[0])->value() : 1;
        const int iDown = pGroupBox->isChecked() ? Child<QSpinBox>(spins[1])->value() : 1;
        const int iLeft = Child<QSpinBox>(spins[2])->value();
        const int iTop = Child<QSpinBox>(spins[3])->value();
        const QByteArray state = QString::asprintf("step %d: %d x %d of %s at %d, %d", iStep, iAcross, iDown,
                                                   qPrintable(type.name), iLeft, iTop)
                                     .toUtf8();
        QVERIFY2(iAcross >= 1 && iDown >= 1 && iLeft + iAcross * type.width <= 1920 &&
                     iTop + iDown * type.height <= 1080,
                 state.constData());
        if (iStep % 40 == 39) {
            QTest::mouseClick(Child("m_pAddFixtureBtn"), Qt::LeftButton);
            QVERIFY2(m_pPrompts->Messages().isEmpty() && !Wnd()->AllFixtures().isEmpty(), state.constData());
            QCOMPARE(Wnd()->NewProject(false), 0);
        }
    }
}

QTEST_MAIN(TestFixtureLists)
#include "tst_fixturelists.moc"
