#include "ms_flex_grid.h"

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

short ButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 1;
    }
}

short ShiftCode(Qt::KeyboardModifiers modifiers) {
    short code = 0;
    if (modifiers & Qt::ShiftModifier) {
        code |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        code |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        code |= 4;
    }
    return code;
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QAbstractItemModel* model, QWidget* parent) : QTableView(parent) {
    setModel(model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    FitRowsToFont();
    ShowCurrent();
}

QString CMSFlexGrid::GetTextMatrix(int row, int col) const {
    if (row == 0) {
        return model()->headerData(col, Qt::Horizontal).toString();
    }
    return model()->index(row - 1, col).data().toString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row > 0) {
        model()->setData(model()->index(row - 1, col), text);
    }
}

long CMSFlexGrid::ToTwipsX(int pixels) const {
    return long(pixels) * kTwipsPerInch / logicalDpiX();
}

QWidget* CMSFlexGrid::CellEditor() const {
    return indexWidget(currentIndex());
}

QWidget* CMSFlexGrid::OpenCellEditor() {
    if (QWidget* open = CellEditor()) {
        return open;
    }
    edit(currentIndex());
    return CellEditor();
}

void CMSFlexGrid::CloseCellEditor() {
    QWidget* editor = CellEditor();
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

long CMSFlexGrid::GetColWidth(int col) const {
    return ToTwipsX(horizontalHeader()->sectionSize(col));
}

void CMSFlexGrid::SetColumnProportions(const QList<double>& weights,
                                       const QList<int>& minimumWidths) {
    m_weights = weights;
    m_minimumWidths = minimumWidths;
    updateGeometry();
    SpreadColumns();
}

void CMSFlexGrid::FitRowsToFont() {
    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    updateGeometry();
}

// Column edges are rounded from the exact proportional positions, so no column is more than a
// pixel off its share and together they fill the width exactly.
void CMSFlexGrid::SpreadColumns() {
    if (m_weights.size() != GetCols()) {
        return;
    }
    double total = 0;
    for (double weight : m_weights) {
        total += weight;
    }
    const int width = viewport()->width();
    double edge = 0;
    int left = 0;
    for (int col = 0; col < GetCols(); ++col) {
        edge += m_weights.at(col);
        const int right = qRound(width * edge / total);
        setColumnWidth(col, right - left);
        left = right;
    }
}

QSize CMSFlexGrid::minimumSizeHint() const {
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

QSize CMSFlexGrid::sizeHint() const {
    return minimumSizeHint();
}

void CMSFlexGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    SpreadColumns();
}

void CMSFlexGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitRowsToFont();
    }
}

QRect CMSFlexGrid::CellRect(int row, int col) const {
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        return QRect(header->sectionViewportPosition(col), -header->height(),
                     header->sectionSize(col), header->height());
    }
    return visualRect(model()->index(row - 1, col));
}

bool CMSFlexGrid::MoveTo(int row, int col) {
    row = qBound(1, row, GetRows() - 1);
    col = qBound(1, col, GetCols() - 1);
    if (row == m_row && col == m_col) {
        return true;
    }
    m_leaveRefused = false;
    emit LeaveCell();
    if (m_leaveRefused) {
        m_leaveRefused = false;
        return false;
    }
    m_row = row;
    m_col = col;
    ShowCurrent();
    emit EnterCell();
    return true;
}

bool CMSFlexGrid::MoveBy(int rows, int cols, bool wrap) {
    int row = m_row + rows;
    int col = m_col + cols;
    if (wrap && col >= GetCols()) {
        col = 1;
        row = row + 1 < GetRows() ? row + 1 : 1;
    } else if (wrap && col < 1) {
        col = GetCols() - 1;
        row = row - 1 >= 1 ? row - 1 : GetRows() - 1;
    }
    return MoveTo(row, col);
}

void CMSFlexGrid::ShowCurrent() {
    const QModelIndex index = model()->index(m_row - 1, m_col);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool CMSFlexGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's accelerators (Ctrl+C selects a port) win over the view's copy key.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Tab moves between cells; it is taken here so that focus changes made by the program
        // (an editor hidden while it had the focus) never pass for a key press.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

// Ctrl+Tab and Ctrl+Shift+Tab take the focus out of the grid, as everywhere in Qt, committing the
// open editor first; a refused value keeps the focus where it is.
void CMSFlexGrid::LeaveGrid(bool next) {
    m_leaveRefused = false;
    emit LeaveCell();
    if (m_leaveRefused) {
        m_leaveRefused = false;
        return;
    }
    QWidget::focusNextPrevChild(next);
}

bool CMSFlexGrid::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
    const int lastRow = GetRows() - 1;
    const int lastCol = GetCols() - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        MoveBy(0, -1, false);
        return;
    case Qt::Key_Right:
        MoveBy(0, 1, false);
        return;
    case Qt::Key_Up:
        MoveBy(-1, 0, false);
        return;
    case Qt::Key_Down:
        MoveBy(1, 0, false);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (event->modifiers() & Qt::ControlModifier) {
            LeaveGrid(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        } else {
            MoveBy(0, event->key() == Qt::Key_Tab ? 1 : -1, true);
        }
        return;
    case Qt::Key_Home:
        MoveTo(m_row, 1);
        return;
    case Qt::Key_End:
        MoveTo(m_row, lastCol);
        return;
    case Qt::Key_PageUp:
        MoveTo(1, m_col);
        return;
    case Qt::Key_PageDown:
        MoveTo(lastRow, m_col);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit KeyPress(13);
        return;
    case Qt::Key_Escape:
        event->ignore();
        return;
    default:
        break;
    }
    const QString text = event->text();
    // Alt and Meta combinations belong to the menus' mnemonics, never to a cell.
    if (text.isEmpty() || (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier))) {
        event->ignore();
        return;
    }
    emit KeyPress(text.at(0).unicode());
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.column() == 0) {
        return; // fixed cells and the empty area never become current
    }
    if (!MoveTo(index.row() + 1, index.column())) {
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), ToTwipsX(at.x()),
                   long(at.y()) * kTwipsPerInch / logicalDpiY());
}

void CMSFlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept(); // dragging must not move the current cell behind the notifications' back
}

void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
