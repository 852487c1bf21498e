#pragma once

#include <QObject>

class ChannelGrid;
class ChannelForm;
class QKeyEvent;
class QMouseEvent;

// Whole channels selected on the grid. The channel-number column serves as the rows' headers: a
// press on a number selects its channel, Shift and dragging extend the selection, and dragging a
// selected block asks for it to be moved. Shift+Up and Shift+Down extend the selection too.
// Without a selection the current cell's channel is the block the commands work on.
class ChannelRowSelection : public QObject {
    Q_OBJECT
public:
    // Works on view's grid; a press on a number first commits the cell being edited.
    explicit ChannelRowSelection(ChannelForm* view, QObject* parent = nullptr);

    // The selected channels as a block: the rows with a selected cell, or the current row.
    int firstSelected() const;
    int selectedCount() const;
    // Selects whole channels, as a press on their numbers does.
    void selectChannels(int first, int count);
    // Whole channels are selected, not just a cell.
    bool isChannelSelection() const;

signals:
    // The selected block was dragged by its numbers this many channels down (up when negative).
    void moveRequested(int channels);
    // Delete was pressed on whole channels; on a single cell it stays a key typed into the cell.
    void clearRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Channels anchor to extent, in either order; Shift and the mouse move the extent.
    void selectSpan(int anchor, int extent);
    int channelAt(int y) const;
    bool holdsChannel(int channel) const;
    bool numberMouse(QEvent* event);
    bool press(QMouseEvent* mouse);
    bool move(const QMouseEvent* mouse);
    bool release(const QMouseEvent* mouse);
    bool gridKey(const QKeyEvent* key);

    ChannelForm* m_view;
    ChannelGrid* m_grid;
    QWidget* m_viewport;

    // The channel a selection grows from and the one it reaches.
    int m_anchor = 0;
    int m_extent = 0;
    // A left press on a number not yet released: it spreads the selection as the mouse moves.
    bool m_selecting = false;
    // The channel where a press on a selected block began (0 when none), which a drag moves.
    int m_dragFrom = 0;
    bool m_dragging = false;
};
