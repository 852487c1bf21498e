// The per-radio changes file: each row becomes its own image that differs from the table only in
// the cells it names, and a file with any bad cell is refused whole, each problem by line, column
// and reason.

#include "channel_codec.h"
#include "channel_columns.h"
#include "image_map.h"
#include "new_document.h"
#include "radio_overrides.h"

#include <QTest>

namespace {

namespace Col = ChannelColumns;

// Channel 1 defined (VHF, new-channel defaults), the others empty.
MemoryImage Table() {
    MemoryImage image = NewDocumentImage();
    ChannelTable table;
    DecodeChannels(image, table);
    table.setCellText(1, Col::kRxFrequency, "145.00000");
    table.setCellText(1, Col::kTxFrequency, "145.00000");
    for (int column = Col::kRxSignal; column < Col::kCount; ++column) {
        table.setCellText(1, column, Col::NewChannelDefault(column));
    }
    EncodeChannels(table, image);
    return image;
}

// "label: 信道1 接收频率=…, …": the cells the radio's image holds differently from the table.
QString Changes(const RadioOverride& radio) {
    ChannelTable before;
    ChannelTable after;
    DecodeChannels(Table(), before);
    DecodeChannels(radio.image, after);
    QStringList changes;
    for (int channel = 1; channel <= 16; ++channel) {
        for (int column = 1; column < Col::kCount; ++column) {
            if (after.cellText(channel, column) != before.cellText(channel, column)) {
                changes << QString("信道%1 %2=%3")
                               .arg(channel)
                               .arg(Col::Headers().at(column), after.cellText(channel, column));
            }
        }
    }
    return radio.label + ": " + changes.join(", ");
}

// Whether the image differs from the table's only in the channel records and the scan list.
bool OnlyChannelsDiffer(const MemoryImage& image) {
    const MemoryImage table = Table();
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        const bool inChannels =
            (address >= ImageMap::ChannelRecord(1) && address < ImageMap::ChannelRecord(17)) ||
            (address >= ImageMap::kScanCount &&
             address < ImageMap::kScanList + ImageMap::kScanListSize);
        if (!inChannels && image.ReadByte(address) != table.ReadByte(address)) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestRadioOverrides : public QObject {
    Q_OBJECT

private slots:
    void readsTheWholeFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected"); // each radio's changes, or the problems
        QTest::newRow("radios")
            << "标签,信道1 接收频率,信道1 发射频率,信道 16 接收频率,信道1 扰频\r\n"
               "车1,145.125,145.725,,\r\n"
               ",,,,\r\n"
               "Truck 2,,,146.5,Yes\r\n"
            << QStringList{"车1: 信道1 接收频率=145.12500, 信道1 发射频率=145.72500",
                           "Truck 2: 信道1 扰频=是, 信道1 加重=否, "
                           "信道16 接收频率=146.50000, 信道16 发射频率=146.50000, "
                           "信道16 接收信令=关, 信道16 发射信令=关, 信道16 繁忙=否, "
                           "信道16 功率=高, 信道16 扫描=是, 信道16 带宽=宽, "
                           "信道16 扰频=否, 信道16 压扩=否, 信道16 加重=是"};
        QTest::newRow("bad cells")
            << "标签,信道1 接收频率,信道1 接收信令,信道2 功率,信道1 压扩,信道1 加重\n"
               "车1,435.000,,,,\n"
               "车2,145.0021,D999N,,,\n"
               "车3,,,低,是,是\n"
               "车1,,,,,\n"
               "车5,,,\n"
            << QStringList{
                   "第 2 行，第 2 列（信道1 接收频率）：\"435.000\"：超出范围",
                   "第 3 行，第 2 列（信道1 接收频率）：\"145.0021\"：请输入5k/6.25k的倍数",
                   "第 3 行，第 3 列（信道1 接收信令）：\"D999N\" 不是信令代码：应为 "
                   "\"关\"、亚音频（如 67.0）或数字亚音（如 D023N / D023I）",
                   "第 4 行，第 4 列（信道2 功率）：信道 2 是空信道：同一行要给出它的接收频率",
                   "第 4 行，第 6 列（信道1 加重）：\"扰频\" / \"压扩\" / \"加重\" 中只能有一个是 "
                   "\"是\"",
                   "第 5 行，第 1 列（标签）：标签 \"车1\" 已在第 2 行用过",
                   "第 6 行：应有 6 个字段（与标题行相同），实有 4 个"};
        QTest::newRow("bad header")
            << "Label,信道17 接收频率,信道1 带宽,信道1  带宽\n车1,,宽,\n"
            << QStringList{"第 1 行，第 1 列（Label）：第一列应为 \"标签\"",
                           "第 1 行，第 2 列（信道17 接收频率）：应为信道号和列名，如 \"信道3 "
                           "接收频率\"；列名是 \"接收频率\" / \"发射频率\" / \"接收信令\" / "
                           "\"发射信令\" / \"繁忙\" / \"功率\" / \"扫描\" / \"带宽\" / "
                           "\"扰频\" / \"压扩\" / \"加重\" 之一",
                           "第 1 行，第 4 列（信道1  带宽）：与第 3 列重复"};
    }
    void readsTheWholeFile() {
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        const RadioOverrides::Result result = RadioOverrides::Read(file.toUtf8(), Table());
        QStringList seen = result.problems;
        for (const RadioOverride& radio : result.radios) {
            seen << Changes(radio);
            QVERIFY(OnlyChannelsDiffer(radio.image));
        }
        QCOMPARE(seen, expected);
    }
};

QTEST_GUILESS_MAIN(TestRadioOverrides)
#include "test_radio_overrides.moc"
