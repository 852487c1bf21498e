#include "band_limits.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "image_map.h"
#include "new_document.h"

#include <QRandomGenerator>
#include <QTest>

namespace Col = ChannelColumns;
using Selector = ChannelTable::Selector;

namespace {

int Record(int channel) {
    return ImageMap::ChannelRecord(channel);
}

void WriteBytes(MemoryImage& image, int address, std::initializer_list<int> bytes) {
    for (int b : bytes) {
        image.WriteByte(address++, static_cast<std::uint8_t>(b));
    }
}

QList<int> ReadBytes(const MemoryImage& image, int address, int count) {
    QList<int> bytes;
    for (int i = 0; i < count; ++i) {
        bytes << image.ReadByte(address + i);
    }
    return bytes;
}

// A new document's table with channel `channel` defined as a new channel of `rx` MHz.
InMemoryChannelTable TableWithChannel(int channel, const QString& rx) {
    InMemoryChannelTable table;
    DecodeChannels(NewDocumentImage(), table);
    table.setCellText(channel, Col::kRxFrequency, rx);
    table.setCellText(channel, Col::kTxFrequency, rx);
    for (int c = Col::kRxSignal; c <= Col::kLast; ++c) {
        table.setCellText(channel, c, Col::NewChannelDefault(c));
    }
    return table;
}

QString RowText(const ChannelTable& table, int row) {
    QStringList cells;
    for (int c = 1; c <= Col::kLast; ++c) {
        cells << table.cellText(row, c);
    }
    return cells.join('|');
}

} // namespace

class ChannelCodecTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentDecodesToEmptyTable();
    void frequencyBcd_data();
    void frequencyBcd();
    void emptyFrequencyMarkers();
    void emptyRowEncodesFrequenciesAndSignallingOnly();
    void nonDecimalNibblesAboveOneGigahertzAreLeftAlone();
    void signallingEncode_data();
    void signallingEncode();
    void signallingDecode_data();
    void signallingDecode();
    void scanListIsWrittenInChannelOrder();
    void scanCountAboveSixteenCountsAsSixteen();
    void flagsChangeOnlyForRecognisedTexts();
    void flagBitsOfEachColumn();
    void modelAndBandSelections();
    void randomImagesSurviveDecodeEncode();
};

void ChannelCodecTest::newDocumentDecodesToEmptyTable() {
    InMemoryChannelTable table;
    table.setCellText(3, Col::kPower, QStringLiteral("stale"));
    g_bandLow = g_bandHigh = 1;
    DecodeChannels(NewDocumentImage(), table);
    for (int row = 1; row <= 16; ++row) {
        QCOMPARE(RowText(table, row), QString(10, '|'));
    }
    QCOMPARE(table.selected(Selector::Model), 0);
    QCOMPARE(table.selected(Selector::Band), 0);
    QCOMPARE(g_bandLow, 13600000u);
    QCOMPARE(g_bandHigh, 17400000u);
}

void ChannelCodecTest::frequencyBcd_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("bytes");
    QTest::newRow("145.125") << "145.12500" << QList<int>{0x00, 0x25, 0x51, 0x14};
    QTest::newRow("136.00625") << "136.00625" << QList<int>{0x25, 0x06, 0x60, 0x13};
    QTest::newRow("136.0125") << "136.01250" << QList<int>{0x50, 0x12, 0x60, 0x13};
    QTest::newRow("479.99375") << "479.99375" << QList<int>{0x75, 0x93, 0x99, 0x47};
    QTest::newRow("just above 10 MHz") << "10.00001" << QList<int>{0x01, 0x00, 0x00, 0x01};
}

void ChannelCodecTest::frequencyBcd() {
    QFETCH(QString, text);
    QFETCH(QList<int>, bytes);
    InMemoryChannelTable table = TableWithChannel(7, text);
    table.setCellText(7, Col::kTxFrequency, QString());
    MemoryImage image = NewDocumentImage();
    EncodeChannels(table, image);
    QCOMPARE(ReadBytes(image, Record(7), 4), bytes);
    QCOMPARE(ReadBytes(image, Record(7) + 4, 4), (QList<int>{0xFF, 0xFF, 0xFF, 0xFF}));

    InMemoryChannelTable decoded;
    DecodeChannels(image, decoded);
    QCOMPARE(decoded.cellText(7, Col::kRxFrequency), text);
    QCOMPARE(decoded.cellText(7, Col::kTxFrequency), QString());
}

