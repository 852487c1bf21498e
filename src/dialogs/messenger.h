#pragma once

#include <QString>

class QWidget;

// Every message box and file dialog of the window goes through the one installed Messenger, so
// tests can answer them without blocking and the captions are decided in one place.
class Messenger {
public:
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~Messenger() = default;

    // A modal box with an OK button only; detail, when given, is shown as extra information.
    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text,
                             const QString& detail = QString()) = 0;
    // Retry (the default) or Cancel, no icon; true for Retry.
    virtual bool askRetry(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Save, Discard or Cancel before unsaved changes would be dropped.
    virtual SaveChoice askSave(QWidget* parent, const QString& text) = 0;
    // Yes or No (the default) before a step that drops or risks data; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& detail) = 0;
    // A box with a button for choice beside Close, for a message that has a next step to offer;
    // true when choice was pressed.
    virtual bool offerChoice(QWidget* parent, const QString& caption, const QString& text,
                             const QString& detail, const QString& choice) = 0;
    // Standard file dialogs; an empty result means the user cancelled. directory, when given, is
    // where the open dialog starts.
    virtual QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& directory = QString()) = 0;
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption,
                                   const QString& suggestedPath, const QString& filter) = 0;
};

// The installed messenger; a QMessageBox/QFileDialog one unless a test installs its own.
Messenger& TheMessenger();
// Installs messenger (not owned); nullptr puts the standard one back.
void InstallMessenger(Messenger* messenger);

// The caption every framework-level box carries.
inline const QString kWarningCaption = QStringLiteral(QT_TRANSLATE_NOOP("Messenger", "警告"));
inline const QString kErrorCaption = QStringLiteral(QT_TRANSLATE_NOOP("Messenger", "错误"));

// The view's message box: "警告" for severity 0 and unknown values, "错误" for 1; OK only.
void ReportMessage(QWidget* parent, const QString& text, int severity);
// A framework-level message: caption "警告", OK only.
void ShowWarning(QWidget* parent, const QString& text, const QString& detail = QString());
