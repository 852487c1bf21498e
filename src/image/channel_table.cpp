#include "channel_table.h"

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

bool InMemoryChannelTable::Inside(int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
}

QString InMemoryChannelTable::cellText(int row, int column) const {
    return Inside(row, column) ? m_cells[size_t(row)][size_t(column)] : QString();
}

void InMemoryChannelTable::setCellText(int row, int column, const QString& text) {
    if (Inside(row, column)) {
        m_cells[size_t(row)][size_t(column)] = text;
    }
}

int InMemoryChannelTable::entryCount(Selector selector) const {
    return int(Entries(selector).size());
}

QString InMemoryChannelTable::entryText(Selector selector, int index) const {
    const QStringList& entries = Entries(selector);
    return index >= 0 && index < entries.size() ? entries.at(index) : QString();
}

int InMemoryChannelTable::selected(Selector selector) const {
    return selector == Selector::Model ? m_model : m_band;
}

void InMemoryChannelTable::select(Selector selector, int index) {
    const int valid = (index >= 0 && index < entryCount(selector)) ? index : -1;
    (selector == Selector::Model ? m_model : m_band) = valid;
}

bool InMemoryChannelTable::operator==(const InMemoryChannelTable& other) const {
    return m_cells == other.m_cells && m_model == other.m_model && m_band == other.m_band;
}
