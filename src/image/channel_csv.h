#pragma once

#include "channel_table.h"
#include "csv_records.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <cstdint>

// The channel table as a spreadsheet file. The header line holds the table's column headers, then
// one line per channel: its number and the eleven cell texts as the channel table shows them.
namespace ChannelCsv {

// UTF-8 with a byte-order mark, CRLF line ends, all 16 channels (empty channels as empty cells).
QByteArray Export(const ChannelTable& table);

using Problem = CsvRecords::Problem;

// "line 3, column 2 (接收频率): reason"
QString Describe(const Problem& problem);

// How many problems a report lists before it only counts the rest: a file with thousands of bad
// lines tells its story in the first few.
constexpr int kShownProblems = 20;
// Describe() of the first kShownProblems problems, then a line counting the ones left out.
QStringList DescribeProblems(const QList<Problem>& problems);

// Fills rows 1-16 of table from a file that describes the whole table: channels it does not
// list, or lists with both frequencies empty, become empty. An empty transmit frequency on a
// defined channel stays empty (a receive-only channel); a line with a transmit frequency and
// nothing else is a channel that holds only that, as a radio's record can. A defined channel's
// other empty cells take what a new channel gets. Frequencies are plain decimal numbers of MHz
// with at most five decimals that pass the band check against [low, high]; signalling texts
// name one entry of the signalling list (spelling such as "100", "d23n" or "Off" is taken, the
// cell gets the list's own text); option texts are one of their column's choices, in Chinese or
// in English ("Yes", "narrow"; the cell gets the Chinese), and at most one of
// 扰频, 压扩 and 加重 is 是. Returns every problem found, in file order; when there are any,
// table holds a partial result that must not be used. The model and band selections are left
// alone.
QList<Problem> Import(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                      std::uint32_t high);

enum class Layout { Ours, Generic };

struct ImportResult {
    QList<Problem> problems;
    QStringList notes; // what was read differently from what the file says; not problems
    Layout layout = Layout::Ours;
};

// Import() of a file in our layout, or GenericCsv::Import() of one in the generic layout of other
// programs, told apart by the header line. Same contract: on any problem, table must not be used.
ImportResult ImportAny(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                       std::uint32_t high);

} // namespace ChannelCsv
