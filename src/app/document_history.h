#pragma once

#include "channel_edits.h"
#include "channel_table_model.h"

#include <QObject>
#include <QUndoStack>

// The document's undo history. Every change the user makes is one step, recorded after it was
// made: the step holds the whole document as it was before and after, so undoing and redoing
// bring back exactly what the user saw, options and tuning values included. The history is
// clean while the document matches its file.
class DocumentHistory : public QObject {
    Q_OBJECT
public:
    // Undo and redo restore the table through channels, so its views follow.
    DocumentHistory(MemoryImage& image, ChannelTableModel& channels, QObject* parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack* stack() { return &m_stack; }
    const QUndoStack* stack() const { return &m_stack; }

    // The document changed; name is what the undo item shows. A change that left everything as
    // it was records nothing.
    void record(const QString& name);
    // A document was shown in place of the last one: nothing to undo, and it is the saved state.
    void reset();
    // The document now matches its file.
    void markSaved();

private:
    class Step;
    void show(const ChannelEdits::Snapshot& snapshot);
    ChannelEdits::Snapshot capture() const { return {m_image, m_channels.table()}; }

    MemoryImage& m_image;
    ChannelTableModel& m_channels;
    QUndoStack m_stack;
    // The document as the step at the top of the history left it.
    ChannelEdits::Snapshot m_shown;
    bool m_restoring = false;
};
