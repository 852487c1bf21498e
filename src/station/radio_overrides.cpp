#include "radio_overrides.h"

#include "band_limits.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "channel_csv.h"
#include "channel_table_model.h"
#include "csv_values.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <algorithm>

namespace RadioOverrides {

namespace {

namespace Col = ChannelColumns;
using Problem = CsvRecords::Problem;

constexpr int kChannels = 16;

// The file's own word, whatever the run's language.
const QString& LabelHeader() {
    static const QString header = QStringLiteral("标签");
    return header;
}

// "\"扰频\" / \"压扩\"": column names as a message quotes them.
QString QuotedHeaders(int first, int last) {
    QStringList names;
    for (int column = first; column <= last; ++column) {
        names << CsvValues::Quoted(Col::Headers().at(column));
    }
    return names.join(QStringLiteral(" / "));
}

// "\"接收频率\" / … / \"加重\"": the columns a radio's line may change (the ones its image
// holds), as a message quotes them.
QString ChangeableHeaders() {
    QStringList names;
    for (int column = Col::kRxFrequency; column < Col::kCount; ++column) {
        if (Col::InImage(column)) {
            names << CsvValues::Quoted(Col::Headers().at(column));
        }
    }
    return names.join(QStringLiteral(" / "));
}

// A cell of the table a header names; channel 0 when it names none.
struct Cell {
    int channel = 0;
    int column = 0;
};

// "信道3 接收频率"; a space after 信道 is taken too, as a person may type one.
Cell HeaderCell(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^信道\\s*(\\d{1,2})\\s*(\\S+)$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return {};
    }
    const int channel = match.captured(1).toInt();
    const int column = int(Col::Headers().indexOf(match.captured(2)));
    if (channel < 1 || channel > kChannels || column < Col::kRxFrequency || !Col::InImage(column)) {
        return {};
    }
    return {channel, column};
}

bool AllEmpty(const QStringList& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return field.trimmed().isEmpty(); });
}

// The header line's cells in field order, or problems saying what is wrong with it.
class Header {
public:
    Header(const CsvRecords::Record& record, QList<Problem>& problems) : m_names(record.fields) {
        // Columns a spreadsheet saves empty after the last one named.
        while (m_names.size() > 1 && m_names.constLast().trimmed().isEmpty()) {
            m_names.removeLast();
        }
        if (m_names.value(0).trimmed() != LabelHeader()) {
            problems.append({record.line, 1,
                             QCoreApplication::translate("RadioOverrides", "第一列应为 \"%1\"")
                                 .arg(LabelHeader()),
                             m_names.value(0)});
        }
        QHash<int, int> seen; // channel * 100 + column -> field
        for (int field = 1; field < m_names.size(); ++field) {
            const Cell cell = HeaderCell(m_names[field]);
            const auto problem = [&](const QString& reason) {
                problems.append({record.line, field + 1, reason, m_names[field]});
            };
            if (cell.channel == 0) {
                problem(
                    QCoreApplication::translate(
                        "RadioOverrides", "应为信道号和列名，如 \"信道3 接收频率\"；列名是 %1 之一")
                        .arg(ChangeableHeaders()));
            } else if (seen.contains(cell.channel * 100 + cell.column)) {
                problem(QCoreApplication::translate("RadioOverrides", "与第 %1 列重复")
                            .arg(seen.value(cell.channel * 100 + cell.column)));
            }
            seen.insert(cell.channel * 100 + cell.column, field + 1);
        }
    }

    int fieldCount() const { return int(m_names.size()); }
    QString name(int field) const { return m_names.value(field); }

private:
    QStringList m_names;
};

// Named cells' changes to a copy of the table, made through the table's own editing rules: a
// receive frequency in an empty channel makes a new channel with the defaults, and switching one
// of 扰频, 压扩 and 加重 on switches the others off.
class CellChanges {
public:
    CellChanges(const QList<CellValue>& values, QList<CellProblem>& problems)
        : m_values(values), m_problems(problems) {
        for (const CellValue& value : values) {
            m_cells.append(HeaderCell(value.name));
        }
    }

    void applyTo(ChannelTableModel& table) {
        for (int index = 0; index < m_cells.size(); ++index) {
            if (m_cells[index].channel == 0) {
                report(index, QCoreApplication::translate(
                                  "RadioOverrides",
                                  "应为信道号和列名，如 \"信道3 接收频率\"；列名是 %1 之一")
                                  .arg(ChangeableHeaders()));
            }
        }
        for (int channel = 1; channel <= kChannels; ++channel) {
            QMap<int, int> given; // column -> index, the receive frequency first
            for (int index = 0; index < m_cells.size(); ++index) {
                if (m_cells[index].channel == channel && !text(index).trimmed().isEmpty()) {
                    given.insert(m_cells[index].column, index);
                }
            }
            if (!given.isEmpty()) {
                applyChannel(table, channel, given);
            }
        }
    }

private:
    QString text(int index) const { return m_values.at(index).text; }

    void report(int index, const QString& reason) { m_problems.append({index, reason}); }

