#include "log_writer.h"

#include "programming_log.h"

#include <QMetaObject>
#include <QSettings>
#include <QTimer>
#include <memory>

namespace {

const QString kLocationKey = QStringLiteral("log/location");

// Lives on the log's thread and holds the log open there.
class LogHolder : public QObject {
public:
    explicit LogHolder(LogWriter* writer) : m_writer(writer) {
        m_retry.setInterval(kRetryMs);
        m_retry.setSingleShot(true);
        connect(&m_retry, &QTimer::timeout, this, &LogHolder::retry);
    }
    ~LogHolder() override { release(); }

    void append(const LogLocation& location, const QList<ProgrammingRecord>& records) {
        const ProgrammingLog& log = this->log(location);
        bool ok = true;
        QStringList messages;
        for (const ProgrammingRecord& record : records) {
            const LogStatus status = log.append(record);
            ok = ok && status.ok;
            if (!status.message.isEmpty() && !messages.contains(status.message)) {
                messages.append(status.message);
            }
        }
        emit m_writer->appended(ok, messages.join(QLatin1Char('\n')));
        retryLater();
    }

private:
    // How soon records that wait for another program's lock are tried again.
    static constexpr int kRetryMs = 2000;

    ProgrammingLog& log(const LogLocation& location) {
        // The setting may change between transfers.
        if (!m_log || m_log->location().localPath != location.localPath ||
            m_log->location().displayName() != location.displayName()) {
            release();
            m_log = std::make_unique<ProgrammingLog>(location);
        }
        return *m_log;
    }
    void retryLater() {
        if (m_log && m_log->hasWaiting()) {
            m_retry.start();
        }
    }
    void retry() {
        const LogStatus status = m_log ? m_log->flush() : LogStatus();
        // While the lock is held the records wait on quietly; the user was told once.
        if (!status.ok && !m_log->hasWaiting()) {
            emit m_writer->appended(false, status.message);
        }
        retryLater();
    }
    void release() {
        if (m_log) {
            const LogStatus status = m_log->flush();
            if (!status.ok) {
                emit m_writer->appended(false, status.message);
            }
            m_log.reset();
        }
    }

    LogWriter* m_writer;
    QTimer m_retry{this}; // moves to the log's thread with its parent
    std::unique_ptr<ProgrammingLog> m_log;
};

} // namespace

LogWriter::LogWriter(QObject* parent) : QObject(parent), m_worker(new LogHolder(this)) {
    m_worker->moveToThread(&m_thread);
    // The log is made on its thread at the first record, so a window that never transfers never
    // opens it.
    m_thread.setObjectName(QStringLiteral("programming log"));
    m_thread.start();
}

LogWriter::~LogWriter() {
    QMetaObject::invokeMethod(m_worker, &QObject::deleteLater, Qt::QueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

LogLocation LogWriter::Location() {
    if (!qEnvironmentVariableIsEmpty("QTR318_LOG")) {
        return LogLocation::FromEnvironment();
    }
    return LogLocation::FromSetting(LocationSetting());
}

QString LogWriter::LocationSetting() {
    return QSettings().value(kLocationKey).toString();
}

void LogWriter::SetLocationSetting(const QString& setting) {
    QSettings().setValue(kLocationKey, setting.trimmed());
}

void LogWriter::append(const QList<ProgrammingRecord>& records) {
    const LogLocation location = Location();
    auto* holder = static_cast<LogHolder*>(m_worker);
    QMetaObject::invokeMethod(m_worker,
                              [holder, records, location] { holder->append(location, records); });
}
