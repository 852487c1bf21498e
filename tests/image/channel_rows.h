#pragma once

#include "channel_columns.h"
#include "channel_table.h"

#include <QRandomGenerator>
#include <QStringList>
#include <initializer_list>
#include <utility>

// Rows built from the column descriptors, so a new column changes no test on row width alone.

// A channel's cells, columns 1 on; with image, only the columns the image holds.
inline QStringList Row(const ChannelTable& table, int row, bool image = false) {
    QStringList cells;
    for (int c = 1; c < ChannelColumns::kCount; ++c) {
        if (!image || ChannelColumns::InImage(c)) {
            cells << table.cellText(row, c);
        }
    }
    return cells;
}

// An empty channel's cells, columns 1 on.
inline QStringList BlankRow() {
    return QStringList(ChannelColumns::kCount - 1);
}

// A new channel's cells with these frequencies, and then the changes (column, text) made to it.
inline QStringList NewRow(const QString& rx, const QString& tx,
                          std::initializer_list<std::pair<int, QString>> changes = {}) {
    QStringList cells = {rx, tx};
    for (int c = ChannelColumns::kTxFrequency + 1; c < ChannelColumns::kCount; ++c) {
        cells << ChannelColumns::NewChannelDefault(c);
    }
    for (const auto& [column, text] : changes) {
        cells[column - 1] = text;
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
