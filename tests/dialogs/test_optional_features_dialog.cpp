#include "image_map.h"
#include "new_document.h"
#include "option_commands.h"
#include "optional_features_dialog.h"
#include "scripted_messenger.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace ImageMap;

Q_DECLARE_METATYPE(OptionList)

class OptionalFeaturesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentShowsFactoryOptions();
    void storedValuesShowTheirEntry_data();
    void storedValuesShowTheirEntry();
    void okStoresOnlyTheChosenEntry_data();
    void okStoresOnlyTheChosenEntry();
    void erasedRadioKeepsUnselectedBytes();
    void everyWayOfLeavingWithoutOkKeepsTheImage_data();
    void everyWayOfLeavingWithoutOkKeepsTheImage();
    void commandReportsWhetherTheImageChanged();
};

void OptionalFeaturesDialogTest::newDocumentShowsFactoryOptions() {
    MemoryImage image = NewDocumentImage();
    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("可选功能"));
    QCOMPARE(dlg.list(OptionList::Squelch)->currentText(), QStringLiteral("5"));
    QCOMPARE(dlg.list(OptionList::TimeOut)->currentText(), QStringLiteral("关闭"));
    QCOMPARE(dlg.list(OptionList::VoxGain)->currentText(), QStringLiteral("3"));
    QCOMPARE(dlg.list(OptionList::BatterySaver)->currentText(), QStringLiteral("10s"));
    QCOMPARE(dlg.list(OptionList::Priority)->currentText(), QStringLiteral("无"));
    QCOMPARE(dlg.list(OptionList::Language)->currentText(), QStringLiteral("中文"));
    QCOMPARE(dlg.list(OptionList::VoxDelay)->currentText(), QStringLiteral("0.4s"));
    QVERIFY(dlg.beepBox()->isChecked());
    QVERIFY(!dlg.voxBox()->isChecked());
    QCOMPARE(dlg.list(OptionList::Priority)->count(), 17);
}

void OptionalFeaturesDialogTest::storedValuesShowTheirEntry_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored");
    QTest::addColumn<OptionList>("list");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("afterOk");
    // What is shown is what OK writes back; an empty list keeps its byte.
    QTest::newRow("time-out 100") << kTimeOutTimer << 100 << OptionList::TimeOut << "90" << 90;
    QTest::newRow("battery 12") << kBatterySaver << 12 << OptionList::BatterySaver << "10s" << 10;
    QTest::newRow("priority") << kPriorityChannel << 0xA3 << OptionList::Priority << "3" << 0xA3;
    QTest::newRow("both language bits")
        << kOptionBits << 0x1B << OptionList::Language << "关闭" << 0x03;
    QTest::newRow("VOX delay 0") << kVoxDelay << 0 << OptionList::VoxDelay << "" << 0;
    QTest::newRow("squelch 10") << kSquelchLevel << 10 << OptionList::Squelch << "" << 10;
}

void OptionalFeaturesDialogTest::storedValuesShowTheirEntry() {
    QFETCH(int, address);
    QFETCH(int, stored);
    QFETCH(OptionList, list);
    QFETCH(QString, shown);
    QFETCH(int, afterOk);
    MemoryImage image = NewDocumentImage();
    image.WriteByte(address, std::uint8_t(stored));
    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    QCOMPARE(dlg.list(list)->currentText(), shown);

    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(image.ReadByte(address)), afterOk);
}

void OptionalFeaturesDialogTest::okStoresOnlyTheChosenEntry_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("before");
    QTest::addColumn<OptionList>("list");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("after");
    QTest::newRow("time-out 120") << kTimeOutTimer << 0 << OptionList::TimeOut << "120" << 120;
    QTest::newRow("battery 25s") << kBatterySaver << 10 << OptionList::BatterySaver << "25s" << 25;
    QTest::newRow("VOX delay 1.0s") << kVoxDelay << 2 << OptionList::VoxDelay << "1.0s" << 5;
    QTest::newRow("English keeps bit 1")
        << kOptionBits << 0x13 << OptionList::Language << "英文" << 0x0B;
    QTest::newRow("language off") << kOptionBits << 0x13 << OptionList::Language << "关闭" << 0x03;
    QTest::newRow("priority 16 keeps bits 5-7")
        << kPriorityChannel << 0xA3 << OptionList::Priority << "16" << 0xB0;
    QTest::newRow("squelch 9") << kSquelchLevel << 5 << OptionList::Squelch << "9" << 9;
    QTest::newRow("VOX gain 0") << kVoxGain << 3 << OptionList::VoxGain << "0" << 0;
}

