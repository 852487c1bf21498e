#pragma once

#include <QString>
#include <cstdint>

class ChannelTable;

// Limits of a band in counts of 10 Hz, both ends accepted. 400-480 MHz until a band is chosen.
struct BandLimits {
    std::uint32_t low = 40000000;
    std::uint32_t high = 48000000;

    bool operator==(const BandLimits& other) const {
        return low == other.low && high == other.high;
    }
};

// Reads "%d - %dMHz" ("136 - 174MHz"); a text that does not match gives 0 for what it does not
// hold.
BandLimits BandLimitsFromText(const QString& bandText);

// The limits of the band a table has selected; no selection counts as the first band.
BandLimits SelectedBandLimits(const ChannelTable& table);
