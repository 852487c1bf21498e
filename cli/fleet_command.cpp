#include "channel_csv.h"
#include "cli_arguments.h"
#include "cli_command.h"
#include "fleet_database.h"
#include "fleet_status.h"
#include "kept_images.h"
#include "programming_log.h"
#include "radio_import.h"
#include "radio_store.h"
#include "report_output.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <array>

namespace Cli {
namespace {

const QString kPlan = QStringLiteral("--plan");
const QString kGroup = QStringLiteral("--group");
const QString kSet = QStringLiteral("--set");
const QString kUnset = QStringLiteral("--unset");
const QString kState = QStringLiteral("--state");
const QString kRecord = QStringLiteral("--record");

// "信道3 接收频率=145.125" each.
bool ParseSettings(const QStringList& settings, QList<RadioOverrides::CellValue>* values) {
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            Fail(QCoreApplication::translate("Cli",
                                             "--set 应为 CELL=TEXT，如 \"信道3 接收频率=145.125\"，"
                                             "不是 '%1'")
                     .arg(setting),
                 kUsage);
            return false;
        }
        values->append({setting.left(equals), setting.mid(equals + 1)});
    }
    return true;
}

// --group and --note, which the log's texts refuse control characters in like a label.
bool TextsFit(const Arguments& parsed) {
    for (const QString& option : {kGroup, kNote}) {
        if (const QString problem = RecordFields::LabelProblem(parsed.value(option));
            !problem.isEmpty()) {
            Fail(problem, kUsage);
            return false;
        }
    }
    return true;
}

int Changed(const QString& problem) {
    return problem.isEmpty() ? kSuccess : Fail(problem);
}

int RunAdd(const QStringList& arguments) {
    const auto parsed = ParseOrFail(
        arguments, {kPlan, kGroup, kNote, kSet}, 1,
        "fleet add LABEL --plan NAME [--group G] [--note TEXT] [--set CELL=TEXT]...", {}, {kSet});
    if (!parsed) {
        return kUsage;
    }
    if (!parsed->has(kPlan)) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 --plan NAME"), kUsage);
    }
    FleetRadio radio{parsed->positional().first(),
                     parsed->value(kGroup),
                     parsed->value(kNote),
                     parsed->value(kPlan),
                     {}};
    if (!TextsFit(*parsed) || !ParseSettings(parsed->values(kSet), &radio.values)) {
        return kUsage;
    }
    FleetDatabase database;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    return Changed(RadioStore(database).add(radio));
}

int RunEdit(const QStringList& arguments) {
    const auto parsed =
        ParseOrFail(arguments, {kPlan, kGroup, kNote, kSet, kUnset}, 1,
                    "fleet edit LABEL [--plan NAME] [--group G] [--note TEXT] [--set CELL=TEXT]... "
                    "[--unset CELL]...",
                    {}, {kSet, kUnset});
    if (!parsed) {
        return kUsage;
    }
    RadioChange change;
    for (const auto& [option, bound] :
         {std::pair{kPlan, &change.plan}, std::pair{kGroup, &change.group},
          std::pair{kNote, &change.note}}) {
        if (parsed->has(option)) {
            *bound = parsed->value(option);
        }
    }
    change.unset = parsed->values(kUnset);
    if (!TextsFit(*parsed) || !ParseSettings(parsed->values(kSet), &change.set)) {
        return kUsage;
    }
    FleetDatabase database;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    return Changed(RadioStore(database).edit(parsed->positional().first(), change));
}

int RunRemove(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {}, 1, "fleet remove LABEL");
    if (!parsed) {
        return kUsage;
    }
    FleetDatabase database;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    return Changed(RadioStore(database).remove(parsed->positional().first()));
}

bool ReadCsv(const QString& input, QByteArray& bytes) {
    QFile file(input == kStandardStream ? QString() : input);
    const bool opened = input == kStandardStream ? file.open(stdin, QIODevice::ReadOnly)
                                                 : file.open(QIODevice::ReadOnly);
    QString reason;
    if (!opened) {
        reason = UiLanguage::SystemErrorText(file.errorString());
    } else if (ChannelCsv::ReadFile(file, bytes, &reason)) {
        return true;
    }
    Fail(QCoreApplication::translate("Cli", "无法读取 %1：%2").arg(input, reason));
    return false;
}

