#include "combo_speech.h"

#include "spoken_notice.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>

namespace {

const char* const kFollowed = "qtr318SpokenValue";

QLabel* LabelOf(const QComboBox* combo) {
    const QList<QLabel*> labels = combo->window()->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->buddy() == combo) {
            return label;
        }
    }
    return nullptr;
}

QString WithoutAccessKey(QString text) {
    static const QRegularExpression marked(QStringLiteral("\\(&.\\)"));
    text.remove(marked);
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A))) {
        text.chop(1);
    }
    return text;
}

} // namespace

void ComboSpeech::Install() {
    static ComboSpeech* installed = nullptr;
    if (!installed) {
        installed = new ComboSpeech(qApp);
        qApp->installEventFilter(installed);
    }
}

QString ComboSpeech::spokenLabel(const QComboBox* combo) {
    const QLabel* label = LabelOf(combo);
    const QString name = label ? WithoutAccessKey(label->text()) : combo->accessibleName();
    return QStringLiteral("%1 %2").arg(name, combo->currentText()).trimmed();
}

bool ComboSpeech::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        // An editable list's typing field is read as text; only plain lists are quiet.
        if (combo && !combo->isEditable() && !combo->property(kFollowed).toBool()) {
            follow(combo);
        }
    }
    return false;
}

void ComboSpeech::follow(QComboBox* combo) {
    combo->setProperty(kFollowed, true);
    const auto labelIt = [combo] {
        if (QLabel* label = LabelOf(combo)) {
            label->setAccessibleName(spokenLabel(combo));
        }
    };
    labelIt();
    connect(combo, &QComboBox::currentIndexChanged, this, [combo, labelIt] {
        labelIt();
        // With the list open the screen reader reads its entries itself.
        if (combo->hasFocus() && !combo->view()->isVisible()) {
            SpokenNotice::Say(combo, combo->currentText());
        }
    });
}
