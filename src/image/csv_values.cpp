#include "csv_values.h"

#include "channel_columns.h"
#include "signalling_list.h"
#include "value_texts.h"

#include <QCoreApplication>

namespace CsvValues {

namespace {
constexpr int kQuotedLength = 40;
constexpr int kMaxDecimals = 5; // the image holds 10 Hz steps
} // namespace

QString Quoted(const QString& value) {
    QString shown;
    qsizetype i = 0;
    for (int length = 0; i < value.size() && length < kQuotedLength; ++i, ++length) {
        const QChar c = value.at(i);
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else if (c.isHighSurrogate() && i + 1 < value.size()) {
            shown += c;
            shown += value.at(++i);
        } else {
            shown += c;
        }
    }
    const QString cut =
        i < value.size()
            ? QCoreApplication::translate("ChannelCsv", "…（共 %1 个字符）").arg(value.size())
            : QString();
    return QLatin1Char('"') + shown + QLatin1Char('"') + cut;
}

QString ValueProblem(const QString& value, const QString& problem) {
    return QCoreApplication::translate("ChannelCsv", "%1：%2").arg(Quoted(value), problem);
}

FrequencyCheck CheckFileFrequency(const QString& text, std::uint32_t low, std::uint32_t high,
                                  QString& reason) {
    const FrequencyCheck check = CheckFrequency(text, low, high);
    reason.clear();
    if (check.verdict == FrequencyCheck::Verdict::NotANumber) {
        reason = ValueProblem(text, check.message());
        QString pointed = text;
        pointed.replace(QLatin1Char(','), QLatin1Char('.'));
        if (text.count(QLatin1Char(',')) == 1 && IsPlainDecimal(pointed)) {
            reason += QCoreApplication::translate("ChannelCsv", "（小数点应为句点：%1）")
                          .arg(pointed.trimmed());
        }
    } else if (check.decimals > kMaxDecimals) {
        reason = QCoreApplication::translate(
                     "ChannelCsv", "%1：小数超过 %2 位；对讲机按 10 Hz 的步进保存频率（%3）")
                     .arg(Quoted(text))
                     .arg(kMaxDecimals)
                     .arg(check.display);
    } else if (!check.accepted()) {
        reason = ValueProblem(text, check.message());
    }
    return check;
}

QString CellText(int column, const QString& text, std::uint32_t low, std::uint32_t high,
                 QString& reason) {
    namespace Col = ChannelColumns;
    reason.clear();
    const Col::Kind kind = Col::Describe(column).kind;
    if (kind == Col::Kind::Text || kind == Col::Kind::Number) {
        return text;
    }
    if (kind == Col::Kind::Frequency) {
        return CheckFileFrequency(text, low, high, reason).display;
    }
    if (kind == Col::Kind::Signalling) {
        const SignallingList& list = TheSignallingList();
        const std::optional<int> index = list.ResolveSignalText(text);
        if (index) {
            return list.entry(*index);
        }
        reason = QCoreApplication::translate("ChannelCsv",
                                             "%1 不是信令代码：应为 \"关\"、亚音频（如 67.0）"
                                             "或数字亚音（如 D023N / D023I）")
                     .arg(Quoted(text));
        return text;
    }
    const QStringList& choices = Col::Choices(column);
    const QString stored = ValueTexts::Stored(text, choices);
    if (stored.isEmpty()) {
        QStringList quoted;
        for (const QString& choice : choices) {
            quoted << Quoted(ValueTexts::Shown(choice));
        }
        reason = QCoreApplication::translate("ChannelCsv", "%1 不是 %2 之一")
                     .arg(Quoted(text), quoted.join(QStringLiteral(" / ")));
        return text;
    }
    return stored;
}

} // namespace CsvValues
