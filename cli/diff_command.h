#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class MemoryImage;

namespace Cli {

// Prints on standard output how right differs from left: a line per field ("信道 3 接收频率:
// 文件 145.12500, 电台 145.13750" with the names given), or with blocks the address of each 8-byte
// block that travels and differs. Returns how many lines it printed and, through channels, the
// channels among them.
int PrintDifferences(const MemoryImage& left, const MemoryImage& right, const QString& leftName,
                     const QString& rightName, bool blocks, QList<int>* channels = nullptr);

} // namespace Cli
