#include "block_walk.h"
#include "cli_command.h"
#include "diff_command.h"
#include "port_runner.h"
#include "transfer_arguments.h"
#include "transfer_log.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace Cli {

int RunVerify(const QStringList& arguments) {
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kLabel, kRetries}, 1,
                               "verify --port PORT... IN.sin [--blocks] [--label TEXT] "
                               "[--retries N]",
                               {kBlocks});
    if (!parsed) {
        return kUsage;
    }
    MemoryImage expected;
    if (!LoadImage(parsed->input, expected)) {
        return kFailed;
    }
    TransferLog::Session logSession;
    QList<PortJob> jobs = ReadEverywhere(*parsed, expected, ProgrammingRecord::Operation::Verify);
    for (PortJob& job : jobs) {
        if (job.code == kSuccess) {
            TransferLog::SetRadio(job.record, job.radio);
            TransferLog::SetImage(job.record, job.radio, parsed->input);
        }
        if (job.code == kSuccess && job.radio != expected) {
            job.code = kDiffers;
            job.record.result = ProgrammingRecord::Result::Differs;
        }
    }
    const QString fileName = QFileInfo(parsed->input).fileName();
    for (PortJob& job : jobs) {
        if (job.code != kDiffers) {
            continue;
        }
        const QString radioName =
            jobs.size() == 1 ? QCoreApplication::translate("Cli", "电台") : job.port;
        const int count =
            PrintDifferences(expected, job.radio, QCoreApplication::translate("Cli", "文件"),
                             radioName, parsed->blocks);
        job.record.message =
            parsed->blocks
                ? QCoreApplication::translate("Cli", "%1：与 %2 不同的块有 %3 个（共 %4 块）")
                      .arg(job.port, parsed->input)
                      .arg(count)
                      .arg(BlockWalk::kBlockCount)
                : QCoreApplication::translate("Cli", "%1：与 %2 有 %3 处不同")
                      .arg(job.port, fileName)
                      .arg(count);
        QTextStream(stderr) << "qtr318: " << job.record.message << "\n";
    }
    for (PortJob& job : jobs) {
        LogRecord(job);
    }
    PrintSummary(jobs);
    TellLogNotes(jobs);
    return CombinedCode(jobs);
}

} // namespace Cli
