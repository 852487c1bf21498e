#include "scripted_messenger.h"
#include "view_fixture.h"

#include <QClipboard>

class TestCellEditing : public QObject {
    Q_OBJECT

    ViewFixture f;
    std::unique_ptr<ScriptedMessenger> messenger;

private slots:
    void init() {
        messenger = std::make_unique<ScriptedMessenger>();
        QVERIFY(f.setUp());
    }
    void cleanup() {
        f.view.reset();
        messenger.reset();
    }

    void enterOnNewFrequencyFillsDefaultsAndStepsRight() {
        f.moveTo(1, 1);
        f.type("1");
        QVERIFY(f.editorOpen());
        QCOMPARE(f.view->m_editFreq->text(), QStringLiteral("1"));
        f.type("45.125");
        f.press(Qt::Key_Return);

        QCOMPARE(f.row(1), QStringList({"145.12500", "145.12500"}) + kNewChannelTail);
        QCOMPARE(f.grid()->GetRow(), 1);
        QCOMPARE(f.grid()->GetCol(), 2);
        QVERIFY(!f.editorOpen());
        QVERIFY(f.view->m_editFreq->isHidden());
        QVERIFY(messenger->shown.isEmpty());
        QVERIFY(f.modifiedCount > 0);
    }

    void frequencyCheck_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty when refused
        QTest::addColumn<QString>("message");
        QTest::newRow("lower edge") << "136"
                                    << "136.00000"
                                    << "";
        QTest::newRow("upper edge") << "174"
                                    << "174.00000"
                                    << "";
        QTest::newRow("above band") << "174.00625"
                                    << ""
                                    << "超出范围";
        QTest::newRow("below band") << "135.995"
                                    << ""
                                    << "超出范围";
        QTest::newRow("off raster") << "145.0031"
                                    << ""
                                    << "请输入5k/6.25k的倍数";
        QTest::newRow("6.25k step") << "145.00625"
                                    << "145.00625"
                                    << "";
        QTest::newRow("5k step") << "145.005"
                                 << "145.00500"
                                 << "";
        QTest::newRow("binary rounding") << "136.0125"
                                         << "136.01250"
                                         << "";
        QTest::newRow("trailing letters") << "145abc"
                                          << "145.00000"
                                          << "";
        QTest::newRow("negative") << "-145"
                                  << ""
                                  << "超出范围";
    }
    void frequencyCheck() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        f.moveTo(3, 1);
        f.press(Qt::Key_Return); // opens the empty editor without a key to seed
        f.type(typed);
        f.press(Qt::Key_Return);
        if (message.isEmpty()) {
            QVERIFY(messenger->shown.isEmpty());
            QCOMPARE(f.cell(3, 1), stored);
            QCOMPARE(f.cell(3, 2), stored);
            QVERIFY(!f.editorOpen());
        } else {
            QCOMPARE(messenger->shown.size(), 1);
            QCOMPARE(messenger->shown.at(0).caption, QStringLiteral("错误"));
            QCOMPARE(messenger->shown.at(0).text, message);
            QCOMPARE(f.row(3), QStringList(QVector<QString>(11)));
            QVERIFY(f.editorOpen());
            QCOMPARE(f.view->m_editFreq->text(), QString());
            QCOMPARE(f.grid()->GetCol(), 1);
        }
    }

    void refusedValueKeepsTheCellAndItsEditor() {
        f.typeChannel(2, "145.125");
        f.click(2, 1);
        QVERIFY(f.editorOpen());
        QCOMPARE(f.view->m_editFreq->selectedText(), QStringLiteral("145.12500"));
        f.type("999");
        f.click(5, 4); // leaving commits, and the commit refuses

        QCOMPARE(messenger->shown.size(), 1);
        QCOMPARE(messenger->shown.at(0).text, QStringLiteral("超出范围"));
        QCOMPARE(f.cell(2, 1), QStringLiteral("145.12500"));
        QCOMPARE(f.grid()->GetRow(), 2); // the refused value stays with its own cell
        QCOMPARE(f.grid()->GetCol(), 1);
        QVERIFY(f.editorOpen());
        QCOMPARE(f.view->m_editFreq->text(), QString());

        f.type("146");
        f.press(Qt::Key_Tab);
        QCOMPARE(f.cell(2, 1), QStringLiteral("146.00000"));
        QCOMPARE(f.cell(2, 2), QStringLiteral("145.12500")); // TX follows only a new channel
        QCOMPARE(f.grid()->GetCol(), 2);
        QVERIFY(!f.editorOpen());
    }

    void clearingReceiveClearsChannelTransmitOnlyItself() {
        f.typeChannel(4, "150");
        f.typeChannel(5, "151");
        f.moveTo(4, 2);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Backspace); // the selected text goes
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(4, 2), QString());
        QCOMPARE(f.cell(4, 1), QStringLiteral("150.00000"));
        QCOMPARE(f.row(4).mid(2), kNewChannelTail);

        f.moveTo(5, 1);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Backspace);
        f.press(Qt::Key_Return);
        QCOMPARE(f.row(5), QStringList(QVector<QString>(11)));
        QCOMPARE(f.grid()->GetCol(), 1);
        QVERIFY(!f.editorOpen());
    }

    void optionsExcludeOneAnother() {
        f.typeChannel(1, "145");
        auto choose = [&](int col, QComboBox* editor, const QString& text) {
            f.click(1, col);
            QVERIFY(f.editorOpen());
            editor->setCurrentIndex(editor->findText(text));
            f.press(Qt::Key_Return);
            QVERIFY(!f.editorOpen());
        };
        choose(9, f.view->m_comboScrambler, "是");
        QCOMPARE(f.row(1).mid(8), QStringList({"是", "否", "否"}));
        choose(11, f.view->m_comboEmphasis, "是");
        QCOMPARE(f.row(1).mid(8), QStringList({"否", "否", "是"}));
        choose(10, f.view->m_comboCompander, "否"); // "否" touches only its own cell
        QCOMPARE(f.row(1).mid(8), QStringList({"否", "否", "是"}));
    }

    void enterAndClickDifferInAnIncompleteRow() {
        f.typeChannel(6, "145");
        f.moveTo(6, 2);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Backspace);
        f.press(Qt::Key_Return); // RX set, TX empty: incomplete

        f.click(6, 6);
        f.view->m_comboPower->setCurrentIndex(1); // "低"
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(6, 6), QString());

        f.click(6, 6);
        f.view->m_comboPower->setCurrentIndex(1);
        f.click(6, 7);
        QCOMPARE(f.cell(6, 6), QStringLiteral("低"));

        f.click(6, 3);
        f.view->m_comboSignal->setCurrentIndex(1);
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(6, 3), QString());
        QVERIFY(f.editorOpen()); // Enter in the signalling editor of an incomplete row
    }

    void optionsOfAnEmptyRowStayEmpty() {
        f.click(7, 5);
        f.view->m_comboBusy->setCurrentIndex(0);
        f.click(7, 6);
        QCOMPARE(f.cell(7, 5), QString());
        f.view->m_comboPower->setCurrentIndex(0);
        f.click(8, 6);
        QCOMPARE(f.cell(7, 6), QString());
        QCOMPARE(f.modifiedCount, 0);
    }

    void rightClickOpensNothing() {
        f.click(3, 1, Qt::RightButton);
        QCOMPARE(f.grid()->GetRow(), 3);
        QVERIFY(!f.editorOpen());
        f.click(3, 6, Qt::RightButton);
        QVERIFY(!f.editorOpen());
        f.click(3, 6);
        QVERIFY(f.editorOpen());
    }

    void nonDigitKeyWarnsAndSeeds() {
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(messenger->shown.size(), 1);
        QCOMPARE(messenger->shown.at(0).caption, QStringLiteral("警告"));
        QCOMPARE(messenger->shown.at(0).text, QStringLiteral("请输入数字"));
        QVERIFY(f.editorOpen());
        QCOMPARE(f.view->m_editFreq->text(), QString()); // empty cell: opens empty

        f.press(Qt::Key_Escape);
        f.typeChannel(1, "145");
        f.moveTo(1, 1);
        f.type("x");
        QCOMPARE(f.view->m_editFreq->text(), QStringLiteral("x"));
        QCOMPARE(f.view->m_editFreq->cursorPosition(), 1);
    }

    void seedingNeverTouchesTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's own text"));
        f.typeChannel(1, "145.125");
        f.moveTo(1, 3);
        f.type("D");
        QCOMPARE(f.view->m_comboSignal->currentText(), QStringLiteral("D"));
        QCOMPARE(f.view->m_comboSignal->lineEdit()->cursorPosition(), 1);
        f.type("023I");
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(1, 3), QStringLiteral("D023I"));
        f.moveTo(1, 6);
        f.type("x"); // a drop-down list shows what entering loaded
        QCOMPARE(f.view->m_comboPower->currentText(), QStringLiteral("高"));
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
        QCOMPARE(f.view->m_comboSignal->currentText(), QStringLiteral("D754I"));
        f.moveTo(1, 4);
        QCOMPARE(f.view->m_comboSignal->currentText(), QStringLiteral("67.0"));
        f.moveTo(1, 5);
        QCOMPARE(f.view->m_comboBusy->currentIndex(), 0);
        QVERIFY(!f.editorOpen());
    }

    void transferCommandsCommitTheOpenEditor() {
        f.moveTo(9, 1);
        f.type("146.5");
        f.view->OnWriteData();
        QCOMPARE(f.view->m_bWrite, 1);
        QCOMPARE(f.cell(9, 1), QStringLiteral("146.50000"));
        QVERIFY(!f.editorOpen());

        f.moveTo(10, 1);
        f.type("99");
        f.view->OnReadData();
        QCOMPARE(f.view->m_bWrite, 0);
        QCOMPARE(f.cell(10, 1), QString());
        QCOMPARE(messenger->shown.size(), 1);
        QCOMPARE(messenger->shown.at(0).text, QStringLiteral("超出范围"));
    }

    void bandChangeMovesOnlyTheLimits() {
        f.view->m_comboBand->setCurrentIndex(1);
        QCOMPARE(g_bandLow, 40000000u);
        f.typeChannel(1, "435");
        QCOMPARE(f.modifiedCount > 0, true);
        f.view->m_comboBand->setCurrentIndex(0);
        QCOMPARE(g_bandHigh, 17400000u);
        QCOMPARE(f.cell(1, 1), QStringLiteral("435.00000"));
        f.moveTo(2, 1);
        f.type("435");
        f.press(Qt::Key_Return);
        QCOMPARE(messenger->shown.size(), 1);
        QCOMPARE(f.cell(2, 1), QString());
    }

    void escapeAbandonsTheEdit() {
        f.typeChannel(1, "145");
        f.click(1, 6);
        f.view->m_comboPower->setCurrentIndex(1);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.editorOpen());
        QCOMPARE(f.grid()->GetCol(), 6);
        QCOMPARE(f.cell(1, 6), QStringLiteral("高"));
        f.press(Qt::Key_Return); // reopened from the keyboard: shows the cell's value
        QCOMPARE(f.view->m_comboPower->currentText(), QStringLiteral("高"));
    }

    void recommittingTheSameTextIsNoChange() {
        f.typeChannel(1, "145");
        const int marks = f.modifiedCount;
        f.moveTo(1, 1);
        f.press(Qt::Key_Return);
        f.press(Qt::Key_Return);
        QCOMPARE(f.cell(1, 1), QStringLiteral("145.00000"));
        QCOMPARE(f.modifiedCount, marks);
    }
};

QTEST_MAIN(TestCellEditing)
#include "test_cell_editing.moc"
