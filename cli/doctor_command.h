#pragma once

#include <QStringList>

namespace Cli {
// doctor: why a programming cable does not work on this computer, and what fixes it.
int RunDoctor(const QStringList& arguments);
} // namespace Cli
