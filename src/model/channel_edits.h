#pragma once

#include "band_fit.h"
#include "band_limits.h"
#include "channel_columns.h"
#include "channel_table.h"
#include "memory_image.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Edits of whole channels and of the whole document, on any channel table: what the window's
// row commands, clipboard, CSV import and undo history do, without a window. Channels are
// numbered 1 to 16; a block of channels is its first channel and how many follow.
namespace ChannelEdits {

constexpr int kChannels = ChannelTable::kChannels;
constexpr int kSettings = ChannelColumns::kCount - 1; // the cells of a channel, columns 1 on

// Everything the user can change: the image (options, tuning and the bytes nobody interprets)
// and the table, which holds the channels.
struct Snapshot {
    MemoryImage image;
    ChannelTable table;

    bool operator==(const Snapshot& other) const {
        return image == other.image && table == other.table;
    }
    bool operator!=(const Snapshot& other) const { return !(*this == other); }
};

// A channel's cell texts, columns 1 on.
QStringList ChannelCells(const ChannelTable& table, int channel);
void SetChannelCells(ChannelTable& table, int channel, const QStringList& cells);
// No cell holds anything, not even a transmit frequency alone.
bool IsBlank(const ChannelTable& table, int channel);

void ClearChannels(ChannelTable& table, int first, int count);
// Empty channels at first, the channels from there on moved down into the first count empty
// channels below. Refused (false, and nothing changes) when there are not that many.
bool InsertEmptyChannels(ChannelTable& table, int first, int count);
// The channels after the block move up into its place; the last ones become empty.
void DeleteChannels(ChannelTable& table, int first, int count);
// The block moves so that it starts at target (clamped so it stays whole); the channels it
// passes over close up on the other side. Returns where it now starts.
int MoveChannels(ChannelTable& table, int first, int count, int target);

// The channels with a frequency outside the limits of band (an index of BandEntries()): the ones
// a change to that band must clear, as the radio could not use them.
QList<int> ChannelsOutsideBand(const ChannelTable& table, int band);
// Selects band and clears the channels outside it; returns them. Recorded as one step, undo
// brings back band and channels together.
QList<int> ChangeBand(ChannelTable& table, int band);

// The clipboard's two forms of a block: tab-separated lines (channel number and the channel's
// cells, no header) for spreadsheets, and a CSV text with the header line as a file has it.
QString CopyText(const ChannelTable& table, int first, int count);
QByteArray CopyCsv(const ChannelTable& table, int first, int count);

struct Paste {
    QList<QStringList> channels; // the cells to write, from the first target channel down
    QStringList problems;        // what the user reads; nothing may be written when not empty
};
// Reads a tab-separated or CSV text (a header line is optional, so is the channel number column)
// and checks every value as a CSV import would, for the channels from first down.
Paste PreparePaste(const QString& text, int first, const BandLimits& limits);
// A block of cells, fewer than whole channels (say the two frequencies of channels 3 to 8), from
// the cell at channel first and column (1 on) down and to the right, as a spreadsheet pastes; the
// cells beside the block keep their values. The channels it touches are checked whole, as by
// PreparePaste, against the band table has selected; paste.channels holds them whole, for
// WriteChannels from first. A receive frequency pasted into an empty channel is its transmit
// frequency too, unless the block sets that.
Paste PrepareCellPaste(const QString& text, const ChannelTable& table, int first, int column);
void WriteChannels(ChannelTable& table, int first, const QList<QStringList>& channels);

struct CsvImport {
    QStringList problems;     // as the user reads them; on any, nothing changed
    QStringList notes;        // what the file held that the table could not take as written
    bool tooManyRows = false; // refused for more rows than channels: takeFirst would take it
};

// A CSV file of the whole table, in our layout or the generic one of other programs, into table,
// checked against the band table has selected; takeFirst as ChannelCsv::ImportAny() has it.
CsvImport ImportCsv(const QByteArray& file, ChannelTable& table, int takeFirst = 0);

} // namespace ChannelEdits
