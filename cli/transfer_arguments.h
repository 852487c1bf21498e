#pragma once

#include "cli_arguments.h"

#include <QStringList>
#include <optional>

// The options of the commands that talk to a radio, and the checks they share.
namespace Cli {

inline const QString kRetries = QStringLiteral("--retries");
inline const QString kBackup = QStringLiteral("--backup");
inline const QString kBlocks = QStringLiteral("--blocks");
inline const QString kForce = QStringLiteral("--force");
inline const QString kNoVerify = QStringLiteral("--no-verify");
inline const QString kWait = QStringLiteral("--wait");

struct TransferArguments {
    QStringList ports;
    QString output;
    QString base;
    QString input;
    QString backup;
    QString label; // for the programming log
    int retries = 0;
    bool blocks = false;
    bool force = false;
    bool noVerify = false;
    bool wait = false;
};

// The shared option rules (unknown, missing or repeated option: usage error) plus what every
// transfer needs: a port or several, a retry count that is a count, and the right number of
// files.
std::optional<TransferArguments> ParseTransferArguments(const QStringList& arguments,
                                                        const QStringList& options,
                                                        int positionalCount, const char* synopsis,
                                                        const QStringList& flags = {});

// A folder given as "DIR/" or one that exists.
bool IsFolder(const QString& path);

} // namespace Cli
