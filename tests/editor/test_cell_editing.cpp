#include "band_limits.h"
#include "cell_announcer.h"
#include "channel_columns.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

// What a screen reader is told: the cell (channel, table column) named anew, with its name then.
QStringList g_heard;
void Hear(QAccessibleEvent* event) {
    QAccessibleTableCellInterface* cell = event->accessibleInterface()->tableCellInterface();
    if (event->type() == QAccessible::NameChanged && cell) {
        g_heard << QStringLiteral("%1,%2=%3")
                       .arg(cell->rowIndex() + 1)
                       .arg(cell->columnIndex() + 1)
                       .arg(event->accessibleInterface()->text(QAccessible::Name));
    }
}

class TestCellEditing : public QObject {
    Q_OBJECT

    WindowFixture f;

    static void addFrequency(const char* tag, const char* typed, const char* stored,
                             const char* box) {
        for (const char* how : {"Enter", "click"}) {
            for (int col : {1, 2}) {
                QTest::addRow("%s, column %d, %s", tag, col, how)
                    << col << QString(how) << QString(typed) << QString(stored) << QString(box);
            }
        }
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    // One row per outcome; which texts give which verdict is the frequency check's own test.
    void frequencyCheck_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("how"); // opened and left by
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty when refused
        QTest::addColumn<QString>("box");    // "caption: message" of a refusal
        addFrequency("lower edge", "136", "136.00000", "");
        addFrequency("above band", "174.00625", "", "错误: 超出范围");
    }
    // Every frequency column checks alike, however the cell is left; a refusal keeps the cell
    // current with its old text and leaves the editor open and empty over it.
    void frequencyCheck() {
        QFETCH(int, col);
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, box);
        const QString before = col == 2 ? QStringLiteral("150.00000") : QString();
        if (col == 2) {
            f.typeChannel(3, "150");
        }
        if (how == "click") {
            f.click(3, col);
            QCOMPARE(f.lineEditor()->selectedText(), before); // a press opens it with the text
        } else {
            f.moveTo(3, col);
            f.press(Qt::Key_Return);
        }
        f.press(Qt::Key_Backspace);
        f.type(typed);
        if (how == "click") {
            f.click(5, 4);
        } else {
            f.press(Qt::Key_Return);
        }
        if (box.isEmpty()) {
            QVERIFY(f.messenger->shown.isEmpty());
            QCOMPARE(f.cell(3, col), stored);
            QCOMPARE(f.cell(3, 2), stored); // a new channel's transmit frequency follows
            QCOMPARE(f.current(), how == "click" ? QPoint(5, 4) : QPoint(3, col + 1));
        } else {
            QCOMPARE(f.messenger->boxes(), QStringList(box));
            QCOMPARE(f.cell(3, 1), before);
            QCOMPARE(f.cell(3, 2), before);
            QVERIFY(f.editorOpen());
            QCOMPARE(f.lineEditor()->text(), QString());
            QCOMPARE(f.current(), QPoint(3, col));
        }
    }

    // The list editors, left by a click on another channel, by Tab or by Enter; which option
    // lands in which kind of channel is the table model's test (frequencies are frequencyCheck's),
    // these rows show the window passes on how the cell was left. Signalling is typed in lower
    // case, the option list stepped to the other entry.
    void leavingACell_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("channel");
        QTest::addColumn<QStringList>("row");
        const QStringList complete = QStringList({"145.12500", "145.12500"}) + kNewChannelTail;
        const QStringList noTransmit = QStringList({"145.12500", ""}) + kNewChannelTail;
        auto with = [](QStringList texts, int col, const QString& text) {
            texts[col - 1] = text;
            return texts;
        };
        for (const char* how : {"click", "Tab", "Enter"}) {
            const bool enter = QLatin1String(how) == QLatin1String("Enter");
            QTest::addRow("signalling, %s", how)
                << 4 << how << "complete" << with(complete, 4, "D023N");
            QTest::addRow("signalling without transmit, %s", how)
                << 4 << how << "no transmit" << with(noTransmit, 4, enter ? "" : "D023N");
            QTest::addRow("compander, %s", how)
                << 10 << how << "complete" << with(with(complete, 10, "是"), 11, "否");
        }
    }
    void leavingACell() {
        QFETCH(int, col);
        QFETCH(QString, how);
        QFETCH(QString, channel);
        QFETCH(QStringList, row);
        f.typeChannel(1, "145.125");
        if (channel == "no transmit") {
            f.table().commitFrequency(1, 2, QString());
        }
        f.doc()->setModified(false);
        const QStringList before = f.row(1);
        f.moveTo(1, col);
        if (col == 4) {
            f.type("d023n");
        } else {
            QTest::keyClick(f.grid(), Qt::Key_Return);
            f.press(Qt::Key_Up); // "是"
        }
        QVERIFY(f.editorOpen());
        if (how == "click") {
            f.click(3, col);
        } else {
            f.press(how == "Tab" ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(f.row(1), row);
        QVERIFY(f.messenger->shown.isEmpty());
        // A click opens the next editor; Enter in a signalling editor of an incomplete channel
        // keeps it open for another try.
        const bool open = how == "click" || (how == "Enter" && col == 4 && channel != "complete");
        QCOMPARE(f.editorOpen(), open);
        if (!open) {
            QCOMPARE(QApplication::focusWidget(), f.grid());
        }
        QCOMPARE(f.doc()->isModified(), row != before); // only a change counts as an edit
    }

    // A refusal empties the editor; leaving it so, without typing, keeps the channel as it was.
    void leavingARefusedEditorAbandonsTheEdit_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "Tab", "Enter", "Ctrl+Tab"}) {
            QTest::addRow("receive, %s", how) << 1 << how;
        }
    }
    void leavingARefusedEditorAbandonsTheEdit() {
        QFETCH(int, col);
        QFETCH(QString, how);
        f.typeChannel(2, "145.125");
        const QStringList before = f.row(2);
        f.moveTo(2, col);
        f.type("1455.125");
        f.press(Qt::Key_Return);
        QCOMPARE(f.messenger->boxes(), QStringList("错误: 超出范围"));
        QVERIFY(f.editorOpen());
        if (how == "click") {
            f.click(5, 5);
        } else if (how == "Ctrl+Tab") {
            f.press(Qt::Key_Tab, Qt::ControlModifier);
        } else {
            f.press(how == "Tab" ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(f.row(2), before);
        QCOMPARE(f.messenger->shown.size(), 1);
        if (how == "click") {
            QCOMPARE(f.current(), QPoint(5, 5)); // where a click opens the next editor
        } else {
            QVERIFY(!f.editorOpen());
        }
    }

    // A signalling text the list does not hold is refused and keeps the editor open.
    void unknownSignallingIsRefused() {
        f.typeChannel(1, "145.125");
        f.moveTo(1, 3);
        f.type("D024N");
        f.press(Qt::Key_Tab);
        QCOMPARE(f.messenger->boxes().value(0), QStringLiteral("警告: 请输入列表中的信令"));
        QCOMPARE(f.cell(1, 3), QStringLiteral("关"));
        QCOMPARE(f.current(), QPoint(1, 3));
        QVERIFY(f.editorOpen());
    }

    // Ctrl+Tab leaves the grid for the selectors, committing the open editor.
    void keyboardReachesTheSelectors() {
        f.moveTo(1, 1);
        f.type("146");
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.cell(1, 1), QStringLiteral("146.00000")); // committed on the way out
        QCOMPARE(QApplication::focusWidget(), f.modelSelector());
    }

    void nonDigitKeyWarnsAndSeeds() {
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(f.messenger->boxes(), QStringList({"警告: 请输入数字"}));
        QCOMPARE(f.lineEditor()->text(), QString()); // empty cell: opens empty
        f.press(Qt::Key_Escape);
        f.typeChannel(1, "145");
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(f.lineEditor()->text(), QStringLiteral("x"));
        QCOMPARE(f.lineEditor()->cursorPosition(), 1);
        f.press(Qt::Key_Escape);
        QTest::keyClick(f.grid(), Qt::Key_Backspace); // a control key opens it empty
        QCOMPARE(f.lineEditor()->text(), QString());
        QCOMPARE(f.messenger->shown.size(), 2);
    }

    void seedingNeverTouchesTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's own text"));
        f.typeChannel(1, "145.125");
        f.moveTo(1, 3);
        f.type("D");
        QCOMPARE(f.comboEditor()->lineEdit()->cursorPosition(), 1);
        f.type("023I");
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(1, 3), QStringLiteral("D023I"));
        f.moveTo(2, 1);
        f.type("4");
        QCOMPARE(clipboard->text(), QStringLiteral("the user's own text"));
    }

    void enteringACellLoadsItsEditorByPrefix() {
        f.typeChannel(1, "145");
        f.table().setCellText(1, 3, QStringLiteral("d754i"));
        f.table().setCellText(1, 4, QStringLiteral("67"));
        f.table().setCellText(1, 5, QStringLiteral("bogus"));
        const auto opened = [&](int col) {
            f.moveTo(1, col);
            f.press(Qt::Key_Return);
            const QString shown = f.comboEditor()->currentText();
            f.press(Qt::Key_Escape);
            return shown;
        };
        QCOMPARE(opened(3), QStringLiteral("D754I"));
        QCOMPARE(opened(4), QStringLiteral("67.0"));
        QCOMPARE(opened(5), QStringLiteral("是")); // no entry matches: the first
        QVERIFY(!f.editorOpen());
    }

    // A refused value in the open editor stops nothing but its own commit.
    void readCommandCommitsTheOpenEditor() {
        f.moveTo(10, 1);
        f.type("99");
        f.key(Qt::Key_R);
        QCOMPARE(f.view()->direction(), TransferDirection::Read);
        QCOMPARE(f.cell(10, 1), QString());
        QCOMPARE(f.messenger->boxes(), QStringList({"错误: 超出范围"}));
    }

    void escapeAndRightClickClose() {
        f.typeChannel(1, "145");
        f.click(1, 6);
        f.comboEditor()->setCurrentIndex(1);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.current().y(), 6);
        QCOMPARE(f.cell(1, 6), QStringLiteral("高"));
        f.click(3, 6, Qt::RightButton); // the right button only moves
        QCOMPARE(f.current(), QPoint(3, 6));
        QVERIFY(!f.editorOpen());
    }

    // Keys walk the settings, Tab round the whole table; moving opens no editor and closes the
    // one that a click opened.
    void navigationWrapsRoundTheTable() {
        f.click(3, 2);
        QVERIFY(f.editorOpen());
        const QList<QPair<Qt::Key, QPoint>> steps = {
            {Qt::Key_Down, {4, 2}},       {Qt::Key_Home, {4, 1}}, {Qt::Key_Left, {4, 1}},
            {Qt::Key_End, {4, 11}},       {Qt::Key_Tab, {5, 1}},  {Qt::Key_Backtab, {4, 11}},
            {Qt::Key_PageDown, {16, 11}}, {Qt::Key_Tab, {1, 1}},  {Qt::Key_Backtab, {16, 11}}};
        for (const auto& [key, cell] : steps) {
            QTest::keyClick(f.grid(), key);
            QCOMPARE(f.current(), cell);
            QVERIFY(!f.editorOpen());
        }
        QCOMPARE(QApplication::focusWidget(), f.grid());
    }

    // A screen reader hears the channel numbers as row headers, the columns by name and a cell
    // by its value, and is told of every cell an edit, undo, redo or paste changes.
    void screenReadersReadTheTable() {
        g_heard.clear();
        CellAnnouncer::setListener(Hear);
        f.typeChannel(3, "145");
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(f.grid())->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 11);
        QAccessibleInterface* cell = table->cellAt(2, 0);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("145.00000"));
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QCOMPARE(place->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("3"));
        QCOMPARE(place->columnHeaderCells().value(0)->text(QAccessible::Name),
                 ChannelColumns::ShownHeader(1));
        QCOMPARE(g_heard.size(), 11); // the new channel's every cell
        QCOMPARE(g_heard.first(), QStringLiteral("3,1=145.00000"));
        f.key(Qt::Key_Z);
        QCOMPARE(table->cellAt(2, 0)->text(QAccessible::Name), QString());
        QVERIFY(g_heard.contains(QStringLiteral("3,1=")));
        g_heard.clear();
        f.key(Qt::Key_Y);
        QVERIFY(g_heard.contains(QStringLiteral("3,1=145.00000")));
        g_heard.clear();
        f.grid()->selectChannels(3, 1);
        f.action("editCopyChannels")->trigger();
        f.grid()->selectChannels(7, 1);
        f.action("editPasteChannels")->trigger();
        QVERIFY2(g_heard.contains(QStringLiteral("7,2=145.00000")), qPrintable(g_heard.join('|')));
        CellAnnouncer::setListener(nullptr);
    }

    // An editor is named by its column; the signalling editor's typing field too, not by its
    // value. Shift+F10 and the Menu key open the grid's menu over the current cell.
    void keyboardAndScreenReaderReachTheEditors() {
        f.typeChannel(2, "145");
        for (int col : {1, 3, 5}) {
            f.click(2, col);
            QWidget* editor = f.view()->cellEditor();
            QVERIFY(editor);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus == editor || editor->isAncestorOf(focus));
            const QString column = ChannelColumns::ShownHeader(col);
            if (focus != editor) { // the signalling list's line edit
                QCOMPARE(QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name),
                         column);
            }
            QAccessibleInterface* named = QAccessible::queryAccessibleInterface(editor);
            const auto labels = named->relations(QAccessible::Label);
            QCOMPARE(labels.isEmpty() ? named->text(QAccessible::Name)
                                      : labels.first().first->text(QAccessible::Name),
                     column);
            f.press(Qt::Key_Escape);
        }
        for (auto [key, modifiers] :
             {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
            QStringList items;
            QTimer::singleShot(0, this, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* item : menu->actions()) {
                        items << item->objectName();
                    }
                    menu->close();
                }
            });
            QTest::keyClick(f.grid(), key, modifiers);
            QVERIFY(items.contains(QStringLiteral("editPasteChannels")));
        }
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
        f.doc()->setModified(false);
        f.view()->initialUpdate();
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.cell(2, 1), QString());
        QCOMPARE(f.cell(3, 1), QStringLiteral("440.00000"));
        QCOMPARE(f.bandSelector()->currentIndex(), 1);
        QVERIFY(!f.doc()->isModified()); // decoding is not an edit
    }
};

QTEST_MAIN(TestCellEditing)
#include "test_cell_editing.moc"
