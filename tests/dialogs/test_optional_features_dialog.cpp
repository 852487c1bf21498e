#include "image_map.h"
#include "new_document.h"
#include "optional_features_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace ImageMap;

namespace {

// One list's byte before the dialog, the text shown for it, the text chosen (empty: left as
// shown), how the dialog is left and the byte after that.
struct Store {
    int address, stored;
    OptionList list;
    const char *shown, *chosen, *way;
    int after;
};

// What the dialog shows: each list's text in the lists' order, then the two boxes.
QStringList Shown(const COptionalFeaturesDlg& dlg) {
    QStringList texts;
    for (int list = 0; list <= int(OptionList::Language); ++list) {
        texts.append(dlg.list(OptionList(list))->currentText());
    }
    return texts << (dlg.beepBox()->isChecked() ? "beep" : "")
                 << (dlg.voxBox()->isChecked() ? "vox" : "");
}

} // namespace

Q_DECLARE_METATYPE(Store)

class OptionalFeaturesDialogTest : public QObject {
    Q_OBJECT

private slots:
    // An erased radio reads 0xFF everywhere: lists that cannot show such a value stay empty,
    // and confirming must not invent values for them.
    void showsAndStoresOnlyWhatIsShown_data() {
        QTest::addColumn<bool>("erased");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("new document")
            << false << QStringList({"5", "关闭", "3", "0.4s", "10s", "无", "中文", "beep", ""});
        QTest::newRow("erased radio")
            << true << QStringList({"", "", "", "", "", "", "关闭", "beep", "vox"});
    }
    void showsAndStoresOnlyWhatIsShown() {
        QFETCH(bool, erased);
        QFETCH(QStringList, shown);
        MemoryImage image = NewDocumentImage();
        if (erased) {
            image.Fill(0xFF);
        }
        MemoryImage expected = image;
        COptionalFeaturesDlg dlg(nullptr, image);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("可选功能"));
        QCOMPARE(Shown(dlg), shown);
        dlg.list(OptionList::TimeOut)->setCurrentIndex(2);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        expected.WriteByte(kTimeOutTimer, 60);
        // An erased radio's language shows "关闭", which stores neither bit.
        expected.WriteByte(kOptionBits, erased ? 0xE7 : expected.ReadByte(kOptionBits));
        QCOMPARE(image, expected);
    }

    // OK stores what is shown, every other byte staying as it was; every other way out keeps
    // the image.
    void leavingStoresOnlyOnOk_data() {
        const OptionList battery = OptionList::BatterySaver;
        QTest::addColumn<Store>("store");
        QTest::newRow("time-out 100")
            << Store{kTimeOutTimer, 100, OptionList::TimeOut, "90", "", "OK", 90};
        QTest::newRow("battery 25s") << Store{kBatterySaver, 10, battery, "10s", "25s", "OK", 25};
        QTest::newRow("VOX delay 0 kept")
            << Store{kVoxDelay, 0, OptionList::VoxDelay, "", "", "OK", 0};
        QTest::newRow("English keeps bit 1")
            << Store{kOptionBits, 0x13, OptionList::Language, "中文", "英文", "OK", 0x0B};
        for (const char* way : {"Cancel", "Esc", "close box"}) {
            QTest::newRow(way) << Store{kBatterySaver, 10, battery, "10s", "25s", way, 10};
        }
    }
    void leavingStoresOnlyOnOk() {
        QFETCH(Store, store);
        MemoryImage image = NewDocumentImage();
        image.WriteByte(store.address, std::uint8_t(store.stored));
        MemoryImage expected = image;
        expected.WriteByte(store.address, std::uint8_t(store.after));
        COptionalFeaturesDlg dlg(nullptr, image);
        dlg.show();
        QComboBox* list = dlg.list(store.list);
        QCOMPARE(list->currentText(), QString(store.shown));
        if (*store.chosen) {
            list->setCurrentIndex(list->findText(store.chosen));
        }
        const QString way = store.way;
        way == "OK"       ? QTest::mouseClick(dlg.okButton(), Qt::LeftButton)
        : way == "Cancel" ? QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton)
        : way == "Esc"    ? QTest::keyClick(&dlg, Qt::Key_Escape)
                          : void(dlg.close());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(way == "OK" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(image, expected);
        QCOMPARE(dlg.imageChanged(), store.stored != store.after);
    }
};

QTEST_MAIN(OptionalFeaturesDialogTest)
#include "test_optional_features_dialog.moc"
