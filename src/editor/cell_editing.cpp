// In-place editing of the channel grid: which delegate serves a column, opening its editor over
// the current cell, and the two ways of committing it (leaving the cell and pressing Enter), which
// differ on purpose for rows that are not complete yet.
#include "program_view.h"

#include "cell_delegates.h"
#include "channel_columns.h"
#include "channel_table_model.h"
#include "frequency_check.h"
#include "messenger.h"
#include "ms_flex_grid.h"
#include "signalling_list.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace CC = ChannelColumns;

namespace {

constexpr int kEnterKey = 13;

bool IsDigitKey(int key) {
    return key >= '0' && key <= '9';
}

} // namespace

void CProgramView::InstallDelegates() {
    auto* frequency = new FrequencyDelegate(m_grid);
    auto* signalling = new SignallingDelegate(m_grid);
    auto* option = new OptionDelegate(m_grid);
    for (int col = CC::kRxFrequency; col <= CC::kLast; ++col) {
        switch (col) {
        case CC::kRxFrequency:
        case CC::kTxFrequency:
            m_grid->setItemDelegateForColumn(col, frequency);
            break;
        case CC::kRxSignal:
        case CC::kTxSignal:
            m_grid->setItemDelegateForColumn(col, signalling);
            break;
        default:
            m_grid->setItemDelegateForColumn(col, option);
            break;
        }
    }
}

QWidget* CProgramView::cellEditor() const {
    return m_grid->CellEditor();
}

bool CProgramView::IsCellEditorOpen() const {
    return cellEditor() != nullptr;
}

void CProgramView::SetEditorText(QWidget* editor, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->isEditable()) {
        combo->setEditText(text);
    }
}

// ---- Opening ----

void CProgramView::OnKeyPressGrid(int keyAscii) {
    ShowCellEditor(keyAscii);
}

void CProgramView::OnMouseDownGrid(short button, short, long, long) {
    constexpr short kRightButton = 2;
    if (button != kRightButton && m_grid->GetCol() != 0 && m_grid->GetRow() != 0) {
        ShowCellEditor(0);
    }
}

void CProgramView::ShowCellEditor(int keyAscii) {
    const bool opening = !cellEditor();
    QWidget* editor = m_grid->OpenCellEditor();
    if (!editor) {
        return;
    }
    if (opening) {
        WatchEditor(editor);
    }
    m_emptiedByRefusal = false;
    const QString key = keyAscii > 0 ? QString(QChar(char16_t(keyAscii))) : QString();
    const bool noKey = keyAscii == 0 || keyAscii == kEnterKey;

    // The editor is seeded directly; the clipboard belongs to the user.
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        const bool cellEmpty = m_grid->GetText().isEmpty();
        const int col = m_grid->GetCol();
        if (noKey) {
            edit->setText(m_grid->GetText());
            edit->selectAll();
        } else if (IsDigitKey(keyAscii)) {
            edit->setText(key);
        } else if (keyAscii >= 32) {
            if (col == CC::kRxFrequency || col == CC::kTxFrequency) {
                ShowWarning(this, tr("请输入数字"));
            }
            edit->setText(cellEmpty ? QString() : key);
        } else {
            // A control key has no text to show; the editor opens empty.
            edit->clear();
        }
        if (!noKey) {
            edit->end(false);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(editor);
               !noKey && combo && combo->isEditable()) {
        combo->setEditText(key);
        combo->lineEdit()->end(false);
    }
    editor->setFocus();
}

void CProgramView::WatchEditor(QWidget* editor) {
    editor->installEventFilter(this);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        connect(edit, &QLineEdit::textEdited, this, [this] { m_emptiedByRefusal = false; });
    } else if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
    }
}

// ---- Committing ----

// A refusal is shown, and the emptied editor stays open over its cell for a new try.
bool CProgramView::AcceptOrRefuse(const FrequencyCheck& check, QWidget* editor) {
    if (check.accepted()) {
        return true;
    }
    // A text that is no number at all is the user's slip, as a letter typed on the grid is: a
    // warning. A number the radio cannot take is an error.
    const int severity = check.verdict == FrequencyCheck::Verdict::NotANumber ? 0 : 1;
    ReportMessage(this, check.message(), severity);
    SetEditorText(editor, QString());
    m_emptiedByRefusal = true;
    editor->show();
    editor->setFocus();
    return false;
}

