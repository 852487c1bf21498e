<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AtomicFile</name>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
</context>
<context>
    <name>BackupFolder</name>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>不知道主目录（HOME 没有设置），无法确定备份文件夹</source>
        <translation>No home folder is known (HOME is not set), so there is no backup folder</translation>
    </message>
    <message>
        <source>无法保存备份 %1：%2</source>
        <translation>Cannot save the backup %1: %2</translation>
    </message>
    <message>
        <source>在 %1 里找不到可用的备份文件名</source>
        <translation>No free backup file name in %1</translation>
    </message>
</context>
<context>
    <name>BandFit</name>
    <message>
        <source>在频段之外</source>
        <translation>outside the band</translation>
    </message>
    <message>
        <source>不在 5 kHz / 6.25 kHz 步进上</source>
        <translation>off the 5 kHz / 6.25 kHz raster</translation>
    </message>
    <message>
        <source>信道 %1 %2 %3：%4</source>
        <translation>channel %1 %2 %3: %4</translation>
    </message>
</context>
<context>
    <name>CableDoctor</name>
    <message>
        <source>没有找到 USB 串口：编程线没有插好，或者系统没有认出它。请插好编程线；qtr318 ports 列出所有串口。</source>
        <translation>No USB serial port found: the programming cable is not plugged in, or the system did not recognise it. Plug in the cable; qtr318 ports lists every serial port.</translation>
    </message>
    <message>
        <source>没有安装本程序的 udev 规则 60-qtr318-cable.rules（找过：%1）。没有它，只有 dialout 组的成员能打开编程线，ModemManager 也会去试探对讲机。</source>
        <translation>The udev rule 60-qtr318-cable.rules of this program is not installed (looked in: %1). Without it only members of the dialout group can open the cable, and ModemManager probes the radio. </translation>
    </message>
    <message>
        <source>规则随本程序的软件包安装；重新安装软件包：</source>
        <translation>The rule comes with this program&apos;s package; reinstall the package:</translation>
    </message>
    <message>
        <source>本程序安装时带有这条规则，把它复制过去：</source>
        <translation>This program was installed with the rule; copy it there:</translation>
    </message>
    <message>
        <source>环境变量 %1 把 %2 指向 %3，但没有这个设备。</source>
        <translation>The environment variable %1 points %2 at %3, but there is no such device.</translation>
    </message>
    <message>
        <source>未知程序</source>
        <translation>an unknown program</translation>
    </message>
    <message>
        <source>%1 正被另一个程序占用：%2（进程号 %3）。请关闭它，或者结束它：</source>
        <translation>%1 is held by another program: %2 (process %3). Close it, or end it:</translation>
    </message>
    <message>
        <source>用户 %1 已加入 %2 组，但本次登录早于加入，%3 还打不开：请注销并重新登录。</source>
        <translation>User %1 has joined the %2 group, but this session began before that, so %3 cannot be opened yet: log out and back in.</translation>
    </message>
    <message>
        <source>用户 %1 没有 %2 的读写权限（设备属于 %3 组）。请把用户加入该组，然后注销并重新登录：</source>
        <translation>User %1 may not read and write %2 (the device belongs to the %3 group). Add the user to that group, then log out and back in:</translation>
    </message>
    <message>
        <source>brltty（盲文显示器服务）已安装，它的 udev 规则 %1 认领 CH340 芯片的编程线：编程线插上一秒后就会消失。不用盲文显示器时请卸载它，然后重新插上编程线：</source>
        <translation>brltty (the braille display service) is installed, and its udev rules %1 claim cables with the CH340 chip: the cable vanishes a second after it is plugged in. If you use no braille display, remove it, then plug the cable in again:</translation>
    </message>
    <message>
        <source>ModemManager 正在运行，而本程序的 udev 规则没有让它避开 %1（%2）：它会向对讲机发送调制解调器命令。不用调制解调器时请停用它：</source>
        <translation>ModemManager is running, and the udev rule of this program does not keep it away from %1 (%2): it sends modem commands into the radio. If you use no modem, turn it off:</translation>
    </message>
</context>
<context>
    <name>CableReport</name>
    <message>
        <source>可以打开（当前登录的用户有设备的访问控制表，来自 uaccess）</source>
        <translation>may be opened (access control list for the user at the seat, from uaccess)</translation>
    </message>
    <message>
        <source>可以打开（%1 组的成员）</source>
        <translation>may be opened (member of the %1 group)</translation>
    </message>
    <message>
        <source>可以打开（设备的权限允许）</source>
        <translation>may be opened (the device&apos;s permissions allow it)</translation>
    </message>
    <message>
        <source>可以打开（root）</source>
        <translation>may be opened (root)</translation>
    </message>
    <message>
        <source>不能打开：加入 %1 组要重新登录后才生效</source>
        <translation>cannot be opened: joining the %1 group takes effect after logging in again</translation>
    </message>
    <message>
        <source>不能打开：既没有访问控制表，也不是 %1 组的成员</source>
        <translation>cannot be opened: no access control list, and not a member of the %1 group</translation>
    </message>
    <message>
        <source>不是已知的编程线芯片</source>
        <translation>not a known cable chip</translation>
    </message>
    <message>
        <source>    不是 USB 设备
</source>
        <translation>    not a USB device
</translation>
    </message>
    <message>
        <source>    芯片：%1（USB %2%3）
</source>
        <translation>    chip: %1 (USB %2%3)
</translation>
    </message>
    <message>
        <source>    固定名称：%1
</source>
        <translation>    stable name: %1
</translation>
    </message>
    <message>
        <source>    权限：%1
</source>
        <translation>    access: %1
</translation>
    </message>
    <message>
        <source>    占用：%1（进程号 %2）
</source>
        <translation>    held by: %1 (process %2)
</translation>
    </message>
    <message>
        <source>用户：%1
</source>
        <translation>User: %1
</translation>
    </message>
    <message>
        <source>USB 串口：%1
</source>
        <translation>USB serial ports: %1
</translation>
    </message>
    <message>
        <source>本程序的 udev 规则：%1
</source>
        <translation>This program&apos;s udev rule: %1
</translation>
    </message>
    <message>
        <source>未安装</source>
        <translation>not installed</translation>
    </message>
    <message>
        <source>ModemManager：%1
</source>
        <translation>ModemManager: %1
</translation>
    </message>
    <message>
        <source>正在运行</source>
        <translation>running</translation>
    </message>
    <message>
        <source>没有运行</source>
        <translation>not running</translation>
    </message>
    <message>
        <source>问题：
</source>
        <translation>Problems:
</translation>
    </message>
    <message>
        <source>提示：
</source>
        <translation>Notes:
</translation>
    </message>
    <message>
        <source>结论：编程线 %1 可以使用。
</source>
        <translation>Verdict: the cable on %1 can be used.
</translation>
    </message>
    <message>
        <source>结论：没有可以使用的编程线；请按上面的问题逐一处理。
</source>
        <translation>Verdict: no cable can be used; deal with the problems above one by one.
</translation>
    </message>
</context>
<context>
    <name>ChannelColumns</name>
    <message>
        <source>信道</source>
        <translation>Ch</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX Freq</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX Freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX Tone</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX Tone</translation>
    </message>
    <message>
        <source>繁忙</source>
        <translation>Busy Lock</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>带宽</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>扰频</source>
        <translation>Scrambler</translation>
    </message>
    <message>
        <source>压扩</source>
        <translation>Compander</translation>
    </message>
    <message>
        <source>加重</source>
        <translation>Emphasis</translation>
    </message>
