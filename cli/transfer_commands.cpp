#include "transfer_commands.h"

#include "backup_folder.h"
#include "band_fit.h"
#include "block_walk.h"
#include "channel_codec.h"
#include "channel_table.h"
#include "cli_arguments.h"
#include "cli_command.h"
#include "diff_command.h"
#include "document_file.h"
#include "image_map.h"
#include "new_document.h"
#include "port_names.h"
#include "qt_serial_port.h"
#include "text_table.h"
#include "transfer_engine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>

namespace Cli {
namespace {

const QString kPort = QStringLiteral("--port");
const QString kOutput = QStringLiteral("-o");
const QString kBase = QStringLiteral("--base");
const QString kRetries = QStringLiteral("--retries");
const QString kBackup = QStringLiteral("--backup");
const QString kBlocks = QStringLiteral("--blocks");
const QString kForce = QStringLiteral("--force");
const QString kNoVerify = QStringLiteral("--no-verify");
const QString kWait = QStringLiteral("--wait");

// How long a radio just written may take to answer the read-back before the write is reported
// as not verified; a radio that restarts after a write answers well within it.
constexpr int kReadBackPatienceMs = 5000;
// Between two looks for a radio while waiting for the next one.
constexpr int kProbeIntervalMs = 500;

struct TransferArguments {
    QStringList ports;
    QString output;
    QString base;
    QString input;
    QString backup;
    int retries = 0;
    bool blocks = false;
    bool force = false;
    bool noVerify = false;
    bool wait = false;
};

// The shared option rules (unknown, missing or repeated option: usage error) plus what every
// transfer needs: a port or several, a retry count that is a count, and the right number of
// files.
std::optional<TransferArguments> ParseTransferArguments(const QStringList& arguments,
                                                        const QStringList& options,
                                                        int positionalCount, const char* synopsis,
                                                        const QStringList& flags = {}) {
    const auto parsed = ParseOrFail(arguments, options, positionalCount, synopsis, flags, {kPort});
    if (!parsed) {
        return std::nullopt;
    }
    if (!parsed->has(kPort)) {
        Fail(QCoreApplication::translate("Cli", "必须给出 --port PORT（COM1-COM4 或设备路径）"),
             kUsage);
        return std::nullopt;
    }
    TransferArguments result;
    result.ports = parsed->values(kPort);
    result.output = parsed->value(kOutput);
    result.base = parsed->value(kBase);
    result.input = parsed->positional().value(0);
    result.backup = parsed->value(kBackup);
    result.blocks = parsed->has(kBlocks);
    result.force = parsed->has(kForce);
    result.noVerify = parsed->has(kNoVerify);
    result.wait = parsed->has(kWait);
    // COM1, com1 and the device they point to are one cable; two transfers on it would garble
    // each other's frames.
    QStringList devices;
    for (const QString& port : result.ports) {
        const QString device = PortNames::DevicePath(port);
        const QString canonical = QFileInfo(device).canonicalFilePath();
        devices.append(canonical.isEmpty() ? device : canonical);
    }
    if (devices.removeDuplicates() > 0) {
        Fail(QCoreApplication::translate("Cli", "同一个端口给了两次"), kUsage);
        return std::nullopt;
    }
    if (parsed->has(kRetries)) {
        bool ok = false;
        result.retries = parsed->value(kRetries).toInt(&ok);
        if (!ok || result.retries < 0) {
            Fail(QCoreApplication::translate("Cli", "--retries 应为 0 或更大的整数"), kUsage);
            return std::nullopt;
        }
    }
    return result;
}

// The signal that asked the running transfers to stop, 0 while none has. Lock-free, so the
// handler may set it and every transfer thread read it.
std::atomic<int> g_stopSignal{0};

void RequestStop(int signal) {
    g_stopSignal = signal;
}

// For the length of a command, Ctrl+C and SIGTERM stop its transfers at the next block boundary
// the way Cancel does in the window: killed outright, the tool would leave the port's lock behind
// and never say that the radio holds half a write. The handler resets itself, so a second signal
// still ends the tool at once.
class StopSignals {
public:
    StopSignals() {
        g_stopSignal = 0;
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(SIGINT, &action, &m_oldInterrupt);
        sigaction(SIGTERM, &action, &m_oldTerminate);
    }
    ~StopSignals() {
        sigaction(SIGINT, &m_oldInterrupt, nullptr);
        sigaction(SIGTERM, &m_oldTerminate, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction m_oldInterrupt {};
    struct sigaction m_oldTerminate {};
};

// The terminal's view of the transfers: one port gets the progress bar and its messages as they
// come; several ports get a line each, redrawn in place on a terminal, and their messages after
// the last one finished, so that nothing tears the lines apart.
class ProgressBoard {
public:
    explicit ProgressBoard(const QStringList& ports)
        : m_ports(ports), m_lines(ports), m_messages(ports.size()), m_tty(isatty(2) != 0) {}
    ~ProgressBoard() { EndBar(); }

    bool single() const { return m_ports.size() == 1; }

    void Progress(int row, int done, int total, const QString& stage) {
        QMutexLocker lock(&m_mutex);
        if (!m_tty) {
            return;
        }
        constexpr int kWidth = 40;
        const int filled = done * kWidth / std::max(1, total);
        const QString bar =
            QStringLiteral("[%1%2] %3/%4")
                .arg(QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char('.')))
                .arg(done, 3)
                .arg(total);
        if (single()) {
            if (stage != m_stage) {
                EndBar();
                m_stage = stage;
            }
            const QString text = stage.isEmpty() ? bar : bar + QLatin1Char(' ') + stage;
            std::fprintf(stderr, "\r%s", text.toLocal8Bit().constData());
            std::fflush(stderr);
            m_barShown = true;
            return;
        }
        m_lines[row] = m_ports[row] + QStringLiteral("  ") + bar + QStringLiteral("  ") + stage;
        Redraw();
    }

    void Done(int row, const QString& result) {
        QMutexLocker lock(&m_mutex);
        if (!single() && m_tty) {
            m_lines[row] = m_ports[row] + QStringLiteral("  ") + result;
            Redraw();
        }
    }

    void Message(int row, const QString& text, const QString& detail = QString()) {
        QMutexLocker lock(&m_mutex);
        if (single()) {
            EndBar();
            Fail(text);
            if (!detail.isEmpty()) {
                QTextStream(stderr) << detail << "\n";
            }
            return;
        }
        m_messages[row].append(m_ports[row] + QStringLiteral(": ") + text);
        if (!detail.isEmpty()) {
            m_messages[row].append(detail);
        }
    }

    // The messages held back, in port order.
    void Flush() {
        QMutexLocker lock(&m_mutex);
        EndBar();
        for (QStringList& lines : m_messages) {
            for (const QString& line : lines) {
                QTextStream(stderr) << "qtr318: " << line << "\n";
            }
            lines.clear();
        }
    }

private:
    void Redraw() {
        QByteArray text;
        if (m_drawn) {
            text += "\x1b[" + QByteArray::number(m_lines.size()) + "A";
        }
        for (const QString& line : m_lines) {
            text += "\r\x1b[2K" + line.toLocal8Bit() + "\n";
        }
        std::fputs(text.constData(), stderr);
        std::fflush(stderr);
        m_drawn = true;
    }
    void EndBar() {
        if (m_barShown) {
            std::fputc('\n', stderr);
            m_barShown = false;
        }
    }

    QMutex m_mutex;
    QStringList m_ports;
    QStringList m_lines;
    QList<QStringList> m_messages;
    bool m_tty;
    bool m_barShown = false;
    bool m_drawn = false;
    QString m_stage;
};

// One port's transfers as the engine sees them. Nobody sits at a Retry button, so after the first
// five program-mode attempts it grants the extra attempts asked for, or keeps trying for a
// while when told to be patient, and then gives up.
class PortObserver : public TransferObserver {
public:
    PortObserver(ProgressBoard& board, int row, int retries)
        : m_board(board), m_row(row), m_retries(retries) {}

