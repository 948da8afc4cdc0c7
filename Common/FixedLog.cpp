#include "FixedLog.h"

#include <QtGlobal>

#include <cmath>

namespace
{
constexpr UINT16 ONE = 512; // fixed-point 1.0
constexpr UINT16 STEPS_PER_OCTAVE = 277;

UINT16 quarterFraction(UINT16 x, quint32 divisor)
{
    // The fraction of the quarter octave; 16384 stands for the quarter's start.
    const quint32 scaled = quint32(x) * 65536u / divisor - 16384u;
    return UINT16(UINT16(scaled) >> 5);
}
} // namespace

UINT16 fixLog(UINT16 x)
{
    // The curve starts at 1.0; anything smaller would underflow the quarter fraction.
    if (x < ONE)
        return 0;

    UINT16 result = 0;
    while (x > 2 * ONE)
    {
        x >>= 1;
        result += STEPS_PER_OCTAVE;
    }

    quint32 divisor;
    if (x < 725)
    {
        if (x <= 608)
            divisor = 2048;
        else
        {
            divisor = 2435;
            result += 69;
        }
    }
    else if (x <= 861)
    {
        divisor = 2896;
        result += 139;
    }
    else
    {
        divisor = 3444;
        result += 208;
    }

    const UINT16 f = quarterFraction(x, divisor);
    result += f;
    if (f <= 3)
        return result;
    // Bend the linear fraction towards the logarithm curve.
    result -= (f - 4) >> 2;
    if (f >= 50)
        result -= (f - 34) >> 4;
    return result;
}

UINT16 fixLogFrom1(UINT16 x)
{
    return x < ONE ? 0 : fixLog(x);
}

double fixLogSelfTest()
{
    const double step = 1.002505068; // 2^(1/277)
    // The first ratio, at 1.0, is exact.
    double smallest = 1.0;
    double largest = 1.0;
    for (double a = 1.0; a < 64; a *= 1.0001)
    {
        const UINT16 g = fixLogFrom1(UINT16(a * ONE));
        const double ratio = std::pow(step, g) / a;
        smallest = qMin(smallest, ratio);
        largest = qMax(largest, ratio);
    }
    return qMax(1.0 / smallest, largest);
}
