#pragma once

#include <QStringList>

// The per-user list of the last four files opened or saved, newest first. It is kept in the
// settings store but no menu shows it.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    QStringList files() const;
    void add(const QString& path);
};
