#include "programming_log.h"

#include "log_connection.h"
#include "log_schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QThread>
#include <QUuid>
#include <functional>
#include <optional>
#include <utility>

namespace {

// How many queued records travel to the server in one transaction.
constexpr int kSendBatch = 500;

QString Columns(const QString& prefix = QString()) {
    return prefix + RecordFields::Names().join(QStringLiteral(", ") + prefix);
}

// Text fields are never NULL in the log; an empty text is "".
QVariant Stored(const QVariant& value) {
    if (value.typeId() == QMetaType::QString && value.toString().isNull()) {
        return QStringLiteral("");
    }
    return value;
}

// Keeps the record's image once per content, under the SHA-256 of what is kept.
QSqlError InsertImage(QSqlDatabase& db, const ProgrammingRecord& record) {
    if (record.image.isEmpty()) {
        return QSqlError();
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO images (sha256, bytes) VALUES (?, ?) ON CONFLICT (sha256) DO NOTHING"));
    query.addBindValue(ProgrammingRecord::Sha256(record.image));
    query.addBindValue(record.image);
    return query.exec() ? QSqlError() : query.lastError();
}

// The images of records read back from the local file, to go to the server with them.
QSqlError AttachImages(QSqlDatabase& db, QList<ProgrammingRecord>& records) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT bytes FROM images WHERE sha256 = ?"));
    for (ProgrammingRecord& record : records) {
        query.addBindValue(record.imageSha256);
        if (!query.exec()) {
            return query.lastError();
        }
        if (query.next()) {
            record.image = query.value(0).toByteArray();
        }
        query.finish();
    }
    return QSqlError();
}

// Once: a record already on the server, sent by another program or before a failure to mark it
// sent, is left as it is.
QSqlError Insert(QSqlDatabase& db, const ProgrammingRecord& record) {
    const QStringList& names = RecordFields::Names();
    QStringList marks;
    marks.fill(QStringLiteral("?"), names.size());
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("INSERT INTO records (%1) VALUES (%2) ON CONFLICT (uuid) DO NOTHING")
            .arg(Columns(), marks.join(QStringLiteral(", "))));
    for (const QString& name : names) {
        query.addBindValue(Stored(RecordFields::Value(record, name)));
    }
    return query.exec() ? InsertImage(db, record) : query.lastError();
}

// Puts a record of the local file in the outbox for server.
QSqlError Queue(QSqlDatabase& db, const ProgrammingRecord& record, const QString& server) {
    QSqlQuery queue(db);
    queue.prepare(QStringLiteral("INSERT INTO outbox (record_id, server) "
                                 "SELECT id, ? FROM records WHERE uuid = ?"));
    queue.addBindValue(server);
    queue.addBindValue(record.uuid);
    return queue.exec() ? QSqlError() : queue.lastError();
}

ProgrammingRecord FromQuery(const QSqlQuery& query, int firstColumn = 0) {
    ProgrammingRecord record;
    const QStringList& names = RecordFields::Names();
    for (int i = 0; i < names.size(); ++i) {
        RecordFields::SetValue(record, names[i], query.value(firstColumn + i));
    }
    return record;
}

// Runs work in one transaction of db.
QSqlError InTransaction(QSqlDatabase& db, const std::function<QSqlError()>& work) {
    QSqlError error = LogSchema::Begin(db);
    if (!error.isValid()) {
        error = work();
        if (error.isValid()) {
            LogSchema::Rollback(db);
        } else {
            error = LogSchema::Commit(db);
        }
    }
    return error;
}

// A name beside path for a damaged log, that no file has yet.
QString AsideName(const QString& path) {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString name = path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFile::exists(name); ++n) {
        name = path + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    return name;
}

QString NotLogged(const QString& where, const QString& reason) {
    return QCoreApplication::translate("ProgrammingLog", "这次传送没有记入编程记录 %1：%2")
        .arg(where, reason);
}

QString Unreadable(const QString& where, const QString& reason) {
    return QCoreApplication::translate("ProgrammingLog", "无法打开编程记录 %1：%2")
        .arg(where, reason);
}

} // namespace

