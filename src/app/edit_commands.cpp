#include "edit_commands.h"

#include "atomic_file.h"
#include "channel_csv.h"
#include "channel_edits.h"
#include "main_frame.h"
#include "messenger.h"
#include "ms_flex_grid.h"
#include "program_doc.h"
#include "program_view.h"
#include "ui_language.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

const QString kCsvMime = QStringLiteral("text/csv");

// The file a drag carries, when it is one the window takes: a .sin or a .csv on this machine.
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return url.isLocalFile() && (suffix == QLatin1String("sin") || suffix == QLatin1String("csv"))
               ? url.toLocalFile()
               : QString();
}

} // namespace

EditCommands::EditCommands(CMainFrame* frame, CProgramDoc* document,
                           std::function<void(const QString&)> openDocument)
    : QObject(frame), m_frame(frame), m_document(document), m_view(frame->GetActiveView()),
      m_grid(m_view->grid()), m_viewport(m_grid->viewport()),
      m_openDocument(std::move(openDocument)) {
    createActions();
    addToMenus();

    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &EditCommands::showContextMenu);
    m_grid->installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_frame->setAcceptDrops(true);
    m_frame->installEventFilter(this);

    QUndoStack* stack = m_document->history().stack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged}) {
        connect(stack, signal, this, &EditCommands::updateActions);
    }
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged}) {
        connect(stack, signal, this, &EditCommands::updateActions);
    }
    connect(m_view, &CProgramView::transferRunningChanged, this, &EditCommands::updateActions);
    updateActions();
}

EditCommands::~EditCommands() = default;

QAction* EditCommands::addAction(const char* name, const QString& text) {
    auto* action = new QAction(text, m_frame);
    action->setObjectName(QLatin1String(name));
    // Shown in the status bar; the menu text says it all.
    action->setStatusTip(QString(text).section(QLatin1Char('\t'), 0, 0));
    return action;
}

