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
    QList<QStringList> rows;
    for (const ProgrammingRecord& record : records) {
        QStringList fields;
        for (const QString& name : names) {
            fields.append(RecordFields::Value(record, name).toString());
        }
        rows.append(fields);
    }
    return CsvRows(names, rows);
}

QString CsvRows(const QStringList& names, const QList<QStringList>& rows) {
    QString text = CsvRecords::FormatRecord(names);
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row) {
            fields.append(SpreadsheetText(field));
        }
        text += CsvRecords::FormatRecord(fields);
    }
    return text;
}

} // namespace LogExport