int RunImport(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {}, 1, "fleet import FILE");
    if (!parsed) {
        return kUsage;
    }
    const QString input = parsed->positional().first();
    QByteArray csv;
    FleetDatabase database;
    if (!ReadCsv(input, csv) || !Succeeded(database.open(false))) {
        return kFailed;
    }
    RadioStore radios(database);
    QList<FleetRadio> fleet;
    if (const QString problem = radios.list(&fleet); !problem.isEmpty()) {
        return Fail(problem);
    }
    QSet<QString> taken;
    for (const FleetRadio& radio : fleet) {
        taken.insert(radio.label);
    }
    const auto lookUp = [&database](const QString& name) -> std::optional<PlanVersion> {
        PlanVersion plan;
        return PlanStore(database).find(name, 0, &plan).isEmpty() ? std::optional(plan)
                                                                  : std::nullopt;
    };
    const RadioImport::Result result = RadioImport::Read(csv, lookUp, taken);
    if (!result.problems.isEmpty()) {
        for (const QString& line : result.problems) {
            Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, line));
        }
        return Fail(QCoreApplication::translate("Cli", "发现 %n 个问题；车队没有改动", nullptr,
                                                int(result.problems.size())));
    }
    if (const QString problem = radios.addAll(result.radios); !problem.isEmpty()) {
        return Fail(problem);
    }
    Note(
        QCoreApplication::translate("Cli", "已加入 %n 台电台", nullptr, int(result.radios.size())));
    return kSuccess;
}

QString Shown(const QDateTime& time, bool table) {
    if (!time.isValid()) {
        return QString();
    }
    return table ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                 : RecordFields::TimeText(time);
}

QVariant Version(int version) {
    return version > 0 ? QVariant(version) : QVariant();
}

// The table shows short hashes, local times and the states in words; CSV and JSON take the
// fleet's own fields.
QVariantList TableRow(const FleetStatus::RadioStatus& status) {
    QVariantList row = FleetStatus::Fields(status);
    const QStringList& names = FleetStatus::FieldNames();
    row[names.indexOf("written_sha256")] = status.writtenSha256.left(12);
    row[names.indexOf("written_at")] = Shown(status.writtenAt, true);
    row[names.indexOf("state")] = FleetStatus::StateText(status.state);
    return row;
}

Report StatusReport(const QList<FleetStatus::RadioStatus>& statuses, bool table) {
    Report report;
    report.names = FleetStatus::FieldNames();
    report.headings = {QCoreApplication::translate("Cli", "标签"),
                       QCoreApplication::translate("Cli", "组"),
                       QCoreApplication::translate("Cli", "计划"),
                       QCoreApplication::translate("Cli", "最新版本"),
                       QCoreApplication::translate("Cli", "已写版本"),
                       QStringLiteral("SHA-256"),
                       QCoreApplication::translate("Cli", "写入时间"),
                       QCoreApplication::translate("Cli", "工位"),
                       QCoreApplication::translate("Cli", "状态"),
                       QCoreApplication::translate("Cli", "问题")};
    std::array<int, 4> counts{};
    for (const FleetStatus::RadioStatus& status : statuses) {
        ++counts.at(static_cast<std::size_t>(status.state));
        report.rows.append(table ? TableRow(status) : FleetStatus::Fields(status));
    }
    QStringList tally;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        tally.append(FleetStatus::StateText(static_cast<FleetStatus::State>(i)) + QLatin1Char(' ') +
                     QString::number(counts[i]));
    }
    report.footer = tally.join(QStringLiteral("  "));
    return report;
}

int RunStatus(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kGroup, kState, kFormat}, 0,
                                    "fleet status [--group G] [--state STATE] "
                                    "[--format table|csv|json]");
    QString format;
    if (!parsed || !ReportFormat(*parsed, &format)) {
        return kUsage;
    }
    FleetStatus::State wanted = FleetStatus::State::Current;
    if (parsed->has(kState) && !FleetStatus::ParseState(parsed->value(kState), &wanted)) {
        return Fail(QCoreApplication::translate("Cli", "--state 应为 最新、待写、从未写 或 失败"
                                                       "（或 current、pending、never、failed）"),
                    kUsage);
    }
    FleetDatabase database;
    QList<FleetStatus::RadioStatus> statuses;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    if (!database.absent()) {
        if (const QString problem = FleetStatus::Collect(database, &statuses); !problem.isEmpty()) {
            return Fail(problem);
        }
    }
    QList<FleetStatus::RadioStatus> shown;
    for (const FleetStatus::RadioStatus& status : statuses) {
        if ((!parsed->has(kGroup) || status.radio.group == parsed->value(kGroup)) &&
            (!parsed->has(kState) || status.state == wanted)) {
            shown.append(status);
        }
    }
    if (statuses.isEmpty() && format == QLatin1String("table")) {
        Note(QCoreApplication::translate("Cli", "%1 中还没有电台")
                 .arg(database.location().displayName()));
        return kSuccess;
    }
    if (format == QLatin1String("csv")) {
        QTextStream(stdout) << FleetStatus::Csv(shown);
        return kSuccess;
    }
    PrintReport(StatusReport(shown, format == QLatin1String("table")), format);
    return kSuccess;
}