    void SetStage(const QString& stage, int patienceMs = 0) {
        m_stage = stage;
        m_retriesLeft = m_retries;
        m_patienceMs = patienceMs;
        m_clock.start();
    }

    void SetProgressRange(int low, int high) override {
        m_low = low;
        m_high = high;
        m_position = low;
    }
    void StepProgress() override {
        m_position = std::min(m_high, m_position + 1);
        m_board.Progress(m_row, m_position - m_low, m_high - m_low, m_stage);
    }
    int ProgressPosition() const override { return m_position; }
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    bool CancelRequested() const override { return g_stopSignal != 0; }

    bool AskRetry(const QString&, const QString&) override {
        if (CancelRequested()) {
            return false;
        }
        if (m_clock.elapsed() < m_patienceMs) {
            return true;
        }
        if (m_retriesLeft == 0) {
            return false;
        }
        --m_retriesLeft;
        return true;
    }
    void ReportMessage(const QString& text, int, const QString& detail) override {
        m_board.Message(m_row, text, detail);
    }

private:
    ProgressBoard& m_board;
    int m_row;
    int m_retries;
    int m_retriesLeft = 0;
    int m_patienceMs = 0;
    QElapsedTimer m_clock;
    QString m_stage;
    int m_low = 0;
    int m_high = 0;
    int m_position = 0;
};

// One port's share of a command, run on its own thread.
struct PortJob {
    QString port;
    int row = 0;
    int code = kSuccess;
    QString result;    // the summary's word for how it ended
    QString line;      // what a successful write prints
    MemoryImage radio; // what verify or the read-back found
    qint64 elapsedMs = 0;
};

// Runs one transfer and turns its outcome into an exit code; the engine has already reported any
// failure. Stopped by a signal, the code is the one the shell expects of a process that signal
// ended, 128 + its number, once the port is closed.
int Transfer(PortJob& job, PortObserver& observer, ProgressBoard& board, MemoryImage& image,
             TransferDirection direction) {
    TransferOutcome outcome;
    {
        QtSerialPort port;
        TransferEngine engine(port, observer);
        outcome = engine.Run(job.port, image, direction);
    }
    if (outcome.result == TransferOutcome::Result::Cancelled) {
        const int signal = g_stopSignal;
        if (signal == 0) {
            board.Message(job.row, TransferText::CommunicationError()); // gave up on program mode
            return kFailed;
        }
        const bool radioChanged = direction == TransferDirection::Write && outcome.blocksDone > 0;
        board.Message(
            job.row,
            QCoreApplication::translate("Cli", "已中断：") +
                (radioChanged ? TransferText::UnfinishedWrite(outcome.blocksDone)
                 : direction == TransferDirection::Write
                     ? QCoreApplication::translate("Cli", "对讲机里的数据没有改变。")
                     : QCoreApplication::translate("Cli", "读取没有完成，没有保存任何数据。")));
        return 128 + signal;
    }
    return outcome.succeeded() ? kSuccess : kFailed;
}

QString ResultWord(int code) {
    if (code == kSuccess) {
        return QCoreApplication::translate("Cli", "成功");
    }
    if (code == kDiffers) {
        return QCoreApplication::translate("Cli", "不同");
    }
    return code > 128 ? QCoreApplication::translate("Cli", "已中断")
                      : QCoreApplication::translate("Cli", "失败");
}

// Runs job on a thread of its own for each port, all at once, and waits for every one.
void RunEverywhere(QList<PortJob>& jobs, ProgressBoard& board,
                   const std::function<void(PortJob&)>& work) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (PortJob& job : jobs) {
        threads.emplace_back(QThread::create([&job, &board, &work] {
            QElapsedTimer clock;
            clock.start();
            work(job);
            job.elapsedMs = clock.elapsed();
            if (job.result.isEmpty()) {
                job.result = ResultWord(job.code);
            }
            board.Done(job.row, job.result);
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads) {
        thread->wait();
    }
    board.Flush();
}

QList<PortJob> JobsFor(const QStringList& ports) {
    QList<PortJob> jobs;
    for (int row = 0; row < ports.size(); ++row) {
        PortJob job;
        job.port = ports[row];
        job.row = row;
        jobs.append(job);
    }
    return jobs;
}

// Exit 0 only when every port succeeded; a signal outranks a failure, a failure a difference.
int CombinedCode(const QList<PortJob>& jobs) {
    int code = kSuccess;
    for (const PortJob& job : jobs) {
        const auto rank = [](int c) {
            return c > 128 ? 3 : c == kFailed ? 2 : c == kDiffers ? 1 : 0;
        };
        if (rank(job.code) > rank(code)) {
            code = job.code;
        }
    }
    return code;
}

void PrintSummary(const QList<PortJob>& jobs) {
    if (jobs.size() < 2) {
        return;
    }
    TextTable table;
    table.addRow({QCoreApplication::translate("Cli", "端口"),
                  QCoreApplication::translate("Cli", "结果"),
                  QCoreApplication::translate("Cli", "用时")});
    for (const PortJob& job : jobs) {
        table.addRow(
            {job.port, job.result,
             QCoreApplication::translate("Cli", "%1 秒").arg(job.elapsedMs / 1000.0, 0, 'f', 1)});
    }
    QTextStream(stdout) << table.render();
}

// A folder given as "DIR/" or one that exists.
bool IsFolder(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir();
}

QString PortFileName(const QString& port) {
    return QFileInfo(port).fileName() + QStringLiteral(".sin");
}

QString Seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1);
}

// Every port's radio read on a thread of its own into its job's image; each read starts from
// start, so the blocks that do not travel keep start's bytes.
QList<PortJob> ReadEverywhere(const TransferArguments& parsed, const MemoryImage& start) {
    StopSignals stopSignals;
    ProgressBoard board(parsed.ports);
    QList<PortJob> jobs = JobsFor(parsed.ports);
    RunEverywhere(jobs, board, [&](PortJob& job) {
        PortObserver observer(board, job.row, parsed.retries);
        observer.SetStage(QString());
        job.radio = start;
        job.code = Transfer(job, observer, board, job.radio, TransferDirection::Read);
    });
    return jobs;
}

} // namespace

int RunRead(const QStringList& arguments) {
    const char* synopsis = "read --port PORT... -o OUT.sin|DIR/ [--base BASE.sin] [--retries N]";
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kOutput, kBase, kRetries}, 0, synopsis);
    if (!parsed) {
        return kUsage;
    }
    if (parsed->output.isEmpty()) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o OUT.sin"), kUsage);
    }
    const bool folder = parsed->output != kStandardStream && IsFolder(parsed->output);
    if (parsed->ports.size() > 1 && !folder) {
        return Fail(QCoreApplication::translate(
                        "Cli", "读取几台对讲机时 -o 要指定一个文件夹（DIR/），每个端口存一个文件"),
                    kUsage);
    }
    QStringList outputs;
    for (const QString& port : parsed->ports) {
        outputs.append(folder ? QDir(parsed->output).filePath(PortFileName(port)) : parsed->output);
    }
    if (outputs.removeDuplicates() > 0) {
        return Fail(
            QCoreApplication::translate("Cli", "有两个端口的文件名相同，请用不同的名称指定端口"),
            kUsage);
    }
    if (folder && !QDir().mkpath(parsed->output)) {
        return Fail(QCoreApplication::translate("Cli", "无法创建文件夹 %1").arg(parsed->output));
    }
    for (const QString& output : outputs) {
        if (!CheckOutput(output)) {
            return kUsage;
        }
    }
    // The radio fills only the blocks that travel; the rest, the tuning sets among them, comes
    // from the base.
    MemoryImage base = NewDocumentImage();
    if (!parsed->base.isEmpty() && !LoadImage(parsed->base, base)) {
        return kFailed;
    }
    QList<PortJob> jobs = ReadEverywhere(*parsed, base);
    // Saved here, one after the other, so that a failure to save names its file in order.
    for (PortJob& job : jobs) {
        if (job.code == kSuccess && !SaveImage(outputs.at(job.row), job.radio)) {
            job.code = kFailed;
            job.result = ResultWord(kFailed);
        }
    }
    PrintSummary(jobs);
    return CombinedCode(jobs);
}

