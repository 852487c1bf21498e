#include "fleet_database.h"

#include "log_connection.h"
#include "log_schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <utility>

namespace {

QString CannotOpen(const QString& where, const QString& reason) {
    return QCoreApplication::translate("Fleet", "无法打开车队数据库 %1：%2").arg(where, reason);
}

} // namespace

FleetDatabase::FleetDatabase(LogLocation location)
    : m_location(std::move(location)), m_connection(std::make_unique<LogConnection>()) {}

FleetDatabase::~FleetDatabase() = default;

QString FleetDatabase::open(bool create) {
    if (!m_location.refusal.isEmpty()) {
        return CannotOpen(m_location.displayName(), m_location.refusal);
    }
    if (m_location.server) {
        const QSqlError error = m_connection->openServer(m_location);
        return error.isValid() ? CannotOpen(m_location.displayName(), LogConnection::Reason(error))
                               : QString();
    }
    if (!create && !QFile::exists(m_location.localPath)) {
        m_absent = true;
        return QString();
    }
    const QSqlError error = m_connection->openLocal(m_location.localPath);
    return error.isValid() ? CannotOpen(m_location.localPath, LogConnection::Reason(error))
                           : QString();
}

bool FleetDatabase::isOpen() const {
    return !m_absent && m_connection->db().isOpen();
}

QSqlDatabase& FleetDatabase::db() {
    return m_connection->db();
}

QString FleetDatabase::inTransaction(const std::function<QString()>& work) {
    const QSqlError begun = LogSchema::Begin(db());
    if (begun.isValid()) {
        return QCoreApplication::translate("Fleet", "数据库出错：%1")
            .arg(LogConnection::Reason(begun));
    }
    const QString problem = work();
    if (!problem.isEmpty()) {
        LogSchema::Rollback(db());
        return problem;
    }
    const QSqlError committed = LogSchema::Commit(db());
    return committed.isValid() ? QCoreApplication::translate("Fleet", "数据库出错：%1")
                                     .arg(LogConnection::Reason(committed))
                               : QString();
}

QSqlQuery FleetDatabase::prepared(const QString& statement, const QVariantList& values) {
    QSqlQuery query(db());
    query.prepare(statement);
    for (const QVariant& value : values) {
        // Texts are never NULL in the log; an empty text is "".
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    return query;
}

QString FleetDatabase::Failure(const QSqlQuery& query) {
    return QCoreApplication::translate("Fleet", "数据库出错：%1")
        .arg(LogConnection::Reason(query.lastError()));
}
