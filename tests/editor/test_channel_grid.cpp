#include "band_limits.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QHeaderView>

class TestChannelGrid : public QObject {
    Q_OBJECT

    WindowFixture f;

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void newDocumentShowsSixteenEmptyChannels() {
        const QAbstractItemModel* model = f.grid()->model();
        QCOMPARE(QSize(model->columnCount(), model->rowCount()), QSize(12, 16));
        const QStringList shown = {model->headerData(0, Qt::Horizontal).toString(),
                                   model->headerData(1, Qt::Horizontal).toString(),
                                   model->headerData(11, Qt::Horizontal).toString(),
                                   f.index(1, 0).data().toString(),
                                   f.index(16, 0).data().toString(),
                                   f.modelSelector()->currentText(),
                                   f.bandSelector()->currentText()};
        QCOMPARE(shown,
                 QStringList({"信道", "接收频率", "加重", " 1", "16", "QTR-318", "136 - 174MHz"}));
        QCOMPARE(f.tableTexts(f.table()), QStringList(QVector<QString>(16 * 11)));
        QVERIFY(f.table().bandLimits() == (BandLimits{13600000, 17400000}));
    }

    void columnsKeepTheirProportionsAndFitTheGrid() {
        const CMSFlexGrid* grid = f.grid();
        const double w = grid->columnWidth(0) / 0.4;
        QVERIFY(qAbs(grid->columnWidth(1) - 1.2 * w) <= 2); // two pixels of rounding
        QVERIFY(qAbs(grid->columnWidth(2) - grid->columnWidth(1)) <= 1);
        for (int col = 3; col < 12; ++col) {
            QVERIFY(qAbs(grid->columnWidth(col) - w) <= 2);
        }
        QVERIFY(grid->horizontalHeader()->length() <= grid->viewport()->width());
        QVERIFY(grid->verticalHeader()->length() <= grid->viewport()->height());
        QCOMPARE(f.index(1, 5).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    }

    // Keys walk the settings and only the settings; moving opens no editor and closes the one
    // that a click opened. The channel numbers never become current.
    void navigationSkipsTheChannelNumbers() {
        f.click(3, 2);
        QVERIFY(f.editorOpen());
        const QList<QPair<Qt::Key, QPoint>> steps = {
            {Qt::Key_Down, {4, 2}},     {Qt::Key_Tab, {4, 3}},       {Qt::Key_Left, {4, 2}},
            {Qt::Key_Home, {4, 1}},     {Qt::Key_Left, {4, 1}},      {Qt::Key_End, {4, 11}},
            {Qt::Key_Tab, {5, 1}},      {Qt::Key_Backtab, {4, 11}},  {Qt::Key_PageUp, {1, 11}},
            {Qt::Key_Tab, {2, 1}},      {Qt::Key_PageDown, {16, 1}}, {Qt::Key_Backtab, {15, 11}},
            {Qt::Key_End, {15, 11}},    {Qt::Key_Down, {16, 11}},    {Qt::Key_Tab, {1, 1}},
            {Qt::Key_Backtab, {16, 11}}};
        for (const auto& [key, cell] : steps) {
            QTest::keyClick(f.grid(), key);
            QCOMPARE(f.current(), cell);
            QVERIFY(!f.editorOpen());
        }
        f.click(5, 0);
        f.grid()->setCurrentIndex(f.index(7, 0));
        QCOMPARE(f.current(), QPoint(16, 11));
        QVERIFY(!f.editorOpen());
        QCOMPARE(QApplication::focusWidget(), f.grid());
    }

    void modelIsTheCodecsTable() {
        f.typeChannel(1, "145.125");
        f.typeChannel(16, "136.00625");
        f.view()->encodeChannels();
        QCOMPARE(f.image().ReadByte(0x013), 0x14);
        QCOMPARE(f.image().ReadByte(0x100), 0x25);
        QCOMPARE(f.tableTexts(f.decoded(f.image())), f.tableTexts(f.table()));
    }

    void initialUpdateHidesEditorsAndShowsTheImage() {
        f.moveTo(2, 1);
        f.type("14");
        InMemoryChannelTable table = f.decoded(f.image());
        table.setCellText(3, 1, QStringLiteral("440.00000"));
        table.setCellText(3, 2, QStringLiteral("445.00000"));
        table.select(ChannelTable::Selector::Band, 1);
        ::EncodeChannels(table, f.image());
        f.doc()->SetModifiedFlag(false);
        f.view()->initialUpdate();
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
