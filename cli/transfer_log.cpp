#include "transfer_log.h"

#include "cli_command.h"
#include "programming_log.h"

namespace Cli::TransferLog {
namespace {

const ProgrammingLog* g_log = nullptr;

} // namespace

Session::Session() {
    g_log = new ProgrammingLog;
}

Session::~Session() {
    // Records that waited for another program's lock go in now, or the user hears they did not.
    if (const LogStatus status = g_log->flush(); !status.ok) {
        Note(status.message);
    }
    delete g_log;
    g_log = nullptr;
}

QString Append(const ProgrammingRecord& record) {
    return g_log ? g_log->append(record).message : ProgrammingLog().append(record).message;
}

} // namespace Cli::TransferLog
