// Colour temperature to white-balance gains: the fitted table the output colour dock shows, the
// colour-matching table, the black-body chromaticities and the exact gains against the fit.
#include "project/colortemp.h"

#include <QTest>

#include <algorithm>
#include <cstdlib>

class TestColorTemp : public QObject
{
    Q_OBJECT
private slots:
    void fitTable_data();
    void fitTable();
    void cieTableIsEqualEnergyBalanced();
    void blackBodyChromaticity_data();
    void blackBodyChromaticity();
    void exactGainsFollowTheFit();
    void xyzToRgbClampsAndSolves();
};

void TestColorTemp::fitTable_data()
{
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<int>("status");
    QTest::addColumn<uint>("red");
    QTest::addColumn<uint>("green");
    QTest::addColumn<uint>("blue");
    QTest::newRow("1999.9 too low") << 1999.9 << -4 << 512u << 512u << 512u;
    QTest::newRow("2000") << 2000.0 << 0 << 512u << 127u << 1u;
    QTest::newRow("3200") << 3200.0 << 0 << 512u << 254u << 97u;
    QTest::newRow("6500 red split") << 6500.0 << 0 << 512u << 483u << 502u;
    QTest::newRow("6550 lower cubics") << 6550.0 << 0 << 512u << 486u << 508u;
    QTest::newRow("6551 upper cubics") << 6551.0 << 0 << 511u << 487u << 512u;
    QTest::newRow("11000") << 11000.0 << 0 << 283u << 346u << 512u;
    QTest::newRow("11000.1 too high") << 11000.1 << -4 << 512u << 512u << 512u;
    // The red cubic exceeds 1.0 just above 6500 K and must be clamped, not wrapped.
    QTest::newRow("6500.5 red clamped") << 6500.5 << 0 << 512u << 483u << 502u;
}

void TestColorTemp::fitTable()
{
    QFETCH(double, kelvin);
    quint32 r = 1, g = 1, b = 1;
    QTEST(TemperatureToGainsFit(kelvin, &r, &g, &b), "status");
    QTEST(uint(r), "red");
    QTEST(uint(g), "green");
    QTEST(uint(b), "blue");
}

void TestColorTemp::cieTableIsEqualEnergyBalanced()
{
    // The observer is normalised so that an equal-energy spectrum is white at x = y = 1/3:
    // a mistyped row shows up as unequal column sums.
    double dSum[3] = {0, 0, 0};
    for (int i = 0; i < kCieRowCount; ++i)
        for (int c = 0; c < 3; ++c)
            dSum[c] += g_CieColourMatch[i][c];
    const double dTotal = dSum[0] + dSum[1] + dSum[2];
    QVERIFY(std::abs(dSum[0] / dTotal - 1.0 / 3.0) < 1e-3);
    QVERIFY(std::abs(dSum[1] / dTotal - 1.0 / 3.0) < 1e-3);
    // The peak of y-bar is 1.0 at 555 nm.
    QCOMPARE(g_CieColourMatch[(555 - 380) / 5][1], 1.0);
}

void TestColorTemp::blackBodyChromaticity_data()
{
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("2000") << 2000.0 << 0.5267 << 0.4133;
    QTest::newRow("6500") << 6500.0 << 0.3136 << 0.3237;
}

void TestColorTemp::blackBodyChromaticity()
{
    QFETCH(double, kelvin);
    QFETCH(double, x);
    QFETCH(double, y);
    double dX, dY, dZ;
    BlackBodyToXyz(kelvin, &dX, &dY, &dZ);
    QCOMPARE(std::max({dX, dY, dZ}), 1.0);
    const double dSum = dX + dY + dZ;
    QVERIFY2(std::abs(dX / dSum - x) < 1e-3, qPrintable(QString::number(dX / dSum)));
    QVERIFY2(std::abs(dY / dSum - y) < 1e-3, qPrintable(QString::number(dY / dSum)));
}

void TestColorTemp::exactGainsFollowTheFit()
{
    int iWorst = 0;
    for (int k = 2000; k <= 11000; k += 10) {
        quint32 r, g, b, er, eg, eb;
        QCOMPARE(TemperatureToGainsFit(k, &r, &g, &b), 0);
        TemperatureToGains(k, &er, &eg, &eb);
        const int iDiff =
            std::max({std::abs(int(r) - int(er)), std::abs(int(g) - int(eg)), std::abs(int(b) - int(eb))});
        QVERIFY2(iDiff <= 12,
                 qPrintable(QString::asprintf("%d K: fit %u %u %u, exact %u %u %u", k, r, g, b, er, eg, eb)));
        iWorst = std::max(iWorst, iDiff);
    }
    qInfo("largest difference between fit and exact gains: %d/512", iWorst);
}

void TestColorTemp::xyzToRgbClampsAndSolves()
{
    // With unit primaries the system is the identity, clamped to [0;1].
    double r, g, b;
    XyzToRgb(1, 0, 0, 0, 1, 0, 0, 0, 1, -0.5, 2.0, 0.5, &r, &g, &b);
    QCOMPARE(QList<double>({r, g, b}), QList<double>({0.0, 1.0, 0.5}));
    // Each Rec. 709 primary's own chromaticity solves to that primary alone.
    XyzToRgb(0.64, 0.33, 0.03, 0.30, 0.60, 0.10, 0.15, 0.06, 0.79, 0.30, 0.60, 0.10, &r, &g, &b);
    QVERIFY(std::abs(r) < 1e-12 && std::abs(g - 1.0) < 1e-12 && std::abs(b) < 1e-12);
}

QTEST_GUILESS_MAIN(TestColorTemp)
#include "tst_colortemp.moc"
