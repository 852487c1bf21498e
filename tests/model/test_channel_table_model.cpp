// The channel table's editing rules, without a window.
#include "channel_rows.h"
#include "channel_table_model.h"
#include "new_document.h"
#include "ui_language.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Commit = ChannelTableModel::Commit;
using Selector = ChannelTable::Selector;

const QStringList kNewChannelTail = {"关", "关", "否", "高", "是", "宽", "否", "否", "是"};

// Channel 1 defined with receive and transmit frequency, channel 2 with receive only, channel 3
// empty; band 136-174 MHz.
void Prepare(ChannelTableModel& model) {
    model.select(Selector::Band, 0);
    model.commitFrequency(1, 1, QStringLiteral("145.125"));
    model.commitFrequency(2, 1, QStringLiteral("150"));
    model.commitFrequency(2, 2, QString());
}

} // namespace

class TestChannelTableModel : public QObject {
    Q_OBJECT

private slots:
    void frequencyCommits_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("row"); // columns 1 to 11 afterwards
        QTest::addColumn<bool>("edited");
        const QStringList one = QStringList({"145.12500", "145.12500"}) + kNewChannelTail;
        const QStringList two = QStringList({"150.00000", ""}) + kNewChannelTail;
        const QStringList empty(11);
        QTest::newRow("new channel")
            << 3 << 1 << "146" << QStringList({"146.00000", "146.00000"}) + kNewChannelTail << true;
        QTest::newRow("receive of a defined channel")
            << 1 << 1 << "146" << QStringList({"146.00000", "145.12500"}) + kNewChannelTail << true;
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
        ChannelTableModel model;
        Prepare(model);
        QSignalSpy edits(&model, &ChannelTableModel::edited);
        model.commitFrequency(channel, col, typed);
        QCOMPARE(Row(model, channel), row);
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
        ChannelTableModel model;
        Prepare(model);
        const QString typed = col == 3 ? "D023N" : col == 6 ? "低" : "是";
        model.commitChoice(channel, col, typed, Commit(how));
        QCOMPARE(model.cellText(channel, col), stored);
    }

    void exclusiveOptions() {
        ChannelTableModel model;
        Prepare(model);
        model.commitChoice(1, 9, "是", Commit::LeavingCell);
        QCOMPARE(Row(model, 1).mid(8), QStringList({"是", "否", "否"}));
        model.commitChoice(1, 11, "是", Commit::EnterKey);
        QCOMPARE(Row(model, 1).mid(8), QStringList({"否", "否", "是"}));
    }

    // An English run shows the list values in English and takes them typed in either language;
    // the table keeps the Chinese texts that files and the codec read.
    void englishValues() {
        ChannelTableModel model;
        Prepare(model);
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

    void decodingIsNoEdit() {
        ChannelTableModel model;
        QSignalSpy edits(&model, &ChannelTableModel::edited);
        QSignalSpy selections(&model, &ChannelTableModel::selectionChanged);
        MemoryImage image = NewDocumentImage();
        for (const auto& [address, value] :
             {std::pair{0x010, 0x00}, {0x011, 0x00}, {0x012, 0x51}, {0x013, 0x14}}) {
            image.WriteByte(address, std::uint8_t(value)); // channel 1 receives 145.1 MHz
        }
        model.decode(image);
        QVERIFY(edits.isEmpty());
        QCOMPARE(selections.count(), 2);
        QCOMPARE(model.cellText(1, 1), QStringLiteral("145.10000"));
    }
};

QTEST_GUILESS_MAIN(TestChannelTableModel)
#include "test_channel_table_model.moc"