void EditCommands::createActions() {
    m_undo = addAction("editUndo", tr("撤销"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, this, &EditCommands::undo);
    m_redo = addAction("editRedo", tr("重做"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_redo, &QAction::triggered, this, &EditCommands::redo);

    // Ctrl+C selects the port COM1, so the clipboard takes the other keys every desktop knows.
    m_cut = addAction("editCutChannels", tr("剪切信道"));
    m_cut->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    connect(m_cut, &QAction::triggered, this, &EditCommands::cutChannels);
    m_copy = addAction("editCopyChannels", tr("复制信道"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(m_copy, &QAction::triggered, this, &EditCommands::copyChannels);
    m_paste = addAction("editPasteChannels", tr("粘贴信道"));
    m_paste->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    connect(m_paste, &QAction::triggered, this, &EditCommands::pasteChannels);

    // Delete clears only a selection of whole channels (the grid takes it); on a single cell
    // it stays a key typed into the cell.
    m_clear = addAction("editClearChannels", tr("清除信道") + QStringLiteral("\tDel"));
    connect(m_clear, &QAction::triggered, this, &EditCommands::clearChannels);
    m_insert = addAction("editInsertChannels", tr("插入空信道"));
    connect(m_insert, &QAction::triggered, this, &EditCommands::insertEmptyChannels);
    m_delete = addAction("editDeleteChannels", tr("删除信道"));
    connect(m_delete, &QAction::triggered, this, &EditCommands::deleteChannels);
    m_up = addAction("editMoveUp", tr("上移"));
    m_up->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    connect(m_up, &QAction::triggered, this, &EditCommands::moveChannelsUp);
    m_down = addAction("editMoveDown", tr("下移"));
    m_down->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(m_down, &QAction::triggered, this, &EditCommands::moveChannelsDown);

    m_import = addAction("fileImportCsv", tr("导入 CSV..."));
    connect(m_import, &QAction::triggered, this, &EditCommands::importCsv);
    m_export = addAction("fileExportCsv", tr("导出 CSV..."));
    connect(m_export, &QAction::triggered, this, &EditCommands::exportCsv);
}

void EditCommands::addToMenus() {
    if (auto* edit = m_frame->findChild<QMenu*>(QStringLiteral("menuEdit"))) {
        QAction* before = edit->actions().value(0);
        edit->insertActions(before, {m_undo, m_redo});
        edit->insertSeparator(before);
        edit->insertActions(before, {m_cut, m_copy, m_paste});
        edit->insertSeparator(before);
        edit->insertActions(before, {m_clear, m_insert, m_delete, m_up, m_down});
        edit->insertSeparator(before);
    }
    if (auto* file = m_frame->findChild<QMenu*>(QStringLiteral("menuFile"))) {
        // A group of their own after the group that ends with Save As and its companions.
        const QList<QAction*> actions = file->actions();
        int next = actions.indexOf(m_frame->action(QStringLiteral("actionFileSaveAs"))) + 1;
        while (next < actions.size() && !actions.at(next)->isSeparator()) {
            ++next;
        }
        QAction* before = actions.value(next);
        file->insertSeparator(before);
        file->insertActions(before, {m_import, m_export});
    }
}

bool EditCommands::busy() const {
    return m_view->isTransferBusy();
}

void EditCommands::updateActions() {
    const bool idle = !busy();
    const QUndoStack* stack = m_document->history().stack();
    m_undo->setEnabled(idle && stack->canUndo());
    m_undo->setText(stack->canUndo() ? tr("撤销 %1").arg(stack->undoText()) : tr("撤销"));
    m_redo->setEnabled(idle && stack->canRedo());
    m_redo->setText(stack->canRedo() ? tr("重做 %1").arg(stack->redoText()) : tr("重做"));
    for (QAction* action : {m_cut, m_paste, m_clear, m_insert, m_delete, m_up, m_down, m_import}) {
        action->setEnabled(idle);
    }
}

bool EditCommands::settleEditor() {
    return m_view->commitOpenEditor();
}

void EditCommands::record(const QString& step) {
    m_document->recordChange(step);
}

// ---- Selection ----

int EditCommands::firstSelected() const {
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return qMax(m_grid->currentIndex().row(), 0) + 1;
    }
    int first = ChannelEdits::kChannels;
    for (const QModelIndex& index : selected) {
        first = qMin(first, index.row() + 1);
    }
    return first;
}

int EditCommands::selectedCount() const {
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    int last = firstSelected();
    for (const QModelIndex& index : selected) {
        last = qMax(last, index.row() + 1);
    }
    return last - firstSelected() + 1;
}

bool EditCommands::isChannelSelection() const {
    const QItemSelectionModel* selection = m_grid->selectionModel();
    if (!selection->hasSelection()) {
        return false;
    }
    const int first = firstSelected();
    for (int channel = first; channel < first + selectedCount(); ++channel) {
        for (int column = 1; column <= ChannelEdits::kSettings; ++column) {
            if (!selection->isSelected(m_grid->model()->index(channel - 1, column))) {
                return false;
            }
        }
    }
    return true;
}

void EditCommands::selectChannels(int first, int count) {
    selectSpan(first, qMin(first + count - 1, ChannelEdits::kChannels));
}

void EditCommands::selectSpan(int anchor, int extent) {
    const QAbstractItemModel* model = m_grid->model();
    const QItemSelection channels(model->index(qMin(anchor, extent) - 1, 1),
                                  model->index(qMax(anchor, extent) - 1, ChannelEdits::kSettings));
    m_grid->selectionModel()->select(channels, QItemSelectionModel::ClearAndSelect);
    m_anchor = anchor;
    m_extent = extent;
}

int EditCommands::channelAt(int y) const {
    const int row = m_grid->rowAt(y);
    if (row >= 0) {
        return row + 1;
    }
    return y < 0 ? 1 : ChannelEdits::kChannels;
}

// ---- Commands ----

void EditCommands::undo() {
    if (busy()) {
        return;
    }
    m_view->abandonCellEdit();
    m_document->history().stack()->undo();
}

void EditCommands::redo() {
    if (busy()) {
        return;
    }
    m_view->abandonCellEdit();
    m_document->history().stack()->redo();
}

void EditCommands::copyChannels() {
    if (!settleEditor()) {
        return;
    }
    const ChannelTableModel& channels = m_document->channels();
    auto* data = new QMimeData;
    data->setText(ChannelEdits::CopyText(channels, firstSelected(), selectedCount()));
    data->setData(kCsvMime, ChannelEdits::CopyCsv(channels, firstSelected(), selectedCount()));
    QGuiApplication::clipboard()->setMimeData(data);
}

void EditCommands::cutChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    copyChannels();
    ChannelEdits::ClearChannels(m_document->channels(), firstSelected(), selectedCount());
    record(tr("剪切信道"));
}

void EditCommands::pasteChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) {
        return;
    }
    const QString text =
        data->hasFormat(kCsvMime) ? QString::fromUtf8(data->data(kCsvMime)) : data->text();
    ChannelTableModel& channels = m_document->channels();
    const int first = firstSelected();
    const ChannelEdits::Paste paste =
        ChannelEdits::PreparePaste(text, first, channels.bandLimits());
    if (!paste.problems.isEmpty()) {
        ShowWarning(m_frame, tr("无法粘贴信道，什么也没有改变："),
                    paste.problems.join(QLatin1Char('\n')));
        return;
    }
    ChannelEdits::WriteChannels(channels, first, paste.channels);
    selectChannels(first, int(paste.channels.size()));
    record(tr("粘贴信道"));
}

