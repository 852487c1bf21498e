#include "diff_command.h"

#include "cli_arguments.h"
#include "cli_command.h"
#include "image_diff.h"
#include "memory_image.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace Cli {

int PrintDifferences(const MemoryImage& left, const MemoryImage& right, const QString& leftName,
                     const QString& rightName, bool blocks, QList<int>* channels) {
    QTextStream out(stdout);
    const QList<ImageDiff::Difference> differences = ImageDiff::Compare(left, right);
    if (channels != nullptr) {
        *channels = ImageDiff::Channels(differences);
    }
    if (blocks) {
        const QList<int> addresses = ImageDiff::DifferingBlocks(left, right);
        for (int address : addresses) {
            out << QStringLiteral("0x%1\n").arg(address, 4, 16, QLatin1Char('0'));
        }
        return int(addresses.size());
    }
    for (const ImageDiff::Difference& difference : differences) {
        out << ImageDiff::Describe(difference, leftName, rightName) << "\n";
    }
    return int(differences.size());
}

int RunDiff(const QStringList& arguments) {
    const QString blocksFlag = QStringLiteral("--blocks");
    const auto parsed = ParseOrFail(arguments, {}, 2, "diff A.sin B.sin [--blocks]", {blocksFlag});
    if (!parsed) {
        return kUsage;
    }
    const QString leftPath = parsed->positional().at(0);
    const QString rightPath = parsed->positional().at(1);
    if (leftPath == kStandardStream && rightPath == kStandardStream) {
        return Fail(QCoreApplication::translate("Cli", "只有一个文件可以是 -（标准输入）"), kUsage);
    }
    MemoryImage left;
    MemoryImage right;
    if (!LoadImage(leftPath, left) || !LoadImage(rightPath, right)) {
        return kFailed;
    }
    // The names say which side is which; the folders they sit in would only lengthen each line.
    QString leftName = QFileInfo(leftPath).fileName();
    QString rightName = QFileInfo(rightPath).fileName();
    if (leftName == rightName) {
        leftName = leftPath;
        rightName = rightPath;
    }
    const int count = PrintDifferences(left, right, leftName, rightName, parsed->has(blocksFlag));
    return count == 0 ? kSuccess : kDiffers;
}

} // namespace Cli
