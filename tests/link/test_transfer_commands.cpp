// qtr318 read, write and verify against the simulated radio on a pseudo-terminal, with real
// timing: what a user at a terminal sees, and what ends up in files and in the radio.

#include "block_walk.h"
#include "document_file.h"
#include "new_document.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString BuildDir() {
    return qEnvironmentVariable("QTR318_BUILD_DIR");
}

// The simulated radio as a child process, stopped the way a user would stop it.
class RadioSim {
public:
    explicit RadioSim(const QStringList& arguments) {
        m_process.start(BuildDir() + "/tools/qtr318-radio-sim", arguments);
        while (m_process.waitForStarted(5000) && !m_process.canReadLine() &&
               m_process.waitForReadyRead(5000)) {
        }
        m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~RadioSim() { stop(); }
    QString path() const { return m_path; }
    int stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
    QString m_path;
};

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished Qtr318(const QStringList& arguments, const QString& com2 = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QTR318_COM2", com2);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(BuildDir() + "/cli/qtr318", arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

bool BlocksEqual(const MemoryImage& a, const MemoryImage& b) {
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        if (BlockWalk::Travels(address) && a.ReadByte(address) != b.ReadByte(address)) {
            return false;
        }
    }
    return true;
}

MemoryImage Loaded(const QString& path) {
    MemoryImage image;
    DocumentFile::Load(path, image);
    return image;
}

} // namespace

class TestTransferCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(!BuildDir().isEmpty());
    }

    void writeThenReadThenVerifyOnOneRadio() {
        MemoryImage pattern = NewDocumentImage();
        for (int address : BlockWalk::kAddresses) {
            for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
                pattern.WriteByte(address + i, static_cast<std::uint8_t>((address + 3 * i) & 0xFF));
            }
        }
        QVERIFY(DocumentFile::Save(file("pattern.sin"), pattern));
        MemoryImage base = NewDocumentImage();
        base.WriteByte(0x130, 0x5A); // a tuning byte, which never travels
        QVERIFY(DocumentFile::Save(file("base.sin"), base));

        RadioSim radio({"--save", file("radio.sin")});
        QVERIFY(!radio.path().isEmpty());
        QCOMPARE(Qtr318({"write", "--port", radio.path(), file("pattern.sin")}).exitCode, 0);
        QVERIFY(BlocksEqual(Loaded(file("radio.sin")), pattern)); // saved at the end of write

        // COM names reach the device through their variable.
        const QStringList read = {"read",           "--port", "COM2",          "-o",
                                  file("read.sin"), "--base", file("base.sin")};
        QCOMPARE(Qtr318(read, radio.path()).exitCode, 0);
        const MemoryImage result = Loaded(file("read.sin"));
        QVERIFY(BlocksEqual(result, pattern));
        QCOMPARE(result.ReadByte(0x130), std::uint8_t{0x5A});
        QCOMPARE(result.ReadByte(0x000), base.ReadByte(0x000));

        QCOMPARE(Qtr318({"verify", "--port", radio.path(), file("pattern.sin")}).exitCode, 0);
        MemoryImage changed = pattern;
        changed.WriteByte(0x010, 0xEE);
        changed.WriteByte(0x3FF, 0xEE);
        changed.WriteByte(0x130, 0xEE); // outside the blocks: no difference
        QVERIFY(DocumentFile::Save(file("changed.sin"), changed));
        const Finished verify = Qtr318({"verify", "--port", radio.path(), file("changed.sin")});
        QCOMPARE(verify.exitCode, 3);
        QCOMPARE(verify.out, QString("0x0010\n0x03f8\n"));
        QCOMPARE(radio.stop(), 0);
    }

    // A read saves its file only when the whole session succeeded; nobody sits at a Retry
    // button, so --retries grants extra program-mode attempts after the first five.
    void readSavesOnlyOnSuccess_data() {
        QTest::addColumn<QStringList>("simArguments");
        QTest::addColumn<QString>("retries");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::newRow("end refused") << QStringList{"--nak-at", "232"} << "0" << 1 << "结束错误";
        QTest::newRow("no device") << QStringList() << "0" << 1 << "不能打开串口/dev/qtr318-none";
        QTest::newRow("answers the sixth") << QStringList{"--ignore-prog", "5"} << "1" << 0 << "";
        QTest::newRow("silent on the sixth")
            << QStringList{"--ignore-prog", "6"} << "1" << 1 << "通信错误";
        QTest::newRow("no extra attempt")
            << QStringList{"--ignore-prog", "5"} << "0" << 1 << "通信错误";
    }

    void readSavesOnlyOnSuccess() {
        QFETCH(QStringList, simArguments);
        QFETCH(QString, retries);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        RadioSim radio(simArguments);
        const QString port = simArguments.isEmpty() ? "/dev/qtr318-none" : radio.path();
        const QString out = file(QTest::currentDataTag() + QString(".sin"));
        const Finished read = Qtr318({"read", "--port", port, "-o", out, "--retries", retries});
        QCOMPARE(read.exitCode, exitCode);
        QVERIFY2(read.err.contains(text), qPrintable(read.err));
        QCOMPARE(QFile::exists(out), exitCode == 0);
    }

    void usageErrorsExitTwo() {
        const char* const lines[] = {"read -o x.sin", // no port
                                     "read --port COM1",
                                     "read --port COM1 -o x.sin a.sin",
                                     "write --port COM1",
                                     "verify --port COM1 a.sin b.sin",
                                     "write --port COM1 --retries -1 a.sin",
                                     "write --port COM1 --bogus 1 a.sin",
                                     "write --port COM1 --port=COM2 a.sin",
                                     "verify a.sin --port"};
        for (const char* line : lines) {
            const Finished run = Qtr318(QString(line).split(' '));
            QVERIFY2(run.exitCode == 2 && run.err.startsWith("qtr318: "), line);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"
