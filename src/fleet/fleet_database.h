#pragma once

#include "log_location.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>

class LogConnection;

// The fleet's connection of the calling thread to the programming log's database: the local
// SQLite file, or the server when the log names one. The fleet is shared data, so it is never
// kept in the local file of a station that logs to a server.
class FleetDatabase {
public:
    explicit FleetDatabase(LogLocation location = LogLocation::FromEnvironment());
    ~FleetDatabase();
    FleetDatabase(const FleetDatabase&) = delete;
    FleetDatabase& operator=(const FleetDatabase&) = delete;

    // Opens the database at the current schema; why not, else an empty text. create: a local log
    // that is not there yet is made; otherwise absent() tells that there is none, and the
    // connection stays closed.
    QString open(bool create);
    bool absent() const { return m_absent; }
    bool isOpen() const;
    QSqlDatabase& db();
    const LogLocation& location() const { return m_location; }

    // Runs work in one write transaction, which is kept only when work returns an empty text.
    QString inTransaction(const std::function<QString()>& work);

    // A prepared query of db() with values bound in order.
    QSqlQuery prepared(const QString& statement, const QVariantList& values = {});
    // "数据库出错：…" for a query that failed.
    static QString Failure(const QSqlQuery& query);

private:
    LogLocation m_location;
    std::unique_ptr<LogConnection> m_connection;
    bool m_absent = false;
};
