// In-place editing of the channel grid: which editor serves a column, loading it when a cell
// becomes current, opening it over the cell, and the two ways of committing it (leaving the cell
// and pressing Enter), which differ on purpose for rows that are not complete yet.
#include "program_view.h"

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

// The list's own prefix search: the first entry that begins with text, ignoring case.
int FindPrefix(const QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

} // namespace

void CProgramView::CreateCellEditors() {
    m_editFreq = new QLineEdit(m_grid->CellArea());
    m_editFreq->setObjectName(QStringLiteral("editFreq"));
    m_editFreq->setAccessibleName(QStringLiteral("频率编辑"));
    m_editFreq->setFrame(false);
    m_editFreq->hide();
    connect(m_editFreq, &QLineEdit::textEdited, this, [this] { m_emptiedByRefusal = false; });
    WatchEditor(m_editFreq);

    const SignallingList& signalling = TheSignallingList();
    m_comboSignal = new QComboBox(m_grid->CellArea());
    m_comboSignal->setObjectName(QStringLiteral("comboSignal"));
    m_comboSignal->setAccessibleName(QStringLiteral("信令编辑"));
    m_comboSignal->setEditable(true);
    m_comboSignal->setInsertPolicy(QComboBox::NoInsert);
    m_comboSignal->setCompleter(nullptr);
    m_comboSignal->addItems(signalling.entries());
    m_comboSignal->hide();
    WatchEditor(m_comboSignal);
    WatchEditor(m_comboSignal->lineEdit());

    m_comboBusy = CreateDropDownList(QStringLiteral("comboBusy"), CC::kBusy);
    m_comboPower = CreateDropDownList(QStringLiteral("comboPower"), CC::kPower);
    m_comboScan = CreateDropDownList(QStringLiteral("comboScan"), CC::kScan);
    m_comboBandwidth = CreateDropDownList(QStringLiteral("comboBandwidth"), CC::kBandwidth);
    m_comboScrambler = CreateDropDownList(QStringLiteral("comboScrambler"), CC::kScrambler);
    m_comboCompander = CreateDropDownList(QStringLiteral("comboCompander"), CC::kCompander);
    m_comboEmphasis = CreateDropDownList(QStringLiteral("comboEmphasis"), CC::kEmphasis);
}

QComboBox* CProgramView::CreateDropDownList(const QString& objectName, int column) {
    auto* combo = new QComboBox(m_grid->CellArea());
    combo->setObjectName(objectName);
    // A screen reader announces the column the list edits.
    combo->setAccessibleName(CC::Headers().at(column));
    combo->addItems(CC::Choices(column));
    combo->hide();
    WatchEditor(combo);
    return combo;
}

void CProgramView::WatchEditor(QWidget* editor) {
    editor->installEventFilter(this);
}

QWidget* CProgramView::GetCellEditor() const {
    switch (m_grid->GetCol()) {
    case CC::kRxSignal:
    case CC::kTxSignal:
        return m_comboSignal;
    case CC::kBusy:
        return m_comboBusy;
    case CC::kPower:
        return m_comboPower;
    case CC::kScan:
        return m_comboScan;
    case CC::kBandwidth:
        return m_comboBandwidth;
    case CC::kScrambler:
        return m_comboScrambler;
    case CC::kCompander:
        return m_comboCompander;
    case CC::kEmphasis:
        return m_comboEmphasis;
    default:
        return m_editFreq;
    }
}

bool CProgramView::IsCellEditorOpen() const {
    const QWidget* editor = m_bEditorsCreated ? GetCellEditor() : nullptr;
    return editor && !editor->isHidden();
}

QString CProgramView::EditorText(QWidget* editor) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        return edit->text();
    }
    return static_cast<QComboBox*>(editor)->currentText();
}

void CProgramView::SetEditorText(QWidget* editor, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    } else if (auto* combo = static_cast<QComboBox*>(editor); combo->isEditable()) {
        combo->setEditText(text);
    }
}

void CProgramView::HideEditor(QWidget* editor) {
    const QWidget* focus = QApplication::focusWidget();
    // The grid takes the focus first: a focused widget that is hidden hands the focus on by
    // itself, and the grid would take that for a Tab.
    if (focus && (focus == editor || editor->isAncestorOf(focus))) {
        m_grid->setFocus();
    }
    editor->hide();
}

void CProgramView::HideCellEditors() {
    for (QWidget* editor :
         {static_cast<QWidget*>(m_editFreq), static_cast<QWidget*>(m_comboSignal),
          static_cast<QWidget*>(m_comboBusy), static_cast<QWidget*>(m_comboPower),
          static_cast<QWidget*>(m_comboScan), static_cast<QWidget*>(m_comboBandwidth),
          static_cast<QWidget*>(m_comboScrambler), static_cast<QWidget*>(m_comboCompander),
          static_cast<QWidget*>(m_comboEmphasis)}) {
        HideEditor(editor);
    }
}

// ---- Loading and opening ----

void CProgramView::OnEnterCell() {
    if (m_grid->GetRow() == 0 || !m_bEditorsCreated) {
        return;
    }
    const QString text = m_grid->GetText();
    QWidget* editor = GetCellEditor();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(qMax(0, FindPrefix(combo, text)));
    } else {
        m_editFreq->setText(text);
    }
}

void CProgramView::OnKeyPressGrid(int keyAscii) {
    ShowCellEditor(keyAscii);
}

void CProgramView::OnMouseDownGrid(short button, short, long, long) {
    constexpr short kRightButton = 2;
    if (button != kRightButton && m_grid->GetCol() != 0 && m_grid->GetRow() != 0) {
        ShowCellEditor(0);
    }
}

