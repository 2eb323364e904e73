// A wall built from nothing, as an operator does it: two blocks painted (LPUs, then a SASU),
// cabled by double-clicks on the scene and on the list, enumerated and downloaded to the
// simulated VPU through the tool bar; the configuration writes are checked against bytes that
// Python's struct packs from the layout on its own, and the project survives save, open, save.
#include "mainwindow/toolbox.h"
#include "mainwindow/zelvor.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/paintbrushtools.h"
#include "scene/view.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/zelvorsim.h"

#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

// One FIXT_WRITE_CONFIG request per fixture, packed from the protocol table: address,
// luminosity register and percent, origin, angle, anchor, group number, angle and anchor,
// the six SASU thresholds, four tiles of four bytes.
const char *const kPacker = R"(
import json, struct, sys
for f in json.loads(sys.argv[1]):
    reg = (512 << 20) | (512 << 10) | 512
    p = struct.pack('<BIIHHHhHHHhHH', f[0], f[1], reg, 100, f[2], f[3], 0, f[2], f[3], f[4], 0, f[5], f[6])
    p += struct.pack('<BbbBbb', 0, 90, 80, 0, 60, 50) + bytes([64, 64, 0, 0] + [0] * 12)
    print((struct.pack('<BI', 54, len(p)) + p).hex(' '))
)";

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

} // namespace

class TestWallFromNothing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void paintCableDownloadSave();

private:
    void Paint(const QString &qsType, int iLeft, int iTop, int iAcross);
    void Type(const char *pcSpin, int iValue);
    template <class T> T *Child(QObject *pParent, const char *pcName)
    {
        return pParent->findChild<T *>(QLatin1String(pcName));
    }

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    Zelvor *m_pWnd = nullptr;
};

void TestWallFromNothing::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestWallFromNothing::Type(const char *pcSpin, int iValue)
{
    QSpinBox *pSpin = Child<QSpinBox>(m_pWnd->m_pPaintBrushTools, pcSpin);
    pSpin->setFocus();
    pSpin->selectAll();
    QTest::keyClicks(pSpin, QString::number(iValue));
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSpin->value(), iValue);
}

void TestWallFromNothing::Paint(const QString &qsType, int iLeft, int iTop, int iAcross)
{
    auto *pCombo = Child<QComboBox>(m_pWnd->m_pPaintBrushTools, "m_pFixtTypeCbBox");
    pCombo->setCurrentIndex(pCombo->findText(qsType));
    QCOMPARE(pCombo->currentText(), qsType);
    Type("m_pPosHorSpin", iLeft);
    Type("m_pPosVertSpin", iTop);
    if (iAcross > 1)
        Type("m_pHorGroupSizeSpin", iAcross);
    QTest::mouseClick(Child<QPushButton>(m_pWnd->m_pPaintBrushTools, "m_pAddFixtureBtn"), Qt::LeftButton);
}

