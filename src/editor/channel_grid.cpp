#include "channel_grid.h"

#include "cell_announcer.h"
#include "cell_delegates.h"
#include "channel_columns.h"
#include "channel_table_model.h"
#include "messenger.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QValidator>

#include <cmath>

namespace CC = ChannelColumns;

namespace {

bool IsModified(const QInputEvent* event) {
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool IsForward(const QKeyEvent* event) {
    return event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
}

bool IsFrequencyColumn(const QModelIndex& index) {
    const int column = ChannelTableModel::tableColumn(index.column());
    return column == CC::kRxFrequency || column == CC::kTxFrequency;
}

} // namespace

ChannelGrid::ChannelGrid(QAbstractItemModel* model, QWidget* parent) : QTableView(parent) {
    setModel(model);
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setMinimumSectionSize(1); // the proportions decide, not the style
    columns->setHighlightSections(false);
    columns->setSectionsClickable(false); // a header click must not select a column

    QHeaderView* numbers = verticalHeader();
    numbers->setSectionResizeMode(QHeaderView::Fixed);
    numbers->setDefaultAlignment(Qt::AlignCenter);
    numbers->setSectionsMovable(true);
    numbers->viewport()->installEventFilter(this);
    connect(numbers, &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        restoreNumbersAfterDrag(oldVisual, newVisual);
    });

    // The corner names the numbers below it; a click there must not select the whole table.
    setCornerButtonEnabled(false);
    m_corner = findChild<QAbstractButton*>();
    if (m_corner) {
        m_corner->installEventFilter(this);
        m_corner->setAccessibleName(CC::ShownHeader(0));
    }
    // Tab keeps to the cells, so a screen reader user must hear how to get out.
    setAccessibleDescription(
        tr("Tab 和 Shift+Tab 逐格移动，在最后一格和第一格离开表格；"
           "Ctrl+Tab 随时离开表格。Enter 或 F2 编辑单元格，Delete 清除信道。"));
    m_announcer = new CellAnnouncer(this);
    fitRowsToFont();
    setCurrentIndex(model->index(0, 0));
}

QWidget* ChannelGrid::cellEditor() const {
    return indexWidget(currentIndex());
}

