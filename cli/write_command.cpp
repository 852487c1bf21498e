#include "backup_folder.h"
#include "band_fit.h"
#include "block_walk.h"
#include "channel_codec.h"
#include "channel_table.h"
#include "cli_command.h"
#include "diff_command.h"
#include "document_file.h"
#include "fleet_database.h"
#include "new_document.h"
#include "plan_store.h"
#include "port_runner.h"
#include "qt_serial_port.h"
#include "radio_mismatch.h"
#include "radio_store.h"
#include "transfer_arguments.h"
#include "transfer_engine.h"
#include "transfer_log.h"
#include "write_claims.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <QTime>
#include <cstdio>

namespace Cli {
namespace {

using Operation = ProgrammingRecord::Operation;
using Result = ProgrammingRecord::Result;

// How long a radio just written may take to answer the read-back before the write is reported
// as not verified; a radio that restarts after a write answers well within it.
constexpr int kReadBackPatienceMs = 5000;
// Between two looks for a radio while waiting for the next one.
constexpr int kProbeIntervalMs = 500;

QString Seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1);
}

// A file whose channels its band or the raster refuse is not written unless forced: the radio
// would hold channels it cannot use. Forced, the tool still says which they are.
bool StrayChannelsAllowed(const MemoryImage& image, const QString& fileName, bool force) {
    ChannelTable table;
    DecodeChannels(image, table);
    const QList<StrayFrequency> strays = StrayFrequencies(table);
    if (strays.isEmpty()) {
        return true;
    }
    const QList<int> channels = StrayChannels(strays);
    const QString band =
        table.entryText(ChannelTable::Selector::Band, table.selected(ChannelTable::Selector::Band));
    const QString summary = QCoreApplication::translate(
                                "Cli", "%1 中有 %n 个信道的频率在频段 %2 之外或不在步进上：信道 %3",
                                nullptr, int(channels.size()))
                                .arg(fileName, band, ChannelNumbers(channels));
    if (force) {
        Note(summary + QCoreApplication::translate("Cli", "；按 --force 照样写入。"));
    } else {
        Fail(QCoreApplication::translate("Cli", "没有写入：%1。确实要写入请加 --force。")
                 .arg(summary));
    }
    QTextStream err(stderr);
    for (const QString& line : DescribeStrays(strays)) {
        err << "  " << line << "\n";
    }
    return force;
}

struct WritePlan {
    MemoryImage image;
    QString input; // as given
    QString fileName;
    QString backup; // a file for one port, a folder for several; empty: the backup folder
    QString label;
    int retries = 0;
    bool force = false;
    bool verify = true;
};

