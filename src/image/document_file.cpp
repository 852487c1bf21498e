#include "document_file.h"

#include "atomic_file.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>

namespace DocumentFile {

namespace {
void SetError(QString* error, const QString& text) {
    if (error) {
        *error = text;
    }
}
} // namespace

bool Load(const QString& path, MemoryImage& image, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, QCoreApplication::translate("DocumentFile", "无法打开文件 %1：%2")
                            .arg(path, UiLanguage::SystemErrorText(file.errorString())));
        return false;
    }
    return Read(file, path, image, error);
}

bool Read(QFileDevice& file, const QString& path, MemoryImage& image, QString* error) {
    // One byte more than an image tells a longer file from a good one without reading all of
    // whatever was chosen by mistake.
    const QByteArray data = file.read(MemoryImage::kSize + 1);
    if (file.error() != QFileDevice::NoError) {
        SetError(error, QCoreApplication::translate("DocumentFile", "无法读取文件 %1：%2")
                            .arg(path, UiLanguage::SystemErrorText(file.errorString())));
        return false;
    }
    if (data.size() != MemoryImage::kSize) {
        // A pipe or device has no size to name, only the fact that it holds too much.
        const QString found = file.isSequential() && data.size() > MemoryImage::kSize
                                  ? QCoreApplication::translate("DocumentFile", "长度超过 %1 字节")
                                        .arg(MemoryImage::kSize)
                                  : QCoreApplication::translate("DocumentFile", "长度为 %1 字节")
                                        .arg(file.isSequential() ? data.size() : file.size());
        SetError(error, QCoreApplication::translate(
                            "DocumentFile", "文件 %1 不是有效的数据文件：%2，应为 %3 字节。")
                            .arg(path, found)
                            .arg(MemoryImage::kSize));
        return false;
    }
    MemoryImage::Bytes bytes;
    std::copy(data.cbegin(), data.cend(), bytes.begin());
    image.assign(bytes);
    return true;
}

bool Save(const QString& path, const MemoryImage& image, QString* error) {
    const auto& bytes = image.bytes();
    QString reason;
    if (!AtomicFile::Replace(
            path, QByteArray(reinterpret_cast<const char*>(bytes.data()), MemoryImage::kSize),
            &reason)) {
        SetError(
            error,
            QCoreApplication::translate("DocumentFile", "无法保存文件 %1：%2").arg(path, reason));
        return false;
    }
    return true;
}

} // namespace DocumentFile