QSqlQuery LogFilter::select(const QSqlDatabase& db) const {
    QStringList conditions;
    QVariantList values;
    const auto where = [&](const char* condition, const QVariant& value, int uses = 1) {
        conditions.append(QLatin1String(condition));
        for (int i = 0; i < uses; ++i) {
            values.append(value);
        }
    };
    if (since.isValid()) {
        where("started_at >= ?", RecordFields::TimeText(since));
    }
    if (until.isValid()) {
        where("started_at < ?", RecordFields::TimeText(until));
    }
    if (!port.isEmpty()) {
        where("(port = ? OR device = ?)", port, 2);
    }
    if (!label.isEmpty() && labelPart) {
        QString pattern = label;
        pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        where("label LIKE ? ESCAPE '\\'", QLatin1Char('%') + pattern + QLatin1Char('%'));
    } else if (!label.isEmpty()) {
        where("label = ?", label);
    }
    if (result) {
        where("result = ?", RecordFields::ResultCode(*result));
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM records%2 ORDER BY started_at, id")
                      .arg(Columns(), conditions.isEmpty()
                                          ? QString()
                                          : QStringLiteral(" WHERE ") +
                                                conditions.join(QStringLiteral(" AND "))));
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    query.exec();
    return query;
}

ProgrammingLog::ProgrammingLog(LogLocation location)
    : m_location(std::move(location)), m_held(std::make_unique<LogConnection>()),
      m_owner(QThread::currentThread()) {
    // Whatever goes wrong here, the first append says. A log that is not there yet is made by
    // the first record, not by a program that may only read.
    if (QFile::exists(m_location.localPath)) {
        hold();
    }
}

void ProgrammingLog::hold() const {
    if (m_location.refusal.isEmpty() && QThread::currentThread() == m_owner && !m_tried) {
        m_tried = true;
        m_held->openLocal(m_location.localPath);
    }
}

ProgrammingLog::~ProgrammingLog() = default;

