#include "project/colortemp.h"

#include <algorithm>
#include <cmath>

// Columns x-bar, y-bar, z-bar of the CIE 1931 2-degree standard observer, four decimals.
const double g_CieColourMatch[kCieRowCount][3] = {
    {0.0014, 0.0000, 0.0065}, {0.0022, 0.0001, 0.0105}, {0.0042, 0.0001, 0.0201}, {0.0076, 0.0002, 0.0362},
    {0.0143, 0.0004, 0.0679}, {0.0232, 0.0006, 0.1102}, {0.0435, 0.0012, 0.2074}, {0.0776, 0.0022, 0.3713},
    {0.1344, 0.0040, 0.6456}, {0.2148, 0.0073, 1.0391}, {0.2839, 0.0116, 1.3856}, {0.3285, 0.0168, 1.6230},
    {0.3483, 0.0230, 1.7471}, {0.3481, 0.0298, 1.7826}, {0.3362, 0.0380, 1.7721}, {0.3187, 0.0480, 1.7441},
    {0.2908, 0.0600, 1.6692}, {0.2511, 0.0739, 1.5281}, {0.1954, 0.0910, 1.2876}, {0.1421, 0.1126, 1.0419},
    {0.0956, 0.1390, 0.8130}, {0.0580, 0.1693, 0.6162}, {0.0320, 0.2080, 0.4652}, {0.0147, 0.2586, 0.3533},
    {0.0049, 0.3230, 0.2720}, {0.0024, 0.4073, 0.2123}, {0.0093, 0.5030, 0.1582}, {0.0291, 0.6082, 0.1117},
    {0.0633, 0.7100, 0.0782}, {0.1096, 0.7932, 0.0573}, {0.1655, 0.8620, 0.0422}, {0.2257, 0.9149, 0.0298},
    {0.2904, 0.9540, 0.0203}, {0.3597, 0.9803, 0.0134}, {0.4334, 0.9950, 0.0087}, {0.5121, 1.0000, 0.0057},
    {0.5945, 0.9950, 0.0039}, {0.6784, 0.9786, 0.0027}, {0.7621, 0.9520, 0.0021}, {0.8425, 0.9154, 0.0018},
    {0.9163, 0.8700, 0.0017}, {0.9786, 0.8163, 0.0014}, {1.0263, 0.7570, 0.0011}, {1.0567, 0.6949, 0.0010},
    {1.0622, 0.6310, 0.0008}, {1.0456, 0.5668, 0.0006}, {1.0026, 0.5030, 0.0003}, {0.9384, 0.4412, 0.0002},
    {0.8544, 0.3810, 0.0002}, {0.7514, 0.3210, 0.0001}, {0.6424, 0.2650, 0.0000}, {0.5419, 0.2170, 0.0000},
    {0.4479, 0.1750, 0.0000}, {0.3608, 0.1382, 0.0000}, {0.2835, 0.1070, 0.0000}, {0.2187, 0.0816, 0.0000},
    {0.1649, 0.0610, 0.0000}, {0.1212, 0.0446, 0.0000}, {0.0874, 0.0320, 0.0000}, {0.0636, 0.0232, 0.0000},
    {0.0468, 0.0170, 0.0000}, {0.0329, 0.0119, 0.0000}, {0.0227, 0.0082, 0.0000}, {0.0158, 0.0057, 0.0000},
    {0.0114, 0.0041, 0.0000}, {0.0081, 0.0029, 0.0000}, {0.0058, 0.0021, 0.0000}, {0.0041, 0.0015, 0.0000},
    {0.0029, 0.0010, 0.0000}, {0.0020, 0.0007, 0.0000}, {0.0014, 0.0005, 0.0000}, {0.0010, 0.0004, 0.0000},
    {0.0007, 0.0002, 0.0000}, {0.0005, 0.0002, 0.0000}, {0.0003, 0.0001, 0.0000}, {0.0002, 0.0001, 0.0000},
    {0.0002, 0.0001, 0.0000}, {0.0001, 0.0000, 0.0000}, {0.0001, 0.0000, 0.0000}, {0.0001, 0.0000, 0.0000},
    {0.0000, 0.0000, 0.0000},
};

