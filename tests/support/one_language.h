#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>

// Whether a line of output or a text on screen keeps to one language.
namespace OneLanguage {

inline bool IsHan(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x303F) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

inline bool HasHan(const QString& text) {
    return std::any_of(text.begin(), text.end(), IsHan);
}

// Data a message quotes (a CSV column name, a list text, a file's value) keeps its language.
inline QString WithoutQuoted(const QString& line) {
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\""));
    return QString(line).remove(quoted);
}

// An English line holds no Chinese outside quotes.
inline bool IsEnglish(const QString& line) {
    return !HasHan(WithoutQuoted(line));
}

// A Chinese line holds no English phrase: two plain words in a row. Single tokens are names the
// user types (COMMAND, vhf, PORT, --band, OUT.sin, /dev/ttyUSB0).
inline bool IsChinese(const QString& line) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z]{2,}[,.;:]?$"));
    QString text = WithoutQuoted(line);
    for (QChar& c : text) {
        if (IsHan(c)) {
            c = QLatin1Char('\n'); // a Chinese character parts what stands on either side
        }
    }
    for (const QString& part : text.split(QLatin1Char('\n'))) {
        const QStringList tokens = part.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 1 < tokens.size(); ++i) {
            if (word.match(tokens[i]).hasMatch() && word.match(tokens[i + 1]).hasMatch()) {
                return false;
            }
        }
    }
    return true;
}

} // namespace OneLanguage
