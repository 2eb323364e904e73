#pragma once
// The offscreen platform warns about every window feature it lacks (size hints, raise) each
// time a floating dock or a box appears. Those lines would bury a test's real warnings, so
// this drops them and passes everything else on.

void SilenceOffscreenPlatformWarnings();