void ChannelCodecTest::emptyFrequencyMarkers() {
    MemoryImage image = NewDocumentImage();
    WriteBytes(image, Record(1), {0x00, 0x25, 0x51, 0x00, 0x00, 0x25, 0x51, 0x14, 1, 0});
    WriteBytes(image, Record(2), {0x00, 0x25, 0x51, 0xFF, 0x00, 0x00, 0x00, 0x00, 1, 0});
    WriteBytes(image, Record(3), {0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x51, 0x00, 1, 0});
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    // An empty receive frequency empties the row but still shows the transmit frequency.
    QCOMPARE(RowText(table, 1), QStringLiteral("|145.12500|||||||||"));
    QCOMPARE(RowText(table, 2), QString(10, '|'));
    QCOMPARE(table.cellText(3, Col::kTxFrequency), QString());
    QCOMPARE(table.cellText(3, Col::kRxSignal), QStringLiteral("67.0"));
}

void ChannelCodecTest::emptyRowEncodesFrequenciesAndSignallingOnly() {
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    }
    const MemoryImage before = image;
    InMemoryChannelTable table; // all cells empty, nothing selected
    EncodeChannels(table, image);
    for (int n = 1; n <= 16; ++n) {
        QCOMPARE(ReadBytes(image, Record(n), 12),
                 (QList<int>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
        QCOMPARE(ReadBytes(image, Record(n) + 12, 4), ReadBytes(before, Record(n) + 12, 4));
    }
    QCOMPARE(image.ReadByte(ImageMap::kScanCount), 0);
    QCOMPARE(ReadBytes(image, ImageMap::kScanList, 16), QList<int>(16, 0));
}

void ChannelCodecTest::nonDecimalNibblesAboveOneGigahertzAreLeftAlone() {
    // A radio can hand back nibbles A-F; they decode at face value, and a count beyond eight
    // digits cannot be written back, so the encoder keeps the four bytes instead of mangling them.
    MemoryImage image = NewDocumentImage();
    WriteBytes(image, Record(4), {0x00, 0x00, 0x00, 0xA0, 0x0F, 0x00, 0x00, 0x14});
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    QCOMPARE(table.cellText(4, Col::kRxFrequency), QStringLiteral("1000.00000"));
    QCOMPARE(table.cellText(4, Col::kTxFrequency), QStringLiteral("140.00015"));
    EncodeChannels(table, image);
    QCOMPARE(ReadBytes(image, Record(4), 4), (QList<int>{0x00, 0x00, 0x00, 0xA0}));
    QCOMPARE(ReadBytes(image, Record(4) + 4, 4), (QList<int>{0x15, 0x00, 0x00, 0x14}));

    WriteBytes(image, Record(4), {0xFF, 0xFF, 0xFF, 0xFE});
    DecodeChannels(image, table);
    QCOMPARE(table.cellText(4, Col::kRxFrequency), QStringLiteral("1656.66665"));
    EncodeChannels(table, image);
    QCOMPARE(ReadBytes(image, Record(4), 4), (QList<int>{0xFF, 0xFF, 0xFF, 0xFE}));
}

void ChannelCodecTest::signallingEncode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kind");
    QTest::newRow("first tone") << "67.0" << 1 << 0;
    QTest::newRow("last tone") << "254.1" << 50 << 0;
    QTest::newRow("first normal DCS") << "D023N" << 1 << 1;
    QTest::newRow("last normal DCS") << "D754N" << 104 << 1;
    QTest::newRow("first inverted DCS") << "D023I" << 1 << 3;
    QTest::newRow("last inverted DCS") << "D754I" << 104 << 3;
    QTest::newRow("off") << "关" << 0 << 0;
    QTest::newRow("lower case") << "d023n" << 0 << 0;
    QTest::newRow("tone without decimal") << "67" << 0 << 0;
    QTest::newRow("trailing blank") << "67.0 " << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
}

void ChannelCodecTest::signallingEncode() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, kind);
    InMemoryChannelTable table = TableWithChannel(16, QStringLiteral("145.00000"));
    table.setCellText(16, Col::kRxSignal, text);
    table.setCellText(16, Col::kTxSignal, text);
    MemoryImage image = NewDocumentImage();
    WriteBytes(image, Record(16) + 8, {0x55, 0x55, 0x55, 0x55});
    EncodeChannels(table, image);
    QCOMPARE(ReadBytes(image, Record(16) + 8, 4), (QList<int>{value, kind, value, kind}));
}

void ChannelCodecTest::signallingDecode_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("off") << 0 << 0 << "关";
    QTest::newRow("tone 13") << 13 << 0 << "100.0";
    QTest::newRow("kind 0 past the tones") << 51 << 0 << "D023N";
    QTest::newRow("kind 0 largest value") << 255 << 0 << "D732I";
    QTest::newRow("normal DCS") << 1 << 1 << "D023N";
    QTest::newRow("kind 1 last entry") << 208 << 1 << "D754I";
    QTest::newRow("kind 1 past the list") << 209 << 1 << "关";
    QTest::newRow("kind 1 value 255") << 255 << 1 << "关";
    QTest::newRow("inverted DCS") << 104 << 3 << "D754I";
    QTest::newRow("kind 3 past the list") << 105 << 3 << "关";
    QTest::newRow("kind 2") << 5 << 2 << "关";
    QTest::newRow("kind 0xFF") << 5 << 0xFF << "关";
}

