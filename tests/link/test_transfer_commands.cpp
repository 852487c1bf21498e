// qtr318 read, write and verify against the simulated radio on a pseudo-terminal, with real
// timing: what a user at a terminal sees, and what ends up in files and in the radio.

#include "block_walk.h"
#include "document_file.h"
#include "new_document.h"
#include "qtr318_process.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// Whether process pid has path open.
bool HasOpen(qint64 pid, const QString& path) {
    const QDir descriptors(QString("/proc/%1/fd").arg(pid));
    for (const QString& fd : descriptors.entryList(QDir::Files | QDir::System)) {
        if (QFile::symLinkTarget(descriptors.filePath(fd)) == path) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestTransferCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && !BuildDir().isEmpty());
        // Backups of every write land here, not in the home folder of whoever runs the tests.
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    }

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
        // The pattern's model and band bytes are no list entries: only --force writes them.
        QCOMPARE(Qtr318({"write", "--force", "--port", radio.path, file("pattern.sin")}).exitCode,
                 0);
        // COM names, in any case, reach the device through their variable; what does not travel
        // comes from the base; "-o -" is standard output, not a file named "-".
        const Finished read =
            Qtr318({"read", "--port", "com2", "-o", "-", "--base", file("base.sin")},
                   {{"QTR318_COM2", radio.path}});
        MemoryImage expected = pattern;
        expected.WriteByte(0x130, NewDocumentImage().ReadByte(0x130));
        QVERIFY2(read.exitCode == 0 && read.bytes == QByteArray(reinterpret_cast<const char*>(
                                                                    expected.bytes().data()),
                                                                MemoryImage::kSize),
                 qPrintable(read.err));
        QVERIFY(!QFile::exists("-"));

        QCOMPARE(Qtr318({"verify", "--port", radio.path, file("pattern.sin")}).exitCode, 0);
    }

    // A read saves its file only when the whole session succeeded; nobody sits at a Retry
    // button, so --retries grants extra program-mode attempts after the first five.
    void readSavesOnlyOnSuccess() {
        const QList<std::tuple<QStringList, int, QString>> cases = {
            {{"--ignore-prog", "5"}, 0, ""}, {{"--ignore-prog", "6"}, 1, "通信错误"}};
        for (const auto& [simArguments, exitCode, text] : cases) {
            RadioSim radio(simArguments);
            const QString out = file(simArguments.join('_') + ".sin");
            const Finished read =
                Qtr318({"read", "--port", radio.path, "-o", out, "--retries", "1"});
            QVERIFY2(read.exitCode == exitCode && read.err.contains(text), qPrintable(read.err));
            QCOMPARE(QFile::exists(out), exitCode == 0);
        }
    }

    // The message names the device and says what to do: a port that another program holds
    // names that program.
    void openFailuresSayWhatToDo() {
        RadioSim held({"--ignore-prog", "all"});
        QVERIFY(!held.path.isEmpty());
        // Another qtr318 holds the port while it waits in vain for program mode.
        QProcess holder;
        holder.start(BuildDir() + "/cli/qtr318",
                     {"read", "--port", held.path, "-o", file("held.sin"), "--retries", "30"});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(HasOpen(holder.processId(), held.path), 5000);
        QVERIFY(DocumentFile::Save(file("image.sin"), NewDocumentImage()));
        const QList<std::pair<QString, QStringList>> cases = {
            {"/dev/qtr318-none", {"/dev/qtr318-none", "不存在"}},
            {held.path, {held.path, "占用", "qtr318", QString::number(holder.processId())}}};
        for (const auto& [port, expected] : cases) {
            const Finished write = Qtr318({"write", "--port", port, file("image.sin")});
            const QStringList lines = write.err.split('\n');
            QVERIFY2(write.exitCode == 1 && lines.first() == "qtr318: 不能打开串口" + port,
                     qPrintable(write.err));
            for (const QString& text : expected) {
                QVERIFY2(lines.mid(1).join('\n').contains(text), qPrintable(write.err));
            }
        }
        // Stopped while it still waits for program mode, the holder lets the port go too.
        holder.terminate();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(holder.exitStatus() == QProcess::NormalExit && holder.exitCode() == 143);
    }

    // Ctrl+C stops a write at the next block as Cancel does, lets the port go and exits 130; the
    // user learns how many blocks the radio took and that it must be written again, and verify
    // then finds exactly the blocks the radio did not get.
    void interruptedWriteSaysWhatTheRadioHolds() {
        MemoryImage image = NewDocumentImage(); // every block differs from the radio's
        for (int address : BlockWalk::kAddresses) {
            for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
                image.WriteByte(address + i, ~image.ReadByte(address + i));
            }
        }
        QVERIFY(DocumentFile::Save(file("inverse.sin"), image));
        RadioSim radio({"--pace", "--trace"});
        QVERIFY(!radio.path.isEmpty());
        // --force: the inverse's model and band are no list entries
        QProcess qtr318;
        qtr318.start(BuildDir() + "/cli/qtr318",
                     {"write", "--port", radio.path, "--force", file("inverse.sin")});
        QVERIFY(qtr318.waitForStarted());
        // A write reads the radio first, in a session of its own; frame numbers start again at 1
        // with each session. The signal goes once the radio has answered frame 40 of the writing.
        int frame = 0;
        int sessions = 0;
        while ((sessions < 2 || frame < 40) &&
               (radio.process.canReadLine() || radio.process.waitForReadyRead(5000))) {
            frame = QString(radio.process.readLine()).section(' ', 1).toInt();
            sessions += frame == 1 ? 1 : 0;
        }
        QVERIFY(sessions == 2 && frame >= 40);
        ::kill(pid_t(qtr318.processId()), SIGINT);
        QVERIFY(qtr318.waitForFinished(30000));
        const QString err = QString::fromUtf8(qtr318.readAllStandardError());
        QVERIFY2(qtr318.exitStatus() == QProcess::NormalExit && qtr318.exitCode() == 130,
                 qPrintable(err));
        const QRegularExpressionMatch taken =
            QRegularExpression("确认收到 (\\d+) 块（共 114 块）.*请重新写入").match(err);
        const int received = taken.captured(1).toInt();
        QVERIFY2(taken.hasMatch() && received > 0 && received < 114, qPrintable(err));
        // The port is free again, and the radio holds exactly the blocks it took.
        const Finished verify =
            Qtr318({"verify", "--blocks", "--port", radio.path, file("inverse.sin")});
        QVERIFY2(
            verify.exitCode == 3 &&
                verify.err.contains(QString("不同的块有 %1 个（共 114 块）").arg(114 - received)),
            qPrintable(verify.err));
    }
};

QTEST_GUILESS_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"
