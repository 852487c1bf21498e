#pragma once

#include "band_limits.h"
#include "channel_table.h"
#include "frequency_check.h"

#include <QAbstractTableModel>
#include <type_traits>

// The 16 channels as the window shows and edits them: an adapter over a channel table it does
// not own (the document's, or a copy the command line edits), holding no cells of its own. Model
// row r is channel r + 1, model column c the table's column c + 1 (the channel's settings); the
// channel numbers are the vertical headers.
//
// The editing rules live here, so they hold whatever edits the table: a frequency is checked
// against the selected band before it is stored, a new channel takes its defaults, an empty
// receive frequency clears the channel, and scrambler, compander and emphasis exclude one another.
// setData() is the views' one way in and applies them; a refusal leaves its reason in refusal().
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kChannels = ChannelTable::kChannels;
    using Selector = ChannelTable::Selector;

    // How an option edit ends: leaving the cell stores the choice in any defined channel; Enter
    // stores it only in a complete one (receive and transmit frequency set).
    enum class Commit { LeavingCell, EnterKey };
    // setData() with this role commits as the Enter key does; Qt::EditRole as leaving the cell.
    static constexpr int EnterKeyRole = Qt::UserRole + 1;

    // Why the last setData() returned false; an empty message refuses without a word (Enter in
    // an incomplete channel's signalling, which empties the cell and asks for another try).
    struct Refusal {
        QString message;
        bool error = false; // an error rather than a warning about a slip of the user's
    };
    const Refusal& refusal() const { return m_refusal; }
    // data() with this role holds the Refusal on the cell whose last setData() was refused, and
    // nothing on any other: a view learns of a refusal without knowing the model's class.
    static constexpr int RefusalRole = Qt::UserRole + 2;

    // The table column (1 to 11) a model column shows, and the model index of a table cell.
    static int tableColumn(int modelColumn) { return modelColumn + 1; }
    QModelIndex cellIndex(int channel, int column) const { return index(channel - 1, column - 1); }

    // table outlives the model.
    explicit ChannelTableModel(ChannelTable& table, QObject* parent = nullptr);

    const ChannelTable& table() const { return *m_table; }
    // The whole table replaced (a file opened, a radio read, an undo); views hear of the cells
    // and selections that changed.
    void assign(const ChannelTable& table);
    // Changes the table by edit(ChannelTable&), outside the editing rules (row commands, paste,
    // import, a band change), and tells the views what changed; returns what edit returns.
    template <typename Edit> auto edit(Edit&& edit) {
        const ChannelTable before = *m_table;
        if constexpr (std::is_void_v<std::invoke_result_t<Edit, ChannelTable&>>) {
            edit(*m_table);
            announce(before);
        } else {
            auto result = edit(*m_table);
            announce(before);
            return result;
        }
    }

    // ---- QAbstractTableModel ----
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The display role shows list values in the run's language ("Yes"); the edit role holds the
    // text as stored ("是").
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A value typed into a cell, by the editing rules; false when refused (see refusal()).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The table's, for the rules' and the views' convenience.
    QString cellText(int row, int column) const { return m_table->cellText(row, column); }
    int selected(Selector selector) const { return m_table->selected(selector); }
    // A model or band chosen; selectionChanged() when it changed.
    void select(Selector selector, int index);

    // The limits of the selected band, against which every typed frequency is checked.
    BandLimits bandLimits() const { return SelectedBandLimits(*m_table); }

    // ---- Editing rules; channel is 1 to 16 ----
    bool isEmptyChannel(int channel) const;
    // Receive or transmit frequency missing.
    bool isIncomplete(int channel) const;
    // A frequency typed into column 1 or 2. Empty text clears the channel (column 1) or just the
    // transmit frequency (column 2); a transmit frequency needs a receive frequency. Otherwise the
    // text must pass the frequency check; the verdict is returned and nothing changes on a
    // refusal. A receive frequency in an empty channel makes it a new channel with defaults.
    FrequencyCheck commitFrequency(int channel, int column, const QString& text);
    // A choice or text committed into a column after the frequencies, by the rules of how the edit
    // ended, in either language ("Yes" stores "是"). A signalling text is stored in its list form;
    // false, and nothing changes, when it names no entry.
    bool commitChoice(int channel, int column, const QString& text, Commit how);

    // "请输入列表中的信令": the refusal of a signalling text that names no list entry.
    static QString unknownSignallingMessage();
    // The tooltip of a table column: what its option does; empty where the heading says it.
    static QString columnTip(int column);

signals:
    void selectionChanged(ChannelTable::Selector selector);
    // A commit into this cell changed what the table shows (perhaps other cells of the channel
    // too); edited() follows.
    void committed(int channel, int column);
    // A commit changed what the table shows; the document has unsaved changes.
    void edited();

private:
    // Tells the views of every cell and selection that differs from before.
    void announce(const ChannelTable& before);
    QString refusalMessage(const FrequencyCheck& check) const;
    // Writes one cell; true when its text changed.
    bool write(int channel, int column, const QString& text);
    bool clearChannel(int channel);
    bool writeNewChannel(int channel, const QString& frequency);
    bool writeExclusiveOption(int channel, int column, const QString& text);

    ChannelTable* m_table;
    Refusal m_refusal;
    QModelIndex m_refusedCell;
};

Q_DECLARE_METATYPE(ChannelTableModel::Refusal)
