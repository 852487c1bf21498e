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

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// The simulated radio as a child process, stopped the way a user would stop it.
class RadioSim {
public:
    explicit RadioSim(const QStringList& arguments) {
        m_process.start(BuildDir() + QStringLiteral("/tools/qtr318-radio-sim"), arguments);
        if (m_process.waitForStarted(5000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
            }
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
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

Finished Qtr318(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(BuildDir() + QStringLiteral("/cli/qtr318"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

MemoryImage Pattern() {
    MemoryImage image = NewDocumentImage();
    for (int address : BlockWalk::kAddresses) {
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            image.WriteByte(address + i, static_cast<std::uint8_t>((address + 3 * i) & 0xFF));
        }
    }
    return image;
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
        const MemoryImage pattern = Pattern();
        QVERIFY(DocumentFile::Save(file("pattern.sin"), pattern));
        MemoryImage base = NewDocumentImage();
        base.WriteByte(0x130, 0x5A); // a tuning byte, which never travels
        QVERIFY(DocumentFile::Save(file("base.sin"), base));

        RadioSim radio({QStringLiteral("--save"), file("radio.sin")});
        QVERIFY(!radio.path().isEmpty());
        Finished written = Qtr318({"write", "--port", radio.path(), file("pattern.sin")});
        QCOMPARE(written.exitCode, 0);
        QVERIFY(BlocksEqual(Loaded(file("radio.sin")), pattern)); // saved at the end of write

        Finished read = Qtr318(
            {"read", "--port", radio.path(), "-o", file("read.sin"), "--base", file("base.sin")});
        QCOMPARE(read.exitCode, 0);
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
        Finished verify = Qtr318({"verify", "--port", radio.path(), file("changed.sin")});
        QCOMPARE(verify.exitCode, 3);
        QCOMPARE(verify.out, QString("0x0010\n0x03f8\n"));
        QCOMPARE(radio.stop(), 0);
    }

    void comNameThroughItsVariable() {
        RadioSim radio({QStringLiteral("--ident"), QStringLiteral("4619")});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QTR318_COM2", radio.path());
        Finished read = Qtr318({"read", "--port", "COM2", "-o", file("com2.sin")}, environment);
        QCOMPARE(read.exitCode, 0);
        QVERIFY(BlocksEqual(Loaded(file("com2.sin")), NewDocumentImage()));
    }

    void failuresPrintTheirTextAndWriteNothing_data() {
        QTest::addColumn<QStringList>("simArguments");
        QTest::addColumn<QString>("text");
        QTest::newRow("short block") << QStringList{"--short-at", "42"} << "未收到足够的字节";
        QTest::newRow("wrong ident") << QStringList{"--ident", "QX318"} << "机型不匹配";
        QTest::newRow("end refused") << QStringList{"--nak-at", "232"} << "结束错误";
    }

    void failuresPrintTheirTextAndWriteNothing() {
        QFETCH(QStringList, simArguments);
        QFETCH(QString, text);
        RadioSim radio(simArguments);
        const QString out = file("failed.sin");
        Finished read = Qtr318({"read", "--port", radio.path(), "-o", out});
        QCOMPARE(read.exitCode, 1);
        QVERIFY2(read.err.contains(text), qPrintable(read.err));
        QVERIFY(!QFile::exists(out));
    }

    void silentRadioGetsTheExtraAttemptsThenFails() {
        QVERIFY(DocumentFile::Save(file("new.sin"), NewDocumentImage()));
        {
            // Five attempts and one more: the sixth request is still ignored.
            RadioSim radio({QStringLiteral("--ignore-prog"), QStringLiteral("6")});
            Finished write =
                Qtr318({"write", "--port", radio.path(), "--retries", "1", file("new.sin")});
            QCOMPARE(write.exitCode, 1);
            QVERIFY2(write.err.contains("通信错误"), qPrintable(write.err));
        }
        {
            RadioSim radio({QStringLiteral("--ignore-prog"), QStringLiteral("5")});
            QCOMPARE(Qtr318({"write", "--port", radio.path(), "--retries", "1", file("new.sin")})
                         .exitCode,
                     0);
        }
    }

    void portProblemsAndUsage() {
        Finished missing = Qtr318({"read", "--port", "/dev/qtr318-none", "-o", file("x.sin")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains("不能打开串口/dev/qtr318-none"), qPrintable(missing.err));
        QCOMPARE(Qtr318({"read", "-o", file("x.sin")}).exitCode, 2);
        QCOMPARE(Qtr318({"read", "--port", "COM1"}).exitCode, 2);
        QCOMPARE(Qtr318({"write", "--port", "COM1"}).exitCode, 2);
        QCOMPARE(Qtr318({"verify", "--port", "COM1", "a.sin", "b.sin"}).exitCode, 2);
        QCOMPARE(Qtr318({"write", "--port", "COM1", "--retries", "-1", "a.sin"}).exitCode, 2);
        QCOMPARE(Qtr318({"write", "--port", "COM1", "--bogus", "1", "a.sin"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"
