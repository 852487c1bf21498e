#include "log_export.h"

#include "csv_records.h"

namespace LogExport {
namespace {

// A spreadsheet takes a cell that starts like this for a formula, which a label such as
// "=HYPERLINK(...)" would turn into a link or a command; the quote makes it text.
QString SpreadsheetText(const QString& text) {
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && kFormulaStarts.contains(text.front()) ? QLatin1Char('\'') + text
                                                                    : text;
}

} // namespace

QString Csv(const QList<ProgrammingRecord>& records) {
    const QStringList& names = RecordFields::Names();
    QString text = CsvRecords::FormatRecord(names);
    for (const ProgrammingRecord& record : records) {
        QStringList fields;
        for (const QString& name : names) {
            fields.append(SpreadsheetText(RecordFields::Value(record, name).toString()));
        }
        text += CsvRecords::FormatRecord(fields);
    }
    return text;
}

} // namespace LogExport
