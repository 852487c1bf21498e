#include "cli_command.h"
#include "command_help.h"
#include "diff_command.h"
#include "file_commands.h"
#include "ports_command.h"
#include "transfer_commands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <array>
#include <cstdio>

namespace {

const std::array<Cli::Command, 9> kCommands = {{
    {"new", "new    -o OUT.sin", Cli::RunNew},
    {"show", "show   IN.sin", Cli::RunShow},
    {"export", "export IN.sin [-o OUT.csv]", Cli::RunExport},
    {"import", "import IN.csv -o OUT.sin [--base BASE.sin] [--band vhf|uhf]", Cli::RunImport},
    {"diff", "diff   A.sin B.sin [--blocks]", Cli::RunDiff},
    {"read", "read   --port PORT... -o OUT.sin|DIR/ [--base BASE.sin] [--retries N]", Cli::RunRead},
    {"write",
     "write  --port PORT... IN.sin [--backup FILE|DIR/] [--force] [--no-verify] [--wait] "
     "[--retries N]",
     Cli::RunWrite},
    {"verify", "verify --port PORT... IN.sin [--blocks] [--retries N]", Cli::RunVerify},
    {"ports", "ports", Cli::RunPorts},
}};

void PrintHelp(FILE* stream) {
    QTextStream out(stream);
    out << "qtr318 — QTR-318 channel programming from the command line\n\nUsage:\n";
    for (const Cli::Command& command : kCommands) {
        out << "  qtr318 " << command.synopsis << "\n";
    }
    out << "  qtr318 --help | --version\n\n"
           "PORT is COM1-COM4 (any case), a port name as qtr318 ports lists it, or a serial "
           "device\n"
           "path; --port may be given several times to work on several radios at once. Exit "
           "codes:\n"
           "0 success, 1 the operation failed, 2 usage error, 3 diff, verify or the read-back\n"
           "after a write found differences.\n"
           "qtr318 COMMAND --help (or -h) describes a command's arguments and options.\n";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr318"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QTR318_VERSION));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        PrintHelp(stderr);
        return Cli::kUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        PrintHelp(stdout);
        return Cli::StandardOutputFlushed() ? Cli::kSuccess : Cli::kFailed;
    }
    if (name == QLatin1String("--version")) {
        QTextStream(stdout) << "qtr318 " << QTR318_VERSION << "\n";
        return Cli::StandardOutputFlushed() ? Cli::kSuccess : Cli::kFailed;
    }
    for (const Cli::Command& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            if (arguments == QStringList{QStringLiteral("--help")} ||
                arguments == QStringList{QStringLiteral("-h")}) {
                QTextStream(stdout) << "Usage: qtr318 "
                                    << QString::fromUtf8(command.synopsis).simplified() << "\n\n"
                                    << Cli::CommandHelp(QLatin1String(command.name));
                return Cli::StandardOutputFlushed() ? Cli::kSuccess : Cli::kFailed;
            }
            // A command that failed has said why; one that printed its findings (verify's
            // differing blocks) has not succeeded if they were lost.
            const int code = command.run(arguments);
            const bool printed = code == Cli::kSuccess || code == Cli::kDiffers;
            return !printed || Cli::StandardOutputFlushed() ? code : Cli::kFailed;
        }
    }
    return Cli::Fail(QStringLiteral("unknown command '%1'; see qtr318 --help").arg(name),
                     Cli::kUsage);
}
