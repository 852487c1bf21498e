#include "channel_document.h"

#include "channel_codec.h"
#include "channel_columns.h"
#include "document_file.h"
#include "memory_image.h"
#include "new_document.h"

#include <QFileInfo>

ChannelDocument::ChannelDocument(QObject* parent) : QObject(parent) {
    // The changed mark follows the history, so undoing back to the saved state clears it.
    QUndoStack* stack = m_history.stack();
    connect(stack, &QUndoStack::indexChanged, this,
            [this] { showModified(!m_history.stack()->isClean()); });
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) { showModified(!clean); });
    // A committed cell is named after itself, whatever else the commit changed in its channel.
    connect(&m_channels, &ChannelTableModel::committed, this, [this](int channel, int column) {
        recordChange(tr("修改信道 %1 %2").arg(channel).arg(ChannelColumns::ShownHeader(column)));
    });
}

void ChannelDocument::takeImage(const MemoryImage& image) {
    m_image = image;
    ChannelTable table; // nothing of the previous document's stays
    DecodeChannels(image, table);
    m_channels.assign(table);
}

MemoryImage ChannelDocument::savedImage() const {
    return WithChannels(m_image, m_table);
}

QString ChannelDocument::unkeptNote() const {
    return UnkeptColumnsNote(m_table);
}

void ChannelDocument::takeRadioImage(const MemoryImage& image) {
    takeImage(image);
    recordChange(tr("从电台读取"));
}

QString ChannelDocument::fileFilter() {
    return tr("数据文件 (*.sin)");
}

QString ChannelDocument::title() const {
    return m_pathName.isEmpty() ? tr("无标题") : QFileInfo(m_pathName).fileName();
}

void ChannelDocument::setModified(bool modified) {
    if (!modified) {
        m_history.markSaved();
    }
    showModified(modified);
}

void ChannelDocument::showModified(bool modified) {
    if (m_modified != modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

bool ChannelDocument::newDocument() {
    MemoryImage image;
    FillNewDocument(image);
    takeImage(image);
    m_pathName.clear();
    setModified(false);
    emit pathChanged(m_pathName);
    return true;
}

bool ChannelDocument::open(const QString& path, QString* error) {
    MemoryImage image;
    if (!DocumentFile::Load(path, image, error)) {
        return false;
    }
    takeImage(image);
    takePath(path);
    return true;
}

// The document now stands for the file at path, which holds everything the user sees.
void ChannelDocument::takePath(const QString& path) {
    m_pathName = QFileInfo(path).absoluteFilePath();
    setModified(false);
    emit pathChanged(m_pathName);
    emit fileUsed(m_pathName);
}

bool ChannelDocument::save(const QString& path, QString* error) {
    emit aboutToSave();
    if (!DocumentFile::Save(path, savedImage(), error)) {
        return false;
    }
    takePath(path);
    emit saved(path);
    return true;
}
