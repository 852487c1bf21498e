#include "log_connection.h"

#include "log_schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>

namespace {

QSqlError Problem(const QString& text) {
    return QSqlError(QString(), text, QSqlError::ConnectionError);
}

} // namespace

LogConnection::LogConnection(const QString& name)
    : m_name(name.isEmpty() ? QStringLiteral("qtr318-log-") +
                                  QUuid::createUuid().toString(QUuid::WithoutBraces)
                            : name) {}

LogConnection::~LogConnection() {
    if (m_keep) {
        return;
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlError LogConnection::open(const QString& driver, const char* package) {
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        return Problem(
            QCoreApplication::translate("ProgrammingLog", "缺少 Qt 的 %1 数据库驱动（软件包 %2）")
                .arg(driver, QLatin1String(package)));
    }
    m_db = QSqlDatabase::addDatabase(driver, m_name);
    return QSqlError();
}

QSqlError LogConnection::openLocal(const QString& path, int waitMs) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return Problem(
            QCoreApplication::translate("ProgrammingLog", "无法创建文件夹 %1").arg(folder));
    }
    QSqlError error = open(QStringLiteral("QSQLITE"), "libqt6sql6-sqlite");
    if (error.isValid()) {
        return error;
    }
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(waitMs));
    if (!m_db.open()) {
        return m_db.lastError();
    }
    // Nothing is changed in a file before it is known to be ours.
    if (error = LogSchema::Claim(m_db); error.isValid()) {
        return error;
    }
    // Readers never wait for a writer in WAL mode. Changing the mode may find another program
    // doing the same; that one's change serves as well.
    QSqlQuery wal(m_db);
    if (!wal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && IsCorrupt(wal.lastError())) {
        return wal.lastError();
    }
    // A record survives the program that wrote it ending at once, and the file stays sound
    // through a power cut, which may take the last records with it; waiting for the disk at
    // every record instead costs a transfer several disk flushes.
    wal.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    wal.finish();
    return LogSchema::Migrate(m_db);
}

QSqlError LogConnection::openServer(const LogLocation& location) {
    QSqlError error = open(QStringLiteral("QPSQL"), "libqt6sql6-psql");
    if (error.isValid()) {
        return error;
    }
    m_db.setHostName(location.host);
    if (location.port > 0) {
        m_db.setPort(location.port);
    }
    m_db.setDatabaseName(location.database);
    m_db.setUserName(location.user);
    m_db.setPassword(location.password);
    QString options = location.options;
    if (!options.contains(QLatin1String("connect_timeout="))) {
        options += (options.isEmpty() ? QString() : QStringLiteral(";")) +
                   QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds);
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        return m_db.lastError();
    }
    return LogSchema::Migrate(m_db);
}

bool LogConnection::IsCorrupt(const QSqlError& error) {
    constexpr int kCorrupt = 11;
    constexpr int kNotADatabase = 26;
    const int code = error.nativeErrorCode().toInt() & 0xFF; // the primary of an extended code
    return code == kCorrupt || code == kNotADatabase;
}

bool LogConnection::IsBusy(const QSqlError& error) {
    constexpr int kBusy = 5;
    constexpr int kLocked = 6;
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return error.isValid() && (code == kBusy || code == kLocked);
}

QString LogConnection::Reason(const QSqlError& error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}
