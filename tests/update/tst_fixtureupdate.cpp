// The fixture update panel driven by its buttons against the simulated VPU: the factory block
// byte for byte and read back, firmware runs with a failure at each step, gain tables for one
// fixture and cut across the big screen, LED maps and their refusals.
#include "comm/vpumsg.h"
#include "scene/fixture.h"
#include "support/quietqpa.h"
#include "support/scriptedprompts.h"
#include "support/testenv.h"
#include "support/tracecapture.h"
#include "support/zelvorsim.h"
#include "update/fixtureupdate.h"
#include "update/gainfile.h"
#include "updaterig.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace {

// The fixture image a gain file should give for a rectangle, by the coefficient module.
QByteArray ExpectedGain(const QString &qsFile, quint32 uiOrigin, quint16 usSize)
{
    CGainTable table;
    quint16 usHeight = 0, usWidth = 0;
    QByteArray baImage(GAIN_IMAGE_BYTES, 0);
    if (CoefReadFile(false, COEF_FORMAT_VU3, qsFile, &usHeight, &usWidth, table) != 0 ||
        CoefBuildGainImage(uiOrigin, usSize, table, reinterpret_cast<quint32 *>(baImage.data())) != 0)
        return QByteArray();
    return baImage;
}

} // namespace

class TestFixtureUpdate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void factoryBlock();
    void firmware_data();
    void firmware();
    void gain_data();
    void gain();
    void ledMap_data();
    void ledMap();

private:
    void Click(const char *pcName) { QTest::mouseClick(Child<QPushButton>(pcName), Qt::LeftButton); }
    template <class T> T *Child(const char *pcName) const
    {
        return ::Child<T>(m_pSim->Wnd()->m_pFixtureUpdate, pcName);
    }
    void SetText(const char *pcEdit, const QString &qsText) { Child<QLineEdit>(pcEdit)->setText(qsText); }
    // "text|detail" of each box shown.
    QStringList Boxes() const
    {
        QStringList lOut;
        for (const PromptCall_t &call : m_pPrompts->Messages())
            lOut << call.qsText + QLatin1Char('|') + call.qsDetail;
        return lOut;
    }
    // "id@offset" of each fixture flash and memory request, in order.
    QStringList FlashSteps() const;

    std::unique_ptr<ProjectWindowTestEnv> m_pBase;
    std::unique_ptr<ScriptedPrompts> m_pPrompts;
    std::unique_ptr<ZelvorOnSim> m_pSim;
    int m_iRun = 0;
};

void TestFixtureUpdate::initTestCase()
{
    m_pBase = std::make_unique<ProjectWindowTestEnv>();
    QVERIFY(m_pBase->Start());
}

void TestFixtureUpdate::init()
{
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pSim = std::make_unique<ZelvorOnSim>(QStringLiteral("127.0.24.%1").arg(++m_iRun));
    QVERIFY(m_pSim->Start());
    // Two LPUs side by side on output 1 and a SASU alone on output 3.
    const QList<ProjectFixture_t> lFixtures = {FixtureRecord(1, 1, 1, 0, 0), FixtureRecord(1, 2, 1, 64, 0),
                                               FixtureRecord(3, 1, 0x10000001, 0, 64)};
    for (const ProjectFixture_t &t : lFixtures) {
        QByteArray baConfig =
            SimFixtureConfig(0x100 + t.number, t.type, quint16(t.placement.x), quint16(t.placement.y), 0, 0, 0, 0, 100);
        baConfig[20] = baConfig[21] = 64;
        m_pSim->Device().AddFixture(t.output, t.number, baConfig);
    }
    const QString qsPath = m_pBase->Env().FilePath(QStringLiteral("update.prj"));
    // Rows named so find the VPU before any enumeration.
    if (!QByteArray(QTest::currentDataTag()).startsWith("none enumerated"))
        QVERIFY(m_pSim->Enumerate());
    QCOMPARE(WriteProjectFile(qsPath, lFixtures, {}), 0);
    QCOMPARE(m_pSim->Wnd()->LoadProject(qsPath), 0);
    m_pSim->Wnd()->SetOnline(true);
    m_pSim->Model().ClearLog();
    m_pBase->Traces().Clear();
}

