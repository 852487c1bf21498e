#pragma once

#include <QString>

class QPalette;

// Whether the desktop asks programs for dark colours, as far as Qt 6.4 lets a program tell: the
// desktop portal's colour-scheme setting, the GTK_THEME and QT_STYLE_OVERRIDE conventions, and
// the palette the platform theme gave the program.
namespace DesktopColorScheme {

enum class Scheme { Unknown, Light, Dark };

// GTK_THEME="Adwaita:dark" asks for the dark variant; a style override naming a dark style
// ("kvantum-dark", "Adwaita-Dark") is taken the same way.
Scheme FromEnvironment(const QString& gtkTheme, const QString& styleOverride);
// org.freedesktop.appearance color-scheme from the desktop portal; Unknown without a session
// bus, a portal or a preference.
Scheme FromPortal();
// Windows darker than their text.
bool IsDark(const QPalette& palette);
// The first of portal, environment and platform palette that says anything.
bool PrefersDark(const QPalette& platformPalette);

} // namespace DesktopColorScheme
