#include "cli_arguments.h"

#include "cli_command.h"

#include <QCoreApplication>

namespace Cli {

namespace {
QString NeedsValue(const QString& option) {
    return QCoreApplication::translate("Cli", "选项 '%1' 需要一个值").arg(option);
}
QString GivenTwice(const QString& option) {
    return QCoreApplication::translate("Cli", "选项 '%1' 给出了两次").arg(option);
}
} // namespace

bool Arguments::parse(const QStringList& arguments, const QStringList& valueOptions,
                      const QStringList& flags, const QStringList& repeatable) {
    m_values.clear();
    m_positional.clear();
    m_error.clear();
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.startsWith(QLatin1Char('-')) &&
                              argument != QLatin1String("-");
        if (!isOption) {
            m_positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = argument;
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const bool inline_ = argument.startsWith(QLatin1String("--")) && equals > 2;
        if (inline_) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        if (flags.contains(name) && !inline_) {
            if (m_values.contains(name)) {
                m_error = GivenTwice(name);
                return false;
            }
            m_values.insert(name, {});
            continue;
        }
        if (!valueOptions.contains(name)) {
            m_error = QCoreApplication::translate("Cli", "未知选项 '%1'").arg(name);
            return false;
        }
        if (!inline_) {
            if (i + 1 >= arguments.size()) {
                m_error = NeedsValue(name);
                return false;
            }
            value = arguments[++i];
        }
        if (value.isEmpty()) {
            m_error = NeedsValue(name);
            return false;
        }
        if (m_values.contains(name) && !repeatable.contains(name)) {
            m_error = GivenTwice(name);
            return false;
        }
        m_values[name].append(value);
    }
    return true;
}

std::optional<Arguments> ParseOrFail(const QStringList& arguments, const QStringList& options,
                                     int positionalCount, const char* synopsis,
                                     const QStringList& flags, const QStringList& repeatable) {
    const auto withUsage = [synopsis](const QString& problem) {
        return QCoreApplication::translate("Cli", "%1；用法：qtr318 %2")
            .arg(problem, QLatin1String(synopsis));
    };
    Arguments parsed;
    if (!parsed.parse(arguments, options, flags, repeatable)) {
        Fail(withUsage(parsed.error()), kUsage);
        return std::nullopt;
    }
    if (parsed.positional().size() != positionalCount) {
        const QString problem = parsed.positional().size() < positionalCount
                                    ? QCoreApplication::translate("Cli", "缺少参数")
                                    : QCoreApplication::translate("Cli", "多余的参数 '%1'")
                                          .arg(parsed.positional().value(positionalCount));
        Fail(withUsage(problem), kUsage);
        return std::nullopt;
    }
    return parsed;
}

} // namespace Cli
