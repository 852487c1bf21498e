#include "text_table.h"

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

int TextTable::DisplayWidth(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4()) {
        width += IsWide(c) ? 2 : 1;
    }
    return width;
}

QString TextTable::render(const QString& indent) const {
    QList<int> widths;
    for (const QStringList& row : m_rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) {
                widths.append(0);
            }
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));
        }
    }
    QString text;
    for (const QStringList& row : m_rows) {
        QString line = indent;
        for (qsizetype i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) {
                line += QString(widths[i] - DisplayWidth(row[i]) + 2, QLatin1Char(' '));
            }
        }
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}
