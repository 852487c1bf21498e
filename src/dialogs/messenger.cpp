#include "messenger.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The captions stay the source texts while they are passed around (tests and the view compare
// them) and take the run's language only on the box itself.
QString ShownCaption(const QString& caption) {
    return QCoreApplication::translate("Messenger", caption.toUtf8().constData());
}

class StandardMessenger : public Messenger {
public:
    void showMessage(QWidget* parent, const QString& caption, const QString& text,
                     const QString& detail) override {
        QMessageBox box(QMessageBox::NoIcon, ShownCaption(caption), text, QMessageBox::Ok, parent);
        box.setIcon(caption == kErrorCaption ? QMessageBox::Critical : QMessageBox::Warning);
        if (!detail.isEmpty()) {
            box.setInformativeText(detail);
        }
        box.exec();
    }

    bool askRetry(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, ShownCaption(caption), text,
                        QMessageBox::Retry | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Retry);
        return box.exec() == QMessageBox::Retry;
    }

    SaveChoice askSave(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, ShownCaption(kWarningCaption), text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }

    bool askYesNo(QWidget* parent, const QString& text, const QString& detail) override {
        QMessageBox box(QMessageBox::Warning, ShownCaption(kWarningCaption), text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::No);
        if (!detail.isEmpty()) {
            box.setInformativeText(detail);
        }
        return box.exec() == QMessageBox::Yes;
    }

    bool offerChoice(QWidget* parent, const QString& caption, const QString& text,
                     const QString& detail, const QString& choice) override {
        QMessageBox box(caption == kErrorCaption ? QMessageBox::Critical : QMessageBox::Warning,
                        ShownCaption(caption), text, QMessageBox::Close, parent);
        QPushButton* next = box.addButton(choice, QMessageBox::AcceptRole);
        box.setDefaultButton(QMessageBox::Close);
        if (!detail.isEmpty()) {
            box.setInformativeText(detail);
        }
        box.exec();
        return box.clickedButton() == next;
    }

    QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& filter,
                           const QString& directory) override {
        return QFileDialog::getOpenFileName(parent, caption, directory, filter);
    }

    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                           const QString& filter) override {
        QFileDialog dialog(parent, caption, suggestedPath, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without a suffix gets the one the filter asks for ("*.csv" gives csv).
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch suffix = pattern.match(filter);
        dialog.setDefaultSuffix(suffix.hasMatch() ? suffix.captured(1) : QStringLiteral("sin"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().constFirst();
    }
};

Messenger* g_installed = nullptr;

} // namespace

Messenger& TheMessenger() {
    static StandardMessenger standard;
    return g_installed ? *g_installed : standard;
}

void InstallMessenger(Messenger* messenger) {
    g_installed = messenger;
}

void ReportMessage(QWidget* parent, const QString& text, int severity) {
    TheMessenger().showMessage(parent, severity == 1 ? kErrorCaption : kWarningCaption, text);
}

void ShowWarning(QWidget* parent, const QString& text, const QString& detail) {
    TheMessenger().showMessage(parent, kWarningCaption, text, detail);
}
