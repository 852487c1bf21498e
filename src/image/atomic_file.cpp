#include "atomic_file.h"

#include "ui_language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace AtomicFile {

namespace {

bool Failed(QString* reason, const QString& text) {
    if (reason) {
        *reason = UiLanguage::SystemErrorText(text);
    }
    return false;
}

// Forces the written bytes onto the disk, where a file system that defers allocation reports
// the lack of space at the latest.
bool SyncToDisk(QSaveFile& file, QString* reason) {
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0 && errno != EINVAL) { // EINVAL: no sync on this file system
        return Failed(reason, qt_error_string(errno));
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(reason);
#endif
    return true;
}

// Gives the new file the owner and group of the one it replaces, as editors do: a file root
// rewrites for another user stays that user's. Who may not give a file away still keeps the
// group where it may; the mode the save keeps by itself.
void KeepOwner(const QString& path, QSaveFile& file) {
#ifdef Q_OS_UNIX
    struct stat old {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0) {
        return; // a new file: the process's own
    }
    if (::fchown(file.handle(), old.st_uid, old.st_gid) != 0) {
        (void)!::fchown(file.handle(), uid_t(-1), old.st_gid);
    }
#else
    Q_UNUSED(path);
    Q_UNUSED(file);
#endif
}

} // namespace

bool IsReplaceable(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool Replace(const QString& path, const QByteArray& bytes, QString* reason) {
    if (!IsReplaceable(path)) {
        return Failed(reason, QCoreApplication::translate("AtomicFile", "不是普通文件"));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failed(reason, file.errorString());
    }
    KeepOwner(path, file);
    // QSaveFile::commit() renames even when its own final flush fails (Qt 6.4), which on a full
    // disk replaces the file by an empty one; so every byte is flushed and synced here first,
    // and the temporary file is dropped on any error.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Failed(reason, error);
    }
    if (!SyncToDisk(file, reason)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        return Failed(reason, file.errorString());
    }
    return true;
}

} // namespace AtomicFile
