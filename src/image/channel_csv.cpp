#include "channel_csv.h"

#include "channel_columns.h"
#include "frequency_check.h"
#include "signalling_list.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>

namespace ChannelCsv {

namespace {

namespace Col = ChannelColumns;

constexpr int kChannels = 16;
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The whole file as text, or the number of the first line that is not UTF-8.
bool DecodeUtf8(const QByteArray& file, QString& text, int& badLine) {
    QByteArray bytes = file.startsWith(kUtf8Bom) ? file.mid(kUtf8Bom.size()) : file;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(lines[i]);
        if (decoder.hasError()) {
            badLine = i + 1;
            return false;
        }
        text += line;
        if (i + 1 < lines.size()) {
            text += QLatin1Char('\n');
        }
    }
    return true;
}

constexpr int kQuotedLength = 40;
constexpr int kMaxDecimals = 5; // the image holds 10 Hz steps

// A value from the file as a message shows it: in quotes, cut to kQuotedLength characters, and
// with control characters (a NUL, a tab, a lone CR) spelled out so the terminal shows them.
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

// Whether the fields after the first `count` are all empty: what a spreadsheet leaves when it
// saves columns beyond the table.
bool OnlyEmptyBeyond(const QStringList& fields, qsizetype count) {
    for (qsizetype i = count; i < fields.size(); ++i) {
        if (!fields[i].isEmpty()) {
            return false;
        }
    }
    return true;
}

// A value and what is wrong with it.
QString ValueProblem(const QString& value, const QString& problem) {
    return QCoreApplication::translate("ChannelCsv", "%1：%2").arg(Quoted(value), problem);
}

QString TrailingCommas(qsizetype extra) {
    return QCoreApplication::translate("ChannelCsv", "%n 个多余的逗号", nullptr, int(extra));
}

class RowImporter {
public:
    RowImporter(ChannelTable& table, std::uint32_t low, std::uint32_t high,
                QList<Problem>& problems)
        : m_table(table), m_low(low), m_high(high), m_problems(problems) {}

    void importRecord(const CsvRecords::Record& record) {
        m_line = record.line;
        if (record.fields.size() != Col::kCount) {
            reportFieldCount(record.fields);
            return;
        }
        const int channel = channelNumber(record.fields.first());
        if (channel == 0) {
            return;
        }
        m_cells = record.fields;
        if (m_cells[Col::kRxFrequency].isEmpty()) {
            importWithoutReceive(channel);
            return;
        }
        m_table.setCellText(channel, Col::kRxFrequency, frequency(Col::kRxFrequency));
        // An empty transmit frequency is a receive-only channel, not one to fill in.
        m_table.setCellText(channel, Col::kTxFrequency,
                            m_cells[Col::kTxFrequency].isEmpty() ? QString()
                                                                 : frequency(Col::kTxFrequency));
        for (int column : {Col::kRxSignal, Col::kTxSignal}) {
            m_table.setCellText(channel, column, signalling(column));
        }
        for (int column = Col::kBusy; column <= Col::kLast; ++column) {
            m_table.setCellText(channel, column, option(column));
        }
        checkExclusiveOptions();
    }

private:
    void reportFieldCount(const QStringList& fields) {
        const qsizetype extra = fields.size() - Col::kCount;
        if (extra > 0 && OnlyEmptyBeyond(fields, Col::kCount)) {
            report(0, QCoreApplication::translate("ChannelCsv",
                                                  "最后一列（%2）之后有 %1；请删除其后的空列")
                          .arg(TrailingCommas(extra), Col::Headers().constLast()));
            return;
        }
        report(0, QCoreApplication::translate("ChannelCsv", "应有 %1 个字段，实有 %2 个")
                      .arg(Col::kCount)
                      .arg(fields.size()));
    }

    // No receive frequency: the channel is empty, except that a record may hold a transmit
    // frequency alone (a radio can, and export writes it so); such a line holds nothing else,
    // so other texts on it are a mistake rather than something to drop silently.
    void importWithoutReceive(int channel) {
        if (m_cells[Col::kTxFrequency].isEmpty()) {
            return;
        }
        for (int column = Col::kRxSignal; column <= Col::kLast; ++column) {
            if (!m_cells[column].isEmpty()) {
                reportCell(column,
                           QCoreApplication::translate(
                               "ChannelCsv", "没有接收频率的信道上有 %1；这样的信道只保存发射频率"
                                             "（整行留空则清除该信道）")
                               .arg(Quoted(m_cells[column])));
                return;
            }
        }
        m_table.setCellText(channel, Col::kTxFrequency, frequency(Col::kTxFrequency));
    }

