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
    // Why the setting names no usable place (a server URI that does not parse); nothing is
    // opened or created then. Empty for a usable one.
    QString refusal;

    // setting: a file path, a postgresql:// or postgres:// URI, or empty for the default file.
    static LogLocation FromSetting(const QString& setting);
    // From QTR318_LOG.
    static LogLocation FromEnvironment();
    // ~/.local/share/qtr318/programming-log.sqlite, below $XDG_DATA_HOME when that is an
    // absolute path.
    static QString DefaultPath();
    // setting with any password in it replaced by "***", for messages.
    static QString Masked(const QString& setting);

    // The server as the user names it, without the password; else the local file.
    QString displayName() const;

private:
    QString m_setting;
};