</context>
<context>
    <name>ChannelCsv</name>
    <message>
        <source>…（共 %1 个字符）</source>
        <translation>… (%1 characters)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n 个多余的逗号</source>
        <translation>
            <numerusform>a trailing comma</numerusform>
            <numerusform>%n trailing commas</numerusform>
        </translation>
    </message>
    <message>
        <source>应有 %1 个字段，实有 %2 个</source>
        <translation>expected %1 fields, found %2</translation>
    </message>
    <message>
        <source>没有接收频率的信道上有 %1；这样的信道只保存发射频率（整行留空则清除该信道）</source>
        <translation>%1 on a channel without a receive frequency; such a channel holds only its transmit frequency (an empty row clears the channel)</translation>
    </message>
    <message>
        <source>%1 不是 1-16 的信道号</source>
        <translation>%1 is not a channel number 1-16</translation>
    </message>
    <message>
        <source>信道 %1 已在第 %2 行给出</source>
        <translation>channel %1 is already given on line %2</translation>
    </message>
    <message>
        <source>（小数点应为句点：%1）</source>
        <translation> (the decimal mark is a point: %1)</translation>
    </message>
    <message>
        <source>%1：小数超过 %2 位；对讲机按 10 Hz 的步进保存频率（%3）</source>
        <translation>%1: more than %2 decimals; the radio stores steps of 10 Hz (%3)</translation>
    </message>
    <message>
        <source>%1 不是信令代码：应为 &quot;关&quot;、亚音频（如 67.0）或数字亚音（如 D023N / D023I）</source>
        <translation>%1 is not a signalling code (&quot;关&quot;, a tone such as 67.0, or a DCS code such as D023N / D023I)</translation>
    </message>
    <message>
        <source>%1 不是 %2 之一</source>
        <translation>%1 is not one of %2</translation>
    </message>
    <message>
        <source>%1 和 %2 都是 %3；%4 中只能有一个是 %3</source>
        <translation>%1 and %2 are both %3; only one of %4 may be %3</translation>
    </message>
    <message>
        <source>第 %1 行</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>，第 %1 列</source>
        <translation>, column %1</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (&quot;%1&quot;)</translation>
    </message>
    <message numerus="yes">
        <source>另有 %n 个问题没有列出</source>
        <translation>
            <numerusform>%n more problem not shown</numerusform>
            <numerusform>%n more problems not shown</numerusform>
        </translation>
    </message>
    <message>
        <source>不是 UTF-8 文本；请把文件另存为 UTF-8 编码的 CSV</source>
        <translation>not UTF-8 text; save the file as CSV in UTF-8</translation>
    </message>
    <message>
        <source>行尾只有回车符（CR，旧式 Mac 文件就是这样）；请以 CRLF 或 LF 作为行尾保存文件</source>
        <translation>the line ends in a carriage return alone (CR, as old Mac files do); save the file with CRLF or LF line ends</translation>
    </message>
    <message>
        <source>文件没有标题行</source>
        <translation>the file holds no header line</translation>
    </message>
    <message>
        <source>标题行应为：%1</source>
        <translation>the header must be: %1</translation>
    </message>
    <message>
        <source>字段中间有引号，但字段不是以引号开头</source>
        <translation>a quote inside a field that does not start with one</translation>
    </message>
    <message>
        <source>带引号的字段没有结束引号</source>
        <translation>the quoted field is never closed</translation>
    </message>
    <message>
        <source>结束引号之后还有文字</source>
        <translation>text after the closing quote</translation>
    </message>
    <message>
        <source>最后一列（%2）之后有 %1；请删除其后的空列</source>
        <translation>%1 after the last column (&quot;%2&quot;); remove the empty columns after it</translation>
    </message>
    <message>
        <source>标题行最后一列（%2）之后有 %1；请删除其后的空列</source>
        <translation>the header has %1 after its last column (&quot;%2&quot;); remove the empty columns after it</translation>
    </message>
    <message>
        <source>文件有 %1 字节，远大于 16 个信道的 CSV 所需（至多 %2 字节）</source>
        <translation>the file has %1 bytes, far more than a CSV of 16 channels needs (at most %2 bytes)</translation>
    </message>
    <message>
        <source>超过 %1</source>
        <translation>more than %1</translation>
    </message>
</context>
<context>
    <name>ChannelTable</name>
    <message>
        <source>“%1”的内容不保存在 .sin 文件中</source>
        <translation>The contents of “%1” are not kept in a .sin file</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>--first 只能是 1 到 %1 之间的数</source>
        <translation>--first must be a number from 1 to %1</translation>
    </message>
    <message>
        <source>%1：文件的频率都在 %2 之内，按这个频段导入</source>
        <translation>%1: every frequency of the file lies in %2; imported in that band</translation>
    </message>
    <message>
        <source>只取前 %1 个有频率的行：加上 --first %1</source>
        <translation>To take the first %1 rows with a frequency, add --first %1</translation>
    </message>
    <message>
        <source>频段是 %1，文件中有它之外的频率；用 --band vhf 或 --band uhf 选择频段</source>
        <translation>The band is %1 and the file has frequencies outside it; choose the band with --band vhf or --band uhf</translation>
    </message>
    <message>
        <source>选项 &apos;%1&apos; 需要一个值</source>
        <translation>option &apos;%1&apos; needs a value</translation>
    </message>
    <message>
        <source>未知选项 &apos;%1&apos;</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>选项 &apos;%1&apos; 给出了两次</source>
        <translation>option &apos;%1&apos; is given twice</translation>
    </message>
    <message>
        <source>%1；用法：qtr318 %2</source>
        <translation>%1; usage: qtr318 %2</translation>
    </message>
    <message>
        <source>缺少参数</source>
        <translation>missing argument</translation>
    </message>
    <message>
        <source>多余的参数 &apos;%1&apos;</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>无法写入标准输出：%1</source>
        <translation>cannot write to standard output: %1</translation>
    </message>
    <message>
        <source>%1 不是普通文件；请写到文件，或写到 -（标准输出）</source>
        <translation>%1 is not a regular file; write to a file or to - (standard output)</translation>
    </message>
    <message>
        <source>%1 是输入文件；请另选输出文件</source>
        <translation>%1 is the input file; choose another output</translation>
    </message>
    <message>
        <source>无法写入 %1：%2；什么也没有写入</source>
        <translation>cannot write %1: %2; nothing written</translation>
    </message>
    <message>
        <source>写出一个出厂内容的新 .sin 文件：没有信道，VHF 频段，默认选项。
</source>
        <translation>Writes a new .sin file with the factory contents: no channels, the VHF band and the
default options.
</translation>
    </message>
    <message>
        <source>  -o OUT.sin       要写的文件；- 表示写到标准输出。
</source>
        <translation>  -o OUT.sin       The file to write; - writes it to standard output.
</translation>
    </message>
    <message>
        <source>显示 .sin 文件的机型、频段、信道表、可选功能和调试参数。
</source>
        <translation>Prints the model, the band, the channel table, the options and the tuning values of a
.sin file.
</translation>
    </message>
    <message>
        <source>  IN.sin           要显示其内容的 .sin 数据文件；- 表示读标准输入。
</source>
        <translation>  IN.sin           The file to show; - reads standard input.
</translation>
    </message>
    <message>
        <source>  IN.csv           要读的 CSV；- 表示读标准输入。
  -o OUT.sin       要写的文件；- 表示写到标准输出。
  --base BASE.sin  从这个文件取可选功能、调试参数和频段，而不是
                   用出厂内容。
  --band vhf|uhf   设定频段，代替 BASE.sin 的频段；频率按这个频段
                   检查。不给出时，文件的频率都在另一个频段之内
                   就用那个频段，并且说明。
  --first N        只取通用格式文件中前 N 个（1~16）有频率的行，
                   其余的不导入；不给出时，多于 16 行的文件被拒绝。
</source>
        <translation>  IN.csv           The CSV to read; - reads standard input.
  -o OUT.sin       The file to write; - writes it to standard output.
  --base BASE.sin  Takes the options, tuning values and band from this file instead of
                   the factory contents.
  --band vhf|uhf   Sets the band instead of the base&apos;s; the frequencies are checked
                   against it. Without it, when every frequency of the file lies in
                   the other band, that band is taken, and said so.
  --first N        Takes only the first N (1-16) rows with a frequency of a file in
                   the generic layout, and leaves the rest out; without it, a file
                   of more than 16 such rows is refused.
</translation>
    </message>
    <message>
        <source>  --retries N      对讲机对五次进入编程模式的请求都没有应答时，再试
                   N 次后放弃（默认 0）。
</source>
        <translation>  --retries N      When the radio does not answer five requests to enter programming
                   mode, tries N more times before giving up (default 0).
</translation>
    </message>
    <message>
        <source>  -h, --help       显示本帮助。
</source>
        <translation>  -h, --help       Prints this help.
</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>（不是列表中的值）</source>
        <translation>(not a list value)</translation>
    </message>
    <message>
        <source>必须给出 -o OUT.sin</source>
        <translation>-o OUT.sin is required</translation>
    </message>
    <message>
        <source>机型：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>频段：</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>可选功能</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>调试参数</source>
        <translation>Tuning values</translation>
    </message>
    <message>
        <source>--band 只能是 vhf 或 uhf</source>
        <translation>--band takes vhf or uhf</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>发现 %n 个问题；什么也没有写入</source>
        <translation>
            <numerusform>%n problem found; nothing written</numerusform>
            <numerusform>%n problems found; nothing written</numerusform>
        </translation>
    </message>
    <message>
        <source>qtr318 — 在命令行上为 QTR-318 写频

用法：
</source>
        <translation>qtr318 — QTR-318 channel programming from the command line

Usage:
</translation>
    </message>
    <message>
        <source>用法：qtr318 %1</source>
        <translation>Usage: qtr318 %1</translation>
    </message>
    <message>
        <source>未知命令 &apos;%1&apos;；请看 qtr318 --help</source>
        <translation>unknown command &apos;%1&apos;; see qtr318 --help</translation>
    </message>
    <message>
        <source>必须给出 --port PORT（COM1-COM4 或设备路径）</source>
        <translation>--port PORT is required (COM1-COM4 or a device path)</translation>
    </message>
    <message>
        <source>--retries 应为 0 或更大的整数</source>
        <translation>--retries takes a count of 0 or more</translation>
    </message>
    <message>
        <source>已中断：</source>
        <translation>Stopped: </translation>
    </message>
    <message>
        <source>对讲机里的数据没有改变。</source>
        <translation>the data in the radio has not changed.</translation>
    </message>
    <message>
        <source>读取没有完成，没有保存任何数据。</source>
        <translation>the read did not finish; nothing was saved.</translation>
    </message>
    <message>
        <source>列出两个 .sin 文件的不同：每个不同的信道字段、可选功能或调试参数一行
