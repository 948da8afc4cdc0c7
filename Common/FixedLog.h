#pragma once

#include <QtGlobal>

// Integer logarithm of ratios held as 16-bit fixed-point numbers with 512 standing for 1.0.
// The result counts steps of 2^(1/277), about 277 * log2(x / 512).

typedef quint16 UINT16;

// Defined for every x; ratios below 1.0 give 0.
UINT16 fixLog(UINT16 x);
// 0 for x < 512, else fixLog(x).
UINT16 fixLogFrom1(UINT16 x);
// The largest error factor of fixLogFrom1 over the ratios 1.0 to 64.
double fixLogSelfTest();