int RunVerify(const QStringList& arguments) {
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kRetries}, 1,
                               "verify --port PORT... IN.sin [--blocks] [--retries N]", {kBlocks});
    if (!parsed) {
        return kUsage;
    }
    MemoryImage expected;
    if (!LoadImage(parsed->input, expected)) {
        return kFailed;
    }
    QList<PortJob> jobs = ReadEverywhere(*parsed, expected);
    for (PortJob& job : jobs) {
        if (job.code == kSuccess && job.radio != expected) {
            job.code = kDiffers;
        }
    }
    const QString fileName = QFileInfo(parsed->input).fileName();
    for (PortJob& job : jobs) {
        if (job.code != kDiffers) {
            continue;
        }
        const QString radioName =
            jobs.size() == 1 ? QCoreApplication::translate("Cli", "电台") : job.port;
        const int count =
            PrintDifferences(expected, job.radio, QCoreApplication::translate("Cli", "文件"),
                             radioName, parsed->blocks);
        QTextStream(stderr) << "qtr318: "
                            << (parsed->blocks
                                    ? QCoreApplication::translate(
                                          "Cli", "%1：与 %2 不同的块有 %3 个（共 %4 块）")
                                          .arg(job.port, parsed->input)
                                          .arg(count)
                                          .arg(BlockWalk::kBlockCount)
                                    : QCoreApplication::translate("Cli", "%1：与 %2 有 %3 处不同")
                                          .arg(job.port, fileName)
                                          .arg(count))
                            << "\n";
    }
    PrintSummary(jobs);
    return CombinedCode(jobs);
}

