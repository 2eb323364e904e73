#pragma once
// Colour temperature to white-balance gains (512 = 1.0) for the output colour correction.
// The fitted conversion is what the output colour dock shows; the exact one derives the same
// kind of gains from the black-body spectrum, the CIE 1931 observer and the Rec. 709 primaries.
// All are pure functions.

#include <QtGlobal>

// 0; -4 (gains left at 512) when dKelvin is outside [2000;11000].
qint32 TemperatureToGainsFit(double dKelvin, quint32 *puRed, quint32 *puGreen, quint32 *puBlue);

// Exact gains: each of TemperatureToRgb's values x 512, rounded and clamped to [0;512].
void TemperatureToGains(double dKelvin, quint32 *puRed, quint32 *puGreen, quint32 *puBlue);

// Linear Rec. 709 values (0..1) that a D65-white display must be driven with to show the
// black body's colour; the largest of the three is 1.
void TemperatureToRgb(double dKelvin, double *pdRed, double *pdGreen, double *pdBlue);

// Tristimulus values of the black body, divided by the largest of the three.
void BlackBodyToXyz(double dKelvin, double *pdX, double *pdY, double *pdZ);

// Solves primaries x amounts = (X, Y, Z), the primaries given as chromaticity vectors
// (x, y, z); each amount is clamped to [0;1]. No white-point scaling is applied here.
void XyzToRgb(double dXr, double dYr, double dZr, double dXg, double dYg, double dZg, double dXb, double dYb,
              double dZb, double dX, double dY, double dZ, double *pdRed, double *pdGreen, double *pdBlue);

// The CIE 1931 2-degree colour-matching functions, 380..780 nm every 5 nm.
constexpr int kCieRowCount = 81;
extern const double g_CieColourMatch[kCieRowCount][3];