void EditCommands::clearChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    ChannelEdits::ClearChannels(m_document->channels(), firstSelected(), selectedCount());
    record(tr("清除信道"));
}

void EditCommands::insertEmptyChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = firstSelected();
    const int count = selectedCount();
    if (!ChannelEdits::InsertEmptyChannels(m_document->channels(), first, count)) {
        ShowWarning(m_frame, tr("无法插入空信道：最后 %n 个信道必须是空信道", nullptr, count));
        return;
    }
    selectChannels(first, count);
    record(tr("插入空信道"));
}

void EditCommands::deleteChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    ChannelEdits::DeleteChannels(m_document->channels(), firstSelected(), selectedCount());
    record(tr("删除信道"));
}

void EditCommands::moveBy(int channels, const QString& step) {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = firstSelected();
    const int count = selectedCount();
    const int moved =
        ChannelEdits::MoveChannels(m_document->channels(), first, count, first + channels);
    // The selection goes with the channels, so the same key moves them on.
    selectChannels(moved, count);
    record(step);
}

void EditCommands::moveChannelsUp() {
    moveBy(-1, tr("上移"));
}

void EditCommands::moveChannelsDown() {
    moveBy(1, tr("下移"));
}

// ---- CSV files ----

namespace {
QString CsvFilter() {
    return QCoreApplication::translate("EditCommands", "CSV 文件 (*.csv)");
}
} // namespace

void EditCommands::importCsv() {
    if (busy() || !settleEditor()) {
        return;
    }
    const QString path = TheMessenger().chooseOpenFile(m_frame, tr("导入 CSV"), CsvFilter());
    if (!path.isEmpty()) {
        importCsvFile(path);
    }
}

void EditCommands::importCsvFile(const QString& path) {
    if (busy() || !settleEditor()) {
        return;
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        ShowWarning(
            m_frame,
            tr("无法读取文件 %1：%2").arg(path, UiLanguage::SystemErrorText(file.errorString())));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    const ChannelEdits::CsvImport result = ChannelEdits::ImportCsv(bytes, m_document->channels());
    if (!result.problems.isEmpty()) {
        ShowWarning(m_frame, tr("无法导入 %1，什么也没有改变：").arg(name),
                    result.problems.join(QLatin1Char('\n')));
        return;
    }
    record(tr("导入 CSV"));
    if (!result.notes.isEmpty()) {
        // A list from another program imports with what this radio cannot hold left out; the
        // user learns what that was.
        TheMessenger().showMessage(m_frame, tr("导入 CSV"), tr("已导入 %1。").arg(name),
                                   result.notes.join(QLatin1Char('\n')));
    }
}

void EditCommands::exportCsv() {
    if (!settleEditor()) {
        return;
    }
    const QString document = m_document->GetPathName();
    const QString suggested =
        document.isEmpty()
            ? QDir::current().filePath(m_document->GetTitle() + QStringLiteral(".csv"))
            : QFileInfo(document).dir().filePath(QFileInfo(document).completeBaseName() +
                                                 QStringLiteral(".csv"));
    QString path = TheMessenger().chooseSaveFile(m_frame, tr("导出 CSV"), suggested, CsvFilter());
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    QString reason;
    if (!AtomicFile::Replace(path, ChannelCsv::Export(m_document->channels()), &reason)) {
        ShowWarning(m_frame, tr("无法保存文件 %1：%2").arg(path, reason));
    }
}

bool EditCommands::dropFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("sin") && suffix != QLatin1String("csv")) {
        return false;
    }
    if (busy()) {
        return true; // nothing replaces the document while the radio talks to it
    }
    if (suffix == QLatin1String("sin")) {
        m_openDocument(path);
    } else {
        importCsvFile(path);
    }
    return true;
}

