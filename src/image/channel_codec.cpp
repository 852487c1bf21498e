#include "channel_codec.h"

#include "channel_columns.h"
#include "decimal_arithmetic.h"
#include "image_map.h"

#include <cmath>

namespace {

using Selector = ChannelTable::Selector;
namespace Col = ChannelColumns;

constexpr std::uint8_t kKindToneOrOff = 0;
constexpr std::uint8_t kKindDcsNormal = 1;
constexpr std::uint8_t kKindDcsInverted = 3;
constexpr std::uint32_t kBcdLimit = 100000000; // eight decimal digits

int DecodeSelection(ChannelTable& table, Selector selector, int stored) {
    const int index = stored < table.entryCount(selector) ? stored : 0;
    table.select(selector, index);
    return index;
}

// The frequency text of the four BCD bytes at address (most significant pair last), or empty.
QString DecodeFrequency(const MemoryImage& image, int address) {
    const std::uint8_t top = image.ReadByte(address + 3);
    if (top == 0xFF || top == 0x00) {
        return {};
    }
    std::uint32_t count = 0;
    for (int k = 3; k >= 0; --k) {
        count = count * 100 + BcdToByte(image.ReadByte(address + k));
    }
    return QString::fromStdString(FormatMHz(DecimalMultiply(count, 0.00001)));
}

void EncodeFrequency(const QString& text, MemoryImage& image, int address) {
    const QByteArray utf8 = text.toUtf8();
    const double count = DecimalMultiply(
        LeadingNumber(std::string_view(utf8.constData(), size_t(utf8.size()))), 100000.0);
    if (!(count > -1.0 && count < double(kBcdLimit))) {
        return; // no room in eight BCD digits: keep the stored bytes rather than mangle them
    }
    std::uint32_t n = count > 0 ? static_cast<std::uint32_t>(count) : 0;
    if (n == 0) {
        for (int k = 0; k < 4; ++k) {
            image.WriteByte(address + k, 0xFF);
        }
        return;
    }
    std::uint32_t scale = 1000000;
    for (int k = 3; k >= 0; --k, scale /= 100) {
        image.WriteByte(address + k, ByteToBcd(int(n / scale)));
        n %= scale;
    }
}

void EncodeSignal(const QString& text, const SignallingList& signalling, MemoryImage& image,
                  int valueAddress, int kindAddress) {
    std::uint8_t value = 0;
    std::uint8_t kind = 0;
    SignalCodeFromIndex(signalling.FindSignalIndex(text), value, kind);
    image.WriteByte(valueAddress, value);
    image.WriteByte(kindAddress, kind);
}

} // namespace

std::uint8_t BcdToByte(std::uint8_t bcd) {
    return static_cast<std::uint8_t>((bcd >> 4) * 10 + (bcd & 15));
}

std::uint8_t ByteToBcd(int value) {
    return static_cast<std::uint8_t>(((value / 10) << 4) + value % 10);
}

bool IsInScanList(const MemoryImage& image, int channel, int count) {
    const int entries = count > ImageMap::kScanListSize ? ImageMap::kScanListSize : count;
    for (int i = 0; i < entries; ++i) {
        if (image.ReadByte(ImageMap::kScanList + i) == channel) {
            return true;
        }
    }
    return false;
}

int SignalIndexFromCode(std::uint8_t value, std::uint8_t kind) {
    int index = SignallingList::kOff;
    switch (kind) {
    case kKindToneOrOff:
        index = value;
        break;
    case kKindDcsNormal:
        index = value + SignallingList::kFirstNormalDcs - 1;
        break;
    case kKindDcsInverted:
        index = value + SignallingList::kFirstInvertedDcs - 1;
        break;
    default:
        break;
    }
    return index < SignallingList::kCount ? index : SignallingList::kOff;
}

void SignalCodeFromIndex(int index, std::uint8_t& value, std::uint8_t& kind) {
    if (index >= 0 && index < SignallingList::kFirstNormalDcs) {
        kind = kKindToneOrOff;
        value = static_cast<std::uint8_t>(index);
    } else if (index >= SignallingList::kFirstNormalDcs &&
               index < SignallingList::kFirstInvertedDcs) {
        kind = kKindDcsNormal;
        value = static_cast<std::uint8_t>(index - SignallingList::kFirstNormalDcs + 1);
    } else if (index >= SignallingList::kFirstInvertedDcs && index < SignallingList::kCount) {
        kind = kKindDcsInverted;
        value = static_cast<std::uint8_t>(index - SignallingList::kFirstInvertedDcs + 1);
    } else {
        kind = kKindToneOrOff;
        value = 0;
    }
}

