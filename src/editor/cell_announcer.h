#pragma once

#include <QObject>
#include <QPersistentModelIndex>

class QAbstractItemView;
class QAccessibleEvent;

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

    // An editor's value went into index: once the cursor has settled, the screen reader hears
    // the channel, the column and the value stored, and where the cursor is if it moved on.
    void committed(const QModelIndex& index);

private:
    void announce(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void speakCommit();
    QString describe(const QModelIndex& index, bool withChannel) const;

    QAbstractItemView* m_view;
    QPersistentModelIndex m_committed;
};
