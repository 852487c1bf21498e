// The time the programming log adds to a transfer: each transfer appends one record through a
// connection of its own, as qtr318's port threads do. bench_programming_log [FILE|URI]
// (default: a new SQLite file in a temporary folder).

#include "programming_log.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

ProgrammingRecord Typical() {
    ProgrammingRecord record;
    record.started = QDateTime::currentDateTimeUtc();
    record.durationMs = 1400;
    record.program = QStringLiteral("qtr318");
    record.programVersion = QStringLiteral("1.0.6");
    record.operation = ProgrammingRecord::Operation::Write;
    record.port = QStringLiteral("COM1");
    record.device = QStringLiteral("/dev/serial/by-id/usb-Prolific_USB-Serial_Controller-if00");
    record.usbVendor = QStringLiteral("067b");
    record.usbProduct = QStringLiteral("2303");
    record.ident = QStringLiteral("QT318");
    record.model = QStringLiteral("QTR-318");
    record.band = QStringLiteral("136 - 174MHz");
    record.imageSha256 = ProgrammingRecord::Sha256(QByteArray(1024, '\xff'));
    record.file = QStringLiteral("fleet.sin");
    record.backup = QStringLiteral("/home/depot/.local/share/qtr318/backups/x.sin");
    record.label = QStringLiteral("truck 12");
    record.blocks = 114;
    return record;
}

// Milliseconds of each of count appends.
std::vector<double> Appends(const ProgrammingLog& log, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        const LogStatus status = log.append(Typical());
        times.push_back(clock.nsecsElapsed() / 1e6);
        if (!status.ok) {
            QTextStream(stderr) << status.message << "\n";
            return {};
        }
    }
    std::sort(times.begin(), times.end());
    return times;
}

void Print(const QString& what, const std::vector<double>& times) {
    if (times.empty()) {
        return;
    }
    const double median = times[times.size() / 2];
    QTextStream(stdout) << what
                        << QStringLiteral(": median %1 ms, 95th percentile %2 ms; a write with "
                                          "its backup read and read-back (3 records) %3 ms\n")
                               .arg(median, 0, 'f', 2)
                               .arg(times[times.size() * 95 / 100], 0, 'f', 2)
                               .arg(3 * median, 0, 'f', 2);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString setting = app.arguments().size() > 1
                                ? app.arguments().at(1)
                                : dir.filePath(QStringLiteral("programming-log.sqlite"));
    const ProgrammingLog log(LogLocation::FromSetting(setting));
    QTextStream(stdout) << "log: " << log.location().displayName() << "\n";
    Print(QStringLiteral("a new log, 200 records"), Appends(log, 200));
    Appends(log, 9800);
    Print(QStringLiteral("after 10000 records, 200 more"), Appends(log, 200));
    return 0;
}
