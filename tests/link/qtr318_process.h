#pragma once

// The qtr318 tool and the simulated radio as child processes, for the command-line tests.

#include <QProcess>
#include <QString>
#include <QStringList>

inline QString BuildDir() {
    return qEnvironmentVariable("QTR318_BUILD_DIR");
}

// The simulated radio as a child process, stopped the way a user would stop it.
struct RadioSim {
    explicit RadioSim(const QStringList& arguments) {
        process.start(BuildDir() + "/tools/qtr318-radio-sim", arguments);
        while (!process.canReadLine() && process.waitForReadyRead(5000)) {
        }
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~RadioSim() {
        process.terminate();
        process.waitForFinished(5000);
    }
    QProcess process;
    QString path;
};

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

inline Finished Qtr318(const QStringList& arguments, const QString& com2 = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QTR318_COM2", com2);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(BuildDir() + "/cli/qtr318", arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
