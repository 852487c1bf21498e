// The channel table's editing rules, without a window.
#include "channel_rows.h"
#include "channel_table_model.h"
#include "ui_language.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Commit = ChannelTableModel::Commit;
using Selector = ChannelTable::Selector;

// The rules over a table of their own: channel 1 defined with receive and transmit frequency,
// channel 2 with receive only, channel 3 empty; band 136-174 MHz.
struct Prepared {
    ChannelTable table;
    ChannelTableModel model{table};

    Prepared() {
        model.select(Selector::Band, 0);
        model.commitFrequency(1, 1, QStringLiteral("145.125"));
        model.commitFrequency(2, 1, QStringLiteral("150"));
        model.commitFrequency(2, 2, QString());
    }
};

} // namespace

class TestChannelTableModel : public QObject {
    Q_OBJECT

private slots:
    void frequencyCommits_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("row"); // afterwards
        QTest::addColumn<bool>("edited");
        const QStringList one = NewRow("145.12500", "145.12500");
        const QStringList two = NewRow("150.00000", "");
        const QStringList empty = BlankRow();
        QTest::newRow("new channel") << 3 << 1 << "146" << NewRow("146.00000", "146.00000") << true;
        QTest::newRow("receive of a defined channel")
            << 1 << 1 << "146" << NewRow("146.00000", "145.12500") << true;
        QTest::newRow("same text again") << 1 << 1 << "145.125" << one << false;
        QTest::newRow("empty receive clears") << 1 << 1 << "" << empty << true;
        QTest::newRow("transmit of a channel without receive") << 3 << 2 << "146" << empty << false;
        QTest::newRow("out of range keeps the cell") << 2 << 2 << "435" << two << false;
        QTest::newRow("off raster keeps the cell") << 1 << 1 << "145.0031" << one << false;
    }
    void frequencyCommits() {
        QFETCH(int, channel);
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QStringList, row);
        QFETCH(bool, edited);
        Prepared p;
        QSignalSpy edits(&p.model, &ChannelTableModel::edited);
        p.model.commitFrequency(channel, col, typed);
        QCOMPARE(Row(p.table, channel), row);
        QCOMPARE(edits.count(), edited ? 1 : 0);
    }

    // Leaving a cell stores a choice in any defined channel; Enter only in a complete one, where
    // an incomplete channel's cell is emptied, except the three exclusive options, left alone.
    void choiceCommits_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("stored");
        for (const int how : {int(Commit::LeavingCell), int(Commit::EnterKey)}) {
            const bool enter = how == int(Commit::EnterKey);
            const char* by = enter ? "Enter" : "leaving";
            QTest::addRow("signal, complete, %s", by) << 1 << 3 << how << "D023N";
            QTest::addRow("signal, no transmit, %s", by) << 2 << 3 << how << (enter ? "" : "D023N");
            QTest::addRow("power, no transmit, %s", by) << 2 << 6 << how << (enter ? "" : "低");
            QTest::addRow("compander, no transmit, %s", by)
                << 2 << 10 << how << (enter ? "否" : "是");
        }
    }
    void choiceCommits() {
        QFETCH(int, channel);
        QFETCH(int, col);
        QFETCH(int, how);
        QFETCH(QString, stored);
        Prepared p;
        const QString typed = col == 3 ? "D023N" : col == 6 ? "低" : "是";
        p.model.commitChoice(channel, col, typed, Commit(how));
        QCOMPARE(p.table.cellText(channel, col), stored);
    }

    void exclusiveOptions() {
        Prepared p;
        p.model.commitChoice(1, 9, "是", Commit::LeavingCell);
        QCOMPARE(Row(p.table, 1).mid(8, 3), QStringList({"是", "否", "否"}));
        p.model.commitChoice(1, 11, "是", Commit::EnterKey);
        QCOMPARE(Row(p.table, 1).mid(8, 3), QStringList({"否", "否", "是"}));
    }

    // An English run shows the list values in English and takes them typed in either language;
    // the table keeps the Chinese texts that files and the codec read.
    void englishValues() {
        Prepared p;
        ChannelTableModel& model = p.model;
        const QModelIndex power = model.cellIndex(1, 6);
        UiLanguage::SetCurrent(UiLanguage::Language::English);
        QCOMPARE(power.data(Qt::DisplayRole).toString(), QStringLiteral("High"));
        QCOMPARE(model.cellIndex(1, 3).data().toString(), QStringLiteral("Off"));
        QCOMPARE(model.cellIndex(1, 1).data().toString(), QStringLiteral("145.12500"));
        model.commitChoice(1, 6, QStringLiteral("low"), Commit::LeavingCell);
        model.commitChoice(1, 4, QStringLiteral("D023N"), Commit::LeavingCell);
        QVERIFY(model.commitChoice(1, 4, QStringLiteral("OFF"), Commit::LeavingCell));
        UiLanguage::SetCurrent(UiLanguage::Language::Chinese);
        QCOMPARE(power.data(Qt::EditRole).toString(), QStringLiteral("低"));
        QCOMPARE(power.data(Qt::DisplayRole).toString(), QStringLiteral("低"));
        QCOMPARE(model.cellText(1, 4), QStringLiteral("关"));
    }

    // A table taken whole (a file, a read, an undo) is no edit; the views hear of what changed.
    void assignedTableIsNoEdit() {
        Prepared p;
        QSignalSpy edits(&p.model, &ChannelTableModel::edited);
        QSignalSpy selections(&p.model, &ChannelTableModel::selectionChanged);
        QSignalSpy cells(&p.model, &ChannelTableModel::dataChanged);
        ChannelTable other = p.table;
        other.setCellText(3, 1, QStringLiteral("145.10000"));
        other.select(Selector::Model, 0);
        p.model.assign(other);
        QVERIFY(edits.isEmpty());
        QCOMPARE(selections.count(), 1);
        QCOMPARE(cells.count(), 1);
        QCOMPARE(cells.first().first().toModelIndex(), p.model.cellIndex(3, 1));
        QVERIFY(p.table == other);
    }
};

QTEST_GUILESS_MAIN(TestChannelTableModel)
#include "test_channel_table_model.moc"
