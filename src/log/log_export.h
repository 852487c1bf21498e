#pragma once

#include "programming_record.h"

#include <QList>
#include <QString>

namespace LogExport {

// The records as CSV for a spreadsheet: a header of the stable field names, then a line per
// record in the order given. A cell a spreadsheet would take for a formula (it starts with =, +,
// -, @, a tab or a carriage return) starts with ' instead, which shows it as text.
QString Csv(const QList<ProgrammingRecord>& records);
// Any other rows the same way: the header names, then a line per row.
QString CsvRows(const QStringList& names, const QList<QStringList>& rows);

} // namespace LogExport
