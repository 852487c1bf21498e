#pragma once

#include <QObject>
#include <QString>

class ChannelGrid;
class MainWindow;
class ChannelDocument;
class ChannelForm;
class WindowTransfer;
class QAction;
class QPoint;

// The commands that edit whole channels and the document's history: undo and redo, copy, cut
// and paste, and the row commands. They sit in the 编辑 menu and in the grid's context menu, and
// work on the channels selected through their numbers, which a drag moves as well.
//
// Every command that changes the document is one undo step and, like the other document
// commands, does nothing while a transfer runs.
class EditCommands : public QObject {
    Q_OBJECT
public:
    // transfer is the radio link the commands wait for.
    EditCommands(MainWindow* frame, ChannelDocument* document, WindowTransfer* transfer);
    ~EditCommands() override;

    void copyChannels();
    void cutChannels();
    void pasteChannels();
    void clearChannels();
    void insertEmptyChannels();
    void deleteChannels();
    void moveChannelsUp();
    void moveChannelsDown();

private:
    QAction* addAction(const char* name, const QString& text);
    void createActions();
    void addToEditMenu();
    void updateActions();
    // Commits the cell being edited; false when its value was refused and the command must wait.
    bool settleEditor();
    bool busy() const;
    void record(const QString& step);
    // step names the move, with %1 for the channels moved.
    void moveBy(int channels, const QString& step);
    void showContextMenu(const QPoint& at);

    MainWindow* m_frame;
    ChannelDocument* m_document;
    ChannelForm* m_view;
    WindowTransfer* m_transfer;
    ChannelGrid* m_grid;

    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_insert = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_up = nullptr;
    QAction* m_down = nullptr;
};
