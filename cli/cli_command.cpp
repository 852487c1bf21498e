#include "cli_command.h"

#include "atomic_file.h"
#include "document_file.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>

namespace Cli {

namespace {
QString CannotWriteStandardOutput(const QString& systemText) {
    return QCoreApplication::translate("Cli", "无法写入标准输出：%1")
        .arg(UiLanguage::SystemErrorText(systemText));
}
} // namespace

int Fail(const QString& text, int code) {
    Note(text);
    return code;
}

bool Succeeded(const QString& problem) {
    if (problem.isEmpty()) {
        return true;
    }
    Fail(problem);
    return false;
}

void Note(const QString& text) {
    QTextStream(stderr) << "qtr318: " << text << "\n";
}

bool LoadImage(const QString& path, MemoryImage& image) {
    QString error;
    bool loaded = false;
    if (path == kStandardStream) {
        QFile in;
        loaded =
            in.open(stdin, QIODevice::ReadOnly) &&
            DocumentFile::Read(in, QCoreApplication::translate("Cli", "标准输入"), image, &error);
        if (error.isEmpty() && !loaded) {
            error = QCoreApplication::translate("Cli", "无法读取标准输入：%1")
                        .arg(UiLanguage::SystemErrorText(in.errorString()));
        }
    } else {
        loaded = DocumentFile::Load(path, image, &error);
    }
    if (!loaded) {
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
        Fail(QCoreApplication::translate("Cli", "%1 不是普通文件；请写到文件，或写到 -（标准输出）")
                 .arg(output),
             kUsage);
        return false;
    }
    // Through a link or another spelling of the path, writing would destroy what is read.
    const QString target = QFileInfo(output).canonicalFilePath();
    if (input != kStandardStream && !target.isEmpty() &&
        target == QFileInfo(input).canonicalFilePath()) {
        Fail(QCoreApplication::translate("Cli", "%1 是输入文件；请另选输出文件").arg(output),
             kUsage);
        return false;
    }
    return true;
}

bool WriteOutput(const QString& output, const QByteArray& bytes) {
    if (output == kStandardStream) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush()) {
            Fail(CannotWriteStandardOutput(out.errorString()));
            return false;
        }
        return true;
    }
    QString reason;
    if (!AtomicFile::Replace(output, bytes, &reason)) {
        Fail(QCoreApplication::translate("Cli", "无法写入 %1：%2；什么也没有写入")
                 .arg(output, reason));
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
        Fail(CannotWriteStandardOutput(qt_error_string(errno)));
        return false;
    }
    return true;
}

} // namespace Cli
