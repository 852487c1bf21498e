#pragma once

#include "channel_table.h"
#include "csv_records.h"

#include <QByteArray>
#include <QList>
#include <cstdint>

// The channel table as a spreadsheet file. The header line holds the table's column headers, then
// one line per channel: its number and the eleven cell texts as the channel table shows them.
namespace ChannelCsv {

// UTF-8 with a byte-order mark, CRLF line ends, all 16 channels (empty channels as empty cells).
QByteArray Export(const ChannelTable& table);

using Problem = CsvRecords::Problem;

// "line 3, column 2 (接收频率): reason"
QString Describe(const Problem& problem);

// Fills rows 1-16 of table from a file that describes the whole table: channels it does not
// list become empty. A defined channel's empty cells take what a new channel gets (the transmit
// frequency copies the receive one). Frequencies must pass the band check against [low, high],
// signalling texts must be entries of the signalling list and option texts one of their column's
// choices. Returns every problem found; when there are any, table holds a partial result that
// must not be used. The model and band selections are left alone.
QList<Problem> Import(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                      std::uint32_t high);

} // namespace ChannelCsv