    void applyChannel(ChannelTableModel& table, int channel, const QMap<int, int>& given) {
        if (table.isEmptyChannel(channel) && !given.contains(Col::kRxFrequency)) {
            report(given.first(),
                   QCoreApplication::translate("RadioOverrides",
                                               "信道 %1 是空信道：同一行要给出它的接收频率")
                       .arg(channel));
            return;
        }
        const BandLimits band = table.bandLimits();
        int switchedOn = 0;
        for (auto it = given.begin(); it != given.end(); ++it) {
            QString reason;
            const QString stored =
                CsvValues::CellText(it.key(), text(it.value()), band.low, band.high, reason);
            const bool exclusive = std::find(Col::kExclusive.begin(), Col::kExclusive.end(),
                                             it.key()) != Col::kExclusive.end();
            if (reason.isEmpty() && exclusive && stored == Col::kYes && ++switchedOn == 2) {
                reason = QCoreApplication::translate("RadioOverrides", "%1 中只能有一个是 %2")
                             .arg(QuotedHeaders(Col::kScrambler, Col::kEmphasis),
                                  CsvValues::Quoted(Col::kYes));
            }
            if (!reason.isEmpty()) {
                report(it.value(), reason);
            } else if (!table.setData(table.cellIndex(channel, it.key()), stored)) {
                report(it.value(), table.refusal().message);
            }
        }
    }

    const QList<CellValue>& m_values;
    QList<Cell> m_cells;
    QList<CellProblem>& m_problems;
};

// A line's texts under the header's cell names: an empty text keeps the table's.
QList<CellValue> RowValues(const Header& header, const CsvRecords::Record& record) {
    QList<CellValue> values;
    for (int field = 1; field < header.fieldCount(); ++field) {
        values.append({header.name(field), record.fields.value(field)});
    }
    return values;
}

// A line holds as many fields as the header, or more that are empty.
bool FieldsFit(const CsvRecords::Record& record, int count, QList<Problem>& problems) {
    if (record.fields.size() >= count && AllEmpty(record.fields.mid(count))) {
        return true;
    }
    problems.append(
        {record.line, 0,
         QCoreApplication::translate("RadioOverrides", "应有 %1 个字段（与标题行相同），实有 %2 个")
             .arg(count)
             .arg(record.fields.size())});
    return false;
}

// Every radio has a label of its own, so that the log tells them apart.
bool TakeLabel(const CsvRecords::Record& record, QHash<QString, int>& labels,
               QList<Problem>& problems) {
    const QString label = record.fields.first().trimmed();
    if (!label.isEmpty() && !labels.contains(label)) {
        labels.insert(label, record.line);
        return true;
    }
    problems.append({record.line, 1,
                     label.isEmpty()
                         ? QCoreApplication::translate("RadioOverrides", "没有标签")
                         : QCoreApplication::translate("RadioOverrides", "标签 %1 已在第 %2 行用过")
                               .arg(CsvValues::Quoted(label))
                               .arg(labels.value(label)),
                     LabelHeader()});
    return false;
}

} // namespace

QString CellName(const QString& name) {
    const Cell cell = HeaderCell(name);
    return cell.channel == 0
               ? QString()
               : QStringLiteral("信道%1 %2").arg(cell.channel).arg(Col::Headers().at(cell.column));
}

QList<CellProblem> ApplyCells(const QList<CellValue>& values, MemoryImage& image) {
    QList<CellProblem> problems;
    ChannelTable own;
    DecodeChannels(image, own);
    ChannelTableModel rules(own);
    CellChanges(values, problems).applyTo(rules);
    if (problems.isEmpty()) {
        EncodeChannels(own, image);
    }
    return problems;
}

Result Read(const QByteArray& file, const MemoryImage& table) {
    const CsvRecords::Parsed parsed = CsvRecords::ParseFile(file);
    QList<Problem> problems = parsed.problems;
    Result result;
    if (parsed.records.isEmpty()) {
        if (problems.isEmpty()) { // not a file that could not be read
            problems.append({1, 0, QCoreApplication::translate("ChannelCsv", "文件没有标题行")});
        }
        result.problems = ChannelCsv::DescribeProblems(problems);
        return result;
    }
    const Header header(parsed.records.first(), problems);
    QHash<QString, int> labels; // label -> line
    // Lines read against a header that is wrong would only repeat its problem.
    const qsizetype lines = problems.isEmpty() ? parsed.records.size() : 0;
    for (qsizetype i = 1; i < lines; ++i) {
        const CsvRecords::Record& record = parsed.records[i];
        if (AllEmpty(record.fields)) { // a spreadsheet's row left blank
            continue;
        }
        if (!FieldsFit(record, header.fieldCount(), problems) ||
            !TakeLabel(record, labels, problems)) {
            continue;
        }
        RadioOverride radio{record.line, record.fields.first().trimmed(), table};
        for (const CellProblem& problem : ApplyCells(RowValues(header, record), radio.image)) {
            problems.append(
                {record.line, problem.index + 2, problem.reason, header.name(problem.index + 1)});
        }
        result.radios.append(radio);
    }
    if (problems.isEmpty() && result.radios.isEmpty()) {
        problems.append({1, 0, QCoreApplication::translate("RadioOverrides", "没有一台电台的行")});
    }
    if (!problems.isEmpty()) {
        CsvRecords::SortProblems(problems);
        result.radios.clear();
        result.problems = ChannelCsv::DescribeProblems(problems);
    }
    return result;
}

Result Load(const QString& path, const MemoryImage& table) {
    QFile file(path);
    QByteArray bytes;
    QString reason;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = UiLanguage::SystemErrorText(file.errorString());
    } else if (ChannelCsv::ReadFile(file, bytes, &reason)) {
        return Read(bytes, table);
    }
    Result result;
    result.problems.append(
        QCoreApplication::translate("RadioOverrides", "无法读取 %1：%2").arg(path, reason));
    return result;
}

} // namespace RadioOverrides
