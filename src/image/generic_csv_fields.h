#pragma once

#include "channel_columns.h"

#include <QList>
#include <QString>
#include <array>

// The generic layout's columns and its spelling of this radio's signalling, shared by its export
// and its import.
namespace GenericCsv {

inline constexpr int kChannels = 16;

enum Field {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kFieldCount = 21, // URCALL, RPT1CALL, RPT2CALL and DVCODE are written empty and never read
    kNoField = -1,
};

// The layout's own spelling of the values this radio uses.
inline const QString kTsqlDefault = QStringLiteral("88.5");
inline const QString kDtcsDefault = QStringLiteral("023");
inline const QString kCross = QStringLiteral("Cross");
inline constexpr double kHighPowerWatts = 2.0;

enum class Kind { None, Tone, Dcs };

// Which Tone (and for Cross, which CrossMode) stands for which pair of transmit and receive
// signalling, and the columns each side reads. Where both sides read one column the two share
// its value. Export writes the first row that fits a channel.
struct ToneRule {
    const char* tone;
    const char* crossMode;
    Kind tx;
    Kind rx;
    int txField;
    int rxField;
};

inline constexpr std::array<ToneRule, 12> kToneRules = {{
    {"", "", Kind::None, Kind::None, kNoField, kNoField},
    {"Tone", "", Kind::Tone, Kind::None, kRToneFreq, kNoField},
    {"TSQL", "", Kind::Tone, Kind::Tone, kCToneFreq, kCToneFreq},
    {"DTCS", "", Kind::Dcs, Kind::Dcs, kDtcsCode, kDtcsCode},
    {"Cross", "Tone->Tone", Kind::Tone, Kind::Tone, kRToneFreq, kCToneFreq},
    {"Cross", "Tone->", Kind::Tone, Kind::None, kRToneFreq, kNoField},
    {"Cross", "DTCS->", Kind::Dcs, Kind::None, kDtcsCode, kNoField},
    {"Cross", "->Tone", Kind::None, Kind::Tone, kNoField, kCToneFreq},
    {"Cross", "->DTCS", Kind::None, Kind::Dcs, kNoField, kRxDtcsCode},
    {"Cross", "Tone->DTCS", Kind::Tone, Kind::Dcs, kRToneFreq, kRxDtcsCode},
    {"Cross", "DTCS->Tone", Kind::Dcs, Kind::Tone, kDtcsCode, kCToneFreq},
    {"Cross", "DTCS->DTCS", Kind::Dcs, Kind::Dcs, kDtcsCode, kRxDtcsCode},
}};

// The columns the layout has no place for, and what an import gives them.
// The columns of ours the layout has none for: an import gives them a new channel's default.
inline QList<int> DroppedColumns() {
    QList<int> columns;
    for (int column = 1; column < ChannelColumns::kCount; ++column) {
        if (!ChannelColumns::Describe(column).inGenericCsv) {
            columns << column;
        }
    }
    return columns;
}

} // namespace GenericCsv
