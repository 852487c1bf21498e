#include "document_file.h"

#include <QFile>
#include <QSaveFile>

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
        SetError(error, QStringLiteral("无法打开文件 %1：%2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray data = file.read(MemoryImage::kSize);
    if (data.size() < MemoryImage::kSize) {
        SetError(error, QStringLiteral("文件 %1 不是有效的数据文件：只有 %2 字节，应为 %3 字节。")
                            .arg(path)
                            .arg(data.size())
                            .arg(MemoryImage::kSize));
        return false;
    }
    MemoryImage::Bytes bytes;
    std::copy(data.cbegin(), data.cend(), bytes.begin());
    image.assign(bytes);
    return true;
}

bool Save(const QString& path, const MemoryImage& image, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, QStringLiteral("无法保存文件 %1：%2").arg(path, file.errorString()));
        return false;
    }
    const auto& bytes = image.bytes();
    const qint64 written =
        file.write(reinterpret_cast<const char*>(bytes.data()), MemoryImage::kSize);
    if (written != MemoryImage::kSize || !file.commit()) {
        SetError(error, QStringLiteral("无法保存文件 %1：%2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace DocumentFile
