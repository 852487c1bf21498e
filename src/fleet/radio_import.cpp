#include "radio_import.h"

#include "channel_csv.h"
#include "csv_records.h"
#include "programming_record.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>

namespace RadioImport {
namespace {

using Problem = CsvRecords::Problem;

// The file's own words, whatever the run's language.
const QStringList& FixedHeaders() {
    static const QStringList headers = {QStringLiteral("标签"), QStringLiteral("计划"),
                                        QStringLiteral("组")};
    return headers;
}
constexpr int kFixed = 3;

bool AllEmpty(const QStringList& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return field.trimmed().isEmpty(); });
}

// The header's cell names from column kFixed + 1 on, with its problems.
QStringList CellNames(const CsvRecords::Record& header, QList<Problem>& problems) {
    QStringList names = header.fields;
    while (names.size() > kFixed && names.constLast().trimmed().isEmpty()) {
        names.removeLast();
    }
    for (int field = 0; field < kFixed; ++field) {
        if (names.value(field).trimmed() != FixedHeaders().at(field)) {
            problems.append({header.line, field + 1,
                             QCoreApplication::translate("Fleet", "这一列应为 \"%1\"")
                                 .arg(FixedHeaders().at(field)),
                             names.value(field)});
        }
    }
    QHash<QString, int> seen;
    for (int field = kFixed; field < names.size(); ++field) {
        const QString name = RadioOverrides::CellName(names[field]);
        if (name.isEmpty()) {
            problems.append(
                {header.line, field + 1,
                 QCoreApplication::translate("Fleet", "应为信道号和列名，如 \"信道3 接收频率\""),
                 names[field]});
        } else if (seen.contains(name)) {
            problems.append(
                {header.line, field + 1,
                 QCoreApplication::translate("Fleet", "与第 %1 列重复").arg(seen.value(name)),
                 names[field]});
        }
        seen.insert(name, field + 1);
    }
    return names.mid(kFixed);
}

class LineReader {
public:
    LineReader(const QStringList& cells, const PlanLookup& plans, const QSet<QString>& taken,
               QList<Problem>& problems)
        : m_cells(cells), m_plans(plans), m_taken(taken), m_problems(problems) {}

    void read(const CsvRecords::Record& record, QList<FleetRadio>& radios) {
        const int count = kFixed + int(m_cells.size());
        if (record.fields.size() < count ||
            (record.fields.size() > count && !AllEmpty(record.fields.mid(count)))) {
            m_problems.append(
                {record.line, 0,
                 QCoreApplication::translate("Fleet", "应有 %1 个字段（与标题行相同），实有 %2 个")
                     .arg(count)
                     .arg(record.fields.size())});
            return;
        }
        FleetRadio radio{RadioStore::Label(record.fields[0]),
                         record.fields[2].trimmed(),
                         QString(),
                         record.fields[1].trimmed(),
                         {}};
        const bool labelled = takeLabel(record.line, radio.label);
        if (const QString problem = RecordFields::LabelProblem(radio.group); !problem.isEmpty()) {
            m_problems.append({record.line, 3, problem, FixedHeaders().at(2)});
        }
        QList<int> columns;
        for (int i = 0; i < m_cells.size(); ++i) {
            if (!record.fields[kFixed + i].trimmed().isEmpty()) {
                radio.values.append(
                    {RadioOverrides::CellName(m_cells[i]), record.fields[kFixed + i]});
                columns.append(kFixed + i + 1);
            }
        }
        const std::optional<PlanVersion> plan = lookUp(radio.plan);
        if (!plan) {
            m_problems.append({record.line, 2,
                               radio.plan.isEmpty()
                                   ? QCoreApplication::translate("Fleet", "没有计划")
                                   : QCoreApplication::translate("Fleet", "没有名为 \"%1\" 的计划")
                                         .arg(radio.plan),
                               FixedHeaders().at(1)});
            return;
        }
        MemoryImage image = plan->image;
        for (const RadioOverrides::CellProblem& problem :
             RadioOverrides::ApplyCells(radio.values, image)) {
            m_problems.append({record.line, columns.at(problem.index), problem.reason,
                               m_cells.at(columns.at(problem.index) - kFixed - 1)});
        }
        if (labelled) {
            radios.append(radio);
        }
    }

private:
    bool takeLabel(int line, const QString& label) {
        QString problem = RadioStore::LabelProblem(label);
        if (problem.isEmpty() && m_lines.contains(label)) {
            problem = QCoreApplication::translate("Fleet", "标签 \"%1\" 已在第 %2 行用过")
                          .arg(label)
                          .arg(m_lines.value(label));
        } else if (problem.isEmpty() && m_taken.contains(label)) {
            problem = QCoreApplication::translate("Fleet", "标签 \"%1\" 已在车队中").arg(label);
        }
        m_lines.insert(label, line);
        if (!problem.isEmpty()) {
            m_problems.append({line, 1, problem, FixedHeaders().at(0)});
        }
        return problem.isEmpty();
    }

    std::optional<PlanVersion> lookUp(const QString& name) {
        if (name.isEmpty()) {
            return std::nullopt;
        }
        if (!m_known.contains(name)) {
            m_known.insert(name, m_plans(name));
        }
        return m_known.value(name);
    }

    const QStringList& m_cells;
    const PlanLookup& m_plans;
    const QSet<QString>& m_taken;
    QList<Problem>& m_problems;
    QHash<QString, int> m_lines;
    QHash<QString, std::optional<PlanVersion>> m_known;
};

} // namespace

Result Read(const QByteArray& file, const PlanLookup& plans, const QSet<QString>& taken) {
    const CsvRecords::Parsed parsed = CsvRecords::ParseFile(file);
    QList<Problem> problems = parsed.problems;
    Result result;
    if (parsed.records.isEmpty() && problems.isEmpty()) {
        problems.append({1, 0, QCoreApplication::translate("ChannelCsv", "文件没有标题行")});
    }
    if (!parsed.records.isEmpty()) {
        const QStringList cells = CellNames(parsed.records.first(), problems);
        // Lines read against a header that is wrong would only repeat its problem.
        if (problems.isEmpty()) {
            LineReader reader(cells, plans, taken, problems);
            for (qsizetype i = 1; i < parsed.records.size(); ++i) {
                if (!AllEmpty(parsed.records[i].fields)) {
                    reader.read(parsed.records[i], result.radios);
                }
            }
        }
    }
    if (problems.isEmpty() && result.radios.isEmpty()) {
        problems.append({1, 0, QCoreApplication::translate("Fleet", "文件中没有一台电台")});
    }
    if (!problems.isEmpty()) {
        CsvRecords::SortProblems(problems);
        result.radios.clear();
        result.problems = ChannelCsv::DescribeProblems(problems);
    }
    return result;
}

} // namespace RadioImport
