#include "document_history.h"

#include <QUndoCommand>
#include <utility>

namespace {
// Enough to undo a long session; each step holds two copies of a small document.
constexpr int kUndoLimit = 1000;
} // namespace

class DocumentHistory::Step : public QUndoCommand {
public:
    Step(DocumentHistory& history, ChannelEdits::Snapshot before, ChannelEdits::Snapshot after,
         const QString& name)
        : QUndoCommand(name), m_history(history), m_before(std::move(before)),
          m_after(std::move(after)) {}

    void undo() override { m_history.show(m_before); }
    // The change was already made when the step is pushed.
    void redo() override {
        if (m_made) {
            m_history.show(m_after);
        }
        m_made = true;
    }

private:
    DocumentHistory& m_history;
    const ChannelEdits::Snapshot m_before;
    const ChannelEdits::Snapshot m_after;
    bool m_made = false;
};

DocumentHistory::DocumentHistory(MemoryImage& image, ChannelTableModel& channels, QObject* parent)
    : QObject(parent), m_image(image), m_channels(channels) {
    m_stack.setUndoLimit(kUndoLimit);
    m_shown = capture();
}

DocumentHistory::~DocumentHistory() {
    // The stack empties itself as it goes and would report that to a document being destroyed.
    m_stack.blockSignals(true);
}

void DocumentHistory::record(const QString& name) {
    if (m_restoring) {
        return;
    }
    ChannelEdits::Snapshot now = capture();
    if (now == m_shown) {
        return;
    }
    ChannelEdits::Snapshot before = std::exchange(m_shown, now);
    m_stack.push(
        new Step(*this, std::move(before), std::move(now), name.isEmpty() ? tr("编辑") : name));
}

void DocumentHistory::reset() {
    m_stack.clear();
    m_shown = capture();
}

void DocumentHistory::markSaved() {
    m_shown = capture();
    m_stack.setClean();
}

void DocumentHistory::show(const ChannelEdits::Snapshot& snapshot) {
    m_restoring = true;
    m_image = snapshot.image;
    m_channels.assign(snapshot.table);
    m_shown = snapshot;
    m_restoring = false;
}
