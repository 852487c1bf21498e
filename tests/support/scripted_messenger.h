#pragma once

#include "messenger.h"

#include <QCoreApplication>
#include <QList>
#include <QQueue>
#include <QString>
#include <QThread>

// A messenger for tests: records every box and answers from queues instead of blocking.
class ScriptedMessenger : public Messenger {
public:
    struct Shown {
        QString caption;
        QString text;
        QString detail;
    };

    ScriptedMessenger() { InstallMessenger(this); }
    ~ScriptedMessenger() override { InstallMessenger(nullptr); }

    void showMessage(QWidget*, const QString& caption, const QString& text,
                     const QString& detail) override {
        noteThread();
        shown.append({caption, text, detail});
    }
    bool askRetry(QWidget*, const QString& caption, const QString& text) override {
        noteThread();
        shown.append({caption, text, QString()});
        return retryAnswers.isEmpty() ? false : retryAnswers.dequeue();
    }
    SaveChoice askSave(QWidget*, const QString& text) override {
        shown.append({kWarningCaption, text, QString()});
        return saveAnswers.isEmpty() ? SaveChoice::Cancel : saveAnswers.dequeue();
    }
    // Unanswered questions are answered No, the safe answer.
    bool askYesNo(QWidget*, const QString& text, const QString& detail) override {
        shown.append({kWarningCaption, text, detail});
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
    }
    // Unanswered offers are declined, as Close would.
    bool offerChoice(QWidget*, const QString& caption, const QString& text, const QString& detail,
                     const QString& choice) override {
        noteThread();
        shown.append({caption, text, detail});
        offered.append(choice);
        return choiceAnswers.isEmpty() ? false : choiceAnswers.dequeue();
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&,
                           const QString& directory) override {
        openDirectories.append(directory);
        return openPaths.isEmpty() ? QString() : openPaths.dequeue();
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return savePaths.isEmpty() ? QString() : savePaths.dequeue();
    }

    // Each box as "caption: text", for comparing a whole conversation at once.
    QStringList boxes() const {
        QStringList texts;
        for (const Shown& box : shown) {
            texts.append(box.caption + QStringLiteral(": ") + box.text);
        }
        return texts;
    }

    // Boxes belong to the window's thread; any other would be a fault.
    void noteThread() {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
            ++offWindowThread;
        }
    }

    QList<Shown> shown;
    int offWindowThread = 0;
    QQueue<bool> retryAnswers;
    QQueue<SaveChoice> saveAnswers;
    QQueue<bool> yesNoAnswers;
    QStringList offered; // the choice each offer made
    QQueue<bool> choiceAnswers;
    QQueue<QString> openPaths;
    QStringList openDirectories; // where each open dialog started
    QQueue<QString> savePaths;
};
