#include "backup_folder.h"

#include "document_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace BackupFolder {
namespace {

const QRegularExpression& BackupName() {
    static const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}(-[^/]*)?\\.sin$"));
    return name;
}

void Prune(const QString& folder) {
    QStringList names;
    const QStringList entries =
        QDir(folder).entryList({QStringLiteral("*.sin")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& entry : entries) {
        if (BackupName().match(entry).hasMatch()) {
            names.append(entry);
        }
    }
    // Names begin with their time, so name order is age order; a file another copy of the
    // program removed first is simply gone already.
    for (qsizetype i = kKept; i < names.size(); ++i) {
        QFile::remove(QDir(folder).filePath(names.at(i)));
    }
}

} // namespace

QString Path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/qtr318/backups");
}

QString FileName(const QDateTime& time, const QString& source) {
    QString label = QFileInfo(source).fileName();
    label.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.]")), QStringLiteral("_"));
    const QString stamp = time.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    return label.isEmpty() ? stamp + QStringLiteral(".sin")
                           : stamp + QLatin1Char('-') + label + QStringLiteral(".sin");
}

QString Keep(const MemoryImage& image, const QString& source, QString* error,
             const QString& folder) {
    if (!QDir().mkpath(folder)) {
        if (error != nullptr) {
            *error = QCoreApplication::translate("BackupFolder", "无法创建文件夹 %1").arg(folder);
        }
        return QString();
    }
    QDateTime time = QDateTime::currentDateTime();
    QString path = QDir(folder).filePath(FileName(time, source));
    // Two radios on cables of the same name within a millisecond: the later one waits its turn.
    while (QFileInfo::exists(path)) {
        time = time.addMSecs(1);
        path = QDir(folder).filePath(FileName(time, source));
    }
    if (!DocumentFile::Save(path, image, error)) {
        return QString();
    }
    Prune(folder);
    return path;
}

} // namespace BackupFolder
