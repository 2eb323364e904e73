// Gain coefficients: the fixture's gain image against an independent Python packing, the
// three file formats written and read back, and the refusal of bad lists, tables and files
// with their statuses and the exact lines the operator finds in the m_pTrace->

#include "support/testenv.h"
#include "support/tracecapture.h"
#include "update/gainfile.h"

#include <QProcess>
#include <QtTest>

#include <cmath>
#include <vector>

namespace {

// The image is checked against this packing, written from the layout tables alone.
const char kImageReference[] = R"(
import struct, sys
x, y, w, h = map(int, sys.argv[1:5])
words = [(0x20000000, 0x00080000, 0x200)[i % 3] if i < 49536 else 0 for i in range(65536)]
for rl in range(h):
    for rc in range(w):
        at = [0, 16384, 32768, 49152][(rl >= 64) * 2 + (rc >= 64)] + 192 * (rl % 64) + 3 * (rc % 64)
        c = [((x + rc) * 3 + (y + rl) * 5 + k * 7) % 513 for k in range(9)]
        for r in range(3):
            words[at + r] = (c[3 * r] << 20) | (c[3 * r + 1] << 10) | c[3 * r + 2]
sys.stdout.buffer.write(struct.pack('<65536I', *words))
)";

// Nearest integer, halves up: the rounding of every conversion of the formats.
int Nearest(double d)
{
    return int(std::floor(d + 0.5));
}

} // namespace

class TestGainFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<TraceCollector> m_pTrace;

