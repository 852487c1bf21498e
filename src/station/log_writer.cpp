#include "log_writer.h"

#include "programming_log.h"

#include <QMetaObject>
#include <QSettings>
#include <memory>

namespace {

const QString kLocationKey = QStringLiteral("log/location");

// Lives on the log's thread and holds the log open there.
class LogHolder : public QObject {
public:
    ProgrammingLog& log(const LogLocation& location) {
        // The setting may change between transfers.
        if (!m_log || m_log->location().localPath != location.localPath ||
            m_log->location().displayName() != location.displayName()) {
            m_log.reset();
            m_log = std::make_unique<ProgrammingLog>(location);
        }
        return *m_log;
    }

private:
    std::unique_ptr<ProgrammingLog> m_log;
};

} // namespace

LogWriter::LogWriter(QObject* parent) : QObject(parent), m_worker(new LogHolder) {
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
    QMetaObject::invokeMethod(m_worker, [this, holder, records, location] {
        const ProgrammingLog& log = holder->log(location);
        bool ok = true;
        QStringList messages;
        for (const ProgrammingRecord& record : records) {
            const LogStatus status = log.append(record);
            ok = ok && status.ok;
            if (!status.message.isEmpty() && !messages.contains(status.message)) {
                messages.append(status.message);
            }
        }
        emit appended(ok, messages.join(QLatin1Char('\n')));
    });
}
