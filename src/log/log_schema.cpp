#include "log_schema.h"

#include "programming_record.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringList>

namespace LogSchema {
namespace {

// The few words in which the two databases differ.
struct Dialect {
    const char* serialKey;
    const char* randomId;
    const char* bytes;
    const char* latestAction; // what the trigger on records does
};
constexpr Dialect kSqliteDialect = {"INTEGER PRIMARY KEY AUTOINCREMENT",
                                    "lower(hex(randomblob(16)))", "BLOB",
                                    "BEGIN %LATEST_UPSERT%; END"};
constexpr Dialect kServerDialect = {"BIGSERIAL PRIMARY KEY", "gen_random_uuid()::text", "BYTEA",
                                    "EXECUTE FUNCTION records_latest()"};

// Where a step applies: what only the local file needs, or what only a server can do.
enum Place { kBoth, kLocal, kServer };

struct Step {
    int version;
    Place place;
    const char* statement;
};

// A record that can make a radio's fleet state: a write attempt, or a read-back that verified one.
constexpr char kAttempt[] =
    "new.operation = '%WRITE%' OR (new.operation = '%READ_BACK%' AND new.result = '%OK%')";
// Keeps each label's newest attempt of each kind, newest by time and then by the order logged,
// as the fleet's status reads them; records from a station's queue may arrive out of order.
constexpr char kLatestUpsert[] =
    "INSERT INTO latest_attempts VALUES (new.label, new.operation, new.started_at, new.id)"
    " ON CONFLICT (label, operation) DO UPDATE SET started_at = excluded.started_at,"
    " record_id = excluded.record_id WHERE latest_attempts.started_at < excluded.started_at"
    " OR (latest_attempts.started_at = excluded.started_at"
    " AND latest_attempts.record_id < excluded.record_id)";

const Step kSteps[] = {
    {1, kBoth,
     "CREATE TABLE records (id %SERIAL%, started_at TEXT NOT NULL, duration_ms BIGINT NOT NULL,"
     " program TEXT NOT NULL, program_version TEXT NOT NULL, operation TEXT NOT NULL,"
     " port TEXT NOT NULL, device TEXT NOT NULL, usb_vendor TEXT NOT NULL,"
     " usb_product TEXT NOT NULL, usb_serial TEXT NOT NULL, ident TEXT NOT NULL,"
     " model TEXT NOT NULL, band TEXT NOT NULL, image_sha256 TEXT NOT NULL, file TEXT NOT NULL,"
     " backup TEXT NOT NULL, label TEXT NOT NULL, result TEXT NOT NULL, blocks INTEGER NOT NULL,"
     " message TEXT NOT NULL)"},
    {1, kBoth, "CREATE INDEX records_started ON records (started_at)"},
    {2, kBoth, "ALTER TABLE records ADD COLUMN uuid TEXT"},
    {2, kBoth, "ALTER TABLE records ADD COLUMN station TEXT NOT NULL DEFAULT ''"},
    {2, kBoth, "UPDATE records SET uuid = %RANDOM_ID% WHERE uuid IS NULL"},
    {2, kBoth, "CREATE UNIQUE INDEX records_uuid ON records (uuid)"},
    {2, kLocal,
     "CREATE TABLE outbox (record_id INTEGER PRIMARY KEY REFERENCES records (id),"
     " server TEXT NOT NULL)"},
    {3, kBoth, "ALTER TABLE records ADD COLUMN plan TEXT NOT NULL DEFAULT ''"},
    {3, kBoth, "ALTER TABLE records ADD COLUMN plan_version INTEGER"},
    {3, kBoth, "CREATE INDEX records_label ON records (label, started_at)"},
    {3, kBoth,
     "CREATE TABLE images (sha256 TEXT PRIMARY KEY, bytes %BYTES% NOT NULL,"
     " CHECK (length(sha256) = 64))"},
    {3, kBoth, "CREATE TABLE plans (id %SERIAL%, name TEXT NOT NULL UNIQUE)"},
    {3, kBoth,
     "CREATE TABLE plan_versions (plan_id BIGINT NOT NULL REFERENCES plans (id),"
     " version INTEGER NOT NULL CHECK (version > 0), image_sha256 TEXT NOT NULL"
     " REFERENCES images (sha256), created_at TEXT NOT NULL, station TEXT NOT NULL,"
     " note TEXT NOT NULL, PRIMARY KEY (plan_id, version))"},
    {3, kBoth,
     "CREATE TABLE radios (id %SERIAL%, label TEXT NOT NULL UNIQUE, plan_id BIGINT NOT NULL"
     " REFERENCES plans (id), grp TEXT NOT NULL, note TEXT NOT NULL)"},
    {3, kBoth,
     "CREATE TABLE radio_values (radio_id BIGINT NOT NULL REFERENCES radios (id),"
     " cell TEXT NOT NULL, text TEXT NOT NULL, PRIMARY KEY (radio_id, cell))"},
    {3, kBoth,
     "CREATE TABLE write_claims (label TEXT PRIMARY KEY, holder TEXT NOT NULL,"
     " station TEXT NOT NULL, claimed_at TEXT NOT NULL, seen_ms BIGINT NOT NULL)"},
    {4, kBoth,
     "CREATE TABLE latest_attempts (label TEXT NOT NULL, operation TEXT NOT NULL,"
     " started_at TEXT NOT NULL, record_id BIGINT NOT NULL, PRIMARY KEY (label, operation))"},
    {4, kServer,
     "CREATE FUNCTION records_latest() RETURNS trigger LANGUAGE plpgsql"
     " AS $$BEGIN %LATEST_UPSERT%; RETURN NULL; END$$"},
    {4, kBoth,
     "CREATE TRIGGER records_latest AFTER INSERT ON records FOR EACH ROW WHEN (%ATTEMPT%)"
     " %LATEST_ACTION%"},
    {4, kBoth,
     "INSERT INTO latest_attempts SELECT label, operation, started_at, id FROM records AS new"
     " WHERE (%ATTEMPT%) AND NOT EXISTS (SELECT 1 FROM records AS later"
     " WHERE later.label = new.label AND later.operation = new.operation"
     " AND (later.operation = '%WRITE%' OR later.result = '%OK%')"
     " AND (later.started_at > new.started_at"
     " OR (later.started_at = new.started_at AND later.id > new.id)))"},
};

QString Statement(const Step& step, const Dialect& dialect) {
    using Record = ProgrammingRecord;
    return QString::fromLatin1(step.statement)
        .replace(QLatin1String("%LATEST_ACTION%"), QLatin1String(dialect.latestAction))
        .replace(QLatin1String("%LATEST_UPSERT%"), QLatin1String(kLatestUpsert))
        .replace(QLatin1String("%ATTEMPT%"), QLatin1String(kAttempt))
        .replace(QLatin1String("%WRITE%"), RecordFields::OperationCode(Record::Operation::Write))
        .replace(QLatin1String("%READ_BACK%"),
                 RecordFields::OperationCode(Record::Operation::ReadBack))
        .replace(QLatin1String("%OK%"), RecordFields::ResultCode(Record::Result::Succeeded))
        .replace(QLatin1String("%SERIAL%"), QLatin1String(dialect.serialKey))
        .replace(QLatin1String("%RANDOM_ID%"), QLatin1String(dialect.randomId))
        .replace(QLatin1String("%BYTES%"), QLatin1String(dialect.bytes));
}

QSqlError Exec(QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    return query.exec(statement) ? QSqlError() : query.lastError();
}

// Also waits for any other program creating or migrating the log on the same server: a server's
// DDL takes no lock that would make a second creator wait.
QSqlError BeginMigration(QSqlDatabase& db) {
    QSqlError error = Begin(db);
    if (error.isValid() || !IsServer(db)) {
        return error;
    }
    error = Exec(db, QStringLiteral("SELECT pg_advisory_xact_lock(318318)"));
    if (!error.isValid()) {
        error = Exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version "
                                        "(version INTEGER NOT NULL)"));
    }
    return error;
}