（&quot;信道 3 接收频率: A.sin 145.12500, B.sin 145.13750&quot;），以及没有字段
显示的每个不同字节的地址。有不同时以 3 退出，相同时以 0 退出。
</source>
        <translation>Prints how two .sin files differ: a line per channel field, option or tuning value
(Channel 3 &quot;接收频率&quot;: A.sin &quot;145.12500&quot;, B.sin &quot;145.13750&quot;), and the address of any byte
no field shows. Exits with 3 when they differ, 0 when they are the same.
</translation>
    </message>
    <message>
        <source>  A.sin            第一个文件；每行先列出它的值。- 表示读标准输入。
  B.sin            第二个文件。
  --blocks         改为列出每个不同的 8 字节块的地址。
</source>
        <translation>  A.sin            The first file; its values come first on each line. - reads
                   standard input.
  B.sin            The second file.
  --blocks         Prints the address of each differing 8-byte block instead.
</translation>
    </message>
    <message>
        <source>列出各个串口：名称、设备、描述、USB 厂商:产品、序列号和指向它的
COM 名；然后列出 COM1-COM4 各指向哪里。
</source>
        <translation>Lists the serial ports: name, device, description, USB vendor:product, serial number
and the COM name that reaches it; then where COM1-COM4 point.
</translation>
    </message>
    <message>
        <source>通过写频线读取对讲机的内存并保存。给出几个 --port 时同时读取这几台
对讲机，每个串口一个文件，放在一个文件夹中，最后列出结果表。
</source>
        <translation>Reads the radio&apos;s memory over the programming cable and saves it. With several --port
options the radios are read at once, one file per port in a folder, and a table of
the results ends the output.
</translation>
    </message>
    <message>
        <source>  -o OUT.sin|DIR/  要写的文件，只有整个读取成功后才替换它；给出文件夹
                   （DIR/）时每个串口一个文件，以串口命名。
  --base BASE.sin  提供不经写频线传送的数据，其中有调试参数
                   （默认：出厂内容）。
</source>
        <translation>  -o OUT.sin|DIR/  The file to write, replaced only when the whole read succeeded; a
                   folder (DIR/) gets one file per port, named after the port.
  --base BASE.sin  Supplies what never travels over the cable, the tuning values among
                   it (default: the factory contents).
</translation>
    </message>
    <message>
        <source>把 .sin 文件安全地写入对讲机：先读取对讲机，把原有内容留作备份，
拒绝其他频段或机型的文件，写入，再读回比较。输出一行，含文件、
备份、&quot;校验通过&quot;和用时。读回有不同时以 3 退出（列出不同的信道），
对讲机对读回没有应答时以 1 退出（已写入，未校验：请运行
qtr318 verify）。
</source>
        <translation>Writes a .sin file to the radio safely: reads the radio first and keeps what it held
as a backup, refuses a file for another band or model, writes, then reads back and
compares. Prints one line with the file, the backup, &quot;verified&quot; and the time. Exits
with 3 when the read-back differs (the channels are named), 1 when the radio did not
answer the read-back (written, not verified: run qtr318 verify).
</translation>
    </message>
    <message>
        <source>读取对讲机，列出与文件不同的每个信道字段、可选功能或参数
（&quot;信道 3 接收频率: 文件 145.12500, 电台 145.13750&quot;）；有不同时
以 3 退出。
</source>
        <translation>Reads the radio and prints each channel field, option or value that differs from the
file (Channel 3 &quot;接收频率&quot;: file &quot;145.12500&quot;, radio &quot;145.13750&quot;); exits with 3 when
any does.
</translation>
    </message>
    <message>
        <source>  IN.sin           要与对讲机比较的 .sin 数据文件；- 表示读标准输入。
  --blocks         改为列出每个不同的 8 字节块的地址。
</source>
        <translation>  IN.sin           The .sin file to compare with the radio; - reads standard input.
  --blocks         Prints the address of each differing 8-byte block instead.
</translation>
    </message>
    <message>
        <source>  --port PORT      写频线的串口：COM1-COM4，不分大小写（见 qtr318 ports 和
                   QTR318_COM1..4）、qtr318 ports 列出的串口名或设备路径，
                   如 /dev/ttyUSB0。给出几次即同时操作几台对讲机，各用一个
                   线程。
</source>
        <translation>  --port PORT      The cable&apos;s serial port: COM1-COM4 in any case (see qtr318 ports and
                   QTR318_COM1..4), a port name as qtr318 ports lists it, or a device
                   path such as /dev/ttyUSB0. Give it several times for several radios
                   at once, each on its own thread.
</translation>
    </message>
    <message>
        <source>PORT 为 COM1-COM4（不分大小写）、qtr318 ports 列出的串口名或串口设备路径；
--port 可以给出多次，同时操作几台电台。退出码：0 成功，1 操作失败，
2 用法错误，3 diff、verify 或写入后的回读发现了不同。
qtr318 COMMAND --help（或 -h）说明一个命令的参数和选项。
</source>
        <translation>PORT is COM1-COM4 (any case), a port name as qtr318 ports lists it, or a serial device
path; --port may be given several times to work on several radios at once. Exit codes:
0 success, 1 the operation failed, 2 usage error, 3 diff, verify or the read-back
after a write found differences.
qtr318 COMMAND --help (or -h) describes a command&apos;s arguments and options.
</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>qtr318: 没有找到串口；请插好编程线。</source>
        <translation>qtr318: no serial port found; plug in the programming cable.</translation>
    </message>
    <message>
        <source>（不存在）</source>
        <translation> (not present)</translation>
    </message>
    <message>
        <source>同一个端口给了两次</source>
        <translation>the same port is given twice</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>done</translation>
    </message>
    <message>
        <source>不同</source>
        <translation>differs</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>读取几台对讲机时 -o 要指定一个文件夹（DIR/），每个端口存一个文件</source>
        <translation>reading several radios needs a folder (DIR/) for -o, one file per port</translation>
    </message>
    <message>
        <source>有两个端口的文件名相同，请用不同的名称指定端口</source>
        <translation>two ports get the same file name; name the ports differently</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>电台</source>
        <translation>radio</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>%1：与 %2 不同的块有 %3 个（共 %4 块）</source>
        <translation>%1: %3 of %4 blocks differ from %2</translation>
    </message>
    <message>
        <source>%1：与 %2 有 %3 处不同</source>
        <translation>%1: %3 differences from %2</translation>
    </message>
    <message>
        <source>读取备份</source>
        <translation>Reading the backup</translation>
    </message>
    <message>
        <source>没有写入：写入前没能读出对讲机里的数据。</source>
        <translation>not written: the radio could not be read before the write.</translation>
    </message>
    <message>
        <source>；没有备份就不写入。</source>
        <translation>; nothing is written without a backup.</translation>
    </message>
    <message>
        <source>没有写入：%1 与对讲机不符（%2）。确实要写入请加 --force。</source>
        <translation>not written: %1 does not match the radio (%2). Add --force to write it anyway.</translation>
    </message>
    <message>
        <source>不符，未写入</source>
        <translation>mismatch, not written</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>已把 %1 写入 %2，备份 %3</source>
        <translation>wrote %1 to %2, backup %3</translation>
    </message>
    <message>
        <source>%1，用时 %2 秒</source>
        <translation>%1, took %2 s</translation>
    </message>
    <message>
        <source>，未校验，</source>
        <translation>, not verified, </translation>
    </message>
    <message>
        <source>读回校验</source>
        <translation>Reading back</translation>
    </message>
    <message>
        <source>已写入，但读回校验被中断；请用 qtr318 verify 检查。</source>
        <translation>written, but the read-back was stopped; check with qtr318 verify.</translation>
    </message>
    <message>
        <source>已写入，未校验</source>
        <translation>written, not verified</translation>
    </message>
    <message>
        <source>%1，但对讲机没有应答读回，没有校验。请用 qtr318 verify 检查。</source>
        <translation>%1, but the radio did not answer the read-back, so it is not verified. Check with qtr318 verify.</translation>
    </message>
    <message>
        <source>读回不同</source>
        <translation>read-back differs</translation>
    </message>
    <message>
        <source>，校验通过，</source>
        <translation>, verified, </translation>
    </message>
    <message>
        <source>%1：写入后读回的数据与 %2 不同（见上）。</source>
        <translation>%1: the data read back after the write differs from %2 (see above).</translation>
    </message>
    <message>
        <source>%1：写入后读回的数据与 %2 不同，信道 %3。</source>
        <translation>%1: the data read back after the write differs from %2, channels %3.</translation>
    </message>
    <message>
        <source>qtr318: 等待对讲机接到 %1（Ctrl+C 结束）…</source>
        <translation>qtr318: waiting for a radio on %1 (Ctrl+C ends)…</translation>
    </message>
    <message>
        <source>qtr318: 请取下这台对讲机</source>
        <translation>qtr318: unplug this radio</translation>
    </message>
    <message>
        <source>写入几台对讲机时 --backup 要指定一个文件夹（DIR/）</source>
        <translation>writing several radios needs a folder (DIR/) for --backup</translation>
    </message>
    <message>
        <source>--wait 只能用于一个端口</source>
        <translation>--wait works on one port only</translation>
    </message>
    <message>
        <source>把 .sin 文件的信道表写成 CSV（UTF-8 编码）。
