#pragma once

#include "channel_table.h"
#include "channel_table_model.h"
#include "document_history.h"
#include "memory_image.h"

#include <QObject>
#include <QString>

// The one document: the channel table (the one copy of the channels, with the model and band
// whose limits every typed frequency is checked against), the radio's memory image, which holds
// everything else (options, tuning, the bytes nobody interprets) and whose file is a plain
// 1024-byte dump, the table's model for views and edits, and the undo stack of the user's changes.
// The table becomes bytes only where bytes are needed: savedImage() for a file or a radio. The
// document remembers whether the user changed anything since the last save, so New, Open and Exit
// can ask before dropping edits. It knows no window: whoever shows it commits what is being typed
// when aboutToSave() asks, and asks the user for paths and shows what went wrong.
class ChannelDocument : public QObject {
    Q_OBJECT
public:
    explicit ChannelDocument(QObject* parent = nullptr);

    MemoryImage& image() { return m_image; }
    const MemoryImage& image() const { return m_image; }
    const ChannelTable& table() const { return m_table; }
    // The table's editing rules and its views' model; every change to the table goes through it.
    ChannelTableModel& channels() { return m_channels; }
    const ChannelTableModel& channels() const { return m_channels; }
    // An image's channels, model and band replace the table (columns the image does not hold
    // become empty) and the image replaces the document's.
    void takeImage(const MemoryImage& image);
    // What a file or a radio gets: the image with the table encoded into it.
    MemoryImage savedImage() const;
    // What a .sin file of the document leaves out ("“备注”的内容不保存在 .sin 文件中"), or empty.
    QString unkeptNote() const;

    // Factory contents into the image; the path is emptied and the change mark cleared.
    bool newDocument();
    // All 1024 bytes from path. A file that cannot be read or is too short changes nothing (not
    // the image, the table or the path); error, when given, then says why.
    bool open(const QString& path, QString* error);
    // Writes savedImage(), the cell being edited included (aboutToSave), to path; on failure
    // error, when given, says why, and the path and change mark stay.
    bool save(const QString& path, QString* error);

    bool isModified() const { return m_modified; }
    // False: the document now counts as saved, also for undo, which marks it changed again once
    // it leaves this state.
    void setModified(bool modified = true);

    QUndoStack* undoStack() { return m_history.stack(); }
    // A document was shown in place of the last one: nothing to undo.
    void resetHistory() { m_history.reset(); }
    // A change the user made, as one undo step.
    void recordChange(const QString& step) { m_history.record(step); }
    // A completed read: the radio's memory becomes the document, one undo step.
    void takeRadioImage(const MemoryImage& image);

    QString pathName() const { return m_pathName; }
    // The file's name, or "无标题" before the document has one.
    QString title() const;

    static QString fileFilter();

signals:
    // The document is about to be saved: a value still being typed belongs in it.
    void aboutToSave();
    void modifiedChanged(bool modified);
    // The document stands for another file, or for none (New).
    void pathChanged(const QString& path);
    // A file was opened or saved; it belongs in the recent-file list.
    void fileUsed(const QString& path);
    // The document was written to path.
    void saved(const QString& path);

private:
    void takePath(const QString& path);
    void showModified(bool modified);

    MemoryImage m_image;
    ChannelTable m_table;
    ChannelTableModel m_channels{m_table};
    DocumentHistory m_history{m_image, m_channels};
    QString m_pathName;
    bool m_modified = false;
};