void TestFixtureUpdate::cleanup()
{
    m_pSim.reset();
    m_pPrompts.reset();
}

QStringList TestFixtureUpdate::FlashSteps() const
{
    QStringList lSteps;
    for (const QByteArray &ba : m_pSim->Model().Messages()) {
        const int iId = quint8(ba.at(0));
        if (iId == VPU_MSG_FIXT_GET_NUMBER)
            lSteps << QStringLiteral("40");
        else if (iId >= VPU_MSG_FIXT_ERASE_FLASH && iId <= VPU_MSG_FIXT_READ_MEM)
            lSteps << QStringLiteral("%1@%2.%3:%4")
                          .arg(iId)
                          .arg(quint8(ba.at(5)))
                          .arg(qint32(SimGetU32(ba, 6)))
                          .arg(SimGetU32(ba, 10), 0, 16);
    }
    return lSteps;
}

void TestFixtureUpdate::factoryBlock()
{
    // A type with sensors chosen by hand, a serial typed over the fixture's.
    Child<QComboBox>("m_pFixtTypeCbBox")->setCurrentText(QStringLiteral("SASU 128x64 Env"));
    QLineEdit *pSerial = Child<QLineEdit>("m_pFixtSNLE");
    pSerial->selectAll();
    QTest::keyClicks(pSerial, QStringLiteral("0012ab34"));
    Click("m_pProgParamBtn");
    QVERIFY(m_pSim->WaitEnabled());

    const QByteArray baExpected = Python(QStringLiteral(
        "import struct\n"
        "b = struct.pack('<BI', 1, 1) + struct.pack('<IIIBB2x', 0x0012AB34, 0x10000002, 1, 128, 64)\n"
        "b += bytes([64, 64, 0, 0, 64, 64, 64, 0]) + bytes(8)\n"
        "for i, s in enumerate([(1, 3.0, 0.5, 100, -25), (2, 3.0, 0.5, 100, 0), (3, 3.3, 0, 20000, 0), (0, 0, 0, 0, "
        "0)]):\n"
        "    b += struct.pack('<Hffff', *s) + (bytes(14) if i < 3 else b'')\n"
        "print(len(b), b.hex())"));
    const QByteArray baSent = m_pSim->Model().Messages().value(0);
    QCOMPARE(QByteArray::number(baSent.size() - 5) + ' ' + baSent.mid(5).toHex(), baExpected);
    QCOMPARE(quint8(baSent.at(0)), quint8(VPU_MSG_FIXT_WRITE_FACTORY_PARAM));

    // Read back, the fixture shows what was written.
    pSerial->setText(QStringLiteral("00000000"));
    Click("m_pGetCurrentSettingsBtn");
    QVERIFY(m_pSim->WaitEnabled());
    QCOMPARE(pSerial->text(), QStringLiteral("0012AB34"));
    QCOMPARE(Child<QLineEdit>("m_pFixtTypeLE")->text(), QStringLiteral("10000002"));
    QCOMPARE(Child<QLineEdit>("m_pSensor2LE")->text(), QStringLiteral("Type='luminosity' - Name='Ambient Light'"));
    QCOMPARE(Boxes(), QStringList());
    // Back online with nothing to program: no run can start.
    QCOMPARE(m_pSim->Wnd()->NewProject(false), 0);
    m_pSim->Wnd()->SetOnline(false);
    m_pSim->Wnd()->SetOnline(true);
    QVERIFY(!Child<QPushButton>("m_pFirmProgAllBtn")->isEnabledTo(m_pSim->Wnd()->m_pFixtureUpdate));
}

