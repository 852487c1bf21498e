#include "channel_codec.h"
#include "channel_columns.h"
#include "channel_csv.h"
#include "csv_records.h"
#include "new_document.h"
#include "signalling_list.h"

#include <QRandomGenerator>
#include <QTest>

namespace Col = ChannelColumns;

namespace {

constexpr std::uint32_t kVhfLow = 13600000;
constexpr std::uint32_t kVhfHigh = 17400000;
const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader =
    "信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重";

QByteArray FileWith(const QList<QByteArray>& lines, const QByteArray& end = "\r\n") {
    QByteArray file = kHeader + end;
    for (const QByteArray& line : lines) {
        file += line + end;
    }
    return file;
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
QStringList Places(const QList<ChannelCsv::Problem>& problems) {
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
    void recordsFollowRfc4180();
    void recordProblems();
    void quotingOnWrite();
    void exportOfNewDocument();
    void exportShowsTableTexts();
    void importFillsDefaultsAndEmptiesAbsentChannels();
    void importAcceptsLfWithoutBom();
    void exclusiveOptionsLeftEmptyFollowTheOneSwitchedOn();
    void importReportsEveryProblemWithItsPlace();
    void importRejectsWrongHeaderAndEmptyFile();
    void importRejectsNonUtf8();
    void importChecksAgainstTheGivenBand();
    void randomTablesSurviveExportImport();
};

void ChannelCsvTest::recordsFollowRfc4180() {
    const auto parsed = CsvRecords::Parse(
        QStringLiteral("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\r\n\"two\r\nlines\",x\n,\nlast"));
    QVERIFY(parsed.problems.isEmpty());
    QCOMPARE(parsed.records.size(), 4);
    QCOMPARE(parsed.records[0].fields, (QStringList{"a", "b,c", "say \"hi\""}));
    QCOMPARE(parsed.records[0].line, 1);
    QCOMPARE(parsed.records[1].fields, (QStringList{"two\r\nlines", "x"}));
    QCOMPARE(parsed.records[1].line, 3); // the blank line 2 is skipped
    QCOMPARE(parsed.records[2].fields, (QStringList{"", ""}));
    QCOMPARE(parsed.records[2].line, 5);
    QCOMPARE(parsed.records[3].fields, QStringList{"last"});
    QCOMPARE(parsed.records[3].line, 6);
    // A quoted empty field is a record, not a blank line.
    QCOMPARE(CsvRecords::Parse(QStringLiteral("\"\"\n")).records.size(), 1);
}

void ChannelCsvTest::recordProblems() {
    auto parsed = CsvRecords::Parse(QStringLiteral("a,b\"c\n\"x\"y,z\n\"open,\nmore"));
    QCOMPARE(parsed.problems.size(), 3);
    QCOMPARE(parsed.problems[0].line, 1);
    QCOMPARE(parsed.problems[0].column, 2);
    QCOMPARE(parsed.problems[1].line, 2);
    QCOMPARE(parsed.problems[1].column, 1);
    QCOMPARE(parsed.records[1].fields, (QStringList{"xy", "z"}));
    QCOMPARE(parsed.problems[2].line, 3); // where the unclosed field starts
    QCOMPARE(parsed.problems[2].column, 1);
}

void ChannelCsvTest::quotingOnWrite() {
    QCOMPARE(CsvRecords::FormatRecord({"plain", "a,b", "q\"", "two\nlines", ""}),
             QStringLiteral("plain,\"a,b\",\"q\"\"\",\"two\nlines\",\r\n"));
    const QStringList awkward = {"a,b", "q\"", "two\r\nlines", " x "};
    QCOMPARE(CsvRecords::Parse(CsvRecords::FormatRecord(awkward)).records.first().fields, awkward);
}

void ChannelCsvTest::exportOfNewDocument() {
    InMemoryChannelTable table;
    DecodeChannels(NewDocumentImage(), table);
    QByteArray expected = kBom + kHeader + "\r\n";
    for (int n = 1; n <= 16; ++n) {
        expected += QByteArray::number(n) + ",,,,,,,,,,,\r\n";
    }
    QCOMPARE(ChannelCsv::Export(table), expected);
}

void ChannelCsvTest::exportShowsTableTexts() {
    InMemoryChannelTable table;
    DecodeChannels(NewDocumentImage(), table);
    const QStringList row = Split("145.12500,145.00625,D023I,254.1,是,低,否,窄,否,是,否");
    for (int c = 1; c <= Col::kLast; ++c) {
        table.setCellText(16, c, row[c - 1]);
    }
    const QByteArray csv = ChannelCsv::Export(table);
    QVERIFY(csv.endsWith("\r\n16,145.12500,145.00625,D023I,254.1,是,低,否,窄,否,是,否\r\n"));
    QCOMPARE(csv.count("\r\n"), 17);
    QCOMPARE(csv.count('\n'), 17);
}

void ChannelCsvTest::importFillsDefaultsAndEmptiesAbsentChannels() {
    InMemoryChannelTable table;
    DecodeChannels(NewDocumentImage(), table);
    for (int c = 1; c <= Col::kLast; ++c) {
        table.setCellText(2, c, QStringLiteral("stale"));
    }
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

void ChannelCsvTest::importAcceptsLfWithoutBom() {
    InMemoryChannelTable table;
    const QByteArray file = FileWith({"7,145.00625,145.005,D023N,关,否,高,是,宽,否,否,是"}, "\n");
    QVERIFY(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh).isEmpty());
    QCOMPARE(Row(table, 7), Split("145.00625,145.00500,D023N,关,否,高,是,宽,否,否,是"));
}

void ChannelCsvTest::exclusiveOptionsLeftEmptyFollowTheOneSwitchedOn() {
    InMemoryChannelTable table;
    const QByteArray file = FileWith(
        {"1,145,,,,,,,,是,,", "2,145,,,,,,,,,是,", "3,145,,,,,,,,,,否", "4,145,,,,,,,,是,是,是"});
    QVERIFY(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh).isEmpty());
    QCOMPARE(Row(table, 1).mid(8), Split("是,否,否"));
    QCOMPARE(Row(table, 2).mid(8), Split("否,是,否"));
    QCOMPARE(Row(table, 3).mid(8), Split("否,否,否"));
    // What a radio may hold is taken as written.
    QCOMPARE(Row(table, 4).mid(8), Split("是,是,是"));
}

void ChannelCsvTest::importReportsEveryProblemWithItsPlace() {
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

void ChannelCsvTest::importRejectsWrongHeaderAndEmptyFile() {
    InMemoryChannelTable table;
    QByteArray file = FileWith({"1,145,,,,,,,,,,"});
    file.replace("加重", "加重 ");
    QCOMPARE(Places(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh)), QStringList{"1:0"});
    QCOMPARE(Places(ChannelCsv::Import(QByteArray(), table, kVhfLow, kVhfHigh)),
             QStringList{"1:0"});
    QCOMPARE(Places(ChannelCsv::Import(kBom, table, kVhfLow, kVhfHigh)), QStringList{"1:0"});
    // A header alone is a valid file: every channel empty.
    table.setCellText(4, Col::kRxFrequency, QStringLiteral("145.00000"));
    QVERIFY(ChannelCsv::Import(kHeader, table, kVhfLow, kVhfHigh).isEmpty());
    QCOMPARE(table.cellText(4, Col::kRxFrequency), QString());
}

void ChannelCsvTest::importRejectsNonUtf8() {
    InMemoryChannelTable table;
    QByteArray file = FileWith({"1,145,,,,,,,,,,", "2,145,,,,,,\xB7\xF1,,,,"});
    QCOMPARE(Places(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh)), QStringList{"3:0"});
}