namespace {

// Rec. 709 primaries and its D65 white, as chromaticities (x, y); z = 1 - x - y.
constexpr double kRedX = 0.64, kRedY = 0.33;
constexpr double kGreenX = 0.30, kGreenY = 0.60;
constexpr double kBlueX = 0.15, kBlueY = 0.06;
constexpr double kWhiteX = 0.3127, kWhiteY = 0.3290;

quint32 GainFromFactor(double dFactor)
{
    // Truncation after adding a half rounds to nearest for the non-negative values that
    // matter; a negative factor truncates toward zero and is then caught by the clamp.
    const long long llGain = static_cast<long long>(dFactor * 512.0 + 0.5);
    return static_cast<quint32>(std::clamp(llGain, 0LL, 512LL));
}

double Det3(double a, double b, double c, double d, double e, double f, double g, double h, double i)
{
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

// Cramer's rule for the matrix whose columns are the three primaries; no clamping.
void SolvePrimaries(double dXr, double dYr, double dZr, double dXg, double dYg, double dZg, double dXb, double dYb,
                    double dZb, double dX, double dY, double dZ, double *pdR, double *pdG, double *pdB)
{
    const double dDet = Det3(dXr, dXg, dXb, dYr, dYg, dYb, dZr, dZg, dZb);
    *pdR = Det3(dX, dXg, dXb, dY, dYg, dYb, dZ, dZg, dZb) / dDet;
    *pdG = Det3(dXr, dX, dXb, dYr, dY, dYb, dZr, dZ, dZb) / dDet;
    *pdB = Det3(dXr, dXg, dX, dYr, dYg, dY, dZr, dZg, dZ) / dDet;
}

void SolveRec709(double dX, double dY, double dZ, double *pdR, double *pdG, double *pdB)
{
    SolvePrimaries(kRedX, kRedY, 1.0 - kRedX - kRedY, kGreenX, kGreenY, 1.0 - kGreenX - kGreenY, kBlueX, kBlueY,
                   1.0 - kBlueX - kBlueY, dX, dY, dZ, pdR, pdG, pdB);
}

} // namespace

qint32 TemperatureToGainsFit(double dKelvin, quint32 *puRed, quint32 *puGreen, quint32 *puBlue)
{
    *puRed = 512;
    *puGreen = 512;
    *puBlue = 512;
    if (dKelvin < 2000.0 || dKelvin > 11000.0)
        return -4;

    const double k = dKelvin;
    const double k2 = k * k;
    const double k3 = std::pow(k, 3.0);

    // The red cubic starts at 6500 K, the green and blue ones at 6550 K: the split temperatures
    // are those the fit was made with, not a slip.
    double dRed = 1.0;
    if (k > 6500.0)
        dRed = -3.1933509452e-12 * k3 + 1.0215075154e-07 * k2 - 0.0011395210136 * k + 4.9778136837;

    double dGreen;
    if (k <= 6550.0)
        dGreen = 6.3265150017e-13 * k3 - 2.3495202431e-08 * k2 + 0.0003170018611 * k - 0.29747870952;
    else
        dGreen = -1.5173435841e-12 * k3 + 4.9675743299e-08 * k2 - 0.00057530905393 * k + 3.0139195796;

    *puRed = GainFromFactor(dRed);
    *puGreen = GainFromFactor(dGreen);
    if (k <= 6550.0) {
        const double dBlue = -5.9518470018e-12 * k3 + 8.8536654802e-08 * k2 - 0.00018254797258 * k + 0.061405395923;
        *puBlue = GainFromFactor(dBlue);
    }
    return 0;
}

void BlackBodyToXyz(double dKelvin, double *pdX, double *pdY, double *pdZ)
{
    double dX = 0.0, dY = 0.0, dZ = 0.0;
    for (int i = 0; i < kCieRowCount; ++i) {
        const double dLambda = 380.0 + 5.0 * i;
        const double dExitance =
            3.74183e-16 / std::pow(dLambda, 5.0) / (std::exp(14390158.988046885 / (dLambda * dKelvin)) - 1.0);
        const double dWeight = (i == 0 || i == kCieRowCount - 1) ? 0.5 : 1.0;
        dX += dWeight * dExitance * g_CieColourMatch[i][0];
        dY += dWeight * dExitance * g_CieColourMatch[i][1];
        dZ += dWeight * dExitance * g_CieColourMatch[i][2];
    }
    const double dMax = std::max({dX, dY, dZ});
    if (dMax > 0.0) {
        dX /= dMax;
        dY /= dMax;
        dZ /= dMax;
    }
    *pdX = dX;
    *pdY = dY;
    *pdZ = dZ;
}

void XyzToRgb(double dXr, double dYr, double dZr, double dXg, double dYg, double dZg, double dXb, double dYb,
              double dZb, double dX, double dY, double dZ, double *pdRed, double *pdGreen, double *pdBlue)
{
    SolvePrimaries(dXr, dYr, dZr, dXg, dYg, dZg, dXb, dYb, dZb, dX, dY, dZ, pdRed, pdGreen, pdBlue);
    *pdRed = std::clamp(*pdRed, 0.0, 1.0);
    *pdGreen = std::clamp(*pdGreen, 0.0, 1.0);
    *pdBlue = std::clamp(*pdBlue, 0.0, 1.0);
}

void TemperatureToRgb(double dKelvin, double *pdRed, double *pdGreen, double *pdBlue)
{
    double dX, dY, dZ;
    BlackBodyToXyz(dKelvin, &dX, &dY, &dZ);

    // Solving against the bare chromaticities gives amounts of primaries of unit chromaticity
    // sum, not of the display's channels: equal channel values must make D65 white. Dividing
    // by the amounts that make D65 turns them into channel values, so 6500 K comes out near
    // (1, 1, 1) instead of a strong cyan cast.
    double dR, dG, dB;
    SolveRec709(dX, dY, dZ, &dR, &dG, &dB);
    double dWr, dWg, dWb;
    SolveRec709(kWhiteX / kWhiteY, 1.0, (1.0 - kWhiteX - kWhiteY) / kWhiteY, &dWr, &dWg, &dWb);
    dR = std::max(dR / dWr, 0.0);
    dG = std::max(dG / dWg, 0.0);
    dB = std::max(dB / dWb, 0.0);

    // Gains can only attenuate: the strongest channel is driven fully.
    const double dMax = std::max({dR, dG, dB});
    if (dMax > 0.0) {
        dR /= dMax;
        dG /= dMax;
        dB /= dMax;
    }
    *pdRed = dR;
    *pdGreen = dG;
    *pdBlue = dB;
}

void TemperatureToGains(double dKelvin, quint32 *puRed, quint32 *puGreen, quint32 *puBlue)
{
    double dR, dG, dB;
    TemperatureToRgb(dKelvin, &dR, &dG, &dB);
    *puRed = GainFromFactor(dR);
    *puGreen = GainFromFactor(dG);
    *puBlue = GainFromFactor(dB);
}
