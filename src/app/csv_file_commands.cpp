#include "csv_file_commands.h"

#include "atomic_file.h"
#include "channel_csv.h"
#include "channel_document.h"
#include "channel_edits.h"
#include "channel_form.h"
#include "main_window.h"
#include "messenger.h"
#include "ui_language.h"
#include "window_transfer.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

namespace {

bool IsWindowFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("sin") || suffix == QLatin1String("csv");
}

// The file a drag carries, when it is one the window takes: a .sin or a .csv on this machine.
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() && IsWindowFile(url.toLocalFile()) ? url.toLocalFile() : QString();
}

QString CsvFilter() {
    return CsvFileCommands::tr("CSV 文件 (*.csv)");
}

} // namespace

CsvFileCommands::CsvFileCommands(MainWindow* frame, ChannelDocument* document,
                                 WindowTransfer* transfer,
                                 std::function<void(const QString&)> openDocument)
    : QObject(frame), m_frame(frame), m_document(document), m_view(frame->form()),
      m_transfer(transfer), m_openDocument(std::move(openDocument)) {
    createActions();
    addToFileMenu();
    m_frame->setAcceptDrops(true);
    m_frame->installEventFilter(this);
    connect(m_transfer, &WindowTransfer::runningChanged, this, &CsvFileCommands::updateActions);
    updateActions();
}

void CsvFileCommands::createActions() {
    const auto add = [this](const char* name, const QString& text) {
        auto* action = new QAction(text, m_frame);
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(text);
        return action;
    };
    m_import = add("fileImportCsv", tr("导入 CSV(&I)..."));
    connect(m_import, &QAction::triggered, this, &CsvFileCommands::importCsv);
    m_export = add("fileExportCsv", tr("导出 CSV(&E)..."));
    connect(m_export, &QAction::triggered, this, &CsvFileCommands::exportCsv);
}

// A group of their own after the group that ends with Save As and its companions.
void CsvFileCommands::addToFileMenu() {
    QMenu* file = m_frame->menu(MainWindow::Menu::File);
    const QList<QAction*> actions = file->actions();
    int next = actions.indexOf(m_frame->action(MainWindow::Command::FileSaveAs)) + 1;
    while (next < actions.size() && !actions.at(next)->isSeparator()) {
        ++next;
    }
    QAction* before = actions.value(next);
    file->insertSeparator(before);
    file->insertActions(before, {m_import, m_export});
}

bool CsvFileCommands::busy() const {
    return m_transfer->isBusy();
}

// Export only reads the document, so it stays open to a transfer.
void CsvFileCommands::updateActions() {
    m_import->setEnabled(!busy());
}

bool CsvFileCommands::settleEditor() {
    return m_view->commitOpenEditor();
}

void CsvFileCommands::importCsv() {
    if (busy() || !settleEditor()) {
        return;
    }
    const QString path = TheMessenger().chooseOpenFile(m_frame, tr("导入 CSV"), CsvFilter());
    if (!path.isEmpty()) {
        importCsvFile(path);
    }
}

void CsvFileCommands::importCsvFile(const QString& path) {
    if (busy() || !settleEditor()) {
        return;
    }
    QFile file(path);
    QByteArray bytes;
    QString reason;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = UiLanguage::SystemErrorText(file.errorString());
    } else {
        ChannelCsv::ReadFile(file, bytes, &reason);
    }
    if (!reason.isEmpty()) {
        ShowWarning(m_frame, tr("无法读取文件 %1：%2").arg(path, reason));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    const auto import = [&](int takeFirst) {
        return m_document->channels().edit(
            [&](ChannelTable& table) { return ChannelEdits::ImportCsv(bytes, table, takeFirst); });
    };
    ChannelEdits::CsvImport result = import(0);
    if (result.tooManyRows) {
        // A public channel list is longer than the radio; its first channels are what is offered.
        const QString takeFirst = tr("只取前 %1 个").arg(ChannelEdits::kChannels);
        if (!TheMessenger().offerChoice(m_frame, kWarningCaption,
                                        tr("无法导入 %1，什么也没有改变：").arg(name),
                                        result.problems.join(QLatin1Char('\n')), takeFirst)) {
            return;
        }
        result = import(ChannelEdits::kChannels);
    }
    if (!result.problems.isEmpty()) {
        ShowWarning(m_frame, tr("无法导入 %1，什么也没有改变：").arg(name),
                    result.problems.join(QLatin1Char('\n')));
        return;
    }
    m_document->recordChange(tr("导入 CSV"));
    m_frame->showStatus(tr("已从 %1 导入信道表；“撤销”可以撤回这次导入。").arg(name));
    if (!result.notes.isEmpty()) {
        // A list from another program imports with what this radio cannot hold left out; the
        // user learns what that was.
        TheMessenger().showMessage(m_frame, tr("导入 CSV"), tr("已导入 %1。").arg(name),
                                   result.notes.join(QLatin1Char('\n')));
    }
}

// Next to the document's file and named after it; an unsaved document's in the working folder.
QString CsvFileCommands::suggestedExportPath() const {
    const QString document = m_document->pathName();
    if (document.isEmpty()) {
        return QDir::current().filePath(m_document->title() + QStringLiteral(".csv"));
    }
    const QFileInfo info(document);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv"));
}

void CsvFileCommands::exportCsv() {
    if (!settleEditor()) {
        return;
    }
    QString path =
        TheMessenger().chooseSaveFile(m_frame, tr("导出 CSV"), suggestedExportPath(), CsvFilter());
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    QString reason;
    if (!AtomicFile::Replace(path, ChannelCsv::Export(m_document->table()), &reason)) {
        ShowWarning(m_frame, tr("无法保存文件 %1：%2").arg(path, reason));
    } else {
        m_frame->showStatus(tr("信道表已导出到 %1。").arg(QDir::toNativeSeparators(path)));
    }
}

bool CsvFileCommands::dropFile(const QString& path) {
    if (!IsWindowFile(path)) {
        return false;
    }
    if (busy()) {
        return true; // nothing replaces the document while the radio talks to it
    }
    if (QFileInfo(path).suffix().toLower() == QLatin1String("sin")) {
        m_openDocument(path);
    } else {
        importCsvFile(path);
    }
    return true;
}

bool CsvFileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_frame) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return acceptDrag(event);
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedFile(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            // After the drag has ended: opening asks questions in boxes of its own.
            QMetaObject::invokeMethod(
                this, [this, path] { dropFile(path); }, Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool CsvFileCommands::acceptDrag(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    // During a transfer nothing may replace the document: the drag is refused where it enters,
    // so the pointer shows it, instead of a drop that would be ignored without a word.
    if (!busy() && !DroppedFile(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
    } else {
        drag->ignore();
    }
    return true;
}
