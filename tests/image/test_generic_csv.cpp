#include "channel_csv.h"
#include "channel_rows.h"
#include "generic_csv.h"
#include "signalling_list.h"

#include <QTest>

namespace Col = ChannelColumns;

namespace {

struct Band {
    std::uint32_t low;
    std::uint32_t high;
};
const Band kVhf = {13600000, 17400000};
const Band kUhf = {40000000, 48000000};

// The columns a hand-written list uses, in an order of its own: columns go by name.
const QByteArray kShortHeader = "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power";

// "line:column(header)" of every problem.
QStringList Places(const QList<ChannelCsv::Problem>& problems) {
    QStringList places;
    for (const auto& p : problems) {
        places << QStringLiteral("%1:%2(%3)").arg(p.line).arg(p.column).arg(p.header);
    }
    return places;
}

ChannelCsv::ImportResult ImportVhf(const QByteArray& file, ChannelTable& table) {
    return ChannelCsv::ImportAny(file, table, kVhf.low, kVhf.high);
}

QString RandomFrequency(QRandomGenerator& random, const Band& band) {
    const std::uint32_t count = RandomRasterCount(random, band.low, band.high);
    return QString::asprintf("%u.%05u", count / 100000, count % 100000);
}

// A table as the window can hold it: channels empty, transmit-only or defined with any
// frequencies of the band, any signalling (often the same on both sides, which the layout
// writes differently) and any option texts.
ChannelTable RandomTable(QRandomGenerator& random, const Band& band) {
    const SignallingList& list = TheSignallingList();
    ChannelTable table;
    for (int n = 1; n <= 16; ++n) {
        const int kind = int(random.bounded(6));
        if (kind == 0) {
            continue;
        }
        if (kind == 1) {
            table.setCellText(n, Col::kTxFrequency, RandomFrequency(random, band));
            continue;
        }
        table.setCellText(n, Col::kRxFrequency, RandomFrequency(random, band));
        if (kind != 2) {
            table.setCellText(n, Col::kTxFrequency,
                              kind == 3 ? table.cellText(n, Col::kRxFrequency)
                                        : RandomFrequency(random, band));
        }
        const QString tx = list.entry(int(random.bounded(list.count())));
        table.setCellText(n, Col::kTxSignal, tx);
        QString rx = list.entry(int(random.bounded(list.count())));
        if (random.bounded(3) == 0) { // the same tone, or the same code in either polarity
            rx = tx.startsWith('D') ? tx.chopped(1) + "NI"[random.bounded(2)] : tx;
        }
        table.setCellText(n, Col::kRxSignal, rx);
        for (int c = Col::kBusy; c < Col::kCount; ++c) {
            if (Col::Describe(c).kind != Col::Kind::Choice) {
                continue;
            }
            const bool usual = random.bounded(4) != 0;
            table.setCellText(n, c,
                              usual && c != Col::kPower && c != Col::kScan && c != Col::kBandwidth
                                  ? Col::NewChannelDefault(c)
                                  : Col::Choices(c).at(random.bounded(2)));
        }
    }
    return table;
}

} // namespace

class GenericCsvTest : public QObject {
    Q_OBJECT

private slots:
    // Every channel the layout can carry comes back as it was; what it cannot carry is named in
    // a note and comes back as a new channel has it.
    void randomTablesSurviveTheGenericLayout() {
        QRandomGenerator random(318);
        for (int round = 0; round < 300; ++round) {
            const Band& band = round % 2 == 0 ? kVhf : kUhf;
            const ChannelTable table = RandomTable(random, band);
            QStringList exportNotes;
            const QByteArray file = GenericCsv::Export(table, exportNotes);
            ChannelTable imported;
            const auto result = ChannelCsv::ImportAny(file, imported, band.low, band.high);
            QVERIFY2(
                result.problems.isEmpty(),
                qPrintable(ChannelCsv::DescribeProblems(result.problems).join('\n') + '\n' + file));
            QCOMPARE(result.layout, ChannelCsv::Layout::Generic);
            QVERIFY(result.notes.isEmpty());
            bool lost = false;
            for (int n = 1; n <= 16; ++n) {
                QStringList expected = Row(table, n);
                if (expected[0].isEmpty()) {
                    lost = lost || !expected[1].isEmpty();
                    expected = BlankRow();
                }
                for (int c : {Col::kBusy, Col::kScrambler, Col::kCompander, Col::kEmphasis}) {
                    if (!expected[0].isEmpty() && expected[c - 1] != Col::NewChannelDefault(c)) {
                        lost = true;
                        expected[c - 1] = Col::NewChannelDefault(c);
                    }
                }
                QCOMPARE(Row(imported, n), expected);
            }
            QCOMPARE(!exportNotes.isEmpty(), lost);
            QStringList again;
            QCOMPARE(GenericCsv::Export(imported, again), file);
        }
    }