void TestFixtureUpdate::firmware_data()
{
    QTest::addColumn<bool>("bAll");
    QTest::addColumn<int>("iSoftSize");
    QTest::addColumn<int>("iFaultId");
    QTest::addColumn<int>("iAfter");
    QTest::addColumn<bool>("bFromFlash");
    QTest::addColumn<int>("iCode");
    QTest::addColumn<int>("iSteps"); // steps reached before the end
    const int W = VPU_MSG_FIXT_WRITE_FLASH;
    QTest::newRow("one, odd length") << false << 1001 << 0 << 0 << true << 0 << 20;
    QTest::newRow("all") << true << 4096 << 0 << 0 << true << 0 << 23;
    QTest::newRow("erase fails") << false << 64 << int(VPU_MSG_FIXT_ERASE_FLASH) << 0 << true << -300 << 1;
    QTest::newRow("software write fails") << false << 64 << W << 0 << true << -300 << 3;
    QTest::newRow("read fails") << false << 64 << int(VPU_MSG_FIXT_READ_MEM) << 0 << true << -300 << 4;
    QTest::newRow("second read differs") << true << 64 << 0 << 0 << false << -1 << 6;
    QTest::newRow("fpga write fails") << false << 64 << W << 1 << true << -300 << 6;
    QTest::newRow("software too long") << false << 0x40001 << 0 << 0 << true << -11 << 0;
    QTest::newRow("software empty") << false << 0 << 0 << 0 << true << -11 << 0;
    QTest::newRow("none enumerated") << true << 64 << 0 << 0 << true << -5 << 4;
}

void TestFixtureUpdate::firmware()
{
    QFETCH(bool, bAll);
    QFETCH(int, iSoftSize);
    QFETCH(int, iFaultId);
    QFETCH(int, iAfter);
    QFETCH(bool, bFromFlash);
    QFETCH(int, iCode);
    QFETCH(int, iSteps);
    const QByteArray baFpga = Pattern(FixtureUpdate::FPGA_IMAGE_SIZE, 1), baSoft = Pattern(iSoftSize, 2);
    QVERIFY(WriteFile(QStringLiteral("lpu.rbf"), baFpga) && WriteFile(QStringLiteral("nios.bin"), baSoft));
    SetText("m_pFirmFpgaFileLE", QStringLiteral("lpu.rbf"));
    SetText("m_pFirmSoftFileLE", QStringLiteral("nios.bin"));
    VpuSimDevice &device = m_pSim->Device();
    device.ServeMemFromFlash(bFromFlash);
    // Served from memory, the first fixture holds the software as the device hands it back
    // (each word reversed), the second nothing.
    for (int i = 0; i < iSoftSize && !bFromFlash; i += 4) {
        QByteArray baWord = baSoft.mid(i, 4);
        std::reverse(baWord.begin(), baWord.end());
        device.SetFixtureMem(1, 1, FixtureUpdate::USER_SOFT_OFFSET + i, baWord);
    }
    if (iFaultId) {
        VpuSimFault tFault;
        tFault.iStatus = -300;
        tFault.iAfter = iAfter;
        m_pSim->Model().SetFault(quint8(iFaultId), tFault);
    }

    Click(bAll ? "m_pFirmProgAllBtn" : "m_pFirmProgFixtBtn");
    QVERIFY(m_pSim->WaitEnabled(30000));
    QTest::qWait(50);
    const QString qsTarget = bAll ? QStringLiteral("255.-1") : QStringLiteral("1.1");
    QStringList expected = {QStringLiteral("56@%1:100000").arg(qsTarget), QStringLiteral("56@%1:c0000").arg(qsTarget),
                            QStringLiteral("57@%1:c0000").arg(qsTarget)};
    if (bAll)
        expected << QStringLiteral("40") << QStringLiteral("59@1.1:c0000") << QStringLiteral("59@1.2:c0000")
                 << QStringLiteral("59@3.1:c0000");
    else
        expected << QStringLiteral("59@1.1:c0000");
    for (quint32 uiAt = 0x100000; uiAt < 0x100000 + FixtureUpdate::FPGA_IMAGE_SIZE; uiAt += 0x10000)
        expected << QStringLiteral("56@%1:%2").arg(qsTarget).arg(uiAt, 0, 16)
                 << QStringLiteral("57@%1:%2").arg(qsTarget).arg(uiAt, 0, 16);
    QCOMPARE(FlashSteps(), expected.mid(0, iSteps));
    QCOMPARE(device.Violations(), QStringList());
    if (iCode == 0) {
        QCOMPARE(Boxes(), QStringList());
        QVERIFY(m_pBase->Traces().Contains(QStringLiteral("Fixture's Firmware update Done!")));
        QCOMPARE(device.FixtureFlash(1, 1, FixtureUpdate::USER_SOFT_OFFSET, quint32(iSoftSize)), baSoft);
        QCOMPARE(device.FixtureFlash(1, 2, FixtureUpdate::USER_FPGA_OFFSET, FixtureUpdate::FPGA_IMAGE_SIZE),
                 bAll ? baFpga : QByteArray(FixtureUpdate::FPGA_IMAGE_SIZE, char(0xFF)));
        return;
    }
    // One end: one box with the code, the window back.
    QCOMPARE(Boxes().size(), 1);
    if (iCode == -1) // a code without a text of its own
        QVERIFY(m_pBase->Traces().Contains(
            QStringLiteral("    Software program is not up to date on fixture's flash! (F1.2)")));
    else
        QVERIFY2(Boxes().first().contains(QStringLiteral("(Error Code = %1)").arg(iCode)), qPrintable(Boxes().first()));
    if (iCode == -11)
        QVERIFY(m_pBase->Traces().Contains(
            QStringLiteral("Invalid Software Firmware File Size (%1 Bytes instead of 262144 Bytes max)")
                .arg(iSoftSize)));
}

