// The option, tuning and progress dialogs on their own. Where each value lives in the image and
// which byte a list entry stores is the settings codec's test.
#include "combo_speech.h"
#include "image_map.h"
#include "new_document.h"
#include "option_commands.h"
#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "scripted_messenger.h"
#include "spoken_notice.h"
#include "transfer_dialog.h"
#include "tuning_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace ImageMap;

namespace {

constexpr int kNone = kTuningNone;
constexpr int kAfInput = 1090, kAfCoarse = 1091, kAfFine = 1098, kTxFine = 1099, kWideCtcss = 1100;

// What the option dialog shows: each list's text in the lists' order, then the two boxes.
QStringList Shown(const OptionalFeaturesDialog& dlg) {
    QStringList texts;
    for (int list = 0; list <= int(OptionList::Language); ++list) {
        texts.append(dlg.list(OptionList(list))->currentText());
    }
    return texts << (dlg.beepBox()->isChecked() ? "beep" : "")
                 << (dlg.voxBox()->isChecked() ? "vox" : "");
}

// Types into a box as a user would: focus, select all, type.
void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Plays the user at the dialogs the tuning command opens: types the password and presses Enter,
// notes what each dialog showed, and makes one change in the tuning dialog if it comes.
struct CommandUser : QObject {
    QString password;
    QStringList seen;
    CommandUser() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dlg = qobject_cast<QDialog*>(watched);
        if (dlg && event->type() == QEvent::Show) {
            QTimer::singleShot(0, dlg, [this, dlg] {
                const bool active = QTest::qWaitForWindowActive(dlg);
                seen << dlg->windowTitle() + (active ? "" : " (inactive)");
                auto* asked = qobject_cast<PasswordDialog*>(dlg);
                QLineEdit* edit = asked ? asked->passwordEdit() : nullptr;
                if (!edit) { // the tuning dialog: one change, then the close box
                    static_cast<TuningDialog*>(dlg)->list(kAfInput)->setCurrentIndex(0);
                    dlg->close();
                    return;
                }
                QTest::keyClicks(edit, password);
                const bool plain = edit->echoMode() == QLineEdit::Normal;
                seen << edit->text() << (edit->hasFocus() && plain ? "focused, plain" : "");
                QTest::keyClick(edit, Qt::Key_Return);
            });
        }
        return false;
    }
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    MemoryImage m_image;

    void showActive(QWidget& dlg) {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_image = NewDocumentImage(); }

    // An erased radio reads 0xFF everywhere: lists that cannot show such a value stay empty, and
    // confirming must not invent values for them. Only OK stores.
    void optionsStoreOnlyOnOk_data() {
        QTest::addColumn<bool>("erased");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("shown");
        const QStringList fresh = {"5", "关闭", "3", "0.4s", "10s", "无", "中文", "beep", ""};
        QTest::newRow("new document, OK") << false << "OK" << fresh;
        QTest::newRow("erased radio, OK")
            << true << "OK" << QStringList({"", "", "", "", "", "", "关闭", "beep", "vox"});
        QTest::newRow("Cancel") << false << "Cancel" << fresh;
        QTest::newRow("close box") << false << "close box" << fresh;
    }
    void optionsStoreOnlyOnOk() {
        QFETCH(bool, erased);
        QFETCH(QString, way);
        QFETCH(QStringList, shown);
        if (erased) {
            m_image.Fill(0xFF);
        }
        MemoryImage expected = m_image;
        OptionalFeaturesDialog dlg(nullptr, m_image);
        dlg.show();
        QCOMPARE(Shown(dlg), shown);
        dlg.list(OptionList::TimeOut)->setCurrentIndex(2);
        if (way == "OK") {
            expected.WriteByte(kTimeOutTimer, 60);
            // An erased radio's language shows "关闭", which stores neither bit.
            expected.WriteByte(kOptionBits, erased ? 0xE7 : expected.ReadByte(kOptionBits));
        }
        way == "OK"       ? QTest::mouseClick(dlg.okButton(), Qt::LeftButton)
        : way == "Cancel" ? QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton)
                          : void(dlg.close());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(way == "OK" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(m_image, expected);
        QCOMPARE(dlg.imageChanged(), way == "OK");
    }

    // Every label of the option and tuning dialogs takes Alt and a key of its own to its field;
    // a list's label gives a screen reader the list's value too, and the value a key chose.
    void labelsHaveKeysAndListsSayTheirValues() {
        ComboSpeech::Install();
        OptionalFeaturesDialog options(nullptr, m_image);
        TuningDialog tuning(nullptr, m_image);
        for (QDialog* dlg : std::initializer_list<QDialog*>{&options, &tuning}) {
            showActive(*dlg);
            QStringList keys;
            for (QLabel* label : dlg->findChildren<QLabel*>()) {
                const QString key = QKeySequence::mnemonic(label->text()).toString();
                QVERIFY2(label->buddy() && !key.isEmpty() && !keys.contains(key),
                         qPrintable(label->text()));
                keys << key;
            }
        }
        static QStringList said;
        SpokenNotice::SetListener([](QAccessibleEvent* event) {
            said << event->accessibleInterface()->text(QAccessible::Name);
        });
        showActive(options);
        QComboBox* squelch = options.list(OptionList::Squelch);
        squelch->setFocus();
        QTest::keyClick(squelch, Qt::Key_Down);
        SpokenNotice::SetListener(nullptr);
        QCOMPARE(said, QStringList({"6"}));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(squelch);
        QCOMPARE(list->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
                 QStringLiteral("静噪电平 6"));
    }

