// Reading and writing the simulated radio from the window, as a user does it: menu, toolbar and
// keys, the progress dialog's Start and Cancel, and whatever else gets clicked meanwhile.

#include "window_fixture.h"
#include "channel_codec.h"
#include "command_ids.h"
#include "document_file.h"
#include "image_map.h"
#include "new_document.h"
#include "optional_features_dialog.h"
#include "port_names.h"
#include "qt_serial_port.h"
#include "radio_sim_process.h"
#include "transfer_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace Id = CommandId;

namespace {

const QStringList kDefaultTail = {QStringLiteral("关"), QStringLiteral("关"), QStringLiteral("否"),
                                  QStringLiteral("高"), QStringLiteral("是"), QStringLiteral("宽"),
                                  QStringLiteral("否"), QStringLiteral("否"), QStringLiteral("是")};

InMemoryChannelTable Decoded(const MemoryImage& image) {
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    return table;
}

// What the radio holds before a read: one channel on row 2 and squelch level 7.
MemoryImage RadioMemory() {
    MemoryImage image = NewDocumentImage();
    InMemoryChannelTable table = Decoded(image);
    table.setCellText(2, 1, QStringLiteral("150.12500"));
    table.setCellText(2, 2, QStringLiteral("151.50000"));
    for (int i = 0; i < kDefaultTail.size(); ++i) {
        table.setCellText(2, 3 + i, kDefaultTail.at(i));
    }
    EncodeChannels(table, image);
    image.WriteByte(ImageMap::kSquelchLevel, 7);
    return image;
}

QStringList TableTexts(const ChannelTable& table) {
    QStringList texts;
    for (int row = 1; row < 17; ++row) {
        for (int col = 1; col < 12; ++col) {
            texts.append(table.cellText(row, col));
        }
    }
    return texts;
}

} // namespace

class TestWindowTransfer : public QObject {
    Q_OBJECT

private:
    WindowFixture f;
    std::unique_ptr<RadioSimProcess> m_radio;

    CTransferDlg* dialog() const { return f.view()->m_pTransferDlg; }

