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
    {"read", "Reads the radio's memory over the programming cable and saves it.\n",
     "  -o OUT.sin       The file to write, replaced only when the whole read succeeded.\n"
     "  --base BASE.sin  Supplies what never travels over the cable, the tuning values among\n"
     "                   it (default: the factory contents).\n",
     true},
    {"write", "Writes a .sin file to the radio as it is.\n",
     "  IN.sin           The file to write.\n", true},
    {"verify",
     "Reads the radio and prints the address of each 8-byte block that differs from the file;\n"
     "exits with 3 when any does.\n",
     "  IN.sin           The file to compare with.\n", true},
};

const char* const kPort =
    "  --port PORT      The cable's serial port: COM1-COM4 (see QTR318_COM1..4) or a device\n"
    "                   path such as /dev/ttyUSB0.\n";
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
