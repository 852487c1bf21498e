#include "image_map.h"
#include "new_document.h"
#include "optional_features_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace ImageMap;

Q_DECLARE_METATYPE(OptionList)

class OptionalFeaturesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentShowsFactoryOptions();
    void okStoresWhatIsShown_data();
    void okStoresWhatIsShown();
    void erasedRadioKeepsUnselectedBytes();
    void everyWayOfLeavingWithoutOkKeepsTheImage_data();
    void everyWayOfLeavingWithoutOkKeepsTheImage();
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

void OptionalFeaturesDialogTest::okStoresWhatIsShown_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored");
    QTest::addColumn<OptionList>("list");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("chosen"); // empty: left as shown
    QTest::addColumn<int>("afterOk");
    QTest::newRow("time-out 100") << kTimeOutTimer << 100 << OptionList::TimeOut << "90"
                                  << "" << 90;
    QTest::newRow("time-out 120") << kTimeOutTimer << 0 << OptionList::TimeOut << "关闭"
                                  << "120" << 120;
    QTest::newRow("battery 12") << kBatterySaver << 12 << OptionList::BatterySaver << "10s"
                                << "" << 10;
    QTest::newRow("battery 25s") << kBatterySaver << 10 << OptionList::BatterySaver << "10s"
                                 << "25s" << 25;
    QTest::newRow("VOX delay 1.0s") << kVoxDelay << 2 << OptionList::VoxDelay << "0.4s"
                                    << "1.0s" << 5;
    QTest::newRow("VOX delay 0 kept") << kVoxDelay << 0 << OptionList::VoxDelay << ""
                                      << "" << 0;
    QTest::newRow("squelch 10 kept") << kSquelchLevel << 10 << OptionList::Squelch << ""
                                     << "" << 10;
    QTest::newRow("both language bits") << kOptionBits << 0x1B << OptionList::Language << "关闭"
                                        << "" << 0x03;
    QTest::newRow("English keeps bit 1") << kOptionBits << 0x13 << OptionList::Language << "中文"
                                         << "英文" << 0x0B;
    QTest::newRow("priority 16 keeps bits 5-7")
        << kPriorityChannel << 0xA3 << OptionList::Priority << "3"
        << "16" << 0xB0;
}

// Every other byte stays as it was.
void OptionalFeaturesDialogTest::okStoresWhatIsShown() {
    QFETCH(int, address);
    QFETCH(int, stored);
    QFETCH(OptionList, list);
    QFETCH(QString, shown);
    QFETCH(QString, chosen);
    QFETCH(int, afterOk);
    MemoryImage image = NewDocumentImage();
    image.WriteByte(address, std::uint8_t(stored));
    MemoryImage expected = image;
    expected.WriteByte(address, std::uint8_t(afterOk));

    COptionalFeaturesDlg dlg(nullptr, image);
    dlg.show();
    QComboBox* box = dlg.list(list);
    QCOMPARE(box->currentText(), shown);
    if (!chosen.isEmpty()) {
        box->setCurrentIndex(box->findText(chosen));
        QCOMPARE(box->currentText(), chosen);
    }
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(image, expected);
    QCOMPARE(dlg.imageChanged(), stored != afterOk);
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

QTEST_MAIN(OptionalFeaturesDialogTest)
#include "test_optional_features_dialog.moc"
