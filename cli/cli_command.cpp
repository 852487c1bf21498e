#include "cli_command.h"

#include "atomic_file.h"
#include "document_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>

namespace Cli {

int Fail(const QString& text, int code) {
    QTextStream(stderr) << "qtr318: " << text << "\n";
    return code;
}

bool LoadImage(const QString& path, MemoryImage& image) {
    QString error;
    if (!DocumentFile::Load(path, image, &error)) {
        Fail(error);
        return false;
    }
    return true;
}

bool CheckOutput(const QString& output, const QString& input) {
    if (output == kStandardStream) {
        return true;
    }
    if (!AtomicFile::IsReplaceable(output)) {
        Fail(QStringLiteral("%1 is not a regular file; write to a file or to - (standard output)")
                 .arg(output),
             kUsage);
        return false;
    }
    // Through a link or another spelling of the path, writing would destroy what is read.
    const QString target = QFileInfo(output).canonicalFilePath();
    if (input != kStandardStream && !target.isEmpty() &&
        target == QFileInfo(input).canonicalFilePath()) {
        Fail(QStringLiteral("%1 is the input file; choose another output").arg(output), kUsage);
        return false;
    }
    return true;
}

bool WriteOutput(const QString& output, const QByteArray& bytes) {
    if (output == kStandardStream) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush()) {
            Fail(QStringLiteral("cannot write to standard output: %1").arg(out.errorString()));
            return false;
        }
        return true;
    }
    QString reason;
    if (!AtomicFile::Replace(output, bytes, &reason)) {
        Fail(QStringLiteral("cannot write %1: %2; nothing written").arg(output, reason));
        return false;
    }
    return true;
}

bool SaveImage(const QString& output, const MemoryImage& image) {
    const auto& bytes = image.bytes();
    return WriteOutput(output,
                       QByteArray(reinterpret_cast<const char*>(bytes.data()), MemoryImage::kSize));
}

bool StandardOutputFlushed() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Fail(QStringLiteral("cannot write to standard output: %1").arg(qt_error_string(errno)));
        return false;
    }
    return true;
}

} // namespace Cli
