#include "generic_csv.h"

#include "channel_columns.h"
#include "csv_values.h"
#include "frequency_check.h"
#include "signalling_list.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <limits>

namespace GenericCsv {

namespace {

namespace Col = ChannelColumns;
using CsvValues::Quoted;
using Problem = CsvRecords::Problem;

constexpr int kChannels = 16;

enum Field {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kFieldCount = 21, // URCALL, RPT1CALL, RPT2CALL and DVCODE are written empty and never read
    kNoField = -1,
};

// The layout's own spelling of the values this radio uses.
const QString kTsqlDefault = QStringLiteral("88.5");
const QString kDtcsDefault = QStringLiteral("023");
const QString kCross = QStringLiteral("Cross");
constexpr double kHighPowerWatts = 2.0;

enum class Kind { None, Tone, Dcs };

// Which Tone (and for Cross, which CrossMode) stands for which pair of transmit and receive
// signalling, and the columns each side reads. Where both sides read one column the two share
// its value. Export writes the first row that fits a channel.
struct ToneRule {
    const char* tone;
    const char* crossMode;
    Kind tx;
    Kind rx;
    int txField;
    int rxField;
};

constexpr std::array<ToneRule, 12> kToneRules = {{
    {"", "", Kind::None, Kind::None, kNoField, kNoField},
    {"Tone", "", Kind::Tone, Kind::None, kRToneFreq, kNoField},
    {"TSQL", "", Kind::Tone, Kind::Tone, kCToneFreq, kCToneFreq},
    {"DTCS", "", Kind::Dcs, Kind::Dcs, kDtcsCode, kDtcsCode},
    {"Cross", "Tone->Tone", Kind::Tone, Kind::Tone, kRToneFreq, kCToneFreq},
    {"Cross", "Tone->", Kind::Tone, Kind::None, kRToneFreq, kNoField},
    {"Cross", "DTCS->", Kind::Dcs, Kind::None, kDtcsCode, kNoField},
    {"Cross", "->Tone", Kind::None, Kind::Tone, kNoField, kCToneFreq},
    {"Cross", "->DTCS", Kind::None, Kind::Dcs, kNoField, kRxDtcsCode},
    {"Cross", "Tone->DTCS", Kind::Tone, Kind::Dcs, kRToneFreq, kRxDtcsCode},
    {"Cross", "DTCS->Tone", Kind::Dcs, Kind::Tone, kDtcsCode, kCToneFreq},
    {"Cross", "DTCS->DTCS", Kind::Dcs, Kind::Dcs, kDtcsCode, kRxDtcsCode},
}};

// One side's signalling in the layout's terms: a tone "88.5" or a code "023" with its polarity,
// N (normal) or R (reversed, the list's I).
struct Signal {
    Kind kind = Kind::None;
    QString value;
    QChar polarity = QLatin1Char('N');
};

Signal SignalOfEntry(const QString& entry) {
    const int index = TheSignallingList().FindSignalIndex(entry);
    if (index >= SignallingList::kFirstNormalDcs) {
        return {Kind::Dcs, entry.mid(1, 3),
                index >= SignallingList::kFirstInvertedDcs ? QLatin1Char('R') : QLatin1Char('N')};
    }
    if (index >= SignallingList::kFirstTone) {
        return {Kind::Tone, entry, QLatin1Char('N')};
    }
    return {};
}

// "%i.%06i" of a count of 10 Hz steps.
QString LayoutMHz(std::uint32_t count) {
    return QString::asprintf("%u.%06u", count / 100000, count % 100000 * 10);
}

// A count as our own frequency texts write it, for the shared check.
QString PlainMHz(std::int64_t count) {
    const auto clamped = std::uint32_t(
        std::clamp<std::int64_t>(count, 0, std::numeric_limits<std::uint32_t>::max()));
    return QString::asprintf("%u.%05u", clamped / 100000, clamped % 100000);
}

// The count a table cell's frequency text stands for; the cells hold only checked texts.
std::uint32_t CellCount(const QString& text) {
    return CheckFrequency(text, 0, std::numeric_limits<std::uint32_t>::max()).count;
}

QString JoinedChannels(const QList<int>& channels) {
    QStringList numbers;
    for (int channel : channels) {
        numbers << QString::number(channel);
    }
    return numbers.join(QCoreApplication::translate("GenericCsv", "、"));
}

QStringList ExportRow(const ChannelTable& table, int channel) {
    QStringList fields(kFieldCount);
    fields[kLocation] = QString::number(channel);

    const QString rxText = table.cellText(channel, Col::kRxFrequency);
    const QString txText = table.cellText(channel, Col::kTxFrequency);
    const std::uint32_t rx = CellCount(rxText);
    fields[kFrequency] = LayoutMHz(rx);
    fields[kOffset] = LayoutMHz(0);
    std::uint32_t step = rx % 500 == 0 ? 500 : 625;
    if (txText.isEmpty()) {
        fields[kDuplex] = QStringLiteral("off");
    } else {
        const std::uint32_t tx = CellCount(txText);
        if (tx != rx) {
            fields[kDuplex] = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            fields[kOffset] = LayoutMHz(tx > rx ? tx - rx : rx - tx);
        }
        if (tx % step != 0 && (rx % 625 == 0 && tx % 625 == 0)) {
            step = 625;
        }
    }
    fields[kTStep] = step == 500 ? QStringLiteral("5.00") : QStringLiteral("6.25");

    const Signal tx = SignalOfEntry(table.cellText(channel, Col::kTxSignal));
    const Signal rxSignal = SignalOfEntry(table.cellText(channel, Col::kRxSignal));
    // Columns the channel does not use still carry a value other programs accept (the channel's
    // own tone or code where it has one, so that switching the mode there keeps it), as such
    // programs read every column whatever the Tone.
    const Signal* tone = tx.kind == Kind::Tone         ? &tx
                         : rxSignal.kind == Kind::Tone ? &rxSignal
                                                       : nullptr;
    const Signal* code = tx.kind == Kind::Dcs         ? &tx
                         : rxSignal.kind == Kind::Dcs ? &rxSignal
                                                      : nullptr;
    fields[kRToneFreq] = fields[kCToneFreq] = tone ? tone->value : kTsqlDefault;
    fields[kDtcsCode] = fields[kRxDtcsCode] = code ? code->value : kDtcsDefault;
    fields[kDtcsPolarity] = QString(tx.polarity) + rxSignal.polarity;
    fields[kCrossMode] = QStringLiteral("Tone->Tone");
    for (const ToneRule& rule : kToneRules) {
        const bool shared = rule.txField != kNoField && rule.txField == rule.rxField;
        if (rule.tx != tx.kind || rule.rx != rxSignal.kind ||
            (shared && tx.value != rxSignal.value)) {
            continue;
        }
        fields[kTone] = QString::fromLatin1(rule.tone);
        if (fields[kTone] == kCross) {
            fields[kCrossMode] = QString::fromLatin1(rule.crossMode);
        }
        if (rule.txField != kNoField) {
            fields[rule.txField] = tx.value;
        }
        if (rule.rxField != kNoField) {
            fields[rule.rxField] = rxSignal.value;
        }
        break;
    }

    fields[kMode] = table.cellText(channel, Col::kBandwidth) == Col::Choices(Col::kBandwidth).at(1)
                        ? QStringLiteral("NFM")
                        : QStringLiteral("FM");
    fields[kSkip] =
        table.cellText(channel, Col::kScan) == Col::kNo ? QStringLiteral("S") : QString();
    fields[kPower] = table.cellText(channel, Col::kPower) == Col::Choices(Col::kPower).at(1)
                         ? QStringLiteral("Low")
                         : QStringLiteral("High");
    return fields;
}

// The columns the layout has no place for, and what an import gives them.
constexpr std::array<int, 4> kDroppedColumns = {Col::kBusy, Col::kScrambler, Col::kCompander,
                                                Col::kEmphasis};

class RowImporter {
public:
    RowImporter(const CsvRecords::Record& header, std::uint32_t low, std::uint32_t high,
                Result& result)
        : m_low(low), m_high(high), m_result(result) {
        m_column.fill(-1);
        // Backwards, so that of two columns with one name the first counts.
        for (int i = int(header.fields.size()) - 1; i >= 0; --i) {
            for (int field = 0; field < kFieldCount; ++field) {
                if (Headers().at(field).compare(header.fields[i].trimmed(), Qt::CaseInsensitive) ==
                    0) {
                    m_column[size_t(field)] = i;
                    m_headerText[size_t(field)] = header.fields[i];
                }
            }
        }
    }