    // Switching stores the set on show, the bytes between the fields as they were, and shows the
    // other one.
    void tuningSetsSwitch() {
        TuningDialog dlg(nullptr, m_image);
        showActive(dlg);
        QTest::mouseClick(dlg.modeButton(1), Qt::LeftButton);
        QTest::mouseClick(dlg.modeButton(0), Qt::LeftButton);
        QCOMPARE(m_image, NewDocumentImage());
        QVERIFY(!dlg.imageChanged());
        TypeInto(dlg.edit(kTxFine), "123");
        dlg.list(kAfInput)->setCurrentIndex(2);
        QTest::mouseClick(dlg.modeButton(1), Qt::LeftButton);
        QCOMPARE(m_image.ReadByte(kNone + 10), std::uint8_t(123));
        QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("220"));

        dlg.list(kAfCoarse)->setCurrentIndex(0);
        QTest::mouseClick(dlg.modeButton(0), Qt::LeftButton);
        QCOMPARE(m_image.ReadByte(kTuningEmphasis + 1), std::uint8_t(0));
        QCOMPARE(dlg.edit(kTxFine)->text(), QStringLiteral("123"));
        QCOMPARE(dlg.list(kAfInput)->currentText(), QStringLiteral("+12"));
    }

    // Above 255 becomes 255, even with the focus still in the box; an emptied box warns and gets
    // its number back. Even Esc stores the set on show.
    void tuningNumbers() {
        ScriptedMessenger messenger;
        TuningDialog dlg(nullptr, m_image);
        showActive(dlg);
        QTest::mouseClick(dlg.modeButton(3), Qt::LeftButton);
        dlg.list(kAfCoarse)->setCurrentIndex(7);
        TypeInto(dlg.edit(kAfFine), "9x999"); // the letter and the fourth digit are refused
        QTest::keyClick(dlg.edit(kAfFine), Qt::Key_Tab);
        QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("255"));
        const QString ctcss = dlg.edit(kWideCtcss)->text();
        TypeInto(dlg.edit(kWideCtcss), "");
        QTest::keyClick(dlg.edit(kWideCtcss), Qt::Key_Backspace);
        dlg.edit(kAfFine)->setFocus();
        QCOMPARE(messenger.boxes(), QStringList("警告: 请输入一个整数。"));
        QCOMPARE(dlg.edit(kWideCtcss)->text(), ctcss);
        TypeInto(dlg.edit(kTxFine), "300");
        QTest::keyClick(dlg.edit(kTxFine), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(messenger.shown.size(), 1);
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 1), std::uint8_t(7));
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 2), std::uint8_t(255));
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 10), std::uint8_t(255));
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 16), std::uint8_t(ctcss.toInt()));
        QVERIFY(dlg.imageChanged());
    }

    // The tuning command opens its dialog only after the right password, in either case.
    void passwordGuardsTuning_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "529kmt"
                                    << "529KMT" << true;
        QTest::newRow("wrong") << "529KMT1"
                               << "529KMT1" << false;
    }
    void passwordGuardsTuning() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, accepted);
        ScriptedMessenger messenger;
        CommandUser user;
        user.password = typed;
        QCOMPARE(RunTuningCommand(nullptr, m_image), accepted);
        QStringList seen = {"密码", shown, "focused, plain"};
        QCOMPARE(user.seen, accepted ? seen << "参数调节" : seen);
        QCOMPARE(m_image.ReadByte(kNone) == 0, accepted);
        QCOMPARE(messenger.boxes(),
                 accepted ? QStringList() : QStringList("警告: 密码错误，不能打开参数调节"));
    }

    // The progress window: before Start, leaving closes it; while a transfer runs, leaving only
    // raises the flag the transfer polls, and the transfer closes the window itself. Opened
    // again, it waits afresh.
    void cancel_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("running");
        for (bool running : {false, true}) {
            for (const char* way : {"Cancel", "close box"}) {
                QTest::addRow("%s%s", way, running ? " while running" : "")
                    << QString(way) << running;
            }
        }
    }
    void cancel() {
        QFETCH(QString, way);
        QFETCH(bool, running);
        QSettings().remove(QStringLiteral("transfer/verifyAfterWrite"));
        QVERIFY(TransferDialog().verifyAfterWrite()); // until the user says otherwise
        TransferDialog dlg;
        QSignalSpy started(&dlg, &TransferDialog::startTransfer);
        QSignalSpy cancelled(&dlg, &TransferDialog::cancelTransfer);
        dlg.show();
        dlg.verifyBox()->setChecked(running);
        if (running) { // Start greys at once and starts the transfer once the click is handled
            QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
            QVERIFY(!dlg.startButton()->isEnabled() && started.isEmpty());
            QVERIFY(!dlg.verifyBox()->isEnabled()); // the running transfer took the choice
            QTRY_COMPARE(started.count(), 1);
            QTest::keyClick(&dlg, Qt::Key_Return); // cannot start a second transfer
            QCOMPARE(dlg.stepIt(), 1);
        }
        way == "Cancel" ? QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton) : void(dlg.close());
        QCOMPARE(dlg.isVisible(), running);
        QCOMPARE(dlg.cancelRequested(), running);
        QCOMPARE(cancelled.count(), int(running));
        dlg.closeWindow();
        QVERIFY(!dlg.isVisible());

        dlg.setTitle(QStringLiteral("写数据"));
        QVERIFY(dlg.openOver(nullptr));
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        // The read-back choice is remembered, by this window and the next one.
        QCOMPARE(dlg.verifyAfterWrite(), running);
        QCOMPARE(TransferDialog().verifyAfterWrite(), running);
        QVERIFY(!dlg.isModal() && dlg.startButton()->isDefault() && dlg.startButton()->hasFocus());
        QVERIFY(!dlg.cancelRequested() && dlg.startButton()->isEnabled());
        QCOMPARE(dlg.pos(), 0);
        QCOMPARE(dlg.stepIt(), 1); // the step is one block again
    }
};

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
