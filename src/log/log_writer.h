#pragma once

#include "log_location.h"
#include "programming_record.h"

#include <QList>
#include <QObject>
#include <QThread>

// The window's programming log, written on a thread of its own so that a slow disk or a server
// that does not answer never holds up the window. The log is opened, written and closed on that
// thread.
class LogWriter : public QObject {
    Q_OBJECT
public:
    explicit LogWriter(QObject* parent = nullptr);
    // Waits for the records already handed over.
    ~LogWriter() override;

    // QTR318_LOG when set, else the window's setting, else the default file.
    static LogLocation Location();
    // The window's setting: a file, a postgresql:// URI, or empty for the default file.
    static QString LocationSetting();
    static void SetLocationSetting(const QString& setting);

    // The records of one transfer, appended in order on the log's thread.
    void append(const QList<ProgrammingRecord>& records);

signals:
    // The records of one append are in the log (ok), or not, and message says why, or says what
    // became of the log meanwhile.
    void appended(bool ok, const QString& message);

private:
    QThread m_thread;
    QObject* m_worker;
};
