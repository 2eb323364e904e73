// Scene and project records: byte layouts and the video input packing, each compared with
// bytes written by hand.

#include "project/projectconf.h"
#include "project/projectrecords.h"
#include "project/scenerecords.h"

#include <QtTest>

template <typename T> static QByteArray Bytes(const T &t)
{
    return QByteArray(reinterpret_cast<const char *>(&t), int(sizeof(T))).toHex(' ');
}

class TstProjectRecords : public QObject
{
    Q_OBJECT

private slots:
    void intensityBytes_data()
    {
        QTest::addColumn<int>("luminosity");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("reserved");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("default") << 100 << 512 << 512 << 512 << 0 << QByteArray("64 00 08 20 80");
        QTest::newRow("red full") << 100 << 1023 << 0 << 0 << 0 << QByteArray("64 fc 0f 00 00");
        QTest::newRow("green full") << 0 << 0 << 1023 << 0 << 0 << QByteArray("00 00 f0 3f 00");
        QTest::newRow("blue full") << 0 << 0 << 0 << 1023 << 0 << QByteArray("00 00 00 c0 ff");
        QTest::newRow("reserved bits") << 0 << 0 << 0 << 0 << 3 << QByteArray("00 03 00 00 00");
    }
    void intensityBytes()
    {
        QFETCH(int, luminosity);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(int, reserved);
        const FixtureIntensity_t t =
            MakeIntensity(quint8(luminosity), quint16(red), quint16(green), quint16(blue), quint8(reserved));
        QTEST(Bytes(t), "bytes");
        QCOMPARE(QList<int>({t.Luminosity(), t.Red(), t.Green(), t.Blue(), t.Reserved()}),
                 QList<int>({luminosity, red, green, blue, reserved}));
    }

    void intensityWordAndCopy()
    {
        // Bytes 0-3 as a word, byte 4 apart.
        QCOMPARE(Bytes(IntensityFromWord(0x20080064u, 0x80)), QByteArray("64 00 08 20 80"));
        // A copy keeps the destination's reserved bits.
        FixtureIntensity_t dst = MakeIntensity(10, 20, 30, 40, 2);
        const FixtureIntensity_t src = MakeIntensity(55, 1000, 3, 512, 1);
        CopyIntensity(&dst, src);
        // 55 | 2 << 8 | 1000 << 10 | 3 << 20 | 512 << 30
        QCOMPARE(Bytes(dst), QByteArray("37 a2 3f 00 80"));
    }

    void outputCorrBytes()
    {
        OutputCorr_t out;
        CProjectConf::MakeOutputCorr(600, 1, 220, 3, 11000, 0, 256, 512, &out);
        QCOMPARE(Bytes(out), QByteArray("58 02 01 00 dc 00 03 f8 2a 00 00 00 01 00 02"));
    }

    void packVideoInput_data()
    {
        QTest::addColumn<quint32>("source");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<quint32>("resizeType");
        QTest::addColumn<bool>("topLeft");
        QTest::addColumn<QList<int>>("area");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("default") << 3u << 0 << 0u << false << QList<int>{0, 0, 1919, 1079}
                                 << QByteArray("03 00 00 00 00 00 00 80 07 38 04");
        QTest::newRow("position not used") << 3u << 0 << 0u << false << QList<int>{100, 50, 1379, 769}
                                           << QByteArray("03 00 00 00 00 00 00 00 05 d0 02");
        QTest::newRow("position used") << 2u << 0 << 0u << true << QList<int>{100, 50, 1379, 769}
                                       << QByteArray("02 00 00 64 00 32 00 00 05 d0 02");
        QTest::newRow("standard resize") << 0u << 0 << 1u << false << QList<int>{0, 0, 1023, 767}
                                         << QByteArray("00 01 00 00 00 00 00 00 04 00 03");
        QTest::newRow("custom resize") << 1u << 0 << 2u << false << QList<int>{0, 0, 1023, 767}
                                       << QByteArray("01 01 00 00 00 00 00 00 04 00 03");
        QTest::newRow("rotation -90") << 3u << -90 << 0u << false << QList<int>{0, 0, 1079, 1919}
                                      << QByteArray("03 00 a6 00 00 00 00 38 04 80 07");
        QTest::newRow("rotation 90") << 3u << 90 << 0u << false << QList<int>{0, 0, 1079, 1919}
                                     << QByteArray("03 00 5a 00 00 00 00 38 04 80 07");
    }
    void packVideoInput()
    {
        QFETCH(quint32, source);
        QFETCH(int, rotation);
        QFETCH(quint32, resizeType);
        QFETCH(bool, topLeft);
        QFETCH(QList<int>, area);
        VideoInputSettings_t vi;
        CProjectConf::MakeVideoInput(source, qint8(rotation), resizeType, 4, topLeft,
                                     MakePixelRect(area[0], area[1], area[2], area[3]), &vi);
        VideoSettings_t packed;
        memset(&packed, 0xEE, sizeof(packed));
        CProjectConf::PackVideoInput(vi, &packed);
        QTEST(Bytes(packed), "bytes");
    }
};

QTEST_APPLESS_MAIN(TstProjectRecords)
#include "tst_projectrecords.moc"
