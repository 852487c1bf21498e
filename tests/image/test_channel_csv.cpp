#include "channel_codec.h"
#include "channel_csv.h"
#include "channel_rows.h"
#include "csv_records.h"
#include "image_bytes.h"
#include "image_map.h"
#include "new_document.h"
#include "signalling_list.h"

#include <QTest>

namespace Col = ChannelColumns;

namespace {

constexpr std::uint32_t kVhfLow = 13600000;
constexpr std::uint32_t kVhfHigh = 17400000;
const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader = Col::Headers().join(',').toUtf8();

// The lines below spell out the number and the columns the image holds; the columns it does not
// hold follow them empty.
QByteArray FileWith(QByteArrayList lines, const QByteArray& end = "\r\n") {
    const QByteArray others(Col::kCount - Col::Headers(Col::InImage).size(), ',');
    for (QByteArray& line : lines) {
        line += others;
    }
    return kHeader + end + lines.join(end) + end;
}

QStringList Split(const char* utf8) {
    return QString::fromUtf8(utf8).split(QLatin1Char(','));
}

// "line:column" of every problem, for compact comparisons.
template <typename Problem> QStringList Places(const QList<Problem>& problems) {
    QStringList places;
    for (const auto& p : problems) {
        places << QStringLiteral("%1:%2").arg(p.line).arg(p.column);
    }
    return places;
}

struct Band {
    std::uint32_t low;
    std::uint32_t high;
    int index;
};
const Band kBands[] = {{kVhfLow, kVhfHigh, 0}, {40000000, 48000000, 1}};

// An image whose records this program could have written: each frequency empty (either marker,
// anything below it) or on the band's raster, any signalling, scan-list and flag bytes except
// that at most one of scrambler, compander and emphasis is on.
MemoryImage RandomRadioImage(QRandomGenerator& random, const Band& band) {
    MemoryImage image = RandomImage(random);
    image.WriteByte(ImageMap::kBandIndex, std::uint8_t(band.index));
    for (int n = 1; n <= 16; ++n) {
        for (int address : {ImageMap::kRxFrequency, ImageMap::kTxFrequency}) {
            address += ImageMap::ChannelRecord(n);
            if (random.bounded(3) == 0) {
                image.WriteByte(address + 3, random.bounded(2) == 0 ? 0x00 : 0xFF);
                continue;
            }
            std::uint32_t count = RandomRasterCount(random, band.low, band.high);
            for (int k = 0; k < 4; ++k, count /= 100) {
                image.WriteByte(address + k, ByteToBcd(int(count % 100)));
            }
        }
        const int flags = ImageMap::ChannelRecord(n) + ImageMap::kChannelFlags;
        const std::uint8_t exclusiveBits[] = {0x00, 0x20, 0x40, 0x80};
        image.WriteByte(flags, (image.ReadByte(flags) & 0x1F) | exclusiveBits[random.bounded(4)]);
    }
    if (random.bounded(2) == 0) {
        image.WriteByte(ImageMap::kScanCount, std::uint8_t(random.bounded(17)));
    }
    return image;
}

} // namespace

class ChannelCsvTest : public QObject {
    Q_OBJECT

private slots:
    void recordsFollowRfc4180() {
        auto parsed = CsvRecords::Parse(QStringLiteral(
            "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\r\n\"two\r\nlines\",x\n,\n\"\"\nlast"));
        QStringList records; // "line:field|field..."
        for (const auto& record : parsed.records) {
            records << QString::number(record.line) + ':' + record.fields.join('|');
        }
        QVERIFY(parsed.problems.isEmpty());
        // The blank line 2 is skipped; a quoted empty field is a record, not a blank line.
        QCOMPARE(records,
                 QStringList({"1:a|b,c|say \"hi\"", "3:two\r\nlines|x", "5:|", "6:", "7:last"}));

        parsed = CsvRecords::Parse(QStringLiteral("a,b\"c\n\"x\"y,z\n\"open,\nmore"));
        QCOMPARE(Places(parsed.problems), QStringList({"1:2", "2:1", "3:1"})); // 3: where it opens
        QCOMPARE(parsed.records[1].fields, QStringList({"xy", "z"}));

        QCOMPARE(CsvRecords::FormatRecord({"plain", "a,b", "q\"", "two\nlines", ""}),
                 QStringLiteral("plain,\"a,b\",\"q\"\"\",\"two\nlines\",\r\n"));
    }

