#pragma once

#include <QStringList>

// The per-user list of the last four files opened or saved, newest first, kept in the settings
// store and shown in the 文件 menu.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    QStringList files() const;
    void add(const QString& path);
};
