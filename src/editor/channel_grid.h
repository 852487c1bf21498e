#pragma once

#include <QTableView>
#include <functional>

// The channel grid: a view of the channel table model whose column 0 holds the grey, fixed
// channel numbers and never becomes current. One cell is always current.
//
// Editors open through Qt's edit(): a key typed on the grid (AnyKeyPressed), Enter or Backspace on
// the grid, and a mouse press other than the right button's. Every change of the current cell,
// by mouse, keyboard or setCurrentIndex(), first asks the leave check, which may refuse it (a
// value that failed its check stays with its own cell).
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QAbstractItemModel* model, QWidget* parent = nullptr);

    // Asked before the current cell changes or the focus leaves the grid by Ctrl+Tab; returning
    // false keeps the current cell and the focus where they are.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }
    bool mayLeaveCurrentCell() const { return !m_leaveCheck || m_leaveCheck(); }

    // The columns share the grid's width in these proportions and stretch with it; each column
    // is never narrower than its minimum, in pixels, so the grid asks for the room that takes.
    void setColumnProportions(const QList<double>& weights, const QList<int>& minimumWidths);

    // Room for the header and every row, so no channel is ever scrolled out of view.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The editor open over the current cell, or null.
    QWidget* cellEditor() const;
    // Closes the current cell's editor without committing it; the grid keeps the focus.
    void closeCellEditor();

signals:
    // An editor has opened over the current cell; key is the text of the key typed on the grid
    // that opened it, empty for a mouse press, Enter and Backspace. What that key leaves in the
    // editor is the column's rule, so Qt does not type it there itself.
    void editorOpened(QWidget* editor, const QString& key);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    void fitRowsToFont();
    void spreadColumns();

    std::function<bool()> m_leaveCheck;
    QList<double> m_weights;
    QList<int> m_minimumWidths;
};
