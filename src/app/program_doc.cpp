#include "program_doc.h"

#include "channel_columns.h"
#include "document_file.h"
#include "memory_image.h"
#include "messenger.h"
#include "new_document.h"
#include "program_view.h"

#include <QDir>
#include <QFileInfo>

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent) {
    // The changed mark follows the history, so undoing back to the saved state clears it.
    QUndoStack* stack = m_history.stack();
    connect(stack, &QUndoStack::indexChanged, this,
            [this] { ShowModified(!m_history.stack()->isClean()); });
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) { ShowModified(!clean); });
    // A committed cell is named after itself, whatever else the commit changed in its channel.
    connect(&m_channels, &ChannelTableModel::committed, this, [this](int channel, int column) {
        recordChange(tr("修改信道 %1 %2").arg(channel).arg(ChannelColumns::ShownHeader(column)));
    });
}

void CProgramDoc::SetView(CProgramView* view) {
    m_view = view;
    connect(view, &CProgramView::documentModified, this, &CProgramDoc::recordChange);
    connect(view, &CProgramView::documentShown, this, [this] { m_history.reset(); });
    connect(view, &CProgramView::radioImageRead, this, &CProgramDoc::takeRadioImage);
}

void CProgramDoc::takeRadioImage(const MemoryImage& image) {
    m_image = image;
    m_channels.decode(m_image);
    recordChange(tr("从电台读取"));
}

QString CProgramDoc::FileFilter() {
    return tr("数据文件 (*.sin)");
}

QString CProgramDoc::GetTitle() const {
    return m_pathName.isEmpty() ? tr("无标题") : QFileInfo(m_pathName).fileName();
}

void CProgramDoc::SetModifiedFlag(bool modified) {
    if (!modified) {
        m_history.markSaved();
    }
    ShowModified(modified);
}

void CProgramDoc::ShowModified(bool modified) {
    if (m_modified != modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

bool CProgramDoc::OnNewDocument() {
    FillNewDocument(m_image);
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CProgramDoc::OnOpenDocument(const QString& path) {
    QString error;
    if (!DocumentFile::Load(path, m_image, &error)) {
        ShowWarning(m_window, error);
        return false;
    }
    TakePath(path);
    return true;
}

// The document now stands for the file at path, which holds everything the user sees.
void CProgramDoc::TakePath(const QString& path) {
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetModifiedFlag(false);
    emit fileUsed(m_pathName);
}

bool CProgramDoc::OnSaveDocument(const QString& path) {
    if (m_view) {
        m_view->commitOpenEditor();
        m_view->encodeChannels();
    }
    QString error;
    if (!DocumentFile::Save(path, m_image, &error)) {
        ShowWarning(m_window, error);
        return false;
    }
    TakePath(path);
    return true;
}

bool CProgramDoc::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        const QString suggested =
            m_pathName.isEmpty() ? QDir::current().filePath(GetTitle() + QStringLiteral(".sin"))
                                 : m_pathName;
        target = TheMessenger().chooseSaveFile(m_window, tr("另存为"), suggested, FileFilter());
        if (target.isEmpty()) {
            return false;
        }
        if (QFileInfo(target).suffix().isEmpty()) {
            target += QStringLiteral(".sin");
        }
    }
    return OnSaveDocument(target);
}

bool CProgramDoc::OnFileSave() {
    return DoSave(m_pathName);
}

bool CProgramDoc::OnFileSaveAs() {
    return DoSave(QString());
}

bool CProgramDoc::SaveModified() {
    if (m_view) {
        // A value still in its editor counts as an edit too.
        m_view->commitOpenEditor();
    }
    if (!m_modified) {
        return true;
    }
    const QString question = tr("是否保存对 %1 的更改?").arg(GetTitle());
    switch (TheMessenger().askSave(m_window, question)) {
    case Messenger::SaveChoice::Save:
        return OnFileSave();
    case Messenger::SaveChoice::Discard:
        return true;
    case Messenger::SaveChoice::Cancel:
        break;
    }
    return false;
}
