#pragma once

#include <QStringList>

class MemoryImage;

// The qtr318 tool's commands share one contract: arguments after the command name in, an exit
// code out, messages to stderr.
namespace Cli {

enum ExitCode { kSuccess = 0, kFailed = 1, kUsage = 2, kDiffers = 3 };

// Where a file name is expected, "-" stands for standard input or output.
inline const QString kStandardStream = QStringLiteral("-");

using CommandFunction = int (*)(const QStringList& arguments);

struct Command {
    const char* name;
    const char* synopsis;  // one line for --help
    const char* summary;   // what the command does, for its own --help
    const char* arguments; // one line or more per argument and option, in usage order
    bool transfer;         // takes --port first and --label, --retries last
    CommandFunction run;
};

// Prints "qtr318: text" on stderr and returns code.
int Fail(const QString& text, int code = kFailed);
// The libraries answer with why something failed, or an empty text: false after printing the
// reason as Fail() does, true when there is none.
bool Succeeded(const QString& problem);
// Prints "qtr318: text" on stderr: something the user should know of that is not a failure.
void Note(const QString& text);

// Loads a .sin file, or standard input for "-", into image; on failure prints why and returns
// false.
bool LoadImage(const QString& path, MemoryImage& image);

// The output rule of every command: "-" is standard output, anything else a regular file that
// is replaced as a whole. An output that is not a regular file, or that names the input (the
// same file by any path), is a usage error: it prints why and returns false, before any work.
bool CheckOutput(const QString& output, const QString& input = QString());

// Writes bytes to output as a whole or not at all; on failure prints why and returns false.
bool WriteOutput(const QString& output, const QByteArray& bytes);
bool SaveImage(const QString& output, const MemoryImage& image);

// Standard output is written through buffers; its errors (a full disk, /dev/full) show only
// when they are flushed. Prints why and returns false when anything written was lost.
bool StandardOutputFlushed();

} // namespace Cli