LogStatus ProgrammingLog::append(ProgrammingRecord record) const {
    if (record.uuid.isEmpty()) {
        record.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
    if (record.station.isEmpty()) {
        record.station = QSysInfo::machineHostName();
    }
    if (!m_location.refusal.isEmpty()) {
        return {false, NotLogged(m_location.displayName(), m_location.refusal)};
    }
    QList<ProgrammingRecord> batch = takeWaiting();
    const bool waited = !batch.isEmpty();
    batch.append(record);
    QStringList notes;
    const QSqlError error = appendLocal(batch, kAppendWaitMs, &notes);
    if (LogConnection::IsBusy(error)) {
        keepWaiting(batch);
        if (!waited) {
            notes.append(QCoreApplication::translate(
                             "ProgrammingLog",
                             "编程记录 %1 正被另一个程序锁住；记录先留在本程序里，稍后写入")
                             .arg(m_location.localPath));
        }
        return {true, notes.join(QLatin1Char('\n'))};
    }
    if (error.isValid()) {
        // Without a local file to wait in, the records can still go straight to the server.
        const QString failure = LogConnection::Reason(error);
        const QString serverFailure = m_location.server ? sendDirectly(batch) : failure;
        if (!serverFailure.isEmpty()) {
            notes.append(NotLogged(m_location.localPath, failure));
            return {false, notes.join(QLatin1Char('\n'))};
        }
        return {true, notes.join(QLatin1Char('\n'))};
    }
    hold();
    QString unsent;
    if (m_location.server && QDateTime::currentMSecsSinceEpoch() < m_serverRetryAt) {
        QMutexLocker lock(&m_serverMutex);
        notes.append(m_serverProblem);
    } else if (m_location.server && !sendQueued(&unsent)) {
        notes.append(unsent);
    }
    return {true, notes.join(QLatin1Char('\n'))};
}

LogStatus ProgrammingLog::flush() const {
    QList<ProgrammingRecord> batch = takeWaiting();
    if (batch.isEmpty()) {
        return {};
    }
    QStringList notes;
    const QSqlError error = appendLocal(batch, LogConnection::kBusyTimeoutMs, &notes);
    if (error.isValid()) {
        if (LogConnection::IsBusy(error)) {
            keepWaiting(batch);
        }
        notes.append(
            QCoreApplication::translate("ProgrammingLog", "%1 条记录没能写进编程记录 %2：%3")
                .arg(batch.size())
                .arg(m_location.localPath, LogConnection::Reason(error)));
    }
    return {!error.isValid(), notes.join(QLatin1Char('\n'))};
}

bool ProgrammingLog::hasWaiting() const {
    QMutexLocker lock(&m_waitingMutex);
    return !m_waiting.isEmpty();
}

QList<ProgrammingRecord> ProgrammingLog::takeWaiting() const {
    QMutexLocker lock(&m_waitingMutex);
    return std::exchange(m_waiting, {});
}

void ProgrammingLog::keepWaiting(const QList<ProgrammingRecord>& records) const {
    QMutexLocker lock(&m_waitingMutex);
    m_waiting = records + m_waiting;
}

QSqlError ProgrammingLog::appendLocal(const QList<ProgrammingRecord>& records, int waitMs,
                                      QStringList* notes) const {
    for (int attempt = 0;; ++attempt) {
        QSqlError error;
        {
            LogConnection local;
            error = local.openLocal(m_location.localPath, waitMs);
            if (!error.isValid()) {
                QSqlDatabase& db = local.db();
                error = InTransaction(db, [&] {
                    for (const ProgrammingRecord& record : records) {
                        if (QSqlError inserted = Insert(db, record); inserted.isValid()) {
                            return inserted;
                        }
                        if (m_location.server) {
                            if (QSqlError queued = Queue(db, record, m_location.displayName());
                                queued.isValid()) {
                                return queued;
                            }
                        }
                    }
                    return QSqlError();
                });
            }
        }
        if (!error.isValid() || attempt > 0 || !LogConnection::IsCorrupt(error) ||
            !setAside(notes)) {
            return error;
        }
    }
}

// Renames the damaged log and what SQLite keeps beside it, unless another program did so first
// and a sound log stands there again.
bool ProgrammingLog::setAside(QStringList* notes) const {
    const QString& path = m_location.localPath;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LogConnection::kBusyTimeoutMs)) {
        return false;
    }
    {
        LogConnection again;
        if (!LogConnection::IsCorrupt(again.openLocal(path))) {
            return true;
        }
    }
    const QString aside = AsideName(path);
    if (!QFile::rename(path, aside)) {
        return false;
    }
    for (const char* suffix : {"-wal", "-shm"}) {
        QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
    notes->append(QCoreApplication::translate(
                      "ProgrammingLog", "编程记录 %1 已损坏，已改名为 %2 留存，并新建了编程记录")
                      .arg(path, aside));
    return true;
}

QString ProgrammingLog::sendDirectly(const QList<ProgrammingRecord>& records) const {
    LogConnection server;
    QSqlError error = server.openServer(m_location);
    if (!error.isValid()) {
        error = InTransaction(server.db(), [&] {
            for (const ProgrammingRecord& record : records) {
                if (QSqlError inserted = Insert(server.db(), record); inserted.isValid()) {
                    return inserted;
                }
            }
            return QSqlError();
        });
    }
    return error.isValid() ? LogConnection::Reason(error) : QString();
}

