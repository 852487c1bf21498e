#include "edit_commands.h"

#include "channel_document.h"
#include "channel_edits.h"
#include "channel_form.h"
#include "channel_grid.h"
#include "main_window.h"
#include "messenger.h"
#include "window_transfer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

namespace {
const QString kCsvMime = QStringLiteral("text/csv");

// Fewer cells on a line than a channel has: a block cut out of a spreadsheet, which goes where
// the current cell is rather than over whole channels.
bool IsCellBlock(const QString& text) {
    const QString line = text.trimmed().section(QLatin1Char('\n'), 0, 0);
    const QChar separator = line.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    return line.count(separator) + 1 < ChannelEdits::kSettings;
}

// The channels of a step's name: "3" or "3–5".
QString ChannelRange(int first, int count) {
    return count > 1 ? QStringLiteral("%1–%2").arg(first).arg(first + count - 1)
                     : QString::number(first);
}

// A menu text as the status bar shows it: without its access key, "(&U)" or "&".
QString WithoutAccessKey(const QString& text) {
    static const QRegularExpression marked(QStringLiteral("\\(&.\\)"));
    return QString(text).remove(marked).remove(QLatin1Char('&'));
}
} // namespace

EditCommands::EditCommands(MainWindow* frame, ChannelDocument* document, WindowTransfer* transfer)
    : QObject(frame), m_frame(frame), m_document(document), m_view(frame->form()),
      m_transfer(transfer), m_grid(m_view->grid()) {
    createActions();
    addToEditMenu();

    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &EditCommands::showContextMenu);
    connect(m_grid, &ChannelGrid::moveRequested, this,
            [this](int channels) { moveBy(channels, tr("移动信道 %1")); });
    connect(m_grid, &ChannelGrid::clearRequested, this, &EditCommands::clearChannels);

    QUndoStack* stack = m_document->undoStack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged}) {
        connect(stack, signal, this, &EditCommands::updateActions);
    }
    connect(m_transfer, &WindowTransfer::runningChanged, this, &EditCommands::updateActions);
    updateActions();
}

EditCommands::~EditCommands() = default;

QAction* EditCommands::addAction(const char* name, const QString& text) {
    auto* action = new QAction(text, m_frame);
    action->setObjectName(QLatin1String(name));
    // Shown in the status bar; the menu text says it all.
    action->setStatusTip(WithoutAccessKey(text));
    return action;
}

