#include "cli_command.h"
#include "command_help.h"
#include "command_table.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

void PrintHelp(FILE* stream) {
    QTextStream out(stream);
    out << QCoreApplication::translate("Cli", "qtr318 — 在命令行上为 QTR-318 写频\n\n用法：\n");
    for (const Cli::Command& command : Cli::Commands()) {
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
    const Cli::Command* command = Cli::FindCommand(name);
    if (command == nullptr) {
        return Cli::Fail(
            QCoreApplication::translate("Cli", "未知命令 '%1'；请看 qtr318 --help").arg(name),
            Cli::kUsage);
    }
    if (arguments == QStringList{QStringLiteral("--help")} ||
        arguments == QStringList{QStringLiteral("-h")}) {
        QTextStream(stdout) << QCoreApplication::translate("Cli", "用法：qtr318 %1")
                                   .arg(QString::fromUtf8(command->synopsis).simplified())
                            << "\n\n"
                            << Cli::CommandHelp(*command);
        return Cli::StandardOutputFlushed() ? Cli::kSuccess : Cli::kFailed;
    }
    // A command that failed has said why; one that printed its findings (verify's differing
    // blocks) has not succeeded if they were lost.
    const int code = command->run(arguments);
    const bool printed = code == Cli::kSuccess || code == Cli::kDiffers;
    return !printed || Cli::StandardOutputFlushed() ? code : Cli::kFailed;
}
