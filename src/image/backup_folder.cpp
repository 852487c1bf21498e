#include "backup_folder.h"

#include "ui_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <algorithm>
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

// Backups this process saved, oldest first: a clock set back during the run gives them file
// times older than backups they followed, and only this list still knows their order.
class SavedThisRun {
public:
    void Add(const QString& path) {
        const QMutexLocker lock(&m_mutex);
        m_paths.append(QFileInfo(path).absoluteFilePath());
    }
    // How recently path was saved by this run: 0 for the last one, -1 when not by this run.
    qsizetype Recency(const QString& path) const {
        const QMutexLocker lock(&m_mutex);
        const qsizetype at = m_paths.lastIndexOf(path);
        return at < 0 ? -1 : m_paths.size() - 1 - at;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_paths;
};

SavedThisRun& Saved() {
    static SavedThisRun saved;
    return saved;
}

struct Candidate {
    QString path;
    QDateTime time;    // the file's modification time
    qsizetype recency; // as SavedThisRun::Recency
};

// Newest first: what this run saved, in the order saved, then the rest by file time.
bool NewerFirst(const Candidate& a, const Candidate& b) {
    if ((a.recency >= 0) != (b.recency >= 0)) {
        return a.recency >= 0;
    }
    if (a.recency >= 0) {
        return a.recency < b.recency;
    }
    return a.time != b.time ? a.time > b.time : a.path > b.path;
}

// The program's own backups that pruning may weigh. A file time ahead of the clock means the
// clock has been set back since that file was written: whether it is older than what was saved
// since cannot be told, so it is never removed.
QList<Candidate> Candidates(const QString& folder) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<Candidate> candidates;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {QStringLiteral("*.sin")}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !entry.isFile() || entry.size() != MemoryImage::kSize ||
            !BackupName().match(entry.fileName()).hasMatch()) {
            continue;
        }
        const QDateTime time = entry.lastModified().toUTC();
        const QString path = entry.absoluteFilePath();
        const qsizetype recency = Saved().Recency(path);
        if (time <= now || recency >= 0) {
            candidates.append({path, time, recency});
        }
    }
    return candidates;
}

// Keeps the newest kKept and removes the rest, but never a backup whose file time is later
// than that of one kept: with a clock that went wrong, keeping too many loses nothing. A file
// another copy of the program removed first is simply gone already.
void Prune(const QString& folder) {
    QList<Candidate> candidates = Candidates(folder);
    if (candidates.size() <= kKept) {
        return;
    }
    std::sort(candidates.begin(), candidates.end(), NewerFirst);
    QDateTime oldestKept = candidates.first().time;
    for (qsizetype i = 1; i < kKept; ++i) {
        oldestKept = std::min(oldestKept, candidates.at(i).time);
    }
    for (qsizetype i = kKept; i < candidates.size(); ++i) {
        if (candidates.at(i).time < oldestKept) {
            QFile::remove(candidates.at(i).path);
        }
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
                Saved().Add(path);
                Prune(folder);
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
