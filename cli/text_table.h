#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows of texts printed in aligned columns for a terminal. Chinese characters take two terminal
// cells, so widths are counted in cells, not characters.
class TextTable {
public:
    void addRow(const QStringList& cells) { m_rows.append(cells); }
    // Each row on its own line, columns separated by two blanks, no trailing blanks.
    QString render(const QString& indent = QString()) const;

    static int DisplayWidth(const QString& text);

private:
    QList<QStringList> m_rows;
};