void ChannelCsvTest::importChecksAgainstTheGivenBand() {
    InMemoryChannelTable table;
    const QByteArray file = FileWith({"1,145,,,,,,,,,,", "2,440.00625,,,,,,,,,,"});
    QCOMPARE(Places(ChannelCsv::Import(file, table, kVhfLow, kVhfHigh)), QStringList{"3:2"});
    QCOMPARE(Places(ChannelCsv::Import(file, table, 40000000, 48000000)), QStringList{"2:2"});
}

void ChannelCsvTest::randomTablesSurviveExportImport() {
    QRandomGenerator random(4180);
    const SignallingList& signalling = TheSignallingList();
    for (int round = 0; round < 300; ++round) {
        InMemoryChannelTable table;
        for (int n = 1; n <= 16; ++n) {
            if (random.bounded(3) == 0) {
                continue;
            }
            for (int c : {Col::kRxFrequency, Col::kTxFrequency}) {
                const std::uint32_t step = random.bounded(2) ? 625 : 500;
                const std::uint32_t count =
                    kVhfLow + step * random.bounded((kVhfHigh - kVhfLow) / step + 1);
                table.setCellText(n, c,
                                  QString::asprintf("%u.%05u", count / 100000, count % 100000));
            }
            for (int c : {Col::kRxSignal, Col::kTxSignal}) {
                table.setCellText(n, c, signalling.entry(int(random.bounded(signalling.count()))));
            }
            for (int c = Col::kBusy; c <= Col::kLast; ++c) {
                table.setCellText(n, c, Col::Choices(c).at(int(random.bounded(2))));
            }
        }
        InMemoryChannelTable imported;
        const auto problems =
            ChannelCsv::Import(ChannelCsv::Export(table), imported, kVhfLow, kVhfHigh);
        QVERIFY(problems.isEmpty());
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(Row(imported, n), Row(table, n));
        }
    }
}

QTEST_APPLESS_MAIN(ChannelCsvTest)
#include "test_channel_csv.moc"