void ChannelCodecTest::signallingDecode() {
    QFETCH(int, value);
    QFETCH(int, kind);
    QFETCH(QString, text);
    MemoryImage image = NewDocumentImage();
    WriteBytes(image, Record(9), {0x00, 0x25, 0x51, 0x14, 0xFF, 0xFF, 0xFF, 0xFF});
    WriteBytes(image, Record(9) + 8, {value, kind, value, kind});
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    QCOMPARE(table.cellText(9, Col::kRxSignal), text);
    QCOMPARE(table.cellText(9, Col::kTxSignal), text);
}

void ChannelCodecTest::scanListIsWrittenInChannelOrder() {
    InMemoryChannelTable table;
    DecodeChannels(NewDocumentImage(), table);
    table.setCellText(5, Col::kScan, Col::kYes);
    table.setCellText(2, Col::kScan, Col::kYes);
    table.setCellText(3, Col::kScan, QStringLiteral("yes"));
    MemoryImage image = NewDocumentImage();
    EncodeChannels(table, image);
    QCOMPARE(image.ReadByte(ImageMap::kScanCount), 2);
    QList<int> expected = {2, 5};
    expected += QList<int>(14, 0);
    QCOMPARE(ReadBytes(image, ImageMap::kScanList, 16), expected);
}

void ChannelCodecTest::scanCountAboveSixteenCountsAsSixteen() {
    MemoryImage image = NewDocumentImage();
    for (int n : {3, 16}) {
        WriteBytes(image, Record(n), {0x00, 0x25, 0x51, 0x14});
    }
    for (int i = 0; i < 16; ++i) {
        image.WriteByte(ImageMap::kScanList + i, 0);
    }
    image.WriteByte(ImageMap::kScanList + 15, 16);
    image.WriteByte(ImageMap::kScanList + 16, 3); // first byte past the list
    for (int count : {17, 0xFF}) {
        image.WriteByte(ImageMap::kScanCount, static_cast<std::uint8_t>(count));
        InMemoryChannelTable table;
        DecodeChannels(image, table);
        QCOMPARE(table.cellText(16, Col::kScan), Col::kYes);
        QCOMPARE(table.cellText(3, Col::kScan), Col::kNo);
    }
    image.WriteByte(ImageMap::kScanCount, 15);
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    QCOMPARE(table.cellText(16, Col::kScan), Col::kNo);
}

void ChannelCodecTest::flagsChangeOnlyForRecognisedTexts() {
    InMemoryChannelTable table = TableWithChannel(1, QStringLiteral("145.00000"));
    for (int c : {Col::kBusy, Col::kPower, Col::kBandwidth, Col::kScrambler, Col::kCompander,
                  Col::kEmphasis}) {
        table.setCellText(1, c, QStringLiteral("?"));
        table.setCellText(2, c, QString());
    }
    MemoryImage image = NewDocumentImage();
    for (int n : {1, 2}) {
        image.WriteByte(Record(n) + ImageMap::kChannelFlags, 0xA5);
        WriteBytes(image, Record(n) + 13, {0x11, 0x22, 0x33});
    }
    EncodeChannels(table, image);
    for (int n : {1, 2}) {
        QCOMPARE(image.ReadByte(Record(n) + ImageMap::kChannelFlags), 0xA5);
        QCOMPARE(ReadBytes(image, Record(n) + 13, 3), (QList<int>{0x11, 0x22, 0x33}));
    }
}

void ChannelCodecTest::flagBitsOfEachColumn() {
    struct Case {
        int column;
        int bit;
        const char* set;
        const char* clear;
    };
    const Case cases[] = {{Col::kBusy, 0, "是", "否"},      {Col::kPower, 4, "高", "低"},
                          {Col::kBandwidth, 3, "窄", "宽"}, {Col::kScrambler, 7, "是", "否"},
                          {Col::kCompander, 6, "是", "否"}, {Col::kEmphasis, 5, "是", "否"}};
    for (const Case& c : cases) {
        for (std::uint8_t start : {std::uint8_t(0x00), std::uint8_t(0xFF)}) {
            InMemoryChannelTable table = TableWithChannel(6, QStringLiteral("150.00000"));
            for (int other = Col::kBusy; other <= Col::kLast; ++other) {
                table.setCellText(6, other, QString());
            }
            const bool setting = start == 0x00;
            table.setCellText(6, c.column, QString::fromUtf8(setting ? c.set : c.clear));
            MemoryImage image = NewDocumentImage();
            image.WriteByte(Record(6) + ImageMap::kChannelFlags, start);
            EncodeChannels(table, image);
            const std::uint8_t expected =
                setting ? std::uint8_t(1u << c.bit) : std::uint8_t(~(1u << c.bit));
            QCOMPARE(image.ReadByte(Record(6) + ImageMap::kChannelFlags), expected);

            InMemoryChannelTable decoded;
            DecodeChannels(image, decoded);
            QCOMPARE(decoded.cellText(6, c.column), table.cellText(6, c.column));
        }
    }
    // A new channel's defaults on the new-document flags byte 0x1B.
    InMemoryChannelTable table = TableWithChannel(6, QStringLiteral("150.00000"));
    MemoryImage image = NewDocumentImage();
    EncodeChannels(table, image);
    QCOMPARE(image.ReadByte(Record(6) + ImageMap::kChannelFlags), 0x32);
}

