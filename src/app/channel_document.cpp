#include "channel_document.h"

#include "channel_codec.h"
#include "channel_columns.h"
#include "document_file.h"
#include "memory_image.h"
#include "messenger.h"
#include "new_document.h"

#include <QDir>
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

bool ChannelDocument::openDocument(const QString& path) {
    QString error;
    MemoryImage image;
    if (!DocumentFile::Load(path, image, &error)) {
        ShowWarning(m_window, error);
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

bool ChannelDocument::saveDocument(const QString& path) {
    emit aboutToSave();
    QString error;
    if (!DocumentFile::Save(path, savedImage(), &error)) {
        ShowWarning(m_window, error);
        return false;
    }
    takePath(path);
    emit saved(path);
    return true;
}

bool ChannelDocument::writeFile(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        const QString suggested = m_pathName.isEmpty()
                                      ? QDir::current().filePath(title() + QStringLiteral(".sin"))
                                      : m_pathName;
        target = TheMessenger().chooseSaveFile(m_window, tr("另存为"), suggested, fileFilter());
        if (target.isEmpty()) {
            return false;
        }
        if (QFileInfo(target).suffix().isEmpty()) {
            target += QStringLiteral(".sin");
        }
    }
    return saveDocument(target);
}

bool ChannelDocument::save() {
    return writeFile(m_pathName);
}

bool ChannelDocument::saveAs() {
    return writeFile(QString());
}

bool ChannelDocument::saveModified() {
    emit aboutToSave(); // a value still in its editor counts as an edit too
    if (!m_modified) {
        return true;
    }
    const QString question = tr("是否保存对 %1 的更改?").arg(title());
    switch (TheMessenger().askSave(m_window, question)) {
    case Messenger::SaveChoice::Save:
        return save();
    case Messenger::SaveChoice::Discard:
        return true;
    case Messenger::SaveChoice::Cancel:
        break;
    }
    return false;
}
