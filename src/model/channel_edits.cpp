#include "channel_edits.h"

#include "channel_csv.h"
#include "csv_records.h"
#include "value_texts.h"

#include <QCoreApplication>
#include <QHash>

namespace ChannelEdits {

namespace Col = ChannelColumns;

namespace {

using Rows = QList<QStringList>;

QStringList BlankCells() {
    return QStringList(kSettings, QString());
}

Rows AllChannels(const ChannelTable& table) {
    Rows rows;
    for (int channel = 1; channel <= kChannels; ++channel) {
        rows.append(ChannelCells(table, channel));
    }
    return rows;
}

// Only the channels that differ are written, so the table reports no change where there is none.
void WriteAll(ChannelTable& table, const Rows& rows) {
    for (int channel = 1; channel <= kChannels; ++channel) {
        const QStringList& cells = rows.at(channel - 1);
        if (cells != ChannelCells(table, channel)) {
            SetChannelCells(table, channel, cells);
        }
    }
}

QStringList BlockFields(const ChannelTable& table, int channel) {
    return QStringList{QString::number(channel)} + ChannelCells(table, channel);
}

// The records of a pasted text: tab-separated lines when it has a tab, CSV otherwise. Blank
// lines are skipped; a problem of the CSV text itself (an open quote) is reported by line.
Rows SplitRecords(QString text, QStringList& problems) {
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    Rows records;
    if (text.contains(QLatin1Char('\t'))) {
        for (QString line : text.split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r'))) {
                line.chop(1);
            }
            if (!line.trimmed().isEmpty()) {
                records.append(line.split(QLatin1Char('\t')));
            }
        }
        return records;
    }
    const CsvRecords::Parsed parsed = CsvRecords::Parse(text);
    for (const CsvRecords::Problem& problem : parsed.problems) {
        problems << QCoreApplication::translate("ChannelEdits", "第 %1 行：%2")
                        .arg(problem.line)
                        .arg(problem.reason);
    }
    for (const CsvRecords::Record& record : parsed.records) {
        // A line of blanks that a text editor left is no channel.
        if (record.fields.size() > 1 || !record.fields.value(0).trimmed().isEmpty()) {
            records.append(record.fields);
        }
    }
    return records;
}

} // namespace

QStringList ChannelCells(const ChannelTable& table, int channel) {
    QStringList cells;
    for (int column = 1; column <= kSettings; ++column) {
        cells.append(table.cellText(channel, column));
    }
    return cells;
}

void SetChannelCells(ChannelTable& table, int channel, const QStringList& cells) {
    for (int column = 1; column <= kSettings; ++column) {
        table.setCellText(channel, column, cells.value(column - 1));
    }
}

bool IsBlank(const ChannelTable& table, int channel) {
    return ChannelCells(table, channel) == BlankCells();
}

void ClearChannels(ChannelTable& table, int first, int count) {
    for (int channel = qMax(first, 1); channel < first + count && channel <= kChannels; ++channel) {
        SetChannelCells(table, channel, BlankCells());
    }
}

bool InsertEmptyChannels(ChannelTable& table, int first, int count) {
    if (first < 1 || count < 1 || first + count - 1 > kChannels) {
        return false;
    }
    // The channels below shift only as far as the first empty ones, which they fill.
    Rows rows = AllChannels(table);
    int taken = 0;
    for (int channel = first; channel <= kChannels && taken < count; ++channel) {
        if (IsBlank(table, channel)) {
            rows.removeAt(channel - 1 - taken++);
        }
    }
    if (taken < count) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        rows.insert(first - 1, BlankCells());
    }
    WriteAll(table, rows);
    return true;
}

void DeleteChannels(ChannelTable& table, int first, int count) {
    if (first < 1 || first > kChannels || count < 1) {
        return;
    }
    Rows rows = AllChannels(table);
    rows.remove(first - 1, qMin(count, kChannels - first + 1));
    while (rows.size() < kChannels) {
        rows.append(BlankCells());
    }
    WriteAll(table, rows);
}

int MoveChannels(ChannelTable& table, int first, int count, int target) {
    if (first < 1 || count < 1 || first + count - 1 > kChannels) {
        return first;
    }
    target = qBound(1, target, kChannels - count + 1);
    Rows rows = AllChannels(table);
    const Rows block = rows.mid(first - 1, count);
    rows.remove(first - 1, count);
    for (int i = 0; i < count; ++i) {
        rows.insert(target - 1 + i, block.at(i));
    }
    WriteAll(table, rows);
    return target;
}

