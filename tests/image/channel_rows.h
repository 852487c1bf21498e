#pragma once

#include "channel_columns.h"
#include "channel_table.h"

#include <QRandomGenerator>
#include <QStringList>

// A channel's cells, columns 1 to 11.
inline QStringList Row(const ChannelTable& table, int row) {
    QStringList cells;
    for (int c = 1; c <= ChannelColumns::kLast; ++c) {
        cells << table.cellText(row, c);
    }
    return cells;
}

// A frequency, in 10 Hz steps, on the 5 or 6.25 kHz raster between low and high.
inline std::uint32_t RandomRasterCount(QRandomGenerator& random, std::uint32_t low,
                                       std::uint32_t high) {
    const std::uint32_t step = random.bounded(2) == 0 ? 500 : 625;
    const std::uint32_t first = (low + step - 1) / step;
    return (first + random.bounded(high / step - first + 1)) * step;
}
