#include "window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

class TestCellEditing : public QObject {
    Q_OBJECT

    WindowFixture f;

    static void addFrequency(const char* tag, const char* typed, const char* stored,
                             const char* box) {
        for (int col : {1, 2}) {
            QTest::addRow("%s, column %d", tag, col)
                << col << QString(typed) << QString(stored) << QString(box);
        }
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void enterOnNewFrequencyFillsDefaultsAndStepsRight() {
        f.moveTo(1, 1);
        f.type("1");
        QVERIFY(f.editorOpen());
        f.type("45.125");
        f.press(Qt::Key_Return);
        QCOMPARE(f.row(1), QStringList({"145.12500", "145.12500"}) + kNewChannelTail);
        QCOMPARE(f.current(), QPoint(1, 2));
        QVERIFY(!f.editorOpen());
        QVERIFY(f.messenger->shown.isEmpty());
        QVERIFY(f.doc()->IsModified());
    }

    void frequencyCheck_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty when refused
        QTest::addColumn<QString>("box");    // "caption: message" of a refusal
        addFrequency("lower edge", "136", "136.00000", "");
        addFrequency("upper edge", "174", "174.00000", "");
        addFrequency("above band", "174.00625", "", "错误: 超出范围");
        addFrequency("below band", "135.995", "", "错误: 超出范围");
        addFrequency("off raster", "145.0031", "", "错误: 请输入5k/6.25k的倍数");
        addFrequency("6.25k step", "145.00625", "145.00625", "");
        addFrequency("5k step", "145.005", "145.00500", "");
        addFrequency("binary rounding", "136.0125", "136.01250", "");
        addFrequency("negative", "-145", "", "警告: 请输入数字");
        addFrequency("trailing letters", "145abc", "", "警告: 请输入数字");
        addFrequency("decimal comma", "145,125", "", "警告: 请输入数字");
        addFrequency("hexadecimal", "0x91", "", "警告: 请输入数字");
    }
    // Every frequency column checks alike; a refusal keeps the cell and leaves the editor open
    // and empty over it.
    void frequencyCheck() {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, box);
        const QString before = col == 2 ? QStringLiteral("150.00000") : QString();
        if (col == 2) {
            f.typeChannel(3, "150");
        }
        f.moveTo(3, col);
        f.press(Qt::Key_Return); // opens the editor without a key to seed
        f.press(Qt::Key_Backspace);
        f.type(typed);
        f.press(Qt::Key_Return);
        if (box.isEmpty()) {
            QVERIFY(f.messenger->shown.isEmpty());
            QCOMPARE(f.cell(3, col), stored);
            QCOMPARE(f.cell(3, 2), stored); // a new channel's transmit frequency follows
            QVERIFY(!f.editorOpen());
        } else {
            QCOMPARE(f.messenger->boxes(), QStringList(box));
            QCOMPARE(f.cell(3, 1), before);
            QCOMPARE(f.cell(3, 2), before);
            QVERIFY(f.editorOpen());
            QCOMPARE(f.view()->m_editFreq->text(), QString());
            QCOMPARE(f.current().y(), col);
        }
    }

    void refusedValueKeepsTheCellAndItsEditor() {
        f.typeChannel(2, "145.125");
        f.click(2, 1);
        QCOMPARE(f.view()->m_editFreq->selectedText(), QStringLiteral("145.12500"));
        f.type("999");
        f.click(5, 4); // leaving commits, and the commit refuses
        QCOMPARE(f.messenger->boxes(), QStringList({"错误: 超出范围"}));
        QCOMPARE(f.cell(2, 1), QStringLiteral("145.12500"));
        QCOMPARE(f.current(), QPoint(2, 1)); // the refused value stays with its own cell
        QVERIFY(f.editorOpen());
        QCOMPARE(f.view()->m_editFreq->text(), QString());

        f.type("146");
        f.press(Qt::Key_Tab);
        QCOMPARE(f.row(2).mid(0, 2), QStringList({"146.00000", "145.12500"})); // TX kept
        QCOMPARE(f.current().y(), 2);
        QVERIFY(!f.editorOpen());
    }

    void clearingReceiveClearsChannelTransmitOnlyItself() {
        f.typeChannel(4, "150");
        f.typeChannel(5, "151");
        for (int row : {4, 5}) {
            f.moveTo(row, row == 4 ? 2 : 1);
            f.press(Qt::Key_Return);
            f.press(Qt::Key_Backspace); // the selected text goes
            f.press(Qt::Key_Return);
        }
        QCOMPARE(f.row(4), QStringList({"150.00000", ""}) + kNewChannelTail);
        QCOMPARE(f.row(5), QStringList(QVector<QString>(11)));
        QCOMPARE(f.current().y(), 1);
        QVERIFY(!f.editorOpen());
    }

    void optionsExcludeOneAnother() {
        f.typeChannel(1, "145");
        auto choose = [&](int col, QComboBox* editor, const QString& text) {
            f.click(1, col);
            editor->setCurrentIndex(editor->findText(text));
            f.press(Qt::Key_Return);
            return f.row(1).mid(8);
        };
        QCOMPARE(choose(9, f.view()->m_comboScrambler, "是"), QStringList({"是", "否", "否"}));
        QCOMPARE(choose(11, f.view()->m_comboEmphasis, "是"), QStringList({"否", "否", "是"}));
        // "否" touches only its own cell.
        QCOMPARE(choose(10, f.view()->m_comboCompander, "否"), QStringList({"否", "否", "是"}));
        QVERIFY(!f.editorOpen());
    }

    // Enter in an incomplete or empty row commits nothing; a click away stores an option.
    void enterAndClickDifferInIncompleteAndEmptyRows() {
        f.typeChannel(6, "145");
        f.moveTo(6, 2);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Backspace);
        f.press(Qt::Key_Return); // RX set, TX empty: incomplete
        f.click(6, 6);
        f.view()->m_comboPower->setCurrentIndex(1); // "低"
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(6, 6), QString());
        f.click(6, 6);
        f.view()->m_comboPower->setCurrentIndex(1);
        f.click(6, 7);
        QCOMPARE(f.cell(6, 6), QStringLiteral("低"));
        f.click(6, 3);
        f.view()->m_comboSignal->setCurrentIndex(1);
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(6, 3), QString());
        QVERIFY(f.editorOpen());
        f.press(Qt::Key_Escape);

        f.doc()->SetModifiedFlag(false);
        f.click(7, 5);
        f.view()->m_comboBusy->setCurrentIndex(0);
        f.click(7, 6);
        f.view()->m_comboPower->setCurrentIndex(0);
        f.click(8, 6);
        QCOMPARE(f.row(7), QStringList(QVector<QString>(11)));
        QVERIFY(!f.doc()->IsModified());
    }

    void nonDigitKeyWarnsAndSeeds() {
        f.moveTo(1, 1);
        // An Alt combination that no menu takes is still not typing.
        QKeyEvent altZ(QEvent::KeyPress, Qt::Key_Z, Qt::AltModifier, QStringLiteral("z"));
        QApplication::sendEvent(f.grid(), &altZ);
        QVERIFY(!f.editorOpen());
        QVERIFY(f.messenger->shown.isEmpty());
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(f.messenger->boxes(), QStringList({"警告: 请输入数字"}));
        QCOMPARE(f.view()->m_editFreq->text(), QString()); // empty cell: opens empty
        f.press(Qt::Key_Escape);
        f.typeChannel(1, "145");
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(f.view()->m_editFreq->text(), QStringLiteral("x"));
        QCOMPARE(f.view()->m_editFreq->cursorPosition(), 1);
    }

    void seedingNeverTouchesTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's own text"));
        f.typeChannel(1, "145.125");
        f.moveTo(1, 3);
        f.type("D");
        QCOMPARE(f.view()->m_comboSignal->lineEdit()->cursorPosition(), 1);
        f.type("023I");
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(1, 3), QStringLiteral("D023I"));
        f.moveTo(1, 6);
        f.type("x"); // a drop-down list shows what entering loaded
        QCOMPARE(f.view()->m_comboPower->currentText(), QStringLiteral("高"));
        f.press(Qt::Key_Escape);
        f.moveTo(2, 1);
        f.type("4");
        QCOMPARE(clipboard->text(), QStringLiteral("the user's own text"));
    }

    void enteringACellLoadsItsEditorByPrefix() {
        f.typeChannel(1, "145");
        f.grid()->SetTextMatrix(1, 3, QStringLiteral("d754i"));
        f.grid()->SetTextMatrix(1, 4, QStringLiteral("67"));
        f.grid()->SetTextMatrix(1, 5, QStringLiteral("bogus"));
        f.moveTo(1, 3);
        QCOMPARE(f.view()->m_comboSignal->currentText(), QStringLiteral("D754I"));
        f.moveTo(1, 4);
        QCOMPARE(f.view()->m_comboSignal->currentText(), QStringLiteral("67.0"));
        f.moveTo(1, 5);
        QCOMPARE(f.view()->m_comboBusy->currentIndex(), 0);
        QVERIFY(!f.editorOpen());
    }

    // A refused value in the open editor stops nothing but its own commit.
    void readCommandCommitsTheOpenEditor() {
        f.moveTo(10, 1);
        f.type("99");
        f.view()->OnReadData();
        QCOMPARE(f.view()->m_bWrite, 0);
        QCOMPARE(f.cell(10, 1), QString());
        QCOMPARE(f.messenger->boxes(), QStringList({"错误: 超出范围"}));
    }

    void bandChangeMovesOnlyTheLimits() {
        f.view()->m_comboBand->setCurrentIndex(1);
        f.typeChannel(1, "435");
        f.view()->m_comboBand->setCurrentIndex(0);
        QCOMPARE(f.cell(1, 1), QStringLiteral("435.00000"));
        f.typeChannel(2, "435");
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(2, 1), QString());
    }

    void escapeAndRightClickCloseAndRecommittingIsNoChange() {
        f.typeChannel(1, "145");
        f.click(1, 6);
        f.view()->m_comboPower->setCurrentIndex(1);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.current().y(), 6);
        QCOMPARE(f.cell(1, 6), QStringLiteral("高"));
        f.press(Qt::Key_Return); // reopened from the keyboard: shows the cell's value
        QCOMPARE(f.view()->m_comboPower->currentText(), QStringLiteral("高"));
        f.press(Qt::Key_Escape);
        f.click(3, 6, Qt::RightButton); // the right button only moves
        QCOMPARE(f.current(), QPoint(3, 6));
        QVERIFY(!f.editorOpen());

        f.doc()->SetModifiedFlag(false);
        f.moveTo(1, 1);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(1, 1), QStringLiteral("145.00000"));
        QVERIFY(!f.doc()->IsModified());
    }
};

QTEST_MAIN(TestCellEditing)
#include "test_cell_editing.moc"
