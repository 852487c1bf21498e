// The grid's editors as the user meets them, and as a screen reader does. Which texts the table
// takes, and what each does to a channel, is the table model's test.
#include "cell_announcer.h"
#include "channel_columns.h"
#include "spoken_notice.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QClipboard>
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

// What a screen reader is told without a move of the focus.
QStringList g_said;
void HearNotice(QAccessibleEvent* event) {
    if (event->accessibleInterface()->role() == QAccessible::Notification) {
        g_said << event->accessibleInterface()->text(QAccessible::Name);
    }
}

class TestCellEditing : public QObject {
    Q_OBJECT

    WindowFixture f;

    // Leaves the open editor the way named: a click on channel 5's signalling, or a key.
    void leave(const QString& how) const {
        if (how == "click") {
            f.click(5, 4);
        } else {
            f.press(how == "Enter" ? Qt::Key_Return : Qt::Key_Tab,
                    how == "Ctrl+Tab" ? Qt::ControlModifier : Qt::NoModifier);
        }
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    // One row per way out and kind of editor; which texts give which verdict is the table
    // model's test.
    void commitOrRefuse_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("how"); // opened (a click, else a key on the grid) and left by
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box"); // "caption: message" of a refusal
        const auto row = [](const char* tag, int col, const char* how, const char* typed,
                            const char* box) {
            QTest::newRow(tag) << col << QString(how) << QString(typed) << QString(box);
        };
        row("receive, Enter", 1, "Enter", "136", "");
        row("transmit, click", 2, "click", "136", "");
        row("receive, Ctrl+Tab to the selectors", 1, "Ctrl+Tab", "146", "");
        row("above band, Enter", 1, "Enter", "174.00625", "错误: 超出范围：本频段为 136–174 MHz");
        row("above band, click", 2, "click", "1455.125", "错误: 超出范围：本频段为 136–174 MHz");
        row("above band, Ctrl+Tab", 1, "Ctrl+Tab", "99", "错误: 超出范围：本频段为 136–174 MHz");
        row("unknown signalling, Tab", 3, "Tab", "D024N", "警告: 请输入列表中的信令");
    }
    // A refusal keeps the cell current with its old text and the editor open over it with the
    // refused text for mending; leaving that editor without typing abandons the edit.
    void commitOrRefuse() {
        QFETCH(int, col);
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        f.typeChannel(3, "150");
        const QStringList before = f.row(3);
        if (how == "click") {
            f.click(3, col);
            QCOMPARE(f.lineEditor()->selectedText(), before.at(col - 1)); // opened with its text
        } else {
            f.moveTo(3, col);
        }
        f.type(typed);
        leave(how);
        if (box.isEmpty()) {
            QVERIFY(f.messenger->shown.isEmpty());
            QCOMPARE(f.cell(3, col), typed + ".00000");
            if (how == "Ctrl+Tab") {
                QCOMPARE(QApplication::focusWidget(), f.modelSelector());
            } else {
                QCOMPARE(f.current(), how == "click" ? QPoint(5, 4) : QPoint(3, col + 1));
            }
            return;
        }
        QCOMPARE(f.messenger->boxes(), QStringList(box));
        QCOMPARE(f.row(3), before);
        QVERIFY(f.editorOpen());
        QCOMPARE(f.current(), QPoint(3, col));
        if (!f.lineEditor()) {
            return;
        }
        QCOMPARE(f.lineEditor()->text(), typed);
        leave(how);
        QCOMPARE(f.row(3), before);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.editorOpen(), how == "click"); // a click opens the next editor
    }

    // How a list editor was left reaches the table: Enter in an incomplete channel's signalling
    // empties it and keeps the editor open for another try.
    void leavingAListEditor_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("stored");
        for (const QString how : {"click", "Tab", "Enter"}) {
            QTest::newRow(qPrintable("without transmit, " + how))
                << how << false << (how == "Enter" ? "" : "D023N");
        }
        QTest::newRow("complete, Enter") << "Enter" << true << "D023N";
    }
    void leavingAListEditor() {
        QFETCH(QString, how);
        QFETCH(bool, complete);
        QFETCH(QString, stored);
        f.typeChannel(1, "145.125");
        if (!complete) {
            f.table().commitFrequency(1, 2, QString());
        }
        f.doc()->setModified(false);
        f.moveTo(1, 4);
        f.type("d023n");
        leave(how);
        QCOMPARE(f.cell(1, 4), stored);
        QVERIFY(f.messenger->shown.isEmpty());
        const bool open = how == "click" || (how == "Enter" && !complete);
        QCOMPARE(f.editorOpen(), open);
        if (!open) {
            QCOMPARE(QApplication::focusWidget(), f.grid());
        }
        QVERIFY(f.doc()->isModified());
    }

    // A key typed on the grid opens the cell's editor with that key, through no clipboard; a
    // frequency's ignores a letter, in the editor too, a control key opens it empty. Enter opens
    // a list on the entry the cell's text names, else the first.
    void editorsOpenWithWhatWasTyped() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's own text"));
        f.moveTo(1, 1);
        f.type("x");
        QVERIFY(f.messenger->shown.isEmpty());
        QCOMPARE(f.lineEditor()->text(), QString());
        f.press(Qt::Key_Escape);
        f.typeChannel(1, "145");
        f.moveTo(1, 1);
        f.type("x1x");
        QCOMPARE(f.lineEditor()->text(), QStringLiteral("1"));
        QCOMPARE(f.lineEditor()->cursorPosition(), 1);
        QVERIFY(f.messenger->shown.isEmpty());
        f.press(Qt::Key_Escape);
        QTest::keyClick(f.grid(), Qt::Key_Backspace);
        QCOMPARE(f.lineEditor()->text(), QString());
        f.press(Qt::Key_Escape);
        f.moveTo(1, 3);
        f.type("D");
        QCOMPARE(f.comboEditor()->lineEdit()->cursorPosition(), 1);
        f.press(Qt::Key_Escape);
        QCOMPARE(clipboard->text(), QStringLiteral("the user's own text"));

        f.setCell(1, 3, QStringLiteral("d754i"));
        f.setCell(1, 4, QStringLiteral("67"));
        f.setCell(1, 5, QStringLiteral("bogus"));
        QStringList opened;
        for (int col : {3, 4, 5}) {
            f.moveTo(1, col);
            f.press(Qt::Key_Return);
            opened << f.comboEditor()->currentText();
            f.press(Qt::Key_Escape);
        }
        QCOMPARE(opened, QStringList({"D754I", "67.0", "是"}));
    }

    // A refused value in the open editor stops nothing but its own commit.
    void readCommandCommitsTheOpenEditor() {
        f.moveTo(10, 1);
        f.type("99");
        f.key(Qt::Key_R);
        QVERIFY(f.dialog()->isWindowOpen());
        QCOMPARE(f.cell(10, 1), QString());
        QCOMPARE(f.messenger->boxes(), QStringList({"错误: 超出范围：本频段为 136–174 MHz"}));
    }

    // Escape drops the editor's change; the right button and the keys only move, closing the
    // editor a click opened; Tab goes round the table and leaves it after its last cell, Shift+Tab
    // before its first, as the grid's description says. F2 opens the editor.
    void movingOpensNoEditor() {
        f.typeChannel(1, "145");
        f.click(1, 6);
        f.comboEditor()->setCurrentIndex(1);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.cell(1, 6), QStringLiteral("高"));
        f.click(3, 6, Qt::RightButton);
        QCOMPARE(f.current(), QPoint(3, 6));
        QVERIFY(!f.editorOpen());
        f.click(3, 2);
        QVERIFY(f.editorOpen());
        const int last = ChannelColumns::kCount - 1;
        const QList<QPair<Qt::Key, QPoint>> steps = {
            {Qt::Key_Down, {4, 2}},    {Qt::Key_Home, {4, 1}}, {Qt::Key_Left, {4, 1}},
            {Qt::Key_End, {4, last}},  {Qt::Key_Tab, {5, 1}},  {Qt::Key_Backtab, {4, last}},
            {Qt::Key_Down, {5, last}}, {Qt::Key_Tab, {6, 1}},  {Qt::Key_PageDown, {16, 1}},
            {Qt::Key_End, {16, last}}};
        for (const auto& [key, cell] : steps) {
            QTest::keyClick(f.grid(), key);
            QCOMPARE(f.current(), cell);
            QVERIFY(!f.editorOpen());
        }
        QVERIFY(f.grid()->accessibleDescription().contains(QStringLiteral("Ctrl+Tab")));
        QTest::keyClick(f.grid(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f.grid());
        f.moveTo(1, 1);
        QTest::keyClick(f.grid(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != f.grid());
        f.moveTo(1, 6);
        QTest::keyClick(f.grid(), Qt::Key_F2);
        QCOMPARE(f.comboEditor()->currentText(), QStringLiteral("高"));
    }

    // A screen reader hears the channel numbers as row headers, the columns by name and a cell
    // by its value, a row from its channel number on, and is told of every cell an edit, undo,
    // redo or paste changes; a commit says what it stored where, and where the cursor went.
    void screenReadersReadTheTable() {
        g_heard.clear();
        g_said.clear();
        CellAnnouncer::setListener(Hear);
        SpokenNotice::SetListener(HearNotice);
        f.typeChannel(3, "145");
        QTRY_COMPARE(g_said.value(0),
                     QStringLiteral("信道3 接收频率 145.00000，到 发射频率 145.00000"));
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(f.grid())->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("145.00000"));
        QAccessibleInterface* cell = table->cellAt(2, 0);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("信道3 145.00000"));
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QCOMPARE(place->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("3"));
        QCOMPARE(place->columnHeaderCells().value(0)->text(QAccessible::Name),
                 ChannelColumns::ShownHeader(1));
        QCOMPARE(g_heard.size(), 11); // the new channel's every cell
        QCOMPARE(g_heard.first(), QStringLiteral("3,1=信道3 145.00000"));
        f.key(Qt::Key_Z);
        QVERIFY(g_heard.contains(QStringLiteral("3,1=信道3")));
        g_heard.clear();
        f.key(Qt::Key_Y);
        QVERIFY(g_heard.contains(QStringLiteral("3,1=信道3 145.00000")));
        g_heard.clear();
        f.grid()->selectChannels(3, 1);
        f.action("editCopyChannels")->trigger();
        f.grid()->selectChannels(7, 1);
        f.action("editPasteChannels")->trigger();
        QVERIFY2(g_heard.contains(QStringLiteral("7,2=145.00000")), qPrintable(g_heard.join('|')));
        CellAnnouncer::setListener(nullptr);
        g_said.clear();
        f.click(3, 6);
        QTest::keyClick(f.comboEditor(), Qt::Key_Down);
        f.press(Qt::Key_Return);
        QTRY_COMPARE(g_said, QStringList({"低", "信道3 功率 低"}));
        SpokenNotice::SetListener(nullptr);
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
            // A plain list's label says its value too.
            QAccessibleInterface* named = QAccessible::queryAccessibleInterface(editor);
            const auto labels = named->relations(QAccessible::Label);
            const auto* list = qobject_cast<QComboBox*>(editor);
            QCOMPARE(labels.isEmpty() ? named->text(QAccessible::Name)
                                      : labels.first().first->text(QAccessible::Name),
                     list && !list->isEditable() ? column + " " + list->currentText() : column);
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

    // A read or an opened file replaces what an open editor would have stored.
    void initialUpdateHidesEditorsAndShowsTheImage() {
        f.moveTo(2, 1);
        f.type("14");
        ChannelTable table = f.decoded(f.image());
        table.setCellText(3, 1, QStringLiteral("440.00000"));
        table.setCellText(3, 2, QStringLiteral("445.00000"));
        table.select(ChannelTable::Selector::Band, 1);
        f.doc()->takeImage(WithChannels(f.image(), table));
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