// Read first and keep what the radio held, refuse another band or model, write, then read back
// and compare: the safety net of qtr318 write.
void WriteWithSafetyNet(PortJob& job, ProgressBoard& board, const WritePlan& plan) {
    QElapsedTimer clock;
    clock.start();
    PortObserver observer(board, job.row, plan.retries);

    observer.SetStage(QCoreApplication::translate("Cli", "读取备份"));
    MemoryImage held = NewDocumentImage();
    job.code = Transfer(job, observer, board, held, TransferDirection::Read, Operation::Read);
    if (job.code != kSuccess) {
        board.Message(job.row, QCoreApplication::translate(
                                   "Cli", "没有写入：写入前没能读出对讲机里的数据。"));
        LogRecord(job);
        return;
    }
    TransferLog::SetRadio(job.record, held);
    const auto refuse = [&](const QString& message) {
        board.Message(job.row, message);
        job.code = kFailed;
        job.record.message = message;
        LogRecord(job);
    };
    QString backupPath;
    QString error;
    if (!plan.backup.isEmpty() && !IsFolder(plan.backup)) {
        backupPath = DocumentFile::Save(plan.backup, held, &error) ? plan.backup : QString();
    } else {
        // Old backups are removed only from the program's own folder, never from one the user
        // named.
        backupPath = plan.backup.isEmpty()
                         ? BackupFolder::Keep(held, job.port, BackupFolder::Path(&error),
                                              BackupFolder::Pruning::KeepNewest, &error)
                         : BackupFolder::Keep(held, job.port, plan.backup,
                                              BackupFolder::Pruning::KeepAll, &error);
    }
    if (backupPath.isEmpty()) {
        job.record.result = Result::Failed;
        refuse(error + QCoreApplication::translate("Cli", "；没有备份就不写入。"));
        return;
    }
    TransferLog::SetImage(job.record, held, backupPath);
    job.record.backup = backupPath;
    const QString mismatch = RadioMismatch(plan.image, held);
    if (!mismatch.isEmpty() && !plan.force) {
        refuse(QCoreApplication::translate(
                   "Cli", "没有写入：%1 与对讲机不符（%2）。确实要写入请加 --force。")
                   .arg(plan.fileName, mismatch));
        job.result = QCoreApplication::translate("Cli", "不符，未写入");
        return;
    }
    LogRecord(job);

    observer.SetStage(QCoreApplication::translate("Cli", "写入"));
    MemoryImage written = plan.image;
    job.code = Transfer(job, observer, board, written, TransferDirection::Write, Operation::Write);
    TransferLog::SetRadio(job.record, held);
    TransferLog::SetImage(job.record, plan.image, plan.input);
    job.record.backup = backupPath;
    if (job.code != kSuccess) {
        LogRecord(job);
        return;
    }
    const QString done = QCoreApplication::translate("Cli", "已把 %1 写入 %2，备份 %3")
                             .arg(plan.fileName, job.port, backupPath);
    const QString when = QCoreApplication::translate("Cli", "%1，用时 %2 秒");
    if (!plan.verify) {
        job.line = done + QCoreApplication::translate("Cli", "，未校验，") +
                   when.arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                            Seconds(clock.elapsed()));
        job.record.result = Result::NotVerified;
        job.record.message = job.line;
        LogRecord(job);
        return;
    }
    job.record.message = done;
    LogRecord(job);

    // A radio may take a moment after a write before it talks again; one that stays silent has
    // still been written, which the user must be told rather than that the write failed.
    observer.SetStage(QCoreApplication::translate("Cli", "读回校验"), kReadBackPatienceMs);
    job.radio = plan.image;
    const int readBack =
        Transfer(job, observer, board, job.radio, TransferDirection::Read, Operation::ReadBack);
    job.record.backup = backupPath;
    if (readBack > 128) {
        job.code = readBack;
        job.record.message = QCoreApplication::translate(
            "Cli", "已写入，但读回校验被中断；请用 qtr318 verify 检查。");
        board.Message(job.row, job.record.message);
    } else if (readBack != kSuccess) {
        job.code = kFailed;
        job.result = QCoreApplication::translate("Cli", "已写入，未校验");
        job.record.result = Result::NotVerified;
        // A radio that answered part of the read-back has taken the write; the cable or the
        // radio's power broke off the answer, not the radio's silence.
        const bool cutShort =
            job.outcome.blocksDone > 0 || job.outcome.message == TransferText::NotEnoughBytes();
        job.record.message =
            cutShort
                ? QCoreApplication::translate(
                      "Cli", "%1，但读回校验在第 %2 块（共 %3 块）中断：对讲机的应答不完整，"
                             "没有校验完。请检查写频线和对讲机的电量，再用 qtr318 verify 检查。")
                      .arg(done)
                      .arg(job.outcome.blocksDone + 1)
                      .arg(BlockWalk::kBlockCount)
                : QCoreApplication::translate(
                      "Cli", "%1，但对讲机没有应答读回，没有校验。请用 qtr318 verify 检查。")
                      .arg(done);
        board.Message(job.row, job.record.message);
    } else {
        TransferLog::SetRadio(job.record, job.radio);
        TransferLog::SetImage(job.record, job.radio, plan.input);
        if (job.radio != plan.image) {
            job.code = kDiffers;
            job.result = QCoreApplication::translate("Cli", "读回不同");
            job.record.result = Result::Differs;
            job.record.message =
                QCoreApplication::translate("Cli", "%1：写入后读回的数据与 %2 不同（见上）。")
                    .arg(job.port, plan.fileName);
        } else {
            job.line = done + QCoreApplication::translate("Cli", "，校验通过，") +
                       when.arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                                Seconds(clock.elapsed()));
            job.record.message = job.line;
        }
    }
    LogRecord(job);
}

// What the read-back found different, on standard output, and which channels on stderr.
void ReportReadBack(const PortJob& job, const WritePlan& plan, ProgressBoard& board) {
    QList<int> channels;
    PrintDifferences(plan.image, job.radio, QCoreApplication::translate("Cli", "文件"),
                     board.single() ? QCoreApplication::translate("Cli", "电台") : job.port, false,
                     &channels);
    QStringList numbers;
    for (int channel : channels) {
        numbers.append(QString::number(channel));
    }
    Fail(channels.isEmpty()
             ? QCoreApplication::translate("Cli", "%1：写入后读回的数据与 %2 不同（见上）。")
                   .arg(job.port, plan.fileName)
             : QCoreApplication::translate("Cli", "%1：写入后读回的数据与 %2 不同，信道 %3。")
                   .arg(job.port, plan.fileName, numbers.join(QStringLiteral(", "))),
         kDiffers);
}

