#include "document_file.h"
#include "full_disk.h"
#include "image_bytes.h"
#include "new_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

// The .sin file: what is an image, and what a save leaves on disk.
class DocumentFileTest : public QObject {
    Q_OBJECT

private slots:
    // Only a file of exactly 1024 bytes is an image: a shorter or longer one (a CSV export, say)
    // is refused with its length named, and the image stays as it was.
    void openRandomFilesOfTheBoundaryLengths() {
        QRandomGenerator random(1024);
        for (int length : {0, 1023, 1024, 1025, 2048}) {
            const QByteArray contents = Bytes(RandomImage(random)).repeated(2).left(length);
            const QString path = write("random.sin", contents);
            MemoryImage image = RandomImage(random);
            const MemoryImage before = image;
            QString error;
            QCOMPARE(DocumentFile::Load(path, image, &error), length == MemoryImage::kSize);
            QVERIFY2(length == MemoryImage::kSize
                         ? Bytes(image) == contents
                         : error.contains(QStringLiteral("长度为 %1 字节").arg(length)) &&
                               image == before,
                     qPrintable(error));
        }
    }

    // Saving replaces a longer file with exactly the image; failures leave image and disk alone.
    void saveAndFailures() {
        QRandomGenerator random(7);
        MemoryImage image = RandomImage(random);
        QString path = write("long.sin", QByteArray(3000, 'x'));
        QString error;
        QVERIFY2(DocumentFile::Save(path, image, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == Bytes(image));

        const MemoryImage before = image;
        QVERIFY(!DocumentFile::Load(m_dir.path(), image, &error) && !error.isEmpty() &&
                image == before);
        path = m_dir.filePath("missing/dir/x.sin");
        QVERIFY(!DocumentFile::Save(path, image, &error) && error.contains(path));
        QVERIFY(!QFile::exists(path) && !QDir(m_dir.filePath("missing")).exists());

        // A pipe is never replaced by a file (nor, for root, a device such as /dev/null).
        path = m_dir.filePath("pipe.sin");
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(!DocumentFile::Save(path, image, &error) && error.contains(path));
        QVERIFY(!QFileInfo(path).isFile());
    }

    // A replaced file keeps its mode, and its owner and group where the process may set them.
    void saveKeepsOwnerGroupAndMode() {
        const QString path = write("owned.sin", QByteArray(1024, 'x'));
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(::chmod(name.constData(), 0600) == 0);
        // Root gives the file to someone else; anyone else to a group of their own.
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        const uid_t owner = ::geteuid() == 0 ? 12345 : uid_t(-1);
        gid_t group = ::geteuid() == 0 ? 12346 : ::getegid();
        for (int i = 0; i < count; ++i) {
            group = groups[i] != ::getegid() && ::geteuid() != 0 ? groups[i] : group;
        }
        QVERIFY(::chown(name.constData(), owner, group) == 0);
        struct stat before {};
        QVERIFY(::stat(name.constData(), &before) == 0);

        QVERIFY(DocumentFile::Save(path, NewDocumentImage()));
        struct stat after {};
        QVERIFY(::stat(name.constData(), &after) == 0);
        QCOMPARE(after.st_mode & 07777, mode_t(0600));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
    }

    // On a full disk the save fails with the system's reason and the previous file stays byte
    // for byte, with no temporary file left beside it.
    void saveOnAFullDiskKeepsThePreviousFile() {
        QTR318_RUN_ON_FULL_DISK(m_dir.filePath("full"));
        const QString folder = FullDisk::Folder();
        QRandomGenerator random(11);
        const MemoryImage previous = RandomImage(random);
        const QString path = folder + "/keep.sin";
        QVERIFY(DocumentFile::Save(path, previous));
        QVERIFY(FullDisk::Fill(folder));
        QString error;
        QVERIFY(!DocumentFile::Save(path, RandomImage(random), &error));
        QVERIFY2(error.contains(path) && error.contains("设备上没有空间"), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == Bytes(previous));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"filler", "keep.sin"}));
    }

private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(DocumentFileTest)
#include "test_document_file.moc"
