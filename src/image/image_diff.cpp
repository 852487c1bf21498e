#include "image_diff.h"

#include "block_walk.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "channel_table.h"
#include "image_map.h"
#include "settings_codec.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace ImageDiff {
namespace {

using Selector = ChannelTable::Selector;
namespace Col = ChannelColumns;

// The bits of one byte a field is made of.
struct Bits {
    int address;
    std::uint8_t mask;
};

// One field as both images show it, and the bytes it comes from.
struct Field {
    QString subject;
    QString left;
    QString right;
    int channel;
    QList<Bits> bits;
};

QList<Bits> Bytes(int address, int count) {
    QList<Bits> bits;
    for (int i = 0; i < count; ++i) {
        bits.append({address + i, 0xFF});
    }
    return bits;
}

QList<Bits> ChannelBits(int channel, int column) {
    const int record = ImageMap::ChannelRecord(channel);
    switch (column) {
    case Col::kRxFrequency:
        return Bytes(record + ImageMap::kRxFrequency, 4);
    case Col::kTxFrequency:
        return Bytes(record + ImageMap::kTxFrequency, 4);
    case Col::kRxSignal:
        return Bytes(record + ImageMap::kRxSignalValue, 2);
    case Col::kTxSignal:
        return Bytes(record + ImageMap::kTxSignalValue, 2);
    case Col::kScan:
        return Bytes(ImageMap::kScanCount, 1 + ImageMap::kScanListSize);
    default:
        break;
    }
    for (const ChannelFlag& flag : kChannelFlags) {
        if (flag.column == column) {
            return {{record + ImageMap::kChannelFlags, static_cast<std::uint8_t>(1u << flag.bit)}};
        }
    }
    return {};
}

void AddChannelFields(const MemoryImage& left, const MemoryImage& right, QList<Field>& fields) {
    ChannelTable leftTable;
    ChannelTable rightTable;
    DecodeChannels(left, leftTable);
    DecodeChannels(right, rightTable);
    const struct {
        Selector selector;
        const char* name;
        int address;
    } selectors[] = {
        {Selector::Model, QT_TRANSLATE_NOOP("ImageDiff", "机型"), ImageMap::kModelIndex},
        {Selector::Band, QT_TRANSLATE_NOOP("ImageDiff", "频段"), ImageMap::kBandIndex}};
    for (const auto& s : selectors) {
        fields.append({QCoreApplication::translate("ImageDiff", s.name),
                       leftTable.entryText(s.selector, leftTable.selected(s.selector)),
                       rightTable.entryText(s.selector, rightTable.selected(s.selector)), 0,
                       Bytes(s.address, 1)});
    }
    const auto row = [](const ChannelTable& table, int channel) {
        QStringList cells;
        for (int column = 1; column < Col::kCount; ++column) {
            if (Col::InImage(column)) {
                cells.append(table.cellText(channel, column));
            }
        }
        return cells;
    };
    const auto isEmpty = [](const QStringList& cells) {
        return std::all_of(cells.begin(), cells.end(),
                           [](const QString& c) { return c.isEmpty(); });
    };
    for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
        const QStringList leftRow = row(leftTable, channel);
        const QStringList rightRow = row(rightTable, channel);
        if (leftRow.first().isEmpty() != rightRow.first().isEmpty()) {
            // A channel only one side has (a receive frequency makes one) is one difference,
            // told by its whole row.
            QList<Bits> bits;
            for (int column = 1; column < Col::kCount; ++column) {
                bits += ChannelBits(channel, column);
            }
            const auto text = [&](const QStringList& cells) {
                QStringList shown = cells;
                shown.replaceInStrings(QRegularExpression(QStringLiteral("^$")),
                                       QStringLiteral("-"));
                return isEmpty(cells) ? QString() : shown.join(QLatin1Char(' '));
            };
            fields.append({QCoreApplication::translate("ImageDiff", "信道 %1").arg(channel),
                           text(leftRow), text(rightRow), channel, bits});
            continue;
        }
        for (int column = 1; column < Col::kCount; ++column) {
            if (!Col::InImage(column)) {
                continue; // both sides come from images
            }
            fields.append({QCoreApplication::translate("ImageDiff", "信道 %1 %2")
                               .arg(channel)
                               .arg(Col::Headers().at(column)),
                           leftTable.cellText(channel, column),
                           rightTable.cellText(channel, column), channel,
                           ChannelBits(channel, column)});
        }
    }
}

QList<Bits> OptionBits(OptionList list) {
    switch (list) {
    case OptionList::Squelch:
        return Bytes(ImageMap::kSquelchLevel, 1);
    case OptionList::TimeOut:
        return Bytes(ImageMap::kTimeOutTimer, 1);
    case OptionList::VoxGain:
        return Bytes(ImageMap::kVoxGain, 1);
    case OptionList::VoxDelay:
        return Bytes(ImageMap::kVoxDelay, 1);
    case OptionList::BatterySaver:
        return Bytes(ImageMap::kBatterySaver, 1);
    case OptionList::Priority:
        return {{ImageMap::kPriorityChannel, 0x1F}};
    case OptionList::Language:
        return {{ImageMap::kOptionBits, 0x18}};
    }
    return {};
}

