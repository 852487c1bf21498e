// Edits of whole channels and the undo history, without a window.
#include "channel_csv.h"
#include "channel_edits.h"
#include "channel_rows.h"
#include "channel_table_model.h"
#include "document_history.h"
#include "settings_codec.h"

#include <QTest>

namespace {

using Selector = ChannelTable::Selector;
namespace CE = ChannelEdits;
namespace Col = ChannelColumns;

// A tab-separated line as a spreadsheet copies it: the channel number, then its cells.
QString TabLine(int channel, const QStringList& cells) {
    return QString::number(channel) + '\t' + cells.join('\t');
}

// An empty channel with these cells (column, text) set.
QStringList Cells(std::initializer_list<std::pair<int, QString>> set) {
    QStringList cells = BlankRow();
    for (const auto& [column, text] : set) {
        cells[column - 1] = text;
    }
    return cells;
}

// A table drawn as 16 characters, one per channel: a letter is a channel whose receive and
// transmit frequency are 400 MHz plus the letter's place in the alphabet, 't' a record that holds
// only a transmit frequency, '.' an empty channel. Band 400-480 MHz.
void Draw(ChannelTable& table, const QString& picture) {
    table.select(Selector::Band, 1);
    for (int channel = 1; channel <= 16; ++channel) {
        const QChar c = channel <= picture.size() ? picture.at(channel - 1) : QLatin1Char('.');
        QStringList cells = BlankRow();
        if (c == QLatin1Char('t')) {
            cells[1] = QStringLiteral("470.00000");
        } else if (c.isUpper()) {
            const QString frequency = QStringLiteral("%1.00000").arg(400 + (c.unicode() - 'A'));
            cells = NewRow(frequency, frequency);
        }
        CE::SetChannelCells(table, channel, cells);
    }
}

QString Picture(const ChannelTable& table) {
    QString picture;
    for (int channel = 1; channel <= 16; ++channel) {
        const QString rx = table.cellText(channel, 1);
        picture += CE::IsBlank(table, channel) ? QLatin1Char('.')
                   : rx.isEmpty()              ? QLatin1Char('t')
                                               : QChar(char16_t('A' + int(rx.toDouble()) - 400));
    }
    return picture;
}

QString Fill(const QString& picture) {
    return picture.leftJustified(16, QLatin1Char('.'));
}

} // namespace

