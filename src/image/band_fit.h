#pragma once

#include "band_limits.h"
#include "channel_table.h"
#include "frequency_check.h"

#include <QList>
#include <QString>
#include <QStringList>

// Whether the channels fit their band: a radio set to one band cannot use a channel whose
// frequency lies in the other, nor one off the 5 kHz / 6.25 kHz raster. Files and radios can hold
// such channels (a band changed behind them, bytes written by other programs); the table's own
// checks keep them from being typed.

// A frequency of a channel that the check of typed frequencies would refuse.
struct StrayFrequency {
    int channel = 0;
    int column = 0; // ChannelColumns::kRxFrequency or kTxFrequency
    QString text;
    FrequencyCheck::Verdict verdict = FrequencyCheck::Verdict::OutOfRange;

    bool operator==(const StrayFrequency& other) const {
        return channel == other.channel && column == other.column && text == other.text &&
               verdict == other.verdict;
    }
};

// Every frequency of channels 1-16 that limits or the raster refuse, in channel order.
QList<StrayFrequency> StrayFrequencies(const ChannelTable& table, const BandLimits& limits);
// The channels against the band the table selects: what a write must not send unasked.
QList<StrayFrequency> StrayFrequencies(const ChannelTable& table);

// The channels the list names, each once, in order.
QList<int> StrayChannels(const QList<StrayFrequency>& strays);
// "1, 3, 7".
QString ChannelNumbers(const QList<int>& channels);
// "信道 3 接收频率 145.12500：在频段之外", one line each.
QStringList DescribeStrays(const QList<StrayFrequency>& strays);