bool ProgrammingLog::sendQueued(QString* message) const {
    // With no local file, nothing waits.
    if (!m_location.server || !m_location.refusal.isEmpty() ||
        !QFile::exists(m_location.localPath)) {
        return true;
    }
    const auto fail = [&](const QSqlError& error) {
        const QString problem =
            QCoreApplication::translate(
                "ProgrammingLog", "编程记录服务器 %1 不可用（%2）；记录暂存在 %3，服务器恢复后发送")
                .arg(m_location.displayName(), LogConnection::Reason(error), m_location.localPath);
        {
            QMutexLocker lock(&m_serverMutex);
            m_serverProblem = problem;
        }
        m_serverRetryAt = QDateTime::currentMSecsSinceEpoch() + kServerRetryMs;
        if (message) {
            *message = problem;
        }
        return false;
    };
    LogConnection local;
    QSqlError error = local.openLocal(m_location.localPath);
    if (error.isValid()) {
        return fail(error);
    }
    std::optional<LogConnection> server;
    for (;;) {
        QSqlQuery waiting(local.db());
        waiting.prepare(QStringLiteral("SELECT o.record_id, %1 FROM outbox o JOIN records r "
                                       "ON r.id = o.record_id WHERE o.server = ? "
                                       "ORDER BY o.record_id LIMIT %2")
                            .arg(Columns(QStringLiteral("r.")))
                            .arg(kSendBatch));
        waiting.addBindValue(m_location.displayName());
        if (!waiting.exec()) {
            return fail(waiting.lastError());
        }
        QVariantList ids;
        QList<ProgrammingRecord> batch;
        while (waiting.next()) {
            ids.append(waiting.value(0));
            batch.append(FromQuery(waiting, 1));
        }
        waiting.finish();
        if (batch.isEmpty()) {
            return true;
        }
        if (error = AttachImages(local.db(), batch); error.isValid()) {
            return fail(error);
        }
        if (!server) {
            server.emplace();
            error = server->openServer(m_location);
            if (error.isValid()) {
                return fail(error);
            }
        }
        QSqlDatabase& remote = server->db();
        error = InTransaction(remote, [&] {
            for (const ProgrammingRecord& record : batch) {
                if (const QSqlError inserted = Insert(remote, record); inserted.isValid()) {
                    return inserted;
                }
            }
            return QSqlError();
        });
        if (error.isValid()) {
            return fail(error);
        }
        // Should this fail, the records go once more and the server keeps its copies.
        error = InTransaction(local.db(), [&] {
            QSqlQuery sent(local.db());
            sent.prepare(QStringLiteral("DELETE FROM outbox WHERE record_id = ?"));
            sent.addBindValue(ids);
            return sent.execBatch() ? QSqlError() : sent.lastError();
        });
        if (error.isValid()) {
            return fail(error);
        }
    }
}

LogStatus ProgrammingLog::openForReading(const QString& name) const {
    LogStatus status;
    if (!m_location.refusal.isEmpty()) {
        return {false, Unreadable(m_location.displayName(), m_location.refusal)};
    }
    if (m_location.server) {
        sendQueued();
        LogConnection server(name);
        const QSqlError error = server.openServer(m_location);
        if (!error.isValid()) {
            server.keep();
            return status;
        }
        // Nor has this station logged anything itself: reading makes no file for it.
        if (!QFile::exists(m_location.localPath)) {
            return {false, Unreadable(m_location.displayName(), LogConnection::Reason(error))};
        }
        status.message =
            QCoreApplication::translate("ProgrammingLog",
                                        "编程记录服务器 %1 不可用（%2）；以下是本机 %3 中的记录")
                .arg(m_location.displayName(), LogConnection::Reason(error), m_location.localPath);
    }
    LogConnection local(name);
    const QSqlError error = local.openLocal(m_location.localPath);
    if (error.isValid()) {
        return {false, Unreadable(m_location.localPath, LogConnection::Reason(error))};
    }
    local.keep();
    return status;
}

LogStatus ProgrammingLog::records(const LogFilter& filter,
                                  QList<ProgrammingRecord>* records) const {
    // Reading makes no log where there is none.
    if (!m_location.server && !QFile::exists(m_location.localPath)) {
        return {true, QCoreApplication::translate("ProgrammingLog",
                                                  "编程记录 %1 还不存在：还没有传送记入过它")
                          .arg(m_location.localPath)};
    }
    const QString name =
        QStringLiteral("qtr318-log-read-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    LogStatus status = openForReading(name);
    if (status.ok) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        {
            QSqlQuery query = filter.select(db);
            while (query.next()) {
                records->append(FromQuery(query));
            }
            if (query.lastError().isValid()) {
                status = {false,
                          QCoreApplication::translate("ProgrammingLog", "无法读取编程记录：%1")
                              .arg(LogConnection::Reason(query.lastError()))};
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return status;
}
