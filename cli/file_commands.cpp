#include "band_limits.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "channel_csv.h"
#include "cli_arguments.h"
#include "cli_command.h"
#include "document_file.h"
#include "generic_csv.h"
#include "image_map.h"
#include "new_document.h"
#include "settings_codec.h"
#include "text_table.h"
#include "ui_language.h"
#include "value_texts.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace Cli {
namespace {

namespace Col = ChannelColumns;
using Selector = ChannelTable::Selector;

const QString kBand = QStringLiteral("--band");
const QString kFirst = QStringLiteral("--first");

bool ReadInput(const QString& path, QByteArray& bytes) {
    const bool standardInput = path == kStandardStream;
    QFile file(standardInput ? QString() : path);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        Fail(QCoreApplication::translate("Cli", "无法打开 %1：%2")
                 .arg(path, UiLanguage::SystemErrorText(file.errorString())));
        return false;
    }
    QString reason;
    if (!ChannelCsv::ReadFile(file, bytes, &reason)) {
        Fail(QCoreApplication::translate("Cli", "无法读取 %1：%2").arg(path, reason));
        return false;
    }
    return true;
}

// ---- show ----

QString ChannelTableText(const ChannelTable& table) {
    TextTable text;
    // A .sin file holds only the columns the image does.
    QList<int> columns;
    for (int column = 1; column < Col::kCount; ++column) {
        if (Col::InImage(column)) {
            columns << column;
        }
    }
    QStringList headers = {Col::ShownHeader(0)};
    for (int column : columns) {
        headers.append(Col::ShownHeader(column));
    }
    text.addRow(headers);
    for (int row = 1; row <= ImageMap::kChannelCount; ++row) {
        QStringList cells = {Col::ChannelNumberText(row)};
        for (int column : columns) {
            cells.append(ValueTexts::Shown(table.cellText(row, column)));
        }
        text.addRow(cells);
    }
    return text.render();
}

QString OnOff(bool on) {
    return ValueTexts::Shown(on ? Col::kYes : Col::kNo);
}

QString OptionsText(const MemoryImage& image) {
    const RadioOptions options = ReadOptions(image);
    TextTable text;
    for (const OptionListInfo& info : OptionLists()) {
        const int position = options.position(info.list);
        text.addRow({QCoreApplication::translate("SettingsCodec", info.label),
                     position == kNoSelection
                         ? QCoreApplication::translate("Cli", "（不是列表中的值）")
                         : ValueTexts::Shown(info.entries.at(position))});
    }
    text.addRow({QCoreApplication::translate("SettingsCodec", kBeepLabel), OnOff(options.beep)});
    text.addRow({QCoreApplication::translate("SettingsCodec", kVoxLabel), OnOff(options.vox)});
    return text.render(QStringLiteral("  "));
}

QString TuningText(const MemoryImage& image) {
    TextTable text;
    QStringList heading = {QString()};
    for (const TuningMode& mode : TuningModes()) {
        heading.append(ValueTexts::Shown(QString::fromUtf8(mode.label)));
    }
    text.addRow(heading);
    for (const TuningField& field : TuningFields()) {
        QStringList row = {QCoreApplication::translate("SettingsCodec", field.label)};
        for (const TuningMode& mode : TuningModes()) {
            const int value = ReadTuningValue(image, mode.address, field);
            row.append(field.isList() ? ValueTexts::Shown(field.entries.at(value))
                                      : QString::number(value));
        }
        text.addRow(row);
    }
    return text.render(QStringLiteral("  "));
}

// A .sin file and the channel table it decodes to.
bool LoadTable(const QString& path, MemoryImage& image, ChannelTable& table) {
    if (!LoadImage(path, image)) {
        return false;
    }
    DecodeChannels(image, table);
    return true;
}

// Without --band, a list whose frequencies all lie in one band is imported in that band.
void TakeTheFilesBand(const QByteArray& csv, int first, const QString& input, ChannelTable& table) {
    const int fit = ChannelCsv::BandOfFile(csv, first);
    if (fit < 0 || fit == table.selected(Selector::Band)) {
        return;
    }
    table.select(Selector::Band, fit);
    Note(QCoreApplication::translate("Cli", "%1：文件的频率都在 %2 之内，按这个频段导入")
             .arg(input, table.entryText(Selector::Band, fit)));
}

// What to do about the two refusals a list from elsewhere meets most: more rows than channels,
// and frequencies of the other band.
void AdviseOnProblems(const QByteArray& csv, int first, const ChannelCsv::ImportResult& result,
                      const ChannelTable& table) {
    if (first == 0 && result.frequencyRows > ImageMap::kChannelCount) {
        Fail(QCoreApplication::translate("Cli", "只取前 %1 个有频率的行：加上 --first %1")
                 .arg(ImageMap::kChannelCount));
    }
    if (ChannelCsv::HasFrequencyOutside(csv, SelectedBandLimits(table), first)) {
        Fail(QCoreApplication::translate(
                 "Cli", "频段是 %1，文件中有它之外的频率；用 --band vhf 或 --band uhf 选择频段")
                 .arg(table.entryText(Selector::Band, table.selected(Selector::Band))));
    }
}

} // namespace

