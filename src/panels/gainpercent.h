#pragma once
// The 10-bit colour gains (0..512, 512 = 100 %) as the intensity panels show and take them in
// percent, and the trace lines of their coupled slider and spin box pairs.

#include "trace/trace.h"

#include <cmath>

// Halves away from zero, so that a typed percent gives the code its display came from.
inline int GainFromPercent(double dPercent)
{
    return int(std::lround(dPercent * 512 / 100));
}

inline double PercentFromGain(int iGain)
{
    return iGain * 0.001953125 * 100;
}

// iColour: 0 red, 1 green, 2 blue. A typed percent and the code it gives.
inline void TraceGainPercent(int iColour, double dPercent, int iGain)
{
    static const char *const s_apcColour[] = {"red", "green", "blue"};
    TraceInfo("Set %s intensity to %0.2f%% (10-bits coded: %d)", s_apcColour[iColour], dPercent, iGain);
}

// A gain set on its slider and the percent it shows.
inline void TraceGainCode(int iColour, int iGain)
{
    static const char *const s_apcColour[] = {"red", "green", "blue"};
    TraceInfo("Set %s intensity to %d = %0.2f%% ([0;512] => [0%%;100%%])", s_apcColour[iColour], iGain,
              PercentFromGain(iGain));
}
