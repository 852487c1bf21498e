// What differs between two images, in the words a user knows, and never "same" for images that
// are not byte for byte the same.

#include "image_bytes.h"
#include "image_diff.h"
#include "image_map.h"
#include "new_document.h"

#include <QTest>
#include <functional>

using Change = std::function<void(MemoryImage&)>;
Q_DECLARE_METATYPE(Change)

namespace {

// Channel n holding 145.12500 MHz on both frequencies with the new-channel flags.
void DefineChannel(MemoryImage& image, int channel) {
    const int record = ImageMap::ChannelRecord(channel);
    Put(image, record, QByteArray("\x00\x25\x51\x14\x00\x25\x51\x14\x00\x00\x00\x00\x1B", 13));
}

QStringList Lines(const MemoryImage& left, const MemoryImage& right) {
    QStringList lines;
    for (const ImageDiff::Difference& d : ImageDiff::Compare(left, right)) {
        lines.append(ImageDiff::Describe(d, "文件", "电台"));
    }
    return lines;
}

} // namespace

class TestImageDiff : public QObject {
    Q_OBJECT

private slots:
    void differencesByField_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("channels");

        QTest::newRow("same") << Change([](MemoryImage&) {}) << QStringList() << QList<int>();
        QTest::newRow("receive frequency")
            << Change([](MemoryImage& m) { Put(m, 0x30, QByteArray("\x50\x37\x51\x14", 4)); })
            << QStringList{"信道 3 接收频率: 文件 145.12500, 电台 145.13750"} << QList<int>{3};
        QTest::newRow("two flags of one channel")
            << Change([](MemoryImage& m) { m.WriteByte(0x3C, 0x1B ^ 0x01 ^ 0x10); })
            << QStringList{"信道 3 繁忙: 文件 是, 电台 否", "信道 3 功率: 文件 高, 电台 低"}
            << QList<int>{3};
        QTest::newRow("flag bit nobody shows")
            << Change([](MemoryImage& m) { m.WriteByte(0x3C, 0x1B ^ 0x02); })
            << QStringList{"地址 0x03c: 文件 0x1b, 电台 0x19"} << QList<int>{3};
        QTest::newRow("channel only one side has")
            << Change([](MemoryImage& m) { Put(m, 0x50, QByteArray(8, '\xFF')); })
            << QStringList{"信道 5: 文件 145.12500 145.12500 关 关 是 高 是 窄 否 否 否, 电台 空"}
            << QList<int>{5};
        QTest::newRow("receive frequency removed, transmit kept")
            << Change([](MemoryImage& m) { Put(m, 0x60, QByteArray("\xFF\xFF\xFF\xFF", 4)); })
            << QStringList{"信道 6: 文件 145.12500 145.12500 关 关 是 高 是 窄 否 否 否, "
                           "电台 - 145.12500 - - - - - - - - -"}
            << QList<int>{6};
        QTest::newRow("scan list in another order") << Change([](MemoryImage& m) {
            Put(m, ImageMap::kScanList, QByteArray("\x05\x03", 2));
        }) << QStringList{"地址 0x2b8: 文件 0x03, 电台 0x05", "地址 0x2b9: 文件 0x05, 电台 0x03"}
                                                    << QList<int>();
        QTest::newRow("option and switch") << Change([](MemoryImage& m) {
            m.WriteByte(ImageMap::kSquelchLevel, 7);
            m.ClearBit(ImageMap::kOptionBits, 0);
        }) << QStringList{"静噪电平: 文件 5, 电台 7", "提示音: 文件 是, 电台 否"}
                                           << QList<int>();
        QTest::newRow("option byte no entry names")
            << Change([](MemoryImage& m) { m.WriteByte(ImageMap::kVoxGain, 0x40); })
            << QStringList{"声控增益电平: 文件 3, 电台 0x40"} << QList<int>();
        QTest::newRow("tuning value")
            << Change([](MemoryImage& m) { m.WriteByte(ImageMap::kTuningScrambler + 2, 7); })
            << QStringList{"参数调节 扰频 AF 输出增益微调: 文件 120, 电台 7"} << QList<int>();
    }

    void differencesByField() {
        QFETCH(Change, change);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, channels);
        MemoryImage file = NewDocumentImage();
        for (int channel : {3, 5, 6}) {
            DefineChannel(file, channel);
        }
        Put(file, ImageMap::kScanList - 1, QByteArray("\x03\x03\x05\x06", 4));
        MemoryImage radio = file;
        change(radio);
        QCOMPARE(Lines(file, radio), lines);
        QCOMPARE(ImageDiff::Channels(ImageDiff::Compare(file, radio)), channels);
    }

    // Whatever bytes differ, something is reported, and blocks name every 8 bytes that differ.
    void neverSameWhenBytesDiffer() {
        const MemoryImage file = NewDocumentImage();
        for (int address = 0; address < MemoryImage::kSize; ++address) {
            MemoryImage radio = file;
            radio.WriteByte(address, static_cast<std::uint8_t>(file.ReadByte(address) ^ 0x80));
            QVERIFY2(!ImageDiff::Compare(file, radio).isEmpty(),
                     qPrintable(QString::number(address, 16)));
            QCOMPARE(ImageDiff::DifferingBlocks(file, radio), QList<int>{address & ~7});
        }
    }
};

QTEST_GUILESS_MAIN(TestImageDiff)
#include "test_image_diff.moc"