QSqlError SetVersion(QSqlDatabase& db, int version) {
    if (!IsServer(db)) {
        return Exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
    }
    QSqlError error = Exec(db, QStringLiteral("DELETE FROM schema_version"));
    return error.isValid()
               ? error
               : Exec(db, QStringLiteral("INSERT INTO schema_version VALUES (%1)").arg(version));
}

QSqlError Upgrade(QSqlDatabase& db, int from) {
    const bool server = IsServer(db);
    const Dialect& dialect = server ? kServerDialect : kSqliteDialect;
    for (const Step& step : kSteps) {
        if (step.version <= from || step.place == (server ? kLocal : kServer)) {
            continue;
        }
        const QSqlError error = Exec(db, Statement(step, dialect));
        if (error.isValid()) {
            return error;
        }
    }
    return SetVersion(db, kVersion);
}

QSqlError Newer(int version) {
    return QSqlError(
        QString(),
        QCoreApplication::translate("ProgrammingLog", "它由较新版本的程序建立（结构版本 %1）")
            .arg(version),
        QSqlError::UnknownError);
}

QSqlError Refused(const QString& reason) {
    return QSqlError(QString(), reason, QSqlError::ConnectionError);
}

// The local tables a log of version has, by name.
QStringList TablesOf(int version) {
    QStringList tables;
    const QLatin1String create("CREATE TABLE ");
    for (const Step& step : kSteps) {
        const QString statement = QString::fromLatin1(step.statement);
        if (step.version <= version && statement.startsWith(create)) {
            tables.append(statement.mid(create.size()).section(QLatin1Char(' '), 0, 0));
        }
    }
    tables.sort();
    return tables;
}

