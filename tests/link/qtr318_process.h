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
    QByteArray bytes; // standard output as it came
};

// settings: variables set for this run; QTR318_COM2 is emptied unless given, so the tester's own
// mapping never reaches the tool.
inline Finished Qtr318(const QStringList& arguments,
                       const QList<QPair<QString, QString>>& settings = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QTR318_COM2", QString());
    for (const auto& [name, value] : settings) {
        environment.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(BuildDir() + "/cli/qtr318", arguments);
    process.waitForFinished(60000);
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitCode(), QString::fromUtf8(out),
            QString::fromUtf8(process.readAllStandardError()), out};
}