namespace {

// Why the file must not go to this radio without --force: another band or model than the one
// the radio reports. Empty when they agree.
QString Mismatch(const MemoryImage& file, const MemoryImage& radio) {
    const auto entry = [](const QStringList& entries, int index) {
        return entries.value(index, QStringLiteral("0x%1").arg(index, 2, 16, QLatin1Char('0')));
    };
    QStringList reasons;
    const struct {
        const char* name;
        int address;
        const QStringList& entries;
    } checks[] = {{QT_TRANSLATE_NOOP("Cli", "机型"), ImageMap::kModelIndex, ModelEntries()},
                  {QT_TRANSLATE_NOOP("Cli", "频段"), ImageMap::kBandIndex, BandEntries()}};
    for (const auto& check : checks) {
        const int ours = file.ReadByte(check.address);
        const int theirs = radio.ReadByte(check.address);
        if (ours != theirs) {
            reasons.append(QCoreApplication::translate("Cli", "%1：文件 %2，对讲机 %3")
                               .arg(QCoreApplication::translate("Cli", check.name),
                                    entry(check.entries, ours), entry(check.entries, theirs)));
        }
    }
    return reasons.join(QCoreApplication::translate("Cli", "；"));
}

// A file whose channels its band or the raster refuse is not written unless forced: the radio
// would hold channels it cannot use. Forced, the tool still says which they are.
bool StrayChannelsAllowed(const MemoryImage& image, const QString& fileName, bool force) {
    InMemoryChannelTable table;
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
    QString fileName;
    QString backup; // a file for one port, a folder for several; empty: the backup folder
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
    job.code = Transfer(job, observer, board, held, TransferDirection::Read);
    if (job.code != kSuccess) {
        board.Message(job.row, QCoreApplication::translate(
                                   "Cli", "没有写入：写入前没能读出对讲机里的数据。"));
        return;
    }
    QString backupPath;
    QString error;
    if (!plan.backup.isEmpty() && !IsFolder(plan.backup)) {
        backupPath = DocumentFile::Save(plan.backup, held, &error) ? plan.backup : QString();
    } else {
        backupPath = BackupFolder::Keep(held, job.port, &error,
                                        plan.backup.isEmpty() ? BackupFolder::Path() : plan.backup);
    }
    if (backupPath.isEmpty()) {
        board.Message(job.row, error + QCoreApplication::translate("Cli", "；没有备份就不写入。"));
        job.code = kFailed;
        return;
    }
    const QString mismatch = Mismatch(plan.image, held);
    if (!mismatch.isEmpty() && !plan.force) {
        board.Message(job.row,
                      QCoreApplication::translate(
                          "Cli", "没有写入：%1 与对讲机不符（%2）。确实要写入请加 --force。")
                          .arg(plan.fileName, mismatch));
        job.code = kFailed;
        job.result = QCoreApplication::translate("Cli", "不符，未写入");
        return;
    }

    observer.SetStage(QCoreApplication::translate("Cli", "写入"));
    MemoryImage written = plan.image;
    job.code = Transfer(job, observer, board, written, TransferDirection::Write);
    if (job.code != kSuccess) {
        return;
    }
    const QString done = QCoreApplication::translate("Cli", "已把 %1 写入 %2，备份 %3")
                             .arg(plan.fileName, job.port, backupPath);
    const QString when = QCoreApplication::translate("Cli", "%1，用时 %2 秒");
    if (!plan.verify) {
        job.line = done + QCoreApplication::translate("Cli", "，未校验，") +
                   when.arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                            Seconds(clock.elapsed()));
        return;
    }

