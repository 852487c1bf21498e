#include "appearance.h"

#include "desktop_color_scheme.h"

#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace {

const char* const kSettingsKey = "appearance";
const char* const kFusion = "Fusion";

const char* ChoiceName(Appearance::Choice choice) {
    switch (choice) {
    case Appearance::Choice::Light:
        return "light";
    case Appearance::Choice::Dark:
        return "dark";
    case Appearance::Choice::System:
        break;
    }
    return "system";
}

void UseStyle(const QString& name) {
    if (QApplication::style()->name().compare(name, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(name)) {
            QApplication::setStyle(style);
        }
    }
}

// What the platform gave the program, before any choice of ours replaced it.
struct StartLook {
    QString style = QApplication::style()->name();
    QPalette palette = QApplication::palette();
};

const StartLook& Start() {
    static const StartLook look;
    return look;
}

} // namespace

Appearance::Appearance(QObject* parent)
    : QObject(parent), m_dark(DesktopColorScheme::IsDark(Start().palette)) {}

QPalette Appearance::DarkPalette() {
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(235, 235, 235);
    const QColor disabled(140, 140, 140);
    const QColor highlight(42, 130, 218);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(255, 110, 110));
    palette.setColor(QPalette::Link, QColor(120, 180, 255));
    palette.setColor(QPalette::LinkVisited, QColor(190, 150, 255));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Light, window.lighter(150));
    palette.setColor(QPalette::Midlight, window.lighter(125));
    palette.setColor(QPalette::Mid, window.darker(130));
    palette.setColor(QPalette::Dark, window.darker(160));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(130));
    return palette;
}

void Appearance::choose(Choice choice) {
    m_choice = choice;
    QSettings().setValue(QLatin1String(kSettingsKey), QLatin1String(ChoiceName(choice)));
    switch (choice) {
    case Choice::System:
        apply(DesktopColorScheme::PrefersDark(Start().palette));
        break;
    case Choice::Light:
        apply(false);
        break;
    case Choice::Dark:
        apply(true);
        break;
    }
}

void Appearance::restore() {
    const QString name = QSettings().value(QLatin1String(kSettingsKey)).toString();
    for (Choice choice : {Choice::Light, Choice::Dark}) {
        if (name == QLatin1String(ChoiceName(choice))) {
            choose(choice);
            return;
        }
    }
    choose(Choice::System);
}

// The platform's own look wherever it is of the kind wanted: it knows the desktop best.
void Appearance::apply(bool dark) {
    if (DesktopColorScheme::IsDark(Start().palette) == dark) {
        UseStyle(Start().style);
        if (QApplication::palette() != Start().palette) {
            QApplication::setPalette(Start().palette);
        }
    } else {
        UseStyle(QLatin1String(kFusion));
        QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
    }
    m_dark = dark;
}