void CProgramView::ShowCellEditor(int keyAscii, QWidget* editor) {
    if (!m_bEditorsCreated) {
        return;
    }
    if (!editor) {
        editor = GetCellEditor();
    }
    m_emptiedByRefusal = false;
    // A screen reader announces the column being edited.
    editor->setAccessibleName(ChannelColumns::Headers().value(m_grid->GetCol()));
    const QString key = keyAscii > 0 ? QString(QChar(char16_t(keyAscii))) : QString();
    const bool noKey = keyAscii == 0 || keyAscii == kEnterKey;

    // The editor is seeded directly; the clipboard belongs to the user.
    if (editor == m_editFreq) {
        const bool cellEmpty = m_grid->GetText().isEmpty();
        const int col = m_grid->GetCol();
        if (noKey) {
            m_editFreq->setText(m_grid->GetText());
            m_editFreq->selectAll();
        } else if (IsDigitKey(keyAscii)) {
            m_editFreq->setText(key);
        } else if (keyAscii >= 32) {
            if (col == CC::kRxFrequency || col == CC::kTxFrequency) {
                ShowWarning(this, QStringLiteral("请输入数字"));
            }
            m_editFreq->setText(cellEmpty ? QString() : key);
        } else {
            // A control key has no text to show; the editor opens empty.
            m_editFreq->clear();
        }
        if (!noKey) {
            m_editFreq->end(false);
        }
    } else if (!noKey && editor == m_comboSignal) {
        m_comboSignal->setEditText(key);
        m_comboSignal->lineEdit()->end(false);
    }

    const int dpiX = m_grid->LogPixelsX();
    const int dpiY = m_grid->LogPixelsY();
    const int x = int(m_grid->GetCellLeft() * dpiX / CMSFlexGrid::kTwipsPerInch);
    const int y = int(m_grid->GetCellTop() * dpiY / CMSFlexGrid::kTwipsPerInch);
    const int w = int(m_grid->GetCellWidth() * dpiX / CMSFlexGrid::kTwipsPerInch);
    const int h = int(m_grid->GetCellHeight() * dpiY / CMSFlexGrid::kTwipsPerInch);
    editor->setGeometry(x, y, w, h);
    editor->raise();
    editor->show();
    editor->setFocus();
    m_grid->viewport()->update();
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
    if (m_channels.commitChoice(row, col, EditorText(editor), how)) {
        return true;
    }
    ReportMessage(this, ChannelTableModel::unknownSignallingMessage(), 0);
    editor->show();
    editor->setFocus();
    return false;
}

// The cell and its channel stay as they were; the editor is loaded from the cell again.
void CProgramView::AbandonEdit(QWidget* editor) {
    m_emptiedByRefusal = false;
    HideEditor(editor);
    OnEnterCell();
}

void CProgramView::OnLeaveCell() {
    if (!m_bEditorsCreated) {
        return;
    }
    QWidget* editor = GetCellEditor();
    if (editor->isHidden()) {
        return;
    }
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    const QString t = EditorText(editor);
    if (m_emptiedByRefusal && editor == m_editFreq && t.isEmpty()) {
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
    HideEditor(editor);
}

bool CProgramView::PreTranslateMessage(QKeyEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || !m_bEditorsCreated) {
        return false;
    }
    const int col = m_grid->GetCol();
    QWidget* editor = GetCellEditor();
    if (col < CC::kRxFrequency || col > CC::kLast || editor->isHidden()) {
        return false;
    }
    const int row = m_grid->GetRow();
    const QString t = EditorText(editor);
    switch (col) {
    case CC::kRxFrequency:
    case CC::kTxFrequency:
        CommitEnterFrequency(row, col, t);
        break;
    case CC::kRxSignal:
    case CC::kTxSignal: {
        // In an incomplete channel the cell is emptied and the editor stays for another try.
        const bool incomplete = m_channels.isIncomplete(row);
        if (CommitChoiceOrRefuse(row, col, editor, ChannelTableModel::Commit::EnterKey) &&
            !incomplete) {
            HideEditor(editor);
        }
        break;
    }
    default:
        m_channels.commitChoice(row, col, t, ChannelTableModel::Commit::EnterKey);
        HideEditor(editor);
        break;
    }
    return true;
}

void CProgramView::CommitEnterFrequency(int row, int col, const QString& t) {
    if (m_emptiedByRefusal && t.isEmpty()) {
        AbandonEdit(m_editFreq);
        return;
    }
    const bool rxEmpty = m_channels.isEmptyChannel(row);
    if (!AcceptOrRefuse(m_channels.commitFrequency(row, col, t), m_editFreq)) {
        return;
    }
    if (col == CC::kRxFrequency && t.isEmpty()) {
        HideEditor(m_editFreq);
        m_grid->SetCol(CC::kRxFrequency);
        return;
    }
    if (col == CC::kTxFrequency && (rxEmpty || t.isEmpty())) {
        HideEditor(m_editFreq);
        return;
    }
    // Stepping right makes the grid leave the cell, which commits the same text again on the
    // still-open editor and closes it; the next column's editor is loaded but not opened.
    m_grid->SetCol(col + 1);
    if (m_grid->GetCol() == col) {
        HideEditor(m_editFreq);
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
        if (m_bEditorsCreated && !GetCellEditor()->isHidden()) {
            AbandonEdit(GetCellEditor());
            return true;
        }
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (watched == m_editFreq) {
            QCoreApplication::sendEvent(m_grid, event);
            return true;
        }
        return false;
    default:
        return false;
    }
}
