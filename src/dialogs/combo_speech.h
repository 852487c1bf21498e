#pragma once

#include <QObject>

class QComboBox;

// Makes every drop-down list of the program say its value. Orca reads a list that takes the focus
// by its label and role alone, and says nothing when the arrow keys change it: here the label's
// accessible name carries the value too ("静噪电平 1"), and a change made while the list has
// the focus is spoken. Installed once on the application, it reaches the lists of every window,
// those made later included.
class ComboSpeech : public QObject {
    Q_OBJECT
public:
    // Watches the application from now on; the object lives as long as it does.
    static void Install();

    // The text a list's label gives it for screen readers: its own text and the list's value.
    static QString spokenLabel(const QComboBox* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    void follow(QComboBox* combo);
};