void EditCommands::createActions() {
    // The stack's own actions name the step they undo or redo ("撤销 更改频段").
    QUndoStack* stack = m_document->undoStack();
    m_undo = stack->createUndoAction(m_frame, tr("撤销(&U)"));
    m_undo->setObjectName(QStringLiteral("editUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = stack->createRedoAction(m_frame, tr("重做(&R)"));
    m_redo->setObjectName(QStringLiteral("editRedo"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {m_undo, m_redo}) {
        action->setStatusTip(WithoutAccessKey(action->text()));
        // Undo and redo replace what an open editor was loaded from: the edit is dropped.
        connect(action, &QAction::triggered, m_grid, &ChannelGrid::closeCellEditor);
    }

    // Ctrl+C selects the port COM1, so the clipboard takes the other keys every desktop knows.
    m_cut = addAction("editCutChannels", tr("剪切信道(&T)"));
    m_cut->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    connect(m_cut, &QAction::triggered, this, &EditCommands::cutChannels);
    m_copy = addAction("editCopyChannels", tr("复制信道(&C)"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(m_copy, &QAction::triggered, this, &EditCommands::copyChannels);
    m_paste = addAction("editPasteChannels", tr("粘贴信道(&P)"));
    m_paste->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    connect(m_paste, &QAction::triggered, this, &EditCommands::pasteChannels);

    // Delete clears only a selection of whole channels and the grid takes the key: on a single
    // cell it stays a key typed into the cell. The menu shows it; only an open menu answers it.
    m_clear = addAction("editClearChannels", tr("清除信道(&L)"));
    m_clear->setShortcut(QKeySequence(Qt::Key_Delete));
    m_clear->setShortcutContext(Qt::WidgetShortcut);
    connect(m_clear, &QAction::triggered, this, &EditCommands::clearChannels);
    m_insert = addAction("editInsertChannels", tr("插入空信道(&I)"));
    connect(m_insert, &QAction::triggered, this, &EditCommands::insertEmptyChannels);
    m_delete = addAction("editDeleteChannels", tr("删除信道(&D)"));
    connect(m_delete, &QAction::triggered, this, &EditCommands::deleteChannels);
    m_up = addAction("editMoveUp", tr("上移(&M)"));
    m_up->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    connect(m_up, &QAction::triggered, this, &EditCommands::moveChannelsUp);
    m_down = addAction("editMoveDown", tr("下移(&W)"));
    m_down->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(m_down, &QAction::triggered, this, &EditCommands::moveChannelsDown);
}

void EditCommands::addToEditMenu() {
    QMenu* edit = m_frame->menu(MainWindow::Menu::Edit);
    QAction* before = edit->actions().value(0);
    edit->insertActions(before, {m_undo, m_redo});
    edit->insertSeparator(before);
    edit->insertActions(before, {m_cut, m_copy, m_paste});
    edit->insertSeparator(before);
    edit->insertActions(before, {m_clear, m_insert, m_delete, m_up, m_down});
    edit->insertSeparator(before);
}

bool EditCommands::busy() const {
    return m_transfer->isBusy();
}

void EditCommands::updateActions() {
    const bool idle = !busy();
    // The stack enables its actions by itself; a transfer under way holds them back.
    const QUndoStack* stack = m_document->undoStack();
    m_undo->setEnabled(idle && stack->canUndo());
    m_redo->setEnabled(idle && stack->canRedo());
    for (QAction* action : {m_cut, m_paste, m_clear, m_insert, m_delete, m_up, m_down}) {
        action->setEnabled(idle);
    }
}

bool EditCommands::settleEditor() {
    return m_view->commitOpenEditor();
}

void EditCommands::record(const QString& step) {
    m_document->recordChange(step);
}

// ---- Commands ----

void EditCommands::copyChannels() {
    if (!settleEditor()) {
        return;
    }
    const ChannelTableModel& channels = m_document->channels();
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    auto* data = new QMimeData;
    data->setText(ChannelEdits::CopyText(channels.table(), first, count));
    data->setData(kCsvMime, ChannelEdits::CopyCsv(channels.table(), first, count));
    QGuiApplication::clipboard()->setMimeData(data);
}

void EditCommands::cutChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    copyChannels();
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    m_document->channels().edit(
        [&](ChannelTable& table) { ChannelEdits::ClearChannels(table, first, count); });
    record(tr("剪切信道 %1").arg(ChannelRange(first, count)));
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
    const bool cells = !data->hasFormat(kCsvMime) && IsCellBlock(text);
    const QModelIndex current = m_grid->currentIndex();
    const int first = cells ? current.row() + 1 : m_grid->firstSelectedChannel();
    const ChannelEdits::Paste paste =
        cells ? ChannelEdits::PrepareCellPaste(text, channels.table(), first,
                                               ChannelTableModel::tableColumn(current.column()))
              : ChannelEdits::PreparePaste(text, first, channels.bandLimits());
    if (!paste.problems.isEmpty()) {
        ShowWarning(m_frame, tr("无法粘贴信道，什么也没有改变："),
                    paste.problems.join(QLatin1Char('\n')));
        return;
    }
    channels.edit(
        [&](ChannelTable& table) { ChannelEdits::WriteChannels(table, first, paste.channels); });
    if (!cells) {
        m_grid->selectChannels(first, int(paste.channels.size()));
    }
    record(tr("粘贴信道 %1").arg(ChannelRange(first, int(paste.channels.size()))));
}

void EditCommands::clearChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    m_document->channels().edit(
        [&](ChannelTable& table) { ChannelEdits::ClearChannels(table, first, count); });
    record(tr("清除信道 %1").arg(ChannelRange(first, count)));
}

void EditCommands::insertEmptyChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    if (!m_document->channels().edit([&](ChannelTable& table) {
            return ChannelEdits::InsertEmptyChannels(table, first, count);
        })) {
        ShowWarning(m_frame, tr("无法插入空信道：这里往下没有 %n 个空信道", nullptr, count));
        return;
    }
    m_grid->selectChannels(first, count);
    record(tr("插入空信道 %1").arg(ChannelRange(first, count)));
}

void EditCommands::deleteChannels() {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    m_document->channels().edit(
        [&](ChannelTable& table) { ChannelEdits::DeleteChannels(table, first, count); });
    record(tr("删除信道 %1").arg(ChannelRange(first, count)));
}

void EditCommands::moveBy(int channels, const QString& step) {
    if (busy() || !settleEditor()) {
        return;
    }
    const int first = m_grid->firstSelectedChannel();
    const int count = m_grid->selectedChannelCount();
    const int current = m_grid->currentIndex().row() + 1;
    const int moved = m_document->channels().edit([&](ChannelTable& table) {
        return ChannelEdits::MoveChannels(table, first, count, first + channels);
    });
    // The selection goes with the channels, so the same key moves them on, and the current cell
    // stays on the data it was on.
    m_grid->selectChannels(moved, count);
    if (current >= first && current < first + count) {
        m_grid->setCurrentChannel(current + moved - first);
    }
    record(step.arg(ChannelRange(first, count)));
}

void EditCommands::moveChannelsUp() {
    moveBy(-1, tr("上移信道 %1"));
}

void EditCommands::moveChannelsDown() {
    moveBy(1, tr("下移信道 %1"));
}

// ---- Context menu ----

void EditCommands::showContextMenu(const QPoint& at) {
    QMenu menu(m_grid);
    menu.addActions({m_cut, m_copy, m_paste});
    menu.addSeparator();
    menu.addActions({m_clear, m_insert, m_delete, m_up, m_down});
    menu.exec(m_grid->viewport()->mapToGlobal(at));
}
