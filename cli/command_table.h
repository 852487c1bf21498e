#pragma once

#include "cli_command.h"

#include <vector>

// Every qtr318 command once: the tool's dispatch, its --help list and each command's own help
// are all read from this table, so a command cannot be runnable yet undocumented, or the reverse.
namespace Cli {

// The commands in the order --help lists them.
const std::vector<Command>& Commands();

// The command called name, or null.
const Command* FindCommand(const QString& name);

} // namespace Cli
