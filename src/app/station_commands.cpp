#include "station_commands.h"

#include "channel_document.h"
#include "compare_dialog.h"
#include "log_dialog.h"
#include "log_writer.h"
#include "main_window.h"
#include "transfer_commands.h"
#include "window_transfer.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

StationCommands::StationCommands(MainWindow* frame, ChannelDocument* document,
                                 TransferCommands* transfers)
    : QObject(frame), m_frame(frame), m_transfers(transfers) {
    addToProgramMenu();
    WindowTransfer* transfer = transfers->transfer();
    transfer->setFileSource([document] { return document->pathName(); });
    connect(transfer, &WindowTransfer::logNoted, frame,
            [frame](const QString& text) { frame->statusBar()->showMessage(text); });
    connect(transfer->log(), &LogWriter::appended, this, &StationCommands::refreshLog);
    connect(transfers, &TransferCommands::comparedWithRadio, this,
            &StationCommands::showDifferences);
}

void StationCommands::addToProgramMenu() {
    auto* compare = new QAction(tr("与电台比较(&M)"), m_frame);
    compare->setObjectName(QStringLiteral("actionCompareWithRadio"));
    compare->setStatusTip(tr("读对讲机，列出写入表格会改变的每一项；窗口里的数据不变"));
    connect(compare, &QAction::triggered, m_transfers, &TransferCommands::compareWithRadio);
    auto* log = new QAction(tr("编程记录(&L)..."), m_frame);
    log->setObjectName(QStringLiteral("actionProgrammingLog"));
    log->setStatusTip(tr("列出每一次读、写和校验：哪台对讲机、什么数据、结果如何"));
    connect(log, &QAction::triggered, this, &StationCommands::showLog);
    m_frame->addActions({compare, log});
    QMenu* menu = m_frame->menu(MainWindow::Menu::Program);
    menu->addSeparator();
    menu->addActions({compare, log});
}

LogDialog* StationCommands::logDialog() const {
    return m_logDialog;
}

void StationCommands::refreshLog() {
    if (m_logDialog) {
        m_logDialog->refresh();
    }
}

void StationCommands::showLog() {
    if (!m_logDialog) {
        m_logDialog = new LogDialog(m_frame);
        m_logDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_logDialog->show();
    m_logDialog->raise();
    m_logDialog->activateWindow();
}

void StationCommands::showDifferences(const QList<ImageDiff::Difference>& differences) {
    auto* dialog = new CompareDialog(differences, m_frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CompareDialog::writeRequested, m_transfers, &TransferCommands::writeData,
            Qt::QueuedConnection);
    dialog->open();
}
