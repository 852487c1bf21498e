#pragma once

#include <QStyledItemDelegate>

// The in-place editors of the channel grid, one delegate per kind of column. Each editor is named
// by its column's header for screen readers and loaded from its cell when it opens. The delegates
// leave the keys (Enter, Tab, Esc) and the loss of focus to the channel form, whose commit path
// may refuse a value and keep the editor open, which Qt's own handling would close.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Commits the editor's text as if the cell had been left, through the model's rules.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The text an editor holds, whichever kind it is.
    static QString editorText(const QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The editor opens once with the cell's text; later changes of the cell (a commit that kept
    // the editor open) must not overwrite what the user is typing.
    static bool loadOnce(QWidget* editor);
    static void nameAfterColumn(QWidget* editor, const QModelIndex& index);
};

// Frequencies: a plain line edit.
class FrequencyDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};

// Signalling: the list's entries in an editable combo box, for typing a code or picking one.
class SignallingDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};

// Options: a drop-down list of the column's choices.
class OptionDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};
