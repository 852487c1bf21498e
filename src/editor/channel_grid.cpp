#include "channel_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

// The fixed channel-number cells look like the header beside them.
class FixedCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = option->palette.brush(QPalette::Window);
    }
};

// Every change of the current cell comes through here, whoever makes it, so this is where leaving
// a cell can be refused. The channel numbers never become current.
class CurrentCellGate : public QItemSelectionModel {
public:
    CurrentCellGate(QAbstractItemModel* model, ChannelGrid* grid)
        : QItemSelectionModel(model, grid), m_grid(grid) {}

    void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
        if (index.isValid() && index != currentIndex() &&
            (index.column() == 0 || !m_grid->mayLeaveCurrentCell())) {
            return;
        }
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    ChannelGrid* m_grid;
};

bool isModified(const QInputEvent* event) {
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

ChannelGrid::ChannelGrid(QAbstractItemModel* model, QWidget* parent) : QTableView(parent) {
    setModel(model);
    QItemSelectionModel* plain = selectionModel();
    setSelectionModel(new CurrentCellGate(model, this));
    delete plain;
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1); // the proportions decide, not the style
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false); // a header click must not select a column

    setItemDelegateForColumn(0, new FixedCellDelegate(this));
    fitRowsToFont();
    setCurrentIndex(model->index(0, 1));
}

QWidget* ChannelGrid::cellEditor() const {
    return indexWidget(currentIndex());
}

void ChannelGrid::closeCellEditor() {
    QWidget* editor = cellEditor();
    if (!editor) {
        return;
    }
    const QWidget* focus = QApplication::focusWidget();
    // The grid takes the focus first: a focused widget that is hidden hands the focus on by
    // itself, and the grid would take that for a Tab.
    if (focus && (focus == editor || editor->isAncestorOf(focus))) {
        setFocus();
    }
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool ChannelGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool byKey = event && event->type() == QEvent::KeyPress;
    const bool wasOpen = indexWidget(index) != nullptr;
    if (!QTableView::edit(index, trigger, byKey ? nullptr : event)) {
        return false;
    }
    QWidget* editor = indexWidget(index);
    if (editor && !wasOpen) {
        emit editorOpened(editor, byKey ? static_cast<QKeyEvent*>(event)->text() : QString());
    }
    return true;
}

QModelIndex ChannelGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    const int rows = model()->rowCount();
    const int last = model()->columnCount() - 1;
    switch (action) {
    // Tab walks the settings row by row, round the whole table, past the channel numbers.
    case MoveNext:
        if (current.column() < last) {
            return current.siblingAtColumn(current.column() + 1);
        }
        return model()->index((current.row() + 1) % rows, 1);
    case MovePrevious:
        if (current.column() > 1) {
            return current.siblingAtColumn(current.column() - 1);
        }
        return model()->index((current.row() + rows - 1) % rows, last);
    case MoveHome:
        return current.siblingAtColumn(1);
    default: {
        const QModelIndex next = QTableView::moveCursor(action, modifiers);
        return next.column() == 0 ? current : next;
    }
    }
}

void ChannelGrid::setColumnProportions(const QList<double>& weights,
                                       const QList<int>& minimumWidths) {
    m_weights = weights;
    m_minimumWidths = minimumWidths;
    updateGeometry();
    spreadColumns();
}

void ChannelGrid::fitRowsToFont() {
    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    updateGeometry();
}

// Column edges are rounded from the exact proportional positions, so no column is more than a
// pixel off its share and together they fill the width exactly.
void ChannelGrid::spreadColumns() {
    const int columns = model()->columnCount();
    if (m_weights.size() != columns) {
        return;
    }
    double total = 0;
    for (double weight : m_weights) {
        total += weight;
    }
    const int width = viewport()->width();
    double edge = 0;
    int left = 0;
    for (int col = 0; col < columns; ++col) {
        edge += m_weights.at(col);
        const int right = qRound(width * edge / total);
        setColumnWidth(col, right - left);
        left = right;
    }
}

QSize ChannelGrid::minimumSizeHint() const {
    double total = 0;
    double widthPerWeight = 0;
    for (int col = 0; col < m_weights.size(); ++col) {
        total += m_weights.at(col);
        if (col < m_minimumWidths.size() && m_weights.at(col) > 0) {
            widthPerWeight = qMax(widthPerWeight, m_minimumWidths.at(col) / m_weights.at(col));
        }
    }
    const int frame = 2 * frameWidth();
    const int rows = horizontalHeader()->sizeHint().height() +
                     model()->rowCount() * verticalHeader()->defaultSectionSize();
    return {int(std::ceil(widthPerWeight * total)) + frame, rows + frame};
}

QSize ChannelGrid::sizeHint() const {
    return minimumSizeHint();
}

void ChannelGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    spreadColumns();
}

void ChannelGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitRowsToFont();
    }
}

bool ChannelGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's accelerators (Ctrl+C selects a port) win over the view's copy key.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Tab moves between cells. Qt would take it for a focus change first; here only the key
        // moves the cell, so focus changes made by the program (an editor hidden while it had
        // the focus) never pass for a Tab.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

bool ChannelGrid::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Qt opens no editor on Enter; here Enter opens the cell's editor with the cell's text.
        if (!isModified(event)) {
            edit(currentIndex(), AllEditTriggers, nullptr);
        }
        return;
    case Qt::Key_Backspace:
        // A typed character as any other, which Qt's item views leave out.
        if (!isModified(event)) {
            edit(currentIndex(), AnyKeyPressed, event);
        }
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab and Ctrl+Shift+Tab take the focus out of the grid, as elsewhere in Qt,
        // committing the open editor first; a refused value keeps the focus where it is.
        if (event->modifiers() & Qt::ControlModifier) {
            if (mayLeaveCurrentCell()) {
                QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                            !(event->modifiers() & Qt::ShiftModifier));
            }
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void ChannelGrid::keyboardSearch(const QString&) {
    // A key that opens no editor never jumps to another cell.
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    // Fixed cells and the empty area never become current. An open editor is asked to let go
    // before Qt moves the current cell, so that a refusal leaves the selection alone too.
    if (!index.isValid() || index.column() == 0) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (index != currentIndex() && !mayLeaveCurrentCell()) {
        return;
    }
    QTableView::mousePressEvent(event);
    // Qt opens editors on a click's release or a double click; here the press opens one, once
    // its cell is current. The right button only moves.
    if (event->button() != Qt::RightButton && currentIndex() == index) {
        edit(index, AllEditTriggers, nullptr);
    }
}

void ChannelGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept(); // dragging selects nothing; only a press moves the current cell
}
