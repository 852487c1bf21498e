#include "cli_command.h"

#include "document_file.h"

#include <QTextStream>

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

} // namespace Cli