void TestWallFromNothing::paintCableDownloadSave()
{
    ScriptedPrompts prompts;
    ZelvorOnSim sim(QStringLiteral("127.0.0.151"));
    // The wall as it hangs: output 1 runs SASU, then the left LPU, then the right one.
    sim.Device().AddFixture(1, 1, SimFixtureConfig(0x101, 0x00000001, 0, 0, 0, 0, 0, 0, 0));
    sim.Device().AddFixture(1, 2, SimFixtureConfig(0x102, 0x00000001, 0, 0, 0, 0, 0, 0, 0));
    sim.Device().AddFixture(1, 3, SimFixtureConfig(0x103, 0x10000001, 0, 0, 0, 0, 0, 0, 0));
    // A VPU reports every output enumerated, those without fixtures too.
    sim.Model().SetHandler(40, [](VpuSimRequest &r) {
        return r.Reply(41, QByteArray::fromHex("01010101"
                                               "0200000000000000"
                                               "0100000000000000"));
    });
    QVERIFY(sim.Start());
    m_pWnd = sim.Wnd();
    m_pWnd->SetOnline(true);
    m_pWnd->show();
    m_pWnd->s_OnPaintBrushTools(true);
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));

    Paint(QStringLiteral("LPU 64x64"), 100, 200, 2);
    Paint(QStringLiteral("SASU 64x64 Temp"), 400, 200, 1);
    QCOMPARE(prompts.Messages().size(), 0);
    QCOMPARE(m_pWnd->AllFixtures().size(), 3);

    FixtureLists *pLists = m_pWnd->m_pFixtureLists;
    QTabBar *pTabs = Child<QTabWidget>(pLists, "m_pListTab")->tabBar();
    QTest::mouseClick(pTabs, Qt::LeftButton, {}, pTabs->tabRect(1).center());
    auto *pTree = Child<QTreeWidget>(pLists, "m_pCabledTree");
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, pTree->visualItemRect(pTree->topLevelItem(0)).center());
    QTest::mouseClick(Child<QPushButton>(pLists, "m_pStartStopCablingBtn"), Qt::LeftButton);
    QVERIFY(pLists->IsCablingSequence());

    // The head first: the SASU on the scene, the left LPU in the list, the right one on the scene.
    QGraphicsView *pView = m_pWnd->GetView();
    DoubleClick(pView->viewport(), pView->mapFromScene(QPointF(432, 232)));
    auto *pNotCabled = Child<QListWidget>(pLists, "m_pNotCabledList");
    QCOMPARE(pNotCabled->count(), 2);
    DoubleClick(pNotCabled->viewport(), pNotCabled->visualItemRect(pNotCabled->item(0)).center());
    DoubleClick(pView->viewport(), pView->mapFromScene(QPointF(196, 232)));
    QVERIFY(!pLists->IsCablingSequence());
    QStringList chain;
    for (int i = 0; i < pTree->topLevelItem(0)->childCount(); ++i)
        chain.append(pTree->topLevelItem(0)->child(i)->text(0));
    QCOMPARE(chain, (QStringList{"S1.3", "L1.2", "L1.1"}));
    QTest::mouseClick(pTabs, Qt::LeftButton, {}, pTabs->tabRect(0).center());

    QTest::mouseClick(Child<QPushButton>(m_pWnd->m_pToolBox, "m_pEnumerateBtn"), Qt::LeftButton);
    QVERIFY(sim.WaitEnabled());
    prompts.AnswerQuestion(QMessageBox::Yes);
    QTest::mouseClick(Child<QPushButton>(m_pWnd->m_pToolBox, "m_pDownloadBtn"), Qt::LeftButton);
    QVERIFY(sim.WaitEnabled());
    QCOMPARE(MessageTexts(prompts).join('|'), QString());
    QCOMPARE(m_pWnd->statusBar()->currentMessage(), QStringLiteral("Project downloaded to VPU!"));

    QList<QByteArray> requests, writes;
    for (const VpuSimLogEntry &entry : sim.Model().Log()) {
        if (!entry.bFromHost || entry.bRaw)
            continue;
        requests.append(entry.baBytes);
        if (quint8(entry.baBytes.at(0)) == 54)
            writes.append(entry.baBytes);
    }
    QStringList ids;
    for (const QByteArray &ba : requests)
        ids.append(QString::number(quint8(ba.at(0))));
    QCOMPARE(ids.join(' '), QStringLiteral("39 40 40 42 42 42 54 54 54 33 33 31 31 58"));
    QCOMPARE(requests.at(9).mid(5, 4).toHex(' '), QByteArray("01 00 00 00"));
    QCOMPARE(requests.at(10).mid(5, 4).toHex(' '), QByteArray("00 00 00 00"));

    // (output, number, x, y, group, group anchor x, y): the right LPU is number 1.
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QLatin1String(kPacker),
                  QStringLiteral("[[1,1,164,200,1,100,200],[1,2,100,200,1,100,200],[1,3,400,200,0,0,0]]")});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(python.exitCode(), 0);
    QCOMPARE(HexList(writes).join('\n') + '\n', QString::fromLatin1(python.readAllStandardOutput()));

    const QString qsFirst = m_pBase->Env().FilePath(QStringLiteral("wall.prj"));
    const QString qsSecond = m_pBase->Env().FilePath(QStringLiteral("wall2.prj"));
    QCOMPARE(m_pWnd->SaveProject(qsFirst), 0);
    QCOMPARE(m_pWnd->LoadProject(qsFirst), 0);
    QCOMPARE(m_pWnd->SaveProject(qsSecond), 0);
    QVERIFY(!ReadFile(qsFirst).isEmpty());
    QCOMPARE(ReadFile(qsSecond), ReadFile(qsFirst));
}

QTEST_MAIN(TestWallFromNothing)
#include "tst_wallfromnothing.moc"