void ChannelGrid::closeCellEditor() {
    if (QWidget* editor = cellEditor()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

bool ChannelGrid::commitOpenEditor() {
    QWidget* editor = cellEditor();
    if (!editor) {
        return true;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return cellEditor() == nullptr;
}

bool ChannelGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool byKey = event && event->type() == QEvent::KeyPress;
    const bool wasOpen = indexWidget(index) != nullptr;
    // What a typed key leaves in the editor is the column's rule, so Qt does not type it there.
    if (!QTableView::edit(index, trigger, byKey ? nullptr : event)) {
        return false;
    }
    QWidget* editor = indexWidget(index);
    if (editor && !wasOpen) {
        seedEditor(editor, byKey ? static_cast<QKeyEvent*>(event)->text() : QString());
    }
    return true;
}

// The delegate has loaded the editor with the cell's text, all of it selected. A key seeds it
// directly; the clipboard belongs to the user.
void ChannelGrid::seedEditor(QWidget* editor, const QString& key) {
    const int code = key.isEmpty() ? 0 : key.at(0).unicode();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (code != 0) {
            int at = 0;
            QString typed = key;
            if (line->validator() && code >= 32 &&
                line->validator()->validate(typed, at) == QValidator::Invalid) {
                editor->setFocus(); // ignored, as the editor ignores it: the text stays selected
                return;
            }
            if (code >= 32) {
                line->setText(key);
            } else {
                line->clear(); // a control key has no text to show; the editor opens empty
            }
            line->end(false);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit()) {
        if (code != 0) {
            combo->setEditText(key);
            combo->lineEdit()->end(false);
        }
    }
    editor->setFocus();
}

void ChannelGrid::commitData(QWidget* editor) {
    // Editors open only over their own cell, so the cell under one is the one it edits.
    const QModelIndex index = indexAt(editor->geometry().center());
    QTableView::commitData(editor);
    if (index.isValid() && !wasRefused(editor) && !CellDelegate::wasAbandoned(editor)) {
        m_announcer->committed(index);
    }
}

void ChannelGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (hint != QAbstractItemDelegate::RevertModelCache && wasRefused(editor)) {
        showRefusal(editor);
        return;
    }
    const QModelIndex index = currentIndex();
    const bool stepOn =
        hint == QAbstractItemDelegate::SubmitModelCache && !CellDelegate::wasAbandoned(editor);
    // The grid takes the focus first: a focused widget that is hidden hands the focus on by
    // itself, and the grid would take that for a Tab.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus))) {
        setFocus();
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (stepOn) {
        stepAfterEnter(index);
    }
}

// An editor that abandoned its last commit asked the model nothing, so what the model says of
// its cell is about an earlier commit.
bool ChannelGrid::wasRefused(const QWidget* editor) const {
    return !CellDelegate::wasAbandoned(editor) &&
           indexAt(editor->geometry().center()).data(ChannelTableModel::RefusalRole).isValid();
}

// The refused value stays with its own cell, in its editor, as typed, for mending.
void ChannelGrid::showRefusal(QWidget* editor) {
    const auto refusal = indexAt(editor->geometry().center())
                             .data(ChannelTableModel::RefusalRole)
                             .value<ChannelTableModel::Refusal>();
    if (!refusal.message.isEmpty()) {
        ReportMessage(this, refusal.message, refusal.error ? 1 : 0);
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        CellDelegate::markRefused(line);
    }
    editor->show();
    editor->setFocus();
}

void ChannelGrid::stepAfterEnter(const QModelIndex& index) {
    if (IsFrequencyColumn(index) && !index.data().toString().isEmpty()) {
        setCurrentIndex(index.siblingAtColumn(index.column() + 1));
    }
}

// The program moved the current cell past an open editor: what it holds is committed if the
// model takes it, else dropped, since the cell it belongs to is no longer current.
void ChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (QWidget* editor = previous.isValid() ? indexWidget(previous) : nullptr) {
        commitData(editor);
        if (editor->isAncestorOf(QApplication::focusWidget()) ||
            QApplication::focusWidget() == editor) {
            setFocus();
        }
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    QTableView::currentChanged(current, previous);
}

QModelIndex ChannelGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    if (!commitOpenEditor()) {
        return current; // a refused value keeps its cell current
    }
    const int rows = model()->rowCount();
    const int last = model()->columnCount() - 1;
    switch (action) {
    // Tab walks the settings row by row, round the whole table.
    case MoveNext:
        if (current.column() < last) {
            return current.siblingAtColumn(current.column() + 1);
        }
        return model()->index((current.row() + 1) % rows, 0);
    case MovePrevious:
        if (current.column() > 0) {
            return current.siblingAtColumn(current.column() - 1);
        }
        return model()->index((current.row() + rows - 1) % rows, last);
    default:
        return QTableView::moveCursor(action, modifiers);
    }
}

int ChannelGrid::firstSelectedChannel() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int first = selected.isEmpty() ? currentIndex().row() : selected.first().row();
    for (const QModelIndex& index : selected) {
        first = qMin(first, index.row());
    }
    return qMax(0, first) + 1;
}

int ChannelGrid::selectedChannelCount() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return 1;
    }
    int last = 0;
    for (const QModelIndex& index : selected) {
        last = qMax(last, index.row());
    }
    return last + 2 - firstSelectedChannel();
}

