#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The channel table's columns: headers, the texts each option column offers (in the order its
// editor lists them) and what a new channel gets. The grid, the cell editors, the codec, the CSV
// files and the printout all read these tables.
namespace ChannelColumns {

constexpr int kCount = 12; // column 0 holds the channel number
constexpr int kRxFrequency = 1;
constexpr int kTxFrequency = 2;
constexpr int kRxSignal = 3;
constexpr int kTxSignal = 4;
constexpr int kBusy = 5;
constexpr int kPower = 6;
constexpr int kScan = 7;
constexpr int kBandwidth = 8;
constexpr int kScrambler = 9;
constexpr int kCompander = 10;
constexpr int kEmphasis = 11;
constexpr int kLast = kEmphasis;

// Scrambler, compander and emphasis exclude one another when edited.
constexpr std::array<int, 3> kExclusive = {kScrambler, kCompander, kEmphasis};

inline const QString kYes = QStringLiteral("是");
inline const QString kNo = QStringLiteral("否");

// "信道", "接收频率", … "加重", column 0 first.
const QStringList& Headers();
// A column's name as a person reads it in the run's language; files keep Headers().
QString ShownHeader(int column);
// The two texts of an option column (5-11), in editor order; empty for other columns.
const QStringList& Choices(int column);
// What a new channel's cell holds in columns 2-11; column 2 copies the receive frequency and so
// has no fixed default here.
QString NewChannelDefault(int column);
// A column's share of the table's width: 0.4 for the channel number, 1.2 for each frequency,
// 1.0 for every other column. The window's grid and the printout keep these proportions.
double WidthWeight(int column);
// " 1" … "16".
QString ChannelNumberText(int row);

} // namespace ChannelColumns

// A bit of the channel flags byte and the texts that set and clear it.
struct ChannelFlag {
    int column;
    int bit;
    const char* setText;
    const char* clearText;
};

extern const std::array<ChannelFlag, 6> kChannelFlags;