    // 1-16, or 0 after reporting why not.
    int channelNumber(const QString& field) {
        const QString text = field.trimmed();
        bool digits = !text.isEmpty() && text.size() <= 2;
        for (QChar c : text) {
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }
        const int channel = digits ? text.toInt() : 0;
        if (channel < 1 || channel > kChannels) {
            report(1, QCoreApplication::translate("ChannelCsv", "%1 不是 1-16 的信道号")
                          .arg(Quoted(field)));
            return 0;
        }
        if (m_seen.contains(channel)) {
            report(1, QCoreApplication::translate("ChannelCsv", "信道 %1 已在第 %2 行给出")
                          .arg(channel)
                          .arg(m_seen.value(channel)));
            return 0;
        }
        m_seen.insert(channel, m_line);
        return channel;
    }

    // The display text of an accepted frequency; the cell's value is the count that was checked,
    // so a text with more decimals than the 10 Hz step holds is refused rather than cut.
    QString frequency(int column) {
        const QString& text = m_cells[column];
        const FrequencyCheck check = CheckFrequency(text, m_low, m_high);
        if (check.verdict == FrequencyCheck::Verdict::NotANumber) {
            QString reason = ValueProblem(text, check.message());
            QString pointed = text;
            pointed.replace(QLatin1Char(','), QLatin1Char('.'));
            if (text.count(QLatin1Char(',')) == 1 && IsPlainDecimal(pointed)) {
                reason += QCoreApplication::translate("ChannelCsv", "（小数点应为句点：%1）")
                              .arg(pointed.trimmed());
            }
            reportCell(column, reason);
        } else if (check.decimals > kMaxDecimals) {
            reportCell(column,
                       QCoreApplication::translate(
                           "ChannelCsv", "%1：小数超过 %2 位；对讲机按 10 Hz 的步进保存频率（%3）")
                           .arg(Quoted(text))
                           .arg(kMaxDecimals)
                           .arg(check.display));
        } else if (!check.accepted()) {
            reportCell(column, ValueProblem(text, check.message()));
        }
        return check.display;
    }

    QString signalling(int column) {
        const QString& text = m_cells[column];
        if (text.isEmpty()) {
            return Col::NewChannelDefault(column);
        }
        const SignallingList& list = TheSignallingList();
        const std::optional<int> index = list.ResolveSignalText(text);
        if (!index) {
            reportCell(column, QCoreApplication::translate(
                                   "ChannelCsv", "%1 不是信令代码：应为 \"关\"、亚音频（如 67.0）"
                                                 "或数字亚音（如 D023N / D023I）")
                                   .arg(Quoted(text)));
            return text;
        }
        return list.entry(*index);
    }

    QString option(int column) {
        const QString& text = m_cells[column];
        if (text.isEmpty()) {
            return optionDefault(column);
        }
        const QStringList& choices = Col::Choices(column);
        if (!choices.contains(text)) {
            QStringList quoted;
            for (const QString& choice : choices) {
                quoted << Quoted(choice);
            }
            reportCell(column, QCoreApplication::translate("ChannelCsv", "%1 不是 %2 之一")
                                   .arg(Quoted(text), quoted.join(QStringLiteral(" / "))));
        }
        return text;
    }

    // A new channel has emphasis on; a line that switches scrambler or compander on means the
    // emphasis it leaves empty to be off, as choosing either in the table switches it off.
    QString optionDefault(int column) const {
        const bool exclusive = std::find(Col::kExclusive.begin(), Col::kExclusive.end(), column) !=
                               Col::kExclusive.end();
        if (exclusive) {
            for (int other : Col::kExclusive) {
                if (other != column && m_cells[other] == Col::kYes) {
                    return Col::kNo;
                }
            }
        }
        return Col::NewChannelDefault(column);
    }

    // The table never lets two of these be on at once, so a file must not either.
    void checkExclusiveOptions() {
        QStringList on;
        for (int column : Col::kExclusive) {
            if (m_cells[column] == Col::kYes) {
                on << Quoted(Col::Headers().at(column));
                if (on.size() == 2) {
                    reportCell(column, QCoreApplication::translate(
                                           "ChannelCsv", "%1 和 %2 都是 %3；%4 中只能有一个是 %3")
                                           .arg(on[0], on[1], Quoted(Col::kYes),
                                                ExclusiveHeaders().join(QStringLiteral(" / "))));
                }
            }
        }
    }

    static QStringList ExclusiveHeaders() {
        QStringList headers;
        for (int column : Col::kExclusive) {
            headers << Quoted(Col::Headers().at(column));
        }
        return headers;
    }

