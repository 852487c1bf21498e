#pragma once

#include <QStringList>

// new, show, export, import: the commands that work on .sin and CSV files.
namespace Cli {
int RunNew(const QStringList& arguments);
int RunShow(const QStringList& arguments);
int RunExport(const QStringList& arguments);
int RunImport(const QStringList& arguments);
} // namespace Cli