    // A radio may take a moment after a write before it talks again; one that stays silent has
    // still been written, which the user must be told rather than that the write failed.
    observer.SetStage(QCoreApplication::translate("Cli", "读回校验"), kReadBackPatienceMs);
    job.radio = plan.image;
    const int readBack = Transfer(job, observer, board, job.radio, TransferDirection::Read);
    if (readBack > 128) {
        job.code = readBack;
        board.Message(job.row, QCoreApplication::translate(
                                   "Cli", "已写入，但读回校验被中断；请用 qtr318 verify 检查。"));
        return;
    }
    if (readBack != kSuccess) {
        job.code = kFailed;
        job.result = QCoreApplication::translate("Cli", "已写入，未校验");
        board.Message(job.row,
                      QCoreApplication::translate(
                          "Cli", "%1，但对讲机没有应答读回，没有校验。请用 qtr318 verify 检查。")
                          .arg(done));
        return;
    }
    if (job.radio != plan.image) {
        job.code = kDiffers;
        job.result = QCoreApplication::translate("Cli", "读回不同");
        return;
    }
    job.line = done + QCoreApplication::translate("Cli", "，校验通过，") +
               when.arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                        Seconds(clock.elapsed()));
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
    bool CancelRequested() const override { return g_stopSignal != 0; }
    bool AskRetry(const QString&, const QString&) override { return false; }
    void ReportMessage(const QString&, int, const QString&) override {}
};

