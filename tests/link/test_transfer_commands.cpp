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
struct RadioSim {
    explicit RadioSim(const QStringList& arguments) {
        process.start(BuildDir() + "/tools/qtr318-radio-sim", arguments);
        while (!process.canReadLine() && process.waitForReadyRead(5000)) {
        }
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~RadioSim() {
        process.terminate();
        process.waitForFinished(5000);
    }
    QProcess process;
    QString path;
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

} // namespace

class TestTransferCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid() && !BuildDir().isEmpty()); }

    void writeThenReadThenVerifyOnOneRadio() {
        MemoryImage pattern = NewDocumentImage(); // every byte value travels both ways
        for (int address : BlockWalk::kAddresses) {
            for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
                pattern.WriteByte(address + i, static_cast<std::uint8_t>((address + 3 * i) & 0xFF));
            }
        }
        pattern.WriteByte(0x130, 0x5A); // a tuning byte, which never travels
        QVERIFY(DocumentFile::Save(file("pattern.sin"), pattern));
        QVERIFY(DocumentFile::Save(file("base.sin"), NewDocumentImage()));

        RadioSim radio({});
        QVERIFY(!radio.path.isEmpty());
        QCOMPARE(Qtr318({"write", "--port", radio.path, file("pattern.sin")}).exitCode, 0);
        // COM names reach the device through their variable; what does not travel comes from
        // the base.
        const QStringList read = {"read",           "--port", "COM2",          "-o",
                                  file("read.sin"), "--base", file("base.sin")};
        QCOMPARE(Qtr318(read, radio.path).exitCode, 0);
        MemoryImage expected = pattern;
        expected.WriteByte(0x130, NewDocumentImage().ReadByte(0x130));
        MemoryImage result;
        QVERIFY(DocumentFile::Load(file("read.sin"), result) && result == expected);

        QCOMPARE(Qtr318({"verify", "--port", radio.path, file("pattern.sin")}).exitCode, 0);
        pattern.WriteByte(0x010, 0xEE);
        pattern.WriteByte(0x3FF, 0xEE);
        pattern.WriteByte(0x131, 0xEE); // outside the blocks: no difference
        QVERIFY(DocumentFile::Save(file("changed.sin"), pattern));
        const Finished verify = Qtr318({"verify", "--port", radio.path, file("changed.sin")});
        QCOMPARE(verify.exitCode, 3);
        QCOMPARE(verify.out, QString("0x0010\n0x03f8\n"));
    }

    // A read saves its file only when the whole session succeeded; nobody sits at a Retry
    // button, so --retries grants extra program-mode attempts after the first five.
    void readSavesOnlyOnSuccess() {
        const QList<std::tuple<QStringList, int, QString>> cases = {
            {{"--nak-at", "232"}, 1, "结束错误"},
            {{}, 1, "不能打开串口/dev/qtr318-none"}, // no simulator behind that name
            {{"--ignore-prog", "5"}, 0, ""},
            {{"--ignore-prog", "6"}, 1, "通信错误"}};
        for (const auto& [simArguments, exitCode, text] : cases) {
            RadioSim radio(simArguments);
            const QString port = simArguments.isEmpty() ? "/dev/qtr318-none" : radio.path;
            const QString out = file(simArguments.join('_') + ".sin");
            const Finished read = Qtr318({"read", "--port", port, "-o", out, "--retries", "1"});
            QVERIFY2(read.exitCode == exitCode && read.err.contains(text), qPrintable(read.err));
            QCOMPARE(QFile::exists(out), exitCode == 0);
        }
    }

    void usageErrorsExitTwo() {
        for (const char* line :
             {"read -o x.sin", "read --port COM1 -o x.sin a.sin", "verify --port COM1 a.sin b.sin",
              "write --port COM1 --retries -1 a.sin", "verify a.sin --port"}) {
            const Finished run = Qtr318(QString(line).split(' '));
            QVERIFY2(run.exitCode == 2 && run.err.startsWith("qtr318: "), line);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"
