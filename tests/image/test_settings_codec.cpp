#include "image_map.h"
#include "new_document.h"
#include "settings_codec.h"

#include <QTest>

// Where each option and tuning value lives and how list positions map to stored bytes.
class SettingsCodecTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentOptions();
    void scaledConversions_data();
    void scaledConversions();
    void languageBits();
    void priorityKeepsTheUpperBits();
    void unknownPositionsKeepTheStoredByte();
    void tuningListAndNumberFields();
    void tuningDefaultsOfEachBlock();
};

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

void SettingsCodecTest::newDocumentOptions() {
    const RadioOptions o = ReadOptions(NewDocumentImage());
    QVERIFY(o.beep);
    QVERIFY(!o.vox);
    QCOMPARE(OptionListFor(OptionList::Language).entries.at(o.language), QStringLiteral("中文"));
    QCOMPARE(o.squelch, 5);
    QCOMPARE(OptionListFor(OptionList::TimeOut).entries.at(o.timeOut), QStringLiteral("关闭"));
    QCOMPARE(o.voxGain, 3);
    QCOMPARE(OptionListFor(OptionList::VoxDelay).entries.at(o.voxDelay), QStringLiteral("0.4s"));
    QCOMPARE(o.batterySaver, 2);
    QCOMPARE(OptionListFor(OptionList::BatterySaver).entries.at(o.batterySaver),
             QStringLiteral("10s"));
    QCOMPARE(OptionListFor(OptionList::Priority).entries.at(o.priority), QStringLiteral("无"));
    QCOMPARE(OptionListFor(OptionList::Priority).entries.size(), 17);
    QCOMPARE(OptionListFor(OptionList::TimeOut).entries.last(), QStringLiteral("180"));

    // Storing what was read writes the same bytes back.
    MemoryImage image = NewDocumentImage();
    StoreOptions(image, o);
    QVERIFY(image == NewDocumentImage());
}

void SettingsCodecTest::scaledConversions_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("stored");
    QTest::newRow("time-out 6") << int(OptionList::TimeOut) << ImageMap::kTimeOutTimer << 6 << 180;
    QTest::newRow("time-out off") << int(OptionList::TimeOut) << ImageMap::kTimeOutTimer << 0 << 0;
    QTest::newRow("battery 30s") << int(OptionList::BatterySaver) << ImageMap::kBatterySaver << 6
                                 << 30;
    QTest::newRow("vox delay 1.0s") << int(OptionList::VoxDelay) << ImageMap::kVoxDelay << 4 << 5;
    QTest::newRow("vox delay 0.2s") << int(OptionList::VoxDelay) << ImageMap::kVoxDelay << 0 << 1;
    QTest::newRow("squelch 9") << int(OptionList::Squelch) << ImageMap::kSquelchLevel << 9 << 9;
    QTest::newRow("vox gain 5") << int(OptionList::VoxGain) << ImageMap::kVoxGain << 5 << 5;
}

void SettingsCodecTest::scaledConversions() {
    QFETCH(int, list);
    QFETCH(int, address);
    QFETCH(int, position);
    QFETCH(int, stored);
    MemoryImage image = NewDocumentImage();
    RadioOptions o = ReadOptions(image);
    o.setPosition(OptionList(list), position);
    StoreOptions(image, o);
    QCOMPARE(int(image.ReadByte(address)), stored);
    QCOMPARE(ReadOptions(image).position(OptionList(list)), position);
}

void SettingsCodecTest::languageBits() {
    MemoryImage image;
    image.WriteByte(ImageMap::kOptionBits, 0x1B);
    RadioOptions o = ReadOptions(image);
    QCOMPARE(o.language, 0); // both bits set
    QVERIFY(o.beep);
    o.language = 0;
    StoreOptions(image, o);
    QCOMPARE(int(image.ReadByte(ImageMap::kOptionBits)), 0x03);

    image.WriteByte(ImageMap::kOptionBits, 0x13);
    o = ReadOptions(image);
    QCOMPARE(o.language, 2);
    o.language = 1;
    StoreOptions(image, o);
    QCOMPARE(int(image.ReadByte(ImageMap::kOptionBits)), 0x0B);
    QCOMPARE(ReadOptions(image).language, 1);

    QCOMPARE(image.TestBit(ImageMap::kOptionBits, 2), 0);
    image.WriteByte(ImageMap::kOptionBits, 0x17);
    QCOMPARE(image.TestBit(ImageMap::kOptionBits, 2), 4);
    QVERIFY(ReadOptions(image).vox);
}

void SettingsCodecTest::priorityKeepsTheUpperBits() {
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

void SettingsCodecTest::unknownPositionsKeepTheStoredByte() {
    // An erased radio holds 0xFF everywhere; confirming the dialog unchanged must not turn those
    // bytes into values derived from "no selection".
    MemoryImage image;
    image.Fill(0xFF);
    const RadioOptions o = ReadOptions(image);
    QCOMPARE(o.squelch, kNoSelection);
    QCOMPARE(o.timeOut, kNoSelection);
    QCOMPARE(o.voxDelay, kNoSelection);
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

void SettingsCodecTest::tuningListAndNumberFields() {
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
    for (int offset : {5, 6, 7, 13, 20, 21, 22, 23}) {
        QCOMPARE(int(image.ReadByte(block + offset)), 0xFF);
    }
}

void SettingsCodecTest::tuningDefaultsOfEachBlock() {
    // Offsets 0-4, 8-12, 14-19 of the emphasis, compander, scrambler and none blocks.
    const QList<int> emphasis = {1, 4, 220, 2, 1, 1, 3, 70, 6, 0, 114, 70, 40, 20, 51, 35};
    const QList<int> compander = {1, 3, 0, 5, 1, 1, 3, 40, 6, 0, 114, 68, 40, 20, 51, 30};
    const QList<int> scrambler = {0, 4, 120, 2, 1, 1, 3, 130, 6, 0, 114, 62, 40, 20, 51, 35};
    const QList<int> none = {1, 3, 200, 7, 1, 3, 3, 0, 5, 0, 114, 57, 40, 20, 51, 25};
    const QList<QPair<int, QList<int>>> blocks = {{ImageMap::kTuningEmphasis, emphasis},
                                                  {ImageMap::kTuningCompander, compander},
                                                  {ImageMap::kTuningScrambler, scrambler},
                                                  {ImageMap::kTuningNone, none}};
    const QList<int> offsets = {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19};
    for (const auto& [block, values] : blocks) {
        MemoryImage image;
        image.Fill(0xEE);
        SetTuningDefaults(image, block);
        for (int i = 0; i < offsets.size(); ++i) {
            QCOMPARE(int(image.ReadByte(block + offsets[i])), values[i]);
        }
        for (int offset : {5, 6, 7, 13, 20, 21, 22, 23}) {
            QCOMPARE(int(image.ReadByte(block + offset)), 0xEE);
        }
        QCOMPARE(int(image.ReadByte(block - 1)), 0xEE);
        QCOMPARE(int(image.ReadByte(block + 24)), 0xEE);
    }
}

QTEST_APPLESS_MAIN(SettingsCodecTest)
#include "test_settings_codec.moc"