    void report(int field, const QString& reason) { m_problems.append({m_line, field, reason}); }
    // Table column n is field n + 1 of the line: the channel number comes first.
    void reportCell(int column, const QString& reason) { report(column + 1, reason); }

    ChannelTable& m_table;
    std::uint32_t m_low;
    std::uint32_t m_high;
    QList<Problem>& m_problems;
    QHash<int, int> m_seen; // channel -> line
    QStringList m_cells;
    int m_line = 0;
};

// The line (counted as an editor shows them) of the first carriage return that no line feed
// follows, or 0. Such a file is one long line to a CSV reader, and the header check would blame
// the header instead.
int LoneCarriageReturnLine(const QString& text) {
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r')) {
            if (i + 1 == text.size() || text.at(i + 1) != QLatin1Char('\n')) {
                return line;
            }
        } else if (text.at(i) == QLatin1Char('\n')) {
            ++line;
        }
    }
    return 0;
}

void ClearChannels(ChannelTable& table) {
    for (int row = 1; row <= kChannels; ++row) {
        for (int column = 1; column <= Col::kLast; ++column) {
            table.setCellText(row, column, QString());
        }
    }
}

} // namespace

QByteArray Export(const ChannelTable& table) {
    QString text = CsvRecords::FormatRecord(Col::Headers());
    for (int row = 1; row <= kChannels; ++row) {
        QStringList fields = {QString::number(row)};
        for (int column = 1; column <= Col::kLast; ++column) {
            fields.append(table.cellText(row, column));
        }
        text += CsvRecords::FormatRecord(fields);
    }
    return kUtf8Bom + text.toUtf8();
}

QString Describe(const Problem& problem) {
    QString where = QCoreApplication::translate("ChannelCsv", "第 %1 行").arg(problem.line);
    if (problem.column > 0) {
        where += QCoreApplication::translate("ChannelCsv", "，第 %1 列").arg(problem.column);
        if (problem.column <= Col::kCount) {
            where += QCoreApplication::translate("ChannelCsv", "（%1）")
                         .arg(Col::Headers().at(problem.column - 1));
        }
    }
    return QCoreApplication::translate("ChannelCsv", "%1：%2").arg(where, problem.reason);
}

QStringList DescribeProblems(const QList<Problem>& problems) {
    QStringList lines;
    for (qsizetype i = 0; i < problems.size() && i < kShownProblems; ++i) {
        lines << Describe(problems[i]);
    }
    if (problems.size() > kShownProblems) {
        lines << QCoreApplication::translate("ChannelCsv", "另有 %n 个问题没有列出", nullptr,
                                             int(problems.size() - kShownProblems));
    }
    return lines;
}

QList<Problem> Import(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                      std::uint32_t high) {
    QString text;
    int badLine = 0;
    if (!DecodeUtf8(file, text, badLine)) {
        return {{badLine, 0,
                 QCoreApplication::translate("ChannelCsv",
                                             "不是 UTF-8 文本；请把文件另存为 UTF-8 编码的 CSV")}};
    }
    if (const int line = LoneCarriageReturnLine(text); line > 0) {
        return {{line, 0,
                 QCoreApplication::translate("ChannelCsv",
                                             "行尾只有回车符（CR，旧式 Mac 文件就是这样）；"
                                             "请以 CRLF 或 LF 作为行尾保存文件")}};
    }
    CsvRecords::Parsed parsed = CsvRecords::Parse(text);
    QList<Problem> problems = parsed.problems;
    if (parsed.records.isEmpty()) {
        problems.append({1, 0, QCoreApplication::translate("ChannelCsv", "文件没有标题行")});
        return problems;
    }
    const CsvRecords::Record& header = parsed.records.first();
    if (header.fields.size() > Col::kCount && OnlyEmptyBeyond(header.fields, Col::kCount) &&
        header.fields.mid(0, Col::kCount) == Col::Headers()) {
        problems.append({header.line, 0,
                         QCoreApplication::translate(
                             "ChannelCsv", "标题行最后一列（%2）之后有 %1；请删除其后的空列")
                             .arg(TrailingCommas(header.fields.size() - Col::kCount),
                                  Col::Headers().constLast())});
        return problems;
    }
    if (header.fields != Col::Headers()) {
        problems.append({header.line, 0,
                         QCoreApplication::translate("ChannelCsv", "标题行应为：%1")
                             .arg(QLatin1Char('"') + Col::Headers().join(QLatin1Char(',')) +
                                  QLatin1Char('"'))});
        return problems;
    }
    ClearChannels(table);
    RowImporter importer(table, low, high, problems);
    for (qsizetype i = 1; i < parsed.records.size(); ++i) {
        importer.importRecord(parsed.records[i]);
    }
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return problems;
}

} // namespace ChannelCsv
