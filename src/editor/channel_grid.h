#pragma once

#include <QTableView>

class CellAnnouncer;

// The channel grid: a table view of the channel table model, the channel numbers its vertical
// header ("信道" in the corner). A press on a number selects its channel, Shift and dragging over
// the numbers extend the selection, and dragging a selected number moves the selected block.
//
// Editors open on a key typed on the grid, on Enter or Backspace, and on a press of the left
// button. An edit reaches the model only through the delegate's setModelData(); a value the model
// refuses is reported and stays in its editor over its own cell, so the current cell moves (by
// key or mouse) only once the open editor has been committed.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QAbstractItemModel* model, QWidget* parent = nullptr);

    // The columns and the numbers beside them share the grid's width in these proportions (the
    // numbers' weight first) and stretch with it; each is never narrower than its minimum, in
    // pixels, so the grid asks for the room that takes.
    void setColumnProportions(const QList<double>& weights, const QList<int>& minimumWidths);

    // Room for the header and every row, so no channel is ever scrolled out of view.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The editor open over the current cell, or null.
    QWidget* cellEditor() const;
    // Commits the open editor as leaving its cell does; false when its value was refused and it
    // stays open. Saving and transfers call it first so a value being typed is part of them.
    bool commitOpenEditor();
    // Closes the open editor without committing it, as Esc does; the grid keeps the focus.
    void closeCellEditor();

    // The selected channels as a block (1 to 16): the rows with a selected cell, or the current
    // cell's channel.
    int firstSelectedChannel() const;
    int selectedChannelCount() const;
    // Selects whole channels, as a press on their numbers does; the current cell goes with them.
    void selectChannels(int first, int count);
    // Puts the current cell on channel, in the same column, leaving the selection as it is.
    void setCurrentChannel(int channel);

signals:
    // The selected block was dragged by its numbers this many channels down (up when negative).
    void moveRequested(int channels);
    // Delete was pressed: the selected channels, or the current cell's, are to be cleared.
    void clearRequested();
    // A key that does nothing here says what does, for the status bar.
    void hint(const QString& text);

protected slots:
    void commitData(QWidget* editor) override;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    // Ctrl+Tab, Tab on the last cell or Shift+Tab on the first: the focus leaves the grid.
    bool leavesGrid(const QKeyEvent* event) const;
    void fitRowsToFont();
    void spreadColumns();
    // A key typed on the grid that opened the editor leaves in it what the column's rule says.
    void seedEditor(QWidget* editor, const QString& key);
    bool wasRefused(const QWidget* editor) const;
    void showRefusal(QWidget* editor);
    // After Enter a frequency steps right, as typing a channel goes on with its next cell.
    void stepAfterEnter(const QModelIndex& index);
    void paintCorner(QWidget* corner);
    void restoreNumbersAfterDrag(int oldVisual, int newVisual);

    QList<double> m_weights;
    QList<int> m_minimumWidths;
    QWidget* m_corner = nullptr;
    CellAnnouncer* m_announcer = nullptr;
    // The selected block a press on one of its numbers may drag, as it was before the press
    // reselected that number alone; count 0 when the press was outside a block.
    int m_dragFirst = 0;
    int m_dragCount = 0;
};