int RunHistory(const QStringList& arguments) {
    const auto parsed =
        ParseOrFail(arguments, {kFormat}, 1, "fleet history LABEL [--format table|csv|json]");
    QString format;
    if (!parsed || !ReportFormat(*parsed, &format)) {
        return kUsage;
    }
    const QString label = RadioStore::Label(parsed->positional().first());
    if (const QString problem = RadioStore::LabelProblem(label); !problem.isEmpty()) {
        return Fail(problem, kUsage);
    }
    LogFilter filter;
    filter.label = label;
    QList<ProgrammingRecord> records;
    const LogStatus status = ProgrammingLog().records(filter, &records);
    if (!status.message.isEmpty()) {
        Note(status.message);
    }
    if (!status.ok) {
        return kFailed;
    }
    const bool table = format == QLatin1String("table");
    Report report;
    report.names = RecordFields::Names();
    if (table) {
        report.names = {"started_at", "operation",    "port",         "result",
                        "plan",       "plan_version", "image_sha256", "uuid"};
        report.headings = {QCoreApplication::translate("Cli", "时间"),
                           QCoreApplication::translate("Cli", "操作"),
                           QCoreApplication::translate("Cli", "端口"),
                           QCoreApplication::translate("Cli", "结果"),
                           QCoreApplication::translate("Cli", "计划"),
                           QCoreApplication::translate("Cli", "版本"),
                           QStringLiteral("SHA-256"),
                           QStringLiteral("UUID")};
    }
    for (const ProgrammingRecord& record : records) {
        QVariantList row;
        for (const QString& name : report.names) {
            row.append(RecordFields::Value(record, name));
        }
        if (table) {
            row = {Shown(record.started, true),
                   RecordFields::OperationText(record.operation),
                   record.port,
                   RecordFields::ResultText(record.result),
                   record.plan,
                   Version(record.planVersion),
                   record.imageSha256.left(12),
                   record.uuid};
        }
        report.rows.append(row);
    }
    if (records.isEmpty() && table) {
        Note(QCoreApplication::translate("Cli", "编程记录中没有标签为 \"%1\" 的记录").arg(label));
        return kSuccess;
    }
    PrintReport(report, format);
    return kSuccess;
}

int RunRestore(const QStringList& arguments) {
    const auto parsed =
        ParseOrFail(arguments, {kRecord, kOutput}, 1, "fleet restore LABEL --record UUID -o FILE");
    if (!parsed) {
        return kUsage;
    }
    if (!parsed->has(kRecord) || !parsed->has(kOutput)) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 --record UUID 和 -o FILE"),
                    kUsage);
    }
    if (!CheckOutput(parsed->value(kOutput))) {
        return kUsage;
    }
    QByteArray image;
    const QString problem = KeptImages::OfRecord(LogLocation::FromEnvironment(),
                                                 RadioStore::Label(parsed->positional().first()),
                                                 parsed->value(kRecord).trimmed(), &image);
    if (!problem.isEmpty()) {
        return Fail(problem);
    }
    return WriteOutput(parsed->value(kOutput), image) ? kSuccess : kFailed;
}

} // namespace

int RunFleet(const QStringList& arguments) {
    using Run = int (*)(const QStringList&);
    const std::array<std::pair<const char*, Run>, 7> actions = {{
        {"add", RunAdd},
        {"edit", RunEdit},
        {"remove", RunRemove},
        {"import", RunImport},
        {"status", RunStatus},
        {"history", RunHistory},
        {"restore", RunRestore},
    }};
    const QString action = arguments.value(0);
    for (const auto& [name, run] : actions) {
        if (action == QLatin1String(name)) {
            return run(arguments.mid(1));
        }
    }
    return Fail(QCoreApplication::translate(
                    "Cli", "fleet 后应为 add、edit、remove、import、status、history 或 restore，"
                           "不是 '%1'；请看 qtr318 fleet --help")
                    .arg(action),
                kUsage);
}

} // namespace Cli