// ---- Mouse, keys and drops ----

void EditCommands::showContextMenu(const QPoint& at) {
    QMenu menu(m_grid);
    menu.addActions({m_cut, m_copy, m_paste});
    menu.addSeparator();
    menu.addActions({m_clear, m_insert, m_delete, m_up, m_down});
    menu.exec(m_grid->viewport()->mapToGlobal(at));
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    // Only pointers are compared here: the filter also sees the grid's last events while it is
    // being destroyed.
    if (watched == m_viewport) {
        return headerMouse(event);
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        return gridKey(static_cast<QKeyEvent*>(event));
    }
    if (watched == m_frame) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!DroppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
            }
            return true;
        }
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
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The channel numbers are the rows' headers: pressing one selects its channel (Shift extends
// the selection, dragging spreads it), and dragging a selected block moves it. A right click in
// the selection keeps it for the context menu. Everything else is the grid's.
bool EditCommands::headerMouse(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseMove) {
        if (m_selecting) {
            selectSpan(m_anchor, channelAt(at.y()));
        } else if (m_dragFrom > 0 && channelAt(at.y()) != m_dragFrom && !m_dragging) {
            m_dragging = true;
            m_grid->viewport()->setCursor(Qt::ClosedHandCursor);
        }
        return m_selecting || m_dragFrom > 0;
    }
    if (type == QEvent::MouseButtonRelease) {
        const bool handled = m_selecting || m_dragFrom > 0;
        if (m_dragFrom > 0) {
            const int to = channelAt(at.y());
            if (m_dragging && to != m_dragFrom) {
                moveBy(to - m_dragFrom, tr("移动信道"));
            } else if (!m_dragging) {
                selectChannels(m_dragFrom, 1);
            }
            m_grid->viewport()->unsetCursor();
        }
        m_selecting = false;
        m_dragFrom = 0;
        m_dragging = false;
        return handled;
    }

    const QModelIndex index = m_grid->indexAt(at);
    if (!index.isValid()) {
        return false;
    }
    const int channel = index.row() + 1;
    const bool inSelection = isChannelSelection() && channel >= firstSelected() &&
                             channel < firstSelected() + selectedCount();
    if (index.column() != 0) {
        return mouse->button() == Qt::RightButton && inSelection;
    }
    m_grid->setFocus(Qt::MouseFocusReason);
    if (!settleEditor()) {
        return true;
    }
    const bool left = mouse->button() == Qt::LeftButton;
    if (left && (mouse->modifiers() & Qt::ShiftModifier)) {
        // From the selected channels' anchor, or from the current cell's channel.
        selectSpan(isChannelSelection() ? m_anchor : firstSelected(), channel);
        m_selecting = true;
    } else if (inSelection) {
        m_dragFrom = left ? channel : 0;
    } else {
        selectChannels(channel, 1);
        m_selecting = left;
    }
    return true;
}

bool EditCommands::gridKey(QKeyEvent* key) {
    if (m_view->cellEditor()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        if (!isChannelSelection()) {
            m_anchor = m_extent = firstSelected();
        }
        selectSpan(m_anchor, qBound(1, m_extent + (key->key() == Qt::Key_Up ? -1 : 1),
                                    ChannelEdits::kChannels));
        return true;
    }
    if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete && isChannelSelection()) {
        clearChannels();
        return true;
    }
    return false;
}