void OptionalFeaturesDialogTest::okStoresOnlyTheChosenEntry() {
    QFETCH(int, address);
    QFETCH(int, before);
    QFETCH(OptionList, list);
    QFETCH(QString, chosen);
    QFETCH(int, after);
    MemoryImage image = NewDocumentImage();
    image.WriteByte(address, std::uint8_t(before));
    MemoryImage expected = image;
    expected.WriteByte(address, std::uint8_t(after));

    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    QComboBox* box = dlg.list(list);
    box->setCurrentIndex(box->findText(chosen));
    QVERIFY(box->currentIndex() >= 0);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);

    QVERIFY(!dlg.isVisible());
    QCOMPARE(image, expected);
    QVERIFY(dlg.imageChanged());
}

// An erased radio reads 0xFF everywhere: lists that cannot show such a value stay empty, and
// confirming must not invent values for them.
void OptionalFeaturesDialogTest::erasedRadioKeepsUnselectedBytes() {
    MemoryImage image;
    image.Fill(0xFF);
    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    for (OptionList list : {OptionList::Squelch, OptionList::TimeOut, OptionList::VoxGain,
                            OptionList::VoxDelay, OptionList::BatterySaver, OptionList::Priority}) {
        QCOMPARE(dlg.list(list)->currentIndex(), -1);
    }
    QCOMPARE(dlg.list(OptionList::Language)->currentText(), QStringLiteral("关闭"));
    QVERIFY(dlg.beepBox()->isChecked());
    QVERIFY(dlg.voxBox()->isChecked());

    dlg.list(OptionList::TimeOut)->setCurrentIndex(2);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);

    MemoryImage expected;
    expected.Fill(0xFF);
    expected.WriteByte(kTimeOutTimer, 60);
    expected.WriteByte(kOptionBits, 0xE7); // language "关闭" as shown: neither bit
    QCOMPARE(image, expected);
}

void OptionalFeaturesDialogTest::everyWayOfLeavingWithoutOkKeepsTheImage_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void OptionalFeaturesDialogTest::everyWayOfLeavingWithoutOkKeepsTheImage() {
    QFETCH(QString, way);
    MemoryImage image = NewDocumentImage();
    const MemoryImage before = image;
    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    for (const OptionListInfo& info : OptionLists()) {
        dlg.list(info.list)->setCurrentIndex(1);
    }
    QTest::mouseClick(dlg.beepBox(), Qt::LeftButton);
    QTest::mouseClick(dlg.voxBox(), Qt::LeftButton);
    QVERIFY(!dlg.beepBox()->isChecked());

    if (way == "cancel") {
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    } else if (way == "esc") {
        QTest::keyClick(&dlg, Qt::Key_Escape);
    } else {
        dlg.close();
    }
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(image, before);
    QVERIFY(!dlg.imageChanged());
}

void OptionalFeaturesDialogTest::commandReportsWhetherTheImageChanged() {
    ScriptedMessenger messenger;
    MemoryImage image = NewDocumentImage();
    auto answer = [](auto act) {
        QTimer::singleShot(0, [act] {
            auto* dlg = qobject_cast<COptionalFeaturesDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            act(dlg);
        });
    };

    answer([](COptionalFeaturesDlg* dlg) { dlg->okButton()->click(); });
    QVERIFY(!RunOptionalFeaturesCommand(nullptr, image));

    answer([](COptionalFeaturesDlg* dlg) {
        dlg->list(OptionList::Squelch)->setCurrentIndex(7);
        dlg->okButton()->click();
    });
    QVERIFY(RunOptionalFeaturesCommand(nullptr, image));
    QCOMPARE(image.ReadByte(kSquelchLevel), std::uint8_t(7));
    QVERIFY(messenger.shown.isEmpty());
}

QTEST_MAIN(OptionalFeaturesDialogTest)
#include "test_optional_features_dialog.moc"