private slots:
    void init()
    {
        m_pEnv = std::make_unique<TestEnv>();
        m_pTrace = std::make_unique<TraceCollector>();
    }
    void cleanup()
    {
        m_pTrace.reset();
        m_pEnv.reset();
    }

    void gainImage_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("status");
        QTest::newRow("64 x 64: bank 0 only") << 5 << 9 << 64 << 64 << 0;
        QTest::newRow("65 x 1: one pixel in bank 1") << 0 << 0 << 65 << 1 << 0;
        QTest::newRow("128 x 128 at the picture's corner") << 1792 << 952 << 128 << 128 << 0;
        QTest::newRow("one column past the picture") << 1793 << 952 << 128 << 128 << -4;
        QTest::newRow("one line past the picture") << 1792 << 953 << 128 << 128 << -4;
        QTest::newRow("width 129") << 0 << 0 << 129 << 1 << -4;
        QTest::newRow("height 129") << 0 << 0 << 1 << 129 << -4;
    }

    void gainImage()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, status);
        CGainTable table;
        for (int c = x; c < std::min(x + w, COEF_MAX_COLUMNS); ++c)
            for (int l = y; l < std::min(y + h, COEF_MAX_LINES); ++l)
                for (int k = 0; k < COEF_COUNT; ++k)
                    table.At(c, l).Coef[k] = quint16((c * 3 + l * 5 + k * 7) % 513);
        std::vector<quint32> image(GAIN_IMAGE_WORDS, status == 0 ? 0u : 0xA5A5A5A5u);
        const std::vector<quint32> before = image;

        QCOMPARE(CoefBuildGainImage(quint32(y) << 16 | quint32(x), quint16(h << 8 | w), table, image.data()), status);
        if (status != 0) {
            QCOMPARE(m_pTrace->Errors(), QStringList{"Invalid size and/or offset!"});
            QVERIFY(image == before);
            return;
        }
        QProcess python;
        python.start("python3", {"-c", kImageReference, QString::number(x), QString::number(y), QString::number(w),
                                 QString::number(h)});
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.data()), GAIN_IMAGE_BYTES).toHex(' '),
                 python.readAllStandardOutput().toHex(' '));
    }

    void checkList_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("drop");   // records removed from the position code list
        QTest::addColumn<QList<int>>("change"); // record, line, column
        QTest::addColumn<QString>("error");
        const QString qsMissing("Invalid coefficients data : Pixel coefficients on line %1 and column %2 are missing!");
        QTest::newRow("one record") << 1 << 1 << QList<int>() << QList<int>() << QString();
        QTest::newRow("empty") << 1 << 1 << QList<int>{0} << QList<int>()
                               << "Invalid coefficients data : coefficient does not start from column 0!";
        QTest::newRow("duplicates") << 3 << 2 << QList<int>() << QList<int>{4, 0, 0} << qsMissing.arg(1).arg(1);
        QTest::newRow("first missing in line order")
            << 3 << 3 << QList<int>{2, 3} << QList<int>() << qsMissing.arg(0).arg(2);
        QTest::newRow("no line 0") << 2 << 2 << QList<int>{0, 1} << QList<int>()
                                   << "Invalid coefficients data : coefficient does not start from line 0!";
        QTest::newRow("column 1920") << 2 << 2 << QList<int>{} << QList<int>{3, 5000, 1920}
                                     << "Invalid coefficients data : Max Column number is out of range (>1919)!";
        QTest::newRow("line 1080") << 2 << 2 << QList<int>{} << QList<int>{3, 1080, 1}
                                   << "Invalid coefficients data : Max Line number is out of range (>1079)!";
        QTest::newRow("1920 x 1080") << 1920 << 1080 << QList<int>{} << QList<int>{} << QString();
    }

    void checkList()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QList<int>, drop);
        QFETCH(QList<int>, change);
        QFETCH(QString, error);
        std::vector<PixelCoef_t> list(size_t(width) * height);
        CoefGenPositionCode(quint32(width), quint32(height), list.data());
        if (!change.isEmpty())
            list[size_t(change[0])].Line = quint16(change[1]), list[size_t(change[0])].Column = quint16(change[2]);
        for (int i = int(drop.size()) - 1; i >= 0; --i)
            list.erase(list.begin() + drop[i]);
        quint16 usHeight = 7, usWidth = 7;
        QCOMPARE(CoefCheckList(quint32(list.size()), list.data(), &usHeight, &usWidth), error.isEmpty() ? 0 : -60);
        QCOMPARE(m_pTrace->Errors(), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(QList<int>({usHeight, usWidth}), error.isEmpty() ? QList<int>({height, width}) : QList<int>({7, 7}));
    }

    void generators()
    {
        PixelCoef_t at[900];
        CoefGenRamp(58, 1, at);
        QCOMPARE(at[56].Coef[8], quint16(512));
        QCOMPARE(at[57].Coef[0], quint16(0));
    }

    // Every value 0..512 appears once in a ramp of 57 records, laid out column by column.
    void roundTrip_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("VU3") << int(COEF_FORMAT_VU3);
        QTest::newRow("ELDIM") << int(COEF_FORMAT_ELDIM);
        QTest::newRow("RADIANT") << int(COEF_FORMAT_RADIANT);
    }

    void roundTrip()
    {
        QFETCH(int, format);
        std::vector<PixelCoef_t> list(57);
        CoefGenRamp(19, 3, list.data());
        QCOMPARE(CoefWriteFile(format, "ramp", 57, list.data()), 0);
        CGainTable table;
        quint16 usHeight = 0, usWidth = 0;
        QCOMPARE(CoefReadFile(false, format, "ramp", &usHeight, &usWidth, table), 0);
        QCOMPARE(QList<int>({usHeight, usWidth}), QList<int>({3, 19}));
        for (const PixelCoef_t &t : list) {
            for (int k = 0; k < COEF_COUNT; ++k) {
                const int c = t.Coef[k];
                const int expected = format == COEF_FORMAT_ELDIM ? Nearest(Nearest(c * 255 / 512.0) * 512 / 255.0) : c;
                QCOMPARE(int(table.At(t.Column, t.Line).Coef[k]), expected);
            }
        }
    }

    void writtenText_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("VU3, no record") << int(COEF_FORMAT_VU3) << 0 << 0 << QByteArray("[VU30]\n");
        QTest::newRow("ELDIM, no record") << int(COEF_FORMAT_ELDIM) << 0 << -60 << QByteArray("old\n");
        QTest::newRow("RADIANT, no record") << int(COEF_FORMAT_RADIANT) << 0 << 0 << QByteArray();
        QTest::newRow("unknown format") << 3 << 2 << -4 << QByteArray("old\n");
    }

    void writtenText()
    {
        QFETCH(int, format);
        QFETCH(int, count);
        QFETCH(int, status);
        QFETCH(QByteArray, text);
        const quint16 ausCoef[9] = {512, 256, 1};
        PixelCoef_t list[2];
        CoefGenConstant(ausCoef, 2, 1, list);
        QVERIFY(WriteTestFile("out", "old\n"));
        QCOMPARE(CoefWriteFile(format, "out", quint32(count), list), status);
        QCOMPARE(ReadTestFile("out"), text);
        QCOMPARE(CoefWriteFile(format, "", 2, list), -4);
        QCOMPARE(CoefWriteFile(format % 3, m_pEnv->Path(), 2, list), -10);
        QCOMPARE(CoefWriteFile(format % 3, "/dev/full", 2, list), -13);
    }

    void readRefused_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const QString qsHeader("Invalid File format! (first line does not contain '[VU30]')");
        const QString qsWidth("Invalid coefficients data : width is 0!");
        const QByteArray vu3("[VU30]\n"), row("0,0,1,0,0,0,1,0,0,0,1"), ones("1,1,1,1,1,1,1,1,1,\n");
        // A line refused with its number n and its text, after the lines before it.
        const auto bad = [](const char *name, int format, const QByteArray &before, const QByteArray &line, int n,
                            const QByteArray &why) {
            QTest::newRow(name)
                << format << before + line + "\n"
                << -14
                << QString("Data format of the line %1 is not valid ('%2')%3").arg(n).arg(QString(line), QString(why));
        };
        const char *coefVu3 = " - Invalid RGB coefficient %1! (Must be in range [0.000000;1.000000]";
        QTest::newRow("VU3 accepted, CR LF and spaces")
            << 0 << QByteArray("[VU30]\r\n0, 0, 1,0,0,0,1,0,0,0,1\r\n") << 0 << QString();
        QTest::newRow("VU3 header with a space") << 0 << QByteArray("[VU30] \n" + row) << -14 << qsHeader;
        QTest::newRow("VU3 empty") << 0 << QByteArray() << -14 << qsHeader;
        bad("VU3 blank line", 0, vu3 + row + "\n", "", 2, " does not contain 11 fields!");
        bad("VU3 line 1080", 0, vu3, "0,1080,1,0,0,0,1,0,0,0,1", 1,
            " - Invalid line number! (must be in range[0;1079])");
        QTest::newRow("VU3 hole")
            << 0 << vu3 + "0,0,1,0,0,0,1,0,0,0,1\n1,0,1,0,0,0,1,0,0,0,1\n0,1,1,0,0,0,1,0,0,0,1" << -60
            << "Invalid coefficients data : Pixel coefficients on line 1 and column 1 are missing!";
        QTest::newRow("VU3 last pixel") << 0 << vu3 + "1919,1079,1,0,0,0,1,0,0,0,1" << -60 << qsWidth;
        bad("VU3 column 1920", 0, vu3, "1920,0,1,0,0,0,1,0,0,0,1", 1,
            " - Invalid column number! (must be in range[0;1919])");
        bad("VU3 nan", 0, vu3, "0,0,1,0,nan,0,1,0,0,0,1", 1, QByteArray(coefVu3).replace("%1", "2"));
        bad("VU3 above 1", 0, vu3, "0,0,1,0,0,0,1,0,0,0,1.00001", 1, QByteArray(coefVu3).replace("%1", "8"));
        QTest::newRow("ELDIM accepted, tenth field")
            << 1 << QByteArray("1,1,9\n0,0,0,0,0,0,0,0,0,abc\n") << 0 << QString();
        bad("ELDIM header of 2 fields", 1, "", "1,1", 1, " does not contain 3 fields!");
        bad("ELDIM 1081 lines", 1, "", "1081,1,9", 1, " - Invalid line number! (read value = 1081 - must be <= 1080)");
        bad("ELDIM 1921 columns", 1, "", "1,1921,9", 1,
            " - Invalid column number! (read value = 1921 - must be <= 1920)");
        QTest::newRow("ELDIM 0 columns")
            << 1 << "2,0,9\n" + ones.repeated(1921) << -14
            << "Data format of the line 1 is not valid ('2,0,9') - Invalid column number! (read value = 0 - must be in "
               "range[1;1920])";
        bad("ELDIM row past line 1079", 1, "1,1920,9\n" + ones.repeated(1080 * 1920), "1,1,1,1,1,1,1,1,1,",
            1080 * 1920 + 2, " - Too many rows! (pixel line 1080 - must be <= 1079)");
        bad("ELDIM 9 fields", 1, "1,1,9\n", "0,0,0,0,0,0,0,0,0", 2, " does not contain 10 fields! (9 fields read)");
        bad("ELDIM 256", 1, "1,1,9\n", "0,0,0,256,0,0,0,0,0,", 2,
            " - Invalid RGB coefficient 3! (Must be in range [0.000000;255.000000]");
        bad("RADIANT line 0", 2, "", "0,1,1,0,0,0,1,0,0,0,1", 1,
            " - Invalid line number! (equal 0 and must be in range[1;1080])");
        bad("RADIANT column 1921", 2, "", "1,1921,1,0,0,0,1,0,0,0,1", 1,
            " - Invalid column number! (equal 1921 and must be in range[1;1920])");
        QTest::newRow("RADIANT empty") << 2 << QByteArray() << -60 << qsWidth;
    }

    void readRefused()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, error);
        QVERIFY(WriteTestFile("in", content));
        CGainTable table;
        quint16 usHeight = 9, usWidth = 9;
        QCOMPARE(CoefReadFile(false, format, "in", &usHeight, &usWidth, table), status);
        QCOMPARE(m_pTrace->Errors(), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(usWidth, quint16(status == 0 ? 1 : 0));
        QCOMPARE(CoefReadFile(false, format, "missing", &usHeight, &usWidth, table), -10);
        QCOMPARE(CoefReadFile(false, format, "", &usHeight, &usWidth, table), -4);
    }

    void gainCorrection()
    {
        QVERIFY(WriteTestFile("in", "[VU30]\n" + QByteArray("0,0,0.5,1,0,0,0,0,0,0,0\n").repeated(10)));
        CGainTable table;
        quint16 usHeight = 0, usWidth = 0;
        QCOMPARE(CoefReadFile(true, COEF_FORMAT_VU3, "in", &usHeight, &usWidth, table), 0);
        QCOMPARE(QList<int>({table.At(0, 0).Coef[0], table.At(0, 0).Coef[1], table.At(0, 0).Coef[2]}),
                 QList<int>({400, 512, 0}));
        const QStringList infos = m_pTrace->Infos().filter("Gain Line ");
        QCOMPARE(infos.size(), 81);
        QCOMPARE(infos.first(), "Gain Line 1 - Coef 0 - Input Coef = 0.500000 - Output Coef = 0.780709");
        QCOMPARE(infos.last(), "Gain Line 9 - Coef 8 - Input Coef = 0.000000 - Output Coef = 0.000000");
        // The flag is the last call's: off again, the reals are only scaled.
        QCOMPARE(CoefReadFile(false, COEF_FORMAT_VU3, "in", &usHeight, &usWidth, table), 0);
        QCOMPARE(table.At(0, 0).Coef[0], quint16(256));
    }
};

QTEST_GUILESS_MAIN(TestGainFile)
#include "tst_gainfile.moc"
