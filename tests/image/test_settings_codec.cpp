#include "image_bytes.h"
#include "image_map.h"
#include "new_document.h"
#include "settings_codec.h"

#include <QTest>

namespace {
const TuningField& Field(int offset) {
    for (const TuningField& field : TuningFields()) {
        if (field.offset == offset) {
            return field;
        }
    }
    qFatal("no tuning field at offset %d", offset);
}
} // namespace

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
        QCOMPARE(OptionListFor(OptionList::Priority).entries.size(), 17);
        QCOMPARE(OptionListFor(OptionList::TimeOut).entries.last(), QStringLiteral("180"));

        // Storing what was read writes the same bytes back.
        MemoryImage image = NewDocumentImage();
        StoreOptions(image, o);
        QVERIFY(image == NewDocumentImage());
    }

    void scaledConversions_data() {
        QTest::addColumn<OptionList>("list");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("stored");
        QTest::newRow("time-out 6") << OptionList::TimeOut << ImageMap::kTimeOutTimer << 6 << 180;
        QTest::newRow("time-out off") << OptionList::TimeOut << ImageMap::kTimeOutTimer << 0 << 0;
        QTest::newRow("battery 30s")
            << OptionList::BatterySaver << ImageMap::kBatterySaver << 6 << 30;
        QTest::newRow("vox delay 1.0s") << OptionList::VoxDelay << ImageMap::kVoxDelay << 4 << 5;
        QTest::newRow("vox delay 0.2s") << OptionList::VoxDelay << ImageMap::kVoxDelay << 0 << 1;
        QTest::newRow("squelch 9") << OptionList::Squelch << ImageMap::kSquelchLevel << 9 << 9;
        QTest::newRow("vox gain 5") << OptionList::VoxGain << ImageMap::kVoxGain << 5 << 5;
    }

    void scaledConversions() {
        QFETCH(OptionList, list);
        QFETCH(int, address);
        QFETCH(int, position);
        MemoryImage image = NewDocumentImage();
        RadioOptions o = ReadOptions(image);
        o.setPosition(list, position);
        StoreOptions(image, o);
        QTEST(int(image.ReadByte(address)), "stored");
        QCOMPARE(ReadOptions(image).position(list), position);
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
            QCOMPARE(o.language, read);
            QVERIFY(o.beep);
            QCOMPARE(o.vox, byte == 0x17);
            o.language = stored;
            StoreOptions(image, o);
            QCOMPARE(int(image.ReadByte(ImageMap::kOptionBits)), expected);
        }
        MemoryImage image;
        image.WriteByte(ImageMap::kPriorityChannel, 0xA3);
        RadioOptions o = ReadOptions(image);
        QCOMPARE(o.priority, 3);
        o.priority = 16;
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
        QCOMPARE(ReadOptions(image).voxDelay, kNoSelection);
        image.WriteByte(ImageMap::kTimeOutTimer, 45);
        QCOMPARE(ReadOptions(image).timeOut, 1);
        image.WriteByte(ImageMap::kVoxDelay, 0xFF);
        image.WriteByte(ImageMap::kTimeOutTimer, 0xFF);
        MemoryImage expected = image;
        expected.WriteByte(ImageMap::kOptionBits, 0xE7); // both language bits read and store as off
        StoreOptions(image, ReadOptions(image));
        QVERIFY(image == expected);
    }

    void tuningListAndNumberFields() {
        MemoryImage image = NewDocumentImage();
        const int block = ImageMap::kTuningCompander;
        image.WriteByte(block + 1, 8); // afOutputCoarse has 8 entries
        QCOMPARE(ReadTuningValue(image, block, Field(1)), 0);
        image.WriteByte(block + 1, 7);
        QCOMPARE(ReadTuningValue(image, block, Field(1)), 7);
        StoreTuningValue(image, block, Field(0), 3); // afInputGain has 3 entries
        QCOMPARE(int(image.ReadByte(block)), 0);
        StoreTuningValue(image, block, Field(0), -1);
        QCOMPARE(int(image.ReadByte(block)), 0);
        StoreTuningValue(image, block, Field(2), 255);
        QCOMPARE(ReadTuningValue(image, block, Field(2)), 255);
        StoreTuningValue(image, block, Field(2), 0x1FE);
        QCOMPARE(ReadTuningValue(image, block, Field(2)), 0xFE);
    }

    void tuningDefaultsOfEachBlock() {
        // Offsets 0-4, 8-12 and 14-19 hold defaults; 5-7, 13 and 20-23 are left as they were.
        const QList<QPair<int, QByteArray>> blocks = {
            {ImageMap::kTuningEmphasis,
             "01 04 DC 02 01 EE EE EE 01 03 46 06 00 EE 72 46 28 14 33 23"},
            {ImageMap::kTuningCompander,
             "01 03 00 05 01 EE EE EE 01 03 28 06 00 EE 72 44 28 14 33 1E"},
            {ImageMap::kTuningScrambler,
             "00 04 78 02 01 EE EE EE 01 03 82 06 00 EE 72 3E 28 14 33 23"},
            {ImageMap::kTuningNone, "01 03 C8 07 01 EE EE EE 03 03 00 05 00 EE 72 39 28 14 33 19"}};
        for (const auto& [block, values] : blocks) {
            MemoryImage image;
            image.Fill(0xEE);
            SetTuningDefaults(image, block);
            QCOMPARE(Bytes(image, block - 1, 26).toHex(' ').toUpper(),
                     "EE " + values + " EE EE EE EE EE");
        }
    }
};

QTEST_APPLESS_MAIN(SettingsCodecTest)
#include "test_settings_codec.moc"