void TestFixtureUpdate::gain_data()
{
    QTest::addColumn<QString>("qsButton");
    QTest::addColumn<int>("iAngle");
    QTest::addColumn<int>("iCode");
    QTest::newRow("one") << "m_pLpuGainProgBtn" << 0 << 0;
    QTest::newRow("all") << "m_pLpuGainProgAllBtn" << 0 << 0;
    QTest::newRow("big screen") << "m_pLpuGainProgBigScreenBtn" << 0 << 0;
    QTest::newRow("big screen, second turned") << "m_pLpuGainProgBigScreenBtn" << 90 << -61;
    QTest::newRow("none enumerated") << "m_pLpuGainProgBigScreenBtn" << 0 << -5;
}

void TestFixtureUpdate::gain()
{
    QFETCH(QString, qsButton);
    QFETCH(int, iAngle);
    QFETCH(int, iCode);
    // A file of 128 x 64 pixels, each pixel's coefficients its own.
    std::vector<PixelCoef_t> list(128 * 64);
    QCOMPARE(CoefGenPositionCode(128, 64, list.data()), 0);
    const QString qsFile = QStringLiteral("screen.vu3");
    QCOMPARE(CoefWriteFile(COEF_FORMAT_VU3, qsFile, quint32(list.size()), list.data()), 0);
    SetText("m_pGainFileLE", qsFile);
    if (iAngle) {
        QByteArray baConfig = m_pSim->Device().FixtureConfig(1, 2);
        baConfig[22] = char(iAngle);
        m_pSim->Device().AddFixture(1, 2, baConfig);
    }

    QTest::mouseClick(Child<QPushButton>(qPrintable(qsButton)), Qt::LeftButton);
    QVERIFY(m_pSim->WaitEnabled(30000));
    QTest::qWait(50);
    const QByteArray baFirst = m_pSim->Device().FixtureFlash(1, 1, FixtureUpdate::GAIN_OFFSET, GAIN_IMAGE_BYTES);
    const QByteArray baSecond = m_pSim->Device().FixtureFlash(1, 2, FixtureUpdate::GAIN_OFFSET, GAIN_IMAGE_BYTES);
    const QByteArray baErased(GAIN_IMAGE_BYTES, char(0xFF));
    if (iCode != 0) {
        QCOMPARE(Boxes().size(), 1);
        QVERIFY2(Boxes().first().contains(QStringLiteral("(Error Code = %1)").arg(iCode)), qPrintable(Boxes().first()));
        QVERIFY(baFirst == baErased && baSecond == baErased);
        return;
    }
    QCOMPARE(Boxes(), QStringList());
    const QByteArray baOrigin = ExpectedGain(qsFile, 0, 64 | 64 << 8);
    QVERIFY(!baOrigin.isEmpty());
    QVERIFY(baFirst == baOrigin);
    if (qsButton.endsWith(QLatin1String("BigScreenBtn")))
        QVERIFY(baSecond == ExpectedGain(qsFile, 64, 64 | 64 << 8));
    else
        QVERIFY(baSecond == (qsButton == QLatin1String("m_pLpuGainProgAllBtn") ? baOrigin : baErased));
    QCOMPARE(m_pSim->Device().FixtureFlash(3, 1, FixtureUpdate::GAIN_OFFSET, 16),
             qsButton == QLatin1String("m_pLpuGainProgAllBtn") ? baOrigin.left(16) : baErased.left(16));
    QCOMPARE(m_pSim->Device().Violations(), QStringList());
}

