#pragma once

#include <QString>
#include <cstdint>

// Limits of the selected band in counts of 10 Hz, both ends accepted. 400-480 MHz until a band
// is chosen.
extern std::uint32_t g_bandLow;
extern std::uint32_t g_bandHigh;

// Reads "%d - %dMHz" ("136 - 174MHz") into g_bandLow and g_bandHigh; a text that does not match
// gives 0 for what it does not hold.
void SetBandLimits(const QString& bandText);
