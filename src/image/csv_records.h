#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated records as RFC 4180 has them: fields in double quotes may hold commas, line
// breaks and doubled quotes. Reading accepts CRLF and LF line ends and skips blank lines; writing
// quotes only the fields that need it and ends every line with CRLF.
namespace CsvRecords {

struct Record {
    int line = 0; // where the record starts, counted from 1
    QStringList fields;
};

struct Problem {
    Problem() = default;
    Problem(int atLine, int atColumn, const QString& why, const QString& columnName = QString())
        : line(atLine), column(atColumn), reason(why), header(columnName) {}

    int line = 0;
    int column = 0; // field number counted from 1; 0 for the line as a whole
    QString reason;
    QString header; // the column's name as the file has it; empty to name it by the table
};

struct Parsed {
    QList<Record> records;
    QList<Problem> problems;
};

// text is already decoded; a leading byte-order mark is the caller's to remove.
Parsed Parse(const QString& text);
// A file's bytes: UTF-8 with or without a byte-order mark. A line that is not UTF-8, or a line
// ended by a CR alone, is the only problem reported, since nothing after it reads reliably.
Parsed ParseFile(const QByteArray& file);

// In the order a reader goes through the file: by line, then by column; problems of one place
// keep the order they were found in.
void SortProblems(QList<Problem>& problems);

QString QuoteField(const QString& field);
QString FormatRecord(const QStringList& fields); // with its CRLF

} // namespace CsvRecords
