#pragma once

#include <QObject>
#include <QString>
#include <functional>

class CMainFrame;
class CMSFlexGrid;
class CProgramDoc;
class CProgramView;
class QAction;
class QMenu;
class QMouseEvent;
class QKeyEvent;
class QPoint;

// The commands that edit whole channels and the document's history: undo and redo, copy, cut
// and paste, the row commands, CSV import and export, and files dropped on the window. They sit
// in the 编辑 and 文件 menus and in the grid's context menu. The grid's channel-number column
// serves as row headers: a click selects a channel, Shift and dragging extend the selection,
// and dragging a selected block moves it. Shift+Up and Shift+Down extend the selection too.
//
// Every command that changes the document is one undo step and, like the other document
// commands, does nothing while a transfer runs.
class EditCommands : public QObject {
    Q_OBJECT
public:
    // openDocument opens a .sin file, asking about unsaved changes first.
    EditCommands(CMainFrame* frame, CProgramDoc* document,
                 std::function<void(const QString&)> openDocument);
    ~EditCommands() override;

    void undo();
    void redo();
    void copyChannels();
    void cutChannels();
    void pasteChannels();
    void clearChannels();
    void insertEmptyChannels();
    void deleteChannels();
    void moveChannelsUp();
    void moveChannelsDown();
    void importCsv();
    void exportCsv();
    // What dropping a file does: a .sin opens, a .csv is imported. False for any other file.
    bool dropFile(const QString& path);
    void importCsvFile(const QString& path);

    // The selected channels as a block: the rows with a selected cell, or the current row.
    int firstSelected() const;
    int selectedCount() const;
    // Selects whole channels, as a click on their numbers does.
    void selectChannels(int first, int count);
    // Whole channels are selected, not just a cell.
    bool isChannelSelection() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(const char* name, const QString& text);
    void createActions();
    void addToMenus();
    void updateActions();
    // Commits the cell being edited; false when its value was refused and the command must wait.
    bool settleEditor();
    bool busy() const;
    void record(const QString& step);
    void moveBy(int channels, const QString& step);
    void showContextMenu(const QPoint& at);
    // Channels anchor to extent, in either order; Shift and the mouse move the extent.
    void selectSpan(int anchor, int extent);
    int channelAt(int y) const;
    bool headerMouse(QEvent* event);
    bool gridKey(QKeyEvent* key);

    CMainFrame* m_frame;
    CProgramDoc* m_document;
    CProgramView* m_view;
    CMSFlexGrid* m_grid;
    QWidget* m_viewport;
    std::function<void(const QString&)> m_openDocument;

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
    QAction* m_import = nullptr;
    QAction* m_export = nullptr;

    // Mouse on the channel numbers: the channel a selection grows from, and the channel where a
    // press on a selected block began (0 when none), which a drag then moves.
    int m_anchor = 0;
    int m_extent = 0;
    bool m_selecting = false;
    int m_dragFrom = 0;
    bool m_dragging = false;
};
