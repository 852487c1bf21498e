#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace Cli {

// Options more than one command takes, by the same name.
inline const QString kOutput = QStringLiteral("-o");
inline const QString kFormat = QStringLiteral("--format");
inline const QString kNote = QStringLiteral("--note");
inline const QString kPort = QStringLiteral("--port");
inline const QString kBase = QStringLiteral("--base");
inline const QString kLabel = QStringLiteral("--label");

// The command line of one qtr318 command: positional arguments and options that each take one
// value, written "-o FILE", "--name VALUE" or "--name=VALUE". A lone "-" is a positional argument
// (standard input or output) and "--" ends the options.
class Arguments {
public:
    // Accepts only the options listed in valueOptions and flags (options without a value). On an
    // unknown option, a missing value or an option given twice it returns false and error() says
    // why; the options in repeatable may be given more than once.
    bool parse(const QStringList& arguments, const QStringList& valueOptions,
               const QStringList& flags = {}, const QStringList& repeatable = {});

    bool has(const QString& option) const { return m_values.contains(option); }
    QString value(const QString& option) const { return m_values.value(option).value(0); }
    QStringList values(const QString& option) const { return m_values.value(option); }
    const QStringList& positional() const { return m_positional; }
    const QString& error() const { return m_error; }

private:
    QHash<QString, QStringList> m_values;
    QStringList m_positional;
    QString m_error;
};

// Parses a command's arguments, which must hold exactly positionalCount positional ones. On a
// usage error it prints the reason with the command's synopsis and yields nothing.
std::optional<Arguments> ParseOrFail(const QStringList& arguments, const QStringList& options,
                                     int positionalCount, const char* synopsis,
                                     const QStringList& flags = {},
                                     const QStringList& repeatable = {});

} // namespace Cli
