#include "log_export.h"

#include "csv_records.h"

namespace LogExport {

QString Csv(const QList<ProgrammingRecord>& records) {
    const QStringList& names = RecordFields::Names();
    QString text = CsvRecords::FormatRecord(names);
    for (const ProgrammingRecord& record : records) {
        QStringList fields;
        for (const QString& name : names) {
            fields.append(RecordFields::Value(record, name).toString());
        }
        text += CsvRecords::FormatRecord(fields);
    }
    return text;
}

} // namespace LogExport
