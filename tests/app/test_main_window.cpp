// The main window: its commands, ports, documents, About box and printout.
#include "backup_folder.h"
#include "image_map.h"
#include "new_document.h"
#include "spoken_notice.h"
#include "ui_language.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

using Choice = Messenger::SaveChoice;

class TestMainWindow : public QObject {
    Q_OBJECT

    WindowFixture f;

    // The port the view uses and the ports the menu checks, as "COM2:COM2".
    QString portState() const {
        QStringList checked;
        for (const char* id :
             {"actionPortCom1", "actionPortCom2", "actionPortCom3", "actionPortCom4"}) {
            if (f.action(id)->isChecked()) {
                checked.append(f.action(id)->text().remove('&'));
            }
        }
        return f.transfer()->portName() + ":" + checked.join(',');
    }

    // A saved document with one channel, open in the window.
    QString savedDocument() {
        f.typeChannel(1, "145.125");
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("one.sin")));
        f.key(Qt::Key_S);
        return f.path(QStringLiteral("one.sin"));
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    // Typing starts in the grid; the window is never larger than the screen (the test's is
    // 800 x 600, and the form is wider: it scrolls). A menu prints an item's key after its text
    // unless the text names it itself, as the program items do; the ports show theirs, Ctrl+C
    // among them.
    void startsReadyForTyping() {
        QCOMPARE(QApplication::focusWidget(), f.grid());
        QVERIFY(f.frame()->screen()->availableGeometry().contains(f.frame()->frameGeometry()));
        for (QAction* item : f.frame()->findChild<QMenu*>("menuProgram")->actions()) {
            QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->text()));
        }
        QStringList keys;
        for (QAction* item : f.frame()->findChild<QMenu*>("menuPort")->actions()) {
            keys << item->shortcut().toString();
        }
        QCOMPARE(keys, QStringList({"Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F"}));
    }

    // Each port's prompt names its device and whether it is there, as the menu finds them when
    // it opens.
    void portPromptsNameTheirDevices() {
        const QString present = f.path("ttyCable");
        QFile cable(present);
        QVERIFY(cable.open(QIODevice::WriteOnly));
        qputenv("QTR318_COM1", present.toLocal8Bit());
        qputenv("QTR318_COM2", "/nonexistent/ttyUSB9");
        emit f.frame()->findChild<QMenu*>("menuPort")->aboutToShow();
        QCOMPARE(f.action("actionPortCom1")->statusTip(),
                 QStringLiteral("选择串口1 （%1，存在）").arg(present));
        QCOMPARE(f.action("actionPortCom2")->statusTip(),
                 QStringLiteral("选择串口2 （/nonexistent/ttyUSB9，不存在）"));
        qunsetenv("QTR318_COM1");
        qunsetenv("QTR318_COM2");
    }

    // Ctrl+D, F, E and C choose the ports, even over an open editor, where Ctrl+C copies
    // nothing, and the status bar says so aloud; Ctrl+V on the grid says which key pastes. A
    // menu item's prompt is not spoken.
    void portCommands() {
        static QStringList said;
        said.clear();
        SpokenNotice::SetListener([](QAccessibleEvent* event) {
            said << event->accessibleInterface()->text(QAccessible::Name);
        });
        qputenv("QTR318_COM2", "/dev/ttyTest2");
        f.key(Qt::Key_D);
        QCOMPARE(f.status(), "端口：COM2（/dev/ttyTest2）");
        QTest::keyClick(f.grid(), Qt::Key_V, Qt::ControlModifier);
        const QString hint = f.status();
        QVERIFY(hint.contains("Shift+Insert"));
        QStatusTipEvent tip(QStringLiteral("选择串口1"));
        QApplication::sendEvent(f.grid(), &tip); // as a hovered menu item sends it
        QCOMPARE(f.status(), tip.tip());
        QCOMPARE(said, QStringList({"端口：COM2（/dev/ttyTest2）", hint}));
        SpokenNotice::SetListener(nullptr);
        qunsetenv("QTR318_COM2");
        f.action("actionPortCom1")->trigger();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QStringList seen = {portState()};
        for (Qt::Key key : {Qt::Key_D, Qt::Key_F, Qt::Key_E}) {
            f.key(key);
            seen.append(portState());
        }
        f.typeChannel(1, "145.125");
        f.moveTo(1, 1);
        QTest::keyClick(f.grid(), Qt::Key_Return); // editor open, its text selected
        QVERIFY(f.editorOpen());
        f.press(Qt::Key_C, Qt::ControlModifier);
        seen.append(portState());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QCOMPARE(f.lineEditor()->text(), QStringLiteral("145.12500"));
        f.action("actionPortCom2")->trigger();
        seen.append(portState());
        QCOMPARE(seen, QStringList({"COM1:COM1", "COM2:COM2", "COM4:COM4", "COM3:COM3", "COM1:COM1",
                                    "COM2:COM2"}));
    }

    void aboutBoxShowsTheIconAndStandardDialogsSpeakChinese() {
        UiLanguage::Install({QStringLiteral("qtr318-cps_en")}); // a C locale: Chinese
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder",
                                             "All other platforms"),
                 QStringLiteral("文件夹")); // the file dialog's kind of entry
        QString seen;
        QImage picture;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                seen = box->windowTitle();
                for (QLabel* label : box->findChildren<QLabel*>()) {
                    seen += ' ' + label->text();
                    picture = label->pixmap().isNull() ? picture : label->pixmap().toImage();
                }
                box->findChild<QPushButton*>()->click();
            }
        });
        f.action("actionAppAbout")->trigger();
        QVERIFY2(seen.startsWith(QStringLiteral("关于 ")) &&
                     seen.contains(QStringLiteral("版本 1.0.6")) &&
                     seen.contains(QStringLiteral("澜星电子有限公司")),
                 qPrintable(seen));
        // The box shows the program's own icon.
        QCOMPARE(picture, f.frame()->windowIcon().pixmap(QSize(32, 32)).toImage());
    }

    // The widest texts every cell can hold, on the wider band, fit one page; the options follow
    // on a second.
    void printsTheTableAndTheOptions() {
        f.table().select(ChannelTable::Selector::Band, 1);
        for (int row = 1; row <= 16; ++row) {
            for (int col = 1; col <= 11; ++col) {
                const QString freq = QStringLiteral("4%1.12500").arg(row + 10 * col);
                f.setCell(row, col, col <= 2 ? freq : col == 3 ? "D754I" : "254.1");
            }
        }
        const QString path = f.path(QStringLiteral("table.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(f.frame()->printDocument(printer));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 5000); // fonts and text, not blank
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 2);

        printer.setOutputFileName(f.path(QStringLiteral("no/such/dir/table.pdf")));
        QVERIFY(!f.frame()->printDocument(printer));
        QCOMPARE(f.messenger->boxes().value(0), QStringLiteral("警告: 无法打印。"));
    }

    // The status bar names the file and marks unsaved changes, as the caption never does.
    void saveAndOpenAgain() {
        const auto state = [this] { return f.frame()->documentState()->text(); };
        QCOMPARE(state(), QStringLiteral("无标题"));
        f.typeChannel(3, "146.5");
        QCOMPARE(state(), QStringLiteral("无标题 *"));
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("trip"))); // no suffix typed
        f.key(Qt::Key_S);
        const QString path = f.path(QStringLiteral("trip.sin"));
        QCOMPARE(QFile(path).size(), 1024);
        QVERIFY(!f.doc()->isModified());
        QCOMPARE(state(), QStringLiteral("trip.sin"));
        const MemoryImage saved = f.doc()->savedImage();

        f.key(Qt::Key_N);
        QVERIFY(f.messenger->shown.isEmpty()); // nothing unsaved: no question
        QCOMPARE(f.cell(3, 1), QString());
        QCOMPARE(state(), QStringLiteral("无标题"));

        f.messenger->openPaths.enqueue(path);
        f.key(Qt::Key_O);
        QCOMPARE(f.row(3).mid(0, 2), QStringList({"146.50000", "146.50000"}));
        QVERIFY(f.image() == saved);

        f.typeChannel(4, "147");
        QCOMPARE(state(), QStringLiteral("trip.sin *"));
        f.key(Qt::Key_S); // to the same file without asking
        QVERIFY(!f.doc()->isModified());
        QCOMPARE(state(), QStringLiteral("trip.sin"));
        f.key(Qt::Key_N);
        auto* recent = f.frame()->findChild<QAction*>("actionRecentFile1");
        QVERIFY(recent && recent->text() == "&1 " + path);
        recent->trigger(); // the 文件 menu's newest file
        QCOMPARE(f.cell(4, 1), QStringLiteral("147.00000"));
        f.stop();
        QVERIFY(f.start({path})); // named on the command line
        QCOMPARE(f.cell(4, 1), QStringLiteral("147.00000"));
    }

    void unsavedChangesAreAskedFor_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("save") << int(Choice::Save) << true << true;
        QTest::newRow("save, dialog cancelled") << int(Choice::Save) << false << false;
        QTest::newRow("discard") << int(Choice::Discard) << false << true;
    }
    void unsavedChangesAreAskedFor() {
        QFETCH(int, answer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, replaced);
        const QString path = f.path(QString::fromLatin1(QTest::currentDataTag()) + ".sin");
        f.moveTo(5, 1);
        f.type("155"); // still in its editor, and an edit all the same
        f.messenger->saveAnswers.enqueue(Choice(answer));
        if (chooseFile) {
            f.messenger->savePaths.enqueue(path);
        }
        f.key(Qt::Key_N);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(5, 1), replaced ? QString() : QStringLiteral("155.00000"));
        QCOMPARE(QFile::exists(path), chooseFile);
        QCOMPARE(f.doc()->isModified(), !replaced);
    }

    // Open and Open Backup (from the backup folder) ask about unsaved changes first; a file they
    // cannot use (which files are refused is the document file's test) changes nothing.
    void opening_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("a backup") << true;
        QTest::newRow("a file too long") << false;
    }
    void opening() {
        QFETCH(bool, backup);
        const QString saved = savedDocument();
        MemoryImage kept = NewDocumentImage();
        kept.WriteByte(ImageMap::kSquelchLevel, 7);
        const QString path = backup ? BackupFolder::Keep(kept, "COM1_read", f.backupFolder(),
                                                         BackupFolder::Pruning::KeepNewest)
                                    : f.path(QStringLiteral("bad.sin"));
        QVERIFY(backup || f.writeFile(QStringLiteral("bad.sin"), QByteArray(1025, '\x11')));
        f.typeChannel(2, "150"); // an unsaved edit
        const MemoryImage before = f.image();
        f.messenger->saveAnswers.enqueue(Choice::Discard);
        f.messenger->openPaths.enqueue(path);
        f.action(backup ? "actionFileOpenBackup" : "actionFileOpen")->trigger();
        QCOMPARE(f.messenger->openDirectories, QStringList(backup ? f.backupFolder() : QString()));
        const QString box = f.messenger->boxes().value(1); // after the question
        QVERIFY2(backup ? box.isEmpty()
                        : box.startsWith("警告:") && box.contains("长度为 1025 字节"),
                 qPrintable(box));
        QVERIFY(f.image() == (backup ? kept : before));
        QCOMPARE(f.doc()->pathName(), backup ? path : saved);
        QCOMPARE(f.cell(2, 1), backup ? QString() : QStringLiteral("150.00000"));
    }

    void failedSaveKeepsTheMarkAndClosingAsks() {
        const QString path = savedDocument();
        f.typeChannel(2, "150");
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("missing/dir/x.sin")));
        f.action("actionFileSaveAs")->trigger();
        // Then the system's reason, in whichever words the installed translations give it.
        const QString box = f.messenger->boxes().value(0);
        const QString failed = "警告: 无法保存文件 " + f.path("missing/dir/x.sin") + "：";
        QVERIFY2(box.startsWith(failed) && box.size() > failed.size(), qPrintable(box));
        QVERIFY(f.doc()->isModified());
        QCOMPARE(f.doc()->pathName(), path);
        f.messenger->saveAnswers << Choice::Cancel << Choice::Discard; // so closing asks
        f.action("actionAppExit")->trigger();
        QVERIFY(f.frame()->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
