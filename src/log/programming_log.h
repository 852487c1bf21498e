#pragma once

#include "log_location.h"
#include "programming_record.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
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
// While it exists it holds the local file open, so that a record costs its transaction and not
// the last connection's checkpoint of the file: create and destroy it on one thread, and keep
// it for as long as transfers come (a window, a command).
class ProgrammingLog {
public:
    explicit ProgrammingLog(LogLocation location = LogLocation::FromEnvironment());
    ~ProgrammingLog();
    ProgrammingLog(const ProgrammingLog&) = delete;
    ProgrammingLog& operator=(const ProgrammingLog&) = delete;

    const LogLocation& location() const { return m_location; }

    // Adds record, giving it a uuid and the station's name where it has none. With a server, the
    // record goes to the local file first and from there, with any that waited, to the server.
    // Safe from any thread; never takes longer than the busy and connect timeouts.
    LogStatus append(ProgrammingRecord record) const;

    // Sends the records that wait for the server; false with message set when it cannot.
    bool sendQueued(QString* message = nullptr) const;

    static constexpr int kServerRetryMs = 60000;

    // Records matching filter, oldest first: the server's when it answers, else the local file's
    // (the message says so).
    LogStatus records(const LogFilter& filter, QList<ProgrammingRecord>* records) const;

    // A connection of the calling thread under name, to the same place records() reads, for a
    // model: query it with LogFilter::select and remove it with QSqlDatabase::removeDatabase.
    LogStatus openForReading(const QString& name) const;

private:
    QString appendLocal(const ProgrammingRecord& record, QStringList* notes) const;
    bool setAside(QStringList* notes) const;
    QString sendDirectly(const ProgrammingRecord& record) const;

    LogLocation m_location;
    std::unique_ptr<LogConnection> m_held;
    // A server that did not answer is not asked again for a while: each try may take the whole
    // connect timeout, and transfers wait for their records.
    mutable std::atomic<qint64> m_serverRetryAt{0};
    mutable QMutex m_serverMutex;
    mutable QString m_serverProblem;
};
