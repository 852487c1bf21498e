#pragma once

#include <QSqlDatabase>
#include <QSqlError>

// The tables of the programming log, the same in the local SQLite file and on a PostgreSQL
// server. The version lives in PRAGMA user_version in SQLite and in the table schema_version on a
// server; each version's changes are applied in order to a log of any older version.
namespace LogSchema {

// 1: the records. 2: each record's uuid and station, and the outbox of records that wait for a
// server.
constexpr int kVersion = 2;

bool IsServer(const QSqlDatabase& db);

// Brings db to kVersion in one transaction, so that programs opening a new log at the same time
// create it once. A log of a newer version is left alone and reported as an error.
QSqlError Migrate(QSqlDatabase& db);

// The schema version db has, 0 for an empty database, -1 with error set when it cannot be read.
int Version(QSqlDatabase& db, QSqlError* error);

// One write transaction: in SQLite it takes the write lock at once, so that two programs wait
// for each other (busy timeout) instead of one of them failing on a lock upgrade.
QSqlError Begin(QSqlDatabase& db);
QSqlError Commit(QSqlDatabase& db);
void Rollback(QSqlDatabase& db);

} // namespace LogSchema
