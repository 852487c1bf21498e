#include "backup_folder.h"
#include "image_map.h"
#include "new_document.h"
#include "window_fixture.h"

#include <QFile>

// The system's reason for a missing file, as a Chinese run shows it (the tests run under C.UTF-8).
QString NoSuchFile() {
    return QStringLiteral("没有那个文件或目录");
}
using Choice = Messenger::SaveChoice;

class TestDocuments : public QObject {
    Q_OBJECT

    WindowFixture f;

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

    void saveAndOpenAgain() {
        f.typeChannel(3, "146.5");
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("trip"))); // no suffix typed
        f.key(Qt::Key_S);
        const QString path = f.path(QStringLiteral("trip.sin"));
        QCOMPARE(QFile(path).size(), 1024);
        QVERIFY(!f.doc()->isModified());
        const MemoryImage saved = f.image();

        f.key(Qt::Key_N);
        QVERIFY(f.messenger->shown.isEmpty()); // nothing unsaved: no question
        QCOMPARE(f.cell(3, 1), QString());

        f.messenger->openPaths.enqueue(path);
        f.key(Qt::Key_O);
        QCOMPARE(f.row(3).mid(0, 2), QStringList({"146.50000", "146.50000"}));
        QVERIFY(f.image() == saved);

        f.typeChannel(4, "147");
        f.key(Qt::Key_S); // to the same file without asking
        QVERIFY(!f.doc()->isModified());
        f.stop();
        QVERIFY(f.start({path})); // named on the command line
        QCOMPARE(f.cell(4, 1), QStringLiteral("147.00000"));
    }

    // Which files are refused is the document file's test.
    void anUnusableFileChangesNothing() {
        const int size = 1025;
        const QString path = savedDocument();
        f.typeChannel(2, "150"); // an unsaved edit as well
        const MemoryImage before = f.image();
        QFile bad(f.path(QStringLiteral("bad.sin")));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(QByteArray(size, '\x11')) == size);
        bad.close();

        f.messenger->saveAnswers.enqueue(Choice::Discard);
        f.messenger->openPaths.enqueue(bad.fileName());
        f.key(Qt::Key_O);
        const QString box = f.messenger->boxes().value(1); // after the question
        QVERIFY2(box.startsWith(QStringLiteral("警告:")) &&
                     box.contains(QStringLiteral("长度为 %1 字节").arg(size)),
                 qPrintable(box));
        QVERIFY(f.image() == before);
        QCOMPARE(f.doc()->pathName(), path);
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.00000"));
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
        f.typeChannel(5, "155");
        f.messenger->saveAnswers.enqueue(Choice(answer));
        if (chooseFile) {
            f.messenger->savePaths.enqueue(path);
        }
        f.key(Qt::Key_N);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(5, 1).isEmpty(), replaced);
        QCOMPARE(QFile::exists(path), chooseFile);
        QCOMPARE(f.doc()->isModified(), !replaced);
    }

    void openBackup() {
        MemoryImage kept = NewDocumentImage();
        kept.WriteByte(ImageMap::kSquelchLevel, 7);
        const QString path = BackupFolder::Keep(kept, "COM1_read", f.backupFolder(),
                                                BackupFolder::Pruning::KeepNewest);
        QVERIFY(!path.isEmpty());
        f.typeChannel(5, "155");
        f.messenger->saveAnswers.enqueue(Choice::Discard);
        f.messenger->openPaths.enqueue(path);
        f.action("actionFileOpenBackup")->trigger();
        QCOMPARE(f.messenger->openDirectories, QStringList(f.backupFolder()));
        QCOMPARE(f.messenger->shown.size(), 1);
        QVERIFY(f.image() == kept);
        QCOMPARE(f.doc()->pathName(), path);
        QCOMPARE(f.cell(5, 1), QString());
    }

    void editsOutsideTheTableCountToo() {
        f.moveTo(7, 1);
        f.type("152"); // still in its editor
        f.messenger->saveAnswers.enqueue(Choice::Cancel);
        f.key(Qt::Key_O);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(7, 1), QStringLiteral("152.00000"));
    }

    void failedSaveKeepsTheMarkAndClosingAsks() {
        const QString path = savedDocument();
        f.typeChannel(2, "150");
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("missing/dir/x.sin")));
        f.action("actionFileSaveAs")->trigger();
        QCOMPARE(f.messenger->boxes().value(0),
                 QStringLiteral("警告: 无法保存文件 %1：")
                         .arg(f.path(QStringLiteral("missing/dir/x.sin"))) +
                     NoSuchFile());
        QVERIFY(f.doc()->isModified());
        QCOMPARE(f.doc()->pathName(), path);
        f.messenger->saveAnswers << Choice::Cancel << Choice::Discard; // so closing asks
        f.action("actionAppExit")->trigger();
        QVERIFY(f.frame()->isVisible());
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