</source>
        <translation>Writes the channel table of a .sin file as CSV (UTF-8).
</translation>
    </message>
    <message>
        <source>  IN.sin           要导出其信道表的 .sin 数据文件；- 表示读标准输入。
  -o OUT.csv       要写的 CSV 文件；不给出或为 - 时，CSV 写到
                   标准输出。
  --format native|generic  native（默认）为本程序的格式；
                   generic 为其他写频程序和中继台目录通用的格式
                   （Location,Name,Frequency,...），只含有接收
                   频率的信道，该格式容纳不下的设置在标准错误上
                   说明。
</source>
        <translation>  IN.sin           The file whose channels are written; - reads standard input.
  -o OUT.csv       The CSV file to write; without it, or with -, the CSV goes to
                   standard output.
  --format native|generic  native (the default) is this program&apos;s layout;
                   generic is the layout other programming tools and repeater
                   directories share (Location,Name,Frequency,...): only the
                   channels with a receive frequency, and what the layout cannot
                   hold is said on standard error.
</translation>
    </message>
    <message>
        <source>用 CSV 信道表生成 .sin 文件。CSV 可以是本程序的格式，也可以是
其他写频程序的通用格式，按标题行识别。CSV 没有列出的信道为空；
每个错误都会连同行号和列号列出，这时什么也不写。
</source>
        <translation>Builds a .sin file from a CSV channel table, in this program&apos;s layout or in the
generic layout of other programming tools, told apart by the header line. Channels
the CSV leaves out become empty; every mistake is listed with its line and column,
and then nothing is written.
</translation>
    </message>
    <message>
        <source>--format 只能是 native 或 generic</source>
        <translation>--format is native or generic</translation>
    </message>
    <message>
        <source>  IN.sin           要写入对讲机的 .sin 数据文件；- 表示读标准输入。
  --backup FILE|DIR/  备份写到哪里（默认：~/.local/share/qtr318/backups/
                   中以 UTC 时间命名的新文件；那里只删除本程序自己
                   较旧的备份，保留最新的 50 个）；几台对讲机时给出
                   文件夹。给出的文件夹里的文件从不删除。
  --force          文件的频段或机型与对讲机不同，或有信道在文件的频段
                   之外或不在步进上时，也写入。
  --no-verify      写入后不读回校验，直接结束本次写入。
  --wait           在一个串口上一台接一台地写频：等一台应答，写入，
                   等它被拔下，如此直到按 Ctrl+C；每台对讲机一行，
                   带序号。
  --fleet          与 --wait 一起用：从标准输入逐行读取车队电台的标签，
                   每台写入它的计划的最新版本加上它自己的值，记录
                   中带有计划和版本；输入结束时结束。每台都写入并
                   校验通过时以 0 退出。
</source>
        <translation>  IN.sin           The .sin file to write to the radio; - reads standard input.
  --backup FILE|DIR/  Where the backup goes (default: a new file named by its UTC time in
                   ~/.local/share/qtr318/backups/, where only the program&apos;s own older
                   backups are removed and the newest 50 kept); a folder for several
                   radios. Files in a folder given here are never removed.
  --force          Writes even when the file&apos;s band or model differs from the radio&apos;s,
                   or when channels lie outside the file&apos;s band or off the raster.
  --no-verify      Skips the read-back after the write.
  --wait           Programs radio after radio on one port: waits for one to answer,
                   writes it, waits for it to be unplugged, and so on until Ctrl+C;
                   a numbered line per radio.
  --fleet          With --wait: reads the labels of the fleet&apos;s radios from standard
                   input, one a line, and writes each its plan&apos;s latest version with
                   its own values, logging the plan and version; ends at the end of the
                   input. Exits with 0 when every radio was written and verified.
</translation>
    </message>
    <message numerus="yes">
        <source>%1 中有 %n 个信道的频率在频段 %2 之外或不在步进上：信道 %3</source>
        <translation>
            <numerusform>%1 has %n channel with a frequency outside the band %2 or off the raster: channel %3</numerusform>
            <numerusform>%1 has %n channels with a frequency outside the band %2 or off the raster: channels %3</numerusform>
        </translation>
    </message>
    <message>
        <source>；按 --force 照样写入。</source>
        <translation>; writing it anyway as --force asks.</translation>
    </message>
    <message>
        <source>没有写入：%1。确实要写入请加 --force。</source>
        <translation>not written: %1. Add --force to write it anyway.</translation>
    </message>
    <message>
        <source>标准输入</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>无法读取标准输入：%1</source>
        <translation>Cannot read standard input: %1</translation>
    </message>
    <message>
        <source>只有一个文件可以是 -（标准输入）</source>
        <translation>Only one of the files can be - (standard input)</translation>
    </message>
    <message>
        <source>%1，但读回校验在第 %2 块（共 %3 块）中断：对讲机的应答不完整，没有校验完。请检查写频线和对讲机的电量，再用 qtr318 verify 检查。</source>
        <translation>%1, but the read-back was cut short at block %2 of %3: the radio&apos;s answer was incomplete, so the write is not verified. Check the cable and the radio&apos;s battery, then run qtr318 verify.</translation>
    </message>
    <message>
        <source>诊断编程线为什么不能用：列出各个 USB 串口的芯片、固定名称、COM 名
和能否打开，检查 brltty、ModemManager、本程序的 udev 规则和占用
串口的程序，对每个问题给出修正它的命令。找到可以使用的编程线且
没有问题挡住它时以 0 退出，否则以 1 退出。
</source>
        <translation>Tells why a programming cable does not work: lists every USB serial port with
its chip, stable name, COM name and whether you may open it, checks brltty,
ModemManager, the udev rule of this program and programs holding a port, and
gives the command that fixes each problem. Exits with 0 when a usable cable
is found and nothing blocks it, else with 1.
</translation>
    </message>
    <message>
        <source>  --format text|json  text（默认）为给人看的报告；json 供脚本使用。
</source>
        <translation>  --format text|json  text (the default) is a report for people; json is for
                   scripts.
</translation>
    </message>
    <message>
        <source>--format 只能是 text 或 json</source>
        <translation>--format is text or json</translation>
    </message>
    <message>
        <source>列出编程记录：每次读取、写入、读回校验和校验一条，从旧到新。记录
放在 ~/.local/share/qtr318/programming-log.sqlite，或 QTR318_LOG
指定的文件或 PostgreSQL 服务器（postgresql://...）。
</source>
        <translation>Lists the programming log: one record per read, write, read-back and verify, oldest
