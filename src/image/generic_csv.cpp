#include "generic_csv.h"

#include "generic_csv_row_importer.h"

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

// 1-16, or 0 for a Location that is not a channel number.
int ChannelOfLocation(const QString& text) {
    const bool digits =
        !text.isEmpty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    const int channel = digits ? text.toInt() : 0;
    return channel >= 1 && channel <= kChannels ? channel : 0;
}

// A value past the header's last column belongs to no column: a row shifted by a stray comma
// must not pass for a good one. Rows after lastLine are not read.
void ReportBeyondHeader(const CsvRecords::Parsed& parsed, int lastLine, Result& result) {
    const qsizetype width = parsed.records.first().fields.size();
    for (qsizetype i = 1; i < parsed.records.size() && parsed.records[i].line <= lastLine; ++i) {
        const CsvRecords::Record& record = parsed.records[i];
        for (qsizetype column = width; column < record.fields.size(); ++column) {
            if (!record.fields[column].trimmed().isEmpty()) {
                result.problems << Problem{
                    record.line, int(column) + 1,
                    QCoreApplication::translate("GenericCsv", "标题行没有这一列，这里却有 %1")
                        .arg(Quoted(record.fields[column].trimmed())),
                    QCoreApplication::translate("GenericCsv", "标题行之外")};
            }
        }
    }
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
    const QList<int> dropColumns = DroppedColumns();
    for (int channel = 1; channel <= kChannels; ++channel) {
        if (table.cellText(channel, Col::kRxFrequency).isEmpty()) {
            if (!table.cellText(channel, Col::kTxFrequency).isEmpty()) {
                transmitOnly << channel;
            }
            continue;
        }
        text += CsvRecords::FormatRecord(ExportRow(table, channel));
        if (std::any_of(dropColumns.begin(), dropColumns.end(), [&](int column) {
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
        for (int column : dropColumns) {
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
              std::uint32_t high, int takeFirst) {
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
        for (int column = 1; column < Col::kCount; ++column) {
            table.setCellText(row, column, QString());
        }
    }
    if (parsed.records.isEmpty()) {
        return result;
    }
    // Which of two columns of one name holds the value is anyone's guess.
    const CsvRecords::Record& names = parsed.records.first();
    const qsizetype problemsBefore = result.problems.size();
    for (qsizetype i = 0; i < names.fields.size(); ++i) {
        const QString name = names.fields[i].trimmed();
        for (qsizetype j = 0; j < i && !name.isEmpty(); ++j) {
            if (names.fields[j].trimmed().compare(name, Qt::CaseInsensitive) == 0) {
                result.problems << Problem{
                    names.line, int(i) + 1,
                    QCoreApplication::translate("GenericCsv",
                                                "标题行有两个 %1 列（第 %2 列和第 %3 列）")
                        .arg(Quoted(name))
                        .arg(j + 1)
                        .arg(i + 1),
                    names.fields[i]};
                break;
            }
        }
    }
    if (result.problems.size() > problemsBefore) {
        return result;
    }
    RowImporter importer(parsed.records.first(), low, high, result);

    QList<const CsvRecords::Record*> rows;
    for (qsizetype i = 1; i < parsed.records.size(); ++i) {
        if (!importer.value(parsed.records[i], kFrequency).isEmpty()) {
            rows << &parsed.records[i];
        }
    }
    result.frequencyRows = int(rows.size());
    int lastLine = std::numeric_limits<int>::max();
    if (takeFirst > 0 && rows.size() > takeFirst) {
        const CsvRecords::Record& next = *rows[takeFirst];
        result.notes << QCoreApplication::translate("GenericCsv",
                                                    "文件有 %1 个有频率的行，只取了前 %2 个；"
                                                    "从第 %3 行起的其余各行没有导入")
                            .arg(rows.size())
                            .arg(takeFirst)
                            .arg(next.line);
        lastLine = next.line - 1;
        rows.resize(takeFirst);
    } else if (rows.size() > kChannels) {
        // Said once: a public list of hundreds of rows is not a hundred faults.
        result.problems << Problem{
            rows[kChannels]->line, 0,
            QCoreApplication::translate("GenericCsv", "文件有 %1 个有频率的行，本机只有 %2 个信道")
                .arg(rows.size())
                .arg(kChannels)};
        rows.resize(kChannels);
    }
    ReportBeyondHeader(parsed, lastLine, result);

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
        const QStringList cells = importer.cells(row);
        for (int column = 1; column < Col::kCount; ++column) {
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
