// In-place editing of the channel grid: which delegate serves a column, opening its editor over
// the current cell, and the two ways of committing it (leaving the cell and pressing Enter), which
// differ on purpose for rows that are not complete yet.
#include "channel_form.h"

#include "cell_delegates.h"
#include "channel_columns.h"
#include "channel_grid.h"
#include "channel_table_model.h"
#include "frequency_check.h"
#include "messenger.h"
#include "signalling_list.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace CC = ChannelColumns;

namespace {

bool IsDigitKey(int key) {
    return key >= '0' && key <= '9';
}

} // namespace

void ChannelForm::installDelegates() {
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

QWidget* ChannelForm::cellEditor() const {
    return m_grid->cellEditor();
}

int ChannelForm::currentChannel() const {
    return m_grid->currentIndex().row() + 1;
}

int ChannelForm::currentColumn() const {
    return m_grid->currentIndex().column();
}

void ChannelForm::setEditorText(QWidget* editor, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->isEditable()) {
        combo->setEditText(text);
    }
}

// ---- Opening ----

// The delegate has loaded the editor with the cell's text, all of it selected. A key seeds it
// directly; the clipboard belongs to the user.
void ChannelForm::seedEditor(QWidget* editor, const QString& key) {
    editor->installEventFilter(this);
    m_emptiedByRefusal = false;
    const int code = key.isEmpty() ? 0 : key.at(0).unicode();
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        connect(edit, &QLineEdit::textEdited, this, [this] { m_emptiedByRefusal = false; });
        if (code == 0) {
            return;
        }
        const int col = currentColumn();
        if (IsDigitKey(code)) {
            edit->setText(key);
        } else if (code >= 32) {
            if (col == CC::kRxFrequency || col == CC::kTxFrequency) {
                ShowWarning(this, tr("请输入数字"));
            }
            edit->setText(m_grid->currentIndex().data().toString().isEmpty() ? QString() : key);
        } else {
            // A control key has no text to show; the editor opens empty.
            edit->clear();
        }
        edit->end(false);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
        if (code != 0) {
            combo->setEditText(key);
            combo->lineEdit()->end(false);
        }
    }
    editor->setFocus();
}

// ---- Committing ----

// A refusal is shown, and the emptied editor stays open over its cell for a new try.
bool ChannelForm::acceptOrRefuse(const FrequencyCheck& check, QWidget* editor) {
    if (check.accepted()) {
        return true;
    }
    // A text that is no number at all is the user's slip, as a letter typed on the grid is: a
    // warning. A number the radio cannot take is an error.
    const int severity = check.verdict == FrequencyCheck::Verdict::NotANumber ? 0 : 1;
    ReportMessage(this, check.message(), severity);
    setEditorText(editor, QString());
    m_emptiedByRefusal = true;
    editor->show();
    editor->setFocus();
    return false;
}

// A signalling text that names no list entry is refused with the text left for correcting.
bool ChannelForm::commitChoiceOrRefuse(int channel, int col, QWidget* editor,
                                       ChannelTableModel::Commit how) {
    if (m_channels.commitChoice(channel, col, CellDelegate::editorText(editor), how)) {
        return true;
    }
    ReportMessage(this, ChannelTableModel::unknownSignallingMessage(), 0);
    editor->show();
    editor->setFocus();
    return false;
}

// The cell and its channel stay as they were; the next editor is loaded from the cell again.
void ChannelForm::abandonEdit() {
    m_emptiedByRefusal = false;
    m_grid->closeCellEditor();
}

bool ChannelForm::commitOpenEditor() {
    QWidget* editor = cellEditor();
    if (!editor) {
        return true;
    }
    const int channel = currentChannel();
    const int col = currentColumn();
    const QString t = CellDelegate::editorText(editor);
    if (m_emptiedByRefusal && qobject_cast<QLineEdit*>(editor) && t.isEmpty()) {
        abandonEdit();
        return true;
    }
    if (col == CC::kRxFrequency || col == CC::kTxFrequency) {
        if (!acceptOrRefuse(m_channels.commitFrequency(channel, col, t), editor)) {
            return false; // the refused value stays with its own cell
        }
    } else if (col > 0 && !commitChoiceOrRefuse(channel, col, editor,
                                                ChannelTableModel::Commit::LeavingCell)) {
        return false;
    }
    m_grid->closeCellEditor();
    return true;
}

bool ChannelForm::commitOnEnter(QKeyEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)) {
        return false;
    }
    const int col = currentColumn();
    QWidget* editor = cellEditor();
    if (col < CC::kRxFrequency || col > CC::kLast || !editor) {
        return false;
    }
    const int channel = currentChannel();
    const QString t = CellDelegate::editorText(editor);
    switch (col) {
    case CC::kRxFrequency:
    case CC::kTxFrequency:
        commitEnterFrequency(channel, col, t, editor);
        break;
    case CC::kRxSignal:
    case CC::kTxSignal: {
        // In an incomplete channel the cell is emptied and the editor stays for another try.
        const bool incomplete = m_channels.isIncomplete(channel);
        if (commitChoiceOrRefuse(channel, col, editor, ChannelTableModel::Commit::EnterKey) &&
            !incomplete) {
            m_grid->closeCellEditor();
        }
        break;
    }
    default:
        m_channels.commitChoice(channel, col, t, ChannelTableModel::Commit::EnterKey);
        m_grid->closeCellEditor();
        break;
    }
    return true;
}

void ChannelForm::commitEnterFrequency(int channel, int col, const QString& t, QWidget* editor) {
    if (m_emptiedByRefusal && t.isEmpty()) {
        abandonEdit();
        return;
    }
    const bool rxEmpty = m_channels.isEmptyChannel(channel);
    if (!acceptOrRefuse(m_channels.commitFrequency(channel, col, t), editor)) {
        return;
    }
    if (col == CC::kRxFrequency && t.isEmpty()) {
        m_grid->closeCellEditor();
        return;
    }
    if (col == CC::kTxFrequency && (rxEmpty || t.isEmpty())) {
        m_grid->closeCellEditor();
        return;
    }
    // Stepping right leaves the cell, which commits the same text again on the still-open editor
    // and closes it; the next column's editor stays closed.
    m_grid->setCurrentIndex(m_grid->currentIndex().siblingAtColumn(col + 1));
    m_grid->closeCellEditor();
}

bool ChannelForm::eventFilter(QObject* watched, QEvent* event) {
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
        return commitOnEnter(key);
    case Qt::Key_Escape:
        // Leaves the cell as it was; nothing is committed.
        if (cellEditor()) {
            abandonEdit();
            return true;
        }
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Qt's editors would take Tab for a focus change; in the grid it moves the cell.
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A frequency editor has no use for them: the grid moves up or down.
        if (qobject_cast<QLineEdit*>(watched) == watched && watched == cellEditor()) {
            QCoreApplication::sendEvent(m_grid, event);
            return true;
        }
        return false;
    default:
        return false;
    }
}
