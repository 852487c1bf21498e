#include "write_claims.h"

#include "fleet_database.h"
#include "log_schema.h"
#include "programming_record.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUuid>

WriteClaims::WriteClaims(FleetDatabase& database)
    : m_database(database), m_holder(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

QString WriteClaims::now() const {
    return LogSchema::IsServer(m_database.db())
               ? QStringLiteral("CAST(EXTRACT(EPOCH FROM clock_timestamp()) * 1000 AS BIGINT)")
               : QStringLiteral("CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)");
}

QString WriteClaims::claim(const QString& label) {
    return m_database.inTransaction([&]() -> QString {
        // One statement, so that of two stations at once only one takes a free or stale claim.
        QSqlQuery take = m_database.prepared(
            QStringLiteral("INSERT INTO write_claims (label, holder, station, claimed_at, seen_ms) "
                           "VALUES (?, ?, ?, ?, %1) ON CONFLICT (label) DO UPDATE SET "
                           "holder = excluded.holder, station = excluded.station, "
                           "claimed_at = excluded.claimed_at, seen_ms = excluded.seen_ms "
                           "WHERE write_claims.holder = excluded.holder "
                           "OR write_claims.seen_ms < excluded.seen_ms - %2")
                .arg(now())
                .arg(kSilenceMs),
            {label, m_holder, QSysInfo::machineHostName(),
             RecordFields::TimeText(QDateTime::currentDateTimeUtc())});
        QSqlQuery holder = m_database.prepared(
            QStringLiteral("SELECT holder, station, claimed_at FROM write_claims WHERE label = ?"),
            {label});
        if (!take.exec()) {
            return FleetDatabase::Failure(take);
        }
        if (!holder.exec() || !holder.next()) {
            return FleetDatabase::Failure(holder);
        }
        if (holder.value(0).toString() == m_holder) {
            return QString();
        }
        const QDateTime since =
            QDateTime::fromString(holder.value(2).toString(), Qt::ISODateWithMs).toLocalTime();
        return QCoreApplication::translate("Fleet", "工位 %1 正在写 %2（自 %3 起）；没有写入")
            .arg(holder.value(1).toString(), label,
                 since.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    });
}

void WriteClaims::release(const QString& label) {
    m_database.inTransaction([&]() -> QString {
        QSqlQuery drop = m_database.prepared(
            QStringLiteral("DELETE FROM write_claims WHERE label = ? AND holder = ?"),
            {label, m_holder});
        return drop.exec() ? QString() : FleetDatabase::Failure(drop);
    });
}
