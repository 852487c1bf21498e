#include "band_limits.h"
#include "channel_codec.h"
#include "channel_rows.h"
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

// The codec touches only the columns the image holds.
QString RowText(const ChannelTable& table, int row) {
    return Row(table, row, true).join('|');
}

} // namespace

class ChannelCodecTest : public QObject {
    Q_OBJECT

private slots:
    void frequencyBcd() {
        const QList<QPair<QString, QByteArray>> cases = {
            {"136.00625", "25066013"}, {"479.99375", "75939947"}, {"10.00001", "01000001"}};
        for (const auto& [text, bytes] : cases) {
            ChannelTable table;
            table.setCellText(7, Col::kRxFrequency, text);
            MemoryImage image = NewDocumentImage();
            EncodeChannels(table, image);
            QCOMPARE(Bytes(image, Record(7), 8).toHex(), bytes + "ffffffff");
            DecodeChannels(image, table);
            QCOMPARE(RowText(table, 7).section('|', 0, 1), text + '|');
        }
    }

    void emptyFrequenciesAndRows() {
        MemoryImage image = NewDocumentImage();
        Put(image, Record(1), QByteArray::fromHex("00255100002551140100"));
        Put(image, Record(2), QByteArray::fromHex("002551FF000000000100"));
        Put(image, Record(3), QByteArray::fromHex("00255114002551000100"));
        ChannelTable table;
        DecodeChannels(image, table);
        // An empty receive frequency empties the row but still shows the transmit frequency.
        QCOMPARE(RowText(table, 1), QStringLiteral("|145.12500|||||||||"));
        QCOMPARE(RowText(table, 2), QString(10, '|'));
        QCOMPARE(RowText(table, 3).section('|', 0, 2), QStringLiteral("145.12500||67.0"));

        // An empty row encodes its frequencies and signalling only.
        image.Fill(0x5A);
        EncodeChannels(ChannelTable(), image); // all cells empty, nothing selected
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(Bytes(image, Record(n), 16).toHex(), "ffffffffffffffff000000005a5a5a5a");
        }
        QCOMPARE(Bytes(image, ImageMap::kScanCount, 17), QByteArray(17, 0));
    }

    // Both columns share one table; texts off the list encode as off, values off the list (and
    // kind 2) decode as off, and kind 0 past the tones walks on into the DCS entries.
    void signalling() {
        // 'e' encode only, 'd' decode only, 'b' both ways.
        const QList<std::tuple<QString, QByteArray, char>> cases = {
            {"254.1", "3200", 'b'}, {"D754N", "6801", 'b'}, {"D023I", "0103", 'b'},
            {"关", "0000", 'b'},    {"d023n", "0000", 'e'}, {"", "0000", 'e'},
            {"D023N", "3300", 'd'}, {"D732I", "FF00", 'd'}, {"D754I", "D001", 'd'},
            {"关", "D101", 'd'},    {"关", "6903", 'd'},    {"关", "0502", 'd'}};
        for (const auto& [text, hex, direction] : cases) {
            const QByteArray valueAndKind = QByteArray::fromHex(hex);
            if (direction != 'd') {
                ChannelTable table;
                table.setCellText(16, Col::kRxFrequency, QStringLiteral("145.00000"));
                table.setCellText(16, Col::kRxSignal, text);
                table.setCellText(16, Col::kTxSignal, text);
                MemoryImage image = NewDocumentImage();
                Put(image, Record(16) + 8, QByteArray(4, 0x55));
                EncodeChannels(table, image);
                QVERIFY2(Bytes(image, Record(16) + 8, 4) == valueAndKind.repeated(2),
                         qPrintable(text));
            }
            if (direction != 'e') {
                MemoryImage image = NewDocumentImage();
                Put(image, Record(9),
                    QByteArray::fromHex("00255114FFFFFFFF") + valueAndKind.repeated(2));
                ChannelTable table;
                DecodeChannels(image, table);
                QCOMPARE(RowText(table, 9).section('|', 2, 3), text + '|' + text);
            }
        }
    }

    void scanList() {
        // Written in channel order; only the exact "yes" text counts.
        ChannelTable table;
        table.setCellText(5, Col::kScan, Col::kYes);
        table.setCellText(2, Col::kScan, Col::kYes);
        table.setCellText(3, Col::kScan, QStringLiteral("yes"));
        MemoryImage image = NewDocumentImage();
        EncodeChannels(table, image);
        QCOMPARE(Bytes(image, ImageMap::kScanCount, 17),
                 QByteArray::fromHex("020205") + QByteArray(14, 0));

        // A count above sixteen counts as sixteen: the list's last entry is in, the byte past it
        // not.
        Put(image, Record(3), QByteArray::fromHex("00255114"));
        Put(image, Record(16), QByteArray::fromHex("00255114"));
        Put(image, ImageMap::kScanList, QByteArray(15, 0) + "\x10\x03");
        for (int count : {17, 0xFF, 15}) {
            image.WriteByte(ImageMap::kScanCount, static_cast<std::uint8_t>(count));
            DecodeChannels(image, table);
            QCOMPARE(table.cellText(16, Col::kScan) + table.cellText(3, Col::kScan),
                     (count == 15 ? Col::kNo : Col::kYes) + Col::kNo);
        }
    }

    // Flag bytes as a radio holds them, and what the row shows.
    void flagBytesShownAsOptions() {
        const QList<std::pair<int, const char*>> cases = {{0x00, "否|低|宽|否|否|否"},
                                                          {0x86, "否|低|宽|是|否|否"},
                                                          {0x44, "否|低|宽|否|是|否"},
                                                          {0x29, "是|低|窄|否|否|是"},
                                                          {0x10, "否|高|宽|否|否|否"}};
        for (const auto& [flags, shown] : cases) {
            MemoryImage image = NewDocumentImage();
            Put(image, Record(4), QByteArray::fromHex("00255114FFFFFFFF0000000000"));
            image.WriteByte(Record(4) + ImageMap::kChannelFlags, std::uint8_t(flags));
            ChannelTable table;
            DecodeChannels(image, table);
            QStringList options = RowText(table, 4).split('|').mid(Col::kBusy - 1);
            options.removeAt(Col::kScan - Col::kBusy);
            QCOMPARE(options.join('|'), QString::fromUtf8(shown));
        }
        // A new channel's defaults on the new-document byte 0x1B give 0x32.
        ChannelTable table;
        for (int c = Col::kBusy; c < Col::kCount; ++c) {
            table.setCellText(6, c, Col::NewChannelDefault(c));
        }
        table.setCellText(6, Col::kRxFrequency, QStringLiteral("150.00000"));
        MemoryImage image = NewDocumentImage();
        EncodeChannels(table, image);
        QCOMPARE(image.ReadByte(Record(6) + ImageMap::kChannelFlags), 0x32);
    }

    void newDocumentAndOutOfListSelections() {
        ChannelTable table;
        table.setCellText(3, Col::kPower, QStringLiteral("stale"));
        MemoryImage image = NewDocumentImage();
        // A stored index equal to the number of entries is the first one past the list.
        for (const auto& [model, band] : {std::pair(1, 2), std::pair(255, 255)}) {
            image.WriteByte(ImageMap::kModelIndex, std::uint8_t(model));
            image.WriteByte(ImageMap::kBandIndex, std::uint8_t(band));
            table.select(Selector::Band, 1);
            DecodeChannels(image, table);
            QCOMPARE(RowText(table, 3), QString(10, '|'));
            QVERIFY(table.selected(Selector::Band) == 0 && table.selected(Selector::Model) == 0);
            QVERIFY(SelectedBandLimits(table).low == 13600000 &&
                    SelectedBandLimits(table).high == 17400000);
        }

        image.WriteByte(ImageMap::kBandIndex, 1);
        DecodeChannels(image, table);
        QVERIFY(table.selected(Selector::Band) == 1 &&
                SelectedBandLimits(table) == (BandLimits{40000000, 48000000}));
        Put(image, ImageMap::kModelIndex, "\x55\x55");
        EncodeChannels(table, image);
        QCOMPARE(Bytes(image, ImageMap::kModelIndex, 2).toHex(), "0001");
    }

    // Decode, encode, decode gives the same table and touches no byte the codec does not own.
    void randomImagesSurviveDecodeEncode() {
        // Bytes the channel codec writes: frequencies and signalling of each record, the flag bits
        // it knows, the scan list with its count, model and band.
        MemoryImage codecMask;
        for (int n = 1; n <= 16; ++n) {
            Put(codecMask, Record(n), QByteArray(12, '\xFF'));
            codecMask.WriteByte(Record(n) + ImageMap::kChannelFlags, 0xF9);
        }
        Put(codecMask, ImageMap::kScanCount, QByteArray(17, '\xFF'));
        Put(codecMask, ImageMap::kModelIndex, "\xFF\xFF"); // and the band after it

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
            ChannelTable first;
            DecodeChannels(image, first);
            EncodeChannels(first, image);
            ChannelTable second;
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
        }
    }
};

QTEST_APPLESS_MAIN(ChannelCodecTest)
#include "test_channel_codec.moc"