    // The simulated radio on COM1, holding memory and saving what it is written to radio.sin.
    bool startRadio(const MemoryImage& memory, QStringList options = {}) {
        if (!DocumentFile::Save(f.path("memory.sin"), memory)) {
            return false;
        }
        options << QStringLiteral("--save") << f.path("radio.sin") << f.path("memory.sin");
        m_radio = std::make_unique<RadioSimProcess>(options);
        qputenv("QTR318_COM1", m_radio->path().toLocal8Bit());
        return !m_radio->path().isEmpty();
    }
    // Stops the radio, which saves its memory on the way out.
    MemoryImage radioMemory() {
        m_radio->stop();
        MemoryImage image;
        DocumentFile::Load(f.path("radio.sin"), image);
        return image;
    }
    // Presses Start and waits until the transfer has closed the dialog.
    bool startAndWait() {
        if (!dialog()->IsWindowOpen()) {
            return false;
        }
        QTest::mouseClick(dialog()->startButton(), Qt::LeftButton);
        return QTest::qWaitFor(
            [this] { return !dialog()->IsWindowOpen() && !f.view()->IsTransferBusy(); }, 30000);
    }
    // Runs action once, from inside the transfer's progress step, when block is done.
    void atBlock(int block, std::function<void()> action) {
        auto pending = std::make_shared<bool>(true);
        connect(dialog()->progressBar(), &QProgressBar::valueChanged, this,
                [block, action, pending](int value) {
                    if (value == block && *pending) {
                        *pending = false;
                        action();
                    }
                });
    }
    QStringList viewTexts() const { return TableTexts(*f.view()); }
    // The user's next key goes to the main window, as after a click on it.
    bool activateFrame() const {
        QApplication::setActiveWindow(f.frame());
        return QTest::qWaitForWindowActive(f.frame());
    }
    // Types a channel into the grid while the transfer pumps events, after a click on the window.
    void typeChannelMeanwhile(int row, const QString& frequency) const {
        QApplication::setActiveWindow(f.frame());
        f.typeChannel(row, frequency);
    }

private slots:
    void initTestCase() {
        QVERIFY(!qEnvironmentVariableIsEmpty("QTR318_BUILD_DIR"));
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() { QVERIFY(f.start()); }
    void cleanup() {
        f.stop();
        m_radio.reset();
    }

    void readFillsTheTableAndTheOptions() {
        QVERIFY(startRadio(RadioMemory()));
        f.frame()->CommandAction(Id::kReadData)->trigger();
        QVERIFY(dialog()->IsWindowOpen());
        QCOMPARE(dialog()->windowTitle(), QStringLiteral("读数据"));
        const QPoint gridCentre = f.grid()->mapToGlobal(f.grid()->rect().center());
        QVERIFY((dialog()->geometry().center() - gridCentre).manhattanLength() <= 4);
        QVERIFY(startAndWait());
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.12500"));
        QCOMPARE(f.cell(2, 2), QStringLiteral("151.50000"));
        QCOMPARE(f.cell(1, 1), QString());
        QCOMPARE(TheImage().ReadByte(ImageMap::kSquelchLevel), std::uint8_t{7});
        QCOMPARE(dialog()->countLabel()->text(), QStringLiteral("114"));
        QVERIFY(f.doc()->IsModified());
        QVERIFY(f.messenger->shown.isEmpty());
    }

    void writeSendsWhatTheTableShowsAsStartFoundIt() {
        QVERIFY(startRadio(NewDocumentImage()));
        f.typeChannel(1, "145.5");
        f.grid()->SetRow(3);
        f.grid()->SetCol(1);
        f.grid()->setFocus();
        for (char ch : QByteArray("146.25")) {
            QTest::keyClick(QApplication::focusWidget(), ch);
        }
        QVERIFY(f.view()->IsCellEditorOpen()); // still being typed when Ctrl+W comes
        f.key(Qt::Key_W);
        QCOMPARE(dialog()->windowTitle(), QStringLiteral("写数据"));
        QCOMPARE(f.cell(3, 1), QStringLiteral("146.25000"));
        const QStringList written = viewTexts();
        // An edit made while the blocks go out belongs to the next write, not to this one.
        atBlock(10, [this] { typeChannelMeanwhile(6, "147"); });
        QVERIFY(startAndWait());
        QCOMPARE(f.cell(6, 1), QStringLiteral("147.00000"));
        QCOMPARE(TableTexts(Decoded(radioMemory())), written);
        QVERIFY(f.messenger->shown.isEmpty());
    }

    void cancelDuringReadLeavesImageAndTable() {
        QVERIFY(startRadio(RadioMemory()));
        f.typeChannel(4, "140");
        f.doc()->SetModifiedFlag(false);
        const MemoryImage imageBefore = TheImage();
        const QStringList tableBefore = viewTexts();
        atBlock(50, [this] { QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton); });
        f.key(Qt::Key_R);
        QVERIFY(startAndWait());
        QCOMPARE(dialog()->GetPos(), 50);
        QVERIFY(TheImage() == imageBefore);
        QCOMPARE(viewTexts(), tableBefore);
        QVERIFY(!f.doc()->IsModified());
        QVERIFY(f.messenger->shown.isEmpty());

        // The port was let go: the next read finds the radio again.
        QVERIFY(activateFrame());
        f.key(Qt::Key_R);
        QVERIFY(startAndWait());
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.12500"));
        QCOMPARE(f.cell(4, 1), QString());
    }

    void programModeRetryMakesOneMoreAttempt() {
        QVERIFY(startRadio(RadioMemory(), {QStringLiteral("--ignore-prog"), QStringLiteral("6")}));
        f.messenger->retryAnswers << true << true;
        f.key(Qt::Key_R);
        QVERIFY(startAndWait());
        // Five silent attempts, a question, the sixth attempt, a question, the seventh answered.
        QCOMPARE(f.messenger->retryQuestions, 2);
        QCOMPARE(f.messenger->shown.at(0).caption, QStringLiteral("Error"));
        QCOMPARE(f.messenger->shown.at(0).text, QStringLiteral("通信错误"));
        QCOMPARE(f.messenger->shown.size(), 2);
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.12500"));
    }

