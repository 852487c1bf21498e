#include "image_map.h"
#include "new_document.h"
#include "option_commands.h"
#include "password_dialog.h"
#include "scripted_messenger.h"
#include "tuning_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

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

// Answers the next modal dialog of type T once it is up.
template <typename T, typename Act> void WhenModal(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dlg) {
            WhenModal<T>(act);
            return;
        }
        act(dlg);
    });
}

// Notes (and closes) any tuning dialog that appears.
class TuningShowWatcher : public QObject {
public:
    explicit TuningShowWatcher(bool& seen) : m_seen(seen) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<CTuningDlg*>(watched)) {
            m_seen = true;
            QTimer::singleShot(0, static_cast<QWidget*>(watched), &QWidget::close);
        }
        return false;
    }

private:
    bool& m_seen;
};

} // namespace

class TuningDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_image = NewDocumentImage(); }

    void newDocumentShowsTheNoneSet();
    void numbersAboveTheLimitBecome255();
    void emptyBoxWarnsAndGetsItsNumberBack();
    void switchingSetsStoresAndReloads();
    void everyWayOfClosingStoresTheShownSet_data();
    void everyWayOfClosingStoresTheShownSet();
    void listByteBeyondTheListShowsAndStoresEntryZero();

    void password_data();
    void password();
    void commandOpensTuningOnlyAfterThePassword();

private:
    void showActive(QWidget& dlg) {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

    MemoryImage m_image;
};

void TuningDialogsTest::newDocumentShowsTheNoneSet() {
    CTuningDlg dlg(nullptr, m_image);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("参数调节"));
    QVERIFY(dlg.modeButton(0)->isChecked());
    QCOMPARE(dlg.modeButton(0)->text(), QStringLiteral("无"));
    QCOMPARE(dlg.m_blockAddress, kNone);

    const QStringList lists = {"+6", "-12", "388", "Style1", "+18", "+6", "97", "Style0"};
    for (int id = 1090; id <= 1097; ++id) {
        QCOMPARE(dlg.list(id)->currentText(), lists[id - 1090]);
    }
    const QStringList numbers = {"200", "0", "40", "20", "51", "25", "114", "57"};
    for (int id = 1098; id <= 1105; ++id) {
        QCOMPARE(dlg.edit(id)->text(), numbers[id - 1098]);
        QCOMPARE(dlg.edit(id)->maxLength(), 3);
    }
    dlg.close(); // stores the untouched set as it was, the bytes between the fields included
    QCOMPARE(m_image, NewDocumentImage());
    QVERIFY(!dlg.imageChanged());
}

void TuningDialogsTest::numbersAboveTheLimitBecome255() {
    CTuningDlg dlg(nullptr, m_image);
    showActive(dlg);
    TypeInto(dlg.edit(kAfFine), "9x99"); // the letter is refused
    QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("999"));
    QTest::keyClick(dlg.edit(kAfFine), Qt::Key_Tab);
    QVERIFY(!dlg.edit(kAfFine)->hasFocus());
    QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("255"));

    // Closing with the focus still in a box applies the limit too.
    TypeInto(dlg.edit(kTxFine), "300");
    QTest::keyClick(dlg.edit(kTxFine), Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(m_image.ReadByte(kNone + 2), std::uint8_t(255));
    QCOMPARE(m_image.ReadByte(kNone + 10), std::uint8_t(255));
}

void TuningDialogsTest::emptyBoxWarnsAndGetsItsNumberBack() {
    ScriptedMessenger messenger;
    CTuningDlg dlg(nullptr, m_image);
    showActive(dlg);
    TypeInto(dlg.edit(kWideCtcss), "");
    QTest::keyClick(dlg.edit(kWideCtcss), Qt::Key_Backspace);
    QCOMPARE(dlg.edit(kWideCtcss)->text(), QString());
    dlg.edit(kAfFine)->setFocus();

    QCOMPARE(messenger.shown.size(), 1);
    QCOMPARE(messenger.shown[0].caption, QStringLiteral("警告"));
    QCOMPARE(dlg.edit(kWideCtcss)->text(), QStringLiteral("40"));
    dlg.close();
    QCOMPARE(messenger.shown.size(), 1);
    QCOMPARE(m_image.ReadByte(kNone + 16), std::uint8_t(40));
}

