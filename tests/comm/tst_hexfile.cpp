// The Intel HEX reader: images of files made by objcopy and srec_cat against objcopy's own
// binary of the same file, the address rules of the image window, and the refusal of
// damaged files before anything could be erased.

#include "comm/hexfile.h"
#include "support/bootsim.h"
#include "support/testenv.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

namespace {

// One record line, checksum included.
QByteArray Rec(quint8 ucType, quint16 usAddress, const QByteArray &baData)
{
    return HexRecordLine(ucType, usAddress, baData);
}

QByteArray Linear(quint16 usUpper)
{
    return Rec(0x04, 0, QByteArray::fromHex(QByteArray::number(usUpper, 16).rightJustified(4, '0')));
}

const QByteArray kEnd = ":00000001FF\n";

// Runs a tool; what it said on failure, empty on success.
QString RunTool(const QString &qsTool, const QStringList &args)
{
    QProcess process;
    process.start(qsTool, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return qsTool + ": " + QString::fromLocal8Bit(process.readAllStandardError());
    return QString();
}

} // namespace

class TestHexFile : public QObject
{
    Q_OBJECT

private slots:
    void toolImages_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<int>("recordSize");
        QTest::addColumn<quint32>("address"); // physical, as the linker puts it
        QTest::addColumn<int>("size");

        QTest::newRow("objcopy 16, odd start and end") << QStringLiteral("objcopy") << 16 << 0x1D000003u << 4099;
        QTest::newRow("objcopy 16, across 64 KB") << QStringLiteral("objcopy") << 16 << 0x1D00FFF0u << 70001;
        QTest::newRow("srec_cat 32, record across 64 KB") << QStringLiteral("srec_cat") << 32 << 0x1D00FFF0u << 100;
        QTest::newRow("srec_cat 32, odd") << QStringLiteral("srec_cat") << 32 << 0x1D020001u << 65537;
    }

    void toolImages()
    {
        QFETCH(QString, tool);
        QFETCH(int, recordSize);
        QFETCH(quint32, address);
        QFETCH(int, size);
        if (QStandardPaths::findExecutable(tool).isEmpty() || QStandardPaths::findExecutable("objcopy").isEmpty())
            QSKIP("objcopy or srec_cat is not installed");

        TestEnv env;
        QByteArray baData(size, Qt::Uninitialized);
        QRandomGenerator rng{quint32(size)};
        for (char &c : baData)
            c = char(rng.bounded(256));
        QVERIFY(WriteTestFile(env.FilePath("in.bin"), baData));

        const QString qsAddress = "0x" + QString::number(address, 16);
        if (tool == "objcopy")
            QCOMPARE(RunTool(tool, {"-I", "binary", "-O", "ihex", "--change-addresses", qsAddress, "in.bin", "in.hex"}),
                     QString());
        else
            QCOMPARE(RunTool(tool, {"in.bin", "-binary", "-offset", qsAddress, "-o", "in.hex", "-intel",
                                    "-obs=" + QString::number(recordSize)}),
                     QString());
        QCOMPARE(RunTool("objcopy", {"-I", "ihex", "-O", "binary", "--gap-fill", "0xFF", "in.hex", "back.bin"}),
                 QString());
        const QByteArray baBack = ReadTestFile(env.FilePath("back.bin"));
        QCOMPARE(baBack, baData);

        CHexFile hex;
        QCOMPARE(hex.Open(env.FilePath("in.hex")), 0);
        quint32 uiStart = 1, uiLength = 1;
        quint16 usCrc = 1;
        const quint16 usReturned = hex.LoadImage(&uiStart, &uiLength, &usCrc);

        const quint32 uiFirst = address | 0x80000000u;
        const quint32 uiExpectedStart = uiFirst & ~3u;
        const quint32 uiExpectedEnd = (uiFirst + quint32(size) + 3u) & ~3u;
        QCOMPARE(uiStart, uiExpectedStart);
        QCOMPARE(uiLength, uiExpectedEnd - uiExpectedStart);

        QByteArray baExpected(int(uiFirst - uiExpectedStart), char(0xFF));
        baExpected += baBack;
        baExpected += QByteArray(int(uiExpectedEnd - uiFirst) - baBack.size(), char(0xFF));
        QCOMPARE(hex.Image().mid(int(uiStart - CHexFile::IMAGE_BASE), int(uiLength)), baExpected);
        QCOMPARE(usCrc, BootSimCore::Crc16(baExpected));
        QCOMPARE(usReturned, usCrc);
        // Everything outside the range stays erased.
        QCOMPARE(hex.Image().count(char(0xFF)) - baExpected.count(char(0xFF)),
                 qsizetype(CHexFile::IMAGE_SIZE) - baExpected.size());
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("why");

        const QByteArray baGood = Linear(0x1D00) + Rec(0, 0, QByteArray::fromHex("00112233"));
        QTest::newRow("bad checksum") << baGood + ":0400100000112233A5\n" + kEnd << 3
                                      << QStringLiteral("checksum error");
        QTest::newRow("short line") << baGood + ":100010000011223344\n" + kEnd << 3
                                    << QStringLiteral("the byte count does not match the line");
        QTest::newRow("long line") << baGood + ":0100100000112233CA\n" + kEnd << 3
                                   << QStringLiteral("the byte count does not match the line");
        QTest::newRow("bad digit") << baGood + ":04001000001G2233A6\n" + kEnd << 3
                                   << QStringLiteral("invalid hexadecimal digit");
        QTest::newRow("odd digits") << baGood + ":040010000011223344A\n" + kEnd << 3
                                    << QStringLiteral("odd number of hexadecimal digits");
        QTest::newRow("too short for a record")
            << QByteArray(":0000\n") << 1 << QStringLiteral("the record is too short");
        QTest::newRow("unknown type") << baGood + Rec(0x06, 0, QByteArray()) + kEnd << 3
                                      << QStringLiteral("unknown record type 6");
        QTest::newRow("linear address of one byte") << Rec(0x04, 0, QByteArray(1, '\x1D')) + baGood << 1
                                                    << QStringLiteral("wrong byte count for record type 4");
        QTest::newRow("not a record in the middle") << baGood + "garbage\n" + Rec(0, 0x10, "ab") + kEnd << 3
                                                    << QStringLiteral("the line does not start with ':'");
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QString, why);
        TestEnv env;
        QVERIFY(WriteTestFile(env.FilePath("bad.hex"), content));

