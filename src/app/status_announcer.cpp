#include "status_announcer.h"

#include "spoken_notice.h"

#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <utility>

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
    } else if (event->type() == QEvent::WindowActivate && !m_waiting.isEmpty()) {
        // After the screen reader has read the window it comes back to.
        QTimer::singleShot(0, this,
                           [this] { SpokenNotice::Say(m_bar, std::exchange(m_waiting, {})); });
    }
    return false;
}

void StatusAnnouncer::announce(const QString& message) {
    if (message.isEmpty() || message == m_lastTip) {
        return;
    }
    m_lastTip.clear();
    if (m_bar->window()->isActiveWindow()) {
        SpokenNotice::Say(m_bar, message);
    } else {
        m_waiting = message;
    }
}