void ChannelGrid::selectChannels(int first, int count) {
    const int column = qMax(0, currentIndex().column());
    selectionModel()->setCurrentIndex(model()->index(first - 1, column),
                                      QItemSelectionModel::NoUpdate);
    const QItemSelection rows(model()->index(first - 1, 0),
                              model()->index(first + count - 2, model()->columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void ChannelGrid::setCurrentChannel(int channel) {
    selectionModel()->setCurrentIndex(model()->index(channel - 1, qMax(0, currentIndex().column())),
                                      QItemSelectionModel::NoUpdate);
}

// Qt moves the dragged number itself; the numbers stay in order and the channels move instead.
void ChannelGrid::restoreNumbersAfterDrag(int oldVisual, int newVisual) {
    QHeaderView* numbers = verticalHeader();
    {
        const QSignalBlocker blocker(numbers);
        numbers->moveSection(newVisual, oldVisual);
    }
    const int dragged = oldVisual + 1;
    const bool inBlock = dragged >= m_dragFirst && dragged < m_dragFirst + m_dragCount;
    selectChannels(inBlock ? m_dragFirst : dragged, inBlock ? m_dragCount : 1);
    emit moveRequested(newVisual - oldVisual);
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
// pixel off its share and together they fill the width exactly; the numbers take the first share.
void ChannelGrid::spreadColumns() {
    const int columns = model()->columnCount();
    if (m_weights.size() != columns + 1) {
        return;
    }
    double total = 0;
    for (double weight : m_weights) {
        total += weight;
    }
    const int width = viewport()->width() + verticalHeader()->width();
    int left = qRound(width * m_weights.first() / total);
    verticalHeader()->setFixedWidth(left);
    double edge = m_weights.first();
    for (int col = 0; col < columns; ++col) {
        edge += m_weights.at(col + 1);
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

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner(m_corner);
        return true;
    }
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A press on a number first commits the cell being edited; a refusal keeps it where it
        // is. A press inside the selected block may start dragging the whole block.
        if (!commitOpenEditor()) {
            return true;
        }
        const auto* press = static_cast<QMouseEvent*>(event);
        const int channel = verticalHeader()->logicalIndexAt(press->position().toPoint()) + 1;
        m_dragFirst = firstSelectedChannel();
        m_dragCount = selectedChannelCount();
        if (channel < m_dragFirst || channel >= m_dragFirst + m_dragCount) {
            m_dragCount = 0;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void ChannelGrid::paintCorner(QWidget* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = CC::ShownHeader(0);
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    // The button is disabled only so that a click selects nothing; its name reads as the
    // headers beside it do, in either appearance.
    option.state |= QStyle::State_Raised | QStyle::State_Horizontal | QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

bool ChannelGrid::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        // Qt opens no editor on Enter; here Enter, and F2 as elsewhere, open the cell's editor
        // with the cell's text.
        if (!IsModified(event)) {
            edit(currentIndex(), AllEditTriggers, nullptr);
        }
        return;
    case Qt::Key_Backspace:
        // A typed character as any other, which Qt's item views leave out.
        if (!IsModified(event)) {
            edit(currentIndex(), AnyKeyPressed, event);
        }
        return;
    case Qt::Key_Delete:
        // The key the menu shows beside 清除信道: on a single cell it clears that cell's channel.
        if (!IsModified(event)) {
            emit clearRequested();
            return;
        }
        break;
    case Qt::Key_F10:
    case Qt::Key_Menu:
        // The context menu from the keyboard opens over the current cell.
        if (event->key() == Qt::Key_Menu || event->modifiers() == Qt::ShiftModifier) {
            if (commitOpenEditor()) {
                emit customContextMenuRequested(visualRect(currentIndex()).center());
            }
            return;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab and Ctrl+Shift+Tab take the focus out of the grid, as elsewhere in Qt, and so
        // do Tab on the last cell and Shift+Tab on the first, committing the open editor first; a
        // refused value keeps the focus where it is.
        if (leavesGrid(event)) {
            if (commitOpenEditor()) {
                QWidget::focusNextPrevChild(IsForward(event));
            }
            return;
        }
        break;
    case Qt::Key_V:
        // Ctrl+V would otherwise do nothing at all.
        if (event->matches(QKeySequence::Paste)) {
            emit hint(
                tr("Ctrl+C 选择串口 COM1，所以粘贴信道请按 Shift+Insert（复制是 Ctrl+Insert）。"));
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
    // Shift+Up and Shift+Down select whole channels, as a drag over their numbers does.
    const bool vertical = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (vertical && event->modifiers() == Qt::ShiftModifier) {
        const int first = firstSelectedChannel();
        const int count = selectedChannelCount();
        const QModelIndex current = currentIndex();
        selectChannels(first, count);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
}

bool ChannelGrid::leavesGrid(const QKeyEvent* event) const {
    if (event->modifiers() & Qt::ControlModifier) {
        return true;
    }
    const QModelIndex current = currentIndex();
    const QModelIndex edge =
        IsForward(event) ? model()->index(model()->rowCount() - 1, model()->columnCount() - 1)
                         : model()->index(0, 0);
    return current == edge;
}

void ChannelGrid::keyboardSearch(const QString&) {
    // A key that opens no editor never jumps to another cell.
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    // The empty area never becomes current. An open editor is asked to let go before Qt moves
    // the current cell, so that a refusal leaves the selection alone too.
    if (!index.isValid()) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (index != currentIndex() && !commitOpenEditor()) {
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
    event->accept(); // dragging over cells selects nothing; the numbers select channels
}
