#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A paced simulated radio on a pseudo-terminal of its own, for one bench run; how late it
// answered on a busy machine is known once it has stopped.
class PacedRadio {
public:
    // memory: the radio's memory file, empty for a new radio's.
    explicit PacedRadio(const QString& buildDir, const QString& memory = QString()) {
        QStringList arguments{QStringLiteral("--pace"), QStringLiteral("--stats")};
        if (!memory.isEmpty()) {
            arguments << memory;
        }
        m_process.start(buildDir + QStringLiteral("/tools/qtr318-radio-sim"), arguments);
        if (m_process.waitForStarted(5000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
            }
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
    }
    ~PacedRadio() { stop(); }
    PacedRadio(const PacedRadio&) = delete;
    PacedRadio& operator=(const PacedRadio&) = delete;

    QString path() const { return m_path; }
    // Stops the radio; returns how late it answered in all, in seconds.
    double stop() {
        if (m_process.state() == QProcess::NotRunning) {
            return m_late;
        }
        m_process.terminate();
        m_process.waitForFinished(5000);
        static const QRegularExpression late(QStringLiteral("late by ([0-9.]+) ms"));
        const QRegularExpressionMatch match =
            late.match(QString::fromLocal8Bit(m_process.readAllStandardError()));
        m_late = match.hasMatch() ? match.captured(1).toDouble() / 1000.0 : 0.0;
        return m_late;
    }

private:
    QProcess m_process;
    QString m_path;
    double m_late = 0;
};
