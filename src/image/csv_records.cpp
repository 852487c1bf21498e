#include "csv_records.h"

#include <QCoreApplication>

namespace CsvRecords {

namespace {

constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kComma = QLatin1Char(',');
constexpr QChar kCr = QLatin1Char('\r');
constexpr QChar kLf = QLatin1Char('\n');

// Walks the text once; `line` follows every line break, including those inside quoted fields.
class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    Parsed run() {
        while (m_pos < m_text.size()) {
            readRecord();
        }
        return std::move(m_parsed);
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text.at(m_pos); }

    // True when a record ends here (CRLF, LF or the end of the text); consumes the line end.
    bool takeLineEnd() {
        if (atEnd()) {
            return true;
        }
        if (peek() == kLf) {
            ++m_pos;
            ++m_line;
            return true;
        }
        if (peek() == kCr && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == kLf) {
            m_pos += 2;
            ++m_line;
            return true;
        }
        return false;
    }

    void readRecord() {
        Record record;
        record.line = m_line;
        bool quotedAny = false;
        for (;;) {
            bool quoted = false;
            record.fields.append(readField(record, quoted));
            quotedAny = quotedAny || quoted;
            if (takeLineEnd()) {
                break;
            }
            ++m_pos; // the comma that readField stopped at
        }
        const bool blank = record.fields.size() == 1 && record.fields.first().isEmpty();
        if (!(blank && !quotedAny)) {
            m_parsed.records.append(record);
        }
    }

    QString readField(const Record& record, bool& quoted) {
        const int column = int(record.fields.size()) + 1;
        quoted = !atEnd() && peek() == kQuote;
        return quoted ? readQuoted(column) : readPlain(column);
    }

    QString readPlain(int column) {
        QString field;
        bool reported = false;
        while (!atEnd() && peek() != kComma && peek() != kLf &&
               !(peek() == kCr && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == kLf)) {
            if (peek() == kQuote && !reported) {
                report(m_line, column,
                       QCoreApplication::translate("ChannelCsv",
                                                   "字段中间有引号，但字段不是以引号开头"));
                reported = true;
            }
            field += peek();
            ++m_pos;
        }
        return field;
    }

    QString readQuoted(int column) {
        const int startLine = m_line;
        ++m_pos; // opening quote
        QString field;
        for (;;) {
            if (atEnd()) {
                report(startLine, column,
                       QCoreApplication::translate("ChannelCsv", "带引号的字段没有结束引号"));
                return field;
            }
            const QChar c = peek();
            ++m_pos;
            if (c == kQuote) {
                if (!atEnd() && peek() == kQuote) {
                    field += kQuote;
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (c == kLf) {
                ++m_line;
            }
            field += c;
        }
        // Only a comma or the line end may follow the closing quote.
        if (!atEnd() && peek() != kComma && peek() != kLf &&
            !(peek() == kCr && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == kLf)) {
            report(m_line, column,
                   QCoreApplication::translate("ChannelCsv", "结束引号之后还有文字"));
            field += readPlain(column);
        }
        return field;
    }

    void report(int line, int column, const QString& reason) {
        m_parsed.problems.append({line, column, reason});
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    Parsed m_parsed;
};

} // namespace

Parsed Parse(const QString& text) {
    return Reader(text).run();
}

QString QuoteField(const QString& field) {
    const bool needsQuotes = field.contains(kComma) || field.contains(kQuote) ||
                             field.contains(kCr) || field.contains(kLf);
    if (!needsQuotes) {
        return field;
    }
    QString quoted = field;
    quoted.replace(QString(kQuote), QStringLiteral("\"\""));
    return kQuote + quoted + kQuote;
}

QString FormatRecord(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted.append(QuoteField(field));
    }
    return quoted.join(kComma) + QStringLiteral("\r\n");
}

} // namespace CsvRecords
