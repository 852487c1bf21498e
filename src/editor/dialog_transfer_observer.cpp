#include "dialog_transfer_observer.h"

#include "messenger.h"
#include "transfer_dialog.h"

#include <QCoreApplication>

void DialogTransferObserver::SetProgressRange(int low, int high) {
    m_dialog.SetRange(low, high);
}

void DialogTransferObserver::StepProgress() {
    m_dialog.StepIt();
}

int DialogTransferObserver::ProgressPosition() const {
    return m_dialog.GetPos();
}

void DialogTransferObserver::SetProgressText(const QString& text) {
    m_dialog.SetCountText(text);
}

void DialogTransferObserver::PumpEvents() {
    // Keeps Cancel, the menus, painting and the grid alive between blocks.
    QCoreApplication::processEvents();
}

bool DialogTransferObserver::CancelRequested() const {
    return m_dialog.CancelRequested();
}

bool DialogTransferObserver::AskRetry(const QString& caption, const QString& text) {
    return TheMessenger().askRetry(m_owner, caption, text);
}

void DialogTransferObserver::ReportMessage(const QString& text, int severity,
                                           const QString& detail) {
    TheMessenger().showMessage(m_owner, severity == 1 ? kErrorCaption : kWarningCaption, text,
                               detail);
}
