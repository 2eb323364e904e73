// The paintbrush as an operator uses it with the shipped catalogue: its first selection, the
// resets when a type no longer fits where the last one stood, and that no sequence of type
// changes and typed values ever asks the main window for a block off the screen.
#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "panels/scene/paintbrushtools.h"
#include "support/scriptedprompts.h"
#include "support/tracecapture.h"
#include "support/zelvorsim.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const char *const kResetAcross = "Previous Horizontal group number and position does not fit on full screen width. "
                                 "Reset settings to 1 fixture number and 0 offset!";

} // namespace

class TestPaintBrush : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstSelectionAndAdd();
    void typeChangeKeepsBlockOnScreen_data();
    void typeChangeKeepsBlockOnScreen();
    void noSequenceReachesRefusedBlock();

private:
    QSpinBox *Spin(const char *pcName) const { return m_pBrush->findChild<QSpinBox *>(QLatin1String(pcName)); }
    void Type(QSpinBox *pSpin, int iValue);
    void Choose(const QString &qsType);

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ShownZelvor> m_pShown;
    Zelvor *m_pWnd = nullptr;
    PaintBrushTools *m_pBrush = nullptr;
    QComboBox *m_pCombo = nullptr;
};

void TestPaintBrush::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestPaintBrush::init()
{
    m_pBase->Traces().Clear();
    m_pShown = std::make_unique<ShownZelvor>();
    m_pWnd = m_pShown->Wnd();
    m_pWnd->s_OnPaintBrushTools(true);
    QVERIFY(m_pShown->Show());
    m_pBrush = m_pWnd->m_pPaintBrushTools;
    m_pCombo = m_pBrush->findChild<QComboBox *>(QStringLiteral("m_pFixtTypeCbBox"));
}

void TestPaintBrush::cleanup()
{
    m_pShown.reset();
}

void TestPaintBrush::Type(QSpinBox *pSpin, int iValue)
{
    pSpin->setFocus();
    pSpin->selectAll();
    QTest::keyClicks(pSpin, QString::number(iValue));
    QTest::keyClick(pSpin, Qt::Key_Return);
}

void TestPaintBrush::Choose(const QString &qsType)
{
    const int iIndex = m_pCombo->findText(qsType);
    QVERIFY(iIndex >= 0);
    m_pCombo->setCurrentIndex(iIndex);
}

void TestPaintBrush::firstSelectionAndAdd()
{
    const QStringList lines = m_pBase->Traces().Infos();
    const qsizetype i = lines.indexOf(QStringLiteral("Select Fixture type 'LPU 64x64' - Type = 0x00000001 - "
                                                     "Manufacturer code = 0x00000001 - Width = 64 - Height = 64"));
    QVERIFY(i >= 0);
    QCOMPARE(lines.mid(i + 1, 5),
             (QStringList{"Update maximum horizontal group size to 30", "Update maximum vertical group size to 16",
                          "Fixture group is selected", "Update maximum left position to 1856",
                          "Update maximum top position to 1016"}));
    QCOMPARE(Spin("m_pHorGroupSizeSpin")->maximum(), 30);
    QCOMPARE(Spin("m_pVerGroupSizeSpin")->maximum(), 16);

    Type(Spin("m_pPosHorSpin"), 100);
    Type(Spin("m_pPosVertSpin"), 50);
    Type(Spin("m_pHorGroupSizeSpin"), 3);
    Type(Spin("m_pVerGroupSizeSpin"), 2);
    QTest::mouseClick(m_pBrush->findChild<QPushButton *>(QStringLiteral("m_pAddFixtureBtn")), Qt::LeftButton);
    QVERIFY(m_pBase->Traces().Contains(QStringLiteral("Add Fixtures : 'LPU 64x64' - Horizontal Number=3 - Vertical "
                                                      "Number=2 - top-left-hor=100 - top-left-ver=50")));
    QCOMPARE(m_pWnd->AllFixtures().size(), 6);
    QCOMPARE(m_pWnd->Groups().size(), 1);
}

void TestPaintBrush::typeChangeKeepsBlockOnScreen_data()
{
    QTest::addColumn<int>("iLeft");
    QTest::addColumn<int>("iAcross");
    QTest::addColumn<QString>("qsType");
    QTest::addColumn<int>("iLeftAfter");
    QTest::addColumn<int>("iAcrossAfter");
    QTest::addColumn<int>("iAcrossMax");
    QTest::addColumn<int>("iLeftMax");
    QTest::addColumn<bool>("bReset");

    QTest::newRow("wider type resets") << 1800 << 1 << "LPU 128x64" << 0 << 1 << 15 << 1792 << true;
    QTest::newRow("block still fits") << 640 << 20 << "LPU 48x16 Strip" << 640 << 20 << 26 << 960 << false;
    QTest::newRow("SASU past the edge") << 1856 << 1 << "SASU 128x64 Env" << 0 << 1 << 15 << 1792 << true;
    QTest::newRow("SASU after a block") << 640 << 20 << "SASU 64x64 Temp" << 640 << 1 << 20 << 1856 << false;
}