void TestFixtureUpdate::ledMap_data()
{
    QTest::addColumn<QString>("qsName");
    QTest::addColumn<int>("iSize");
    QTest::addColumn<bool>("bAll");
    QTest::addColumn<int>("iCode");
    QTest::newRow("one") << "curtain.map" << 768 << false << 0;
    QTest::newRow("all") << "curtain.map" << 768 << true << 0;
    QTest::newRow("short") << "curtain.map" << 767 << false << -11;
    QTest::newRow("long") << "curtain.map" << 769 << false << -11;
    QTest::newRow("capital extension") << "curtain.MAP" << 768 << false << -8;
}

void TestFixtureUpdate::ledMap()
{
    QFETCH(QString, qsName);
    QFETCH(int, iSize);
    QFETCH(bool, bAll);
    QFETCH(int, iCode);
    // The file is chosen as the operator does, through the dialog.
    const QByteArray baMap = Pattern(iSize, 5);
    QVERIFY(WriteFile(qsName, baMap));
    m_pPrompts->AnswerOpenFile(QDir::current().absoluteFilePath(qsName));
    QTest::mouseClick(Child<QToolButton>("m_pLedMapFileToolBox"), Qt::LeftButton);
    QCOMPARE(m_pPrompts->Calls().value(0).extra, QStringList{QStringLiteral("*.map")});

    Click(bAll ? "m_pLedMapProgAllBtn" : "m_pLedMapProgFixtBtn");
    QVERIFY(m_pSim->WaitEnabled());
    QTest::qWait(50);
    if (iCode != 0) {
        QCOMPARE(Boxes().size(), 1);
        QVERIFY(Boxes().first().contains(QStringLiteral("(Error Code = %1)").arg(iCode)));
        QVERIFY(m_pSim->Model().Messages().isEmpty());
        return;
    }
    QCOMPARE(Boxes(), QStringList());
    QCOMPARE(m_pSim->Device().FixtureFlash(1, 1, FixtureUpdate::LED_MAP_OFFSET, 768), baMap);
    QCOMPARE(m_pSim->Device().FixtureFlash(1, 2, FixtureUpdate::LED_MAP_OFFSET, 768),
             bAll ? baMap : QByteArray(768, char(0xFF)));
    QVERIFY(m_pBase->Traces().Contains(bAll ? QStringLiteral("    Fixtures: F255.-1")
                                            : QStringLiteral("    Fixtures: F1.1")));
}

QTEST_MAIN(TestFixtureUpdate)
#include "tst_fixtureupdate.moc"
