#include "band_limits.h"
#include "channel_codec.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QHeaderView>

class TestChannelGrid : public QObject {
    Q_OBJECT

    WindowFixture f;

    // Every notification with the current cell at the moment it came.
    QStringList notifications;
    void record() {
        notifications.clear();
        auto note = [this](const char* name) {
            notifications.append(QStringLiteral("%1 %2,%3")
                                     .arg(QLatin1String(name))
                                     .arg(f.grid()->GetRow())
                                     .arg(f.grid()->GetCol()));
        };
        QObject::connect(f.grid(), &CMSFlexGrid::LeaveCell, f.view(), [=] { note("leave"); });
        QObject::connect(f.grid(), &CMSFlexGrid::EnterCell, f.view(), [=] { note("enter"); });
        QObject::connect(f.grid(), &CMSFlexGrid::MouseDown, f.view(), [=] { note("mouse"); });
        QObject::connect(f.grid(), &CMSFlexGrid::KeyPress, f.view(), [=] { note("key"); });
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void newDocumentShowsSixteenEmptyChannels() {
        QCOMPARE(QSize(f.grid()->GetCols(), f.grid()->GetRows()), QSize(12, 17));
        const QStringList shown = {f.cell(0, 0),
                                   f.cell(0, 1),
                                   f.cell(0, 11),
                                   f.cell(1, 0),
                                   f.cell(16, 0),
                                   f.modelSelector()->currentText(),
                                   f.bandSelector()->currentText()};
        QCOMPARE(shown,
                 QStringList({"信道", "接收频率", "加重", " 1", "16", "QTR-318", "136 - 174MHz"}));
        QCOMPARE(f.tableTexts(f.table()), QStringList(QVector<QString>(16 * 11)));
        QVERIFY(f.table().bandLimits() == (BandLimits{13600000, 17400000}));
    }

    void columnsKeepTheirProportionsAndFitTheGrid() {
        const double w = double(f.grid()->GetColWidth(0)) / 0.4;
        QVERIFY(qAbs(f.grid()->GetColWidth(1) - 1.2 * w) <= 30); // two pixels of rounding
        QCOMPARE(f.grid()->GetColWidth(2), f.grid()->GetColWidth(1));
        for (int col = 3; col < 12; ++col) {
            QVERIFY(qAbs(f.grid()->GetColWidth(col) - w) <= 30);
        }
        QVERIFY(f.grid()->horizontalHeader()->length() <= f.grid()->viewport()->width());
        QVERIFY(f.grid()->verticalHeader()->length() <= f.grid()->viewport()->height());
        QCOMPARE(f.grid()->model()->index(0, 5).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
    }

    void leaveComesBeforeAndEnterAfterEveryMove() {
        record();
        f.grid()->SetCol(4);
        f.click(3, 2);
        f.grid()->setFocus();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Left}) {
            QTest::keyClick(f.grid(), key);
        }
        QVERIFY(!f.editorOpen());                                      // navigation opens no editor
        QCOMPARE(notifications, QStringList({"leave 1,1", "enter 1,4", // program
                                             "leave 1,4", "enter 3,2", "mouse 3,2", // mouse
                                             "leave 3,2", "enter 4,2",              // arrow
                                             "leave 4,2", "enter 4,3",              // tab
                                             "leave 4,3", "enter 4,2"}));
    }

    void commitsMoveTheCellOnlyWhereTheyShould() {
        record();
        f.moveTo(1, 1);
        f.type("145");
        f.press(Qt::Key_Return);
        QCOMPARE(notifications, QStringList({"key 1,1", "leave 1,1", "enter 1,2"}));
        notifications.clear();
        f.grid()->SetCol(6);
        QTest::keyClick(f.grid(), Qt::Key_Return);
        f.press(Qt::Key_Return); // commit closes the list
        QTest::keyClick(f.grid(), Qt::Key_Return);
        f.press(Qt::Key_Escape);
        QCOMPARE(notifications, QStringList({"leave 1,2", "enter 1,6", "key 1,6", "key 1,6"}));
        QCOMPARE(QApplication::focusWidget(), f.grid());
    }

    void fixedCellsNeverBecomeCurrent() {
        record();
        f.click(5, 0);
        f.grid()->SetCol(0);
        QCOMPARE(f.current(), QPoint(1, 1));
        QVERIFY(notifications.isEmpty());
        f.moveTo(16, 11);
        QTest::keyClick(f.grid(), Qt::Key_Tab); // wraps to the first channel
        QCOMPARE(f.current(), QPoint(1, 1));
    }

    void modelIsTheCodecsTable() {
        f.typeChannel(1, "145.125");
        f.typeChannel(16, "136.00625");
        f.view()->EncodeChannels();
        QCOMPARE(f.image().ReadByte(0x013), 0x14);
        QCOMPARE(f.image().ReadByte(0x100), 0x25);
        InMemoryChannelTable copy;
        ::DecodeChannels(f.image(), copy);
        QCOMPARE(f.tableTexts(copy), f.tableTexts(f.table()));
    }

    void initialUpdateHidesEditorsAndShowsTheImage() {
        f.moveTo(2, 1);
        f.type("14");
        InMemoryChannelTable table;
        ::DecodeChannels(f.image(), table);
        table.setCellText(3, 1, QStringLiteral("440.00000"));
        table.setCellText(3, 2, QStringLiteral("445.00000"));
        table.select(ChannelTable::Selector::Band, 1);
        ::EncodeChannels(table, f.image());
        f.doc()->SetModifiedFlag(false);
        f.view()->OnInitialUpdate();
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.cell(2, 1), QString());
        QCOMPARE(f.cell(3, 1), QStringLiteral("440.00000"));
        QCOMPARE(f.bandSelector()->currentIndex(), 1);
        QCOMPARE(f.table().bandLimits().high, 48000000u);
        QVERIFY(!f.doc()->IsModified()); // decoding is not an edit
    }
};

QTEST_MAIN(TestChannelGrid)
#include "test_channel_grid.moc"
