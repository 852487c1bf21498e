#pragma once

#include <QStyledItemDelegate>

// The in-place editors of the channel grid, one delegate per kind of column. Each editor is named
// by its column's header for screen readers and loaded from its cell when it opens.
//
// setModelData() is the one way an edit reaches the model: its setData() applies the editing
// rules, Enter through ChannelTableModel::EnterKeyRole, leaving the cell through Qt::EditRole.
// Enter closes the editor with the SubmitModelCache hint, Esc with RevertModelCache; Tab and the
// frequency editors' Up and Down go to the grid, which commits before it moves. Losing the focus
// commits nothing: the editor waits for its cell to be left.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // The current cell is framed, also inside a selection, where the style's focus mark is lost
    // in the highlight.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text an editor holds, whichever kind it is.
    static QString editorText(const QWidget* editor);
    // The last commit left the cell as it was, without asking the model.
    static bool wasAbandoned(const QWidget* editor);
    // The editor keeps a refused text for mending; left without typing, it abandons the edit
    // instead of offering the same text again.
    static void markRefused(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The editor opens once with the cell's text; later changes of the cell (a commit that kept
    // the editor open) must not overwrite what the user is typing.
    static bool loadOnce(QWidget* editor);
    void prepare(QWidget* editor, const QModelIndex& index) const;
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