bool RadioAnswers(const QString& port) {
    QtSerialPort serial;
    SilentObserver observer;
    TransferEngine engine(serial, observer);
    return engine.Probe(port);
}

// Sleeps ms; false when a signal came meanwhile.
bool Pause(int ms) {
    constexpr int kStep = 50;
    for (int slept = 0; slept < ms && g_stopSignal == 0; slept += kStep) {
        QThread::msleep(kStep);
    }
    return g_stopSignal == 0;
}

// A batch of radios on one cable: each one plugged in is written as it answers, and the next is
// awaited once this one has gone quiet (two looks in a row without an answer), until Ctrl+C.
int WriteEach(const QString& port, const WritePlan& plan) {
    ProgressBoard board({port});
    QTextStream out(stdout);
    bool allSucceeded = true;
    for (int number = 1;; ++number) {
        QTextStream(stderr) << QCoreApplication::translate(
                                   "Cli", "qtr318: 等待对讲机接到 %1（Ctrl+C 结束）…")
                                   .arg(port)
                            << "\n";
        while (!RadioAnswers(port)) {
            if (!Pause(kProbeIntervalMs)) {
                return allSucceeded ? kSuccess : kFailed;
            }
        }
        PortJob job;
        job.port = port;
        WriteWithSafetyNet(job, board, plan);
        if (job.code > 128) {
            return job.code;
        }
        out << number << ". "
            << (job.line.isEmpty() ? job.port + QLatin1Char(' ') +
                                         (job.result.isEmpty() ? ResultWord(job.code) : job.result)
                                   : job.line)
            << "\n";
        out.flush();
        std::fflush(stdout); // a log or a pipe sees each radio as it is done
        if (job.code == kDiffers) {
            ReportReadBack(job, plan, board);
        }
        allSucceeded = allSucceeded && job.code == kSuccess;
        QTextStream(stderr) << QCoreApplication::translate("Cli", "qtr318: 请取下这台对讲机")
                            << "\n";
        for (int quiet = 0; quiet < 2;) {
            if (!Pause(kProbeIntervalMs)) {
                return allSucceeded ? kSuccess : kFailed;
            }
            quiet = RadioAnswers(port) ? 0 : quiet + 1;
        }
    }
}

} // namespace

int RunWrite(const QStringList& arguments) {
    const char* synopsis = "write --port PORT... IN.sin [--backup FILE|DIR/] [--force] "
                           "[--no-verify] [--wait] [--retries N]";
    const auto parsed = ParseTransferArguments(arguments, {kPort, kRetries, kBackup}, 1, synopsis,
                                               {kForce, kNoVerify, kWait});
    if (!parsed) {
        return kUsage;
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
    if (!LoadImage(parsed->input, plan.image)) {
        return kFailed;
    }
    plan.fileName = QFileInfo(parsed->input).fileName();
    if (!StrayChannelsAllowed(plan.image, plan.fileName, parsed->force)) {
        return kFailed;
    }
    plan.backup = parsed->backup;
    plan.retries = parsed->retries;
    plan.force = parsed->force;
    plan.verify = !parsed->noVerify;

    StopSignals stopSignals;
    if (parsed->wait) {
        return WriteEach(parsed->ports.first(), plan);
    }
    ProgressBoard board(parsed->ports);
    QList<PortJob> jobs = JobsFor(parsed->ports);
    RunEverywhere(jobs, board, [&](PortJob& job) { WriteWithSafetyNet(job, board, plan); });
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
    return CombinedCode(jobs);
}

} // namespace Cli
