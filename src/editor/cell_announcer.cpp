#include "cell_announcer.h"

#include <QAbstractItemView>
#include <QAccessible>

namespace {
CellAnnouncer::Listener g_listener = nullptr;
} // namespace

CellAnnouncer::CellAnnouncer(QAbstractItemView* view) : QObject(view), m_view(view) {
    connect(view->model(), &QAbstractItemModel::dataChanged, this, &CellAnnouncer::announce);
}

void CellAnnouncer::setListener(Listener listener) {
    g_listener = listener;
}

void CellAnnouncer::announce(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    // Without a listener the cells' interfaces are not worth building.
    if (!QAccessible::isActive() && !g_listener) {
        return;
    }
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(m_view);
    QAccessibleTableInterface* table = view ? view->tableInterface() : nullptr;
    if (!table) {
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
            QAccessibleInterface* cell = table->cellAt(row, column);
            if (!cell) {
                continue;
            }
            QAccessibleEvent event(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
            if (g_listener) {
                g_listener(&event);
            }
        }
    }
}
