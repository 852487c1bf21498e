#include "block_walk.h"
#include "document_file.h"
#include "image_map.h"
#include "new_document.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// The new-document contents, the .sin file and the blocks that travel to the radio.
class DocumentFileTest : public QObject {
    Q_OBJECT

private slots:
    void newDocumentBytes();
    void blockWalk();
    void openRandomFilesOfEveryLength();
    void missingFileOrDirectoryFails();
    void saveThenLoadRoundTrips();
    void failedSaveLeavesNoFile();
    void saveReplacesALongerFile();

private:
    QTemporaryDir m_dir;
};

namespace {

MemoryImage RandomImage(QRandomGenerator& random) {
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>(random.bounded(256)));
    }
    return image;
}

QByteArray RandomBytes(QRandomGenerator& random, int length) {
    QByteArray bytes(length, '\0');
    for (char& b : bytes) {
        b = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

void DocumentFileTest::newDocumentBytes() {
    MemoryImage expected;
    expected.Fill(0xFF);
    const QList<QPair<int, int>> listed = {
        {0x2A0, 0x00}, {0x2A8, 0x00}, {0x2B0, 0x00}, {0x2B1, 0xFF}, {0x2B2, 0xFF}, {0x3C0, 0x13},
        {0x3C1, 0x05}, {0x3C2, 0x00}, {0x3C3, 0x00}, {0x3C4, 0x03}, {0x3C5, 0x02}, {0x3C6, 0x0A},
        {0x3C7, 0x00}, {0x3C8, 0x01}, {0x3C9, 0x00}, {0x3CA, 0x00}, {0x3D1, 0x00}, {0x3D2, 0x00}};
    for (const auto& [address, value] : listed) {
        expected.WriteByte(address, static_cast<std::uint8_t>(value));
    }
    for (int n = 1; n <= 16; ++n) {
        expected.WriteByte(0x10 * n + 12, 0x1B);
    }
    MemoryImage image;
    image.Fill(0x42);
    FillNewDocument(image);
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        const bool tuning = a >= ImageMap::kTuningEmphasis && a < ImageMap::kTuningNone + 24;
        if (!tuning && image.ReadByte(a) != expected.ReadByte(a)) {
            QFAIL(qPrintable(QStringLiteral("byte 0x%1").arg(a, 3, 16, QLatin1Char('0'))));
        }
    }
    // Spot values of the tuning sets; their full tables are checked with the settings codec.
    QCOMPARE(int(image.ReadByte(ImageMap::kTuningNone + 2)), 200);
    QCOMPARE(int(image.ReadByte(ImageMap::kTuningEmphasis + 2)), 220);
    QCOMPARE(int(image.ReadByte(ImageMap::kTuningScrambler)), 0);
    QCOMPARE(int(image.ReadByte(ImageMap::kTuningCompander + 5)), 0xFF);
}

void DocumentFileTest::blockWalk() {
    const auto& blocks = BlockWalk::kAddresses;
    QCOMPARE(int(blocks.size()), 114);
    QCOMPARE(blocks.front(), 0x010);
    QCOMPARE(blocks.back(), 0x3F8);
    const auto at118 = std::find(blocks.begin(), blocks.end(), 0x118);
    QVERIFY(at118 != blocks.end());
    QCOMPARE(*(at118 + 1), 0x180);
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        QVERIFY(blocks[i] > blocks[i - 1]);
    }
    int travelling = 0;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        travelling += BlockWalk::Travels(a) ? 1 : 0;
        const bool tuningOrHead = a < 0x010 || (a >= 0x120 && a < 0x180);
        QCOMPARE(BlockWalk::Travels(a), !tuningOrHead);
    }
    QCOMPARE(travelling, 114 * 8);
}

void DocumentFileTest::openRandomFilesOfEveryLength() {
    QRandomGenerator random(1024);
    const QString path = m_dir.filePath(QStringLiteral("random.sin"));
    for (int length = 0; length <= 2048; ++length) {
        const QByteArray contents = RandomBytes(random, length);
        WriteFile(path, contents);
        MemoryImage image = RandomImage(random);
        const MemoryImage before = image;
        QString error;
        const bool loaded = DocumentFile::Load(path, image, &error);
        if (length < MemoryImage::kSize) {
            QVERIFY(!loaded);
            QVERIFY(!error.isEmpty());
            QVERIFY(error.contains(QString::number(length)));
            QVERIFY(image == before);
        } else {
            QVERIFY(loaded);
            const auto& bytes = image.bytes();
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), MemoryImage::kSize),
                     contents.left(MemoryImage::kSize));
        }
    }
}

void DocumentFileTest::missingFileOrDirectoryFails() {
    MemoryImage image = NewDocumentImage();
    QString error;
    QVERIFY(!DocumentFile::Load(m_dir.filePath(QStringLiteral("absent.sin")), image, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!DocumentFile::Load(m_dir.path(), image, &error));
    QVERIFY(image == NewDocumentImage());
}

void DocumentFileTest::saveThenLoadRoundTrips() {
    QRandomGenerator random(7);
    const QString path = m_dir.filePath(QStringLiteral("saved.sin"));
    for (int round = 0; round < 50; ++round) {
        const MemoryImage image = RandomImage(random);
        QString error;
        QVERIFY2(DocumentFile::Save(path, image, &error), qPrintable(error));
        QCOMPARE(QFileInfo(path).size(), qint64(MemoryImage::kSize));
        MemoryImage loaded;
        QVERIFY(DocumentFile::Load(path, loaded));
        QVERIFY(loaded == image);
    }
}

void DocumentFileTest::failedSaveLeavesNoFile() {
    const QString path = m_dir.filePath(QStringLiteral("missing/dir/x.sin"));
    QString error;
    QVERIFY(!DocumentFile::Save(path, NewDocumentImage(), &error));
    QVERIFY(error.contains(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QDir(m_dir.filePath(QStringLiteral("missing"))).exists());
}

void DocumentFileTest::saveReplacesALongerFile() {
    const QString path = m_dir.filePath(QStringLiteral("long.sin"));
    WriteFile(path, QByteArray(3000, 'x'));
    MemoryImage image;
    QVERIFY(DocumentFile::Load(path, image));
    QVERIFY(DocumentFile::Save(path, image));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(1024, 'x'));
}

QTEST_APPLESS_MAIN(DocumentFileTest)
#include "test_document_file.moc"
