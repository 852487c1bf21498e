#pragma once

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
    int line = 0;
    int column = 0; // field number counted from 1; 0 for the line as a whole
    QString reason;
};

struct Parsed {
    QList<Record> records;
    QList<Problem> problems;
};

// text is already decoded; a leading byte-order mark is the caller's to remove.
Parsed Parse(const QString& text);

QString QuoteField(const QString& field);
QString FormatRecord(const QStringList& fields); // with its CRLF

} // namespace CsvRecords
