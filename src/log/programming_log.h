#pragma once

#include "log_location.h"
#include "programming_record.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <memory>
#include <optional>

class LogConnection;

struct LogStatus {
    bool ok = true;  // for an append: the record is kept, locally or on the server
    QString message; // for the user, once: why not, or what became of the log meanwhile
};

// Which records to list. Times are compared in UTC; until is exclusive.
struct LogFilter {
    QDateTime since;
    QDateTime until;
    QString port; // a port name or a device path
    QString label;
    bool labelPart = false; // label matches the records whose label holds it anywhere
    std::optional<ProgrammingRecord::Result> result;

    // The records' fields (RecordFields::Names()), oldest first, executed on db: what a
    // QSqlQueryModel shows.
    QSqlQuery select(const QSqlDatabase& db) const;
};

// The log of every read, write, read-back and verify, kept in one transaction per record so that
// several programs and threads add to it at once without loss. A log that cannot be written
// costs the transfer nothing but a message.
//
// While it exists it holds the local file open, once there is one, so that a record costs its
// transaction and not the last connection's checkpoint of the file: create and destroy it on one
// thread, and keep it for as long as transfers come (a window, a command).
class ProgrammingLog {
public:
    explicit ProgrammingLog(LogLocation location = LogLocation::FromEnvironment());
    ~ProgrammingLog();
    ProgrammingLog(const ProgrammingLog&) = delete;
    ProgrammingLog& operator=(const ProgrammingLog&) = delete;

    const LogLocation& location() const { return m_location; }

    // Adds record, giving it a uuid and the station's name where it has none. With a server, the
    // record goes to the local file first and from there, with any that waited, to the server.
    // Safe from any thread; never takes longer than kAppendWaitMs and the connect timeout. While
    // another program holds the local file locked, records wait in memory for the next append or
    // flush(), which the owner calls before it destroys the log.
    LogStatus append(ProgrammingRecord record) const;

    // Writes the records that waited for another program's lock on the local file, waiting for
    // it up to the busy timeout; those it cannot write wait on while the lock is held. The
    // message says what was not written.
    LogStatus flush() const;
    bool hasWaiting() const;

    // Sends the records that wait for the server; false with message set when it cannot.
    bool sendQueued(QString* message = nullptr) const;

    static constexpr int kServerRetryMs = 60000;
    // How long a record waits for another program's lock on the local file before it waits in
    // memory instead, so that a transfer never waits for the log.
    static constexpr int kAppendWaitMs = 200;

    // Records matching filter, oldest first: the server's when it answers, else the local file's
    // (the message says so).
    LogStatus records(const LogFilter& filter, QList<ProgrammingRecord>* records) const;

    // A connection of the calling thread under name, to the same place records() reads, for a
    // model: query it with LogFilter::select and remove it with QSqlDatabase::removeDatabase.
    LogStatus openForReading(const QString& name) const;

private:
    QSqlError appendLocal(const QList<ProgrammingRecord>& records, int waitMs,
                          QStringList* notes) const;
    bool setAside(QStringList* notes) const;
    QString sendDirectly(const QList<ProgrammingRecord>& records) const;
    QList<ProgrammingRecord> takeWaiting() const;
    void keepWaiting(const QList<ProgrammingRecord>& records) const;
    // Holds the local file open, from the thread that made this log, once it exists.
    void hold() const;

    LogLocation m_location;
    std::unique_ptr<LogConnection> m_held;
    QThread* m_owner;
    mutable bool m_tried = false;
    // A server that did not answer is not asked again for a while: each try may take the whole
    // connect timeout, and transfers wait for their records.
    mutable std::atomic<qint64> m_serverRetryAt{0};
    mutable QMutex m_serverMutex;
    mutable QString m_serverProblem;
    mutable QMutex m_waitingMutex;
    mutable QList<ProgrammingRecord> m_waiting;
};