    bool hasColumn(int field) const { return m_column[size_t(field)] >= 0; }

    QString value(const CsvRecords::Record& record, int field) const {
        const int column = m_column[size_t(field)];
        return column >= 0 ? record.fields.value(column).trimmed() : QString();
    }

    // The eleven cells of a channel, or reports why the row cannot be one.
    QStringList cells(const CsvRecords::Record& record) {
        m_record = &record;
        QStringList cells(Col::kCount);
        QString reason;
        const FrequencyCheck rx =
            CsvValues::CheckFileFrequency(value(record, kFrequency), m_low, m_high, reason);
        report(kFrequency, reason);
        cells[Col::kRxFrequency] = rx.display;
        if (reason.isEmpty()) {
            cells[Col::kTxFrequency] = transmitFrequency(rx.count);
        }
        signalling(cells);
        cells[Col::kBandwidth] = bandwidth();
        cells[Col::kScan] = scan();
        cells[Col::kPower] = power();
        for (int column : kDroppedColumns) {
            cells[column] = Col::NewChannelDefault(column);
        }
        return cells;
    }

    // This radio has 16 channels; a file that gives more is not one to cut short silently.
    void reportSurplus(const CsvRecords::Record& record, int count) {
        m_record = &record;
        report(kFrequency, QCoreApplication::translate("GenericCsv",
                                                       "本机只有 %1 个信道，这是第 %2 个有频率的行")
                               .arg(kChannels)
                               .arg(count));
    }

