#include "band_fit.h"

#include "channel_columns.h"
#include "image_map.h"

#include <QCoreApplication>

namespace Col = ChannelColumns;

QList<StrayFrequency> StrayFrequencies(const ChannelTable& table, const BandLimits& limits) {
    QList<StrayFrequency> strays;
    for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
        for (int column : {Col::kRxFrequency, Col::kTxFrequency}) {
            const QString text = table.cellText(channel, column);
            if (text.isEmpty()) {
                continue;
            }
            const FrequencyCheck check = CheckFrequency(text, limits);
            if (!check.accepted()) {
                strays.append({channel, column, text, check.verdict});
            }
        }
    }
    return strays;
}

QList<StrayFrequency> StrayFrequencies(const ChannelTable& table) {
    return StrayFrequencies(table, SelectedBandLimits(table));
}

QList<int> StrayChannels(const QList<StrayFrequency>& strays) {
    QList<int> channels;
    for (const StrayFrequency& stray : strays) {
        if (!channels.contains(stray.channel)) {
            channels.append(stray.channel);
        }
    }
    return channels;
}

QString ChannelNumbers(const QList<int>& channels) {
    QStringList numbers;
    for (int channel : channels) {
        numbers << QString::number(channel);
    }
    return numbers.join(QStringLiteral(", "));
}

QStringList DescribeStrays(const QList<StrayFrequency>& strays) {
    QStringList lines;
    for (const StrayFrequency& stray : strays) {
        const QString why =
            stray.verdict == FrequencyCheck::Verdict::OutOfRange
                ? QCoreApplication::translate("BandFit", "在频段之外")
                : QCoreApplication::translate("BandFit", "不在 5 kHz / 6.25 kHz 步进上");
        lines << QCoreApplication::translate("BandFit", "信道 %1 %2 %3：%4")
                     .arg(stray.channel)
                     .arg(Col::ShownHeader(stray.column), stray.text, why);
    }
    return lines;
}
