#include "image_map.h"
#include "new_document.h"
#include "optional_features_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace ImageMap;

namespace {

// What the dialog shows: each list's text in the lists' order, then the two boxes.
QStringList Shown(const OptionalFeaturesDialog& dlg) {
    QStringList texts;
    for (int list = 0; list <= int(OptionList::Language); ++list) {
        texts.append(dlg.list(OptionList(list))->currentText());
    }
    return texts << (dlg.beepBox()->isChecked() ? "beep" : "")
                 << (dlg.voxBox()->isChecked() ? "vox" : "");
}

} // namespace

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
        OptionalFeaturesDialog dlg(nullptr, image);
        dlg.show();
        QCOMPARE(Shown(dlg), shown);
        dlg.list(OptionList::TimeOut)->setCurrentIndex(2);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        expected.WriteByte(kTimeOutTimer, 60);
        // An erased radio's language shows "关闭", which stores neither bit.
        expected.WriteByte(kOptionBits, erased ? 0xE7 : expected.ReadByte(kOptionBits));
        QCOMPARE(image, expected);
    }

    // OK stores what is shown, a time-out beyond the list as the nearest entry and the
    // language's neighbouring bits as they were; every other way out keeps the image.
    void leavingStoresOnlyOnOk_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"OK", "Cancel", "close box"}) {
            QTest::newRow(way) << QString(way);
        }
    }
    void leavingStoresOnlyOnOk() {
        QFETCH(QString, way);
        MemoryImage image = NewDocumentImage();
        image.WriteByte(kOptionBits, 0x13);
        image.WriteByte(kTimeOutTimer, 100);
        MemoryImage expected = image;
        if (way == "OK") {
            expected.WriteByte(kOptionBits, 0x0B);
            expected.WriteByte(kTimeOutTimer, 90);
        }
        OptionalFeaturesDialog dlg(nullptr, image);
        dlg.show();
        QCOMPARE(dlg.list(OptionList::TimeOut)->currentText(), QStringLiteral("90"));
        QComboBox* language = dlg.list(OptionList::Language);
        language->setCurrentIndex(language->findText(QStringLiteral("英文")));
        way == "OK"       ? QTest::mouseClick(dlg.okButton(), Qt::LeftButton)
        : way == "Cancel" ? QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton)
                          : void(dlg.close());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(way == "OK" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(image, expected);
        QCOMPARE(dlg.imageChanged(), way == "OK");
    }
};

QTEST_MAIN(OptionalFeaturesDialogTest)
#include "test_optional_features_dialog.moc"
