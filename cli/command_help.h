#pragma once

#include "cli_command.h"

#include <QString>

namespace Cli {

// What `qtr318 COMMAND --help` prints below the usage line: what the command does and a sentence
// for each argument and option.
QString CommandHelp(const Command& command);

} // namespace Cli
