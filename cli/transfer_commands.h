#pragma once

#include <QStringList>

// read, write, verify: the commands that talk to a radio.
namespace Cli {
int RunRead(const QStringList& arguments);
int RunWrite(const QStringList& arguments);
int RunVerify(const QStringList& arguments);
} // namespace Cli
