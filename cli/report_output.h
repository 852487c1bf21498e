#pragma once

#include "cli_arguments.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Rows of a listing with stable field names, printed for a person (a table under headings in
// the run's language) or for a spreadsheet or script (CSV or JSON under the field names).
namespace Cli {

struct Report {
    QStringList names;        // stable, for CSV and JSON
    QStringList headings;     // the table's, one per name
    QList<QVariantList> rows; // a null value is "-" in the table, empty in CSV, null in JSON
    QString footer;           // below the table only
};

// The --format of parsed: table (the default), csv or json; a usage error printed otherwise.
bool ReportFormat(const Arguments& parsed, QString* format);
// Prints report to standard output in format.
void PrintReport(const Report& report, const QString& format);

} // namespace Cli