    void report(int field, const QString& problem) {
        const int column = m_column[size_t(field)];
        // A value the row needs from a column the file does not have.
        const QString reason = column >= 0 || problem.isEmpty()
                                   ? problem
                                   : QCoreApplication::translate("GenericCsv", "文件没有 %1 列：%2")
                                         .arg(Headers().at(field), problem);
        // Both sides of DTCS read one code and one polarity; their fault is told once.
        const bool told = !m_result.problems.isEmpty() &&
                          m_result.problems.constLast().line == m_record->line &&
                          m_result.problems.constLast().column == column + 1 &&
                          m_result.problems.constLast().reason == reason;
        if (!reason.isEmpty() && !told) {
            m_result.problems.append(
                {m_record->line, column + 1, reason, m_headerText[size_t(field)]});
        }
    }

private:
    QString transmitFrequency(std::uint32_t rx) {
        const QString duplex = value(*m_record, kDuplex).toLower();
        const QString offset = value(*m_record, kOffset);
        QString reason;
        if (duplex.isEmpty()) {
            return PlainMHz(rx);
        }
        if (duplex == QLatin1String("off")) {
            return QString(); // receive only
        }
        if (duplex == QLatin1String("split")) {
            const FrequencyCheck tx = CsvValues::CheckFileFrequency(offset, m_low, m_high, reason);
            report(kOffset, reason);
            return tx.display;
        }
        if (duplex != QLatin1String("+") && duplex != QLatin1String("-")) {
            report(kDuplex, QCoreApplication::translate(
                                "GenericCsv", "%1 不是 Duplex 的值：应为空、+、-、split 或 off")
                                .arg(Quoted(value(*m_record, kDuplex))));
            return QString();
        }
        // Only the transmit frequency must be on the raster, not the offset that leads to it.
        const FrequencyCheck shift = CsvValues::CheckFileFrequency(
            offset, 0, std::numeric_limits<std::uint32_t>::max(), reason);
        if (shift.verdict != FrequencyCheck::Verdict::OffRaster && !reason.isEmpty()) {
            report(kOffset, reason);
            return QString();
        }
        const std::int64_t sign = duplex == QLatin1String("+") ? 1 : -1;
        const QString text = PlainMHz(std::int64_t(rx) + sign * std::int64_t(shift.count));
        const FrequencyCheck tx = CsvValues::CheckFileFrequency(text, m_low, m_high, reason);
        if (!reason.isEmpty()) {
            report(kOffset, QCoreApplication::translate("GenericCsv", "发射频率 %1").arg(reason));
        }
        return tx.display;
    }

