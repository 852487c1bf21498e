#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here, so that a failed write never leaves a
// truncated or empty file where a good one stood.
namespace AtomicFile {

// True when path may be replaced by a file: nothing is there yet, or a regular file (also
// behind a symbolic link). A device, a pipe or a folder is never replaced.
bool IsReplaceable(const QString& path);

// Writes bytes to a temporary file beside path and renames it over path only once every byte
// is known to be on the disk. On failure path is left exactly as it was and reason (if given)
// holds the system's explanation.
bool Replace(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace AtomicFile
