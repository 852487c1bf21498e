#pragma once

// A throwaway PostgreSQL cluster for tests: initdb in a temporary folder, a server listening
// only on a socket in that folder, run as an unprivileged user when the tests run as root (the
// server refuses root). skipReason says why there is none where it cannot start.

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

class PostgresCluster {
public:
    PostgresCluster() {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (versions.isEmpty()) {
            skipReason = QStringLiteral("no PostgreSQL server in /usr/lib/postgresql");
            return;
        }
        m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        if (!m_dir.isValid() || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            skipReason = QStringLiteral("no temporary folder or no QPSQL driver");
            return;
        }
        if (getuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || chown(m_dir.path().toLocal8Bit().constData(), nobody->pw_uid,
                                 nobody->pw_gid) != 0) {
                skipReason = QStringLiteral("cannot hand a folder to the user nobody");
                return;
            }
            m_user = {QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                      QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                      QStringLiteral("--clear-groups"), QStringLiteral("--")};
        }
        QProcess initdb;
        run(initdb, QStringLiteral("initdb"),
            {QStringLiteral("-D"), dataFolder(), QStringLiteral("-A"), QStringLiteral("trust"),
             QStringLiteral("-U"), QStringLiteral("qtr318"), QStringLiteral("--no-sync"),
             QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C")});
        if (!initdb.waitForFinished(120000) || initdb.exitCode() != 0) {
            skipReason = QStringLiteral("initdb failed: ") +
                         QString::fromLocal8Bit(initdb.readAllStandardError());
            return;
        }
        if (!start()) {
            skipReason = QStringLiteral("the server did not start: ") + m_log;
        }
    }
    ~PostgresCluster() { stop(); }

    bool start() {
        run(m_server, QStringLiteral("postgres"),
            {QStringLiteral("-D"), dataFolder(), QStringLiteral("-k"), m_dir.path(),
             QStringLiteral("-c"), QStringLiteral("listen_addresses="), QStringLiteral("-c"),
             QStringLiteral("fsync=off")});
        // Ready when it takes a connection; it says so or ends.
        for (;;) {
            if (!m_server.waitForReadyRead(60000)) {
                m_log += QString::fromLocal8Bit(m_server.readAll());
                return false;
            }
            m_log += QString::fromLocal8Bit(m_server.readAll());
            if (m_log.contains(QLatin1String("ready to accept connections"))) {
                m_log.clear();
                return true;
            }
        }
    }

    // Fast shutdown: clients are let go at once, as when a server goes down.
    void stop() {
        if (m_server.state() != QProcess::NotRunning) {
            kill(static_cast<pid_t>(m_server.processId()), SIGINT);
            m_server.waitForFinished(60000);
        }
    }

    QString uri() const {
        return QStringLiteral("postgresql:///postgres?host=%1&port=5432&user=qtr318")
            .arg(m_dir.path());
    }

    // The first column of the first row of statement, run on the server.
    QVariant scalar(const QString& statement) const {
        const QString name = QUuid::createUuid().toString();
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(m_dir.path());
            db.setDatabaseName(QStringLiteral("postgres"));
            db.setUserName(QStringLiteral("qtr318"));
            QSqlQuery query(db);
            if (db.open() && query.exec(statement) && query.next()) {
                value = query.value(0);
            }
        }
        QSqlDatabase::removeDatabase(name);
        return value;
    }

    QString skipReason;

private:
    QString dataFolder() const { return m_dir.filePath(QStringLiteral("data")); }
    void run(QProcess& process, const QString& program, const QStringList& arguments) {
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QString path = m_bin + program;
        if (m_user.isEmpty()) {
            process.start(path, arguments);
        } else {
            process.start(m_user.first(), m_user.mid(1) + QStringList{path} + arguments);
        }
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/qtr318-pg-XXXXXX")};
    QString m_bin;
    QStringList m_user;
    QProcess m_server;
    QString m_log;
};
