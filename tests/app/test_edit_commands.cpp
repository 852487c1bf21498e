// One path through the window for each kind of edit: undo and redo, the clipboard and the row
// commands, CSV files and dropped files. What each edit does to the table is the model tests'.
#include "channel_csv.h"
#include "document_file.h"
#include "station_dialog.h"
#include "transfer_dialog.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

class TestEditCommands : public QObject {
    Q_OBJECT

    WindowFixture f;

    QStringList receive(int first, int last) const {
        QStringList texts;
        for (int channel = first; channel <= last; ++channel) {
            texts << f.cell(channel, 1);
        }
        return texts;
    }
    // As a desktop drops: only where the window took the drag when it entered.
    bool drop(const QString& path) const {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = f.frame()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f.frame(), &dropped);
        QCoreApplication::processEvents();
        return true;
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() {
        f.stop();
        QGuiApplication::clipboard()->clear();
    }

    // One Down arrow on the band selector must not leave VHF channels under a UHF band: the user
    // is asked, naming them; No keeps the band, Yes clears them in the band change's own step.
    // Each change is a step named in the menu; undoing back to the saved file clears the changed
    // mark.
    void bandChangeAsksAndUndoes() {
        QVERIFY(!f.action("editUndo")->isEnabled() && !f.action("editRedo")->isEnabled());
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("a.sin")));
        f.key(Qt::Key_S);
        f.bandSelector()->setFocus();
        QTest::keyClick(f.bandSelector(), Qt::Key_Down); // strands nothing, but is a change
        QVERIFY(f.doc()->isModified());
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 更改频段"));
        f.key(Qt::Key_Z);
        QCOMPARE(f.table().selected(ChannelTable::Selector::Band), 0);
        QVERIFY(!f.doc()->isModified());
        f.typeChannel(1, "145");
        f.typeChannel(2, "162.5");
        f.bandSelector()->setFocus();
        QTest::keyClick(f.bandSelector(), Qt::Key_Down);
        QCOMPARE(f.messenger->boxes(),
                 QStringList("警告: 2 个信道的频率不在“400 - 480MHz”之内，更改频段会清除这些信道。"
                             "继续吗？"));
        QCOMPARE(f.messenger->shown.at(0).detail, QStringLiteral("信道 1, 2"));
        QCOMPARE(f.bandSelector()->currentIndex(), 0);
        QCOMPARE(f.table().selected(ChannelTable::Selector::Band), 0);
        QCOMPARE(receive(1, 2), QStringList({"145.00000", "162.50000"}));
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 修改信道 2 接收频率"));
        f.messenger->yesNoAnswers << true;
        QTest::keyClick(f.bandSelector(), Qt::Key_Down);
        QCOMPARE(receive(1, 2), QStringList(2));
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 更改频段"));

        f.key(Qt::Key_Z);
        QCOMPARE(f.bandSelector()->currentIndex(), 0);
        QCOMPARE(receive(1, 2), QStringList({"145.00000", "162.50000"}));
        f.key(Qt::Key_Z);
        f.key(Qt::Key_Z);
        QCOMPARE(f.row(1), QStringList(11));
        QVERIFY(!f.doc()->isModified());
        QVERIFY(!f.action("editUndo")->isEnabled());
        f.key(Qt::Key_Y);
        QCOMPARE(f.row(1), QStringList({"145.00000", "145.00000"}) + kNewChannelTail);
        f.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        f.key(Qt::Key_Y);
        QCOMPARE(f.bandSelector()->currentIndex(), 1);
        QCOMPARE(receive(1, 2), QStringList(2));
    }

    // A table the band does not fit (a file can hold one) is not written unasked, by 写数据 or by
    // the station, but can still be saved.
    void strayChannelsAreWrittenOnlyWhenConfirmed() {
        f.typeChannel(1, "145");
        f.typeChannel(2, "162.5");
        f.table().select(ChannelTable::Selector::Band, 1);
        f.action("actionWriteData")->trigger();
        QCOMPARE(f.messenger->shown.size(), 1);
        QVERIFY2(f.messenger->shown.at(0).text.startsWith("信道 1, 2 的频率不在“400 - 480MHz”之内"),
                 qPrintable(f.messenger->shown.at(0).text));
        QCOMPARE(f.messenger->shown.at(0).detail.count('\n'), 3); // both frequencies of each
        QVERIFY(!f.dialog()->isWindowOpen());
        f.messenger->yesNoAnswers << true; // the expert goes on
        f.action("actionWriteData")->trigger();
        QVERIFY(f.dialog()->isWindowOpen());
        f.dialog()->closeWindow();
        f.messenger->savePaths << f.path(QStringLiteral("stray.sin"));
        f.key(Qt::Key_S);
        QVERIFY(QFile::exists(f.path(QStringLiteral("stray.sin"))));
        QCOMPARE(f.status(),
                 QStringLiteral("已保存 %1。").arg(f.path(QStringLiteral("stray.sin"))));
        const qsizetype asked = f.messenger->shown.size();
        bool stationStarted = true;
        QTimer::singleShot(0, this, [&] {
            auto* station = f.frame()->findChild<StationDialog*>();
            station->start();
            stationStarted = station->loop()->isRunning();
            station->reject();
        });
        f.action("actionBatchWrite")->trigger();
        QVERIFY(!stationStarted);
        QCOMPARE(f.messenger->shown.size(), asked + 1);
        QCOMPARE(f.messenger->shown.last().text, f.messenger->shown.at(0).text);
        QCOMPARE(f.messenger->shown.last().detail, f.messenger->shown.at(0).detail);
    }

    // Two channels copied, pasted lower down and cut. A paste the band refuses
    // changes nothing.
    void copyPasteAndMove() {
        f.typeChannel(1, "145");
        f.typeChannel(2, "146.5");
        f.clickNumber(1);
        f.clickNumber(2, Qt::ShiftModifier);
        f.press(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().section('\t', 0, 2),
                 QStringLiteral("1\t145.00000\t145.00000"));
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat("text/csv"));

        f.clickNumber(5);
        f.press(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(receive(5, 6), QStringList({"145.00000", "146.50000"}));

        // A cut is a step of its own that changes the document.
        f.doc()->setModified(false);
        f.clickNumber(5);
        f.action("editCutChannels")->trigger();
        QCOMPARE(receive(5, 6), QStringList({"", "146.50000"}));
        QVERIFY(f.doc()->isModified());
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 剪切信道 5"));
        f.key(Qt::Key_Z);
        QCOMPARE(receive(5, 6), QStringList({"145.00000", "146.50000"}));

        // A block of cells fills from the current cell, in either language, as one step.
        f.moveTo(9, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("150\t151\n152.5\t153\n"));
        f.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.row(9), QStringList({"150.00000", "151.00000"}) + kNewChannelTail);
        QCOMPARE(f.row(10).mid(0, 2), QStringList({"152.50000", "153.00000"}));
        f.moveTo(9, 5);
        QGuiApplication::clipboard()->setText(QStringLiteral("Yes\tLow\n"));
        f.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.row(9).mid(4, 2), QStringList({"是", "低"}));
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 粘贴信道 9"));
        f.key(Qt::Key_Z);
        f.key(Qt::Key_Z);
        QCOMPARE(receive(9, 10), QStringList({"", ""}));

        const QStringList before = WindowFixture::tableTexts(f.channels());
        QGuiApplication::clipboard()->setText(QStringLiteral("1\t445\t\t\t\t\t\t\t\t\t\t\n"));
        f.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.messenger->boxes(), QStringList({"警告: 无法粘贴信道，什么也没有改变："}));
        QCOMPARE(WindowFixture::tableTexts(f.channels()), before);
    }

    // The numbers are the rows' headers: a press selects whole channels, dragging a selected
    // number moves the block, Delete clears it, and on a single cell its channel.
    void channelsByTheirNumbers() {
        f.typeChannel(1, "145");
        f.typeChannel(2, "146");
        f.clickNumber(1);
        f.clickNumber(2, Qt::ShiftModifier);
        QHeaderView* numbers = f.grid()->verticalHeader();
        const auto centre = [numbers](int channel) {
            return QPoint(numbers->width() / 2, numbers->sectionViewportPosition(channel - 1) +
                                                    numbers->sectionSize(0) / 2);
        };
        QTest::mousePress(numbers->viewport(), Qt::LeftButton, {}, centre(1));
        for (int channel = 2; channel <= 5; ++channel) {
            QTest::mouseMove(numbers->viewport(), centre(channel));
        }
        // Past the middle of channel 5's number: the dragged channel lands there.
        QTest::mouseMove(numbers->viewport(), centre(5) + QPoint(0, 2));
        QTest::mouseRelease(numbers->viewport(), Qt::LeftButton, {}, centre(5) + QPoint(0, 2));
        QCOMPARE(numbers->visualIndex(0), 0); // the numbers stay in order, the channels move
        QCOMPARE(receive(1, 6), QStringList({"", "", "", "", "145.00000", "146.00000"}));
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 移动信道 1–2"));

        QTest::keyClick(f.grid(), Qt::Key_Delete);
        QCOMPARE(receive(5, 6), QStringList({"", ""}));
        f.typeChannel(2, "147");
        f.moveTo(2, 4);
        QTest::keyClick(f.grid(), Qt::Key_Delete);
        QCOMPARE(f.row(2), QStringList(11, QString()));
    }

    // The current cell stays on its channel's data whatever moves it or the selection; Ctrl+Home
    // goes to the first cell of the table.
    void currentCellFollowsItsChannel() {
        f.typeChannel(1, "145");
        f.typeChannel(2, "146");
        f.moveTo(1, 4);
        f.press(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.current(), QPoint(2, 4));
        QCOMPARE(f.grid()->selectionModel()->selectedRows().size(), 2);
        f.key(Qt::Key_Down);
        QCOMPARE(receive(2, 3), QStringList({"145.00000", "146.00000"}));
        QCOMPARE(f.current(), QPoint(3, 4));
        QCOMPARE(f.grid()->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(f.grid()->firstSelectedChannel(), 2);
        f.key(Qt::Key_Up);
        f.key(Qt::Key_Up);
        QCOMPARE(receive(1, 2), QStringList({"145.00000", "146.00000"}));
        QCOMPARE(f.current(), QPoint(2, 4));
        f.press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(f.current(), QPoint(1, 4));
        f.moveTo(9, 7);
        f.press(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.current(), QPoint(1, 1));
    }

    // The menu's commands insert and delete whole channels; inserting shifts the channels below
    // into the first empty one and is refused when there is none below.
    void rowCommands() {
        for (int channel = 1; channel <= 16; ++channel) {
            if (channel != 4) {
                f.table().commitFrequency(channel, 1, QString::number(140 + channel));
            }
        }
        f.clickNumber(5);
        f.action("editInsertChannels")->trigger();
        QCOMPARE(f.messenger->boxes(),
                 QStringList({"警告: 无法插入空信道：这里往下没有 1 个空信道"}));
        f.clickNumber(1);
        f.action("editInsertChannels")->trigger();
        QCOMPARE(receive(1, 5),
                 QStringList({"", "141.00000", "142.00000", "143.00000", "145.00000"}));
        f.action("editDeleteChannels")->trigger();
        QCOMPARE(receive(1, 5),
                 QStringList({"141.00000", "142.00000", "143.00000", "145.00000", "146.00000"}));
    }

    // Export writes what the command line's export writes for the saved file; an import replaces
    // the channels alone, as one step.
    void csvFiles() {
        f.typeChannel(2, "146.5");
        f.messenger->savePaths << f.path(QStringLiteral("a.sin")) << f.path(QStringLiteral("a"));
        f.key(Qt::Key_S);
        f.action("fileExportCsv")->trigger();
        QCOMPARE(f.status(),
                 QStringLiteral("信道表已导出到 %1。").arg(f.path(QStringLiteral("a.csv"))));
        MemoryImage saved;
        QVERIFY(DocumentFile::Load(f.path(QStringLiteral("a.sin")), saved));
        const ChannelTable decoded = WindowFixture::decoded(saved);
        QFile exported(f.path(QStringLiteral("a.csv")));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), ChannelCsv::Export(decoded));

        // The radio's columns only, as the lines below give them.
        const QByteArray header =
            ChannelColumns::Headers(ChannelColumns::InImage).join(',').toUtf8() + "\r\n";
        QVERIFY(f.writeFile(QStringLiteral("good.csv"), header + "4,150,,,,,,,,,,\r\n"));
        f.image().WriteByte(0x3C0, 3); // an option the import must keep
        const MemoryImage options = f.image();
        f.messenger->openPaths << f.path(QStringLiteral("good.csv"));
        f.action("fileImportCsv")->trigger();
        QCOMPARE(receive(1, 4), QStringList({"", "", "", "150.00000"}));
        QVERIFY(f.image() == options);
        QCOMPARE(f.action("editUndo")->text(), QStringLiteral("撤销(&U) 导入 CSV"));
        f.key(Qt::Key_Z);
        QCOMPARE(receive(1, 4), QStringList({"", "146.50000", "", ""}));

        // A file far larger than any channel list is refused by its size; an export that
        // cannot be written says so.
        QVERIFY(f.writeFile(QStringLiteral("huge.csv"),
                            header + QByteArray(ChannelCsv::kMaxFileSize, '\n')));
        f.messenger->openPaths << f.path(QStringLiteral("huge.csv"));
        f.action("fileImportCsv")->trigger();
        f.messenger->savePaths << f.path(QStringLiteral("no/such/folder/b.csv"));
        f.action("fileExportCsv")->trigger();
        const QStringList boxes = f.messenger->boxes();
        QVERIFY2(boxes.size() == 2 && boxes[0].contains("远大于") && boxes[1].contains("b.csv"),
                 qPrintable(boxes.join('\n')));
        QCOMPARE(receive(1, 4), QStringList({"", "146.50000", "", ""}));

        // A list longer than the radio is offered for its first 16 channels.
        QVERIFY(f.writeFile(QStringLiteral("long.csv"),
                            "Frequency\n" + QByteArray("147.5\n").repeated(17)));
        f.messenger->openPaths << f.path(QStringLiteral("long.csv"))
                               << f.path(QStringLiteral("long.csv"));
        f.action("fileImportCsv")->trigger();
        QCOMPARE(receive(1, 4), QStringList({"", "146.50000", "", ""}));
        f.messenger->choiceAnswers << true;
        f.action("fileImportCsv")->trigger();
        QCOMPARE(f.messenger->offered, QStringList(2, QStringLiteral("只取前 16 个")));
        QCOMPARE(receive(15, 16), QStringList(2, QStringLiteral("147.50000")));
    }

    // A dropped .csv is imported; a dropped .sin is opened after the unsaved-changes question.
    void droppedFiles() {
        f.typeChannel(1, "145");
        f.messenger->savePaths << f.path(QStringLiteral("one.sin"));
        f.key(Qt::Key_S);
        const QByteArray header =
            ChannelColumns::Headers(ChannelColumns::InImage).join(',').toUtf8() + "\r\n";
        QVERIFY(f.writeFile(QStringLiteral("list.csv"), header + "2,147,,,,,,,,,,\r\n"));
        // While a transfer runs the window refuses the drag: the cursor says so, nothing changes.
        f.action("actionReadData")->trigger();
        f.dialog()->startButton()->setEnabled(false);
        QVERIFY(f.transfer()->isBusy());
        QVERIFY(!drop(f.path(QStringLiteral("list.csv"))));
        f.dialog()->startButton()->setEnabled(true);
        f.dialog()->closeWindow();
        QCOMPARE(receive(1, 2), QStringList({"145.00000", ""}));

        QVERIFY(drop(f.path(QStringLiteral("list.csv"))));
        QCOMPARE(receive(1, 2), QStringList({"", "147.00000"}));
        QCOMPARE(f.status(), QStringLiteral("已从 list.csv 导入信道表；“撤销”可以撤回这次导入。"));

        f.messenger->saveAnswers << Messenger::SaveChoice::Discard;
        drop(f.path(QStringLiteral("one.sin")));
        QCOMPARE(f.messenger->shown.size(), 1); // the question
        QCOMPARE(receive(1, 2), QStringList({"145.00000", ""}));
        QVERIFY(!f.action("editUndo")->isEnabled());
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_edit_commands.moc"
