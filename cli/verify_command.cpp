#include "block_walk.h"
#include "cli_command.h"
#include "diff_command.h"
#include "port_runner.h"
#include "transfer_arguments.h"
#include "transfer_commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace Cli {

int RunVerify(const QStringList& arguments) {
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kRetries}, 1,
                               "verify --port PORT... IN.sin [--blocks] [--retries N]", {kBlocks});
    if (!parsed) {
        return kUsage;
    }
    MemoryImage expected;
    if (!LoadImage(parsed->input, expected)) {
        return kFailed;
    }
    QList<PortJob> jobs = ReadEverywhere(*parsed, expected);
    for (PortJob& job : jobs) {
        if (job.code == kSuccess && job.radio != expected) {
            job.code = kDiffers;
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
        QTextStream(stderr) << "qtr318: "
                            << (parsed->blocks
                                    ? QCoreApplication::translate(
                                          "Cli", "%1：与 %2 不同的块有 %3 个（共 %4 块）")
                                          .arg(job.port, parsed->input)
                                          .arg(count)
                                          .arg(BlockWalk::kBlockCount)
                                    : QCoreApplication::translate("Cli", "%1：与 %2 有 %3 处不同")
                                          .arg(job.port, fileName)
                                          .arg(count))
                            << "\n";
    }
    PrintSummary(jobs);
    return CombinedCode(jobs);
}

} // namespace Cli