    void signalling(QStringList& cells) {
        const QString tone = value(*m_record, kTone);
        const QString cross = value(*m_record, kCrossMode);
        const auto rule =
            std::find_if(kToneRules.begin(), kToneRules.end(), [&](const ToneRule& candidate) {
                const QString name = QString::fromLatin1(candidate.tone);
                return name.compare(tone, Qt::CaseInsensitive) == 0 &&
                       (name != kCross || cross.compare(QLatin1String(candidate.crossMode),
                                                        Qt::CaseInsensitive) == 0);
            });
        cells[Col::kRxSignal] = cells[Col::kTxSignal] = Col::NewChannelDefault(Col::kRxSignal);
        if (rule == kToneRules.end()) {
            const bool crossMode = tone.compare(kCross, Qt::CaseInsensitive) == 0;
            report(crossMode ? kCrossMode : kTone,
                   crossMode
                       ? QCoreApplication::translate(
                             "GenericCsv", "%1 不是本机能保存的 CrossMode：应为 Tone->Tone、"
                                           "Tone->、DTCS->、->Tone、->DTCS、Tone->DTCS、"
                                           "DTCS->Tone 或 DTCS->DTCS")
                             .arg(Quoted(cross))
                       : QCoreApplication::translate(
                             "GenericCsv", "%1 不是 Tone 的值：应为空、Tone、TSQL、DTCS 或 Cross")
                             .arg(Quoted(tone)));
            return;
        }
        cells[Col::kTxSignal] = entry(rule->tx, rule->txField, 0);
        cells[Col::kRxSignal] = entry(rule->rx, rule->rxField, 1);
    }

    // The signalling list entry one side names; side 0 is transmit, 1 receive, as in
    // DtcsPolarity.
    QString entry(Kind kind, int field, int side) {
        const SignallingList& list = TheSignallingList();
        if (kind == Kind::None) {
            return list.entry(SignallingList::kOff);
        }
        const QString text = value(*m_record, field);
        if (kind == Kind::Tone) {
            const std::optional<int> index = list.ResolveSignalText(text);
            if (!index || *index < SignallingList::kFirstTone ||
                *index >= SignallingList::kFirstNormalDcs) {
                report(field, QCoreApplication::translate("GenericCsv",
                                                          "%1 不是本机的亚音频（67.0 至 254.1 的 "
                                                          "50 个之一）")
                                  .arg(Quoted(text)));
                return list.entry(SignallingList::kOff);
            }
            return list.entry(*index);
        }
        QString polarity = value(*m_record, kDtcsPolarity).toUpper();
        if (polarity.isEmpty()) {
            polarity = QStringLiteral("NN");
        }
        static const QRegularExpression letters(QStringLiteral("^[NR]{2}$"));
        if (!letters.match(polarity).hasMatch()) {
            report(kDtcsPolarity,
                   QCoreApplication::translate("GenericCsv",
                                               "%1 不是 DtcsPolarity 的值：应为两个字母（发射、"
                                               "接收），各为 N 或 R，如 NN 或 NR")
                       .arg(Quoted(value(*m_record, kDtcsPolarity))));
            return list.entry(SignallingList::kOff);
        }
        const QChar letter =
            polarity.at(side) == QLatin1Char('R') ? QLatin1Char('I') : QLatin1Char('N');
        const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        const std::optional<int> index =
            digits ? list.ResolveSignalText(QLatin1Char('D') + text + letter) : std::nullopt;
        if (!index || *index < SignallingList::kFirstNormalDcs) {
            report(field,
                   QCoreApplication::translate("GenericCsv", "%1 不是本机的数字亚音代码（如 023）")
                       .arg(Quoted(text)));
            return list.entry(SignallingList::kOff);
        }
        return list.entry(*index);
    }

