// Adds records to the programming log named by QTR318_LOG from several threads at once:
// log_writer LABEL THREADS RECORDS-PER-THREAD. Exits 1 when any record was not kept.

#include "programming_log.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4) {
        return 2;
    }
    const ProgrammingLog log;
    std::atomic<int> lost{0};
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < arguments[2].toInt(); ++t) {
        threads.emplace_back(QThread::create([&, t] {
            for (int i = 0; i < arguments[3].toInt(); ++i) {
                ProgrammingRecord record;
                record.started = QDateTime::currentDateTimeUtc();
                record.label = arguments[1];
                record.port = QStringLiteral("thread%1").arg(t);
                record.blocks = i;
                const LogStatus status = log.append(record);
                if (!status.ok) {
                    QTextStream(stderr) << status.message << "\n";
                    ++lost;
                }
            }
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads) {
        thread->wait();
    }
    if (const LogStatus status = log.flush(); !status.ok) {
        QTextStream(stderr) << status.message << "\n";
        ++lost;
    }
    return lost == 0 ? 0 : 1;
}
