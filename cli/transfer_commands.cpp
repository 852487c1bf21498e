#include "transfer_commands.h"

#include "block_walk.h"
#include "cli_arguments.h"
#include "cli_command.h"
#include "new_document.h"
#include "qt_serial_port.h"
#include "transfer_engine.h"

#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace Cli {
namespace {

const QString kPort = QStringLiteral("--port");
const QString kOutput = QStringLiteral("-o");
const QString kBase = QStringLiteral("--base");
const QString kRetries = QStringLiteral("--retries");

struct TransferArguments {
    QString port;
    QString output;
    QString base;
    QString input;
    int retries = 0;
};

// The shared option rules (unknown, missing or repeated option: usage error) plus what every
// transfer needs: a port, a retry count that is a count, and the right number of files.
std::optional<TransferArguments> ParseTransferArguments(const QStringList& arguments,
                                                        const QStringList& options,
                                                        int positionalCount, const char* synopsis) {
    const auto parsed = ParseOrFail(arguments, options, positionalCount, synopsis);
    if (!parsed) {
        return std::nullopt;
    }
    if (!parsed->has(kPort)) {
        Fail(QCoreApplication::translate("Cli", "必须给出 --port PORT（COM1-COM4 或设备路径）"),
             kUsage);
        return std::nullopt;
    }
    TransferArguments result{parsed->value(kPort), parsed->value(kOutput), parsed->value(kBase),
                             parsed->positional().value(0), 0};
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

// The signal that asked the running transfer to stop, 0 while none has.
volatile std::sig_atomic_t g_stopSignal = 0;

void RequestStop(int signal) {
    g_stopSignal = signal;
}

// For the length of a transfer, Ctrl+C and SIGTERM stop it at the next block boundary the way
// Cancel does in the window: killed outright, the tool would leave the port's lock behind and
// never say that the radio holds half a write. The handler resets itself, so a second signal
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

// Progress on a terminal; failures as the tool's messages. Nobody sits at a Retry button, so
// after the first five program-mode attempts it grants the extra attempts asked for and then
// gives up.
class TerminalObserver : public TransferObserver {
public:
    explicit TerminalObserver(int retries) : m_retriesLeft(retries), m_showBar(isatty(2) != 0) {}
    ~TerminalObserver() override { EndBar(); }

    void SetProgressRange(int low, int high) override {
        m_low = low;
        m_high = high;
        m_position = low;
    }
    void StepProgress() override {
        m_position = std::min(m_high, m_position + 1);
        DrawBar();
    }
    int ProgressPosition() const override { return m_position; }
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    bool CancelRequested() const override { return g_stopSignal != 0; }

    bool AskRetry(const QString&, const QString&) override {
        if (m_retriesLeft == 0 || CancelRequested()) {
            return false;
        }
        --m_retriesLeft;
        return true;
    }
    void ReportMessage(const QString& text, int, const QString& detail) override {
        EndBar();
        Fail(text);
        if (!detail.isEmpty()) {
            QTextStream(stderr) << detail << "\n";
        }
    }

private:
    void DrawBar() {
        if (!m_showBar) {
            return;
        }
        constexpr int kWidth = 40;
        const int span = std::max(1, m_high - m_low);
        const int filled = (m_position - m_low) * kWidth / span;
        std::fprintf(stderr, "\r[%s%s] %3d/%d", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '.').constData(), m_position - m_low, span);
        std::fflush(stderr);
        m_barShown = true;
    }
    void EndBar() {
        if (m_barShown) {
            std::fputc('\n', stderr);
            m_barShown = false;
        }
    }

    int m_retriesLeft;
    bool m_showBar;
    bool m_barShown = false;
    int m_low = 0;
    int m_high = 0;
    int m_position = 0;
};

// Runs one transfer and turns its outcome into an exit code; the engine has already printed
// any failure. Stopped by a signal, the tool exits as the shell expects of a process that signal
// ended, 128 + its number, once the port is closed.
int Transfer(const TransferArguments& arguments, MemoryImage& image, TransferDirection direction) {
    StopSignals stopSignals;
    TransferOutcome outcome;
    {
        QtSerialPort port;
        TerminalObserver observer(arguments.retries);
        TransferEngine engine(port, observer);
        outcome = engine.Run(arguments.port, image, direction);
    }
    if (outcome.result == TransferOutcome::Result::Cancelled) {
        const int signal = g_stopSignal;
        if (signal == 0) {
            return Fail(TransferText::CommunicationError()); // giving up on program mode
        }
        const bool radioChanged = direction == TransferDirection::Write && outcome.blocksDone > 0;
        return Fail(
            QCoreApplication::translate("Cli", "已中断：") +
                (radioChanged ? TransferText::UnfinishedWrite(outcome.blocksDone)
                 : direction == TransferDirection::Write
                     ? QCoreApplication::translate("Cli", "对讲机里的数据没有改变。")
                     : QCoreApplication::translate("Cli", "读取没有完成，没有保存任何数据。")),
            128 + signal);
    }
    return outcome.succeeded() ? kSuccess : kFailed;
}

} // namespace

int RunRead(const QStringList& arguments) {
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kOutput, kBase, kRetries}, 0,
                               "read --port PORT -o OUT.sin [--base BASE.sin] [--retries N]");
    if (!parsed) {
        return kUsage;
    }
    if (parsed->output.isEmpty()) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o OUT.sin"), kUsage);
    }
    if (!CheckOutput(parsed->output)) {
        return kUsage;
    }
    // The radio fills only the blocks that travel; the rest, the tuning sets among them, comes
    // from the base.
    MemoryImage image = NewDocumentImage();
    if (!parsed->base.isEmpty() && !LoadImage(parsed->base, image)) {
        return kFailed;
    }
    const int result = Transfer(*parsed, image, TransferDirection::Read);
    if (result != kSuccess) {
        return result;
    }
    return SaveImage(parsed->output, image) ? kSuccess : kFailed;
}

int RunWrite(const QStringList& arguments) {
    const auto parsed = ParseTransferArguments(arguments, {kPort, kRetries}, 1,
                                               "write --port PORT IN.sin [--retries N]");
    if (!parsed) {
        return kUsage;
    }
    MemoryImage image;
    if (!LoadImage(parsed->input, image)) {
        return kFailed;
    }
    return Transfer(*parsed, image, TransferDirection::Write);
}

int RunVerify(const QStringList& arguments) {
    const auto parsed = ParseTransferArguments(arguments, {kPort, kRetries}, 1,
                                               "verify --port PORT IN.sin [--retries N]");
    if (!parsed) {
        return kUsage;
    }
    MemoryImage expected;
    if (!LoadImage(parsed->input, expected)) {
        return kFailed;
    }
    MemoryImage radio = expected;
    const int result = Transfer(*parsed, radio, TransferDirection::Read);
    if (result != kSuccess) {
        return result;
    }
    int differing = 0;
    QTextStream out(stdout);
    for (int address : BlockWalk::kAddresses) {
        bool same = true;
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            same = same && radio.ReadByte(address + i) == expected.ReadByte(address + i);
        }
        if (!same) {
            out << QStringLiteral("0x%1\n").arg(address, 4, 16, QLatin1Char('0'));
            ++differing;
        }
    }
    out.flush();
    if (differing > 0) {
        Fail(QCoreApplication::translate("Cli", "%1 与对讲机不同的块有 %2 个（共 %3 块）")
                 .arg(parsed->input)
                 .arg(differing)
                 .arg(BlockWalk::kBlockCount));
        return kDiffers;
    }
    return kSuccess;
}

} // namespace Cli
