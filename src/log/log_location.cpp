#include "log_location.h"

#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

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
    const QUrl url(setting);
    const QString scheme = url.scheme();
    if (url.isValid() &&
        (scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres"))) {
        location.server = true;
        TakeServerParameters(url, location);
    } else if (!setting.isEmpty()) {
        location.localPath = setting;
    }
    return location;
}

LogLocation LogLocation::FromEnvironment() {
    return FromSetting(qEnvironmentVariable("QTR318_LOG"));
}

QString LogLocation::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/qtr318/programming-log.sqlite");
}

QString LogLocation::displayName() const {
    if (!server) {
        return localPath;
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