        CHexFile hex;
        QCOMPARE(hex.Open(env.FilePath("bad.hex")), CHexFile::HEX_ERR_FORMAT);
        QCOMPARE(hex.ErrorLine(), line);
        QCOMPARE(hex.ErrorText(), why);
        QVERIFY(!hex.IsOpen());
        QCOMPARE(hex.RecordCount(), 0);
        QCOMPARE(hex.Rewind(), 0);
        quint8 record[CHexFile::MAX_RECORD_BYTES];
        QCOMPARE(hex.ReadRecord(record, sizeof record), 0);
    }

    void cannotOpen()
    {
        TestEnv env;
        CHexFile hex;
        QCOMPARE(hex.Open(env.FilePath("missing.hex")), CHexFile::HEX_ERR_OPEN);
        QVERIFY(!hex.IsOpen());
    }

    void imageRules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("length");
        QTest::addColumn<QByteArray>("range"); // the image over [start, start + length), hex

        QTest::newRow("linear 0, data at 0x1D000000 is the first byte")
            << Rec(0x04, 0, QByteArray::fromHex("0000")) + Linear(0x1D00) + Rec(0, 0, QByteArray::fromHex("A1A2A3A4")) +
                   kEnd
            << 0x9D000000u << 4u << QByteArray("a1a2a3a4");
        QTest::newRow("boot area left out")
            << Linear(0x1FC0) + Rec(0, 0, QByteArray::fromHex("11223344")) + Linear(0x1D00) +
                   Rec(0, 0x0100, QByteArray::fromHex("55667788")) + kEnd
            << 0x9D000100u << 4u << QByteArray("55667788");
        QTest::newRow("six bytes are padded to eight")
            << Linear(0x1D00) + Rec(0, 0, QByteArray::fromHex("010203040506")) + kEnd << 0x9D000000u << 8u
            << QByteArray("010203040506ffff");
        QTest::newRow("segment address replaces the linear one")
            << Linear(0x1D00) + Rec(0x02, 0, QByteArray::fromHex("1000")) + Rec(0, 0, QByteArray::fromHex("AABB")) +
                   kEnd
            << 0u << 0u << QByteArray();
        QTest::newRow("linear address replaces the segment one")
            << Rec(0x02, 0, QByteArray::fromHex("1000")) + Linear(0x1D00) + Rec(0, 0x0020, QByteArray::fromHex("C1C2")) +
                   kEnd
            << 0x9D000020u << 4u << QByteArray("c1c2ffff");
        QTest::newRow("start addresses leave the bases alone")
            << Linear(0x1D00) + Rec(0x05, 0, QByteArray::fromHex("9D001000")) +
                   Rec(0x03, 0, QByteArray::fromHex("00001000")) + Rec(0, 0x0010, QByteArray::fromHex("CAFEBABE")) +
                   kEnd
            << 0x9D000010u << 4u << QByteArray("cafebabe");
        QTest::newRow("records after the end record still count")
            << Linear(0x1D00) + Rec(0, 0, QByteArray::fromHex("01020304")) + kEnd + Linear(0x1D00) +
                   Rec(0, 0x0004, QByteArray::fromHex("05060708")) + kEnd
            << 0x9D000000u << 8u << QByteArray("0102030405060708");
        QTest::newRow("outside the window left out of image and range")
            << Linear(0x1C00) + Rec(0, 0, QByteArray::fromHex("EE")) + Linear(0x1D50) +
                   Rec(0, 0, QByteArray::fromHex("EE")) + Linear(0x1D00) + Rec(0, 0x0008, QByteArray::fromHex("0102")) +
                   kEnd
            << 0x9D000008u << 4u << QByteArray("0102ffff");
        QTest::newRow("a record across the window's end is cut at it")
            << Linear(0x1D4F) + Rec(0, 0xFFFC, QByteArray::fromHex("0102030405060708")) + kEnd << 0x9D4FFFFCu << 4u
            << QByteArray("01020304");
        QByteArray baCrLf = Linear(0x1D00) + Rec(0, 0, QByteArray::fromHex("0102030405060708090A0B0C0D0E0F10")) +
                            Rec(0, 0x0010, QByteArray::fromHex("1112")) + kEnd;
        QTest::newRow("CRLF line ends") << baCrLf.replace("\n", "\r\n") << 0x9D000000u << 20u
                                        << QByteArray("0102030405060708090a0b0c0d0e0f101112ffff");
        QTest::newRow("no data") << kEnd << 0u << 0u << QByteArray();
        QTest::newRow("empty file") << QByteArray() << 0u << 0u << QByteArray();
    }

    void imageRules()
    {
        QFETCH(QByteArray, content);
        QFETCH(quint32, start);
        QFETCH(quint32, length);
        QFETCH(QByteArray, range);

        CHexFile hex;
        QCOMPARE(hex.Parse(content), CHexFile::HEX_OK);
        quint32 uiStart = 1, uiLength = 1;
        quint16 usCrc = 1;
        hex.LoadImage(&uiStart, &uiLength, &usCrc);
        QCOMPARE(uiStart, start);
        QCOMPARE(uiLength, length);
        QCOMPARE(hex.Image().size(), qsizetype(CHexFile::IMAGE_SIZE));
        if (length > 0)
            QCOMPARE(hex.Image().mid(int(uiStart - CHexFile::IMAGE_BASE), int(uiLength)).toHex(), range);
        QCOMPARE(usCrc, BootSimCore::Crc16(QByteArray::fromHex(range)));
        // Nothing outside the range was written.
        QByteArray baOutside = hex.Image();
        if (length > 0)
            baOutside.replace(int(uiStart - CHexFile::IMAGE_BASE), int(uiLength),
                              QByteArray(int(uiLength), char(0xFF)));
        QCOMPARE(baOutside.count(char(0xFF)), qsizetype(CHexFile::IMAGE_SIZE));
    }

    void recordsAreReadUnchanged()
    {
        const QByteArray baText =
            Linear(0x1D00) + "\n" + Rec(0, 0x1234, QByteArray::fromHex("00FF10")) + "  \r\n" + kEnd;
        CHexFile hex;
        QCOMPARE(hex.Parse(baText), 0);
        QCOMPARE(hex.RecordCount(), 3); // the blank line carries no record

        quint8 record[CHexFile::MAX_RECORD_BYTES];
        QCOMPARE(hex.ReadRecord(record, sizeof record), 7);
        QCOMPARE(hex.ReadRecord(record, 7), 0); // too long for the room given: not consumed
        QCOMPARE(hex.RecordsRead(), 1);
        QCOMPARE(hex.ReadRecord(record, sizeof record), 8);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(record), 8).toHex(' '), QByteArray("03 12 34 00 00 ff 10 a8"));
        QCOMPARE(hex.ReadRecord(record, sizeof record), 5);
        QCOMPARE(hex.ReadRecord(record, sizeof record), 0);
        QCOMPARE(hex.Rewind(), 1);
        QCOMPARE(hex.RecordsRead(), 0);
        QCOMPARE(hex.ReadRecord(record, sizeof record), 7);
    }
};

QTEST_GUILESS_MAIN(TestHexFile)
#include "tst_hexfile.moc"