// The engine's reports while it only looks for a radio: there are none worth showing.
class SilentObserver : public TransferObserver {
public:
    void SetProgressRange(int, int) override {}
    void StepProgress() override {}
    int ProgressPosition() const override { return 0; }
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    bool CancelRequested() const override { return StopSignal() != 0; }
    bool AskRetry(const QString&, const QString&) override { return false; }
    void ReportMessage(const QString&, int, const QString&) override {}
};

bool RadioAnswers(const QString& port) {
    QtSerialPort serial;
    SilentObserver observer;
    TransferEngine engine(serial, observer);
    return engine.Probe(port);
}

// Waits for a radio to answer on port; false when a signal ended the wait.
bool AwaitRadio(const QString& port) {
    QTextStream(stderr)
        << QCoreApplication::translate("Cli", "qtr318: 等待对讲机接到 %1（Ctrl+C 结束）…").arg(port)
        << "\n";
    while (!RadioAnswers(port)) {
        if (!Pause(kProbeIntervalMs)) {
            return false;
        }
    }
    return true;
}

// Waits until the radio on port has gone quiet (two looks in a row without an answer); false when
// a signal ended the wait.
bool AwaitRemoval(const QString& port) {
    QTextStream(stderr) << QCoreApplication::translate("Cli", "qtr318: 请取下这台对讲机") << "\n";
    for (int quiet = 0; quiet < 2;) {
        if (!Pause(kProbeIntervalMs)) {
            return false;
        }
        quiet = RadioAnswers(port) ? 0 : quiet + 1;
    }
    return true;
}

// The numbered line of a radio done, on standard output at once: a log or a pipe sees each radio
// as it is done.
void PrintDone(int number, const PortJob& job, const QString& prefix = QString()) {
    QTextStream out(stdout);
    out << number << ". " << prefix
        << (job.line.isEmpty() ? job.port + QLatin1Char(' ') +
                                     (job.result.isEmpty() ? ResultWord(job.code) : job.result)
                               : job.line)
        << "\n";
    out.flush();
    std::fflush(stdout);
}

// A batch of radios on one cable: each one plugged in is written as it answers, and the next is
// awaited once this one has gone quiet, until Ctrl+C.
int WriteEach(const QString& port, const WritePlan& plan) {
    ProgressBoard board({port});
    bool allSucceeded = true;
    for (int number = 1;; ++number) {
        if (!AwaitRadio(port)) {
            return allSucceeded ? kSuccess : kFailed;
        }
        PortJob job;
        job.port = port;
        job.label = plan.label;
        WriteWithSafetyNet(job, board, plan);
        TellLogNotes({job});
        if (job.code > 128) {
            return job.code;
        }
        PrintDone(number, job);
        if (job.code == kDiffers) {
            ReportReadBack(job, plan, board);
        }
        allSucceeded = allSucceeded && job.code == kSuccess;
        if (!AwaitRemoval(port)) {
            return allSucceeded ? kSuccess : kFailed;
        }
    }
}

// What the fleet's radio label gets: its plan's latest version with its own values, checked as
// a file to write is checked. Returns why not, else an empty text.
QString FleetImage(FleetDatabase& database, const QString& label, WritePlan& plan, int* version) {
    FleetRadio radio;
    PlanVersion latest;
    QString problem = RadioStore(database).find(label, &radio);
    if (problem.isEmpty()) {
        problem = PlanStore(database).find(radio.plan, 0, &latest);
    }
    if (problem.isEmpty()) {
        problem = RadioStore::Build(latest, radio, &plan.image);
    }
    if (!problem.isEmpty()) {
        return problem;
    }
    plan.label = label;
    plan.input = QStringLiteral("%1@%2").arg(latest.plan).arg(latest.version);
    plan.fileName = plan.input;
    *version = latest.version;
    return StrayChannelsAllowed(plan.image, plan.fileName, plan.force)
               ? QString()
               : QCoreApplication::translate("Cli", "有信道在频段之外或不在步进上");
}

