#include "cli_arguments.h"
#include "cli_command.h"
#include "log_export.h"
#include "programming_log.h"
#include "report_output.h"
#include "text_table.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <optional>

namespace Cli {
namespace {

const QString kSince = QStringLiteral("--since");
const QString kUntil = QStringLiteral("--until");
const QString kResult = QStringLiteral("--result");

// "2026-12-07" is that whole day in local time; a time of day may follow, with "T" or a blank,
// and a zone ("Z", "+08:00"). A day given as the end includes that day.
std::optional<QDateTime> ParseTime(const QString& text, bool end) {
    // QDate reads the day at the start of a longer text too.
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid() && text.size() == 10) {
        return end ? day.addDays(1).startOfDay() : day.startOfDay();
    }
    QString spelled = text;
    spelled.replace(QLatin1Char(' '), QLatin1Char('T'));
    const QDateTime time = QDateTime::fromString(spelled, Qt::ISODateWithMs);
    if (!time.isValid()) {
        return std::nullopt;
    }
    return time;
}

QString TableText(const QList<ProgrammingRecord>& records) {
    TextTable table;
    table.addRow(
        {QCoreApplication::translate("Cli", "时间"), QCoreApplication::translate("Cli", "操作"),
         QCoreApplication::translate("Cli", "端口"),
         QCoreApplication::translate("Cli", "频段", "column"),
         QCoreApplication::translate("Cli", "结果"), QCoreApplication::translate("Cli", "块"),
         QCoreApplication::translate("Cli", "标签"),
         QCoreApplication::translate("Cli", "文件", "column"), QStringLiteral("SHA-256")});
    const auto orDash = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("-") : RecordFields::Escaped(text);
    };
    for (const ProgrammingRecord& record : records) {
        table.addRow({record.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      RecordFields::OperationText(record.operation), orDash(record.port),
                      orDash(record.band), RecordFields::ResultText(record.result),
                      QString::number(record.blocks), orDash(record.label), orDash(record.file),
                      orDash(record.imageSha256.left(12))});
    }
    return table.render();
}

QString JsonText(const QList<ProgrammingRecord>& records) {
    QJsonArray array;
    for (const ProgrammingRecord& record : records) {
        QJsonObject object;
        for (const QString& name : RecordFields::Names()) {
            object.insert(name, QJsonValue::fromVariant(RecordFields::Value(record, name)));
        }
        array.append(object);
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

} // namespace

int RunLog(const QStringList& arguments) {
    const auto parsed =
        ParseOrFail(arguments, {kSince, kUntil, kPort, kLabel, kResult, kFormat}, 0,
                    "log [--since DATE] [--until DATE] [--port P] [--label TEXT] [--result R] "
                    "[--format table|csv|json]");
    if (!parsed) {
        return kUsage;
    }
    LogFilter filter;
    for (const auto& [option, bound, end] :
         {std::tuple{kSince, &filter.since, false}, std::tuple{kUntil, &filter.until, true}}) {
        if (!parsed->has(option)) {
            continue;
        }
        const auto time = ParseTime(parsed->value(option), end);
        if (!time) {
            return Fail(QCoreApplication::translate(
                            "Cli", "%1 应为日期 YYYY-MM-DD 或时间 YYYY-MM-DDTHH:MM[:SS]，不是 '%2'")
                            .arg(option, parsed->value(option)),
                        kUsage);
        }
        *bound = *time;
    }
    filter.port = parsed->value(kPort);
    filter.label = parsed->value(kLabel);
    if (parsed->has(kResult)) {
        ProgrammingRecord::Result result;
        if (!RecordFields::ParseResult(parsed->value(kResult), &result)) {
            return Fail(QCoreApplication::translate(
                            "Cli", "--result 应为 成功、失败、已取消、校验不符 或 未校验"
                                   "（或 ok、failed、cancelled、differs、unverified）"),
                        kUsage);
        }
        filter.result = result;
    }
    QString format;
    if (!ReportFormat(*parsed, &format)) {
        return kUsage;
    }
    const ProgrammingLog log;
    QList<ProgrammingRecord> records;
    const LogStatus status = log.records(filter, &records);
    if (!status.message.isEmpty()) {
        Note(status.message);
    }
    if (!status.ok) {
        return kFailed;
    }
    QTextStream out(stdout);
    if (format == QLatin1String("csv")) {
        out << LogExport::Csv(records);
    } else if (format == QLatin1String("json")) {
        out << JsonText(records);
    } else if (!records.isEmpty()) {
        out << TableText(records);
    } else if (status.message.isEmpty()) {
        Note(QCoreApplication::translate("Cli", "编程记录 %1 中没有符合条件的记录")
                 .arg(log.location().displayName()));
    }
    return kSuccess;
}

} // namespace Cli
