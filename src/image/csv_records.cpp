#include "csv_records.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>

namespace CsvRecords {

namespace {

constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kComma = QLatin1Char(',');
constexpr QChar kCr = QLatin1Char('\r');
constexpr QChar kLf = QLatin1Char('\n');
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

Parsed ParseFile(const QByteArray& file) {
    QString text;
    int badLine = 0;
    if (!DecodeUtf8(file, text, badLine)) {
        return {{},
                {{badLine, 0,
                  QCoreApplication::translate(
                      "ChannelCsv", "不是 UTF-8 文本；请把文件另存为 UTF-8 编码的 CSV")}}};
    }
    if (const int line = LoneCarriageReturnLine(text); line > 0) {
        return {{},
                {{line, 0,
                  QCoreApplication::translate("ChannelCsv",
                                              "行尾只有回车符（CR，旧式 Mac 文件就是这样）；"
                                              "请以 CRLF 或 LF 作为行尾保存文件")}}};
    }
    return Parse(text);
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

void SortProblems(QList<Problem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
}

} // namespace CsvRecords
