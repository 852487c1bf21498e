#pragma once

#include <QStringList>

class MemoryImage;

// The qtr318 tool's commands share one contract: arguments after the command name in, an exit
// code out, messages to stderr.
namespace Cli {

enum ExitCode { kSuccess = 0, kFailed = 1, kUsage = 2, kDiffers = 3 };

using CommandFunction = int (*)(const QStringList& arguments);

struct Command {
    const char* name;
    const char* synopsis; // one line for --help
    CommandFunction run;
};

// Prints "qtr318: text" on stderr and returns code.
int Fail(const QString& text, int code = kFailed);

// Loads a .sin file into image; on failure prints why and returns false.
bool LoadImage(const QString& path, MemoryImage& image);

} // namespace Cli
