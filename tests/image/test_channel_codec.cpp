#include "band_limits.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "image_bytes.h"
#include "image_map.h"
#include "new_document.h"

#include <QTest>

namespace Col = ChannelColumns;
using Selector = ChannelTable::Selector;

namespace {

int Record(int channel) {
    return ImageMap::ChannelRecord(channel);
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
    void newDocumentDecodesToEmptyTable() {
        InMemoryChannelTable table;
        table.setCellText(3, Col::kPower, QStringLiteral("stale"));
        g_bandLow = g_bandHigh = 1;
        DecodeChannels(NewDocumentImage(), table);
        for (int row = 1; row <= 16; ++row) {
            QCOMPARE(RowText(table, row), QString(10, '|'));
        }
        QCOMPARE(table.selected(Selector::Model), 0);
        QCOMPARE(table.selected(Selector::Band), 0);
        QCOMPARE(QList<std::uint32_t>({g_bandLow, g_bandHigh}),
                 QList<std::uint32_t>({13600000, 17400000}));
    }

    void frequencyBcd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("145.125") << "145.12500" << QByteArray::fromHex("00255114");
        QTest::newRow("136.00625") << "136.00625" << QByteArray::fromHex("25066013");
        QTest::newRow("136.0125") << "136.01250" << QByteArray::fromHex("50126013");
        QTest::newRow("479.99375") << "479.99375" << QByteArray::fromHex("75939947");
        QTest::newRow("just above 10 MHz") << "10.00001" << QByteArray::fromHex("01000001");
    }

    void frequencyBcd() {
        QFETCH(QString, text);
        InMemoryChannelTable table = TableWithChannel(7, text);
        table.setCellText(7, Col::kTxFrequency, QString());
        MemoryImage image = NewDocumentImage();
        EncodeChannels(table, image);
        QTEST(Bytes(image, Record(7), 4), "bytes");
        QCOMPARE(Bytes(image, Record(7) + 4, 4), QByteArray(4, '\xFF'));

        InMemoryChannelTable decoded;
        DecodeChannels(image, decoded);
        QCOMPARE(decoded.cellText(7, Col::kRxFrequency), text);
        QCOMPARE(decoded.cellText(7, Col::kTxFrequency), QString());
    }

    void emptyFrequencyMarkers() {
        MemoryImage image = NewDocumentImage();
        Put(image, Record(1), QByteArray::fromHex("00255100002551140100"));
        Put(image, Record(2), QByteArray::fromHex("002551FF000000000100"));
        Put(image, Record(3), QByteArray::fromHex("00255114002551000100"));
        InMemoryChannelTable table;
        DecodeChannels(image, table);
        // An empty receive frequency empties the row but still shows the transmit frequency.
        QCOMPARE(RowText(table, 1), QStringLiteral("|145.12500|||||||||"));
        QCOMPARE(RowText(table, 2), QString(10, '|'));
        QCOMPARE(table.cellText(3, Col::kTxFrequency), QString());
        QCOMPARE(table.cellText(3, Col::kRxSignal), QStringLiteral("67.0"));
    }

