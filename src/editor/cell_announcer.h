#pragma once

#include <QObject>

class QAbstractItemView;
class QAccessibleEvent;
class QModelIndex;

// Tells assistive technology that cells of a table view changed their value, whatever changed
// them (an edit, a paste, undo or redo). A screen reader keeps what it last heard of a cell, and
// Qt's views announce a change only as a change of the model, which the screen readers on Linux
// pass over; each changed cell is named again here, its name being its value.
class CellAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit CellAnnouncer(QAbstractItemView* view);

    // Receives every announcement besides the platform's bridge, which listens only while a
    // screen reader runs; an empty listener leaves the bridge alone.
    using Listener = void (*)(QAccessibleEvent* event);
    static void setListener(Listener listener);

private:
    void announce(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    QAbstractItemView* m_view;
};
