#include "cell_delegates.h"

#include "channel_columns.h"
#include "channel_table_model.h"
#include "signalling_list.h"
#include "value_texts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace {

const char* const kLoaded = "qtr318Loaded";
const char* const kEnter = "qtr318Enter";
const char* const kAbandoned = "qtr318Abandoned";
const char* const kUntouched = "qtr318UntouchedSinceRefusal";

// The list's own prefix search: the first entry that begins with text, ignoring case.
int findPrefix(const QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

void loadByPrefix(QWidget* editor, const QModelIndex& index) {
    auto* combo = static_cast<QComboBox*>(editor);
    combo->setCurrentIndex(qMax(0, findPrefix(combo, index.data().toString())));
}

// The editor a key went to: the signalling editor's keys arrive at its line edit.
QWidget* EditorOf(QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* combo = widget ? qobject_cast<QComboBox*>(widget->parentWidget()) : nullptr;
    return combo && combo->lineEdit() == widget ? combo : widget;
}

} // namespace

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    const QString text = editorText(editor);
    const bool abandoned = editor->property(kUntouched).toBool();
    editor->setProperty(kAbandoned, abandoned);
    if (abandoned) {
        return;
    }
    const int role =
        editor->property(kEnter).toBool() ? ChannelTableModel::EnterKeyRole : Qt::EditRole;
    model->setData(index, text, role);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || view->currentIndex() != index) {
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const int width = 2;
    painter->save();
    painter->setPen(QPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Highlight),
        width));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(
        QRectF(option.rect).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
    painter->restore();
}

QString CellDelegate::editorText(const QWidget* editor) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor)) {
        return edit->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(editor)) {
        return combo->currentText();
    }
    return {};
}

bool CellDelegate::wasAbandoned(const QWidget* editor) {
    return editor->property(kAbandoned).toBool();
}

void CellDelegate::markRefused(QWidget* editor) {
    editor->setProperty(kUntouched, true);
}

bool CellDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Accelerators such as Ctrl+C (port COM1) win over the editors' own copy and paste keys.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    QWidget* editor = EditorOf(watched);
    auto* view = qobject_cast<QAbstractItemView*>(parent());
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        editor->setProperty(kEnter, true);
        emit commitData(editor);
        editor->setProperty(kEnter, false);
        emit closeEditor(editor, SubmitModelCache);
        return true;
    case Qt::Key_Escape:
        emit closeEditor(editor, RevertModelCache); // the cell stays as it was
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Qt's editors would take Tab for a focus change; in the grid it moves the cell.
        if (view) {
            QCoreApplication::sendEvent(view, event);
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A frequency editor has no use for them: the grid moves up or down.
        if (view && qobject_cast<QLineEdit*>(editor) == watched) {
            QCoreApplication::sendEvent(view, event);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CellDelegate::loadOnce(QWidget* editor) {
    if (editor->property(kLoaded).toBool()) {
        return false;
    }
    editor->setProperty(kLoaded, true);
    return true;
}

void CellDelegate::prepare(QWidget* editor, const QModelIndex& index) const {
    const QString column =
        ChannelColumns::ShownHeader(ChannelTableModel::tableColumn(index.column()));
    editor->setAccessibleName(column);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // A list's name is its value to the screen readers on Linux; its label says the column.
        auto* label = new QLabel(column, editor->parentWidget());
        label->setBuddy(combo);
        label->hide();
        QObject::connect(combo, &QObject::destroyed, label, &QObject::deleteLater);
        if (combo->lineEdit()) {
            // The typing goes to the line edit, which has the focus: it says the column too.
            combo->lineEdit()->setAccessibleName(column);
            combo->lineEdit()->installEventFilter(const_cast<CellDelegate*>(this));
        }
    }
}

QWidget* FrequencyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("frequencyEditor"));
    edit->setFrame(false);
    // Only what a frequency can be written with: a letter is a slip the editor ignores.
    static const QRegularExpression decimal(QStringLiteral("\\s*[0-9]*\\.?[0-9]*\\s*"));
    edit->setValidator(new QRegularExpressionValidator(decimal, edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [edit] { edit->setProperty(kUntouched, false); });
    prepare(edit, index);
    return edit;
}

void FrequencyDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (loadOnce(editor)) {
        static_cast<QLineEdit*>(editor)->setText(index.data().toString());
    }
}

QWidget* SignallingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("signallingEditor"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(ValueTexts::Shown(TheSignallingList().entries()));
    prepare(combo, index);
    return combo;
}

void SignallingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (loadOnce(editor)) {
        loadByPrefix(editor, index);
    }
}

QWidget* OptionDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("optionEditor"));
    combo->addItems(
        ValueTexts::Shown(ChannelColumns::Choices(ChannelTableModel::tableColumn(index.column()))));
    prepare(combo, index);
    return combo;
}

void OptionDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (loadOnce(editor)) {
        loadByPrefix(editor, index);
    }
}