    QString bandwidth() {
        const QString mode = value(*m_record, kMode).toUpper();
        const QStringList& choices = Col::Choices(Col::kBandwidth); // 宽, 窄
        if (mode.isEmpty() || mode == QLatin1String("FM")) {
            return choices.at(0);
        }
        if (mode == QLatin1String("NFM")) {
            return choices.at(1);
        }
        report(kMode, QCoreApplication::translate(
                          "GenericCsv", "本机不能使用 %1 模式：只有 FM（宽带）和 NFM（窄带）")
                          .arg(Quoted(value(*m_record, kMode))));
        return choices.at(0);
    }

    QString scan() {
        const QString skip = value(*m_record, kSkip).toUpper();
        if (skip.isEmpty()) {
            return Col::kYes;
        }
        if (skip != QLatin1String("S")) {
            report(kSkip, QCoreApplication::translate("GenericCsv",
                                                      "%1 不是 Skip 的值：应为空（扫描）或 S")
                              .arg(Quoted(value(*m_record, kSkip))));
        }
        return Col::kNo;
    }

    QString power() {
        const QString text = value(*m_record, kPower);
        const QStringList& choices = Col::Choices(Col::kPower); // 高, 低
        if (text.isEmpty() || text.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0) {
            return choices.at(0);
        }
        if (text.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0 ||
            text.compare(QLatin1String("Mid"), Qt::CaseInsensitive) == 0) {
            return choices.at(1);
        }
        static const QRegularExpression watts(QStringLiteral("^(\\d+(?:\\.\\d*)?|\\.\\d+)\\s*W?$"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = watts.match(text);
        if (!match.hasMatch()) {
            report(kPower,
                   QCoreApplication::translate(
                       "GenericCsv", "%1 不是 Power 的值：应为 High、Mid、Low 或瓦数（如 5.0W）")
                       .arg(Quoted(text)));
            return choices.at(0);
        }
        return match.captured(1).toDouble() >= kHighPowerWatts ? choices.at(0) : choices.at(1);
    }

    std::uint32_t m_low;
    std::uint32_t m_high;
    Result& m_result;
    std::array<int, kFieldCount> m_column{};
    std::array<QString, kFieldCount> m_headerText;
    const CsvRecords::Record* m_record = nullptr;
};

// 1-16, or 0 for a Location that is not a channel number.
int ChannelOfLocation(const QString& text) {
    const bool digits =
        !text.isEmpty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    const int channel = digits ? text.toInt() : 0;
    return channel >= 1 && channel <= kChannels ? channel : 0;
}

} // namespace

const QStringList& Headers() {
    static const QStringList headers = {
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE"),
    };
    return headers;
}

bool IsGenericHeader(const QStringList& fields) {
    return std::any_of(fields.begin(), fields.end(), [](const QString& field) {
        return field.trimmed().compare(Headers().at(kFrequency), Qt::CaseInsensitive) == 0;
    });
}

QByteArray Export(const ChannelTable& table, QStringList& notes) {
    QString text = CsvRecords::FormatRecord(Headers());
    QList<int> transmitOnly;
    QList<int> dropped;
    for (int channel = 1; channel <= kChannels; ++channel) {
        if (table.cellText(channel, Col::kRxFrequency).isEmpty()) {
            if (!table.cellText(channel, Col::kTxFrequency).isEmpty()) {
                transmitOnly << channel;
            }
            continue;
        }
        text += CsvRecords::FormatRecord(ExportRow(table, channel));
        if (std::any_of(kDroppedColumns.begin(), kDroppedColumns.end(), [&](int column) {
                return table.cellText(channel, column) != Col::NewChannelDefault(column);
            })) {
            dropped << channel;
        }
    }
    if (!transmitOnly.isEmpty()) {
        notes << QCoreApplication::translate("GenericCsv",
                                             "信道 %1 只有发射频率，通用格式不能表示，没有导出")
                     .arg(JoinedChannels(transmitOnly));
    }
    if (!dropped.isEmpty()) {
        QStringList names;
        for (int column : kDroppedColumns) {
            names << Col::ShownHeader(column);
        }
        notes << QCoreApplication::translate("GenericCsv",
                                             "信道 %1 的%2设置在通用格式中没有对应的列，没有导出"
                                             "（再导入时取新信道的默认值）")
                     .arg(JoinedChannels(dropped), names.join(QLatin1Char('/')));
    }
    return text.toUtf8();
}

Result Import(const CsvRecords::Parsed& parsed, ChannelTable& table, std::uint32_t low,
              std::uint32_t high) {
    Result result;
    // The reader's problems name the file's own columns; one past the header has no name, and
    // our table's names would mislead, so it stands for its line.
    const QStringList header = parsed.records.isEmpty() ? QStringList() : parsed.records[0].fields;
    for (Problem problem : parsed.problems) {
        if (problem.column > header.size()) {
            problem.column = 0;
        } else if (problem.column > 0) {
            problem.header = header[problem.column - 1];
        }
        result.problems << problem;
    }
    for (int row = 1; row <= kChannels; ++row) {
        for (int column = 1; column <= Col::kLast; ++column) {
            table.setCellText(row, column, QString());
        }
    }
    if (parsed.records.isEmpty()) {
        return result;
    }
    RowImporter importer(parsed.records.first(), low, high, result);

    QList<const CsvRecords::Record*> rows;
    for (qsizetype i = 1; i < parsed.records.size(); ++i) {
        if (!importer.value(parsed.records[i], kFrequency).isEmpty()) {
            rows << &parsed.records[i];
        }
    }

    // Location places the rows only when every one names a channel of its own.
    QList<int> channels;
    QString placeNote;
    for (const CsvRecords::Record* row : rows) {
        const QString location = importer.value(*row, kLocation);
        const int channel = ChannelOfLocation(location);
        if (!importer.hasColumn(kLocation)) {
            placeNote = QCoreApplication::translate(
                "GenericCsv", "文件没有 Location 列；各行按文件中的顺序放入信道 1、2……");
        } else if (channel == 0 || channels.contains(channel)) {
            placeNote = QCoreApplication::translate("GenericCsv",
                                                    "第 %1 行的 Location %2 不是 1-16 中未用过的"
                                                    "信道号；各行按文件中的顺序放入信道 1、2……")
                            .arg(row->line)
                            .arg(Quoted(location));
        }
        if (!placeNote.isEmpty()) {
            break;
        }
        channels << channel;
    }
    if (!placeNote.isEmpty()) {
        result.notes << placeNote;
        channels.clear();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            channels << int(i) + 1;
        }
    }

    int named = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CsvRecords::Record& row = *rows[i];
        if (channels[i] > kChannels) {
            importer.reportSurplus(row, channels[i]);
            continue;
        }
        const QStringList cells = importer.cells(row);
        for (int column = 1; column <= Col::kLast; ++column) {
            table.setCellText(channels[i], column, cells[column]);
        }
        if (!importer.value(row, kName).isEmpty() || !importer.value(row, kComment).isEmpty()) {
            ++named;
        }
    }
    if (named > 0) {
        result.notes << QCoreApplication::translate(
            "GenericCsv", "%n 行的 Name 或 Comment 没有导入：本机的信道没有名称", nullptr, named);
    }
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const Problem& a, const Problem& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    return result;
}

} // namespace GenericCsv
