#include "channel_csv.h"

#include "channel_columns.h"
#include "frequency_check.h"
#include "signalling_list.h"

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

class RowImporter {
public:
    RowImporter(ChannelTable& table, std::uint32_t low, std::uint32_t high,
                QList<Problem>& problems)
        : m_table(table), m_low(low), m_high(high), m_problems(problems) {}

    void importRecord(const CsvRecords::Record& record) {
        m_line = record.line;
        if (record.fields.size() != Col::kCount) {
            report(0, QStringLiteral("expected %1 fields, found %2")
                          .arg(Col::kCount)
                          .arg(record.fields.size()));
            return;
        }
        const int channel = channelNumber(record.fields.first());
        if (channel == 0) {
            return;
        }
        m_cells = record.fields;
        if (m_cells[Col::kRxFrequency].isEmpty()) {
            return; // an empty receive frequency is an empty channel, whatever else the line holds
        }
        const QString rx = frequency(Col::kRxFrequency);
        m_table.setCellText(channel, Col::kRxFrequency, rx);
        m_table.setCellText(channel, Col::kTxFrequency,
                            m_cells[Col::kTxFrequency].isEmpty() ? rx
                                                                 : frequency(Col::kTxFrequency));
        for (int column : {Col::kRxSignal, Col::kTxSignal}) {
            m_table.setCellText(channel, column, signalling(column));
        }
        for (int column = Col::kBusy; column <= Col::kLast; ++column) {
            m_table.setCellText(channel, column, option(column));
        }
    }

private:
    // 1-16, or 0 after reporting why not.
    int channelNumber(const QString& field) {
        const QString text = field.trimmed();
        bool digits = !text.isEmpty() && text.size() <= 2;
        for (QChar c : text) {
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }
        const int channel = digits ? text.toInt() : 0;
        if (channel < 1 || channel > kChannels) {
            report(1, QStringLiteral("\"%1\" is not a channel number 1-16").arg(field));
            return 0;
        }
        if (m_seen.contains(channel)) {
            report(1, QStringLiteral("channel %1 is already given on line %2")
                          .arg(channel)
                          .arg(m_seen.value(channel)));
            return 0;
        }
        m_seen.insert(channel, m_line);
        return channel;
    }

    QString frequency(int column) {
        const FrequencyCheck check = CheckFrequency(m_cells[column], m_low, m_high);
        if (!check.accepted()) {
            reportCell(column, QStringLiteral("\"%1\": %2").arg(m_cells[column], check.message()));
        }
        return check.display;
    }

    QString signalling(int column) {
        const QString& text = m_cells[column];
        if (text.isEmpty()) {
            return Col::NewChannelDefault(column);
        }
        if (!TheSignallingList().entries().contains(text)) {
            reportCell(column, QStringLiteral("\"%1\" is not a signalling code (关, a tone such as "
                                              "67.0, or a DCS code such as D023N / D023I)")
                                   .arg(text));
        }
        return text;
    }

    QString option(int column) {
        const QString& text = m_cells[column];
        if (text.isEmpty()) {
            return optionDefault(column);
        }
        const QStringList& choices = Col::Choices(column);
        if (!choices.contains(text)) {
            reportCell(column, QStringLiteral("\"%1\" is not one of %2")
                                   .arg(text, choices.join(QStringLiteral(" / "))));
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
    QString where = QStringLiteral("line %1").arg(problem.line);
    if (problem.column > 0) {
        where += QStringLiteral(", column %1").arg(problem.column);
        if (problem.column <= Col::kCount) {
            where += QStringLiteral(" (%1)").arg(Col::Headers().at(problem.column - 1));
        }
    }
    return where + QStringLiteral(": ") + problem.reason;
}

QList<Problem> Import(const QByteArray& file, ChannelTable& table, std::uint32_t low,
                      std::uint32_t high) {
    QString text;
    int badLine = 0;
    if (!DecodeUtf8(file, text, badLine)) {
        return {{badLine, 0, QStringLiteral("not UTF-8 text; save the file as CSV in UTF-8")}};
    }
    CsvRecords::Parsed parsed = CsvRecords::Parse(text);
    QList<Problem> problems = parsed.problems;
    if (parsed.records.isEmpty()) {
        problems.append({1, 0, QStringLiteral("the file holds no header line")});
        return problems;
    }
    const CsvRecords::Record& header = parsed.records.first();
    if (header.fields != Col::Headers()) {
        problems.append(
            {header.line, 0, QStringLiteral("the header must be: ") + Col::Headers().join(',')});
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
