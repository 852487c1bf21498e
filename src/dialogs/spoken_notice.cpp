#include "spoken_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

SpokenNotice::Listener g_listener = nullptr;

// The hidden status bar of a window and the notification inside it. Classes of their own so the
// accessibility factory can give them those roles.
class NoticeBar : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

QAccessibleInterface* NoticeRoles(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (className == QLatin1String("NoticeBar")) {
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    }
    if (className == QLatin1String("Notice")) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    return nullptr;
}

Notice* NoticeOf(QWidget* window) {
    if (auto* notice = window->findChild<Notice*>()) {
        return notice;
    }
    static const bool installed = [] {
        QAccessible::installFactory(NoticeRoles);
        return true;
    }();
    Q_UNUSED(installed);
    auto* bar = new NoticeBar(window);
    bar->setObjectName(QStringLiteral("spokenNoticeBar"));
    bar->hide();
    auto* notice = new Notice(bar);
    notice->setObjectName(QStringLiteral("spokenNotice"));
    return notice;
}

} // namespace

void SpokenNotice::Say(QWidget* near, const QString& text) {
    if (!near || text.isEmpty() || (!QAccessible::isActive() && !g_listener)) {
        return;
    }
    Notice* notice = NoticeOf(near->window());
    // The same text twice is still news: the screen reader is told it came into view again.
    notice->setAccessibleName(text);
    QAccessibleEvent event(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
    if (g_listener) {
        g_listener(&event);
    }
}

void SpokenNotice::SetListener(Listener listener) {
    g_listener = listener;
}

#include "spoken_notice.moc"
