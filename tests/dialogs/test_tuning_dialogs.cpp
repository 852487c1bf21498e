#include "image_map.h"
#include "new_document.h"
#include "option_commands.h"
#include "password_dialog.h"
#include "scripted_messenger.h"
#include "tuning_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace ImageMap;

namespace {

constexpr int kNone = kTuningNone;
constexpr int kAfInput = 1090, kAfCoarse = 1091, kAfFine = 1098, kTxFine = 1099, kWideCtcss = 1100;

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

class TuningDialogsTest : public QObject {
    Q_OBJECT

    MemoryImage m_image;

    void showActive(QWidget& dlg) {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

private slots:
    void init() { m_image = NewDocumentImage(); }

    void switchingAnUntouchedSetChangesNothing() {
        TuningDialog dlg(nullptr, m_image);
        dlg.show();
        // Switching stores the untouched set as it was, the bytes between the fields included.
        QTest::mouseClick(dlg.modeButton(1), Qt::LeftButton);
        QCOMPARE(m_image, NewDocumentImage());
        QVERIFY(!dlg.imageChanged());
    }

    // Above 255 becomes 255; an emptied box warns and gets its number back.
    void numberBoxes() {
        ScriptedMessenger messenger;
        TuningDialog dlg(nullptr, m_image);
        showActive(dlg);
        TypeInto(dlg.edit(kAfFine), "9x999"); // the letter and the fourth digit are refused
        QTest::keyClick(dlg.edit(kAfFine), Qt::Key_Tab);
        QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("255"));
        TypeInto(dlg.edit(kWideCtcss), "");
        QTest::keyClick(dlg.edit(kWideCtcss), Qt::Key_Backspace);
        dlg.edit(kAfFine)->setFocus();
        QCOMPARE(messenger.boxes().value(0), QStringLiteral("警告: 请输入一个整数。"));
        QCOMPARE(dlg.edit(kWideCtcss)->text(), QStringLiteral("40"));
        dlg.close();
        QCOMPARE(messenger.shown.size(), 1);
        QCOMPARE(m_image.ReadByte(kNone + 2), std::uint8_t(255));
        QCOMPARE(m_image.ReadByte(kNone + 16), std::uint8_t(40));
    }

    void switchingSetsStoresAndReloads() {
        TuningDialog dlg(nullptr, m_image);
        showActive(dlg);
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

    // Even Esc stores the set on show.
    void escapeStoresTheShownSet() {
        TuningDialog dlg(nullptr, m_image);
        showActive(dlg);
        QTest::mouseClick(dlg.modeButton(3), Qt::LeftButton);
        dlg.list(kAfCoarse)->setCurrentIndex(7);
        TypeInto(dlg.edit(kWideCtcss), "99");
        TypeInto(dlg.edit(kTxFine), "300"); // the limit applies with the focus still in the box
        QTest::keyClick(dlg.edit(kTxFine), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 1), std::uint8_t(7));
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 10), std::uint8_t(255));
        QCOMPARE(m_image.ReadByte(kTuningScrambler + 16), std::uint8_t(99));
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
        QVERIFY(messenger.shown.isEmpty());
    }
};

QTEST_MAIN(TuningDialogsTest)
#include "test_tuning_dialogs.moc"
