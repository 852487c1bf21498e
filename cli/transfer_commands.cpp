#include "transfer_commands.h"

#include "cli_command.h"

namespace Cli {
int RunRead(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
int RunWrite(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
int RunVerify(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
} // namespace Cli
