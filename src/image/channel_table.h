#pragma once

#include "channel_columns.h"

#include <QString>
#include <QStringList>
#include <array>

// The 16 channels as texts, one cell per column of ChannelColumns (what the radio holds and what
// only the document keeps), and the model and band selections. A plain value: the document holds
// one, an undo step copies it, the command line and the tests build their own. Rows 1 to 16 are
// the channels; row 0 reads as the headers and column 0 as the channel numbers, which are not
// stored.
class ChannelTable {
public:
    enum class Selector { Model, Band };
    static constexpr int kChannels = 16;

    QString cellText(int row, int column) const;
    // Writes outside rows 1-16 and columns 1 to the last are ignored.
    void setCellText(int row, int column, const QString& text);

    int entryCount(Selector selector) const;
    QString entryText(Selector selector, int index) const;
    // -1 when nothing is selected.
    int selected(Selector selector) const;
    // An index outside the entries selects nothing.
    void select(Selector selector, int index);

    bool operator==(const ChannelTable& other) const;
    bool operator!=(const ChannelTable& other) const { return !(*this == other); }

private:
    static bool inside(int row, int column);

    std::array<std::array<QString, ChannelColumns::kCount>, kChannels> m_cells;
    int m_model = -1;
    int m_band = -1;
};

// The selector entries, in list order.
const QStringList& ModelEntries(); // "QTR-318"
const QStringList& BandEntries();  // "136 - 174MHz", "400 - 480MHz"

// The headers of the columns that hold a value the image does not keep in some channel, in column
// order: what a .sin file of table would leave out.
QStringList ColumnsNotInImage(const ChannelTable& table);
// "“备注”的内容不保存在 .sin 文件中" for those columns; empty when there are none.
QString UnkeptColumnsNote(const ChannelTable& table);
