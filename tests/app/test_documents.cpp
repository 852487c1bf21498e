#include "app_fixture.h"
#include "command_ids.h"

#include <QComboBox>
#include <QFile>

namespace Id = CommandId;
using Choice = Messenger::SaveChoice;

class TestDocuments : public QObject {
    Q_OBJECT

    AppFixture f;

    bool writeFile(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A saved document with one channel, open in the window.
    QString savedDocument() {
        f.typeChannel(1, "145.125");
        const QString path = f.path(QStringLiteral("one.sin"));
        f.messenger->savePaths.enqueue(path);
        f.key(Qt::Key_S);
        return path;
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void saveAndOpenAgain() {
        f.typeChannel(3, "146.5");
        QVERIFY(f.doc()->IsModified());
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("trip"))); // no suffix typed
        f.key(Qt::Key_S);
        const QString path = f.path(QStringLiteral("trip.sin"));
        QCOMPARE(QFile(path).size(), 1024);
        QVERIFY(!f.doc()->IsModified());
        QCOMPARE(f.doc()->GetPathName(), path);
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("澜星写频软件"));
        QCOMPARE(f.app->GetRecentFiles().Files().value(0), path);
        const MemoryImage saved = TheImage();

        f.key(Qt::Key_N);
        QVERIFY(f.messenger->shown.isEmpty()); // nothing unsaved: no question
        QCOMPARE(f.cell(3, 1), QString());
        QVERIFY(f.doc()->GetPathName().isEmpty());

        f.messenger->openPaths.enqueue(path);
        f.key(Qt::Key_O);
        QCOMPARE(f.cell(3, 1), QStringLiteral("146.50000"));
        QCOMPARE(f.cell(3, 2), QStringLiteral("146.50000"));
        QVERIFY(TheImage() == saved);
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("澜星写频软件"));

        // Saving again goes to the same file without asking.
        f.typeChannel(4, "147");
        f.key(Qt::Key_S);
        QVERIFY(f.messenger->savePaths.isEmpty());
        QVERIFY(!f.doc()->IsModified());
    }

    void unusableFilesChangeNothing_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte short") << 1023;
    }
    void unusableFilesChangeNothing() {
        QFETCH(int, size);
        const QString path = savedDocument();
        f.typeChannel(2, "150"); // an unsaved edit as well
        const MemoryImage before = TheImage();
        const QString bad = f.path(QStringLiteral("bad.sin"));
        QVERIFY(writeFile(bad, QByteArray(size, '\x11')));

        f.messenger->saveAnswers.enqueue(Choice::Discard);
        f.messenger->openPaths.enqueue(bad);
        f.key(Qt::Key_O);
        QCOMPARE(f.messenger->shown.size(), 2); // the question, then the failure
        QCOMPARE(f.messenger->shown.at(1).caption, QStringLiteral("警告"));
        QVERIFY(TheImage() == before);
        QCOMPARE(f.doc()->GetPathName(), path);
        QCOMPARE(f.cell(1, 1), QStringLiteral("145.12500"));
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.00000"));
    }

    void unsavedChangesAreAskedFor_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << int(Choice::Save) << true << true << true;
        QTest::newRow("save, dialog cancelled") << int(Choice::Save) << false << false << false;
        QTest::newRow("discard") << int(Choice::Discard) << false << true << false;
        QTest::newRow("cancel") << int(Choice::Cancel) << false << false << false;
    }
    void unsavedChangesAreAskedFor() {
        QFETCH(int, answer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, replaced);
        QFETCH(bool, written);
        const QString path = f.path(QString::fromLatin1(QTest::currentDataTag()) + ".sin");
        f.typeChannel(5, "155");
        f.messenger->saveAnswers.enqueue(Choice(answer));
        if (chooseFile) {
            f.messenger->savePaths.enqueue(path);
        }
        f.key(Qt::Key_N);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.messenger->shown.at(0).caption, QStringLiteral("警告"));
        QCOMPARE(f.cell(5, 1).isEmpty(), replaced);
        QCOMPARE(QFile::exists(path), written);
        QCOMPARE(f.doc()->IsModified(), !replaced);
    }

    void aValueStillInItsEditorCountsAsAnEdit() {
        f.grid()->SetRow(7);
        f.grid()->SetCol(1);
        f.grid()->setFocus();
        QTest::keyClicks(f.grid(), "1");
        QTest::keyClicks(QApplication::focusWidget(), "52");
        f.messenger->saveAnswers.enqueue(Choice::Cancel);
        f.key(Qt::Key_O);
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.cell(7, 1), QStringLiteral("152.00000"));
    }

    void closingAsksBeforeDroppingEdits() {
        f.typeChannel(1, "145");
        f.messenger->saveAnswers.enqueue(Choice::Cancel);
        f.frame()->CommandAction(Id::kAppExit)->trigger();
        QVERIFY(f.frame()->isVisible());
        f.messenger->saveAnswers.enqueue(Choice::Discard);
        QVERIFY(f.frame()->close());
        QVERIFY(!f.frame()->isVisible());
    }

    void failedSaveKeepsTheMark() {
        const QString path = savedDocument();
        f.typeChannel(2, "150");
        f.messenger->savePaths.enqueue(f.path(QStringLiteral("missing/dir/x.sin")));
        f.frame()->CommandAction(Id::kFileSaveAs)->trigger();
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.messenger->shown.at(0).caption, QStringLiteral("警告"));
        QVERIFY(f.doc()->IsModified());
        QCOMPARE(f.doc()->GetPathName(), path);
    }

    void otherChangesMarkTheDocument() {
        f.view()->MarkModified(); // what the option dialogs and a read report
        QVERIFY(f.doc()->IsModified());
        f.doc()->SetModifiedFlag(false);
        f.view()->m_comboBand->setCurrentIndex(1);
        QVERIFY(f.doc()->IsModified());
    }

    void commandLine() {
        const QString path = savedDocument();
        f.stop();

        QVERIFY(f.start({path}));
        QCOMPARE(f.cell(1, 1), QStringLiteral("145.12500"));
        QCOMPARE(f.doc()->GetPathName(), path);
        f.stop();

        f.messenger = std::make_unique<ScriptedMessenger>();
        auto app = std::make_unique<CProgramApp>();
        QVERIFY(!app->InitInstance({f.path(QStringLiteral("nowhere.sin"))}));
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.messenger->shown.at(0).caption, QStringLiteral("警告"));
        app.reset();
        f.messenger.reset();
        QVERIFY(f.start());
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
