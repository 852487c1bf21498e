#pragma once

#include "band_limits.h"

#include <QString>
#include <cstdint>

// The check every frequency passes before it enters the channel table, whether typed into a cell
// or imported: a plain decimal number of MHz (digits with at most one point, surrounding white
// space ignored), inside the band limits, on the 5 kHz or 6.25 kHz raster counted from 0 Hz.
// Digits past the fifth decimal are below the 10 Hz step and are dropped; the display is made
// from the count that was checked, so what is stored is exactly what passed.
struct FrequencyCheck {
    enum class Verdict { Accepted, OutOfRange, OffRaster, NotANumber };

    Verdict verdict = Verdict::NotANumber;
    QString display;         // "%3.5f" of count, what the cell receives
    std::uint32_t count = 0; // 10 Hz steps
    int decimals = 0;        // digits after the point, up to the last that is not 0

    bool accepted() const { return verdict == Verdict::Accepted; }
    // "超出范围", "请输入5k/6.25k的倍数" or "请输入数字"; empty when accepted.
    QString message() const;
};

// Whether text, white space around it ignored, is digits with at most one decimal point and at
// least one digit: no sign, exponent, comma, unit or hexadecimal.
bool IsPlainDecimal(const QString& text);

FrequencyCheck CheckFrequency(const QString& text, std::uint32_t low, std::uint32_t high);
FrequencyCheck CheckFrequency(const QString& text, const BandLimits& limits);
