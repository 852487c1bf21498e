#pragma once

#include <QTableView>

class QAbstractItemModel;

// A table of rows to look at and pick from: whole rows selected, one at a time, Tab going on to
// the next control. Its current row may be set while the user works elsewhere in the dialog (a
// filter typed, a radio chosen): a plain table view tells a screen reader of that as if focus had
// moved into it, so the reader speaks the table over what the user is typing; this one tells it
// only of the moves made while it has focus.
class ReadOnlyTable : public QTableView {
public:
    ReadOnlyTable(QAbstractItemModel* model, const QString& accessibleName, QWidget* parent);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
