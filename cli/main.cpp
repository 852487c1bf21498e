#include "cli_command.h"
#include "command_help.h"
#include "diff_command.h"
#include "doctor_command.h"
#include "file_commands.h"
#include "log_command.h"
#include "ports_command.h"
#include "transfer_commands.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QTextStream>
#include <array>
#include <cstdio>

namespace {

const std::array<Cli::Command, 11> kCommands = {{
    {"new", "new    -o OUT.sin", Cli::RunNew},
    {"show", "show   IN.sin", Cli::RunShow},
    {"export", "export IN.sin [-o OUT.csv] [--format native|generic]", Cli::RunExport},
    {"import", "import IN.csv -o OUT.sin [--base BASE.sin] [--band vhf|uhf] [--first N]",
     Cli::RunImport},
    {"diff", "diff   A.sin B.sin [--blocks]", Cli::RunDiff},
    {"read", "read   --port PORT... -o OUT.sin|DIR/ [--base BASE.sin] [--label TEXT] [--retries N]",
     Cli::RunRead},
    {"write",
     "write  --port PORT... IN.sin [--backup FILE|DIR/] [--force] [--no-verify] [--wait] "
     "[--label TEXT] [--retries N]",
     Cli::RunWrite},
    {"verify", "verify --port PORT... IN.sin [--blocks] [--label TEXT] [--retries N]",
     Cli::RunVerify},
    {"ports", "ports", Cli::RunPorts},
    {"doctor", "doctor [--format text|json]", Cli::RunDoctor},
    {"log",
     "log    [--since DATE] [--until DATE] [--port P] [--label TEXT] [--result R] "
     "[--format table|csv|json]",
     Cli::RunLog},
}};

void PrintHelp(FILE* stream) {
    QTextStream out(stream);
    out << QCoreApplication::translate("Cli", "qtr318 — 在命令行上为 QTR-318 写频\n\n用法：\n");
    for (const Cli::Command& command : kCommands) {
        out << "  qtr318 " << command.synopsis << "\n";
    }
    out << "  qtr318 --help | --version\n\n"
        << QCoreApplication::translate(
               "Cli", "PORT 为 COM1-COM4（不分大小写）、qtr318 ports 列出的串口名或串口设备路径；\n"
                      "--port 可以给出多次，同时操作几台电台。退出码：0 成功，1 操作失败，\n"
                      "2 用法错误，3 diff、verify 或写入后的回读发现了不同。\n"
                      "qtr318 COMMAND --help（或 -h）说明一个命令的参数和选项。\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr318"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QTR318_VERSION));
    UiLanguage::Install();
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
                QTextStream(stdout) << QCoreApplication::translate("Cli", "用法：qtr318 %1")
                                           .arg(QString::fromUtf8(command.synopsis).simplified())
                                    << "\n\n"
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
    return Cli::Fail(
        QCoreApplication::translate("Cli", "未知命令 '%1'；请看 qtr318 --help").arg(name),
        Cli::kUsage);
}