QString OptionText(const OptionListInfo& info, const RadioOptions& options, int address,
                   const MemoryImage& image) {
    const int position = options.position(info.list);
    if (position == kNoSelection) {
        // Not a value the list offers: the stored byte is all there is to show.
        return QStringLiteral("0x%1").arg(image.ReadByte(address), 2, 16, QLatin1Char('0'));
    }
    return info.entries.at(position);
}

void AddOptionFields(const MemoryImage& left, const MemoryImage& right, QList<Field>& fields) {
    const RadioOptions leftOptions = ReadOptions(left);
    const RadioOptions rightOptions = ReadOptions(right);
    for (const OptionListInfo& info : OptionLists()) {
        const QList<Bits> bits = OptionBits(info.list);
        const int address = bits.first().address;
        fields.append({QCoreApplication::translate("SettingsCodec", info.label),
                       OptionText(info, leftOptions, address, left),
                       OptionText(info, rightOptions, address, right), 0, bits});
    }
    const auto onOff = [](bool on) { return on ? Col::kYes : Col::kNo; };
    fields.append({QCoreApplication::translate("SettingsCodec", kBeepLabel),
                   onOff(leftOptions.beep),
                   onOff(rightOptions.beep),
                   0,
                   {{ImageMap::kOptionBits, 0x01}}});
    fields.append({QCoreApplication::translate("SettingsCodec", kVoxLabel),
                   onOff(leftOptions.vox),
                   onOff(rightOptions.vox),
                   0,
                   {{ImageMap::kOptionBits, 0x04}}});
}

void AddTuningFields(const MemoryImage& left, const MemoryImage& right, QList<Field>& fields) {
    for (const TuningMode& mode : TuningModes()) {
        for (const TuningField& field : TuningFields()) {
            const auto text = [&](const MemoryImage& image) {
                const int value = ReadTuningValue(image, mode.address, field);
                // A list byte past the list's end reads as its first entry; the byte itself
                // tells the two apart.
                const int stored = image.ReadByte(mode.address + field.offset);
                return field.isList() && stored < field.entries.size() ? field.entries.at(value)
                                                                       : QString::number(stored);
            };
            fields.append({QCoreApplication::translate("ImageDiff", "参数调节 %1 %2")
                               .arg(QString::fromUtf8(mode.label),
                                    QCoreApplication::translate("SettingsCodec", field.label)),
                           text(left), text(right), 0, Bytes(mode.address + field.offset, 1)});
        }
    }
}

QString Hex(int value, int width) {
    return QStringLiteral("0x%1").arg(value, width, 16, QLatin1Char('0'));
}

} // namespace

QList<Difference> Compare(const MemoryImage& left, const MemoryImage& right) {
    QList<Field> fields;
    AddChannelFields(left, right, fields);
    AddOptionFields(left, right, fields);
    AddTuningFields(left, right, fields);

    QList<Difference> differences;
    std::array<std::uint8_t, MemoryImage::kSize> explained{};
    for (const Field& field : fields) {
        if (field.left == field.right) {
            continue;
        }
        differences.append({field.subject, field.left, field.right, field.channel});
        for (const Bits& bits : field.bits) {
            explained[static_cast<std::size_t>(bits.address)] |= bits.mask;
        }
    }
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        const int changed = (left.ReadByte(address) ^ right.ReadByte(address)) &
                            ~explained[static_cast<std::size_t>(address)];
        if (changed != 0) {
            const int channel =
                address >= ImageMap::ChannelRecord(1) &&
                        address < ImageMap::ChannelRecord(ImageMap::kChannelCount + 1)
                    ? address / ImageMap::kChannelRecordSize
                    : 0;
            differences.append(
                {QCoreApplication::translate("ImageDiff", "地址 %1").arg(Hex(address, 3)),
                 Hex(left.ReadByte(address), 2), Hex(right.ReadByte(address), 2), channel});
        }
    }
    return differences;
}

QString Describe(const Difference& difference, const QString& leftName, const QString& rightName) {
    // English quotes the values, which are the radio's own texts, but not the word for none.
    if (difference.left.isEmpty()) {
        return QCoreApplication::translate("ImageDiff", "%1: %2 空, %3 %4")
            .arg(difference.subject, leftName, rightName, difference.right);
    }
    if (difference.right.isEmpty()) {
        return QCoreApplication::translate("ImageDiff", "%1: %2 %3, %4 空")
            .arg(difference.subject, leftName, difference.left, rightName);
    }
    return QCoreApplication::translate("ImageDiff", "%1: %2 %3, %4 %5")
        .arg(difference.subject, leftName, difference.left, rightName, difference.right);
}

QList<int> Channels(const QList<Difference>& differences) {
    QList<int> channels;
    for (const Difference& difference : differences) {
        if (difference.channel != 0 && !channels.contains(difference.channel)) {
            channels.append(difference.channel);
        }
    }
    std::sort(channels.begin(), channels.end());
    return channels;
}

QList<int> DifferingBlocks(const MemoryImage& left, const MemoryImage& right) {
    QList<int> blocks;
    for (int address = 0; address < MemoryImage::kSize; address += BlockWalk::kBlockSize) {
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            if (left.ReadByte(address + i) != right.ReadByte(address + i)) {
                blocks.append(address);
                break;
            }
        }
    }
    return blocks;
}

} // namespace ImageDiff
