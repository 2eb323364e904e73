// The offline generators of the test tools: LED maps checked by Python and srec_cat against the
// mapping rules, gain patterns read back at their pixels, refused inputs that write nothing.
#include "support/linktest.h"
#include "support/panelinput.h"
#include "support/quietqpa.h"
#include "testtools/testtools.h"
#include "toolsrig.h"
#include "update/gainfile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

// An operator's choice in a list with the keys, in one change where the list allows it, so
// that the colour lists never pass through a colour on their way.
void Choose(QWidget *pTools, const char *pcCombo, int iIndex)
{
    auto *pCombo = pTools->findChild<QComboBox *>(QLatin1String(pcCombo));
    if (iIndex == 0 || iIndex == pCombo->count() - 1)
        QTest::keyClick(pCombo, iIndex == 0 ? Qt::Key_Home : Qt::Key_End);
    while (pCombo->currentIndex() != iIndex)
        QTest::keyClick(pCombo, pCombo->currentIndex() < iIndex ? Qt::Key_Down : Qt::Key_Up);
}

void Type(QWidget *pTools, const char *pcSpin, int iValue)
{
    TypeInto(pTools->findChild<QSpinBox *>(QLatin1String(pcSpin)), QString::number(iValue));
}

// Every driver input, colour order and run length as Python computes it from the mapping
// rules, against the ".map" words and the ".mif" through srec_cat; prints the files that differ.
const char kCheckMaps[] = R"(
import itertools, struct, subprocess
bad = []
for inp, order, n in itertools.product((0, 1), itertools.permutations((0, 1, 2)), (1, 2, 4, 8, 16)):
    name = 'm%d%d%d_%d' % (inp, order[0], order[1], n)
    walk = [(d, l) for d in range(12) for l in range(16)]
    walk = walk[::-1] if inp == 0 else walk
    colour = {led: (order[2], order[1], order[0])[(k // n) % 3] for k, led in enumerate(walk)}
    want = []
    for a in range(192):
        s = a + 128 if a < 64 else a - 128 if a >= 128 else a
        d, l = (s % 12, s // 12) if inp == 0 else (11 - s % 12, 15 - s // 12)
        j = 16 * d + l
        want.append(colour[d, l] * 64 + (j // (3 * n) * n + j % n) % 64)
    words = list(struct.unpack('<192I', open(name + '.map', 'rb').read()))
    mif = subprocess.run(['srec_cat', name + '.mif', '-mif', '-o', '-', '-binary'], capture_output=True).stdout
    if words != want or list(mif) != want + [255] * 64 or len(set(want)) != 192:
        bad.append(name)
print(' '.join(bad), end='')
)";

} // namespace

class TestTestToolsGen : public QObject
{
    Q_OBJECT
    std::unique_ptr<LinkFixture> m_pLink;
    QWidget *m_pTools = nullptr;

    void Click(const char *pcButton)
    {
        QTest::mouseClick(m_pTools->findChild<QPushButton *>(QLatin1String(pcButton)), Qt::LeftButton);
        QVERIFY(m_pLink->Wnd()->isEnabled());
    }
    void SetName(const char *pcCombo, const QString &qsName)
    {
        m_pTools->findChild<QComboBox *>(QLatin1String(pcCombo))->setEditText(qsName);
    }

private slots:
    void initTestCase()
    {
        SilenceOffscreenPlatformWarnings();
        m_pLink = std::make_unique<LinkFixture>(QStringLiteral("127.0.28.1"), kFactoryXml);
        m_pTools = m_pLink->Build()->m_pTestTools;
        QVERIFY(m_pTools);
    }
    void cleanupTestCase() { m_pLink.reset(); }
    void init()
    {
        m_pLink->Traces().Reset();
        m_pLink->Prompts().Reset();
    }

    void ledMapsFollowTheCabling()
    {
        // Offline: the generators stay usable beside the disabled device groups.
        QVERIFY(m_pTools->findChild<QGroupBox *>("m_pLpuLedMapGpBox")->isEnabled());
        QVERIFY(m_pTools->findChild<QGroupBox *>("m_pLpuGainGpBox")->isEnabled());
        QVERIFY(!m_pTools->findChild<QGroupBox *>("m_pLpuRegGpBox")->isEnabled());
        for (int i = 0; i < 120; ++i) { // 2 inputs x 6 colour orders x 5 run lengths x 2 formats
            const int iFirst = i / 20 % 3, iSecond = (iFirst + 1 + i / 10 % 2) % 3, n = 1 << (i / 2 % 5);
            Choose(m_pTools, "m_pLpuLedMapDriverInputCbBox", i / 60);
            Choose(m_pTools, "m_pLpuLedMapOrderFirstCbBox", iFirst);
            Choose(m_pTools, "m_pLpuLedMapOrderSecondCbBox", iSecond);
            Type(m_pTools, "m_pLpuLedMapOrderNumSpin", n);
            Choose(m_pTools, "m_pLpuLedMapFormatCbBox", i % 2);
            SetName("m_pLpuLedMapOutFileCbBox",
                    QString::asprintf("m%d%d%d_%d.%s", i / 60, iFirst, iSecond, n, i % 2 ? "map" : "mif"));
            Click("m_pLpuLedMapGeneBtn");
        }
        QCOMPARE(m_pLink->Traces().Errors(), QStringList());
        bool bOk = false;
        QCOMPARE(Run(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(kCheckMaps)}, &bOk),
                 QByteArray());
        QVERIFY(bOk);
        // The worked example: input 0, red-green-blue, one LED per run.
        const QList<QByteArray> mif = ReadTestFile(QStringLiteral("m021_1.mif")).split('\n');
        QCOMPARE(mif.mid(0, 9), QByteArrayList({"WIDTH=8;", "DEPTH=256;", "", "ADDRESS_RADIX=HEX;", "DATA_RADIX=HEX;",
                                                "", "CONTENT BEGIN", "", " 00000000 : AE;"}));
        QCOMPARE(mif.mid(136, 1) + mif.mid(200, 1) + mif.mid(263),
                 QByteArrayList({" 00000080 : 80;", " 000000c0 : FF;", " 000000ff : FF;", "", "", "END;", "", ""}));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("x"); // gain width or LEDs per run
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        const QByteArray map("m_pLpuLedMapGeneBtn"), gain("m_pLpuGainGenerateBtn");
        const QString qsSize("Invalid gain pattern size %1 x %2! (must be in range [1;1920] x [1;1080])");
        QTest::newRow("3 LEDs") << map << 1 << 3 << 1 << "a.map"
                                << "Invalid LED number 3! (must be 1, 2, 4, 8 or 16)";
        QTest::newRow("mif named for map") << map << 1 << 1 << 1 << "a.mif"
                                           << "Invalid file extension! (expected: .map)";
        QTest::newRow("map, no folder") << map << 1 << 1 << 1 << "no/a.map"
                                        << "Failed to open 'no/a.map' file!|Failed to generate LED Mapping table file!";
        QTest::newRow("vu3 named for eldim") << gain << 1 << 4 << 4 << "g.vu3"
                                             << "Invalid file extension! (expected: .eldim)";
        QTest::newRow("no name") << gain << 0 << 4 << 4 << ""
                                 << "Invalid file extension! (expected: .vu3)";
        QTest::newRow("no column") << gain << 0 << 0 << 4 << "g.vu3" << qsSize.arg(0).arg(4);
        QTest::newRow("no line") << gain << 2 << 4 << 0 << "g.radiant" << qsSize.arg(4).arg(0);
        QTest::newRow("1921 columns") << gain << 1 << 1921 << 1 << "g.eldim" << qsSize.arg(1921).arg(1);
        QTest::newRow("1081 lines") << gain << 0 << 1 << 1081 << "g.vu3" << qsSize.arg(1).arg(1081);
        QTest::newRow("gain, no folder")
            << gain << 0 << 1 << 1 << "no/g.vu3"
            << "Failed to open 'no/g.vu3' file!|Failed to generate fixture gain file! - (Error Code = -10) - "
               "File open failed!";
    }

    void refused()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, format);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, name);
        QFETCH(QString, error);
        const bool bGain = button.contains("Gain");
        Choose(m_pTools, bGain ? "m_pLpuGainFormatCbBox" : "m_pLpuLedMapFormatCbBox", format);
        Type(m_pTools, bGain ? "m_pLpuGainSizeXSpin" : "m_pLpuLedMapOrderNumSpin", x);
        Type(m_pTools, "m_pLpuGainSizeYSpin", y);
        SetName(bGain ? "m_pLpuGainOutFileCbBox" : "m_pLpuLedMapOutFileCbBox", name);
        QVERIFY(WriteTestFile(QStringLiteral("g.vu3"), "old") && WriteTestFile(QStringLiteral("a.mif"), "old"));
        Click(button.constData());
        QTRY_COMPARE(m_pLink->Traces().Errors().join(QLatin1Char('|')), error);
        QCOMPARE(ReadTestFile(QStringLiteral("g.vu3")) + ReadTestFile(QStringLiteral("a.mif")), QByteArray("oldold"));
        QVERIFY(!QFile::exists(QStringLiteral("a.map")) && !QFile::exists(QStringLiteral("g.eldim")));
    }

    void gainPatterns_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("lineNo"); // a line of the file to compare, -1 for none
        QTest::addColumn<QByteArray>("line");
        for (int iPattern = 0; iPattern < 22; ++iPattern) {
            for (int iFormat = 0; iFormat < 3; ++iFormat)
                QTest::addRow("%d in format %d", iPattern, iFormat)
                    << iPattern << iFormat << 5 << 3 << -1 << QByteArray();
        }
        QTest::newRow("defaults") << 0 << 0 << 128 << 128 << 2 << "0,1" + QByteArray(",1.000000").repeated(9);
        QTest::newRow("counters, VU3")
            << 21 << 0 << 300 << 3 << 751
            << QByteArray("150,2,0.175781,0.001953,0.097656,0.322266,0.000000,0.003906,0.000000,0.013672,0.097656");
        QTest::newRow("counters, ELDIM") << 21 << 1 << 300 << 3 << 751 << QByteArray("45,0,25,82,0,1,0,3,25,");
        QTest::newRow("counters, RADIANT") << 21 << 2 << 300 << 3 << 750
                                           << QByteArray("3,151,0.1758,0.0020,0.0977,0.3223,0.0000,0.0039,0.0000,"
                                                         "0.0137,0.0977");
        QTest::newRow("1920 columns, ELDIM") << 3 << 1 << 1920 << 1 << 0 << QByteArray("1,1920,9");
        QTest::newRow("1080 lines, RADIANT")
            << 20 << 2 << 1 << 1080 << 1079 << "1080,1" + QByteArray(",0.0000").repeated(9);
    }

    void gainPatterns()
    {
        QFETCH(int, pattern);
        QFETCH(int, format);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, lineNo);
        QFETCH(QByteArray, line);
        QDir().mkpath(QStringLiteral("Gain"));
        Choose(m_pTools, "m_pLpuGainPatternCbBox", pattern);
        Choose(m_pTools, "m_pLpuGainFormatCbBox", format);
        Type(m_pTools, "m_pLpuGainSizeXSpin", x);
        Type(m_pTools, "m_pLpuGainSizeYSpin", y);
        const QString qsExtension = QStringList{"vu3", "eldim", "radiant"}[format];
        SetName("m_pLpuGainOutFileCbBox", "Gain\\test." + qsExtension); // as the form names them
        Click("m_pLpuGainGenerateBtn");
        const QString qsFile = "Gain/test." + qsExtension;
        if (lineNo >= 0)
            QCOMPARE(ReadTestFile(qsFile).split('\n').value(lineNo), line);
        CGainTable table;
        quint16 usHeight = 0, usWidth = 0;
        QCOMPARE(CoefReadFile(false, format, qsFile, &usHeight, &usWidth, table), 0);
        QCOMPARE(QList<int>({usWidth, usHeight}), QList<int>({x, y}));
        // Constant patterns from their names: "0.25R - 0.50G - 0.00B" is a diagonal matrix,
        // "Fixed_1.0" and "All_0.0" fill all nine.
        const QString qsName = m_pTools->findChild<QComboBox *>("m_pLpuGainPatternCbBox")->currentText();
        if (qsName == "Random")
            return;
        const QRegularExpressionMatch diagonal = QRegularExpression("^([0-9.]+)R - ([0-9.]+)G - ([0-9.]+)B$")
                                                     .match(qsName == "No_Gain" ? "1R - 1G - 1B" : qsName);
        quint16 ausCoef[9] = {};
        for (int k = 0; k < 9; ++k)
            ausCoef[k] = diagonal.hasMatch() ? (k % 4 ? 0 : CoefFromReal(diagonal.captured(k / 4 + 1).toDouble()))
                                             : (qsName == "Fixed_1.0" ? 512 : 0);
        std::vector<PixelCoef_t> want(size_t(x) * y);
        if (qsName == "Ramp")
            CoefGenRamp(x, y, want.data());
        else if (qsName == "Counters")
            CoefGenPositionCode(x, y, want.data());
        else
            CoefGenConstant(ausCoef, x, y, want.data());
        for (const PixelCoef_t &t : want) {
            for (int k = 0; k < 9; ++k) {
                const quint16 usRead = table.At(t.Column, t.Line).Coef[k];
                QCOMPARE(format == 1 ? Coef512To255(usRead) : usRead,
                         format == 1 ? Coef512To255(t.Coef[k]) : t.Coef[k]);
            }
        }
    }

    void fileChoice()
    {
        Choose(m_pTools, "m_pLpuGainFormatCbBox", 1);
        m_pLink->Prompts().AnswerSaveFile(QCoreApplication::applicationDirPath() + "/x/out");
        Click("m_pLpuGainOutFileChoiceBtn");
        const PromptCall_t call = m_pLink->Prompts().Calls().value(0);
        QCOMPARE(QStringList({call.qsTitle, call.qsDetail, call.extra.join(';')}),
                 QStringList({"Select the Gain Output file (*.eldim;*.vu3;*.radiant)", "Gain/", "*.eldim"}));
        auto *pName = m_pTools->findChild<QComboBox *>("m_pLpuGainOutFileCbBox");
        QCOMPARE(pName->currentText(), QStringLiteral("x/out"));
        Click("m_pLpuGainOutFileChoiceBtn"); // cancelled: the name stays
        QCOMPARE(pName->currentText(), QStringLiteral("x/out"));
    }
};

QTEST_MAIN(TestTestToolsGen)
#include "tst_testtoolsgen.moc"