QList<int> ChannelsOutsideBand(const ChannelTable& table, int band) {
    QList<StrayFrequency> outside = StrayFrequencies(
        table, BandLimitsFromText(table.entryText(ChannelTable::Selector::Band, band)));
    outside.removeIf([](const StrayFrequency& stray) {
        return stray.verdict != FrequencyCheck::Verdict::OutOfRange;
    });
    return StrayChannels(outside);
}

QList<int> ChangeBand(ChannelTable& table, int band) {
    const QList<int> outside = ChannelsOutsideBand(table, band);
    for (int channel : outside) {
        ClearChannels(table, channel, 1);
    }
    table.select(ChannelTable::Selector::Band, band);
    return outside;
}

QString CopyText(const ChannelTable& table, int first, int count) {
    QString text;
    for (int channel = first; channel < first + count && channel <= kChannels; ++channel) {
        // What the user sees in the grid, as a spreadsheet shows it beside the window.
        text += ValueTexts::Shown(BlockFields(table, channel)).join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    }
    return text;
}

QByteArray CopyCsv(const ChannelTable& table, int first, int count) {
    QString text = CsvRecords::FormatRecord(Col::Headers());
    for (int channel = first; channel < first + count && channel <= kChannels; ++channel) {
        text += CsvRecords::FormatRecord(BlockFields(table, channel));
    }
    return text.toUtf8();
}

namespace {

// The pasted records as the table would hold them from channel first down (the records' own
// channel numbers, if any, are replaced), checked as the lines of a CSV file are; the checked
// channels go into paste unless a problem was found.
void CheckChannels(const Rows& records, int first, const BandLimits& limits, Paste& paste) {
    // lineOwner maps each line of that file back to the pasted channel it came from.
    QString csv = CsvRecords::FormatRecord(Col::Headers());
    int line = 2;
    QHash<int, int> lineOwner;
    for (int i = 0; i < records.size(); ++i) {
        QStringList fields = records.at(i);
        if (fields.size() == kSettings) {
            fields.prepend(QString());
        }
        fields[0] = QString::number(first + i);
        const QString record = CsvRecords::FormatRecord(fields);
        lineOwner.insert(line, first + i);
        line += int(record.count(QLatin1Char('\n')));
        csv += record;
    }
    ChannelTable checked;
    const QList<ChannelCsv::Problem> problems =
        ChannelCsv::Import(csv.toUtf8(), checked, limits.low, limits.high);
    for (qsizetype i = 0; i < problems.size() && i < ChannelCsv::kShownProblems; ++i) {
        const ChannelCsv::Problem& problem = problems.at(i);
        const int channel = lineOwner.value(problem.line);
        const int column = problem.column - 1; // field 1 is the channel number
        if (column >= 1 && column <= kSettings) {
            paste.problems << QCoreApplication::translate("ChannelEdits", "信道 %1，%2：%3")
                                  .arg(channel)
                                  .arg(Col::ShownHeader(column), problem.reason);
        } else {
            paste.problems << QCoreApplication::translate("ChannelEdits", "信道 %1：%2")
                                  .arg(channel)
                                  .arg(problem.reason);
        }
    }
    if (problems.size() > ChannelCsv::kShownProblems) {
        const int left = int(problems.size()) - ChannelCsv::kShownProblems;
        paste.problems << QCoreApplication::translate("ChannelEdits", "另有 %n 个问题没有列出",
                                                      nullptr, left);
    }
    if (paste.problems.isEmpty()) {
        for (int i = 0; i < records.size(); ++i) {
            paste.channels.append(ChannelCells(checked, first + i));
        }
    }
}

// A header line, with or without the channel number's column, in either language, is what a
// spreadsheet gives back when the user copied it along; it names the columns and is no channel.
bool IsHeaderLine(const QStringList& fields) {
    const qsizetype skipped = fields.size() == kSettings + 1 ? 1 : 0;
    if (fields.size() - skipped != kSettings) {
        return false;
    }
    for (int column = 1; column <= kSettings; ++column) {
        const QString name = fields.at(column - 1 + skipped).trimmed();
        if (name.compare(Col::Headers().at(column), Qt::CaseInsensitive) != 0 &&
            name.compare(Col::ShownHeader(column), Qt::CaseInsensitive) != 0) {
            return false;
        }
    }
    return true;
}

// The records of a pasted text, or none with the problem that stops the paste: the text is
// empty or unreadable, or it has more lines than there are channels from first on.
Rows PastedRecords(const QString& text, int first, Paste& paste) {
    Rows records = SplitRecords(text, paste.problems);
    if (!paste.problems.isEmpty()) {
        return {};
    }
    if (!records.isEmpty() && IsHeaderLine(records.first())) {
        records.removeFirst();
    }
    if (records.isEmpty()) {
        paste.problems << QCoreApplication::translate("ChannelEdits", "剪贴板中没有信道");
        return {};
    }
    const int room = kChannels - first + 1;
    if (records.size() > room) {
        paste.problems << QCoreApplication::translate(
                              "ChannelEdits", "剪贴板中有 %1 个信道，从信道 %2 起只能放下 %3 个")
                              .arg(records.size())
                              .arg(first)
                              .arg(room);
        return {};
    }
    return records;
}

} // namespace