first. The log is ~/.local/share/qtr318/programming-log.sqlite, or the file or
PostgreSQL server (postgresql://...) that QTR318_LOG names.
</translation>
    </message>
    <message>
        <source>  --since DATE     只列出这个日期（YYYY-MM-DD）或时间
                   （YYYY-MM-DDTHH:MM[:SS]，本地时间，可加 Z 或时差）
                   以后的记录。
  --until DATE     只列出这以前的记录；只给日期时包括这一整天。
  --port P         只列出这个端口名或设备的记录。
  --label TEXT     只列出标签正是 TEXT 的记录。
  --result R       只列出这个结果的记录：成功、失败、已取消、校验不符、
                   未校验（或 ok、failed、cancelled、differs、
                   unverified）。
  --format table|csv|json  table（默认）为表格；csv 和 json 列出
                   每条记录的全部字段，字段名固定，供电子表格和
                   脚本使用。
</source>
        <translation>  --since DATE     Lists only the records from this day (YYYY-MM-DD) or time
                   (YYYY-MM-DDTHH:MM[:SS], local time, or with Z or an offset) on.
  --until DATE     Lists only the records before it; a day includes that whole day.
  --port P         Lists only the records of this port name or device.
  --label TEXT     Lists only the records whose label is exactly TEXT.
  --result R       Lists only the records with this result: ok, failed, cancelled,
                   differs or unverified (or &quot;成功&quot;, &quot;失败&quot;, &quot;已取消&quot;, &quot;校验不符&quot;, &quot;未校验&quot;).
  --format table|csv|json  table (the default) prints a table; csv and json print
                   every field of each record under a stable name, for spreadsheets
                   and scripts.
</translation>
    </message>
    <message>
        <source>  --label TEXT     写进编程记录的标签，如对讲机所属的车辆或人员；
                   用 qtr318 log --label 查找。
</source>
        <translation>  --label TEXT     A label for the programming log, such as the vehicle or person the
                   radio belongs to; find it again with qtr318 log --label.
</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>块</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>%1 应为日期 YYYY-MM-DD 或时间 YYYY-MM-DDTHH:MM[:SS]，不是 &apos;%2&apos;</source>
        <translation>%1 takes a day YYYY-MM-DD or a time YYYY-MM-DDTHH:MM[:SS], not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--result 应为 成功、失败、已取消、校验不符 或 未校验（或 ok、failed、cancelled、differs、unverified）</source>
        <translation>--result takes ok, failed, cancelled, differs or unverified (or &quot;成功&quot;, &quot;失败&quot;, &quot;已取消&quot;, &quot;校验不符&quot;, &quot;未校验&quot;)</translation>
    </message>
    <message>
        <source>--format 应为 table、csv 或 json</source>
        <translation>--format is table, csv or json</translation>
    </message>
    <message>
        <source>编程记录 %1 中没有符合条件的记录</source>
        <translation>no record of the programming log %1 matches</translation>
    </message>
    <message>
        <source>无法保存 %1</source>
        <translation>cannot save %1</translation>
    </message>
    <message>
        <source>频段</source>
        <comment>column</comment>
        <translation>Band</translation>
    </message>
    <message>
        <source>文件</source>
        <comment>column</comment>
        <translation>File</translation>
    </message>
    <message>
        <source>--set 应为 CELL=TEXT，如 &quot;信道3 接收频率=145.125&quot;，不是 &apos;%1&apos;</source>
        <translation>--set must be CELL=TEXT, such as &quot;信道3 接收频率=145.125&quot;, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>必须给出 --plan NAME</source>
        <translation>--plan NAME must be given</translation>
    </message>
    <message numerus="yes">
        <source>发现 %n 个问题；车队没有改动</source>
        <translation>
            <numerusform>Found a problem; the fleet is unchanged</numerusform>
            <numerusform>Found %n problems; the fleet is unchanged</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已加入 %n 台电台</source>
        <translation>
            <numerusform>Added one radio</numerusform>
            <numerusform>Added %n radios</numerusform>
        </translation>
    </message>
    <message>
        <source>组</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>计划</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>最新版本</source>
        <translation>Latest</translation>
    </message>
    <message>
        <source>已写版本</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>写入时间</source>
        <translation>Written at</translation>
    </message>
    <message>
        <source>工位</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>--state 应为 最新、待写、从未写 或 失败（或 current、pending、never、failed）</source>
        <translation>--state must be current, pending, never or failed</translation>
    </message>
    <message>
        <source>%1 中还没有电台</source>
        <translation>%1 has no radios yet</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>编程记录中没有标签为 &quot;%1&quot; 的记录</source>
        <translation>The programming log has no records labelled &quot;%1&quot;</translation>
    </message>
    <message>
        <source>必须给出 --record UUID 和 -o FILE</source>
        <translation>--record UUID and -o FILE must be given</translation>
    </message>
    <message>
        <source>fleet 后应为 add、edit、remove、import、status、history 或 restore，不是 &apos;%1&apos;；请看 qtr318 fleet --help</source>
        <translation>fleet must be followed by add, edit, remove, import, status, history or restore, not &apos;%1&apos;; see qtr318 fleet --help</translation>
    </message>
    <message numerus="yes">
        <source>发现 %n 个问题；计划没有改动</source>
        <translation>
            <numerusform>Found a problem; the plan is unchanged</numerusform>
            <numerusform>Found %n problems; the plan is unchanged</numerusform>
        </translation>
    </message>
    <message>
        <source>既不是 .sin 文件（应为 %1 字节，实有 %2 字节），也不是信道 CSV</source>
        <translation>neither a .sin file (it should have %1 bytes, it has %2) nor a channel CSV</translation>
    </message>
    <message>
        <source>内容与计划 %1 的最新版本 %2 相同，没有添加版本</source>
        <translation>The content equals version %2, the latest of plan %1; no version was added</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>%1 中还没有计划</source>
        <translation>%1 has no plans yet</translation>
    </message>
    <message>
        <source>必须给出 -o FILE</source>
        <translation>-o FILE must be given</translation>
    </message>
    <message>
        <source>版本应为 NAME@VERSION，VERSION 是 1 以上的数：%1</source>
        <translation>A version is NAME@VERSION, VERSION a number from 1: %1</translation>
    </message>
    <message>
        <source>plan 后应为 add、list 或 export，不是 &apos;%1&apos;；请看 qtr318 plan --help</source>
        <translation>plan must be followed by add, list or export, not &apos;%1&apos;; see qtr318 plan --help</translation>
    </message>
    <message>
        <source>车队的计划：每个计划有名称和版本 1、2、3……，每个版本是一份不再改动的
1024 字节数据，连同 SHA-256、时间、工位和备注，存在编程记录的数据库中。
</source>
        <translation>The fleet&apos;s plans: each plan has a name and versions 1, 2, 3 ..., each version an unchanging
1024-byte image with its SHA-256, time, station and note, kept in the programming log&apos;s database.
</translation>
    </message>
    <message>
        <source>车队的电台：每台按标签（资产标签）识别，有组、备注、计划和它自己的
值；它得到的是计划的最新版本加上这些值。计划不存在、标签重复或值
不适合计划的频段时以 1 退出，什么也不改动。
</source>
        <translation>The fleet&apos;s radios: each known by its label (asset tag), with a group, a note, a plan and
values of its own; it gets the plan&apos;s latest version with those values. An unknown plan, a
label taken or a value that does not fit the plan&apos;s band exits with 1 and changes nothing.
</translation>
    </message>
    <message>
        <source>  add 计划名 FILE  把 FILE（.sin、任一格式的信道 CSV，或 - 表示标准输入）
                   加为这个计划的下一个版本，输出版本号；内容与最新
                   版本相同时不添加版本，并且说明。
  --note TEXT      这个版本的备注。
  list             列出每个计划的每个版本。
  --format table|csv|json  table（默认）为表格；csv 和 json 的字段为
                   name、version、sha256、created_at、station、note。
  export 计划名[@版本] -o FILE  把计划的一个版本（默认最新）写成 .sin
                   文件；- 表示写到标准输出。
</source>
        <translation>  add NAME FILE    adds FILE (a .sin, a channel CSV in either layout, or - for standard
                   input) as the next version of plan NAME and prints its number;
                   content equal to the latest version adds none, and says so.
  --note TEXT      the version&apos;s note.
  list             lists every version of every plan.
  --format table|csv|json  table (the default) is a table; csv and json have the
                   fields name, version, sha256, created_at, station, note.
  export NAME[@VERSION] -o FILE  writes a version of the plan (the latest
                   by default) as a .sin file; - writes to standard output.
</translation>
    </message>
    <message>
        <source>  add 标签         加入一台电台。
  --plan NAME      它的计划（必须给出）。
  --group G        它的组。
  --note TEXT      它的备注。
  --set CELL=TEXT  它自己的一个值，单元格的名称与每台电台的差异文件
                   相同，如 &quot;信道3 接收频率=150.125&quot;；可以给出多次。
  edit 标签        改动一台电台，选项同 add；--unset CELL 去掉一个值。
  remove 标签      从车队中去掉一台电台（它的编程记录保留）。
  import 文件      从 CSV 加入电台：标题行为 &quot;标签,计划,组&quot;，其后是单元格
                   名称；整个文件先检查，有任何问题时什么也不加入，每个
                   问题连同行号和列号列出。
  status           每台电台一行：计划及其最新版本、最后一次写入并校验
                   的版本（时间、工位）和状态：最新、待写、从未写、
                   失败；--group 和 --state 只列出这个组或状态。
  history 标签     这台电台的每次读取和写入，从旧到新。
  restore 标签 --record UUID -o FILE  把这条记录的数据（读取时为电台
                   原有的，写入时为写给它的）写成 .sin 文件。
  --format table|csv|json  table（默认）为表格；csv 和 json 的字段名
                   固定，供电子表格和脚本使用。
</source>
        <translation>  add LABEL        adds a radio.
  --plan NAME      its plan (required).
  --group G        its group.
  --note TEXT      its note.
  --set CELL=TEXT  a value of its own, the cell named as in the per-radio file,
                   such as &quot;信道3 接收频率=150.125&quot;; may be given several times.
  edit LABEL       changes a radio, with the options of add; --unset CELL drops a value.
  remove LABEL     takes a radio out of the fleet (its records stay in the log).
  import FILE      adds radios from a CSV: the header &quot;标签,计划,组&quot;, then cell
                   names; the whole file is checked first, nothing is added from a
                   file with any problem, and every problem is listed by line and column.
  status           a line per radio: its plan and the plan&apos;s latest version, the
                   version last written and verified (when, at which station) and
                   its state: current, pending, never, failed; --group and --state
                   list only that group or state.
  history LABEL    every read and write of that radio, oldest first.
  restore LABEL --record UUID -o FILE  writes that record&apos;s image (what the
                   radio held, for a read; what it was given, for a write) as a .sin file.
  --format table|csv|json  table (the default) is a table; csv and json have
                   stable field names, for spreadsheets and scripts.
</translation>
    </message>
    <message>
        <source>--fleet 要和 --wait 一起用，标签从标准输入读取，不用 --label</source>
        <translation>--fleet goes with --wait; the labels are read from standard input, not given with --label</translation>
    </message>
    <message>
        <source>有信道在频段之外或不在步进上</source>
        <translation>channels lie outside the band or off the raster</translation>
    </message>
    <message>
        <source>：没有写入：</source>
        <translation>: not written: </translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
</context>
<context>
    <name>DocumentFile</name>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open the file %1: %2</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>长度超过 %1 字节</source>
        <translation>it is longer than %1 bytes</translation>
    </message>
    <message>
        <source>长度为 %1 字节</source>
        <translation>it is %1 bytes long</translation>
    </message>
    <message>
        <source>文件 %1 不是有效的数据文件：%2，应为 %3 字节。</source>
        <translation>The file %1 is not a valid data file: %2 and should be %3 bytes.</translation>
    </message>
    <message>
        <source>无法保存文件 %1：%2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
</context>
<context>
    <name>Fleet</name>
    <message>
        <source>电台 %1 的值不适合版本 %2：%3</source>
        <translation>The values of radio %1 do not fit version %2: %3</translation>
    </message>
    <message>
        <source>无法打开车队数据库 %1：%2</source>
        <translation>Cannot open the fleet&apos;s database %1: %2</translation>
    </message>
    <message>
        <source>数据库出错：%1</source>
        <translation>Database error: %1</translation>
    </message>
    <message>
        <source>最新</source>
        <translation>current</translation>
    </message>
    <message>
        <source>待写</source>
        <translation>pending</translation>
    </message>
    <message>
        <source>从未写</source>
        <translation>never</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>编程记录中没有标签为 &quot;%1&quot;、uuid 为 %2 的记录</source>
        <translation>The programming log has no record labelled &quot;%1&quot; with the uuid %2</translation>
    </message>
    <message>
        <source>记录 %1 没有留存的数据（SHA-256 %2）</source>
        <translation>No image is kept for the record %1 (SHA-256 %2)</translation>
    </message>
    <message>
        <source>没有名为 &quot;%1&quot; 的计划</source>
        <translation>There is no plan called &quot;%1&quot;</translation>
    </message>
    <message>
        <source>计划名不能为空</source>
        <translation>A plan&apos;s name cannot be empty</translation>
    </message>
    <message>
        <source>计划名里不能有 @（它用来隔开版本号）：%1</source>
        <translation>A plan&apos;s name cannot hold @ (it separates the version): %1</translation>
    </message>
    <message>
        <source>计划 &quot;%1&quot; 没有版本 %2</source>
        <translation>Plan &quot;%1&quot; has no version %2</translation>
    </message>
    <message>
        <source>这一列应为 &quot;%1&quot;</source>
        <translation>this column should be &quot;%1&quot;</translation>
    </message>
    <message>
        <source>应为信道号和列名，如 &quot;信道3 接收频率&quot;</source>
        <translation>should be a channel number and a column name, such as &quot;信道3 接收频率&quot;</translation>
    </message>
    <message>
        <source>与第 %1 列重复</source>
        <translation>repeats column %1</translation>
    </message>
    <message>
        <source>应有 %1 个字段（与标题行相同），实有 %2 个</source>
        <translation>should have %1 fields (as the header), has %2</translation>
    </message>
    <message>
        <source>没有计划</source>
        <translation>no plan</translation>
    </message>
    <message>
        <source>标签 &quot;%1&quot; 已在第 %2 行用过</source>
        <translation>the label &quot;%1&quot; is used on line %2 already</translation>
    </message>
    <message>
        <source>标签 &quot;%1&quot; 已在车队中</source>
        <translation>The label &quot;%1&quot; is in the fleet already</translation>
    </message>
    <message>
        <source>文件中没有一台电台</source>
        <translation>the file has no radio</translation>
    </message>
    <message>
        <source>车队中没有标签为 &quot;%1&quot; 的电台</source>
        <translation>The fleet has no radio labelled &quot;%1&quot;</translation>
    </message>
    <message>
        <source>标签不能为空</source>
        <translation>A label cannot be empty</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不是单元格名；应为信道号和列名，如 &quot;信道3 接收频率&quot;</source>
        <translation>&quot;%1&quot; names no cell; a cell is a channel number and a column name, such as &quot;信道3 接收频率&quot;</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 的值不适合计划 %2@%3：%4</source>
        <translation>The values of &quot;%1&quot; do not fit plan %2@%3: %4</translation>
    </message>
    <message>
        <source>工位 %1 正在写 %2（自 %3 起）；没有写入</source>
        <translation>The station %1 is writing %2 (since %3); not written</translation>
    </message>
</context>
<context>
    <name>FrequencyCheck</name>
    <message>
        <source>超出范围</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>请输入5k/6.25k的倍数</source>
        <translation>enter a multiple of 5k or 6.25k</translation>
    </message>
    <message>
        <source>请输入数字</source>
        <translation>enter a number</translation>
    </message>
</context>
<context>
    <name>GenericCsv</name>
    <message>
        <source>文件有 %1 个有频率的行，只取了前 %2 个；从第 %3 行起的其余各行没有导入</source>
        <translation>the file has %1 rows with a frequency; only the first %2 were taken, and the rest, from line %3 on, were not imported</translation>
    </message>
    <message>
        <source>文件有 %1 个有频率的行，本机只有 %2 个信道</source>
        <translation>the file has %1 rows with a frequency; the radio has only %2 channels</translation>
    </message>
    <message>
        <source>标题行没有这一列，这里却有 %1</source>
        <translation>the header line has no such column, yet this holds %1</translation>
    </message>
    <message>
        <source>标题行之外</source>
        <translation>beyond the header</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 不是 Duplex 的值：应为空、+、-、split 或 off</source>
        <translation>%1 is not a Duplex value (empty, +, -, split or off)</translation>
    </message>
    <message>
        <source>发射频率 %1</source>
        <translation>transmit frequency %1</translation>
    </message>
    <message>
        <source>%1 不是本机能保存的 CrossMode：应为 Tone-&gt;Tone、Tone-&gt;、DTCS-&gt;、-&gt;Tone、-&gt;DTCS、Tone-&gt;DTCS、DTCS-&gt;Tone 或 DTCS-&gt;DTCS</source>
        <translation>%1 is not a CrossMode this radio can hold (Tone-&gt;Tone, Tone-&gt;, DTCS-&gt;, -&gt;Tone, -&gt;DTCS, Tone-&gt;DTCS, DTCS-&gt;Tone or DTCS-&gt;DTCS)</translation>
    </message>
    <message>
        <source>%1 不是 Tone 的值：应为空、Tone、TSQL、DTCS 或 Cross</source>
        <translation>%1 is not a Tone value (empty, Tone, TSQL, DTCS or Cross)</translation>
    </message>
    <message>
        <source>%1 不是本机的亚音频（67.0 至 254.1 的 50 个之一）</source>
        <translation>%1 is not a tone of this radio (one of the 50 from 67.0 to 254.1)</translation>
    </message>
    <message>
        <source>%1 不是 DtcsPolarity 的值：应为两个字母（发射、接收），各为 N 或 R，如 NN 或 NR</source>
        <translation>%1 is not a DtcsPolarity value (two letters, transmit then receive, each N or R, such as NN or NR)</translation>
    </message>
    <message>
        <source>%1 不是本机的数字亚音代码（如 023）</source>
        <translation>%1 is not a DCS code of this radio (such as 023)</translation>
    </message>
    <message>
        <source>本机不能使用 %1 模式：只有 FM（宽带）和 NFM（窄带）</source>
        <translation>the radio has no %1 mode, only FM (wide) and NFM (narrow)</translation>
    </message>
    <message>
        <source>%1 不是 Skip 的值：应为空（扫描）或 S</source>
        <translation>%1 is not a Skip value (empty to scan, or S)</translation>
    </message>
    <message>
        <source>%1 不是 Power 的值：应为 High、Mid、Low 或瓦数（如 5.0W）</source>
        <translation>%1 is not a Power value (High, Mid, Low or watts such as 5.0W)</translation>
    </message>
    <message>
        <source>信道 %1 只有发射频率，通用格式不能表示，没有导出</source>
        <translation>channel(s) %1: only a transmit frequency, which the generic layout cannot show; not exported</translation>
    </message>
    <message>
        <source>信道 %1 的%2设置在通用格式中没有对应的列，没有导出（再导入时取新信道的默认值）</source>
        <translation>channel(s) %1: the %2 settings have no column in the generic layout and are not exported (an import gives them a new channel&apos;s defaults)</translation>
    </message>
    <message>
        <source>文件没有 Location 列；各行按文件中的顺序放入信道 1、2……</source>
        <translation>the file has no Location column; the rows go to channels 1, 2, … in file order</translation>
    </message>
    <message>
        <source>第 %1 行的 Location %2 不是 1-16 中未用过的信道号；各行按文件中的顺序放入信道 1、2……</source>
        <translation>the Location %2 on line %1 is not an unused channel number 1-16; the rows go to channels 1, 2, … in file order</translation>
    </message>
    <message numerus="yes">
        <source>%n 行的 Name 或 Comment 没有导入：本机的信道没有名称</source>
        <translation>
            <numerusform>the Name or Comment of a row is not imported: the radio&apos;s channels have no names</numerusform>
            <numerusform>the Name or Comment of %n rows is not imported: the radio&apos;s channels have no names</numerusform>
        </translation>
    </message>
    <message>
        <source>文件没有 %1 列：%2</source>
        <translation>the file has no %1 column: %2</translation>
    </message>
    <message>
        <source>标题行有两个 %1 列（第 %2 列和第 %3 列）</source>
        <translation>the header has two %1 columns (columns %2 and %3)</translation>
    </message>
</context>
<context>
    <name>ImageDiff</name>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>频段</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>信道 %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>信道 %1 %2</source>
        <translation>Channel %1 &quot;%2&quot;</translation>
    </message>
    <message>
        <source>参数调节 %1 %2</source>
        <translation>Tuning &quot;%1&quot; %2</translation>
    </message>
    <message>
        <source>地址 %1</source>
        <translation>Address %1</translation>
    </message>
    <message>
        <source>%1: %2 %3, %4 %5</source>
        <translation>%1: %2 &quot;%3&quot;, %4 &quot;%5&quot;</translation>
    </message>
    <message>
        <source>%1: %2 空, %3 %4</source>
        <translation>%1: %2 empty, %3 &quot;%4&quot;</translation>
    </message>
    <message>
        <source>%1: %2 %3, %4 空</source>
        <translation>%1: %2 &quot;%3&quot;, %4 empty</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>设备 %1 不存在：那里没有找到编程线。请插好编程线，或者选择别的端口。</source>
        <translation>The device %1 does not exist: no programming cable was found there. Plug in the cable or choose another port.</translation>
    </message>
    <message>
        <source>没有设备 %1 的读写权限。
</source>
        <translation>No permission to read and write the device %1.
</translation>
    </message>
    <message>
        <source>未知程序</source>
        <translation>an unknown program</translation>
    </message>
    <message>
        <source>设备 %1 正被另一个程序占用：%2（进程号 %3）。请先关闭它，再重试。</source>
        <translation>The device %1 is in use by another program: %2 (process %3). Close it first, then try again.</translation>
    </message>
    <message>
        <source>设备 %1 正被另一个程序占用。请先关闭使用它的程序，再重试。（%2）</source>
        <translation>The device %1 is in use by another program. Close the program that uses it first, then try again. (%2)</translation>
    </message>
    <message>
        <source>设备 %1：%2</source>
        <translation>The device %1: %2</translation>
    </message>
</context>
<context>
    <name>PortNames</name>
    <message>
        <source>请把用户加入 dialout 组（sudo usermod -aG dialout $USER），然后重新登录。</source>
        <translation>Add the user to the dialout group (sudo usermod -aG dialout $USER), then log in again.</translation>
    </message>
    <message>
        <source>COM1~COM4 对应 /dev/serial/by-id/ 中按名称排序的第 1~4 个 USB 串口（没有该文件夹时对应 /dev/ttyUSB0~/dev/ttyUSB3），可用环境变量 QTR318_COM1~QTR318_COM4 另行指定；qtr318 ports 列出各个串口。</source>
        <translation>COM1-COM4 are the 1st to 4th USB serial port of /dev/serial/by-id/ in name order (/dev/ttyUSB0-/dev/ttyUSB3 without that folder); the environment variables QTR318_COM1-QTR318_COM4 choose others; qtr318 ports lists the ports.</translation>
    </message>
</context>
<context>
    <name>ProgrammingLog</name>
    <message>
        <source>不是有效的 PostgreSQL 连接 URI。用户名、密码或数据库名中的 @ / ? # : 须写成 %40 %2F %3F %23 %3A；密码最好不写进 URI，而是放在 ~/.pgpass 里</source>
        <translation>it is not a valid PostgreSQL connection URI. An @ / ? # : in the user name, password or database name must be written %40 %2F %3F %23 %3A; better still, keep the password out of the URI, in ~/.pgpass</translation>
    </message>
    <message>
        <source>它不是本程序的编程记录（%1），所以没有改动它</source>
        <translation>it is not a programming log of this program (%1), so it was left as it is</translation>
    </message>
    <message>
        <source>不是可读的 SQLite 数据库</source>
        <translation>not a readable SQLite database</translation>
    </message>
    <message>
        <source>另一个程序的数据库，application_id %1</source>
        <translation>another program&apos;s database, application_id %1</translation>
    </message>
    <message>
        <source>另一个程序的数据库，其中有表 %1</source>
        <translation>another program&apos;s database, with the tables %1</translation>
    </message>
    <message>
        <source>标签里不能有换行、制表符或其他控制字符：%1</source>
        <translation>A label cannot hold line breaks, tabs or other control characters: %1</translation>
    </message>
    <message>
        <source>编程记录 %1 还不存在：还没有传送记入过它</source>
        <translation>The programming log %1 does not exist yet: no transfer has been logged to it</translation>
    </message>
    <message>
        <source>编程记录 %1 正被另一个程序锁住；记录先留在本程序里，稍后写入</source>
        <translation>Another program holds the programming log %1 locked; the records wait in this program and are written later</translation>
    </message>
    <message>
        <source>%1 条记录没能写进编程记录 %2：%3</source>
        <translation>%1 records could not be written to the programming log %2: %3</translation>
    </message>
    <message>
        <source>缺少 Qt 的 %1 数据库驱动（软件包 %2）</source>
        <translation>Qt&apos;s %1 database driver is missing (package %2)</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>它由较新版本的程序建立（结构版本 %1）</source>
        <translation>a newer version of the program made it (schema version %1)</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>read</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>write</translation>
    </message>
    <message>
        <source>读回校验</source>
        <translation>read-back</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>verify</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>校验不符</source>
        <translation>differs</translation>
    </message>
    <message>
        <source>未校验</source>
        <translation>not verified</translation>
    </message>
    <message>
        <source>这次传送没有记入编程记录 %1：%2</source>
        <translation>this transfer was not logged in the programming log %1: %2</translation>
    </message>
    <message>
        <source>编程记录 %1 已损坏，已改名为 %2 留存，并新建了编程记录</source>
        <translation>the programming log %1 is damaged; it was kept as %2 and a new log started</translation>
    </message>
    <message>
        <source>编程记录服务器 %1 不可用（%2）；记录暂存在 %3，服务器恢复后发送</source>
        <translation>the programming log server %1 cannot be reached (%2); the records wait in %3 and are sent when it is back</translation>
    </message>
    <message>
        <source>编程记录服务器 %1 不可用（%2）；以下是本机 %3 中的记录</source>
        <translation>the programming log server %1 cannot be reached (%2); these are the records in %3 on this computer</translation>
    </message>
    <message>
        <source>无法打开编程记录 %1：%2</source>
        <translation>cannot open the programming log %1: %2</translation>
    </message>
    <message>
        <source>无法读取编程记录：%1</source>
        <translation>cannot read the programming log: %1</translation>
    </message>
</context>
<context>
    <name>RadioMismatch</name>
    <message>
        <source>机型</source>
        <translation>model</translation>
    </message>
    <message>
        <source>频段</source>
        <translation>band</translation>
    </message>
    <message>
        <source>%1：文件 %2，对讲机 %3</source>
        <translation>%1: file &quot;%2&quot;, radio &quot;%3&quot;</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>RadioOverrides</name>
    <message>
        <source>第一列应为 &quot;%1&quot;</source>
        <translation>the first column should be &quot;%1&quot;</translation>
    </message>
    <message>
        <source>应为信道号和列名，如 &quot;信道3 接收频率&quot;；列名是 %1 之一</source>
        <translation>expected a channel number and a column name, such as &quot;信道3 接收频率&quot;; the column name is one of %1</translation>
    </message>
    <message>
        <source>与第 %1 列重复</source>
        <translation>repeats column %1</translation>
    </message>
    <message>
        <source>信道 %1 是空信道：同一行要给出它的接收频率</source>
        <translation>channel %1 is empty: the same line must give its receive frequency</translation>
    </message>
    <message>
        <source>%1 中只能有一个是 %2</source>
        <translation>only one of %1 may be %2</translation>
    </message>
    <message>
        <source>应有 %1 个字段（与标题行相同），实有 %2 个</source>
        <translation>expected %1 fields (as many as the header line), found %2</translation>
    </message>
    <message>
        <source>没有标签</source>
        <translation>no label</translation>
    </message>
    <message>
        <source>标签 %1 已在第 %2 行用过</source>
        <translation>label %1 is already used on line %2</translation>
    </message>
    <message>
        <source>没有一台电台的行</source>
        <translation>no line for a radio</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>cannot read %1: %2</translation>
    </message>
</context>
<context>
    <name>RadioSim</name>
    <message>
        <source>在伪终端上模拟的 QTR-318 对讲机。第一行输出设备路径。
一次会话的帧从 1 开始计数：被接受的进入编程模式请求、机型查询、机型确认，
然后是每个数据块的帧（读一个块是一个请求加一个确认），最后是结束帧。
完整的读取有 232 帧，完整的写入有 118 帧。</source>
        <translation>Simulated QTR-318 radio on a pseudo-terminal. Prints the device path on the first line.
Frames of a session count from 1: the accepted program-mode request, the ident request,
the ident acknowledgement, then each block frame (a read block is a request and an
acknowledgement), then the end frame. A full read has 232 frames, a full write 118.</translation>
    </message>
    <message>
        <source>1024 字节的 .sin 文件（默认：新文档）</source>
        <translation>1024-byte .sin file (default: new document)</translation>
    </message>
    <message>
        <source>应答的机型标识（默认 QT318）。</source>
        <translation>Model ident to answer (default QT318).</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>text</translation>
    </message>
    <message>
        <source>前 K 个进入编程模式的请求不应答；all 表示全都不应答。</source>
        <translation>Leave the first K program-mode requests unanswered; &apos;all&apos; for every one.</translation>
    </message>
    <message>
        <source>对第 N 帧应答 0x15。</source>
        <translation>Answer frame N with 0x15.</translation>
    </message>
    <message>
        <source>第 N 帧不应答。</source>
        <translation>Leave frame N unanswered.</translation>
    </message>
    <message>
        <source>对第 N 帧的应答少一个字节。</source>
        <translation>Answer frame N one byte short.</translation>
    </message>
    <message>
        <source>每个字节按 9600 波特花 10 个位时间。</source>
        <translation>Take 10 bit times at 9600 baud per byte.</translation>
    </message>
    <message>
        <source>退出时在标准错误上输出会话的时间花在了哪里。</source>
        <translation>On exit, print to stderr where the time of the sessions went.</translation>
    </message>
    <message>
        <source>在设备路径之后，每应答一帧就在标准输出上输出它的编号，让测试能在会话的某一点采取行动。</source>
        <translation>After the device path, print each frame&apos;s number on stdout as it is answered, so a test can act at a given point of a session.</translation>
    </message>
    <message>
        <source>每次写入结束后和退出时把内存保存到这个文件。</source>
        <translation>Save the memory to this file after each end of write and on exit.</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>帧号从 1 开始计数</source>
        <translation>a frame number counts from 1</translation>
    </message>
    <message>
        <source>无法打开伪终端：%1</source>
        <translation>cannot open a pseudo-terminal: %1</translation>
    </message>
    <message>
        <source>确认写入第 N 帧，但保存它的数据块时把第一个字节的第 0 位取反。</source>
        <translation>Acknowledge write frame N but store its block with bit 0 of the first byte flipped.</translation>
    </message>
    <message>
        <source>--nak-at、--silent-at、--short-at 或 --misstore-at 的故障只出现在第 S 次会话（从 1 数起）；默认：每次会话。</source>
        <translation>Place the fault of --nak-at, --silent-at, --short-at or --misstore-at in session S only (counted from 1); default: every session.</translation>
    </message>
    <message>
        <source>K 次会话结束后什么也不应答，像关了机的对讲机。</source>
        <translation>Answer nothing once K sessions have ended, like a radio switched off.</translation>
    </message>
    <message>
        <source>会话从 1 开始计数</source>
        <translation>a session number counts from 1</translation>
    </message>
    <message>
        <source>--quiet-after 的值是会话的次数</source>
        <translation>--quiet-after takes a count of sessions</translation>
    </message>
    <message>
        <source>像带延迟定时器的 USB 串口线那样交出应答：应答的第一个字节到达后满 N 毫秒，或 62 字节的缓冲区满时，才交出收到的字节。</source>
        <translation>Passes answers on as a USB serial cable with a latency timer does: received bytes go on only N ms after an answer&apos;s first byte arrived, or when the 62-byte buffer is full.</translation>
    </message>
    <message>
        <source>--latency-timer 的值是 0~255 毫秒</source>
        <translation>--latency-timer takes 0 to 255 ms</translation>
    </message>
</context>
<context>
    <name>SettingsCodec</name>
    <message>
        <source>静噪电平</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>超时定时器</source>
        <translation>Time-out timer</translation>
    </message>
    <message>
        <source>声控增益电平</source>
        <translation>VOX gain level</translation>
    </message>
    <message>
        <source>电池省电</source>
        <translation>Battery saver</translation>
    </message>
    <message>
        <source>优先信道</source>
        <translation>Priority channel</translation>
    </message>
    <message>
        <source>语言选择</source>
        <translation>Voice prompt language</translation>
    </message>
    <message>
        <source>声控延迟时间</source>
        <translation>VOX delay</translation>
    </message>
    <message>
        <source>AF输入增益 (dB)</source>
        <translation>AF input gain (dB)</translation>
    </message>
    <message>
        <source>AF 输出增益粗调 (dB)</source>
        <translation>AF output gain, coarse (dB)</translation>
    </message>
    <message>
        <source>AF 输出增益微调</source>
        <translation>AF output gain, fine</translation>
    </message>
    <message>
        <source>接收压扩幅度 (mVpp)</source>
        <translation>Receive compander level (mVpp)</translation>
    </message>
    <message>
        <source>去加重</source>
        <translation>De-emphasis</translation>
    </message>
    <message>
        <source>MIC 输入增益 (dB)</source>
        <translation>MIC input gain (dB)</translation>
    </message>
    <message>
        <source>发射话音输出增益粗调  (dB)</source>
        <translation>Transmit voice output gain, coarse (dB)</translation>
    </message>
    <message>
        <source>发射话音输出增益微调</source>
        <translation>Transmit voice output gain, fine</translation>
    </message>
    <message>
        <source>发射压扩幅度 (mVpp)</source>
        <translation>Transmit compander level (mVpp)</translation>
    </message>
    <message>
        <source>预加重</source>
        <translation>Pre-emphasis</translation>
    </message>
    <message>
        <source>宽带话音调制度控制</source>
        <translation>Voice deviation, wide</translation>
    </message>
    <message>
        <source>窄带话音调制度控制</source>
        <translation>Voice deviation, narrow</translation>
    </message>
    <message>
        <source>宽带CTCSS调制度</source>
        <translation>CTCSS deviation, wide</translation>
    </message>
    <message>
        <source>窄带CTCSS调制度</source>
        <translation>CTCSS deviation, narrow</translation>
    </message>
    <message>
        <source>宽带DCS调制度</source>
        <translation>DCS deviation, wide</translation>
    </message>
    <message>
        <source>窄带DCS调制度</source>
        <translation>DCS deviation, narrow</translation>
    </message>
    <message>
        <source>提示音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>声控</source>
        <translation>VOX</translation>
    </message>
</context>
<context>
    <name>StationLoop</name>
    <message>
        <source>读取备份</source>
        <translation>Reading the backup</translation>
    </message>
    <message>
        <source>没有写入：写入前没能读出对讲机里的数据。</source>
        <translation>Not written: the radio could not be read before the write.</translation>
    </message>
    <message>
        <source>已停止，没有写入。</source>
        <translation>Stopped; nothing written.</translation>
    </message>
    <message>
        <source>；没有备份就不写入。</source>
        <translation>; nothing is written without a backup.</translation>
    </message>
    <message>
        <source>没有写入：表格与对讲机不符（%1）。</source>
        <translation>Not written: the table does not match the radio (%1).</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>读回校验</source>
        <translation>Reading back</translation>
    </message>
    <message>
        <source>已写入，但读回校验在第 %1 块（共 %2 块）中断，没有校验。请检查写频线和对讲机的电量。</source>
        <translation>Written, but the read-back broke off at block %1 of %2 and was not verified. Check the programming cable and the radio&apos;s battery.</translation>
    </message>
    <message>
        <source>写入后读回的数据与表格不同。</source>
        <translation>The data read back after the write differs from the table.</translation>
    </message>
    <message>
        <source>已写入，校验通过。</source>
        <translation>Written and verified.</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>不允许的操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>没有那个文件或目录</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>被中断的系统调用</source>
        <translation>Interrupted system call</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>没有那个设备或地址</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>资源暂时不可用</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>权限不够</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>设备或资源忙</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>文件已存在</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>没有那个设备</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>不是目录</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>是一个目录</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>无效的参数</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>打开的文件过多</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>文本文件忙</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>设备上没有空间</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>文件名过长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>符号连接的层数过多</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>超出磁盘限额</source>
        <translation>Disk quota exceeded</translation>
    </message>
</context>
<context>
    <name>TransferEngine</name>
    <message>
        <source>不能打开串口%1</source>
        <translation>Cannot open the serial port %1</translation>
    </message>
    <message>
        <source>通信错误</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>未收到足够的字节</source>
        <translation>Not enough bytes received</translation>
    </message>
    <message>
        <source>机型不匹配</source>
        <translation>Wrong radio model</translation>
    </message>
    <message>
        <source>结束错误</source>
        <translation>Error at the end of the transfer</translation>
    </message>
    <message>
        <source>%1 块都已送出，但对讲机没有确认写入结束，不能确定它保存了新数据。请重新写入。</source>
        <translation>All %1 blocks were sent, but the radio did not confirm the end of the write, so it is not certain that it kept the new data. Write again.</translation>
    </message>
    <message>
        <source>写入没有完成：对讲机确认收到 %1 块（共 %2 块）后就中断了，现在它里面是新旧混杂的数据。请重新写入。</source>
        <translation>The write did not finish: it stopped after the radio confirmed %1 of %2 blocks, and the radio now holds a mix of new and old data. Write again.</translation>
    </message>
</context>
</TS>
