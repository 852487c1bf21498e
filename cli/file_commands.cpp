#include "file_commands.h"

#include "cli_command.h"

namespace Cli {
int RunNew(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
int RunShow(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
int RunExport(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
int RunImport(const QStringList&) { return Fail(QStringLiteral("not built yet")); }
} // namespace Cli