class TestChannelEdits : public QObject {
    Q_OBJECT

private slots:
    void rowCommands_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("target"); // where a move asks the block to start
        QTest::addColumn<QString>("after");
        QTest::newRow("clear two") << "ABCD"
                                   << "clear" << 2 << 2 << 0 << "A..D";
        QTest::newRow("insert one") << "ABC"
                                    << "insert" << 2 << 1 << 0 << "A.BC";
        QTest::newRow("insert fills the first empty channel below")
            << "AB.CDEFGHIJKLMNt"
            << "insert" << 1 << 1 << 0 << ".ABCDEFGHIJKLMNt";
        // Nothing may be pushed off the end, not even a record with a transmit frequency alone.
        QTest::newRow("insert refused, no empty channel below")
            << ".BCDEFGHIJKLMNOt"
            << "insert" << 2 << 1 << 0 << ".BCDEFGHIJKLMNOt";
        QTest::newRow("delete two") << "ABCDE"
                                    << "delete" << 2 << 2 << 0 << "ADE";
        QTest::newRow("move a block up") << "ABCD"
                                         << "move" << 2 << 2 << 1 << "BCAD";
        QTest::newRow("move down past blanks") << "AB.C"
                                               << "move" << 1 << 1 << 3 << "B.AC";
        QTest::newRow("move stops at the end") << "AB"
                                               << "move" << 1 << 2 << 16 << "..............AB";
    }
    void rowCommands() {
        QFETCH(QString, before);
        QFETCH(QString, command);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, target);
        QFETCH(QString, after);
        ChannelTable table;
        Draw(table, before);
        if (command == "clear") {
            CE::ClearChannels(table, first, count);
        } else if (command == "insert") {
            QCOMPARE(CE::InsertEmptyChannels(table, first, count),
                     Fill(before) != Fill(after) || first == 16);
        } else if (command == "delete") {
            CE::DeleteChannels(table, first, count);
        } else {
            QCOMPARE(CE::MoveChannels(table, first, count, target), qBound(1, target, 17 - count));
        }
        QCOMPARE(Picture(table), Fill(after));
    }

    void paste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<QStringList>>("channels");
        QTest::addColumn<QStringList>("problems");
        const QStringList cells = NewRow(
            "435.00000", "435.02500",
            {{3, "67.0"}, {4, "D023N"}, {6, "低"}, {7, "否"}, {8, "窄"}, {10, "是"}, {11, "否"}});
        const QString row = TabLine(9, cells);
        QTest::newRow("tab-separated, number ignored")
            << row << 3 << QList<QStringList>{cells} << QStringList();
        QTest::newRow("every problem, by channel and column")
            << TabLine(1, Cells({{1, "145"}})) + '\n' +
                   TabLine(2, Cells({{1, "440.003"}, {9, "是"}, {10, "是"}})) + '\n'
            << 4 << QList<QStringList>()
            << QStringList({"信道 4，接收频率：\"145\"：超出范围",
                            "信道 5，接收频率：\"440.003\"：请输入5k/6.25k的倍数",
                            "信道 5，压扩：\"扰频\" 和 \"压扩\" 都是 \"是\"；\"扰频\" / \"压扩\" / "
                            "\"加重\" 中只能有一个是 \"是\""});
        // A spreadsheet gives back the header row when it was copied along, padded or not.
        QTest::newRow("spreadsheet header row, then channels")
            << Col::Headers().join('\t') + "\r\n" + row + "\r\n"
            << 3 << QList<QStringList>{cells} << QStringList();
        QTest::newRow("header row without the number column")
            << " " + Col::Headers().mid(1).join('\t') + " \n" + row.section('\t', 1) << 3
            << QList<QStringList>{cells} << QStringList();
        QTest::newRow("more than fit below")
            << "1\t440\n2\t440\n3\t440\n"
            << 15 << QList<QStringList>()
            << QStringList({"剪贴板中有 3 个信道，从信道 15 起只能放下 2 个"});
    }
    void paste() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(QList<QStringList>, channels);
        QFETCH(QStringList, problems);
        const CE::Paste paste = CE::PreparePaste(text, first, BandLimits{40000000, 48000000});
        QCOMPARE(paste.problems, problems);
        QCOMPARE(paste.channels, channels);
    }

    // A block narrower than a channel lands from its start cell down and to the right, the cells
    // beside it kept, and the channels it touches are checked whole.
    void cellPaste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<QStringList>>("channels");
        QTest::addColumn<QStringList>("problems");
        const auto channel = [](const char* rx, const char* tx) { return NewRow(rx, tx); };
        QTest::newRow("both frequencies of channels 2 and 3")
            << "440\t441\n442.5\t443\n"
            << 2 << 1
            << QList<QStringList>{channel("440.00000", "441.00000"),
                                  channel("442.50000", "443.00000")}
            << QStringList();
        QTest::newRow("receive into an empty channel sends there too")
            << "450" << 5 << 1 << QList<QStringList>{channel("450.00000", "450.00000")}
            << QStringList();
        QTest::newRow("options in English")
            << "yes\tLow" << 1 << 5
            << QList<QStringList>{NewRow("400.00000", "400.00000", {{5, "是"}, {6, "低"}})}
            << QStringList();
        QTest::newRow("band checked") << "145" << 1 << 2 << QList<QStringList>()
                                      << QStringList({"信道 1，发射频率：\"145\"：超出范围"});
        QTest::newRow("wider than the columns left")
            << "否\t否\t是" << 1 << Col::kCount - 2 << QList<QStringList>()
            << QStringList({QStringLiteral("剪贴板中有 3 列，从“%1”起只能放下 2 列")
                                .arg(Col::ShownHeader(Col::kCount - 2))});
    }
    void cellPaste() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(int, column);
        QFETCH(QList<QStringList>, channels);
        QFETCH(QStringList, problems);
        ChannelTable table;
        Draw(table, "ABCD");
        const CE::Paste paste = CE::PrepareCellPaste(text, table, first, column);
        QCOMPARE(paste.problems, problems);
        QCOMPARE(paste.channels, channels);
    }

    // A band change clears the channels the new band cannot hold, and only those (one off the
    // raster is no band's business); undo brings band and channels back in one step.
    void bandChangeClearsWhatLeavesIt() {
        ChannelTable table;
        ChannelTableModel model(table);
        MemoryImage image;
        Draw(table, "AB.t");
        CE::SetChannelCells(table, 3, NewRow("145.00000", "145.00000"));
        CE::SetChannelCells(table, 5, NewRow("150.00100", ""));
        DocumentHistory history(image, model);
        const CE::Snapshot before = {image, table};
        QCOMPARE(CE::ChannelsOutsideBand(table, 1), QList<int>({3, 5}));
        QCOMPARE(CE::ChannelsOutsideBand(table, 0), QList<int>({1, 2, 4}));
        QCOMPARE(CE::ChangeBand(table, 0), QList<int>({1, 2, 4}));
        history.record(QStringLiteral("band"));
        QCOMPARE(table.selected(Selector::Band), 0);
        for (int channel = 1; channel <= 5; ++channel) {
            QCOMPARE(CE::IsBlank(table, channel), channel != 3 && channel != 5);
        }
        history.stack()->undo();
        QVERIFY((CE::Snapshot{image, table}) == before);
    }

    // What is copied pastes back as it was, through either clipboard form, also for records a
    // decoded image can hold that typing cannot (a transmit frequency alone).
    void copyPastesBack() {
        ChannelTable table;
        Draw(table, "AtB");
        table.setCellText(3, 3, QStringLiteral("D754I"));
        table.setCellText(3, 9, QStringLiteral("是"));
        table.setCellText(3, 11, QStringLiteral("否"));
        for (bool csv : {false, true}) {
            const QString text =
                csv ? QString::fromUtf8(CE::CopyCsv(table, 1, 3)) : CE::CopyText(table, 1, 3);
            const CE::Paste paste = CE::PreparePaste(text, 10, SelectedBandLimits(table));
            QVERIFY2(paste.problems.isEmpty(), qPrintable(paste.problems.join('\n')));
            QCOMPARE(paste.channels,
                     QList<QStringList>({CE::ChannelCells(table, 1), CE::ChannelCells(table, 2),
                                         CE::ChannelCells(table, 3)}));
        }
    }

    // A file with any problem leaves the table as it was, although the importer fills its own
    // table as it goes; a good file replaces every channel and keeps the band.
    void importChangesAllOrNothing() {
        ChannelTable table;
        Draw(table, "ABC");
        const QByteArray header = ChannelCsv::Export(ChannelTable()).split('\r').first();
        const QByteArray blanks(Col::kCount - 2, ','); // after the receive frequency
        const QByteArray good = header + "\r\n2,410" + blanks + "\r\n";
        QStringList problems = CE::ImportCsv(good + "3,145" + blanks + "\r\n", table).problems;
        QCOMPARE(problems,
                 QStringList({"第 3 行，第 2 列（接收频率）：\"145\"：超出范围",
                              "信道表的频段是 400 - 480MHz，文件中有它之外的频率；要换频段，"
                              "请在“设置”中选择"}));
        QCOMPARE(Picture(table), Fill("ABC"));
        const QByteArray list = "Frequency\n" + QByteArray("440\n").repeated(17);
        QVERIFY(CE::ImportCsv(list, table).tooManyRows);
        QCOMPARE(Picture(table), Fill("ABC"));
        QVERIFY(CE::ImportCsv(list, table, 16).problems.isEmpty());
        QVERIFY(CE::ImportCsv(good, table).problems.isEmpty());
        QCOMPARE(Picture(table), Fill(".K"));
        QCOMPARE(CE::ChannelCells(table, 2), NewRow("410.00000", ""));
        QCOMPARE(table.selected(Selector::Band), 1);
    }

    // Each step brings back exactly the document before it, the options in the image included,
    // undoing and redoing any number of times; the clean state is where the document was saved.
    void historyRestoresExactly() {
        ChannelTable table;
        ChannelTableModel model(table);
        MemoryImage image;
        Draw(table, "AB");
        DocumentHistory history(image, model);
        const auto changes = QList<std::function<void()>>{
            [&] { model.commitFrequency(3, 1, QStringLiteral("433.5")); },
            [&] { image.WriteByte(0x3C0, 7); },
            [&] { CE::MoveChannels(table, 1, 2, 5); },
            [&] { model.select(Selector::Model, 0); },
        };
        const auto capture = [&] { return CE::Snapshot{image, table}; };
        QList<CE::Snapshot> states = {capture()};
        for (const auto& change : changes) {
            change();
            history.record(QStringLiteral("step"));
            history.record(QStringLiteral("nothing more")); // no change, no step
            states << capture();
            if (states.size() == 3) {
                history.markSaved();
            }
        }
        QUndoStack* stack = history.stack();
        QCOMPARE(stack->count(), changes.size());
        for (int round = 0; round < 2; ++round) {
            for (int i = int(changes.size()) - 1; i >= 0; --i) {
                stack->undo();
                QVERIFY(capture() == states.at(i));
                QCOMPARE(stack->isClean(), i == 2);
            }
            for (int i = 1; i <= changes.size(); ++i) {
                stack->redo();
                QVERIFY(capture() == states.at(i));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestChannelEdits)
#include "test_channel_edits.moc"
