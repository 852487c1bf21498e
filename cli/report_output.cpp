#include "report_output.h"

#include "cli_command.h"
#include "log_export.h"
#include "programming_record.h"
#include "text_table.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace Cli {

bool ReportFormat(const Arguments& parsed, QString* format) {
    *format = parsed.has(kFormat) ? parsed.value(kFormat) : QStringLiteral("table");
    if (*format == QLatin1String("table") || *format == QLatin1String("csv") ||
        *format == QLatin1String("json")) {
        return true;
    }
    Fail(QCoreApplication::translate("Cli", "--format 应为 table、csv 或 json"), kUsage);
    return false;
}

void PrintReport(const Report& report, const QString& format) {
    QTextStream out(stdout);
    if (format == QLatin1String("json")) {
        QJsonArray array;
        for (const QVariantList& row : report.rows) {
            QJsonObject object;
            for (int i = 0; i < report.names.size(); ++i) {
                object.insert(report.names[i], QJsonValue::fromVariant(row.value(i)));
            }
            array.append(object);
        }
        out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return;
    }
    if (format == QLatin1String("csv")) {
        QList<QStringList> rows;
        for (const QVariantList& row : report.rows) {
            QStringList fields;
            for (const QVariant& value : row) {
                fields.append(value.toString());
            }
            rows.append(fields);
        }
        out << LogExport::CsvRows(report.names, rows);
        return;
    }
    TextTable table;
    table.addRow(report.headings);
    for (const QVariantList& row : report.rows) {
        QStringList cells;
        for (const QVariant& value : row) {
            const QString text = value.toString();
            cells.append(value.isNull() || text.isEmpty() ? QStringLiteral("-")
                                                          : RecordFields::Escaped(text));
        }
        table.addRow(cells);
    }
    out << table.render();
    if (!report.footer.isEmpty()) {
        out << report.footer << "\n";
    }
}

} // namespace Cli