// Whether the file's own header says it is an SQLite log of ours, when SQLite cannot read it.
bool MarkedOurs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray header = file.read(72);
    const QByteArray id = header.mid(68);
    return header.startsWith(QByteArrayLiteral("SQLite format 3\0")) && id.size() == 4 &&
           qint32((uchar(id[0]) << 24) | (uchar(id[1]) << 16) | (uchar(id[2]) << 8) |
                  uchar(id[3])) == kApplicationId;
}

QString NotOurs(const QString& why) {
    return QCoreApplication::translate("ProgrammingLog",
                                       "它不是本程序的编程记录（%1），所以没有改动它")
        .arg(why);
}

} // namespace

QSqlError Claim(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA application_id")) || !query.next()) {
        return MarkedOurs(db.databaseName()) ? query.lastError()
                                             : Refused(NotOurs(QCoreApplication::translate(
                                                   "ProgrammingLog", "不是可读的 SQLite 数据库")));
    }
    const qint32 id = query.value(0).toInt();
    query.finish();
    if (id == kApplicationId) {
        return QSqlError();
    }
    if (id != 0) {
        return Refused(NotOurs(
            QCoreApplication::translate("ProgrammingLog", "另一个程序的数据库，application_id %1")
                .arg(id)));
    }
    QStringList tables;
    QSqlError error;
    if (query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                  "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"))) {
        while (query.next()) {
            tables.append(query.value(0).toString());
        }
        query.finish();
    }
    const int version = query.lastError().isValid() ? -1 : Version(db, &error);
    if (version < 0) {
        const QSqlError& failed = query.lastError().isValid() ? query.lastError() : error;
        return Refused(NotOurs(failed.databaseText().trimmed()));
    }
    if (!(tables.isEmpty() && version == 0) && tables != TablesOf(version)) {
        return Refused(
            NotOurs(QCoreApplication::translate("ProgrammingLog", "另一个程序的数据库，其中有表 %1")
                        .arg(tables.join(QStringLiteral(", ")))));
    }
    return Exec(db, QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
}

bool IsServer(const QSqlDatabase& db) {
    return db.driver()->dbmsType() == QSqlDriver::PostgreSQL;
}

int Version(QSqlDatabase& db, QSqlError* error) {
    QSqlQuery query(db);
    const bool read = IsServer(db)
                          ? query.exec(QStringLiteral(
                                "SELECT COALESCE((SELECT max(version) FROM schema_version), 0)"))
                          : query.exec(QStringLiteral("PRAGMA user_version"));
    if (!read || !query.next()) {
        // A server without the table has no log yet.
        if (IsServer(db) && !db.tables().contains(QStringLiteral("schema_version"))) {
            return 0;
        }
        *error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

QSqlError Migrate(QSqlDatabase& db) {
    QSqlError error;
    const int seen = Version(db, &error);
    if (seen == kVersion || seen < 0) {
        return error;
    }
    if (seen > kVersion) {
        return Newer(seen);
    }
    error = BeginMigration(db);
    // Another program may have migrated it meanwhile.
    const int version = error.isValid() ? -1 : Version(db, &error);
    if (!error.isValid() && version > kVersion) {
        error = Newer(version);
    } else if (!error.isValid() && version < kVersion) {
        error = Upgrade(db, version);
    }
    if (error.isValid()) {
        Rollback(db);
        return error;
    }
    return Commit(db);
}

QSqlError Begin(QSqlDatabase& db) {
    if (!IsServer(db)) {
        return Exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    }
    return db.transaction() ? QSqlError() : db.lastError();
}

QSqlError Commit(QSqlDatabase& db) {
    if (!IsServer(db)) {
        return Exec(db, QStringLiteral("COMMIT"));
    }
    return db.commit() ? QSqlError() : db.lastError();
}

void Rollback(QSqlDatabase& db) {
    if (IsServer(db)) {
        db.rollback();
    } else {
        Exec(db, QStringLiteral("ROLLBACK"));
    }
}

} // namespace LogSchema
