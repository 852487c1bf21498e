#pragma once

#include "memory_image.h"

#include <QList>
#include <QString>

// What differs between two images, in the words of the channel table and the option dialogs:
// a channel's field, an option, a tuning value, the model or the band. Bytes no field shows (the
// spare bytes of a channel record, a scan list in another order) still count, reported by their
// address, so two images called equal here are equal byte for byte.
namespace ImageDiff {

struct Difference {
    QString subject; // "信道 3 接收频率", "静噪电平", "地址 0x01d"
    QString left;
    QString right;
    int channel = 0; // 1-16 for a channel's field, else 0
};

QList<Difference> Compare(const MemoryImage& left, const MemoryImage& right);

// "信道 3 接收频率: 文件 145.12500, 电台 145.13750" with leftName "文件" and rightName "电台".
QString Describe(const Difference& difference, const QString& leftName, const QString& rightName);

// The channels among differences, ascending, each once.
QList<int> Channels(const QList<Difference>& differences);

// The start address of every 8-byte block that differs, those that never travel to the radio
// included.
QList<int> DifferingBlocks(const MemoryImage& left, const MemoryImage& right);

} // namespace ImageDiff
