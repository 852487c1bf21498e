// The radio transfer as the window runs it: on the user-interface thread, with the progress
// dialog showing the blocks and the application's events pumped between them.

#include "program_view.h"

#include "dialog_transfer_observer.h"
#include "memory_image.h"
#include "ms_flex_grid.h"
#include "qt_serial_port.h"
#include "transfer_dialog.h"
#include "transfer_engine.h"

#include <QPushButton>

bool CProgramView::IsTransferBusy() const {
    // Start greys itself before the transfer message is taken from the queue; from that moment
    // on the transfer counts as under way.
    return m_transferRunning ||
           (m_transferDialog->IsWindowOpen() && !m_transferDialog->startButton()->isEnabled());
}

void CProgramView::CancelTransfer() {
    if (IsTransferBusy()) {
        m_transferDialog->m_bCancel = 1;
    }
}

void CProgramView::OnTransfer() {
    if (m_transferRunning) {
        return; // a stray second request while the pump runs: one transfer at a time
    }
    SetTransferRunning(true);
    CTransferDlg& dialog = *m_transferDialog;
    // A cancel can arrive before the transfer has begun, when the window is being closed.
    MemoryImage received = m_image;
    const bool readCompleted = !dialog.CancelRequested() && RunTransfer(dialog, received);
    dialog.CloseWindow();
    if (readCompleted) {
        // An edit begun during the read would otherwise write its stale text over the radio's.
        m_grid->CloseCellEditor();
        emit radioImageRead(received);
    }
    SetTransferRunning(false);
}

bool CProgramView::RunTransfer(CTransferDlg& dialog, MemoryImage& received) {
    DialogTransferObserver observer(dialog, this);
    QtSerialPort port;
    TransferEngine engine(port, observer);
    if (m_direction == TransferDirection::Write) {
        EncodeChannels();
        // The radio gets the table as it stood when the transfer began, whatever is edited
        // while the blocks go out.
        MemoryImage outgoing = m_image;
        engine.Run(m_portName, outgoing, TransferDirection::Write);
        return false;
    }
    return engine.Run(m_portName, received, TransferDirection::Read).succeeded();
}

void CProgramView::SetTransferRunning(bool running) {
    if (m_transferRunning != running) {
        m_transferRunning = running;
        emit transferRunningChanged(running);
    }
}
