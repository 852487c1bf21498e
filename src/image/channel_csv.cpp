#include "channel_csv.h"

#include "band_fit.h"
#include "channel_columns.h"
#include "csv_values.h"
#include "frequency_check.h"
#include "generic_csv.h"
#include "ui_language.h"
#include "value_texts.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <limits>

namespace ChannelCsv {

namespace {

namespace Col = ChannelColumns;

constexpr int kChannels = 16;
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

using CsvValues::Quoted;

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
        takeEnglishOptions();
        if (m_cells[Col::kRxFrequency].isEmpty()) {
            importWithoutReceive(channel);
            return;
        }
        m_table.setCellText(channel, Col::kRxFrequency, cell(Col::kRxFrequency));
        // An empty transmit frequency is a receive-only channel, not one to fill in.
        m_table.setCellText(channel, Col::kTxFrequency,
                            m_cells[Col::kTxFrequency].isEmpty() ? QString()
                                                                 : cell(Col::kTxFrequency));
        for (int column : {Col::kRxSignal, Col::kTxSignal}) {
            m_table.setCellText(channel, column, signalling(column));
        }
        for (int column = Col::kTxSignal + 1; column < Col::kCount; ++column) {
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
        for (int column = Col::kRxSignal; column < Col::kCount; ++column) {
            if (!m_cells[column].isEmpty()) {
                reportCell(column,
                           QCoreApplication::translate(
                               "ChannelCsv", "没有接收频率的信道上有 %1；这样的信道只保存发射频率"
                                             "（整行留空则清除该信道）")
                               .arg(Quoted(m_cells[column])));
                return;
            }
        }
        m_table.setCellText(channel, Col::kTxFrequency, cell(Col::kTxFrequency));
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

    // What the cell stores; the problem is reported when the text is not taken.
    QString cell(int column) {
        QString reason;
        const QString text = CsvValues::CellText(column, m_cells[column], m_low, m_high, reason);
        if (!reason.isEmpty()) {
            reportCell(column, reason);
        }
        return text;
    }

    QString signalling(int column) {
        return m_cells[column].isEmpty() ? Col::NewChannelDefault(column) : cell(column);
    }

    // An option given in English ("Yes", "narrow") is read as its column's own text, before the
    // rules that compare options look at it.
    void takeEnglishOptions() {
        for (int column = Col::kTxSignal + 1; column < Col::kCount; ++column) {
            const QString stored = ValueTexts::Stored(m_cells[column], Col::Choices(column));
            if (!stored.isEmpty()) {
                m_cells[column] = stored;
            }
        }
    }

    // A choice or a free text.
    QString option(int column) {
        return m_cells[column].isEmpty() ? optionDefault(column) : cell(column);
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

void ClearChannels(ChannelTable& table) {
    for (int row = 1; row <= kChannels; ++row) {
        for (int column = 1; column < Col::kCount; ++column) {
            table.setCellText(row, column, QString());
        }
    }
}

} // namespace

QByteArray Export(const ChannelTable& table) {
    QString text = CsvRecords::FormatRecord(Col::Headers());
    for (int row = 1; row <= kChannels; ++row) {
        QStringList fields = {QString::number(row)};
        for (int column = 1; column < Col::kCount; ++column) {
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
        if (!problem.header.isEmpty()) {
            where += QCoreApplication::translate("ChannelCsv", "（%1）").arg(problem.header);
        } else if (problem.column <= Col::kCount) {
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

namespace {

// A file of the radio's columns only (as files were before the table had others) reads as one
// with those others empty.
CsvRecords::Parsed WithAllColumns(CsvRecords::Parsed parsed) {
    const QStringList radio = Col::Headers(Col::InImage);
    if (parsed.records.isEmpty() || radio == Col::Headers() ||
        parsed.records.first().fields != radio) {
        return parsed;
    }
    for (CsvRecords::Record& record : parsed.records) {
        if (record.fields.size() != radio.size()) {
            continue; // told as it is
        }
        for (int column = 0; column < Col::kCount; ++column) {
            if (!Col::InImage(column)) {
                record.fields.insert(column, QString());
            }
        }
    }
    parsed.records.first().fields = Col::Headers();
    return parsed;
}

QList<Problem> ImportParsed(const CsvRecords::Parsed& given, ChannelTable& table, std::uint32_t low,
                            std::uint32_t high) {
    const CsvRecords::Parsed parsed = WithAllColumns(given);
    QList<Problem> problems = parsed.problems;
    if (parsed.records.isEmpty()) {
        if (problems.isEmpty()) { // not a file that could not be read
            problems.append({1, 0, QCoreApplication::translate("ChannelCsv", "文件没有标题行")});
        }
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
    CsvRecords::SortProblems(problems);
    return problems;
}

} // namespace

QList<Problem> Import(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                      std::uint32_t high) {
    return ImportParsed(CsvRecords::ParseFile(file), table, low, high);
}

ImportResult ImportAny(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                       std::uint32_t high, int takeFirst) {
    const CsvRecords::Parsed parsed = CsvRecords::ParseFile(file);
    ImportResult result;
    if (!parsed.records.isEmpty() && GenericCsv::IsGenericHeader(parsed.records.first().fields)) {
        GenericCsv::Result generic = GenericCsv::Import(parsed, table, low, high, takeFirst);
        result.problems = generic.problems;
        result.notes = generic.notes;
        result.frequencyRows = generic.frequencyRows;
        result.layout = Layout::Generic;
        return result;
    }
    result.problems = ImportParsed(parsed, table, low, high);
    return result;
}

namespace {

// The file's channels read without a band's limits, to weigh them against each band.
ChannelTable Unbounded(const QByteArray& file, int takeFirst) {
    ChannelTable table;
    ImportAny(file, table, 0, std::numeric_limits<std::uint32_t>::max(), takeFirst);
    return table;
}

bool AnyOutOfRange(const ChannelTable& table, const BandLimits& limits) {
    const QList<StrayFrequency> strays = StrayFrequencies(table, limits);
    return std::any_of(strays.begin(), strays.end(), [](const StrayFrequency& stray) {
        return stray.verdict == FrequencyCheck::Verdict::OutOfRange;
    });
}

} // namespace

int BandOfFile(const QByteArray& file, int takeFirst) {
    const ChannelTable table = Unbounded(file, takeFirst);
    if (StrayFrequencies(table, BandLimits{0, 0}).isEmpty()) {
        return -1; // not one frequency
    }
    for (int band = 0; band < BandEntries().size(); ++band) {
        if (!AnyOutOfRange(table, BandLimitsFromText(BandEntries().at(band)))) {
            return band;
        }
    }
    return -1;
}

bool HasFrequencyOutside(const QByteArray& file, const BandLimits& limits, int takeFirst) {
    return AnyOutOfRange(Unbounded(file, takeFirst), limits);
}

bool ReadFile(QFileDevice& file, QByteArray& bytes, QString* reason) {
    const auto tooLarge = [&](const QString& size) {
        *reason = QCoreApplication::translate(
                      "ChannelCsv", "文件有 %1 字节，远大于 16 个信道的 CSV 所需（至多 %2 字节）")
                      .arg(size)
                      .arg(kMaxFileSize);
        return false;
    };
    if (!file.isSequential() && file.size() > kMaxFileSize) {
        return tooLarge(QString::number(file.size()));
    }
    // A pipe hands over what it holds at the moment, so one read may stop short of the limit
    // with more to come: reading on until the end is what tells a whole file from a cut one.
    bytes.clear();
    while (bytes.size() <= kMaxFileSize) {
        const QByteArray piece = file.read(kMaxFileSize + 1 - bytes.size());
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        *reason = UiLanguage::SystemErrorText(file.errorString());
        return false;
    }
    if (bytes.size() > kMaxFileSize) {
        bytes.clear();
        return tooLarge(QCoreApplication::translate("ChannelCsv", "超过 %1").arg(kMaxFileSize));
    }
    return true;
}

} // namespace ChannelCsv
