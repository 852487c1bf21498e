#include "log_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace {

bool NamesServer(const QString& setting) {
    return setting.startsWith(QLatin1String("postgresql:"), Qt::CaseInsensitive) ||
           setting.startsWith(QLatin1String("postgres:"), Qt::CaseInsensitive);
}

// A reserved character left unencoded in a password or name moves the rest of the URI into
// another part: a port that is no number, a fragment, a database path with a slash, a query
// item without a value. Each of those is taken for such a slip rather than guessed at.
bool Parses(const QString& setting, const QUrl& url) {
    const int scheme = setting.indexOf(QLatin1Char(':'));
    if (!url.isValid() || url.hasFragment() || setting.mid(scheme + 1, 2) != QLatin1String("//")) {
        return false;
    }
    const QString database = url.path().mid(1);
    if (database.contains(QLatin1Char('/')) || database.contains(QLatin1Char('@'))) {
        return false;
    }
    const QStringList items = url.query(QUrl::FullyEncoded).split(QLatin1Char('&'));
    return !url.hasQuery() || std::all_of(items.cbegin(), items.cend(), [](const QString& item) {
        return item.indexOf(QLatin1Char('=')) > 0;
    });
}

QString Unparsed() {
    return QCoreApplication::translate(
        "ProgrammingLog",
        "不是有效的 PostgreSQL 连接 URI。用户名、密码或数据库名中的 @ / ? # : 须写成 "
        "%40 %2F %3F %23 %3A；密码最好不写进 URI，而是放在 ~/.pgpass 里");
}

QString AbsoluteVariable(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? value : QString();
}

// libpq's connection parameters a URI may give in its query as well as in its parts; the query
// wins, as it does for libpq.
void TakeServerParameters(const QUrl& url, LogLocation& location) {
    location.host = url.host();
    location.port = url.port();
    location.database = url.path().mid(1);
    location.user = url.userName();
    location.password = url.password();
    QStringList options;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto& [name, value] : items) {
        if (name == QLatin1String("host")) {
            location.host = value;
        } else if (name == QLatin1String("port")) {
            location.port = value.toInt();
        } else if (name == QLatin1String("dbname")) {
            location.database = value;
        } else if (name == QLatin1String("user")) {
            location.user = value;
        } else if (name == QLatin1String("password")) {
            location.password = value;
        } else {
            options.append(name + QLatin1Char('=') + value);
        }
    }
    location.options = options.join(QLatin1Char(';'));
}

} // namespace

LogLocation LogLocation::FromSetting(const QString& setting) {
    LogLocation location;
    location.localPath = DefaultPath();
    if (NamesServer(setting)) {
        const QUrl url(setting, QUrl::StrictMode);
        location.server = true;
        location.m_setting = setting;
        if (Parses(setting, url)) {
            TakeServerParameters(url, location);
        } else {
            location.refusal = Unparsed();
        }
    } else if (!setting.isEmpty()) {
        location.localPath = setting;
    }
    return location;
}

LogLocation LogLocation::FromEnvironment() {
    return FromSetting(qEnvironmentVariable("QTR318_LOG"));
}

QString LogLocation::DefaultPath() {
    // A relative folder would put the log wherever the program happens to be started.
    QString data = AbsoluteVariable("XDG_DATA_HOME");
    if (data.isEmpty()) {
        data = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(data + QStringLiteral("/qtr318/programming-log.sqlite"));
}

QString LogLocation::Masked(const QString& setting) {
    if (!NamesServer(setting)) {
        return setting;
    }
    QUrl url(setting, QUrl::StrictMode);
    QString masked = setting;
    if (Parses(setting, url)) {
        if (!url.password().isEmpty()) {
            url.setPassword(QStringLiteral("***"));
            masked = url.toString();
        }
    } else {
        // Without knowing where the password ends, all that could be one goes: from the first
        // colon of the user part to the last "@".
        const int start = setting.indexOf(QLatin1String("//"));
        const int at = setting.lastIndexOf(QLatin1Char('@'));
        const int colon = start < 0 ? -1 : setting.indexOf(QLatin1Char(':'), start);
        if (colon >= 0 && colon < at) {
            masked.replace(colon + 1, at - colon - 1, QStringLiteral("***"));
        }
    }
    // A password given as a parameter.
    static const QRegularExpression parameter(QStringLiteral("([?&]password=)[^&]*"));
    return masked.replace(parameter, QStringLiteral("\\1***"));
}

QString LogLocation::displayName() const {
    if (!server) {
        return localPath;
    }
    if (!refusal.isEmpty()) {
        return Masked(m_setting);
    }
    QString name = QStringLiteral("postgresql://");
    if (!user.isEmpty()) {
        name += user + QLatin1Char('@');
    }
    name += host.startsWith(QLatin1Char('/')) ? QString() : host;
    if (port > 0) {
        name += QLatin1Char(':') + QString::number(port);
    }
    name += QLatin1Char('/') + database;
    if (host.startsWith(QLatin1Char('/'))) {
        name += QStringLiteral("?host=") + host;
    }
    return name;
}
