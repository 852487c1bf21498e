#include "channel_codec.h"
#include "channel_csv.h"
#include "cli_arguments.h"
#include "cli_command.h"
#include "document_file.h"
#include "fleet_database.h"
#include "fleet_status.h"
#include "new_document.h"
#include "plan_store.h"
#include "programming_record.h"
#include "radio_store.h"
#include "report_output.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace Cli {
namespace {

bool LooksLikeCsv(const QByteArray& bytes) {
    QByteArray start = bytes.left(64);
    if (start.startsWith("\xEF\xBB\xBF")) {
        return true;
    }
    return start.startsWith("信道") || start.toLower().startsWith("location");
}

// A channel CSV in either layout, in the band that holds its frequencies, as `import` reads it.
bool ImportCsv(const QByteArray& csv, const QString& input, MemoryImage& image) {
    image = NewDocumentImage();
    ChannelTable table;
    DecodeChannels(image, table);
    if (const int band = ChannelCsv::BandOfFile(csv); band >= 0) {
        table.select(ChannelTable::Selector::Band, band);
    }
    const BandLimits limits = SelectedBandLimits(table);
    const ChannelCsv::ImportResult result =
        ChannelCsv::ImportAny(csv, table, limits.low, limits.high);
    for (const QString& note : result.notes) {
        Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, note));
    }
    if (!result.problems.isEmpty()) {
        for (const QString& line : ChannelCsv::DescribeProblems(result.problems)) {
            Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, line));
        }
        Fail(QCoreApplication::translate("Cli", "发现 %n 个问题；计划没有改动", nullptr,
                                         int(result.problems.size())));
        return false;
    }
    EncodeChannels(table, image);
    return true;
}

// A .sin or a CSV: by the name's ending, else (standard input) by what it holds.
bool ReadPlanFile(const QString& input, MemoryImage& image) {
    if (input.endsWith(QLatin1String(".sin"), Qt::CaseInsensitive)) {
        return LoadImage(input, image);
    }
    QFile file(input == kStandardStream ? QString() : input);
    const bool opened = input == kStandardStream ? file.open(stdin, QIODevice::ReadOnly)
                                                 : file.open(QIODevice::ReadOnly);
    QByteArray bytes;
    QString reason;
    if (!opened) {
        reason = UiLanguage::SystemErrorText(file.errorString());
    } else if (ChannelCsv::ReadFile(file, bytes, &reason)) {
        if (input.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) || LooksLikeCsv(bytes)) {
            return ImportCsv(bytes, input, image);
        }
        if (bytes.size() == MemoryImage::kSize) {
            MemoryImage::Bytes raw;
            std::copy(bytes.cbegin(), bytes.cend(), raw.begin());
            image.assign(raw);
            return true;
        }
        reason = QCoreApplication::translate(
                     "Cli", "既不是 .sin 文件（应为 %1 字节，实有 %2 字节），也不是信道 CSV")
                     .arg(MemoryImage::kSize)
                     .arg(bytes.size());
    }
    Fail(QCoreApplication::translate("Cli", "无法读取 %1：%2").arg(input, reason));
    return false;
}

int RunPlanAdd(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kNote}, 2, "plan add NAME FILE [--note TEXT]");
    if (!parsed) {
        return kUsage;
    }
    const QString name = parsed->positional().at(0);
    if (const QString problem = PlanStore::NameProblem(name.trimmed()); !problem.isEmpty()) {
        return Fail(problem, kUsage);
    }
    if (const QString problem = RecordFields::LabelProblem(parsed->value(kNote));
        !problem.isEmpty()) {
        return Fail(problem, kUsage);
    }
    MemoryImage image;
    FleetDatabase database;
    if (!ReadPlanFile(parsed->positional().at(1), image) || !Succeeded(database.open(true))) {
        return kFailed;
    }
    PlanVersion version;
    bool added = false;
    if (const QString problem =
            PlanStore(database).add(name, image, parsed->value(kNote), &version, &added);
        !problem.isEmpty()) {
        return Fail(problem);
    }
    if (added) {
        for (const QString& misfit : FleetStatus::Misfits(database, version)) {
            Note(misfit);
        }
    } else {
        Note(QCoreApplication::translate("Cli", "内容与计划 %1 的最新版本 %2 相同，没有添加版本")
                 .arg(version.plan)
                 .arg(version.version));
    }
    QTextStream(stdout) << version.version << "\n";
    return kSuccess;
}

int RunPlanList(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kFormat}, 0, "plan list [--format table|csv|json]");
    QString format;
    if (!parsed || !ReportFormat(*parsed, &format)) {
        return kUsage;
    }
    FleetDatabase database;
    QList<PlanVersion> versions;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    if (const QString problem = PlanStore(database).list(&versions); !problem.isEmpty()) {
        return Fail(problem);
    }
    Report report;
    report.names = {QStringLiteral("name"),    QStringLiteral("version"),
                    QStringLiteral("sha256"),  QStringLiteral("created_at"),
                    QStringLiteral("station"), QStringLiteral("note")};
    report.headings = {QCoreApplication::translate("Cli", "计划"),
                       QCoreApplication::translate("Cli", "版本"),
                       QStringLiteral("SHA-256"),
                       QCoreApplication::translate("Cli", "时间"),
                       QCoreApplication::translate("Cli", "工位"),
                       QCoreApplication::translate("Cli", "备注")};
    const bool table = format == QLatin1String("table");
    for (const PlanVersion& version : versions) {
        report.rows.append(
            {version.plan, version.version, table ? version.sha256.left(12) : version.sha256,
             table ? version.createdAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                   : RecordFields::TimeText(version.createdAt),
             version.station, version.note});
    }
    if (versions.isEmpty() && table) {
        Note(QCoreApplication::translate("Cli", "%1 中还没有计划")
                 .arg(database.location().displayName()));
        return kSuccess;
    }
    PrintReport(report, format);
    return kSuccess;
}

int RunPlanExport(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kOutput}, 1, "plan export NAME[@VERSION] -o FILE");
    if (!parsed) {
        return kUsage;
    }
    if (!parsed->has(kOutput)) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o FILE"), kUsage);
    }
    QString name;
    int number = 0;
    if (!PlanStore::ParseReference(parsed->positional().first(), &name, &number)) {
        return Fail(
            QCoreApplication::translate("Cli", "版本应为 NAME@VERSION，VERSION 是 1 以上的数：%1")
                .arg(parsed->positional().first()),
            kUsage);
    }
    if (!CheckOutput(parsed->value(kOutput))) {
        return kUsage;
    }
    FleetDatabase database;
    PlanVersion version;
    if (!Succeeded(database.open(false))) {
        return kFailed;
    }
    if (const QString problem = PlanStore(database).find(name, number, &version);
        !problem.isEmpty()) {
        return Fail(problem);
    }
    return SaveImage(parsed->value(kOutput), version.image) ? kSuccess : kFailed;
}

} // namespace

int RunPlan(const QStringList& arguments) {
    const QString action = arguments.value(0);
    if (action == QLatin1String("add")) {
        return RunPlanAdd(arguments.mid(1));
    }
    if (action == QLatin1String("list")) {
        return RunPlanList(arguments.mid(1));
    }
    if (action == QLatin1String("export")) {
        return RunPlanExport(arguments.mid(1));
    }
    return Fail(QCoreApplication::translate("Cli", "plan 后应为 add、list 或 export，不是 '%1'；"
                                                   "请看 qtr318 plan --help")
                    .arg(action),
                kUsage);
}

} // namespace Cli
