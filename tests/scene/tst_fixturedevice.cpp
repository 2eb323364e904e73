// The fixture's four requests against the simulated VPU: the payload bytes against vectors
// written from the protocol tables, what the device keeps of them, and the traces.
#include "comm/vpucom.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "support/vpucomharness.h"

#include <QGraphicsScene>
#include <QTest>

namespace {

const QString kAddress = QStringLiteral("127.0.0.70");

FixtureType_t Type(quint32 uType)
{
    FixtureType_t t;
    t.name = QStringLiteral("T");
    t.width = 128;
    t.height = 64;
    t.type = uType;
    t.tiles[0] = {64, 64, 0, 0};
    t.tiles[1] = {64, 64, 64, 0};
    return t;
}

// Output 2, number 7: the address 02 07 00 00 00.
const char kAddr[] = "02 07 00 00 00 ";
const char kTiles[] = "40 40 00 00 40 40 40 00 00 00 00 00 00 00 00 00";

} // namespace

class TestFixtureDevice : public QObject
{
    Q_OBJECT

private:
    VpuComHarness *m_pH = nullptr;
    QGraphicsScene *m_pScene = nullptr;
    CFixture *m_pFixture = nullptr;
    CFixtureGroup *m_pGroup = nullptr;

    // Runs one operation and returns the one request the VPU received (header and payload).
    QByteArray Run(const std::function<int()> &fnOperation, const char *pcSignal)
    {
        SignalLog done(&m_pH->Com(), pcSignal);
        m_pH->Model().ClearLog();
        if (fnOperation() != 0)
            return "not queued";
        if (!done.wait(5000) || done.first().at(0).toInt() != 0)
            return "failed";
        const QList<QByteArray> lRequests = m_pH->Model().Requests();
        return lRequests.size() == 1 ? Hex(lRequests.first()) : QByteArray("several requests");
    }

    // A fixture turned by 30 degrees inside group 5 turned by 15, with its origin at the
    // group's origin (120.4, 80.6), its anchor at (200.7, 50.2) and the group's at (300.6, 400.4).
    void MakeGroupedFixture()
    {
        m_pFixture->setPos(120.4, 80.6);
        m_pFixture->SetAnchorPos(200.7, 50.2);
        m_pFixture->setRotation(30);
        m_pGroup = new CFixtureGroup(m_pScene);
        m_pGroup->SetInfo(MakeGroupInfo(5, QStringLiteral("Five")));
        m_pGroup->setPos(120.4, 80.6);
        m_pGroup->setRotation(15);
        m_pGroup->SetAnchorPos(300.6, 400.4);
        m_pGroup->AddFixture(m_pFixture);
    }

private slots:
    void init()
    {
        m_pH = new VpuComHarness(kAddress);
        QVERIFY(m_pH->Start());
        m_pH->Device().AddFixture(2, 7, SimFixtureConfig(1, 2, 0, 0, 0, 0, 0, 0, 0));
        m_pH->Device().AddFixture(3, 1, SimFixtureConfig(2, 0x10000001, 0, 0, 0, 0, 0, 0, 0));
        CFixture::SetVpuCom(&m_pH->Com());
        m_pScene = new QGraphicsScene(-0.5, -0.5, 1920, 1080);
        m_pFixture = new CFixture(m_pScene);
        m_pFixture->SetType(Type(2));
        m_pFixture->SetNumber(2, 7);
        m_pH->Traces().Clear();
    }
    void cleanup()
    {
        CFixture::SetVpuCom(nullptr);
        if (m_pGroup)
            delete m_pGroup; // deletes its member too
        else
            delete m_pFixture;
        m_pGroup = nullptr;
        m_pFixture = nullptr;
        delete m_pScene;
        delete m_pH;
        m_pH = nullptr;
    }

    void intensity_data()
    {
        QTest::addColumn<int>("luminosity");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QByteArray>("wire");
        // 256 << 20 | 256 << 10 | 256 = 0x10040100
        QTest::newRow("half") << 50 << 512 << 512 << 512 << QByteArray("33 09 00 00 00 02 07 00 00 00 00 01 04 10");
        // 512 << 20 | 512 << 10 | 512 = 0x20080200
        QTest::newRow("full") << 100 << 512 << 512 << 512 << QByteArray("33 09 00 00 00 02 07 00 00 00 00 02 08 20");
        QTest::newRow("off") << 0 << 512 << 300 << 1 << QByteArray("33 09 00 00 00 02 07 00 00 00 00 00 00 00");
        // 0.33 rounds down, 0.66 up: 0 << 20 | 1 << 10 | 0
        QTest::newRow("a third") << 33 << 1 << 2 << 1 << QByteArray("33 09 00 00 00 02 07 00 00 00 00 04 00 00");
    }
    void intensity()
    {
        QFETCH(int, luminosity);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        m_pFixture->SetIntensity(MakeIntensity(quint8(luminosity), quint16(red), quint16(green), quint16(blue)));
        QTEST(Run([this] { return m_pFixture->ApplyIntensity(); }, SIGNAL(sigSetFixtureLuminosityMsg(int))), "wire");
        QFETCH(QByteArray, wire);
        QCOMPARE(Hex(m_pH->Device().Volatile(2, 7, 51)), wire.mid(30));
    }

