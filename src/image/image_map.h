#pragma once

// Where things live in the radio's memory. Every codec, the protocol and the tests take their
// addresses from here.
namespace ImageMap {

constexpr int kChannelCount = 16;
constexpr int kChannelRecordSize = 16;
// Channel n (1-16) starts at 0x010 * n.
constexpr int ChannelRecord(int channel) {
    return 0x010 * channel;
}

// Offsets inside a channel record.
constexpr int kRxFrequency = 0; // 4 bytes of packed BCD, least significant pair first
constexpr int kTxFrequency = 4; // same
constexpr int kRxSignalValue = 8;
constexpr int kRxSignalKind = 9;
constexpr int kTxSignalValue = 10;
constexpr int kTxSignalKind = 11;
constexpr int kChannelFlags = 12;

constexpr int kPriorityChannel = 0x2B0; // bits 0-4; bits 5-7 are kept
constexpr int kScanCount = 0x2B7;
constexpr int kScanList = 0x2B8;
constexpr int kScanListSize = 16;

constexpr int kOptionBits = 0x3C0;
constexpr int kSquelchLevel = 0x3C1;
constexpr int kTimeOutTimer = 0x3C3;
constexpr int kVoxGain = 0x3C4;
constexpr int kVoxDelay = 0x3C5;
constexpr int kBatterySaver = 0x3C6;

constexpr int kModelIndex = 0x3D1;
constexpr int kBandIndex = 0x3D2;

constexpr int kTuningBlockSize = 24;
constexpr int kTuningEmphasis = 0x120;
constexpr int kTuningCompander = 0x138;
constexpr int kTuningScrambler = 0x150;
constexpr int kTuningNone = 0x168;

} // namespace ImageMap
