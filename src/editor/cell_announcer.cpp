#include "cell_announcer.h"

#include "spoken_notice.h"

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

void CellAnnouncer::committed(const QModelIndex& index) {
    m_committed = index;
    // Queued: the screen reader reads the cell the cursor lands on first, and this after it.
    QMetaObject::invokeMethod(this, &CellAnnouncer::speakCommit, Qt::QueuedConnection);
}

void CellAnnouncer::speakCommit() {
    if (!m_committed.isValid()) {
        return;
    }
    QString text = describe(m_committed, true);
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid() && current != m_committed) {
        text = tr("%1，到 %2").arg(text, describe(current, current.row() != m_committed.row()));
    }
    m_committed = QPersistentModelIndex();
    SpokenNotice::Say(m_view, text);
}

QString CellAnnouncer::describe(const QModelIndex& index, bool withChannel) const {
    const QString column = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    QString value = index.data().toString();
    if (value.isEmpty()) {
        value = tr("空");
    }
    return withChannel ? tr("信道%1 %2 %3").arg(index.row() + 1).arg(column, value)
                       : QStringLiteral("%1 %2").arg(column, value);
}
