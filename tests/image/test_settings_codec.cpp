#include "channel_columns.h"
#include "image_bytes.h"
#include "image_map.h"
#include "new_document.h"
#include "settings_codec.h"
#include "signalling_list.h"
#include "ui_language.h"
#include "value_texts.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Where each option and tuning value lives and how list positions map to stored bytes.
class SettingsCodecTest : public QObject {
    Q_OBJECT

private slots:
    // Every list at every position, the last included (priority channel 16), on a new document
    // and on an erased radio: it reads back, and no other list moves.
    void everyOptionListAtEveryPosition() {
        MemoryImage erased;
        erased.Fill(0xFF);
        for (const MemoryImage& start : {NewDocumentImage(), erased}) {
            for (const OptionListInfo& info : OptionLists()) {
                for (int position = 0; position < int(info.entries.size()); ++position) {
                    MemoryImage image = start;
                    const RadioOptions before = ReadOptions(image);
                    RadioOptions o = before;
                    o.setPosition(info.list, position);
                    StoreOptions(image, o);
                    const RadioOptions after = ReadOptions(image);
                    for (const OptionListInfo& other : OptionLists()) {
                        QCOMPARE(after.position(other.list),
                                 other.list == info.list ? position : before.position(other.list));
                    }
                    QVERIFY(after.beep == before.beep && after.vox == before.vox);
                }
            }
        }
    }

    // The list position each stored byte reads as, at both ends of the lists (one step past the
    // last entry names nothing); storing every position reads back (above), so this pins both
    // directions of the scaling.
    void storedValuesAtTheEndsOfTheLists() {
        const int none = kNoSelection;
        const QList<std::tuple<OptionList, int, int, int>> cases = {
            {OptionList::Squelch, ImageMap::kSquelchLevel, 10, none},
            {OptionList::TimeOut, ImageMap::kTimeOutTimer, 180, 6},
            {OptionList::TimeOut, ImageMap::kTimeOutTimer, 210, none},
            {OptionList::VoxGain, ImageMap::kVoxGain, 6, none},
            {OptionList::VoxDelay, ImageMap::kVoxDelay, 1, 0},
            {OptionList::VoxDelay, ImageMap::kVoxDelay, 6, none},
            {OptionList::BatterySaver, ImageMap::kBatterySaver, 30, 6},
            {OptionList::Priority, ImageMap::kPriorityChannel, 17, none}};
        for (const auto& [list, address, stored, position] : cases) {
            MemoryImage image = NewDocumentImage();
            image.WriteByte(address, std::uint8_t(stored));
            QCOMPARE(ReadOptions(image).position(list), position);
        }
    }

    void languageAndPriorityKeepTheirNeighbourBits() {
        // Language is two bits of the option byte (both set reads as the first entry); beep and vox
        // share the byte.
        const QList<std::array<int, 4>> language = {
            {0x1B, 0, 0, 0x03}, {0x13, 2, 1, 0x0B}, {0x17, 2, 2, 0x17}};
        for (const auto& [byte, read, stored, expected] : language) {
            MemoryImage image;
            image.WriteByte(ImageMap::kOptionBits, std::uint8_t(byte));
            RadioOptions o = ReadOptions(image);
            QVERIFY(o.language == read && o.beep && o.vox == (byte == 0x17));
            o.language = stored;
            StoreOptions(image, o);
            QCOMPARE(int(image.ReadByte(ImageMap::kOptionBits)), expected);
        }
        MemoryImage image;
        image.WriteByte(ImageMap::kPriorityChannel, 0xA3);
        RadioOptions o = ReadOptions(image); // the high bits belong to something else
        QCOMPARE(std::exchange(o.priority, 16), 3);
        StoreOptions(image, o);
        QCOMPARE(int(image.ReadByte(ImageMap::kPriorityChannel)), 0xB0);
        image.WriteByte(ImageMap::kPriorityChannel, 0xFF); // channel 31 does not exist
        QCOMPARE(ReadOptions(image).priority, kNoSelection);
    }

