// Reading and writing the simulated radio from the window, as a user does it: menu, toolbar and
// keys, the progress dialog's Start and Cancel, and whatever else gets clicked meanwhile.

#include "cable_doctor_dialog.h"
#include "document_file.h"
#include "held_port.h"
#include "image_map.h"
#include "log_location.h"
#include "new_document.h"
#include "programming_log.h"
#include "qt_serial_port.h"
#include "radio_memory.h"
#include "radio_sim_process.h"
#include "transfer_dialog.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QtWidgets>
#include <functional>

class TestWindowTransfer : public QObject {
    Q_OBJECT

private:
    WindowFixture f;
    std::unique_ptr<RadioSimProcess> m_radio;
    std::shared_ptr<BlockHold> m_hold;

    // The simulated radio on COM1, holding memory and saving what it is written to radio.sin.
    bool startRadio(const MemoryImage& memory, QStringList options = {}) {
        m_radio = RadioOnCom1(memory, f.path("memory.sin"),
                              options << QStringLiteral("--save") << f.path("radio.sin"));
        return m_radio != nullptr;
    }
    // The names of the images kept in the backup folder.
    QStringList backups() const {
        return QDir(f.backupFolder()).entryList({"*.sin"}, QDir::Files, QDir::Name);
    }
    // Stops the radio, which saves its memory on the way out.
    MemoryImage radioMemory() {
        m_radio->stop();
        MemoryImage image;
        DocumentFile::Load(f.path("radio.sin"), image);
        return image;
    }
    // Presses Start and waits until the transfer stands held on the line with blocks done.
    bool startHeldAt(int blocks) {
        m_hold = std::make_shared<BlockHold>(blocks);
        f.transfer()->worker()->setPortFactory(
            [hold = m_hold] { return std::make_unique<HeldPort>(hold); });
        QTest::mouseClick(f.dialog()->startButton(), Qt::LeftButton);
        return QTest::qWaitFor([this] { return m_hold->isHeld(); }, 30000);
    }
    // Lets the held transfer go on and waits until it has closed the dialog.
    bool releaseAndWait() {
        m_hold->release();
        return f.waitUntilDone();
    }
    // Runs action once, from inside the transfer's progress step, when block is done.
    void atBlock(int block, std::function<void()> action) {
        auto pending = std::make_shared<bool>(true);
        connect(f.dialog()->progressBar(), &QProgressBar::valueChanged, this,
                [block, action, pending](int value) {
                    if (value == block && *pending) {
                        *pending = false;
                        action();
                    }
                });
    }
    // Every modal dialog that comes up is noted and closed, so none can hang a transfer.
    QStringList m_modals;
    QTimer m_modalWatch;
    void answerModal() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_modals << modal->windowTitle();
            modal->close();
        }
    }
    // The user's next key goes to the main window, as after a click on it.
    bool activateFrame() const {
        QApplication::setActiveWindow(f.frame());
        return QTest::qWaitForWindowActive(f.frame());
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        connect(&m_modalWatch, &QTimer::timeout, this, &TestWindowTransfer::answerModal);
        m_modalWatch.start(20);
    }
    void init() {
        m_modals.clear();
        QVERIFY(f.start());
        f.dialog()->verifyBox()->setChecked(false); // the choice is remembered between runs
        QDir(f.backupFolder()).removeRecursively();
    }
    void cleanup() {
        if (m_hold) {
            m_hold->release(); // a test that failed half-way must not leave the worker held
        }
        f.stop();
        m_radio.reset();
    }

    // A box held open on the window (its own event loop, as About's) does not hold up the
    // blocks: they all arrive while it is up. What was read is kept as a backup too.
    void readFillsTheTableAndTheOptions() {
        QVERIFY(startRadio(RadioMemory()));
        const MemoryImage before = f.image();
        f.action("actionReadData")->trigger();
        QCOMPARE(f.dialog()->windowTitle(), QStringLiteral("读数据"));
        QVERIFY(!f.dialog()->verifyBox()->isVisible()); // a read has nothing to check
        // The window takes the focus and names its bar; the grid has the focus back after it.
        QTRY_COMPARE(QApplication::focusWidget(), f.dialog()->startButton());
        QCOMPARE(QAccessible::queryAccessibleInterface(f.dialog()->progressBar())
                     ->text(QAccessible::Name),
                 QStringLiteral("读数据"));
        bool allBlocksWhileHeld = false;
        QString phase;
        QString count;
        atBlock(20, [&] {
            phase = f.dialog()->phaseLabel()->text();
            count = f.dialog()->countLabel()->text();
            allBlocksWhileHeld =
                QTest::qWaitFor([this] { return f.dialog()->pos() == 114; }, 30000);
        });
        QVERIFY(f.startAndWait());
        QVERIFY(allBlocksWhileHeld);
        QCOMPARE(phase, QStringLiteral("读数据"));
        QCOMPARE(count, QStringLiteral("20 / 114"));
        QCOMPARE(f.status(), QStringLiteral("已从对讲机（COM1）读入数据。"));
        QTRY_COMPARE(QApplication::focusWidget(), f.grid());
        // The next opening counts from 0 again, and a write offers its check.
        f.action("actionWriteData")->trigger();
        QCOMPARE(f.dialog()->countLabel()->text(), QStringLiteral("0 / 114"));
        QVERIFY(f.dialog()->verifyBox()->isVisible());
        f.dialog()->closeWindow();
        QCOMPARE(f.row(2), QStringList({"150.12500", "151.50000"}) + kNewChannelTail);
        QCOMPARE(f.image().ReadByte(ImageMap::kSquelchLevel), std::uint8_t{7});
        QVERIFY(f.doc()->isModified());
        QCOMPARE(f.messenger->boxes(), QStringList());
        const QStringList names = backups();
        QVERIFY2(names.size() == 1 && names.at(0).endsWith("-COM1_read.sin"),
                 qPrintable(names.join(' ')));
        // The whole read is one step back to the table and options as they were.
        QVERIFY(activateFrame());
        f.key(Qt::Key_Z);
        QCOMPARE(f.row(2), QStringList(11));
        QVERIFY(f.image() == before);
        QVERIFY(!f.doc()->isModified());
    }

    void writeSendsWhatTheTableShowsAsStartFoundIt() {
        QVERIFY(startRadio(NewDocumentImage()));
        f.typeChannel(1, "145.5");
        f.moveTo(3, 1);
        f.type("146.25");
        QVERIFY(f.editorOpen()); // still being typed when Ctrl+W comes
        f.key(Qt::Key_W);
        QCOMPARE(f.dialog()->windowTitle(), QStringLiteral("写数据"));
        QCOMPARE(f.cell(3, 1), QStringLiteral("146.25000"));
        const QStringList written = f.tableTexts(f.channels());
        // An edit made while the blocks go out belongs to the next write, not to this one.
        QVERIFY(startHeldAt(10));
        QVERIFY(activateFrame());
        f.typeChannel(6, "147");
        QVERIFY(releaseAndWait());
        QCOMPARE(f.cell(6, 1), QStringLiteral("147.00000"));
        QCOMPARE(f.tableTexts(WindowFixture::decoded(radioMemory())), written);
        QCOMPARE(f.messenger->boxes(), QStringList());
        QCOMPARE(f.status(), QStringLiteral("数据已写入对讲机（COM1）。"));
    }

    // The same window and worker then read to the end, over an edit made meanwhile, which the
    // status bar mentions and Undo brings back.
    void cancelDuringReadLeavesImageAndTable() {
        QVERIFY(startRadio(RadioMemory()));
        f.typeChannel(4, "140");
        f.doc()->setModified(false);
        const MemoryImage imageBefore = f.image();
        const QStringList tableBefore = f.tableTexts(f.channels());
        f.key(Qt::Key_R);
        QVERIFY(startHeldAt(50));
        QTest::mouseClick(f.dialog()->cancelButton(), Qt::LeftButton);
        QVERIFY(releaseAndWait());
        QVERIFY(f.image() == imageBefore);
        QCOMPARE(f.tableTexts(f.channels()), tableBefore);
        QVERIFY(!f.doc()->isModified());
        QCOMPARE(f.messenger->boxes(), QStringList());
        QVERIFY(backups().isEmpty());
        QCOMPARE(f.status(), QStringLiteral("读数据已取消（COM1），窗口里的数据没有改变。"));

        f.action("actionReadData")->trigger();
        QVERIFY(f.dialog()->isWindowOpen());
        QVERIFY(startHeldAt(30));
        QVERIFY(activateFrame());
        f.typeChannel(7, "141");
        QVERIFY(releaseAndWait());
        QCOMPARE(f.row(2), QStringList({"150.12500", "151.50000"}) + kNewChannelTail);
        QCOMPARE(f.messenger->boxes(), QStringList());
        QCOMPARE(f.status(), QStringLiteral("已从对讲机（COM1）读入数据。"
                                            "读数据期间在表格里做的修改已被替换，撤销可以找回。"));
        f.key(Qt::Key_Z);
        QCOMPARE(f.cell(7, 1), QStringLiteral("141.00000"));
    }

    // Five silent attempts at program mode, then a question per further attempt, asked on the
    // window's thread; Retry makes exactly one more (how Cancel ends is the worker's test).
    void programModeRetry() {
        QVERIFY(startRadio(RadioMemory(), {QStringLiteral("--ignore-prog"), QStringLiteral("6")}));
        f.messenger->retryAnswers << true << true << false;
        f.key(Qt::Key_R);
        QVERIFY(f.startAndWait());
        QCOMPARE(f.messenger->boxes(), QStringList(2, "Error: 通信错误"));
        QCOMPARE(f.messenger->offWindowThread, 0);
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.12500"));
        QVERIFY(f.doc()->isModified());
    }

    // Closing cancels the transfer first, then asks about unsaved changes as usual.
    void closingDuringATransfer() {
        QVERIFY(startRadio(RadioMemory()));
        f.typeChannel(5, "140");
        f.messenger->saveAnswers << Messenger::SaveChoice::Discard;
        f.key(Qt::Key_R);
        QVERIFY(startHeldAt(30));
        QVERIFY(!f.frame()->close());
        m_hold->release();
        QTRY_VERIFY_WITH_TIMEOUT(!f.frame()->isVisible(), 30000);
        QVERIFY(!f.dialog()->isWindowOpen() && !f.transfer()->isBusy());
        QCOMPARE(f.messenger->shown.size(), 1); // the unsaved-changes question, nothing else
        QVERIFY(f.messenger->shown.at(0).text.startsWith(QStringLiteral("是否保存")));
        QCOMPARE(f.cell(2, 1), QString()); // the read did not finish
        QtSerialPort port;                 // free again for anyone
        QVERIFY(port.Open(m_radio->path()));
        port.Close();
    }

    // A write stops on Cancel or Esc; a close box or closing the window asks first, the write
    // going on meanwhile, and only Yes stops it. A stopped write says what the radio took, in a
    // box, the status bar and the log.
    void stoppingAWrite_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("stop");
        QTest::newRow("Cancel") << "Cancel" << true;
        QTest::newRow("Esc") << "Esc" << true;
        QTest::newRow("close box, stop") << "close box" << true;
        QTest::newRow("close box, go on") << "close box" << false;
        QTest::newRow("window closed, stop") << "window" << true;
        QTest::newRow("window closed, go on") << "window" << false;
    }
    void stoppingAWrite() {
        QFETCH(QString, way);
        QFETCH(bool, stop);
        QVERIFY(startRadio(NewDocumentImage()));
        QFile::remove(f.path("log.sqlite")); // of the row before
        qputenv("QTR318_LOG", f.path("log.sqlite").toLocal8Bit());
        f.typeChannel(1, "145.5");
        f.messenger->yesNoAnswers << stop;
        f.messenger->saveAnswers << Messenger::SaveChoice::Discard;
        f.key(Qt::Key_W);
        QVERIFY(startHeldAt(60));
        if (way == "Cancel") {
            QTest::mouseClick(f.dialog()->cancelButton(), Qt::LeftButton);
        } else if (way == "Esc") {
            QTest::keyClick(f.dialog(), Qt::Key_Escape);
        } else {
            (way == "window" ? static_cast<QWidget*>(f.frame()) : f.dialog())->close();
        }
        QStringList asked;
        if (way == "close box" || way == "window") {
            asked
                << "警告: 正在写入对讲机。停止会使对讲机只写入一部分：新旧数据混杂，必须重新写入。"
                   "要停止写入吗？";
        }
        if (way == "window" && stop) {
            asked << "警告: 是否保存对 无标题 的更改?";
        }
        QCOMPARE(f.messenger->boxes(), asked);
        QVERIFY(f.dialog()->isWindowOpen() && m_hold->isHeld());
        QVERIFY(releaseAndWait());
        QTRY_COMPARE_WITH_TIMEOUT(f.frame()->isVisible(), !(way == "window" && stop), 30000);
        const QString unfinished = "写入没有完成：对讲机确认收到 61 块（共 114 块）后就中断了，"
                                   "现在它里面是新旧混杂的数据。请重新写入。";
        const QString said = stop ? "写数据已取消（COM1）。" + unfinished
                                  : QStringLiteral("数据已写入对讲机（COM1）。");
        QCOMPARE(f.status(), said);
        QCOMPARE(f.messenger->boxes(), stop ? asked << "警告: " + said : asked);
        QList<ProgrammingRecord> records;
        const ProgrammingLog log(LogLocation::FromSetting(f.path("log.sqlite")));
        QVERIFY(QTest::qWaitFor(
            [&] { return log.records(LogFilter(), &records).ok && !records.isEmpty(); }, 30000));
        QCOMPARE(records.at(0).result, stop ? ProgrammingRecord::Result::Cancelled
                                            : ProgrammingRecord::Result::Succeeded);
        QCOMPARE(records.at(0).message, stop ? unfinished : QString());
        qunsetenv("QTR318_LOG");
    }

    // Write chosen while the Read dialog waits runs a write under its caption. Meanwhile the grid
    // takes edits for the next write, Read only chooses the next direction, and the file, print
    // and option commands are refused, from menus and keys alike.
    void commandsDuringATransfer() {
        QVERIFY(startRadio(NewDocumentImage()));
        f.typeChannel(1, "150");
        f.image().WriteByte(0x000, 0xAB); // never travels; New or Open would replace it
        f.action("actionReadData")->trigger();
        f.action("actionWriteData")->trigger();
        const char* const refused[] = {
            "actionFileNew",        "actionFileOpen",         "actionFileSave",
            "actionFileSaveAs",     "actionFilePrint",        "actionFilePrintPreview",
            "actionFilePrintSetup", "actionOptionalFeatures", "actionTuning"};
        QStringList enabledDuring;
        QVERIFY(startHeldAt(20));
        for (const char* command : refused) {
            if (f.action(command)->isEnabled()) {
                enabledDuring << QLatin1String(command);
            }
            f.action(command)->trigger();
        }
        f.action("actionReadData")->trigger();
        QVERIFY(activateFrame());
        f.typeChannel(2, "160");
        QVERIFY(releaseAndWait());
        QCOMPARE(enabledDuring, QStringList());
        QCOMPARE(m_modals, QStringList());
        QCOMPARE(f.messenger->boxes(), QStringList());
        QCOMPARE(f.image().ReadByte(0x000), std::uint8_t{0xAB});
        QCOMPARE(f.dialog()->windowTitle(), QStringLiteral("读数据"));
        QCOMPARE(f.transfer()->direction(), TransferDirection::Read);
        const ChannelTable radio = WindowFixture::decoded(radioMemory());
        QCOMPARE(radio.cellText(1, 1), QStringLiteral("150.00000"));
        QCOMPARE(radio.cellText(2, 1), QString());
        QCOMPARE(f.cell(2, 1), QStringLiteral("160.00000"));
    }

    void cannotOpenNamesThePortAndTheReason() {
        qputenv("QTR318_COM3", "/nonexistent/qtr318-tty");
        f.action("actionPortCom3")->trigger();
        f.typeChannel(1, "150");
        f.action("actionWriteData")->trigger();
        f.messenger->choiceAnswers.enqueue(true);
        QVERIFY(f.startAndWait());
        QCOMPARE(f.messenger->boxes(), QStringList({"错误: 不能打开串口COM3"}));
        QVERIFY(
            f.messenger->shown.at(0).detail.contains(QStringLiteral("/nonexistent/qtr318-tty")));
        QCOMPARE(f.messenger->offered, QStringList({"串口诊断..."}));
        auto* doctor = f.frame()->findChild<CableDoctorDialog*>();
        QVERIFY(doctor && doctor->isVisible());
        doctor->close();
    }

    // A read-back stopped by its close box need not ask: the write is done, unchecked. (A
    // read-back that finds a block stored wrong is the station test's.)
    void stoppingTheReadBack() {
        QVERIFY(startRadio(RadioMemory()));
        f.typeChannel(1, "145.125");
        f.key(Qt::Key_W);
        f.dialog()->verifyBox()->setChecked(true);
        m_hold = std::make_shared<BlockHold>(30);
        f.transfer()->worker()->setPortFactory(
            [hold = m_hold, ports = 0]() mutable -> std::unique_ptr<SerialPort> {
                if (ports++ == 0) {
                    return std::make_unique<QtSerialPort>();
                }
                return std::make_unique<HeldPort>(hold);
            });
        QTest::mouseClick(f.dialog()->startButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([this] { return m_hold->isHeld(); }, 30000));
        QTRY_COMPARE(f.dialog()->phaseLabel()->text(), QStringLiteral("写后校验"));
        f.dialog()->close();
        QVERIFY(releaseAndWait());
        QCOMPARE(f.messenger->boxes(), QStringList());
        QCOMPARE(f.status(), QStringLiteral("数据已写入对讲机（COM1），但没有校验。"));
    }
};

QTEST_MAIN(TestWindowTransfer)
#include "test_window_transfer.moc"
