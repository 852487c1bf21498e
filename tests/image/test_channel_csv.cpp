#include "channel_columns.h"
#include "channel_csv.h"
#include "csv_records.h"
#include "signalling_list.h"

#include <QTest>

namespace Col = ChannelColumns;

namespace {

constexpr std::uint32_t kVhfLow = 13600000;
constexpr std::uint32_t kVhfHigh = 17400000;
const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader =
    "信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重";

QByteArray FileWith(const QByteArrayList& lines, const QByteArray& end = "\r\n") {
    return kHeader + end + lines.join(end) + end;
}

QStringList Row(const ChannelTable& table, int row) {
    QStringList cells;
    for (int c = 1; c <= Col::kLast; ++c) {
        cells << table.cellText(row, c);
    }
    return cells;
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
        const QStringList awkward = {"a,b", "q\"", "two\r\nlines", " x "};
        QCOMPARE(CsvRecords::Parse(CsvRecords::FormatRecord(awkward)).records.first().fields,
                 awkward);
    }

    void importFillsDefaultsAndEmptiesAbsentChannels() {
        InMemoryChannelTable table;
        table.setCellText(2, Col::kPower, QStringLiteral("stale"));
        const QByteArray file =
            kBom + FileWith({"5,145.125,,,,,,,,,,", "1,136,174,67.0,D754I,是,低,否,窄,否,否,否",
                             "\"9\",\"150.0\",,,,,,,,,,", "3,,146,67.0,,,,,,,,"});
        QCOMPARE(Places(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh)), QStringList());
        QCOMPARE(Row(table, 5), Split("145.12500,145.12500,关,关,否,高,是,宽,否,否,是"));
        QCOMPARE(Row(table, 1), Split("136.00000,174.00000,67.0,D754I,是,低,否,窄,否,否,否"));
        QCOMPARE(Row(table, 9), Split("150.00000,150.00000,关,关,否,高,是,宽,否,否,是"));
        for (int n : {2, 3, 4, 6, 16}) {
            QCOMPARE(Row(table, n), QStringList(11, QString()));
        }
    }

    void exclusiveOptionsLeftEmptyFollowTheOneSwitchedOn() {
        InMemoryChannelTable table; // LF line ends and no byte-order mark are fine too
        const QByteArray file = FileWith({"1,145,,,,,,,,是,,", "2,145,,,,,,,,,是,",
                                          "3,145,,,,,,,,,,否", "4,145,,,,,,,,是,是,是"},
                                         "\n");
        QVERIFY(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh).isEmpty());
        // What a radio may hold (channel 4) is taken as written.
        QCOMPARE(Row(table, 1).mid(8) + Row(table, 2).mid(8) + Row(table, 3).mid(8) +
                     Row(table, 4).mid(8),
                 Split("是,否,否,否,是,否,否,否,否,是,是,是"));
    }

    void importReportsEveryProblemWithItsPlace() {
        InMemoryChannelTable table;
        const QByteArray file = FileWith({
            "1,145.0031,174.00625,67,d023n,Y,中,,宽带,是,,", // line 2
            "1,145,,,,,,,,,,",                               // line 3: duplicate
            "17,145,,,,,,,,,,",                              // line 4
            "x,145,,,,,,,,,,",                               // line 5
            "2,145,,,,,,,,,",                                // line 6: 11 fields
            "3,145,,,,,,,,,,,",                              // line 7: 13 fields
            "4,abc,-5,,,,,,,,,",                             // line 8
            "5,inf,nan,关 ,,,,,,,,",                         // line 9
            "6,1e30,,,,,,,,,,",                              // line 10
        });
        const auto problems = ChannelCsv::Import(file, table, kVhfLow, kVhfHigh);
        QCOMPARE(Places(problems),
                 (QStringList{"2:2", "2:3", "2:4", "2:5", "2:6", "2:7", "2:9", "3:1", "4:1", "5:1",
                              "6:0", "7:0", "8:2", "8:3", "9:2", "9:3", "9:4", "10:2"}));
        QCOMPARE(ChannelCsv::Describe(problems[0]),
                 QStringLiteral("line 2, column 2 (接收频率): \"145.0031\": 请输入5k/6.25k的倍数"));
        QVERIFY(problems[1].reason.contains(QStringLiteral("超出范围")));
        QVERIFY(problems[7].reason.contains(QStringLiteral("line 2")));
        QVERIFY(ChannelCsv::Describe(problems[10]).startsWith(QStringLiteral("line 6: ")));
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
        InMemoryChannelTable table;
        for (const auto& [file, high, place] : cases) {
            const std::uint32_t low = high == kVhfHigh ? kVhfLow : 40000000;
            QCOMPARE(Places(ChannelCsv::Import(file, table, low, high)), QStringList(place));
        }
        // A header alone is a valid file: every channel empty.
        table.setCellText(4, Col::kRxFrequency, QStringLiteral("145.00000"));
        QVERIFY(ChannelCsv::Import(kHeader, table, kVhfLow, kVhfHigh).isEmpty());
        QCOMPARE(table.cellText(4, Col::kRxFrequency), QString());
    }

    // Every signalling entry and every option choice, through export and import.
    void tablesSurviveExportImport() {
        const SignallingList& signalling = TheSignallingList();
        for (int first = 0; first < signalling.count(); first += 16) {
            InMemoryChannelTable table;
            for (int n = 1; n <= 16; ++n) {
                const QString rx = QString::asprintf("%d.%05d", 136 + n, n * 625);
                const QStringList cells = {rx, rx,
                                           signalling.entry((first + n) % signalling.count()),
                                           signalling.entry((first + n + 7) % signalling.count())};
                for (int c = 1; c <= Col::kLast; ++c) {
                    table.setCellText(n, c,
                                      c <= 4 ? cells[c - 1] : Col::Choices(c).at((n + c) % 2));
                }
            }
            InMemoryChannelTable imported;
            QVERIFY(ChannelCsv::Import(ChannelCsv::Export(table), imported, kVhfLow, kVhfHigh)
                        .isEmpty());
            for (int n = 1; n <= 16; ++n) {
                QCOMPARE(Row(imported, n), Row(table, n));
            }
        }
    }
};

QTEST_APPLESS_MAIN(ChannelCsvTest)
#include "test_channel_csv.moc"
