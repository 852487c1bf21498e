#pragma once

#include <QObject>
#include <QString>

class QStatusBar;

// Speaks every message shown in a window's status bar, whoever shows it, so that what a command
// did reaches a screen reader user too. The prompts the bar shows while the mouse or the keyboard
// is on a menu item are left out: the screen reader reads the item itself. A message that comes
// while another window is in front (a transfer's result as its dialog closes) is spoken once the
// bar's window is active again; the screen reader would not take it from a window behind.
class StatusAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit StatusAnnouncer(QStatusBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void announce(const QString& message);

    QStatusBar* m_bar;
    QString m_lastTip;
    QString m_waiting;
};
