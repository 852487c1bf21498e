#include "transfer_arguments.h"

#include "cli_arguments.h"
#include "cli_command.h"
#include "port_names.h"
#include "programming_record.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Cli {

std::optional<TransferArguments> ParseTransferArguments(const QStringList& arguments,
                                                        const QStringList& options,
                                                        int positionalCount, const char* synopsis,
                                                        const QStringList& flags) {
    const auto parsed = ParseOrFail(arguments, options, positionalCount, synopsis, flags, {kPort});
    if (!parsed) {
        return std::nullopt;
    }
    if (!parsed->has(kPort)) {
        Fail(QCoreApplication::translate("Cli", "必须给出 --port PORT（COM1-COM4 或设备路径）"),
             kUsage);
        return std::nullopt;
    }
    TransferArguments result;
    result.ports = parsed->values(kPort);
    result.output = parsed->value(kOutput);
    result.base = parsed->value(kBase);
    result.input = parsed->positional().value(0);
    result.backup = parsed->value(kBackup);
    result.label = parsed->value(kLabel);
    if (const QString problem = RecordFields::LabelProblem(result.label); !problem.isEmpty()) {
        Fail(problem, kUsage);
        return std::nullopt;
    }
    result.blocks = parsed->has(kBlocks);
    result.force = parsed->has(kForce);
    result.noVerify = parsed->has(kNoVerify);
    result.wait = parsed->has(kWait);
    // COM1, com1 and the device they point to are one cable; two transfers on it would garble
    // each other's frames.
    QStringList devices;
    for (const QString& port : result.ports) {
        const QString device = PortNames::DevicePath(port);
        const QString canonical = QFileInfo(device).canonicalFilePath();
        devices.append(canonical.isEmpty() ? device : canonical);
    }
    if (devices.removeDuplicates() > 0) {
        Fail(QCoreApplication::translate("Cli", "同一个端口给了两次"), kUsage);
        return std::nullopt;
    }
    if (parsed->has(kRetries)) {
        bool ok = false;
        result.retries = parsed->value(kRetries).toInt(&ok);
        if (!ok || result.retries < 0) {
            Fail(QCoreApplication::translate("Cli", "--retries 应为 0 或更大的整数"), kUsage);
            return std::nullopt;
        }
    }
    return result;
}
bool IsFolder(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir();
}

} // namespace Cli