    // An empty 发射频率 stays empty (receive only); a line with a 发射频率 alone is a channel
    // that holds only it; both empty is an empty channel whatever else the line holds.
    void importFillsDefaultsAndEmptiesAbsentChannels() {
        ChannelTable table;
        table.setCellText(2, Col::kPower, QStringLiteral("stale"));
        const QByteArray file =
            kBom +
            FileWith({"5,145.125,,,,,,,,,,", "1,136,174,67.0,D754I,是,低,否,窄,否,否,否",
                      "\"9\",\"150.0\",150,,,,,,,,,", "3,,146,,,,,,,,,", "4,,,67.0,,是,,,,,,"});
        QCOMPARE(Places(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh)), QStringList());
        QCOMPARE(Row(table, 5, true), Split("145.12500,,关,关,否,高,是,宽,否,否,是"));
        QCOMPARE(Row(table, 1, true), Split("136.00000,174.00000,67.0,D754I,是,低,否,窄,否,否,否"));
        QCOMPARE(Row(table, 9, true), Split("150.00000,150.00000,关,关,否,高,是,宽,否,否,是"));
        QCOMPARE(Row(table, 3).mid(0, 3), QStringList({QString(), "146.00000", QString()}));
        for (int n : {2, 3, 4, 6, 16}) {
            QCOMPARE(Row(table, n).mid(n == 3 ? 2 : 0), BlankRow().mid(n == 3 ? 2 : 0));
        }
        // Exclusive options left empty follow the one switched on; LF line ends and no
        // byte-order mark are fine too.
        const QByteArray exclusive =
            FileWith({"1,145,,,,,,,,是,,", "2,145,,,,,,,,,是,", "3,145,,,,,,,,,,否"}, "\n");
        QVERIFY(ChannelCsv::Import(exclusive, table, kVhfLow, kVhfHigh).isEmpty());
        QCOMPARE(Row(table, 1).mid(8, 3) + Row(table, 2).mid(8, 3) + Row(table, 3).mid(8, 3),
                 Split("是,否,否,否,是,否,否,否,否"));
    }

    void importReportsEveryProblemWithItsPlace() {
        ChannelTable table;
        const QByteArray file = FileWith({
            "1,145.0031,174.00625,67,d023n,Y,中,,宽带,是,,", // line 2
            "1,145,,,,,,,,,,",                               // line 3: duplicate
            "17,145,,,,,,,,,,",                              // line 4
            "2,145,,,,,,,,,",                                // line 5: 11 fields
            "4,abc,-5,关 ,D023,,,,,,,",                      // line 6
            "6,1e30,,,,,,,,是,是,是",                        // line 7
            "7,,146,,,,,,,,,否",                             // line 8: transmit only
        });
        const auto problems = ChannelCsv::Import(file, table, kVhfLow, kVhfHigh);
        QCOMPARE(Places(problems),
                 (QStringList{"2:2", "2:3", "2:6", "2:7", "2:9", "3:1", "4:1", "5:0", "6:2", "6:3",
                              "6:4", "6:5", "7:2", "7:11", "8:12"}));
        QCOMPARE(
            ChannelCsv::Describe(problems[0]),
            QStringLiteral("第 2 行，第 2 列（接收频率）：\"145.0031\"：请输入5k/6.25k的倍数"));
        QCOMPARE(ChannelCsv::Describe(problems.last()),
                 QStringLiteral("第 8 行，第 12 列（加重）：没有接收频率的信道上有 \"否\"；"
                                "这样的信道只保存发射频率（整行留空则清除该信道）"));
    }

    // What a cell holds after import, or the problem it is refused with. A frequency adds to the
    // frequency check's verdicts a hint for the decimal comma, five significant decimals at most
    // (the check itself drops the rest) and a NUL shown as such; the cell holds exactly the count
    // that was checked. Signalling takes any spelling that names exactly one list entry, and the
    // cell gets the list's own text.
    void cellTexts_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result"); // the cell text, or "!" and the problem's reason
        const QList<std::pair<const char*, const char*>> frequencies = {
            {"145,125", "!\"145,125\"：请输入数字（小数点应为句点：145.125）"},
            {"145.125001",
             "!\"145.125001\"：小数超过 5 位；对讲机按 10 Hz 的步进保存频率（145.12500）"},
            {"145.1250000", "145.12500"}, // zeros past the fifth decimal say nothing more
            {" 146 ", "146.00000"}};
        for (const auto& [text, result] : frequencies) {
            QTest::newRow(text) << int(Col::kRxFrequency) << QString::fromUtf8(text)
                                << QString::fromUtf8(result);
        }
        QTest::newRow("NUL") << int(Col::kRxFrequency) << QString::fromUtf8("145.125\0999", 11)
                             << "!\"145.125\\x00999\"：请输入数字";
        const QList<std::pair<const char*, const char*>> spellings = {
            {"100.00", "100.0"}, {"067", "67.0"}, {"d23n", "D023N"}, {"d0754I", "D754I"},
            {"100.05", "!"},     {"D023", "!"},   {"D024N", "!"},    {"关 ", "!"},
            {"1e2", "!"},        {"D1023N", "!"}};
        for (const auto& [text, result] : spellings) {
            QTest::addRow("signal %s", text)
                << int(Col::kRxSignal) << QString::fromUtf8(text) << QString::fromUtf8(result);
        }
        // A list value in English, as an English window or spreadsheet shows it, is its column's
        // own text.
        const QList<std::tuple<int, const char*, const char*>> english = {
            {Col::kTxSignal, "OFF", "关"},
            {Col::kBusy, "yes", "是"},
            {Col::kPower, "Low", "低"},
            {Col::kBandwidth, "NARROW", "窄"},
            {Col::kScan, "Y", "!"}};
        for (const auto& [col, text, result] : english) {
            QTest::addRow("English %s", text)
                << col << QString::fromUtf8(text) << QString::fromUtf8(result);
        }
    }

    void cellTexts() {
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QStringList fields = {"8", "145"};
        fields += QStringList(Col::Headers(Col::InImage).size() - 2); // FileWith adds the rest
        fields[col] = CsvRecords::QuoteField(text);
        ChannelTable table;
        const auto problems =
            ChannelCsv::Import(FileWith({fields.join(',').toUtf8()}), table, kVhfLow, kVhfHigh);
        if (!result.startsWith('!')) {
            QCOMPARE(Places(problems), QStringList());
            QCOMPARE(table.cellText(8, col), result);
        } else {
            QCOMPARE(Places(problems), QStringList(QStringLiteral("2:%1").arg(col + 1)));
            QVERIFY(result == "!" || problems[0].reason == result.mid(1));
        }
    }

    // What a file made or mangled by another program gets told, and how much of it.
    void messagesNameTheRealProblem() {
        ChannelTable table;
        const QByteArray row = "1,145,,,,,,,,,,";
        // Lines that end in CR alone are one long line to a CSV reader.
        auto problems = ChannelCsv::Import(FileWith({row, row}, "\r"), table, kVhfLow, kVhfHigh);
        QCOMPARE(Places(problems), QStringList("1:0"));
        QVERIFY(problems[0].reason.contains(QStringLiteral("行尾只有回车符")));

        // Columns saved beyond the table.
        problems =
            ChannelCsv::Import(FileWith({row}).replace("\r\n", ",,\r\n"), table, kVhfLow, kVhfHigh);
        QCOMPARE(Places(problems), QStringList("1:0"));
        QVERIFY(problems[0].reason.startsWith(
            QStringLiteral("标题行最后一列（%1）之后有 2 个多余的逗号")
                .arg(Col::Headers().constLast())));
        // A 2 MB value is not echoed whole.
        const QByteArray huge(2000000, '9');
        problems =
            ChannelCsv::Import(FileWith({"1," + huge + ",,,,,,,,,,"}), table, kVhfLow, kVhfHigh);
        QCOMPARE(problems.value(0).reason,
                 '"' + QString(40, '9') + "\"…（共 2000000 个字符）：超出范围");

        // 10 000 lines: the first twenty problems, then how many more.
        const QByteArray many = FileWith(QByteArrayList(10000, row));
        problems = ChannelCsv::Import(many, table, kVhfLow, kVhfHigh);
        QCOMPARE(problems.size(), 9999);
        const QStringList lines = ChannelCsv::DescribeProblems(problems);
        QCOMPARE(lines.size(), ChannelCsv::kShownProblems + 1);
        QCOMPARE(lines[19], QStringLiteral("第 22 行，第 1 列（信道）：信道 1 已在第 2 行给出"));
        QCOMPARE(lines.last(), QStringLiteral("另有 9979 个问题没有列出"));
    }

    // A header with a blank, no header, a line that is not UTF-8, a channel of the other band.
    void importRejectsTheWholeFile() {
        const QByteArray uhf = FileWith({"1,145,,,,,,,,,,", "2,440.00625,,,,,,,,,,"});
        const QList<std::tuple<QByteArray, std::uint32_t, QString>> cases = {
            {FileWith({"1,145,,,,,,,,,,"}).replace("加重", "加重 "), kVhfHigh, "1:0"},
            {QByteArray(), kVhfHigh, "1:0"},
            {kBom, kVhfHigh, "1:0"},
            {FileWith({"1,145,,,,,,,,,,", "2,145,,,,,,\xB7\xF1,,,,"}), kVhfHigh, "3:0"},
            {uhf, kVhfHigh, "3:2"},
            {uhf, 48000000, "2:2"}};
        ChannelTable table;
        for (const auto& [file, high, place] : cases) {
            const std::uint32_t low = high == kVhfHigh ? kVhfLow : 40000000;
            QCOMPARE(Places(ChannelCsv::Import(file, table, low, high)), QStringList(place));
        }
        // A header alone is a valid file: every channel empty.
        table.setCellText(4, Col::kRxFrequency, QStringLiteral("145.00000"));
        QVERIFY(ChannelCsv::Import(kHeader, table, kVhfLow, kVhfHigh).isEmpty());
        QCOMPARE(table.cellText(4, Col::kRxFrequency), QString());
    }

    // Whatever a radio holds, one-sided records included, comes back from export -> import ->
    // export unchanged.
    void randomImagesSurviveExportImport() {
        QRandomGenerator random(8318);
        for (int round = 0; round < 400; ++round) {
            const Band& band = kBands[round % 2];
            ChannelTable table;
            DecodeChannels(RandomRadioImage(random, band), table);
            const QByteArray file = ChannelCsv::Export(table);
            ChannelTable imported;
            const auto problems = ChannelCsv::Import(file, imported, band.low, band.high);
            QVERIFY2(problems.isEmpty(),
                     qPrintable(ChannelCsv::DescribeProblems(problems).join('\n')));
            for (int n = 1; n <= 16; ++n) {
                QCOMPARE(Row(imported, n), Row(table, n));
            }
            QCOMPARE(ChannelCsv::Export(imported), file);
        }
    }
};

QTEST_APPLESS_MAIN(ChannelCsvTest)
#include "test_channel_csv.moc"
