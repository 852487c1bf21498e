#include "port_runner.h"

#include "cli_command.h"
#include "qt_serial_port.h"
#include "text_table.h"
#include "transfer_arguments.h"
#include "transfer_engine.h"
#include "transfer_log.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace Cli {

int Transfer(PortJob& job, PortObserver& observer, ProgressBoard& board, MemoryImage& image,
             TransferDirection direction, ProgrammingRecord::Operation operation) {
    job.record = TransferLog::Start(job.port, operation, job.label);
    TransferOutcome outcome;
    {
        QtSerialPort port;
        TransferEngine engine(port, observer);
        outcome = engine.Run(job.port, image, direction);
    }
    job.outcome = outcome;
    TransferLog::End(job.record, outcome, StopSignal() != 0);
    if (outcome.result == TransferOutcome::Result::Cancelled) {
        const int signal = StopSignal();
        if (signal == 0) {
            board.Message(job.row, TransferText::CommunicationError()); // gave up on program mode
            return kFailed;
        }
        const bool radioChanged = direction == TransferDirection::Write && outcome.blocksDone > 0;
        board.Message(
            job.row,
            QCoreApplication::translate("Cli", "已中断：") +
                (radioChanged ? TransferText::UnfinishedWrite(outcome.blocksDone)
                 : direction == TransferDirection::Write
                     ? QCoreApplication::translate("Cli", "对讲机里的数据没有改变。")
                     : QCoreApplication::translate("Cli", "读取没有完成，没有保存任何数据。")));
        return 128 + signal;
    }
    return outcome.succeeded() ? kSuccess : kFailed;
}

void LogRecord(PortJob& job) {
    job.record.plan = job.plan;
    job.record.planVersion = job.planVersion;
    const QString note = TransferLog::Append(job.record);
    if (job.logNote.isEmpty()) {
        job.logNote = note;
    }
    if (job.stageDone) {
        job.stageDone();
    }
}

void TellLogNotes(const QList<PortJob>& jobs) {
    for (const PortJob& job : jobs) {
        if (!job.logNote.isEmpty()) {
            Note(jobs.size() == 1 ? job.logNote : job.port + QStringLiteral(": ") + job.logNote);
        }
    }
}

QString ResultWord(int code) {
    if (code == kSuccess) {
        return QCoreApplication::translate("Cli", "成功");
    }
    if (code == kDiffers) {
        return QCoreApplication::translate("Cli", "不同");
    }
    return code > 128 ? QCoreApplication::translate("Cli", "已中断")
                      : QCoreApplication::translate("Cli", "失败");
}

void RunEverywhere(QList<PortJob>& jobs, ProgressBoard& board,
                   const std::function<void(PortJob&)>& work) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (PortJob& job : jobs) {
        threads.emplace_back(QThread::create([&job, &board, &work] {
            QElapsedTimer clock;
            clock.start();
            work(job);
            job.elapsedMs = clock.elapsed();
            if (job.result.isEmpty()) {
                job.result = ResultWord(job.code);
            }
            board.Done(job.row, job.result);
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads) {
        thread->wait();
    }
    board.Flush();
}

QList<PortJob> JobsFor(const QStringList& ports) {
    QList<PortJob> jobs;
    for (int row = 0; row < ports.size(); ++row) {
        PortJob job;
        job.port = ports[row];
        job.row = row;
        jobs.append(job);
    }
    return jobs;
}

int CombinedCode(const QList<PortJob>& jobs) {
    int code = kSuccess;
    for (const PortJob& job : jobs) {
        const auto rank = [](int c) {
            return c > 128 ? 3 : c == kFailed ? 2 : c == kDiffers ? 1 : 0;
        };
        if (rank(job.code) > rank(code)) {
            code = job.code;
        }
    }
    return code;
}

void PrintSummary(const QList<PortJob>& jobs) {
    if (jobs.size() < 2) {
        return;
    }
    TextTable table;
    table.addRow({QCoreApplication::translate("Cli", "端口"),
                  QCoreApplication::translate("Cli", "结果"),
                  QCoreApplication::translate("Cli", "用时")});
    for (const PortJob& job : jobs) {
        table.addRow(
            {job.port, job.result,
             QCoreApplication::translate("Cli", "%1 秒").arg(job.elapsedMs / 1000.0, 0, 'f', 1)});
    }
    QTextStream(stdout) << table.render();
}

QList<PortJob> ReadEverywhere(const TransferArguments& parsed, const MemoryImage& start,
                              ProgrammingRecord::Operation operation) {
    StopSignals stopSignals;
    ProgressBoard board(parsed.ports);
    QList<PortJob> jobs = JobsFor(parsed.ports);
    RunEverywhere(jobs, board, [&](PortJob& job) {
        PortObserver observer(board, job.row, parsed.retries);
        observer.SetStage(QString());
        job.radio = start;
        job.label = parsed.label;
        job.code = Transfer(job, observer, board, job.radio, TransferDirection::Read, operation);
    });
    return jobs;
}

} // namespace Cli
