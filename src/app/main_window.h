#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPrinter>
#include <map>
#include <optional>

class ChannelDocument;
class ChannelForm;
class WindowTransfer;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

// The main window: caption, menu bar, toolbar, accelerators and status bar around the channel
// view; it asks where to save and whether unsaved changes go, and shows what went wrong. Each
// command is one QAction, connected directly to what carries it out; menu item, toolbar button
// and shortcut keys share it. A key without a command (Ctrl+T, F1) has an action of its own that
// does nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window's own commands. Code reaches an action by its handle, so a misspelt command does
    // not build; the action's object name ("actionFileNew") is for tests and accessibility.
    enum class Command {
        FileNew,
        FileOpen,
        FileSave,
        FileSaveAs,
        FileSaveAsPlan,
        FileOpenBackup,
        FilePrint,
        FilePrintPreview,
        FilePrintSetup,
        AppExit,
        OptionalFeatures,
        Tuning,
        ReadData,
        WriteData,
        Fleet,
        PortCom1,
        PortCom2,
        PortCom3,
        PortCom4,
        ViewToolbar,
        ViewStatusBar,
        AppAbout,
        CableDoctor,
        AppearanceSystem,
        AppearanceLight,
        AppearanceDark,
        UnhandledCtrlAltP,
        UnhandledCtrlT,
        Help,
        ContextHelp,
        NextPane,
        PrevPane,
    };
    enum class Menu { File, Edit, Program, Port, View, Help };

    explicit MainWindow(ChannelDocument* document, QWidget* parent = nullptr);
    ~MainWindow() override;

    ChannelForm* form() const { return m_view; }
    ChannelDocument* document() const { return m_document; }
    // The radio link the window's commands wait for and its close asks; not owned.
    void setTransfer(WindowTransfer* transfer);

    // Connects a command to what carries it out. A command that would replace, save or print the
    // image, or change the options, does nothing while a transfer is under way.
    template <typename Receiver, typename Slot>
    void connectCommand(Command id, Receiver* receiver, Slot slot) {
        QAction* command = action(id);
        connect(command, &QAction::triggered, receiver, [this, command, receiver, slot] {
            if (!(m_refusedDuringTransfer.contains(command) && isTransferBusy())) {
                (receiver->*slot)();
            }
        });
    }

    QAction* action(Command id) const { return m_actions.at(id); }
    QMenu* menu(Menu id) const { return m_menus.at(id); }
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* idlePrompt() const { return m_idlePrompt; }
    // The open file's name, marked while it has unsaved changes.
    QLabel* documentState() const { return m_documentState; }

    // Fits the window to the form's size, within the screen.
    void fitToForm();
    // What a completed command did, in the status bar until the next message.
    void showStatus(const QString& text);

    // File menu: Save (asks for a path when the document has none yet) and Save As. False when
    // the user cancelled or the file could not be written, which a box says.
    bool save();
    bool saveAs();
    // Before the document's contents are replaced or the window closes: asks Save / Discard /
    // Cancel when there are unsaved changes. False means stop.
    bool saveModified();

    // Print, Print Preview and Print Setup share one printer, so a page set up once is used by
    // both. printDocument is what every page of either receives.
    QPrinter& printer() { return m_printer; }
    bool printDocument(QPrinter& printer);
    void print();
    void printPreview();
    void printSetup();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    // Saves to path, or to a path the user chooses when path is empty.
    bool saveTo(const QString& path);
    bool isTransferBusy() const;
    void centerOnScreen();
    void showTransferRunning(bool running);
    void showDocumentState();
    // Closing during a transfer: the write may go on, and the unsaved changes are asked about
    // while it does; false keeps the window.
    bool transferLetGo();
    QAction* addCommand(Command id, const char* name, const QString& text, const QString& prompt,
                        const QString& tip, const QKeySequence& key = {});
    // A menu of the given commands, in order; nullopt is a separator.
    QMenu* addMenu(Menu id, const QString& title, const char* name,
                   std::initializer_list<std::optional<Command>> commands);
    // Each port's prompt names the device it stands for and whether that device is there.
    void updatePortPrompts();

    ChannelDocument* m_document;
    ChannelForm* m_view = nullptr;
    WindowTransfer* m_transfer = nullptr;
    QScrollArea* m_viewArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idlePrompt = nullptr;
    QLabel* m_documentState = nullptr;
    std::map<Command, QAction*> m_actions;
    std::map<Menu, QMenu*> m_menus;
    // Commands that would replace, save or print the image, or change the options.
    QList<QAction*> m_refusedDuringTransfer;
    QPrinter m_printer;
    // The user closed the window during a transfer: close once it has let go of the port.
    bool m_closeAfterTransfer = false;
};
