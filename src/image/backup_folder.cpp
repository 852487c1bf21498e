#include "backup_folder.h"

#include "ui_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace BackupFolder {
namespace {

// How many names a backup tries when another file (or a link planted there) holds the first.
constexpr int kNameAttempts = 1000;

const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^\\d{8}T\\d{6}\\.\\d{3}Z(-[A-Za-z0-9_.]+)?\\.sin$"));
    return name;
}

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

// The environment's value of name when it is an absolute path; anything else does not count.
QString AbsoluteVariable(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? value : QString();
}

enum class Created { Saved, Taken, Failed };

// Creates path as a new file holding bytes. O_EXCL never opens what is there, a link included,
// so a name someone else took is reported as Taken and left alone.
Created CreateNew(const QString& path, const QByteArray& bytes, QString* reason) {
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            return Created::Taken;
        }
        *reason = UiLanguage::SystemErrorText(qt_error_string(errno));
        return Created::Failed;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += n;
    }
    const int writeErrno = written == bytes.size() ? 0 : (errno != 0 ? errno : ENOSPC);
    const bool synced = writeErrno == 0 && (::fsync(fd) == 0 || errno == EINVAL);
    const int syncErrno = errno;
    ::close(fd);
    if (writeErrno != 0 || !synced) {
        // Ours alone, made a moment ago: a half-written backup must not pass for a whole one.
        ::unlink(name.constData());
        *reason =
            UiLanguage::SystemErrorText(qt_error_string(writeErrno != 0 ? writeErrno : syncErrno));
        return Created::Failed;
    }
    return Created::Saved;
}

// Names begin with their UTC time, so name order is age order; a file another copy of the
// program removed first is simply gone already.
void Prune(const QString& folder, const QString& kept) {
    const QDir dir(folder);
    QStringList names;
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.sin")}, QDir::Files | QDir::System | QDir::Hidden,
                          QDir::Name | QDir::Reversed);
    for (const QFileInfo& entry : entries) {
        if (!entry.isSymLink() && entry.isFile() && entry.size() == MemoryImage::kSize &&
            entry.fileName() != kept && BackupName().match(entry.fileName()).hasMatch()) {
            names.append(entry.fileName());
        }
    }
    for (qsizetype i = kKept - 1; i < names.size(); ++i) {
        QFile::remove(dir.filePath(names.at(i)));
    }
}

QString NoHome() {
    return QCoreApplication::translate("BackupFolder",
                                       "不知道主目录（HOME 没有设置），无法确定备份文件夹");
}

} // namespace

QString Path(QString* error) {
    QString data = AbsoluteVariable("XDG_DATA_HOME");
    if (data.isEmpty()) {
        const QString home = AbsoluteVariable("HOME");
        if (home.isEmpty()) {
            SetError(error, NoHome());
            return QString();
        }
        data = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(data + QStringLiteral("/qtr318/backups"));
}

QString FileName(const QDateTime& time, const QString& source) {
    QString label = QFileInfo(source).fileName();
    label.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.]")), QStringLiteral("_"));
    const QString stamp = time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    return label.isEmpty() ? stamp + QStringLiteral(".sin")
                           : stamp + QLatin1Char('-') + label + QStringLiteral(".sin");
}

QString Keep(const MemoryImage& image, const QString& source, const QString& folder,
             Pruning pruning, QString* error) {
    if (folder.isEmpty()) {
        SetError(error, NoHome());
        return QString();
    }
    if (!QDir().mkpath(folder)) {
        SetError(error,
                 QCoreApplication::translate("BackupFolder", "无法创建文件夹 %1").arg(folder));
        return QString();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(image.bytes().data()), MemoryImage::kSize);
    QDateTime time = QDateTime::currentDateTimeUtc();
    // Two radios on cables of the same name within a millisecond, or a name someone else took
    // first: the later one takes the next millisecond.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt, time = time.addMSecs(1)) {
        const QString name = FileName(time, source);
        const QString path = QDir(folder).filePath(name);
        QString reason;
        switch (CreateNew(path, bytes, &reason)) {
        case Created::Saved:
            if (pruning == Pruning::KeepNewest) {
                Prune(folder, name);
            }
            return path;
        case Created::Taken:
            continue;
        case Created::Failed:
            SetError(error, QCoreApplication::translate("BackupFolder", "无法保存备份 %1：%2")
                                .arg(path, reason));
            return QString();
        }
    }
    SetError(
        error,
        QCoreApplication::translate("BackupFolder", "在 %1 里找不到可用的备份文件名").arg(folder));
    return QString();
}

} // namespace BackupFolder