void TuningDialogsTest::switchingSetsStoresAndReloads() {
    CTuningDlg dlg(nullptr, m_image);
    showActive(dlg);
    TypeInto(dlg.edit(kTxFine), "123");
    dlg.list(kAfInput)->setCurrentIndex(2);

    QTest::mouseClick(dlg.modeButton(1), Qt::LeftButton);
    QCOMPARE(dlg.m_blockAddress, kTuningEmphasis);
    QCOMPARE(m_image.ReadByte(kNone + 10), std::uint8_t(123));
    QCOMPARE(m_image.ReadByte(kNone + 0), std::uint8_t(2));
    QCOMPARE(dlg.edit(kAfFine)->text(), QStringLiteral("220"));
    QCOMPARE(dlg.edit(kTxFine)->text(), QStringLiteral("70"));

    dlg.list(kAfCoarse)->setCurrentIndex(0);
    QTest::mouseClick(dlg.modeButton(0), Qt::LeftButton);
    QCOMPARE(m_image.ReadByte(kTuningEmphasis + 1), std::uint8_t(0));
    QCOMPARE(dlg.edit(kTxFine)->text(), QStringLiteral("123"));
    QCOMPARE(dlg.list(kAfInput)->currentText(), QStringLiteral("+12"));

    // Clicking the set on show stores and reloads it.
    TypeInto(dlg.edit(kAfFine), "7");
    QTest::mouseClick(dlg.modeButton(0), Qt::LeftButton);
    QCOMPARE(m_image.ReadByte(kNone + 2), std::uint8_t(7));
}

void TuningDialogsTest::everyWayOfClosingStoresTheShownSet_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("close box") << "close";
}

void TuningDialogsTest::everyWayOfClosingStoresTheShownSet() {
    QFETCH(QString, way);
    CTuningDlg dlg(nullptr, m_image);
    showActive(dlg);
    QTest::mouseClick(dlg.modeButton(3), Qt::LeftButton);
    dlg.list(kAfCoarse)->setCurrentIndex(7);
    TypeInto(dlg.edit(kWideCtcss), "99");

    if (way == "esc") {
        QTest::keyClick(dlg.edit(kWideCtcss), Qt::Key_Escape);
    } else if (way == "enter") {
        QTest::keyClick(dlg.list(kAfCoarse), Qt::Key_Return);
    } else {
        dlg.close();
    }
    QVERIFY(!dlg.isVisible());
    QCOMPARE(m_image.ReadByte(kTuningScrambler + 1), std::uint8_t(7));
    QCOMPARE(m_image.ReadByte(kTuningScrambler + 16), std::uint8_t(99));
    QVERIFY(dlg.imageChanged());
}

void TuningDialogsTest::listByteBeyondTheListShowsAndStoresEntryZero() {
    m_image.WriteByte(kNone + 0, 9);
    m_image.WriteByte(kNone + 1, 8);
    CTuningDlg dlg(nullptr, m_image);
    dlg.show();
    QCOMPARE(dlg.list(kAfInput)->currentText(), QStringLiteral("0"));
    QCOMPARE(dlg.list(kAfCoarse)->currentText(), QStringLiteral("-30"));
    dlg.close();
    QCOMPARE(m_image.ReadByte(kNone + 0), std::uint8_t(0));
    QCOMPARE(m_image.ReadByte(kNone + 1), std::uint8_t(0));
}

void TuningDialogsTest::password_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("exact") << "529KMT"
                           << "529KMT" << true;
    QTest::newRow("lower case") << "529kmt"
                                << "529KMT" << true;
    QTest::newRow("wrong") << "529KMX"
                           << "529KMX" << false;
    QTest::newRow("longer") << "529KMT1"
                            << "529KMT1" << false;
}

void TuningDialogsTest::password() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    ScriptedMessenger messenger;
    CPasswordDlg dlg;
    showActive(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("密码"));
    QVERIFY(dlg.passwordEdit()->hasFocus());
    QCOMPARE(dlg.passwordEdit()->echoMode(), QLineEdit::Normal);
    QTest::keyClicks(dlg.passwordEdit(), typed);
    QCOMPARE(dlg.passwordEdit()->text(), shown);
    QTest::keyClick(dlg.passwordEdit(), Qt::Key_Return);

    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY(messenger.shown.isEmpty());
}

void TuningDialogsTest::commandOpensTuningOnlyAfterThePassword() {
    const MemoryImage before = m_image;
    {
        bool tuningOpened = false;
        TuningShowWatcher watcher(tuningOpened);
        WhenModal<CPasswordDlg>([](CPasswordDlg* dlg) {
            QTest::keyClicks(dlg->passwordEdit(), "529kmx");
            dlg->okButton()->click();
        });
        QVERIFY(!RunTuningCommand(nullptr, m_image));
        QVERIFY(!tuningOpened);
        QCOMPARE(m_image, before);
    }

    WhenModal<CPasswordDlg>([](CPasswordDlg* dlg) {
        QTest::keyClicks(dlg->passwordEdit(), "529kmt");
        QTest::keyClick(dlg->passwordEdit(), Qt::Key_Return);
    });
    WhenModal<CTuningDlg>([](CTuningDlg* dlg) {
        dlg->list(kAfInput)->setCurrentIndex(0);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QVERIFY(RunTuningCommand(nullptr, m_image));
    QCOMPARE(m_image.ReadByte(kNone), std::uint8_t(0));
}

QTEST_MAIN(TuningDialogsTest)
#include "test_tuning_dialogs.moc"