void TestPaintBrush::typeChangeKeepsBlockOnScreen()
{
    QFETCH(int, iLeft);
    QFETCH(int, iAcross);
    QFETCH(QString, qsType);
    Type(Spin("m_pPosHorSpin"), iLeft);
    Type(Spin("m_pHorGroupSizeSpin"), iAcross);
    QCOMPARE(Spin("m_pPosHorSpin")->value(), iLeft);
    QCOMPARE(Spin("m_pHorGroupSizeSpin")->value(), iAcross);
    m_pBase->Traces().Clear();

    Choose(qsType);
    QTEST(Spin("m_pPosHorSpin")->value(), "iLeftAfter");
    QTEST(Spin("m_pHorGroupSizeSpin")->value(), "iAcrossAfter");
    QTEST(Spin("m_pHorGroupSizeSpin")->maximum(), "iAcrossMax");
    QTEST(Spin("m_pPosHorSpin")->maximum(), "iLeftMax");
    QTEST(m_pBase->Traces().Contains(QLatin1String(kResetAcross)), "bReset");
    QCOMPARE(m_pBrush->findChild<QGroupBox *>(QStringLiteral("m_pGroupSizeGpBox"))->isEnabled(),
             !qsType.startsWith(QLatin1String("SASU")));
    QTest::mouseClick(m_pBrush->findChild<QPushButton *>(QStringLiteral("m_pAddFixtureBtn")), Qt::LeftButton);
    QCOMPARE(MessageTexts(m_pShown->Prompts()), QStringList());
}

void TestPaintBrush::noSequenceReachesRefusedBlock()
{
    QList<FixtureType_t> types;
    g_SoftConf.GetFixtureTypes(types);
    auto *pGroupBox = m_pBrush->findChild<QGroupBox *>(QStringLiteral("m_pGroupSizeGpBox"));
    QSpinBox *spins[] = {Spin("m_pHorGroupSizeSpin"), Spin("m_pVerGroupSizeSpin"), Spin("m_pPosHorSpin"),
                         Spin("m_pPosVertSpin")};
    QRandomGenerator random(15);
    for (int iStep = 0; iStep < 400; ++iStep) {
        const int iAction = int(random.bounded(10));
        if (iAction == 0) {
            m_pCombo->setCurrentIndex(int(random.bounded(m_pCombo->count())));
        } else if (iAction == 1) {
            if (pGroupBox->isEnabled())
                pGroupBox->setChecked(!pGroupBox->isChecked());
        } else {
            QSpinBox *pSpin = spins[random.bounded(4)];
            // Half of the values at the control's limit, where the faults live.
            if (pSpin->isEnabled())
                Type(pSpin, random.bounded(2) ? pSpin->maximum() : int(random.bounded(2000)));
        }
        const FixtureType_t &type = types.at(m_pCombo->currentData().toInt());
        const bool bGroup = pGroupBox->isChecked();
        const int iAcross = bGroup ? spins[0]->value() : 1;
        const int iDown = bGroup ? spins[1]->value() : 1;
        const QString qsState = QStringLiteral("step %1: %2 x %3 of %4 at %5, %6")
                                    .arg(iStep)
                                    .arg(iAcross)
                                    .arg(iDown)
                                    .arg(type.name)
                                    .arg(spins[2]->value())
                                    .arg(spins[3]->value());
        QVERIFY2(iAcross >= 1 && iDown >= 1, qPrintable(qsState));
        QVERIFY2(spins[2]->value() + iAcross * type.width <= 1920, qPrintable(qsState));
        QVERIFY2(spins[3]->value() + iDown * type.height <= 1080, qPrintable(qsState));
        if (iStep % 40 == 39) {
            QTest::mouseClick(m_pBrush->findChild<QPushButton *>(QStringLiteral("m_pAddFixtureBtn")), Qt::LeftButton);
            QVERIFY2(m_pShown->Prompts().Messages().isEmpty(), qPrintable(qsState));
            QCOMPARE(m_pWnd->NewProject(false), 0);
        }
    }
}

QTEST_MAIN(TestPaintBrush)
#include "tst_paintbrush.moc"
