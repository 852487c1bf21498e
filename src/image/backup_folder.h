#pragma once

#include "memory_image.h"

#include <QDateTime>
#include <QString>

// Where the program keeps what a radio held before it was overwritten and what was about to be
// written to it: $XDG_DATA_HOME/qtr318/backups/, or ~/.local/share/qtr318/backups/ when
// XDG_DATA_HOME is unset or not an absolute path. One .sin file per image, named by its time in
// UTC; in that folder the newest kKept of the program's own backups are kept.
namespace BackupFolder {

constexpr int kKept = 50;

// The program's own folder, or an empty string with error set when no home folder is known.
QString Path(QString* error = nullptr);

// "20261207T003012.345Z-ttyUSB0.sin": the UTC time, so that names sort by age in every time
// zone; source (a port, say) names where the image came from, reduced to its last path element.
QString FileName(const QDateTime& time, const QString& source);

enum class Pruning {
    KeepNewest, // the program's own folder: remove its own backups beyond kKept
    KeepAll,    // a folder the user named: remove nothing
};

// Saves image into folder as a new file (never through a link or over a file already there) and
// then, with KeepNewest, removes the oldest backups beyond kKept: only regular files of an
// image's size named exactly as FileName names them. What this process saved counts as newer
// than the rest, in the order saved, the rest go by file time, and no backup goes that is newer
// by file time than one kept, so a clock set back never costs a backup its place. Returns the
// new file's path, or an empty string with error set when nothing could be saved.
QString Keep(const MemoryImage& image, const QString& source, const QString& folder,
             Pruning pruning, QString* error = nullptr);

} // namespace BackupFolder
