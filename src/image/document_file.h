#pragma once

#include "memory_image.h"

#include <QFileDevice>
#include <QString>

// ".sin" files: the 1024 image bytes in address order, no header.
namespace DocumentFile {

// Reads path into image. A missing or unreadable file, or one of any length but 1024 bytes (an
// empty one and the tool's own CSV export included), fails with a message naming what was found
// and leaves image untouched.
bool Load(const QString& path, MemoryImage& image, QString* error = nullptr);

// The same from a device already open for reading (standard input, say), named name in messages.
bool Read(QFileDevice& file, const QString& name, MemoryImage& image, QString* error = nullptr);

// Writes exactly 1024 bytes as a whole or not at all (see AtomicFile::Replace): a failed save, a
// full disk included, leaves the previous file as it was.
bool Save(const QString& path, const MemoryImage& image, QString* error = nullptr);

} // namespace DocumentFile