    // Storing what was read writes the same bytes back. An erased radio holds 0xFF everywhere;
    // confirming the dialog unchanged must not turn those bytes into values derived from "no
    // selection".
    void unknownPositionsKeepTheStoredByte() {
        MemoryImage image = NewDocumentImage();
        StoreOptions(image, ReadOptions(image));
        QVERIFY(image == NewDocumentImage());
        image.Fill(0xFF);
        const RadioOptions o = ReadOptions(image);
        QCOMPARE(QList<int>({o.squelch, o.timeOut, o.voxDelay}), QList<int>(3, kNoSelection));
        MemoryImage expected = image;
        expected.WriteByte(ImageMap::kOptionBits, 0xE7); // both language bits read and store as off
        StoreOptions(image, ReadOptions(image));
        QVERIFY(image == expected);
    }

    // Every list field of a block at every position, the last included; the byte just past it
    // reads as the first entry and a position off the list stores as it. Number fields keep any
    // byte, and only a byte. A new document's values name entries, and each audio mode has a set
    // of its own.
    void tuningFieldsAtEveryPosition() {
        QSet<QByteArray> sets;
        for (const TuningMode& mode : TuningModes()) {
            sets.insert(Bytes(NewDocumentImage(), mode.address, ImageMap::kTuningBlockSize));
        }
        QCOMPARE(sets.size(), 4);
        for (const TuningField& field : TuningFields()) {
            const int count = field.isList() ? int(field.entries.size()) : 256;
            for (const TuningMode& mode : TuningModes()) {
                MemoryImage image = NewDocumentImage();
                const int byte = mode.address + field.offset;
                QVERIFY(image.ReadByte(byte) < count);
                for (int position = 0; position < count; ++position) {
                    StoreTuningValue(image, mode.address, field, position);
                    QCOMPARE(ReadTuningValue(image, mode.address, field), position);
                }
                if (field.isList()) {
                    image.WriteByte(byte, std::uint8_t(count));
                    QCOMPARE(ReadTuningValue(image, mode.address, field), 0);
                    for (int outside : {count, -1}) {
                        image.WriteByte(byte, 1);
                        StoreTuningValue(image, mode.address, field, outside);
                        QCOMPARE(int(image.ReadByte(byte)), 0);
                    }
                } else {
                    StoreTuningValue(image, mode.address, field, 0x1FE);
                    QCOMPARE(int(image.ReadByte(byte)), 0xFE);
                }
            }
        }
    }

    // Every list the radio's values come from reads wholly in English in an English run, with
    // no two entries alike, and each English text, in any letter case, names its own entry.
    void everyListValueHasItsEnglish() {
        QList<QStringList> lists = {{TheSignallingList().entry(SignallingList::kOff)}};
        for (int column = ChannelColumns::kBusy; column < ChannelColumns::kCount; ++column) {
            lists << ChannelColumns::Choices(column);
        }
        for (const OptionListInfo& info : OptionLists()) {
            lists << info.entries;
        }
        for (const TuningField& field : TuningFields()) {
            lists << field.entries;
        }
        QStringList modes;
        for (const TuningMode& mode : TuningModes()) {
            modes << QString::fromUtf8(mode.label);
        }
        lists << modes;
        UiLanguage::SetCurrent(UiLanguage::Language::English);
        for (const QStringList& list : lists) {
            const QStringList shown = ValueTexts::Shown(list);
            QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), list.size());
            for (qsizetype i = 0; i < list.size(); ++i) {
                QVERIFY2(!shown[i].contains(QRegularExpression("\\p{Han}")), qPrintable(shown[i]));
                const QString typed = shown[i] == list[i] ? shown[i] : shown[i].toUpper();
                QCOMPARE(ValueTexts::Stored(typed, list), list[i]);
                QCOMPARE(ValueTexts::Stored(list[i], list), list[i]);
            }
        }
        UiLanguage::SetCurrent(UiLanguage::Language::Chinese);
        QCOMPARE(ValueTexts::Shown(modes), modes);
    }
};

QTEST_APPLESS_MAIN(SettingsCodecTest)
#include "test_settings_codec.moc"
