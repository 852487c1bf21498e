#pragma once

#include <QStringList>

namespace Cli {
// ports: the serial ports of this system and the COM names that reach them.
int RunPorts(const QStringList& arguments);
} // namespace Cli
