#pragma once

#include "band_limits.h"
#include "channel_table.h"
#include "csv_records.h"

#include <QByteArray>
#include <QFileDevice>
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

// Fills rows 1-16 of table from a file that describes the whole table (or only the columns the
// image holds, the others then empty): channels it does not
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

// No CSV of 16 channels comes near this size in either layout, names and comments included; a
// larger file is some other file, refused before it is read.
constexpr qint64 kMaxFileSize = 256 * 1024;

// Reads an open CSV file whole, or refuses one larger than kMaxFileSize by its size; on failure
// returns false and reason says why.
bool ReadFile(QFileDevice& file, QByteArray& bytes, QString* reason);

enum class Layout { Ours, Generic };

struct ImportResult {
    QList<Problem> problems;
    QStringList notes; // what was read differently from what the file says; not problems
    Layout layout = Layout::Ours;
    int frequencyRows = 0; // of a generic file: more than 16 is why it was refused
};

// Import() of a file in our layout, or GenericCsv::Import() of one in the generic layout of other
// programs, told apart by the header line. Same contract: on any problem, table must not be used.
// takeFirst: as GenericCsv::Import() has it; our layout has no more rows than channels.
ImportResult ImportAny(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                       std::uint32_t high, int takeFirst = 0);

// The band of BandEntries() that holds every frequency of the file, or -1 when no one band does
// or the file has none; the file is read as ImportAny() reads it.
int BandOfFile(const QByteArray& file, int takeFirst = 0);
// Whether a frequency of the file lies outside limits: what a list for the other band gets.
bool HasFrequencyOutside(const QByteArray& file, const BandLimits& limits, int takeFirst = 0);

} // namespace ChannelCsv
