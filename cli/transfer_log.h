#pragma once

#include "programming_record.h"
#include "transfer_engine.h"

class MemoryImage;

// What qtr318's transfers put in the programming log: a record per transfer, started when the
// transfer starts and completed with what it came to.
namespace Cli::TransferLog {

// The time, the program, the port and the cable behind it, and label.
ProgrammingRecord Start(const QString& port, ProgrammingRecord::Operation operation,
                        const QString& label);
// The duration, the radio's ident, the blocks reached, and the result and message of outcome.
// stopped: a signal ended the transfer (else a cancel is a radio that never answered).
void End(ProgrammingRecord& record, const TransferOutcome& outcome, bool stopped);
// The model and band radio's image reports.
void SetRadio(ProgrammingRecord& record, const MemoryImage& radio);
void SetImage(ProgrammingRecord& record, const MemoryImage& image, const QString& file);

// The log a command's transfers append to, open while the command runs; made and ended on the
// command's thread.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// Appends record from any thread while a Session is open. Returns what the user must be told
// (the record was not kept, or the log was moved aside or waits for its server), else an empty
// text.
QString Append(const ProgrammingRecord& record);

} // namespace Cli::TransferLog
