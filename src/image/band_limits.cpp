#include "band_limits.h"

#include "decimal_arithmetic.h"

#include <cstdio>

std::uint32_t g_bandLow = 40000000;
std::uint32_t g_bandHigh = 48000000;

void SetBandLimits(const QString& bandText) {
    int low = 0;
    int high = 0;
    const QByteArray text = bandText.toUtf8();
    // sscanf with %d and literal text is locale-independent.
    (void)std::sscanf(text.constData(), "%d - %dMHz", &low, &high);
    g_bandLow = TruncateToCount(DecimalMultiply(low, 100000.0));
    g_bandHigh = TruncateToCount(DecimalMultiply(high, 100000.0));
}