// A signalling text that names no list entry is refused with the text left for correcting.
bool CProgramView::CommitChoiceOrRefuse(int row, int col, QWidget* editor,
                                        ChannelTableModel::Commit how) {
    if (m_channels.commitChoice(row, col, CellDelegate::editorText(editor), how)) {
        return true;
    }
    ReportMessage(this, ChannelTableModel::unknownSignallingMessage(), 0);
    editor->show();
    editor->setFocus();
    return false;
}

// The cell and its channel stay as they were; the editor is loaded from the cell again.
void CProgramView::AbandonEdit(QWidget* editor) {
    Q_UNUSED(editor)
    m_emptiedByRefusal = false;
    m_grid->CloseCellEditor();
}

void CProgramView::OnLeaveCell() {
    QWidget* editor = cellEditor();
    if (!editor) {
        return;
    }
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    const QString t = CellDelegate::editorText(editor);
    if (m_emptiedByRefusal && qobject_cast<QLineEdit*>(editor) && t.isEmpty()) {
        AbandonEdit(editor);
        return;
    }
    if (col == CC::kRxFrequency || col == CC::kTxFrequency) {
        if (!AcceptOrRefuse(m_channels.commitFrequency(row, col, t), editor)) {
            m_grid->RefuseLeave(); // the refused value stays with its own cell
            return;
        }
    } else if (col > 0 &&
               !CommitChoiceOrRefuse(row, col, editor, ChannelTableModel::Commit::LeavingCell)) {
        m_grid->RefuseLeave();
        return;
    }
    m_grid->CloseCellEditor();
}

bool CProgramView::PreTranslateMessage(QKeyEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)) {
        return false;
    }
    const int col = m_grid->GetCol();
    QWidget* editor = cellEditor();
    if (col < CC::kRxFrequency || col > CC::kLast || !editor) {
        return false;
    }
    const int row = m_grid->GetRow();
    const QString t = CellDelegate::editorText(editor);
    switch (col) {
    case CC::kRxFrequency:
    case CC::kTxFrequency:
        CommitEnterFrequency(row, col, t, editor);
        break;
    case CC::kRxSignal:
    case CC::kTxSignal: {
        // In an incomplete channel the cell is emptied and the editor stays for another try.
        const bool incomplete = m_channels.isIncomplete(row);
        if (CommitChoiceOrRefuse(row, col, editor, ChannelTableModel::Commit::EnterKey) &&
            !incomplete) {
            m_grid->CloseCellEditor();
        }
        break;
    }
    default:
        m_channels.commitChoice(row, col, t, ChannelTableModel::Commit::EnterKey);
        m_grid->CloseCellEditor();
        break;
    }
    return true;
}

void CProgramView::CommitEnterFrequency(int row, int col, const QString& t, QWidget* editor) {
    if (m_emptiedByRefusal && t.isEmpty()) {
        AbandonEdit(editor);
        return;
    }
    const bool rxEmpty = m_channels.isEmptyChannel(row);
    if (!AcceptOrRefuse(m_channels.commitFrequency(row, col, t), editor)) {
        return;
    }
    if (col == CC::kRxFrequency && t.isEmpty()) {
        m_grid->CloseCellEditor();
        m_grid->SetCol(CC::kRxFrequency);
        return;
    }
    if (col == CC::kTxFrequency && (rxEmpty || t.isEmpty())) {
        m_grid->CloseCellEditor();
        return;
    }
    // Stepping right makes the grid leave the cell, which commits the same text again on the
    // still-open editor and closes it; the next column's editor is loaded but not opened.
    m_grid->SetCol(col + 1);
    if (m_grid->GetCol() == col) {
        m_grid->CloseCellEditor();
    }
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Accelerators such as Ctrl+C (port COM1) win over the editors' own copy and paste keys.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return PreTranslateMessage(key);
    case Qt::Key_Escape:
        // Leaves the cell as it was; nothing is committed, and the editor is loaded from the
        // cell again so reopening it does not bring back the abandoned text.
        if (QWidget* editor = cellEditor()) {
            AbandonEdit(editor);
            return true;
        }
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (qobject_cast<QLineEdit*>(watched) == watched && watched == cellEditor()) {
            QCoreApplication::sendEvent(m_grid, event);
            return true;
        }
        return false;
    default:
        return false;
    }
}
