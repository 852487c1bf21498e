#include "batch_write_command.h"

#include "channel_document.h"
#include "channel_form.h"
#include "log_writer.h"
#include "main_window.h"
#include "station_dialog.h"
#include "window_transfer.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

BatchWriteCommand::BatchWriteCommand(MainWindow* frame, ChannelDocument* document,
                                     WindowTransfer* transfer)
    : QObject(frame), m_frame(frame), m_document(document), m_transfer(transfer) {
    auto* action = new QAction(tr("批量写频(&B)..."), frame);
    action->setObjectName(QStringLiteral("actionBatchWrite"));
    action->setStatusTip(tr("把表格依次写入一台又一台对讲机，每台都先备份、写后读回校验"));
    connect(action, &QAction::triggered, this, &BatchWriteCommand::openStation);
    frame->addAction(action);
    frame->menu(MainWindow::Menu::Program)->addAction(action);
}

void BatchWriteCommand::openStation() {
    ChannelForm* form = m_frame->form();
    if (m_transfer->isBusy() || !form->commitOpenEditor()) {
        return;
    }
    StationLoop::Plan plan;
    plan.portName = m_transfer->portName();
    plan.image = m_document->savedImage();
    plan.file = m_document->pathName();
    plan.program = QString::fromLatin1(WindowTransfer::kProgramName);
    StationDialog dialog(plan, m_frame);
    dialog.setLogLocation(LogWriter::Location());
    // The loop logs a radio before it reports it finished.
    connect(dialog.loop(), &StationLoop::radioFinished, this, &BatchWriteCommand::radioLogged);
    dialog.exec();
}
