#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

// A real full file system for tests of what a failed write leaves behind. The test function
// runs twice: first outside, where RunInside() starts this test program again in a private
// mount namespace with a small tmpfs mounted at a folder; then inside, where Folder() names
// that folder. Nothing outside the test program's own namespace ever sees the mount.
namespace FullDisk {

inline constexpr const char* kVariable = "QTR318_FULL_DISK";
inline constexpr const char* kMounted = "qtr318-full-disk-mounted";

// The folder on the small file system when this run is the one inside; empty outside.
inline QString Folder() {
    return qEnvironmentVariable(kVariable);
}

struct Outcome {
    QString skipReason; // set when no file system could be mounted
    int exitCode = -1;
    QByteArray output;
};

// Runs the test function named function of this program inside, with a 64 KiB tmpfs at folder
// (created here, empty). Root needs only a mount namespace; anyone else maps to root in a user
// namespace of their own.
inline Outcome RunInside(const char* function, const QString& folder) {
    Outcome outcome;
    if (!QDir().mkpath(folder)) {
        outcome.skipReason = QStringLiteral("cannot create %1").arg(folder);
        return outcome;
    }
    const QString script = QStringLiteral("mount -t tmpfs -o size=64k qtr318-full \"$1\" || exit "
                                          "125; echo %1; shift; exec \"$@\"")
                               .arg(QLatin1String(kMounted));
    QStringList arguments = {geteuid() == 0 ? QStringLiteral("-m") : QStringLiteral("-rm"),
                             QStringLiteral("sh"),
                             QStringLiteral("-c"),
                             script,
                             QStringLiteral("sh"),
                             folder,
                             QCoreApplication::applicationFilePath(),
                             QString::fromLatin1(function)};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kVariable), folder);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("unshare"), arguments);
    const bool ended = process.waitForFinished(120000);
    outcome.output = process.readAll();
    if (!ended || !outcome.output.contains(kMounted)) {
        outcome.skipReason =
            QStringLiteral("no tmpfs can be mounted in a private mount namespace (unshare): %1")
                .arg(QString::fromLocal8Bit(outcome.output.trimmed()) + process.errorString());
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    return outcome;
}

// Fills the file system holding folder to the last byte with a file named "filler".
inline bool Fill(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    // Pages, then whatever part of a page is left in single bytes.
    const QByteArray page(4096, '\0');
    while (filler.write(page) == page.size() || filler.write("x", 1) == 1) {
    }
    return true;
}

} // namespace FullDisk

// In a test function: outside, runs the function again on a full disk and passes on its result;
// inside, falls through to the rest of the function.
#define QTR318_RUN_ON_FULL_DISK(folder)                                                            \
    do {                                                                                           \
        if (FullDisk::Folder().isEmpty()) {                                                        \
            const FullDisk::Outcome outcome_ =                                                     \
                FullDisk::RunInside(QTest::currentTestFunction(), folder);                         \
            if (!outcome_.skipReason.isEmpty()) {                                                  \
                QSKIP(qPrintable(outcome_.skipReason));                                            \
            }                                                                                      \
            QVERIFY2(outcome_.exitCode == 0, outcome_.output.constData());                         \
            return;                                                                                \
        }                                                                                          \
    } while (false)
