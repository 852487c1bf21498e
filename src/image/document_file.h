#pragma once

#include "memory_image.h"

#include <QString>

// ".sin" files: the 1024 image bytes in address order, no header.
namespace DocumentFile {

inline constexpr const char* kFilter = "数据文件 (*.sin)";
inline constexpr const char* kSuffix = "sin";

// Reads the first 1024 bytes of path into image. A missing, unreadable or shorter file (an empty
// one included) fails with a message and leaves image untouched.
bool Load(const QString& path, MemoryImage& image, QString* error = nullptr);

// Writes exactly 1024 bytes, through a temporary file renamed over path, so a failed save never
// leaves a truncated file behind.
bool Save(const QString& path, const MemoryImage& image, QString* error = nullptr);

} // namespace DocumentFile
