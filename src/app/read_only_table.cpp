#include "read_only_table.h"

#include <QHeaderView>

ReadOnlyTable::ReadOnlyTable(QAbstractItemModel* model, const QString& accessibleName,
                             QWidget* parent)
    : QTableView(parent) {
    setAccessibleName(accessibleName);
    // Tab goes on to the next control; the arrow keys move between the rows.
    setTabKeyNavigation(false);
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
}

void ReadOnlyTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QTableView::currentChanged(current, previous);
    } else {
        QAbstractItemView::currentChanged(current, previous); // without the focus event
    }
}