// The fleet's radios on one cable, their labels read from standard input one a line: each is
// built, awaited, claimed against other stations, written with the safety net and logged with its
// plan and version. A label refused is said and the next one read; the input's end ends the run.
int WriteFleet(const QString& port, WritePlan plan) {
    FleetDatabase database;
    if (const QString problem = database.open(false); !problem.isEmpty()) {
        return Fail(problem);
    }
    ProgressBoard board({port});
    WriteClaims claims(database);
    QTextStream out(stdout);
    bool allSucceeded = true;
    bool radioOnCable = false; // the last one written, until it has been taken off
    int number = 0;
    for (QString line; ReadInputLine(&line);) {
        const QString label = RadioStore::Label(line);
        if (label.isEmpty()) {
            continue;
        }
        ++number;
        PortJob job;
        job.port = port;
        job.label = label;
        QString refusal = RadioStore::LabelProblem(label);
        if (refusal.isEmpty()) {
            refusal = FleetImage(database, label, plan, &job.planVersion);
        }
        // The radio before is taken off only now that another label has come: the input's end
        // ends the run at once, with the last radio still on the cable.
        if (refusal.isEmpty() && radioOnCable && !AwaitRemoval(port)) {
            break;
        }
        radioOnCable = false;
        if (refusal.isEmpty() && !AwaitRadio(port)) {
            allSucceeded = false; // stopped before its radio came
            break;
        }
        if (refusal.isEmpty()) {
            refusal = claims.claim(label);
        }
        if (!refusal.isEmpty()) {
            out << number << ". " << label << QCoreApplication::translate("Cli", "：没有写入：")
                << refusal << "\n";
            out.flush();
            allSucceeded = false;
            continue;
        }
        job.plan = plan.input.section(QLatin1Char('@'), 0, -2);
        job.stageDone = [&claims, &label] { claims.claim(label); };
        WriteWithSafetyNet(job, board, plan);
        claims.release(label);
        TellLogNotes({job});
        if (job.code > 128) {
            return job.code;
        }
        PrintDone(number, job, label + QCoreApplication::translate("Cli", "："));
        if (job.code == kDiffers) {
            ReportReadBack(job, plan, board);
        }
        allSucceeded = allSucceeded && job.code == kSuccess;
        radioOnCable = true;
    }
    return allSucceeded ? kSuccess : kFailed;
}

} // namespace

int RunWrite(const QStringList& arguments) {
    const char* synopsis = "write --port PORT... IN.sin [--backup FILE|DIR/] [--force] "
                           "[--no-verify] [--wait] [--label TEXT] [--retries N] | "
                           "write --fleet --wait --port PORT [--backup DIR/] [--force] "
                           "[--no-verify] [--retries N]";
    const QString kFleet = QStringLiteral("--fleet");
    QStringList rest = arguments;
    const bool fleet = rest.removeAll(kFleet) > 0;
    const auto parsed = ParseTransferArguments(rest, {kPort, kRetries, kBackup, kLabel},
                                               fleet ? 0 : 1, synopsis, {kForce, kNoVerify, kWait});
    if (!parsed) {
        return kUsage;
    }
    if (fleet && (!parsed->wait || !parsed->label.isEmpty())) {
        return Fail(QCoreApplication::translate(
                        "Cli", "--fleet 要和 --wait 一起用，标签从标准输入读取，不用 --label"),
                    kUsage);
    }
    const bool several = parsed->ports.size() > 1 || parsed->wait;
    if (several && !parsed->backup.isEmpty() && !IsFolder(parsed->backup)) {
        return Fail(QCoreApplication::translate(
                        "Cli", "写入几台对讲机时 --backup 要指定一个文件夹（DIR/）"),
                    kUsage);
    }
    if (parsed->wait && parsed->ports.size() > 1) {
        return Fail(QCoreApplication::translate("Cli", "--wait 只能用于一个端口"), kUsage);
    }
    if (!parsed->backup.isEmpty() && !IsFolder(parsed->backup) &&
        !CheckOutput(parsed->backup, parsed->input)) {
        return kUsage;
    }
    WritePlan plan;
    plan.backup = parsed->backup;
    plan.retries = parsed->retries;
    plan.force = parsed->force;
    plan.verify = !parsed->noVerify;
    if (fleet) {
        StopSignals stopSignals;
        TransferLog::Session logSession;
        return WriteFleet(parsed->ports.first(), plan);
    }
    if (!LoadImage(parsed->input, plan.image)) {
        return kFailed;
    }
    plan.input = parsed->input;
    plan.label = parsed->label;
    plan.fileName = QFileInfo(parsed->input).fileName();
    if (!StrayChannelsAllowed(plan.image, plan.fileName, parsed->force)) {
        return kFailed;
    }

    StopSignals stopSignals;
    TransferLog::Session logSession;
    if (parsed->wait) {
        return WriteEach(parsed->ports.first(), plan);
    }
    ProgressBoard board(parsed->ports);
    QList<PortJob> jobs = JobsFor(parsed->ports);
    RunEverywhere(jobs, board, [&](PortJob& job) {
        job.label = plan.label;
        WriteWithSafetyNet(job, board, plan);
    });
    QTextStream out(stdout);
    for (const PortJob& job : jobs) {
        if (!job.line.isEmpty()) {
            out << job.line << "\n";
        }
    }
    out.flush();
    for (const PortJob& job : jobs) {
        if (job.code == kDiffers) {
            ReportReadBack(job, plan, board);
        }
    }
    PrintSummary(jobs);
    TellLogNotes(jobs);
    return CombinedCode(jobs);
}

} // namespace Cli
