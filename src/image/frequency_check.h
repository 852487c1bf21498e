#pragma once

#include <QString>
#include <cstdint>

// The check every frequency passes before it enters the channel table, whether typed into a cell
// or imported: inside the band limits, on the 5 kHz or 6.25 kHz raster counted from 0 Hz.
struct FrequencyCheck {
    enum class Verdict { Accepted, OutOfRange, OffRaster };

    Verdict verdict = Verdict::OutOfRange;
    QString display;         // "%3.5f" of the number read, what the cell receives
    std::uint32_t count = 0; // 10 Hz steps

    bool accepted() const { return verdict == Verdict::Accepted; }
    // "超出范围" or "请输入5k/6.25k的倍数"; empty when accepted.
    QString message() const;
};

FrequencyCheck CheckFrequency(const QString& text, std::uint32_t low, std::uint32_t high);

// The same against the selected band.
FrequencyCheck CheckFrequency(const QString& text);
