#pragma once

#include <QString>
#include <QStringList>
#include <array>

// What the channel codec needs of the channel table: the texts of rows 1-16, columns 1-11, and
// the model and band selectors. The window's grid and the command-line tool's in-memory table
// both offer it, so both go through the same decode and encode.
class ChannelTable {
public:
    enum class Selector { Model, Band };

    virtual ~ChannelTable() = default;

    virtual QString cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, const QString& text) = 0;

    virtual int entryCount(Selector selector) const = 0;
    virtual QString entryText(Selector selector, int index) const = 0;
    // -1 when nothing is selected.
    virtual int selected(Selector selector) const = 0;
    virtual void select(Selector selector, int index) = 0;
};

// The selector entries, in list order.
const QStringList& ModelEntries(); // "QTR-318"
const QStringList& BandEntries();  // "136 - 174MHz", "400 - 480MHz"

// A channel table held in memory, for the command-line tool and the tests.
class InMemoryChannelTable : public ChannelTable {
public:
    static constexpr int kRows = 17;
    static constexpr int kColumns = 12;

    QString cellText(int row, int column) const override;
    void setCellText(int row, int column, const QString& text) override;
    int entryCount(Selector selector) const override;
    QString entryText(Selector selector, int index) const override;
    int selected(Selector selector) const override;
    void select(Selector selector, int index) override;

    bool operator==(const InMemoryChannelTable& other) const;

private:
    static bool Inside(int row, int column);

    std::array<std::array<QString, kColumns>, kRows> m_cells;
    int m_model = -1;
    int m_band = -1;
};
