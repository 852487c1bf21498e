#pragma once

#include "cli_command.h"
#include "memory_image.h"
#include "programming_record.h"
#include "progress_board.h"
#include "stop_signals.h"
#include "transfer_engine.h"
#include "unattended_observer.h"

#include <QStringList>
#include <functional>

// Running a command on several ports at once: a thread, an observer and an exit code per port.
namespace Cli {

struct TransferArguments;

// One port's transfers as the engine sees them: the progress goes to the port's row of the
// board, under the stage under way, and the engine's messages with it; a signal stops it.
class PortObserver : public UnattendedObserver {
public:
    PortObserver(ProgressBoard& board, int row, int retries)
        : m_board(board), m_row(row), m_retries(retries) {}

    // A new stage: the retries asked for again, and patienceMs of patience first.
    void SetStage(const QString& stage, int patienceMs = 0) {
        m_stage = stage;
        SetPatience(patienceMs, m_retries);
    }

    bool CancelRequested() const override { return StopSignal() != 0; }
    void ReportMessage(const QString& text, int, const QString& detail) override {
        m_board.Message(m_row, text, detail);
    }

private:
    void ProgressShown(int done, int total) override {
        m_board.Progress(m_row, done, total, m_stage);
    }

    ProgressBoard& m_board;
    int m_row;
    int m_retries;
    QString m_stage;
};

// One port's share of a command, run on its own thread.
struct PortJob {
    QString port;
    int row = 0;
    int code = kSuccess;
    QString result;          // the summary's word for how it ended
    QString line;            // what a successful write prints
    MemoryImage radio;       // what verify or the read-back found
    TransferOutcome outcome; // of the last transfer
    qint64 elapsedMs = 0;
    QString label;
    QString plan; // the fleet's plan and version written, logged on every record of the job
    int planVersion = 0;
    // Called as each record of the job is logged: a station holding a claim on the radio says
    // between stages that it is still at work.
    std::function<void()> stageDone;
    ProgrammingRecord record; // of the latest transfer, for the caller to complete and log
    QString logNote;          // what the programming log had to say, told once
};

// Runs one transfer and turns its outcome into an exit code; the engine has already reported any
// failure. Stopped by a signal, the code is the one the shell expects of a process that signal
// ended, 128 + its number, once the port is closed.
// job.record is that transfer's, as far as the transfer itself tells.
int Transfer(PortJob& job, PortObserver& observer, ProgressBoard& board, MemoryImage& image,
             TransferDirection direction, ProgrammingRecord::Operation operation);

// Appends job.record to the programming log from the job's thread; the first thing the log has
// to say about the job's records is kept for TellLogNotes.
void LogRecord(PortJob& job);
// What the programming log had to say about each job, on stderr after the transfers' own
// messages: a log that cannot be written never fails a transfer.
void TellLogNotes(const QList<PortJob>& jobs);

// The summary's word for an exit code.
QString ResultWord(int code);

// Runs job on a thread of its own for each port, all at once, and waits for every one.
void RunEverywhere(QList<PortJob>& jobs, ProgressBoard& board,
                   const std::function<void(PortJob&)>& work);

QList<PortJob> JobsFor(const QStringList& ports);

// Exit 0 only when every port succeeded; a signal outranks a failure, a failure a difference.
int CombinedCode(const QList<PortJob>& jobs);

// A table of ports, results and times on standard output, for two ports or more.
void PrintSummary(const QList<PortJob>& jobs);

// Every port's radio read on a thread of its own into its job's image; each read starts from
// start, so the blocks that do not travel keep start's bytes.
QList<PortJob> ReadEverywhere(const TransferArguments& parsed, const MemoryImage& start,
                              ProgrammingRecord::Operation operation);

} // namespace Cli
