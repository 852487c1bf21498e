#include "cable_doctor.h"
#include "cli_arguments.h"
#include "cli_command.h"

#include <QCoreApplication>
#include <QTextStream>

namespace Cli {

int RunDoctor(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {kFormat}, 0, "doctor");
    if (!parsed) {
        return kUsage;
    }
    const QString chosen = parsed->has(kFormat) ? parsed->value(kFormat) : QStringLiteral("text");
    if (chosen != QLatin1String("text") && chosen != QLatin1String("json")) {
        return Fail(QCoreApplication::translate("Cli", "--format 只能是 text 或 json"), kUsage);
    }
    const CableReport report = CableDoctor(CableDoctor::RootFromEnvironment()).Examine();
    QTextStream(stdout) << (chosen == QLatin1String("json") ? CableReportFormat::Json(report)
                                                            : CableReportFormat::Text(report));
    return report.usable() ? kSuccess : kFailed;
}

} // namespace Cli