    // One hand-written row per value of Duplex, Tone and CrossMode and per spelling of Mode,
    // Skip and Power, each with the channel it gives; and the rows this radio cannot hold.
    void handWrittenRows_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("expected"); // channel 1's cells, or the problems' places
        const QString usual = ",否,高,是,宽,否,否,是";
        const QList<std::pair<const char*, QString>> cases = {
            {"1,145.125000,,0.6,,,,,,,,FM,,High", "145.12500,145.12500,关,关" + usual},
            {"1,145.125000,+,0.600000,,,,,,,,,,", "145.12500,145.72500,关,关" + usual},
            {"1,145.725000,-,0.600000,,,,,,,,,,", "145.72500,145.12500,关,关" + usual},
            {"1,145.125000,split,150.006250,,,,,,,,,,", "145.12500,150.00625,关,关" + usual},
            {"1,145.125000,off,0.000000,,,,,,,,,,", "145.12500,,关,关" + usual},
            {"1,145.125,,,Tone,88.5,100.0,,,,,,,", "145.12500,145.12500,关,88.5" + usual},
            {"1,145.125,,,TSQL,88.5,100.0,,,,,,,", "145.12500,145.12500,100.0,100.0" + usual},
            {"1,145.125,,,DTCS,,,023,NR,754,,,,", "145.12500,145.12500,D023I,D023N" + usual},
            {"1,145.125,,,Cross,88.5,100,,,,Tone->Tone,,,",
             "145.12500,145.12500,100.0,88.5" + usual},
            {"1,145.125,,,Cross,,,,NR,411,->DTCS,,,", "145.12500,145.12500,D411I,关" + usual},
            {"1,145.125,,,Cross,254.1,,,NN,23,Tone->DTCS,,,",
             "145.12500,145.12500,D023N,254.1" + usual},
            {"1,145.125,,,Cross,,,023,NN,,DTCS->,,,", "145.12500,145.12500,关,D023N" + usual},
            {"1,145.125,,,Cross,,100.0,023,NN,,DTCS->Tone,,,",
             "145.12500,145.12500,100.0,D023N" + usual},
            {"1,145.125,,,Cross,,100.0,,,,->Tone,,,", "145.12500,145.12500,100.0,关" + usual},
            {"1,145.125,,,Cross,,,023,NR,754,DTCS->DTCS,,,",
             "145.12500,145.12500,D754I,D023N" + usual},
            {"1,145.125,,,tsql,,67.0,,,,,nfm,S,Low",
             "145.12500,145.12500,67.0,67.0,否,低,否,窄,否,否,是"},
            {"1,145.125,,,,,,,,,,,,Mid", "145.12500,145.12500,关,关,否,低,是,宽,否,否,是"},
            {"1,145.125,,,,,,,,,,,,0.5 W", "145.12500,145.12500,关,关,否,低,是,宽,否,否,是"},
            // Refused: the line and the column the file names.
            {"1,145.125,,,,,,,,,,AM,,", "2:12(Mode)"},
            {"1,145.125,,,Tone,69.4,,,,,,,,", "2:6(rToneFreq)"},
            {"1,145.125,,,DTCS,,,024,NN,,,,,", "2:8(DtcsCode)"},
            {"1,145.125,,,Cross,,,,,,Tone->X,,,", "2:11(CrossMode)"},
            {"1,440.000000,,,,,,,,,,,,", "2:2(Frequency)"},
            {"1,173.500000,+,1.000000,,,,,,,,,,", "2:4(Offset)"},
            {"1,145.125,x,,,,,,,,,,,", "2:3(Duplex)"},
            {"1,145.125,,,,,,,,,,,P,lots", "2:13(Skip) 2:14(Power)"},
            {"1,145.125,,,,,,,,,,,,,x", "2:15(标题行之外)"},
            {"1,145.125,,,,,,,,,,,,, ,", "145.12500,145.12500,关,关" + usual},
        };
        for (const auto& [row, expected] : cases) {
            QTest::newRow(row) << QByteArray(row) << expected;
        }
    }

    void handWrittenRows() {
        QFETCH(QByteArray, row);
        QFETCH(QString, expected);
        ChannelTable table;
        const auto result = ImportVhf(kShortHeader + "\n" + row + "\n", table);
        QCOMPARE(result.problems.isEmpty() ? Row(table, 1, true).join(',')
                                           : Places(result.problems).join(' '),
                 expected);
    }

    // Location places rows; names and comments are dropped with one note; a 17th row with a
    // frequency is refused once, unless only the first 16 are asked for; extra columns, a
    // byte-order mark and empty rows do not matter.
    void locationsNotesAndLimits() {
        ChannelTable table;
        table.setCellText(9, Col::kRxFrequency, QStringLiteral("150.00000"));
        auto result = ImportVhf("\xEF\xBB\xBF"
                                "Name,Location,Frequency,Extra,Comment\r\n"
                                "Club,5,146.52,x,\r\n"
                                ",2,146.55,y,calling\r\n"
                                ",3,,,\r\n",
                                table);
        QVERIFY(result.problems.isEmpty());
        QCOMPARE(result.notes.size(), 1);
        QVERIFY(result.notes[0].contains("Name"));
        QCOMPARE(table.cellText(5, Col::kRxFrequency), QStringLiteral("146.52000"));
        QCOMPARE(table.cellText(2, Col::kRxFrequency), QStringLiteral("146.55000"));
        QCOMPARE(table.cellText(9, Col::kRxFrequency), QString()); // the file is the whole table

        // Numbered from 0, as many lists are: taken in file order, with a note.
        result = ImportVhf("Location,Frequency\n0,146.52\n1,146.55\n", table);
        QCOMPARE(result.notes.size(), 1);
        QVERIFY(result.notes[0].contains("\"0\""));
        QCOMPARE(Row(table, 1)[0] + ' ' + Row(table, 2)[0], QStringLiteral("146.52000 146.55000"));

        QByteArray seventeen = "Location,Frequency\n";
        for (int n = 1; n <= 17; ++n) {
            seventeen += QByteArray::number(n) + ",146.52\n";
        }
        result = ImportVhf(seventeen, table);
        QCOMPARE(Places(result.problems), QStringList("18:0()"));
        QVERIFY(result.problems[0].reason.contains("17"));
        result = ChannelCsv::ImportAny(seventeen + "x,146.52,,surplus\n", table, kVhf.low,
                                       kVhf.high, 16);
        QVERIFY(result.problems.isEmpty());
        QCOMPARE(table.cellText(16, Col::kRxFrequency), QStringLiteral("146.52000"));
        QVERIFY(result.notes.last().contains("18"));
        QCOMPARE(ChannelCsv::BandOfFile(seventeen), 0);
        QCOMPARE(ChannelCsv::BandOfFile("Frequency\n440\n"), 1);
        QCOMPARE(ChannelCsv::BandOfFile("Frequency,Duplex,Offset\n146.52,split,440\n"), -1);

        // A problem names the file's own column, or one it does not have.
        result = ImportVhf("Frequency,Duplex\n146.52,+\n", table);
        QCOMPARE(ChannelCsv::Describe(result.problems.value(0)),
                 QStringLiteral("第 2 行：文件没有 Offset 列：\"\"：请输入数字"));

        // Of two columns with one name neither is taken, side by side too.
        result = ImportVhf("Location,Frequency,Mode,frequency\n1,146.52,FM,147\n", table);
        QCOMPARE(Places(result.problems), QStringList("1:4(frequency)"));
        QVERIFY(result.problems[0].reason.contains("\"frequency\""));
        result = ImportVhf("Location,Frequency,Mode,Mode\n1,146.52,FM,NFM\n", table);
        QCOMPARE(Places(result.problems), QStringList("1:4(Mode)"));
    }
};

QTEST_APPLESS_MAIN(GenericCsvTest)
#include "test_generic_csv.moc"
