#include "desktop_color_scheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFileInfo>
#include <QPalette>

namespace DesktopColorScheme {

namespace {

// A portal that hangs must not hold up the window's start for long.
constexpr int kPortalTimeoutMs = 500;

// Without an address libdbus would try to launch a bus of its own; a desktop session has one.
bool HasSessionBus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

} // namespace

Scheme FromEnvironment(const QString& gtkTheme, const QString& styleOverride) {
    if (gtkTheme.endsWith(QLatin1String(":dark"), Qt::CaseInsensitive)) {
        return Scheme::Dark;
    }
    if (styleOverride.contains(QLatin1String("dark"), Qt::CaseInsensitive)) {
        return Scheme::Dark;
    }
    return Scheme::Unknown;
}

Scheme FromPortal() {
    if (!HasSessionBus()) {
        return Scheme::Unknown;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return Scheme::Unknown;
    }
    QDBusMessage read = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    read << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    const QDBusMessage reply = bus.call(read, QDBus::Block, kPortalTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return Scheme::Unknown;
    }
    // Read answers a variant that older portals wrap in a second one.
    QVariant value = reply.arguments().constFirst();
    while (value.canConvert<QDBusVariant>()) {
        value = qvariant_cast<QDBusVariant>(value).variant();
    }
    switch (value.toUInt()) {
    case 1:
        return Scheme::Dark;
    case 2:
        return Scheme::Light;
    default:
        return Scheme::Unknown; // no preference
    }
}

bool IsDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

bool PrefersDark(const QPalette& platformPalette) {
    Scheme scheme = FromPortal();
    if (scheme == Scheme::Unknown) {
        scheme = FromEnvironment(qEnvironmentVariable("GTK_THEME"),
                                 qEnvironmentVariable("QT_STYLE_OVERRIDE"));
    }
    if (scheme == Scheme::Unknown) {
        return IsDark(platformPalette);
    }
    return scheme == Scheme::Dark;
}

} // namespace DesktopColorScheme
