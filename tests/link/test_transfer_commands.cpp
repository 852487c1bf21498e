// qtr318 read, write and verify against simulated radios on pseudo-terminals, with real timing:
// what a user at a terminal sees, what ends up in files and in the radio, the write's safety net
// (backup, band check, read-back), and several radios at once.

#include "block_walk.h"
#include "document_file.h"
#include "image_map.h"
#include "new_document.h"
#include "qtr318_process.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

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

// A new document with channel 1 on 145.12500 MHz, in the band given.
MemoryImage ChannelOne(int band = 0) {
    MemoryImage image = NewDocumentImage();
    const std::uint8_t frequency[] = {0x00, 0x25, 0x51, 0x14};
    for (int i = 0; i < 8; ++i) {
        image.WriteByte(ImageMap::ChannelRecord(1) + i, frequency[i % 4]);
    }
    image.WriteByte(ImageMap::kBandIndex, static_cast<std::uint8_t>(band));
    return image;
}

// What the simulated radio saved when it stopped.
MemoryImage Stopped(RadioSim& radio, const QString& saved) {
    radio.process.terminate();
    radio.process.waitForFinished(5000);
    MemoryImage image;
    DocumentFile::Load(saved, image);
    return image;
}

} // namespace

class TestTransferCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString backups() const { return m_dir.filePath("data/qtr318/backups"); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && !BuildDir().isEmpty());
        // Backups of every write land here, not in the home folder of whoever runs the tests.
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
        QVERIFY(DocumentFile::Save(file("vhf.sin"), ChannelOne(0)));
        QVERIFY(DocumentFile::Save(file("uhf.sin"), ChannelOne(1)));
        QVERIFY(DocumentFile::Save(file("new.sin"), NewDocumentImage()));
        MemoryImage emptyUhf = NewDocumentImage();
        emptyUhf.WriteByte(ImageMap::kBandIndex, 1);
        QVERIFY(DocumentFile::Save(file("empty-uhf.sin"), emptyUhf));
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

        RadioSim radio({});
        QVERIFY(!radio.path.isEmpty());
        // The pattern's model and band bytes are no list entries: only --force writes them.
        QCOMPARE(Qtr318({"write", "--force", "--port", radio.path, file("pattern.sin")}).exitCode,
                 0);
        // COM names, in any case, reach the device through their variable; what does not travel
        // comes from the base; "-o -" is standard output, not a file named "-".
        const Finished read =
            Qtr318({"read", "--port", "com2", "-o", "-", "--base", file("new.sin")},
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

    // A port that another program holds: the message names the device and that program.
    void heldPortNamesItsHolder() {
        RadioSim held({"--ignore-prog", "all"});
        QVERIFY(!held.path.isEmpty());
        // Another qtr318 holds the port while it waits in vain for program mode.
        QProcess holder;
        holder.start(BuildDir() + "/cli/qtr318",
                     {"read", "--port", held.path, "-o", file("held.sin"), "--retries", "1000"});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(HasOpen(holder.processId(), held.path), 5000);
        const Finished write = Qtr318({"write", "--port", held.path, file("new.sin")});
        const QStringList lines = write.err.split('\n');
        QVERIFY2(write.exitCode == 1 && lines.first() == "qtr318: 不能打开串口" + held.path,
                 qPrintable(write.err));
        for (const QString& text :
             {held.path, QString("占用"), QString("qtr318"), QString::number(holder.processId())}) {
            QVERIFY2(lines.mid(1).join('\n').contains(text), qPrintable(write.err));
        }
        // Ctrl+C ends the retries, which would go on for minutes, and saves nothing.
        ::kill(pid_t(holder.processId()), SIGINT);
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(holder.exitStatus() == QProcess::NormalExit && holder.exitCode() == 130);
        QVERIFY(!QFile::exists(file("held.sin")));
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

    // Every write reads the radio first and keeps what it held; what the radio holds at the end
    // and what the user is told follow from how the radio behaves.
    void writeKeepsABackupAndReadsBack() {
        // simulator options, write options, file, exit code, text on either stream, and
        // whether the radio ends up holding the file (or else what it held)
        const QList<std::tuple<QString, QString, QString, int, QString, bool>> cases = {
            {"--misstore-at 4 --fault-session 2", "", "vhf.sin", 3, "电台 145.12501\n", false},
            {"--quiet-after 2", "", "vhf.sin", 1, "没有校验。请用 qtr318 verify 检查", true},
            {"--short-at 20 --fault-session 3", "", "vhf.sin", 1,
             "读回校验在第 9 块（共 114 块）中断", true},
            {"", "", "empty-uhf.sin", 1, "对讲机 136 - 174MHz）。确实要写入请加 --force", false},
            // A channel outside the file's own band: refused before the radio is touched.
            {"", "", "uhf.sin", 1,
             "没有写入：uhf.sin 中有 1 个信道的频率在频段 400 - 480MHz 之外或不在步进上：信道 "
             "1。确实要写入请加 --force。\n  信道 1 接收频率 145.12500：在频段之外\n",
             false},
            {"", "--force", "uhf.sin", 0, "校验通过", true},
            {"--nak-at 10 --fault-session 1", "", "vhf.sin", 1, "没有写入", false}};
        for (const auto& [simText, optionText, input, exitCode, text, written] : cases) {
            const QStringList sim = simText.split(' ', Qt::SkipEmptyParts);
            const QStringList options = optionText.split(' ', Qt::SkipEmptyParts);
            const QString saved = file("radio.sin");
            QVERIFY(DocumentFile::Save(saved, NewDocumentImage()));
            RadioSim radio(QStringList{"--save", saved} + sim);
            QVERIFY(!radio.path.isEmpty());
            const int backupsBefore = int(QDir(backups()).entryList(QDir::Files).size());
            const Finished write =
                Qtr318(QStringList{"write", "--port", radio.path, file(input)} + options);
            const QByteArray row =
                (sim + options).join(' ').toUtf8() + ": " + write.out.toUtf8() + write.err.toUtf8();
            QVERIFY2(write.exitCode == exitCode && (write.out + write.err).contains(text), row);
            MemoryImage expected = NewDocumentImage();
            QVERIFY(!written || DocumentFile::Load(file(input), expected));
            QVERIFY2(Stopped(radio, saved) == expected || exitCode == 3, row);
            if (exitCode == 0) {
                // One line: the file, the port, the backup, the outcome and the time.
                const QRegularExpressionMatch line =
                    QRegularExpression("^已把 (\\S+) 写入 (\\S+)，备份 (\\S+)，(校验通过|未校验)，"
                                       "\\d\\d:\\d\\d:\\d\\d，用时 \\d+\\.\\d 秒\n$")
                        .match(write.out);
                QVERIFY2(line.hasMatch() && line.captured(1) == input &&
                             line.captured(2) == radio.path,
                         row);
                MemoryImage backup;
                QVERIFY2(DocumentFile::Load(line.captured(3), backup) &&
                             backup == NewDocumentImage() &&
                             line.captured(3).startsWith(backups() + "/"),
                         row);
            }
            const int backupsAfter = int(QDir(backups()).entryList(QDir::Files).size());
            QVERIFY2(backupsAfter == backupsBefore + (text.startsWith("没有写入") ? 0 : 1), row);
        }
    }

    // --backup FILE holds what the radio held before the write, not the file written; a folder
    // the user named loses nothing, not even files named as the program names its backups.
    void backupOptionKeepsWhatTheRadioHeld() {
        RadioSim radio({});
        QVERIFY(!radio.path.isEmpty());
        const QString backup = file("before.sin");
        Finished write =
            Qtr318({"write", "--port", radio.path, "--backup", backup, file("vhf.sin")});
        QVERIFY2(write.exitCode == 0, qPrintable(write.err));
        MemoryImage held;
        QVERIFY(DocumentFile::Load(backup, held));
        QVERIFY(held == NewDocumentImage());

        const QString folder = file("mine") + "/";
        QVERIFY(QDir().mkpath(folder));
        for (int i = 0; i < 60; ++i) {
            const QString name = QString("20200101T1200%1.000Z-COM1.sin").arg(i, 2, 10, QChar('0'));
            QVERIFY(DocumentFile::Save(folder + name, NewDocumentImage()));
        }
        write = Qtr318({"write", "--port", radio.path, "--backup", folder, file("new.sin")});
        QVERIFY2(write.exitCode == 0, qPrintable(write.err));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 61);
    }

    // Four radios programmed and read at once, each with its own line in the summary;
    // one radio that never answers fails alone.
    void severalRadiosAtOnce() {
        std::vector<std::unique_ptr<RadioSim>> radios;
        QStringList ports;
        for (int i = 0; i < 4; ++i) {
            const QStringList options =
                i == 3 ? QStringList{"--ignore-prog", "all"} : QStringList{};
            radios.push_back(std::make_unique<RadioSim>(options));
            ports << "--port" << radios.back()->path;
        }
        const Finished write = Qtr318(QStringList{"write"} + ports + QStringList{file("vhf.sin")});
        QVERIFY2(write.exitCode == 1, qPrintable(write.err));
        QCOMPARE(write.out.count("校验通过"), 3);
        for (int i = 0; i < 4; ++i) {
            const QRegularExpression row(QRegularExpression::escape(radios[size_t(i)]->path) +
                                         "\\s+" + (i == 3 ? "失败" : "成功") + "\\s+\\d+\\.\\d 秒");
            QVERIFY2(write.out.contains(row), qPrintable(write.out));
        }
        QVERIFY2(write.err.contains(radios[3]->path + ": 通信错误"), qPrintable(write.err));

        radios.pop_back();
        ports = ports.mid(0, 6);
        const QString folder = file("fleet") + "/";
        const Finished read = Qtr318(QStringList{"read"} + ports + QStringList{"-o", folder});
        QVERIFY2(read.exitCode == 0, qPrintable(read.err));
        for (const auto& radio : radios) {
            MemoryImage image;
            QVERIFY(DocumentFile::Load(folder + QFileInfo(radio->path).fileName() + ".sin", image));
            QVERIFY(image == ChannelOne(0));
        }
    }

    // Radio after radio on one cable: each answers, is written and verified, and the next is
    // awaited once it has gone; Ctrl+C ends the batch with the count of radios done.
    void waitProgramsRadioAfterRadio() {
        const QString link = file("cable");
        QProcess batch;
        QByteArray out;
        QByteArray err;
        const auto collect = [&] {
            batch.waitForReadyRead(50);
            out += batch.readAllStandardOutput();
            err += batch.readAllStandardError();
        };
        for (int number = 1; number <= 2; ++number) {
            auto radio = std::make_unique<RadioSim>(QStringList{});
            QFile::remove(link);
            QVERIFY(QFile::link(radio->path, link));
            if (number == 1) {
                batch.start(BuildDir() + "/cli/qtr318",
                            {"write", "--wait", "--port", link, file("vhf.sin")});
                QVERIFY(batch.waitForStarted());
            }
            const QByteArray numbered = QByteArray::number(number) + ". 已把 vhf.sin 写入";
            QTRY_VERIFY2_WITH_TIMEOUT((collect(), out.count(numbered) == 1),
                                      (out + err).constData(), 20000);
            // Unplugged: the name goes with the radio, as a USB cable's does, so the batch never
            // looks into another test's pseudo-terminal numbered alike.
            QFile::remove(link);
            radio.reset(); // the next one is awaited only once this one is gone
            QTRY_VERIFY2_WITH_TIMEOUT((collect(), err.count("等待对讲机") == number + 1),
                                      (out + err).constData(), 20000);
        }
        QCOMPARE(out.count("校验通过"), 2);
        ::kill(pid_t(batch.processId()), SIGINT);
        QVERIFY(batch.waitForFinished(10000));
        QVERIFY2(batch.exitStatus() == QProcess::NormalExit && batch.exitCode() == 0,
                 batch.readAllStandardError().constData());
    }
};

QTEST_GUILESS_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"
