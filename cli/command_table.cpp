#include "command_table.h"

#include <QCoreApplication>

namespace Cli {

// Each command's entry point, in a file of its own; the table below is the only caller, so a new
// command is its file, its row here and its texts in the catalogues.
int RunNew(const QStringList& arguments);
int RunShow(const QStringList& arguments);
int RunExport(const QStringList& arguments);
int RunImport(const QStringList& arguments);
int RunDiff(const QStringList& arguments);
int RunRead(const QStringList& arguments);
int RunWrite(const QStringList& arguments);
int RunVerify(const QStringList& arguments);
int RunPorts(const QStringList& arguments);
int RunDoctor(const QStringList& arguments);
int RunLog(const QStringList& arguments);
int RunPlan(const QStringList& arguments);
int RunFleet(const QStringList& arguments);

// Option names line up in the first column whatever the language; a sentence that goes on does
// so below its start. The usage lines pad the command names so that the arguments of the list
// in --help start in one column.
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"new", "new    -o OUT.sin",
         QT_TRANSLATE_NOOP("Cli",
                           "写出一个出厂内容的新 .sin 文件：没有信道，VHF 频段，默认选项。\n"),
         QT_TRANSLATE_NOOP("Cli", "  -o OUT.sin       要写的文件；- 表示写到标准输出。\n"), false,
         RunNew},
        {"show", "show   IN.sin",
         QT_TRANSLATE_NOOP("Cli", "显示 .sin 文件的机型、频段、信道表、可选功能和调试参数。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  IN.sin           要显示其内容的 .sin 数据文件；- 表示读标准输入。\n"),
         false, RunShow},
        {"export", "export IN.sin [-o OUT.csv] [--format native|generic]",
         QT_TRANSLATE_NOOP("Cli", "把 .sin 文件的信道表写成 CSV（UTF-8 编码）。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  IN.sin           要导出其信道表的 .sin 数据文件；- 表示读标准输入。\n"
                           "  -o OUT.csv       要写的 CSV 文件；不给出或为 - 时，CSV 写到\n"
                           "                   标准输出。\n"
                           "  --format native|generic  native（默认）为本程序的格式；\n"
                           "                   generic 为其他写频程序和中继台目录通用的格式\n"
                           "                   （Location,Name,Frequency,...），只含有接收\n"
                           "                   频率的信道，该格式容纳不下的设置在标准错误上\n"
                           "                   说明。\n"),
         false, RunExport},
        {"import", "import IN.csv -o OUT.sin [--base BASE.sin] [--band vhf|uhf] [--first N]",
         QT_TRANSLATE_NOOP("Cli", "用 CSV 信道表生成 .sin 文件。CSV 可以是本程序的格式，也可以是\n"
                                  "其他写频程序的通用格式，按标题行识别。CSV 没有列出的信道为空；\n"
                                  "每个错误都会连同行号和列号列出，这时什么也不写。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  IN.csv           要读的 CSV；- 表示读标准输入。\n"
                           "  -o OUT.sin       要写的文件；- 表示写到标准输出。\n"
                           "  --base BASE.sin  从这个文件取可选功能、调试参数和频段，而不是\n"
                           "                   用出厂内容。\n"
                           "  --band vhf|uhf   设定频段，代替 BASE.sin 的频段；频率按这个频段\n"
                           "                   检查。不给出时，文件的频率都在另一个频段之内\n"
                           "                   就用那个频段，并且说明。\n"
                           "  --first N        只取通用格式文件中前 N 个（1~16）有频率的行，\n"
                           "                   其余的不导入；不给出时，多于 16 行的文件被拒绝。\n"),
         false, RunImport},
        {"diff", "diff   A.sin B.sin [--blocks]",
         QT_TRANSLATE_NOOP(
             "Cli", "列出两个 .sin 文件的不同：每个不同的信道字段、可选功能或调试参数一行\n"
                    "（\"信道 3 接收频率: A.sin 145.12500, B.sin 145.13750\"），以及没有字段\n"
                    "显示的每个不同字节的地址。有不同时以 3 退出，相同时以 0 退出。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  A.sin            第一个文件；每行先列出它的值。- 表示读标准输入。\n"
                           "  B.sin            第二个文件。\n"
                           "  --blocks         改为列出每个不同的 8 字节块的地址。\n"),
         false, RunDiff},
        {"read",
         "read   --port PORT... -o OUT.sin|DIR/ [--base BASE.sin] [--label TEXT] [--retries N]",
         QT_TRANSLATE_NOOP("Cli",
                           "通过写频线读取对讲机的内存并保存。给出几个 --port 时同时读取这几台\n"
                           "对讲机，每个串口一个文件，放在一个文件夹中，最后列出结果表。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  -o OUT.sin|DIR/  要写的文件，只有整个读取成功后才替换它；给出文件夹\n"
                           "                   （DIR/）时每个串口一个文件，以串口命名。\n"
                           "  --base BASE.sin  提供不经写频线传送的数据，其中有调试参数\n"
                           "                   （默认：出厂内容）。\n"),
         true, RunRead},
        {"write",
         "write  --port PORT... IN.sin|--fleet [--backup FILE|DIR/] [--force] [--no-verify] "
         "[--wait] [--label TEXT] [--retries N]",
         QT_TRANSLATE_NOOP("Cli",
                           "把 .sin 文件安全地写入对讲机：先读取对讲机，把原有内容留作备份，\n"
                           "拒绝其他频段或机型的文件，写入，再读回比较。输出一行，含文件、\n"
                           "备份、\"校验通过\"和用时。读回有不同时以 3 退出（列出不同的信道），\n"
                           "对讲机对读回没有应答时以 1 退出（已写入，未校验：请运行\n"
                           "qtr318 verify）。\n"),
         QT_TRANSLATE_NOOP(
             "Cli", "  IN.sin           要写入对讲机的 .sin 数据文件；- 表示读标准输入。\n"
                    "  --backup FILE|DIR/  备份写到哪里（默认：~/.local/share/qtr318/backups/\n"
                    "                   中以 UTC 时间命名的新文件；那里只删除本程序自己\n"
                    "                   较旧的备份，保留最新的 50 个）；几台对讲机时给出\n"
                    "                   文件夹。给出的文件夹里的文件从不删除。\n"
                    "  --force          文件的频段或机型与对讲机不同，或有信道在文件的频段\n"
                    "                   之外或不在步进上时，也写入。\n"
                    "  --no-verify      写入后不读回校验，直接结束本次写入。\n"
                    "  --wait           在一个串口上一台接一台地写频：等一台应答，写入，\n"
                    "                   等它被拔下，如此直到按 Ctrl+C；每台对讲机一行，\n"
                    "                   带序号。\n"
                    "  --fleet          与 --wait 一起用：从标准输入逐行读取车队电台的标签，\n"
                    "                   每台写入它的计划的最新版本加上它自己的值，记录\n"
                    "                   中带有计划和版本；输入结束时结束。每台都写入并\n"
                    "                   校验通过时以 0 退出。\n"),
         true, RunWrite},
        {"verify", "verify --port PORT... IN.sin [--blocks] [--label TEXT] [--retries N]",
         QT_TRANSLATE_NOOP("Cli",
                           "读取对讲机，列出与文件不同的每个信道字段、可选功能或参数\n"
                           "（\"信道 3 接收频率: 文件 145.12500, 电台 145.13750\"）；有不同时\n"
                           "以 3 退出。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  IN.sin           要与对讲机比较的 .sin 数据文件；- 表示读标准输入。\n"
                           "  --blocks         改为列出每个不同的 8 字节块的地址。\n"),
         true, RunVerify},
        {"ports", "ports",
         QT_TRANSLATE_NOOP("Cli",
                           "列出各个串口：名称、设备、描述、USB 厂商:产品、序列号和指向它的\n"
                           "COM 名；然后列出 COM1-COM4 各指向哪里。\n"),
         "", false, RunPorts},
        {"doctor", "doctor [--format text|json]",
         QT_TRANSLATE_NOOP("Cli",
                           "诊断编程线为什么不能用：列出各个 USB 串口的芯片、固定名称、COM 名\n"
                           "和能否打开，检查 brltty、ModemManager、本程序的 udev 规则和占用\n"
                           "串口的程序，对每个问题给出修正它的命令。找到可以使用的编程线且\n"
                           "没有问题挡住它时以 0 退出，否则以 1 退出。\n"),
         QT_TRANSLATE_NOOP("Cli",
                           "  --format text|json  text（默认）为给人看的报告；json 供脚本使用。\n"),
         false, RunDoctor},
        {"log",
         "log    [--since DATE] [--until DATE] [--port P] [--label TEXT] [--result R] "
         "[--format table|csv|json]",
         QT_TRANSLATE_NOOP("Cli",
                           "列出编程记录：每次读取、写入、读回校验和校验一条，从旧到新。记录\n"
                           "放在 ~/.local/share/qtr318/programming-log.sqlite，或 QTR318_LOG\n"
                           "指定的文件或 PostgreSQL 服务器（postgresql://...）。\n"),
         QT_TRANSLATE_NOOP(
             "Cli", "  --since DATE     只列出这个日期（YYYY-MM-DD）或时间\n"
                    "                   （YYYY-MM-DDTHH:MM[:SS]，本地时间，可加 Z 或时差）\n"
                    "                   以后的记录。\n"
                    "  --until DATE     只列出这以前的记录；只给日期时包括这一整天。\n"
                    "  --port P         只列出这个端口名或设备的记录。\n"
                    "  --label TEXT     只列出标签正是 TEXT 的记录。\n"
                    "  --result R       只列出这个结果的记录：成功、失败、已取消、校验不符、\n"
                    "                   未校验（或 ok、failed、cancelled、differs、\n"
                    "                   unverified）。\n"
                    "  --format table|csv|json  table（默认）为表格；csv 和 json 列出\n"
                    "                   每条记录的全部字段，字段名固定，供电子表格和\n"
                    "                   脚本使用。\n"),
         false, RunLog},
        {"plan", "plan   add|list|export ...",
         QT_TRANSLATE_NOOP(
             "Cli", "车队的计划：每个计划有名称和版本 1、2、3……，每个版本是一份不再改动的\n"
                    "1024 字节数据，连同 SHA-256、时间、工位和备注，存在编程记录的数据库中。\n"),
         QT_TRANSLATE_NOOP(
             "Cli", "  add 计划名 FILE  把 FILE（.sin、任一格式的信道 CSV，或 - 表示标准输入）\n"
                    "                   加为这个计划的下一个版本，输出版本号；内容与最新\n"
                    "                   版本相同时不添加版本，并且说明。\n"
                    "  --note TEXT      这个版本的备注。\n"
                    "  list             列出每个计划的每个版本。\n"
                    "  --format table|csv|json  table（默认）为表格；csv 和 json 的字段为\n"
                    "                   name、version、sha256、created_at、station、note。\n"
                    "  export 计划名[@版本] -o FILE  把计划的一个版本（默认最新）写成 .sin\n"
                    "                   文件；- 表示写到标准输出。\n"),
         false, RunPlan},
        {"fleet", "fleet  add|edit|remove|import|status|history|restore ...",
         QT_TRANSLATE_NOOP("Cli",
                           "车队的电台：每台按标签（资产标签）识别，有组、备注、计划和它自己的\n"
                           "值；它得到的是计划的最新版本加上这些值。计划不存在、标签重复或值\n"
                           "不适合计划的频段时以 1 退出，什么也不改动。\n"),
         QT_TRANSLATE_NOOP(
             "Cli", "  add 标签         加入一台电台。\n"
                    "  --plan NAME      它的计划（必须给出）。\n"
                    "  --group G        它的组。\n"
                    "  --note TEXT      它的备注。\n"
                    "  --set CELL=TEXT  它自己的一个值，单元格的名称与每台电台的差异文件\n"
                    "                   相同，如 \"信道3 接收频率=150.125\"；可以给出多次。\n"
                    "  edit 标签        改动一台电台，选项同 add；--unset CELL 去掉一个值。\n"
                    "  remove 标签      从车队中去掉一台电台（它的编程记录保留）。\n"
                    "  import 文件      从 CSV 加入电台：标题行为 \"标签,计划,组\"，其后是单元格\n"
                    "                   名称；整个文件先检查，有任何问题时什么也不加入，每个\n"
                    "                   问题连同行号和列号列出。\n"
                    "  status           每台电台一行：计划及其最新版本、最后一次写入并校验\n"
                    "                   的版本（时间、工位）和状态：最新、待写、从未写、\n"
                    "                   失败；--group 和 --state 只列出这个组或状态。\n"
                    "  history 标签     这台电台的每次读取和写入，从旧到新。\n"
                    "  restore 标签 --record UUID -o FILE  把这条记录的数据（读取时为电台\n"
                    "                   原有的，写入时为写给它的）写成 .sin 文件。\n"
                    "  --format table|csv|json  table（默认）为表格；csv 和 json 的字段名\n"
                    "                   固定，供电子表格和脚本使用。\n"),
         false, RunFleet},
    };
    return commands;
}

const Command* FindCommand(const QString& name) {
    for (const Command& command : Commands()) {
        if (name == QLatin1String(command.name)) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace Cli
