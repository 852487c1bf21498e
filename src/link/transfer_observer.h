#pragma once

#include <QString>

// What a transfer needs from whoever runs it: the progress display, the cancel flag, the event
// pump and the two kinds of message box. The window implements it with its progress dialog and
// message boxes, the command-line tool with a progress bar on the terminal.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;

    virtual void SetProgressRange(int low, int high) = 0;
    virtual void StepProgress() = 0; // advance by one block
    virtual int ProgressPosition() const = 0;
    virtual void SetProgressText(const QString& text) = 0;

    // Dispatches at most one pending event; returns at once when there is none.
    virtual void PumpEvents() = 0;
    virtual bool CancelRequested() const = 0;

    // The program-mode question: Retry (the default) or Cancel, no icon. True for Retry.
    virtual bool AskRetry(const QString& caption, const QString& text) = 0;
    // A box with an OK button; severity 1 is an error. detail, when not empty, is the operating
    // system's own reason, shown as extra information.
    virtual void ReportMessage(const QString& text, int severity, const QString& detail) = 0;
};
