#include "status_announcer.h"

#include "spoken_notice.h"

#include <QStatusBar>
#include <QStatusTipEvent>

StatusAnnouncer::StatusAnnouncer(QStatusBar* bar) : QObject(bar), m_bar(bar) {
    connect(bar, &QStatusBar::messageChanged, this, &StatusAnnouncer::announce);
    // A prompt travels as an event up to the window, which puts it in the bar.
    if (QWidget* window = bar->window()) {
        window->installEventFilter(this);
    }
}

bool StatusAnnouncer::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        m_lastTip = static_cast<QStatusTipEvent*>(event)->tip();
    }
    return false;
}

void StatusAnnouncer::announce(const QString& message) {
    if (message.isEmpty() || message == m_lastTip) {
        return;
    }
    m_lastTip.clear();
    SpokenNotice::Say(m_bar, message);
}
