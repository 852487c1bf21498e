#pragma once

#include "transfer_record.h"

// The programming log qtr318's transfers append to, a record per transfer.
namespace Cli::TransferLog {

using TransferRecord::End;
using TransferRecord::SetImage;
using TransferRecord::SetRadio;
using TransferRecord::Start;

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
