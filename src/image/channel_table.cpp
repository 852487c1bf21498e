#include "channel_table.h"

#include <QCoreApplication>

const QStringList& ModelEntries() {
    static const QStringList entries = {QStringLiteral("QTR-318")};
    return entries;
}

const QStringList& BandEntries() {
    static const QStringList entries = {QStringLiteral("136 - 174MHz"),
                                        QStringLiteral("400 - 480MHz")};
    return entries;
}

namespace {
const QStringList& Entries(ChannelTable::Selector selector) {
    return selector == ChannelTable::Selector::Model ? ModelEntries() : BandEntries();
}
} // namespace

bool ChannelTable::inside(int row, int column) {
    return row >= 1 && row <= kChannels && column >= 1 && column < ChannelColumns::kCount;
}

QString ChannelTable::cellText(int row, int column) const {
    if (row == 0 && column >= 0 && column < ChannelColumns::kCount) {
        return ChannelColumns::Headers().at(column);
    }
    if (column == 0 && row >= 1 && row <= kChannels) {
        return ChannelColumns::ChannelNumberText(row);
    }
    return inside(row, column) ? m_cells[size_t(row - 1)][size_t(column)] : QString();
}

void ChannelTable::setCellText(int row, int column, const QString& text) {
    if (inside(row, column)) {
        m_cells[size_t(row - 1)][size_t(column)] = text;
    }
}

int ChannelTable::entryCount(Selector selector) const {
    return int(Entries(selector).size());
}

QString ChannelTable::entryText(Selector selector, int index) const {
    const QStringList& entries = Entries(selector);
    return index >= 0 && index < entries.size() ? entries.at(index) : QString();
}

int ChannelTable::selected(Selector selector) const {
    return selector == Selector::Model ? m_model : m_band;
}

void ChannelTable::select(Selector selector, int index) {
    const int valid = (index >= 0 && index < entryCount(selector)) ? index : -1;
    (selector == Selector::Model ? m_model : m_band) = valid;
}

bool ChannelTable::operator==(const ChannelTable& other) const {
    return m_cells == other.m_cells && m_model == other.m_model && m_band == other.m_band;
}

QStringList ColumnsNotInImage(const ChannelTable& table) {
    QStringList headers;
    for (int column = 1; column < ChannelColumns::kCount; ++column) {
        if (ChannelColumns::InImage(column)) {
            continue;
        }
        for (int row = 1; row <= ChannelTable::kChannels; ++row) {
            if (!table.cellText(row, column).isEmpty()) {
                headers << ChannelColumns::ShownHeader(column);
                break;
            }
        }
    }
    return headers;
}

QString UnkeptColumnsNote(const ChannelTable& table) {
    const QStringList headers = ColumnsNotInImage(table);
    if (headers.isEmpty()) {
        return {};
    }
    return QCoreApplication::translate("ChannelTable", "“%1”的内容不保存在 .sin 文件中")
        .arg(headers.join(QStringLiteral("”、“")));
}
