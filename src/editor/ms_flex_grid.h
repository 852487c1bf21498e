#pragma once

#include <QTableView>

// The channel grid: a view of the channel table model with one fixed header row and one fixed
// channel-number column, a current cell, cell geometry in twips, and four notifications. Row 0 is
// the model's horizontal header and column 0 its grey read-only channel numbers; TextMatrix reads
// any of them and writes the channels' cells through the model.
//
// Every change of the current cell, whether by mouse, keyboard or SetCol/SetRow, goes through one
// path: LeaveCell while the old cell is still current, then the change, then EnterCell. A
// LeaveCell handler may refuse to let go (a value that failed its check), which cancels the move.
class CMSFlexGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr short kAlignCenterCenter = 4;
    static constexpr int kTwipsPerInch = 1440;

    explicit CMSFlexGrid(QAbstractItemModel* model, QWidget* parent = nullptr);

    int GetRows() const { return model()->rowCount() + 1; }
    int GetCols() const { return model()->columnCount(); }

    int GetRow() const { return m_row; }
    int GetCol() const { return m_col; }
    void SetRow(int row) { MoveTo(row, m_col); }
    void SetCol(int col) { MoveTo(m_row, col); }

    QString GetText() const { return GetTextMatrix(m_row, m_col); }
    QString GetTextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    long GetColWidth(int col) const;

    // The columns share the grid's width in these proportions and stretch with it; each column
    // is never narrower than its minimum, in pixels, so the grid asks for the room that takes.
    void SetColumnProportions(const QList<double>& weights, const QList<int>& minimumWidths);

    // Room for the header and every row, so no channel is ever scrolled out of view.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Opens the current cell's editor through its column's delegate; returns the open editor,
    // the one already open if there is one.
    QWidget* OpenCellEditor();
    // The editor open over the current cell, or null.
    QWidget* CellEditor() const;
    // Closes the current cell's editor without committing it; the grid keeps the focus.
    void CloseCellEditor();

    // Called from a LeaveCell handler to keep the current cell where it is.
    void RefuseLeave() { m_leaveRefused = true; }

    // Rect of a cell in CellArea() pixels.
    QRect CellRect(int row, int col) const;

signals:
    void EnterCell();
    void LeaveCell();
    // The character typed, as its code; only sent for text and Enter, never for navigation keys.
    void KeyPress(int keyAscii);
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    void MouseDown(short button, short shift, long x, long y);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Returns false when the LeaveCell handler refused the move.
    bool MoveTo(int row, int col);
    bool MoveBy(int rows, int cols, bool wrap);
    void LeaveGrid(bool next);
    void ShowCurrent();
    long ToTwipsX(int pixels) const;
    void FitRowsToFont();
    void SpreadColumns();

    QList<double> m_weights;
    QList<int> m_minimumWidths;

    int m_row = 1;
    int m_col = 1;
    bool m_leaveRefused = false;
};