int RunNew(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kOutput}, 0, "new -o OUT.sin");
    if (!parsed) {
        return kUsage;
    }
    if (!parsed->has(kOutput)) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o OUT.sin"), kUsage);
    }
    if (!CheckOutput(parsed->value(kOutput))) {
        return kUsage;
    }
    return SaveImage(parsed->value(kOutput), NewDocumentImage()) ? kSuccess : kFailed;
}

int RunShow(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {}, 1, "show IN.sin");
    if (!parsed) {
        return kUsage;
    }
    MemoryImage image;
    ChannelTable table;
    if (!LoadTable(parsed->positional().first(), image, table)) {
        return kFailed;
    }
    QTextStream out(stdout);
    TextTable heading;
    heading.addRow({QCoreApplication::translate("Cli", "机型："),
                    table.entryText(Selector::Model, table.selected(Selector::Model))});
    heading.addRow({QCoreApplication::translate("Cli", "频段："),
                    table.entryText(Selector::Band, table.selected(Selector::Band))});
    out << heading.render() << "\n"
        << ChannelTableText(table) << "\n"
        << QCoreApplication::translate("Cli", "可选功能") << "\n"
        << OptionsText(image) << "\n"
        << QCoreApplication::translate("Cli", "调试参数") << "\n"
        << TuningText(image);
    return kSuccess;
}

int RunExport(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kOutput, kFormat}, 1,
                                    "export IN.sin [-o OUT.csv] [--format native|generic]");
    if (!parsed) {
        return kUsage;
    }
    const QString format =
        parsed->has(kFormat) ? parsed->value(kFormat).toLower() : QStringLiteral("native");
    if (format != QLatin1String("native") && format != QLatin1String("generic")) {
        return Fail(QCoreApplication::translate("Cli", "--format 只能是 native 或 generic"),
                    kUsage);
    }
    const QString input = parsed->positional().first();
    const QString output = parsed->has(kOutput) ? parsed->value(kOutput) : kStandardStream;
    if (!CheckOutput(output, input)) {
        return kUsage;
    }
    MemoryImage image;
    ChannelTable table;
    if (!LoadTable(input, image, table)) {
        return kFailed;
    }
    if (format == QLatin1String("native")) {
        return WriteOutput(output, ChannelCsv::Export(table)) ? kSuccess : kFailed;
    }
    QStringList notes;
    const QByteArray csv = GenericCsv::Export(table, notes);
    for (const QString& note : notes) {
        Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, note));
    }
    return WriteOutput(output, csv) ? kSuccess : kFailed;
}

int RunImport(const QStringList& arguments) {
    const char* synopsis =
        "import IN.csv -o OUT.sin [--base BASE.sin] [--band vhf|uhf] [--first N]";
    const auto parsed = ParseOrFail(arguments, {kOutput, kBase, kBand, kFirst}, 1, synopsis);
    if (!parsed) {
        return kUsage;
    }
    if (!parsed->has(kOutput)) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o OUT.sin"), kUsage);
    }
    if (!CheckOutput(parsed->value(kOutput), parsed->positional().first())) {
        return kUsage;
    }
    int band = -1;
    if (parsed->has(kBand)) {
        const QString name = parsed->value(kBand).toLower();
        band = name == QLatin1String("vhf") ? 0 : name == QLatin1String("uhf") ? 1 : -2;
        if (band < 0) {
            return Fail(QCoreApplication::translate("Cli", "--band 只能是 vhf 或 uhf"), kUsage);
        }
    }
    int first = 0;
    if (parsed->has(kFirst)) {
        bool number = false;
        first = parsed->value(kFirst).toInt(&number);
        if (!number || first < 1 || first > ImageMap::kChannelCount) {
            return Fail(QCoreApplication::translate("Cli", "--first 只能是 1 到 %1 之间的数")
                            .arg(ImageMap::kChannelCount),
                        kUsage);
        }
    }

    MemoryImage image = NewDocumentImage();
    if (parsed->has(kBase) && !LoadImage(parsed->value(kBase), image)) {
        return kFailed;
    }
    QByteArray csv;
    const QString input = parsed->positional().first();
    if (!ReadInput(input, csv)) {
        return kFailed;
    }
    ChannelTable table;
    DecodeChannels(image, table); // model and band of the base
    if (band >= 0) {
        table.select(Selector::Band, band);
    } else {
        TakeTheFilesBand(csv, first, input, table);
    }
    const BandLimits limits = SelectedBandLimits(table);
    const ChannelCsv::ImportResult result =
        ChannelCsv::ImportAny(csv, table, limits.low, limits.high, first);
    const QList<ChannelCsv::Problem>& problems = result.problems;
    for (const QString& note : result.notes) {
        Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, note));
    }
    if (!problems.isEmpty()) {
        for (const QString& line : ChannelCsv::DescribeProblems(problems)) {
            Fail(QCoreApplication::translate("Cli", "%1：%2").arg(input, line));
        }
        AdviseOnProblems(csv, first, result, table);
        return Fail(QCoreApplication::translate("Cli", "发现 %n 个问题；什么也没有写入", nullptr,
                                                int(problems.size())));
    }
    const QString unkept = UnkeptColumnsNote(table);
    if (!unkept.isEmpty()) {
        Note(QCoreApplication::translate("Cli", "%1：%2").arg(input, unkept));
    }
    EncodeChannels(table, image);
    return SaveImage(parsed->value(kOutput), image) ? kSuccess : kFailed;
}

} // namespace Cli
