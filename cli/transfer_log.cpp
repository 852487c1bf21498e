#include "transfer_log.h"

#include "programming_log.h"

namespace Cli::TransferLog {
namespace {

const ProgrammingLog* g_log = nullptr;

} // namespace

Session::Session() {
    g_log = new ProgrammingLog;
}

Session::~Session() {
    delete g_log;
    g_log = nullptr;
}

QString Append(const ProgrammingRecord& record) {
    return g_log ? g_log->append(record).message : ProgrammingLog().append(record).message;
}

} // namespace Cli::TransferLog
