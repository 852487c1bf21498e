#include "recent_file_list.h"

#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}
} // namespace

QStringList RecentFileList::files() const {
    QSettings settings;
    settings.beginGroup(kGroup);
    QStringList files;
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) {
            files.append(path);
        }
    }
    return files;
}

void RecentFileList::add(const QString& path) {
    QStringList files = this->files();
    files.removeAll(path);
    files.prepend(path);
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        if (i < files.size()) {
            settings.setValue(Key(i), files.at(i));
        } else {
            settings.remove(Key(i));
        }
    }
}