    void emptyRowEncodesFrequenciesAndSignallingOnly() {
        MemoryImage image;
        for (int a = 0; a < MemoryImage::kSize; ++a) {
            image.WriteByte(a, static_cast<std::uint8_t>(a * 7 + 3));
        }
        const MemoryImage before = image;
        InMemoryChannelTable table; // all cells empty, nothing selected
        EncodeChannels(table, image);
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(Bytes(image, Record(n), 12), QByteArray(8, '\xFF') + QByteArray(4, 0));
            QCOMPARE(Bytes(image, Record(n) + 12, 4), Bytes(before, Record(n) + 12, 4));
        }
        QCOMPARE(Bytes(image, ImageMap::kScanCount, 17), QByteArray(17, 0));
    }

    void nonDecimalNibblesAboveOneGigahertzAreLeftAlone() {
        // A radio can hand back nibbles A-F; they decode at face value, and a count beyond eight
        // digits cannot be written back, so the encoder keeps the four bytes instead of mangling
        // them.
        MemoryImage image = NewDocumentImage();
        Put(image, Record(4), QByteArray::fromHex("000000A00F000014"));
        InMemoryChannelTable table;
        DecodeChannels(image, table);
        QCOMPARE(table.cellText(4, Col::kRxFrequency), QStringLiteral("1000.00000"));
        QCOMPARE(table.cellText(4, Col::kTxFrequency), QStringLiteral("140.00015"));
        EncodeChannels(table, image);
        QCOMPARE(Bytes(image, Record(4), 8), QByteArray::fromHex("000000A015000014"));

        Put(image, Record(4), QByteArray::fromHex("FFFFFFFE"));
        DecodeChannels(image, table);
        QCOMPARE(table.cellText(4, Col::kRxFrequency), QStringLiteral("1656.66665"));
        EncodeChannels(table, image);
        QCOMPARE(Bytes(image, Record(4), 4), QByteArray::fromHex("FFFFFFFE"));
    }

    // Both columns share one table; texts off the list encode as off, values off the list
    // decode as off, and kind 0 past the tones walks on into the DCS entries.
    void signalling_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("valueAndKind");
        QTest::addColumn<QString>("direction"); // "encode", "decode" or both ways
        const QByteArray off(2, 0);
        QTest::newRow("first tone") << "67.0" << QByteArray::fromHex("0100") << "";
        QTest::newRow("tone 13") << "100.0" << QByteArray::fromHex("0D00") << "";
        QTest::newRow("last tone") << "254.1" << QByteArray::fromHex("3200") << "";
        QTest::newRow("first normal DCS") << "D023N" << QByteArray::fromHex("0101") << "";
        QTest::newRow("last normal DCS") << "D754N" << QByteArray::fromHex("6801") << "";
        QTest::newRow("first inverted DCS") << "D023I" << QByteArray::fromHex("0103") << "";
        QTest::newRow("last inverted DCS") << "D754I" << QByteArray::fromHex("6803") << "";
        QTest::newRow("off") << "关" << off << "";
        QTest::newRow("lower case") << "d023n" << off << "encode";
        QTest::newRow("tone without decimal") << "67" << off << "encode";
        QTest::newRow("trailing blank") << "67.0 " << off << "encode";
        QTest::newRow("empty") << "" << off << "encode";
        QTest::newRow("kind 0 past the tones")
            << "D023N" << QByteArray::fromHex("3300") << "decode";
        QTest::newRow("kind 0 largest value") << "D732I" << QByteArray::fromHex("FF00") << "decode";
        QTest::newRow("kind 1 last entry") << "D754I" << QByteArray::fromHex("D001") << "decode";
        QTest::newRow("kind 1 past the list") << "关" << QByteArray::fromHex("D101") << "decode";
        QTest::newRow("kind 1 value 255") << "关" << QByteArray::fromHex("FF01") << "decode";
        QTest::newRow("kind 3 past the list") << "关" << QByteArray::fromHex("6903") << "decode";
        QTest::newRow("kind 2") << "关" << QByteArray::fromHex("0502") << "decode";
        QTest::newRow("kind 0xFF") << "关" << QByteArray::fromHex("05FF") << "decode";
    }

    void signalling() {
        QFETCH(QString, text);
        QFETCH(QByteArray, valueAndKind);
        QFETCH(QString, direction);
        if (direction != "decode") {
            InMemoryChannelTable table = TableWithChannel(16, QStringLiteral("145.00000"));
            table.setCellText(16, Col::kRxSignal, text);
            table.setCellText(16, Col::kTxSignal, text);
            MemoryImage image = NewDocumentImage();
            Put(image, Record(16) + 8, QByteArray(4, 0x55));
            EncodeChannels(table, image);
            QCOMPARE(Bytes(image, Record(16) + 8, 4), valueAndKind.repeated(2));
        }
        if (direction != "encode") {
            MemoryImage image = NewDocumentImage();
            Put(image, Record(9),
                QByteArray::fromHex("00255114FFFFFFFF") + valueAndKind.repeated(2));
            InMemoryChannelTable table;
            DecodeChannels(image, table);
            QCOMPARE(table.cellText(9, Col::kRxSignal), text);
            QCOMPARE(table.cellText(9, Col::kTxSignal), text);
        }
    }

    void scanList() {
        // Written in channel order; only the exact "yes" text counts.
        InMemoryChannelTable table;
        DecodeChannels(NewDocumentImage(), table);
        table.setCellText(5, Col::kScan, Col::kYes);
        table.setCellText(2, Col::kScan, Col::kYes);
        table.setCellText(3, Col::kScan, QStringLiteral("yes"));
        MemoryImage image = NewDocumentImage();
        EncodeChannels(table, image);
        QCOMPARE(Bytes(image, ImageMap::kScanCount, 17),
                 QByteArray::fromHex("020205") + QByteArray(14, 0));

        // A count above sixteen counts as sixteen: the list's last entry is in, the byte past it
        // not.
        for (int n : {3, 16}) {
            Put(image, Record(n), QByteArray::fromHex("00255114"));
        }
        Put(image, ImageMap::kScanList, QByteArray(15, 0) + "\x10\x03");
        for (int count : {17, 0xFF, 15}) {
            image.WriteByte(ImageMap::kScanCount, static_cast<std::uint8_t>(count));
            DecodeChannels(image, table);
            QCOMPARE(table.cellText(16, Col::kScan), count == 15 ? Col::kNo : Col::kYes);
            QCOMPARE(table.cellText(3, Col::kScan), Col::kNo);
        }
    }

    void flagBitsOfEachColumn() {
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
            // Set on 0x00, cleared on 0xFF, and an unknown text leaves 0xA5 alone.
            for (std::uint8_t start : {0x00, 0xFF, 0xA5}) {
                InMemoryChannelTable table = TableWithChannel(6, QStringLiteral("150.00000"));
                for (int other = Col::kBusy; other <= Col::kLast; ++other) {
                    table.setCellText(6, other, QString());
                }
                const char* text = start == 0x00 ? c.set : start == 0xFF ? c.clear : "?";
                table.setCellText(6, c.column, QString::fromUtf8(text));
                MemoryImage image = NewDocumentImage();
                image.WriteByte(Record(6) + ImageMap::kChannelFlags, start);
                Put(image, Record(6) + 13, "\x11\x22\x33");
                EncodeChannels(table, image);
                const int expected = start == 0x00   ? 1 << c.bit
                                     : start == 0xFF ? 0xFF & ~(1 << c.bit)
                                                     : start;
                QCOMPARE(int(image.ReadByte(Record(6) + ImageMap::kChannelFlags)), expected);
                QCOMPARE(Bytes(image, Record(6) + 13, 3), QByteArray("\x11\x22\x33"));

                InMemoryChannelTable decoded;
                DecodeChannels(image, decoded);
                QVERIFY(start == 0xA5 ||
                        decoded.cellText(6, c.column) == table.cellText(6, c.column));
            }
        }
        // A new channel's defaults on the new-document flags byte 0x1B.
        InMemoryChannelTable table = TableWithChannel(6, QStringLiteral("150.00000"));
        MemoryImage image = NewDocumentImage();
        EncodeChannels(table, image);
        QCOMPARE(image.ReadByte(Record(6) + ImageMap::kChannelFlags), 0x32);
    }

    void modelAndBandSelections() {
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
        QCOMPARE(QList<std::uint32_t>({g_bandLow, g_bandHigh}),
                 QList<std::uint32_t>({40000000, 48000000}));

        Put(image, ImageMap::kModelIndex, "\x55");
        Put(image, ImageMap::kBandIndex, "\x55");
        EncodeChannels(table, image);
        QCOMPARE(image.ReadByte(ImageMap::kBandIndex), 1);
        QCOMPARE(image.ReadByte(ImageMap::kModelIndex), 0);
    }

    void randomImagesSurviveDecodeEncode() {
        // Bytes the channel codec writes: frequencies and signalling of each record, the flag bits
        // it knows, the scan list with its count, model and band.
        MemoryImage codecMask;
        for (int n = 1; n <= 16; ++n) {
            Put(codecMask, Record(n), QByteArray(12, '\xFF'));
            codecMask.WriteByte(Record(n) + ImageMap::kChannelFlags, 0xF9);
        }
        Put(codecMask, ImageMap::kScanCount, QByteArray(17, '\xFF'));
        codecMask.WriteByte(ImageMap::kModelIndex, 0xFF);
        codecMask.WriteByte(ImageMap::kBandIndex, 0xFF);

        QRandomGenerator random(318);
        for (int round = 0; round < 2000; ++round) {
            MemoryImage image = RandomImage(random);
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
                image.WriteByte(ImageMap::kScanCount,
                                static_cast<std::uint8_t>(random.bounded(17)));
            }
            const MemoryImage original = image;

            InMemoryChannelTable first;
            DecodeChannels(image, first);
            EncodeChannels(first, image);
            InMemoryChannelTable second;
            DecodeChannels(image, second);
            for (int row = 1; row <= 16 && !(first == second); ++row) {
                QCOMPARE(RowText(second, row), RowText(first, row));
            }
            for (int a = 0; a < MemoryImage::kSize; ++a) {
                const int kept = ~codecMask.ReadByte(a);
                if ((image.ReadByte(a) & kept) != (original.ReadByte(a) & kept)) {
                    QFAIL(qPrintable(
                        QStringLiteral("round %1 changed byte 0x%2").arg(round).arg(a, 0, 16)));
                }
            }
            // A second encode of the same table changes nothing more.
            const MemoryImage encodedOnce = image;
            EncodeChannels(second, image);
            QVERIFY(image == encodedOnce);
        }
    }
};

QTEST_APPLESS_MAIN(ChannelCodecTest)
#include "test_channel_codec.moc"
