#pragma once

#include <QStringList>

namespace Cli {

// qtr318 log: the programming log's records, oldest first, as a table, CSV or JSON.
int RunLog(const QStringList& arguments);

} // namespace Cli
