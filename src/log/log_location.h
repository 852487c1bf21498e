#pragma once

#include <QString>

// Where the programming log lives. The local log is an SQLite file; a PostgreSQL server named by
// a libpq connection URI holds the log several stations share, and then the local file keeps
// what could not be sent yet.
struct LogLocation {
    QString localPath;
    // The server, when there is one.
    bool server = false;
    QString host; // a name, an address or a socket folder
    int port = -1;
    QString database;
    QString user;
    QString password;
    QString options; // the other URI parameters, "name=value;..."

    // setting: a file path, a postgresql:// or postgres:// URI, or empty for the default file.
    static LogLocation FromSetting(const QString& setting);
    // From QTR318_LOG.
    static LogLocation FromEnvironment();
    // ~/.local/share/qtr318/programming-log.sqlite, below $XDG_DATA_HOME when that is set.
    static QString DefaultPath();

    // The server as the user names it, without the password; else the local file.
    QString displayName() const;
};
