#pragma once

#include <QObject>
#include <QPalette>

// The window's colours: the desktop's, or light or dark whatever the desktop says. Dark is the
// Fusion style with a dark palette; light is the style and palette the program started with, or
// Fusion's own when those were dark. The choice is kept in the settings for the next start.
class Appearance : public QObject {
    Q_OBJECT
public:
    enum class Choice { System, Light, Dark };

    // The first one takes note of the style and palette the platform gave the program.
    explicit Appearance(QObject* parent = nullptr);

    Choice choice() const { return m_choice; }
    void choose(Choice choice);
    // The choice of the last run.
    void restore();
    bool isDark() const { return m_dark; }

    // A dark palette with every text at least as readable as on the light one.
    static QPalette DarkPalette();

private:
    void apply(bool dark);

    Choice m_choice = Choice::System;
    bool m_dark = false;
};
