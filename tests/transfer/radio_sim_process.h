#pragma once

#include <QProcess>
#include <QStringList>

// The simulated radio as a child process on its own pseudo-terminal, unpaced unless asked.
class RadioSimProcess {
public:
    explicit RadioSimProcess(const QStringList& arguments) {
        m_process.start(qEnvironmentVariable("QTR318_BUILD_DIR") +
                            QStringLiteral("/tools/qtr318-radio-sim"),
                        arguments);
        if (m_process.waitForStarted(5000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
            }
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
    }
    ~RadioSimProcess() { stop(); }

    // The device the program opens.
    QString path() const { return m_path; }
    void stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QString m_path;
};
