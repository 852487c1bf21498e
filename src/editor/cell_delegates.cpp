#include "cell_delegates.h"

#include "channel_columns.h"
#include "channel_table_model.h"
#include "signalling_list.h"
#include "value_texts.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

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

} // namespace

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    auto* channels = qobject_cast<ChannelTableModel*>(model);
    if (!channels) {
        return;
    }
    const int row = index.row() + 1;
    const int col = index.column();
    if (col == ChannelColumns::kRxFrequency || col == ChannelColumns::kTxFrequency) {
        channels->commitFrequency(row, col, editorText(editor));
    } else {
        channels->commitChoice(row, col, editorText(editor),
                               ChannelTableModel::Commit::LeavingCell);
    }
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    editor->setGeometry(option.rect);
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

bool CellDelegate::eventFilter(QObject*, QEvent*) {
    return false;
}

bool CellDelegate::loadOnce(QWidget* editor) {
    const char* loaded = "qtr318Loaded";
    if (editor->property(loaded).toBool()) {
        return false;
    }
    editor->setProperty(loaded, true);
    return true;
}

void CellDelegate::nameAfterColumn(QWidget* editor, const QModelIndex& index) {
    editor->setAccessibleName(ChannelColumns::Headers().value(index.column()));
}

QWidget* FrequencyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("frequencyEditor"));
    edit->setFrame(false);
    nameAfterColumn(edit, index);
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
    nameAfterColumn(combo, index);
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
    combo->addItems(ValueTexts::Shown(ChannelColumns::Choices(index.column())));
    nameAfterColumn(combo, index);
    return combo;
}

void OptionDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (loadOnce(editor)) {
        loadByPrefix(editor, index);
    }
}
