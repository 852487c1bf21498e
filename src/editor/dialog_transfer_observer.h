#pragma once

#include "transfer_observer.h"

class CTransferDlg;
class QWidget;

// The window's side of a transfer: progress and the cancel flag live in the progress dialog, the
// event pump is the application's own, and every box goes through the installed messenger with
// the view as its owner.
class DialogTransferObserver : public TransferObserver {
public:
    DialogTransferObserver(CTransferDlg& dialog, QWidget* owner)
        : m_dialog(dialog), m_owner(owner) {}

    void SetProgressRange(int low, int high) override;
    void StepProgress() override;
    int ProgressPosition() const override;
    void SetProgressText(const QString& text) override;

    void PumpEvents() override;
    bool CancelRequested() const override;

    bool AskRetry(const QString& caption, const QString& text) override;
    void ReportMessage(const QString& text, int severity, const QString& detail) override;

private:
    CTransferDlg& m_dialog;
    QWidget* m_owner;
};
