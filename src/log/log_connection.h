#pragma once

#include "log_location.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// A connection of the calling thread to the programming log, open and at the current schema, that
// goes away with this object: Qt's connections belong to one thread, and parallel transfers log
// from threads of their own.
class LogConnection {
public:
    // name: a name of the caller's to keep the connection under after this object is gone (for a
    // model's queries); empty for one of this object's own.
    explicit LogConnection(const QString& name = QString());
    ~LogConnection();
    LogConnection(const LogConnection&) = delete;
    LogConnection& operator=(const LogConnection&) = delete;

    // Opens the SQLite file (creating its folder), in WAL mode with a busy timeout, and migrates
    // it, once LogSchema::Claim() finds it ours. The error says why it failed; IsCorrupt() tells
    // a damaged log of ours.
    // waitMs: how long a write waits for another program's lock.
    QSqlError openLocal(const QString& path, int waitMs = kBusyTimeoutMs);
    // Opens the server with a short connect timeout, so that one that is down is told quickly.
    QSqlError openServer(const LogLocation& location);

    QSqlDatabase& db() { return m_db; }
    // Leaves the connection to the name given at construction.
    void keep() { m_keep = true; }

    // Whether an SQLite error says the file is damaged or no database at all.
    static bool IsCorrupt(const QSqlError& error);
    // Whether an SQLite error says another program holds the file locked.
    static bool IsBusy(const QSqlError& error);
    // The database's own words where it has some.
    static QString Reason(const QSqlError& error);

    static constexpr int kBusyTimeoutMs = 5000;
    static constexpr int kConnectTimeoutSeconds = 3;

private:
    QSqlError open(const QString& driver, const char* package);

    QString m_name;
    QSqlDatabase m_db;
    bool m_keep = false;
};
