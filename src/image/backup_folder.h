#pragma once

#include "memory_image.h"

#include <QDateTime>
#include <QString>

// Where the program keeps what a radio held before it was overwritten and what was about to be
// written to it: ~/.local/share/qtr318/backups/ (below $XDG_DATA_HOME when set), one timestamped
// .sin file per image, the newest kKept of them kept.
namespace BackupFolder {

constexpr int kKept = 50;

QString Path();

// "20261207-003012-345-ttyUSB0.sin": sorts by time; source (a port, say) names where the image
// came from, reduced to its last path element.
QString FileName(const QDateTime& time, const QString& source);

// Saves image into folder under a new name and then removes the oldest backups beyond kKept
// (only files named as FileName names them). Returns the new file's path, or an empty string
// with error set when nothing could be saved.
QString Keep(const MemoryImage& image, const QString& source, QString* error = nullptr,
             const QString& folder = Path());

} // namespace BackupFolder
