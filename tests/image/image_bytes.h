#pragma once

#include "memory_image.h"

#include <QByteArray>
#include <QRandomGenerator>

// Image bytes as QByteArray, so expectations read as hex: Bytes(image, 0x10, 4) == "\x00\x25...".
inline QByteArray Bytes(const MemoryImage& image, int address = 0, int count = MemoryImage::kSize) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()) + address, count);
}

inline void Put(MemoryImage& image, int address, const QByteArray& bytes) {
    for (char byte : bytes) {
        image.WriteByte(address++, static_cast<std::uint8_t>(byte));
    }
}

inline MemoryImage RandomImage(QRandomGenerator& random) {
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>(random.bounded(256)));
    }
    return image;
}
