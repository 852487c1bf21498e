// The backup folder keeps what it reports and removes only its own old backups.

#include "backup_folder.h"
#include "document_file.h"
#include "new_document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

MemoryImage Numbered(int number) {
    MemoryImage image = NewDocumentImage();
    image.WriteByte(0x3F0, static_cast<std::uint8_t>(number));
    return image;
}

void WriteFile(const QString& path, int size) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(QByteArray(size, '\0')), qint64(size));
}

void SetFileTime(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

// A backup another run saved at time, with the file time to match; returns its name.
QString WriteBackup(const QString& folder, const QDateTime& time) {
    const QString name = BackupFolder::FileName(time, "COM1");
    WriteFile(QDir(folder).filePath(name), 1024);
    SetFileTime(QDir(folder).filePath(name), time);
    return name;
}

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
}

// Sets an environment variable, or unsets it for a null value.
void SetVariable(const char* name, const QByteArray& value) {
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

} // namespace

class TestBackupFolder : public QObject {
    Q_OBJECT

private slots:
    // Only the program's own backups go; the user's files and links named like them stay. (That a
    // folder the user named keeps everything is the write command's test.)
    void prunesOnlyItsOwnOldBackups() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath("backups");
        QVERIFY(QDir().mkpath(folder));
        const QStringList users = {"mine.sin", "19990101-080000-000-club repeater list.sin",
                                   "20200101-120000-000-mycopy.sin",
                                   "20000101T000000.000Z-short.sin"}; // not an image's size
        for (const QString& name : users) {
            WriteFile(QDir(folder).filePath(name), name.contains("short") ? 100 : 1024);
        }
        WriteFile(dir.filePath("target.sin"), 1024);
        QVERIFY(QFile::link(dir.filePath("target.sin"),
                            QDir(folder).filePath("20000101T000000.000Z-link.sin")));
        const QDateTime past = QDateTime::currentDateTimeUtc().addDays(-1);
        for (int i = 0; i < BackupFolder::kKept; ++i) {
            WriteBackup(folder, past.addSecs(i));
        }
        QString newest;
        for (int i = 0; i < 3; ++i) {
            newest = BackupFolder::Keep(Numbered(i), "/dev/ttyUSB0", folder,
                                        BackupFolder::Pruning::KeepNewest);
            QVERIFY(newest.endsWith("-ttyUSB0.sin"));
        }
        MemoryImage kept;
        QVERIFY(DocumentFile::Load(newest, kept));
        QCOMPARE(kept, Numbered(2));
        const QStringList files = Files(folder);
        for (const QString& name : users + QStringList{"20000101T000000.000Z-link.sin"}) {
            QVERIFY2(files.contains(name), qPrintable(name));
        }
        QCOMPARE(files.size(), users.size() + 1 + BackupFolder::kKept);
        QVERIFY(QFileInfo::exists(dir.filePath("target.sin")));
    }

    // Earlier backups at the given offsets from now (in seconds; ahead when the clock has since
    // been set back), then five saves; the kept ones are named.
    void keepsTheNewest_data() {
        QTest::addColumn<qint64>("firstAge"); // the newest earlier backup's offset
        QTest::addColumn<int>("earlier");
        QTest::addColumn<bool>("clockBackInRun"); // each save is dated to 2020 right after it
        QTest::addColumn<int>("earlierKept");     // how many of the newest earlier ones stay

        QTest::newRow("more than kept: newest remain") << qint64(-3600) << 60 << false << 45;
        QTest::newRow("clock set back before the run") << qint64(86400) << 50 << false << 50;
        QTest::newRow("clock set back during the run") << qint64(-3600) << 50 << true << 49;
    }
    void keepsTheNewest() {
        QFETCH(qint64, firstAge);
        QFETCH(int, earlier);
        QFETCH(bool, clockBackInRun);
        QFETCH(int, earlierKept);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDateTime first = QDateTime::currentDateTimeUtc().addSecs(firstAge);
        QStringList expected;
        for (int i = 0; i < earlier; ++i) { // newest first
            const QString name = WriteBackup(dir.path(), first.addSecs(-60 * i));
            if (i < earlierKept) {
                expected.append(name);
            }
        }
        for (int i = 0; i < 5; ++i) {
            const QString path = BackupFolder::Keep(Numbered(i), "COM1", dir.path(),
                                                    BackupFolder::Pruning::KeepNewest);
            QVERIFY(!path.isEmpty());
            if (clockBackInRun) {
                SetFileTime(path, QDateTime(QDate(2020, 1, 1), QTime(0, i), Qt::UTC));
            }
            expected.append(QFileInfo(path).fileName());
        }
        expected.sort();
        QCOMPARE(Files(dir.path()), expected);
    }

    // The name is the same instant's wherever the clock's zone is.
    void namesDoNotDependOnTheTimeZone() {
        const QDateTime instant(QDate(2026, 12, 7), QTime(0, 30, 12, 345), Qt::UTC);
        QCOMPARE(BackupFolder::FileName(instant.toOffsetFromUtc(14 * 3600), "COM1"),
                 QStringLiteral("20261207T003012.345Z-COM1.sin"));
        QCOMPARE(BackupFolder::FileName(instant.toOffsetFromUtc(-12 * 3600), "COM1"),
                 QStringLiteral("20261207T003012.345Z-COM1.sin"));
    }

    // Links planted at the names a backup would take are passed over, never written through.
    void plantedLinksAreNotFollowed() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath("backups");
        QVERIFY(QDir().mkpath(folder));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int ms = 0; ms < 500; ++ms) {
            QVERIFY(QFile::link(
                dir.filePath(QString("outside%1").arg(ms)),
                QDir(folder).filePath(BackupFolder::FileName(now.addMSecs(ms), "COM1"))));
        }
        const QString path =
            BackupFolder::Keep(Numbered(1), "COM1", folder, BackupFolder::Pruning::KeepNewest);
        QVERIFY(!path.isEmpty());
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(QDir(dir.path()).entryList({"outside*"}, QDir::Files), QStringList());
        QCOMPARE(Files(folder).size(), 501);

        QString error;
        WriteFile(dir.filePath("plain"), 1);
        QVERIFY(BackupFolder::Keep(Numbered(1), "COM1", dir.filePath("plain"),
                                   BackupFolder::Pruning::KeepNewest, &error)
                    .isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void folderFollowsTheXdgRules_data() {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("expected"); // empty: refused

        QTest::newRow("XDG_DATA_HOME")
            << QByteArray("/x/data") << QByteArray("/home/u") << "/x/data/qtr318/backups";
        QTest::newRow("relative XDG_DATA_HOME is ignored")
            << QByteArray("reldata") << QByteArray("/home/u")
            << "/home/u/.local/share/qtr318/backups";
        QTest::newRow("no XDG_DATA_HOME")
            << QByteArray() << QByteArray("/home/u") << "/home/u/.local/share/qtr318/backups";
        QTest::newRow("no home") << QByteArray() << QByteArray() << QString();
        QTest::newRow("relative home") << QByteArray("") << QByteArray("h") << QString();
    }
    void folderFollowsTheXdgRules() {
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, expected);
        SetVariable("XDG_DATA_HOME", dataHome);
        SetVariable("HOME", home);
        QString error;
        QCOMPARE(BackupFolder::Path(&error), expected);
        QCOMPARE(error.isEmpty(), !expected.isEmpty());
        if (expected.isEmpty()) {
            QVERIFY(BackupFolder::Keep(Numbered(1), "COM1", BackupFolder::Path(),
                                       BackupFolder::Pruning::KeepNewest, &error)
                        .isEmpty());
            QVERIFY(error.contains("HOME"));
        }
    }
};

QTEST_GUILESS_MAIN(TestBackupFolder)
#include "test_backup_folder.moc"
