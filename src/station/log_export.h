#pragma once

#include "programming_record.h"

#include <QList>
#include <QString>

namespace LogExport {

// The records as CSV for a spreadsheet: a header of the stable field names, then a line per
// record in the order given.
QString Csv(const QList<ProgrammingRecord>& records);

} // namespace LogExport
