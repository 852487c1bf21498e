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
        const QStringList versions =
            QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (versions.isEmpty()) {
            skipReason = "no PostgreSQL server in /usr/lib/postgresql";
            return;
        }
        m_bin = QString("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        if (!m_dir.isValid() || !QSqlDatabase::isDriverAvailable("QPSQL")) {
            skipReason = "no temporary folder or no QPSQL driver";
            return;
        }
        if (getuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || chown(m_dir.path().toLocal8Bit().constData(), nobody->pw_uid,
                                 nobody->pw_gid) != 0) {
                skipReason = "cannot hand a folder to the user nobody";
                return;
            }
            m_user = {"setpriv", QString("--reuid=%1").arg(nobody->pw_uid),
                      QString("--regid=%1").arg(nobody->pw_gid), "--clear-groups", "--"};
        }
        QProcess initdb;
        run(initdb, "initdb",
            {"-D", dataFolder(), "-A", "trust", "-U", "qtr318", "--no-sync", "-E", "UTF8",
             "--locale=C"});
        if (!initdb.waitForFinished(120000) || initdb.exitCode() != 0) {
            skipReason = "initdb failed: " + QString::fromLocal8Bit(initdb.readAllStandardError());
            return;
        }
        if (!start()) {
            skipReason = "the server did not start: " + m_log;
        }
    }
    ~PostgresCluster() { stop(); }

    bool start() {
        run(m_server, "postgres",
            {"-D", dataFolder(), "-k", m_dir.path(), "-c", "listen_addresses=", "-c", "fsync=off"});
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
        return QString("postgresql:///postgres?host=%1&port=5432&user=qtr318").arg(m_dir.path());
    }

    // The first column of the first row of statement, run on the server (the fleet tests create a
    // database per case with it).
    QVariant scalar(const QString& statement) const {
        const QString name = QUuid::createUuid().toString();
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
            db.setHostName(m_dir.path());
            db.setDatabaseName("postgres");
            db.setUserName("qtr318");
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
    QString dataFolder() const { return m_dir.filePath("data"); }
    void run(QProcess& process, const QString& program, const QStringList& arguments) {
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QString path = m_bin + program;
        if (m_user.isEmpty()) {
            process.start(path, arguments);
        } else {
            process.start(m_user.first(), m_user.mid(1) + QStringList{path} + arguments);
        }
    }

    QTemporaryDir m_dir{QDir::tempPath() + "/qtr318-pg-XXXXXX"};
    QString m_bin;
    QStringList m_user;
    QProcess m_server;
    QString m_log;
};
