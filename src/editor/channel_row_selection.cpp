#include "channel_row_selection.h"

#include "channel_edits.h"
#include "channel_form.h"
#include "channel_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>

ChannelRowSelection::ChannelRowSelection(ChannelForm* view, QObject* parent)
    : QObject(parent), m_view(view), m_grid(view->grid()), m_viewport(m_grid->viewport()) {
    m_grid->installEventFilter(this);
    m_viewport->installEventFilter(this);
}

int ChannelRowSelection::firstSelected() const {
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return qMax(m_grid->currentIndex().row(), 0) + 1;
    }
    int first = ChannelEdits::kChannels;
    for (const QModelIndex& index : selected) {
        first = qMin(first, index.row() + 1);
    }
    return first;
}

int ChannelRowSelection::selectedCount() const {
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    int last = firstSelected();
    for (const QModelIndex& index : selected) {
        last = qMax(last, index.row() + 1);
    }
    return last - firstSelected() + 1;
}

bool ChannelRowSelection::isChannelSelection() const {
    const QItemSelectionModel* selection = m_grid->selectionModel();
    if (!selection->hasSelection()) {
        return false;
    }
    const int first = firstSelected();
    for (int channel = first; channel < first + selectedCount(); ++channel) {
        for (int column = 1; column <= ChannelEdits::kSettings; ++column) {
            if (!selection->isSelected(m_grid->model()->index(channel - 1, column))) {
                return false;
            }
        }
    }
    return true;
}

bool ChannelRowSelection::holdsChannel(int channel) const {
    return isChannelSelection() && channel >= firstSelected() &&
           channel < firstSelected() + selectedCount();
}

void ChannelRowSelection::selectChannels(int first, int count) {
    selectSpan(first, qMin(first + count - 1, ChannelEdits::kChannels));
}

void ChannelRowSelection::selectSpan(int anchor, int extent) {
    const QAbstractItemModel* model = m_grid->model();
    const QItemSelection channels(model->index(qMin(anchor, extent) - 1, 1),
                                  model->index(qMax(anchor, extent) - 1, ChannelEdits::kSettings));
    m_grid->selectionModel()->select(channels, QItemSelectionModel::ClearAndSelect);
    m_anchor = anchor;
    m_extent = extent;
}

// Above the first row or below the last, the mouse still means the nearest channel.
int ChannelRowSelection::channelAt(int y) const {
    const int row = m_grid->rowAt(y);
    if (row >= 0) {
        return row + 1;
    }
    return y < 0 ? 1 : ChannelEdits::kChannels;
}

bool ChannelRowSelection::eventFilter(QObject* watched, QEvent* event) {
    // Only pointers are compared here: the filter also sees the grid's last events while it is
    // being destroyed.
    if (watched == m_viewport) {
        return numberMouse(event);
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        return gridKey(static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

// True where the numbers take the mouse from the grid.
bool ChannelRowSelection::numberMouse(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return press(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return move(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return release(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

// A press on a number selects its channel, with Shift extends the selection to it, and on a
// selected block may begin a drag. A right click in the selection keeps it for the context menu.
// Every other press is the grid's.
bool ChannelRowSelection::press(QMouseEvent* mouse) {
    const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
    if (!index.isValid()) {
        return false;
    }
    const int channel = index.row() + 1;
    const bool inSelection = holdsChannel(channel);
    if (index.column() != 0) {
        return mouse->button() == Qt::RightButton && inSelection;
    }
    m_grid->setFocus(Qt::MouseFocusReason);
    if (!m_view->commitOpenEditor()) {
        return true;
    }
    const bool left = mouse->button() == Qt::LeftButton;
    if (left && (mouse->modifiers() & Qt::ShiftModifier)) {
        // From the selected channels' anchor, or from the current cell's channel.
        selectSpan(isChannelSelection() ? m_anchor : firstSelected(), channel);
        m_selecting = true;
    } else if (inSelection) {
        m_dragFrom = left ? channel : 0;
    } else {
        selectChannels(channel, 1);
        m_selecting = left;
    }
    return true;
}

bool ChannelRowSelection::move(const QMouseEvent* mouse) {
    const int channel = channelAt(mouse->position().toPoint().y());
    if (m_selecting) {
        selectSpan(m_anchor, channel);
    } else if (m_dragFrom > 0 && channel != m_dragFrom && !m_dragging) {
        m_dragging = true;
        m_viewport->setCursor(Qt::ClosedHandCursor);
    }
    return m_selecting || m_dragFrom > 0;
}

// A drag ends in a move; a press on a selected block that never moved selects its channel alone.
bool ChannelRowSelection::release(const QMouseEvent* mouse) {
    const bool handled = m_selecting || m_dragFrom > 0;
    if (m_dragFrom > 0) {
        const int to = channelAt(mouse->position().toPoint().y());
        if (m_dragging && to != m_dragFrom) {
            emit moveRequested(to - m_dragFrom);
        } else if (!m_dragging) {
            selectChannels(m_dragFrom, 1);
        }
        m_viewport->unsetCursor();
    }
    m_selecting = false;
    m_dragFrom = 0;
    m_dragging = false;
    return handled;
}

bool ChannelRowSelection::gridKey(const QKeyEvent* key) {
    if (m_view->cellEditor()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        if (!isChannelSelection()) {
            m_anchor = m_extent = firstSelected();
        }
        selectSpan(m_anchor, qBound(1, m_extent + (key->key() == Qt::Key_Up ? -1 : 1),
                                    ChannelEdits::kChannels));
        return true;
    }
    if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete && isChannelSelection()) {
        emit clearRequested();
        return true;
    }
    return false;
}
