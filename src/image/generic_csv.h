#pragma once

#include "channel_table.h"
#include "csv_records.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <cstdint>

// The generic channel-list layout that repeater directories export and multi-radio programming
// tools read and write: one line per memory with a frequency in MHz, a duplex and offset instead
// of a transmit frequency, and the tone settings spread over several columns. It has no columns
// for busy lockout, scrambler, compander or emphasis, and this radio has no channel names.
namespace GenericCsv {

// "Location", "Name", "Frequency", … "DVCODE", in the order export writes them.
const QStringList& Headers();

// Whether a header line is of this layout: it names a Frequency column (in any case). Columns
// are found by name, so their order and any further columns do not matter.
bool IsGenericHeader(const QStringList& fields);

// The defined channels, Location = channel number, without a byte-order mark. notes receives
// what the layout cannot carry: a channel that holds only a transmit frequency, and busy,
// scrambler, compander or emphasis settings other than those an import gives.
QByteArray Export(const ChannelTable& table, QStringList& notes);

struct Result {
    QList<CsvRecords::Problem> problems; // columns counted in the file, named as its header
    QStringList notes;                   // what was read differently from what the file says
    int frequencyRows = 0;               // rows with a frequency in the whole file
};

// Fills rows 1-16 of table from a file of this layout (parsed holds its records, the header
// first): the file describes the whole table, so channels it does not give become empty. Rows
// without a frequency are skipped. Location gives the channel; when a Location is not a channel
// number 1-16 or is used twice, the rows go to channels 1, 2, … in file order, and a note says
// so. Every value goes through the checks of our own layout (band and raster, the signalling
// list); a value this radio cannot hold, or one beyond the header's last column, is a problem.
// More than 16 rows with a frequency are one problem, unless takeFirst (1-16) says to read only
// that many first rows, with a note. When there are problems, table holds a partial result that
// must not be used. The model and band selections are left alone.
Result Import(const CsvRecords::Parsed& parsed, ChannelTable& table, std::uint32_t low,
              std::uint32_t high, int takeFirst = 0);

} // namespace GenericCsv