    void origin()
    {
        m_pFixture->setPos(100.5, 20.4); // not in the scene: kept as given
        QCOMPARE(Run([this] { return m_pFixture->ConfigureOrigin(); }, SIGNAL(sigSetFixtureOriginMsg(int))),
                 QByteArray("31 09 00 00 00 02 07 00 00 00 65 00 14 00"));
        QCOMPARE(Hex(m_pH->Device().Volatile(2, 7, 49)), QByteArray("65 00 14 00"));
    }

    void rotationInGroup()
    {
        MakeGroupedFixture();
        // Origin rounded (120, 81), angle 30 + 15, anchor truncated (200, 50).
        const QByteArray wire = QByteArray("34 1f 00 00 00 ") + kAddr + "78 00 51 00 2d 00 c8 00 32 00 " + kTiles;
        QCOMPARE(Run([this] { return m_pFixture->ConfigureRotation(); }, SIGNAL(sigSetFixtureRotationMsg(int))), wire);
        QCOMPARE(Hex(m_pH->Device().Volatile(2, 7, 52)), wire.mid(30));
    }

    void writeConfigInGroup()
    {
        MakeGroupedFixture();
        m_pFixture->SetIntensity(MakeIntensity(50, 512, 300, 1));
        m_pFixture->SetSasuConfig(SasuConfig_t{1, -5, -10, 1, 45, 40});
        // register 256 << 20 | 150 << 10 | 1 = 0x10025801; luminosity 50; origin (120, 81);
        // angle 45; anchor rounded (201, 50); group 5, angle 15, anchor (301, 400); an LPU's
        // SASU thresholds back to 0, 90, 80, 0, 60, 50; the tiles.
        const QByteArray block = QByteArray(kAddr) +
                                 "01 58 02 10 32 00 78 00 51 00 2d 00 c9 00 32 00 05 00 0f 00 2d 01 90 01 "
                                 "00 5a 50 00 3c 32 " +
                                 kTiles;
        QCOMPARE(Run([this] { return m_pFixture->WriteConfig(); }, SIGNAL(sigWriteFixtureConfigMsg(int))),
                 QByteArray("36 33 00 00 00 ") + block);
        // The reset stays in the item.
        const SasuConfig_t tSasu = m_pFixture->GetSasuConfig();
        QCOMPARE(Hex(QByteArray(reinterpret_cast<const char *>(&tSasu), 6)), QByteArray("00 5a 50 00 3c 32"));
        QVERIFY(m_pH->Traces().Contains(QStringLiteral("    Group: Number= 5 - anchor position: x=301, y=400"),
                                        TRACE_KIND_INFO));
    }

    void writeConfigUngroupedSasu()
    {
        m_pFixture->SetType(Type(0x10000001));
        m_pFixture->SetNumber(3, 1);
        m_pFixture->setPos(10, 1000);
        m_pFixture->SetAnchorPos(10, 1000);
        m_pFixture->setRotation(-90);
        m_pFixture->SetSasuConfig(SasuConfig_t{1, -5, -10, 1, 45, 40});
        // -90 is a6 ff; a SASU keeps its thresholds: 01 fb f6 01 2d 28.
        const QByteArray block("03 01 00 00 00 00 02 08 20 64 00 0a 00 e8 03 a6 ff 0a 00 e8 03 00 00 00 00 00 00 00 "
                               "00 01 fb f6 01 2d 28 40 40 00 00 40 40 40 00 00 00 00 00 00 00 00 00");
        QCOMPARE(Run([this] { return m_pFixture->WriteConfig(); }, SIGNAL(sigWriteFixtureConfigMsg(int))),
                 QByteArray("36 33 00 00 00 ") + block);
        QCOMPARE(Hex(m_pH->Device().SasuConfig(3, 1)), QByteArray("01 fb f6 01 2d 28"));
    }

    void withoutLinkNothingIsQueued()
    {
        CFixture::SetVpuCom(nullptr);
        QCOMPARE(m_pFixture->ApplyIntensity(), -4);
        QCOMPARE(m_pFixture->ConfigureOrigin(), -4);
        QCOMPARE(m_pFixture->ConfigureRotation(), -4);
        QCOMPARE(m_pFixture->WriteConfig(), -4);
        QTest::qWait(50);
        QVERIFY(m_pH->Model().Requests().isEmpty());
    }
};

QTEST_MAIN(TestFixtureDevice)
#include "tst_fixturedevice.moc"
