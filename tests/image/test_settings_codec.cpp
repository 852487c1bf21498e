#include "image_bytes.h"
#include "image_map.h"
#include "new_document.h"
#include "settings_codec.h"

#include <QTest>

// Where each option and tuning value lives and how list positions map to stored bytes.
class SettingsCodecTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentOptions() {
        const RadioOptions o = ReadOptions(NewDocumentImage());
        QVERIFY(o.beep && !o.vox);
        QCOMPARE(QList<int>({o.squelch, o.voxGain, o.batterySaver}), QList<int>({5, 3, 2}));
        QStringList shown;
        for (OptionList list : {OptionList::Language, OptionList::TimeOut, OptionList::VoxDelay,
                                OptionList::BatterySaver, OptionList::Priority}) {
            shown << OptionListFor(list).entries.at(o.position(list));
        }
        QCOMPARE(shown, QStringList({"中文", "关闭", "0.4s", "10s", "无"}));

        // Storing what was read writes the same bytes back.
        MemoryImage image = NewDocumentImage();
        StoreOptions(image, o);
        QVERIFY(image == NewDocumentImage());
    }

    // List position <-> stored byte of the scaled options, both ways.
    void scaledConversions() {
        const QList<std::tuple<OptionList, int, int, int>> cases = {
            {OptionList::TimeOut, ImageMap::kTimeOutTimer, 6, 180},
            {OptionList::TimeOut, ImageMap::kTimeOutTimer, 0, 0},
            {OptionList::BatterySaver, ImageMap::kBatterySaver, 6, 30},
            {OptionList::VoxDelay, ImageMap::kVoxDelay, 4, 5},
            {OptionList::VoxDelay, ImageMap::kVoxDelay, 0, 1},
            {OptionList::Squelch, ImageMap::kSquelchLevel, 9, 9}};
        for (const auto& [list, address, position, stored] : cases) {
            MemoryImage image = NewDocumentImage();
            RadioOptions o = ReadOptions(image);
            o.setPosition(list, position);
            StoreOptions(image, o);
            QCOMPARE(int(image.ReadByte(address)), stored);
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

    void unknownPositionsKeepTheStoredByte() {
        // An erased radio holds 0xFF everywhere; confirming the dialog unchanged must not turn
        // those bytes into values derived from "no selection".
        MemoryImage image;
        image.Fill(0xFF);
        const RadioOptions o = ReadOptions(image);
        QCOMPARE(QList<int>({o.squelch, o.timeOut, o.voxDelay}), QList<int>(3, kNoSelection));
        image.WriteByte(ImageMap::kVoxDelay, 0x00); // position -1
        image.WriteByte(ImageMap::kTimeOutTimer, 45);
        const RadioOptions partly = ReadOptions(image);
        QVERIFY(partly.voxDelay == kNoSelection && partly.timeOut == 1);
        image.WriteByte(ImageMap::kVoxDelay, 0xFF);
        image.WriteByte(ImageMap::kTimeOutTimer, 0xFF);
        MemoryImage expected = image;
        expected.WriteByte(ImageMap::kOptionBits, 0xE7); // both language bits read and store as off
        StoreOptions(image, ReadOptions(image));
        QVERIFY(image == expected);
    }

    void tuningListAndNumberFields() {
        // Field 0 is a list of 3 entries, field 1 of 8, field 2 a number.
        const auto& fields = TuningFields();
        MemoryImage image = NewDocumentImage();
        const int block = ImageMap::kTuningCompander;
        image.WriteByte(block + 1, 8);
        QCOMPARE(ReadTuningValue(image, block, fields[1]), 0);
        image.WriteByte(block + 1, 7);
        QCOMPARE(ReadTuningValue(image, block, fields[1]), 7);
        for (int outside : {3, -1}) {
            image.WriteByte(block, 2);
            StoreTuningValue(image, block, fields[0], outside);
            QCOMPARE(int(image.ReadByte(block)), 0);
        }
        StoreTuningValue(image, block, fields[2], 0x1FE);
        QCOMPARE(ReadTuningValue(image, block, fields[2]), 0xFE);
    }

    void tuningDefaultsOfEachBlock() {
        // Offsets 0-4, 8-12 and 14-19 hold defaults; 5-7, 13 and 20-23 are left as they were.
        const QByteArrayList values = {
            "01 04 DC 02 01 EE EE EE 01 03 46 06 00 EE 72 46 28 14 33 23",
            "01 03 00 05 01 EE EE EE 01 03 28 06 00 EE 72 44 28 14 33 1E",
            "00 04 78 02 01 EE EE EE 01 03 82 06 00 EE 72 3E 28 14 33 23",
            "01 03 C8 07 01 EE EE EE 03 03 00 05 00 EE 72 39 28 14 33 19"};
        for (int i = 0; i < 4; ++i) { // emphasis, compander, scrambler, none
            const int block = ImageMap::kTuningEmphasis + i * ImageMap::kTuningBlockSize;
            MemoryImage image;
            image.Fill(0xEE);
            SetTuningDefaults(image, block);
            QCOMPARE(Bytes(image, block - 1, 26).toHex(' ').toUpper(),
                     "EE " + values[i] + " EE EE EE EE EE");
        }
    }
};

QTEST_APPLESS_MAIN(SettingsCodecTest)
#include "test_settings_codec.moc"
