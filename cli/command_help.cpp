#include "command_help.h"

namespace Cli {

namespace {

struct HelpText {
    const char* command;
    const char* summary;
    const char* arguments; // one line or more per argument and option, in usage order
    bool transfer;         // takes --port first and --retries last
};

const HelpText kTexts[] = {
    {"new",
     "Writes a new .sin file with the factory contents: no channels, the VHF band and the\n"
     "default options.\n",
     "  -o OUT.sin       The file to write; - writes it to standard output.\n", false},
    {"show",
     "Prints the model, the band, the channel table, the options and the tuning values of a\n"
     ".sin file.\n",
     "  IN.sin           The file to show.\n", false},
    {"export", "Writes the channel table of a .sin file as CSV (UTF-8 with a byte order mark).\n",
     "  IN.sin           The file whose channels are written.\n"
     "  -o OUT.csv       The CSV file to write; without it, or with -, the CSV goes to\n"
     "                   standard output.\n",
     false},
    {"import",
     "Builds a .sin file from a CSV channel table. Channels the CSV leaves out become empty;\n"
     "every mistake is listed with its line and column, and then nothing is written.\n",
     "  IN.csv           The CSV to read; - reads standard input.\n"
     "  -o OUT.sin       The file to write; - writes it to standard output.\n"
     "  --base BASE.sin  Takes the options, tuning values and band from this file instead of\n"
     "                   the factory contents.\n"
     "  --band vhf|uhf   Sets the band instead of the base's; the frequencies are checked\n"
     "                   against it.\n",
     false},
    {"diff",
     "Prints how two .sin files differ: a line per channel field, option or tuning value\n"
     "(\"信道 3 接收频率: A.sin 145.12500, B.sin 145.13750\"), and the address of any byte no\n"
     "field shows. Exits with 3 when they differ, 0 when they are the same.\n",
     "  A.sin            The first file; its values come first on each line.\n"
     "  B.sin            The second file.\n"
     "  --blocks         Prints the address of each differing 8-byte block instead.\n",
     false},
    {"ports",
     "Lists the serial ports: name, device, description, USB vendor:product, serial number\n"
     "and the COM name that reaches it; then where COM1-COM4 point.\n",
     "", false},
    {"read",
     "Reads the radio's memory over the programming cable and saves it. With several --port\n"
     "options the radios are read at once, one file per port in a folder, and a table of\n"
     "the results ends the output.\n",
     "  -o OUT.sin|DIR/  The file to write, replaced only when the whole read succeeded; a\n"
     "                   folder (DIR/) gets one file per port, named after the port.\n"
     "  --base BASE.sin  Supplies what never travels over the cable, the tuning values among\n"
     "                   it (default: the factory contents).\n",
     true},
    {"write",
     "Writes a .sin file to the radio safely: reads the radio first and keeps what it held\n"
     "as a backup, refuses a file for another band or model, writes, then reads back and\n"
     "compares. Prints one line with the file, the backup, \"校验通过\" and the time. Exits\n"
     "with 3 when the read-back differs (the channels are named), 1 when the radio did not\n"
     "answer the read-back (written, not verified: run qtr318 verify).\n",
     "  IN.sin           The file to write.\n"
     "  --backup FILE|DIR/  Where the backup goes (default: a timestamped file in\n"
     "                   ~/.local/share/qtr318/backups/, the newest 50 kept); a folder for\n"
     "                   several radios.\n"
     "  --force          Writes even when the file's band or model differs from the radio's.\n"
     "  --no-verify      Skips the read-back after the write.\n"
     "  --wait           Programs radio after radio on one port: waits for one to answer,\n"
     "                   writes it, waits for it to be unplugged, and so on until Ctrl+C;\n"
     "                   a numbered line per radio.\n",
     true},
    {"verify",
     "Reads the radio and prints each channel field, option or value that differs from the\n"
     "file (\"信道 3 接收频率: 文件 145.12500, 电台 145.13750\"); exits with 3 when any does.\n",
     "  IN.sin           The file to compare with.\n"
     "  --blocks         Prints the address of each differing 8-byte block instead.\n",
     true},
};

const char* const kPort =
    "  --port PORT      The cable's serial port: COM1-COM4 in any case (see qtr318 ports and\n"
    "                   QTR318_COM1..4), a port name as qtr318 ports lists it, or a device\n"
    "                   path such as /dev/ttyUSB0. Give it several times for several radios\n"
    "                   at once, each on its own thread.\n";
const char* const kRetries =
    "  --retries N      When the radio does not answer five requests to enter programming\n"
    "                   mode, tries N more times before giving up (default 0).\n";

} // namespace

QString CommandHelp(const QString& command) {
    for (const HelpText& entry : kTexts) {
        if (command != QLatin1String(entry.command)) {
            continue;
        }
        QString text = QString::fromUtf8(entry.summary) + QLatin1Char('\n');
        if (entry.transfer) {
            text += QLatin1String(kPort);
        }
        text += QString::fromUtf8(entry.arguments);
        if (entry.transfer) {
            text += QLatin1String(kRetries);
        }
        text += QStringLiteral("  -h, --help       Prints this help.\n");
        return text;
    }
    return QString();
}

} // namespace Cli