void ChannelCodecTest::modelAndBandSelections() {
    InMemoryChannelTable table;
    MemoryImage image = NewDocumentImage();
    image.WriteByte(ImageMap::kBandIndex, 7);
    image.WriteByte(ImageMap::kModelIndex, 3);
    DecodeChannels(image, table);
    QCOMPARE(table.selected(Selector::Band), 0);
    QCOMPARE(table.selected(Selector::Model), 0);

    image.WriteByte(ImageMap::kBandIndex, 1);
    DecodeChannels(image, table);
    QCOMPARE(table.selected(Selector::Band), 1);
    QCOMPARE(g_bandLow, 40000000u);
    QCOMPARE(g_bandHigh, 48000000u);

    image.WriteByte(ImageMap::kBandIndex, 0x55);
    image.WriteByte(ImageMap::kModelIndex, 0x55);
    EncodeChannels(table, image);
    QCOMPARE(image.ReadByte(ImageMap::kBandIndex), 1);
    QCOMPARE(image.ReadByte(ImageMap::kModelIndex), 0);
}

void ChannelCodecTest::randomImagesSurviveDecodeEncode() {
    // Bytes the channel codec writes: frequencies and signalling of each record, the flag bits
    // it knows, the scan list with its count, model and band.
    std::array<std::uint8_t, MemoryImage::kSize> codecMask{};
    for (int n = 1; n <= 16; ++n) {
        for (int i = 0; i < 12; ++i) {
            codecMask[std::size_t(Record(n) + i)] = 0xFF;
        }
        codecMask[std::size_t(Record(n) + ImageMap::kChannelFlags)] = 0xF9;
    }
    for (int i = 0; i <= 16; ++i) {
        codecMask[std::size_t(ImageMap::kScanCount + i)] = 0xFF;
    }
    codecMask[ImageMap::kModelIndex] = codecMask[ImageMap::kBandIndex] = 0xFF;

    QRandomGenerator random(318);
    for (int round = 0; round < 2000; ++round) {
        MemoryImage image;
        for (int a = 0; a < MemoryImage::kSize; ++a) {
            image.WriteByte(a, static_cast<std::uint8_t>(random.bounded(256)));
        }
        // Make plausible records common: decimal digits, the usual kinds, small counts.
        for (int n = 1; n <= 16; ++n) {
            if (random.bounded(2) == 0) {
                for (int k = 0; k < 8; ++k) {
                    image.WriteByte(Record(n) + k, ByteToBcd(int(random.bounded(100))));
                }
                image.WriteByte(Record(n) + 9, static_cast<std::uint8_t>(random.bounded(4)));
                image.WriteByte(Record(n) + 11, static_cast<std::uint8_t>(random.bounded(4)));
            }
        }
        if (random.bounded(2) == 0) {
            image.WriteByte(ImageMap::kScanCount, static_cast<std::uint8_t>(random.bounded(17)));
        }
        const MemoryImage original = image;

        InMemoryChannelTable first;
        DecodeChannels(image, first);
        EncodeChannels(first, image);
        InMemoryChannelTable second;
        DecodeChannels(image, second);
        if (!(first == second)) {
            for (int row = 1; row <= 16; ++row) {
                QCOMPARE(RowText(second, row), RowText(first, row));
            }
        }
        for (int a = 0; a < MemoryImage::kSize; ++a) {
            const std::uint8_t kept = static_cast<std::uint8_t>(~codecMask[std::size_t(a)]);
            if ((image.ReadByte(a) & kept) != (original.ReadByte(a) & kept)) {
                QFAIL(qPrintable(QStringLiteral("round %1 changed byte 0x%2")
                                     .arg(round)
                                     .arg(a, 3, 16, QLatin1Char('0'))));
            }
        }
        // A second encode of the same table changes nothing more.
        const MemoryImage encodedOnce = image;
        EncodeChannels(second, image);
        QVERIFY(image == encodedOnce);
    }
}

QTEST_APPLESS_MAIN(ChannelCodecTest)
#include "test_channel_codec.moc"
