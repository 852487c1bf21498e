#include "transfer_commands.h"

#include "block_walk.h"
#include "cli_command.h"
#include "document_file.h"
#include "new_document.h"
#include "port_names.h"
#include "qt_serial_port.h"
#include "transfer_engine.h"

#include <QTextStream>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace Cli {
namespace {

struct TransferArguments {
    QString port;
    QString output;
    QString base;
    QString input;
    int retries = 0;
};

// Accepts "--name value" and "--name=value"; the options each command allows are listed.
std::optional<TransferArguments> ParseArguments(const QStringList& arguments,
                                                const QStringList& allowed, bool wantsInput) {
    TransferArguments parsed;
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString original = arguments[i];
        QString name = original;
        if (!name.startsWith(QLatin1Char('-'))) {
            positional.append(name);
            continue;
        }
        QString value;
        const int equals = name.indexOf(QLatin1Char('='));
        if (equals > 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        }
        if (!allowed.contains(name) || value.isEmpty()) {
            Fail(QStringLiteral("bad option '%1'").arg(original), kUsage);
            return std::nullopt;
        }
        if (name == QLatin1String("--port")) {
            parsed.port = value;
        } else if (name == QLatin1String("-o")) {
            parsed.output = value;
        } else if (name == QLatin1String("--base")) {
            parsed.base = value;
        } else {
            bool ok = false;
            parsed.retries = value.toInt(&ok);
            if (!ok || parsed.retries < 0) {
                Fail(QStringLiteral("--retries takes a count of 0 or more"), kUsage);
                return std::nullopt;
            }
        }
    }
    if (parsed.port.isEmpty()) {
        Fail(QStringLiteral("--port PORT is required (COM1-COM4 or a device path)"), kUsage);
        return std::nullopt;
    }
    if (positional.size() != (wantsInput ? 1 : 0)) {
        Fail(wantsInput ? QStringLiteral("exactly one IN.sin is required")
                        : QStringLiteral("unexpected argument '%1'").arg(positional.value(0)),
             kUsage);
        return std::nullopt;
    }
    parsed.input = positional.value(0);
    return parsed;
}

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
    bool CancelRequested() const override { return false; }

    bool AskRetry(const QString&, const QString&) override {
        if (m_retriesLeft == 0) {
            return false;
        }
        --m_retriesLeft;
        return true;
    }
    void ReportMessage(const QString& text, int, const QString& detail) override {
        EndBar();
        if (detail.isEmpty()) {
            Fail(text);
            return;
        }
        // Only an open failure carries the system's reason; say how to get at the device.
        Fail(QStringLiteral("%1 (%2)").arg(text, detail));
        QTextStream(stderr) << PortNames::AccessHint() << "\n";
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
// any failure.
int Transfer(const TransferArguments& arguments, MemoryImage& image, TransferDirection direction) {
    QtSerialPort port;
    TerminalObserver observer(arguments.retries);
    TransferEngine engine(port, observer);
    const TransferOutcome outcome = engine.Run(arguments.port, image, direction);
    if (outcome.result == TransferOutcome::Result::Cancelled) {
        return Fail(TransferText::kCommunicationError); // only giving up on program mode ends so
    }
    return outcome.succeeded() ? kSuccess : kFailed;
}

bool LoadImage(const QString& path, MemoryImage& image) {
    QString error;
    if (!DocumentFile::Load(path, image, &error)) {
        Fail(error);
        return false;
    }
    return true;
}

} // namespace

int RunRead(const QStringList& arguments) {
    const auto parsed = ParseArguments(arguments,
                                       {QStringLiteral("--port"), QStringLiteral("-o"),
                                        QStringLiteral("--base"), QStringLiteral("--retries")},
                                       false);
    if (!parsed) {
        return kUsage;
    }
    if (parsed->output.isEmpty()) {
        return Fail(QStringLiteral("-o OUT.sin is required"), kUsage);
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
    QString error;
    if (!DocumentFile::Save(parsed->output, image, &error)) {
        return Fail(error);
    }
    return kSuccess;
}

int RunWrite(const QStringList& arguments) {
    const auto parsed =
        ParseArguments(arguments, {QStringLiteral("--port"), QStringLiteral("--retries")}, true);
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
    const auto parsed =
        ParseArguments(arguments, {QStringLiteral("--port"), QStringLiteral("--retries")}, true);
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
        QTextStream(stderr) << "qtr318: " << differing << " of " << BlockWalk::kBlockCount
                            << " blocks differ from " << parsed->input << "\n";
        return kDiffers;
    }
    return kSuccess;
}

} // namespace Cli
