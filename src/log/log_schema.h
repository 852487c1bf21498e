#pragma once

#include <QSqlDatabase>
#include <QSqlError>

// The tables of the programming log, the same in the local SQLite file and on a PostgreSQL
// server. The version lives in PRAGMA user_version in SQLite and in the table schema_version on a
// server; each version's changes are applied in order to a log of any older version.
namespace LogSchema {

// 1: the records. 2: each record's uuid and station, and the outbox of records that wait for a
// server. 3: the images records point to, each record's plan and version, and the fleet: plans
// and their versions, radios and their own values, and the claims of stations writing a radio.
// 4: records indexed so that each label's latest write and read-back are found in the index.
constexpr int kVersion = 4;
// PRAGMA application_id of an SQLite log: "Q318".
constexpr qint32 kApplicationId = 0x51333138;

bool IsServer(const QSqlDatabase& db);

// Brings db to kVersion in one transaction, so that programs opening a new log at the same time
// create it once. A log of a newer version is left alone and reported as an error.
QSqlError Migrate(QSqlDatabase& db);

// Whether the SQLite file db names may be used as the log, before anything is changed in it: a
// log of ours (marked with kApplicationId, or of an older program that did not mark it yet and
// has exactly our tables) or an empty database, which gets the mark. Another program's database
// or a file that is no database is refused with the reason; an error IsCorrupt() tells is one
// of a damaged log of ours.
QSqlError Claim(QSqlDatabase& db);

// The schema version db has, 0 for an empty database, -1 with error set when it cannot be read.
int Version(QSqlDatabase& db, QSqlError* error);

// One write transaction: in SQLite it takes the write lock at once, so that two programs wait
// for each other (busy timeout) instead of one of them failing on a lock upgrade.
QSqlError Begin(QSqlDatabase& db);
QSqlError Commit(QSqlDatabase& db);
void Rollback(QSqlDatabase& db);

} // namespace LogSchema
