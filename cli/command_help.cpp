#include "command_help.h"

#include <QCoreApplication>

namespace Cli {

namespace {

struct HelpText {
    const char* command;
    const char* summary;
    const char* arguments; // one line or more per argument and option, in usage order
    bool transfer;         // takes --port first and --retries last
};

// Option names line up in the first column whatever the language; a sentence that goes on does
// so below its start.
const HelpText kTexts[] = {
    {"new",
     QT_TRANSLATE_NOOP("Cli", "写出一个出厂内容的新 .sin 文件：没有信道，VHF 频段，默认选项。\n"),
     QT_TRANSLATE_NOOP("Cli", "  -o OUT.sin       要写的文件；- 表示写到标准输出。\n"), false},
    {"show", QT_TRANSLATE_NOOP("Cli", "显示 .sin 文件的机型、频段、信道表、可选功能和调试参数。\n"),
     QT_TRANSLATE_NOOP("Cli", "  IN.sin           要显示其内容的 .sin 数据文件。\n"), false},
    {"export",
     QT_TRANSLATE_NOOP("Cli", "把 .sin 文件的信道表写成 CSV（UTF-8 编码，带字节顺序标记）。\n"),
     QT_TRANSLATE_NOOP("Cli", "  IN.sin           要导出其信道表的 .sin 数据文件。\n"
                              "  -o OUT.csv       要写的 CSV 文件；不给出或为 - 时，CSV 写到\n"
                              "                   标准输出。\n"),
     false},
    {"import",
     QT_TRANSLATE_NOOP("Cli", "用 CSV 信道表生成 .sin 文件。CSV 没有列出的信道为空；每个错误\n"
                              "都会连同行号和列号列出，这时什么也不写。\n"),
     QT_TRANSLATE_NOOP("Cli", "  IN.csv           要读的 CSV；- 表示读标准输入。\n"
                              "  -o OUT.sin       要写的文件；- 表示写到标准输出。\n"
                              "  --base BASE.sin  从这个文件取可选功能、调试参数和频段，而不是\n"
                              "                   用出厂内容。\n"
                              "  --band vhf|uhf   设定频段，代替 BASE.sin 的频段；频率按这个频段\n"
                              "                   检查。\n"),
     false},
    {"read", QT_TRANSLATE_NOOP("Cli", "通过写频线读取对讲机的内存并保存。\n"),
     QT_TRANSLATE_NOOP("Cli", "  -o OUT.sin       要写的文件，只有整个读取成功后才替换它。\n"
                              "  --base BASE.sin  提供不经写频线传送的数据，其中有调试参数\n"
                              "                   （默认：出厂内容）。\n"),
     true},
    {"write", QT_TRANSLATE_NOOP("Cli", "把 .sin 文件原样写入对讲机。\n"),
     QT_TRANSLATE_NOOP("Cli", "  IN.sin           要写入对讲机的 .sin 数据文件。\n"), true},
    {"verify",
     QT_TRANSLATE_NOOP("Cli", "读取对讲机，列出与文件不同的每个 8 字节块的地址；有不同的块时\n"
                              "以 3 退出。\n"),
     QT_TRANSLATE_NOOP("Cli", "  IN.sin           要与对讲机比较的 .sin 数据文件。\n"), true},
};

const char* const kPort = QT_TRANSLATE_NOOP(
    "Cli", "  --port PORT      写频线的串口：COM1-COM4（见 QTR318_COM1..4）或设备\n"
           "                   路径，如 /dev/ttyUSB0。\n");
const char* const kRetries =
    QT_TRANSLATE_NOOP("Cli", "  --retries N      对讲机对五次进入编程模式的请求都没有应答时，再试\n"
                             "                   N 次后放弃（默认 0）。\n");

QString Translated(const char* text) {
    return QCoreApplication::translate("Cli", text);
}

} // namespace

QString CommandHelp(const QString& command) {
    for (const HelpText& entry : kTexts) {
        if (command != QLatin1String(entry.command)) {
            continue;
        }
        QString text = Translated(entry.summary) + QLatin1Char('\n');
        if (entry.transfer) {
            text += Translated(kPort);
        }
        text += Translated(entry.arguments);
        if (entry.transfer) {
            text += Translated(kRetries);
        }
        text += QCoreApplication::translate("Cli", "  -h, --help       显示本帮助。\n");
        return text;
    }
    return QString();
}

} // namespace Cli
