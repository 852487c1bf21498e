#include "channel_codec.h"
#include "image_map.h"
#include "scripted_messenger.h"
#include "view_fixture.h"

#include <QHeaderView>

class TestChannelGrid : public QObject {
    Q_OBJECT

    ViewFixture f;
    std::unique_ptr<ScriptedMessenger> messenger;

    // Every notification with the current cell at the moment it came.
    QStringList notifications;
    void record() {
        auto note = [this](const char* name) {
            notifications.append(QStringLiteral("%1 %2,%3")
                                     .arg(QLatin1String(name))
                                     .arg(f.grid()->GetRow())
                                     .arg(f.grid()->GetCol()));
        };
        QObject::connect(f.grid(), &CMSFlexGrid::LeaveCell, f.view.get(), [=] { note("leave"); });
        QObject::connect(f.grid(), &CMSFlexGrid::EnterCell, f.view.get(), [=] { note("enter"); });
        QObject::connect(f.grid(), &CMSFlexGrid::MouseDown, f.view.get(), [=] { note("mouse"); });
        QObject::connect(f.grid(), &CMSFlexGrid::KeyPress, f.view.get(), [=] { note("key"); });
    }

private slots:
    void init() {
        messenger = std::make_unique<ScriptedMessenger>();
        QVERIFY(f.setUp());
        notifications.clear();
    }
    void cleanup() {
        f.view.reset();
        messenger.reset();
    }

    void newDocumentShowsSixteenEmptyChannels() {
        QCOMPARE(f.grid()->GetRows(), 17);
        QCOMPARE(f.grid()->GetCols(), 12);
        QCOMPARE(f.cell(0, 0), QStringLiteral("信道"));
        QCOMPARE(f.cell(0, 1), QStringLiteral("接收频率"));
        QCOMPARE(f.cell(0, 11), QStringLiteral("加重"));
        QCOMPARE(f.cell(1, 0), QStringLiteral(" 1"));
        QCOMPARE(f.cell(16, 0), QStringLiteral("16"));
        for (int row = 1; row <= 16; ++row) {
            QCOMPARE(f.row(row), QStringList(QVector<QString>(11)));
        }
        QCOMPARE(f.view->m_comboModel->currentText(), QStringLiteral("QTR-318"));
        QCOMPARE(f.view->m_comboBand->currentText(), QStringLiteral("136 - 174MHz"));
        QCOMPARE(f.view->m_comboBand->count(), 2);
        QCOMPARE(g_bandLow, 13600000u);
        QCOMPARE(g_bandHigh, 17400000u);
    }

    void columnsKeepTheirProportionsAndFitTheGrid() {
        const double w = double(f.grid()->GetColWidth(0)) / 0.4;
        QVERIFY(qAbs(f.grid()->GetColWidth(1) - 1.2 * w) <= 30); // two pixels of rounding
        QCOMPARE(f.grid()->GetColWidth(2), f.grid()->GetColWidth(1));
        for (int col = 3; col < 12; ++col) {
            QVERIFY(qAbs(f.grid()->GetColWidth(col) - w) <= 30);
        }
        const QHeaderView* header = f.grid()->horizontalHeader();
        QVERIFY(header->length() <= f.grid()->viewport()->width());
        QVERIFY(f.grid()->verticalHeader()->length() <= f.grid()->viewport()->height());
        QCOMPARE(f.grid()->item(0, 5)->textAlignment(), int(Qt::AlignCenter));
    }

    void leaveComesBeforeAndEnterAfterEveryMove() {
        record();
        f.grid()->SetCol(4);
        f.click(3, 2);
        f.grid()->setFocus();
        QTest::keyClick(f.grid(), Qt::Key_Down);
        QTest::keyClick(f.grid(), Qt::Key_Tab);
        QTest::keyClick(f.grid(), Qt::Key_Left);
        QCOMPARE(notifications, QStringList({"leave 1,1", "enter 1,4",              // program
                                             "leave 1,4", "enter 3,2", "mouse 3,2", // mouse
                                             "leave 3,2", "enter 4,2",              // arrow
                                             "leave 4,2", "enter 4,3",              // tab
                                             "leave 4,3", "enter 4,2"}));
    }

    void commitsMoveTheCellOnlyWhereTheyShould() {
        record();
        f.grid()->setFocus();
        QTest::keyClick(f.grid(), '1');
        QTest::keyClick(QApplication::focusWidget(), '4');
        QTest::keyClick(QApplication::focusWidget(), '5');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(notifications, QStringList({"key 1,1", "leave 1,1", "enter 1,2"}));

        notifications.clear();
        f.grid()->SetCol(6);
        QTest::keyClick(f.grid(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // commit closes the list
        QTest::keyClick(f.grid(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(notifications, QStringList({"leave 1,2", "enter 1,6", "key 1,6", "key 1,6"}));
        QCOMPARE(QApplication::focusWidget(), f.grid());
    }

    void fixedCellsNeverBecomeCurrent() {
        record();
        f.click(5, 0);
        f.grid()->SetCol(0);
        QCOMPARE(f.grid()->GetCol(), 1);
        QCOMPARE(f.grid()->GetRow(), 1);
        QVERIFY(notifications.isEmpty());
        f.moveTo(16, 11);
        QTest::keyClick(f.grid(), Qt::Key_Tab); // wraps to the first channel
        QCOMPARE(f.grid()->GetRow(), 1);
        QCOMPARE(f.grid()->GetCol(), 1);
    }

    void keysOpenEditorsButNavigationDoesNot() {
        record();
        f.grid()->setFocus();
        QTest::keyClick(f.grid(), Qt::Key_Right);
        QVERIFY(!f.editorOpen());
        QTest::keyClick(f.grid(), Qt::Key_Return);
        QVERIFY(f.editorOpen());
        QCOMPARE(notifications.last(), QStringLiteral("key 1,2"));
    }

    void viewIsTheCodecsTable() {
        MemoryImage& image = TheImage();
        f.typeChannel(1, "145.125");
        f.typeChannel(16, "136.00625");
        f.view->m_comboBand->setCurrentIndex(0);
        f.view->EncodeChannels();
        QCOMPARE(image.ReadByte(0x010), 0x00);
        QCOMPARE(image.ReadByte(0x013), 0x14);
        QCOMPARE(image.ReadByte(0x100), 0x25);

        InMemoryChannelTable copy;
        ::DecodeChannels(image, copy);
        for (int row = 1; row <= 16; ++row) {
            for (int col = 1; col <= 11; ++col) {
                QCOMPARE(copy.cellText(row, col), f.cell(row, col));
            }
        }
    }

    void initialUpdateHidesEditorsAndShowsTheImage() {
        f.moveTo(2, 1);
        f.type("14");
        QVERIFY(f.editorOpen());
        InMemoryChannelTable table;
        ::DecodeChannels(TheImage(), table);
        table.setCellText(3, 1, QStringLiteral("440.00000"));
        table.setCellText(3, 2, QStringLiteral("445.00000"));
        table.select(ChannelTable::Selector::Band, 1);
        ::EncodeChannels(table, TheImage());

        f.view->OnInitialUpdate();
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.cell(2, 1), QString());
        QCOMPARE(f.cell(3, 1), QStringLiteral("440.00000"));
        QCOMPARE(f.view->m_comboBand->currentIndex(), 1);
        QCOMPARE(g_bandHigh, 48000000u);
        QCOMPARE(f.modifiedCount, 0); // decoding is not an edit
    }
};

QTEST_MAIN(TestChannelGrid)
#include "test_channel_grid.moc"
