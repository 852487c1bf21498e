#include "command_help.h"

#include <QCoreApplication>

namespace Cli {

namespace {

const char* const kPort = QT_TRANSLATE_NOOP(
    "Cli", "  --port PORT      写频线的串口：COM1-COM4，不分大小写（见 qtr318 ports 和\n"
           "                   QTR318_COM1..4）、qtr318 ports 列出的串口名或设备路径，\n"
           "                   如 /dev/ttyUSB0。给出几次即同时操作几台对讲机，各用一个\n"
           "                   线程。\n");
const char* const kLabel =
    QT_TRANSLATE_NOOP("Cli", "  --label TEXT     写进编程记录的标签，如对讲机所属的车辆或人员；\n"
                             "                   用 qtr318 log --label 查找。\n");
const char* const kRetries =
    QT_TRANSLATE_NOOP("Cli", "  --retries N      对讲机对五次进入编程模式的请求都没有应答时，再试\n"
                             "                   N 次后放弃（默认 0）。\n");

QString Translated(const char* text) {
    return QCoreApplication::translate("Cli", text);
}

} // namespace

QString CommandHelp(const Command& command) {
    QString text = Translated(command.summary) + QLatin1Char('\n');
    if (command.transfer) {
        text += Translated(kPort);
    }
    text += Translated(command.arguments);
    if (command.transfer) {
        text += Translated(kLabel);
        text += Translated(kRetries);
    }
    text += QCoreApplication::translate("Cli", "  -h, --help       显示本帮助。\n");
    return text;
}

} // namespace Cli