Paste PreparePaste(const QString& text, int first, const BandLimits& limits) {
    Paste paste;
    const Rows records = PastedRecords(text, first, paste);
    if (!records.isEmpty()) {
        CheckChannels(records, first, limits, paste);
    }
    return paste;
}

Paste PrepareCellPaste(const QString& text, const ChannelTable& table, int first, int column) {
    Paste paste;
    if (first < 1 || first > kChannels || column < 1 || column > kSettings) {
        return paste; // no cell to start from, nothing to write
    }
    const Rows records = PastedRecords(text, first, paste);
    if (records.isEmpty()) {
        return paste;
    }
    qsizetype width = 0;
    for (const QStringList& record : records) {
        width = qMax(width, record.size());
    }
    const int room = kSettings - column + 1;
    if (width > room) {
        paste.problems << QCoreApplication::translate("ChannelEdits",
                                                      "剪贴板中有 %1 列，从“%2”起只能放下 %3 列")
                              .arg(width)
                              .arg(Col::ShownHeader(column))
                              .arg(room);
        return paste;
    }
    Rows channels;
    for (int i = 0; i < records.size(); ++i) {
        const QStringList& record = records.at(i);
        QStringList cells = ChannelCells(table, first + i);
        const bool wasEmpty = cells.at(Col::kRxFrequency - 1).isEmpty();
        for (int j = 0; j < record.size(); ++j) {
            cells[column - 1 + j] = record.at(j);
        }
        // A receive frequency pasted into an empty channel sends on it too, as one typed does.
        const bool txPasted =
            column <= Col::kTxFrequency && column + record.size() > Col::kTxFrequency;
        if (wasEmpty && !txPasted) {
            cells[Col::kTxFrequency - 1] = cells.at(Col::kRxFrequency - 1);
        }
        channels.append(cells);
    }
    CheckChannels(channels, first, SelectedBandLimits(table), paste);
    return paste;
}

void WriteChannels(ChannelTable& table, int first, const QList<QStringList>& channels) {
    for (int i = 0; i < channels.size() && first + i <= kChannels; ++i) {
        SetChannelCells(table, first + i, channels.at(i));
    }
}

CsvImport ImportCsv(const QByteArray& file, ChannelTable& table, int takeFirst) {
    const BandLimits limits = SelectedBandLimits(table);
    ChannelTable imported;
    const ChannelCsv::ImportResult result =
        ChannelCsv::ImportAny(file, imported, limits.low, limits.high, takeFirst);
    if (!result.problems.isEmpty()) {
        QStringList problems = ChannelCsv::DescribeProblems(result.problems);
        if (ChannelCsv::HasFrequencyOutside(file, limits, takeFirst)) {
            problems << QCoreApplication::translate(
                            "ChannelEdits",
                            "信道表的频段是 %1，文件中有它之外的频率；要换频段，请在“设置”中选择")
                            .arg(table.entryText(ChannelTable::Selector::Band,
                                                 table.selected(ChannelTable::Selector::Band)));
        }
        return {problems, {}, takeFirst == 0 && result.frequencyRows > kChannels};
    }
    WriteAll(table, AllChannels(imported));
    return {{}, result.notes, false};
}

} // namespace ChannelEdits
