#pragma once

#include <QString>

namespace Cli {

// What `qtr318 COMMAND --help` prints below the usage line: what the command does and a sentence
// for each argument and option. Empty for an unknown command.
QString CommandHelp(const QString& command);

} // namespace Cli
