#include "generic_csv_row_importer.h"

#include "csv_values.h"
#include "frequency_check.h"
#include "signalling_list.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace GenericCsv {

namespace {

namespace Col = ChannelColumns;
using CsvValues::Quoted;

// A count as our own frequency texts write it, for the shared check.
QString PlainMHz(std::int64_t count) {
    const auto clamped = std::uint32_t(
        std::clamp<std::int64_t>(count, 0, std::numeric_limits<std::uint32_t>::max()));
    return QString::asprintf("%u.%05u", clamped / 100000, clamped % 100000);
}

} // namespace

RowImporter::RowImporter(const CsvRecords::Record& header, std::uint32_t low, std::uint32_t high,
                         Result& result)
    : m_low(low), m_high(high), m_result(result) {
    m_column.fill(-1);
    for (int i = 0; i < int(header.fields.size()); ++i) {
        for (int field = 0; field < kFieldCount; ++field) {
            if (Headers().at(field).compare(header.fields[i].trimmed(), Qt::CaseInsensitive) == 0) {
                m_column[size_t(field)] = i;
                m_headerText[size_t(field)] = header.fields[i];
            }
        }
    }
}

QString RowImporter::value(const CsvRecords::Record& record, int field) const {
    const int column = m_column[size_t(field)];
    return column >= 0 ? record.fields.value(column).trimmed() : QString();
}

QStringList RowImporter::cells(const CsvRecords::Record& record) {
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
    for (int column : DroppedColumns()) {
        cells[column] = Col::NewChannelDefault(column);
    }
    return cells;
}

void RowImporter::report(int field, const QString& problem) {
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
        m_result.problems.append({m_record->line, column + 1, reason, m_headerText[size_t(field)]});
    }
}

QString RowImporter::transmitFrequency(std::uint32_t rx) {
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
    const FrequencyCheck shift =
        CsvValues::CheckFileFrequency(offset, 0, std::numeric_limits<std::uint32_t>::max(), reason);
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

void RowImporter::signalling(QStringList& cells) {
    const QString tone = value(*m_record, kTone);
    const QString cross = value(*m_record, kCrossMode);
    const auto rule =
        std::find_if(kToneRules.begin(), kToneRules.end(), [&](const ToneRule& candidate) {
            const QString name = QString::fromLatin1(candidate.tone);
            return name.compare(tone, Qt::CaseInsensitive) == 0 &&
                   (name != kCross ||
                    cross.compare(QLatin1String(candidate.crossMode), Qt::CaseInsensitive) == 0);
        });
    cells[Col::kRxSignal] = cells[Col::kTxSignal] = Col::NewChannelDefault(Col::kRxSignal);
    if (rule == kToneRules.end()) {
        const bool crossMode = tone.compare(kCross, Qt::CaseInsensitive) == 0;
        report(crossMode ? kCrossMode : kTone,
               crossMode ? QCoreApplication::translate(
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

QString RowImporter::entry(Kind kind, int field, int side) {
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
        report(kDtcsPolarity, QCoreApplication::translate(
                                  "GenericCsv", "%1 不是 DtcsPolarity 的值：应为两个字母（发射、"
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

QString RowImporter::bandwidth() {
    const QString mode = value(*m_record, kMode).toUpper();
    const QStringList& choices = Col::Choices(Col::kBandwidth); // 宽, 窄
    if (mode.isEmpty() || mode == QLatin1String("FM")) {
        return choices.at(0);
    }
    if (mode == QLatin1String("NFM")) {
        return choices.at(1);
    }
    report(kMode, QCoreApplication::translate("GenericCsv",
                                              "本机不能使用 %1 模式：只有 FM（宽带）和 NFM（窄带）")
                      .arg(Quoted(value(*m_record, kMode))));
    return choices.at(0);
}

QString RowImporter::scan() {
    const QString skip = value(*m_record, kSkip).toUpper();
    if (skip.isEmpty()) {
        return Col::kYes;
    }
    if (skip != QLatin1String("S")) {
        report(kSkip,
               QCoreApplication::translate("GenericCsv", "%1 不是 Skip 的值：应为空（扫描）或 S")
                   .arg(Quoted(value(*m_record, kSkip))));
    }
    return Col::kNo;
}

QString RowImporter::power() {
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

} // namespace GenericCsv
