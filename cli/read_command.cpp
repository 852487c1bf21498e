#include "cli_command.h"
#include "new_document.h"
#include "port_runner.h"
#include "transfer_arguments.h"
#include "transfer_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Cli {
namespace {

QString PortFileName(const QString& port) {
    return QFileInfo(port).fileName() + QStringLiteral(".sin");
}

} // namespace

int RunRead(const QStringList& arguments) {
    const char* synopsis =
        "read --port PORT... -o OUT.sin|DIR/ [--base BASE.sin] [--label TEXT] [--retries N]";
    const auto parsed =
        ParseTransferArguments(arguments, {kPort, kOutput, kBase, kLabel, kRetries}, 0, synopsis);
    if (!parsed) {
        return kUsage;
    }
    if (parsed->output.isEmpty()) {
        return Fail(QCoreApplication::translate("Cli", "必须给出 -o OUT.sin"), kUsage);
    }
    const bool folder = parsed->output != kStandardStream && IsFolder(parsed->output);
    if (parsed->ports.size() > 1 && !folder) {
        return Fail(QCoreApplication::translate(
                        "Cli", "读取几台对讲机时 -o 要指定一个文件夹（DIR/），每个端口存一个文件"),
                    kUsage);
    }
    QStringList outputs;
    for (const QString& port : parsed->ports) {
        outputs.append(folder ? QDir(parsed->output).filePath(PortFileName(port)) : parsed->output);
    }
    if (outputs.removeDuplicates() > 0) {
        return Fail(
            QCoreApplication::translate("Cli", "有两个端口的文件名相同，请用不同的名称指定端口"),
            kUsage);
    }
    if (folder && !QDir().mkpath(parsed->output)) {
        return Fail(QCoreApplication::translate("Cli", "无法创建文件夹 %1").arg(parsed->output));
    }
    for (const QString& output : outputs) {
        if (!CheckOutput(output)) {
            return kUsage;
        }
    }
    // The radio fills only the blocks that travel; the rest, the tuning sets among them, comes
    // from the base.
    MemoryImage base = NewDocumentImage();
    if (!parsed->base.isEmpty() && !LoadImage(parsed->base, base)) {
        return kFailed;
    }
    TransferLog::Session logSession;
    QList<PortJob> jobs = ReadEverywhere(*parsed, base, ProgrammingRecord::Operation::Read);
    // Saved here, one after the other, so that a failure to save names its file in order.
    for (PortJob& job : jobs) {
        if (job.code == kSuccess) {
            TransferLog::SetRadio(job.record, job.radio);
            TransferLog::SetImage(job.record, job.radio, outputs.at(job.row));
            if (!SaveImage(outputs.at(job.row), job.radio)) {
                job.code = kFailed;
                job.result = ResultWord(kFailed);
                job.record.result = ProgrammingRecord::Result::Failed;
                job.record.message =
                    QCoreApplication::translate("Cli", "无法保存 %1").arg(outputs.at(job.row));
            }
        }
        LogRecord(job);
    }
    PrintSummary(jobs);
    TellLogNotes(jobs);
    return CombinedCode(jobs);
}

} // namespace Cli
