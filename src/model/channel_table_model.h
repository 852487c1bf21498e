#pragma once

#include "band_limits.h"
#include "channel_table.h"
#include "frequency_check.h"
#include "memory_image.h"

#include <QAbstractTableModel>
#include <array>

// The 16 channels as the window shows and edits them: the one copy of the channel table between
// a decode of the image and the next encode. Model row r is channel r + 1, model column c the
// table's column c + 1 (the channel's settings); the channel numbers are the vertical headers.
// Through the ChannelTable interface (rows 1 to 16, row 0 the headers, column 0 the numbers) the
// codec reads and writes the same cells.
//
// The editing rules live here, so they hold whatever edits the table: a frequency is checked
// against the selected band before it is stored, a new channel takes its defaults, an empty
// receive frequency clears the channel, and scrambler, compander and emphasis exclude one another.
// setData() is the views' one way in and applies them; a refusal leaves its reason in refusal().
class ChannelTableModel : public QAbstractTableModel, public ChannelTable {
    Q_OBJECT
public:
    static constexpr int kChannels = 16;

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

    explicit ChannelTableModel(QObject* parent = nullptr);

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

    // ---- ChannelTable ----
    QString cellText(int row, int column) const override;
    void setCellText(int row, int column, const QString& text) override;
    int entryCount(Selector selector) const override;
    QString entryText(Selector selector, int index) const override;
    int selected(Selector selector) const override;
    void select(Selector selector, int index) override;

    // The image's channels, model and band into the table, and back.
    void decode(const MemoryImage& image);
    void encode(MemoryImage& image) const;

    // The limits of the selected band, against which every typed frequency is checked.
    BandLimits bandLimits() const { return SelectedBandLimits(*this); }

    // ---- Editing rules; channel is 1 to 16 ----
    bool isEmptyChannel(int channel) const;
    // Receive or transmit frequency missing.
    bool isIncomplete(int channel) const;
    // A frequency typed into column 1 or 2. Empty text clears the channel (column 1) or just the
    // transmit frequency (column 2); a transmit frequency needs a receive frequency. Otherwise the
    // text must pass the frequency check; the verdict is returned and nothing changes on a
    // refusal. A receive frequency in an empty channel makes it a new channel with defaults.
    FrequencyCheck commitFrequency(int channel, int column, const QString& text);
    // A choice committed into column 3 to 11, by the rules of how the edit ended, in either
    // language ("Yes" stores "是"). A signalling text is stored in its list form; false, and
    // nothing changes, when it names no entry.
    bool commitChoice(int channel, int column, const QString& text, Commit how);

    // "请输入列表中的信令": the refusal of a signalling text that names no list entry.
    static QString unknownSignallingMessage();
    // The tooltip of a table column (1-11): what its option does; empty where the heading says it.
    static QString columnTip(int column);

signals:
    void selectionChanged(ChannelTable::Selector selector);
    // A commit into this cell changed what the table shows (perhaps other cells of the channel
    // too); edited() follows.
    void committed(int channel, int column);
    // A commit changed what the table shows; the document has unsaved changes.
    void edited();

private:
    static bool inside(int row, int column);
    QString refusalMessage(const FrequencyCheck& check) const;
    // Writes one cell; true when its text changed.
    bool write(int channel, int column, const QString& text);
    bool clearChannel(int channel);
    bool writeNewChannel(int channel, const QString& frequency);
    bool writeExclusiveOption(int channel, int column, const QString& text);

    std::array<std::array<QString, 12>, kChannels> m_cells;
    int m_model = -1;
    int m_band = -1;
    Refusal m_refusal;
    QModelIndex m_refusedCell;
};

Q_DECLARE_METATYPE(ChannelTableModel::Refusal)