void DecodeChannels(const MemoryImage& image, ChannelTable& table,
                    const SignallingList& signalling) {
    DecodeSelection(table, Selector::Model, image.ReadByte(ImageMap::kModelIndex));
    DecodeSelection(table, Selector::Band, image.ReadByte(ImageMap::kBandIndex));

    const int scanCount = image.ReadByte(ImageMap::kScanCount);
    for (int n = 1; n <= ImageMap::kChannelCount; ++n) {
        const int r = ImageMap::ChannelRecord(n);
        table.setCellText(n, Col::kRxFrequency, DecodeFrequency(image, r + ImageMap::kRxFrequency));
        table.setCellText(n, Col::kTxFrequency, DecodeFrequency(image, r + ImageMap::kTxFrequency));
        if (table.cellText(n, Col::kRxFrequency).isEmpty()) {
            for (int c = Col::kRxSignal; c < Col::kCount; ++c) {
                if (Col::InImage(c)) {
                    table.setCellText(n, c, QString());
                }
            }
            continue;
        }
        table.setCellText(
            n, Col::kRxSignal,
            signalling.entry(SignalIndexFromCode(image.ReadByte(r + ImageMap::kRxSignalValue),
                                                 image.ReadByte(r + ImageMap::kRxSignalKind))));
        table.setCellText(
            n, Col::kTxSignal,
            signalling.entry(SignalIndexFromCode(image.ReadByte(r + ImageMap::kTxSignalValue),
                                                 image.ReadByte(r + ImageMap::kTxSignalKind))));
        const std::uint8_t flags = image.ReadByte(r + ImageMap::kChannelFlags);
        for (const ChannelFlag& flag : kChannelFlags) {
            const bool set = (flags >> flag.bit) & 1;
            table.setCellText(n, flag.column,
                              QString::fromUtf8(set ? flag.setText : flag.clearText));
        }
        table.setCellText(n, Col::kScan, IsInScanList(image, n, scanCount) ? Col::kYes : Col::kNo);
    }
}

void EncodeChannels(const ChannelTable& table, MemoryImage& image,
                    const SignallingList& signalling) {
    for (int i = 0; i < ImageMap::kScanListSize; ++i) {
        image.WriteByte(ImageMap::kScanList + i, 0x00);
    }
    int scanEntries = 0;
    for (int n = 1; n <= ImageMap::kChannelCount; ++n) {
        const int r = ImageMap::ChannelRecord(n);
        EncodeFrequency(table.cellText(n, Col::kRxFrequency), image, r + ImageMap::kRxFrequency);
        EncodeFrequency(table.cellText(n, Col::kTxFrequency), image, r + ImageMap::kTxFrequency);
        EncodeSignal(table.cellText(n, Col::kRxSignal), signalling, image,
                     r + ImageMap::kRxSignalValue, r + ImageMap::kRxSignalKind);
        EncodeSignal(table.cellText(n, Col::kTxSignal), signalling, image,
                     r + ImageMap::kTxSignalValue, r + ImageMap::kTxSignalKind);
        for (const ChannelFlag& flag : kChannelFlags) {
            const QString text = table.cellText(n, flag.column);
            if (text == QString::fromUtf8(flag.setText)) {
                image.SetBit(r + ImageMap::kChannelFlags, flag.bit);
            } else if (text == QString::fromUtf8(flag.clearText)) {
                image.ClearBit(r + ImageMap::kChannelFlags, flag.bit);
            }
        }
        if (table.cellText(n, Col::kScan) == Col::kYes) {
            image.WriteByte(ImageMap::kScanList + scanEntries, static_cast<std::uint8_t>(n));
            ++scanEntries;
        }
    }
    image.WriteByte(ImageMap::kScanCount, static_cast<std::uint8_t>(scanEntries));
    const int model = table.selected(Selector::Model);
    const int band = table.selected(Selector::Band);
    image.WriteByte(ImageMap::kModelIndex, static_cast<std::uint8_t>(model < 0 ? 0 : model));
    image.WriteByte(ImageMap::kBandIndex, static_cast<std::uint8_t>(band < 0 ? 0 : band));
}

MemoryImage WithChannels(const MemoryImage& image, const ChannelTable& table) {
    MemoryImage encoded = image;
    EncodeChannels(table, encoded);
    return encoded;
}