    void programModeCancelEndsQuietly() {
        QVERIFY(
            startRadio(RadioMemory(), {QStringLiteral("--ignore-prog"), QStringLiteral("all")}));
        f.messenger->retryAnswers << false;
        f.key(Qt::Key_R);
        QVERIFY(startAndWait());
        QCOMPARE(f.messenger->retryQuestions, 1);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(2, 1), QString());
        QVERIFY(!f.doc()->IsModified());
    }

    void directionFollowsTheLastCommandCaptionTheFirst() {
        QVERIFY(startRadio(NewDocumentImage()));
        f.typeChannel(1, "150");
        f.frame()->OnCommand(Id::kReadData);
        f.frame()->OnCommand(Id::kWriteData);
        QCOMPARE(dialog()->windowTitle(), QStringLiteral("读数据"));
        // Read chosen during the write changes nothing of the running write.
        atBlock(20, [this] {
            f.frame()->OnCommand(Id::kReadData);
            typeChannelMeanwhile(2, "160");
        });
        QVERIFY(startAndWait());
        QCOMPARE(f.view()->m_bWrite, 0);
        const InMemoryChannelTable radio = Decoded(radioMemory());
        QCOMPARE(radio.cellText(1, 1), QStringLiteral("150.00000"));
        QCOMPARE(radio.cellText(2, 1), QString());
        QCOMPARE(f.cell(2, 1), QStringLiteral("160.00000"));
        QVERIFY(f.messenger->shown.isEmpty());
    }

    void closingTheWindowCancelsThenAsksAsUsual() {
        QVERIFY(startRadio(RadioMemory()));
        f.typeChannel(5, "140");
        f.messenger->saveAnswers << Messenger::SaveChoice::Discard;
        bool closedAtOnce = true;
        atBlock(30, [this, &closedAtOnce] { closedAtOnce = f.frame()->close(); });
        f.key(Qt::Key_R);
        QTest::mouseClick(dialog()->startButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f.frame()->isVisible(), 30000);
        QVERIFY(!closedAtOnce);
        QVERIFY(!dialog()->IsWindowOpen());
        QVERIFY(!f.view()->IsTransferBusy());
        QCOMPARE(f.messenger->shown.size(), 1); // the unsaved-changes question, nothing else
        QVERIFY(f.messenger->shown.at(0).text.startsWith(QStringLiteral("是否保存")));
        QCOMPARE(f.cell(2, 1), QString()); // the read did not finish

        QtSerialPort port; // free again for anyone
        QVERIFY(port.Open(m_radio->path()));
        port.Close();
    }

    void closingAfterStartBeforeTheTransferBegins() {
        QVERIFY(startRadio(RadioMemory()));
        f.key(Qt::Key_R);
        // Start and the close in one go: the transfer must not begin under a closing window.
        dialog()->startButton()->click();
        QVERIFY(!f.frame()->close());
        QTRY_VERIFY_WITH_TIMEOUT(!f.frame()->isVisible(), 10000);
        QVERIFY(!dialog()->IsWindowOpen());
        QCOMPARE(f.cell(2, 1), QString());
        QVERIFY(f.messenger->shown.isEmpty());
    }

    void documentCommandsRefusedWhileTransferRuns() {
        QVERIFY(startRadio(RadioMemory()));
        TheImage().WriteByte(0x000, 0xAB); // never travels; New or Open would replace it
        f.doc()->SetModifiedFlag(false);
        f.messenger->openPaths << f.path("memory.sin");
        f.messenger->savePaths << f.path("saved.sin");
        bool modalSeen = false;
        QTimer watchdog; // a dialog that should not have opened must not hang the test
        connect(&watchdog, &QTimer::timeout, this, [&modalSeen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalSeen = true;
                modal->close();
            }
        });
        watchdog.start(50);
        const int refused[] = {Id::kFileNew,        Id::kFileOpen,         Id::kFileSave,
                               Id::kFileSaveAs,     Id::kFilePrint,        Id::kFilePrintPreview,
                               Id::kFilePrintSetup, Id::kOptionalFeatures, Id::kTuning};
        QStringList enabledDuring;
        atBlock(10, [&] {
            for (int command : refused) {
                if (f.frame()->CommandAction(command)->isEnabled()) {
                    enabledDuring << QString::number(command);
                }
                f.frame()->OnCommand(command);
            }
            QApplication::setActiveWindow(f.frame());
            f.key(Qt::Key_N);
            f.key(Qt::Key_S);
            f.key(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
            f.frame()->OnCommand(Id::kWriteData); // changes the next transfer only
        });
        f.frame()->OnCommand(Id::kReadData);
        QVERIFY(startAndWait());
        QCOMPARE(enabledDuring, QStringList());
        QVERIFY(!modalSeen);
        QCOMPARE(TheImage().ReadByte(0x000), std::uint8_t{0xAB});
        QCOMPARE(f.messenger->openPaths.size(), 1);
        QCOMPARE(f.messenger->savePaths.size(), 1);
        QVERIFY(!QFile::exists(f.path("saved.sin")));
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.12500")); // still a read
        QCOMPARE(dialog()->windowTitle(), QStringLiteral("读数据"));
        QCOMPARE(f.view()->m_bWrite, 1);
        for (int command : refused) {
            QVERIFY(f.frame()->CommandAction(command)->isEnabled());
        }
    }

    void cannotOpenNamesThePortAndTheReason() {
        qputenv("QTR318_COM3", "/nonexistent/qtr318-tty");
        f.frame()->OnCommand(Id::kPortCom3);
        QVERIFY(f.frame()->CommandAction(Id::kPortCom3)->isChecked());
        QVERIFY(!f.frame()->CommandAction(Id::kPortCom1)->isChecked());
        f.typeChannel(1, "150");
        f.frame()->OnCommand(Id::kWriteData);
        QVERIFY(startAndWait());
        QCOMPARE(f.messenger->shown.size(), 1);
        const ScriptedMessenger::Shown box = f.messenger->shown.at(0);
        QCOMPARE(box.caption, QStringLiteral("错误"));
        QCOMPARE(box.text, QStringLiteral("不能打开串口COM3"));
        QVERIFY(box.detail.contains(QStringLiteral("dialout")));
        QVERIFY(box.detail.size() > PortNames::AccessHint().size()); // the system's reason too
        // Encoding comes before the port.
        QCOMPARE(Decoded(TheImage()).cellText(1, 1), QStringLiteral("150.00000"));
    }

    void optionCommandsOpenTheirDialogs() {
        f.doc()->SetModifiedFlag(false);
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            auto* options = qobject_cast<COptionalFeaturesDlg*>(QApplication::activeModalWidget());
            if (!options) {
                return;
            }
            seen = options->windowTitle();
            QComboBox* squelch = options->list(OptionList::Squelch);
            squelch->setCurrentIndex((squelch->currentIndex() + 1) % squelch->count());
            options->okButton()->click();
        });
        f.frame()->CommandAction(Id::kOptionalFeatures)->trigger();
        QCOMPARE(seen, QStringLiteral("可选功能"));
        QVERIFY(f.doc()->IsModified());

        f.doc()->SetModifiedFlag(false);
        seen.clear();
        QVERIFY(activateFrame());
        QTimer::singleShot(0, this, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->windowTitle();
                modal->close();
            }
        });
        f.key(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(seen, QStringLiteral("密码"));
        QVERIFY(!f.doc()->IsModified());
    }
};

QTEST_MAIN(TestWindowTransfer)
#include "test_window_transfer.moc"
